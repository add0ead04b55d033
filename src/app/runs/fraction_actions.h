#pragma once

class QWidget;

namespace rw {

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

// The wizard's way into the reforming calculation: when the wizard flag is
// set, the menu item "Риформинг" is activated (its handler runs only while
// the item is enabled) and the flag is cleared.
void ActivateWizardCalculation();

}  // namespace rw
