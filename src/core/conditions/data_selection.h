#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "composition/composition_file.h"
#include "conditions/conditions_edits.h"
#include "shell/program_context.h"

namespace rw {

// Data selection ("Выбор данных") without windows. It makes the sampling date
// 01-09-09 of the plant folder Hornel the current data: the conditions file
// is read into the context and the texts for the windows are prepared; the
// windows only copy them into their controls.

// The conditions file data selection always takes:
// base folder + "\Hornel\01-09-09\01-09-09.dan".
std::string SelectedDataFile(const std::string& baseFolder);

// What the conditions form receives.
struct ConditionsSelection {
    double samplingDate = 0;        // DateTimePicker1
    double regenerationDate = 0;    // DateTimePicker2
    ConditionsEditTexts edits;      // Edit1..Edit26; Edit27..Edit29 when hasExtension
    bool hasExtension = false;      // plant row 11
};

// Steps up to the filled form: sets the context's data file, data folder
// (with its final backslash) and sample name; reads the file by position
// (with the extension line for plant row 11) into the context's conditions
// record; converts the date texts with the regional short date format.
// Throws UserError: "File not found" or "Invalid numeric input" (the
// conditions record is then left as it was), "'%s' is not a valid date" (the
// record is filled, the form must not be).
// `dataFile` is the conditions file the user chose; empty takes the fixed
// sample file (SelectedDataFile).
ConditionsSelection SelectConditions(ProgramContext& context, const std::string& dataFile = {});

// Reads a composition file by its reading rule; ReadCompositionFile by default.
using CompositionTextsReader = std::function<CompositionTexts(const std::string& path)>;

// The reader data selection uses by default (the composition file's own reader).
CompositionTextsReader DefaultCompositionTextsReader();

// What the main window, the composition editor (TForm9), the fractional-
// composition window (TForm30) and the warning window (TForm7) receive.
struct CompositionSelection {
    bool found = false;                 // data folder + sample name + ".sk" exists

    // found: the main window's caption, N8 enabled.
    std::string mainWindowCaption;
    std::vector<std::string> editorTexts;     // TForm9 Edit1..Edit138 ([0] = Edit1)
    std::string fractionSampleName;           // TForm30 Label9
    // Six tail texts or more: base\sk replaced, last sample name set, N16 enabled.
    bool completeTail = false;
    // TForm30 F1..F6 and TForm9 Edit139, Edit140, Edit142..Edit145: initial
    // boiling point, 10 %, 50 %, 90 %, end point, density; "0" without a
    // complete tail.
    std::array<std::string, 6> fractionTexts;

    // Not found: TForm7 Label3, Label5, Label9; the main window is disabled
    // and the warning shown.
    std::string warningSampleName;
    std::string warningConditionsFile;
    std::string warningCompositionFile;
};

// The composition part, after SelectConditions. With a complete tail the
// composition file is copied to base folder + "\sk" (the old one deleted
// first) and the context's last sample name set.
// Throws UserError with the reader's or the file system's message; the steps
// after the failure are not done (a failed copy to "\sk" leaves the last
// sample name unchanged and N16 as it was).
CompositionSelection SelectComposition(ProgramContext& context,
                                       const CompositionTextsReader& reader = DefaultCompositionTextsReader());

// Whether the program has a current sampling date a calculation can start
// from: a data selection or a finished data entry made one current (sample
// name and data folder set) and both its conditions file and its
// composition file are where they were found.
bool CurrentDateReady(const ProgramContext& context);

struct DataSelection {
    ConditionsSelection conditions;
    CompositionSelection composition;
};

// Both parts, for callers without windows (the headless welcome pipeline).
DataSelection SelectData(ProgramContext& context,
                         const CompositionTextsReader& reader = DefaultCompositionTextsReader());

// Data selection as one flow, for the main menu, the end of a data entry,
// the sample chain and reformer-cli alike.

// What the user is asked, and shown, during a data selection.
class DataSelectionQuestions {
public:
    virtual ~DataSelectionQuestions() = default;
    // The conditions file of the date to select, chosen below the plant
    // folder (program notation); none when the choice is cancelled.
    virtual std::optional<std::string> ChooseConditionsFile(const std::string& plantFolder) = 0;
    // The conditions have been read: shown at once, so that a composition
    // file that then fails leaves the form filled with the date's conditions.
    virtual void ConditionsSelected(const ConditionsSelection& conditions) = 0;
};

enum class DataSelectionEnd {
    Cancelled,           // no file chosen: nothing changed
    Selected,            // conditions and composition file of the date read
    CompositionMissing,  // conditions read; the date has no composition file yet
};

struct DataSelectionOutcome {
    DataSelectionEnd end = DataSelectionEnd::Cancelled;
    ConditionsSelection conditions;    // unless Cancelled
    CompositionSelection composition;  // unless Cancelled; `found` tells the other two apart
};

struct DataSelectionRequest {
    ProgramContext* context = nullptr;
    // The conditions file (program notation) when it is known already (the
    // end of a data entry, the sample chain); empty: the questions choose it.
    std::string dataFile;
    CompositionTextsReader reader = DefaultCompositionTextsReader();
};

// SelectConditions and SelectComposition on the chosen file. Throws what
// they throw; the steps after a failure are not done.
DataSelectionOutcome SelectSamplingDate(const DataSelectionRequest& request, DataSelectionQuestions& questions);

}  // namespace rw
