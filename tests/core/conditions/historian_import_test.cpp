#include <gtest/gtest.h>

#include <map>

#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/regional.h"
#include "conditions/historian_import.h"
#include "conditions/spreadsheet.h"
#include "test_support.h"

namespace rw {
namespace {

std::string Workbook(const std::string& name) { return test::DataPath("xls/" + name); }

std::map<int, std::string> Fields(const std::vector<ImportedField>& fields) {
    std::map<int, std::string> m;
    for (const auto& f : fields) m[f.editNumber] = f.text;
    return m;
}

TEST(WorkbookReader, CellTextsAsTheSpreadsheetShowsThem) {
    const auto comma = OpenWorkbookSheet(Workbook("pt219_number.xls"), ',');
    EXPECT_EQ(comma->CellText(1, 4), "PT_219 давление");
    EXPECT_EQ(comma->CellText(3, 4), "12,3");
    EXPECT_EQ(comma->CellText(3, 3), "118500");
    EXPECT_EQ(comma->CellText(2, 4), "");
    EXPECT_EQ(comma->CellText(3, 200), "");
    EXPECT_EQ(comma->CellText(5000, 1), "");
    EXPECT_EQ(OpenWorkbookSheet(Workbook("pt219_number.xls"), '.')->CellText(3, 4), "12.3");
    EXPECT_EQ(OpenWorkbookSheet(Workbook("pt219_text_comma.xls"), '.')->CellText(3, 4), "12,3");
}

TEST(WorkbookReader, ReadsTheFirstSheetAndFormatsDates) {
    const auto sheet = OpenWorkbookSheet(Workbook("historian_export.xls"), ',');
    // FreeXL alone would pick the last sheet, the tag list.
    EXPECT_EQ(sheet->CellText(1, 1), "Дата/время");
    EXPECT_EQ(sheet->CellText(3, 5), "0,0021");
    EXPECT_EQ(sheet->CellText(3, 1).substr(0, 10), "01.09.2009");
}

TEST(WorkbookReader, UnreadableWorkbooksFailWithTheirName) {
    for (const std::string name : {"not_a_workbook.xls", "no_such_file.xls"}) {
        const std::string message = test::UserErrorOf([&] { OpenWorkbookSheet(Workbook(name), ','); });
        EXPECT_EQ(message.rfind("Не удалось открыть книгу Excel «", 0), 0u) << message;
        EXPECT_NE(message.find(name), std::string::npos) << message;
    }
}

TEST(HistorianImport, HeaderWithDescriptionAndCommaValue) {
    for (const char* name : {"pt219_text_comma.xls", "pt219_number.xls"}) {
        const auto fields = Fields(ImportHistorianWorkbook(Workbook(name), ','));
        EXPECT_EQ(fields.at(3), "12.3") << name;
        EXPECT_EQ(fields.at(1), "96.4") << name;
        EXPECT_EQ(fields.at(2), "118500") << name;
        EXPECT_EQ(fields.count(24), 0u) << name;
    }
}

TEST(HistorianImport, LastMatchingColumnWins) {
    const auto sheet = OpenWorkbookSheet(Workbook("duplicate_tag.xls"), ',');
    EXPECT_EQ(NumColExcel(*sheet, "FSLL_293"), 7);
    EXPECT_EQ(NumColExcel(*sheet, "TIRAH_069"), 6);
    // "DTIRAH_069" does not begin with "TIRAH_069" and vice versa.
    EXPECT_EQ(NumColExcel(*sheet, "DTIRAH_069"), 0);
    EXPECT_EQ(Fields(ReadHistorianFields(*sheet)).at(1), "101.5");
}

TEST(HistorianImport, EmptyHeaderHidesTheColumnsAfterIt) {
    const auto sheet = OpenWorkbookSheet(Workbook("empty_header.xls"), ',');
    EXPECT_EQ(NumColExcel(*sheet, "PT_222"), 4);
    EXPECT_EQ(NumColExcel(*sheet, "PT_225"), 0);
    EXPECT_EQ(NumColExcel(*sheet, "FSLL_269"), 0);
    const auto fields = Fields(ReadHistorianFields(*sheet));
    EXPECT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields.count(5), 0u);
}

TEST(HistorianImport, MissingTagKeepsTheFieldAndEmptyCellEmptiesIt) {
    const auto sheet = OpenWorkbookSheet(Workbook("missing_tag_and_empty_value.xls"), ',');
    const auto fields = Fields(ReadHistorianFields(*sheet));
    EXPECT_EQ(fields.count(24), 0u);      // QT_376 is not in the sheet
    EXPECT_EQ(fields.at(4), "");          // PT_222 has no value
    EXPECT_EQ(fields.count(5), 0u);       // PT_225 sits in column 31
    EXPECT_EQ(NumColExcel(*sheet, "PT_225"), 0);
    EXPECT_EQ(fields.at(3), "25.1");
}

TEST(HistorianImport, RealisticExportFillsAllFifteenFieldsInTagOrder) {
    const auto fields = ImportHistorianWorkbook(Workbook("historian_export.xls"), ',');
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "96.4"},    {2, "118540"}, {24, "0.0021"}, {3, "25.3"},   {7, "492.5"},
        {11, "64.8"},   {4, "24.8"},   {8, "493.1"},   {12, "37.6"},  {5, "24.1"},
        {9, "494"},     {13, "14.2"},  {27, "23.5"},   {28, "495.25"}, {29, "6"},
    };
    ASSERT_EQ(fields.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(fields[i].editNumber, expected[i].first) << i;
        EXPECT_EQ(fields[i].text, expected[i].second) << i;
    }
}

TEST(HistorianImport, OnlyTheFirstCommaIsReplaced) {
    MemorySheet sheet({{"QT_376"}, {}, {"1,234,5"}});
    EXPECT_EQ(ReadHistorianFields(sheet).at(0).text, "1.234,5");
}

class ProcessedFeedTest : public ::testing::Test {
protected:
    void TearDown() override { Regional().decimalSeparator = ','; }
    const double regeneration = EncodeDate(2009, 8, 22);
};

TEST_F(ProcessedFeedTest, FeedFlowTimesDaysTimesDensity) {
    Regional().decimalSeparator = '.';
    EXPECT_EQ(ProcessedFeedText("100", regeneration + 10, regeneration), "17880");
    EXPECT_EQ(Regional().decimalSeparator, ',');
    // The working configuration keeps the point it shows everywhere else.
    SetConfiguration(Configuration::Working);
    EXPECT_EQ(ProcessedFeedText("100", regeneration + 10, regeneration), "17880");
    EXPECT_EQ(Regional().decimalSeparator, '.');
    SetConfiguration(Configuration::Described);
    // Dates the wrong way round still give a positive amount.
    EXPECT_EQ(ProcessedFeedText("100", regeneration, regeneration + 10), "17880");
    EXPECT_EQ(ProcessedFeedText("96.4", regeneration + 10.25, regeneration), "17667.2");
}

TEST_F(ProcessedFeedTest, HalvesGoToTheEvenNeighbour) {
    // 7.5 x 0.5 x 24 x 0.745 = 67.05 and 2.5 x 0.5 x 24 x 0.745 = 22.35 are
    // exact halves at the first decimal in binary arithmetic.
    EXPECT_EQ(ProcessedFeedText("7.5", regeneration + 0.5, regeneration), "67");
    EXPECT_EQ(ProcessedFeedText("2.5", regeneration + 0.5, regeneration), "22.4");
    EXPECT_DOUBLE_EQ(ProcessedFeed(37.5, regeneration + 0.5, regeneration), 335.2);
}

TEST_F(ProcessedFeedTest, FeedFlowThatIsNoNumberLeavesThePointSeparator) {
    EXPECT_EQ(test::UserErrorOf([&] { ProcessedFeedText("96,4", regeneration + 10, regeneration); }),
              "'96,4' is not a valid floating point value");
    EXPECT_EQ(Regional().decimalSeparator, '.');
}

TEST(HistorianQuestions, EqualDatesCountAsTheWrongOrder) {
    const double d = EncodeDate(2009, 9, 1);
    EXPECT_TRUE(DatesInOrder(d + 0.01, d));
    EXPECT_FALSE(DatesInOrder(d, d));
    EXPECT_FALSE(DatesInOrder(d, d + 1));
}

}  // namespace
}  // namespace rw
