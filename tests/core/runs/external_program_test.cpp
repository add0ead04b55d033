#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "common/files.h"
#include "runs/external_program.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

using Clock = std::chrono::steady_clock;

std::string Script(const test::TempDir& dir, const std::string& relative, const std::string& body) {
    std::string path = dir.Write(relative, "#!/bin/sh\n" + body);
    ::chmod(path.c_str(), 0755);
    return path;
}

// The program's own notation: '\' between the folders.
std::string Backslashed(std::string path) {
    for (char& ch : path) {
        if (ch == '/') ch = '\\';
    }
    return path;
}

TEST(CommandLine, SplitsAtBlanksAndKeepsQuotedParts) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitCommandLine("C:\\Prog\\bin\\sk\\vortan.exe dan.bak"), (V{"C:\\Prog\\bin\\sk\\vortan.exe", "dan.bak"}));
    EXPECT_EQ(SplitCommandLine("selvin.exe "), (V{"selvin.exe"}));
    EXPECT_EQ(SplitCommandLine("  \"\\Мои программы\\vortan.exe\"\t dan.bak  "), (V{"\\Мои программы\\vortan.exe", "dan.bak"}));
    EXPECT_EQ(SplitCommandLine("a\"b c\"d \"\" \"say \"\"hi\"\"\""), (V{"ab cd", "", "say \"hi\""}));
    EXPECT_TRUE(SplitCommandLine("   ").empty());
    for (std::string arg : {"plain", "два слова", "", "with \"quote\"", "tab\there"}) {
        EXPECT_EQ(SplitCommandLine(QuoteArgument(arg) + " x"), (V{arg, "x"})) << arg;
    }
}

TEST(CommandLine, ModelVariantFollowsPlantIndex) {
    for (int index = 0; index < 17; ++index) {
        std::string expected = index == 9 || index == 16 ? "vortan-10.exe"
                               : index >= 10 && index <= 12 ? "kelmar.exe"
                                                            : "vortan.exe";
        EXPECT_EQ(ModelProgramName(index), expected) << index;
    }
}

TEST(ExternalProgram, RunsInWorkingFolderWithBlanksAndCyrillicInNames) {
    test::TempDir dir;
    const std::string folder = (dir.path() / "папка с пробелами").string();
    const std::string program =
        Script(dir, "папка с пробелами/мой расчет.exe", "pwd > out.txt\nfor a in \"$@\"; do echo \"[$a]\" >> out.txt; done\n");
    const std::string line = QuoteArgument(Backslashed(program)) + " dan.bak \"два слова\"";
    EXPECT_EQ(RunExternalProgram(line, Backslashed(folder), WindowMode::Hidden, kNoTimeLimit), RunOutcome::Finished);
    EXPECT_EQ(test::Slurp(fs::path(folder) / "out.txt"), folder + "\n[dan.bak]\n[два слова]\n");
}

TEST(ExternalProgram, BareNameIsTakenFromTheWorkingFolder) {
    test::TempDir dir;
    Script(dir, "selvin.exe", "echo ran > ran.txt\n");
    EXPECT_EQ(RunExternalProgram("selvin.exe ", dir.str(), WindowMode::Shown, kNoTimeLimit), RunOutcome::Finished);
    EXPECT_EQ(dir.Read("ran.txt"), "ran\n");
}

TEST(ExternalProgram, NoShellSoSeparatorsAreJustPartOfTheName) {
    test::TempDir dir;
    EXPECT_EQ(RunExternalProgram("true;touch hacked", dir.str(), WindowMode::Hidden, 2000), RunOutcome::NotStarted);
    // "true" runs with "&&", "touch" and "hacked" as its arguments, and nothing else runs.
    for (const char* line : {"true && touch hacked", "true|touch hacked", "$(touch hacked)", "`touch hacked`"}) {
        RunExternalProgram(line, dir.str(), WindowMode::Hidden, 2000);
    }
    EXPECT_FALSE(fs::exists(dir.path() / "hacked"));
    // A file that really is called so is run as that one file, its arguments untouched.
    Script(dir, "a;b", "echo \"$1\" > args.txt\n");
    EXPECT_EQ(RunExternalProgram("\"a;b\" \"$(touch hacked)\"", dir.str(), WindowMode::Hidden, 2000),
              RunOutcome::Finished);
    EXPECT_EQ(dir.Read("args.txt"), "$(touch hacked)\n");
    EXPECT_FALSE(fs::exists(dir.path() / "hacked"));
}

TEST(ExternalProgram, ProgramThatCannotStartIsNotReported) {
    test::TempDir dir;
    dir.Write("not-executable.exe", "data");
    ExternalProgram p;
    EXPECT_FALSE(p.Start("missing-model.exe dan.bak", dir.str()));
    EXPECT_FALSE(p.Start("not-executable.exe", dir.str()));
    EXPECT_FALSE(p.Start("", dir.str()));
    EXPECT_FALSE(p.Start("/bin/true", (dir.path() / "no such folder").string()));
    EXPECT_TRUE(p.Wait(0));  // nothing to wait for
    p.Terminate();           // nor to end
}

TEST(ExternalProgram, TimeOutTerminatesTheProgramAndWhatItStarted) {
    test::TempDir dir;
    const std::string program = Script(dir, "hang.sh", "sleep 30 &\necho $! > child.pid\nwait\n");
    const auto start = Clock::now();
    EXPECT_EQ(RunExternalProgram(QuoteArgument(program) + " dan.bak", dir.str(), WindowMode::Hidden, 300),
              RunOutcome::Terminated);
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(300));
    EXPECT_LT(elapsed, std::chrono::seconds(5));

    const pid_t child = static_cast<pid_t>(std::stol(dir.Read("child.pid")));
    bool gone = false;
    for (int i = 0; i < 100 && !gone; ++i) {
        // An ended child that nobody has reaped yet counts as gone.
        std::string stat = test::Slurp("/proc/" + std::to_string(child) + "/stat");
        size_t paren = stat.rfind(')');
        gone = stat.empty() || (paren != std::string::npos && paren + 2 < stat.size() && stat[paren + 2] == 'Z');
        if (!gone) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(gone) << "the program's own child outlived the termination";
}

TEST(ExternalProgram, WaitsWithAndWithoutLimit) {
    test::TempDir dir;
    ExternalProgram p;
    ASSERT_TRUE(p.Start("/bin/sleep 0.2", dir.str()));
    EXPECT_FALSE(p.Wait(10));
    EXPECT_TRUE(p.Running());
    EXPECT_TRUE(p.Wait(kNoTimeLimit));
    EXPECT_FALSE(p.Running());
    EXPECT_EQ(RunExternalProgram("sleep 0.05", dir.str(), WindowMode::Hidden, 5000), RunOutcome::Finished);
}

}  // namespace
}  // namespace rw
