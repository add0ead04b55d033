// reformer-cli historian, run as a user runs it, on the historian export in
// its three formats.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace rw {
namespace {

test::CommandResult Historian(std::vector<std::string> args) {
    args.insert(args.begin(), "historian");
    return test::RunCommand(REFORMER_CLI, args);
}

std::vector<std::string> Answers(const std::string& relative) {
    return {test::DataPath(relative), "--sampling", "01.09.2009", "--regeneration", "22.08.2009", "--sulphur", "0.5"};
}

// 96.4 m3/h x 10 days x 24 h x 0.745 t/m3 = 17236.32, to one decimal.
const std::string kExportLines =
    "Edit1 96.4\nEdit2 118540\nEdit24 0.0021\nEdit3 25.3\nEdit7 492.5\nEdit11 64.8\nEdit4 24.8\nEdit8 493.1\n"
    "Edit12 37.6\nEdit5 24.1\nEdit9 494\nEdit13 14.2\nEdit27 23.5\nEdit28 495.25\nEdit29 6\nEdit25 0.5\n"
    "Edit26 17236.3\n";

TEST(HistorianCommand, PrintsTheSameFieldsForEveryFormat) {
    const std::string note = "reformer-cli: в книге листов: 2; читается первый, «Данные» (другой выбирают ключом --sheet NAME)\n";
    for (const auto& [file, err] : std::vector<std::pair<std::string, std::string>>{
             {"xls/historian_export.xls", note}, {"xlsx/historian_export.xlsx", note}, {"csv/historian_export.csv", ""}}) {
        const auto r = Historian(Answers(file));
        EXPECT_EQ(r.status, 0) << file << r.err;
        EXPECT_EQ(r.out, kExportLines) << file;
        EXPECT_EQ(r.err, err) << file;
    }
    for (const std::string file : {"xls/months.xls", "xlsx/months.xlsx"}) {
        auto args = Answers(file);
        args.insert(args.end(), {"--sheet", "Сентябрь"});
        const auto r = Historian(args);
        EXPECT_EQ(r.status, 0) << file << r.err;
        EXPECT_EQ(r.out, kExportLines) << file;
        EXPECT_EQ(r.err, "") << file;
    }
}

TEST(HistorianCommand, WrongArgumentsExitTwoAndUnreadableFilesOne) {
    const std::string book = test::DataPath("xlsx/months.xlsx");
    const std::vector<std::pair<std::vector<std::string>, std::string>> wrong = {
        {{book, "--regeneration", "22.08.2009", "--sulphur", "0.5"}, "нужен --sampling ДД.ММ.ГГГГ"},
        {{book, "--sampling", "31.09.2009", "--regeneration", "22.08.2009", "--sulphur", "0.5"},
         "--sampling: «31.09.2009» не дата (ДД.ММ.ГГГГ)"},
        {{book, "--sampling", "01.09.2009", "--regeneration", "01.09.2009", "--sulphur", "0.5"},
         "Дата регенерации указана позже, чем дата отбора!"},
        {{book, "--sampling", "01.09.2009", "--regeneration", "22.08.2009", "--sulphur", "0,5"},
         "--sulphur: «0,5» не число"},
        {{"--sampling", "01.09.2009", "--regeneration", "22.08.2009", "--sulphur", "0.5"}, "historian: нужна одна книга WORKBOOK"},
        {{book, "--sampling", "01.09.2009", "--regeneration", "22.08.2009", "--sulphur", "0.5", "--sheet", "Октябрь"},
         "в книге нет листа «Октябрь»; ее листы: Теги, Август, Сентябрь"},
    };
    for (const auto& [args, message] : wrong) {
        const auto r = Historian(args);
        EXPECT_EQ(r.status, 2) << message;
        EXPECT_EQ(r.err.rfind("reformer-cli: " + message + "\n", 0), 0u) << r.err;
        EXPECT_EQ(r.out, "") << message;
    }
    // A sheet without the feed flow: what was set is printed, the processed feed fails.
    auto tagList = Answers("xls/months.xls");
    tagList.insert(tagList.end(), {"--sheet", "Теги"});
    const auto r = Historian(tagList);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Edit25 0.5\n");
    EXPECT_EQ(r.err, "'' is not a valid floating point value\n");
}

}  // namespace
}  // namespace rw
