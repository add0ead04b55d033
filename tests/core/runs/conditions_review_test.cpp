#include <gtest/gtest.h>

#include "common/dates.h"
#include "common/errors.h"
#include "runs/conditions_review.h"

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

TEST(ConditionsReview, ReadingBackAShownRecordChangesNothing) {
    const RunConditions record = Record();
    RunConditions read = record;
    ReadBackReviewTexts(RunRecordReview(record, {}).texts, read);
    EXPECT_EQ(read, record);
}

}  // namespace
}  // namespace rw
