#pragma once

class QApplication;

namespace rw {

// Sets up the program context and the regional settings, creates every
// window in the start-up order, shows the welcome window and runs the event
// loop until the welcome window is closed.
int RunProgram(QApplication& app);

// The start-up without the event loop (the window tests use it): context,
// windows, welcome window shown.
void StartProgram();

}  // namespace rw
