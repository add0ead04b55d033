// Demonstration stand-in for the reforming model programs (vortan.exe,
// vortan-10.exe, kelmar.exe). It reads the conditions (dan.bak, or Ver.bak of
// the deactivation calculation) and the composition copy sirkat from its
// working folder and writes rez in the results layout the program reads. The
// real models replace it by being copied over it.
#include <strings.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "composition/composition_file.h"
#include "conditions/conditions_file.h"
#include "demo_model.h"
#include "results/results_file.h"
#include "shell/plant_selection.h"

namespace fs = std::filesystem;

namespace {

std::string ProgramName(const char* argv0) { return fs::path(argv0).filename().string(); }

// Without an argument the model takes dan.bak, unless the deactivation
// calculation has left a newer Ver.bak.
std::string InputFile(int argc, char** argv) {
    if (argc > 1) return argv[1];
    std::error_code ec;
    if (fs::exists("Ver.bak", ec) &&
        (!fs::exists("dan.bak", ec) || fs::last_write_time("Ver.bak", ec) > fs::last_write_time("dan.bak", ec))) {
        return "Ver.bak";
    }
    return "dan.bak";
}

// The working copy of the plant settings names the reactor count; without it
// the model assumes the four reactors of the form layout.
int ReactorCount() {
    if (!rw::FileExists("l90")) return 4;
    auto lines = rw::SplitLines(rw::ReadFileBytes("l90"));
    return lines.empty() ? 4 : rw::ReactorCountFromLine(lines[0]);
}

// Some listings are printed shorter: without rows 9 and 10 of table A and
// without the octane numbers, and the program puts four empty lines back
// where they belong. The reforming runs do that for plant number 9 (plant
// index 8); the deactivation run (input Ver.bak) for plant numbers 9 and 14
// (indexes 8 and 13). The stand-in prints what its caller will pad, so that
// every caller reads the fields where they are. The plant number is the
// first number of the working copy kfr1.
bool ShortListing(const std::string& input) {
    if (!rw::FileExists("kfr1")) return false;
    auto lines = rw::SplitLines(rw::ReadFileBytes("kfr1"));
    if (lines.empty()) return false;
    const int plantNumber = std::atoi(lines[0].c_str());
    const std::string name = fs::path(input).filename().string();
    const bool deactivation = name.size() == 7 && strncasecmp(name.c_str(), "Ver.bak", 7) == 0;
    return plantNumber == 9 || (deactivation && plantNumber == 14);
}

std::string Listing(const rw::ResultsRecord& r, const std::string& input) {
    std::string text = rw::FormatResultsFile(r);
    if (!ShortListing(input)) return text;
    std::vector<std::string> lines = rw::SplitLines(text);
    for (int line : {64, 63, 24, 23}) lines.erase(lines.begin() + (line - 1));
    return rw::JoinLinesCrLf(lines);
}

double Ratio(double a, double b) { return b > 1e-9 ? a / b : 0.0; }

// A model listing shows its values with two decimals at most.
void RoundAsListed(rw::ResultsRecord& r) {
    auto round2 = [](double& v) { v = std::round(v * 100.0) / 100.0; };
    for (double rw::ResultsRecord::*field :
         {&rw::ResultsRecord::activity, &rw::ResultsRecord::inletTemperature, &rw::ResultsRecord::line4Value2,
          &rw::ResultsRecord::line4Value3, &rw::ResultsRecord::line5Value1, &rw::ResultsRecord::line5Value2,
          &rw::ResultsRecord::line5Value3, &rw::ResultsRecord::line6Value1, &rw::ResultsRecord::line6Value2,
          &rw::ResultsRecord::line6Value3, &rw::ResultsRecord::line7Value1, &rw::ResultsRecord::feedRate,
          &rw::ResultsRecord::line8Value1, &rw::ResultsRecord::hydrogenContent, &rw::ResultsRecord::line8Value3,
          &rw::ResultsRecord::circulationRatio, &rw::ResultsRecord::line9Value2, &rw::ResultsRecord::crackingNumber,
          &rw::ResultsRecord::octaneMotor, &rw::ResultsRecord::octaneResearch, &rw::ResultsRecord::reformateYield,
          &rw::ResultsRecord::line65Value2, &rw::ResultsRecord::line66Value1, &rw::ResultsRecord::line66Value2,
          &rw::ResultsRecord::coke, &rw::ResultsRecord::chlorineR202, &rw::ResultsRecord::chlorineR203,
          &rw::ResultsRecord::chlorineR204, &rw::ResultsRecord::processedFeed, &rw::ResultsRecord::line68Value2,
          &rw::ResultsRecord::paraffinRatio, &rw::ResultsRecord::normalIsoFeed, &rw::ResultsRecord::normalIsoProduct,
          &rw::ResultsRecord::dehydrocyclization}) {
        round2(r.*field);
    }
    for (auto& column : r.tableA) {
        for (double& v : column) round2(v);
    }
    for (auto& column : r.tableB) {
        for (double& v : column) round2(v);
    }
}

rw::ResultsRecord Compute(const rw::RunConditions& run, int reactors, const rw::CompositionRecord& sirkat) {
    using namespace demo;
    const Conditions c = FromRunConditions(run, reactors);
    const Severity severity = SeverityOf(c);
    const Balance out = Reform(sirkat.feed, severity);
    const Groups feed = FeedGroups(sirkat.feed);

    rw::ResultsRecord r;
    r.sampleDate = run[rw::run_slot::kSamplingDate] > 0 ? run[rw::run_slot::kSamplingDate] : rw::Today();
    r.activity = c.activity;
    double* inlet[3] = {&r.inletTemperature, &r.line4Value2, &r.line4Value3};
    double* outlet[3] = {&r.line5Value1, &r.line5Value2, &r.line5Value3};
    double* drop[3] = {&r.line6Value1, &r.line6Value2, &r.line6Value3};
    for (int i = 0; i < 3; ++i) {
        *inlet[i] = std::clamp(c.inlet[i], 0.0, 999.9);
        *outlet[i] = std::clamp(c.inlet[i] - c.drop[i], 0.0, 999.0);
        *drop[i] = std::clamp(c.drop[i], 0.0, 999.0);
    }
    r.line7Value1 = std::clamp(c.pressure, 0.0, 99.9);
    r.feedRate = std::clamp(c.feedFlow, 0.0, 9999.9);

    const double aromatics = 100.0 * Ratio(out.Aromatics(), out.Liquid());
    const double hydrogenYield = 100.0 * Ratio(out.mass[kRowHydrogen - 1], out.feed);
    // The demonstration plant has 45 m3 of catalyst.
    constexpr double kCatalystVolume = 45.0;
    r.line8Value1 = std::clamp(c.feedFlow / kCatalystVolume, 0.0, 99.9);  // space velocity, 1/h
    r.hydrogenContent = c.hydrogenInGas > 0 ? std::clamp(c.hydrogenInGas + 0.8 * (hydrogenYield - 2.5), 0.0, 99.99)
                                            : std::clamp(75.0 + 2.0 * hydrogenYield, 0.0, 99.99);
    r.line8Value3 = std::clamp(c.moisture, 0.0, 999.9);
    r.circulationRatio = std::clamp(Ratio(c.gasFlow, c.feedFlow), 0.0, 99999.0);
    r.line9Value2 = kCatalystVolume;
    r.crackingNumber = std::clamp(1.6 + 0.025 * (c.meanTemperature - 470.0) + 0.4 * (1.0 - c.activity), 0.1, 9.9);

    // Table A: the catalyzate by carbon number (rows 1-10 = C3 to C12) and the totals (row 11).
    double calcByCarbon[13] = {}, expByCarbon[13] = {};
    auto carbonsOfRow = [](int row) {
        switch (row) {
            case kRowBenzene: return 6;
            case kRowToluene: return 7;
            case kRowAromaticsC9: return 9;
            default: return 8;
        }
    };
    for (int row = kRowBenzene; row <= kRowAromaticsC9; ++row) calcByCarbon[carbonsOfRow(row)] += out.InCatalyzate(row);
    const int expLines[] = {16, 37, 59, 62, 63, 65, 69};
    const int expCarbons[] = {6, 7, 8, 8, 8, 8, 9};
    for (int k = 0; k < 7; ++k) expByCarbon[expCarbons[k]] += std::max(0.0, sirkat.catalyzate[static_cast<size_t>(expLines[k] - 1)]);
    double normal[13] = {}, iso[13] = {}, n5[13] = {}, n6[13] = {};
    auto rowCarbons = [](int row) {
        switch (row) {
            case kRowIsoPentane: case kRowPentane: case kRowCyclopentane: return 5;
            case kRowIsoC6: case kRowHexane: case kRowCyclohexane: case kRowMethylcyclopentane: return 6;
            case kRowIsoC7: case kRowHeptane: case kRowNaphthenesC7: return 7;
            case kRowIsoC8: case kRowOctane: case kRowNaphthenesC8: return 8;
            case kRowIsoC9: case kRowNonane: case kRowNaphthenesC9: return 9;
            default: return 10;
        }
    };
    for (int row = kRowIsoPentane; row < kRowBenzene; ++row) {
        const int cn = rowCarbons(row);
        const double v = out.InCatalyzate(row);
        if (IsNormalParaffinRow(row)) normal[cn] += v;
        else if (IsIsoParaffinRow(row)) iso[cn] += v;
        else if (row == kRowCyclopentane || row == kRowMethylcyclopentane) n5[cn] += v;
        else n6[cn] += v;
    }
    double totals[10] = {};
    for (int row = 1; row <= 10; ++row) {
        const int cn = row + 2;
        const double values[10] = {static_cast<double>(cn), normal[cn], iso[cn], n5[cn], n6[cn],
                                   calcByCarbon[cn], 0.0, 0.0, calcByCarbon[cn], expByCarbon[cn]};
        for (int col = 0; col < 10; ++col) {
            r.tableA[col][row - 1] = values[col];
            if (col > 0) totals[col] += values[col];
        }
    }
    for (int col = 1; col < 8; ++col) r.tableA[col][10] = std::min(totals[col], 99.99);
    r.tableA[8][10] = aromatics;
    r.tableA[9][10] = ExperimentalAromatics(sirkat.catalyzate);

    // Table B: the catalyzate after each reactor, the yields on feed and the catalyzate.
    for (int k = 0; k < 3; ++k) {
        const Balance at = Reform(sirkat.feed, AtReactor(severity, k));
        for (int row = 1; row < kRowTotal; ++row) r.tableB[k][row - 1] = at.InCatalyzate(row);
        r.tableB[k][kRowTotal - 1] = 100.0;
    }
    for (int row = 1; row < kRowTotal; ++row) {
        r.tableB[3][row - 1] = 100.0 * Ratio(out.mass[static_cast<size_t>(row - 1)], out.feed);
        r.tableB[4][row - 1] = out.InCatalyzate(row);
    }
    r.tableB[3][kRowTotal - 1] = 100.0;
    r.tableB[4][kRowTotal - 1] = 100.0;

    r.octaneResearch = ResearchOctane(aromatics);
    r.octaneMotor = MotorOctane(aromatics);
    r.reformateYield = 100.0 * Ratio(out.Liquid(), out.feed);
    r.line65Value2 = r.reformateYield * 0.93;  // by volume: the catalyzate is denser than the feed
    const double t = c.meanTemperature - 480.0;
    r.coke = std::clamp((0.3 + 6.0 * (1.0 - std::exp(-std::max(0.0, c.processedFeed) / 400000.0))) * (1.0 + 0.03 * t),
                        0.05, 25.0);
    r.line66Value1 = 0.6 * r.coke;
    r.line66Value2 = 0.8 * r.coke;
    r.chlorineR202 = ChlorineOnCatalyst(c.dosing[0], c.moisture, c.inlet[0]);
    r.chlorineR203 = ChlorineOnCatalyst(c.dosing[1], c.moisture, c.inlet[1]);
    r.chlorineR204 = ChlorineOnCatalyst(c.dosing[2], c.moisture, c.inlet[2]);
    r.processedFeed = std::clamp(c.processedFeed, 0.0, 99999999.0);
    r.line68Value2 = 0.73 + 0.0015 * (aromatics - 50.0);  // catalyzate density, g/cm3
    r.paraffinRatio = std::min(Ratio(feed.paraffins, feed.naphthenes + feed.aromatics), 99.0);
    r.normalIsoFeed = std::min(Ratio(feed.normal, feed.iso), 99.0);
    double productNormal = 0, productIso = 0;
    for (int row = kRowIsoPentane; row < kRowTotal; ++row) {
        if (IsNormalParaffinRow(row)) productNormal += out.mass[static_cast<size_t>(row - 1)];
        if (IsIsoParaffinRow(row)) productIso += out.mass[static_cast<size_t>(row - 1)];
    }
    r.normalIsoProduct = std::min(Ratio(productNormal, productIso), 99.0);
    r.dehydrocyclization = 100.0 * severity.paraffins;
    RoundAsListed(r);
    r.accumulatedCoke = r.coke;
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string name = ProgramName(argv[0]);
    if (argc > 1 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << name << ": демонстрационная замена модели риформинга (demonstration stand-in, not the real model).\n"
                  << "Usage: " << name << " [dan.bak|Ver.bak]\n"
                  << "Reads the conditions file (dan.bak, or a newer Ver.bak) and sirkat from the current folder\n"
                  << "and writes rez in the results layout.\n";
        return 0;
    }
    try {
        const std::string input = InputFile(argc, argv);
        const int reactors = ReactorCount();
        rw::RunConditions run{};
        rw::ReadRunConditions(input, reactors, run);
        const rw::CompositionRecord sirkat = rw::CompositionFromTexts(rw::ReadCompositionFile("sirkat"));
        rw::WriteFileAtomic("rez", Listing(Compute(run, reactors, sirkat), input));
    } catch (const std::exception& e) {
        std::cerr << name << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
