#include <gtest/gtest.h>

#include "common/dates.h"
#include "common/errors.h"
#include "conditions/conditions_file.h"
#include "runs/conditions_review.h"
#include "test_support.h"

namespace rw {
namespace {

using namespace run_slot;

RunConditions Record() {
    RunConditions r{};
    r[kFeedFlow] = 65;
    r[kPressure] = 25.3;
    r[kPressure + 3] = 23.5;  // the fourth reactor: not on the form
    r[kInletTemperature + 2] = 494;
    r[kGasComposition + 8] = 0.1;
    r[kProcessedFeed] = 1000;
    r[kSamplingDate] = EncodeDate(2009, 9, 1);
    r[kRegenerationDate] = EncodeDate(2009, 3, 15);
    return r;
}

TEST(ConditionsReview, ShowsTheRecordsFieldsAndDatesAndKeepsTheOtherEdits) {
    ConditionsEditTexts current;
    current[kEditExtension] = "12.5";  // the fifth reactor's edits are not the record's
    current[kEditLast] = "kept";
    current[kEditPressure + 3] = "24.0";  // the fourth reactor's pressure keeps its text too
    const ConditionsReview shown = RunRecordReview(Record(), current);
    EXPECT_EQ(shown.samplingDate, EncodeDate(2009, 9, 1));
    EXPECT_EQ(shown.regenerationDate, EncodeDate(2009, 3, 15));
    EXPECT_EQ(shown.texts[kEditFeedFlow], "65.0");
    EXPECT_EQ(shown.texts[kEditPressure], " 25.30");
    EXPECT_EQ(shown.texts[kEditPressure + 3], "24.0");
    EXPECT_EQ(shown.texts[kEditInletTemperature + 2], "494.00");
    EXPECT_EQ(shown.texts[kEditGasComposition + 8], "  0.10");
    EXPECT_EQ(shown.texts[kEditProcessedFeed], "1000.00");
    EXPECT_EQ(shown.texts[kEditExtension], "12.5");
    EXPECT_EQ(shown.texts[kEditLast], "kept");
}

// Every review of row 11 shows the fifth column of the file it is about,
// whatever an earlier showing left on the form; other rows keep the texts.
TEST(ConditionsReview, TheFifthColumnOfRow11ComesFromTheFile) {
    test::TempDir dir;
    ConditionsEditTexts earlier;
    earlier[kEditExtension] = " 26.50";
    earlier[kEditExtension + 1] = "502.98";
    earlier[kEditExtension + 2] = "  7.58";
    const std::string withFifth = dir.Write("a.dan", FormatFormLayout(ConditionsRecord{}, {.extension = RowExtension{27, 499, 8}}));
    const std::string without = dir.Write("b.dan", FormatFormLayout(ConditionsRecord{}));
    struct Case {
        const std::string* file;
        int plantIndex;
        const char* shown[3];
    };
    const Case cases[] = {
        {&withFifth, 11, {" 27.00", "499.00", "  8.00"}},
        {&without, 11, {"  0.00", "  0.00", "  0.00"}},  // as data selection shows a 13-line file
        {&withFifth, 10, {" 26.50", "502.98", "  7.58"}},
    };
    for (const Case& c : cases) {
        const ConditionsReview review = RunFileReview(Record(), earlier, *c.file, c.plantIndex);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(review.texts[static_cast<size_t>(kEditExtension + i)], c.shown[i]) << *c.file << " row " << c.plantIndex;
        }
        EXPECT_EQ(review.texts[kEditFeedFlow], "65.0");
        EXPECT_EQ(review.samplingDate, EncodeDate(2009, 9, 1));
    }
}

TEST(ConditionsReview, ReadingBackAShownRecordChangesNothing) {
    const RunConditions record = Record();
    RunConditions read = record;
    ReadBackReviewTexts(RunRecordReview(record, {}).texts, read);
    EXPECT_EQ(read, record);
}

}  // namespace
}  // namespace rw
