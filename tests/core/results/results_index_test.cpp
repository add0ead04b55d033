#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "results/results_index.h"
#include "test_support.h"

namespace rw {
namespace {

using test::TempDir;

ResultsRecord Sample(int day, double coke, double processedFeed) {
    ResultsRecord r;
    r.sampleDate = EncodeDate(2009, 9, day);
    r.sampleDateText.SetText(FormatDateLong(r.sampleDate));
    r.hydrogenContent = 80;
    r.coke = r.accumulatedCoke = coke;
    r.processedFeed = processedFeed;
    return r;
}

// A results file of that sample, written by the program's own writer.
std::string WriteSample(const TempDir& dir, const ResultsRecord& r) {
    std::string path = dir.str() + "/" + r.sampleDateText.Text() + ".rez";
    WriteResultsFile(path, r);
    return path;
}

std::vector<int> Days(const std::vector<ResultsRecord>& records) {
    std::vector<int> days;
    for (const auto& r : records) {
        int y, m, d;
        DecodeDate(r.sampleDate, y, m, d);
        days.push_back(d);
    }
    return days;
}

TEST(AddToResultsIndex, CreatesTheIndexAndKeepsDateOrder) {
    TempDir dir;
    const std::string index = dir.str() + "/svod.12";
    AddToResultsIndex(WriteSample(dir, Sample(10, 2.0, 1000)), index);
    AddToResultsIndex(WriteSample(dir, Sample(20, 3.0, 3000)), index);
    AddToResultsIndex(WriteSample(dir, Sample(15, 2.5, 2000)), index);
    auto records = ReadResultsIndex(index);
    EXPECT_EQ(Days(records), (std::vector<int>{10, 15, 20}));
    EXPECT_EQ(test::Slurp(index).size(), 3 * kResultsRecordSize);
    // 15th: 2.5/2000*(2000-1000) + 2.0; 20th: 3.0/3000*(3000-2000) + 3.25
    EXPECT_DOUBLE_EQ(records[0].accumulatedCoke, 2.0);
    EXPECT_DOUBLE_EQ(records[1].accumulatedCoke, 3.25);
    EXPECT_DOUBLE_EQ(records[2].accumulatedCoke, 4.25);
}

TEST(AddToResultsIndex, OlderRecordFirstRecomputesEveryLaterOne) {
    TempDir dir;
    const std::string index = dir.str() + "/svod.12";
    AddToResultsIndex(WriteSample(dir, Sample(10, 2.0, 1000)), index);
    AddToResultsIndex(WriteSample(dir, Sample(20, 3.0, 3000)), index);
    AddToResultsIndex(WriteSample(dir, Sample(5, 1.0, 500)), index);
    auto records = ReadResultsIndex(index);
    EXPECT_EQ(Days(records), (std::vector<int>{5, 10, 20}));
    EXPECT_DOUBLE_EQ(records[0].accumulatedCoke, 1.0);                // its own coke
    EXPECT_DOUBLE_EQ(records[1].accumulatedCoke, 2.0 / 1000 * 500 + 1.0);  // 2.0
    EXPECT_DOUBLE_EQ(records[2].accumulatedCoke, 3.0 / 3000 * 2000 + 2.0);  // 4.0
}

TEST(AddToResultsIndex, EqualProcessedFeedRestartsAtOwnCoke) {
    TempDir dir;
    const std::string index = dir.str() + "/svod.12";
    AddToResultsIndex(WriteSample(dir, Sample(10, 2.0, 1000)), index);
    AddToResultsIndex(WriteSample(dir, Sample(11, 2.2, 1000)), index);
    AddToResultsIndex(WriteSample(dir, Sample(12, 2.4, 800)), index);  // less feed: also a restart
    auto records = ReadResultsIndex(index);
    EXPECT_DOUBLE_EQ(records[1].accumulatedCoke, 2.2);
    EXPECT_DOUBLE_EQ(records[2].accumulatedCoke, 2.4);
}

TEST(AddToResultsIndex, SameDateReplacesAndRecomputesFromIt) {
    TempDir dir;
    const std::string index = dir.str() + "/svod.12";
    AddToResultsIndex(WriteSample(dir, Sample(10, 2.0, 1000)), index);
    AddToResultsIndex(WriteSample(dir, Sample(15, 2.5, 2000)), index);
    AddToResultsIndex(WriteSample(dir, Sample(20, 3.0, 3000)), index);
    ResultsRecord replacement = Sample(15, 5.0, 2000);
    replacement.activity = 0.75;
    AddToResultsIndex(WriteSample(dir, replacement), index);
    auto records = ReadResultsIndex(index);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_DOUBLE_EQ(records[1].activity, 0.75);
    EXPECT_DOUBLE_EQ(records[1].accumulatedCoke, 5.0 / 2000 * 1000 + 2.0);  // 4.5
    EXPECT_DOUBLE_EQ(records[2].accumulatedCoke, 3.0 / 3000 * 1000 + 4.5);  // 5.5
}

TEST(AddToResultsIndex, TrailingBytesAreDroppedOnRewrite) {
    TempDir dir;
    const std::string index = dir.str() + "/svod.12";
    AddToResultsIndex(WriteSample(dir, Sample(10, 2.0, 1000)), index);
    const std::string whole = test::Slurp(index);
    dir.Write("svod.12", whole + std::string(100, '\x7f'));
    EXPECT_EQ(ReadResultsIndex(index).size(), 1u);
    AddToResultsIndex(WriteSample(dir, Sample(20, 3.0, 3000)), index);
    EXPECT_EQ(test::Slurp(index).size(), 2 * kResultsRecordSize);
    EXPECT_EQ(test::Slurp(index).substr(0, kResultsRecordSize), whole);
}

TEST(AddToResultsIndex, UnreadableResultsLeaveTheIndexAlone) {
    TempDir dir;
    const std::string index = dir.str() + "/svod.12";
    AddToResultsIndex(WriteSample(dir, Sample(10, 2.0, 1000)), index);
    const std::string before = test::Slurp(index);
    const std::string bad = dir.Write("bad.rez", "\r\nno date here\r\n");
    EXPECT_THROW(AddToResultsIndex(bad, index), UserError);
    EXPECT_EQ(test::Slurp(index), before);
    EXPECT_THROW(AddToResultsIndex(bad, dir.str() + "/svod.13"), UserError);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "svod.13"));
}

// The date's earlier results are kept aside only while the new ones and the
// index are written: a stored calculation leaves the results file, the index
// and nothing else.
TEST(StoreResultsWithIndex, ReplacesTheDatesResultsAndLeavesNothingBeside) {
    TempDir dir, elsewhere;
    const std::string index = dir.str() + "/svod.12";
    const std::string path = WriteSample(dir, Sample(10, 2.0, 1000));
    const std::string newer = test::Slurp(WriteSample(elsewhere, Sample(10, 2.5, 1000)));
    StoreResultsWithIndex(path, newer, index);
    EXPECT_EQ(test::Slurp(path), newer);
    const auto records = ReadResultsIndex(index);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_DOUBLE_EQ(records[0].coke, 2.5);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.str())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{std::filesystem::path(path).filename().string(), "svod.12"}));
}

// The folder index is what adding the folder's files one by one in name
// order gives, whatever the case of their extension; a folder without
// results files gives an empty index.
TEST(IndexResultsFolder, IsTheFilesAddedInNameOrder) {
    TempDir folder, base, expected;
    const std::string index = base.str() + "/svod.tmp";
    base.Write("svod.tmp", "old");
    folder.Write("notes.txt", "not results");
    std::filesystem::create_directory(folder.path() / "sub.rez");
    EXPECT_TRUE(IndexResultsFolder(folder.str(), index).empty());
    EXPECT_EQ(test::Slurp(index), "");

    const std::string later = WriteSample(expected, Sample(20, 3.0, 3000));
    const std::string earlier = WriteSample(expected, Sample(10, 2.0, 1000));
    const std::string replaced = WriteSample(expected, Sample(15, 9.0, 2000));
    folder.Write("a.rez", test::Slurp(later));
    folder.Write("B.REZ", test::Slurp(replaced));
    folder.Write("c.Rez", test::Slurp(earlier));
    const std::string sameDate = test::Slurp(WriteSample(expected, Sample(15, 2.5, 2000)));
    folder.Write("d.rez", sameDate);  // the 15th again: replaces B.REZ's record
    const std::string byHand = expected.str() + "/svod.tmp";
    for (const char* name : {"B.REZ", "a.rez", "c.Rez", "d.rez"}) AddToResultsIndex(folder.str() + "/" + name, byHand);

    EXPECT_EQ(IndexResultsFolder(folder.str(), index), (std::vector<std::string>{"B.REZ", "a.rez", "c.Rez", "d.rez"}));
    EXPECT_EQ(test::Slurp(index), test::Slurp(byHand));
    const auto records = ReadResultsIndex(index);
    EXPECT_EQ(Days(records), (std::vector<int>{10, 15, 20}));
    EXPECT_DOUBLE_EQ(records[1].coke, 2.5);
    EXPECT_DOUBLE_EQ(records[2].accumulatedCoke, 3.0 / 3000 * 1000 + 2.5 / 2000 * 1000 + 2.0);
}

// A file that cannot be read, wherever it comes in the folder, leaves the
// index as it was (or missing) and is named in the message.
TEST(IndexResultsFolder, AnUnreadableFileLeavesTheIndexAsItWas) {
    TempDir base, expected;
    const std::string index = base.str() + "/svod.tmp";
    const std::string good = test::Slurp(WriteSample(expected, Sample(10, 2.0, 1000)));
    for (const char* broken : {"0.rez", "m.rez", "z.rez"}) {
        TempDir folder;
        folder.Write("a.rez", good);
        folder.Write("n.rez", good);
        folder.Write(broken, "\r\nno date here\r\n");
        std::filesystem::remove(index);
        EXPECT_NE(test::UserErrorOf([&] { IndexResultsFolder(folder.str(), index); }).find(broken), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(index)) << broken;
        base.Write("svod.tmp", "old");
        EXPECT_THROW(IndexResultsFolder(folder.str(), index), UserError);
        EXPECT_EQ(test::Slurp(index), "old") << broken;
    }
    // A results file that stops short says so (the working configuration
    // wants the whole record), naming the file itself once.
    SetConfiguration(Configuration::Working);
    struct Back {
        ~Back() { SetConfiguration(Configuration::Described); }
    } back;
    TempDir folder;
    std::size_t cut = 0;
    for (int line = 0; line < 40; ++line) cut = good.find("\r\n", cut) + 2;
    folder.Write("cut.rez", good.substr(0, cut));
    const std::string message = test::UserErrorOf([&] { IndexResultsFolder(folder.str(), index); });
    EXPECT_EQ(message.rfind("Файл результатов неполный", 0), 0u) << message;
    EXPECT_EQ(message.find("cut.rez"), message.rfind("cut.rez")) << message;
}

TEST(ReadResultsIndex, EmptyAndMissing) {
    TempDir dir;
    EXPECT_TRUE(ReadResultsIndex(dir.Write("svod.tmp", "")).empty());
    EXPECT_TRUE(DecodeResultsIndex(std::string(2431, 'x')).empty());
    EXPECT_THROW(ReadResultsIndex(dir.str() + "/svod.1"), UserError);
}

}  // namespace
}  // namespace rw

namespace rw {
namespace {

// The summary table leaves the index while another instance has changed it:
// the window's removals and additions land on the file as it is now.
TEST(MergeIndexEdits, KeepsWhatOthersWroteMeanwhile) {
    const std::vector<ResultsRecord> opened = {Sample(1, 1, 100), Sample(5, 1, 500), Sample(9, 1, 900)};
    // The window removed the 5th, added the 7th and replaced the 9th.
    ResultsRecord ninth = Sample(9, 4, 900);
    const std::vector<ResultsRecord> edited = {Sample(1, 1, 100), Sample(7, 1, 700), ninth};
    // Meanwhile another instance added the 3rd and recalculated the 1st.
    const ResultsRecord first = Sample(1, 2, 100);
    const std::vector<ResultsRecord> current = {first, Sample(3, 1, 300), Sample(5, 1, 500), Sample(9, 1, 900)};

    const auto merged = MergeIndexEdits(opened, edited, current);
    EXPECT_EQ(Days(merged), (std::vector<int>{1, 3, 7, 9}));
    EXPECT_EQ(merged[0].coke, 2) << "a record the window left alone yields to the file's";
    EXPECT_EQ(merged[3].coke, 4) << "the window's replacement wins";
    // Nothing changed under the window: the result is the window's list.
    EXPECT_EQ(Days(MergeIndexEdits(opened, edited, opened)), (std::vector<int>{1, 7, 9}));
}

}  // namespace
}  // namespace rw
