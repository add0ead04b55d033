// The demonstration dosing and fractional-composition programs as the build
// installs them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <numeric>

#include "common/files.h"
#include "composition/composition_file.h"
#include "run_fixtures.h"
#include "runs/external_program.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

std::string Installed(const std::string& name) {
    std::string path = std::string(REFORMER_BINARY_DIR) + "/bin/sk/" + name;
    return FileExists(path) ? path : std::string();
}

std::string Output(const std::string& commandLine) {
    std::string out;
    if (FILE* p = ::popen(commandLine.c_str(), "r")) {
        char buf[512];
        while (size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

TEST(StandInTools, EveryOneSaysItIsADemonstration) {
    for (const char* name : {"vortan.exe", "vortan-10.exe", "kelmar.exe", "selvin.exe", "drovan.exe", "drovan-1.exe"}) {
        const std::string path = Installed(name);
        if (path.empty()) GTEST_SKIP() << name << " is not built";
        EXPECT_NE(Output("'" + path + "' --help").find("demonstration stand-in"), std::string::npos) << name;
    }
}

TEST(StandInTools, DosingProgramWritesNothing) {
    const std::string selvin = Installed("selvin.exe");
    if (selvin.empty()) GTEST_SKIP() << "selvin.exe is not built";
    test::TempDir dir;
    WriteFormLayout(JoinPath(dir.str(), "dan.bak"), test::RealisticConditions());
    const auto before = std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
    EXPECT_NE(Output("cd '" + dir.str() + "' && '" + selvin + "'").find("ppm"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), before);
}

class FractionProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        drovan = Installed("drovan.exe");
        if (drovan.empty()) GTEST_SKIP() << "drovan.exe is not built";
    }
    // sk as the fractional-composition save leaves it: 138 lines, the base
    // sample's six values and the new six, each after 17 blanks.
    CompositionRecord Run(const char* base, const char* now) {
        std::vector<std::string> lines = SplitLines(
            ComposeCompositionFile(test::RealisticComposition(), CompositionStyle::Formation));
        lines.resize(138);
        for (const char* group : {base, now}) {
            std::string values = group;
            size_t start = 0;
            while (start < values.size()) {
                size_t end = values.find(' ', start);
                if (end == std::string::npos) end = values.size();
                lines.push_back(std::string(17, ' ') + values.substr(start, end - start));
                start = end + 1;
            }
        }
        dir.Write("sk", JoinLinesCrLf(lines));
        EXPECT_EQ(RunExternalProgram(QuoteArgument(drovan), dir.str(), WindowMode::Hidden, kNoTimeLimit),
                  RunOutcome::Finished);
        const std::string sumFr = dir.Read("sum-fr");
        EXPECT_EQ(SplitLines(sumFr).size(), 138u);
        EXPECT_EQ(sumFr.substr(0, 17), lines[0].substr(0, 17));  // the labels stay
        return CompositionFromTexts(ReadCompositionFile(JoinPath(dir.str(), "sum-fr")));
    }
    static double Sum(const std::array<double, 69>& v) { return std::accumulate(v.begin(), v.begin() + 68, 0.0); }

    test::TempDir dir;
    std::string drovan;
};

TEST_F(FractionProgramTest, ShiftsTowardsHeavierOrLighterComponents) {
    const CompositionRecord base = test::RealisticComposition();
    const char* sample = "78. 83. 80. 93. 101. 0.715";
    const CompositionRecord same = Run(sample, sample);
    for (size_t i = 0; i < 69; ++i) EXPECT_NEAR(same.feed[i], base.feed[i], 0.0006) << i;

    const CompositionRecord heavier = Run(sample, "88. 93. 90. 103. 111. 0.725");
    EXPECT_NEAR(Sum(heavier.feed), Sum(base.feed), 0.05);
    EXPECT_NEAR(Sum(heavier.catalyzate), Sum(base.catalyzate), 0.05);
    EXPECT_GT(heavier.feed[67], base.feed[67] + 0.5);  // C9 and heavier
    EXPECT_LT(heavier.feed[11], base.feed[11]);        // n-hexane

    const CompositionRecord lighter = Run(sample, "70. 75. 72. 85. 95. 0.705");
    EXPECT_LT(lighter.feed[67], base.feed[67]);
    EXPECT_GT(lighter.feed[11], base.feed[11]);
    EXPECT_NEAR(lighter.feed[68] / lighter.feed[67], base.feed[68] / base.feed[67], 0.001);
}

TEST_F(FractionProgramTest, WithoutSkWritesNothing) {
    EXPECT_EQ(RunExternalProgram(QuoteArgument(drovan), dir.str(), WindowMode::Hidden, kNoTimeLimit), RunOutcome::Finished);
    EXPECT_FALSE(fs::exists(dir.path() / "sum-fr"));
}

}  // namespace
}  // namespace rw
