#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "results/deactivation.h"
#include "test_support.h"

namespace rw {
namespace {

using test::TempDir;

std::string Point(double date, double value) { return EncodeDeactivationHistory({{date, value}}); }

TEST(DeactivationHistory, StoreInsertsReplacesAndAppendsOnBytes) {
    TempDir dir;
    const std::string programPath = DeactivationHistoryPath(dir.str(), 11);
    EXPECT_EQ(programPath.substr(programPath.size() - 10), "\\dizakt.11");
    const std::string path = ToNative(programPath);

    const double d1 = EncodeDate(2009, 9, 1), d2 = EncodeDate(2009, 10, 1), d0 = EncodeDate(2009, 8, 1);
    StoreDeactivationValue(path, {d1, 0.5});  // missing file: a history of one point
    EXPECT_EQ(test::Slurp(path), Point(d1, 0.5));
    EXPECT_EQ(test::Slurp(path).substr(0, 8), std::string("\x00\x00\x00\x00\x20\x8F\xE3\x40", 8));  // 40057.0

    StoreDeactivationValue(path, {d2, 0.25});  // later than all: appended
    StoreDeactivationValue(path, {d0, 0.75});  // earlier than all: first
    EXPECT_EQ(test::Slurp(path), Point(d0, 0.75) + Point(d1, 0.5) + Point(d2, 0.25));

    StoreDeactivationValue(path, {d1, -1.5});  // the same date: only the value changes
    EXPECT_EQ(test::Slurp(path), Point(d0, 0.75) + Point(d1, -1.5) + Point(d2, 0.25));

    // A partial record at the end is not a point.
    dir.Write("dizakt.11", test::Slurp(path) + "12345");
    EXPECT_EQ(ReadDeactivationHistory(path).size(), 3u);
}

TEST(DeactivationHistory, Clearing) {
    TempDir dir;
    const std::string path = ToNative(DeactivationHistoryPath(dir.str(), 3));
    EXPECT_NO_THROW(ClearDeactivationHistory(path));  // nothing to clear
    StoreDeactivationValue(path, {EncodeDate(2009, 9, 1), 1});
    ClearDeactivationHistory(path);
    EXPECT_FALSE(FileExists(path));

    // A file that cannot be deleted stays and is named in the message.
    StoreDeactivationValue(path, {EncodeDate(2009, 9, 1), 1});
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::geteuid() != 0) {
        EXPECT_EQ(test::UserErrorOf([&] { ClearDeactivationHistory(path); }), "Не могу удалить файл: " + path);
        EXPECT_TRUE(FileExists(path));
    }
}

TEST(DeactivationValue, DaysTonnesAndTheSign) {
    // 999 days: tonnes at the feed rate of the end of the period.
    DeactivationSample start{0.95, 1000, 100}, end{0.90, 1999, 120};
    auto d = DeactivationValue(start, end, 2.0);
    ASSERT_TRUE(d);
    EXPECT_DOUBLE_EQ(*d, (0.95 - 0.90) * 100 / (999 * 120 * 24 * 0.7) * 2.0);

    // 1000 and -1000: tonnes as they are.
    end.processedFeed = 2000;
    EXPECT_DOUBLE_EQ(*DeactivationValue(start, end, 2.0), (0.95 - 0.90) * 100 / 1000 * 2.0);
    EXPECT_DOUBLE_EQ(*DeactivationValue(end, start, 2.0), (0.90 - 0.95) * 100 / -1000 * 2.0);

    // Exchanging the two samples keeps D, also when the days are converted
    // and the feed rates differ.
    end.processedFeed = 1500;
    EXPECT_DOUBLE_EQ(*DeactivationValue(start, end, 3.5), *DeactivationValue(end, start, 3.5));
    end.processedFeed = 250000;
    start.processedFeed = 150000;
    EXPECT_DOUBLE_EQ(*DeactivationValue(start, end, 3.5), *DeactivationValue(end, start, 3.5));

    // Equal processed feed: no value. No feed rate over a number of days:
    // no value either, rather than an infinite one.
    end.processedFeed = start.processedFeed;
    EXPECT_FALSE(DeactivationValue(start, end, 2.0));
    EXPECT_FALSE(DeactivationValue({0.9, 10, 0}, {0.8, 20, 0}, 2.0));
}

TEST(DeactivationValue, Texts) {
    ResultsRecord a, b;
    a.sampleDate = EncodeDate(2009, 9, 1);
    a.sampleDateText.SetText("01.09.2009");
    b.sampleDate = EncodeDate(2009, 3, 1);
    b.sampleDateText.SetText("01.03.2009");
    EXPECT_EQ(DeactivationPeriodText(a, b), "Период с 01.03.2009 по 01.09.2009");
    EXPECT_EQ(DeactivationPeriodText(b, a), "Период с 01.03.2009 по 01.09.2009");
    EXPECT_EQ(DeactivationValueText(0.012345, ','), "Дезактивация = 0,0123 град./(тонн сыр./кг кат.)");
    a.processedFeed = 1000;
    b.processedFeed = 2000;
    a.activity = 0.9;
    b.activity = 0.8;
    EXPECT_DOUBLE_EQ(*DeactivationValue(SampleOf(a), SampleOf(b), 1.0), 0.01);
}

}  // namespace
}  // namespace rw
