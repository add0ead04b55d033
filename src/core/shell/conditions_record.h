#pragma once
#include <array>
#include <string>

namespace rw {

// Technological conditions of one sampling date, as the conditions form and
// the conditions file hold them.
struct ConditionsRecord {
    std::string samplingDateText;      // at most 10 characters, normally dd.mm.yy
    std::string regenerationDateText;  // at most 10 characters
    std::array<double, 3> dosing{};          // dichloroethane, ppm: R-202..R-204
    double activity = 0;
    std::array<double, 4> pressure{};        // atm
    double gasMoisture = 0;
    std::array<double, 4> inletTemperature{};
    std::array<double, 4> temperatureDrop{};
    std::array<double, 9> gasComposition{};  // H2, C1, C2, C3, n-C4, i-C4, n-C5, i-C5, C6
    double gasFlow = 0;
    double processedFeed = 0;
    double sulphur = 0;
    double feedFlow = 0;
};

// The 41 values the model runs work with (slot numbers as in the run layout).
using RunConditions = std::array<double, 41>;

namespace run_slot {
constexpr int kDosing = 0;            // 0..5
constexpr int kActivity = 6;
constexpr int kPressure = 7;          // 7..12
constexpr int kGasMoisture = 13;
constexpr int kInletTemperature = 14; // 14..19
constexpr int kTemperatureDrop = 20;  // 20..25
constexpr int kGasComposition = 26;   // 26..34
constexpr int kGasFlow = 35;
constexpr int kProcessedFeed = 36;
constexpr int kSulphur = 37;
constexpr int kFeedFlow = 38;
constexpr int kSamplingDate = 39;
constexpr int kRegenerationDate = 40;
}  // namespace run_slot

constexpr int kMaxReactors = 6;

}  // namespace rw
