#pragma once
#include <array>
#include <string>
#include <string_view>

#include "conditions/conditions_file.h"
#include "shell/conditions_record.h"

namespace rw {

// Texts of the conditions form's edits by edit number: [n] is the text of
// EditN (Edit1 to Edit29); [0] is unused. The form holds its values as these
// texts; the conditions record receives them only when a save runs.
using ConditionsEditTexts = std::array<std::string, 30>;

// Edit numbers of the record fields, in record order.
constexpr int kEditProcessedFeed = 26;
constexpr int kEditFeedFlow = 1;
constexpr int kEditGasFlow = 2;
constexpr int kEditPressure = 3;          // 3..6
constexpr int kEditInletTemperature = 7;  // 7..10
constexpr int kEditTemperatureDrop = 11;  // 11..14
constexpr int kEditGasComposition = 15;   // 15..23
constexpr int kGasCompositionEdits = 9;
constexpr int kEditGasMoisture = 24;
constexpr int kEditSulphur = 25;
constexpr int kEditExtension = 27;        // 27..29, plant row 11 only
constexpr int kEditLast = 29;             // the form has Edit1 to Edit29

// The value a save or the composition sum takes from a form text: the strict
// rule ("." only, optional sign and exponent); an empty text is 0; a text the
// strict rule rejects (possible in Edit1, or in texts put in by other windows)
// gives its longest valid prefix («1500,5» gives 1500, «abc» gives 0).
double FormFieldValue(std::string_view text);

// Refreshes the record from the edits (processed feed, flows, pressures,
// temperatures, drops, gas composition, moisture, sulphur). Dosing, activity
// and the date texts stay as the record holds them.
void RecordFromEdits(const ConditionsEditTexts& edits, ConditionsRecord& record);

// The texts data selection puts into the edits: Edit1 (feed flow) in
// Fixed(4,1), all others in Fixed(6,2) with their leading blanks, so the gas
// composition shows two decimals only. Edit27 to Edit29 get the extension
// values when given, and stay empty otherwise.
ConditionsEditTexts EditsFromRecord(const ConditionsRecord& record, const RowExtension* extension = nullptr);

// Sum of the nine gas-composition texts (Edit15 to Edit23) in Fixed(6,5), the
// text of Label25: 90, 5, 2, 1, 1, 0.5, 0.3, 0.1, 0.1 give "100.00000".
std::string GasCompositionSumText(const ConditionsEditTexts& edits);

}  // namespace rw
