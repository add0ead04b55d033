#include "common/configuration.h"
#include <gtest/gtest.h>

#include <filesystem>

#include "common/errors.h"
#include "common/files.h"
#include "composition/report_import.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

std::string Pad(std::string s, size_t n) {
    s.resize(n, ' ');
    return s;
}

// A copy of a sample report in a fresh folder (the conversion writes beside it).
struct Sample {
    test::TempDir dir;
    std::string path;
    explicit Sample(const std::string& name, const std::string& as = {}) {
        path = dir.Write(as.empty() ? name : as, test::Slurp(test::DataPath("import/" + name)));
    }
};

TEST(ReportImport, DhaReportGivesTheGoldenList) {
    Sample s("reformate.DHA");
    std::string out = ConvertDhaReport(s.path, 2);
    EXPECT_EQ(out, (s.dir.path() / "reformate.KAT").string());
    EXPECT_EQ(test::Slurp(out), test::Slurp(test::DataPath("import/reformate.KAT.golden")));

    OpenedList list = OpenComponentList(s.path, 2);
    EXPECT_FALSE(list.dosNames);
    ASSERT_EQ(list.lines.size(), 201u);
    EXPECT_TRUE(list.sumValid);
    EXPECT_NEAR(list.sum, 100.0, 1e-9);
    EXPECT_EQ(list.lines[0], Pad("Propane", 43) + " 0.336");
}

TEST(ReportImport, TxtReportGivesTheGoldenListInCp866) {
    // Lower-case extensions are converted too: the test upper-cases them.
    Sample s("feed.TXT", "feed.txt");
    ConvertedFile f = ConvertByExtension(s.path, 1);
    EXPECT_TRUE(f.dosNames);
    EXPECT_EQ(f.path, (s.dir.path() / "feed.SIR").string());
    EXPECT_EQ(test::Slurp(f.path), test::Slurp(test::DataPath("import/feed.SIR.golden")));
    OpenedList list = OpenComponentList(s.path, 1);
    EXPECT_EQ(list.lines.size(), 92u);
    EXPECT_NEAR(list.sum, 100.0, 1e-9);
}

TEST(ReportImport, MissingHeaderFailsNamingTheFileAndKeepsTheOldList) {
    test::TempDir dir;
    std::string dha = dir.Write("x.DHA", "Detailed Hydrocarbon Analysis\r\nno table here\r\n");
    std::string kat = dir.Write("x.KAT", "previous list\r\n");
    const std::string m = test::UserErrorOf([&] { ConvertDhaReport(dha, 2); });
    EXPECT_NE(m.find(dha), std::string::npos) << m;
    EXPECT_NE(m.find("Components Listed in Chromatographic Order"), std::string::npos) << m;
    EXPECT_EQ(test::Slurp(kat), "previous list\r\n");

    std::string txt = dir.Write("y.TXT", "   1   6.823   309.4  0.734 \x8F\x90\x8E\x8F\x80\x8D\r\n");
    const std::string txtMessage = test::UserErrorOf([&] { ConvertTxtReport(txt, 1); });
    EXPECT_NE(txtMessage.find("************"), std::string::npos) << txtMessage;
    EXPECT_FALSE(fs::exists(dir.path() / "y.SIR"));
    EXPECT_THROW(ConvertDhaReport((dir.path() / "none.DHA").string(), 2), UserError);
}

TEST(ReportImport, DhaColumnsShortLinesAndLongNames) {
    test::TempDir dir;
    std::string prefix = Pad("  12  10.703 331.8", 19);
    std::string lines = "Components Listed in Chromatographic Order\r\nheading\r\n----\r\n";
    lines += prefix + "A name that is longer than thirty-five characters" + "\r\n";  // runs into the value columns
    lines += prefix + Pad("Benzene", 35) + " 1.25\r\n";  // value shorter than its field
    lines += prefix + "Toluene\r\n";                      // no value at all
    lines += "\r\n";                                       // blank last line: no component
    std::string out = ConvertDhaReport(dir.Write("r.DHA", lines), 1);
    EXPECT_EQ(test::Slurp(out), "A name that is longer than thirty-f" + std::string(8, ' ') + "ive ch\r\n" +
                                    Pad("Benzene", 43) + " 1.25 \r\n" + Pad("Toluene", 49) + "\r\n");
    EXPECT_TRUE(out.size() > 4 && out.substr(out.size() - 4) == ".SIR");
}

TEST(ReportImport, TxtTableBoundariesAndTransShortening) {
    test::TempDir dir;
    const std::string trans = "\x92\x90\x80\x8D\x91";  // ТРАНС in cp866
    std::string head = "title\r\n *************\r\n heading\r\n";
    std::string p = Pad("   1   6.823   309.4", 21);
    // A 50-byte name with one ТРАНС: shortened, then its first 43 bytes kept.
    std::string longName = "1-METHYL-" + trans + "-2-ETHYL-4-PROPYL-CYCLOHEXANE-ISOMER";
    ASSERT_EQ(longName.size(), 50u);
    std::string shortName = "1," + trans + "-3-X";  // 43 or fewer bytes: left alone
    std::string lines = head + p + " 1.500 " + longName + "\r\n" + p + "12.345 " + shortName + "\r\n" + p + " 0.1\r\n" +
                        "   2\r\n" + p + " 2.000 AFTER\r\n";  // no hyphen line: the table ends with the file
    std::string out = ConvertTxtReport(dir.Write("t.TXT", lines), 3);
    std::string shortened = "1-METHYL-\x92-2-ETHYL-4-PROPYL-CYCLOHEXANE-ISOMER";
    EXPECT_EQ(test::Slurp(out), shortened.substr(0, 43) + " 1.500\r\n" + Pad(shortName, 43) + "12.345\r\n" +
                                    Pad("", 43) + " 0.1  \r\n" + Pad("", 49) + "\r\n" + Pad("AFTER", 43) +
                                    " 2.000\r\n");
    EXPECT_TRUE(out.substr(out.size() - 4) == ".BOK");

    // The first table line is converted even when it holds the hyphen line;
    // the next hyphen line ends the table.
    std::string hy(25, '-');
    std::string t2 = head + p + " 3.000 " + hy + "\r\n" + p + " 4.000 B\r\n" + hy + "\r\n" + p + " 5.000 C\r\n";
    out = ConvertTxtReport(dir.Write("u.TXT", t2), 1);
    EXPECT_EQ(test::Slurp(out), Pad(hy, 43) + " 3.000\r\n" + Pad("B", 43) + " 4.000\r\n");

    // A table with no line after its heading gives an empty list.
    out = ConvertTxtReport(dir.Write("v.TXT", head), 1);
    EXPECT_EQ(test::Slurp(out), "");
}

TEST(ReportImport, TidyingRules) {
    std::string value = "01.234";
    std::vector<std::string> lines = {
        "Benzene\t" + value,                 // tab: name padded to column 43
        std::string(47, 'x'),                // 47 bytes: dropped
        std::string(48, 'y'),                // 48 bytes: stays
        "",                                  // blank: dropped
        Pad("Long", 44) + "\t" + value,      // 50 without the tab: no blanks added
    };
    TidyListLines(lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], Pad("Benzene", 43) + value);
    EXPECT_EQ(lines[1], std::string(48, 'y'));
    EXPECT_EQ(lines[2], Pad("Long", 44) + value);

    // A numbered list: the first line is longer than 49, every line loses 5 bytes.
    std::vector<std::string> numbered = {"0001 " + Pad("Propane", 43) + "01.000", "0002 " + Pad("Butane", 43) + "02.000"};
    TidyListLines(numbered);
    EXPECT_EQ(numbered, (std::vector<std::string>{Pad("Propane", 43) + "01.000", Pad("Butane", 43) + "02.000"}));
    // Only the first line decides.
    std::vector<std::string> mixed = {Pad("A", 43) + "01.000", "0002 " + Pad("B", 43) + "02.000"};
    TidyListLines(mixed);
    EXPECT_EQ(mixed[1].size(), 54u);

    std::vector<std::string> none;
    TidyListLines(none);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(ListSum(none), 0.0);
}

TEST(ReportImport, RunningSumAndLabel) {
    std::vector<std::string> lines = {Pad("A", 43) + "60.500", Pad("B", 43) + "39,500", Pad("C", 43) + "00.000"};
    EXPECT_DOUBLE_EQ(ListSum(lines), 100.0);
    EXPECT_EQ(RunningSumText(100.0, ','), "100,000");
    EXPECT_EQ(RunningSumText(12.34567, '.'), "12.346");
    EXPECT_EQ(RunningSumText(0, ','), "0,000");
    EXPECT_FALSE(RunningSumIsRed(99.0));
    EXPECT_FALSE(RunningSumIsRed(101.0));
    EXPECT_TRUE(RunningSumIsRed(98.999));
    EXPECT_TRUE(RunningSumIsRed(101.001));

    // A value that is not a number keeps the list loaded, without a sum.
    test::TempDir dir;
    std::string path = dir.Write("l.KAT", Pad("A", 43) + "01.000\r\n" + Pad("B", 43) + "abcdef\r\n");
    OpenedList list = OpenComponentList(path, 2);
    EXPECT_EQ(list.lines.size(), 2u);
    EXPECT_FALSE(list.sumValid);
    EXPECT_EQ(list.sumError, "'abcdef' is not a valid floating point value");

    // An empty list file: no lines, sum 0.
    OpenedList empty = OpenComponentList(dir.Write("e.SIR", ""), 1);
    EXPECT_TRUE(empty.lines.empty());
    EXPECT_TRUE(empty.sumValid);
    EXPECT_EQ(empty.sum, 0.0);
}

TEST(ReportImport, OpenActionFileChoice) {
    OpenDialogSetup d = PrepareOpenDialog("C:\\R\\bin\\sk", "C:\\R\\bin\\sk\\Plant\\02-03-10", 0, 1, OpenStarter::NextButton);
    EXPECT_EQ(d.title, "Открытие данных");
    EXPECT_EQ(d.initialFolder, "C:\\R\\bin\\sk\\Plant\\02-03-10");
    EXPECT_EQ(d.filter, "Сырьё|*.SIR|Detailed Hydrocarbon Analysis|*.dha|");
    EXPECT_EQ(d.fileName, "C:\\R\\bin\\sk\\Hornel\\01-09-09\\01-09-09.SIR");
    // Any other starter loads the catalyzate sample, also for the feed.
    EXPECT_EQ(DefaultReportFile("B", OpenStarter::Other), "B\\Hornel\\01-09-09\\01-09-09.KAT");
    for (int plant : {10, 11, 12}) {
        EXPECT_EQ(OpenFilter(plant, 2), "Таблица УВ состава|*.txt|Катализат|*.KAT|Detailed Hydrocarbon Analysis|*.dha|");
    }
    EXPECT_EQ(OpenFilter(9, 3), "Боковой погон|*.BOK|Detailed Hydrocarbon Analysis|*.dha|");
    // The working configuration names the report in Russian and offers every file.
    SetConfiguration(Configuration::Working);
    EXPECT_EQ(OpenFilter(11, 1), "Таблица УВ состава|*.txt|Сырьё|*.SIR|Отчет хроматографа (детальный анализ)|*.dha|"
                                 "Все файлы|*|");
    SetConfiguration(Configuration::Described);

    EXPECT_EQ(ReplaceExtension("a\\b.c\\name", ".SIR"), "a\\b.c\\name.SIR");
    EXPECT_EQ(ReplaceExtension("a/b.c/name.dha", ".KAT"), "a/b.c/name.KAT");

    // A list file is loaded as it is, whatever its extension.
    test::TempDir dir;
    std::string list = dir.Write("l.BOK", Pad("A", 43) + "01.000\r\n");
    EXPECT_EQ(ConvertByExtension(list, 1).path, list);
}

}  // namespace
}  // namespace rw
