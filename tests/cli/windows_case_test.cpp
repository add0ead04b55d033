// A base folder copied from a Windows machine: the same plant data, but the
// names in the letter case Windows left them. Every command must work on it
// exactly as on the shipped folder, rewriting the user's files in place.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/name_lookup.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

// Renames below `base`, deepest first, as a copy from a Windows installation
// spells them.
void ToWindowsCase(const fs::path& base) {
    const std::pair<const char*, const char*> renames[] = {
        {"Hornel/01-09-09/01-09-09.dan", "Hornel/01-09-09/01-09-09.DAN"},
        {"Hornel/01-09-09/01-09-09.SIR", "Hornel/01-09-09/01-09-09.sir"},
        {"Hornel", "HORNEL"},
        {"Basa", "BASA"},
        {"svod.12", "SVOD.12"},
        {"l90.12", "L90.12"},
        {"kfr1.12", "KFR1.12"},
        {"clor-dan.12", "CLOR-DAN.12"},
        {"kelmar.exe", "KELMAR.EXE"},
    };
    for (const auto& [from, to] : renames) fs::rename(base / from, base / to);
}

// Every file below `base` by its path with folded letter case; a second name
// that folds to the same path is a file the program should not have made.
std::map<std::string, std::string> FilesByFoldedName(const fs::path& base, std::vector<std::string>& doubles) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(base)) {
        if (!e.is_regular_file()) continue;
        const std::string key = FoldNameCase(fs::relative(e.path(), base).string());
        if (files.count(key)) doubles.push_back(key);
        files[key] = test::Slurp(e.path());
    }
    return files;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

class WindowsCaseFolder : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path shipped = dir.path() / "shipped";
    fs::path windows = dir.path() / "windows";

    void SetUp() override {
        const fs::path model = fs::path(REFORMER_BINARY_DIR) / "bin" / "sk" / "kelmar.exe";
        if (!fs::exists(model)) GTEST_SKIP() << "the stand-in model is not built";
        for (const fs::path& base : {shipped, windows}) {
            test::CopyTree(test::SourceDataTree(), base);
            fs::copy_file(model, base / "kelmar.exe");
        }
        ToWindowsCase(windows);
    }

    // Runs the command on both folders; both must end alike, and what they
    // print must differ only in the spelling of the base folder's names.
    void RunOnBoth(const std::vector<std::string>& shippedArgs, const std::vector<std::string>& windowsArgs) {
        std::vector<std::string> a{"--base", shipped.string()}, b{"--base", windows.string()};
        a.insert(a.end(), shippedArgs.begin(), shippedArgs.end());
        b.insert(b.end(), windowsArgs.begin(), windowsArgs.end());
        const test::CommandResult onShipped = test::RunCommand(REFORMER_CLI, a);
        const test::CommandResult onWindows = test::RunCommand(REFORMER_CLI, b);
        ASSERT_EQ(onShipped.status, 0) << shippedArgs[0] << ": " << onShipped.err;
        EXPECT_EQ(onWindows.status, 0) << windowsArgs[0] << ": " << onWindows.err;
        EXPECT_EQ(FoldNameCase(Replace(onWindows.out, windows.string(), shipped.string())), FoldNameCase(onShipped.out))
            << windowsArgs[0];
        EXPECT_EQ(FoldNameCase(Replace(onWindows.err, windows.string(), shipped.string())), FoldNameCase(onShipped.err))
            << windowsArgs[0];
    }
};

TEST_F(WindowsCaseFolder, EveryCommandWorksAsOnTheShippedFolder) {
    RunOnBoth({"pipeline"}, {"pipeline"});
    // The user names the files as they are on disk, or as the program writes them.
    RunOnBoth({"calc", (shipped / "Hornel/01-09-09/01-09-09.dan").string()},
              {"calc", (windows / "HORNEL/01-09-09/01-09-09.DAN").string()});
    RunOnBoth({"calc", (shipped / "Hornel/01-09-09/01-09-09.dan").string()},
              {"calc", (windows / "Hornel/01-09-09/01-09-09.dan").string()});
    RunOnBoth({"outlook", "--plant-index", "11"}, {"outlook", "--plant-index", "11"});
    RunOnBoth({"fleet"}, {"fleet"});
    RunOnBoth({"index-add", (shipped / "Hornel/01-09-09/01-09-09.rez").string(), (shipped / "svod.12").string()},
              {"index-add", (windows / "hornel/01-09-09/01-09-09.rez").string(), (windows / "svod.12").string()});

    std::vector<std::string> doublesShipped, doublesWindows;
    const auto a = FilesByFoldedName(shipped, doublesShipped);
    const auto b = FilesByFoldedName(windows, doublesWindows);
    EXPECT_EQ(doublesWindows, std::vector<std::string>{});
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        ASSERT_TRUE(b.count(name)) << name;
        EXPECT_TRUE(b.at(name) == bytes) << name << " differs";
    }
    // The user's files were rewritten under their own names.
    for (const char* name : {"SVOD.12", "L90.12", "HORNEL/01-09-09/01-09-09.DAN", "HORNEL/01-09-09/01-09-09.sir"}) {
        EXPECT_TRUE(fs::exists(windows / name)) << name;
    }
    // New files keep the names the program writes.
    EXPECT_TRUE(fs::exists(windows / "HORNEL/01-09-09/01-09-09.rez"));
    EXPECT_TRUE(fs::exists(windows / "l90"));
}

TEST_F(WindowsCaseFolder, TwoNamesDifferingOnlyByCase) {
    // With the exact name there, it wins; without it, the user is told which two collide.
    fs::copy_file(windows / "SVOD.12", windows / "Svod.12");
    const std::vector<std::string> args{"--base", windows.string(), "outlook", "--plant-index", "11"};
    const test::CommandResult r = test::RunCommand(REFORMER_CLI, args);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("SVOD.12 и Svod.12"), std::string::npos) << r.err;

    fs::copy_file(windows / "SVOD.12", windows / "svod.12");
    EXPECT_EQ(test::RunCommand(REFORMER_CLI, args).status, 0);
}

}  // namespace
}  // namespace rw
