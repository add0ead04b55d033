#pragma once
#include <string>

#include "runs/conditions_review.h"

namespace rw {

class TRavionObj;
struct ReformingOutcome;

// The reforming calculation of the main menu ("Риформинг") and what belongs
// to it: the review of the conditions, the run, the result windows.

// "Риформинг" (TForm5::N8Click). Throws UserError with the message of the
// step that failed; the main window is enabled again, its progress bar
// hidden and its label cleared before the error leaves.
void RunReformingCalculation();

// A completed calculation in the comparison window's left column and the
// feed information window.
void ShowReformingOutcome(const ReformingOutcome& outcome);

// "Расчет по углеводородному составу": the wizard window, not blocking.
void ShowCalculationWizard();

// The fitting method of the model runs as the base folder's settings hold
// it (false also when they cannot be read), and the choice stored there.
// ChooseFastFit throws UserError when the settings cannot be written.
bool FastFitChosen();
void ChooseFastFit(bool fast);

// "Подачи хлорорганики": the chlorine-dosing program selvin.exe in the base
// folder, in a normal window, waited for without limit. A program that
// cannot be started is not reported.
void StartChlorineDosingProgram();

}  // namespace rw
