// reformer-cli index-add, run as a user runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "common/dates.h"
#include "results/results_index.h"
#include "test_support.h"

namespace rw {
namespace {

using test::TempDir;

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Exit status of reformer-cli with the arguments; stdout and stderr go to
// files in `dir`.
int RunCli(const TempDir& dir, const std::string& args) {
    const std::string command = Quote(REFORMER_CLI) + " --base " + Quote(dir.str()) + " " + args + " >" +
                                Quote(dir.str() + "/out.txt") + " 2>" + Quote(dir.str() + "/err.txt");
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string WriteSample(const TempDir& dir, const std::string& name, int day, double coke, double processedFeed) {
    ResultsRecord r;
    r.sampleDate = EncodeDate(2009, 9, day);
    r.hydrogenContent = 81.5;
    r.coke = coke;
    r.processedFeed = processedFeed;
    const std::string path = dir.str() + "/" + name;
    WriteResultsFile(path, r);
    return path;
}

TEST(IndexAddCommand, CreatesAndGrowsTheIndex) {
    TempDir dir;
    const std::string index = dir.str() + "/svod.12";
    ASSERT_EQ(RunCli(dir, "index-add " + Quote(WriteSample(dir, "b.rez", 20, 3.0, 3000)) + " " + Quote(index)), 0);
    ASSERT_EQ(RunCli(dir, "index-add " + Quote(WriteSample(dir, "a.rez", 10, 2.0, 1000)) + " " + Quote(index)), 0);
    EXPECT_EQ(dir.Read("out.txt"), index + ": 2 records\n");
    auto records = ReadResultsIndex(index);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].sampleDateText.Text(), "10.09.2009");
    EXPECT_DOUBLE_EQ(records[1].accumulatedCoke, 3.0 / 3000 * 2000 + 2.0);
    // The same date again replaces its record.
    ASSERT_EQ(RunCli(dir, "index-add " + Quote(WriteSample(dir, "c.rez", 10, 2.5, 1000)) + " " + Quote(index)), 0);
    EXPECT_EQ(ReadResultsIndex(index).size(), 2u);
}

TEST(IndexAddCommand, Failures) {
    TempDir dir;
    const std::string index = dir.str() + "/svod.12";
    EXPECT_EQ(RunCli(dir, "index-add " + Quote(dir.str() + "/none.rez") + " " + Quote(index)), 1);
    EXPECT_EQ(dir.Read("err.txt"), "File not found\n");
    EXPECT_FALSE(std::filesystem::exists(index));
    EXPECT_EQ(RunCli(dir, "index-add only-one"), 2);
}

}  // namespace
}  // namespace rw
