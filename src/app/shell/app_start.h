#pragma once

#include <string>

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

// `reformer --base DIR`: the base folder of this run, before the user's and
// the machine's settings. Empty: none given.
void SetBaseFolderOption(const std::string& folder);
// The base folder the program starts with: the option, else (working
// configuration) the user's or the machine's setting, else bin/sk beside the
// program.
std::string StartBaseFolder();

// The start-up without the event loop (the window tests use it): context,
// windows, welcome window shown.
void StartProgram();

}  // namespace rw
