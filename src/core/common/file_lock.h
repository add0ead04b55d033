#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace rw {

// Several engineers (and scheduled command-line batches) share one base
// folder, often on a network drive. A lock is a small file beside what it
// guards, created whole by a hard link so that only one process can own the
// name, recording who holds it; its owner also keeps an operating-system
// lock on it, so that a holder that dies leaves a lock the next process can
// prove dead and take over.

// The moments between the steps of taking and giving back a lock, where
// another process may act at any time. The program sets no hook; tests put
// a second taker into each of these windows.
enum class LockStep {
    RecordWritten,  // our record is in a private file, not yet OS-locked
    RecordLocked,   // that file is OS-locked, not yet under the lock name
    Linked,         // it is under the lock name; the private name still exists
    HolderOpened,   // the file under the lock name (someone else's) is opened, not yet tested
    StaleFound,     // that file is proved left by a dead holder, not yet removed
    StaleRemoved,   // it is removed; the next attempt has not begun
    Released,       // our lock name is removed, our OS lock still kept
};
std::function<void(LockStep)>& LockStepHook();

// Who holds a lock, as its lock file records it.
struct LockHolder {
    std::string user;
    std::string host;
    long pid = 0;
    std::int64_t since = 0;  // seconds since 1970, when it was taken
};

// How a process waits for a lock someone else holds. One policy for the
// whole process: the command line sets its time limit, the program shows a
// cancellable waiting window.
struct LockWaitPolicy {
    // Gives up after this many seconds; a negative value waits until the
    // lock is free or onWait cancels.
    double timeoutSeconds = 300;
    // Called repeatedly while waiting with the text naming the holder
    // (HeldMessage); returning false cancels the wait.
    std::function<bool(const std::string& heldMessage)> onWait;
    // Called once when a wait during which onWait was called ends, taken or
    // given up.
    std::function<void()> onWaitEnd;
    // Told when a lock left by a dead process is taken over.
    std::function<void(const std::string& notice)> onNotice;
};
LockWaitPolicy& LockWaiting();

// Lock files: the base folder's (every working file of the model programs
// lies in it) and the one of a shared file, "." + name + ".lock" beside it.
std::string BaseFolderLockPath(const std::string& baseFolder);
std::string FileLockPath(const std::string& filePath);

// "Базовая папка занята: с 09.12.2026 12:31:05 — пользователь ivanov,
// компьютер pc-7, процесс 1234." for subject "Базовая папка занята".
std::string HeldMessage(const std::string& subject, const LockHolder& holder);

// Holds a lock for its lifetime. Taking a lock this thread already holds
// only counts it, so nested steps of one calculation may each ask for it.
// When the lock is held elsewhere it waits as LockWaiting() says; giving up
// throws UserError with HeldMessage and " Ожидание прекращено через N с."
// (time limit) or " Ожидание отменено." (cancelled). A lock whose holder is
// dead is taken over and LockWaiting().onNotice told. Failures to create
// the lock file throw the file-system message.
class ScopedLock {
public:
    ScopedLock(std::string lockPath, std::string subject);
    ~ScopedLock();
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    std::string path_;
};

// The base folder, for everything that prepares, runs or reads the model,
// dosing and fraction programs' working files and the selected plant's
// settings copies.
class BaseFolderLock : public ScopedLock {
public:
    explicit BaseFolderLock(const std::string& baseFolder);
};

// One shared file for a read-modify-write: the file must be read again
// inside the lock.
class SharedFileLock : public ScopedLock {
public:
    explicit SharedFileLock(const std::string& filePath);
};

// A working file of the base folder that this instance fills for a later
// step of its own (the fraction programs' sk: data selection copies it, the
// fraction window reads and rewrites it): what this instance last left there
// is remembered and put back before that step, in case another instance
// wrote its own since. Call both with the base folder locked.
void RememberWorkingFile(const std::string& path, const std::string& bytes);
// Does nothing when nothing was remembered for the path or it is unchanged.
void RestoreWorkingFile(const std::string& path);

}  // namespace rw
