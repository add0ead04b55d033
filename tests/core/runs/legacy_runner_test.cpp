#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "common/errors.h"
#include "runs/external_program.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

using Clock = std::chrono::steady_clock;

// PATH for one test: only the folder with the fake runners, so whatever wine
// or dosbox the machine has stays out of it.
class PathGuard {
public:
    explicit PathGuard(const std::string& path) {
        if (const char* old = std::getenv("PATH")) old_ = old;
        ::setenv("PATH", path.c_str(), 1);
    }
    ~PathGuard() { ::setenv("PATH", old_.c_str(), 1); }
    PathGuard(const PathGuard&) = delete;
    PathGuard& operator=(const PathGuard&) = delete;

private:
    std::string old_ = "/usr/bin:/bin";
};

// A runner that writes where it was started and its arguments, one per line.
void FakeRunner(const test::TempDir& dir, const std::string& name, const std::string& extra = "") {
    std::string path = dir.Write("runners/" + name,
                                 "#!/bin/sh\n"
                                 "echo " + name + " > runner.txt\n"
                                 "pwd >> runner.txt\n"
                                 "for a in \"$@\"; do printf '[%s]\\n' \"$a\" >> runner.txt; done\n" + extra);
    ::chmod(path.c_str(), 0755);
}

// A DOS program: the "MZ" header and nothing a Windows program would carry.
// Copies from Windows machines often lack the executable bit, so it has none.
std::string DosProgram(const test::TempDir& dir, const std::string& relative) {
    return dir.Write(relative, std::string("MZ\x90\x00\x03\x00", 6) + std::string(200, '\0'));
}

// A Windows program: "MZ", the offset of the second header at 0x3C, "PE\0\0" there.
std::string WindowsProgram(const test::TempDir& dir, const std::string& relative) {
    std::string bytes(0x80, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = 0x40;
    bytes.replace(0x40, 4, std::string("PE\0\0", 4));
    return dir.Write(relative, bytes);
}

std::string Backslashed(std::string path) {
    for (char& ch : path) {
        if (ch == '/') ch = '\\';
    }
    return path;
}

TEST(LegacyRunner, DosModelRunsThroughWineInTheBaseFolderWhenDosboxIsMissing) {
    test::TempDir dir;
    FakeRunner(dir, "wine");
    PathGuard path((dir.path() / "runners").string());
    const std::string base = (dir.path() / "Мои программы" / "bin" / "sk").string();
    const std::string model = DosProgram(dir, "Мои программы/bin/sk/vortan.exe");

    // The run object's command line: the model's full path in the program's notation and "dan.bak".
    EXPECT_EQ(RunExternalProgram(QuoteArgument(Backslashed(model)) + " dan.bak", Backslashed(base), WindowMode::Hidden, 5000),
              RunOutcome::Finished);
    EXPECT_EQ(test::Slurp(fs::path(base) / "runner.txt"), "wine\n" + base + "\n[" + model + "]\n[dan.bak]\n");
}

TEST(LegacyRunner, DosModelPrefersDosboxWithTheWorkingFolderAsDriveC) {
    test::TempDir dir;
    FakeRunner(dir, "wine");
    FakeRunner(dir, "dosbox");
    PathGuard path((dir.path() / "runners").string());
    DosProgram(dir, "sk/drovan.exe");
    DosProgram(dir, "elsewhere/vortan.exe");
    const std::string base = (dir.path() / "sk").string();

    ASSERT_EQ(RunExternalProgram("drovan.exe", base, WindowMode::Hidden, kNoTimeLimit), RunOutcome::Finished);
    EXPECT_EQ(test::Slurp(fs::path(base) / "runner.txt"),
              "dosbox\n" + base + "\n[-noautoexec]\n[-c]\n[MOUNT C \"" + base + "\"]\n[-c]\n[C:]\n[-c]\n[drovan.exe]\n" +
                  "[-c]\n[EXIT]\n");

    // A program outside the working folder gets a drive of its own.
    const std::string other = (dir.path() / "elsewhere").string();
    ASSERT_EQ(RunExternalProgram(other + "/vortan.exe Ver.bak", base, WindowMode::Hidden, kNoTimeLimit),
              RunOutcome::Finished);
    EXPECT_EQ(test::Slurp(fs::path(base) / "runner.txt"),
              "dosbox\n" + base + "\n[-noautoexec]\n[-c]\n[MOUNT C \"" + base + "\"]\n[-c]\n[C:]\n[-c]\n[MOUNT D \"" +
                  other + "\"]\n[-c]\n[D:\\vortan.exe Ver.bak]\n[-c]\n[EXIT]\n");
}

TEST(LegacyRunner, WindowsModelNeedsWineAndDosboxWillNotDo) {
    test::TempDir dir;
    FakeRunner(dir, "dosbox");
    PathGuard path((dir.path() / "runners").string());
    const std::string model = WindowsProgram(dir, "sk/kelmar.exe");
    const std::string message = test::UserErrorOf([&] {
        RunExternalProgram("kelmar.exe dan.bak", (dir.path() / "sk").string(), WindowMode::Hidden, 2000);
    });
    EXPECT_NE(message.find(model), std::string::npos) << message;
    EXPECT_NE(message.find("установите wine"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(dir.path() / "sk" / "runner.txt"));

    FakeRunner(dir, "wine");
    EXPECT_EQ(RunExternalProgram("kelmar.exe dan.bak", (dir.path() / "sk").string(), WindowMode::Hidden, 2000),
              RunOutcome::Finished);
    EXPECT_EQ(dir.Read("sk/runner.txt").substr(0, 5), "wine\n");
}

TEST(LegacyRunner, NoRunnerInstalledIsReportedInsteadOfReadingStaleFiles) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "runners");
    PathGuard path((dir.path() / "runners").string());
    const std::string model = DosProgram(dir, "sk/vortan-10.exe");
    dir.Write("sk/rez", "results of an earlier run");
    ExternalProgram p;
    const std::string message = test::UserErrorOf([&] {
        p.Start("vortan-10.exe dan.bak", (dir.path() / "sk").string());
    });
    EXPECT_NE(message.find(model), std::string::npos) << message;
    EXPECT_NE(message.find("установите dosbox или wine"), std::string::npos) << message;
    EXPECT_FALSE(p.Running());
}

TEST(LegacyRunner, TimeOutEndsTheRunnerAndTheModelUnderIt) {
    test::TempDir dir;
    FakeRunner(dir, "wine", "exec /bin/sleep 30\n");
    PathGuard path((dir.path() / "runners").string());
    DosProgram(dir, "sk/vortan.exe");
    const auto start = Clock::now();
    EXPECT_EQ(RunExternalProgram("vortan.exe dan.bak", (dir.path() / "sk").string(), WindowMode::Hidden, 300),
              RunOutcome::Terminated);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

TEST(LegacyRunner, OrdinaryProgramsAndDataFilesAreLeftAlone) {
    test::TempDir dir;
    FakeRunner(dir, "wine");
    PathGuard path((dir.path() / "runners").string());
    // A native program is started as it is, even when a runner is there.
    std::string native = dir.Write("sk/selvin.exe", "#!/bin/sh\necho native > ran.txt\n");
    ::chmod(native.c_str(), 0755);
    EXPECT_EQ(RunExternalProgram("selvin.exe ", (dir.path() / "sk").string(), WindowMode::Shown, kNoTimeLimit),
              RunOutcome::Finished);
    EXPECT_EQ(dir.Read("sk/ran.txt"), "native\n");
    // A file that is neither executable nor "MZ"-headed is still not started.
    dir.Write("sk/notes.exe", "MY NOTES");
    EXPECT_EQ(RunExternalProgram("notes.exe", (dir.path() / "sk").string(), WindowMode::Hidden, 2000),
              RunOutcome::NotStarted);
    EXPECT_FALSE(fs::exists(dir.path() / "sk" / "runner.txt"));
}

}  // namespace
}  // namespace rw
