#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include "common/errors.h"
#include "common/files.h"
#include "conditions/conditions_file.h"
#include "results/results_file.h"
#include "run_fixtures.h"
#include "runs/run_object.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

// What the scripted model answers for the activity and dosing it was given.
struct Answer {
    double calculated = 60;    // aromatics, % by mass
    double experimental = 60;
    double octane = 95;
    double chlorine = 1.0;
};

// A model that reads dan.bak as the real one would, logs the activity and
// dosing it receives and writes rez from a script.
class ScriptedModel : public ModelRunner {
public:
    std::function<Answer(double activity, double dosing)> script = [](double, double) { return Answer{}; };
    // Lines (1-based) the model leaves out of its rez, as the model of plant index 8 does.
    std::vector<int> dropLines;
    std::vector<std::pair<double, double>> log;
    std::string lastCommandLine, lastFolder;

    RunOutcome RunModel(const std::string& commandLine, const std::string& workFolder) override {
        lastCommandLine = commandLine;
        lastFolder = workFolder;
        RunConditions r{};
        ReadRunConditions(workFolder + "dan.bak", 4, r);
        log.emplace_back(r[run_slot::kActivity], r[run_slot::kDosing]);
        Answer a = script(r[run_slot::kActivity], r[run_slot::kDosing]);
        ResultsRecord rec;
        rec.sampleDate = EncodeDate(2009, 9, 1);
        rec.activity = r[run_slot::kActivity];
        rec.tableA[8][10] = a.calculated;
        rec.tableA[9][10] = a.experimental;
        rec.octaneResearch = a.octane;
        rec.octaneMotor = a.octane - 9;
        rec.chlorineR202 = a.chlorine;
        std::vector<std::string> lines = SplitLines(FormatResultsFile(rec));
        for (auto it = dropLines.rbegin(); it != dropLines.rend(); ++it) lines.erase(lines.begin() + (*it - 1));
        WriteFileAtomic(workFolder + "rez", JoinLinesCrLf(lines));
        return RunOutcome::Finished;
    }
};

class RunObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.baseFolder = dir.str();
        context.modelBaseFolder = dir.str();
        context.reactorCount = 4;
        context.plantIndex = 11;
        test::WriteRealisticInputs((dir.path() / "Hornel").string(), "01-09-09");
        dir.Write("kelmar.exe", "model");
        object.ProgramPath = JoinPath(dir.str(), "kelmar.exe");
        object.ConditionsPath = JoinPath(dir.str(), "Hornel\\01-09-09.dan");
        object.ResultsPath = JoinPath(dir.str(), "Hornel\\01-09-09.rez");
        object.CompositionPath = JoinPath(dir.str(), "Hornel\\01-09-09.sk");
        object.Runner = &model;
        object.OnModelRun = [this] { ++progressSteps; };
        original = dir.Read("Hornel/01-09-09.dan");
    }

    test::TempDir dir;
    ProgramContext context;
    TRavionObj object{context};
    ScriptedModel model;
    std::string original;
    int progressSteps = 0;
};

TEST_F(RunObjectTest, InitialValues) {
    TRavionObj fresh(context);
    EXPECT_TRUE(fresh.ProgramPath.empty() && fresh.ConditionsPath.empty() && fresh.ResultsPath.empty() &&
                fresh.CompositionPath.empty() && fresh.WorkFolder.empty());
    EXPECT_EQ(fresh.Mode, 0);
    EXPECT_FALSE(fresh.PadResults);
    EXPECT_TRUE(fresh.WriteBack);
    EXPECT_FALSE(fresh.Done);
    EXPECT_EQ(NextProgressPosition(100), 1);
    EXPECT_EQ(NextProgressPosition(0), 1);
    EXPECT_EQ(NextProgressPosition(41), 42);
    EXPECT_EQ(NextProgressPosition(99), 100);
}

TEST_F(RunObjectTest, PrepareInputsCopiesBothFilesBesideTheModel) {
    ASSERT_TRUE(object.PrepareInputs());
    EXPECT_EQ(object.WorkFolder, dir.str() + "\\");
    EXPECT_EQ(dir.Read("dan.bak"), original);
    EXPECT_EQ(dir.Read("sirkat"), dir.Read("Hornel/01-09-09.sk"));
}

TEST_F(RunObjectTest, MissingInputDoesNothing) {
    dir.Write("Hornel/01-09-09.rez", "earlier results");
    for (std::string* path : {&object.ProgramPath, &object.ConditionsPath, &object.CompositionPath}) {
        std::string kept = *path;
        *path += ".missing";
        object.Run();
        *path = kept;
        EXPECT_FALSE(object.Done);
    }
    EXPECT_TRUE(model.log.empty());
    EXPECT_FALSE(fs::exists(dir.path() / "dan.bak"));
    EXPECT_EQ(dir.Read("Hornel/01-09-09.rez"), "earlier results");
}

TEST_F(RunObjectTest, ModeTwoRunsOnceAndRewritesDanBakInRunLayout) {
    object.Mode = 2;
    object.WriteBack = false;
    model.script = [](double, double) { return Answer{70, 60, 95, 1.3}; };  // far off: nothing is fitted
    object.Run();
    EXPECT_TRUE(object.Done);
    ASSERT_EQ(model.log.size(), 1u);
    EXPECT_EQ(model.log[0], std::make_pair(0.95, 1.0));
    EXPECT_EQ(model.lastCommandLine, QuoteArgument(object.ProgramPath) + " dan.bak");
    EXPECT_EQ(model.lastFolder, dir.str() + "\\");
    EXPECT_EQ(progressSteps, 1);
    EXPECT_EQ(object.ModelRuns, 1);

    // dan.bak now holds the run layout, every reactor with the first reactor's dosing.
    RunConditions expected{};
    ParseRunConditions(original, 4, expected);
    for (int i = 0; i < 6; ++i) expected[static_cast<size_t>(i)] = 1.0;
    EXPECT_EQ(dir.Read("dan.bak"), FormatRunLayout(expected, 4));
    EXPECT_EQ(dir.Read("Hornel/01-09-09.dan"), original);  // no write-back
    EXPECT_EQ(dir.Read("Hornel/01-09-09.rez"), dir.Read("rez"));
    EXPECT_DOUBLE_EQ(CalculatedAromatics(object.Results), 70);
}

TEST_F(RunObjectTest, WithinToleranceEndsAfterOneRunAndWritesTheFileBack) {
    context.conditions.activity = 5;
    // Both measures at the edge of their bands as the results file prints them (60.05, 1.01).
    model.script = [](double, double) { return Answer{60.05, 60, 95, 1.0099}; };
    object.Run();
    EXPECT_TRUE(object.Done);
    EXPECT_EQ(model.log.size(), 1u);
    RunConditions expected{};
    ParseRunConditions(original, 4, expected);
    for (int i = 0; i < 6; ++i) expected[static_cast<size_t>(i)] = expected[0];
    EXPECT_EQ(dir.Read("Hornel/01-09-09.dan"), FormatRunLayout(expected, 4));
    EXPECT_DOUBLE_EQ(context.conditions.activity, 0.95);
    EXPECT_DOUBLE_EQ(context.conditions.dosing[0], 1.0);
}

TEST_F(RunObjectTest, ActivityStepBisectsWithTheFullPrecisionMidpoint) {
    // First too high (the bracket opens upwards from 0.95), then too low.
    model.script = [this](double, double) {
        if (model.log.size() == 1) return Answer{62, 60, 95, 1.0};
        if (model.log.size() == 2) return Answer{58, 60, 95, 1.0};
        return Answer{60, 60, 95, 1.0};
    };
    object.Run();
    ASSERT_EQ(model.log.size(), 3u);
    EXPECT_DOUBLE_EQ(model.log[1].first, 50.48);  // (0.95 + 100) / 2 written with two decimals
    // The high bound becomes 50.475, not the 50.48 read back from dan.bak.
    EXPECT_DOUBLE_EQ(context.activityLow, 0.95);
    EXPECT_DOUBLE_EQ(context.activityHigh, 50.475);
    EXPECT_DOUBLE_EQ(model.log[2].first, 25.71);  // (0.95 + 50.475) / 2 = 25.7125
    EXPECT_DOUBLE_EQ(context.dosingLow, 0.1);
    EXPECT_DOUBLE_EQ(context.dosingHigh, 20.0);

    // Too low at the start opens the bracket downwards to -50.
    dir.Write("Hornel/01-09-09.dan", original);
    context.activityLow = context.activityHigh = 0;
    model.log.clear();
    model.script = [this](double, double) { return model.log.size() == 1 ? Answer{58, 60, 95, 1.0} : Answer{}; };
    object.Run();
    EXPECT_DOUBLE_EQ(context.activityLow, -50);
    ASSERT_EQ(model.log.size(), 2u);
    EXPECT_DOUBLE_EQ(model.log[1].first, -24.52);  // (-50 + 0.95) / 2 = -24.525, just below in binary
}

TEST_F(RunObjectTest, DosingPhaseMovesTheRightBracketBound) {
    context.activityLow = 0.5;
    context.activityHigh = 1.5;
    // Aromatics matched; chlorine too high on the first run.
    model.script = [this](double, double) { return Answer{60, 60, 95, model.log.size() == 1 ? 1.2 : 1.0}; };
    object.Run();
    ASSERT_EQ(model.log.size(), 2u);
    EXPECT_DOUBLE_EQ(context.dosingHigh, 1.0);
    EXPECT_DOUBLE_EQ(context.dosingLow, 0.1);
    EXPECT_DOUBLE_EQ(model.log[1].second, 0.55);
    EXPECT_DOUBLE_EQ(context.activityLow, 0);  // entering the dosing phase resets the activity bracket
    EXPECT_DOUBLE_EQ(context.activityHigh, 0);

    // Too low: the low bound moves instead.
    dir.Write("Hornel/01-09-09.dan", original);
    context.dosingLow = 0.1;
    context.dosingHigh = 20.0;
    model.log.clear();
    model.script = [this](double, double) { return Answer{60, 60, 95, model.log.size() == 1 ? 0.98 : 1.0}; };
    object.Run();
    ASSERT_EQ(model.log.size(), 2u);
    EXPECT_DOUBLE_EQ(context.dosingLow, 1.0);
    EXPECT_DOUBLE_EQ(context.dosingHigh, 20.0);
    EXPECT_DOUBLE_EQ(model.log[1].second, 10.5);
    EXPECT_DOUBLE_EQ(context.conditions.dosing[0], 10.5);
}

// A smooth plant: aromatics fall with the activity, chlorine rises with the dosing.
Answer SmoothPlant(double activity, double dosing, double bestActivity, double bestDosing) {
    return Answer{60 + 4 * (bestActivity - activity), 60, 95 + 2 * (bestActivity - activity),
                  1.0 + 0.1 * (dosing - bestDosing)};
}

TEST_F(RunObjectTest, FitsActivityThenDosingAndCarriesTheBracketsToTheNextRun) {
    model.script = [](double a, double d) { return SmoothPlant(a, d, 1.37, 4.2); };
    object.Run();
    ASSERT_TRUE(object.Done);
    EXPECT_LE(std::fabs(CalculatedAromatics(object.Results) - 60), kAromaticsTolerance);
    EXPECT_LE(std::fabs(object.Results.chlorineR202 - 1.0), kChlorineTolerance);
    EXPECT_EQ(progressSteps, object.ModelRuns);
    RunConditions back{};
    ReadRunConditions(object.ConditionsPath, 4, back);
    EXPECT_NEAR(back[run_slot::kActivity], 1.37, 0.02);
    EXPECT_NEAR(back[run_slot::kDosing + 3], 4.2, 0.15);

    // The next date needs another activity and the chlorine is right from the
    // start, so the run begins with whatever bracket the last one left.
    model.log.clear();
    context.activityLow = 1.36;
    context.activityHigh = 1.38;
    model.script = [](double a, double d) { return SmoothPlant(a, d, 3.0, d); };
    object.Run();
    EXPECT_TRUE(object.Done);
    EXPECT_LT(object.ModelRuns, 60);
    EXPECT_NEAR(object.Results.activity, 3.0, 0.02);
}

// The opt-in fitting on a plant whose aromatics fall linearly with the
// activity: one probing step, then the secant goes straight to the answer.
// The next Run starts from the activity written back and counts afresh.
TEST_F(RunObjectTest, FastFittingProbesOnceThenTakesTheSecantStep) {
    object.Fit = FitMethod::Fast;
    model.script = [](double a, double d) { return SmoothPlant(a, d, 1.37, 1.0); };
    object.Run();
    ASSERT_TRUE(object.Done);
    ASSERT_EQ(model.log.size(), 3u);
    EXPECT_DOUBLE_EQ(model.log[0].first, 0.95);
    EXPECT_DOUBLE_EQ(model.log[1].first, 1.00);
    EXPECT_DOUBLE_EQ(model.log[2].first, 1.37);
    EXPECT_EQ(object.ExitCodes.size(), 3u);

    model.log.clear();
    object.Run();
    ASSERT_TRUE(object.Done);
    ASSERT_EQ(model.log.size(), 1u);
    EXPECT_DOUBLE_EQ(model.log[0].first, 1.37);
    EXPECT_EQ(object.ModelRuns, 1);
    EXPECT_EQ(object.ExitCodes.size(), 1u);
}

// Fitting the activity anew forgets the dosing bracket an earlier run left:
// the same inputs take the same steps with or without it, whether the
// dosing must fall (below the bracket's low end) or rise (above its high end).
TEST_F(RunObjectTest, AnActivityStepForgetsTheDosingBracketOfAnEarlierRun) {
    for (const double bestDosing : {0.5, 4.2}) {
        dir.Write("Hornel/01-09-09.dan", original);
        context.activityLow = context.activityHigh = context.dosingLow = context.dosingHigh = 0;
        model.script = [bestDosing](double a, double d) { return SmoothPlant(a, d, 1.37, bestDosing); };
        model.log.clear();
        object.Run();
        ASSERT_TRUE(object.Done);
        const auto fresh = model.log;
        dir.Write("Hornel/01-09-09.dan", original);
        context.activityLow = context.activityHigh = 0;
        context.dosingLow = 0.9;
        context.dosingHigh = 1.1;
        model.log.clear();
        object.Run();
        EXPECT_TRUE(object.Done);
        EXPECT_EQ(model.log, fresh) << bestDosing;
    }
}

TEST_F(RunObjectTest, ModeOneFitsTheOctaneNumber) {
    object.Mode = 1;
    object.TargetOctane = 96.5;
    model.script = [](double a, double d) { return SmoothPlant(a, d, 1.0, 3.0); };  // octane 95 + 2 (1 - a)
    object.Run();
    ASSERT_TRUE(object.Done);
    EXPECT_LE(std::fabs(object.Results.octaneResearch - 96.5), kAromaticsTolerance);
    EXPECT_NEAR(object.Results.activity, 0.25, 0.03);
}

TEST_F(RunObjectTest, GivesUpAfterTheLoopBoundWithoutResults) {
    dir.Write("Hornel/01-09-09.rez", "earlier results");
    model.script = [](double, double) { return Answer{70, 60, 95, 1.0}; };  // never reachable
    const std::string message = test::UserErrorOf([&] { object.Run(); });
    EXPECT_EQ(message, FittingNotConvergedMessage(0));
    EXPECT_NE(message.find("0.051"), std::string::npos);
    EXPECT_NE(message.find("0.01."), std::string::npos);
    EXPECT_EQ(model.log.size(), static_cast<size_t>(kMaxModelRuns));
    EXPECT_FALSE(object.Done);
    EXPECT_EQ(dir.Read("Hornel/01-09-09.rez"), "earlier results");  // a failed re-run loses nothing
    EXPECT_EQ(dir.Read("Hornel/01-09-09.dan"), original);
    EXPECT_NE(FittingNotConvergedMessage(1).find("октановое"), std::string::npos);
}

TEST_F(RunObjectTest, PaddedResultsOfPlantIndexEight) {
    // The model of plant index 8 writes its listing without lines 23-24 and 63-64.
    model.dropLines = {23, 24, 63, 64};
    model.script = [](double a, double d) { return SmoothPlant(a, d, 2.0, 1.0); };
    object.PadResults = true;
    object.Run();
    ASSERT_TRUE(object.Done);
    EXPECT_EQ(SplitLines(dir.Read("rez")).size(), 69u);
    EXPECT_NEAR(object.Results.activity, 2.0, 0.02);
}

TEST(ResultsPadding, SeventyLinesBecomeSeventyFour) {
    test::TempDir dir;
    std::vector<std::string> lines;
    for (int i = 1; i <= 70; ++i) lines.push_back("L" + std::to_string(i));
    const std::string path = dir.Write("rez", JoinLinesCrLf(lines));
    InsertResultsPadding(path);
    std::vector<std::string> padded = SplitLines(test::Slurp(path));
    ASSERT_EQ(padded.size(), 74u);
    EXPECT_EQ(padded[24], "L23");
    EXPECT_EQ(padded[64], "L61");
    for (int empty : {22, 23, 62, 63}) EXPECT_EQ(padded[static_cast<size_t>(empty)], "") << empty;
    EXPECT_EQ(padded[73], "L70");

    // A short file is lengthened rather than refused.
    dir.Write("short", "a\r\nb\r\n");
    InsertResultsPadding((dir.path() / "short").string());
    EXPECT_EQ(SplitLines(dir.Read("short")).size(), 64u);

    // A listing cut inside its last line: padded, it still ends without a
    // line end, so the reader does not take the cut number for a whole one.
    lines.resize(65);
    lines.back() = "L65 cut in 4";
    dir.Write("cut", JoinLinesCrLf(lines).substr(0, JoinLinesCrLf(lines).size() - 2));
    InsertResultsPadding((dir.path() / "cut").string());
    const std::string cut = dir.Read("cut");
    EXPECT_EQ(cut.substr(cut.size() - 14), "\r\nL65 cut in 4");
    EXPECT_EQ(SplitLines(cut).size(), 69u);
}

// Models that misbehave in the ways a real program cannot be made to on
// demand: each ends the calculation with its own words, and nothing is stored.
TEST_F(RunObjectTest, MisbehavingModelsFailTheRunAndStoreNothing) {
    struct Misbehaving : ScriptedModel {
        RunOutcome outcome = RunOutcome::Finished;
        const char* rez = nullptr;  // what it leaves as rez instead of its results; null: its results
        bool writesNothing = false;
        RunOutcome RunModel(const std::string& commandLine, const std::string& workFolder) override {
            if (!writesNothing) ScriptedModel::RunModel(commandLine, workFolder);  // even a rez written does not count
            if (rez) WriteFileAtomic(workFolder + "rez", rez);
            return outcome;
        }
    };
    struct Case {
        RunOutcome outcome;
        bool writesNothing;
        const char* rez;
        const char* problem;
    };
    const Case cases[] = {
        {RunOutcome::Cancelled, false, nullptr, "остановлена: расчет прерван пользователем"},
        {RunOutcome::NotStarted, false, nullptr, "не запустилась"},
        {RunOutcome::Terminated, false, nullptr, "не завершилась за 2 с и была остановлена"},
        {RunOutcome::Crashed, false, nullptr, "завершилась аварийно (сигнал 0)"},
        // The rez of an earlier run lies in the folder: it is not this run's.
        {RunOutcome::Finished, true, nullptr, "не записала файл результатов rez"},
        {RunOutcome::Finished, false, "", "оставила файл результатов rez, который не читается: "},
    };
    for (const Case& c : cases) {
        dir.Write("rez", "the results of an earlier run");
        Misbehaving model;
        model.outcome = c.outcome;
        model.writesNothing = c.writesNothing;
        model.rez = c.rez;
        object.Runner = &model;
        const std::string message = test::UserErrorOf([&] { object.Run(); });
        EXPECT_EQ(message.rfind("Расчет не выполнен: программа kelmar.exe (дата отбора 01-09-09) " + std::string(c.problem), 0),
                  0u) << message;
        EXPECT_FALSE(object.Done) << c.problem;
        EXPECT_FALSE(fs::exists(dir.path() / "Hornel" / "01-09-09.rez")) << c.problem;
        EXPECT_EQ(dir.Read("Hornel/01-09-09.dan"), original) << c.problem;
    }
}

}  // namespace
}  // namespace rw
