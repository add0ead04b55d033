#include <gtest/gtest.h>

#include "results/plant_report.h"

namespace rw {
namespace {

size_t Chars(const std::string& utf8) {
    size_t n = 0;
    for (unsigned char ch : utf8) n += (ch & 0xC0) != 0x80;
    return n;
}

// The windows as they are before any calculation: every control shows its
// design caption, the compared values are empty.
PlantReportTexts DesignTexts() {
    PlantReportTexts t;
    t.plantCaption = "Л-35-11/1000 ";
    ComparisonWindowTexts& c = t.comparison;
    c.Label25 = "Label25";
    c.Label15 = "Label15";
    c.Label16 = "Label16";
    c.Label17 = "Label17";
    c.Label18 = "Label18";
    c.Label19 = "Label19";
    c.Label20 = "Label20";
    c.Label21 = "Label21";
    c.Label22 = "Label22";
    c.Label23 = "Label23";
    c.Label12 = "Label12";
    c.Label27 = "Label27";
    c.Label29 = "Label29";
    t.feedInfo.Label1 = "Фракционный состав сырья";
    t.feedInfo.captions = {"НК", "10 %", "50 %", "90 %", "КК", "Плотность сырья, г/см3"};
    t.advice = {"Рекомендуемая подача:", "Label5"};
    ActivityWindowTexts& a = t.activity;
    a.GroupBox1 = "Металлическая активность";
    a.metalCaptions = {"Перепад температур", "Концентрация водорода", "Дегидроциклизация", "Выход водорода, % масс."};
    a.metalResearch = {"Mb1", "Mb2", "Mb3", "Mb4"};
    a.metalCompared = {"0", "0", "0", "0"};
    a.GroupBox2 = "Кислотная активность";
    a.acidCaptions = {"Число крекинга", "Степень изомеризации"};
    a.acidResearch = {"Kb1", "Kb2"};
    a.acidCompared = {"0", "0"};
    return t;
}

TEST(PlantReport, ValuesStartInColumn33AfterACalculationAndAComparison) {
    PlantReportTexts t = DesignTexts();
    t.plantCaption = "Hornel";
    t.comparison.Label25 = "01-09-09";
    t.comparison.Label24 = "10-06-09";
    t.comparison.Label15 = "0.870";
    t.comparison.C1 = "0.960";
    t.comparison.Label29 = "95.100";
    t.comparison.C12 = "94.800";
    const std::vector<std::string> lines = BuildPlantReport(t);
    EXPECT_EQ(lines[0], "Отчет по установке Hornel сравнение по датам 01-09-09/10-06-09");
    for (int n : {5, 6, 8, 9, 10, 22, 23, 25, 26, 27, 28, 29}) {
        const std::string& line = lines[static_cast<size_t>(n - 1)];
        const std::string caption = line.substr(0, line.find("Label") != std::string::npos ? line.find("Label")
                                                                                               : line.find_first_of("0123456789"));
        EXPECT_EQ(Chars(caption), 32u) << n << ": " << line;
    }
    EXPECT_EQ(lines[21], "Активность катализатора         0.870/0.960");
    EXPECT_EQ(lines[28], "Октановое число, о.ч.и.         95.100/94.800");
}

}  // namespace
}  // namespace rw
