#include "results/plant_report.h"

#include <algorithm>

#include "common/configuration.h"
#include "results/result_views.h"

namespace rw {
namespace {

// A line with one blank: the printed report keeps its empty lines that way.
const char* const kEmpty = " ";
const char* const kGap = "   ";  // between a caption of another viewer and its values

// Rows of the comparison, in the order of ComparisonValues.
enum ComparisonRow {
    kActivity, kCrackingNumber, kHydrogen, kFeedRate, kIsomerization, kDehydrocyclization,
    kFeedRatio, kCatalyzateRatio, kReformateYield, kMethylcyclopentane, kProcessedFeed, kOctaneNumber
};
// What the described configuration's comparison shows before a calculation.
const std::array<const char*, kComparisonRows> kLatestDesignCaptions = {
    "Label15", "Label16", "Label17", "Label18", "Label19", "Label20",
    "Label22", "Label21", "Label23", "Label12", "Label27", "Label29"};

const std::array<std::string, 6> kFeedCaptions = {"НК", "10 %", "50 %", "90 %", "КК", "Плотность сырья, г/см3"};
const std::array<std::string, 4> kMetalCaptions = {"Перепад температур", "Концентрация водорода", "Дегидроциклизация",
                                                   "Выход водорода, % масс."};
const std::array<std::string, 2> kAcidCaptions = {"Число крекинга", "Степень изомеризации"};

std::string Pair(const std::string& latest, const std::string& compared) { return latest + "/" + compared; }

// The lines of the dosing as a label shows them: CR LF and lone CR both break a line.
std::string ShownLines(const std::string& text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            shown += text[i];
            continue;
        }
        shown += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return shown;
}

// The texts of one column of the comparison, or its captions before values.
std::array<std::string, kComparisonRows> ComparisonColumn(const std::optional<NamedResults>& results,
                                                          char decimalSeparator, bool latest) {
    if (results) return ComparisonTexts(results->record, decimalSeparator);
    std::array<std::string, kComparisonRows> texts{};
    if (latest && DescribedConfiguration()) std::copy(kLatestDesignCaptions.begin(), kLatestDesignCaptions.end(), texts.begin());
    return texts;
}

// The activity texts: metal (drop, hydrogen, dehydrocyclization, hydrogen
// yield) then acid (cracking number, isomerization).
using ActivityColumn = std::array<std::string, 6>;
ActivityColumn ResearchColumn(const PlantReportData& d, char sep) {
    if (!d.research) {
        if (DescribedConfiguration()) return {"Mb1", "Mb2", "Mb3", "Mb4", "Kb1", "Kb2"};
        return {};
    }
    const auto conditions = ActivityConditionsTexts(ActivityConditionsOf(*d.research), sep);
    const auto results = ActivityResultsTexts(ActivityResultsOf(*d.research), sep);
    return {conditions[0], conditions[1], results[0], results[1], results[2], results[3]};
}
ActivityColumn ComparedColumn(const PlantReportData& d, char sep) {
    ActivityColumn column;
    column.fill(DescribedConfiguration() ? "0" : "");
    if (d.comparedConditions) {
        const auto conditions = ActivityConditionsTexts(*d.comparedConditions, sep);
        column[0] = conditions[0];
        column[1] = conditions[1];
    }
    if (d.comparedResults) {
        const auto results = ActivityResultsTexts(*d.comparedResults, sep);
        for (size_t i = 0; i < 4; ++i) column[2 + i] = results[i];
    }
    return column;
}

}  // namespace

std::vector<std::string> BuildPlantReport(const PlantReportData& d, char sep) {
    const auto latest = ComparisonColumn(d.latest, sep, true);
    const auto compared = ComparisonColumn(d.compared, sep, false);
    auto row = [&](ComparisonRow r) { return Pair(latest[r], compared[r]); };
    const std::string latestName = d.latest ? d.latest->name : DescribedConfiguration() ? "Label25" : "";
    const std::string comparedName = d.compared ? d.compared->name : "";
    const ActivityColumn research = ResearchColumn(d, sep);
    const ActivityColumn comparedActivity = ComparedColumn(d, sep);

    std::vector<std::string> lines;
    lines.reserve(kPlantReportLines);
    lines.push_back("Отчет по установке " + d.plantCaption + " сравнение по датам " + Pair(latestName, comparedName));
    lines.push_back(kEmpty);
    lines.push_back("ИСХОДНЫЕ ДАННЫЕ");
    lines.push_back(kEmpty);
    lines.push_back("Содержание водорода в ВСГ       " + row(kHydrogen));
    lines.push_back("Расход сырья                    " + row(kFeedRate));
    lines.push_back("Отношение н-Р/и-Р:");
    lines.push_back("      -в сырье                  " + row(kFeedRatio));
    lines.push_back("      -в катализате             " + row(kCatalyzateRatio));
    lines.push_back("Объем переработанного сырья, т  " + row(kProcessedFeed));
    lines.push_back(kEmpty);

    lines.push_back("Фракционный состав сырья");
    for (size_t i = 0; i < 6; ++i) lines.push_back(kFeedCaptions[i] + kGap + Pair(d.currentFeed[i], d.comparedFeed[i]));
    lines.push_back(kEmpty);

    // The described report keeps its heading letter for letter.
    lines.push_back(WorkingConfiguration() ? "РЕЗУЛЬТАТЫ РАСЧЕТА" : "РЕЗУЛЬТАТЫ РАССЧЕТА");
    lines.push_back(kEmpty);
    lines.push_back("Активность катализатора         " + row(kActivity));
    lines.push_back("Число крекинга                  " + row(kCrackingNumber));
    lines.push_back("Степень превращения парафинов в реакции:");
    lines.push_back("      -Изомеризации             " + row(kIsomerization));
    lines.push_back("      -Дегидроциклизации        " + row(kDehydrocyclization));
    lines.push_back("Выход риформата, %масс.         " + row(kReformateYield));
    lines.push_back("Содержание МЦП в катализате     " + row(kMethylcyclopentane));
    lines.push_back("Октановое число, о.ч.и.         " + row(kOctaneNumber));
    lines.push_back("Рекомендуемая подача: " + ShownLines(d.dosingText));
    lines.push_back(kEmpty);

    lines.push_back("АНАЛИЗ");
    lines.push_back(kEmpty);
    lines.push_back("Металлическая активность");
    lines.push_back(kEmpty);
    // The dehydrocyclization caption carries no unit on the activity viewer;
    // the report adds it, as it does for the isomerization below.
    const std::array<const char*, 4> metalUnits = {"", "", ",%", ""};
    for (size_t i = 0; i < 4; ++i) {
        lines.push_back(kMetalCaptions[i] + metalUnits[i] + kGap + Pair(research[i], comparedActivity[i]));
    }
    lines.push_back(kEmpty);
    lines.push_back("Кислотная активность");
    lines.push_back(kEmpty);
    lines.push_back(kAcidCaptions[0] + kGap + Pair(research[4], comparedActivity[4]));
    lines.push_back(kAcidCaptions[1] + ",%" + kGap + Pair(research[5], comparedActivity[5]));
    return lines;
}

}  // namespace rw
