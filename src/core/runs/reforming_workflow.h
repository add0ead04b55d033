#pragma once
#include <optional>
#include <string>
#include <vector>

#include "conditions/conditions_edits.h"
#include "results/result_views.h"
#include "results/results_file.h"
#include "runs/run_object.h"
#include "runs/run_settings.h"
#include "shell/program_context.h"

namespace rw {

// The reforming calculation of one sampling date ("Риформинг"): the
// confirmation, the review of the date's conditions, the fitting of the
// catalyst activity and the dichloroethane feed with the model, the results
// stored beside the conditions and in the plant's results index. The main
// window and reformer-cli answer its questions; neither takes a step of it.

inline constexpr const char* kReformingCaption = "Риформинг";
// The headline of a completed calculation.
inline constexpr const char* kReformingSuccess = "Расчет проведен успешно.";
// A fitting that ends at an activity of 0 or less has found no activity the
// catalyst can have: the results are not stored (the studies say the same).
inline constexpr const char* kNoActivityFoundMessage =
    "Активность катализатора не подобрана: расчет дал значение 0 или меньше, результат недостоверен.";
// The inputs a calculation cannot go without, named in the message.
inline constexpr const char* kMissingInputsMessage = "Расчет не выполнен, нет файлов: ";

struct ReformingOutcome;

// What the user is asked, and told, while the calculation goes on.
class ReformingQuestions {
public:
    virtual ~ReformingQuestions() = default;
    // Whether to calculate: the process caption, the plant and the sample.
    // False ends the calculation with nothing read or run.
    virtual bool Confirm(const std::string& caption, const std::string& plant, const std::string& sample) = 0;
    // The conditions as the date's file holds them, for review: the texts
    // the user leaves them with ("Далее"), or none when the review is left
    // without it, which ends the calculation with nothing run. `conditionsPath`
    // is the file they were read from (its lines beyond the record, such as
    // plant row 11's fifth column, are shown from there).
    virtual std::optional<ConditionsEditTexts> Review(const RunConditions& conditions,
                                                      const std::string& conditionsPath) = 0;
    // The fitting starts with this run object: progress may follow its
    // OnModelRun, and its WhileWaiting may cancel the model.
    virtual void RunStarted(TRavionObj& run) = 0;
    // The fitting is over; `failed` when it, or storing its results, threw
    // (the failure leaves right after). Called once after every RunStarted.
    virtual void RunEnded(bool failed) = 0;
    // The outcome, shown where it is to be seen. The base folder is free by
    // then; the date's results are added to the index once more afterwards.
    virtual void Settled(const ReformingOutcome& outcome) = 0;
};

enum class ReformingEnd {
    Declined,    // "Нет" to the confirmation
    ReviewLeft,  // the review left without "Далее"
    Completed,   // fitted, stored and added to the index
    NotRun,      // described configuration: an input was missing, nothing run
};

struct ReformingOutcome {
    ReformingEnd end = ReformingEnd::Declined;
    // Completed only.
    ResultsRecord results;
    std::vector<std::string> summaryLines;  // ReformingSummaryLines
    FeedInfo feedInfo;                      // of the date's composition file
    std::string sampleName;
    std::string resultsPath;  // the date's .rez, replaced
    std::string indexPath;    // the plant's svod.N, updated
};

struct ReformingRequest {
    // Plant, base folders, data folder and sample name; the calculation
    // caption and the run conditions are set in it.
    ProgramContext* context = nullptr;
    TRavionObj* run = nullptr;
    // None: the base folder's model-run settings choose.
    std::optional<FitMethod> fit;
};

// The calculation. The base folder is locked from the review's answer until
// the results are stored (and released before the outcome is returned).
//
// In the working configuration the date's conditions file, composition
// file and model program must exist (kMissingInputsMessage with their
// names), the conditions file must pass CheckConditionsFile, and a fitted
// activity of 0 or less is refused (kNoActivityFoundMessage); nothing is
// then rewritten, run or stored. The date's .rez and the index are replaced
// together (StoreResultsWithIndex). The described configuration reads the
// conditions file as the run reader takes it and ends without results when
// an input is missing.
//
// Whatever the end (but not after a failure), the date's .rez is then added
// to the index once more as it is on disk, which also takes in results
// stored by an earlier calculation when the user said "Нет"; a date without
// results then fails with "File not found".
//
// Throws UserError with the message of the step that failed; the run
// object's failures leave the date's .rez and the index as they were.
ReformingOutcome CalculateReforming(const ReformingRequest& request, ReformingQuestions& questions);

// The texts the review form gives back when the user changes nothing: the
// command line's answer to ReformingQuestions::Review.
ConditionsEditTexts UnchangedReviewTexts(const RunConditions& conditions);

}  // namespace rw
