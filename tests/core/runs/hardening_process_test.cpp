// The calculation programs are started without a shell: whatever a plant
// folder, a program or a file is called (blanks, quotes, ";", "|", "$(...)",
// back quotes, Cyrillic letters), the program named runs with exactly the
// arguments given, in exactly the folder given, and nothing else runs.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "runs/external_program.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

// Names a user or a copied data tree may bring; each would run `touch` (or
// worse) if it ever reached a shell.
const char* const kHostileNames[] = {
    "Мои расчёты",
    "a b; touch hacked",
    "it's \"quoted\"",
    "x | touch hacked",
    "$(touch hacked)",
    "`touch hacked`",
    "y && touch hacked > out",
    "Установка №1; rm -rf ~",
};

// The program, in the program's '\' notation.
std::string Backslashed(std::string path) {
    for (char& ch : path) {
        if (ch == '/') ch = '\\';
    }
    return path;
}

// A stand-in model below `dir` that writes its working folder and each
// argument on a line of its own into args.txt of that folder.
std::string StandIn(const test::TempDir& dir, const fs::path& relative) {
    const std::string program = dir.Write(
        relative.string(), "#!/bin/sh\npwd > args.txt\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> args.txt; done\n");
    ::chmod(program.c_str(), 0755);
    return program;
}

TEST(HardeningProcess, HostileFolderAndProgramNamesRunOnlyThatProgram) {
    for (const char* name : kHostileNames) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        // The model's folder and file both carry the name, as a plant folder
        // copied from elsewhere might.
        const fs::path folder = dir.path() / name;
        const std::string program = StandIn(dir, fs::path(name) / (std::string(name) + ".exe"));
        // The run object's command line: the quoted program path and its input.
        const std::string line = QuoteArgument(Backslashed(program)) + " dan.bak";
        ASSERT_EQ(RunExternalProgram(line, Backslashed(folder.string()), WindowMode::Hidden, 5000),
                  RunOutcome::Finished);
        EXPECT_EQ(test::Slurp(folder / "args.txt"), folder.string() + "\ndan.bak\n");
        EXPECT_FALSE(fs::exists(dir.path() / "hacked"));
        EXPECT_FALSE(fs::exists(folder / "hacked"));
        EXPECT_FALSE(fs::exists(folder / "out"));
    }
}

TEST(HardeningProcess, HostileArgumentsArriveWhole) {
    test::TempDir dir;
    const std::string program = StandIn(dir, fs::path("model") / "selvin.exe");
    std::string line = QuoteArgument(Backslashed(program));
    std::string expected = (dir.path() / "model").string() + "\n";
    for (const char* name : kHostileNames) {
        line += " " + QuoteArgument(name);
        expected += std::string(name) + "\n";
    }
    ASSERT_EQ(RunExternalProgram(line, Backslashed((dir.path() / "model").string()), WindowMode::Hidden, 5000),
              RunOutcome::Finished);
    EXPECT_EQ(test::Slurp(dir.path() / "model" / "args.txt"), expected);
    EXPECT_FALSE(fs::exists(dir.path() / "model" / "hacked"));
}

// The deactivation run starts the model by its bare name in the base
// folder: a base folder with such a name works the same way.
TEST(HardeningProcess, BareProgramNameInAHostileBaseFolder) {
    for (const char* name : kHostileNames) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        const fs::path base = dir.path() / name / "bin" / "sk";
        StandIn(dir, fs::path(name) / "bin" / "sk" / "vortan.exe");
        ASSERT_EQ(RunExternalProgram("vortan.exe Ver.bak", Backslashed(base.string()), WindowMode::Hidden, 5000),
                  RunOutcome::Finished);
        EXPECT_EQ(test::Slurp(base / "args.txt"), base.string() + "\nVer.bak\n");
        EXPECT_FALSE(fs::exists(dir.path() / "hacked"));
        EXPECT_FALSE(fs::exists(base / "hacked"));
    }
}

}  // namespace
}  // namespace rw
