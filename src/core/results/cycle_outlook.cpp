#include "results/cycle_outlook.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "common/dates.h"

namespace rw {
namespace {

// Student's t quantiles, degrees of freedom 1..30, then 40, 60, 120 and the
// normal limit.
constexpr std::array<double, 30> kT95 = {6.3138, 2.9200, 2.3534, 2.1318, 2.0150, 1.9432, 1.8946, 1.8595,
                                         1.8331, 1.8125, 1.7959, 1.7823, 1.7709, 1.7613, 1.7531, 1.7459,
                                         1.7396, 1.7341, 1.7291, 1.7247, 1.7207, 1.7171, 1.7139, 1.7109,
                                         1.7081, 1.7056, 1.7033, 1.7011, 1.6991, 1.6973};
constexpr std::array<double, 4> kT95Tail = {1.6839, 1.6706, 1.6577, 1.6449};
constexpr std::array<double, 30> kT995 = {63.657, 9.925, 5.841, 4.604, 4.032, 3.707, 3.499, 3.355, 3.250, 3.169,
                                          3.106,  3.055, 3.012, 2.977, 2.947, 2.921, 2.898, 2.878, 2.861, 2.845,
                                          2.831,  2.819, 2.807, 2.797, 2.787, 2.779, 2.771, 2.763, 2.756, 2.750};
constexpr std::array<double, 4> kT995Tail = {2.704, 2.660, 2.617, 2.576};

double TQuantile(const std::array<double, 30>& table, const std::array<double, 4>& tail, int degrees) {
    if (degrees <= 30) return table[static_cast<std::size_t>(std::max(degrees, 1) - 1)];
    // Between tabulated degrees the quantile is close to linear in 1/degrees.
    const std::array<double, 5> dof = {30, 40, 60, 120, std::numeric_limits<double>::infinity()};
    const std::array<double, 5> value = {table[29], tail[0], tail[1], tail[2], tail[3]};
    for (std::size_t i = 1; i < dof.size(); ++i) {
        if (degrees <= dof[i]) {
            const double a = 1.0 / dof[i - 1], b = 1.0 / dof[i], u = 1.0 / degrees;
            return value[i] + (value[i - 1] - value[i]) * (u - b) / (a - b);
        }
    }
    return tail[3];
}

std::string Number(double value, int decimals, char separator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text == "-0" || text.rfind("-0.", 0) == 0) {
        if (text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    }
    for (char& c : text) {
        if (c == '.') c = separator;
    }
    return text;
}

std::string Date(double value) { return FormatDateLong(value, '.'); }

// Externally studentised residual of point i: its distance from the line
// through the other points, in units of their prediction scatter.
double DeletedResidual(const std::vector<double>& x, const std::vector<double>& y, std::size_t i, double& distance,
                       double& scatter) {
    std::vector<double> xs, ys;
    for (std::size_t k = 0; k < x.size(); ++k) {
        if (k == i) continue;
        xs.push_back(x[k]);
        ys.push_back(y[k]);
    }
    const LineFit fit = FitLine(xs, ys);
    if (!fit.valid) return 0;
    distance = y[i] - fit.At(x[i]);
    scatter = fit.residualSd;
    const double unit = fit.PredictionHalfWidth(x[i], 1.0);
    if (unit > 0) return distance / unit;
    // The others lie exactly on a line: any visible distance is decisive.
    return std::fabs(distance) > 1e-9 ? std::numeric_limits<double>::infinity() : 0.0;
}

struct Series {
    std::vector<double> feed, days, activity, coke;
};

Series SeriesOf(const std::vector<ResultsRecord>& records, std::optional<std::size_t> skip) {
    Series s;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (skip && *skip == i) continue;
        s.feed.push_back(records[i].processedFeed);
        s.days.push_back(records[i].sampleDate);
        s.activity.push_back(records[i].activity);
        s.coke.push_back(records[i].accumulatedCoke);
    }
    return s;
}

bool AtOrPast(double value, double limit, bool falling) { return falling ? value <= limit : value >= limit; }

// See ParameterOutlook::reachedBy: `last` is the latest record the fits rest
// on, `skip` the record set aside.
std::optional<std::size_t> ReachedBy(const std::vector<ResultsRecord>& cycle, std::optional<std::size_t> skip,
                                     std::size_t last, const ParameterOutlook& p, double ResultsRecord::*value) {
    std::optional<std::size_t> first;
    for (std::size_t i = last + 1; i-- > 0;) {
        if (skip && *skip == i) continue;
        if (!AtOrPast(cycle[i].*value, p.limit, p.falling)) break;
        first = i;
    }
    if (!first && p.date.state == CrossingState::LimitReached) first = last;
    return first;
}

double Span(const std::vector<double>& x) {
    if (x.empty()) return 0;
    const auto [lo, hi] = std::minmax_element(x.begin(), x.end());
    return *hi - *lo;
}

ParameterOutlook Outlook(const Series& s, const std::vector<double>& y, double limit, bool falling,
                         const ResultsRecord& last, double lastY) {
    ParameterOutlook p;
    p.limit = limit;
    p.falling = falling;
    p.lastFeed = last.processedFeed;
    p.lastDate = last.sampleDate;
    p.vsFeed = FitLine(s.feed, y);
    p.vsDays = FitLine(s.days, y);
    p.feed = CrossLimit(p.vsFeed, limit, falling, last.processedFeed, lastY, Span(s.feed));
    p.date = CrossLimit(p.vsDays, limit, falling, last.sampleDate, lastY, Span(s.days));
    return p;
}

std::string SlopeText(const LineFit& fit, double per, const char* unit, char separator) {
    if (!fit.valid) return {};
    return "наклон " + Number(fit.slope * per, 4, separator) + " " + unit + ", разброс " +
           Number(fit.residualSd, 4, separator) + "; ";
}

}  // namespace

double LineFit::PredictionHalfWidth(double x, double t) const {
    if (!valid) return 0;
    const double d = x - meanX;
    return t * residualSd * std::sqrt(1.0 + 1.0 / static_cast<double>(n) + d * d / sxx);
}

LineFit FitLine(const std::vector<double>& x, const std::vector<double>& y) {
    LineFit fit;
    const std::size_t n = std::min(x.size(), y.size());
    fit.n = n;
    if (n < 3) return fit;
    double mx = 0, my = 0;
    for (std::size_t i = 0; i < n; ++i) {
        mx += x[i];
        my += y[i];
    }
    mx /= static_cast<double>(n);
    my /= static_cast<double>(n);
    double sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sxx += (x[i] - mx) * (x[i] - mx);
        sxy += (x[i] - mx) * (y[i] - my);
    }
    // Dates and tonnes are large numbers with small differences: a spread
    // lost in rounding is no spread.
    if (!(sxx > 1e-12 * (mx * mx + 1.0) * static_cast<double>(n))) return fit;
    fit.valid = true;
    fit.meanX = mx;
    fit.sxx = sxx;
    fit.slope = sxy / sxx;
    fit.intercept = my - fit.slope * mx;
    double sse = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = y[i] - fit.At(x[i]);
        sse += r * r;
    }
    fit.residualSd = std::sqrt(sse / static_cast<double>(n - 2));
    return fit;
}

double StudentT95(int degrees) { return TQuantile(kT95, kT95Tail, degrees); }
double StudentT995(int degrees) { return TQuantile(kT995, kT995Tail, degrees); }

Crossing CrossLimit(const LineFit& fit, double limit, bool falling, double lastX, double lastY, double historySpan) {
    Crossing c;
    // A limit the plant has reached is reached whatever the line says, and
    // however few records there are to draw one.
    if (AtOrPast(lastY, limit, falling)) {
        c.state = CrossingState::LimitReached;
        return c;
    }
    if (!fit.valid) {
        if (fit.n >= 3) c.state = CrossingState::NoSpread;
        return c;
    }
    if (falling ? fit.slope >= 0 : fit.slope <= 0) {
        c.state = CrossingState::WrongTrend;
        return c;
    }
    c.x = (limit - fit.intercept) / fit.slope;
    // The band ends where the edges of the prediction band meet the limit:
    // (limit - line(x))^2 = (t s)^2 (1 + 1/n + (x - mean)^2 / Sxx), a
    // quadratic in u = x - mean.
    const double t = StudentT95(static_cast<int>(fit.n) - 2);
    const double k = t * t * fit.residualSd * fit.residualSd;
    const double gap = limit - fit.At(fit.meanX);
    const double a = fit.slope * fit.slope - k / fit.sxx;
    const double b = -2.0 * fit.slope * gap;
    // b^2 - 4 a c, multiplied out so that it is exactly 0 with no scatter (k = 0).
    const double spread = 1.0 + 1.0 / static_cast<double>(fit.n);
    const double disc =
        4.0 * k * (fit.slope * fit.slope * spread + (gap * gap - k * spread) / fit.sxx);
    if (a <= 0 || disc < 0) {
        // The band never closes around the limit: the slope is not told
        // apart from the scatter.
        c.state = CrossingState::BandTooWide;
        return c;
    }
    const double root = std::sqrt(disc);
    c.early = fit.meanX + (-b - root) / (2.0 * a);
    c.late = fit.meanX + (-b + root) / (2.0 * a);
    if (c.early > c.late) std::swap(c.early, c.late);
    if (c.x <= lastX) {
        // The line is past the limit although the latest record is not:
        // the forecast would be a date already gone.
        c.state = CrossingState::LimitReached;
        return c;
    }
    c.state = c.late - c.early > historySpan ? CrossingState::BandTooWide : CrossingState::Forecast;
    return c;
}

std::optional<std::size_t> CycleOutlook::LimitReachedBy() const {
    const std::optional<std::size_t>& a = activity.reachedBy;
    const std::optional<std::size_t>& c = coke.reachedBy;
    if (a && c) return std::min(*a, *c);
    return a ? a : c;
}

std::string CycleOutlook::EndOfCycleText(const std::string& noForecast) const {
    if (const std::optional<std::size_t> reached = LimitReachedBy()) {
        return "предел достигнут " + cycle[*reached].sampleDateText.Text();
    }
    const std::optional<double> end = EndOfCycle();
    return end ? Date(*end) : noForecast;
}

std::optional<double> CycleOutlook::EndOfCycle() const {
    if (LimitReachedBy()) return std::nullopt;
    std::optional<double> end;
    for (const Crossing* c : {&activity.date, &coke.date}) {
        if (c->state == CrossingState::Forecast && (!end || c->x < *end)) end = c->x;
    }
    return end;
}

std::string CycleOutlook::SetAsideReason(char sep) const {
    if (!setAside) return {};
    const ResultsRecord& r = cycle[*setAside];
    return "Отложена запись " + r.sampleDateText.Text() + ": активность " + Number(r.activity, 2, sep) +
           " отстоит от прямой по остальным записям на " + Number(setAsideDistance, 3, sep) +
           " при их разбросе " + Number(setAsideScatter, 4, sep);
}

std::vector<ResultsRecord> CurrentCycle(const std::vector<ResultsRecord>& history, double regenerationDate) {
    std::size_t first = 0;
    for (std::size_t i = 1; i < history.size(); ++i) {
        if (history[i].processedFeed < history[i - 1].processedFeed) first = i;
    }
    if (regenerationDate > 0) {
        while (first < history.size() && history[first].sampleDate < regenerationDate) ++first;
    }
    return {history.begin() + static_cast<std::ptrdiff_t>(first), history.end()};
}

CycleOutlook ComputeCycleOutlook(const std::vector<ResultsRecord>& history, const OutlookLimits& limits,
                                 double regenerationDate) {
    CycleOutlook o;
    o.cycle = CurrentCycle(history, regenerationDate);
    o.regenerationDate = regenerationDate;
    o.limits = limits;
    o.activity.limit = limits.activity;
    o.coke.limit = limits.coke;
    o.coke.falling = false;
    if (o.cycle.empty()) return o;

    // A single bad analysis or a run fitted to the wrong composition would
    // tilt every line: find the record farthest from the line through the
    // others, judged against the others' scatter.
    const Series all = SeriesOf(o.cycle, std::nullopt);
    const bool byFeed = FitLine(all.feed, all.activity).valid;
    const std::vector<double>& x = byFeed ? all.feed : all.days;
    if (o.cycle.size() >= 4) {
        double worst = 0, worstDistance = 0, worstScatter = 0;
        std::size_t worstIndex = 0;
        for (std::size_t i = 0; i < o.cycle.size(); ++i) {
            double distance = 0, scatter = 0;
            const double r = std::fabs(DeletedResidual(x, all.activity, i, distance, scatter));
            if (r > worst) {
                worst = r;
                worstIndex = i;
                worstDistance = distance;
                worstScatter = scatter;
            }
        }
        if (worst > StudentT995(static_cast<int>(o.cycle.size()) - 3)) {
            o.setAside = worstIndex;
            o.setAsideDistance = std::fabs(worstDistance);
            o.setAsideScatter = worstScatter;
        }
    }
    const Series s = SeriesOf(o.cycle, o.setAside);
    // The latest record the fits rest on stands for "now".
    std::size_t last = o.cycle.size() - 1;
    if (o.setAside && *o.setAside == last && last > 0) --last;
    const ResultsRecord& latest = o.cycle[last];
    o.activity = Outlook(s, s.activity, limits.activity, true, latest, latest.activity);
    o.coke = Outlook(s, s.coke, limits.coke, false, latest, latest.accumulatedCoke);
    o.activity.reachedBy = ReachedBy(o.cycle, o.setAside, last, o.activity, &ResultsRecord::activity);
    o.coke.reachedBy = ReachedBy(o.cycle, o.setAside, last, o.coke, &ResultsRecord::accumulatedCoke);
    return o;
}

OutlookChart BuildOutlookChart(const CycleOutlook& o, bool coke, bool byDays) {
    OutlookChart chart;
    const ParameterOutlook& p = coke ? o.coke : o.activity;
    const LineFit& fit = byDays ? p.vsDays : p.vsFeed;
    const Crossing& crossing = byDays ? p.date : p.feed;
    chart.limit = p.limit;
    chart.words = CrossingWords(crossing, p.falling);
    if (o.cycle.empty()) return chart;
    for (std::size_t i = 0; i < o.cycle.size(); ++i) {
        const ResultsRecord& r = o.cycle[i];
        const OutlookChart::Point point{byDays ? r.sampleDate : r.processedFeed, coke ? r.accumulatedCoke : r.activity};
        if (o.setAside && *o.setAside == i) {
            chart.setAside = point;
        } else {
            chart.records.push_back(point);
        }
    }
    chart.xMin = chart.xMax = chart.records.empty() ? chart.setAside->x : chart.records.front().x;
    for (const OutlookChart::Point& point : chart.records) {
        chart.xMin = std::min(chart.xMin, point.x);
        chart.xMax = std::max(chart.xMax, point.x);
    }
    if (crossing.state == CrossingState::Forecast) {
        chart.forecastX = crossing.x;
        chart.xMax = std::max({chart.xMax, crossing.late, crossing.x});
    }
    if (!fit.valid) return chart;
    // The band is curved: enough points that it looks so.
    constexpr int kSteps = 48;
    const double t = StudentT95(static_cast<int>(fit.n) - 2);
    for (int k = 0; k <= kSteps; ++k) {
        const double x = chart.xMin + (chart.xMax - chart.xMin) * k / kSteps;
        const double half = fit.PredictionHalfWidth(x, t);
        if (k == 0 || k == kSteps) chart.line.push_back({x, fit.At(x)});
        chart.bandLow.push_back({x, fit.At(x) - half});
        chart.bandHigh.push_back({x, fit.At(x) + half});
    }
    return chart;
}

std::string CrossingWords(const Crossing& crossing, bool falling) {
    switch (crossing.state) {
        case CrossingState::Forecast: return {};
        case CrossingState::TooFewRecords: return "прогноза нет: в цикле меньше трёх записей";
        case CrossingState::NoSpread: return "прогноза нет: переработанное сырьё не растёт";
        case CrossingState::WrongTrend:
            return falling ? "прогноза нет: активность не снижается" : "прогноза нет: кокс не растёт";
        case CrossingState::LimitReached: return "предел уже достигнут";
        case CrossingState::BandTooWide: return "прогноза нет: 90 % полоса шире истории цикла";
    }
    return {};
}

std::vector<std::string> OutlookLines(const CycleOutlook& o, char sep) {
    std::vector<std::string> lines;
    if (o.cycle.empty()) {
        lines.push_back("В истории установки нет записей");
        return lines;
    }
    const ResultsRecord& first = o.cycle.front();
    const ResultsRecord& last = o.cycle.back();
    std::string cycle = o.regenerationDate > 0 ? "Цикл с регенерации " + Date(o.regenerationDate) : "Текущий цикл";
    lines.push_back(cycle + ": записей " + std::to_string(o.cycle.size()) + ", с " + first.sampleDateText.Text() +
                    " по " + last.sampleDateText.Text());
    std::string latest = "Последняя запись " + last.sampleDateText.Text() + ": активность " +
                         Number(last.activity, 2, sep) + ", кокс " + Number(last.accumulatedCoke, 2, sep) +
                         " %, переработано " + Number(last.processedFeed, 0, sep) + " т";
    if (o.regenerationDate > 0) {
        latest += ", суток после регенерации " + Number(last.sampleDate - o.regenerationDate, 0, sep);
    }
    lines.push_back(latest);
    if (o.setAside) lines.push_back(o.SetAsideReason(sep));
    const auto describe = [&](const char* title, const ParameterOutlook& p, int limitDecimals, const char* unit) {
        lines.push_back(std::string(title) + " (предел " + Number(p.limit, limitDecimals, sep) + unit + "):");
        std::string byFeed = "  по сырью: " + SlopeText(p.vsFeed, 100000.0, "на 100 тыс. т", sep);
        if (p.feed.state == CrossingState::Forecast) {
            byFeed += "предел при " + Number(p.feed.x, 0, sep) + " т (90 %: " + Number(p.feed.early, 0, sep) +
                      " – " + Number(p.feed.late, 0, sep) + "), осталось " + Number(p.feed.x - p.lastFeed, 0, sep) +
                      " т";
        } else {
            byFeed += CrossingWords(p.feed, p.falling);
        }
        lines.push_back(byFeed);
        std::string byDays = "  по дням: " + SlopeText(p.vsDays, 30.0, "за 30 сут.", sep);
        if (p.date.state == CrossingState::Forecast) {
            byDays += "предел " + Date(p.date.x) + " (90 %: " + Date(p.date.early) + " – " + Date(p.date.late) +
                      "), осталось " + Number(p.date.x - p.lastDate, 0, sep) + " сут.";
        } else {
            byDays += CrossingWords(p.date, p.falling);
        }
        lines.push_back(byDays);
    };
    describe("Активность", o.activity, 2, "");
    describe("Кокс", o.coke, 2, " %");
    lines.push_back("Конец цикла: " + o.EndOfCycleText("прогноза нет"));
    return lines;
}

}  // namespace rw
