#include <gtest/gtest.h>

#include "common/configuration.h"
#include "results/plant_report.h"

namespace rw {
namespace {

size_t Chars(const std::string& utf8) {
    size_t n = 0;
    for (unsigned char ch : utf8) n += (ch & 0xC0) != 0x80;
    return n;
}

struct ConfigurationScope {
    explicit ConfigurationScope(Configuration c) : before(CurrentConfiguration()) { SetConfiguration(c); }
    ~ConfigurationScope() { SetConfiguration(before); }
    Configuration before;
};

// A calculation compared with an earlier results file, both feeds known, the
// dosing worked out and a case compared for the activity.
PlantReportData Filled() {
    PlantReportData d;
    d.plantCaption = "Hornel";
    ResultsRecord latest;
    latest.activity = 0.87;
    latest.octaneResearch = 95.1;
    latest.processedFeed = 123456.5;
    latest.normalIsoFeed = 1.25;
    latest.normalIsoProduct = 1.2;
    ResultsRecord compared;
    compared.activity = 0.96;
    compared.octaneResearch = 94.8;
    d.latest = NamedResults{"01-09-09", latest};
    d.compared = NamedResults{"10-06-09", compared};
    d.currentFeed = {"78", "83", "80", "93", "101", "0.715"};
    d.comparedFeed = {"77", "82", "", "", "", ""};
    d.dosingText = "Cl 1.00\rДХЭ 2.00\r\nЧХУ 3.00";
    LatestCalculation research;
    research.results = latest;
    d.research = research;
    d.comparedConditions = ActivityConditions{69, 81.2};
    d.comparedResults = ActivityResults{1.5, 2.25, 3.5, 2.7};
    return d;
}

TEST(PlantReport, ValuesStartInColumn33AndPairTheLatestWithTheCompared) {
    const std::vector<std::string> lines = BuildPlantReport(Filled(), ',');
    ASSERT_EQ(lines.size(), size_t(kPlantReportLines));
    EXPECT_EQ(lines[0], "Отчет по установке Hornel сравнение по датам 01-09-09/10-06-09");
    for (int n : {5, 6, 8, 9, 10, 22, 23, 25, 26, 27, 28, 29}) {
        const std::string& line = lines[static_cast<size_t>(n - 1)];
        EXPECT_EQ(Chars(line.substr(0, line.find_first_of("0123456789"))), 32u) << n << ": " << line;
    }
    EXPECT_EQ(lines[21], "Активность катализатора         0,870/0,960");
    EXPECT_EQ(lines[28], "Октановое число, о.ч.и.         95,100/94,800");
    // The isomerization is 100 times the fall of the n/i ratio: (1.25 - 1.2) * 100.
    EXPECT_EQ(lines[24], "      -Изомеризации             5,000/0,000");
    EXPECT_EQ(lines[9], "Объем переработанного сырья, т  123456,500/0,000");
    EXPECT_EQ(lines[12], "НК   78/77");
    EXPECT_EQ(lines[16], "КК   101/");
    // The dosing lines break as the recommendations show them.
    EXPECT_EQ(lines[29], "Рекомендуемая подача: Cl 1.00\nДХЭ 2.00\nЧХУ 3.00");
    EXPECT_EQ(lines[35], "Перепад температур   0,0/69,0");
    auto endsWith = [](const std::string& s, const std::string& end) {
        return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
    };
    EXPECT_TRUE(endsWith(lines[37], "/1,50")) << lines[37];
    EXPECT_TRUE(lines[37].rfind("Дегидроциклизация,%   ", 0) == 0) << lines[37];
    EXPECT_EQ(lines[36], "Концентрация водорода   0,00/81,20");
    EXPECT_EQ(lines[42], "Число крекинга   0,0/3,5");
    EXPECT_EQ(lines[43], "Степень изомеризации,%   5,00/2,70");
}

// Before anything is calculated or compared: the described configuration
// prints what its viewers show then (design captions, "0" for compared
// activity), the working one leaves the places empty; a comparison whose
// results file was missing keeps the compared conditions alone.
TEST(PlantReport, WhatIsNotKnownYetInEachConfiguration) {
    PlantReportData d;
    d.plantCaption = "Hornel";
    d.comparedConditions = ActivityConditions{69, 81.2};
    {
        ConfigurationScope described(Configuration::Described);
        const std::vector<std::string> lines = BuildPlantReport(d, '.');
        EXPECT_EQ(lines[0], "Отчет по установке Hornel сравнение по датам Label25/");
        EXPECT_EQ(lines[4], "Содержание водорода в ВСГ       Label17/");
        EXPECT_EQ(lines[7], "      -в сырье                  Label22/");
        EXPECT_EQ(lines[19], "РЕЗУЛЬТАТЫ РАССЧЕТА");
        EXPECT_EQ(lines[21], "Активность катализатора         Label15/");
        EXPECT_EQ(lines[27], "Содержание МЦП в катализате     Label12/");
        EXPECT_EQ(lines[29], "Рекомендуемая подача: ");
        EXPECT_EQ(lines[35], "Перепад температур   Mb1/69.0");
        EXPECT_EQ(lines[38], "Выход водорода, % масс.   Mb4/0");
        EXPECT_EQ(lines[43], "Степень изомеризации,%   Kb2/0");
    }
    {
        ConfigurationScope working(Configuration::Working);
        const std::vector<std::string> lines = BuildPlantReport(d, '.');
        EXPECT_EQ(lines[0], "Отчет по установке Hornel сравнение по датам /");
        EXPECT_EQ(lines[19], "РЕЗУЛЬТАТЫ РАСЧЕТА");
        EXPECT_EQ(lines[21], "Активность катализатора         /");
        EXPECT_EQ(lines[35], "Перепад температур   /69.0");
        EXPECT_EQ(lines[43], "Степень изомеризации,%   /");
        EXPECT_EQ(lines[12], "НК   /");
        // Without a compared case nothing stands after the slash.
        d.comparedConditions.reset();
        EXPECT_EQ(BuildPlantReport(d, '.')[35], "Перепад температур   /");
    }
}

}  // namespace
}  // namespace rw
