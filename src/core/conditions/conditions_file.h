#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/conditions_record.h"

namespace rw {

// The conditions file (.dan): 13 lines of values followed by fixed labels, DOS
// code page 866, CR LF. The DOS model reads it line by line with Pascal's
// Read/ReadLn, so the value counts, widths and label indents below are part
// of the contract with the model, not decoration.
//
// Two layouts exist. The form layout is what the conditions form saves: fixed
// value counts (3 dosing values, 4 per reactor line). The run layout is what
// the model runs write: one value per reactor of the plant, with pads for a
// missing fourth reactor. Both readers accept both layouts.

// What a line of the file carries.
enum class ConditionsQuantity {
    kDosing,
    kActivity,
    kPressure,
    kGasMoisture,
    kInletTemperature,
    kTemperatureDrop,
    kGasComposition,
    kGasFlow,
    kProcessedFeed,
    kSulphur,
    kFeedFlow,
    kSamplingDate,
    kRegenerationDate,
};

// One line of a layout: its values, how they are written, and the label.
struct ConditionsLineLayout {
    int line;                      // 1..13
    ConditionsQuantity quantity;
    int count;                     // values on the line; kPerReactor = one per reactor
    int width;                     // Fixed(width, decimals)
    int decimals;
    const char* separator;         // text between values ("" = the fields adjoin)
    bool separatorAfterEach;       // run layout: every value is followed by the separator
    const char* padForThree;       // run layout: written after the values of a three-reactor plant
    const char* label;             // UTF-8; converted to code page 866 when written
    int blanks;                    // blanks at the start of the label
};
constexpr int kPerReactor = -1;

// The three layouts as data. The model reads these columns by position, so
// each table is the single place that says how a line looks.
const std::vector<ConditionsLineLayout>& FormLayout();
const std::vector<ConditionsLineLayout>& RunLayout();
// Ver.bak of the deactivation run: the value counts and separators of the form
// layout with the labels and label indents of the run layout.
const std::vector<ConditionsLineLayout>& SampleRunLayout();

// The three values of the fifth reactor column of plant row 11 (Edit27 to
// Edit29 of the conditions form): pressure, inlet temperature, drop. They are
// not part of the conditions record; the data-entry save writes them as line 14.
using RowExtension = std::array<double, 3>;

enum class FormLabels {
    kForm,       // the conditions file as the conditions form saves it
    kSampleRun,  // Ver.bak: run-layout labels and indents
};

struct FormLayoutOptions {
    // Lines 14 and 15 (row 11's data-entry save): line 14 these values in E23,
    // line 15 pressure, inlet temperature and drop of reactor 3 in Fixed(6,2).
    std::optional<RowExtension> extension;
    FormLabels labels = FormLabels::kForm;
};

// The reactor count a run layout is read or written with. Counts above 6 are
// limited to 6 (a run conditions record holds six reactors, and plant
// selection limits the count the same way); a count below 1 means no plant is
// selected and throws UserError("Неверное число реакторов: N").
int CheckedReactorCount(int reactorCount);

// Bytes of a form-layout file (code page 866, CR LF): lines 1 to 13, and 14-15
// with an extension. Date texts are written as held.
std::string FormatFormLayout(const ConditionsRecord& record, const FormLayoutOptions& options = {});
// Writes the whole file atomically. Throws UserError with the file-system
// message ("File access denied", "Path not found") when it cannot be written;
// an existing file is then left as it was.
void WriteFormLayout(const std::string& path, const ConditionsRecord& record, const FormLayoutOptions& options = {});

// Bytes of a run-layout file for `reactorCount` reactors (see
// CheckedReactorCount); dates from slots 39 and 40 written dd.mm.yy.
std::string FormatRunLayout(const RunConditions& record, int reactorCount);
void WriteRunLayout(const std::string& path, const RunConditions& record, int reactorCount);
// The same for a stored conditions file (not the model's dan.bak): the lines
// after line 13 that the file holds (lines 14 and 15 of plant row 11, the
// values the user typed for the fifth reactor) are kept after the 13 lines
// of the run layout, byte for byte, so that a calculation does not turn them
// into zeros at the next save. A missing file is written plain.
void RewriteConditionsInRunLayout(const std::string& path, const RunConditions& record, int reactorCount);

struct PositionalReadOptions {
    bool withExtension = false;                 // plant row 11: read line 14
    bool copyEmptyRegenerationDate = true;      // data selection copies the sampling date
};

struct PositionalConditions {
    ConditionsRecord conditions;
    RowExtension extension{};                   // 0 when not read or at end of file
};

// Reads a conditions file by position (data selection): the fixed value
// counts of the form layout, each line's rest skipped; date texts of at most
// 10 characters with "-" turned into "." and trailing blanks dropped. Reads
// the run layout too (extra values of a line are skipped, a three-reactor
// plant's pads become the fourth values).
// Throws UserError("File not found") for a missing file and
// UserError("Invalid numeric input") when a value is not a number (a short
// line runs into its label); the working configuration names the file in
// both messages. Nothing is returned on failure, so a caller's
// record is never left half overwritten.
PositionalConditions ReadConditionsByPosition(const std::string& path, const PositionalReadOptions& options = {});
PositionalConditions ParseConditionsByPosition(std::string_view bytes, const PositionalReadOptions& options = {});

// Reads a conditions file into a run conditions record for `reactorCount`
// reactors (model runs). Lines 1, 3, 5, 6 are split into blank-separated
// pieces converted with TextToNumber (so "," is accepted); the other values
// follow the number token rule; the dates are converted with the regional
// short date format. Any error ends the reading silently: what was read
// stays in `record`, the other slots keep their previous values. Returns
// true when the whole file was read without such an error.
// Throws UserError("File not found") only when the file is missing (the model
// runs always read a file they have just copied, so that is a real fault).
bool ReadRunConditions(const std::string& path, int reactorCount, RunConditions& record);

// The fifth-column values of plant row 11 as the file holds them: line 14,
// three numbers by the number token rule, whatever layout lines 1 to 13
// have (a calculation keeps lines 14 and 15 after its run layout). A file
// without line 14, or a line 14 with fewer numbers, reads 0 for the missing
// ones, as data selection reads them.
// Throws UserError("File not found") for a missing file and "Invalid numeric
// input" (the working configuration names the file) for a token that is no
// number.
RowExtension ReadRowExtension(const std::string& path);
RowExtension ParseRowExtension(std::string_view bytes);
bool ParseRunConditions(std::string_view bytes, int reactorCount, RunConditions& record);

}  // namespace rw
