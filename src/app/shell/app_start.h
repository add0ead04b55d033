#pragma once

class QApplication;
class QCoreApplication;

namespace rw {

// Sets up the program context and the regional settings, creates every
// window in the start-up order, shows the welcome window and runs the event
// loop until the welcome window is closed.
int RunProgram(QApplication& app);

// Installs Qt's own Russian texts (standard dialogs, their buttons and
// captions) when the translation is installed.
void LoadQtTranslation(QCoreApplication& app);

// The start-up without the event loop (the window tests use it): context,
// windows, welcome window shown.
void StartProgram();

}  // namespace rw
