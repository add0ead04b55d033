#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conditions/conditions_edits.h"
#include "shell/program_context.h"

namespace rw {

// The two saves of the conditions form, without the window: the form passes
// its edit texts and the two date pickers' values (date values, days since
// 30 December 1899).

// Normal save to a path chosen in the save dialog: the path is split with
// SplitSavePath and the file is folder + "\" + name + ".dan" (a long name is
// cut to 13 characters, a typed extension replaced). The date texts become
// the pickers' dates written dd.mm.yy, the record is refreshed from the edits
// and the file written in the form layout, lines 1 to 13. In the working
// configuration plant row 11 also gets lines 14 and 15 from Edit27 to Edit29,
// as the data-entry save writes them, so the fifth column is saved as the
// form shows it. Returns the file written. Throws UserError with the
// file-system message when it cannot be written (the record is refreshed all
// the same, as the form shows it), and "'%s' is not a valid floating point
// value" for a fifth-column text that is no number (nothing is written then).
std::string SaveConditionsAs(ProgramContext& context, std::string_view chosenPath, const ConditionsEditTexts& edits,
                             double samplingDate, double regenerationDate);

struct DataEntrySave {
    std::string sampleName;      // S: the sampling date dd-mm-yy
    std::string samplingFolder;  // plant folder + "\" + S
    std::string conditionsFile;  // sampling folder + "\" + S + ".dan"
};

// Data-entry save: the entry's sample name S and the sampling folder of the
// context are set from the sampling date, the folder is created (a failure is
// ignored: the write then reports), the record is refreshed and the file
// written in the form layout. For plant row 11 the texts of Edit27 to Edit29
// are converted with "." as decimal separator (the regional separator is set
// to "." and, after a successful conversion, left at ",") and lines 14 and 15
// are added.
// Throws UserError with the file-system message when the file cannot be
// written, and "'%s' is not a valid floating point value" when a row-11 text
// is no number; the file then holds lines 1 to 13 and the separator stays ".".
DataEntrySave SaveDataEntry(ProgramContext& context, const ConditionsEditTexts& edits, double samplingDate,
                            double regenerationDate);

// The save of the conditions form as one flow, with its checks: the form,
// the sample chain and reformer-cli all save through it, so a conditions
// file one of them refuses is refused by all.

// The values the form holds: the texts of its edits as typed and the dates
// of its two date pickers (days since 30 December 1899).
struct ConditionsEntry {
    ConditionsEditTexts texts;
    double samplingDate = 0;
    double regenerationDate = 0;
};

// What the user is asked during a save.
class ConditionsSaveQuestions {
public:
    virtual ~ConditionsSaveQuestions() = default;
    // A doubtful value the checks let the user overrule (a gas composition
    // far from 100 %), as a question; true saves all the same.
    virtual bool SaveDespite(const std::string& question) = 0;
    // The normal save: the file the user chooses; none when the choice is
    // cancelled. Asked only after the checks have passed.
    virtual std::optional<std::string> ChooseFile() { return std::nullopt; }
};

enum class ConditionsSaveKind {
    DataEntry,   // SaveDataEntry: the sampling folder of the plant
    ChosenFile,  // SaveConditionsAs: the file the user chooses
};

enum class ConditionsSaveEnd {
    Stored,        // the file written
    Refused,       // a check failed: nothing asked, nothing written
    Declined,      // "Нет" to a doubt: nothing written
    NoFileChosen,  // the normal save's choice cancelled: nothing written
};

struct ConditionsSaveOutcome {
    ConditionsSaveEnd end = ConditionsSaveEnd::Refused;
    std::vector<std::string> refusals;  // Refused: one message a faulty field
    int firstRefusedEdit = 0;           // Refused: the edit of the first message, 0 for a date
    std::string file;                   // Stored: the file written
    DataEntrySave entry;                // Stored by a data entry
};

struct ConditionsSaveRequest {
    ProgramContext* context = nullptr;
    ConditionsEntry values;
    ConditionsSaveKind kind = ConditionsSaveKind::DataEntry;
};

// The headline of a refused save and its reasons, as the user is shown them.
inline constexpr const char* kNotSavedHeadline = "Данные не сохранены:";
std::string RefusalMessage(const ConditionsSaveOutcome& outcome);

// The save. The working configuration checks the texts first
// (CheckConditionsEdits: plant row 11 with its fifth column) and puts a
// doubt to the user before anything is written; it saves the texts with
// "," read as the decimal point (WithPointDecimals). The described one
// writes the texts as they are, unchecked. Throws what SaveDataEntry and
// SaveConditionsAs throw (the file could not be written, a fifth-column
// text that is no number).
ConditionsSaveOutcome SaveConditions(const ConditionsSaveRequest& request, ConditionsSaveQuestions& questions);

}  // namespace rw
