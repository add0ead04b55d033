#include "results/chart_series.h"

#include <algorithm>
#include <cmath>

#include "common/number_format.h"

namespace rw {

ChartSeries BuildParameterSeries(const std::vector<ResultsRecord>& records, int parameter, CokeChoice coke,
                                 char decimalSeparator) {
    ChartSeries series;
    series.values.reserve(records.size());
    series.valueTexts.reserve(records.size());
    series.labels.reserve(records.size());
    for (const ResultsRecord& record : records) {
        const double value = GetPar(record, parameter, coke);
        series.values.push_back(value);
        series.valueTexts.push_back(FormatUpTo3Decimals(value, decimalSeparator));
        series.labels.push_back(record.sampleDateText.Text());
        series.dates.push_back(record.sampleDate);
    }
    return series;
}

ChartSeries BuildSeries(const std::vector<std::string>& labels, const std::vector<double>& values,
                        char decimalSeparator) {
    const std::size_t n = std::min(labels.size(), values.size());
    ChartSeries series;
    series.values.assign(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(n));
    series.labels.assign(labels.begin(), labels.begin() + static_cast<std::ptrdiff_t>(n));
    series.valueTexts.reserve(n);
    for (double v : series.values) series.valueTexts.push_back(FormatUpTo3Decimals(v, decimalSeparator));
    return series;
}

namespace {

// A round step near `rough`: 1, 2, 2.5 or 5 times a power of ten. Ticks
// finer than the three decimals of "#0.###" would be written alike, so the
// step never goes below 0.001.
double NiceStep(double rough) {
    if (!(rough > 0) || !std::isfinite(rough)) return 1;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    const double fraction = rough / power;
    double nice = 10;
    if (fraction <= 1) nice = 1;
    else if (fraction <= 2) nice = 2;
    else if (fraction <= 2.5) nice = 2.5;
    else if (fraction <= 5) nice = 5;
    return std::max(nice * power, 0.001);
}

}  // namespace

ValueAxis MakeValueAxisForRange(double min, double max, int maxTicks, char decimalSeparator) {
    ValueAxis axis;
    if (!std::isfinite(min) || !std::isfinite(max)) return axis;
    if (max < min) std::swap(min, max);
    if (max == min) {
        const double pad = min == 0 ? 1 : std::abs(min) * 0.05;
        min -= pad;
        max += pad;
    }
    axis.min = min;
    axis.max = max;
    const double step = NiceStep((max - min) / std::max(1, maxTicks));
    // Counting steps from an integer keeps 0.1 + 0.2 from drifting away
    // from the tick it should name.
    const double first = std::ceil(min / step - 1e-9);
    for (double i = first;; i += 1) {
        const double tick = i * step + 0.0;  // + 0.0 turns -0 into 0
        if (tick > max + step * 1e-9) break;
        axis.ticks.push_back(tick);
        axis.tickTexts.push_back(FormatUpTo3Decimals(tick, decimalSeparator));
        if (axis.ticks.size() > 1000) break;  // a guard against a degenerate range
    }
    if (axis.ticks.empty()) {
        // A range narrower than the finest step: widen it to the steps
        // around it, so the axis still names a value.
        axis.min = std::floor(min / step) * step + 0.0;
        axis.max = std::max(std::ceil(max / step) * step, axis.min + step) + 0.0;
        axis.ticks = {axis.min, axis.max};
        axis.tickTexts = {FormatUpTo3Decimals(axis.min, decimalSeparator),
                          FormatUpTo3Decimals(axis.max, decimalSeparator)};
    }
    return axis;
}

ValueAxis MakeValueAxis(const std::vector<double>& values, int maxTicks, char decimalSeparator) {
    double lo = 0;
    double hi = 1;
    bool any = false;
    for (double v : values) {
        if (!std::isfinite(v)) continue;
        if (!any) {
            lo = hi = v;
            any = true;
        } else {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    if (!any) return MakeValueAxisForRange(0, 1, maxTicks, decimalSeparator);
    if (hi == lo) {
        const double pad = lo == 0 ? 1 : std::abs(lo) * 0.05;
        lo -= pad;
        hi += pad;
    }
    // The value is written above its point: leave it room under the top.
    const double span = hi - lo;
    return MakeValueAxisForRange(lo - span * 0.08, hi + span * 0.15, maxTicks, decimalSeparator);
}

std::size_t LabelStep(std::size_t pointCount, std::size_t maxLabels) {
    if (maxLabels == 0 || pointCount <= maxLabels) return 1;
    return (pointCount + maxLabels - 1) / maxLabels;
}

}  // namespace rw
