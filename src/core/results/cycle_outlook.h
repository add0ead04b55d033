#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "results/results_file.h"

namespace rw {

// How long the current catalyst cycle still has: straight lines fitted to the
// activity and the accumulated coke of the records since the latest
// regeneration, and where they meet the plant's end-of-cycle limits.

// Ordinary least squares y = intercept + slope * x. Needs at least three
// points with some spread in x (otherwise `valid` is false): two points
// leave no residual to judge the scatter by.
struct LineFit {
    bool valid = false;
    std::size_t n = 0;
    double intercept = 0;
    double slope = 0;
    double meanX = 0;
    double sxx = 0;           // sum of (x - meanX)^2
    double residualSd = 0;    // sqrt(sum of squared residuals / (n - 2))

    double At(double x) const { return intercept + slope * x; }
    // Half width of the prediction band for one new observation at x.
    double PredictionHalfWidth(double x, double t) const;
};
LineFit FitLine(const std::vector<double>& x, const std::vector<double>& y);

// Student's t quantile for `degrees` degrees of freedom at one-sided level
// 0.95 (the two-sided 90 % band) or 0.995; tabulated to 30 degrees,
// interpolated in 1/degrees above. degrees < 1 counts as 1.
double StudentT95(int degrees);
double StudentT995(int degrees);

// Where a fitted line meets a limit, with the 90 % band: the x between which
// a new observation reaches the limit (the inverse of the prediction band).
enum class CrossingState {
    Forecast,       // x, early and late are set
    TooFewRecords,  // fewer than three usable records
    NoSpread,       // three or more, but all at the same x (no processed feed recorded)
    WrongTrend,     // the line does not go towards the limit
    LimitReached,   // the latest record is already at or past the limit (however few the
                    // records), or the line is past it
    BandTooWide,    // the band is open or wider than the history it rests on
};
struct Crossing {
    CrossingState state = CrossingState::TooFewRecords;
    double x = 0;      // where the fitted line reaches the limit
    double early = 0;  // band, early end
    double late = 0;   // band, late end
};
// `falling`: the parameter is expected to fall towards the limit (activity),
// else to rise (coke). `lastX`, `lastY`: the latest record. `historySpan`:
// the x range of the records fitted.
Crossing CrossLimit(const LineFit& fit, double limit, bool falling, double lastX, double lastY, double historySpan);

// One parameter of the cycle against processed feed and against days.
struct ParameterOutlook {
    double limit = 0;
    bool falling = true;
    LineFit vsFeed;
    LineFit vsDays;
    Crossing feed;  // in tonnes of processed feed
    Crossing date;  // in date values (days since 30.12.1899)
    double lastFeed = 0;
    double lastDate = 0;
    // Index into the cycle of the record that reached the limit: the first
    // of the records at or past it up to the latest fitted one; the latest
    // one when only the line through them is past it. Unset while the limit
    // is ahead.
    std::optional<std::size_t> reachedBy;
};

struct OutlookLimits {
    double activity = 0.85;  // end-of-cycle activity
    double coke = 10.0;      // accumulated coke limit, % by mass
};

struct CycleOutlook {
    std::vector<ResultsRecord> cycle;       // records of the current cycle, in date order
    double regenerationDate = 0;            // 0 when unknown
    std::optional<std::size_t> setAside;    // index into `cycle` of the record left out of the fits
    double setAsideDistance = 0;            // its activity's distance from the line through the others
    double setAsideScatter = 0;             // the others' residual scatter
    OutlookLimits limits;
    ParameterOutlook activity;
    ParameterOutlook coke;

    // The earlier of the two forecast dates (activity, coke), if any and if
    // neither limit is reached: a forecast of one limit says nothing once
    // the other is behind.
    std::optional<double> EndOfCycle() const;
    // The record (index into `cycle`) at which the cycle reached a limit,
    // the earlier one when both are reached.
    std::optional<std::size_t> LimitReachedBy() const;
    // How the cycle ends, in words: "предел достигнут " + the reaching
    // record's date, the forecast date, or `noForecast`.
    std::string EndOfCycleText(const std::string& noForecast) const;
    // Why the record was set aside, in words ("" when none was).
    std::string SetAsideReason(char decimalSeparator) const;
};

// The records of the current cycle: those after the latest regeneration. A
// regeneration shows in a history as processed feed that falls from one
// record to the next (the counter starts again; feed that stays the same,
// as at a plant that does not record it, is no regeneration), and, when known, as the regeneration date of the latest conditions
// file: records sampled before it belong to an earlier cycle.
std::vector<ResultsRecord> CurrentCycle(const std::vector<ResultsRecord>& history, double regenerationDate);

// The whole outlook of a history (date order, as a results index holds it).
// With four or more records one record may be set aside: the one whose
// activity lies farthest from the line through the others, when that
// distance exceeds the others' scatter beyond the 99 % level of Student's t.
CycleOutlook ComputeCycleOutlook(const std::vector<ResultsRecord>& history, const OutlookLimits& limits,
                                 double regenerationDate = 0);

// What the outlook chart draws for one parameter against feed or days, in
// the units of the fits (tonnes, date values): the records fitted, the one
// set aside, the fitted line and the edges of the 90 % band from the first
// record to the end of the band (or the latest record when there is no
// forecast), the limit, and the forecast when there is one.
struct OutlookChart {
    struct Point {
        double x = 0, y = 0;
    };
    std::vector<Point> records;
    std::optional<Point> setAside;
    std::vector<Point> line, bandLow, bandHigh;
    double limit = 0;
    std::optional<double> forecastX;
    double xMin = 0, xMax = 0;  // the range the chart shows
    std::string words;          // why there is no forecast, "" when there is one
};
OutlookChart BuildOutlookChart(const CycleOutlook& outlook, bool coke, bool byDays);

// The figures of an outlook as lines of text (UTF-8), the same for the
// window and the command line; numbers with `decimalSeparator`.
std::vector<std::string> OutlookLines(const CycleOutlook& outlook, char decimalSeparator);
// The words for a crossing that is no forecast ("" for a forecast).
std::string CrossingWords(const Crossing& crossing, bool falling);

}  // namespace rw
