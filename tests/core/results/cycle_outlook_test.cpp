// The cycle outlook: the fit and band against a case worked by hand, a known
// decline recovered with and without a bad record, the cases that give words
// instead of a forecast, the limits file and the fleet order.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "results/cycle_outlook.h"
#include "results/fleet.h"
#include "results/results_index.h"
#include "shell/plant_table.h"
#include "test_support.h"

namespace rw {
namespace {

constexpr double kStart = 39814;  // 01.01.2009

ResultsRecord Record(double day, double feed, double activity, double coke) {
    ResultsRecord r;
    r.sampleDate = kStart + day;
    r.sampleDateText.SetText(FormatDateLong(r.sampleDate, '.'));
    r.processedFeed = feed;
    r.activity = activity;
    r.coke = r.accumulatedCoke = coke;
    return r;
}

// activity = 1.10 - 0.0001 a day, coke = 1.0 + 0.01 a day, 1500 t a day:
// the limits 0.85 and 10 are reached on day 2500 and day 900.
std::vector<ResultsRecord> KnownDecline() {
    std::vector<ResultsRecord> h;
    for (int day = 0; day <= 330; day += 30) h.push_back(Record(day, 1500.0 * day + 1.0, 1.10 - 0.0001 * day, 1.0 + 0.01 * day));
    return h;
}

// Worked by hand: x = 1000..5000 t, y = 1.00 0.98 0.97 0.93 0.92.
// mean x 3000, mean y 0.96, Sxx 1e7, Sxy -210: slope -2.1e-5, intercept
// 1.023; residuals -0.002 -0.001 0.010 -0.009 0.002, SSE 1.9e-4, s =
// sqrt(1.9e-4 / 3) = 0.0079582; t(3 df, 0.95) = 2.3534. The line meets 0.85
// at 0.173 / 2.1e-5 = 8238.1 t; the band edges meet it at 6790.0 and
// 10591.5 t (the roots of (b^2 - t^2 s^2 / Sxx) u^2 - 2 b g u + g^2 -
// t^2 s^2 (1 + 1/n) = 0 with g = 0.85 - 0.96, also found by bisection).
TEST(CycleOutlook, FitAndBandMatchACaseWorkedByHand) {
    const LineFit fit = FitLine({1000, 2000, 3000, 4000, 5000}, {1.00, 0.98, 0.97, 0.93, 0.92});
    ASSERT_TRUE(fit.valid);
    EXPECT_NEAR(fit.slope, -2.1e-5, 1e-12);
    EXPECT_NEAR(fit.intercept, 1.023, 1e-9);
    EXPECT_NEAR(fit.residualSd, 0.0079582, 1e-7);
    EXPECT_NEAR(fit.PredictionHalfWidth(3000, 2.3534), 2.3534 * 0.0079582 * std::sqrt(1.2), 1e-6);

    const Crossing c = CrossLimit(fit, 0.85, true, 5000, 0.92, 4000);
    ASSERT_EQ(c.state, CrossingState::Forecast);
    EXPECT_NEAR(c.x, 8238.1, 0.1);
    EXPECT_NEAR(c.early, 6790.0, 0.1);
    EXPECT_NEAR(c.late, 10591.5, 0.1);
    // The band's edges are where a new observation's 90 % limits touch 0.85.
    EXPECT_NEAR(fit.At(c.early) - fit.PredictionHalfWidth(c.early, 2.3534), 0.85, 1e-9);
    EXPECT_NEAR(fit.At(c.late) + fit.PredictionHalfWidth(c.late, 2.3534), 0.85, 1e-9);
    // Narrow history: the same band is wider than 3000 t of history; one
    // exactly as wide as the history still gives the forecast.
    EXPECT_EQ(CrossLimit(fit, 0.85, true, 5000, 0.92, 3000).state, CrossingState::BandTooWide);
    EXPECT_EQ(CrossLimit(fit, 0.85, true, 5000, 0.92, c.late - c.early).state, CrossingState::Forecast);

    // The other states at their bounds.
    const LineFit rising = FitLine({1000, 2000, 3000, 4000, 5000}, {0.92, 0.93, 0.97, 0.98, 1.00});
    const LineFit level = FitLine({1000, 2000, 3000, 4000, 5000}, {1.0, 0.0, 0.0, 0.0, 1.0});
    ASSERT_EQ(level.slope, 0.0);
    struct Case {
        const char* what;
        const LineFit& fit;
        double limit;
        bool falling;
        double lastY;
        CrossingState state;
    };
    const Case cases[] = {
        {"latest record exactly at the limit", fit, 0.92, true, 0.92, CrossingState::LimitReached},
        {"coke exactly at the limit", rising, 1.00, false, 1.00, CrossingState::LimitReached},
        // The line meets 0.93 at 4428.6 t, before the latest record, which
        // itself lies above it.
        {"line past the limit before the latest record", fit, 0.93, true, 0.94, CrossingState::LimitReached},
        {"activity that rises", rising, 0.85, true, 1.00, CrossingState::WrongTrend},
        {"coke that falls", fit, 1.2, false, 0.92, CrossingState::WrongTrend},
        {"level activity", level, 0.2, true, 1.0, CrossingState::WrongTrend},
        {"level coke", level, 2.0, false, 1.0, CrossingState::WrongTrend},
    };
    for (const Case& c : cases) EXPECT_EQ(CrossLimit(c.fit, c.limit, c.falling, 5000, c.lastY, 4000).state, c.state) << c.what;
}

// The p quantile of Student's t distribution, found by integrating its
// density from 0 (Simpson's rule, panel by panel) until the distribution
// function reaches p: an independent route to the tabulated values.
double StudentQuantile(double p, double degrees) {
    const double norm = std::exp(std::lgamma((degrees + 1) / 2) - std::lgamma(degrees / 2)) / std::sqrt(degrees * M_PI);
    const auto density = [&](double x) { return norm * std::pow(1 + x * x / degrees, -(degrees + 1) / 2); };
    const double h = 0.001;
    double cdf = 0.5;
    for (double x = 0;; x += h) {
        const double panel = h / 6 * (density(x) + 4 * density(x + h / 2) + density(x + h));
        if (cdf + panel >= p) return x + h * (p - cdf) / panel;
        cdf += panel;
    }
}

// Every tabulated quantile against the distribution itself, to the half
// unit of its last printed decimal.
TEST(CycleOutlook, StudentQuantilesMatchTheDistribution) {
    for (int degrees = 1; degrees <= 30; ++degrees) {
        EXPECT_NEAR(StudentT95(degrees), StudentQuantile(0.95, degrees), 0.0000505) << degrees;
        EXPECT_NEAR(StudentT995(degrees), StudentQuantile(0.995, degrees), 0.000505) << degrees;
    }
    for (const int degrees : {40, 60, 120}) {
        EXPECT_NEAR(StudentT95(degrees), StudentQuantile(0.95, degrees), 0.0000505) << degrees;
        EXPECT_NEAR(StudentT995(degrees), StudentQuantile(0.995, degrees), 0.000505) << degrees;
    }
    // The normal limit: 1.6449 and 2.576 (2.5758).
    EXPECT_NEAR(StudentT95(1000000000), 1.6449, 0.00006);
    EXPECT_NEAR(StudentT995(1000000000), 2.5758, 0.0006);
}

TEST(CycleOutlook, StudentQuantilesBetweenTabulatedDegrees) {
    EXPECT_NEAR(StudentT95(45), 1.6794, 0.0005);   // tables: 1.6794
    EXPECT_NEAR(StudentT995(50), 2.678, 0.002);    // tables: 2.678
    EXPECT_NEAR(StudentT95(100000), 1.6449, 0.0005);
    EXPECT_EQ(StudentT95(0), StudentT95(1));
}

TEST(CycleOutlook, RecoversAKnownLinearDecline) {
    const CycleOutlook o = ComputeCycleOutlook(KnownDecline(), {0.85, 10.0});
    EXPECT_FALSE(o.setAside);
    ASSERT_EQ(o.activity.date.state, CrossingState::Forecast);
    EXPECT_NEAR(o.activity.date.x, kStart + 2500, 1e-6);
    // No scatter, no band (but for the rounding of the doubles).
    EXPECT_NEAR(o.activity.date.early, kStart + 2500, 1e-3);
    EXPECT_NEAR(o.activity.date.late, kStart + 2500, 1e-3);
    ASSERT_EQ(o.activity.feed.state, CrossingState::Forecast);
    EXPECT_NEAR(o.activity.feed.x, 1500.0 * 2500 + 1.0, 1e-3);
    ASSERT_EQ(o.coke.date.state, CrossingState::Forecast);
    EXPECT_NEAR(o.coke.date.x, kStart + 900, 1e-6);
    EXPECT_NEAR(*o.EndOfCycle(), kStart + 900, 1e-6);
}

TEST(CycleOutlook, SetsASingleBadRecordAsideAndSaysWhy) {
    std::vector<ResultsRecord> h = KnownDecline();
    h[7].activity += 0.06;
    const CycleOutlook o = ComputeCycleOutlook(h, {0.85, 10.0});
    ASSERT_TRUE(o.setAside);
    EXPECT_EQ(*o.setAside, 7u);
    EXPECT_NEAR(o.activity.date.x, kStart + 2500, 1e-6);
    EXPECT_EQ(o.SetAsideReason(','), "Отложена запись " + h[7].sampleDateText.Text() +
                                         ": активность 1,14 отстоит от прямой по остальным записям на 0,060 при "
                                         "их разбросе 0,0000");

    // The first record may be the bad one too.
    std::vector<ResultsRecord> badFirst = KnownDecline();
    badFirst.front().activity -= 0.06;
    const std::optional<std::size_t> first = ComputeCycleOutlook(badFirst, {0.85, 10.0}).setAside;
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, 0u);

    // A bad latest record: the fits rest on the one before it.
    std::vector<ResultsRecord> badLatest = KnownDecline();
    badLatest.back().activity -= 0.06;
    const CycleOutlook latest = ComputeCycleOutlook(badLatest, {0.85, 10.0});
    ASSERT_TRUE(latest.setAside);
    EXPECT_EQ(*latest.setAside, 11u);
    EXPECT_EQ(latest.activity.lastDate, kStart + 300);
    EXPECT_EQ(latest.coke.lastFeed, 1500.0 * 300 + 1.0);
    EXPECT_NEAR(latest.activity.date.x, kStart + 2500, 1e-6);

    // Four records are the fewest of which one may be set aside.
    for (const std::size_t count : {3u, 4u}) {
        std::vector<ResultsRecord> shortCycle(h.begin(), h.begin() + static_cast<std::ptrdiff_t>(count));
        shortCycle[1].activity += 0.06;
        EXPECT_EQ(ComputeCycleOutlook(shortCycle, {0.85, 10.0}).setAside.has_value(), count == 4u) << count;
    }

    // The others on an exact line: a record off it by a rounding hair is no
    // bad record, one off by a visible distance is.
    for (const double off : {1e-10, 0.01}) {
        std::vector<ResultsRecord> exact;
        for (int i = 0; i < 5; ++i) exact.push_back(Record(30 * i, i, 1.0 - 0.125 * i, 1.0 + 0.5 * i));
        exact[2].activity += off;
        const CycleOutlook o = ComputeCycleOutlook(exact, {0.85, 10.0});
        EXPECT_EQ(o.setAside.has_value(), off > 1e-9) << off;
    }

    // Near the 99 % level of Student's t for 9 degrees (3.250): on a noisy
    // decline, a record whose deleted residual is 3.294 is set aside, one at
    // 3.202 is not (both worked outside the program).
    for (const auto& [bump, aside] : {std::pair{0.013, true}, std::pair{0.0127, false}}) {
        std::vector<ResultsRecord> near = KnownDecline();
        for (std::size_t i = 0; i < near.size(); ++i) near[i].activity += (i % 3 == 0 ? 0.004 : -0.002);
        near[5].activity += bump;
        const CycleOutlook o = ComputeCycleOutlook(near, {0.85, 10.0});
        EXPECT_EQ(o.setAside.has_value(), aside) << bump;
        if (aside && o.setAside) {
            EXPECT_EQ(*o.setAside, 5u);
        }
    }

    // Three records at one processed feed and one beyond it: without the
    // last, the others have no spread, which makes it no bad record.
    const std::vector<ResultsRecord> oneFeed = {Record(0, 1000, 1.00, 1.0), Record(30, 1000, 0.99, 1.1),
                                                Record(60, 1000, 1.01, 1.2), Record(90, 5000, 0.95, 1.3)};
    EXPECT_FALSE(ComputeCycleOutlook(oneFeed, {0.85, 10.0}).setAside);

    // Measured scatter alone sets nothing aside.
    std::vector<ResultsRecord> noisy = KnownDecline();
    for (std::size_t i = 0; i < noisy.size(); ++i) noisy[i].activity += (i % 3 == 0 ? 0.004 : -0.002);
    EXPECT_FALSE(ComputeCycleOutlook(noisy, {0.85, 10.0}).setAside);
}

// The figures as the window and the command line show them.
TEST(CycleOutlook, LinesOfTheOutlook) {
    std::vector<ResultsRecord> h = KnownDecline();
    h[7].activity += 0.06;
    const CycleOutlook o = ComputeCycleOutlook(h, {0.85, 10.0}, kStart - 10);
    // Limits on days 2500 and 900 (06.11.2015, 20.06.2011); the band has no
    // width, its early end lies a rounding hair before the day.
    const std::vector<std::string> expected = {
        "Цикл с регенерации 22.12.2008: записей 12, с 01.01.2009 по 27.11.2009",
        "Последняя запись 27.11.2009: активность 1,07, кокс 4,30 %, переработано 495001 т, суток после регенерации 340",
        "Отложена запись 30.07.2009: активность 1,14 отстоит от прямой по остальным записям на 0,060 при их "
        "разбросе 0,0000",
        "Активность (предел 0,85):",
        "  по сырью: наклон -0,0067 на 100 тыс. т, разброс 0,0000; предел при 3750001 т (90 %: 3750001 – 3750001), "
        "осталось 3255000 т",
        "  по дням: наклон -0,0030 за 30 сут., разброс 0,0000; предел 06.11.2015 (90 %: 05.11.2015 – 06.11.2015), "
        "осталось 2170 сут.",
        "Кокс (предел 10,00 %):",
        "  по сырью: наклон 0,6667 на 100 тыс. т, разброс 0,0000; предел при 1350001 т (90 %: 1350001 – 1350001), "
        "осталось 855000 т",
        "  по дням: наклон 0,3000 за 30 сут., разброс 0,0000; предел 20.06.2011 (90 %: 19.06.2011 – 20.06.2011), "
        "осталось 570 сут.",
        "Конец цикла: 20.06.2011",
    };
    EXPECT_EQ(OutlookLines(o, ','), expected);
    const std::vector<std::string> noRegeneration = OutlookLines(ComputeCycleOutlook(h, {0.85, 10.0}), '.');
    EXPECT_EQ(noRegeneration.at(0), "Текущий цикл: записей 12, с 01.01.2009 по 27.11.2009");
    EXPECT_EQ(noRegeneration.at(1), "Последняя запись 27.11.2009: активность 1.07, кокс 4.30 %, переработано 495001 т");
    EXPECT_EQ(OutlookLines(ComputeCycleOutlook({}, {0.85, 10.0}), ','),
              std::vector<std::string>{"В истории установки нет записей"});
}

TEST(CycleOutlook, ChartRunsTheLineAndBandToTheForecast) {
    std::vector<ResultsRecord> h = KnownDecline();
    h[3].activity -= 0.05;
    const CycleOutlook o = ComputeCycleOutlook(h, {0.85, 10.0});
    const OutlookChart byDays = BuildOutlookChart(o, true, true);
    EXPECT_EQ(byDays.records.size(), 11u);
    ASSERT_TRUE(byDays.setAside);
    EXPECT_EQ(byDays.setAside->x, kStart + 90);
    EXPECT_NEAR(byDays.setAside->y, 1.9, 1e-9);  // the coke of the record set aside
    EXPECT_EQ(byDays.limit, 10.0);
    ASSERT_TRUE(byDays.forecastX);
    EXPECT_NEAR(*byDays.forecastX, kStart + 900, 1e-6);
    EXPECT_EQ(byDays.xMin, kStart);
    EXPECT_NEAR(byDays.xMax, kStart + 900, 1e-4);
    ASSERT_EQ(byDays.line.size(), 2u);
    EXPECT_NEAR(byDays.line.back().y, 10.0, 1e-6);
    EXPECT_EQ(byDays.bandLow.size(), byDays.bandHigh.size());

    // No forecast: the chart stays on the history and says why.
    const OutlookChart passed = BuildOutlookChart(ComputeCycleOutlook(h, {0.85, 0.5}), true, false);
    EXPECT_FALSE(passed.forecastX);
    EXPECT_EQ(passed.words, "предел уже достигнут");
    EXPECT_NEAR(passed.xMax, 1500.0 * 330 + 1.0, 1e-6);
}

TEST(CycleOutlook, WordsInsteadOfAForecast) {
    std::vector<ResultsRecord> two = {Record(0, 1000, 1.0, 1.0), Record(30, 2000, 0.99, 1.2)};
    std::vector<ResultsRecord> rising = KnownDecline();
    for (auto& r : rising) r.activity = 2.0 - r.activity;
    std::vector<ResultsRecord> flat = KnownDecline();
    // A slight fall under a scatter of 0.03 that does not lean either way.
    for (std::size_t i = 0; i < flat.size(); ++i) flat[i].activity = 0.95 - 0.0005 * i + (i % 4 == 0 || i % 4 == 3 ? 0.03 : -0.03);
    struct Case {
        const char* name;
        std::vector<ResultsRecord> history;
        double limit;
        CrossingState state;
        std::string words;
    };
    std::vector<ResultsRecord> noFeed = KnownDecline();
    for (auto& r : noFeed) r.processedFeed = 0;
    const std::vector<ResultsRecord> decline = KnownDecline();
    const std::vector<ResultsRecord> three(decline.begin(), decline.begin() + 3);
    const std::vector<Case> cases = {
        {"no records", {}, 0.85, CrossingState::TooFewRecords, "прогноза нет: в цикле меньше трёх записей"},
        {"two records", two, 0.85, CrossingState::TooFewRecords, "прогноза нет: в цикле меньше трёх записей"},
        {"three records", three, 0.85, CrossingState::Forecast, ""},
        {"rising", rising, 0.85, CrossingState::WrongTrend, "прогноза нет: активность не снижается"},
        {"scatter", flat, 0.85, CrossingState::BandTooWide, "прогноза нет: 90 % полоса шире истории цикла"},
        {"passed", KnownDecline(), 1.08, CrossingState::LimitReached, "предел уже достигнут"},
        // Below the limit is reached, whatever the records say of a trend.
        {"two records, the latest at the limit", two, 0.99, CrossingState::LimitReached, "предел уже достигнут"},
        {"two records, just above the limit", two, 0.989, CrossingState::TooFewRecords,
         "прогноза нет: в цикле меньше трёх записей"},
        {"rising, the latest below the limit", rising, 1.0, CrossingState::LimitReached, "предел уже достигнут"},
    };
    for (const Case& c : cases) {
        const CycleOutlook o = ComputeCycleOutlook(c.history, {c.limit, 10.0});
        EXPECT_EQ(o.activity.date.state, c.state) << c.name;
        EXPECT_EQ(CrossingWords(o.activity.date, true), c.words) << c.name;
    }
    // Three records at one processed feed have no spread; two are too few.
    const std::vector<ResultsRecord> threeNoFeed(noFeed.begin(), noFeed.begin() + 3);
    EXPECT_EQ(ComputeCycleOutlook(threeNoFeed, {0.85, 10.0}).activity.feed.state, CrossingState::NoSpread);
    EXPECT_EQ(ComputeCycleOutlook({noFeed[0], noFeed[1]}, {0.85, 10.0}).activity.feed.state,
              CrossingState::TooFewRecords);
    // A plant that records no processed feed: one cycle, a forecast by days only.
    const CycleOutlook o = ComputeCycleOutlook(noFeed, {0.85, 10.0});
    EXPECT_EQ(o.cycle.size(), 12u);
    EXPECT_EQ(CrossingWords(o.activity.feed, true), "прогноза нет: переработанное сырьё не растёт");
    EXPECT_EQ(o.activity.date.state, CrossingState::Forecast);
}

// Day 0, 30, ... with 1000 t a day; coke 1, 2, 3, ...
std::vector<ResultsRecord> Cycle(const std::vector<double>& activities) {
    std::vector<ResultsRecord> h;
    for (std::size_t i = 0; i < activities.size(); ++i) {
        const double day = 30.0 * static_cast<double>(i);
        h.push_back(Record(day, 1000.0 * day + 1000.0, activities[i], 1.0 + static_cast<double>(i)));
    }
    return h;
}

TEST(CycleOutlook, EndOfCycleSaysWhenALimitWasReached) {
    const std::vector<ResultsRecord> h = Cycle({1.00, 0.97, 0.94, 0.91, 0.88});
    struct Case {
        const char* name;
        OutlookLimits limits;
        std::optional<std::size_t> activityBy, cokeBy;
        std::string end;  // "" for a forecast date
    };
    const std::string day90 = FormatDateLong(kStart + 90, '.'), day60 = FormatDateLong(kStart + 60, '.');
    const std::string day120 = FormatDateLong(kStart + 120, '.');
    const std::vector<Case> cases = {
        {"ahead", {0.80, 10.0}, {}, {}, ""},
        {"activity just above its limit", {0.879, 10.0}, {}, {}, ""},
        {"activity at its limit", {0.88, 10.0}, 4u, {}, "предел достигнут " + day120},
        {"activity just past its limit", {0.881, 10.0}, 4u, {}, "предел достигнут " + day120},
        {"activity past it since an earlier record", {0.91, 10.0}, 3u, {}, "предел достигнут " + day90},
        {"coke at its limit, activity ahead", {0.80, 3.0}, {}, 2u, "предел достигнут " + day60},
        {"coke just below its limit", {0.80, 5.001}, {}, {}, ""},
        {"both, the earlier record counts", {0.91, 3.0}, 3u, 2u, "предел достигнут " + day60},
        {"both, activity first", {0.97, 5.0}, 1u, 4u, "предел достигнут " + FormatDateLong(kStart + 30, '.')},
    };
    for (const Case& c : cases) {
        const CycleOutlook o = ComputeCycleOutlook(h, c.limits);
        ASSERT_FALSE(o.setAside) << c.name;
        EXPECT_EQ(o.activity.reachedBy, c.activityBy) << c.name;
        EXPECT_EQ(o.coke.reachedBy, c.cokeBy) << c.name;
        if (c.end.empty()) {
            ASSERT_TRUE(o.EndOfCycle()) << c.name;
            EXPECT_EQ(o.EndOfCycleText("-"), FormatDateLong(*o.EndOfCycle(), '.')) << c.name;
        } else {
            // A forecast of the other limit is no end of a cycle that is over.
            EXPECT_FALSE(o.EndOfCycle()) << c.name;
            EXPECT_EQ(o.EndOfCycleText("-"), c.end) << c.name;
            EXPECT_EQ(OutlookLines(o, '.').back(), "Конец цикла: " + c.end) << c.name;
        }
    }
    // Only the line is past the limit: the latest record stands for the cycle.
    // (The line through these is at 0.801 on day 120.)
    const CycleOutlook line = ComputeCycleOutlook(Cycle({1.00, 0.95, 0.88, 0.84, 0.815}), {0.81, 10.0});
    ASSERT_FALSE(line.setAside);
    ASSERT_EQ(line.activity.date.state, CrossingState::LimitReached);
    EXPECT_EQ(line.activity.reachedBy, 4u);
    EXPECT_EQ(line.EndOfCycleText("-"), "предел достигнут " + day120);
    // Nothing to fit, but the one record is past the limit.
    EXPECT_EQ(ComputeCycleOutlook(Cycle({0.84}), {0.85, 10.0}).EndOfCycleText("-"),
              "предел достигнут " + FormatDateLong(kStart, '.'));
    EXPECT_EQ(ComputeCycleOutlook(Cycle({0.86}), {0.85, 10.0}).EndOfCycleText("-"), "-");
}

TEST(CycleOutlook, CurrentCycleStartsAfterTheLatestRegeneration) {
    std::vector<ResultsRecord> h = KnownDecline();
    // A regeneration after day 150: the feed counter starts again.
    for (std::size_t i = 6; i < h.size(); ++i) h[i].processedFeed -= 1500.0 * 170;
    EXPECT_EQ(CurrentCycle(h, 0).front().sampleDate, kStart + 180);
    EXPECT_EQ(CurrentCycle(h, kStart + 200).front().sampleDate, kStart + 210);
    // A record sampled on the regeneration day is the new cycle's first.
    EXPECT_EQ(CurrentCycle(h, kStart + 210).front().sampleDate, kStart + 210);
    EXPECT_EQ(CurrentCycle(h, kStart + 211).front().sampleDate, kStart + 240);
    EXPECT_TRUE(CurrentCycle(h, kStart + 331).empty());
    EXPECT_TRUE(CurrentCycle({}, kStart).empty());
    EXPECT_EQ(CurrentCycle(KnownDecline(), 0).size(), 12u);
}

// The conditions file of a sampling date, as the form saves it, with the
// regeneration date text on its line 13.
std::string ConditionsText(double samplingDate, const std::string& regeneration) {
    std::string dan = "  1.00  1.00  1.00\r\n  1.00\r\n 29.00 28.00 27.00 26.00\r\n  0.01\r\n";
    dan += "490.00 490.00 490.00 490.00\r\n 60.00 30.00 15.00  5.00\r\n80.0 5.0 4.0 3.0 1.0 1.0 0.5 0.5 0.3\r\n";
    for (int line = 8; line <= 11; ++line) dan += "  1.00\r\n";
    return dan + FormatDateShort(samplingDate, '.') + "\r\n" + regeneration + "\r\n";
}

TEST(CycleOutlook, RegenerationDateOnOrBeforeTheSamplingDay) {
    const ResultsRecord record = Record(330, 1000, 1.0, 1.0);  // 27.11.2009
    const std::string name = FormatDateShort(record.sampleDate, '-');
    const std::vector<std::pair<std::string, double>> cases = {
        {"27.11.09", record.sampleDate},  // regenerated on the sampling day
        {"26.11.09", record.sampleDate - 1},
        {"28.11.09", 0},                  // after the sampling: not this record's
        {"", 0},
        {"2x.11.09", 0},
    };
    for (const auto& [text, expected] : cases) {
        test::TempDir dir;
        dir.Write(name + "/" + name + ".dan", ConditionsText(record.sampleDate, text));
        EXPECT_EQ(RegenerationDateOf(dir.str(), record), expected) << text;
    }
    test::TempDir empty;
    EXPECT_EQ(RegenerationDateOf(empty.str(), record), 0);
}

TEST(CycleOutlook, LimitsFileRoundTripAndDefaults) {
    test::TempDir dir;
    const std::string path = OutlookLimitsPath(dir.str(), 11);
    EXPECT_EQ(path, JoinPath(dir.str(), "prognoz.12"));
    EXPECT_EQ(ReadOutlookLimits(path).activity, 0.85);
    WriteOutlookLimits(path, {0.8, 12.5});
    EXPECT_EQ(dir.Read("prognoz.12"), "0.80 12.50\r\n");
    EXPECT_EQ(ReadOutlookLimits(path).coke, 12.5);
    EXPECT_EQ(ParseOutlookLimits("0,9  7\r\n").activity, 0.9);
    for (const char* bad : {"", "0.9", "abc 7", "-1 7", "0.9 0"}) {
        EXPECT_EQ(ParseOutlookLimits(bad).coke, 10.0) << bad;
    }
    EXPECT_THROW(WriteOutlookLimits(path, {0, 5}), UserError);
    EXPECT_EQ(ParseLimitText(" 0,82 "), 0.82);
    EXPECT_EQ(test::UserErrorOf([] { ParseLimitText("0.8x"); }), "Предел должен быть положительным числом");
    // The window names the limit the text was typed for, at zero as well.
    EXPECT_EQ(test::UserErrorOf([] { ParseLimitText("0", "Активность в конце цикла"); }),
              "Предел «Активность в конце цикла»: «0» — должно быть положительное число");
}

TEST(CycleOutlook, FleetSortsByForecastAndReadsTheRegenerationDate) {
    test::TempDir dir;
    std::vector<ResultsRecord> soon = KnownDecline(), late = KnownDecline(), none = KnownDecline();
    for (auto& r : late) r.accumulatedCoke = 1.0;  // no coke trend: the activity decides, day 2500
    for (auto& r : soon) r.accumulatedCoke = 1.0 + 0.02 * (r.sampleDate - kStart);
    for (auto& r : none) r.activity = 1.0, r.accumulatedCoke = 1.0;
    WriteResultsIndex(JoinPath(dir.str(), "svod.1"), late);
    WriteResultsIndex(JoinPath(dir.str(), "svod.5"), none);
    WriteResultsIndex(JoinPath(dir.str(), "svod.12"), soon);
    WriteResultsIndex(JoinPath(dir.str(), "svod.7"), {});  // an index without records: no row
    // An index numbered past the plant table belongs to no plant.
    WriteResultsIndex(JoinPath(dir.str(), "svod." + std::to_string(kPlantCount + 1)), soon);
    // Plant row 11's latest conditions file names the regeneration.
    const std::string name = FormatDateShort(soon.back().sampleDate, '-');
    std::string dan;
    dan += "  1.00  1.00  1.00\r\n  1.00\r\n";
    dan += " 29.00 28.00 27.00 26.00\r\n  0.01\r\n";
    dan += "490.00 490.00 490.00 490.00\r\n 60.00 30.00 15.00  5.00\r\n";
    dan += "80.0 5.0 4.0 3.0 1.0 1.0 0.5 0.5 0.3\r\n";
    for (int line = 8; line <= 11; ++line) dan += "  1.00\r\n";
    dan += FormatDateShort(soon.back().sampleDate, '.') + "\r\n20.12.08\r\n";
    dir.Write("Hornel/" + name + "/" + name + ".dan", dan);

    EXPECT_EQ(LoadPlantOutlook(dir.str(), 6, {}).outlook.regenerationDate, 0);
    const SummaryGrid grid = FleetGrid(LoadFleet(dir.str()), '.');
    ASSERT_EQ(grid.rowCount, 4);
    EXPECT_EQ(grid.Cell(0, 1), "12");
    EXPECT_EQ(grid.Cell(6, 1), FormatDateLong(kStart + 450, '.'));
    EXPECT_EQ(grid.Cell(5, 1), "342");  // 27.11.2009 - 20.12.2008
    EXPECT_EQ(grid.Cell(0, 2), "1");
    EXPECT_EQ(grid.Cell(5, 2), "");
    EXPECT_EQ(grid.Cell(0, 3), "5");
    EXPECT_EQ(grid.Cell(6, 3), "нет прогноза");
    EXPECT_EQ(grid.Cell(3, 3), "1.00");

    // A plant at a limit goes before every forecast, the earliest reached
    // first; its coke forecast is no end of its cycle.
    std::vector<ResultsRecord> reached = KnownDecline(), reachedLater = KnownDecline();
    for (auto& r : reached) r.accumulatedCoke = 1.0 + 0.02 * (r.sampleDate - kStart);
    for (auto& r : reachedLater) r.activity += 0.002;
    WriteResultsIndex(JoinPath(dir.str(), "svod.3"), reached);
    WriteOutlookLimits(OutlookLimitsPath(dir.str(), 2), {1.08, 10.0});  // reached on day 210 (1.079)
    WriteResultsIndex(JoinPath(dir.str(), "svod.2"), reachedLater);
    WriteOutlookLimits(OutlookLimitsPath(dir.str(), 1), {1.08, 10.0});  // reached on day 240 (1.078)
    const SummaryGrid withReached = FleetGrid(LoadFleet(dir.str()), '.');
    ASSERT_EQ(withReached.rowCount, 6);
    EXPECT_EQ(withReached.Cell(0, 1), "3");
    EXPECT_EQ(withReached.Cell(6, 1), "предел достигнут " + FormatDateLong(kStart + 210, '.'));
    EXPECT_EQ(withReached.Cell(0, 2), "2");
    EXPECT_EQ(withReached.Cell(6, 2), "предел достигнут " + FormatDateLong(kStart + 240, '.'));
    EXPECT_EQ(withReached.Cell(0, 3), "12");
    EXPECT_EQ(withReached.Cell(0, 5), "5");
}

}  // namespace
}  // namespace rw
