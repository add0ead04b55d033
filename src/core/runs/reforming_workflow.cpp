#include "runs/reforming_workflow.h"

#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "conditions/conditions_file.h"
#include "conditions/conditions_file_check.h"
#include "results/latest_calculation.h"
#include "results/results_index.h"
#include "runs/conditions_review.h"
#include "runs/model_programs.h"
#include "runs/reforming_run.h"
#include "shell/plant_selection.h"

namespace rw {
namespace {

// RunEnded is owed to the questions once RunStarted was said, also when the
// fitting or the storing throws.
class RunWatch {
public:
    RunWatch(ReformingQuestions& questions, TRavionObj& run) : questions_(questions) { questions_.RunStarted(run); }
    ~RunWatch() {
        if (!ended_) questions_.RunEnded(true);
    }
    RunWatch(const RunWatch&) = delete;
    RunWatch& operator=(const RunWatch&) = delete;
    void End() {
        ended_ = true;
        questions_.RunEnded(false);
    }

private:
    ReformingQuestions& questions_;
    bool ended_ = false;
};

void RequireInputs(const TRavionObj& run) {
    std::string missing;
    for (const std::string* path : {&run.ConditionsPath, &run.CompositionPath, &run.ProgramPath}) {
        const bool there = path == &run.ProgramPath ? ModelProgramExists(*path) : FileExists(*path);
        if (!there) missing += (missing.empty() ? "" : ", ") + ToNative(*path);
    }
    if (!missing.empty()) throw UserError(kMissingInputsMessage + missing);
}

// The run conditions of the date's file. The run reader goes on silently
// past what it cannot read; the working configuration checks the file
// first, so only a file the reader takes whole is calculated.
void ReadConditionsForRun(const std::string& path, int reactorCount, RunConditions& record) {
    if (DescribedConfiguration()) {
        ReadRunConditions(path, reactorCount, record);
        return;
    }
    CheckConditionsFile(path);
    RunConditions read = record;
    ReadRunConditions(path, reactorCount, read);
    // An empty regeneration date passes the check: data selection takes the
    // sampling date for it, and so does the run.
    const std::vector<std::string> lines = SplitLines(ReadFileBytes(path));
    if (lines.size() >= 13 && lines[12].find_first_not_of(' ') >= 10) {
        read[run_slot::kRegenerationDate] = read[run_slot::kSamplingDate];
    }
    record = read;
}

}  // namespace

ConditionsEditTexts UnchangedReviewTexts(const RunConditions& conditions) { return ReviewTexts(conditions, {}); }

ReformingOutcome CalculateReforming(const ReformingRequest& request, ReformingQuestions& questions) {
    ProgramContext& c = *request.context;
    TRavionObj& run = *request.run;
    const std::string conditionsPath = c.dataFolder + c.sampleName + ".dan";
    const std::string indexPath = PlantResultsIndexPath(c);
    const bool working = WorkingConfiguration();

    c.calculationCaption = kReformingCaption;
    ReformingOutcome outcome;
    if (!questions.Confirm(c.calculationCaption, c.plantCaption, c.sampleName)) {
        outcome.end = ReformingEnd::Declined;
    } else {
        ReadConditionsForRun(conditionsPath, c.reactorCount, c.runConditions);
        SetUpReformingRun(run, c, conditionsPath);
        if (working) RequireInputs(run);

        const std::optional<ConditionsEditTexts> reviewed = questions.Review(c.runConditions, conditionsPath);
        if (!reviewed) {
            outcome.end = ReformingEnd::ReviewLeft;
        } else {
            {
                CalculationLock baseFolder(c);
                ReadBackReviewTexts(*reviewed, c.runConditions);
                RewriteConditionsInRunLayout(conditionsPath, c.runConditions, c.reactorCount);

                SetUpReformingRun(run, c, conditionsPath);
                run.Fit = request.fit ? *request.fit : ReadModelRunSettings(c.baseFolder).fit;
                run.StoreResults = [&run, &indexPath, working](const std::string& rezPath) {
                    if (working && !(run.Results.activity > 0)) throw UserError(kNoActivityFoundMessage);
                    StoreResultsWithIndex(run.ResultsPath, ReadFileBytes(rezPath), indexPath);
                };
                RunWatch watch(questions, run);
                try {
                    run.Run();
                } catch (...) {
                    run.StoreResults = nullptr;
                    throw;
                }
                run.StoreResults = nullptr;
                watch.End();
            }
            if (run.Done) {
                SetLatestCalculation(run.Results, c.runConditions);
                outcome.end = ReformingEnd::Completed;
                outcome.results = run.Results;
                outcome.sampleName = c.sampleName;
                outcome.summaryLines =
                    ReformingSummaryLines(c.sampleName, c.runConditions[run_slot::kProcessedFeed], run.Results, c.plantIndex);
                outcome.feedInfo = ReadFeedInfo(run.CompositionPath);
                outcome.resultsPath = run.ResultsPath;
                outcome.indexPath = indexPath;
            } else {
                outcome.end = ReformingEnd::NotRun;
            }
        }
    }
    questions.Settled(outcome);
    AddToResultsIndex(conditionsPath.substr(0, conditionsPath.size() - 4) + ".rez", indexPath);
    return outcome;
}

}  // namespace rw
