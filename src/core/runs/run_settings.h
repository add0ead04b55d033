#pragma once
#include <string>

namespace rw {

// Settings of the model runs that belong to the installation, kept in the
// base folder as "name=value" lines (model-runs.ini). A missing file, or a
// missing line, means the default.

inline constexpr const char* kModelRunSettingsFile = "model-runs.ini";

// How the run object fits the activity and the dichloroethane feed: the
// bisection of the brackets (the default), or secant steps inside the same
// brackets, which reach the same tolerances in fewer model runs.
enum class FitMethod { Bisection, Fast };

// Time allowed to a model program started through dosbox or wine. Their
// start alone takes a good part of the 2000 ms a native model gets or more:
// a trivial DOS program through dosbox 0.7 s (1.4 s on a busy machine), a
// trivial Windows program through wine 0.3 s, but 4 s on a wine prefix used
// for the first time and 24 s on a busy machine.
constexpr int kDefaultEmulatorTimeLimitMs = 60000;

struct ModelRunSettings {
    int emulatorTimeLimitMs = kDefaultEmulatorTimeLimitMs;  // line "emulator-time-limit-s", whole seconds
    FitMethod fit = FitMethod::Bisection;                   // line "fit": "bisection" or "fast"
};

// Reads base folder + "\model-runs.ini"; defaults when it is missing.
// Throws UserError naming the file and the line for a value it cannot take.
ModelRunSettings ReadModelRunSettings(const std::string& baseFolder);
// Writes the file whole. Throws UserError when it cannot be written.
void WriteModelRunSettings(const std::string& baseFolder, const ModelRunSettings& settings);

// "fast" and "bisection" (the names of the file and of reformer-cli's --fit);
// false for any other text.
bool ParseFitMethod(const std::string& text, FitMethod& method);

}  // namespace rw
