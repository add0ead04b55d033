#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conditions/conditions_edits.h"
#include "runs/external_program.h"
#include "shell/program_context.h"

namespace rw {

// The fractional-composition calculation: a new sampling date for which only
// the distillation curve and density of the feed were measured gets its
// composition file from the last date with a full analysis, copied when the
// fractional composition is unchanged, recomputed by the plant's fraction
// program when it changed.

// Fractional composition of a feed as texts, always in this order: initial
// boiling point, 10 %, 50 %, 90 %, end point, density (g/cm3).
constexpr int kFractionValues = 6;
using FractionTexts = std::array<std::string, kFractionValues>;

// Blanks before a value line of the fractional composition: the new
// composition file gets 19 (so the reading rule, which drops 16, gives each
// value after three blanks); the fraction program's input sk gets 17.
constexpr int kNewFileValueIndent = 19;
constexpr int kProgramInputValueIndent = 17;

inline constexpr std::string_view kNoFractionData = "Нет данных по фракционному составу!";
inline constexpr std::string_view kLastSampleCaption = "Дата последнего отбора:  ";
inline constexpr std::string_view kConditionsExistMessage =
    "Файл с технологическими условиями уже существует.\rМожно проводить расчет.";
// "Для расчета необходимо задать технологические условия\rза текущую дату:" + sample name.
std::string ConditionsMissingMessage(const std::string& sampleName);

// The fractional composition of a composition file by the reading rule: the
// lines after line 138 with their first 16 characters dropped, empty rests
// not counted, the last six rests in order. nullopt when there are fewer than
// six. Texts are UTF-8 and keep their blanks. Throws UserError("File not
// found") and the like when the file cannot be read.
std::optional<FractionTexts> ReadFractionalComposition(const std::string& path);

// The file FrClick reads and the fraction program rewrites: base folder + "\sk".
std::string FractionBaseFile(const ProgramContext& context);
// Written by the fraction program: base folder + "\sum-fr".
inline constexpr const char* kFractionProgramOutputName = "sum-fr";
std::string FractionProgramOutput(const ProgramContext& context);

// What the fractional-composition window shows when it opens (FrClick): the
// last sample's six values with every blank removed, for both the edits and
// the last-sample labels, and the text of Label5. nullopt when base\sk has no
// fractional composition (the caller shows kNoFractionData). Throws
// UserError("File not found") when base\sk is missing.
struct FractionWindowTexts {
    FractionTexts values;
    std::string lastSampleCaption;  // kLastSampleCaption + last sample name
};
std::optional<FractionWindowTexts> LastSampleFraction(const ProgramContext& context);

// The sample name of a typed date: every "." replaced by "-" (01.10.09 gives
// 01-10-09). A text that is not a date is used as typed.
std::string SampleNameFromDateText(std::string_view dateText);

// True when the six typed values equal the base sample's six, each side read
// with TextToNumber and compared as numbers (78 and 78.0 are equal). All
// twelve texts are read before anything is compared, so a text that is not a
// number throws its conversion error whatever the other pairs hold.
bool SameFractionalComposition(const FractionTexts& typed, const FractionTexts& base);

// The runner of the fraction program: command line and working folder; the
// default starts it hidden and waits without limit.
using FractionProgramStarter = std::function<RunOutcome(const std::string& commandLine, const std::string& workFolder)>;
FractionProgramStarter DefaultFractionProgramStarter();

// One save of the fractional-composition window ("Сохранить").
struct FractionSave {
    std::string previousDataFolder;   // data folder and sample name before the save
    std::string previousSampleName;
    std::string compositionPath;      // fraction folder \ sample name .sk
    std::string conditionsPath;       // data folder + sample name + ".dan"
    bool changed = false;             // the fractional composition differs from the base sample's
    bool conditionsExist = false;     // conditionsPath existed after the composition was written
};

// Step one of the save: the current sample name and data folder become the
// previous ones; the typed date names the new sample; the data folder becomes
// the fraction folder with its final backslash. These changes stay even when
// the rest of the save fails.
FractionSave StartFractionSave(ProgramContext& context, std::string_view dateText);

// The rest of the save, as file operations:
// - the comparison (throws the conversion error before any file is written);
// - unchanged: the first 138 lines of base\sk and six lines of 19 blanks and
//   the typed texts become the new composition file;
// - changed: base\sk is rewritten with its first 138 lines, the base sample's
//   six values and the typed six, each after 17 blanks; the plant's fraction
//   program is started in the base folder and waited for; `afterProgram` runs
//   (the window closes there); the first 138 lines of base\sum-fr and the
//   typed six after 19 blanks become the new composition file.
// A sum-fr left by an earlier calculation (in any letter case) is removed
// before the program starts, so a program that writes nothing is reported
// rather than an old composition saved under the new date; a program that
// cannot be started throws UserError naming it; one that crashes or writes
// no sum-fr throws UserError(FailedRunMessage) and the new composition file
// is not written. Files are written whole
// through a temporary file. Sets `save.changed` and `save.conditionsExist`.
void WriteFractionSave(FractionSave& save, const ProgramContext& context, const FractionTexts& typed,
                       const FractionTexts& base, const FractionProgramStarter& start = DefaultFractionProgramStarter(),
                       const std::function<void()>& afterProgram = {});

// The new file as the unchanged branch writes it (bytes, code page 1251):
// `valueLines` (the first 138 lines of the source) and the six typed texts
// after 19 blanks, CR LF.
std::string ComposeNewCompositionFile(const std::vector<std::string>& valueLines, const FractionTexts& typed);

// What the conditions form gets when the new date has no conditions file:
// the save dialog's folder and file name, the sampling date (the sample name
// read as a date with "-" as separator; nullopt when it is not a date, and
// the picker then keeps its date), and the texts of Edit1 to Edit26 from the
// previous date's conditions file. The file is read by position into the
// context's conditions record, its date texts taken as they stand.
// Throws UserError("File not found") when the previous conditions file is
// missing and "Invalid numeric input" when it cannot be read; the record is
// then left as it was.
struct NewDateConditions {
    std::string saveFolder;              // the data folder
    std::string saveFileName;            // sample name + ".dan"
    std::optional<double> samplingDate;
    ConditionsEditTexts edits;           // [1]..[26]; [27]..[29] empty
};
NewDateConditions PrepareNewDateConditions(ProgramContext& context, const FractionSave& save);

}  // namespace rw
