#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace rw {

// The calculation programs (the reforming model, the chlorine-dosing program,
// the fractional-composition programs) run as child processes of the program
// and talk to it only through files in the base folder. Their exit code is
// never read: what counts is what they leave on disk.

// Window of the started program. The programs are console programs; on this
// platform they get no window of their own, so the two values start them in
// the same way. They are kept because every call site names one.
enum class WindowMode { Hidden, Shown };

constexpr int kNoTimeLimit = -1;

// Model variant of a plant index (row of the plant table counted from 0).
// Every call site that starts the reforming model takes the name from here.
const char* ModelProgramName(int plantIndex);

// Splits a command line into arguments without any shell: blanks and tabs
// separate; a double quote opens or closes a quoted part in which blanks are
// kept; two double quotes inside a quoted part stand for one. Backslashes are
// ordinary characters, since the program's paths are written with them.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The argument written so that SplitCommandLine gives it back unchanged:
// quoted when it is empty or holds blanks, tabs or quotes.
std::string QuoteArgument(std::string_view argument);

// One started program. The first argument of the command line names the
// program file: a path in the program's '\' notation (mapped with ToNative),
// taken from the caller's current folder when it is not absolute; a bare name
// is looked for in the working folder first and then along PATH. The file is
// executed directly, so characters such as ';' or '|' in a name are just
// characters of that name. The program inherits the caller's environment and
// standard streams, no other open files, and runs in a process group of its
// own so that terminating it also ends whatever it started.
//
// A program file that begins with "MZ" is a DOS or Windows program: it is
// started through wine (Windows programs; DOS programs when dosbox is not
// installed) or dosbox (DOS programs), found along PATH, in the same working
// folder and with the same waiting and time-out.
class ExternalProgram {
public:
    ExternalProgram() = default;
    ~ExternalProgram();  // a program still running is terminated
    ExternalProgram(const ExternalProgram&) = delete;
    ExternalProgram& operator=(const ExternalProgram&) = delete;

    // Starts the program in `workFolder` (program notation). Returns false,
    // and reports nothing, when the command line is empty, the program file
    // cannot be found or executed, or the folder cannot be entered: callers go
    // on and read whatever files are there. Throws UserError, naming the
    // program and what to install, when the program is a DOS or Windows one
    // and no runner for it is installed.
    bool Start(const std::string& commandLine, const std::string& workFolder, WindowMode mode = WindowMode::Hidden);

    // Waits until the program ends, at most `timeoutMs` milliseconds
    // (kNoTimeLimit: without limit). True when it has ended (or was never
    // started), false when the time ran out and it is still running.
    bool Wait(int timeoutMs = kNoTimeLimit);

    // Ends the program: SIGTERM to its process group, then SIGKILL after a
    // short grace period. Does nothing when it is not running.
    void Terminate();

    bool Running() const { return pid_ > 0; }

    // The program's standard output and error go to this file (created or
    // emptied at the start) instead of the terminal, for a window to show
    // what it printed. Empty: the terminal, as before.
    void SetOutputFile(const std::string& path) { outputFile_ = path; }

private:
    int pid_ = 0;
    std::string outputFile_;
};

enum class RunOutcome { NotStarted, Finished, Terminated };

// Starts a program, waits for it at most `timeoutMs` (or without limit) and
// terminates it when the time runs out. Throws as Start does.
RunOutcome RunExternalProgram(const std::string& commandLine, const std::string& workFolder, WindowMode mode,
                              int timeoutMs, const std::string& outputFile = {});

}  // namespace rw
