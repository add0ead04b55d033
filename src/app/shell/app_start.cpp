#include "shell/app_start.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>

#include "common/configuration.h"
#include "common/files.h"
#include "shell/base_folder.h"
#include "common/regional.h"
#include "runs/model_programs.h"
#include "shell/lock_waiting.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/welcome_window.h"
#include "shell/window_registry.h"

namespace rw {

void LoadQtTranslation(QCoreApplication& app) {
    // The program speaks Russian whatever the user's locale: the standard
    // dialogs and their buttons ("Да", "Нет", "Отмена") must too.
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

namespace {
std::string& BaseFolderOption() {
    static std::string folder;
    return folder;
}
}  // namespace

void SetBaseFolderOption(const std::string& folder) { BaseFolderOption() = folder; }

std::string StartBaseFolder() {
    if (!BaseFolderOption().empty()) return BaseFolderOption();
    if (WorkingConfiguration()) return DefaultBaseFolder(ProgramFolder());
    return BaseFolderOf(ProgramFolder());
}

void StartProgram() {
    // QApplication adopts the user's locale for the C library as well; the
    // files are written with "." whatever the user's locale, so the C
    // number conversions of the core must stay in the "C" notation. The
    // decimal separator of window texts comes from Regional() instead.
    std::setlocale(LC_NUMERIC, "C");
    UseScreenSeparator();
    // Month and day names of the calendars and file dialogs in Russian. Qt
    // formats no number of this program through the locale, so the decimal
    // point stays as UseScreenSeparator set it.
    QLocale::setDefault(WorkingConfiguration() ? QLocale(QLocale::Russian, QLocale::Russia) : QLocale::system());
    InstallLockWaiting();
    // Model programs of a base folder of one's own are the user's to keep.
    OwnPrograms().onNotice = [](const std::string& notice) { ui::ShowMessage(nullptr, QString::fromStdString(notice)); };
    Windows& w = CreateWindows();
    w.form1->show();
}

int RunProgram(QApplication& app) {
    // The welcome window is the application's main window: closing it ends
    // the program, whatever other windows are open.
    app.setQuitOnLastWindowClosed(false);
    LoadQtTranslation(app);
    // However the program ends (the window's close box, the menu, the end of
    // the chain), the working configuration leaves no *.bak working copies.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [] {
        if (!WorkingConfiguration()) return;
        try {
            DeleteBakFiles(Context().baseFolder);
        } catch (const std::exception&) {
            // Nothing is left to show a message in; the next exit tries again.
        }
    });
    StartProgram();
    // exit(), not quit(): quit() first asks every open window to close and
    // gives up when one refuses (the main window has no close box, the plant
    // window waits for "Далее"), which would leave the program running
    // without the welcome window.
    QObject::connect(W().form1, &QDialog::finished, &app, [] { QCoreApplication::exit(0); });
    int rc = app.exec();
    DestroyWindows();
    return rc;
}

}  // namespace rw
