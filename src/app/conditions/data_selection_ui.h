#pragma once

class QAction;

namespace rw {

class TForm5;

// Data selection ("Выбор данных", TForm5::N12Click): the conditions file of
// the sampling date 01-09-09 of the plant folder Hornel goes into the program
// context and the conditions form; its composition file, when there is one,
// into the composition editor and the fractional-composition window;
// otherwise the warning window says it is missing.
// Throws UserError with the message of the step that failed ("File not
// found", "Invalid numeric input", "'%s' is not a valid date", a
// file-system message); the steps after it are not done.
void RunDataSelection();

// Enables or disables an item of the main window's menu
// (&TForm5::N16...); nothing happens while the main window does not exist.
void SetMainMenuItemEnabled(QAction* TForm5::*item, bool enabled);

}  // namespace rw
