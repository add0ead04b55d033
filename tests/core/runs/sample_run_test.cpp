#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <functional>
#include <vector>

#include "common/codepage.h"
#include "common/configuration.h"
#include "common/file_lock.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "conditions/conditions_file.h"
#include "results/results_file.h"
#include "runs/sample_run.h"
#include "runs/run_object.h"
#include "test_support.h"

namespace rw {
namespace {

using test::TempDir;

ConditionsRecord SampleConditions() {
    ConditionsRecord c;
    c.samplingDateText = "01-09-09";
    c.regenerationDateText = "15-03-09";
    c.dosing = {1.5, 2.0, 2.5};
    c.activity = 0.87;
    c.pressure = {25.3, 24.8, 24.1, 23.5};
    c.gasMoisture = 0.21;
    c.inletTemperature = {492.5, 493.1, 494, 495.25};
    c.temperatureDrop = {64.8, 37.6, 14.2, 6};
    c.gasComposition = {84.61, 6.12, 4.35, 2.48, 0.91, 0.83, 0.35, 0.22, 0.13};
    c.gasFlow = 1185.4;
    c.processedFeed = 125.5;
    c.sulphur = 0.5;
    c.feedFlow = 96.4;
    return c;
}

// The results a model leaves: the activity it was given on line 2 of its
// input comes back as the activity of the results, so a test sees which
// input a pass used.
ResultsRecord ModelResults(double activity) {
    ResultsRecord r;
    r.sampleDate = EncodeDate(2009, 9, 1);
    r.sampleDateText.SetText("01.09.2009");
    r.activity = activity;
    r.tableA[8][10] = 61.25;  // calculated aromatics
    r.tableA[9][10] = 62.5;   // experimental aromatics
    r.chlorineR202 = 1.1;
    r.chlorineR203 = 0.95;
    r.chlorineR204 = 0.875;
    r.processedFeed = 125.5;
    return r;
}

// A model that reads the activity of Ver.bak and writes its results; what it
// saw is kept for the test.
class ScriptedModel : public ModelRunner {
public:
    explicit ScriptedModel(std::string base) : base_(std::move(base)) {}
    RunOutcome RunModel(const std::string& commandLine, const std::string& workFolder) override {
        commandLines.push_back(commandLine);
        workFolders.push_back(workFolder);
        rezBeforeRun.push_back(FileExists(JoinPath(base_, "rez")));
        lockedDuringRun.push_back(FileExists(BaseFolderLockPath(base_)));
        sirkats.push_back(ReadFileBytes(JoinPath(base_, "sirkat")));
        const std::string input = ReadFileBytes(JoinPath(base_, "Ver.bak"));
        inputs.push_back(input);
        if (!writeResults) return RunOutcome::Finished;
        std::array<double, 3> dosing{};
        double activity = 0;
        ReadSampleRunDosing(JoinPath(base_, "Ver.bak"), dosing, activity);
        std::string text = FormatResultsFile(ModelResults(activity));
        if (keepLines) {
            std::vector<std::string> lines = SplitLines(text);
            lines.resize(static_cast<size_t>(keepLines));
            text = JoinLinesCrLf(lines);
        }
        if (shortListing) {
            // The listing of the short-listing models lacks four lines.
            std::vector<std::string> lines = SplitLines(text);
            for (int line : {64, 63, 24, 23}) lines.erase(lines.begin() + (line - 1));
            text = JoinLinesCrLf(lines);
        }
        WriteFileAtomic(JoinPath(base_, "rez"), text);
        return RunOutcome::Finished;
    }

    bool writeResults = true;
    bool shortListing = false;
    int keepLines = 0;  // the listing cut after this many lines; 0: whole
    std::vector<std::string> commandLines, workFolders, inputs, sirkats;
    std::vector<bool> rezBeforeRun, lockedDuringRun;

private:
    std::string base_;
};

// The windows of the run, scripted: the review keeps what it is shown
// unless `editReview` changes it; the calibration answers come from a list.
class ScriptedDialogs : public SampleRunDialogs {
public:
    void Review(const ConditionsEditTexts& texts, double samplingDate, double regenerationDate) override {
        ++reviews;
        review = {texts, samplingDate, regenerationDate};
        if (editReview) editReview(review);
    }
    SampleReview ReadReview() override { return review; }
    void Progress(int position) override { progress.push_back(position); }
    void EndProgress() override { progress.push_back(-1); }
    void BeginModelRun() override { modelRunEvents.push_back("begin"); }
    bool KeepWaiting() override {
        ++waits;
        return !cancelAt || waits < cancelAt;
    }
    void EndModelRun() override { modelRunEvents.push_back("end"); }
    void ShowRawResults(const std::string& rezBytes) override {
        shownResults.push_back(rezBytes);
        lockedWhileShown.push_back(Locked());
    }
    bool Calibrate(const CalibrationView& view, std::array<std::string, 4>& edits) override {
        lockedWhileShown.push_back(Locked());
        if (whileCalibrating) whileCalibrating();
        views.push_back(view);
        const size_t pass = views.size() - 1;
        if (pass < answers.size()) {
            edits = answers[pass].first;
            return answers[pass].second;
        }
        return false;
    }

    bool Locked() const { return !base.empty() && FileExists(BaseFolderLockPath(base)); }

    std::string base;  // whose lock is looked for while a window is shown
    std::function<void()> whileCalibrating;  // what other engineers do meanwhile
    std::vector<std::string> modelRunEvents;
    int waits = 0;
    int cancelAt = 0;  // the KeepWaiting call that answers "Прервать"; 0: never
    std::vector<bool> lockedWhileShown;
    int reviews = 0;
    SampleReview review;
    std::function<void(SampleReview&)> editReview;
    std::vector<int> progress;
    std::vector<std::string> shownResults;
    std::vector<CalibrationView> views;
    // Per pass: the edits the user leaves and whether "Продолжить расчет" is chosen.
    std::vector<std::pair<std::array<std::string, 4>, bool>> answers;
};

struct SampleRunFixture {
    TempDir dir;
    std::string base = dir.str();
    std::string dan = dir.Write("Hornel/01-09-09/01-09-09.dan", FormatFormLayout(SampleConditions()));
    std::string sk = dir.Write("Hornel/01-09-09/01-09-09.sk", "line 1\nline 2\n");
    ScriptedModel model{base};
    ScriptedDialogs dialogs;

    SampleRunSetup Setup(int plantIndex) {
        SampleRunSetup setup;
        setup.modelBaseFolder = base;
        setup.plantIndex = plantIndex;
        setup.runner = &model;
        setup.decimalSeparator = ',';
        return setup;
    }
    std::string Line(const std::string& bytes, size_t n) const { return Cp866ToUtf8(SplitLines(bytes).at(n - 1)); }
};

TEST(SampleRun, OnePassWritesVerBakRunsTheModelAndReturnsItsResults) {
    SampleRunFixture f;
    f.dir.Write("rez", "results of the previous sample\r\n");
    f.dialogs.editReview = [](SampleReview& r) {
        r.texts[26] = "130.00";        // processed feed corrected on the form
        r.texts[15] = "84,50";         // gas composition: either decimal separator
        r.samplingDate = EncodeDate(2009, 9, 2);
    };

    const ResultsRecord results = RunSample(f.dan, f.sk, f.Setup(11), f.dialogs);

    // The composition goes to the model line by line, so always with CR LF.
    EXPECT_EQ(test::Slurp(f.dir.path() / "sirkat"), "line 1\r\nline 2\r\n");
    // The review shows the file: feed flow Fixed(4,1), the others Fixed(6,2).
    EXPECT_EQ(f.dialogs.reviews, 1);
    ASSERT_EQ(f.model.inputs.size(), 1u);
    EXPECT_EQ(f.model.commandLines[0], "kelmar.exe Ver.bak");
    EXPECT_EQ(f.model.workFolders[0], f.base);
    EXPECT_FALSE(f.model.rezBeforeRun[0]) << "the previous rez must be gone before the model starts";

    // Ver.bak: form-layout value counts, run-layout labels and indents, cp866.
    const std::string& verBak = f.model.inputs[0];
    EXPECT_EQ(f.Line(verBak, 1), "  1.50  2.00  2.50       Подача дихлорэтана по реакторам (Р-202, Р-203, Р-204), ррм.");
    EXPECT_EQ(f.Line(verBak, 2), "  0.87      Активность катализатора (условная еденица)");
    EXPECT_EQ(f.Line(verBak, 3),
              " 25.30  24.80  24.10  23.50      Давление по реакторам (Р-202, Р-203, Р-204, Р-205), атм.");
    EXPECT_EQ(f.Line(verBak, 7),
              "84.50000 6.12000 4.35000 2.48000 0.91000 0.83000 0.35000 0.22000 0.13000         "
              "Состав ВСГ (H2, C1, C2, C3, n-C4, i-C4, n-C5, i-C5, C6), %");
    EXPECT_EQ(f.Line(verBak, 9), "130.00      Дней после регенерации");
    EXPECT_EQ(f.Line(verBak, 11), " 96.40      Расход сырья, м3/час");
    EXPECT_EQ(f.Line(verBak, 12), "02.09.09             Дата отбора");
    EXPECT_EQ(f.Line(verBak, 13), "15.03.09               Дата регенерации катализатора");
    EXPECT_EQ(SplitLines(verBak).size(), 13u);
    EXPECT_EQ(Utf8ToCp866(Cp866ToUtf8(verBak)), verBak);
    EXPECT_NE(verBak.find("\r\n"), std::string::npos);

    EXPECT_EQ(f.dialogs.progress, (std::vector<int>{20, 40, 60, 80, 85, 95, 100, -1}));
    ASSERT_EQ(f.dialogs.shownResults.size(), 1u);
    EXPECT_EQ(f.dialogs.shownResults[0], FormatResultsFile(ModelResults(0.87)));

    // The calibration dialog: results with precision 5 and 3 decimals in the
    // regional notation, the dosing and activity of Ver.bak in Fixed(7,3).
    ASSERT_EQ(f.dialogs.views.size(), 1u);
    const CalibrationView& view = f.dialogs.views[0];
    EXPECT_EQ(view.experimentalAromatics, "62,500");
    EXPECT_EQ(view.calculatedAromatics, "61,250");
    EXPECT_EQ(view.chlorine, (std::array<std::string, 3>{"1,100", "0,950", "0,875"}));
    EXPECT_EQ(view.edits, (std::array<std::string, 4>{"  1.500", "  2.000", "  2.500", "  0.870"}));
    EXPECT_EQ(results.activity, 0.87);
    // Five significant digits: a value of three integer digits loses its third decimal.
    ResultsRecord wide = ModelResults(0.87);
    wide.chlorineR202 = 123.456;
    EXPECT_EQ(MakeCalibrationView(wide, {}, 0, ',').chlorine[0], "123,460");
}

TEST(SampleRun, ContinuedPassRunsWithTheCalibratedDosingAndActivity) {
    SampleRunFixture f;
    f.dialogs.answers = {{{"1.8", "2.1", "  2.500", "0.925"}, true}, {{"1,9", "", "x", "0.9"}, false}};

    const ResultsRecord results = RunSample(f.dan, f.sk, f.Setup(0), f.dialogs);

    EXPECT_EQ(f.dialogs.reviews, 1) << "the conditions form is shown once";
    ASSERT_EQ(f.model.inputs.size(), 2u);
    EXPECT_EQ(f.model.commandLines[1], "vortan.exe Ver.bak");
    EXPECT_EQ(f.Line(f.model.inputs[1], 1).substr(0, 18), "  1.80  2.10  2.50");
    EXPECT_EQ(f.Line(f.model.inputs[1], 2).substr(0, 6), "  0.93");
    // Everything else of Ver.bak is as on the first pass.
    std::vector<std::string> first = SplitLines(f.model.inputs[0]), second = SplitLines(f.model.inputs[1]);
    EXPECT_TRUE(std::equal(first.begin() + 2, first.end(), second.begin() + 2));
    EXPECT_FALSE(f.model.rezBeforeRun[1]);
    EXPECT_EQ(f.dialogs.views[1].edits[3], "  0.930");  // as the second Ver.bak holds it
    EXPECT_EQ(results.activity, 0.93) << "the results of the last pass";
    EXPECT_EQ(f.dialogs.progress.size(), 16u);
}

TEST(SampleRun, ShortListingModelsGetTheirResultsPadded) {
    for (int plantIndex : {8, 13, 12}) {
        SampleRunFixture f;
        f.model.shortListing = plantIndex != 12;
        const ResultsRecord results = RunSample(f.dan, f.sk, f.Setup(plantIndex), f.dialogs);
        const std::string full = FormatResultsFile(ModelResults(0.87));
        // After padding, the shown file and the results are those of a full listing
        // except for the four lines the model left out, now empty.
        std::vector<std::string> shown = SplitLines(f.dialogs.shownResults.at(0));
        ASSERT_EQ(shown.size(), SplitLines(full).size()) << plantIndex;
        if (plantIndex != 12) {
            EXPECT_EQ(shown[22], "");
            EXPECT_EQ(shown[23], "");
            EXPECT_EQ(shown[62], "");
            EXPECT_EQ(shown[63], "");
        }
        EXPECT_EQ(shown[24], SplitLines(full)[24]) << plantIndex;
        EXPECT_EQ(shown[64], SplitLines(full)[64]) << plantIndex;
        EXPECT_EQ(results.chlorineR202, 1.1) << plantIndex;
    }
}

TEST(SampleRun, FailuresEndTheRunWithTheBarHidden) {
    {
        // The model left nothing: the stale rez was removed, so this is an
        // error rather than the previous sample's results.
        SampleRunFixture f;
        f.dir.Write("rez", FormatResultsFile(ModelResults(5)));
        f.model.writeResults = false;
        EXPECT_THROW(RunSample(f.dan, f.sk, f.Setup(0), f.dialogs), UserError);
        EXPECT_EQ(f.dialogs.progress.back(), -1);
        EXPECT_TRUE(f.dialogs.views.empty());
    }
    {
        // A conditions file that does not match stops before anything is shown.
        SampleRunFixture f;
        f.dir.Write("Hornel/01-09-09/01-09-09.dan", "  1.00  2.00\r\nabc\r\n");
        EXPECT_EQ(test::UserErrorOf([&] { RunSample(f.dan, f.sk, f.Setup(0), f.dialogs); }), "Invalid numeric input");
        EXPECT_EQ(f.dialogs.reviews, 0);
        EXPECT_TRUE(f.dialogs.progress.empty());
    }
    {
        // A gas composition that is no number on the form.
        SampleRunFixture f;
        f.dialogs.editReview = [](SampleReview& r) { r.texts[17] = "4..3"; };
        EXPECT_THROW(RunSample(f.dan, f.sk, f.Setup(0), f.dialogs), UserError);
        EXPECT_EQ(f.dialogs.progress, (std::vector<int>{20, -1}));
    }
}

// The working configuration while a test runs; the described one after it.
struct WorkingConfigurationScope {
    WorkingConfigurationScope() { SetConfiguration(Configuration::Working); }
    ~WorkingConfigurationScope() { SetConfiguration(Configuration::Described); }
};

// A damaged sample file is refused before the review, with the line and the
// text named, where the positional reader would take "65" of "65,00".
TEST(SampleRun, DamagedConditionsFileIsRefusedBeforeTheReview) {
    WorkingConfigurationScope working;
    SampleRunFixture f;
    std::string bytes = ReadFileBytes(f.dan);
    const size_t at = bytes.find('.', bytes.find("\r\n", bytes.find("\r\n") + 2));
    bytes[at] = ',';
    f.dir.Write("Hornel/01-09-09/01-09-09.dan", bytes);
    const std::string message = test::UserErrorOf([&] { RunSample(f.dan, f.sk, f.Setup(0), f.dialogs); });
    EXPECT_NE(message.find("строка 3"), std::string::npos) << message;
    EXPECT_EQ(f.dialogs.reviews, 0);
    EXPECT_TRUE(f.model.commandLines.empty());
}

TEST(SampleRun, BaseFolderIsLockedOnlyWhileTheModelRuns) {
    SampleRunFixture f;
    ProgramContext context;
    context.baseFolder = f.base;
    context.plantIndex = 11;
    f.dialogs.base = f.base;
    f.dialogs.answers = {{{"1.8", "2.1", "2.5", "0.9"}, true}};
    SampleRunSetup setup = f.Setup(11);
    setup.lockContext = &context;

    // Another calculation puts its own composition beside the model while
    // the user calibrates: the next pass puts this sample's back.
    f.dialogs.whileCalibrating = [&f] { f.dir.Write("sirkat", "another plant's composition\r\n"); };
    RunSample(f.dan, f.sk, setup, f.dialogs);
    EXPECT_EQ(f.model.sirkats, (std::vector<std::string>(2, "line 1\r\nline 2\r\n")));
    EXPECT_EQ(f.model.lockedDuringRun, (std::vector<bool>{true, true}));
    EXPECT_EQ(f.dialogs.lockedWhileShown, (std::vector<bool>{false, false, false, false}));
    EXPECT_FALSE(f.dialogs.Locked());
    // The described configuration waits for the model as long as it takes:
    // no "Прервать" to offer.
    EXPECT_TRUE(f.dialogs.modelRunEvents.empty());

    f.dialogs.answers.clear();
    f.dialogs.views.clear();
    f.model.keepLines = 67;
    WorkingConfigurationScope working;
    // A listing cut short is a failed run of this sample, and the lock goes with it.
    EXPECT_EQ(test::UserErrorOf([&] { RunSample(f.dan, f.sk, setup, f.dialogs); }),
              "Расчет не выполнен: программа kelmar.exe (дата отбора 01-09-09) оставила неполный файл результатов rez: "
              "обрывается после строки 67 (нужно 69 строк). Результаты расчета не сохранены.");
    EXPECT_TRUE(f.dialogs.views.empty());
    EXPECT_EQ(f.dialogs.progress.back(), -1);
    EXPECT_EQ(f.dialogs.modelRunEvents, (std::vector<std::string>{"begin", "end"}));
    EXPECT_FALSE(f.dialogs.Locked());
}

// The model program itself, hung: the working configuration stops it at the
// reforming run's limit, or when the user presses "Прервать", and the run
// fails for its sample with the lock free and nothing shown to calibrate.
TEST(SampleRun, HungModelEndsAtItsLimitOrWhenStopped) {
    struct Case {
        const char* name;
        int cancelAt;
        std::string problem;
    };
    const Case cases[] = {
        {"time limit", 0, "не завершилась за 2 с и была остановлена"},
        {"Прервать", 3, "остановлена: расчет прерван пользователем"},
    };
    WorkingConfigurationScope working;
    for (const Case& c : cases) {
        SampleRunFixture f;
        const std::string model = f.dir.Write("kelmar.exe", "#!/bin/sh\nexec sleep 30\n");
        ::chmod(model.c_str(), 0755);
        f.dir.Write("rez", FormatResultsFile(ModelResults(5)));
        ProgramContext context;
        context.baseFolder = f.base;
        context.plantIndex = 11;
        f.dialogs.base = f.base;
        f.dialogs.cancelAt = c.cancelAt;
        SampleRunSetup setup = f.Setup(11);
        setup.runner = nullptr;
        setup.lockContext = &context;

        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(test::UserErrorOf([&] { RunSample(f.dan, f.sk, setup, f.dialogs); }),
                  "Расчет не выполнен: программа kelmar.exe (дата отбора 01-09-09) " + c.problem +
                      ". Результаты расчета не сохранены.")
            << c.name;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(seconds, c.cancelAt ? 1.5 : 10.0) << c.name;
        EXPECT_GE(seconds, c.cancelAt ? 0.0 : 2.0) << c.name;
        EXPECT_EQ(f.dialogs.modelRunEvents, (std::vector<std::string>{"begin", "end"})) << c.name;
        EXPECT_TRUE(f.dialogs.shownResults.empty()) << c.name;
        EXPECT_TRUE(f.dialogs.views.empty()) << c.name;
        EXPECT_EQ(f.dialogs.progress.back(), -1) << c.name;
        EXPECT_FALSE(f.dialogs.Locked()) << c.name;
        EXPECT_FALSE(FileExists(JoinPath(f.base, "rez"))) << c.name << ": an earlier sample's results are not this one's";
    }
}

}  // namespace
}  // namespace rw
