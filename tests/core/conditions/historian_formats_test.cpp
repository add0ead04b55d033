// The historian workbook in the three formats plants export (.xls, .xlsx,
// .csv; fixtures from scripts/make_historian_fixtures.py, one content): the
// import must not depend on the format, and the sheet the user means is the
// one read.
#include <gtest/gtest.h>

#include "conditions/historian_import.h"
#include "conditions/spreadsheet.h"
#include "test_support.h"

namespace rw {
namespace {

std::string Fields(const std::vector<ImportedField>& fields) {
    std::string s;
    for (const auto& f : fields) s += "Edit" + std::to_string(f.editNumber) + "=" + f.text + " ";
    return s;
}

std::string Import(const std::string& relative, size_t sheet = 0) {
    return Fields(ImportHistorianWorkbook(test::DataPath(relative), ',', sheet));
}

const std::string kExportFields =
    "Edit1=96.4 Edit2=118540 Edit24=0.0021 Edit3=25.3 Edit7=492.5 Edit11=64.8 Edit4=24.8 Edit8=493.1 "
    "Edit12=37.6 Edit5=24.1 Edit9=494 Edit13=14.2 Edit27=23.5 Edit28=495.25 Edit29=6 ";

TEST(HistorianFormats, EveryFixtureImportsTheSameFromXlsXlsxAndCsv) {
    for (const std::string name : {"historian_export", "pt219_text_comma", "pt219_number", "duplicate_tag",
                                   "empty_header", "missing_tag_and_empty_value"}) {
        const std::string fromXls = Import("xls/" + name + ".xls");
        EXPECT_FALSE(fromXls.empty()) << name;
        EXPECT_EQ(Import("xlsx/" + name + ".xlsx"), fromXls) << name;
        EXPECT_EQ(Import("csv/" + name + ".csv"), fromXls) << name;
    }
    EXPECT_EQ(Import("xls/historian_export.xls"), kExportFields);
    // UTF-8 with its mark, "," between fields and "." in numbers; UTF-8, tabs, LF.
    EXPECT_EQ(Import("csv/historian_export_utf8_comma.csv"), kExportFields);
    EXPECT_EQ(Import("csv/historian_export_utf8_tab.csv"), kExportFields);
}

TEST(HistorianFormats, CellsOfTheSameContentReadAlikeInEveryFormat) {
    for (const std::string file : {"xls/historian_export.xls", "xlsx/historian_export.xlsx", "csv/historian_export.csv"}) {
        const auto sheet = OpenWorkbookSheet(test::DataPath(file), ',');
        EXPECT_EQ(sheet->CellText(1, 3), "FSLL_293 Расход сырья в блок риформинга") << file;
        EXPECT_EQ(sheet->CellText(2, 4), "нм3/ч") << file;
        EXPECT_EQ(sheet->CellText(3, 5), "0,0021") << file;
        EXPECT_EQ(sheet->CellText(3, 19), "6") << file;
        EXPECT_EQ(sheet->CellText(3, 23), "") << file;
        // The .csv holds the date as the text the historian wrote.
        EXPECT_EQ(sheet->CellText(3, 1).substr(0, 16), "01.09.2009 10:00") << file;
    }
    EXPECT_EQ(OpenWorkbookSheet(test::DataPath("xlsx/historian_export.xlsx"), ',')->CellText(3, 1), "01.09.2009 10:00:00");
    EXPECT_EQ(OpenWorkbookSheet(test::DataPath("csv/historian_export.csv"), '.')->CellText(3, 5), "0.0021");
}

TEST(HistorianFormats, XlsxCellKinds) {
    const auto sheet = OpenWorkbookSheet(test::DataPath("xlsx/cell_kinds.xlsx"), ',');
    // A workbook of the 1904 date system, its parts named in other letter
    // cases than its relationships name them, its sheet reached through "..",
    // two of its relationships without their Id or Type.
    const auto sheet1904 = OpenWorkbookSheet(test::DataPath("xlsx/cell_kinds_1904.xlsx"), ',');
    const std::vector<std::tuple<int, int, std::string>> cells1904 = {
        {1, 1, "01.09.2009"},            // date format
        {1, 2, "01.09.2009 10:00:00"},   // date-and-time format
        {1, 3, "18:00:00"},              // time format: the fraction only
        {1, 4, "38595"},                 // no date format: the number stays
        {1, 5, "01.09.2009 10:05:00"},   // ISO date without seconds
        {1, 6, "01.09.2009"},            // ISO date at midnight
        {1, 7, "01.01.1904"},            // the first day of the system
        {1, 8, "02.01.1904 12:00:00"},
        {1, 9, "2,5"},                   // "0.0\d_h*s": escaped, padding and fill letters
    };
    for (const auto& [row, column, text] : cells1904) {
        EXPECT_EQ(sheet1904->CellText(row, column), text) << "1904: " << row << "," << column;
    }
    const std::vector<std::tuple<int, int, std::string>> cells = {
        {1, 1, "FSLL_293"},               // shared string
        {1, 2, "PT_219"},                 // rich shared string, phonetic guide left out
        {1, 3, "QT_376 влажность"},       // inline rich string
        {1, 4, "TIRAH_069"},              // cached text of a formula
        {1, 5, "5"},                      // a cell without its reference follows the last
        {3, 1, "96,4"},                   // cached number of a formula
        {3, 2, "ИСТИНА"},
        {3, 9, "ЛОЖЬ"},
        {3, 3, "0,5"},                    // a "d" in quotes makes no date format
        {3, 4, "#DIV/0!"},
        {3, 5, "01.09.2009"},             // built-in date format 14
        {3, 6, "01.09.2009 10:00:00"},    // custom date-and-time format
        {3, 7, "12:00:00"},               // built-in time format 20
        {3, 8, "01.09.2009 10:00:00"},    // ISO date cell
        {3, 10, ""},
    };
    for (const auto& [row, column, text] : cells) EXPECT_EQ(sheet->CellText(row, column), text) << row << "," << column;
    const auto fields = Fields(ReadHistorianFields(*sheet));
    EXPECT_EQ(fields, "Edit1=96.4 Edit24=0.5 Edit3=ИСТИНА Edit7=#DIV/0! ");
}

TEST(HistorianFormats, SheetNamesAndTheChosenSheet) {
    for (const std::string file : {"xls/months.xls", "xlsx/months.xlsx"}) {
        const auto book = OpenWorkbook(test::DataPath(file), ',');
        EXPECT_EQ(book->SheetNames(), (std::vector<std::string>{"Теги", "Август", "Сентябрь"})) << file;
        EXPECT_EQ(Fields(ReadHistorianFields(*book->OpenSheet(2))), kExportFields) << file;
        EXPECT_EQ(ReadHistorianFields(*book->OpenSheet(1)).at(0).text, "48.2") << file;
        EXPECT_TRUE(ReadHistorianFields(*book->OpenSheet(0)).empty()) << file;
    }
    const auto csv = OpenWorkbook(test::DataPath("csv/historian_export.csv"), ',');
    EXPECT_EQ(csv->SheetNames(), std::vector<std::string>{"historian_export"});
    const std::vector<std::string> names = {"Теги", "Август", "Сентябрь"};
    EXPECT_EQ(SheetIndexOf(names, "Сентябрь"), 2u);
    EXPECT_EQ(SheetIndexOf(names, "Октябрь"), 0u);
    EXPECT_EQ(SheetIndexOf(names, ""), 0u);
}

TEST(HistorianFormats, RememberedSheetPerPlant) {
    test::TempDir dir;
    EXPECT_EQ(RememberedHistorianSheet(dir.str(), "12"), "");
    RememberHistorianSheet(dir.str(), "12", "Сентябрь");
    RememberHistorianSheet(dir.str(), "3", "Лист1");
    EXPECT_EQ(dir.Read("historian_sheet.12"), "Сентябрь\r\n");
    EXPECT_EQ(RememberedHistorianSheet(dir.str(), "12"), "Сентябрь");
    EXPECT_EQ(RememberedHistorianSheet(dir.str(), "3"), "Лист1");
}

// Separated values as exports write them; each text is one file's bytes.
TEST(CsvSheet, SeparatorsQuotesEncodingsAndNumbers) {
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::tuple<int, int, std::string>> cells;  // with ',' as decimal separator
    };
    const auto lines = [](int count, const std::string& line) {
        std::string text;
        for (int i = 0; i < count; ++i) text += line;
        return text;
    };
    const std::vector<Case> cases = {
        {"cp1251, semicolons", "\xC4\xE0\xF2\xE0;PT_219\r\n;\r\n01.09.2009;25,30\r\n",
         {{1, 1, "Дата"}, {3, 2, "25,3"}, {3, 1, "01.09.2009"}}},
        {"commas in headers do not outvote the semicolons",
         "FSLL_293 Расход, м3/ч;PT_219 Давление, атм\n;\n96,4;25,3\n", {{1, 2, "PT_219 Давление, атм"}, {3, 1, "96,4"}}},
        {"quoted separators, quotes and line ends", "a,\"b,\"\"c\"\"\r\nd\",e\r\n1.5,-2e3,\" 7 \"\r\n",
         {{1, 2, "b,\"c\"\r\nd"}, {1, 3, "e"}, {2, 1, "1,5"}, {2, 2, "-2000"}, {2, 3, "7"}}},
        {"tabs, last line without its end", "x\ty\r1\t2", {{1, 2, "y"}, {2, 2, "2"}}},
        {"one column", "FSLL_293\n\n96.4", {{1, 1, "FSLL_293"}, {3, 1, "96,4"}, {1, 2, ""}}},
        {"texts that only look like numbers stay", "1.2.3;12,3 т;0x10;1,;.5\n",
         {{1, 1, "1.2.3"}, {1, 2, "12,3 т"}, {1, 3, "0x10"}, {1, 4, "1"}, {1, 5, "0,5"}}},
        {"UTF-8 mark before the first tag", "\xEF\xBB\xBF" "FSLL_293;PT_219\r\n96,4;25,3\r\n",
         {{1, 1, "FSLL_293"}, {2, 1, "96,4"}}},
        {"a sign before a number", "+5;-0,5; +1e3 ;+;-;+-1;1e;1e+;2E-2\n",
         {{1, 1, "5"}, {1, 2, "-0,5"}, {1, 3, "1000"}, {1, 4, "+"}, {1, 5, "-"}, {1, 6, "+-1"}, {1, 7, "1e"},
          {1, 8, "1e+"}, {1, 9, "0,02"}}},
        {"ISO dates with and without seconds stay texts", "2009-09-01 10:00;2009-09-01T10:00:05\n",
         {{1, 1, "2009-09-01 10:00"}, {1, 2, "2009-09-01T10:00:05"}}},
        {"a quote closed at the end of the file", "a;\"b\nc\"", {{1, 2, "b\nc"}}},
        // The first ten lines decide the separator: lines of equal width.
        {"the tenth line is judged", lines(9, "x;y,z\n") + "x;y;z,w\n", {{1, 1, "x;y"}, {10, 1, "x;y;z"}}},
        {"the eleventh line is not", lines(10, "x;y,z\n") + "x;y;z,w\n", {{1, 1, "x"}, {11, 3, "z,w"}}},
        {"two bytes that are no UTF-16 mark", "\xFF\xFD", {{1, 1, "яэ"}}},
        // C0 B0 has the shape of a two-byte UTF-8 sequence, but UTF-8 never
        // begins one with C0: these are cp1251 letters.
        {"cp1251 that looks like UTF-8", "\xC0\xB0" "C;1\r\n", {{1, 1, "А°C"}}},
        {"UTF-8 without its mark, the lowest two-byte sign", "t;\xC2\xB0" "C\r\n", {{1, 2, "°C"}}},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        const auto sheet = OpenWorkbookSheet(dir.Write("export.csv", c.bytes), ',');
        for (const auto& [row, column, text] : c.cells) EXPECT_EQ(sheet->CellText(row, column), text) << c.what;
    }
}

TEST(CsvSheet, RefusedFilesNameTheFile) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "файл пуст"},
        {"a;\"b\n1;2\n", "кавычка, открытая в строке 1, не закрыта"},
        {std::string("\xFF\xFE" "a\0;\0", 6), "файл в кодировке UTF-16, сохраните его в UTF-8 или Windows-1251"},
        {std::string("\xFE\xFF" "\0a\0;", 6), "файл в кодировке UTF-16, сохраните его в UTF-8 или Windows-1251"},
        {"\xFF\xFE", "файл в кодировке UTF-16, сохраните его в UTF-8 или Windows-1251"},
        {std::string("PK\3\4\0\0", 6), "это не текстовый файл"},
    };
    test::TempDir dir;
    for (const auto& [bytes, reason] : cases) {
        const std::string path = dir.Write("выгрузка.csv", bytes);
        EXPECT_EQ(test::UserErrorOf([&] { OpenWorkbook(path, ','); }),
                  "Не удалось открыть файл CSV «" + path + "»: " + reason);
    }
}

}  // namespace
}  // namespace rw
