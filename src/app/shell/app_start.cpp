#include "shell/app_start.h"

#include <QApplication>

#include "shell/welcome_window.h"
#include "shell/window_registry.h"

namespace rw {

void StartProgram() {
    Windows& w = CreateWindows();
    w.form1->show();
}

int RunProgram(QApplication& app) {
    // The welcome window is the application's main window: closing it ends
    // the program, whatever other windows are open.
    app.setQuitOnLastWindowClosed(false);
    StartProgram();
    QObject::connect(W().form1, &QDialog::finished, &app, &QApplication::quit);
    int rc = app.exec();
    DestroyWindows();
    return rc;
}

}  // namespace rw
