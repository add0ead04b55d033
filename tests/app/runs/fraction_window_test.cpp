// The fractional-composition calculation driven offscreen: the window and its
// save in both branches, the conditions of the new date, and the wizard from
// a base date to the new date's reforming run.
#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "common/files.h"
#include "composition/composition_file.h"
#include "conditions/conditions_form.h"
#include "results/results_file.h"
#include "results/results_window.h"
#include "runs/calculation_confirmation.h"
#include "runs/fraction_window.h"
#include "runs/fraction_wizard_window1.h"
#include "runs/fraction_wizard_window2.h"
#include "runs/fraction_wizard_window3.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

namespace fs = std::filesystem;

bool InstallStandIns(const TempBaseFolder& base) { return CopyStandIns(base, {"kelmar.exe", "drovan.exe"}); }

// The sample plant (row 11) with its 01-09-09 conditions and composition;
// data selection has made them current and copied the composition to base\sk.
void SelectSample(const TempBaseFolder& base) {
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    QFile sk(QString(REFORMER_TEST_DATA) + "/pipeline/01-09-09.sk");
    sk.open(QIODevice::ReadOnly);
    base.write("Hornel/01-09-09/01-09-09.sk", sk.readAll());
    W().form5->N12Click();
}

QStringList Lines(const TempBaseFolder& base, const QString& relative) {
    QStringList lines = QString::fromLatin1(base.read(relative)).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// Types the date and presses "Сохранить" in the fractional-composition window.
int Save(QDialog* d, const QString& date, const QStringList& values = {}) {
    auto* window = qobject_cast<Tfrak1*>(d);
    window->DateFr->setText(date);
    for (int i = 0; i < values.size(); ++i) window->ValueEdits()[static_cast<size_t>(i)]->setText(values[i]);
    Click(d, "Button1");
    return d->result();
}

}  // namespace

class FractionWindowTest : public QObject {
    Q_OBJECT

private slots:
    void windowCaptionsAndDefaults();
    void frClickWithoutFractionalComposition();
    void frClickShowsTheLastSample();
    void unchangedSaveWithExistingConditions();
    void changedSaveRunsTheFractionProgram();
    void valueThatIsNotANumberKeepsTheWindowOpen();
    void wizardLeadsFromBaseDateToARun();
    void wizardStepsBack();
    void screenshots();
};

void FractionWindowTest::windowCaptionsAndDefaults() {
    StartedProgram program;
    Tfrak1* w = W().frak1;
    QCOMPARE(w->windowTitle(), QString("Фракционный состав"));
    QCOMPARE(w->Label1->text(), QString("Ввод данных по фракционному составу сырья"));
    QCOMPARE(w->Label14->text(), QString("Дата отбора"));
    const QStringList captions = {w->Label3->text(), w->Label4->text(), w->Label7->text(),
                                  w->Label12->text(), w->Label13->text(), w->Label2->text()};
    QCOMPARE(captions, (QStringList{"НК", "10%", "50%", "90%", "КК", "Плотность сырья, г/см3"}));
    QStringList defaults;
    for (QLineEdit* e : w->ValueEdits()) defaults << e->text();
    QCOMPARE(defaults, (QStringList{"78.", "83.", "80.", "93.", "101.", "0.715"}));
    QCOMPARE(w->ValueEdits()[2], w->Edit6);
    QCOMPARE(w->Button1->text(), QString("Сохранить"));
    QCOMPARE(w->Button2->text(), QString("Нет"));
    for (QDialog* d : {static_cast<QDialog*>(W().form17), static_cast<QDialog*>(W().form18),
                       static_cast<QDialog*>(W().form19)}) {
        QCOMPARE(d->windowTitle(), QString("мастер расчетов"));
    }
    QCOMPARE(W().form17->Label2->text(), QString("\"базовую\" дату отбора пробы (т.е. ближайшую по времени к "));
    QVERIFY(!Context().wizard);
}

void FractionWindowTest::frClickWithoutFractionalComposition() {
    StartedProgram program;
    DialogAnswers answers;
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    // Missing base\sk: the file error.
    QVERIFY(!RunHandler(nullptr, [] { W().form5->FrClick(); }));
    QCOMPARE(answers.messages, QStringList{"File not found"});

    // Five values only.
    answers.messages.clear();
    QByteArray sk;
    for (int i = 0; i < 138; ++i) sk += "x\r\n";
    for (int i = 0; i < 5; ++i) sk += QByteArray(17, ' ') + "90\r\n";
    program.base.write("sk", sk);
    W().form5->FrClick();
    QCOMPARE(answers.messages, QStringList{"Нет данных по фракционному составу!"});
    QVERIFY(answers.modalShown.isEmpty());
}

void FractionWindowTest::frClickShowsTheLastSample() {
    StartedProgram program;
    DialogAnswers answers;
    SelectSample(program.base);
    QVERIFY(W().form5->N16->isEnabled());
    W().form5->N16->trigger();
    QCOMPARE(answers.modalShown.size(), 1);
    Tfrak1* w = W().frak1;
    QCOMPARE(answers.modalShown[0], static_cast<QDialog*>(w));
    QStringList edits, labels;
    for (QLineEdit* e : w->ValueEdits()) edits << e->text();
    for (QLabel* l : w->LastSampleLabels()) labels << l->text();
    QCOMPARE(edits, (QStringList{"86", "96", "113", "152", "175", "0.730"}));
    QCOMPARE(labels, edits);
    QCOMPARE(w->Label5->text(), QString("Дата последнего отбора:  01-09-09"));
}

void FractionWindowTest::unchangedSaveWithExistingConditions() {
    StartedProgram program;
    DialogAnswers answers;
    SelectSample(program.base);
    program.base.write("Hornel/Fr/01-10-09.dan", program.base.read("Hornel/01-09-09/01-09-09.dan"));
    int result = -1;
    answers.modal = [&](QDialog* d) {
        if (d == W().frak1) return result = Save(d, "01.10.09", {"86.0", "96", "113", "152", "175", "0,73"});
        return int(QDialog::Rejected);
    };
    W().form5->FrClick();

    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(answers.messages, QStringList{"Файл с технологическими условиями уже существует.\nМожно проводить расчет."});
    QCOMPARE(answers.modalShown.size(), 1);  // no run without the wizard
    QCOMPARE(QString::fromStdString(Context().sampleName), QString("01-10-09"));
    QCOMPARE(QString::fromStdString(Context().dataFolder), QString::fromStdString(Context().fractionFolder + "\\"));
    QVERIFY(W().form5->windowTitle().endsWith("Дата отбора: 01-10-09"));

    const QStringList lines = Lines(program.base, "Hornel/Fr/01-10-09.sk");
    QCOMPARE(lines.size(), 144);
    QCOMPARE(lines.mid(0, 138), Lines(program.base, "sk").mid(0, 138));
    QCOMPARE(lines[138], QString(19, ' ') + "86.0");
    QCOMPARE(lines[143], QString(19, ' ') + "0,73");
    QCOMPARE(Lines(program.base, "sk").size(), 144);  // sk untouched
}

void FractionWindowTest::changedSaveRunsTheFractionProgram() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallStandIns(program.base));
    SelectSample(program.base);
    bool fractionHiddenAtForm = false;
    bool formButtonsRight = false;
    QStringList formTexts;
    QString pickerDate;
    answers.modal = [&](QDialog* d) {
        if (d == W().frak1) return Save(d, "02.10.09", {"90", "100", "120", "160", "180", "0.740"});
        if (auto* form = qobject_cast<TForm8*>(d)) {
            fractionHiddenAtForm = W().frak1->isHidden();
            formTexts << form->Edit26->text() << form->Edit1->text() << form->Edit15->text();
            pickerDate = form->DateTimePicker1->date().toString("dd.MM.yyyy");
            formButtonsRight = form->Button3->isHidden() && !form->Button1->isHidden() && !form->Button2->isHidden();
            // The user leaves without saving.
        }
        return int(QDialog::Rejected);
    };
    W().form5->FrClick();

    QCOMPARE(answers.messages,
             QStringList{"Для расчета необходимо задать технологические условия\nза текущую дату:02-10-09"});
    // sk: the base composition and both fractional compositions; FrClick now offers the new one.
    const QStringList sk = Lines(program.base, "sk");
    QCOMPARE(sk.size(), 150);
    QCOMPARE(sk[138], QString(17, ' ') + "  86");
    QCOMPARE(sk[149], QString(17, ' ') + "0.740");
    const QStringList lines = Lines(program.base, "Hornel/Fr/02-10-09.sk");
    QCOMPARE(lines.size(), 144);
    QVERIFY(lines.mid(0, 138) != sk.mid(0, 138));  // recomputed by the program
    QCOMPARE(lines[143], QString(19, ' ') + "0.740");

    // The conditions form prepared from the previous date.
    QVERIFY(fractionHiddenAtForm);
    QVERIFY(formButtonsRight);
    QCOMPARE(formTexts, (QStringList{"586911.00", "65.0", " 81.20"}));
    QCOMPARE(pickerDate, QString("02.10.2009"));
    QVERIFY(W().form8->isEnabled());
    QVERIFY(!program.base.exists("Hornel/Fr/02-10-09.dan"));
    QCOMPARE(answers.modalShown.size(), 2);  // no run

    answers.modalShown.clear();
    W().form5->FrClick();
    QCOMPARE(W().frak1->b6->text(), QString("0.740"));
}

void FractionWindowTest::valueThatIsNotANumberKeepsTheWindowOpen() {
    StartedProgram program;
    DialogAnswers answers;
    SelectSample(program.base);
    int result = -1;
    answers.modal = [&](QDialog* d) {
        if (d == W().frak1) result = Save(d, "03.10.09", {"86", "9 6x"});
        return result;
    };
    W().form5->FrClick();
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(answers.messages, QStringList{"'96x' is not a valid floating point value"});
    QCOMPARE(QString::fromStdString(Context().sampleName), QString("03-10-09"));
    QVERIFY(!program.base.exists("Hornel/Fr/03-10-09.sk"));
}

void FractionWindowTest::wizardLeadsFromBaseDateToARun() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallStandIns(program.base));
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    QFile sk(QString(REFORMER_TEST_DATA) + "/pipeline/01-09-09.sk");
    sk.open(QIODevice::ReadOnly);
    program.base.write("Hornel/01-09-09/01-09-09.sk", sk.readAll());

    QStringList steps;
    QString newDateForm26;
    answers.saveFile = [&](const QString&, const QString&) { return program.base.file("Hornel/Fr/01-10-09.dan"); };
    answers.modal = [&](QDialog* d) -> int {
        steps << d->objectName();
        if (d == W().form18) {
            Click(d, "Button2");
            return d->result();
        }
        if (d == W().frak1) return Save(d, "01.10.09");
        if (auto* form = qobject_cast<TForm8*>(d)) {
            if (form->Button3->isHidden()) {
                // The new date's conditions: the user saves them where the date's files are.
                newDateForm26 = form->Edit26->text();
                form->Edit26->setText("600000.00");
                Click(d, "Button2");
            } else {
                Click(d, "Button3");  // the review of the run
            }
            return d->result();
        }
        if (d == W().form6) {
            Click(d, "BitBtn1");
            return d->result();
        }
        return int(QDialog::Accepted);  // the results window
    };

    W().form5->N24->trigger();
    QVERIFY(W().form17->isVisible());
    QVERIFY(!W().form5->isEnabled());
    QVERIFY(Click(W().form17, "Button2"));

    QVERIFY2(answers.messages.size() == 1, qPrintable(answers.messages.join(" | ")));
    QCOMPARE(answers.messages[0], QString("Для расчета необходимо задать технологические условия\nза текущую дату:01-10-09"));
    QCOMPARE(steps, (QStringList{"Form18", "frak1", "Form8", "Form6", "Form8", "NewReportForm"}));
    QCOMPARE(newDateForm26, QString("586911.00"));
    QVERIFY(!Context().wizard);
    QVERIFY(!W().form17->isVisible());
    QVERIFY(W().form5->isEnabled());
    // The new date's files in the fraction folder, and its results.
    QVERIFY(program.base.exists("Hornel/Fr/01-10-09.sk"));
    QVERIFY(program.base.exists("Hornel/Fr/01-10-09.dan"));
    const ResultsRecord r = ReadResultsFile(program.base.file("Hornel/Fr/01-10-09.rez").toStdString());
    QCOMPARE(r.processedFeed, 600000.0);
    QVERIFY(W().newReportForm->Label2->text().startsWith("На текущую дату 01-10-09 переработанно 600000 тонн сырья."));
}

void FractionWindowTest::wizardStepsBack() {
    StartedProgram program;
    DialogAnswers answers;
    SelectSample(program.base);
    int shown18 = 0;
    answers.modal = [&](QDialog* d) -> int {
        if (d == W().form18 && ++shown18 == 1) Click(d, "Button1");  // "Назад"
        return int(QDialog::Rejected);
    };
    W().form5->N24Click();
    QVERIFY(Click(W().form17, "Button2"));
    QCOMPARE(shown18, 1);
    QVERIFY(W().form17->isVisible());  // back at the first step
    QVERIFY(!W().form5->isEnabled());
    QVERIFY(!Context().wizard);
    QVERIFY(Click(W().form17, "Button1"));  // "Выход"
    QVERIFY(!W().form17->isVisible());
    QVERIFY(W().form5->isEnabled());

    // The conditions step is never shown; its way back leads to the second step.
    QVERIFY(Click(W().form19, "Button1"));
    QCOMPARE(shown18, 2);
}

// Not a check: with REFORMER_SCREENSHOTS=<folder> the windows are saved there
// as pictures.
void FractionWindowTest::screenshots() {
    const QString folder = qEnvironmentVariable("REFORMER_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("REFORMER_SCREENSHOTS not set");
    StartedProgram program;
    DialogAnswers answers;
    SelectSample(program.base);
    const auto save = [&folder](QWidget* w, const char* name) {
        w->show();
        QTest::qWait(100);
        w->grab().save(QDir(folder).filePath(name));
        w->hide();
    };
    answers.modal = [&](QDialog* d) {
        W().frak1->DateFr->setText("01.10.09");
        save(d, "fraction_window.png");
        return int(QDialog::Rejected);
    };
    W().form5->FrClick();
    save(W().form17, "fraction_wizard_1.png");
    save(W().form18, "fraction_wizard_2.png");
    save(W().form19, "fraction_wizard_3.png");
}

QTEST_MAIN(FractionWindowTest)
#include "fraction_window_test.moc"
