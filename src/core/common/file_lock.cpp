#include "common/file_lock.h"

#include "common/errors.h"
#include "common/files.h"
#include "common/name_lookup.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <random>
#include <thread>
#include <utility>

namespace rw {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(100);
// A lock name that keeps changing hands while we look at it is tried again
// at once, a few times, before this attempt counts as "held".
constexpr int kQuickRetries = 20;

std::string ErrnoMessage(int err) {
    switch (err) {
        case ENOENT: return "Path not found";
        case EACCES:
        case EPERM:
        case EROFS: return "File access denied";
        default: return std::strerror(err);
    }
}

// Asked once per process: the user database lookup reads the password file
// each time, and every lock records the holder.
std::string ThisUser() {
    static const std::string user = [] {
        if (const passwd* pw = getpwuid(geteuid())) return std::string(pw->pw_name);
        const char* name = std::getenv("USER");
        return name ? std::string(name) : std::to_string(geteuid());
    }();
    return user;
}

std::string ThisHost() {
    static const std::string host = [] {
        char name[256] = {};
        if (gethostname(name, sizeof name - 1) != 0) return std::string("?");
        return std::string(name);
    }();
    return host;
}

std::string EncodeHolder(const LockHolder& h) {
    return "user=" + h.user + "\nhost=" + h.host + "\npid=" + std::to_string(h.pid) +
           "\nsince=" + std::to_string(h.since) + "\n";
}

LockHolder DecodeHolder(const std::string& text) {
    LockHolder h;
    for (const std::string& line : SplitLines(text)) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "user") h.user = value;
        else if (key == "host") h.host = value;
        else if (key == "pid") h.pid = std::strtol(value.c_str(), nullptr, 10);
        else if (key == "since") h.since = std::strtoll(value.c_str(), nullptr, 10);
    }
    return h;
}

std::string ReadAll(int fd) {
    std::string text;
    char buf[512];
    off_t at = 0;
    ssize_t n;
    while ((n = pread(fd, buf, sizeof buf, at)) > 0) {
        text.append(buf, static_cast<size_t>(n));
        at += n;
    }
    return text;
}

enum class OsLock { Taken, Held, Unsupported };

// An open-file-description lock belongs to this one open file, not to the
// process: two locks of one process conflict like two processes' do, and
// closing some other descriptor of the file does not drop it. The Linux NFS
// client passes it on to the server.
OsLock TryOsLock(int fd, bool writable) {
    struct flock fl {};
    fl.l_type = writable ? F_WRLCK : F_RDLCK;
    fl.l_whence = SEEK_SET;
#ifdef F_OFD_SETLK
    if (fcntl(fd, F_OFD_SETLK, &fl) == 0) return OsLock::Taken;
#else
    if (fcntl(fd, F_SETLK, &fl) == 0) return OsLock::Taken;
#endif
    if (errno == EAGAIN || errno == EACCES) return OsLock::Held;
    return OsLock::Unsupported;
}

bool SameFile(int fd, const std::string& path) {
    struct stat a {}, b {};
    return fstat(fd, &a) == 0 && stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool ProcessGone(long pid) { return pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

std::string FormatSince(std::int64_t since) {
    if (since <= 0) return "неизвестного времени";
    const std::time_t t = static_cast<std::time_t>(since);
    std::tm tm {};
    localtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%d.%m.%Y %H:%M:%S", &tm);
    return text;
}

std::string StaleNotice(const std::string& lockPath, const LockHolder& h) {
    return "Снята блокировка, оставшаяся от завершившегося процесса: " + lockPath + " (пользователь " +
           (h.user.empty() ? "?" : h.user) + ", компьютер " + (h.host.empty() ? "?" : h.host) + ", процесс " +
           std::to_string(h.pid) + ", с " + FormatSince(h.since) + ").";
}

void AtStep(LockStep step) {
    if (LockStepHook()) LockStepHook()(step);
}

// The lock files this process holds: descriptor (keeping the OS lock) and
// how many times this thread asked for it.
struct Held {
    int fd = -1;
    int count = 0;
};
using HeldKey = std::pair<std::string, std::thread::id>;
std::mutex& HeldMutex() {
    static std::mutex m;
    return m;
}
std::map<HeldKey, Held>& HeldLocks() {
    static std::map<HeldKey, Held> held;
    return held;
}

// One attempt. Returns the descriptor of the lock file now ours, or -1 with
// `holder` filled when someone else holds it.
int TryTake(const std::string& path, LockHolder& holder) {
    thread_local std::mt19937_64 rng{std::random_device{}()};
    LockHolder self{ThisUser(), ThisHost(), static_cast<long>(getpid()), static_cast<std::int64_t>(std::time(nullptr))};
    const std::string record = EncodeHolder(self);

    for (int attempt = 0; attempt < kQuickRetries; ++attempt) {
        const FolderState before = ParentFolderState(path);
        // The record is written under a private name and linked to the lock
        // name complete: a reader never sees half of it, and of several
        // processes linking at once exactly one succeeds, also on NFS.
        const std::string tmp = path + "." + std::to_string(getpid()) + "." + std::to_string(rng() % 1000000000);
        const int fd = open(tmp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0664);
        if (fd < 0) throw UserError(ErrnoMessage(errno));
        // Other members of the group must be able to test and take over the lock.
        fchmod(fd, 0664);
        const bool written = write(fd, record.data(), record.size()) == static_cast<ssize_t>(record.size());
        AtStep(LockStep::RecordWritten);
        // Taken before the file gets the lock name, so it is never under
        // that name unlocked.
        TryOsLock(fd, true);
        AtStep(LockStep::RecordLocked);
        if (!written) {
            const int err = errno;
            close(fd);
            unlink(tmp.c_str());
            throw UserError(ErrnoMessage(err));
        }
        const int linked = link(tmp.c_str(), path.c_str());
        const int linkErr = errno;
        if (linked == 0) AtStep(LockStep::Linked);
        unlink(tmp.c_str());
        if (linked == 0) {
            NoteOwnNameChange(path, before, true);
            return fd;
        }
        close(fd);
        if (linkErr != EEXIST) throw UserError(ErrnoMessage(linkErr));

        bool writable = true;
        int other = open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (other < 0 && (errno == EACCES || errno == EPERM)) {
            writable = false;
            other = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        }
        if (other < 0) {
            if (errno == ENOENT) continue;  // released meanwhile
            throw UserError(ErrnoMessage(errno));
        }
        AtStep(LockStep::HolderOpened);
        const std::string otherRecord = ReadAll(other);
        holder = DecodeHolder(otherRecord);
        const OsLock state = TryOsLock(other, writable);
        bool stale = false;
        if (state == OsLock::Taken) {
            // Nobody keeps it locked, so its holder is gone. It may also have
            // been released and replaced since we opened it: only the file
            // still under the lock name is removed.
            if (!SameFile(other, path)) {
                close(other);
                continue;
            }
            stale = true;
        } else if (state == OsLock::Unsupported) {
            // Without OS locks only a holder on this computer can be proved dead.
            stale = holder.host == self.host && ProcessGone(holder.pid) && SameFile(other, path);
        }
        if (!stale) {
            close(other);
            return -1;
        }
        AtStep(LockStep::StaleFound);
        unlink(path.c_str());
        close(other);
        AtStep(LockStep::StaleRemoved);
        if (LockWaiting().onNotice) LockWaiting().onNotice(StaleNotice(ToNative(path), holder));
    }
    return -1;
}

std::string SubjectOf(const std::string& filePath) {
    const size_t cut = filePath.find_last_of("\\/");
    return "Файл " + (cut == std::string::npos ? filePath : filePath.substr(cut + 1)) + " занят";
}

}  // namespace

LockWaitPolicy& LockWaiting() {
    static LockWaitPolicy policy;
    return policy;
}

std::function<void(LockStep)>& LockStepHook() {
    static std::function<void(LockStep)> hook;
    return hook;
}

std::string BaseFolderLockPath(const std::string& baseFolder) { return JoinPath(baseFolder, ".reformer-base.lock"); }

std::string FileLockPath(const std::string& filePath) {
    const size_t cut = filePath.find_last_of("\\/");
    if (cut == std::string::npos) return "." + filePath + ".lock";
    return filePath.substr(0, cut + 1) + "." + filePath.substr(cut + 1) + ".lock";
}

std::string HeldMessage(const std::string& subject, const LockHolder& h) {
    return subject + ": с " + FormatSince(h.since) + " — пользователь " + (h.user.empty() ? "?" : h.user) +
           ", компьютер " + (h.host.empty() ? "?" : h.host) + ", процесс " + std::to_string(h.pid) + ".";
}

ScopedLock::ScopedLock(std::string lockPath, std::string subject) : path_(ToNative(lockPath)) {
    const HeldKey key{path_, std::this_thread::get_id()};
    {
        std::lock_guard<std::mutex> guard(HeldMutex());
        auto it = HeldLocks().find(key);
        if (it != HeldLocks().end()) {
            ++it->second.count;
            return;
        }
    }
    const LockWaitPolicy& policy = LockWaiting();
    const auto start = std::chrono::steady_clock::now();
    bool waited = false;
    struct WaitEnd {
        const LockWaitPolicy& policy;
        const bool& waited;
        ~WaitEnd() {
            if (waited && policy.onWaitEnd) policy.onWaitEnd();
        }
    } waitEnd{policy, waited};
    while (true) {
        LockHolder holder;
        const int fd = TryTake(path_, holder);
        if (fd >= 0) {
            std::lock_guard<std::mutex> guard(HeldMutex());
            HeldLocks()[key] = Held{fd, 1};
            return;
        }
        const std::string held = HeldMessage(subject, holder);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (policy.timeoutSeconds >= 0 && seconds >= policy.timeoutSeconds) {
            throw UserError(held + " Ожидание прекращено через " +
                            std::to_string(static_cast<long>(std::lround(policy.timeoutSeconds))) + " с.");
        }
        waited = true;
        if (policy.onWait && !policy.onWait(held)) throw UserError(held + " Ожидание отменено.");
        std::this_thread::sleep_for(kPollInterval);
    }
}

ScopedLock::~ScopedLock() {
    int fd = -1;
    {
        std::lock_guard<std::mutex> guard(HeldMutex());
        auto it = HeldLocks().find(HeldKey{path_, std::this_thread::get_id()});
        if (it == HeldLocks().end() || --it->second.count > 0) return;
        fd = it->second.fd;
        HeldLocks().erase(it);
    }
    // The name goes first, while the OS lock still keeps anyone from calling
    // the file stale; a waiter that opened the old file sees it is no longer
    // the one under the name.
    const FolderState before = ParentFolderState(path_);
    if (SameFile(fd, path_) && unlink(path_.c_str()) == 0) NoteOwnNameChange(path_, before, false);
    AtStep(LockStep::Released);
    close(fd);
}

namespace {

std::map<std::string, std::string>& RememberedFiles() {
    static std::map<std::string, std::string> files;
    return files;
}

}  // namespace

void RememberWorkingFile(const std::string& path, const std::string& bytes) {
    std::lock_guard<std::mutex> guard(HeldMutex());
    RememberedFiles()[ToNative(path)] = bytes;
}

void RestoreWorkingFile(const std::string& path) {
    std::string bytes;
    {
        std::lock_guard<std::mutex> guard(HeldMutex());
        auto it = RememberedFiles().find(ToNative(path));
        if (it == RememberedFiles().end()) return;
        bytes = it->second;
    }
    if (FileExists(path) && ReadFileBytes(path) == bytes) return;
    WriteFileAtomic(path, bytes);
}

BaseFolderLock::BaseFolderLock(const std::string& baseFolder)
    : ScopedLock(BaseFolderLockPath(baseFolder), "Базовая папка занята") {}

SharedFileLock::SharedFileLock(const std::string& filePath) : ScopedLock(FileLockPath(filePath), SubjectOf(filePath)) {}

}  // namespace rw
