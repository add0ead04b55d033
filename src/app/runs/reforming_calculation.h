#pragma once
#include <string>

#include "conditions/conditions_edits.h"
#include "shell/conditions_record.h"

namespace rw {

class TRavionObj;

// The reforming calculation of the main menu ("Риформинг") and what belongs
// to it: the review of the conditions, the run, the result windows.

// The texts the conditions form shows for the review of a run: the
// processed feed, flows, the first three reactors, the gas composition,
// moisture and sulphur of `record`, feed flow in Fixed(4,1), all others in
// Fixed(6,2). The other edits keep the texts of `current`.
ConditionsEditTexts ReviewTexts(const RunConditions& record, const ConditionsEditTexts& current);

// The reviewed texts back into the record: the gas composition with
// TextToNumber (either decimal separator), every other field by the plain
// conversion, which takes the number the text begins with (0 when there is
// none) and never complains. The dates and the fourth reactor stay. A gas
// composition text that is not a number throws its conversion error and the
// record is left untouched.
void ReadBackReviewTexts(const ConditionsEditTexts& texts, RunConditions& record);

// "Риформинг" (TForm5::N8Click). Throws UserError with the message of the
// step that failed; the main window is enabled again, its progress bar
// hidden and its label cleared before the error leaves.
void RunReformingCalculation();

// After every successful run: the comparison window's left column and
// Label25, and the feed information window's Label9 and F1..F6 from the run
// object's results and composition file.
void FillResultWindows(const TRavionObj& run, const std::string& sampleName);

// "Расчет по углеводородному составу": the wizard window, not blocking.
void ShowCalculationWizard();

// "Подачи хлорорганики": the chlorine-dosing program selvin.exe in the base
// folder, in a normal window, waited for without limit. A program that
// cannot be started is not reported.
void StartChlorineDosingProgram();

}  // namespace rw
