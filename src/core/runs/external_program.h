#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

// The calculation programs (the reforming model, the chlorine-dosing program,
// the fractional-composition programs) run as child processes of the program
// and talk to it only through files in the base folder. Their exit code does
// not decide anything (DOS programs often return whatever was left in a
// register): what counts is what they leave on disk, and whether they ended
// by themselves.

// Window of the started program. Native console programs get no window of
// their own either way; a DOS program started through dosbox is run without
// a display when hidden and in dosbox's window when shown.
enum class WindowMode { Hidden, Shown };

constexpr int kNoTimeLimit = -1;

// Called every few tens of milliseconds while a program is waited for (the
// program's window keeps answering there); returning false ends the wait
// and terminates the program, as a cancelled run.
using KeepWaiting = std::function<bool()>;

// Finds `name` in `folder` whatever its letter case (DOS creates REZ for rez)
// and gives it exactly that name, so every reader finds it; true when a file
// of that name is there afterwards. With several case variants the exact
// name wins. Throws UserError when the rename fails.
bool TakeOutputFile(const std::string& folder, const std::string& name);
// Removes every file in `folder` named `name` in any letter case, so that a
// program that writes nothing cannot leave an earlier run's file to be read.
// Throws UserError when one cannot be removed.
void RemoveOutputFile(const std::string& folder, const std::string& name);

// Whether DOS can start a program file of this name: at most 8 characters,
// a dot and at most 3, of the characters DOS allows.
bool IsDosFileName(std::string_view name);
// The short name a DOS program is started under when its own name is longer
// (vortan-10.exe -> VORTAN~1.EXE), as Windows gives its DOS programs.
std::string DosShortName(std::string_view name);

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
// folder and with the same waiting and time-out. The program file is found
// whatever its letter case; a DOS program whose name DOS cannot take is
// started from a copy under its DosShortName.
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
    // and no runner for it is installed, and UserError(RefusedProgramMessage)
    // for a program someone else could have changed (model_programs.h: such
    // a program, or one the working folder lacks, is started from a checked
    // private copy of the installation's program of that name).
    bool Start(const std::string& commandLine, const std::string& workFolder, WindowMode mode = WindowMode::Hidden);

    // Waits until the program ends, at most `timeoutMs` milliseconds
    // (kNoTimeLimit: without limit). True when it has ended (or was never
    // started), false when the time ran out and it is still running.
    bool Wait(int timeoutMs = kNoTimeLimit);

    // Ends the program: SIGTERM to its process group, then SIGKILL after a
    // short grace period. Does nothing when it is not running.
    void Terminate();

    // Waits as Wait does, calling `keepWaiting` in between; when it returns
    // false the program is terminated and the result is false as well.
    bool Wait(int timeoutMs, const KeepWaiting& keepWaiting);

    bool Running() const { return pid_ > 0; }
    // Started through dosbox or wine (their start alone takes a while).
    bool Emulated() const { return emulated_; }
    // Of the program that has ended: its exit code, or the signal that ended
    // it (0 when it exited).
    int ExitCode() const { return exitCode_; }
    int Signal() const { return signal_; }

    // The program's standard output and error go to this file (created or
    // emptied at the start) instead of the terminal, for a window to show
    // what it printed. Empty: the terminal, as before.
    void SetOutputFile(const std::string& path) { outputFile_ = path; }

private:
    void RemoveScratch();

    int pid_ = 0;
    std::string outputFile_;
    std::string scratch_;      // folder of a short-named copy for DOS
    std::string privateCopy_;  // folder of the checked copy of an installed program
    bool emulated_ = false;
    int exitCode_ = 0;
    int signal_ = 0;
};

// Finished: ended by itself. Crashed: ended by a signal it did not ask for.
// Terminated: stopped at its time limit. Cancelled: stopped because the user
// asked for it.
enum class RunOutcome { NotStarted, Finished, Terminated, Crashed, Cancelled };

// How a program run ended, for the message of a failed run and the log.
struct ProgramEnd {
    RunOutcome outcome = RunOutcome::NotStarted;
    int exitCode = 0;
    int signal = 0;
    int timeLimitMs = kNoTimeLimit;  // the limit that applied (emulated programs get their own)
    bool emulated = false;
};

// Starts a program, waits for it at most `timeoutMs` (or without limit) and
// terminates it when the time runs out. A program started through an
// emulator is given `emulatorTimeoutMs` instead when that is longer. Throws
// as Start does.
RunOutcome RunExternalProgram(const std::string& commandLine, const std::string& workFolder, WindowMode mode,
                              int timeoutMs, const std::string& outputFile = {});
// `outputFile`: see ExternalProgram::SetOutputFile.
ProgramEnd RunExternalProgram(const std::string& commandLine, const std::string& workFolder, WindowMode mode,
                              int timeoutMs, int emulatorTimeoutMs, const KeepWaiting& keepWaiting,
                              const std::string& outputFile = {});

// What went wrong with a program run, in Russian, as the predicate of
// FailedRunMessage ("не завершилась за 2 с и была остановлена"); empty for a
// program that finished.
std::string ProgramEndProblem(const ProgramEnd& end);

// The message of a failed calculation: "Расчет не выполнен: программа " +
// program + " (дата отбора " + sample date + ") " + problem + ". Результаты
// расчета не сохранены."
std::string FailedRunMessage(const std::string& program, const std::string& sampleDate, const std::string& problem);

}  // namespace rw
