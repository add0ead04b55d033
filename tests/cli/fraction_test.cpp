// reformer-cli fraction on the installation's sample data with the stand-in
// fraction program, run as a user runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/files.h"
#include "composition/composition_file.h"
#include "runs/fraction_workflow.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

class FractionCommand : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string program = std::string(REFORMER_BINARY_DIR) + "/bin/sk/drovan.exe";
        if (!fs::exists(program)) GTEST_SKIP() << "the stand-in fraction program is not built";
        test::CopyTree(test::SourceDataTree(), base);
        fs::copy_file(program, base / "drovan.exe");
        // The date of the last full analysis gets its composition file.
        ASSERT_EQ(Run({"form", (base / "Hornel" / "01-09-09").string(), "01-09-09"}), 0) << last.err;
    }
    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--base", base.string()});
        last = test::RunCommand(REFORMER_CLI, args);
        return last.status;
    }
    int Fraction(const std::vector<std::string>& values) {
        std::vector<std::string> args = {"fraction", (base / "Hornel" / "01-09-09" / "01-09-09.dan").string(),
                                         "01.10.09"};
        args.insert(args.end(), values.begin(), values.end());
        return Run(args);
    }
    std::vector<std::string> Files(const fs::path& folder) const {
        std::vector<std::string> names;
        if (!fs::exists(folder)) return names;
        for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempDir dir;
    fs::path base = dir.path() / "base";
    fs::path fr = base / "Hornel" / "Fr";
    test::CommandResult last;
};

const std::vector<std::string> kHeavier = {"88", "93", "90", "103", "111", "0.725"};

TEST_F(FractionCommand, WithoutTheNewDatesConditionsNothingIsWritten) {
    EXPECT_EQ(Fraction(kHeavier), 1);
    EXPECT_EQ(last.err, ConditionsFileMissingMessage("01-10-09", (fr / "01-10-09.dan").string()) + "\n");
    EXPECT_TRUE(Files(fr).empty());
    EXPECT_FALSE(fs::exists(base / "sum-fr"));
    // base\sk is the base date's composition, as data selection leaves it,
    // not the fraction program's input.
    EXPECT_EQ(test::Slurp(base / "sk"), test::Slurp(base / "Hornel" / "01-09-09" / "01-09-09.sk"));

    // A base date without its composition file has no fractional composition to start from.
    fs::create_directories(fr);
    fs::copy_file(base / "Hornel" / "01-09-09" / "01-09-09.dan", fr / "01-10-09.dan");
    EXPECT_EQ(Run({"fraction", (base / "Hornel" / "10-06-09" / "10-06-09.dan").string(), "01.10.09", "88", "93", "90",
                   "103", "111", "0.725"}),
              1);
    EXPECT_NE(last.err.find("10-06-09.sk"), std::string::npos) << last.err;
    EXPECT_EQ(Files(fr), (std::vector<std::string>{"01-10-09.dan"}));
    EXPECT_EQ(Fraction({"88", "93", "90", "103", "111"}), 2);
}

// A changed fractional composition goes through the plant's fraction
// program; the new file carries the typed values as its tail, and the
// reforming calculation can follow on it.
TEST_F(FractionCommand, ChangedCompositionIsRecomputedByTheProgram) {
    fs::create_directories(fr);
    fs::copy_file(base / "Hornel" / "01-09-09" / "01-09-09.dan", fr / "01-10-09.dan");
    ASSERT_EQ(Fraction(kHeavier), 0) << last.err;
    EXPECT_EQ(last.out, "Файл с технологическими условиями уже существует.\nМожно проводить расчет.\n" +
                            (fr / "01-10-09.sk").string() + "\n");
    const CompositionTexts written = ReadCompositionFile((fr / "01-10-09.sk").string());
    ASSERT_TRUE(written.HasCompleteTail());
    EXPECT_EQ(written.tail[0], "   88");
    EXPECT_EQ(written.tail[5], "   0.725");
    const CompositionTexts before = ReadCompositionFile((base / "Hornel" / "01-09-09" / "01-09-09.sk").string());
    EXPECT_NE(written.values, before.values);  // recomputed for the heavier feed

    // The same values as the base date: copied, the program not needed.
    fs::remove(base / "drovan.exe");
    std::string density = before.tail[5];
    density.erase(0, density.find_first_not_of(' '));
    ASSERT_EQ(Fraction({"86", "96", "113", "152", "175", density}), 0) << last.err;
    EXPECT_EQ(ReadCompositionFile((fr / "01-10-09.sk").string()).values, before.values);
}

}  // namespace
}  // namespace rw
