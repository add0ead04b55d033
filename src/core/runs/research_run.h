#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/results_file.h"
#include "runs/run_object.h"
#include "shell/program_context.h"

namespace rw {

// Research runs: the reforming model on a conditions file and a composition
// file of the user's choice, the results stored in a file of the user's
// choice inside a research folder of the plant. Neither the conditions file
// nor the plant's results index is touched by the fitting.

enum class StudyKind {
    OptimalActivity = 1,   // fit the activity to a typed research octane number
    FeedComposition = 2,   // one model run per file pair, the activity as given
};

// Research folder of a study: plant folder + "\OptAkt" or + "\Issl".
std::string StudyFolder(const ProgramContext& context, StudyKind kind);
// Caption of the menu command, which the file-choice window takes over.
std::string StudyCaption(StudyKind kind);
// Headline of the results window and the caption of the activity in the summary.
std::string StudyTitle(StudyKind kind);
std::string StudyValueCaption(StudyKind kind);

// The three choices of the file-choice window and whether each has passed its
// check. The flags are cleared when a study starts and then changed only by
// the checks, so they carry over from one pass of a study to the next.
struct StudyFileFlags {
    bool conditions = false;
    bool composition = false;
    bool results = false;
};

// What "Далее" of the file-choice window finds, in the order it looks.
enum class StudyChoiceProblem { None, Conditions, Composition, Results };
StudyChoiceProblem CheckStudyChoice(const StudyFileFlags& flags);
// The message of a problem (empty for None), "\r" standing for character 13.
std::string StudyChoiceMessage(StudyChoiceProblem problem);

// Results check of a typed text: ".rez" appended unless the text holds
// ".rez" somewhere (so "a.rez.old" stays and "a.txt" becomes "a.txt.rez").
std::string WithResultsExtension(std::string_view text);
// A path chosen in the save dialog: ".rez" appended when it holds no "." at all.
std::string BrowsedResultsPath(std::string_view chosen);
// True when the file exists or can be created: it is then created empty,
// closed and deleted again. Never throws.
bool ResultsFileUsable(const std::string& path);

// Empties a folder and removes it: files (their read-only attribute cleared
// first) are deleted, sub-folders cleared the same way. A symbolic link is
// removed as a link and never followed, so nothing outside the folder is
// touched. Returns false, and leaves the folder in place, when an entry could
// not be deleted; a folder that cannot be removed at the end is not reported.
bool ClearFolder(const std::string& folder);

// Whether the study asks for a target octane number: the optimal-activity
// study, except for plant index 8, whose model prints no octane numbers.
bool StudyAsksOctane(StudyKind kind, int plantIndex);
// "Введите ОЧИ за " + sample name.
std::string OctanePrompt(const std::string& sampleName);
inline constexpr std::string_view kOctanePromptCaption = "Исследование активности";
// The text first offered in the prompt: the research octane number of the
// last completed run of this program run, empty before any.
std::string OfferedOctaneText(const TRavionObj& run, char decimalSeparator);
// The answer as a number with the regional decimal separator. Throws
// UserError("'%s' is not a valid floating point value"). The working
// configuration reads it with TextToNumber ("," or ".") and says in Russian
// what is wrong.
double OctaneFromText(std::string_view text, char decimalSeparator);

struct StudyFiles {
    std::string conditions;   // DanF
    std::string composition;  // SkF
    std::string results;      // RezF
};

// Sets the run object up for one pass: the three paths; mode 1 with the
// target octane for the optimal activity (mode 0 with padded results for
// plant index 8, which is fitted to the aromatics); mode 2 for the feed
// composition (padded for plant index 8); no write-back; the plant's model
// in the model base folder (the base folder when none is recorded yet).
void SetUpStudyRun(TRavionObj& run, const ProgramContext& context, StudyKind kind, const StudyFiles& files,
                   double targetOctane);

// The summary of a completed pass, one text per line: processed feed of the
// run conditions, the activity under the kind's caption and, except for plant
// index 8, the octane numbers. Numbers in the general format with 15
// significant digits and the given decimal separator.
std::vector<std::string> StudySummaryLines(StudyKind kind, const std::string& sampleName, double processedFeed,
                                           const ResultsRecord& results, int plantIndex, char decimalSeparator);

// The question after every pass, "\r" standing for character 13.
std::string ContinueStudyQuestion(const std::string& resultsFile);

}  // namespace rw
