#pragma once

class QWidget;

namespace rw {

struct FractionSave;

// The fractional-composition calculation as the main menu and the wizard
// reach it.

// "Фракционный состав" (TForm5::FrClick): the last sample's fractional
// composition from base\sk into the fractional-composition window, shown
// modally; "Нет данных по фракционному составу!" when base\sk has none.
// Throws UserError("File not found") when base\sk is missing.
void ShowFractionWindow();

// "Расчет по фракционному составу" (TForm5::N24Click): the first wizard
// window, not blocking.
void StartFractionWizard();

// After the new date's composition file is written: with a conditions file
// for the date, a message and, in the wizard, the reforming calculation;
// without one, a message and the conditions form, prepared from the previous
// date's conditions file and shown modally (`fractionWindow` is hidden
// first), after which the wizard goes on to the reforming calculation when
// the date's conditions file is there. Throws what the steps throw.
void ContinueWithConditions(const FractionSave& save, QWidget* fractionWindow);

// The wizard's way into the reforming calculation: when the wizard flag is
// set, the menu item "Риформинг" is activated (its handler runs only while
// the item is enabled) and the flag is cleared.
void ActivateWizardCalculation();

}  // namespace rw
