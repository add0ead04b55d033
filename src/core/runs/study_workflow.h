#pragma once
#include <optional>
#include <string>
#include <vector>

#include "conditions/conditions_edits.h"
#include "results/result_views.h"
#include "results/results_file.h"
#include "runs/research_run.h"
#include "runs/run_object.h"
#include "shell/program_context.h"

namespace rw {

// A study (the optimal activity, the feed influence): pass after pass, the
// user chooses a conditions file, a composition file and a results file of
// the plant's research folder, reviews the conditions, names the target
// octane number when the study fits to one, and the model runs on them. The
// results go to the chosen file only; the plant's index is not touched.

struct StudyOutcome;

// What the user is asked, and told, during a study.
class StudyQuestions {
public:
    virtual ~StudyQuestions() = default;
    // The files of the next pass, or none: the study ends.
    virtual std::optional<StudyFiles> ChooseFiles() = 0;
    // The conditions of the chosen file for review; the pass takes the texts
    // however the review is left; `conditionsPath` is the file they were read from.
    virtual ConditionsEditTexts Review(const RunConditions& conditions, const std::string& conditionsPath) = 0;
    // The pass has begun (a wait text may show); WaitEnded follows once,
    // whatever happens after it.
    virtual void WaitStarted() = 0;
    virtual void WaitEnded() = 0;
    // The target research octane number: `prompt` asks for it, `offered` is
    // the text first offered. None ends the study without a run.
    virtual std::optional<double> AskOctane(const std::string& prompt, const std::string& offered) = 0;
    // As for the reforming calculation: the fitting starts with this run
    // object, and is over (`failed` when it threw).
    virtual void RunStarted(TRavionObj& run) = 0;
    virtual void RunEnded(bool failed) = 0;
    // The outcome of a completed pass, shown with the base folder free.
    virtual void Settled(const StudyOutcome& outcome) = 0;
    // Whether to go on with another pass (ContinueStudyQuestion).
    virtual bool Continue(const std::string& question) = 0;
};

struct StudyOutcome {
    StudyKind kind = StudyKind::OptimalActivity;
    ResultsRecord results;
    std::string sampleName;                 // StudySampleName
    std::string title;                      // StudyTitle
    // StudySummaryLines; in the working configuration an activity of 0 or
    // less is told in the activity's line (kNoActivityFoundMessage).
    std::vector<std::string> summaryLines;
    FeedInfo feedInfo;                      // of the chosen composition file
    std::string resultsPath;
};

struct StudyRequest {
    ProgramContext* context = nullptr;  // the plant; its run conditions are set
    TRavionObj* run = nullptr;
    StudyKind kind = StudyKind::OptimalActivity;
    char decimalSeparator = '.';        // of the summary and the offered octane number
};

// The sampling date a study names: in the working configuration the date of
// the chosen conditions file (dd-mm-yy, like a sample name), in the
// described one the current sample name.
std::string StudySampleName(const RunConditions& conditions, const std::string& currentSample);

// The study, until the user stops it. In the working configuration each
// chosen conditions file must pass CheckConditionsFile before it is read
// (nothing is then rewritten or run). The base folder is locked from the
// octane answer until the run is over. Returns the number of completed
// passes. Throws UserError with the message of the step that failed.
int RunStudyPasses(const StudyRequest& request, StudyQuestions& questions);

}  // namespace rw
