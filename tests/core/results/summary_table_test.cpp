#include <gtest/gtest.h>

#include "common/codepage.h"
#include "common/dates.h"
#include "common/errors.h"
#include "results/results_index.h"
#include "results/summary_table.h"
#include "test_support.h"

namespace rw {
namespace {

using test::TempDir;

ResultsRecord Sample(int day, double activity) {
    ResultsRecord r;
    r.sampleDate = EncodeDate(2009, 9, day);
    r.sampleDateText.SetText(FormatDateLong(r.sampleDate));
    r.activity = activity;
    return r;
}

std::vector<std::string> Dates(const std::vector<ResultsRecord>& records) {
    std::vector<std::string> out;
    for (const auto& r : records) out.push_back(r.sampleDateText.Text().substr(0, 2));
    return out;
}

std::vector<std::string> RowCaptions(const ParameterSelection& s) {
    std::vector<std::string> out;
    for (int k : s.Rows()) out.push_back(ParameterCaption(k));
    return out;
}

// A model opened on four records of the 10th, 15th, 20th and 25th.
SummaryTableModel FourRecords(const std::string& path = "svod.12") {
    SummaryTableModel m;
    m.Open({Sample(10, 0.9), Sample(15, 0.8), Sample(20, 0.7), Sample(25, 0.6)}, path);
    return m;
}

TEST(GetPar, ParametersAndTheCokeOfTheIndexKind) {
    ResultsRecord r;
    r.normalIsoFeed = 0.62;
    r.normalIsoProduct = 0.48;
    r.coke = 3;
    r.accumulatedCoke = 7;
    r.circulationRatio = 1150;
    r.tableB[3][0] = 1.4;
    r.tableB[4][19] = 20.5;
    r.tableA[8][10] = 65.1;
    EXPECT_NEAR(GetPar(r, 11, CokeChoice::Coke), 14, 1e-12);
    EXPECT_EQ(GetPar(r, 10, CokeChoice::Coke), 1150);
    EXPECT_EQ(GetPar(r, 5, CokeChoice::Coke), 1.4);
    EXPECT_EQ(GetPar(r, 17, CokeChoice::Coke), 20.5);
    EXPECT_EQ(GetPar(r, 13, CokeChoice::Coke), 65.1);
    EXPECT_EQ(GetPar(r, 14, CokeChoiceForIndex("C:\\x\\bin\\sk\\svod.12")), 7);
    EXPECT_EQ(GetPar(r, 14, CokeChoiceForIndex("/x/bin/sk/svod.tmp")), 3);
    EXPECT_EQ(ParameterCheckBoxName(10), "CheckBox14");
    EXPECT_EQ(ParameterCheckBoxName(14), "CheckBox10");
    EXPECT_EQ(ParameterCheckBoxName(9), "CheckBox9");

    // The graphs follow the table's last opening.
    SummaryTableModel m;
    m.Open({r}, "svod.12");
    EXPECT_EQ(GetPar(r, 14), 7);
    m.Open({r}, "svod.tmp");
    EXPECT_EQ(GetPar(r, 14), 3);
    EXPECT_EQ(m.MakeTab([] { ParameterSelection s; s.Check(14); return s; }(), '.').Cell(1, 1), "3.00");
}

TEST(ParameterSelection, CheckUncheckAndRestartThroughTheSettingsFile) {
    TempDir dir;
    ParameterSelection s;
    EXPECT_TRUE(s.Check(5));
    EXPECT_TRUE(s.Check(2));
    EXPECT_TRUE(s.Check(14));
    EXPECT_FALSE(s.Check(2));
    EXPECT_EQ(RowCaptions(s), (std::vector<std::string>{"Выход водорода, %", "Перераб. сырьё т.", "Кокс, %вес."}));
    EXPECT_TRUE(s.Uncheck(2));
    EXPECT_FALSE(s.Uncheck(2));
    EXPECT_EQ(RowCaptions(s), (std::vector<std::string>{"Выход водорода, %", "Кокс, %вес."}));
    EXPECT_EQ(s.Position(14), 2);

    const std::string path = dir.str() + "/Ravionn.ini";
    s.Save(path);
    const std::string bytes = test::Slurp(path);
    ASSERT_EQ(bytes.size(), 72u);
    EXPECT_EQ(bytes.substr(4 * 4, 4), std::string("\x01\x00\x01\x00", 4));   // parameter 5, row 1
    EXPECT_EQ(bytes.substr(4 * 1, 4), std::string(4, '\0'));                 // parameter 2, unchecked
    EXPECT_EQ(bytes.substr(4 * 13, 4), std::string("\x01\x00\x02\x00", 4));  // parameter 14, row 2
    ParameterSelection restarted = ParameterSelection::Load(path);
    EXPECT_EQ(RowCaptions(restarted), RowCaptions(s));
}

TEST(ParameterSelection, SettingsFilesNotToTrust) {
    auto entry = [](std::string& bytes, int k, int flag, int position) {
        bytes[(k - 1) * 4] = static_cast<char>(flag);
        bytes[(k - 1) * 4 + 2] = static_cast<char>(position);
    };
    std::string bytes(72, '\0');
    entry(bytes, 3, 1, 7);
    entry(bytes, 9, 1, 3);
    entry(bytes, 4, 0, 5);  // not shown: its position does not count
    ParameterSelection s = ParameterSelection::Decode(bytes);
    EXPECT_EQ(s.Rows(), (std::vector<int>{9, 3}));  // by position, renumbered
    EXPECT_EQ(s.Position(3), 2);

    EXPECT_EQ(ParameterSelection::Decode(bytes.substr(0, 71)).Count(), 0);
    std::string outside = bytes;
    entry(outside, 3, 1, 19);
    EXPECT_EQ(ParameterSelection::Decode(outside).Count(), 0);
    entry(outside, 3, 1, 0);
    EXPECT_EQ(ParameterSelection::Decode(outside).Count(), 0);
    TempDir dir;
    EXPECT_EQ(ParameterSelection::Load(dir.str() + "/Ravionn.ini").Count(), 0);
}

TEST(SummaryTableModel, GridOfEmptyIndexAndOfNoParameters) {
    TempDir dir;
    SummaryTableModel m;
    m.SetFrom(EncodeDate(2000, 1, 1));
    m.Open(dir.Write("svod.12", ""));
    EXPECT_EQ(m.From(), EncodeDate(2000, 1, 1));  // the pickers keep their dates
    SummaryGrid g = m.MakeTab(ParameterSelection{}, '.');
    EXPECT_EQ(g.columnCount, 2);
    EXPECT_EQ(g.rowCount, 1);
    EXPECT_FALSE(g.fixedFirstColumn);
    EXPECT_EQ(g.Cell(0, 0), "Дата отбора");
    EXPECT_EQ(g.Cell(1, 0), "0");

    SummaryTableModel four = FourRecords();
    ParameterSelection s;
    s.Check(1);
    g = four.MakeTab(s, ',');
    EXPECT_EQ(g.columnCount, 5);
    EXPECT_TRUE(g.fixedFirstColumn);
    EXPECT_EQ(g.Cell(0, 1), "Активность");
    EXPECT_EQ(g.Cell(2, 0), "15.09.2009");
    EXPECT_EQ(g.Cell(2, 1), "0,80");
}

TEST(SummaryTableModel, UnreadableIndexOpensEmpty) {
    TempDir dir;
    SummaryTableModel m = FourRecords();
    EXPECT_THROW(m.Open(dir.str() + "/svod.3"), UserError);
    EXPECT_TRUE(m.FullList().empty());
    EXPECT_EQ(m.ColumnCount(), 0);
    EXPECT_EQ(m.MakeTab(ParameterSelection{}, '.').columnCount, 1);
    m.AddRecord(Sample(1, 1));
    EXPECT_EQ(m.ColumnCount(), 1);
}

TEST(SummaryTableModel, DateRange) {
    SummaryTableModel m = FourRecords();
    m.SetFrom(EncodeDate(2009, 9, 12));
    m.SetTill(EncodeDate(2009, 9, 20));
    EXPECT_TRUE(m.ApplyDateRange());
    EXPECT_EQ(Dates(m.DisplayedList()), (std::vector<std::string>{"15", "20"}));  // till itself included

    // Start after the last record: the table does not change.
    m.SetFrom(EncodeDate(2009, 9, 26));
    EXPECT_FALSE(m.ApplyDateRange());
    EXPECT_EQ(Dates(m.DisplayedList()), (std::vector<std::string>{"15", "20"}));

    // from after till: the first record on or after from is still shown.
    m.SetFrom(EncodeDate(2009, 9, 16));
    m.SetTill(EncodeDate(2009, 9, 11));
    EXPECT_TRUE(m.ApplyDateRange());
    EXPECT_EQ(Dates(m.DisplayedList()), (std::vector<std::string>{"20"}));
    EXPECT_EQ(m.ColumnCount(), 1);

    // from before the first record: the range starts with it.
    m.SetFrom(EncodeDate(2009, 1, 1));
    m.SetTill(EncodeDate(2009, 9, 21));
    EXPECT_TRUE(m.ApplyDateRange());
    EXPECT_EQ(Dates(m.DisplayedList()), (std::vector<std::string>{"10", "15", "20"}));
}

TEST(SummaryTableModel, AddingResults) {
    SummaryTableModel m = FourRecords();
    ParameterSelection s;
    s.Check(1);
    m.AddRecord(Sample(15, 0.55));  // same date: that column's values change
    EXPECT_EQ(m.ColumnCount(), 4);
    EXPECT_EQ(m.MakeTab(s, '.').Cell(2, 1), "0.55");

    m.AddRecord(Sample(5, 1.0));
    EXPECT_EQ(m.From(), EncodeDate(2009, 9, 5));
    m.AddRecord(Sample(30, 0.5));
    EXPECT_EQ(m.Till(), EncodeDate(2009, 9, 30));
    m.AddRecord(Sample(12, 0.85));
    EXPECT_EQ(m.Till(), EncodeDate(2009, 9, 30));
    EXPECT_EQ(Dates(m.FullList()), (std::vector<std::string>{"05", "10", "12", "15", "20", "25", "30"}));

    // Added while a range is shown: the whole list comes back, every record
    // with its column.
    m.SetFrom(EncodeDate(2009, 9, 20));
    ASSERT_TRUE(m.ApplyDateRange());
    m.AddRecord(Sample(22, 0.65));
    EXPECT_FALSE(m.ShowsFiltered());
    EXPECT_EQ(m.ColumnCount(), 8);
    EXPECT_EQ(m.MakeTab(s, '.').columnCount, 9);
}

TEST(SummaryTableModel, RemovingColumns) {
    SummaryTableModel m = FourRecords();
    EXPECT_FALSE(m.RemoveColumn(0));
    EXPECT_FALSE(m.RemoveColumn(5));
    EXPECT_TRUE(m.RemoveColumn(1));
    EXPECT_EQ(m.From(), EncodeDate(2009, 9, 15));
    EXPECT_TRUE(m.RemoveColumn(3));
    EXPECT_EQ(m.Till(), EncodeDate(2009, 9, 20));
    EXPECT_EQ(Dates(m.FullList()), (std::vector<std::string>{"15", "20"}));

    // From a range only the copy loses the record.
    m.SetFrom(EncodeDate(2009, 9, 20));
    ASSERT_TRUE(m.ApplyDateRange());
    const double till = m.Till();
    EXPECT_TRUE(m.RemoveColumn(1));  // the only column of the range
    EXPECT_TRUE(m.DisplayedList().empty());
    EXPECT_EQ(m.Till(), till);
    EXPECT_EQ(m.ColumnCount(), 1);
    SummaryGrid g = m.MakeTab(ParameterSelection{}, '.');
    EXPECT_EQ(g.columnCount, 2);
    EXPECT_EQ(g.Cell(1, 0), "0");
    EXPECT_EQ(Dates(m.FullList()), (std::vector<std::string>{"15", "20"}));
}

TEST(SummaryTableModel, LeavingRewritesTheIndexFromTheFullList) {
    TempDir dir;
    const std::string path = dir.str() + "/svod.12";
    WriteResultsIndex(path, FourRecords().FullList());
    SummaryTableModel m;
    m.Open(path);
    m.RemoveColumn(2);
    m.SetFrom(EncodeDate(2009, 9, 20));
    m.ApplyDateRange();
    m.RemoveColumn(1);  // the filtered copy only
    m.SaveIndex();
    EXPECT_EQ(Dates(ReadResultsIndex(path)), (std::vector<std::string>{"10", "20", "25"}));
    EXPECT_EQ(test::Slurp(path).size(), 3 * kResultsRecordSize);

    // Opened again in the same window: its removal counts against the index
    // as it was opened this time.
    m.Open(path);
    m.RemoveColumn(1);
    m.SaveIndex();
    EXPECT_EQ(Dates(ReadResultsIndex(path)), (std::vector<std::string>{"20", "25"}));
}

// The opened list is kept apart only from the first change on: a record
// added in the window must still count as the window's own when saved.
TEST(SummaryTableModel, AddedRecordReachesTheIndex) {
    TempDir dir;
    const std::string path = dir.str() + "/svod.12";
    WriteResultsIndex(path, FourRecords().FullList());
    SummaryTableModel m;
    m.Open(path);
    m.AddRecord(Sample(12, 0.8));
    m.SaveIndex();
    EXPECT_EQ(Dates(ReadResultsIndex(path)), (std::vector<std::string>{"10", "12", "15", "20", "25"}));
}

TEST(SummaryExport, FileAndClipboardBytes) {
    SummaryTableModel m;
    m.Open({Sample(10, 0.9), Sample(15, 0.85)}, "svod.12");
    ParameterSelection s;
    s.Check(1);
    s.Check(2);
    SummaryGrid g = m.MakeTab(s, '.');
    const std::string rows =
        "Дата отбора\t10.09.2009\t15.09.2009\t|Активность\t0.90\t0.85\t|Перераб. сырьё т.\t0.00\t0.00\t|";
    std::string crlf = rows, cr = rows;
    for (std::size_t p; (p = crlf.find('|')) != std::string::npos;) crlf.replace(p, 1, "\r\n");
    for (std::size_t p; (p = cr.find('|')) != std::string::npos;) cr.replace(p, 1, "\r");
    EXPECT_EQ(SummaryExportText(g), Utf8ToCp1251(crlf));
    EXPECT_EQ(SummaryExportText(g).substr(0, 4), "\xC4\xE0\xF2\xE0");  // "Дата" in code page 1251
    EXPECT_EQ(SummaryClipboardText(g), cr);

    TempDir dir;
    WriteSummaryExport(dir.str() + "/table.txt", g);
    EXPECT_EQ(dir.Read("table.txt"), Utf8ToCp1251(crlf));
}

}  // namespace
}  // namespace rw
