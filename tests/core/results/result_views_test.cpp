// What the result viewers show: the comparison texts, the names cut to 8
// characters, the feed information of a composition file, the help and raw
// results texts decoded from the DOS code page, the calibration edit filter.
#include <gtest/gtest.h>

#include <string>

#include "common/codepage.h"
#include "common/errors.h"
#include "common/files.h"
#include "results/result_views.h"
#include "test_support.h"

namespace rw {
namespace {

// The 138 composition lines of a formation-written file followed by `tail`.
std::string CompositionFileWithTail(const std::vector<std::string>& tail) {
    std::vector<std::string> lines = SplitLines(test::Slurp(test::DataPath("composition/formation_style.sk")));
    lines.resize(138);
    lines.insert(lines.end(), tail.begin(), tail.end());
    return JoinLinesCrLf(lines);
}

TEST(ComparisonTexts, TwelveQuantitiesInWindowOrder) {
    ResultsRecord r;
    r.activity = 0.8712;
    r.crackingNumber = 2.5;
    r.hydrogenContent = 81.2;
    r.feedRate = 65;
    r.normalIsoFeed = 1.23456;
    r.normalIsoProduct = 0.61234;
    r.dehydrocyclization = 45.6789;
    r.reformateYield = 86.05;
    r.tableB[4][19] = 1.2346;  // methylcyclopentane, column 5 row 20
    r.processedFeed = 586911;
    r.octaneResearch = 95.3;
    auto t = ComparisonTexts(r, '.');
    EXPECT_EQ(t[0], "0.871");
    EXPECT_EQ(t[1], "2.500");
    EXPECT_EQ(t[2], "81.200");
    EXPECT_EQ(t[3], "65.000");
    // 100 times the difference before rounding: not 100 * (1.235 - 0.612).
    EXPECT_EQ(t[4], "62.222");
    EXPECT_EQ(t[5], "45.679");
    EXPECT_EQ(t[6], "1.235");
    EXPECT_EQ(t[7], "0.612");
    EXPECT_EQ(t[8], "86.050");
    EXPECT_EQ(t[9], "1.235");
    EXPECT_EQ(t[10], "586911.000");
    EXPECT_EQ(t[11], "95.300");
    EXPECT_EQ(ComparisonTexts(r, ',')[0], "0,871");
}

TEST(NamePrefix, FirstEightCharactersOfTheNameWithoutFolder) {
    EXPECT_EQ(NamePrefix("C:\\bin\\sk\\Hornel\\01-09-09\\01-09-09.rez"), "01-09-09");
    EXPECT_EQ(NamePrefix("/tmp/Hornel/01-09-2009.rez"), "01-09-20");
    // A shorter name shows as much of its extension as fits.
    EXPECT_EQ(NamePrefix("/tmp/1-9-9.rez"), "1-9-9.re");
    EXPECT_EQ(NamePrefix("a.sk"), "a.sk");
    // Letters of a Cyrillic name are never cut in half.
    EXPECT_EQ(NamePrefix("/tmp/проба-сентябрь.rez"), "проба-се");
}

TEST(FeedInfo, TwelveTailLinesShowTheSecondGroup) {
    test::TempDir dir;
    std::vector<std::string> tail;
    for (const char* v : {"78", "83", "80", "93", "101", "0.715"}) tail.push_back(std::string(17, ' ') + v);
    for (const char* v : {"86", "96", "113", "152", "175", "0.730"}) tail.push_back(std::string(19, ' ') + v);
    std::string path = dir.Write("01-10-09.sk", CompositionFileWithTail(tail));
    FeedInfo info = ReadFeedInfo(path);
    EXPECT_TRUE(info.complete);
    EXPECT_EQ(info.name, "01-10-09");
    EXPECT_EQ(info.fraction[0], "   86");  // the first 16 characters are dropped
    EXPECT_EQ(info.fraction[5], "   0.730");
}

TEST(FeedInfo, FiveTailLinesClearTheValues) {
    test::TempDir dir;
    std::vector<std::string> tail = {"                 86", "", "                 96", "                113",
                                     "                152", "                175"};
    tail.erase(tail.begin() + 5);  // five values and one empty line
    std::string path = dir.Write("short.sk", CompositionFileWithTail(tail));
    FeedInfo info = ReadFeedInfo(path);
    EXPECT_FALSE(info.complete);
    EXPECT_EQ(info.name, "short.sk");
    for (const auto& v : info.fraction) EXPECT_EQ(v, "");

    EXPECT_THROW(ReadFeedInfo(dir.str() + "/missing.sk"), UserError);
}

TEST(DosTexts, HelpAndRawResultsDecodedFromCp866) {
    test::TempDir dir;
    const std::string frame = "╔══╗ Активность ║ 0.87";
    std::string path = dir.Write("rez", Utf8ToCp866("line one\r\n" + frame + "\r\n"));
    std::vector<std::string> lines = ReadRawResultsLines(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], frame);
    EXPECT_EQ(ReadHelpText(path), "line one\n" + frame);
    EXPECT_THROW(ReadRawResultsLines(dir.str() + "/none"), UserError);
}

TEST(DosTexts, ShippedHelpTextNamesTheMenus) {
    std::string text = ReadHelpText(test::SourceDataTree() + "/помощь.txt");
    for (const char* menu : {"Выбор установки", "Выбор данных", "Риформинг", "Подачи хлорорганики",
                             "Результаты расчета", "Просмотр результатов", "Сводная таблица", "Графики"}) {
        EXPECT_NE(text.find(menu), std::string::npos) << menu;
    }
    EXPECT_EQ(text.find('?'), std::string::npos) << "a character cp866 lacks";
}

TEST(PlainNumberFilter, FailingCharactersRemoved) {
    EXPECT_EQ(StripToPlainNumber("1,5"), "15");
    EXPECT_EQ(StripToPlainNumber("1.5"), "1.5");
    EXPECT_EQ(StripToPlainNumber("0.9a5"), "0.95");
    EXPECT_EQ(StripToPlainNumber("1.5.3"), "1.53");
    EXPECT_EQ(StripToPlainNumber("1ж2"), "12");
    // Unfinished numbers stay, so typing can go on.
    for (const char* t : {"", "-", "1e", "1e+", " ", "."}) EXPECT_EQ(StripToPlainNumber(t), t);
    EXPECT_EQ(PlainFailPosition(""), 1u);
    EXPECT_EQ(PlainFailPosition(" 2.5e-3"), 0u);
    EXPECT_EQ(PlainFailPosition("2 "), 2u);
}

}  // namespace
}  // namespace rw
