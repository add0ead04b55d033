#include "runs/run_settings.h"

#include <charconv>

#include "common/errors.h"
#include "common/files.h"

namespace rw {

namespace {

constexpr const char* kTimeLimitKey = "emulator-time-limit-s";
constexpr const char* kFitKey = "fit";
// A day: anything longer is a typing error rather than a slow program.
constexpr int kLongestTimeLimitS = 86400;

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

}  // namespace

bool ParseFitMethod(const std::string& text, FitMethod& method) {
    if (text == "bisection") method = FitMethod::Bisection;
    else if (text == "fast") method = FitMethod::Fast;
    else return false;
    return true;
}

ModelRunSettings ReadModelRunSettings(const std::string& baseFolder) {
    ModelRunSettings settings;
    const std::string path = JoinPath(baseFolder, kModelRunSettingsFile);
    if (!FileExists(path)) return settings;
    for (const std::string& raw : SplitLines(ReadFileBytes(path))) {
        const std::string line = Trimmed(raw);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        const size_t eq = line.find('=');
        const std::string key = Trimmed(line.substr(0, eq));
        const std::string value = eq == std::string::npos ? std::string() : Trimmed(line.substr(eq + 1));
        bool ok = true;
        if (key == kTimeLimitKey) {
            int seconds = 0;
            const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), seconds);
            ok = ec == std::errc() && end == value.data() + value.size() && seconds > 0 && seconds <= kLongestTimeLimitS;
            if (ok) settings.emulatorTimeLimitMs = seconds * 1000;
        } else if (key == kFitKey) {
            ok = ParseFitMethod(value, settings.fit);
        }
        if (!ok) throw UserError("Неверная строка в файле " + ToNative(path) + ": " + raw);
    }
    return settings;
}

void WriteModelRunSettings(const std::string& baseFolder, const ModelRunSettings& settings) {
    const std::string text = std::string(kTimeLimitKey) + "=" + std::to_string(settings.emulatorTimeLimitMs / 1000) +
                             "\r\n" + kFitKey + "=" + (settings.fit == FitMethod::Fast ? "fast" : "bisection") + "\r\n";
    WriteFileAtomic(JoinPath(baseFolder, kModelRunSettingsFile), text);
}

}  // namespace rw
