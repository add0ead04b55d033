#pragma once
#include <optional>
#include <string>
#include <vector>

#include "results/results_file.h"
#include "runs/run_object.h"
#include "runs/run_settings.h"

namespace rw {

// Replaying a plant's calculated sampling dates: each date's reforming
// calculation is made again, with the model programs of the base folder, in a
// scratch copy of what it reads, and the new results are compared with the
// results file stored for the date. A base folder brought from another
// installation proves itself this way: the same inputs and the same model
// must give the same numbers. The base folder itself is never written.

enum class ReplayVerdict {
    Same,             // the new results file is byte for byte the stored one
    WithinPrecision,  // some numbers differ, none by more than their last printed digit
    Differs,          // at least one number differs by more than its last printed digit
    NotRun,           // the date could not be calculated (reason says why)
};

// One number that came out differently.
struct ReplayFieldDifference {
    std::string field;     // PrintedResultsField::name
    std::string stored;    // as printed in the stored file
    std::string replayed;  // as printed by the replay
    double difference = 0;  // replayed - stored
    int decimals = 0;       // printed in the stored file
    // |difference| is at most one unit of the last digit the stored file
    // printed for the field.
    bool withinPrintedDigit = false;
};

struct ReplayedDate {
    std::string sampleName;  // dd-mm-yy, the date folder's name
    ReplayVerdict verdict = ReplayVerdict::NotRun;
    std::vector<ReplayFieldDifference> differences;  // WithinPrecision, Differs
    std::string reason;                              // NotRun: the message of the step that failed
    std::string storedResults;                       // bytes, when there was a stored file
    std::string replayedResults;                     // bytes, when the calculation completed
    std::string storedPath;                          // the date's .rez in the base folder
};

struct ReplayRequest {
    std::string baseFolder;
    int plantIndex = 0;
    // The dates to replay, as date folder names (dd-mm-yy); none: every date
    // folder of the plant that holds a results file (ReplayableDates).
    std::vector<std::string> dates;
    // The fitting the stored results came from: the bisection unless told.
    FitMethod fit = FitMethod::Bisection;
};

// What the replay asks and tells while it goes on.
class ReplayQuestions {
public:
    virtual ~ReplayQuestions() = default;
    // Asked before each date: false stops the replay there (the dates not
    // reached are left out of the outcome).
    virtual bool KeepGoing() = 0;
    // The date about to be replayed, `position` counted from 0 of `count`.
    virtual void DateStarted(const std::string& sampleName, int position, int count) = 0;
    // The date's model runs begin with this run object (its WhileWaiting may
    // end a model run, which makes the date NotRun).
    virtual void RunStarted(TRavionObj& run) = 0;
    virtual void DateDone(const ReplayedDate& date) = 0;
};

struct ReplayOutcome {
    std::vector<ReplayedDate> dates;
    bool cancelled = false;  // KeepGoing said no before the last date
    int Count(ReplayVerdict verdict) const;
};

// The date folders of the plant (base folder + the plant's folder) named
// dd-mm-yy that hold the date's results file, in calendar order; `from` and
// `to` (date values, both included) narrow them. A missing plant folder
// gives none.
std::vector<std::string> ReplayableDates(const std::string& baseFolder, int plantIndex,
                                         std::optional<double> from = std::nullopt,
                                         std::optional<double> to = std::nullopt);

// Replays the requested dates one after another. Each date's inputs are
// copied, and its model runs, with the base folder locked; the lock is given
// back between dates, where KeepGoing may end the replay. A date without its
// conditions, composition or results file, one whose conditions the
// calculation refuses, or whose model fails is NotRun with the message, and
// the replay goes on. The latest calculation of the program run is left as
// it was. Throws UserError only when the scratch folder cannot be made or
// the base folder's plant settings or model program cannot be copied
// (nothing can then be replayed).
ReplayOutcome ReplayCalculations(const ReplayRequest& request, ReplayQuestions& questions);

// Compares a replayed results file with the stored one: Same when the bytes
// are equal, otherwise number by number (PrintedResultsFields). A stored or
// replayed file the results reader refuses throws its UserError.
ReplayVerdict CompareReplayedResults(const std::string& stored, const std::string& replayed,
                                     std::vector<ReplayFieldDifference>& differences);

// One line for a date: "12-08-09: совпадает", "12-08-09: различается в 1 поле: активность катализатора 1.25 →
// 1.27 (разница +0.02)", "... в пределах последней напечатанной цифры", "12-08-09: не пересчитан: <reason>".
// At most kReplayFieldsListed fields are named, then "; и еще N".
inline constexpr size_t kReplayFieldsListed = 10;
std::string ReplayDateLine(const ReplayedDate& date);
// "Дат: 12; совпадают: 10; в пределах последней цифры: 1; различаются: 0; не пересчитаны: 1." with
// " Пересчет прерван." when cancelled.
std::string ReplaySummaryLine(const ReplayOutcome& outcome);

}  // namespace rw
