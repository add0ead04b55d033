// reformer-cli form, run as a user runs it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/files.h"
#include "composition/composition_file.h"
#include "test_support.h"

namespace rw {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::TempDir;

using Outcome = test::CommandResult;

std::string ListLine(std::string name, const char* value) {
    name.resize(43, ' ');
    return name + value + "\r\n";
}

class FormCommand : public ::testing::Test {
protected:
    TempDir dir;
    fs::path base = dir.path() / "base";
    fs::path folder = dir.path() / "base" / "Hornel" / "01-09-09";

    void SetUp() override {
        const char* prefixes[] = {"ipar.", "par.", "naf5.", "naf6.", "arom."};
        const int first[] = {4, 3, 5, 6, 6};
        for (int g = 0; g < 5; ++g) {
            for (int c = first[g]; c <= 13; ++c) dir.Write("base/Basa/" + std::string(prefixes[g]) + std::to_string(c), "");
        }
        dir.Write("base/Basa/nlo", "");
        dir.Write("base/Basa/trafaret", std::string("x\r\n"));
        fs::create_directories(folder);
        Write(".SIR", ListLine("n-Hexane", "40.000") + ListLine("Toluene", "55.500") + ListLine("Ethane", "04.500"));
        Write(".KAT", ListLine("n-Hexane", "50.000") + ListLine("Benzene", "50.000"));
    }

    void Write(const std::string& extension, const std::string& bytes) const {
        dir.Write("base/Hornel/01-09-09/01-09-09" + extension, bytes);
    }

    Outcome Run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--base", base.string(), "form", folder.string(), "01-09-09"});
        return test::RunCommand(REFORMER_CLI, args);
    }

    fs::path Sk() const { return folder / "01-09-09.sk"; }
};

TEST_F(FormCommand, WritesAFileTheReadingRuleReadsBack) {
    const Outcome o = Run({});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("01-09-09.sk"), std::string::npos);
    const CompositionTexts texts = ReadCompositionFile(Sk().string());
    EXPECT_TRUE(texts.HasCompleteTail());
    const CompositionRecord r = CompositionFromTexts(texts);
    EXPECT_DOUBLE_EQ(r.feed[0], 4.5);
    EXPECT_DOUBLE_EQ(r.feed[11], 40);
    EXPECT_DOUBLE_EQ(r.feed[36], 55.5);
    EXPECT_DOUBLE_EQ(r.catalyzate[11], 50);
    EXPECT_DOUBLE_EQ(r.catalyzate[15], 50);
    const double fraction[] = {86, 96, 113, 152, 175};
    for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(r.fraction[i], fraction[i]);
    EXPECT_DOUBLE_EQ(r.density, 0.73);
    EXPECT_EQ(SplitLines(Slurp(Sk())).size(), 144u);
}

TEST_F(FormCommand, OptionsReachTheFormation) {
    Write(".BOK", ListLine("n-Heptane", "30.000") + ListLine("Toluene", "70.000"));
    const Outcome o = Run({"--plant-index", "0", "--flow", "1500 1000 500", "--density", "0.74 0.75 0,70",
                           "--fraction", "80 90 110 150 180"});
    ASSERT_EQ(o.status, 0) << o.err;
    const CompositionRecord r = CompositionFromTexts(ReadCompositionFile(Sk().string()));
    EXPECT_NEAR(r.catalyzate[11], 50 * 750.0 / 1100.0, 0.0005);
    EXPECT_NEAR(r.catalyzate[36], 70 * 350.0 / 1100.0, 0.0005);
    EXPECT_DOUBLE_EQ(r.fraction[4], 180);
    EXPECT_DOUBLE_EQ(r.density, 0.74);
}

TEST_F(FormCommand, UnknownNamesFailListingEveryOneAndWritingNothing) {
    Write(".SIR", ListLine("n-Hexane", "40.000") + ListLine("Mystery one", "10.000") + ListLine("Toluene", "50.000"));
    Write(".KAT", ListLine("Mystery two", "10.000") + ListLine("Benzene", "50.000") + ListLine("Mystery one", "40.000"));
    const Outcome o = Run({});
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("01-09-09.SIR: Mystery one"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("01-09-09.KAT: Mystery two"), std::string::npos) << o.err;
    EXPECT_EQ(o.err.find("01-09-09.KAT: Mystery one"), std::string::npos) << "listed twice";
    EXPECT_FALSE(fs::exists(Sk()));
    EXPECT_EQ(Slurp(base / "Basa" / "nlo"), "");
    EXPECT_FALSE(fs::exists(base / "Basa" / "basa.dat"));

    // "ignore" answers "No" for each: appended to nlo, file written.
    const Outcome ignored = Run({"--unknown", "ignore"});
    ASSERT_EQ(ignored.status, 0) << ignored.err;
    EXPECT_TRUE(fs::exists(Sk()));
    const std::string nlo = Slurp(base / "Basa" / "nlo");
    EXPECT_NE(nlo.find("Mystery one"), std::string::npos);
    EXPECT_NE(nlo.find("Mystery two"), std::string::npos);
    // The next run finds them ignored and needs no answers.
    EXPECT_EQ(Run({}).status, 0);
}

TEST_F(FormCommand, WrongArgumentsAndFailedFormations) {
    EXPECT_EQ(Run({"--flow", "1500 1500"}).status, 2);
    EXPECT_EQ(Run({"--density", "0.73 x 0.73"}).status, 2);
    EXPECT_EQ(Run({"--plant-index", "17"}).status, 2);
    EXPECT_EQ(Run({"--unknown", "ask"}).status, 2);
    EXPECT_EQ(Run({"extra"}).status, 2);
    // Plant row 11 has no side cut.
    EXPECT_EQ(Run({"--flow", "1500 1500 10"}).status, 2);
    EXPECT_FALSE(fs::exists(Sk()));

    const Outcome o = Run({"--fraction", "86 96 1x3 152 175"});
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("'1x3' is not a valid floating point value"), std::string::npos) << o.err;
    EXPECT_FALSE(fs::exists(Sk()));
}

}  // namespace
}  // namespace rw
