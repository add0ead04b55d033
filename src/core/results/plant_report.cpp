#include "results/plant_report.h"

namespace rw {
namespace {

// A line with one blank: the printed report keeps its empty lines that way.
const char* const kEmpty = " ";
const char* const kGap = "   ";  // between a caption of another window and its values

std::string Pair(const std::string& latest, const std::string& compared) { return latest + "/" + compared; }

}  // namespace

std::vector<std::string> BuildPlantReport(const PlantReportTexts& t) {
    const ComparisonWindowTexts& c = t.comparison;
    const FeedInfoWindowTexts& f = t.feedInfo;
    const ActivityWindowTexts& a = t.activity;
    std::vector<std::string> lines;
    lines.reserve(kPlantReportLines);

    lines.push_back("Отчет по установке " + t.plantCaption + " сравнение по датам " + Pair(c.Label25, c.Label24));
    lines.push_back(kEmpty);
    lines.push_back("ИСХОДНЫЕ ДАННЫЕ");
    lines.push_back(kEmpty);
    lines.push_back("Содержание водорода в ВСГ       " + Pair(c.Label17, c.C3));
    lines.push_back("Расход сырья                    " + Pair(c.Label18, c.C4));
    lines.push_back("Отношение н-Р/и-Р:");
    lines.push_back("      -в сырье                  " + Pair(c.Label22, c.C7));
    lines.push_back("      -в катализате             " + Pair(c.Label21, c.C8));
    lines.push_back("Объем переработанного сырья, т  " + Pair(c.Label27, c.C11));
    lines.push_back(kEmpty);

    lines.push_back(f.Label1);
    for (size_t i = 0; i < 6; ++i) lines.push_back(f.captions[i] + kGap + Pair(f.current[i], f.compared[i]));
    lines.push_back(kEmpty);

    lines.push_back("РЕЗУЛЬТАТЫ РАССЧЕТА");
    lines.push_back(kEmpty);
    lines.push_back("Активность катализатора         " + Pair(c.Label15, c.C1));
    lines.push_back("Число крекинга                  " + Pair(c.Label16, c.C2));
    lines.push_back("Степень превращения парафинов в реакции:");
    lines.push_back("      -Изомеризации             " + Pair(c.Label19, c.C5));
    lines.push_back("      -Дегидроциклизации        " + Pair(c.Label20, c.C6));
    lines.push_back("Выход риформата, %масс.         " + Pair(c.Label23, c.C9));
    lines.push_back("Содержание МЦП в катализате     " + Pair(c.Label12, c.C10));
    lines.push_back("Октановое число, о.ч.и.         " + Pair(c.Label29, c.C12));
    lines.push_back(t.advice.Label2 + " " + t.advice.Label5);
    lines.push_back(kEmpty);

    lines.push_back("АНАЛИЗ");
    lines.push_back(kEmpty);
    lines.push_back(a.GroupBox1);
    lines.push_back(kEmpty);
    // The dehydrocyclization caption carries no unit in the window; the
    // report adds it, as it does for the isomerization below.
    const std::array<const char*, 4> metalUnits = {"", "", ",%", ""};
    for (size_t i = 0; i < 4; ++i) {
        lines.push_back(a.metalCaptions[i] + metalUnits[i] + kGap + Pair(a.metalResearch[i], a.metalCompared[i]));
    }
    lines.push_back(kEmpty);
    lines.push_back(a.GroupBox2);
    lines.push_back(kEmpty);
    lines.push_back(a.acidCaptions[0] + kGap + Pair(a.acidResearch[0], a.acidCompared[0]));
    lines.push_back(a.acidCaptions[1] + ",%" + kGap + Pair(a.acidResearch[1], a.acidCompared[1]));
    return lines;
}

}  // namespace rw
