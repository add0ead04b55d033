#pragma once
#include <QString>
#include <array>
#include <string>
#include <vector>

namespace rw {
class ComponentResolver;
}

// What the component list editor asks of the rest of the program: the
// import of a report, the formation, and the hand-back to the main window.
namespace rw::editor_actions {

struct ImportedList {
    std::vector<std::string> lines;
    double sum = 0;
    bool switchToDos = false;  // a Russian table report was converted
    int faultyLine = -1;       // first line whose value is no number (the list stays loaded)
    std::string faultyMessage; // what the user reads about it
    std::string note;          // report lines left out, for the user; empty when none
};

// The "Открыть" action on the default sample of the sampling date: the feed
// sample when started from "Далее" (the welcome pipeline), else the
// catalyzate sample. Throws UserError.
ImportedList ImportList(bool startedFromNext);
// The same on a file the user chose (program notation).
ImportedList ImportListFile(const std::string& path);

// The open dialog of "Открыть" for the current stream: title, initial
// folder (native), filter in the dialogs' notation.
struct OpenDialogTexts {
    QString title, folder, filter;
};
OpenDialogTexts ImportDialog();

// Forms the composition file of the sampling date being entered, with the
// sampling folder, sample name and base folder of the program context and
// the editor's fractional composition, densities and flows. Unknown
// components go to `resolver` (the question dialogs when null). Throws on
// failure.
void RunFormation(const std::array<std::string, 5>& fractionTexts, const std::array<double, 3>& densities,
                  const std::array<double, 3>& flows, ComponentResolver* resolver);

// After a successful formation: the data folder and sample name of the
// context, the main window's caption and open-dialog file name, the sample
// label of the fraction window.
void AfterFormation();

void ShowMainWindow();

// The code page the name labels of the editor and the question dialogs use.
void SetNameCodePage(bool dos);
bool NameCodePageIsDos();

}  // namespace rw::editor_actions
