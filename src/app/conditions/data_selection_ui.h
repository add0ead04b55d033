#pragma once
#include <string>

namespace rw {

struct ConditionsSelection;
struct DataSelectionOutcome;

// Data selection ("Выбор данных", TForm5::N12Click): the conditions file of
// a sampling date goes into the program context and the conditions form; its composition file, when there is one,
// into the composition editor and the fractional-composition window;
// otherwise the warning window says it is missing.
// Throws UserError with the message of the step that failed ("File not
// found", "Invalid numeric input", "'%s' is not a valid date", a
// file-system message); the steps after it are not done.
// The date is the one the user picks in the open dialog; with
// FixedSampleFiles() it is the sample date 01-09-09 of the plant folder
// Hornel, without asking. A cancelled dialog changes nothing (false).
bool RunDataSelection();
// The same on a conditions file already known (program notation), as the
// end of a data entry makes its date the current data.
void RunDataSelectionOf(const std::string& dataFile);

// What a data selection read, shown where the program shows it: the
// conditions form; then the composition editor, the fractional-composition
// window and the main window's caption, or the warning window; the main
// window's current work is told of the selection.
void ShowSelectedConditions(const ConditionsSelection& conditions);
void ShowDataSelection(const DataSelectionOutcome& outcome);

}  // namespace rw
