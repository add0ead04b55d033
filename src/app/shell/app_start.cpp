#include "shell/app_start.h"

#include <QApplication>
#include <clocale>

#include "shell/lock_waiting.h"
#include "shell/welcome_window.h"
#include "shell/window_registry.h"

namespace rw {

void StartProgram() {
    // QApplication adopts the user's locale for the C library as well; the
    // files are written with "." whatever the user's locale, so the C
    // number conversions of the core must stay in the "C" notation. The
    // decimal separator of window texts comes from Regional() instead.
    std::setlocale(LC_NUMERIC, "C");
    InstallLockWaiting();
    Windows& w = CreateWindows();
    w.form1->show();
}

int RunProgram(QApplication& app) {
    // The welcome window is the application's main window: closing it ends
    // the program, whatever other windows are open.
    app.setQuitOnLastWindowClosed(false);
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
