#include <gtest/gtest.h>

#include "common/configuration.h"
#include "common/regional.h"
#include "runs/reforming_run.h"
#include "runs/research_run.h"

namespace rw {
namespace {

ResultsRecord SampleResults() {
    ResultsRecord r;
    r.activity = 1.03;
    r.reformateYield = 88.56;
    r.tableA[8][10] = 65.76;
    r.tableA[9][10] = 65.79;
    r.octaneMotor = 88.2;
    r.octaneResearch = 97.45;
    return r;
}

TEST(ReformingSummary, LinesOfTheRunReport) {
    const auto lines = ReformingSummaryLines("01-09-09", 586911, SampleResults(), 11);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "На текущую дату 01-09-09 переработанно 586911 тонн сырья.");
    EXPECT_EQ(lines[1], "Текущая активность катализатора составила 1.03 условных едениц.");
    EXPECT_EQ(lines[2], "Выход риформата: 88.56% вес.");
    EXPECT_EQ(lines[3], "Расчетная и экспериментальная концентрация ароматики в катализате: 65.76 и 65.79 % вес. "
                        "соответственно.");
    // Latin M in the motor method, Cyrillic И and М in the research method.
    EXPECT_EQ(lines[4], "Октановое число катализата: 88.2 (M.M.), 97.45 (И.М.).");
    EXPECT_EQ(JoinLines({"a", "b"}, "\r"), "a\rb");
}

// The working configuration spells the summary right and marks the motor
// method with Cyrillic letters, in a calculation and a study alike.
TEST(ReformingSummary, WorkingConfigurationSpellsItRight) {
    SetConfiguration(Configuration::Working);
    const auto lines = ReformingSummaryLines("01-09-09", 586911, SampleResults(), 11);
    const auto study = StudySummaryLines(StudyKind::OptimalActivity, "01-09-09", 586911, SampleResults(), 11, '.');
    SetConfiguration(Configuration::Described);
    EXPECT_EQ(lines[0], "На текущую дату 01-09-09 переработано 586911 тонн сырья.");
    EXPECT_EQ(lines[1], "Текущая активность катализатора составила 1.03 условных единиц.");
    EXPECT_EQ(lines[4], "Октановое число катализата: 88.2 (М.М.), 97.45 (И.М.).");
    EXPECT_EQ(study[0], lines[0]);
    EXPECT_TRUE(study[1].ends_with(" условных единиц.")) << study[1];
    EXPECT_EQ(study[2], lines[4]);
}

TEST(ReformingSummary, PlantIndexEightHasNoOctaneLineAndCommasFollowTheRegion) {
    EXPECT_EQ(ReformingSummaryLines("01-09-09", 1, SampleResults(), 8).size(), 4u);
    const char kept = Regional().decimalSeparator;
    Regional().decimalSeparator = ',';
    const auto lines = ReformingSummaryLines("01-09-09", 1234.5, SampleResults(), 8);
    Regional().decimalSeparator = kept;
    EXPECT_EQ(lines[0], "На текущую дату 01-09-09 переработанно 1234,5 тонн сырья.");
    EXPECT_EQ(lines[1], "Текущая активность катализатора составила 1,03 условных едениц.");
}

TEST(ReviewForm, ValuesComeBackInTheFormsTextFormats) {
    using namespace run_slot;
    RunConditions r{};
    for (size_t i = 0; i < r.size(); ++i) r[i] = 10.0 + static_cast<double>(i) + 0.123456;
    const RunConditions before = r;
    PassThroughReviewForm(r);
    EXPECT_DOUBLE_EQ(r[kFeedFlow], 48.1);              // width 4, one decimal
    EXPECT_DOUBLE_EQ(r[kProcessedFeed], 46.12);
    EXPECT_DOUBLE_EQ(r[kGasComposition + 8], 44.12);   // the gas composition keeps two decimals only
    EXPECT_DOUBLE_EQ(r[kPressure + 2], 19.12);         // third reactor
    EXPECT_DOUBLE_EQ(r[kPressure + 3], before[kPressure + 3]);  // the fourth is not on the form
    EXPECT_DOUBLE_EQ(r[kTemperatureDrop + 3], before[kTemperatureDrop + 3]);
    for (int slot : {kDosing, kDosing + 1, kActivity, kSamplingDate, kRegenerationDate}) {
        EXPECT_DOUBLE_EQ(r[static_cast<size_t>(slot)], before[static_cast<size_t>(slot)]) << slot;
    }
}

TEST(ReformingRunSetUp, FilesBesideTheConditionsAndThePlantsModel) {
    ProgramContext c;
    c.baseFolder = "C:\\Prog\\bin\\sk";
    c.plantIndex = 8;
    TRavionObj object(c);
    object.Mode = 2;
    object.WriteBack = false;
    SetUpReformingRun(object, c, "C:\\Prog\\bin\\sk\\Liren\\Lg\\v.1\\01-09-09.dan");
    EXPECT_EQ(object.ResultsPath, "C:\\Prog\\bin\\sk\\Liren\\Lg\\v.1\\01-09-09.rez");
    EXPECT_EQ(object.CompositionPath, "C:\\Prog\\bin\\sk\\Liren\\Lg\\v.1\\01-09-09.sk");
    EXPECT_EQ(object.ProgramPath, "C:\\Prog\\bin\\sk\\vortan.exe");
    EXPECT_TRUE(object.PadResults);
    EXPECT_EQ(object.Mode, 0);
    EXPECT_TRUE(object.WriteBack);
    c.plantIndex = 11;
    c.modelBaseFolder = "D:\\Model";
    SetUpReformingRun(object, c, "D:\\x\\01-09-09");
    EXPECT_EQ(object.ResultsPath, "D:\\x\\01-09-09.rez");
    EXPECT_EQ(object.ProgramPath, "D:\\Model\\kelmar.exe");
    EXPECT_FALSE(object.PadResults);
    EXPECT_EQ(PlantResultsIndexPath(c), "C:\\Prog\\bin\\sk\\svod.12");
}

}  // namespace
}  // namespace rw
