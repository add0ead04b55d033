// The reforming calculation of the main menu driven offscreen with the
// stand-in model: confirmation, review of the conditions, the run, the
// results index, the result windows and the summary; and its failures.
#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>

#include "common/codepage.h"
#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "common/number_format.h"
#include "conditions/conditions_form.h"
#include "results/comparison_window.h"
#include "results/results_index.h"
#include "results/results_window.h"
#include "runs/calculation_confirmation.h"
#include "runs/feed_info_window.h"
#include "runs/reforming_calculation.h"
#include "runs/external_program.h"
#include "runs/run_object.h"
#include "runs/wizard_window.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

namespace fs = std::filesystem;

QString TestData(const QString& relative) { return QString(REFORMER_TEST_DATA) + "/" + relative; }

// The stand-in model programs beside the data, as an installation has them.
bool InstallStandIns(const TempBaseFolder& base) { return CopyStandIns(base, {"vortan.exe", "vortan-10.exe", "kelmar.exe", "selvin.exe"}); }

// Plant row `row` selected and its sampling date 01-09-09 (the sample's
// conditions and composition) chosen as data selection leaves it.
void SelectSample(const TempBaseFolder& base, int row) {
    SelectPlant(Context(), row);
    FinishPlantSelection(Context(), row);
    ProgramContext& c = Context();
    const QString folder = QString::fromStdString(c.plantFolder.substr(c.baseFolder.size() + 1)).replace('\\', '/') +
                           "/01-09-09/";
    base.write(folder + "01-09-09.dan", base.read("Hornel/01-09-09/01-09-09.dan"));
    QFile sk(TestData("pipeline/01-09-09.sk"));
    sk.open(QIODevice::ReadOnly);
    base.write(folder + "01-09-09.sk", sk.readAll());
    if (row == 11) {
        W().form5->N12Click();
    } else {
        c.dataFolder = c.plantFolder + "\\01-09-09\\";
        c.sampleName = "01-09-09";
        W().form5->N8->setEnabled(true);
    }
}

// What the windows showed while the calculation ran.
struct Seen {
    bool mainDisabledAtConfirmation = false;
    QString plantShown, sampleShown, processShown;
    bool nextShown = false, backHidden = false;
    QString edit26, edit1, edit15;
    QString headline, summary;
    bool baseFolderFreeAtResults = false;
};

// Whether another instance could take the base folder now.
bool BaseFolderFree() { return !FileExists(ToNative(BaseFolderLockPath(Context().baseFolder))); }

// Answers "Да", then "Далее" on the review (after `edit` changes the form's
// texts), and records the results window.
std::function<int(QDialog*)> Answer(Seen& seen, std::function<void(TForm8*)> edit = nullptr,
                                    int confirmation = QDialog::Accepted) {
    return [&seen, edit, confirmation](QDialog* d) -> int {
        if (auto* confirm = qobject_cast<TForm6*>(d)) {
            seen.mainDisabledAtConfirmation = !W().form5->isEnabled();
            seen.plantShown = confirm->Label5->text();
            seen.sampleShown = confirm->Label6->text();
            seen.processShown = confirm->Label8->text();
            Click(d, confirmation == QDialog::Accepted ? "BitBtn1" : "BitBtn2");
            return d->result();
        }
        if (auto* form = qobject_cast<TForm8*>(d)) {
            seen.nextShown = !form->Button3->isHidden();
            seen.backHidden = form->Button1->isHidden() && form->Button2->isHidden();
            seen.edit26 = form->Edit26->text();
            seen.edit1 = form->Edit1->text();
            seen.edit15 = form->Edit15->text();
            if (edit) edit(form);
            Click(d, "Button3");
            return d->result();
        }
        if (auto* report = qobject_cast<TNewReportForm*>(d)) {
            seen.headline = report->Label1->text();
            seen.summary = report->Label2->text();
            seen.baseFolderFreeAtResults = BaseFolderFree();
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    };
}

void ExpectMainWindowFree() {
    TForm5* main = W().form5;
    QVERIFY(main->isEnabled());
    QVERIFY(main->ProgressBar1->isHidden());
    QCOMPARE(main->Label1->text(), QString());
}

}  // namespace

class ReformingCalculationTest : public QObject {
    Q_OBJECT

private slots:
    void runWithTheStandInModelFillsTheWindows();
    void summaryOfPlantIndex8HasNoOctaneLine();
    void textsTypedIntoTheReviewAreReadBack();
    void gasCompositionThatIsNotANumberGivesTheMainWindowBack();
    void answerNoRunsNothing();
    void wizardSelectsDataAndRuns();
    void dosingProgramRunsInTheBaseFolder();
    void failingModelStoresNothing();
    void cancelTerminatesTheModel();
};

void ReformingCalculationTest::runWithTheStandInModelFillsTheWindows() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallStandIns(program.base));
    SelectSample(program.base, 11);
    QVERIFY(W().form5->N8->isEnabled());
    const QByteArray indexBefore = program.base.read("svod.12");
    Seen seen;
    answers.modal = Answer(seen);

    W().form5->N8Click();

    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join(" | ")));
    QVERIFY(seen.mainDisabledAtConfirmation);
    QCOMPARE(seen.plantShown, QString::fromStdString(Context().plantCaption));
    QCOMPARE(seen.sampleShown, QString("01-09-09"));
    QCOMPARE(seen.processShown, QString("Риформинг"));
    // The results window waits for the user with the base folder free.
    QVERIFY(seen.baseFolderFreeAtResults);
    QVERIFY(seen.nextShown);
    QVERIFY(seen.backHidden);
    QCOMPARE(seen.edit26, QString("586911.00"));
    QCOMPARE(seen.edit1, QString("65.0"));
    QCOMPARE(seen.edit15, QString(" 81.20"));

    // The results stored beside the conditions and in the plant's index.
    QVERIFY(program.base.exists("Hornel/01-09-09/01-09-09.rez"));
    const std::string rezPath = program.base.file("Hornel/01-09-09/01-09-09.rez").toStdString();
    const ResultsRecord results = ReadResultsFile(rezPath);
    QCOMPARE(RavionObj().Results.activity, results.activity);
    const std::vector<ResultsRecord> index = ReadResultsIndex(program.base.file("svod.12").toStdString());
    const bool inIndex = std::any_of(index.begin(), index.end(),
                                     [&](const ResultsRecord& r) { return r.sampleDate == results.sampleDate; });
    QVERIFY(inIndex);
    QVERIFY(program.base.read("svod.12") != indexBefore);

    // The summary, five lines with the octane numbers.
    QCOMPARE(seen.headline, QString("Расчет проведен успешно."));
    const QStringList lines = seen.summary.split('\n');
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QString("На текущую дату 01-09-09 переработанно 586911 тонн сырья."));
    QCOMPARE(lines[1], "Текущая активность катализатора составила " +
                           QString::fromStdString(FormatGeneral(results.activity)) + " условных едениц.");
    QCOMPARE(lines[4], "Октановое число катализата: " + QString::fromStdString(FormatGeneral(results.octaneMotor)) +
                           " (M.M.), " + QString::fromStdString(FormatGeneral(results.octaneResearch)) + " (И.М.).");

    // The comparison and feed information windows.
    TForm12* cmp = W().form12;
    QCOMPARE(cmp->Label25->text(), QString("01-09-09"));
    QCOMPARE(cmp->Label15->text(), QString::fromStdString(FormatFixedPrecision(results.activity, 7, 3)));
    QCOMPARE(cmp->Label29->text(), QString::fromStdString(FormatFixedPrecision(results.octaneResearch, 7, 3)));
    QCOMPARE(cmp->Label12->text(),
             QString::fromStdString(FormatFixedPrecision(MethylcyclopentaneContent(results), 7, 3)));
    QCOMPARE(W().form30->Label9->text(), QString("01-09-09"));
    QCOMPARE(W().form30->F1->text().trimmed(), QString("86"));
    QCOMPARE(W().form30->F6->text().trimmed(), QString("0.730"));

    // The conditions file now holds the run layout the model wrote back,
    // followed by the fifth reactor's lines 14 and 15 as the user entered them.
    const std::vector<std::string> dan =
        SplitLines(Cp866ToUtf8(ReadFileBytes(program.base.file("Hornel/01-09-09/01-09-09.dan").toStdString())));
    QCOMPARE(dan.size(), size_t(15));

    ExpectMainWindowFree();
    QCOMPARE(W().form5->ProgressBar1->value(), 100);
    QVERIFY(!W().form5->N8->isEnabled());
    QVERIFY(W().form5->N15->isEnabled());
    QCOMPARE(QString::fromStdString(RavionObj().ResultsPath), QString::fromStdString(Context().dataFolder) + "01-09-09.rez");
}

void ReformingCalculationTest::summaryOfPlantIndex8HasNoOctaneLine() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallStandIns(program.base));
    SelectSample(program.base, 8);
    Seen seen;
    answers.modal = Answer(seen);
    W().form5->N8Click();
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join(" | ")));
    const QStringList lines = seen.summary.split('\n');
    QCOMPARE(lines.size(), 4);
    QVERIFY(!seen.summary.contains("Октановое"));
    QVERIFY(lines[3].startsWith("Расчетная и экспериментальная концентрация ароматики в катализате: "));
    // The padded listing is read in its place: the aromatics are those the model fitted.
    QVERIFY(std::abs(CalculatedAromatics(RavionObj().Results) - ExperimentalAromatics(RavionObj().Results)) <= 0.051);
    QVERIFY(program.base.exists("svod.9"));
}

void ReformingCalculationTest::textsTypedIntoTheReviewAreReadBack() {
    RunConditions record{};
    record[run_slot::kProcessedFeed] = 1000;
    record[run_slot::kFeedFlow] = 65;
    record[run_slot::kGasComposition] = 81.2;
    record[run_slot::kPressure + 3] = 27;  // the fourth reactor is not on the form
    ConditionsEditTexts current;
    current[27] = "keep";
    ConditionsEditTexts texts = ReviewTexts(record, current);
    QCOMPARE(QString::fromStdString(texts[26]), QString("1000.00"));
    QCOMPARE(QString::fromStdString(texts[1]), QString("65.0"));
    QCOMPARE(QString::fromStdString(texts[15]), QString(" 81.20"));
    QCOMPARE(QString::fromStdString(texts[27]), QString("keep"));

    texts[26] = "1500,5";  // plain conversion: the number the text begins with
    texts[1] = "abc";      // none: 0
    texts[15] = "80,5";    // TextToNumber takes the comma
    ReadBackReviewTexts(texts, record);
    QCOMPARE(record[run_slot::kProcessedFeed], 1500.0);
    QCOMPARE(record[run_slot::kFeedFlow], 0.0);
    QCOMPARE(record[run_slot::kGasComposition], 80.5);
    QCOMPARE(record[run_slot::kPressure + 3], 27.0);

    texts[16] = "x";
    RunConditions before = record;
    QVERIFY_THROWS_EXCEPTION(UserError, ReadBackReviewTexts(texts, record));
    QVERIFY(record == before);
}

void ReformingCalculationTest::gasCompositionThatIsNotANumberGivesTheMainWindowBack() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallStandIns(program.base));
    SelectSample(program.base, 11);
    const QByteArray dan = program.base.read("Hornel/01-09-09/01-09-09.dan");
    Seen seen;
    // A text the form's own filter lets through but TextToNumber refuses.
    answers.modal = Answer(seen, [](TForm8* form) { form->Edit16->setText("."); });
    QVERIFY(!RunHandler(nullptr, [] { W().form5->N8Click(); }));
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0], QString("'.' is not a valid floating point value"));
    ExpectMainWindowFree();
    QVERIFY(!program.base.exists("Hornel/01-09-09/01-09-09.rez"));
    QCOMPARE(program.base.read("Hornel/01-09-09/01-09-09.dan"), dan);
}

void ReformingCalculationTest::answerNoRunsNothing() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallStandIns(program.base));
    SelectSample(program.base, 11);
    Seen seen;
    answers.modal = Answer(seen, nullptr, TForm6::kResultNo);
    // The date has no results yet: the index update that follows says so.
    QVERIFY(!RunHandler(nullptr, [] { W().form5->N8Click(); }));
    QCOMPARE(answers.messages, QStringList{"File not found"});
    QCOMPARE(answers.modalShown.size(), 1);
    QVERIFY(!program.base.exists("Hornel/01-09-09/01-09-09.rez"));
    QVERIFY(W().form5->isEnabled());
    QVERIFY(W().form5->N8->isEnabled());
    QVERIFY(W().form5->N15->isEnabled());

    // With results on disk, "Нет" adds them to the index as they are.
    QFile rez(TestData("results/base.rez"));
    rez.open(QIODevice::ReadOnly);
    program.base.write("Hornel/01-09-09/01-09-09.rez", rez.readAll());
    answers.messages.clear();
    W().form5->N8Click();
    QVERIFY(answers.messages.isEmpty());
    const auto index = ReadResultsIndex(program.base.file("svod.12").toStdString());
    QVERIFY(std::any_of(index.begin(), index.end(), [](const ResultsRecord& r) {
        return r.sampleDateText.Text() == "01.09.2009";
    }));
}

void ReformingCalculationTest::wizardSelectsDataAndRuns() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallStandIns(program.base));
    SelectSample(program.base, 11);
    W().form5->N8->setEnabled(false);
    Seen seen;
    answers.modal = Answer(seen, nullptr, TForm6::kResultNo);
    TForm16* wizard = W().form16;
    QCOMPARE(wizard->windowTitle(), QString("мастер расчетов"));
    W().form5->N23Click();
    QVERIFY(wizard->isVisible());
    QVERIFY(!W().form5->isEnabled());
    wizard->Button1->click();  // "Назад"
    QVERIFY(!wizard->isVisible());
    QVERIFY(W().form5->isEnabled());
    QVERIFY(answers.modalShown.isEmpty());

    // "Далее": data selection enables the calculation, which then asks.
    W().form5->N23Click();
    wizard->Button2->click();
    QVERIFY(!wizard->isVisible());
    QCOMPARE(answers.modalShown.size(), 1);
    QCOMPARE(answers.modalShown[0], static_cast<QDialog*>(W().form6));
}

void ReformingCalculationTest::dosingProgramRunsInTheBaseFolder() {
    StartedProgram program;
    DialogAnswers answers;
    // A program in place of the dosing program that leaves a mark where it ran.
    program.base.write("selvin.exe", "#!/bin/sh\npwd > selvin.ran\n");
    QFile::setPermissions(program.base.file("selvin.exe"), QFile::permissions(program.base.file("selvin.exe")) |
                                                               QFileDevice::ExeOwner);
    W().form5->N21Click();
    QVERIFY(program.base.exists("selvin.ran"));
    QCOMPARE(QString::fromUtf8(program.base.read("selvin.ran")).trimmed(),
             QDir(program.base.path()).canonicalPath());
    QVERIFY(answers.messages.isEmpty());

    // Without the program nothing is reported.
    program.base.remove("selvin.exe");
    W().form5->N21Click();
    QVERIFY(answers.messages.isEmpty());
}


namespace {

// The plant's model replaced by a script; the sample selected, with results of an earlier calculation.
void PrepareWithModel(StartedProgram& program, const char* script) {
    QVERIFY(InstallStandIns(program.base));
    SelectSample(program.base, 11);
    program.base.write("Hornel/01-09-09/01-09-09.rez", "earlier results");
    const QString path = program.base.file("kelmar.exe");
    program.base.write("kelmar.exe", script);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

QStringList Failure(const std::string& problem) {
    return {QString::fromStdString(FailedRunMessage("kelmar.exe", "01-09-09", problem))};
}

}  // namespace

void ReformingCalculationTest::failingModelStoresNothing() {
    StartedProgram program;
    DialogAnswers answers;
    PrepareWithModel(program, "#!/bin/sh\nexit 0\n");
    const QByteArray index = program.base.read("svod.12");
    Seen seen;
    answers.modal = Answer(seen);
    QVERIFY(!RunHandler(nullptr, [] { W().form5->N8Click(); }));
    QCOMPARE(answers.messages, Failure("не записала файл результатов rez"));
    QCOMPARE(seen.headline, QString());  // no success window
    QCOMPARE(program.base.read("Hornel/01-09-09/01-09-09.rez"), QByteArray("earlier results"));
    QCOMPARE(program.base.read("svod.12"), index);
    ExpectMainWindowFree();
}

void ReformingCalculationTest::cancelTerminatesTheModel() {
    StartedProgram program;
    DialogAnswers answers;
    PrepareWithModel(program, "#!/bin/sh\nexec sleep 30\n");
    Seen seen;
    answers.modal = Answer(seen);
    bool buttonShown = false, menuLocked = false;
    QTimer::singleShot(300, [&] {
        QPushButton* cancel = W().form5->CancelRun;
        buttonShown = !cancel->isHidden() && cancel->isEnabled() && cancel->text() == "Прервать";
        menuLocked = !W().form5->MainMenu1->isEnabled();
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    const auto start = std::chrono::steady_clock::now();
    QVERIFY(!RunHandler(nullptr, [] { W().form5->N8Click(); }));
    // Stopped by the click, long before the model's own limit.
    QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::milliseconds(kModelTimeLimitMs));
    QVERIFY(buttonShown && menuLocked);
    QCOMPARE(answers.messages, Failure("остановлена: расчет прерван пользователем"));
    QCOMPARE(program.base.read("Hornel/01-09-09/01-09-09.rez"), QByteArray("earlier results"));
    ExpectMainWindowFree();
    QVERIFY(W().form5->MainMenu1->isEnabled() && W().form5->CancelRun->isHidden());
}

QTEST_MAIN(ReformingCalculationTest)
#include "reforming_calculation_test.moc"
