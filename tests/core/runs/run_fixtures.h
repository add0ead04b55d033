#pragma once
// Inputs of a model run as a plant would have them: a straight-run naphtha
// feed with its catalyzate, and the conditions of a four-reactor unit.
#include <string>

#include "common/dates.h"
#include "common/files.h"
#include "composition/composition_file.h"
#include "conditions/conditions_file.h"
#include "shell/conditions_record.h"

namespace rw::test {

inline CompositionRecord RealisticComposition() {
    // Mass percentages of the 69 model components before normalisation.
    const double feed[69] = {
        0,   0.05, 0.1, 0.3, 0.5, 0.6, 0.1, 0.2, 0.3, 1.5, 1.2, 3.5, 2.5, 0.3, 0.6, 0.8, 0.1, 0.2,
        2.8, 2.5,  1.0, 2.6, 1.2, 1.1, 1.8, 6.5, 0.3, 0.3, 0.4, 6.0, 0.7, 0.8, 0.6, 0.1, 0.9, 0.2,
        2.5, 0.7,  0.1, 0.6, 0.1, 0.2, 2.2, 0.9, 0.3, 2.0, 4.5, 5.5, 1.0, 1.2, 0.3, 0.2, 0.4, 0.1,
        0.2, 0.5,  0.5, 0.2, 1.5, 1.0, 0.2, 0.6, 1.4, 4.0, 0.8, 4.0, 3.5, 6.0, 2.0};
    const double catalyzate[69] = {
        0.3,  0.6, 0.8,  1.2,  3.0,  2.0, 0.6,  0.1, 0.8,  3.5, 2.8,  2.8,  0.6,  0.3,  0.5,  2.5, 0.1,  0.2,
        0.1,  2.2, 0.7,  2.3,  0.1,  0.1, 0.1,  2.0, 0.05, 0.1, 0.05, 0.3,  0.3,  0.4,  0.1,  0.05, 0.1, 0.1,
        16.5, 0.05, 0.05, 0.3, 0.05, 0.05, 1.0, 0.4, 0.2,  0.9, 0.5,  1.2,  0.1,  0.1,  0.1,  0.05, 0.1, 0.05,
        0.05, 0.1, 0.1,  0.05, 3.5,  0.1, 0.05, 5.0, 11.0, 0.8, 6.0,  0.3,  0.3,  22.0, 18.0};
    CompositionRecord r;
    double feedSum = 0, catSum = 0;
    for (int i = 0; i < 68; ++i) {
        feedSum += feed[i];
        catSum += catalyzate[i];
    }
    for (int i = 0; i < 69; ++i) {
        r.feed[static_cast<size_t>(i)] = feed[i] * 100.0 / feedSum;
        r.catalyzate[static_cast<size_t>(i)] = catalyzate[i] * 100.0 / catSum;
    }
    r.fraction = {86, 96, 113, 152, 175};
    r.density = 0.730;
    return r;
}

inline ConditionsRecord RealisticConditions() {
    ConditionsRecord c;
    c.samplingDateText = "01.09.09";
    c.regenerationDateText = "14.04.08";
    c.dosing = {1.0, 0.8, 0.6};
    c.activity = 0.95;
    c.pressure = {29.5, 28.6, 27.8, 27.0};
    c.gasMoisture = 0.01;
    c.inletTemperature = {492, 495, 497, 499};
    c.temperatureDrop = {68, 37, 18, 8};
    c.gasComposition = {81.2, 6.85, 5.1, 3.55, 1.15, 0.95, 0.45, 0.45, 0.3};
    c.gasFlow = 78000;
    c.processedFeed = 586911;
    c.sulphur = 0.5;
    c.feedFlow = 65;
    return c;
}

// Writes <folder>/<name>.dan (form layout) and <name>.sk (formation style).
inline void WriteRealisticInputs(const std::string& folder, const std::string& name,
                                 const ConditionsRecord& conditions = RealisticConditions(),
                                 const CompositionRecord& composition = RealisticComposition()) {
    CreateFolders(folder);
    WriteFormLayout(JoinPath(folder, name + ".dan"), conditions);
    WriteFileAtomic(JoinPath(folder, name + ".sk"), ComposeCompositionFile(composition, CompositionStyle::Formation));
}

// The stand-in model as the build installs it, or empty when it is not built.
inline std::string BuiltStandInModel() {
    for (const char* candidate : {"/bin/sk/kelmar.exe", "/tools/standin_vortan"}) {
        std::string path = std::string(REFORMER_BINARY_DIR) + candidate;
        if (FileExists(path)) return path;
    }
    return {};
}

}  // namespace rw::test
