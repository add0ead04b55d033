#pragma once
// The conditions of the golden files in tests/data/conditions: a four-reactor
// semi-regenerative unit with a fifth column (plant row 11).
#include "common/dates.h"
#include "conditions/conditions_file.h"

namespace rw::test {

inline ConditionsRecord SampleConditions() {
    ConditionsRecord r;
    r.samplingDateText = "01.09.09";
    r.regenerationDateText = "15.03.09";
    r.dosing = {1.5, 2.0, 2.5};
    r.activity = 0.87;
    r.pressure = {25.3, 24.8, 24.1, 23.5};
    r.gasMoisture = 0.21;
    r.inletTemperature = {492.5, 493.1, 494.0, 495.25};
    r.temperatureDrop = {64.8, 37.6, 14.2, 6.0};
    r.gasComposition = {84.61, 6.12, 4.35, 2.48, 0.91, 0.83, 0.35, 0.22, 0.13};
    r.gasFlow = 118540;
    r.processedFeed = 12500.5;
    r.sulphur = 0.5;
    r.feedFlow = 96.4;
    return r;
}

inline RowExtension SampleExtension() { return {23.5, 495.25, 6.0}; }

// The same conditions as a run record of six reactors; the run-layout golden
// files of n reactors hold the first n per-reactor values.
inline RunConditions SampleRunConditions() {
    RunConditions r{};
    const double dosing[] = {1.5, 2.0, 2.5, 3.0, 3.5, 4.0};
    const double pressure[] = {25.3, 24.8, 24.1, 23.5, 23.0, 22.5};
    const double inlet[] = {492.5, 493.1, 494.0, 495.25, 496.0, 497.0};
    const double drop[] = {64.8, 37.6, 14.2, 6.0, 3.0, 2.0};
    const double gas[] = {84.61, 6.12, 4.35, 2.48, 0.91, 0.83, 0.35, 0.22, 0.13};
    for (int i = 0; i < 6; ++i) {
        r[static_cast<size_t>(run_slot::kDosing + i)] = dosing[i];
        r[static_cast<size_t>(run_slot::kPressure + i)] = pressure[i];
        r[static_cast<size_t>(run_slot::kInletTemperature + i)] = inlet[i];
        r[static_cast<size_t>(run_slot::kTemperatureDrop + i)] = drop[i];
    }
    for (int i = 0; i < 9; ++i) r[static_cast<size_t>(run_slot::kGasComposition + i)] = gas[i];
    r[run_slot::kActivity] = 0.87;
    r[run_slot::kGasMoisture] = 0.21;
    r[run_slot::kGasFlow] = 118540;
    r[run_slot::kProcessedFeed] = 12500.5;
    r[run_slot::kSulphur] = 0.5;
    r[run_slot::kFeedFlow] = 96.4;
    r[run_slot::kSamplingDate] = EncodeDate(2009, 9, 1);
    r[run_slot::kRegenerationDate] = EncodeDate(2009, 3, 15);
    return r;
}

}  // namespace rw::test
