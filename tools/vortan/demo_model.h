#pragma once
// The demonstration reforming model: a few smooth relations with the right
// directions, enough for the program's fitting to work on and for the
// results windows to show believable numbers. It is not a kinetic model.
//
// Directions the run object relies on: the calculated aromatics fall as the
// activity input rises (the fitting raises the activity when they are too
// high), and so does the octane number; the chlorine on catalyst rises with
// the dichloroethane feed. Both slopes are kept gentle because the
// conditions file carries activity and feed with two decimals only: a
// hundredth of activity moves the aromatics by well under the fitting's
// tolerance of 0.051, a hundredth of a ppm moves the chlorine by well under
// 0.01.
#include <algorithm>
#include <array>
#include <cmath>

#include "composition/composition_file.h"
#include "shell/conditions_record.h"

namespace demo {

enum class Group { Paraffin, Naphthene, Aromatic, Mixed, Light };

struct Component {
    Group group;
    int carbons;
    bool normal;  // n-paraffin
};

// The 69 model components in file order (lines 1-69 of the composition file).
inline const std::array<Component, 69>& Components() {
    using G = Group;
    static const std::array<Component, 69> c = {{
        {G::Light, 2, true},       {G::Light, 3, true},       {G::Paraffin, 4, false},   // 1-3
        {G::Paraffin, 4, true},    {G::Paraffin, 5, false},   {G::Paraffin, 5, true},    // 4-6
        {G::Paraffin, 6, false},   {G::Naphthene, 5, false},  {G::Paraffin, 6, false},   // 7-9
        {G::Paraffin, 6, false},   {G::Paraffin, 6, false},   {G::Paraffin, 6, true},    // 10-12
        {G::Naphthene, 6, false},  {G::Paraffin, 7, false},   {G::Paraffin, 7, false},   // 13-15
        {G::Aromatic, 6, false},   {G::Paraffin, 7, false},   {G::Paraffin, 7, false},   // 16-18
        {G::Naphthene, 6, false},  {G::Paraffin, 7, false},   {G::Paraffin, 7, false},   // 19-21
        {G::Paraffin, 7, false},   {G::Naphthene, 7, false},  {G::Naphthene, 7, false},  // 22-24
        {G::Naphthene, 7, false},  {G::Paraffin, 7, true},    {G::Naphthene, 7, false},  // 25-27
        {G::Paraffin, 8, false},   {G::Naphthene, 8, false},  {G::Naphthene, 7, false},  // 28-30
        {G::Paraffin, 8, false},   {G::Paraffin, 8, false},   {G::Naphthene, 7, false},  // 31-33
        {G::Paraffin, 8, false},   {G::Naphthene, 8, false},  {G::Paraffin, 8, false},   // 34-36
        {G::Aromatic, 7, false},   {G::Naphthene, 8, false},  {G::Paraffin, 8, false},   // 37-39
        {G::Paraffin, 8, false},   {G::Paraffin, 8, false},   {G::Naphthene, 8, false},  // 40-42
        {G::Paraffin, 8, false},   {G::Paraffin, 8, false},   {G::Paraffin, 8, false},   // 43-45
        {G::Paraffin, 8, false},   {G::Naphthene, 8, false},  {G::Paraffin, 8, true},    // 46-48
        {G::Naphthene, 8, false},  {G::Naphthene, 8, false},  {G::Paraffin, 9, false},   // 49-51
        {G::Paraffin, 9, false},   {G::Paraffin, 9, false},   {G::Paraffin, 9, false},   // 52-54
        {G::Paraffin, 9, false},   {G::Paraffin, 9, false},   {G::Paraffin, 9, false},   // 55-57
        {G::Paraffin, 9, false},   {G::Mixed, 8, false},      {G::Naphthene, 8, false},  // 58-60
        {G::Paraffin, 9, false},   {G::Aromatic, 8, false},   {G::Aromatic, 8, false},   // 61-63
        {G::Paraffin, 9, false},   {G::Aromatic, 8, false},   {G::Naphthene, 9, false},  // 64-66
        {G::Paraffin, 9, true},    {G::Mixed, 10, false},     {G::Aromatic, 9, false},   // 67-69
    }};
    return c;
}

// Line 69 (aromatics of C9 and heavier) is a part of line 68; line 68 less
// line 69 counts as heavy paraffins, line 59 as half naphthene, half
// aromatic in the feed and as aromatic (ethylbenzene) in the catalyzate.
struct Groups {
    double paraffins = 0, naphthenes = 0, aromatics = 0, normal = 0, iso = 0;
};

inline Groups FeedGroups(const std::array<double, 69>& v) {
    Groups g;
    const auto& c = Components();
    for (size_t i = 0; i < 68; ++i) {
        double x = std::max(0.0, v[i]);
        switch (c[i].group) {
            case Group::Paraffin:
                g.paraffins += x;
                (c[i].normal ? g.normal : g.iso) += x;
                break;
            case Group::Naphthene: g.naphthenes += x; break;
            case Group::Aromatic: g.aromatics += x; break;
            case Group::Mixed:
                if (i == 58) {
                    g.naphthenes += x / 2;
                    g.aromatics += x / 2;
                } else {  // C9+ with its aromatics
                    double arom = std::clamp(v[68], 0.0, x);
                    g.aromatics += arom;
                    g.paraffins += x - arom;
                    g.iso += x - arom;
                }
                break;
            case Group::Light:
                g.paraffins += x;
                break;
        }
    }
    return g;
}

// Aromatics of the catalyzate as the laboratory found them.
inline double ExperimentalAromatics(const std::array<double, 69>& cat) {
    double s = 0;
    for (int line : {16, 37, 59, 62, 63, 65, 69}) s += std::max(0.0, cat[static_cast<size_t>(line - 1)]);
    return s;
}

inline double Logistic(double z) { return 1.0 / (1.0 + std::exp(-z)); }

struct Conditions {
    double dosing[3] = {};
    double activity = 1.0;
    double pressure = 25.0;       // first reactor, atm
    double moisture = 0.01;       // circulating gas, %
    double meanTemperature = 480.0;  // mean of inlet temperature less half the drop
    double inlet[3] = {};
    double drop[3] = {};
    double hydrogenInGas = 0;     // % of H2 in the circulating gas
    double gasFlow = 0;           // m3/h
    double processedFeed = 0;
    double sulphur = 0;
    double feedFlow = 0;          // m3/h
};

inline Conditions FromRunConditions(const rw::RunConditions& r, int reactors) {
    using namespace rw::run_slot;
    auto at = [&r](int slot) { return r[static_cast<size_t>(slot)]; };
    Conditions c;
    for (int i = 0; i < 3; ++i) {
        c.dosing[i] = at(kDosing + i);
        c.inlet[i] = at(kInletTemperature + i);
        c.drop[i] = at(kTemperatureDrop + i);
    }
    c.activity = at(kActivity);
    c.pressure = at(kPressure);
    c.moisture = std::max(0.0, at(kGasMoisture));
    double sum = 0;
    int counted = 0;
    for (int i = 0; i < reactors; ++i) {
        double t = at(kInletTemperature + i);
        if (t <= 0) continue;
        sum += t - at(kTemperatureDrop + i) / 2.0;
        ++counted;
    }
    if (counted) c.meanTemperature = sum / counted;
    c.hydrogenInGas = at(kGasComposition);
    c.gasFlow = at(kGasFlow);
    c.processedFeed = at(kProcessedFeed);
    c.sulphur = at(kSulphur);
    c.feedFlow = at(kFeedFlow);
    return c;
}

// Chlorine on catalyst of one reactor, % by mass: rises with the
// dichloroethane feed, is stripped by the water of the circulating gas (its
// moisture in %, typically a few hundredths) and, a little, by heat. The
// stripping levels off, so some feed within 0.1 to 20 ppm always gives 1.0.
inline double ChlorineOnCatalyst(double dosing, double moisture, double inletTemperature) {
    const double water = std::max(0.0, moisture);
    const double stripping = 1.0 - 0.4 * water / (water + 0.02);
    const double heat = inletTemperature > 0 ? std::clamp(1.0 - 0.002 * (inletTemperature - 480.0), 0.9, 1.1) : 1.0;
    return std::max(0.0, (0.7 + 0.15 * dosing) * stripping * heat);
}

// The dichloroethane feed that brings the chlorine to 1.0 (what the dosing
// program would advise).
inline double DosingForChlorine(double target, double moisture, double inletTemperature) {
    double per = ChlorineOnCatalyst(1.0, moisture, inletTemperature) - ChlorineOnCatalyst(0.0, moisture, inletTemperature);
    if (per <= 0) return 0;
    return (target - ChlorineOnCatalyst(0.0, moisture, inletTemperature)) / per;
}

// Shares of conversion reached at the outlets of the first three reactors.
constexpr double kReactorShare[3] = {0.5, 0.8, 1.0};

// Rows of the material balance (table B of the results file), 1-based.
enum BalanceRow {
    kRowHydrogen = 1, kRowMethane, kRowEthane, kRowPropane, kRowIsoButane, kRowButane,
    kRowIsoPentane, kRowPentane, kRowIsoC6, kRowHexane, kRowIsoC7, kRowHeptane, kRowIsoC8, kRowOctane,
    kRowIsoC9, kRowNonane, kRowCyclopentane, kRowHeavyParaffins, kRowCyclohexane,
    kRowMethylcyclopentane,  // row 20: the program shows it as the catalyzate's MCP
    kRowNaphthenesC7, kRowNaphthenesC8, kRowNaphthenesC9, kRowBenzene, kRowToluene, kRowEthylbenzene,
    kRowParaXylene, kRowMetaXylene, kRowOrthoXylene, kRowAromaticsC9, kRowTotal,
};
constexpr int kBalanceRows = 31;

// Where a component of the feed stands in the balance when it is not converted.
inline int BalanceRowOf(int line) {
    switch (line) {
        case 1: return kRowEthane;
        case 2: return kRowPropane;
        case 3: return kRowIsoButane;
        case 4: return kRowButane;
        case 5: return kRowIsoPentane;
        case 6: return kRowPentane;
        case 8: return kRowCyclopentane;
        case 12: return kRowHexane;
        case 13: return kRowMethylcyclopentane;
        case 16: return kRowBenzene;
        case 19: return kRowCyclohexane;
        case 26: return kRowHeptane;
        case 37: return kRowToluene;
        case 48: return kRowOctane;
        case 62: return kRowParaXylene;
        case 63: return kRowMetaXylene;
        case 65: return kRowOrthoXylene;
        case 66: return kRowNaphthenesC9;
        case 67: return kRowNonane;
        case 69: return kRowAromaticsC9;
        default: break;
    }
    const Component& c = Components()[static_cast<size_t>(line - 1)];
    if (c.group == Group::Naphthene) return c.carbons <= 7 ? kRowNaphthenesC7 : kRowNaphthenesC8;
    switch (c.carbons) {
        case 6: return kRowIsoC6;
        case 7: return kRowIsoC7;
        case 8: return kRowIsoC8;
        case 9: return kRowIsoC9;
        default: return kRowHeavyParaffins;
    }
}

// The aromatic a ring of `carbons` carbon atoms ends up as.
inline int AromaticRowOf(int carbons) {
    switch (carbons) {
        case 6: return kRowBenzene;
        case 7: return kRowToluene;
        case 8: return kRowMetaXylene;
        default: return kRowAromaticsC9;
    }
}

inline bool IsAromaticRow(int row) { return row >= kRowBenzene && row <= kRowAromaticsC9; }
inline bool IsGasRow(int row) { return row <= kRowButane; }
inline bool IsNormalParaffinRow(int row) {
    return row == kRowPentane || row == kRowHexane || row == kRowHeptane || row == kRowOctane || row == kRowNonane;
}
inline bool IsIsoParaffinRow(int row) {
    return row == kRowIsoPentane || row == kRowIsoC6 || row == kRowIsoC7 || row == kRowIsoC8 || row == kRowIsoC9 ||
           row == kRowHeavyParaffins;
}

struct Severity {
    double naphthenes = 0;  // share of the six-ring naphthenes turned into aromatics
    double paraffins = 0;   // share of the C6+ paraffins cyclised into aromatics
    double cracking = 0;    // share of the paraffins cracked to gas
};

// Conversion at the plant's conditions. Both conversions fall as the activity
// input rises (and so do the aromatics), rise with the temperature, and fall
// with the pressure and the feed rate.
inline Severity SeverityOf(const Conditions& c) {
    const double t = c.meanTemperature - 480.0;
    const double a = c.activity - 1.0;
    const double space = c.feedFlow > 1.0 ? std::log(c.feedFlow / 100.0) : 0.0;
    Severity s;
    s.naphthenes = Logistic(2.54 + 0.05 * t - 0.3 * a - 0.01 * (c.pressure - 25.0));
    s.paraffins = Logistic(-0.26 + 0.06 * t - 0.3 * a - 0.03 * (c.pressure - 25.0) - 0.3 * space);
    s.cracking = 0.08 + 0.1 * Logistic(0.08 * t);
    return s;
}

// Mass of every balance row per 100 mass units of feed (index 0 = row 1).
struct Balance {
    std::array<double, kBalanceRows> mass{};
    double feed = 0;
    double Liquid() const {
        double s = 0;
        for (int row = kRowIsoPentane; row < kRowTotal; ++row) s += mass[static_cast<size_t>(row - 1)];
        return s;
    }
    double Aromatics() const {
        double s = 0;
        for (int row = kRowBenzene; row <= kRowAromaticsC9; ++row) s += mass[static_cast<size_t>(row - 1)];
        return s;
    }
    // Share of a row in the catalyzate (the liquid product), % by mass.
    double InCatalyzate(int row) const {
        double l = Liquid();
        return l > 0 && !IsGasRow(row) && row < kRowTotal ? 100.0 * mass[static_cast<size_t>(row - 1)] / l : 0.0;
    }
};

// The feed through the reactors at a given severity.
inline Balance Reform(const std::array<double, 69>& feed, const Severity& s) {
    Balance b;
    auto add = [&b](int row, double m) { b.mass[static_cast<size_t>(row - 1)] += m; };
    auto crackToGas = [&](double m) {
        add(kRowMethane, 0.15 * m);
        add(kRowEthane, 0.25 * m);
        add(kRowPropane, 0.35 * m);
        add(kRowIsoButane, 0.1 * m);
        add(kRowButane, 0.15 * m);
    };
    const auto& comps = Components();
    for (int line = 1; line <= 68; ++line) {
        double x = std::max(0.0, feed[static_cast<size_t>(line - 1)]);
        b.feed += x;
        const Component& c = comps[static_cast<size_t>(line - 1)];
        if (line == 68) {
            // C9 and heavier: its aromatics (line 69) stay, the rest is heavy paraffin.
            double arom = std::clamp(feed[68], 0.0, x);
            add(kRowAromaticsC9, 0.98 * arom);
            crackToGas(0.02 * arom);
            x -= arom;
        }
        if (line == 59) {
            // Ethylcyclohexane and ethylbenzene: half of each.
            add(kRowEthylbenzene, 0.98 * x / 2 + 0.95 * (x / 2) * s.naphthenes);
            add(kRowHydrogen, 0.05 * (x / 2) * s.naphthenes);
            add(kRowNaphthenesC8, (x / 2) * (1.0 - s.naphthenes));
            crackToGas(0.02 * x / 2);
            continue;
        }
        switch (c.group) {
            case Group::Light: add(BalanceRowOf(line), x); break;
            case Group::Aromatic:
                add(BalanceRowOf(line), 0.98 * x);
                crackToGas(0.02 * x);
                break;
            case Group::Naphthene: {
                double conv = c.carbons >= 6 ? s.naphthenes : 0.0;
                add(AromaticRowOf(c.carbons), 0.95 * x * conv);
                add(kRowHydrogen, 0.05 * x * conv);
                add(BalanceRowOf(line), x * (1.0 - conv));
                break;
            }
            case Group::Paraffin:
            case Group::Mixed: {
                if (c.carbons <= 4) {
                    add(BalanceRowOf(line), x);
                    break;
                }
                double cyc = c.carbons >= 6 ? s.paraffins : 0.0;
                double crk = std::min(c.carbons >= 6 ? s.cracking : s.cracking / 2, 1.0 - cyc);
                add(AromaticRowOf(c.carbons), 0.93 * x * cyc);
                add(kRowHydrogen, 0.07 * x * cyc);
                crackToGas(x * crk);
                add(BalanceRowOf(line), x * (1.0 - cyc - crk));
                break;
            }
        }
    }
    return b;
}

// The severity reached at the outlet of reactor k (0-based).
inline Severity AtReactor(const Severity& s, int k) {
    Severity r = s;
    r.naphthenes *= kReactorShare[k];
    r.paraffins *= kReactorShare[k];
    r.cracking *= kReactorShare[k];
    return r;
}

inline double ResearchOctane(double aromatics) { return 58.0 + 0.6 * aromatics; }
inline double MotorOctane(double aromatics) { return ResearchOctane(aromatics) - 9.0 - 0.04 * (aromatics - 60.0); }

}  // namespace demo
