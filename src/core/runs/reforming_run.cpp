#include "runs/reforming_run.h"

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

void PassThroughReviewForm(RunConditions& r) { ReadBackReviewTexts(ReviewTexts(r, {}), r); }

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
