// The working configuration as an engineer uses it: the whole day's journey
// from the welcome window to the summary table on a plant and a date of
// their own, and the ways back out of every window.
#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QLineSeries>
#include <QRegularExpression>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QWindow>
#include <algorithm>

#include "common/configuration.h"
#include "common/files.h"
#include "composition/component_list_editor.h"
#include "composition/unknown_component_question.h"
#include "conditions/conditions_form.h"
#include "conditions/data_selection_ui.h"
#include "conditions/missing_composition_warning.h"
#include "results/deactivation_window.h"
#include "results/graph_window.h"
#include "results/results_index.h"
#include "results/results_window.h"
#include "results/summary_table_window.h"
#include "runs/calculation_confirmation.h"
#include "runs/fraction_window.h"
#include "runs/fraction_wizard_window1.h"
#include "shell/app_start.h"
#include "shell/base_check_window.h"
#include "runs/research_files_window.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/plant_window.h"
#include "shell/program_context.h"
#include "shell/welcome_window.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

// Row 3 of the plant table: "Корвинский НПЗ", folder Korvin, no side cut.
constexpr int kPlantRow = 3;
const QString kPlantFolder = "Korvin";

bool InstallStandIns(const TempBaseFolder& base) { return CopyStandIns(base, {"vortan.exe", "vortan-10.exe", "kelmar.exe", "drovan.exe"}); }

// A detailed hydrocarbon analysis report of the components of a sample list
// (name in columns 20 to 54, mass percentage in 55 to 60), with one more
// component the database does not know.
QByteArray DhaReport(const QByteArray& list, const char* extraName) {
    QByteArray report = "Detailed Hydrocarbon Analysis\r\n\r\n    Components Listed in Chromatographic Order\r\n"
                        "   #   Minutes  Index Component                          Mass %\r\n"
                        "  --- -------- ------ ----------------------------------- ------\r\n";
    int n = 0;
    auto add = [&](const QByteArray& name, const QByteArray& value) {
        report += QByteArray::number(++n).rightJustified(4, ' ') + QByteArray(15, ' ') +
                  name.left(35).leftJustified(35, ' ') + value + "  0.000\r\n";
    };
    for (const QByteArray& line : list.split('\n')) {
        if (line.size() >= 49) add(line.left(35), line.mid(43, 6));
    }
    add(extraName, "00.100");
    return report;
}

// The conditions of the new date as the engineer types them.
// Korvin's model fits these conditions with an activity near 1.6; at the
// Hornel sample's inlet temperatures (492, 495, 497) it finds none above 0,
// which is not a result to store.
void TypeConditions(TForm8* form) {
    form->DateTimePicker1->setDate(QDate(2026, 11, 20));
    form->DateTimePicker2->setDate(QDate(2026, 3, 14));
    const std::pair<int, const char*> typed[] = {
        {26, "586911"}, {1, "65.0"},  {2, "78000"}, {3, "29.50"}, {4, "28.60"}, {5, "27.80"}, {7, "500"},
        {8, "503"},     {9, "505"},   {11, "68"},   {12, "37"},   {13, "18"},   {15, "81.2"}, {16, "6.85"},
        {17, "5.10"},   {18, "3.55"}, {19, "1.15"}, {20, "0.95"}, {21, "0.45"}, {22, "0.45"}, {23, "0.30"},
        {24, "0.01"},   {25, "0.50"}};
    for (const auto& [edit, text] : typed) form->Edit(edit)->setText(text);
}

bool IsActiveMainWindow() {
    TForm5* main = W().form5;
    return main->isVisible() && main->isEnabled() && !(main->windowState() & Qt::WindowMinimized);
}

// The files of a sampling date, by extension, for a byte-for-byte comparison.
QMap<QString, QByteArray> DateFiles(const TempBaseFolder& base, const QString& folder, const QString& sample) {
    QMap<QString, QByteArray> files;
    for (const char* ext : {".dan", ".SIR", ".KAT", ".BOK", ".sk"}) {
        const QString name = folder + "/" + sample + "/" + sample + ext;
        files[ext] = base.exists(name) ? base.read(name) : QByteArray("(missing)");
    }
    return files;
}

// The plant window's "Далее" on `row`, opened from the menu.
void ChoosePlantFromMenu(int row) {
    W().form5->N10->trigger();
    W().form4->Item(row)->click();
    W().form4->Button2Click();
}

// A data entry of Korvin's date `date` with the lists of the sample as
// reports, the catalyzate's density typed as `catalyzateDensity` when given.
void EnterKorvinDate(const TempBaseFolder& base, DialogAnswers& answers, const QDate& date,
                     const QString& catalyzateDensity = {}) {
    QStringList lists{base.file("Hornel/01-09-09/01-09-09.SIR"), base.file("Hornel/01-09-09/01-09-09.KAT")};
    answers.openFile = [lists](const QString& title, const QString&) mutable {
        return title == "Открытие данных" && !lists.isEmpty() ? lists.takeFirst() : QString();
    };
    W().form5->Bdan->trigger();
    TypeConditions(W().form8);
    W().form8->DateTimePicker1->setDate(date);
    QVERIFY(Click(W().form8, "Button2"));
    Tbasadan* editor = W().basadan;
    QVERIFY(Click(editor, "BitBtn1"));
    QVERIFY(Click(editor, "Next"));
    QVERIFY(Click(editor, "BitBtn1"));
    if (!catalyzateDensity.isEmpty()) editor->F6->setText(catalyzateDensity);
    QVERIFY(Click(editor, "Next"));
    QVERIFY(!editor->isVisible());
}

}  // namespace

class WorkingConfigurationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetConfiguration(Configuration::Working); }
    void cleanupTestCase() { SetConfiguration(Configuration::Described); }
    void engineersDayFromWelcomeToSummaryTable();
    void cancelledChoicesChangeNothing();
    void escapeAndCloseLeadBackToTheMainWindow();
    void historiesAndFoldersGoByDate();
    void compositionWarningGoesWithTheFile();
    void fractionWizardSavesTheNewDateWhereItsFilesAre();
    void windowsCaseFolderGivesItsData();
    void anotherBaseFolderChosenAndChecked();
    void fifthColumnIsSavedAndReviewedAsTheFileHoldsIt();
    void nothingLeaksToTheNextPlantOrDate();
    void sampleChainSavesThroughTheFormsChecks();
};

void WorkingConfigurationTest::engineersDayFromWelcomeToSummaryTable() {
    StartedProgram program;
    QVERIFY(InstallStandIns(program.base));
    program.base.write("reports/feed-201126.DHA",
                       DhaReport(program.base.read("Hornel/01-09-09/01-09-09.SIR"), "Feedium-X unknown"));
    program.base.write("reports/kat-201126.DHA",
                       DhaReport(program.base.read("Hornel/01-09-09/01-09-09.KAT"), "Reformatium-Y unknown"));
    DialogAnswers answers;
    QStringList asked;
    QStringList reports{program.base.file("reports/feed-201126.DHA"), program.base.file("reports/kat-201126.DHA")};
    answers.openFile = [&](const QString& title, const QString& folder) {
        asked << title + " @ " + folder;
        return reports.isEmpty() ? QString() : reports.takeFirst();
    };
    QString summary, headline;
    answers.modal = [&](QDialog* d) -> int {
        if (qobject_cast<TFormb2*>(d)) Click(d, "BitBtn2");  // unknown name: not into the database
        else if (qobject_cast<TForm6*>(d)) Click(d, "BitBtn1");
        else if (qobject_cast<TForm8*>(d)) {
            d->show();
            QTest::keyClick(d, Qt::Key_Return);  // Enter on the review goes on
        }
        else if (auto* report = qobject_cast<TNewReportForm*>(d)) {
            headline = report->Label1->text();
            summary = report->Label2->text();
            return int(QDialog::Accepted);
        }
        return d->result();
    };

    // Welcome "Далее": the plant window, with its way back.
    QVERIFY(Click(W().form1, "Button1"));
    QCOMPARE(VisibleWindows(), QStringList{"Form4"});
    QVERIFY(W().form4->Button3->isVisible());
    W().form4->Item(kPlantRow)->click();
    QVERIFY(Click(W().form4, "Button2"));
    QVERIFY(IsActiveMainWindow());
    QVERIFY(W().form5->windowTitle().contains("Корвинский НПЗ"));

    // Data entry for a new date.
    W().form5->Bdan->trigger();
    QVERIFY(W().form8->isVisible());
    TypeConditions(W().form8);
    QVERIFY(Click(W().form8, "Button2"));
    Tbasadan* editor = W().basadan;
    QVERIFY(editor->isVisible());
    QVERIFY(!editor->BitBtn1->isDefault() && !editor->BitBtn1->autoDefault());

    QVERIFY(Click(editor, "BitBtn1"));  // the feed report, chosen in the dialog
    QCOMPARE(asked.size(), 1);
    QVERIFY(asked[0].startsWith("Открытие данных @ "));
    QVERIFY(asked[0].endsWith(kPlantFolder + "/20-11-26"));
    QVERIFY(editor->List->count() > 100);
    QVERIFY(Click(editor, "Next"));
    QVERIFY(Click(editor, "BitBtn1"));  // the catalyzate report: first for its stream, in the date's folder
    QVERIFY(asked[1].endsWith(kPlantFolder + "/20-11-26"));
    QVERIFY(Click(editor, "BitBtn1"));  // again: where the last catalyzate report was taken
    QVERIFY2(asked[2].endsWith("/reports"), qPrintable(asked[2]));
    QVERIFY(Click(editor, "Next"));     // no side cut here: the composition is formed
    QVERIFY(!editor->isVisible());
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("\n")));
    const QString dateFolder = kPlantFolder + "/20-11-26/";
    QVERIFY(program.base.exists(dateFolder + "20-11-26.sk"));
    QCOMPARE(W().form5->Label1->text(), "Файл состава записан: " + program.base.file(dateFolder + "20-11-26.sk"));
    QVERIFY(program.base.read("Basa/nlo").contains("Feedium-X unknown"));

    // The date just entered is the current data: calculated at once.
    QVERIFY(IsActiveMainWindow());
    QVERIFY(W().form5->windowTitle().endsWith("Дата отбора: 20-11-26"));
    QCOMPARE(Context().sampleName, std::string("20-11-26"));
    QVERIFY(W().form5->N8->isEnabled());
    QVERIFY(!W().form5->N15->isEnabled());  // nothing calculated yet
    W().form5->N8->trigger();
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("\n")));
    QCOMPARE(headline, QString("Расчет проведен успешно."));
    QVERIFY(summary.contains("20-11-26"));
    QVERIFY(program.base.exists(dateFolder + "20-11-26.rez"));
    QVERIFY(W().form5->N15->isEnabled());

    // The summary table of the plant lists the new date.
    W().form5->N18->trigger();
    QAbstractItemModel* table = W().svod->Stab->model();
    QStringList dates;
    for (int c = 0; c < table->columnCount(); ++c) dates << table->index(0, c).data().toString();
    QVERIFY2(dates.contains("20.11.2026"), qPrintable(dates.join(" ")));
}

void WorkingConfigurationTest::cancelledChoicesChangeNothing() {
    StartedProgram program;
    DialogAnswers answers;  // every file dialog cancelled
    W().form1->Button1Click();
    W().form4->Item(kPlantRow)->click();
    W().form4->Button2Click();

    // Data selection cancelled: no date, "Риформинг" as it was.
    W().form5->N8->setEnabled(false);
    W().form5->N12->trigger();
    QCOMPARE(Context().sampleName, std::string());
    QVERIFY(!W().form5->N8->isEnabled());
    QVERIFY(answers.messages.isEmpty());

    // "Открыть" cancelled, and Enter in a field, leave a typed list alone.
    W().form5->Bdan->trigger();
    TypeConditions(W().form8);
    QVERIFY(Click(W().form8, "Button2"));
    Tbasadan* editor = W().basadan;
    const int lines = editor->List->count();
    QVERIFY(Click(editor, "BitBtn1"));
    QCOMPARE(editor->List->count(), lines);
    editor->F6->setFocus();
    QTest::keyClick(editor->F6, Qt::Key_Return);
    QCOMPARE(editor->List->count(), lines);
    QVERIFY(editor->isVisible());
    QVERIFY(answers.messages.isEmpty());

    // "Отмена" of the plant window keeps the plant in force.
    QTest::keyClick(editor, Qt::Key_Escape);
    W().form5->N10->trigger();
    W().form4->Item(0)->click();
    QCOMPARE(Context().plantIndex, kPlantRow);
    QVERIFY(Click(W().form4, "Button4"));
    QCOMPARE(Context().plantIndex, kPlantRow);
    QVERIFY(Context().plantFolder.ends_with("Korvin"));
    QCOMPARE(program.base.read("l90"), program.base.read("l90.4"));
    QVERIFY(IsActiveMainWindow());
}

void WorkingConfigurationTest::escapeAndCloseLeadBackToTheMainWindow() {
    StartedProgram program;
    DialogAnswers answers;
    W().form1->Button1Click();
    // Escape on the plant window opened from the welcome window: back there.
    QTest::keyClick(W().form4, Qt::Key_Escape);
    QCOMPARE(VisibleWindows(), QStringList{"Form1"});
    W().form1->Button1Click();
    W().form4->Item(kPlantRow)->click();
    W().form4->Button2Click();

    // Escape in the conditions form of a data entry, in the component list
    // editor, and the close box of either: the main window, active.
    const std::function<void()> leave[] = {
        [] { QTest::keyClick(W().form8, Qt::Key_Escape); },
        [] { W().form8->close(); },
        [] {
            TypeConditions(W().form8);
            Click(W().form8, "Button2");
            QTest::keyClick(W().basadan, Qt::Key_Escape);
        },
        [] {
            TypeConditions(W().form8);
            Click(W().form8, "Button2");
            W().basadan->close();
        },
    };
    for (const auto& way : leave) {
        W().form5->Bdan->trigger();
        way();
        QCOMPARE(VisibleWindows(), QStringList{"Form5"});
        QVERIFY(IsActiveMainWindow());
    }

    // The summary table and the graphs close with Escape and the close box
    // (Alt+F4 asks the same), their settings kept as "Далее" keeps them.
    answers.modal = [](QDialog* d) {
        d->show();
        QTest::keyClick(d, Qt::Key_Escape);
        return d->result();
    };
    W().form5->N18Click();
    QVERIFY(!W().svod->isVisible());
    QVERIFY(!W().svod->windowFlags().testFlag(Qt::CustomizeWindowHint));  // a frame with its close box
    answers.modal = [](QDialog* d) {
        d->show();
        d->close();
        return d->result();
    };
    W().form5->N18Click();
    QVERIFY(!W().svod->isVisible());
    W().graph->ShowPlantHistory();
    QVERIFY(!W().graph->isVisible());
    QVERIFY(IsActiveMainWindow());
    answers.modal = nullptr;

    // The close box of the main window is the exit step.
    program.base.write("dan.bak", "x");
    QSignalSpy ended(W().form1, &QDialog::finished);
    W().form5->close();
    QCOMPARE(ended.count(), 1);
    QVERIFY(!program.base.exists("dan.bak"));
    QVERIFY2(VisibleWindows().isEmpty(), qPrintable(VisibleWindows().join(" ")));
}

// A date without its composition file is warned about in front of the main
// window; a selection that finds the file written since takes the warning away.
void WorkingConfigurationTest::compositionWarningGoesWithTheFile() {
    StartedProgram program;
    DialogAnswers answers;
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    const QByteArray sk = program.base.read("Hornel/01-09-09/01-09-09.sk");
    program.base.remove("Hornel/01-09-09/01-09-09.sk");
    const std::string dan = ProgramPath(program.base.file("Hornel/01-09-09/01-09-09.dan"));
    RunDataSelectionOf(dan);
    QVERIFY(W().form7->isVisible());
    QVERIFY(W().form7->windowHandle() && W().form7->windowHandle()->transientParent() == W().form5->windowHandle());
    program.base.write("Hornel/01-09-09/01-09-09.sk", sk);
    RunDataSelectionOf(dan);
    QVERIFY(!W().form7->isVisible());
    QVERIFY(W().form5->isEnabled());

    // A study starts with the files of the current date.
    const std::string studyFolder = JoinPath(Context().plantFolder, "Issl");
    W().resF->StartStudy(Context().plantFolder, studyFolder);
    QCOMPARE(W().resF->DanF->text(), program.base.file("Hornel/01-09-09/01-09-09.dan"));
    QCOMPARE(W().resF->SkF->text(), program.base.file("Hornel/01-09-09/01-09-09.sk"));
    QCOMPARE(W().resF->RezF->text(), program.base.file("Hornel/Issl/01-09-09.rez"));
    QVERIFY(W().resF->Flags.conditions && W().resF->Flags.composition);
}

void WorkingConfigurationTest::historiesAndFoldersGoByDate() {
    StartedProgram program;
    DialogAnswers answers;
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);

    // The graph of the shipped history: points at their sampling dates.
    TGraph* graph = W().graph;
    answers.modal = [](QDialog* d) { return d->result(); };
    graph->ShowPlantHistory();
    const std::vector<ResultsRecord> history = ReadResultsIndex(program.base.file("svod.12").toStdString());
    QCOMPARE(graph->Series2->count(), int(history.size()));
    for (int i = 0; i < graph->Series2->count(); ++i) QCOMPARE(graph->Series2->at(i).x(), history[size_t(i)].sampleDate);

    // Sampling folders by date, paths as the system writes them.
    for (const char* folder : {"Hornel/10-06-09", "Hornel/02-12-08", "Hornel/Fr2", "Hornel/15-01-10"})
        QDir().mkpath(program.base.file(folder));
    program.base.write("Hornel/02-12-08/02-12-08.dan", "");
    program.base.write("Hornel/02-12-08/02-12-08.sk", "");
    TRasDisAkt* window = W().rasDisAkt;
    window->SetFolder(Context().plantFolder);
    QStringList shown;
    for (int i = 0; i < window->DLB->count(); ++i) shown << window->DLB->item(i)->text().trimmed();
    const QStringList dated = shown.filter(QRegularExpression("^\\d\\d-\\d\\d-\\d\\d$"));
    QVERIFY(dated.contains("02-12-08") && dated.contains("15-01-10"));
    QVERIFY(std::is_sorted(dated.begin(), dated.end(), [](const QString& a, const QString& b) {
        return QDate::fromString(a, "dd-MM-yy") < QDate::fromString(b, "dd-MM-yy");
    }));
    QVERIFY(shown.indexOf("Fr2") > shown.indexOf("15-01-10"));
    QVERIFY(!shown[0].contains('\\'));
    window->DLB->setCurrentRow(int(shown.indexOf("02-12-08")));
    QTest::mouseClick(window->DLB->viewport(), Qt::LeftButton, {},
                      window->DLB->visualItemRect(window->DLB->currentItem()).center());
    QTRY_COMPARE(window->FL->count(), 1);
    // The plant's other dates stay in view, the clicked one current.
    QCOMPARE(window->DLB->currentItem()->text().trimmed(), QString("02-12-08"));
    QStringList after;
    for (int i = 0; i < window->DLB->count(); ++i) after << window->DLB->item(i)->text().trimmed();
    QVERIFY2(after.contains("15-01-10") && after.contains("Fr2"), qPrintable(after.join(" ")));
    window->FL->setCurrentRow(0);
    window->BitBtn1Click();
    QCOMPARE(window->LFB->count(), 1);
    QCOMPARE(window->LFB->item(0)->text(), program.base.file("Hornel/02-12-08/02-12-08.dan"));
}

void WorkingConfigurationTest::fractionWizardSavesTheNewDateWhereItsFilesAre() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallStandIns(program.base));
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    QFile sk(QString(REFORMER_TEST_DATA) + "/pipeline/01-09-09.sk");
    QVERIFY(sk.open(QIODevice::ReadOnly));
    program.base.write("Hornel/01-09-09/01-09-09.sk", sk.readAll());

    answers.openFile = [&](const QString&, const QString&) { return program.base.file("Hornel/01-09-09/01-09-09.dan"); };
    QString saveFolder;
    answers.saveFile = [&](const QString&, const QString& folder) {
        saveFolder = folder;
        return folder + "/01-10-09.dan";
    };
    bool refusedDateKeepsTheCursor = false;
    answers.modal = [&](QDialog* d) -> int {
        if (d->objectName() == "Form18") Click(d, "Button2");
        else if (auto* frak = qobject_cast<Tfrak1*>(d)) {
            frak->DateFr->setText("31.02.09");  // no date: refused, the cursor back in it
            Click(d, "Button1");
            refusedDateKeepsTheCursor = frak->focusWidget() == frak->DateFr;
            frak->DateFr->setText("1,10,09");  // read as typed: the files of 01-10-09
            Click(d, "Button1");
        } else if (auto* form = qobject_cast<TForm8*>(d)) Click(d, form->Button3->isHidden() ? "Button2" : "Button3");
        else if (d == W().form6) Click(d, "BitBtn1");
        else return int(QDialog::Accepted);
        return d->result();
    };
    W().form5->N24->trigger();
    QVERIFY(Click(W().form17, "Button2"));
    QCOMPARE(saveFolder, program.base.file("Hornel/Fr"));
    QVERIFY(program.base.exists("Hornel/Fr/01-10-09.dan"));
    QVERIFY(!program.base.exists("01-10-09.dan"));
    QVERIFY(program.base.exists("Hornel/Fr/01-10-09.rez"));  // the wizard's calculation ran
    QVERIFY(!answers.messages.isEmpty());
    QVERIFY2(answers.messages[0].startsWith("Поле «Дата отбора»: «31.02.09» не дата"), qPrintable(answers.messages[0]));
    QVERIFY(refusedDateKeepsTheCursor);
}

// A base folder copied from Windows: the plant's folder, its date and the
// settings are found in their capitals, and nothing is made beside them.
void WorkingConfigurationTest::windowsCaseFolderGivesItsData() {
    StartedProgram program;
    DialogAnswers answers;
    const TempBaseFolder& base = program.base;
    for (const auto& [from, to] : {std::pair{"Hornel/01-09-09/01-09-09.dan", "Hornel/01-09-09/01-09-09.DAN"},
                                   {"Hornel", "HORNEL"}, {"Basa", "BASA"}, {"l90.12", "L90.12"},
                                   {"kfr1.12", "KFR1.12"}, {"svod.12", "SVOD.12"}}) {
        QVERIFY2(QDir().rename(base.file(from), base.file(to)), from);
    }
    W().form1->Button1Click();
    W().form4->Item(11)->click();
    W().form4->Button2Click();
    QCOMPARE(Context().reactorCount, 4);
    answers.openFile = [&](const QString&, const QString&) { return base.file("HORNEL/01-09-09/01-09-09.DAN"); };
    W().form5->N12->trigger();
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("\n")));
    QCOMPARE(Context().sampleName, std::string("01-09-09"));
    // The date has no composition file yet: the calculation waits for one.
    QVERIFY(!W().form5->N8->isEnabled());
    QVERIFY(!W().form8->Edit(26)->text().isEmpty());
    QVERIFY(base.exists("HORNEL/Fr"));
    QVERIFY(!base.exists("Hornel"));
    QVERIFY(base.exists("l90"));
    QVERIFY(!base.exists("l90.12"));
}

// "Базовая папка...": a folder that is no base folder is refused with what it
// lacks; a good one is kept for the next start, named in the main window,
// and the plant is chosen again there. "Проверка базовой папки" shows the
// report of reformer-cli check-base and saves it.
void WorkingConfigurationTest::anotherBaseFolderChosenAndChecked() {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    StartedProgram program;
    DialogAnswers answers;
    TForm5* main = W().form5;
    main->show();
    QCOMPARE(main->BaseFolderLine->text(), "Базовая папка: " + program.base.path());
    QVERIFY(main->BaseChoice->isVisible());

    TempBaseFolder other;
    QTemporaryDir empty;
    answers.chooseFolder = [&](const QString&, const QString& folder) {
        return folder == program.base.path() ? empty.path() : QString();
    };
    main->BaseChoice->trigger();
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY2(answers.messages[0].contains("нет файлов настроек установок"), qPrintable(answers.messages[0]));
    QCOMPARE(QString::fromStdString(Context().baseFolder), QString::fromStdString(program.base.programPath()));
    QVERIFY(!QFile::exists(config.filePath("reformer-workbench/base-folder")));

    answers.chooseFolder = [&](const QString&, const QString&) { return other.path() + "/"; };
    main->BaseChoice->trigger();
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(QString::fromStdString(Context().baseFolder), other.path());
    QCOMPARE(main->BaseFolderLine->text(), "Базовая папка: " + other.path());
    QVERIFY(W().form4->isVisible());
    QFile setting(config.filePath("reformer-workbench/base-folder"));
    QVERIFY(setting.open(QIODevice::ReadOnly));
    QCOMPARE(setting.readAll(), (other.path() + "\n").toUtf8());
    QCOMPARE(QString::fromStdString(StartBaseFolder()), other.path());
    W().form4->hide();

    QString report;
    answers.modal = [&](QDialog* d) {
        auto* window = qobject_cast<BaseCheckWindow*>(d);
        if (!window) return int(QDialog::Rejected);
        report = window->ReportText->toPlainText();
        window->SaveTo(config.filePath("report.txt"));
        return int(QDialog::Accepted);
    };
    main->BaseCheck->trigger();
    QVERIFY2(report.startsWith("Проверка базовой папки " + other.path() + "\n"), qPrintable(report));
    QVERIFY2(report.contains("ОШИБКА: Нет программы kelmar.exe"), qPrintable(report));  // no stand-ins there
    QFile saved(config.filePath("report.txt"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), report);
    qunsetenv("XDG_CONFIG_HOME");
}

// Plant row 11: the fifth column typed in "Технологические условия" is what
// the normal save writes (lines 14 and 15), and the review before the
// calculation shows the file's fifth column, not what an earlier showing
// left on the form.
void WorkingConfigurationTest::fifthColumnIsSavedAndReviewedAsTheFileHoldsIt() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallStandIns(program.base));
    W().form5->NSample->trigger();  // Hornel 01-09-09 becomes the current date
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("\n")));
    QVERIFY(W().form5->N8->isEnabled());
    const QString dan = "Hornel/01-09-09/01-09-09.dan";

    W().form5->N4->trigger();
    TForm8* form = W().form8;
    form->showNormal();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QCOMPARE(form->Edit27->text(), QString(" 27.00"));
    form->Edit27->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(form->Edit27, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(form->Edit27, "26,5");
    answers.saveFile = [&](const QString&, const QString&) { return program.base.file(dan); };
    answers.yesNo = [](const QString&) { return true; };
    QVERIFY(Click(form, "Button2"));
    QCOMPARE(answers.messages, QStringList());
    const QList<QByteArray> lines = program.base.read(dan).split('\n');
    QCOMPARE(lines.size(), 16);  // 15 lines and the end after the last CR LF
    QCOMPARE(lines[13], QByteArray(" 2.65000000000000E+0001  4.99000000000000E+0002  8.00000000000000E+0000\r"));

    // Something else left in the column by an earlier showing.
    form->Edit27->setText("31.00");
    form->Edit29->setText("7.575");
    QStringList reviewed;
    answers.modal = [&](QDialog* d) -> int {
        if (auto* review = qobject_cast<TForm8*>(d)) {
            reviewed << review->Edit27->text() << review->Edit28->text() << review->Edit29->text();
            Click(d, "Button3");
        } else if (qobject_cast<TForm6*>(d)) {
            Click(d, "BitBtn1");
        } else {
            return int(QDialog::Accepted);
        }
        return d->result();
    };
    W().form5->N8->trigger();
    QCOMPARE(reviewed, QStringList({" 26.50", "499.00", "  8.00"}));
}

// A data entry on one plant, then the sample chain, then a date of a second
// plant: each writes the same files as in a freshly started program.
void WorkingConfigurationTest::nothingLeaksToTheNextPlantOrDate() {
    const QDate second(2026, 11, 21);
    QMap<QString, QByteArray> freshChain, freshSecond;
    {
        StartedProgram program;
        DialogAnswers answers;
        W().form5->NSample->trigger();
        QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("\n")));
        freshChain = DateFiles(program.base, "Hornel", "01-09-09");
    }
    {
        StartedProgram program;
        DialogAnswers answers;
        W().form1->Button1Click();
        W().form4->Item(kPlantRow)->click();
        W().form4->Button2Click();
        QVERIFY(!W().form5->N8->isEnabled());  // no date yet
        EnterKorvinDate(program.base, answers, second);
        QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("\n")));
        freshSecond = DateFiles(program.base, kPlantFolder, "21-11-26");
    }

    StartedProgram program;
    DialogAnswers answers;
    W().form1->Button1Click();
    W().form4->Item(kPlantRow)->click();
    W().form4->Button2Click();
    EnterKorvinDate(program.base, answers, QDate(2026, 11, 20), "0,78");
    QVERIFY(W().form5->N8->isEnabled());
    W().form8->ShowCokeFields();  // as a study leaves the form

    W().form5->NSample->trigger();
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("\n")));
    const QMap<QString, QByteArray> chain = DateFiles(program.base, "Hornel", "01-09-09");
    for (const QString& ext : freshChain.keys()) QVERIFY2(chain[ext] == freshChain[ext], qPrintable("sample chain " + ext));

    // Another plant: no date of Hornel's in the title, nothing to calculate.
    ChoosePlantFromMenu(kPlantRow);
    QVERIFY(!W().form5->windowTitle().contains("Дата отбора"));
    QVERIFY(!W().form5->N8->isEnabled());
    QVERIFY(!W().form5->N16->isEnabled());
    W().form5->Bdan->trigger();
    QVERIFY(W().form8->Label27->isHidden() && W().form8->koks1->isHidden());
    QTest::keyClick(W().form8, Qt::Key_Escape);
    EnterKorvinDate(program.base, answers, second);
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("\n")));
    const QMap<QString, QByteArray> after = DateFiles(program.base, kPlantFolder, "21-11-26");
    for (const QString& ext : freshSecond.keys()) QVERIFY2(after[ext] == freshSecond[ext], qPrintable("second plant " + ext));
    QVERIFY(W().form5->N8->isEnabled());
    QVERIFY(W().form5->windowTitle().endsWith("Дата отбора: 21-11-26"));
}

// The sample chain saves the date's conditions with the checks of the
// form's own "Сохранить": a doubt is put to the user, and "Нет" leaves the
// form open in data entry to correct it; a value no plant can have stops
// the chain with the field named.
void WorkingConfigurationTest::sampleChainSavesThroughTheFormsChecks() {
    StartedProgram program;
    DialogAnswers answers;
    const QString dan = "Hornel/01-09-09/01-09-09.dan";
    const QByteArray shipped = program.base.read(dan);
    QByteArray doubtful = shipped;
    doubtful.replace("81.20000", "71.20000");
    program.base.write(dan, doubtful);
    QStringList questions;
    answers.yesNo = [&](const QString& q) {
        questions << q;
        return false;
    };
    W().form5->NSample->trigger();
    QCOMPARE(answers.messages, QStringList());
    QCOMPARE(questions.size(), 1);
    QVERIFY(questions[0].startsWith("Сумма состава ВСГ"));
    QVERIFY(W().form8->isVisible() && W().form8->Button2->isVisible());
    QVERIFY(!W().basadan->isVisible());
    QVERIFY(!program.base.exists("Hornel/01-09-09/01-09-09.sk"));
    QCOMPARE(program.base.read(dan), doubtful);
    QTest::keyClick(W().form8, Qt::Key_Escape);

    QByteArray hot = shipped;
    hot.replace(" 29.50  28.60", "290.50  28.60");
    program.base.write(dan, hot);
    W().form5->NSample->trigger();
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY(answers.messages[0].contains("Давление, атм. (Р - 2)"));
    QCOMPARE(questions.size(), 1);
    QVERIFY(W().form5->isVisible() && !W().basadan->isVisible());
    QCOMPARE(program.base.read(dan), hot);
}

QTEST_MAIN(WorkingConfigurationTest)
#include "working_configuration_test.moc"
