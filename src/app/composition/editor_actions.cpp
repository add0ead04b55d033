#include "composition/editor_actions.h"

#include <QLabel>

#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "composition/dialog_resolver.h"
#include "composition/formation.h"
#include "composition/report_import.h"
#include "runs/feed_info_window.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw::editor_actions {
namespace {
bool g_dosNames = false;
}

ImportedList ImportList(bool startedFromNext) {
    const ProgramContext& c = Context();
    OpenDialogSetup setup = PrepareOpenDialog(c.baseFolder, c.samplingFolder, c.plantIndex, c.currentStream,
                                              startedFromNext ? OpenStarter::NextButton : OpenStarter::Other);
    return ImportListFile(setup.fileName);
}

ImportedList ImportListFile(const std::string& path) {
    OpenedList opened = OpenComponentList(path, Context().currentStream);
    return ImportedList{opened.lines,     opened.sum,      opened.dosNames,
                        opened.faultyLine, opened.sumError, SkippedLinesNote(opened.skippedLines)};
}

OpenDialogTexts ImportDialog() {
    const ProgramContext& c = Context();
    OpenDialogSetup setup =
        PrepareOpenDialog(c.baseFolder, c.samplingFolder, c.plantIndex, c.currentStream, OpenStarter::Other);
    return {QString::fromStdString(setup.title), NativePath(setup.initialFolder), DialogFilter(setup.filter)};
}

void RunFormation(const std::array<std::string, 5>& fractionTexts, const std::array<double, 3>& densities,
                  const std::array<double, 3>& flows, ComponentResolver* resolver) {
    const ProgramContext& c = Context();
    FormationInputs in;
    in.samplingFolder = c.samplingFolder;
    in.sampleName = c.entrySampleName;
    in.baseFolder = c.baseFolder;
    in.density = densities;
    in.flow = flows;
    in.fractionTexts = fractionTexts;
    DialogResolver dialogs;
    FormComposition(in, resolver ? *resolver : static_cast<ComponentResolver&>(dialogs));
}

void AfterFormation() {
    ProgramContext& c = Context();
    TForm5* main = W().form5;
    main->OpenDialog1.fileName = QString::fromStdString(ToNative(JoinPath(c.samplingFolder, c.entrySampleName + ".dan")));
    c.dataFolder = c.samplingFolder + "\\";
    c.sampleName = c.entrySampleName;
    main->setWindowTitle(QString::fromStdString(MainWindowCaption(c)));
    // The status line says which file the data entry ended in, so the user
    // need not look for it.
    if (WorkingConfiguration()) {
        main->Label1->setText("Файл состава записан: " +
                              NativePath(JoinPath(c.samplingFolder, c.entrySampleName + ".sk")));
    }
    if (W().form30) W().form30->ShowCurrentName(QString::fromStdString(c.entrySampleName));
}

void ShowMainWindow() { W().form5->ReturnToMainWindow(); }

void SetNameCodePage(bool dos) { g_dosNames = dos; }
bool NameCodePageIsDos() { return g_dosNames; }

}  // namespace rw::editor_actions
