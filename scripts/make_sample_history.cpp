// Writes the sample results histories: for each sample plant a results file
// and its conditions file per sampling date, in
// <base>/<plant folder>/<dd-mm-yy>/<dd-mm-yy>.rez and .dan, and prints
// "<plant number> <results file>" lines for make_sample_history.sh, which
// adds them to the plants' results indexes svod.<n> with reformer-cli
// index-add.
//
// The numbers follow catalyst cycles: the activity falls and the coke grows,
// the operators raise the inlet temperatures to hold the aromatics of the
// reformate near 67-70 % and the octane number near 94-96, the yields slip a
// little. The values are a demonstration, not plant data.
//
// The sample plant (Hornel, plant row 11) runs one cycle since the
// regeneration of 14.04.2008 through the shipped sampling date 01-09-09. Its
// curves pass through what the stand-in model calculates for that date
// (ANCHOR_REZ, the stand-in's results file of 01-09-09), so a calculation of
// the sample date lands on the line instead of standing out of it. The
// other plants show the other sides of the cycle outlook: a young cycle, a
// cycle after a regeneration inside the history with one bad analysis, and
// a cycle too short for a forecast.
//
// Usage: make_sample_history BASE TEMPLATE_DAN ANCHOR_REZ
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "common/dates.h"
#include "common/files.h"
#include "conditions/conditions_file.h"
#include "results/results_file.h"

namespace {

using namespace rw;

struct Sample {
    int day, month, year;
};

// One cycle of one plant. Trends are per month of 30.4 days from `anchor`,
// where the activity and the coke have the anchor values.
struct Cycle {
    int plantIndex;
    const char* folder;            // below the base folder
    Sample regeneration;
    std::vector<Sample> samples;   // mid-month, a Wednesday or so, as the laboratory works
    double anchor;                 // date value
    double anchorActivity, activityPerMonth;
    double anchorCoke, cokePerMonth;
    double feedRate;               // m3/h
    int badSample = -1;            // a sample whose analysis went wrong: its activity came out high
};

constexpr double kMonth = 30.4;

// A small deterministic wobble, so the curves look measured rather than drawn;
// none for i < 0 (the smooth curve).
double Wobble(int i, int salt, double amplitude) {
    if (i < 0) return 0;
    return amplitude * std::sin(1.7 * i + 0.9 * salt) * std::cos(0.6 * i * salt + 0.3);
}

double Round(double v, int decimals) {
    const double f = std::pow(10.0, decimals);
    return std::round(v * f) / f;
}

// Share of each carbon number C3..C12 in a stream (rows 1-10 of table A).
constexpr std::array<double, 10> kCarbonShares = {0.005, 0.02, 0.06, 0.14, 0.22, 0.24, 0.18, 0.09, 0.03, 0.015};

ResultsRecord MakeRecord(const Cycle& cycle, int i, double date, double daysOnStream) {
    const double m = daysOnStream / kMonth - 6.0;  // months into the cycle, less the first half year
    const double fromAnchor = (date - cycle.anchor) / kMonth;
    ResultsRecord r;
    r.sampleDate = date;
    r.sampleDateText.SetText(FormatDateLong(date, '.'));

    r.activity = Round(cycle.anchorActivity + cycle.activityPerMonth * fromAnchor + Wobble(i, 1, 0.004), 2);
    if (i >= 0 && i == cycle.badSample) r.activity = Round(r.activity + 0.07, 2);
    const double t1 = 486.0 + 0.85 * m + Wobble(i, 2, 0.6);
    r.inletTemperature = Round(t1, 1);
    r.line4Value2 = Round(t1 + 3.1, 1);
    r.line4Value3 = Round(t1 + 5.2, 1);
    const double drop1 = 74.0 - 0.65 * m + Wobble(i, 3, 0.8);
    r.line5Value1 = Round(t1 - drop1, 1);
    r.line5Value2 = Round(t1 + 3.1 - (37.5 - 0.3 * m), 1);
    r.line5Value3 = Round(t1 + 5.2 - (18.5 - 0.15 * m), 1);
    r.line6Value1 = std::round(drop1);
    r.line6Value2 = std::round(37.5 - 0.3 * m);
    r.line6Value3 = std::round(18.5 - 0.15 * m);
    r.line7Value1 = Round(29.5 + Wobble(i, 4, 0.2), 1);
    r.feedRate = Round(cycle.feedRate + Wobble(i, 5, 1.8), 1);
    r.line8Value1 = Round(14.8 + Wobble(i, 6, 0.3), 1);
    r.hydrogenContent = Round(83.6 - 0.22 * m + Wobble(i, 7, 0.25), 2);
    r.line8Value3 = Round(1.25 + Wobble(i, 8, 0.05), 2);
    r.circulationRatio = Round(1185.0 - 4.0 * m + Wobble(i, 9, 12.0), 1);
    r.line9Value2 = Round(35.0 + Wobble(i, 10, 0.8), 1);
    r.crackingNumber = Round(3.6 + 0.12 * m + Wobble(i, 11, 0.08), 1);

    // Table A, the catalyzate by carbon number: rows C3..C12 and the
    // totals; columns all groups, n-paraffins, i-paraffins, five- and
    // six-ring naphthenes, the feed's aromatics, others, olefins, aromatics
    // calculated and measured.
    const double aromatics = 69.6 - 0.29 * m + Wobble(i, 12, 0.35);
    const double measured = aromatics + Wobble(i, 13, 0.03);
    const double naphthenesLeft = 1.8 + 0.09 * m;
    const double olefins = 0.7 + 0.02 * m;
    const double others = 0.3;
    const double normalProduct = 9.2 + 0.12 * m;
    const double isoProduct = 100.0 - aromatics - naphthenesLeft - olefins - others - normalProduct;
    const std::array<double, 10> totals = {100.0,  normalProduct, isoProduct, naphthenesLeft * 0.6,
                                           naphthenesLeft * 0.4, 11.7, others, olefins, aromatics, measured};
    for (int c = 0; c < 10; ++c) {
        double sum = 0;
        for (int row = 0; row < 10; ++row) {
            const double v = Round(totals[static_cast<std::size_t>(c)] * kCarbonShares[static_cast<std::size_t>(row)], 2);
            r.tableA[c][row] = v;
            sum += v;
        }
        r.tableA[c][10] = Round(c >= 8 ? totals[static_cast<std::size_t>(c)] : sum, 2);
    }

    // Table B, the material balance: rows hydrogen, gases, paraffins,
    // naphthenes, aromatics, total; columns feed %, feed t/h, product t/h,
    // yield % of feed, share in the catalyzate %.
    const double feedTonnes = r.feedRate * 0.745;
    const double hydrogenYield = 2.62 - 0.035 * m + Wobble(i, 14, 0.02);
    const double mcp = 0.62 + 0.045 * m + Wobble(i, 15, 0.02);
    const double yield = 86.4 - 0.16 * m + Wobble(i, 16, 0.15);
    for (int row = 0; row < 31; ++row) {
        const double base = row == 30 ? 100.0 : 1.0 + 7.0 * std::fabs(std::sin(0.7 * row + 1.1));
        const double feedShare = row < 4 ? 0.0 : base;
        const double productShare = row == 0 ? hydrogenYield : row == 30 ? 100.0 : base * (row < 4 ? 0.45 : 0.9);
        r.tableB[0][row] = Round(feedShare, 2);
        r.tableB[1][row] = Round(feedTonnes * feedShare / 100.0, 2);
        r.tableB[2][row] = Round(feedTonnes * productShare / 100.0, 2);
        r.tableB[3][row] = Round(productShare, 2);
        r.tableB[4][row] = Round(row < 4 ? 0.0 : row == 30 ? 100.0 : base * 0.95, 2);
    }
    r.tableB[4][19] = Round(mcp, 2);

    r.octaneResearch = Round(57.8 + 0.56 * aromatics + Wobble(i, 17, 0.1), 2);
    r.octaneMotor = Round(r.octaneResearch - 9.4, 2);
    r.reformateYield = Round(yield, 2);
    r.line65Value2 = Round(feedTonnes * 1000.0 / 400.0 * yield / 100.0 + 1.0, 2);
    const double coke = cycle.anchorCoke + cycle.cokePerMonth * fromAnchor + Wobble(i, 18, 0.03);
    r.line66Value1 = Round(coke * 0.38, 2);
    r.line66Value2 = Round(coke * 0.71, 2);
    r.coke = Round(coke, 2);
    r.chlorineR202 = Round(1.0 + Wobble(i, 19, 0.04), 2);
    r.chlorineR203 = Round(0.99 + Wobble(i, 20, 0.04), 2);
    r.chlorineR204 = Round(1.01 + Wobble(i, 21, 0.04), 2);
    r.processedFeed = Round(daysOnStream * 24.0 * cycle.feedRate * 0.745 + Wobble(i, 22, 400.0), 1);
    r.line68Value2 = Round(daysOnStream, 1);
    r.paraffinRatio = Round((24.5 + 28.7) / (35.1 + 11.7) + Wobble(i, 23, 0.02), 2);
    r.normalIsoFeed = Round(24.5 / 28.7 + Wobble(i, 24, 0.01), 2);
    r.normalIsoProduct = Round(0.43 + 0.004 * m + Wobble(i, 25, 0.004), 3);
    r.dehydrocyclization = Round(48.3 - 0.36 * m + Wobble(i, 26, 0.25), 2);
    r.accumulatedCoke = r.coke;
    return r;
}

// The values the summary table and the graphs show, with the decimals a
// model prints for them.
std::vector<std::pair<double*, int>> ShownFields(ResultsRecord& r) {
    return {{&r.activity, 2},          {&r.inletTemperature, 1},    {&r.line4Value2, 1},
            {&r.line4Value3, 1},       {&r.feedRate, 1},            {&r.hydrogenContent, 2},
            {&r.crackingNumber, 1},    {&r.circulationRatio, 1},    {&r.paraffinRatio, 2},
            {&r.normalIsoFeed, 2},     {&r.normalIsoProduct, 3},    {&r.dehydrocyclization, 2},
            {&r.octaneResearch, 2},    {&r.octaneMotor, 2},         {&r.reformateYield, 2},
            {&r.coke, 2},              {&r.tableA[8][10], 2},       {&r.tableA[9][10], 2},
            {&r.tableB[3][0], 2},      {&r.tableB[4][19], 2}};
}

// Scales the shown values of a record by the stand-in's result of the anchor
// date over the smooth curve there, so the curves run through it. Scaling,
// not shifting, keeps every value on the side of zero it was on.
void ScaleOnto(ResultsRecord& r, const ResultsRecord& smooth, const ResultsRecord& anchor) {
    ResultsRecord s = smooth, a = anchor;
    const auto fields = ShownFields(r);
    const auto smoothFields = ShownFields(s);
    const auto anchorFields = ShownFields(a);
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (*smoothFields[k].first == 0) continue;
        *fields[k].first = Round(*fields[k].first * *anchorFields[k].first / *smoothFields[k].first, fields[k].second);
    }
}

double DateOf(const Sample& s) { return EncodeDate(s.year, s.month, s.day); }

std::vector<Cycle> Cycles(const ResultsRecord& anchor) {
    std::vector<Cycle> cycles;
    // The sample plant: twelve months of one cycle around the stand-in's 01.09.2009.
    cycles.push_back({11, "Hornel", {14, 4, 2008},
                      {{15, 10, 2008}, {12, 11, 2008}, {10, 12, 2008}, {14, 1, 2009}, {11, 2, 2009}, {11, 3, 2009},
                       {15, 4, 2009}, {13, 5, 2009}, {10, 6, 2009}, {15, 7, 2009}, {12, 8, 2009}, {16, 9, 2009}},
                      anchor.sampleDate, anchor.activity, -0.011, anchor.coke, 0.285, 65.0});
    // A young cycle that loses activity fast.
    cycles.push_back({0, "Tarvel", {20, 2, 2009},
                      {{18, 3, 2009}, {15, 4, 2009}, {20, 5, 2009}, {17, 6, 2009}, {15, 7, 2009}, {19, 8, 2009},
                       {16, 9, 2009}},
                      EncodeDate(2009, 3, 18), 1.08, -0.017, 0.9, 0.42, 48.0});
    // A regeneration on 10.11.2008 inside the history; one bad analysis in May.
    cycles.push_back({3, "Korvin", {12, 3, 2008},
                      {{16, 4, 2008}, {18, 6, 2008}, {20, 8, 2008}, {15, 10, 2008}}, EncodeDate(2008, 4, 16), 1.02,
                      -0.014, 2.1, 0.33, 120.0});
    cycles.push_back({3, "Korvin", {10, 11, 2008},
                      {{10, 12, 2008}, {21, 1, 2009}, {18, 3, 2009}, {13, 5, 2009}, {15, 7, 2009}, {16, 9, 2009}},
                      EncodeDate(2008, 12, 10), 1.10, -0.009, 0.7, 0.22, 120.0, 3});
    // Just regenerated: two samples, too few for a forecast.
    cycles.push_back({9, "Fenbor/LKS-1000", {1, 7, 2009}, {{12, 8, 2009}, {16, 9, 2009}}, EncodeDate(2009, 8, 12),
                      1.09, -0.012, 0.6, 0.3, 140.0});
    return cycles;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_sample_history BASE TEMPLATE_DAN ANCHOR_REZ\n");
        return 2;
    }
    try {
        const std::string base = argv[1];
        PositionalReadOptions read;
        read.withExtension = true;
        const PositionalConditions templ = ReadConditionsByPosition(argv[2], read);
        const ResultsRecord anchor = ReadResultsFile(argv[3]);

        for (const Cycle& cycle : Cycles(anchor)) {
            const double regeneration = DateOf(cycle.regeneration);
            const bool anchored = cycle.anchor == anchor.sampleDate;
            const ResultsRecord smooth = MakeRecord(cycle, -1, anchor.sampleDate, anchor.sampleDate - regeneration);
            for (std::size_t i = 0; i < cycle.samples.size(); ++i) {
                const double date = DateOf(cycle.samples[i]);
                ResultsRecord record = MakeRecord(cycle, static_cast<int>(i), date, date - regeneration);
                if (anchored) ScaleOnto(record, smooth, anchor);

                const std::string name = FormatDateShort(date, '-');
                const std::string folder = JoinPath(JoinPath(base, cycle.folder), name);
                CreateFolders(folder);
                WriteResultsFile(JoinPath(folder, name + ".rez"), record);

                // The conditions of the same date: the temperatures and drops the
                // results show, the feed processed since the regeneration.
                ConditionsRecord c = templ.conditions;
                c.samplingDateText = FormatDateShort(date, '.');
                c.regenerationDateText = FormatDateShort(regeneration, '.');
                c.activity = record.activity;
                c.inletTemperature = {record.inletTemperature, record.line4Value2, record.line4Value3,
                                      c.inletTemperature[3]};
                c.temperatureDrop = {record.line6Value1, record.line6Value2, record.line6Value3,
                                     c.temperatureDrop[3]};
                c.processedFeed = record.processedFeed;
                c.feedFlow = record.feedRate;
                FormLayoutOptions options;
                // Only plant row 11's data entry writes the extension lines.
                if (cycle.plantIndex == 11) options.extension = templ.extension;
                WriteFormLayout(JoinPath(folder, name + ".dan"), c, options);
                std::printf("%d %s\n", cycle.plantIndex + 1, JoinPath(folder, name + ".rez").c_str());
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
