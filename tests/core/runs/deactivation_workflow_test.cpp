// The deactivation calculation as the core runs it, answered by a table:
// every end it can come to, with a model that hands back what its input
// asked for, so a row says which activity and feed each sample ends with.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "conditions/conditions_file.h"
#include "results/results_file.h"
#include "common/file_lock.h"
#include "runs/deactivation_workflow.h"
#include "runs/external_program.h"
#include "runs/run_object.h"
#include "test_support.h"

namespace rw {
namespace {

using test::TempDir;

// A model that leaves results with the activity of line 2 of Ver.bak and the
// processed feed of line 9, so each sample's results follow its file.
class EchoModel : public ModelRunner {
public:
    explicit EchoModel(std::string base) : base_(std::move(base)) {}
    RunOutcome RunModel(const std::string& commandLine, const std::string&) override {
        ++runs;
        lastCommandLine = commandLine;
        baseLockedWhileRunning = FileExists(BaseFolderLockPath(base_));
        if (end != RunOutcome::Finished) return end;
        const ConditionsRecord input = ReadSampleConditions(JoinPath(base_, kSampleRunInput));
        ResultsRecord r;
        r.activity = input.activity;
        r.processedFeed = input.processedFeed;
        r.feedRate = feedRate;
        r.sampleDate = runs == 1 ? EncodeDate(2009, 9, 1) : EncodeDate(2009, 10, 1);
        r.sampleDateText.SetText(runs == 1 ? "01.09.2009" : "01.10.2009");
        WriteFileAtomic(JoinPath(base_, "rez"), FormatResultsFile(r));
        return RunOutcome::Finished;
    }
    RunOutcome end = RunOutcome::Finished;
    double feedRate = 0;
    int runs = 0;
    std::string lastCommandLine;
    bool baseLockedWhileRunning = false;

private:
    std::string base_;
};

// The user looks at each sample's review and results and ends the
// calibration at once.
class OneLookQuestions : public DeactivationQuestions {
public:
    void Review(const ConditionsEditTexts& texts, double sampling, double regeneration) override {
        review_ = {texts, sampling, regeneration};
    }
    SampleReview ReadReview() override { return review_; }
    void Progress(int) override {}
    void EndProgress() override {}
    void ShowRawResults(const std::string&) override {}
    bool Calibrate(const CalibrationView& view, std::array<std::string, 4>&) override {
        shownChlorine = view.chlorine[0];
        return false;
    }
    std::string shownChlorine;  // Label14 of the last calibration
    void SampleStarting(const std::string& path) override { samples.push_back(path); }
    std::vector<std::string> samples;

private:
    SampleReview review_;
};

ConditionsRecord Sample(double activity, double processedFeed, const char* date) {
    ConditionsRecord c;
    c.samplingDateText = date;
    c.regenerationDateText = "15-03-09";
    c.activity = activity;
    c.processedFeed = processedFeed;
    c.feedFlow = 96.4;
    c.pressure = {25.3, 24.8, 24.1, 23.5};
    c.inletTemperature = {492.5, 493.1, 494, 495.25};
    c.temperatureDrop = {64.8, 37.6, 14.2, 6};
    c.gasComposition = {84.61, 6.12, 4.35, 2.48, 0.91, 0.83, 0.35, 0.22, 0.13};
    return c;
}

struct Row {
    const char* name;
    double feed0, feed1;    // processed feed of the two samples
    double feedRate;        // of the model's results
    bool chooseBoth;        // both conditions files chosen
    bool withL90;           // base\l90 there
    RunOutcome model;
    std::optional<DeactivationEnd> end;  // none: the calculation throws
    const char* message;    // the start of what it throws, or the value text
    int modelRuns;
};

class DeactivationWorkflow : public ::testing::TestWithParam<Row> {};

TEST_P(DeactivationWorkflow, EndsAsTheTableSays) {
    const Row& row = GetParam();
    TempDir dir;
    const std::string base = dir.str();
    const std::string first = dir.Write("Hornel/01-09-09.dan", "");
    const std::string second = dir.Write("Hornel/01-10-09.dan", "");
    WriteFormLayout(first, Sample(0.9, row.feed0, "01-09-09"));
    WriteFormLayout(second, Sample(0.8, row.feed1, "01-10-09"));
    const std::string sk = dir.Write("Hornel/01-09-09.sk", "line 1\r\n");
    // The plant constant is the first number of line 7.
    if (row.withL90) dir.Write("l90", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n50 7\r\n");

    ProgramContext context;
    context.baseFolder = base;
    context.plantIndex = 11;
    EchoModel model(base);
    model.end = row.model;
    model.feedRate = row.feedRate;
    OneLookQuestions questions;
    DeactivationRequest request{first, row.chooseBoth ? second : std::string(), sk, &context, &model, ','};

    if (!row.end) {
        try {
            CalculateDeactivation(request, questions);
            FAIL() << "no failure";
        } catch (const UserError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(row.message, 0), 0u) << e.what();
        }
        EXPECT_EQ(model.runs, row.modelRuns);
        EXPECT_FALSE(FileExists(BaseFolderLockPath(base))) << "the base folder stays locked";
        return;
    }
    const DeactivationOutcome outcome = CalculateDeactivation(request, questions);
    EXPECT_EQ(outcome.end, *row.end);
    EXPECT_EQ(model.runs, row.modelRuns);
    if (outcome.end == DeactivationEnd::NotChosen) {
        EXPECT_TRUE(questions.samples.empty());
        return;
    }
    EXPECT_EQ(questions.samples, (std::vector<std::string>{first, second}));
    EXPECT_EQ(outcome.first.activity, 0.9);
    EXPECT_EQ(outcome.second.activity, 0.8);
    EXPECT_EQ(outcome.periodText, "Период с 01.09.2009 по 01.10.2009");
    EXPECT_EQ(outcome.valueText, row.message);
    if (outcome.end == DeactivationEnd::Worked) {
        EXPECT_EQ(DeactivationValueText(outcome.value, ','), row.message);
    }
    // The calibration shows numbers with the request's decimal separator.
    EXPECT_NE(questions.shownChlorine.find(','), std::string::npos) << questions.shownChlorine;
    // The plant's own model, with the base folder held while it runs.
    EXPECT_NE(model.lastCommandLine.find(ModelProgramName(11)), std::string::npos) << model.lastCommandLine;
    EXPECT_TRUE(model.baseLockedWhileRunning);
}

// D = (0.9 - 0.8) * 100 / dG * 50: 2500 t give 0.2; 10 days at 50 m3/h give
// 10 * 50 * 24 * 0.7 = 8400 t and 0.0595...
INSTANTIATE_TEST_SUITE_P(
    Ends, DeactivationWorkflow,
    ::testing::Values(
        Row{"Worked", 1000, 3500, 0, true, true, RunOutcome::Finished, DeactivationEnd::Worked,
            "Дезактивация = 0,2000 град./(тонн сыр./кг кат.)", 2},
        Row{"WorkedOverDays", 20, 30, 50, true, true, RunOutcome::Finished, DeactivationEnd::Worked,
            "Дезактивация = 0,0595 град./(тонн сыр./кг кат.)", 2},
        // Equal feed needs no plant constant: a missing l90 is not asked for.
        Row{"SameFeed", 1000, 1000, 0, true, false, RunOutcome::Finished, DeactivationEnd::SameFeed, "", 2},
        Row{"DaysWithoutFeedRate", 20, 30, 0, true, true, RunOutcome::Finished, DeactivationEnd::NoFeedBetween,
            "", 2},
        Row{"OneFileChosen", 1000, 3500, 0, false, true, RunOutcome::Finished, DeactivationEnd::NotChosen, "", 0},
        Row{"ModelCrashed", 1000, 3500, 0, true, true, RunOutcome::Crashed, std::nullopt, "Расчет не выполнен",
            1},
        Row{"StoppedByUser", 1000, 3500, 0, true, true, RunOutcome::Cancelled, std::nullopt,
            "Расчет не выполнен", 1},
        Row{"NoPlantConstant", 1000, 3500, 0, true, false, RunOutcome::Finished, std::nullopt, "File not found",
            2}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

TEST(DeactivationWorkflowInputs, AMissingConditionsFileEndsBeforeAnyModelRun) {
    TempDir dir;
    ProgramContext context;
    context.baseFolder = dir.str();
    EchoModel model(dir.str());
    OneLookQuestions questions;
    const std::string sk = dir.Write("a.sk", "line 1\r\n");
    DeactivationRequest request{dir.str() + "/missing.dan", dir.str() + "/also-missing.dan", sk, &context, &model,
                                '.'};
    EXPECT_THROW(CalculateDeactivation(request, questions), UserError);
    EXPECT_EQ(model.runs, 0);
    // A conditions file or the composition file not chosen: nothing is run.
    DeactivationRequest firstMissing = request;
    firstMissing.firstConditionsPath.clear();
    request.compositionPath.clear();
    for (const DeactivationRequest& r : {firstMissing, request}) {
        EXPECT_EQ(CalculateDeactivation(r, questions).end, DeactivationEnd::NotChosen);
    }
    EXPECT_EQ(model.runs, 0);
}

}  // namespace
}  // namespace rw
