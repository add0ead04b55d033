// The main window's base folder: the line naming it, the choice of another
// folder and the check of a folder before its first calculation.
#include <QLabel>

#include "common/errors.h"
#include "common/files.h"
#include "runs/base_check.h"
#include "results/replay_window.h"
#include "shell/base_check_window.h"
#include "shell/base_folder.h"
#include "shell/main_window.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"

namespace rw {

void TForm5::ShowBaseFolder() {
    BaseFolderLine->setText("Базовая папка: " + NativePath(Context().baseFolder));
}

void TForm5::showEvent(QShowEvent* event) {
    ShowBaseFolder();
    QMainWindow::showEvent(event);
}

void TForm5::BaseChoiceClick() {
    const QString chosen = ui::ChooseFolder(this, "Базовая папка", NativePath(Context().baseFolder));
    if (chosen.isEmpty()) return;
    std::string folder = chosen.toStdString();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    const std::vector<std::string> problems = BaseFolderProblems(folder);
    if (!problems.empty()) {
        std::string message = "Папка " + ToNative(folder) + " не выбрана базовой:";
        for (const std::string& p : problems) message += "\n" + p;
        throw UserError(message);
    }
    WriteBaseFolderSetting(UserBaseFolderSetting(), folder);
    // The plant's folders and the selected date belong to the old folder:
    // the work starts again from plant selection on the new one.
    ProgramContext fresh;
    fresh.baseFolder = folder;
    if (!Context().modelBaseFolder.empty()) fresh.modelBaseFolder = folder;
    Context() = fresh;
    OnBaseFolderChanged();
    ShowBaseFolder();
    N10Click();
}

void TForm5::BaseCheckClick() {
    const BaseCheckReport report = CheckBaseFolder(Context().baseFolder);
    BaseCheckWindow window(QString::fromStdString(report.Text()), report.Errors() > 0, this);
    ui::ExecModal(&window);
}

void TForm5::BaseReplayClick() {
    const ProgramContext& c = Context();
    ReplayWindow window(c.baseFolder, c.plantIndex, QString::fromStdString(c.plantCaption), this);
    ui::ExecModal(&window);
}

}  // namespace rw
