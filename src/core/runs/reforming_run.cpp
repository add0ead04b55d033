#include "runs/reforming_run.h"

#include "common/configuration.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "runs/conditions_review.h"
#include "runs/external_program.h"
#include "common/text_helpers.h"

namespace rw {
namespace {

std::string General(double value) { return FormatGeneral(value, 15, Regional().decimalSeparator); }

}  // namespace

// The working configuration shows the summary spelt right and the motor
// method in Cyrillic letters; the described one keeps its texts as they were.
std::string ProcessedFeedLine(const std::string& sampleName, const std::string& tonnes) {
    return "На текущую дату " + sampleName + (WorkingConfiguration() ? " переработано " : " переработанно ") +
           tonnes + " тонн сырья.";
}
std::string ActivityUnitsText() { return WorkingConfiguration() ? " условных единиц." : " условных едениц."; }
std::string MotorMethodText() { return WorkingConfiguration() ? " (М.М.), " : " (M.M.), "; }

void PassThroughReviewForm(RunConditions& r) { ReadBackReviewTexts(ReviewTexts(r, {}), r); }

std::vector<std::string> ReformingSummaryLines(const std::string& sampleName, double processedFeed,
                                               const ResultsRecord& results, int plantIndex) {
    std::vector<std::string> lines = {
        ProcessedFeedLine(sampleName, General(processedFeed)),
        "Текущая активность катализатора составила " + General(results.activity) + ActivityUnitsText(),
        "Выход риформата: " + General(results.reformateYield) + "% вес.",
        "Расчетная и экспериментальная концентрация ароматики в катализате: " +
            General(CalculatedAromatics(results)) + " и " + General(ExperimentalAromatics(results)) +
            " % вес. соответственно.",
    };
    if (plantIndex != 8) {
        // " (M.M.), " is written with Latin letters M, " (И.М.)." with Cyrillic ones.
        lines.push_back("Октановое число катализата: " + General(results.octaneMotor) + MotorMethodText() +
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
