// Two takers of one lock at the worst moments. The second taker is another
// thread: its lock file is another open file, whose OS lock conflicts with
// ours as another process's would.
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

// Every test leaves the process-wide policy and hook as it found them.
class LockTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = LockWaiting();
        LockWaiting() = LockWaitPolicy{};
        LockWaiting().timeoutSeconds = 0;
        LockWaiting().onWait = [this](const std::string&) {
            ++waits_;
            return false;
        };
        LockWaiting().onNotice = [this](const std::string& notice) { notices_ += notice + "\n"; };
    }
    void TearDown() override {
        LockStepHook() = nullptr;
        LockWaiting() = saved_;
    }
    // A lock file as a holder that died left it: the record, no OS lock.
    void LeaveStaleLock() const {
        WriteFileAtomic(BaseFolderLockPath(base()), "user=gone\nhost=elsewhere\npid=999999\nsince=0\n");
    }
    std::string base() const { return dir_.path().string(); }
    bool LockFileExists() const { return fs::exists(ToNative(BaseFolderLockPath(base()))); }

    test::TempDir dir_;
    LockWaitPolicy saved_;
    int waits_ = 0;
    std::string notices_;
};

// Tries to take the base folder once from its own thread; holds it, when
// taken, until destroyed.
class SecondTaker {
public:
    // The base folder's lock, or the lock of `sharedFile` when one is named.
    explicit SecondTaker(const std::string& base, const std::string& sharedFile = "") {
        std::promise<void> tried;
        std::future<void> triedFuture = tried.get_future();
        thread_ = std::thread([this, base, sharedFile, &tried] {
            try {
                std::optional<BaseFolderLock> baseLock;
                std::optional<SharedFileLock> fileLock;
                if (sharedFile.empty()) baseLock.emplace(base);
                else fileLock.emplace(sharedFile);
                taken_ = true;
                tried.set_value();
                release_.get_future().wait();
            } catch (const UserError& e) {
                message_ = e.what();
                tried.set_value();
            }
        });
        triedFuture.wait();
    }
    ~SecondTaker() {
        release_.set_value();
        thread_.join();
    }
    bool taken() const { return taken_; }
    const std::string& message() const { return message_; }

private:
    std::promise<void> release_;
    std::thread thread_;
    bool taken_ = false;
    std::string message_;
};

// In every window between the steps of taking a lock, a second taker comes
// in; whoever wins, exactly one of the two holds the base folder.
TEST_F(LockTest, ASecondTakerInAnyWindowLeavesOneHolder) {
    struct Case {
        LockStep step;
        bool staleLockFirst;  // a dead holder's lock file lies there beforehand
        bool secondWins;
    };
    const Case cases[] = {
        {LockStep::RecordWritten, false, true},
        {LockStep::RecordLocked, false, true},
        {LockStep::Linked, false, false},
        {LockStep::HolderOpened, true, true},
        {LockStep::StaleFound, true, false},
        {LockStep::StaleRemoved, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.step));
        if (c.staleLockFirst) LeaveStaleLock();
        const std::thread::id first = std::this_thread::get_id();
        std::optional<SecondTaker> second;
        LockStepHook() = [&](LockStep step) {
            if (step == c.step && std::this_thread::get_id() == first && !second) second.emplace(base());
        };
        bool firstTook = false;
        std::string firstMessage;
        try {
            BaseFolderLock lock(base());
            firstTook = true;
            ASSERT_TRUE(second.has_value()) << "the window was never reached";
            EXPECT_FALSE(second->taken()) << "both hold the base folder";
            EXPECT_NE(second->message().find("Базовая папка занята: с "), std::string::npos) << second->message();
        } catch (const UserError& e) {
            firstMessage = e.what();
        }
        LockStepHook() = nullptr;
        ASSERT_TRUE(second.has_value()) << "the window was never reached";
        EXPECT_EQ(second->taken(), c.secondWins);
        EXPECT_NE(firstTook, second->taken()) << firstMessage << " / " << second->message();
        if (c.secondWins) {
            // A wait of zero seconds is one attempt: no waiting window, and
            // the time limit named.
            EXPECT_NE(firstMessage.find(". Ожидание прекращено через 0 с."), std::string::npos) << firstMessage;
            EXPECT_EQ(waits_, 0);
        }
        EXPECT_EQ(notices_.empty(), !c.staleLockFirst) << notices_;
        second.reset();
        EXPECT_FALSE(LockFileExists()) << "the holder's lock file stays after it gave the lock back";
        notices_.clear();
    }
}

// While the holder gives the lock back (the name removed, its OS lock still
// kept), a second taker takes it whole.
TEST_F(LockTest, ALockBeingGivenBackGoesToTheNextTaker) {
    std::optional<SecondTaker> second;
    LockStepHook() = [&](LockStep step) {
        if (step == LockStep::Released && !second) second.emplace(base());
    };
    { BaseFolderLock lock(base()); }
    LockStepHook() = nullptr;
    ASSERT_TRUE(second.has_value());
    EXPECT_TRUE(second->taken()) << second->message();
    EXPECT_TRUE(LockFileExists());
    EXPECT_EQ(notices_, "") << "a lock given back is no dead holder's";
}

// A lock file replaced each time we open it is looked at again at once,
// twenty times in all (a dead holder's file taken over counts as one); then
// the attempt counts as held and the wait of zero seconds ends it.
TEST_F(LockTest, ALockNameChangingHandsIsTriedTwentyTimesAtOnce) {
    for (const auto& [replacements, taken] : {std::pair{18, true}, std::pair{19, false}}) {
        LeaveStaleLock();
        int opened = 0;
        LockStepHook() = [&, count = replacements](LockStep step) {
            if (step == LockStep::HolderOpened && opened++ < count) LeaveStaleLock();
        };
        std::string message;
        try {
            BaseFolderLock lock(base());
        } catch (const UserError& e) {
            message = e.what();
        }
        LockStepHook() = nullptr;
        EXPECT_EQ(message.empty(), taken) << replacements << ": " << message;
        fs::remove(ToNative(BaseFolderLockPath(base())));
    }
}

TEST_F(LockTest, NestedTakersOfOneThreadShareTheLockUntilTheOuterEnds) {
    std::optional<BaseFolderLock> outer(base());
    {
        BaseFolderLock inner(base());
        EXPECT_FALSE(SecondTaker(base()).taken());
    }
    EXPECT_FALSE(SecondTaker(base()).taken()) << "the inner step gave back the outer one's lock";
    outer.reset();
    EXPECT_FALSE(LockFileExists());
    EXPECT_TRUE(SecondTaker(base()).taken());
}

// Waiting without a time limit goes on until the waiting window cancels,
// and the window is closed once.
TEST_F(LockTest, AnUnlimitedWaitEndsWhenTheUserCancels) {
    SecondTaker holder(base());
    ASSERT_TRUE(holder.taken());
    LockWaiting().timeoutSeconds = -1;
    LockWaiting().onWait = [this](const std::string& held) {
        EXPECT_NE(held.find("Базовая папка занята: с "), std::string::npos);
        return ++waits_ < 3;
    };
    int ends = 0;
    LockWaiting().onWaitEnd = [&ends] { ++ends; };
    const std::string message = test::UserErrorOf([&] { BaseFolderLock lock(base()); });
    EXPECT_NE(message.find(". Ожидание отменено."), std::string::npos) << message;
    EXPECT_EQ(waits_, 3);
    EXPECT_EQ(ends, 1);
}

TEST_F(LockTest, ADeadHoldersLockIsTakenOverAndNamed) {
    LeaveStaleLock();
    // The record names the user by the account, whatever the environment says.
    const char* const user = std::getenv("USER");
    const std::string savedUser = user ? user : "";
    setenv("USER", "not-the-account", 1);
    {
        BaseFolderLock lock(base());
        const std::string record = ReadFileBytes(BaseFolderLockPath(base()));
        EXPECT_NE(record.find("pid=" + std::to_string(getpid()) + "\n"), std::string::npos) << record;
        EXPECT_NE(record.find("user=" + std::string(getpwuid(geteuid())->pw_name) + "\n"), std::string::npos) << record;
        char host[256] = {};
        gethostname(host, sizeof host - 1);
        EXPECT_NE(record.find("host=" + std::string(host) + "\n"), std::string::npos) << record;
    }
    if (user) setenv("USER", savedUser.c_str(), 1);
    else unsetenv("USER");
    EXPECT_NE(notices_.find("Снята блокировка, оставшаяся от завершившегося процесса: "), std::string::npos);
    EXPECT_NE(notices_.find("(пользователь gone, компьютер elsewhere, процесс 999999, с неизвестного времени)."),
              std::string::npos) << notices_;
    EXPECT_EQ(waits_, 0);
}

// A holder that keeps its OS lock holds the lock, even when its record names
// a process of this computer that is gone.
TEST_F(LockTest, AKeptOsLockOutranksTheRecord) {
    SecondTaker holder(base());
    ASSERT_TRUE(holder.taken());
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    {
        std::ofstream rewrite(ToNative(BaseFolderLockPath(base())), std::ios::binary | std::ios::trunc);
        rewrite << "user=gone\nhost=" << host << "\npid=999999\nsince=0\n";
    }
    const std::string message = test::UserErrorOf([&] { BaseFolderLock lock(base()); });
    EXPECT_NE(message.find("процесс 999999. Ожидание прекращено через 0 с."), std::string::npos) << message;
    EXPECT_EQ(notices_, "");
}

// A holder whose lock was taken over (its file replaced under the name)
// leaves the new holder's file when it ends.
TEST_F(LockTest, AHolderRemovesOnlyItsOwnLockFile) {
    std::optional<SecondTaker> second;
    {
        BaseFolderLock lock(base());
        fs::remove(ToNative(BaseFolderLockPath(base())));
        second.emplace(base());
        ASSERT_TRUE(second->taken());
    }
    EXPECT_TRUE(LockFileExists());
    second.reset();
    EXPECT_FALSE(LockFileExists());
}

TEST_F(LockTest, ASharedFilesLockNamesTheFile) {
    const std::string file = (dir_.path() / "sk.dat").string();
    SecondTaker holder(base(), file);
    ASSERT_TRUE(holder.taken());
    EXPECT_TRUE(fs::exists(dir_.path() / ".sk.dat.lock"));
    const std::string message = test::UserErrorOf([&] { SharedFileLock lock(file); });
    EXPECT_EQ(message.rfind("Файл sk.dat занят: с ", 0), 0u) << message;
    EXPECT_FALSE(LockFileExists()) << "the base folder is not locked for one of its files";
}

// What this instance last left in a working file comes back before its
// next step, whatever another instance wrote there meanwhile.
TEST_F(LockTest, AWorkingFileIsPutBackAsThisInstanceLeftIt) {
    const std::string path = (dir_.path() / "sk").string();
    RestoreWorkingFile(path);
    EXPECT_FALSE(fs::exists(path)) << "nothing remembered, nothing written";
    RememberWorkingFile(path, "ours\r\n");
    for (const char* meanwhile : std::initializer_list<const char*>{"theirs\r\n", "ours\r\n", nullptr}) {
        if (meanwhile) WriteFileAtomic(path, meanwhile);
        else fs::remove(path);
        RestoreWorkingFile(path);
        EXPECT_EQ(test::Slurp(path), "ours\r\n");
    }
}

// A long session takes and gives back locks thousands of times: none of
// the ways an attempt ends may leave a descriptor open.
TEST_F(LockTest, NoDescriptorIsLeftOpen) {
    const auto openDescriptors = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator{});
    };
    const auto before = openDescriptors();
    { BaseFolderLock taken(base()); }
    LeaveStaleLock();
    { BaseFolderLock takenOver(base()); }
    {
        SecondTaker holder(base());
        EXPECT_NE(test::UserErrorOf([&] { BaseFolderLock refused(base()); }), "no error");
    }
    EXPECT_EQ(openDescriptors(), before);
}

TEST(LockNames, SitBesideWhatTheyGuard) {
    EXPECT_EQ(FileLockPath("/base/Hornel/sk.dat"), "/base/Hornel/.sk.dat.lock");
    EXPECT_EQ(FileLockPath("sk.dat"), ".sk.dat.lock");
    EXPECT_EQ(HeldMessage("Файл sk.dat занят", LockHolder{"", "", 12, 0}),
              "Файл sk.dat занят: с неизвестного времени — пользователь ?, компьютер ?, процесс 12.");
    // The first second of the clock is a time like any other.
    const char* const zone = std::getenv("TZ");
    const std::string savedZone = zone ? zone : "";
    setenv("TZ", "UTC0", 1);
    tzset();
    EXPECT_EQ(HeldMessage("Базовая папка занята", LockHolder{"ivanov", "pc-7", 1234, 1}),
              "Базовая папка занята: с 01.01.1970 00:00:01 — пользователь ivanov, компьютер pc-7, процесс 1234.");
    if (zone) setenv("TZ", savedZone.c_str(), 1);
    else unsetenv("TZ");
    tzset();
}

}  // namespace
}  // namespace rw
