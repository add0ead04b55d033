#pragma once
#include <string>

#include "conditions/conditions_edits.h"
#include "shell/conditions_record.h"

namespace rw {

// The review of the conditions before a run: the conditions form shows the
// values of the run's conditions file, the user may change them, and the run
// takes what the form holds when it is left.

// What the form shows for a review and gives back: the texts of its edits
// and the dates of its two date pickers.
struct ConditionsReview {
    ConditionsEditTexts texts;
    double samplingDate = 0;
    double regenerationDate = 0;
};

// The texts the conditions form shows for the review of a run: the
// processed feed, flows, the first three reactors, the gas composition,
// moisture and sulphur of `record`, feed flow in Fixed(4,1), all others in
// Fixed(6,2). The other edits keep the texts of `current`.
ConditionsEditTexts ReviewTexts(const RunConditions& record, const ConditionsEditTexts& current);

// ReviewTexts and the record's sampling and regeneration dates.
ConditionsReview RunRecordReview(const RunConditions& record, const ConditionsEditTexts& current);

// The review of the conditions file a run is about, its values read into
// `record`: RunRecordReview, and for plant row 11 the fifth column (Edit27
// to Edit29) from line 14 of the file in Fixed(6,2), as data selection shows
// it, never the texts an earlier showing left on the form. Throws what
// ReadRowExtension throws.
ConditionsReview RunFileReview(const RunConditions& record, const ConditionsEditTexts& current,
                               const std::string& conditionsPath, int plantIndex);

// The reviewed texts back into the record: the gas composition with
// TextToNumber (either decimal separator), every other field by the plain
// conversion, which takes the number the text begins with (0 when there is
// none) and never complains. The dates and the fourth reactor stay. A gas
// composition text that is not a number throws its conversion error and the
// record is left untouched.
void ReadBackReviewTexts(const ConditionsEditTexts& texts, RunConditions& record);

}  // namespace rw
