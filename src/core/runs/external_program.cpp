#include "runs/external_program.h"

#include "common/errors.h"
#include "common/files.h"
#include "common/name_lookup.h"
#include "runs/model_programs.h"

#include <poll.h>
#include <signal.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

extern char** environ;

namespace rw {
namespace {

using Clock = std::chrono::steady_clock;

bool IsExecutableFile(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// The real model programs were built for DOS or Windows. Their files begin
// with "MZ"; a Windows program carries a second header, "PE" (or "NE" for the
// 16-bit ones), at the offset stored at 0x3C.
enum class LegacyKind { None, Dos, Windows };

LegacyKind LegacyKindOf(const std::string& path) {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return LegacyKind::None;
    std::ifstream in(path, std::ios::binary);
    char head[64] = {};
    in.read(head, sizeof head);
    const auto got = in.gcount();
    if (got < 2 || head[0] != 'M' || head[1] != 'Z') return LegacyKind::None;
    if (got < 64) return LegacyKind::Dos;
    uint32_t offset = 0;
    for (int i = 3; i >= 0; --i) offset = offset << 8 | static_cast<unsigned char>(head[0x3C + i]);
    char sig[4] = {};
    in.clear();
    in.seekg(offset);
    in.read(sig, sizeof sig);
    if (in.gcount() >= 2 && ((sig[0] == 'P' && sig[1] == 'E') || (sig[0] == 'N' && sig[1] == 'E'))) {
        return LegacyKind::Windows;
    }
    return LegacyKind::Dos;
}

// A program file can be started when it is executable, or when it is a DOS or
// Windows program: those are handed to a runner, and copies from a Windows
// machine often come without the executable bit.
bool IsStartableFile(const std::string& path) {
    return IsExecutableFile(path) || LegacyKindOf(path) != LegacyKind::None;
}

std::string JoinNative(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The first file called `name` along PATH that passes `usable`, or empty.
std::string FindOnPath(const std::string& name, bool (*usable)(const std::string&)) {
    const char* pathVar = std::getenv("PATH");
    std::string_view dirs = pathVar ? pathVar : "/usr/bin:/bin";
    while (true) {
        size_t colon = dirs.find(':');
        std::string dir(dirs.substr(0, colon));
        std::string candidate = JoinNative(dir.empty() ? "." : dir, name);
        if (usable(candidate)) return candidate;
        if (colon == std::string_view::npos) break;
        dirs.remove_prefix(colon + 1);
    }
    return {};
}

// The file to execute for the first argument, or empty when there is none.
// Model programs copied from Windows keep their capitals (KELMAR.EXE), so
// the name is found whatever its case.
std::string ResolveProgram(const std::string& program, const std::string& nativeFolder) {
    if (program.find('/') != std::string::npos) {
        // A path names the file from where the caller stands, whatever folder the program will work in.
        std::error_code ec;
        std::string path = program.front() == '/' ? program : std::filesystem::absolute(program, ec).string();
        if (ec) return {};
        path = FindExistingNames(path);
        return IsStartableFile(path) ? path : std::string();
    }
    std::string local = FindExistingNames(JoinNative(nativeFolder.empty() ? "." : nativeFolder, program));
    if (IsStartableFile(local)) return local;
    return FindOnPath(program, IsStartableFile);
}

std::filesystem::path FolderPath(const std::string& folder);

// The file to execute for the first argument, with the rule of where model
// programs may come from (see model_programs.h): a program that someone
// besides root and the running user can change is not started from there but
// from a checked private copy of the one the administrator installed under
// its name; so is a program the working folder lacks. `privateFolder` is set
// when a copy was made. Empty when there is nothing to start. Throws
// UserError(RefusedProgramMessage) for a program it will not start.
std::string ProgramToStart(const std::string& program, const std::string& nativeFolder, std::string& privateFolder) {
    const std::string name = std::filesystem::path(program).filename().string();
    const bool named = program.find('/') != std::string::npos;
    std::string file;
    if (named) {
        file = ResolveProgram(program, nativeFolder);
        std::error_code ec;
        const std::filesystem::path where = std::filesystem::absolute(program, ec).parent_path();
        if (file.empty() && FolderPath(where.string()) != FolderPath(nativeFolder)) return {};
    } else {
        const std::string local = FindExistingNames(JoinNative(nativeFolder.empty() ? "." : nativeFolder, program));
        if (IsStartableFile(local)) file = local;
    }
    if (file.empty()) {
        std::string copy = CheckedInstalledCopy(name, privateFolder);
        return copy.empty() && !named ? FindOnPath(program, IsStartableFile) : copy;
    }
    const ProgramTrust trust = AssessProgramFile(file, ::geteuid());
    if (trust.inPlace) {
        const std::filesystem::path parent = std::filesystem::path(file).parent_path();
        if (trust.usersOwn && FolderPath(parent.string()) == FolderPath(nativeFolder)) {
            TellOwnProgramsOnce(FolderPath(nativeFolder).string());
        }
        return file;
    }
    std::string copy = CheckedInstalledCopy(name, privateFolder);
    if (copy.empty()) {
        throw UserError(RefusedProgramMessage(file, trust.problem + ", а в папке моделей установки " +
                                                        InstalledModelsFolder() + " программы " + name + " нет",
                                              name));
    }
    return copy;
}

// Characters DOS accepts in a file name besides letters and digits.
bool IsDosNameCharacter(char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
           std::string_view("!#$%&'()-@^_`{}~").find(ch) != std::string_view::npos;
}

// A folder as one spelling: normalised, without a trailing separator, so
// that ".../sk/" and ".../sk" are the same folder.
std::filesystem::path FolderPath(const std::string& folder) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(folder.empty() ? "." : folder, ec).lexically_normal();
    if (!p.has_filename() && p.has_parent_path() && p != p.root_path()) p = p.parent_path();
    return p;
}

// How a DOS or Windows program is started, and whether the runner must be
// told to work without a display.
struct LegacyStart {
    std::vector<std::string> command;
    bool dosbox = false;
    std::string scratchFolder;  // the short-named copy's folder, removed after the run
};

// A copy of `program` named by DosShortName in a new temporary folder; the
// folder's native path. Throws UserError when it cannot be made.
std::string ShortNameCopy(const std::string& program) {
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "reformer-dos-XXXXXX").string();
    if (ec || !::mkdtemp(pattern.data())) {
        throw UserError("Не удалось подготовить короткое имя DOS для программы " + program + ": " + std::strerror(errno));
    }
    const std::string name = std::filesystem::path(program).filename().string();
    std::filesystem::copy_file(program, std::filesystem::path(pattern) / DosShortName(name), ec);
    if (ec) {
        std::filesystem::remove_all(pattern, ec);
        throw UserError("Не удалось подготовить короткое имя DOS для программы " + program + ".");
    }
    return pattern;
}

// The command that starts a DOS or Windows program through wine or dosbox in
// `folder`. Throws UserError naming the program and what to install when no
// suitable runner is there: reading the files an earlier run left behind
// would pass stale results off as new ones.
LegacyStart LegacyCommand(LegacyKind kind, const std::string& file, const std::vector<std::string>& args,
                          const std::string& folder) {
    std::error_code ec;
    const std::string program = std::filesystem::absolute(file, ec).lexically_normal().string();
    const std::string wine = FindOnPath("wine", IsExecutableFile);
    const std::string dosbox = kind == LegacyKind::Dos ? FindOnPath("dosbox", IsExecutableFile) : std::string();
    if (!dosbox.empty()) {
        // DOSBox cannot take the program's arguments on its own command line:
        // the working folder becomes drive C and the program is typed there.
        const std::filesystem::path work = FolderPath(folder);
        const std::filesystem::path programPath(program);
        std::vector<std::string> cmd{dosbox, "-noautoexec", "-c", "MOUNT C \"" + work.string() + "\"", "-c", "C:"};
        std::string typed = programPath.filename().string();
        std::string scratch;
        if (!IsDosFileName(typed)) {
            // DOS cannot start vortan-10.exe by that name: a copy under a
            // short name, on a drive of its own, is started instead.
            scratch = ShortNameCopy(program);
            cmd.insert(cmd.end(), {"-c", "MOUNT D \"" + scratch + "\""});
            typed = "D:\\" + DosShortName(typed);
        } else if (FolderPath(programPath.parent_path().string()) != work) {
            cmd.insert(cmd.end(), {"-c", "MOUNT D \"" + programPath.parent_path().string() + "\""});
            typed = "D:\\" + typed;
        }
        for (size_t i = 1; i < args.size(); ++i) typed += " " + args[i];
        cmd.insert(cmd.end(), {"-c", typed, "-c", "EXIT"});
        return {cmd, true, scratch};
    }
    if (!wine.empty()) {
        std::vector<std::string> cmd{wine, program};
        cmd.insert(cmd.end(), args.begin() + 1, args.end());
        return {cmd, false, {}};
    }
    if (kind == LegacyKind::Windows) {
        throw UserError("Программа " + program +
                        " написана для Windows и не может быть запущена: установите wine (sudo apt install wine).");
    }
    throw UserError("Программа " + program +
                    " написана для DOS и не может быть запущена: установите dosbox или wine (sudo apt install dosbox).");
}

// The caller's environment, with dosbox told to draw nowhere: a hidden model
// must run on a machine without a display (and must not pop up a window on
// one that has it).
std::vector<std::string> ChildEnvironment(bool noDisplay) {
    std::vector<std::string> env;
    for (char** e = environ; e && *e; ++e) {
        if (noDisplay && std::string_view(*e).starts_with("SDL_VIDEODRIVER=")) continue;
        env.emplace_back(*e);
    }
    if (noDisplay) env.emplace_back("SDL_VIDEODRIVER=dummy");
    return env;
}

// Whether the child has ended, without reaping it (so its process group id
// cannot be reused while we may still signal the group).
bool HasEnded(int pid) {
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
        return errno == ECHILD;  // already reaped elsewhere: nothing to wait for
    }
    return info.si_pid == pid;
}

int Reap(int pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// How often a wait looks up from the child to let the caller's window answer.
constexpr auto kWaitSlice = std::chrono::milliseconds(50);

// Waits until the child ends or the deadline passes. A pidfd lets the kernel
// wake us when the child ends; without one we poll in short steps.
bool WaitUntil(int pid, bool limited, Clock::time_point deadline) {
#ifdef SYS_pidfd_open
    int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (fd >= 0) {
        bool failed = false;
        while (!HasEnded(pid)) {
            int ms = -1;
            if (limited) {
                auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
                if (left <= 0) {
                    ::close(fd);
                    return false;
                }
                ms = static_cast<int>(left);
            }
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, ms) < 0 && errno != EINTR) {
                failed = true;
                break;
            }
        }
        ::close(fd);
        if (!failed) return true;
    }
#endif
    auto step = std::chrono::milliseconds(1);
    while (!HasEnded(pid)) {
        if (limited && Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(step);
        if (step < std::chrono::milliseconds(20)) step *= 2;
    }
    return true;
}

}  // namespace

bool IsDosFileName(std::string_view name) {
    const size_t dot = name.find('.');
    const std::string_view stem = name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    if (stem.empty() || stem.size() > 8 || extension.size() > 3) return false;
    if (dot != std::string_view::npos && extension.empty()) return false;
    for (std::string_view part : {stem, extension}) {
        for (char ch : part) {
            if (!IsDosNameCharacter(ch)) return false;
        }
    }
    return true;
}

std::string DosShortName(std::string_view name) {
    const size_t dot = name.rfind('.');
    auto keep = [](std::string_view part, size_t count) {
        std::string out;
        for (char ch : part) {
            if (out.size() == count) break;
            if (IsDosNameCharacter(ch)) out += static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
        }
        return out;
    };
    std::string shortName = keep(name.substr(0, dot), 6);
    if (shortName.empty()) shortName = "PROG";
    shortName += "~1";
    if (dot != std::string_view::npos) shortName += "." + keep(name.substr(dot + 1), 3);
    return shortName;
}

const char* ModelProgramName(int plantIndex) {
    switch (plantIndex) {
        case 9:
        case 16: return "vortan-10.exe";
        case 10:
        case 11:
        case 12: return "kelmar.exe";
        default: return "vortan.exe";
    }
}

std::vector<std::string> SplitCommandLine(std::string_view s) {
    std::vector<std::string> args;
    size_t i = 0, n = s.size();
    while (true) {
        while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;
        if (i >= n) break;
        std::string arg;
        bool quoted = false;
        for (; i < n; ++i) {
            char ch = s[i];
            if (ch == '"') {
                if (quoted && i + 1 < n && s[i + 1] == '"') {
                    arg += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
            } else if (!quoted && (ch == ' ' || ch == '\t')) {
                break;
            } else {
                arg += ch;
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

std::string QuoteArgument(std::string_view a) {
    if (!a.empty() && a.find_first_of(" \t\"") == std::string_view::npos) return std::string(a);
    std::string out = "\"";
    for (char ch : a) {
        if (ch == '"') out += '"';
        out += ch;
    }
    return out + "\"";
}

ExternalProgram::~ExternalProgram() { Terminate(); }

bool ExternalProgram::Start(const std::string& commandLine, const std::string& workFolder, WindowMode mode) {
    if (pid_ > 0) return false;
    std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty()) return false;
    args[0] = ToNative(args[0]);
    const std::string folder = ToNative(workFolder);
    std::string file = ProgramToStart(args[0], folder, privateCopy_);
    if (file.empty()) return false;
    bool noDisplay = false;
    emulated_ = false;
    exitCode_ = signal_ = 0;
    if (LegacyKind kind = LegacyKindOf(file); kind != LegacyKind::None) {
        LegacyStart legacy;
        try {
            legacy = LegacyCommand(kind, file, args, folder);
        } catch (const UserError& error) {
            // The user knows the installed program, not its private copy.
            std::string message = error.what();
            if (!privateCopy_.empty()) {
                const std::string copy = std::filesystem::path(file).lexically_normal().string();
                const std::string installed = InstalledModelsFolder() + "/" + std::filesystem::path(file).filename().string();
                for (size_t at = message.find(copy); at != std::string::npos; at = message.find(copy, at + installed.size())) {
                    message.replace(at, copy.size(), installed);
                }
            }
            RemoveScratch();
            throw UserError(message);
        }
        scratch_ = std::move(legacy.scratchFolder);
        args = std::move(legacy.command);
        file = args[0];
        emulated_ = true;
        noDisplay = legacy.dosbox && mode == WindowMode::Hidden;
    }
    std::vector<std::string> env = ChildEnvironment(noDisplay);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attr);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    // Only the standard streams are handed down. What dosbox and wine print
    // about themselves goes to the error stream: the output of the command
    // line is its results.
    if (emulated_) posix_spawn_file_actions_adddup2(&actions, 2, 1);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    if (!outputFile_.empty()) {
        const std::string out = ToNative(outputFile_);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    }
    posix_spawnattr_setpgroup(&attr, 0);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    int rc = posix_spawn(&pid, file.c_str(), &actions, &attr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        RemoveScratch();
        return false;
    }
    pid_ = pid;
    return true;
}

void ExternalProgram::RemoveScratch() {
    std::error_code ec;
    for (std::string* folder : {&scratch_, &privateCopy_}) {
        if (folder->empty()) continue;
        std::filesystem::remove_all(*folder, ec);
        folder->clear();
    }
}

bool ExternalProgram::Wait(int timeoutMs) { return Wait(timeoutMs, {}); }

bool ExternalProgram::Wait(int timeoutMs, const KeepWaiting& keepWaiting) {
    if (pid_ <= 0) return true;
    const bool limited = timeoutMs >= 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(limited ? timeoutMs : 0);
    if (keepWaiting) {
        while (true) {
            const auto slice = Clock::now() + kWaitSlice;
            const bool last = limited && deadline <= slice;
            if (WaitUntil(pid_, true, last ? deadline : slice)) break;
            if (last) return false;
            if (!keepWaiting()) {
                Terminate();
                return false;
            }
        }
    } else if (!WaitUntil(pid_, limited, deadline)) {
        return false;
    }
    const int status = Reap(pid_);
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
    signal_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    pid_ = 0;
    RemoveScratch();
    return true;
}

void ExternalProgram::Terminate() {
    if (pid_ <= 0) return;
    ::kill(-pid_, SIGTERM);
    WaitUntil(pid_, true, Clock::now() + std::chrono::milliseconds(300));
    // Whatever is left of the group, the program included, is ended for good.
    ::kill(-pid_, SIGKILL);
    Reap(pid_);
    pid_ = 0;
    RemoveScratch();
}

RunOutcome RunExternalProgram(const std::string& commandLine, const std::string& workFolder, WindowMode mode,
                              int timeoutMs, const std::string& outputFile) {
    return RunExternalProgram(commandLine, workFolder, mode, timeoutMs, timeoutMs, {}, outputFile).outcome;
}

ProgramEnd RunExternalProgram(const std::string& commandLine, const std::string& workFolder, WindowMode mode,
                              int timeoutMs, int emulatorTimeoutMs, const KeepWaiting& keepWaiting,
                              const std::string& outputFile) {
    ProgramEnd end;
    ExternalProgram program;
    program.SetOutputFile(outputFile);
    if (!program.Start(commandLine, workFolder, mode)) return end;
    end.emulated = program.Emulated();
    end.timeLimitMs = timeoutMs;
    if (end.emulated && timeoutMs != kNoTimeLimit) {
        end.timeLimitMs = emulatorTimeoutMs == kNoTimeLimit ? kNoTimeLimit : std::max(timeoutMs, emulatorTimeoutMs);
    }
    bool cancelled = false;
    const KeepWaiting watch = keepWaiting ? KeepWaiting([&] { return !(cancelled = !keepWaiting()); }) : KeepWaiting();
    if (program.Wait(end.timeLimitMs, watch)) {
        end.exitCode = program.ExitCode();
        end.signal = program.Signal();
        end.outcome = end.signal ? RunOutcome::Crashed : RunOutcome::Finished;
        return end;
    }
    program.Terminate();
    end.outcome = cancelled ? RunOutcome::Cancelled : RunOutcome::Terminated;
    return end;
}

std::string ProgramEndProblem(const ProgramEnd& end) {
    switch (end.outcome) {
        case RunOutcome::NotStarted: return "не запустилась";
        case RunOutcome::Finished: return {};
        case RunOutcome::Terminated: {
            const int tenths = (end.timeLimitMs + 50) / 100;
            std::string seconds = std::to_string(tenths / 10);
            if (tenths % 10) seconds += "." + std::to_string(tenths % 10);
            return "не завершилась за " + seconds + " с и была остановлена";
        }
        case RunOutcome::Crashed:
            return "завершилась аварийно (сигнал " + std::to_string(end.signal) + ")";
        case RunOutcome::Cancelled: return "остановлена: расчет прерван пользователем";
    }
    return {};
}

std::string FailedRunMessage(const std::string& program, const std::string& sampleDate, const std::string& problem) {
    return "Расчет не выполнен: программа " + program + " (дата отбора " + sampleDate + ") " + problem +
           ". Результаты расчета не сохранены.";
}

bool TakeOutputFile(const std::string& folder, const std::string& name) {
    const std::vector<std::string> found = ListFiles(folder, name);
    if (found.empty()) return false;
    if (std::find(found.begin(), found.end(), name) != found.end()) return true;
    // The target spelled as given: looking it up would find the file being renamed.
    const std::string nativeFolder = ToNative(folder);
    const std::string from = nativeFolder + "/" + found.front();
    std::error_code ec;
    std::filesystem::rename(from, nativeFolder + "/" + name, ec);
    if (ec) throw UserError("Не удалось переименовать " + from + " в " + name + ": " + ec.message());
    return true;
}

void RemoveOutputFile(const std::string& folder, const std::string& name) {
    for (const std::string& found : ListFiles(folder, name)) DeleteFile(JoinPath(folder, found));
}

}  // namespace rw
