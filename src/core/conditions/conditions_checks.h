#pragma once
#include <string>
#include <vector>

#include "conditions/conditions_edits.h"

namespace rw {

// What the conditions form checks before a save in the working
// configuration: the model reads every value, so an empty field, a text
// that is no number or a value no plant can have would give a model run on
// a silent zero or a typing slip.

// The physical range of one field of the form, by edit number.
struct FieldRange {
    int edit;             // EditN
    const char* caption;  // the field's caption as the form shows it
    double min;
    double max;
};

// The ranges of every value the form saves (Edit1 to Edit5, Edit7 to Edit9,
// Edit11 to Edit13, Edit15 to Edit29). The hidden fourth reactor
// (Edit6, Edit10, Edit14) carries file values only and is not checked.
const std::vector<FieldRange>& ConditionsFieldRanges();
// The entry of an edit, or null when the edit is not checked.
const FieldRange* ConditionsFieldRange(int edit);

// A gas composition whose sum differs from 100 % by more than this is
// put to the user before it is saved.
constexpr double kGasSumTolerance = 2.0;

struct ConditionsCheck {
    // Faults that stop the save, one message each, naming the field.
    std::vector<std::string> refusals;
    // The edit number of the first refused field, where the form puts the
    // cursor; 0 when no field is refused (the dates alone, or nothing).
    int firstRefusedEdit = 0;
    // A doubt the user may overrule (the gas composition sum); empty when none.
    std::string question;
};

// Checks the texts of the form before a save. `withFifthReactor`: plant row
// 11, whose Edit27 to Edit29 are saved too. Dates are date values (days since
// 30 December 1899); a regeneration after the sampling date is refused.
ConditionsCheck CheckConditionsEdits(const ConditionsEditTexts& edits, bool withFifthReactor, double samplingDate,
                                     double regenerationDate);

// The message of a field whose text is no number ("," and "." are both
// accepted as the decimal separator).
std::string NotANumberMessage(const std::string& caption, const std::string& text);

// The texts as the saves read them: blanks removed and "," replaced by ".",
// so that "64,5" is saved as the 64.5 the form shows. Only for texts the
// check has passed.
ConditionsEditTexts WithPointDecimals(const ConditionsEditTexts& edits);

}  // namespace rw
