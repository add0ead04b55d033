#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/files.h"
#include "conditions/conditions_file.h"
#include "results/activity.h"
#include "results/results_file.h"
#include "test_support.h"

namespace rw {
namespace {

ConditionsRecord Conditions(double drop, double hydrogen) {
    ConditionsRecord c;
    c.samplingDateText = "01.09.09";
    c.regenerationDateText = "15.03.09";
    c.temperatureDrop = {drop, 30, 20, 10};
    c.gasComposition = {hydrogen, 5, 4, 3, 1, 1, 0.5, 0.3, 0.2};
    return c;
}

ResultsRecord Results(double feedRatio, double productRatio) {
    ResultsRecord r;
    r.sampleDate = 40057;
    r.sampleDateText.SetText("01.09.2009");
    r.crackingNumber = 4.6;
    r.tableB[3][0] = 2.34;  // hydrogen yield
    r.normalIsoFeed = feedRatio;
    r.normalIsoProduct = productRatio;
    r.dehydrocyclization = 45.28;
    return r;
}

TEST(Activity, ConditionsFileGivesTheFirstDropAndHydrogen) {
    const ActivityConditions form = ParseActivityConditions(FormatFormLayout(Conditions(64.8, 84.61)));
    EXPECT_EQ(form.temperatureDrop, 64.8);
    EXPECT_EQ(form.hydrogen, 84.61);
    RunConditions run{};
    run[run_slot::kTemperatureDrop] = 12.5;
    run[run_slot::kGasComposition] = 77.25;
    const ActivityConditions fromRun = ParseActivityConditions(FormatRunLayout(run, 3));
    EXPECT_EQ(fromRun.temperatureDrop, 12.5);
    EXPECT_EQ(fromRun.hydrogen, 77.25);
    EXPECT_EQ(ActivityConditionsTexts(form, ','), (std::array<std::string, 2>{"64,8", "84,61"}));

    EXPECT_THROW(ParseActivityConditions("1\r\n2\r\n3\r\n4\r\n5\r\n6,5 x\r\n7\r\n"), UserError);
    EXPECT_THROW(ReadActivityConditions("/nonexistent/x.dan"), UserError);
}

TEST(Activity, ResultsFileGivesTheFourIndicatorsAndIsomerizationIsNeverNegative) {
    for (auto [feed, product] : {std::pair{0.86, 0.46}, std::pair{0.46, 0.86}}) {
        const ActivityResults v = ParseActivityResults(FormatResultsFile(Results(feed, product)));
        EXPECT_EQ(v.crackingNumber, 4.6);
        EXPECT_EQ(v.hydrogenYield, 2.34);
        EXPECT_EQ(v.dehydrocyclization, 45.28);
        EXPECT_NEAR(v.isomerization, 40, 1e-9);
        EXPECT_EQ(ActivityResultsTexts(v, '.'), (std::array<std::string, 4>{"45.28", "2.34", "4.6", "40.00"}));
    }
    // A results file of the sample plant, read the same way.
    const ActivityResults sample =
        ReadActivityResults(test::SourceDataTree() + "/Hornel/10-06-09/10-06-09.rez");
    EXPECT_EQ(sample.crackingNumber, 4.6);
    EXPECT_EQ(sample.dehydrocyclization, 45.28);
    EXPECT_NEAR(sample.isomerization, 40, 1e-9);
}

TEST(Activity, ResultsFieldsThatAreNoNumbersAreReported) {
    std::vector<std::string> lines = SplitLines(FormatResultsFile(Results(0.86, 0.46)));
    lines[68].resize(40);  // dehydrocyclization missing
    EXPECT_EQ(test::UserErrorOf([&] { ParseActivityResults(JoinLinesCrLf(lines)); }),
              "'' is not a valid floating point value");
    lines = SplitLines(FormatResultsFile(Results(0.86, 0.46)));
    lines[8] = std::string(59, ' ') + "4.6.1";
    EXPECT_THROW(ParseActivityResults(JoinLinesCrLf(lines)), UserError);
}

TEST(Activity, ComparedCaseName) {
    EXPECT_EQ(ComparedCaseName("C:\\sk\\Hornel\\01-09-09\\01-09-09.dan"), "01-09-09");
    EXPECT_EQ(ComparedCaseName("/tmp/x/probe.DAN"), "probe");
    EXPECT_EQ(ComparedCaseName("noext"), "noext");
    EXPECT_EQ(ComparedResultsPath("C:\\sk\\Hornel\\01-09-09.dan"), "C:\\sk\\Hornel\\01-09-09.rez");
}

}  // namespace
}  // namespace rw
