// reformer-cli import, run as a user runs it.
#include <gtest/gtest.h>


#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace rw {
namespace {

namespace fs = std::filesystem;
using test::Slurp;

using Result = test::CommandResult;

class ImportCommand : public ::testing::Test {
protected:
    test::TempDir dir;

    Result Run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--base", (dir.path() / "base").string()});
        return test::RunCommand(REFORMER_CLI, args);
    }

    std::string Copy(const std::string& sample, const std::string& as) const {
        return dir.Write(as, Slurp(test::DataPath("import/" + sample)));
    }
};

TEST_F(ImportCommand, ConvertsTheSampleReports) {
    std::string dha = Copy("reformate.DHA", "lab/reformate.DHA");
    Result r = Run({"import", dha, "--stream", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "100.000\n");
    EXPECT_EQ(Slurp(dir.path() / "lab" / "reformate.KAT"), Slurp(test::DataPath("import/reformate.KAT.golden")));

    std::string txt = Copy("feed.TXT", "lab/feed.TXT");
    std::string out = (dir.path() / "feed-tidied.SIR").string();
    r = Run({"import", txt, "--stream", "1", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "100.000\n");
    // The converted list stays next to the report, the tidied one goes to --out.
    EXPECT_EQ(Slurp(dir.path() / "lab" / "feed.SIR"), Slurp(test::DataPath("import/feed.SIR.golden")));
    EXPECT_EQ(Slurp(out), Slurp(test::DataPath("import/feed.SIR.golden")));
}

TEST_F(ImportCommand, TidiesAListAndLoadsTheDefaultSample) {
    std::string line = std::string("Benzene") + std::string(36, ' ') + "40.000\r\n" + "Toluene\t55.5\r\n" + "short\r\n";
    dir.Write("base/Hornel/01-09-09/01-09-09.KAT", line);
    // No report: stream 2 opens the default catalyzate sample, in place.
    Result r = Run({"import", "--stream", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "95.500\n");
    EXPECT_EQ(dir.Read("base/Hornel/01-09-09/01-09-09.KAT"),
              "Benzene" + std::string(36, ' ') + "40.000\r\n" + "Toluene" + std::string(38, ' ') + "55.5\r\n");
}

TEST_F(ImportCommand, FailuresAndWrongArguments) {
    std::string bad = dir.Write("bad.DHA", "Detailed Hydrocarbon Analysis\r\n");
    Result r = Run({"import", bad, "--stream", "2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Components Listed in Chromatographic Order"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir.path() / "bad.KAT"));

    // The working configuration (the default) names the file and the line;
    // the described one keeps the run time's texts.
    const std::string none = (dir.path() / "none.DHA").string();
    r = Run({"import", none, "--stream", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Файл не найден: " + none + "\n");
    r = Run({"--described-configuration", "import", none, "--stream", "1"});
    EXPECT_EQ(r.err, "File not found\n");

    std::string list = dir.Write("l.SIR", "Benzene" + std::string(36, ' ') + "4x.000\r\n");
    r = Run({"import", list, "--stream", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Строка 1: массовая доля «4x.000» не число. Список загружен, строка выделена; "
                     "исправьте значение.\n");
    r = Run({"import", list, "--stream", "1", "--described-configuration"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "'4x.000' is not a valid floating point value\n");

    EXPECT_EQ(Run({"import", list, "--stream", "4"}).status, 2);
    EXPECT_EQ(Run({"import", list}).status, 2);
    EXPECT_EQ(Run({"import", list, "--stream", "1", "extra"}).status, 2);
}

}  // namespace
}  // namespace rw
