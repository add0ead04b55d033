// The demonstration model as the build installs it, run as a program.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <thread>

#include "common/files.h"
#include "conditions/conditions_file.h"
#include "results/results_file.h"
#include "run_fixtures.h"
#include "runs/external_program.h"
#include "runs/run_object.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

class StandInModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string built = test::BuiltStandInModel();
        if (built.empty()) GTEST_SKIP() << "the stand-in model is not built";
        fs::create_directories(base);
        fs::copy_file(built, base / "kelmar.exe");
        fs::copy_file(test::SourceDataTree() + "/l90.12", base / "l90");
    }

    // One model run on the given conditions (run layout, four reactors) and composition.
    ResultsRecord RunOnce(const RunConditions& r, const CompositionRecord& c = test::RealisticComposition(),
                          const std::string& argument = "dan.bak") {
        WriteRunLayout(JoinPath(folder, "dan.bak"), r, 4);
        WriteFileAtomic(JoinPath(folder, "sirkat"), ComposeCompositionFile(c, CompositionStyle::Formation));
        DeleteFile(JoinPath(folder, "rez"));
        EXPECT_EQ(RunExternalProgram("kelmar.exe " + argument, folder, WindowMode::Hidden, kModelTimeLimitMs),
                  RunOutcome::Finished);
        return ReadResultsFile(JoinPath(folder, "rez"));
    }

    static RunConditions Realistic() {
        RunConditions r{};
        ParseRunConditions(FormatFormLayout(test::RealisticConditions()), 4, r);
        return r;
    }

    // The program may be installed below a folder with blanks and Cyrillic letters.
    test::TempDir top;
    fs::path base = top.path() / "Программа риформинга";
    std::string folder = base.string();
};

TEST_F(StandInModelTest, ResultsMoveTheWayTheFittingExpects) {
    const RunConditions base = Realistic();
    const ResultsRecord r0 = RunOnce(base);
    EXPECT_NEAR(ExperimentalAromatics(r0), 60.74, 0.01);  // the catalyzate of sirkat
    EXPECT_EQ(r0.sampleDateText.Text(), "01.09.2009");
    EXPECT_GT(CalculatedAromatics(r0), 40);
    EXPECT_LT(CalculatedAromatics(r0), 85);
    EXPECT_GT(r0.reformateYield, 75);
    EXPECT_LT(r0.reformateYield, 95);
    EXPECT_GT(HydrogenYield(r0), 1);
    EXPECT_GT(r0.coke, 0);
    EXPECT_NEAR(r0.processedFeed, 586911, 0.1);

    RunConditions r = base;
    r[run_slot::kActivity] = 1.5;
    const ResultsRecord moreActive = RunOnce(r);
    EXPECT_LT(CalculatedAromatics(moreActive), CalculatedAromatics(r0));
    EXPECT_LT(moreActive.octaneResearch, r0.octaneResearch);
    EXPECT_LT(moreActive.octaneMotor, r0.octaneMotor);

    r = base;
    for (int i = 0; i < 4; ++i) r[static_cast<size_t>(run_slot::kInletTemperature + i)] += 8;
    EXPECT_GT(CalculatedAromatics(RunOnce(r)), CalculatedAromatics(r0));

    CompositionRecord richer = test::RealisticComposition();
    richer.feed[29] += 3;  // methylcyclohexane
    richer.feed[25] -= 3;  // n-heptane
    EXPECT_GT(CalculatedAromatics(RunOnce(base, richer)), CalculatedAromatics(r0));

    r = base;
    r[run_slot::kDosing] = 3;
    const ResultsRecord moreChlorine = RunOnce(r);
    EXPECT_GT(moreChlorine.chlorineR202, r0.chlorineR202);
    r[run_slot::kGasMoisture] = 0.05;
    EXPECT_LT(RunOnce(r).chlorineR202, moreChlorine.chlorineR202);
}

TEST_F(StandInModelTest, ReadsTheNewerVerBakOrTheNamedFile) {
    RunConditions r = Realistic();
    RunOnce(r);
    r[run_slot::kActivity] = 2.5;
    // Ver.bak of the deactivation run: form-layout value counts, run-layout labels.
    ConditionsRecord verBak = test::RealisticConditions();
    verBak.activity = 2.5;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    WriteFormLayout(JoinPath(folder, "Ver.bak"), verBak, FormLayoutOptions{std::nullopt, FormLabels::kSampleRun});
    EXPECT_EQ(RunExternalProgram("kelmar.exe", folder, WindowMode::Hidden, kNoTimeLimit), RunOutcome::Finished);
    EXPECT_DOUBLE_EQ(ReadResultsFile(JoinPath(folder, "rez")).activity, 2.5);
    EXPECT_EQ(RunExternalProgram("kelmar.exe dan.bak", folder, WindowMode::Hidden, kNoTimeLimit), RunOutcome::Finished);
    EXPECT_DOUBLE_EQ(ReadResultsFile(JoinPath(folder, "rez")).activity, 0.95);
}

TEST_F(StandInModelTest, WithoutInputsWritesNothing) {
    EXPECT_EQ(RunExternalProgram("kelmar.exe dan.bak", folder, WindowMode::Hidden, kNoTimeLimit), RunOutcome::Finished);
    EXPECT_FALSE(fs::exists(base / "rez"));
}

// Each caller pads the listing of the plants whose models print it short:
// the reforming runs for plant index 8, the deactivation run (Ver.bak) for
// indexes 8 and 13. The stand-in prints short exactly there, so every caller
// reads its fields where they are.
TEST_F(StandInModelTest, PrintsTheShortListingWhereItsCallerPadsIt) {
    struct Case {
        int plantNumber;
        const char* input;
        bool shortListing;
    };
    const Case cases[] = {{9, "dan.bak", true}, {14, "dan.bak", false}, {9, "Ver.bak", true},
                          {14, "Ver.bak", true}, {12, "Ver.bak", false}};
    const size_t full = SplitLines(FormatResultsFile(ResultsRecord{})).size();
    WriteFormLayout(JoinPath(folder, "Ver.bak"), test::RealisticConditions(),
                    FormLayoutOptions{std::nullopt, FormLabels::kSampleRun});
    WriteRunLayout(JoinPath(folder, "dan.bak"), Realistic(), 4);
    WriteFileAtomic(JoinPath(folder, "sirkat"),
                    ComposeCompositionFile(test::RealisticComposition(), CompositionStyle::Formation));
    for (const Case& c : cases) {
        WriteFileAtomic(JoinPath(folder, "kfr1"), std::to_string(c.plantNumber) + "\r\n");
        ASSERT_EQ(RunExternalProgram(std::string("kelmar.exe ") + c.input, folder, WindowMode::Hidden, kNoTimeLimit),
                  RunOutcome::Finished);
        EXPECT_EQ(SplitLines(ReadFileBytes(JoinPath(folder, "rez"))).size(), c.shortListing ? full - 4 : full)
            << c.plantNumber << " " << c.input;
    }
}

// The run object's fitting with the stand-in on a plant's inputs and on
// variations of them: other temperatures, moisture, feeds and activities
// to start from. Every one converges well within the loop bound.
TEST_F(StandInModelTest, FittingConvergesOnRealisticInputs) {
    ProgramContext context;
    context.baseFolder = context.modelBaseFolder = folder;
    context.reactorCount = 4;
    TRavionObj object(context);
    object.ProgramPath = JoinPath(folder, "kelmar.exe");
    object.ConditionsPath = JoinPath(folder, "Hornel\\01-09-09.dan");
    object.ResultsPath = JoinPath(folder, "Hornel\\01-09-09.rez");
    object.CompositionPath = JoinPath(folder, "Hornel\\01-09-09.sk");

    struct Case {
        double temperatureShift, moisture, activity, dosing, naphtheneShift;
        FitMethod fit = FitMethod::Bisection;
    };
    const Case cases[] = {
        {0, 0.01, 0.95, 1.0, 0}, {-15, 0.00, 0.6, 5.0, 0}, {12, 0.05, 1.8, 0.2, 0},
        {5, 0.02, 0.95, 1.0, 4}, {-5, 0.01, 3.0, 12.0, -4},
        // The opt-in secant fitting, which exists to need fewer model runs.
        {0, 0.01, 0.95, 1.0, 0, FitMethod::Fast}, {-15, 0.00, 0.6, 5.0, 0, FitMethod::Fast},
        {12, 0.05, 1.8, 0.2, 0, FitMethod::Fast}, {-5, 0.01, 3.0, 12.0, -4, FitMethod::Fast},
    };
    for (const Case& c : cases) {
        ConditionsRecord conditions = test::RealisticConditions();
        for (double& t : conditions.inletTemperature) t += c.temperatureShift;
        conditions.gasMoisture = c.moisture;
        conditions.activity = c.activity;
        conditions.dosing = {c.dosing, c.dosing, c.dosing};
        CompositionRecord composition = test::RealisticComposition();
        composition.feed[29] += c.naphtheneShift;
        composition.feed[25] -= c.naphtheneShift;
        test::WriteRealisticInputs(JoinPath(folder, "Hornel"), "01-09-09", conditions, composition);

        object.Fit = c.fit;
        object.Run();  // the brackets carry over from case to case, as in the program
        ASSERT_TRUE(object.Done) << c.temperatureShift;
        EXPECT_LE(std::fabs(CalculatedAromatics(object.Results) - ExperimentalAromatics(object.Results)), 0.051 + 1e-9);
        EXPECT_LE(std::fabs(object.Results.chlorineR202 - 1.0), 0.01 + 1e-9);
        EXPECT_LT(object.ModelRuns, c.fit == FitMethod::Fast ? 12 : 50) << c.temperatureShift;
    }

    object.Mode = 1;
    object.TargetOctane = 96.0;
    object.WriteBack = false;
    object.Fit = FitMethod::Fast;  // the bisection's octane fitting is tested with scripted models
    object.Run();
    ASSERT_TRUE(object.Done);
    EXPECT_LE(std::fabs(object.Results.octaneResearch - 96.0), 0.051 + 1e-9);
}

}  // namespace
}  // namespace rw
