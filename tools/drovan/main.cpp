// Demonstration stand-in for the fractional-composition programs drovan.exe
// and drovan-1.exe. It reads sk from its working folder (the 138 composition
// lines of the base sample, then the base sample's fractional composition and
// the new one, six values each) and writes sum-fr: the 138 lines recomputed
// for the new fractional composition. Higher distillation points or a denser
// feed move mass towards the heavier components, lower ones towards the
// lighter; the totals of feed and catalyzate stay as they were.
#include <array>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "../vortan/demo_model.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "composition/composition_file.h"
#include "common/text_helpers.h"

namespace {

constexpr size_t kValueLines = rw::kCompositionValueLines;  // 138
constexpr size_t kLabelWidth = 17;
constexpr size_t kTailSkip = 16;
// Relative change of a component's share per degree of shift and per carbon
// atom above or below the feed's mean.
constexpr double kShiftPerDegree = 0.005;
// 0.01 g/cm3 of density counts like 10 degrees of the distillation points.
constexpr double kDegreesPerDensity = 1000.0;

using Fraction = std::array<double, 6>;  // НК, 10 %, 50 %, 90 %, КК, density

// The fractional compositions after line 138 by the reading rule of the
// program: the first 16 characters dropped, empty rests not counted.
std::vector<std::string> TailRests(const std::vector<std::string>& lines) {
    std::vector<std::string> rests;
    for (size_t i = kValueLines; i < lines.size(); ++i) {
        if (lines[i].size() > kTailSkip) rests.push_back(lines[i].substr(kTailSkip));
    }
    return rests;
}

Fraction ToFraction(const std::vector<std::string>& rests, size_t first) {
    Fraction f{};
    for (size_t k = 0; k < 6; ++k) f[k] = rw::TextToNumber(rests[first + k]);
    return f;
}

// Shifts one block of 69 values; line 69 (aromatics of C9+) follows line 68.
void Shift(std::array<double, 69>& v, double degrees) {
    const auto& comps = demo::Components();
    double total = 0, weighted = 0;
    for (size_t i = 0; i < 68; ++i) {
        total += std::max(0.0, v[i]);
        weighted += std::max(0.0, v[i]) * comps[i].carbons;
    }
    if (total <= 0) return;
    const double mean = weighted / total;
    std::array<double, 69> factor{};
    double shifted = 0;
    for (size_t i = 0; i < 68; ++i) {
        factor[i] = std::exp(kShiftPerDegree * degrees * (comps[i].carbons - mean));
        shifted += std::max(0.0, v[i]) * factor[i];
    }
    factor[68] = factor[67];
    for (size_t i = 0; i < 69; ++i) {
        if (v[i] > 0) v[i] = v[i] * factor[i] * total / shifted;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string name = std::filesystem::path(argv[0]).filename().string();
    if (argc > 1 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << name << ": демонстрационная замена программы пересчета состава по фракционному составу "
                             "(demonstration stand-in, not the real program).\n"
                  << "Usage: " << name << "\nReads sk from the current folder and writes sum-fr (138 lines).\n";
        return 0;
    }
    try {
        const std::vector<std::string> lines = rw::SplitLines(rw::ReadFileBytes("sk"));
        if (lines.size() < kValueLines) throw rw::UserError("sk: fewer than 138 lines");
        rw::CompositionRecord c = rw::CompositionFromTexts(rw::ReadCompositionFile("sk"));

        const std::vector<std::string> rests = TailRests(lines);
        double degrees = 0;
        if (rests.size() >= 12) {
            const Fraction base = ToFraction(rests, rests.size() - 12);
            const Fraction now = ToFraction(rests, rests.size() - 6);
            for (size_t k = 0; k < 5; ++k) degrees += (now[k] - base[k]) / 5.0;
            degrees += (now[5] - base[5]) * kDegreesPerDensity;
        }
        Shift(c.feed, degrees);
        Shift(c.catalyzate, degrees);

        std::vector<std::string> out;
        for (size_t i = 0; i < kValueLines; ++i) {
            std::string label = lines[i].substr(0, std::min(kLabelWidth, lines[i].size()));
            label.resize(kLabelWidth, ' ');
            const double v = i < 69 ? c.feed[i] : c.catalyzate[i - 69];
            out.push_back(label + rw::FormatFixed(v, 6, 3));
        }
        rw::WriteFileAtomic("sum-fr", rw::JoinLinesCrLf(out));
    } catch (const std::exception& e) {
        std::cerr << name << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
