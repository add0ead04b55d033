// reformer-cli index-add, run as a user runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/dates.h"
#include "results/results_index.h"
#include "test_support.h"

namespace rw {
namespace {

using test::TempDir;

// reformer-cli with the arguments, on the base folder `dir`.
test::CommandResult RunCli(const TempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--base", dir.str()});
    return test::RunCommand(REFORMER_CLI, args);
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
    ASSERT_EQ(RunCli(dir, {"index-add", WriteSample(dir, "b.rez", 20, 3.0, 3000), index}).status, 0);
    const auto second = RunCli(dir, {"index-add", WriteSample(dir, "a.rez", 10, 2.0, 1000), index});
    ASSERT_EQ(second.status, 0);
    EXPECT_EQ(second.out, index + ": 2 records\n");
    auto records = ReadResultsIndex(index);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].sampleDateText.Text(), "10.09.2009");
    EXPECT_DOUBLE_EQ(records[1].accumulatedCoke, 3.0 / 3000 * 2000 + 2.0);
    // The same date again replaces its record.
    ASSERT_EQ(RunCli(dir, {"index-add", WriteSample(dir, "c.rez", 10, 2.5, 1000), index}).status, 0);
    EXPECT_EQ(ReadResultsIndex(index).size(), 2u);
}

TEST(IndexAddCommand, Failures) {
    TempDir dir;
    const std::string index = dir.str() + "/svod.12";
    const auto missing = RunCli(dir, {"index-add", dir.str() + "/none.rez", index});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Файл не найден: " + dir.str() + "/none.rez\n");
    EXPECT_FALSE(std::filesystem::exists(index));
    EXPECT_EQ(RunCli(dir, {"index-add", "only-one"}).status, 2);
}

}  // namespace
}  // namespace rw
