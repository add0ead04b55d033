// The research commands driven offscreen with the stand-in model: the
// file-choice window and its checks, the clearing of the research folder,
// and both studies over more than one pass.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <filesystem>

#include "common/file_lock.h"
#include "common/files.h"
#include "common/number_format.h"
#include "conditions/conditions_form.h"
#include "results/results_file.h"
#include "results/results_window.h"
#include "runs/research_files_window.h"
#include "runs/run_object.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

namespace fs = std::filesystem;

bool InstallModel(const TempBaseFolder& base) {
    const fs::path from = fs::path(REFORMER_BINARY_DIR) / "bin" / "sk" / "kelmar.exe";
    std::error_code ec;
    fs::copy_file(from, fs::path(base.path().toStdString()) / "kelmar.exe", fs::copy_options::overwrite_existing, ec);
    return !ec;
}

void SelectSample(const TempBaseFolder& base) {
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    QFile sk(QString(REFORMER_TEST_DATA) + "/pipeline/01-09-09.sk");
    sk.open(QIODevice::ReadOnly);
    base.write("Hornel/01-09-09/01-09-09.sk", sk.readAll());
    W().form5->N12Click();
}

// Types a text into an edit of the shown file-choice window and leaves it
// for the next control, as a user does with Tab.
void TypeAndLeave(TResF* w, QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

void ShowActive(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

// What a pass of a study showed.
struct Pass {
    QString headline, summary;
    bool koksHiddenAtReview = false;
    bool baseFolderFreeAtSummary = false;  // another instance could calculate meanwhile
};

}  // namespace

class ResearchTest : public QObject {
    Q_OBJECT

private slots:
    void fileChoiceChecksAndMessages();
    void browsingFollowsTheExtensionRules();
    void clearingTheResearchFolder();
    void feedCompositionStudyRunsOncePerPass();
    void optimalActivityStudyFitsTheTypedOctane();
    void cancelledOrWrongOctaneEndsTheStudy();
    void screenshot();
};

void ResearchTest::fileChoiceChecksAndMessages() {
    StartedProgram program;
    DialogAnswers answers;
    SelectSample(program.base);
    TResF* w = W().resF;
    QCOMPARE(w->GroupBox1->title(), QString("Файл с технологическими данными"));
    QCOMPARE(w->Button6->text(), QString("Очистить директорию от результатов расчета"));
    w->StartStudy(Context().plantFolder, Context().plantFolder + "\\Issl");
    const QString plant = program.base.file("Hornel") + "/";
    QCOMPARE(w->DanF->text(), plant);
    QCOMPARE(w->SkF->text(), plant);
    QCOMPARE(w->RezF->text(), program.base.file("Hornel/Issl") + "/");
    ShowActive(w);

    // Nothing checked yet: the conditions file is reported first.
    QVERIFY(Click(w, "Button4"));
    QCOMPARE(answers.messages.takeLast(),
             QString("Неверно указан файл с технологическими данными.\n Проверте правильность имени файла"));
    TypeAndLeave(w, w->DanF, program.base.file("Hornel/01-09-09/01-09-09.dan"));
    QVERIFY(w->Flags.conditions);
    QVERIFY(Click(w, "Button4"));
    QCOMPARE(answers.messages.takeLast(),
             QString("Неверно указан файл с составом сырья и катализата.\n Проверте правильность имени файла"));
    TypeAndLeave(w, w->SkF, program.base.file("Hornel/01-09-09/01-09-09.sk"));
    TypeAndLeave(w, w->RezF, program.base.file("Hornel/no such folder/a"));
    QCOMPARE(w->RezF->text(), program.base.file("Hornel/no such folder/a") + ".rez");
    QVERIFY(Click(w, "Button4"));
    QCOMPARE(answers.messages.takeLast(),
             QString("Невозможно создать файл с результатами.\n Проверте правильность имени файла"));
    QVERIFY(w->isVisible());

    TypeAndLeave(w, w->RezF, program.base.file("Hornel/a.rez.old"));
    QCOMPARE(w->RezF->text(), program.base.file("Hornel/a.rez.old"));
    QVERIFY(!program.base.exists("Hornel/a.rez.old"));  // the check leaves nothing behind
    QVERIFY(Click(w, "Button4"));
    QCOMPARE(w->result(), int(QDialog::Accepted));
    QCOMPARE(w->ResultsFile, program.base.file("Hornel/a.rez.old"));
    QCOMPARE(w->ConditionsFile, program.base.file("Hornel/01-09-09/01-09-09.dan"));

    // A file that vanished after its check still passes: the flags are only
    // changed by the checks. A new study clears them.
    w->StartStudy(Context().plantFolder, Context().researchFolder);
    QVERIFY(!w->Flags.conditions && !w->Flags.composition && !w->Flags.results);
    w->hide();
}

void ResearchTest::browsingFollowsTheExtensionRules() {
    StartedProgram program;
    DialogAnswers answers;
    SelectSample(program.base);
    TResF* w = W().resF;
    w->StartStudy(Context().plantFolder, Context().researchFolder);
    QString folderAsked;
    answers.openFile = [&](const QString&, const QString& folder) {
        folderAsked = folder;
        return program.base.file("Hornel/01-09-09/01-09-09.dan");
    };
    QVERIFY(Click(w, "Button1"));
    QCOMPARE(folderAsked, program.base.file("Hornel"));
    QCOMPARE(w->DanF->text(), program.base.file("Hornel/01-09-09/01-09-09.dan"));
    QVERIFY(w->Flags.conditions);

    QString chosen = program.base.file("Hornel/Issl/result");
    answers.saveFile = [&](const QString&, const QString& folder) {
        folderAsked = folder;
        return chosen;
    };
    QVERIFY(Click(w, "Button3"));
    QCOMPARE(folderAsked, QString::fromStdString(ToNative(Context().researchFolder)));
    QCOMPARE(w->RezF->text(), chosen + ".rez");
    QVERIFY(w->Flags.results);
    chosen = program.base.file("Hornel/Issl/result.dat");
    QVERIFY(Click(w, "Button3"));
    QCOMPARE(w->RezF->text(), chosen + ".rez");
}

void ResearchTest::clearingTheResearchFolder() {
    StartedProgram program;
    DialogAnswers answers;
    SelectSample(program.base);
    Context().researchFolder = Context().plantFolder + "\\OptAkt";
    program.base.write("Hornel/OptAkt/a.rez", "1");
    program.base.write("Hornel/OptAkt/old/b.rez", "2");
    QString asked;
    answers.yesNo = [&](const QString& text) {
        asked = text;
        return false;
    };
    QVERIFY(Click(W().resF, "Button6"));
    QCOMPARE(asked, QString("Вы уверены, что хотите очистить директорию?"));
    QVERIFY(program.base.exists("Hornel/OptAkt/old/b.rez"));

    answers.yesNo = [](const QString&) { return true; };
    QVERIFY(Click(W().resF, "Button6"));
    QVERIFY(program.base.exists("Hornel/OptAkt"));
    QVERIFY(fs::is_empty(program.base.file("Hornel/OptAkt").toStdString()));
    QVERIFY(answers.messages.isEmpty());
}

void ResearchTest::feedCompositionStudyRunsOncePerPass() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallModel(program.base));
    SelectSample(program.base);
    const QString dan = program.base.file("Hornel/01-09-09/01-09-09.dan");
    const QString sk = program.base.file("Hornel/01-09-09/01-09-09.sk");
    const QByteArray indexBefore = program.base.read("svod.12");
    QList<Pass> passes;
    QStringList questions;
    QList<int> modelRuns;
    QString caption;
    int choices = 0;
    QStringList browsed = {dan, sk};
    answers.openFile = [&](const QString&, const QString&) { return browsed.takeFirst(); };
    answers.modal = [&](QDialog* d) -> int {
        if (auto* w = qobject_cast<TResF*>(d)) {
            ++choices;
            if (choices == 1) {
                caption = w->windowTitle();
                Click(w, "Button1");
                Click(w, "Button2");
                w->RezF->setText(w->RezF->text() + "first");
                w->RezFExit();
            } else if (choices == 2) {
                // The fields and flags as they were left: only the results file changes.
                if (w->DanF->text() != dan || !w->Flags.conditions) return int(QDialog::Rejected);
                w->RezF->setText(program.base.file("Hornel/Issl/second"));
                w->RezFExit();
            } else {
                Click(w, "Button5");
                return w->result();
            }
            Click(w, "Button4");
            return w->result();
        }
        if (auto* form = qobject_cast<TForm8*>(d)) {
            passes.append(Pass{});
            passes.last().koksHiddenAtReview = form->koks1->isHidden();
            Click(d, "Button3");
            return d->result();
        }
        if (auto* report = qobject_cast<TNewReportForm*>(d)) {
            modelRuns << RavionObj().ModelRuns;
            passes.last().headline = report->Label1->text();
            passes.last().summary = report->Label2->text();
            passes.last().baseFolderFreeAtSummary =
                !FileExists(ToNative(BaseFolderLockPath(Context().baseFolder)));
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    };
    answers.yesNo = [&](const QString& text) {
        questions << text;
        return true;
    };
    W().form5->N29->trigger();

    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join(" | ")));
    QCOMPARE(caption, QString("Исследование влияния состава сырья"));
    QCOMPARE(choices, 3);
    QCOMPARE(passes.size(), 2);
    QCOMPARE(modelRuns, (QList<int>{1, 1}));
    QVERIFY(passes[0].koksHiddenAtReview);
    QVERIFY(passes[0].baseFolderFreeAtSummary);
    QVERIFY(!W().form8->koks1->isHidden());  // shown after the first review
    QVERIFY(!W().form8->Label27->isHidden());
    QCOMPARE(passes[0].headline, QString("Исследование влияния состава сырья"));
    const QStringList lines = passes[1].summary.split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QString("На текущую дату 01-09-09 переработанно 586911 тонн сырья."));
    QVERIFY(lines[1].startsWith("Активность катализатора составила "));
    QVERIFY(lines[2].startsWith("Октановое число катализата: "));

    const QString first = program.base.file("Hornel/Issl/first.rez");
    QVERIFY(QFile::exists(first));
    QVERIFY(QFile::exists(program.base.file("Hornel/Issl/second.rez")));
    QCOMPARE(questions.size(), 2);
    QCOMPARE(questions[0], "Результаты сохранены в файле:\nрезультаты расчета                  " + first +
                               "\nПродолжить исследования?");
    // The plant's results index is not touched by a study.
    QCOMPARE(program.base.read("svod.12"), indexBefore);
    TForm5* main = W().form5;
    QVERIFY(main->isEnabled());
    QVERIFY(main->ProgressBar1->isHidden());
    QCOMPARE(main->Label1->text(), QString());
}

void ResearchTest::optimalActivityStudyFitsTheTypedOctane() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallModel(program.base));
    SelectSample(program.base);
    RavionObj().Done = false;  // as at the start of the program
    const QByteArray indexBefore = program.base.read("svod.12");
    QStringList offered, prompts;
    QString waitText;
    double target = 0;
    QString summary;
    int choices = 0;
    answers.modal = [&](QDialog* d) -> int {
        if (auto* w = qobject_cast<TResF*>(d)) {
            if (++choices > 2) return int(QDialog::Rejected);
            w->DanF->setText(program.base.file("Hornel/01-09-09/01-09-09.dan"));
            w->DanFExit();
            w->SkF->setText(program.base.file("Hornel/01-09-09/01-09-09.sk"));
            w->SkFExit();
            w->RezF->setText(program.base.file("Hornel/OptAkt/opt") + QString::number(choices));
            w->RezFExit();
            Click(w, "Button4");
            return w->result();
        }
        if (qobject_cast<TForm8*>(d)) {
            Click(d, "Button3");
            return d->result();
        }
        if (auto* report = qobject_cast<TNewReportForm*>(d)) {
            summary = report->Label2->text();
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    };
    answers.text = [&](const QString& prompt, const QString& initial) -> std::optional<QString> {
        prompts << prompt;
        offered << initial;
        waitText = W().form5->Label1->text();
        // First pass: one above the octane number of the file's activity;
        // second: the number offered, the result of the first pass.
        if (offered.size() == 1) return QString("97.5");
        return initial;
    };
    answers.yesNo = [&](const QString&) { return true; };
    W().form5->N32Click();

    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join(" | ")));
    QCOMPARE(W().resF->windowTitle(), QString("Расчет оптимальной активности"));
    QCOMPARE(prompts, (QStringList{"Введите ОЧИ за 01-09-09", "Введите ОЧИ за 01-09-09"}));
    QCOMPARE(waitText, QString("Пожалуйста подождите.             Идет расчет"));
    QCOMPARE(offered.size(), 2);
    QCOMPARE(offered[0], QString());  // nothing calculated yet in this program run
    const ResultsRecord r = ReadResultsFile(program.base.file("Hornel/OptAkt/opt1.rez").toStdString());
    QVERIFY(std::fabs(r.octaneResearch - 97.5) <= 0.051);
    QCOMPARE(offered[1], QString::fromStdString(FormatGeneral(r.octaneResearch)));
    QVERIFY(summary.contains("Оптимальная активность катализатора составила "));
    QCOMPARE(program.base.read("svod.12"), indexBefore);
    QVERIFY(W().form5->isEnabled());
}

void ResearchTest::cancelledOrWrongOctaneEndsTheStudy() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallModel(program.base));
    SelectSample(program.base);
    int choices = 0;
    answers.modal = [&](QDialog* d) -> int {
        if (auto* w = qobject_cast<TResF*>(d)) {
            ++choices;
            w->DanF->setText(program.base.file("Hornel/01-09-09/01-09-09.dan"));
            w->DanFExit();
            w->SkF->setText(program.base.file("Hornel/01-09-09/01-09-09.sk"));
            w->SkFExit();
            w->RezF->setText(program.base.file("Hornel/OptAkt/x.rez"));
            w->RezFExit();
            Click(w, "Button4");
            return w->result();
        }
        if (qobject_cast<TForm8*>(d)) Click(d, "Button3");
        return d->result();
    };
    bool asked = false;
    answers.yesNo = [&](const QString&) { return asked = true; };
    W().form5->N32Click();  // the prompt is cancelled by default
    QCOMPARE(choices, 1);
    QVERIFY(!asked);
    QVERIFY(!program.base.exists("Hornel/OptAkt/x.rez"));
    QVERIFY(W().form5->ProgressBar1->isHidden());
    QCOMPARE(W().form5->Label1->text(), QString());

    answers.text = [](const QString&, const QString&) { return std::optional<QString>("95,x"); };
    W().form5->N32->trigger();
    QCOMPARE(answers.messages, QStringList{"'95,x' is not a valid floating point value"});
    QVERIFY(!asked);
    QVERIFY(W().form5->isEnabled());
    QVERIFY(W().form5->ProgressBar1->isHidden());
    QCOMPARE(W().form5->Label1->text(), QString());
}

// Not a check: with REFORMER_SCREENSHOTS=<folder> the file-choice window is
// saved there as a picture.
void ResearchTest::screenshot() {
    const QString folder = qEnvironmentVariable("REFORMER_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("REFORMER_SCREENSHOTS not set");
    StartedProgram program;
    DialogAnswers answers;
    SelectSample(program.base);
    answers.modal = [&](QDialog* d) {
        d->show();
        QTest::qWait(100);
        d->grab().save(QDir(folder).filePath("research_files_window.png"));
        d->hide();
        return int(QDialog::Rejected);
    };
    W().form5->N32Click();
}

QTEST_MAIN(ResearchTest)
#include "research_test.moc"
