#include "runs/reforming_run.h"

#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "runs/external_program.h"
#include "common/text_helpers.h"

namespace rw {
namespace {

// A value shown in an edit of the form and read back with the plain
// conversion, which takes the number at the start of the text.
double ShownAndReadBack(double value, int width, int decimals) {
    return LongestPrefixNumber(FormatFixed(value, width, decimals));
}

std::string General(double value) { return FormatGeneral(value, 15, Regional().decimalSeparator); }

}  // namespace

void PassThroughReviewForm(RunConditions& r) {
    using namespace run_slot;
    auto at = [&r](int slot) -> double& { return r[static_cast<size_t>(slot)]; };
    at(kProcessedFeed) = ShownAndReadBack(at(kProcessedFeed), 6, 2);  // Edit26
    at(kFeedFlow) = ShownAndReadBack(at(kFeedFlow), 4, 1);            // Edit1
    at(kGasFlow) = ShownAndReadBack(at(kGasFlow), 6, 2);              // Edit2
    for (int i = 0; i < 3; ++i) {
        at(kPressure + i) = ShownAndReadBack(at(kPressure + i), 6, 2);                  // Edit3-Edit5
        at(kInletTemperature + i) = ShownAndReadBack(at(kInletTemperature + i), 6, 2);  // Edit7-Edit9
        at(kTemperatureDrop + i) = ShownAndReadBack(at(kTemperatureDrop + i), 6, 2);    // Edit11-Edit13
    }
    for (int i = 0; i < 9; ++i) {  // Edit15-Edit23, read back the tolerant way
        at(kGasComposition + i) = TextToNumber(FormatFixed(at(kGasComposition + i), 6, 2));
    }
    at(kGasMoisture) = ShownAndReadBack(at(kGasMoisture), 6, 2);  // Edit24
    at(kSulphur) = ShownAndReadBack(at(kSulphur), 6, 2);          // Edit25
}

std::vector<std::string> ReformingSummaryLines(const std::string& sampleName, double processedFeed,
                                               const ResultsRecord& results, int plantIndex) {
    std::vector<std::string> lines = {
        "На текущую дату " + sampleName + " переработанно " + General(processedFeed) + " тонн сырья.",
        "Текущая активность катализатора составила " + General(results.activity) + " условных едениц.",
        "Выход риформата: " + General(results.reformateYield) + "% вес.",
        "Расчетная и экспериментальная концентрация ароматики в катализате: " +
            General(CalculatedAromatics(results)) + " и " + General(ExperimentalAromatics(results)) +
            " % вес. соответственно.",
    };
    if (plantIndex != 8) {
        // " (M.M.), " is written with Latin letters M, " (И.М.)." with Cyrillic ones.
        lines.push_back("Октановое число катализата: " + General(results.octaneMotor) + " (M.M.), " +
                        General(results.octaneResearch) + " (И.М.).");
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, std::string_view separator) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) out += separator;
        out += lines[i];
    }
    return out;
}

std::string PlantResultsIndexPath(const ProgramContext& c) { return JoinPath(c.baseFolder, "svod." + c.PlantNumber()); }

std::string WithExtension(const std::string& path, std::string_view extension) {
    size_t slash = path.find_last_of("\\/");
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + std::string(extension);
    return path.substr(0, dot) + std::string(extension);
}

void SetUpReformingRun(TRavionObj& object, const ProgramContext& c, const std::string& conditionsPath) {
    object.ConditionsPath = conditionsPath;
    object.ResultsPath = WithExtension(conditionsPath, ".rez");
    object.CompositionPath = WithExtension(conditionsPath, ".sk");
    object.Mode = 0;
    object.WriteBack = true;
    object.PadResults = c.plantIndex == 8;
    const std::string& modelBase = c.modelBaseFolder.empty() ? c.baseFolder : c.modelBaseFolder;
    object.ProgramPath = JoinPath(modelBase, ModelProgramName(c.plantIndex));
}

}  // namespace rw
