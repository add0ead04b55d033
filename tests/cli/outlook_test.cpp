// reformer-cli outlook and fleet on the shipped sample histories: the same
// figures as the windows (the core's lines and grid), the limits given on the
// command line, and the wrong arguments.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/files.h"
#include "results/fleet.h"
#include "test_support.h"

namespace rw {
namespace {

test::CommandResult RunCli(const test::TempDir& base, std::vector<std::string> args) {
    args.insert(args.begin(), {"--base", base.str()});
    return test::RunCommand(REFORMER_CLI, args);
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

TEST(OutlookCommand, PrintsTheFiguresOfTheWindow) {
    test::TempDir base;
    test::CopyTree(test::SourceDataTree(), base.path());
    const auto r = RunCli(base, {"outlook", "--plant-index", "11"});
    ASSERT_EQ(r.status, 0) << r.err;
    const PlantOutlook p = LoadPlantOutlook(base.str(), 11, {});
    EXPECT_EQ(r.out, "Хорнельский НПЗ (Л-35-11/450К)\n" + Joined(OutlookLines(p.outlook, '.')));
    EXPECT_NE(r.out.find("Конец цикла: "), std::string::npos);

    // Limits for this answer only: the limits file is not written.
    const auto limited = RunCli(base, {"outlook", "--plant-index", "11", "--activity-limit", "0,9", "--coke-limit", "8"});
    ASSERT_EQ(limited.status, 0) << limited.err;
    EXPECT_EQ(limited.out, "Хорнельский НПЗ (Л-35-11/450К)\n" +
                               Joined(OutlookLines(LoadPlantOutlook(base.str(), 11, {0.9, 8}).outlook, '.')));
    EXPECT_FALSE(std::filesystem::exists(base.path() / "prognoz.12"));
}

TEST(OutlookCommand, FleetIsOneLinePerPlant) {
    test::TempDir base;
    test::CopyTree(test::SourceDataTree(), base.path());
    const auto r = RunCli(base, {"fleet"});
    ASSERT_EQ(r.status, 0) << r.err;
    const SummaryGrid grid = FleetGrid(LoadFleet(base.str()), '.');
    std::string expected;
    for (int row = 0; row < grid.rowCount; ++row) {
        for (int column = 0; column < grid.columnCount; ++column) expected += (column ? "\t" : "") + grid.Cell(column, row);
        expected += "\n";
    }
    EXPECT_EQ(r.out, expected);
    EXPECT_GE(grid.rowCount, 4);
}

// Хорнельский with an activity limit of 1.05: its activity is at the limit
// since 15.04.2009 and below it after, while its coke is still far from 10 %.
TEST(OutlookCommand, PlantAtItsLimitLeadsTheFleet) {
    test::TempDir base;
    test::CopyTree(test::SourceDataTree(), base.path());
    base.Write("prognoz.12", "1.05 10.00\r\n");
    const auto r = RunCli(base, {"fleet"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> rows = SplitLines(r.out);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[1].substr(0, rows[1].find('\t')), "12") << r.out;
    EXPECT_EQ(rows[1].substr(rows[1].rfind('\t') + 1), "предел достигнут 15.04.2009") << r.out;
    for (std::size_t i = 2; i < rows.size(); ++i) EXPECT_EQ(rows[i].find("предел достигнут"), std::string::npos) << rows[i];

    const auto outlook = RunCli(base, {"outlook", "--plant-index", "11"});
    ASSERT_EQ(outlook.status, 0) << outlook.err;
    EXPECT_NE(outlook.out.find("\nКонец цикла: предел достигнут 15.04.2009\n"), std::string::npos) << outlook.out;
    // Just below the latest activity (1.00) the limit is still ahead.
    base.Write("prognoz.12", "0.99 10.00\r\n");
    const std::vector<std::string> ahead = SplitLines(RunCli(base, {"fleet"}).out);
    for (const std::string& row : ahead) EXPECT_EQ(row.find("предел достигнут"), std::string::npos) << row;
}

TEST(OutlookCommand, WrongArgumentsAndMissingHistory) {
    test::TempDir base;
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"outlook"}, 2, "reformer-cli: outlook: нужен --plant-index N\n"},
        {{"outlook", "--plant-index", "17"}, 2, "reformer-cli: --plant-index: строка таблицы установок от 0 до 16\n"},
        {{"outlook", "--plant-index", "3", "--coke-limit", "-2"}, 1,
         "Предел «--coke-limit»: «-2» — должно быть положительное число\n"},
        {{"outlook", "--plant-index", "3"}, 1, "Файл не найден: "},
        {{"fleet", "extra"}, 2, "reformer-cli: лишний аргумент «extra»\n"},
    };
    for (const Case& c : cases) {
        const auto r = RunCli(base, c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back();
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << c.args.back();
    }
    // An empty base folder: the fleet is the caption line alone.
    EXPECT_EQ(RunCli(base, {"fleet"}).out.find('\n') + 1, RunCli(base, {"fleet"}).out.size());
}


// The help an engineer reads first: every sentence in Russian; only option
// names, placeholders and file names stay Latin.
TEST(Help, EveryCommandIsDescribedInRussian) {
    const auto r = test::RunCommand(REFORMER_CLI, {"--help"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    int described = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("      ", 0) != 0 || line.find_first_not_of(' ') == std::string::npos) continue;
        ++described;
        // English prose shows in its little words; option values (fast, ignore)
        // and placeholders (FILE) are no prose.
        for (const char* word : {" the ", " of ", " and ", " with ", " from ", " is ", " to ", " a ", " or "}) {
            EXPECT_EQ(line.find(word), std::string::npos) << line;
        }
        EXPECT_NE(line.find("\xD0"), std::string::npos) << line;  // Cyrillic letters
    }
    EXPECT_GE(described, 8);
    EXPECT_NE(r.out.find("Команды:"), std::string::npos);
}

}  // namespace
}  // namespace rw
