#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "common/dates.h"
#include "results/chart_series.h"

namespace rw {
namespace {

ResultsRecord Record(int day, double normalIsoFeed, double normalIsoProduct) {
    ResultsRecord r;
    r.sampleDate = EncodeDate(2009, 3, day);
    r.sampleDateText.SetText(FormatDateLong(r.sampleDate));
    r.normalIsoFeed = normalIsoFeed;
    r.normalIsoProduct = normalIsoProduct;
    r.coke = 2.5;
    r.accumulatedCoke = 3.125;
    return r;
}

// The isomerisation degree is a difference times 100: in binary it lands a
// hair beside the decimal value, and the text at the point must not show it.
TEST(ChartSeries, IsomerisationPointsLabelsAndTexts) {
    const std::vector<ResultsRecord> records = {Record(11, 0.85, 0.43), Record(12, 0.9, 0.8765),
                                                Record(13, 0.5, 0.6)};
    const ChartSeries s = BuildParameterSeries(records, 11, CokeChoice::Coke, '.');
    ASSERT_EQ(s.Size(), 3u);
    EXPECT_DOUBLE_EQ(s.values[0], (0.85 - 0.43) * 100);
    EXPECT_EQ(s.valueTexts, (std::vector<std::string>{"42", "2.35", "-10"}));
    EXPECT_EQ(s.labels, (std::vector<std::string>{"11.03.2009", "12.03.2009", "13.03.2009"}));

    const ChartSeries comma = BuildParameterSeries(records, 11, CokeChoice::Coke, ',');
    EXPECT_EQ(comma.valueTexts[1], "2,35");
}

TEST(ChartSeries, CokeFollowsTheChoice) {
    const std::vector<ResultsRecord> records = {Record(11, 0, 0)};
    EXPECT_EQ(BuildParameterSeries(records, 14, CokeChoice::Coke, '.').valueTexts[0], "2.5");
    EXPECT_EQ(BuildParameterSeries(records, 14, CokeChoice::AccumulatedCoke, '.').valueTexts[0], "3.125");
}

TEST(ChartSeries, EmptyHistoryAndGivenPoints) {
    EXPECT_EQ(BuildParameterSeries({}, 1, CokeChoice::Coke, '.').Size(), 0u);
    const ChartSeries s = BuildSeries({"01.02.09", "01.03.09", "01.04.09"}, {0.12345, 7}, '.');
    EXPECT_EQ(s.Size(), 2u);
    EXPECT_EQ(s.labels.size(), 2u);
    EXPECT_EQ(s.valueTexts, (std::vector<std::string>{"0.123", "7"}));
}

void ExpectSoundAxis(const ValueAxis& axis, const std::vector<double>& values) {
    for (double v : values) {
        EXPECT_LE(axis.min, v);
        EXPECT_GE(axis.max, v);
    }
    ASSERT_FALSE(axis.ticks.empty());
    EXPECT_TRUE(std::is_sorted(axis.ticks.begin(), axis.ticks.end()));
    EXPECT_GE(axis.ticks.front(), axis.min);
    EXPECT_LE(axis.ticks.back(), axis.max + 1e-9);
    // The category axis drops a repeated text, which would shift every tick after it.
    const std::set<std::string> distinct(axis.tickTexts.begin(), axis.tickTexts.end());
    EXPECT_EQ(distinct.size(), axis.tickTexts.size());
    EXPECT_EQ(distinct.count("-0"), 0u);
}

TEST(ChartSeries, ValueAxisHoldsEveryValueWithRoundTicks) {
    const std::vector<double> activity = {1.05, 1.03, 0.99, 0.93};
    const ValueAxis a = MakeValueAxis(activity, 8, '.');
    ExpectSoundAxis(a, activity);
    EXPECT_LE(a.ticks.size(), 9u);
    for (const std::string& t : a.tickTexts) EXPECT_LE(t.size(), 5u) << t;  // 0.95, 1.025: round steps

    const std::vector<double> around0 = {-0.3, 0.2};
    ExpectSoundAxis(MakeValueAxis(around0, 8, '.'), around0);
    const std::vector<double> feed = {254321.5, 604502.4};
    ExpectSoundAxis(MakeValueAxis(feed, 8, '.'), feed);
}

TEST(ChartSeries, ValueAxisOfFlatTinyAndEmptySeries) {
    ExpectSoundAxis(MakeValueAxis({5, 5, 5}, 8, '.'), {5});
    ExpectSoundAxis(MakeValueAxis({0}, 8, '.'), {0});
    // Steps finer than the texts' three decimals would repeat texts.
    const std::vector<double> tiny = {0.10001, 0.10002};
    ExpectSoundAxis(MakeValueAxis(tiny, 8, '.'), tiny);
    const ValueAxis empty = MakeValueAxis({}, 8, '.');
    EXPECT_EQ(empty.min, 0);
    EXPECT_EQ(empty.max, 1);
}

TEST(ChartSeries, LabelStepKeepsTheAxisReadable) {
    EXPECT_EQ(LabelStep(12, 60), 1u);
    EXPECT_EQ(LabelStep(60, 60), 1u);
    EXPECT_EQ(LabelStep(61, 60), 2u);
    EXPECT_EQ(LabelStep(10000, 60), 167u);
    EXPECT_EQ(LabelStep(5, 0), 1u);
}

}  // namespace
}  // namespace rw
