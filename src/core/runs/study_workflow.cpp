#include "runs/study_workflow.h"

#include <functional>
#include <utility>

#include "common/configuration.h"
#include "common/dates.h"
#include "conditions/conditions_file.h"
#include "conditions/conditions_file_check.h"
#include "results/latest_calculation.h"
#include "runs/conditions_review.h"
#include "runs/reforming_workflow.h"
#include "runs/run_settings.h"
#include "shell/plant_selection.h"

namespace rw {
namespace {

// Calls `end` once when it goes, unless it was called before.
class Once {
public:
    explicit Once(std::function<void()> end) : end_(std::move(end)) {}
    ~Once() { Now(); }
    Once(const Once&) = delete;
    Once& operator=(const Once&) = delete;
    void Now() {
        if (end_) std::exchange(end_, nullptr)();
    }

private:
    std::function<void()> end_;
};

// One pass; false when the user cancelled the octane question.
bool RunPass(const StudyRequest& request, StudyQuestions& questions, const StudyFiles& files) {
    ProgramContext& c = *request.context;
    TRavionObj& run = *request.run;
    const StudyKind kind = request.kind;

    // The run reader goes on silently past what it cannot read: a study on a
    // damaged file would run the model on zeros.
    if (WorkingConfiguration()) CheckConditionsFile(files.conditions);
    ReadRunConditions(files.conditions, c.reactorCount, c.runConditions);
    const ConditionsEditTexts reviewed = questions.Review(c.runConditions, files.conditions);
    ReadBackReviewTexts(reviewed, c.runConditions);
    RewriteConditionsInRunLayout(files.conditions, c.runConditions, c.reactorCount);

    questions.WaitStarted();
    Once waitEnded([&questions] { questions.WaitEnded(); });

    double target = 0;
    if (StudyAsksOctane(kind, c.plantIndex)) {
        const std::optional<double> answer = questions.AskOctane(
            OctanePrompt(StudySampleName(c.runConditions, c.sampleName)), OfferedOctaneText(run, request.decimalSeparator));
        if (!answer) return false;
        target = *answer;
    }

    {
        // Taken after the question, so no one waits for this user's answer.
        CalculationLock baseFolder(c);
        SetUpStudyRun(run, c, kind, files, target);
        run.Fit = ReadModelRunSettings(c.baseFolder).fit;
        questions.RunStarted(run);
        try {
            run.Run();
        } catch (...) {
            questions.RunEnded(true);
            throw;
        }
        questions.RunEnded(false);
        waitEnded.Now();
    }

    if (run.Done) {
        StudyOutcome outcome;
        outcome.kind = kind;
        outcome.results = run.Results;
        outcome.sampleName = StudySampleName(c.runConditions, c.sampleName);
        outcome.title = StudyTitle(kind);
        outcome.summaryLines = StudySummaryLines(kind, outcome.sampleName, c.runConditions[run_slot::kProcessedFeed],
                                                 run.Results, c.plantIndex, request.decimalSeparator);
        if (WorkingConfiguration() && !(run.Results.activity > 0)) outcome.summaryLines[1] = kNoActivityFoundMessage;
        SetLatestCalculation(run.Results, c.runConditions);
        outcome.feedInfo = ReadFeedInfo(run.CompositionPath);
        outcome.resultsPath = run.ResultsPath;
        questions.Settled(outcome);
    }
    return true;
}

}  // namespace

std::string StudySampleName(const RunConditions& conditions, const std::string& currentSample) {
    if (DescribedConfiguration()) return currentSample;
    return FormatDateShort(conditions[run_slot::kSamplingDate], '-');
}

int RunStudyPasses(const StudyRequest& request, StudyQuestions& questions) {
    int passes = 0;
    while (const std::optional<StudyFiles> files = questions.ChooseFiles()) {
        if (!RunPass(request, questions, *files)) break;
        ++passes;
        if (!questions.Continue(ContinueStudyQuestion(files->results))) break;
    }
    return passes;
}

}  // namespace rw
