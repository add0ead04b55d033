#include "runs/conditions_review.h"

#include "common/number_format.h"
#include "conditions/conditions_file.h"
#include "common/text_helpers.h"

namespace rw {

namespace {

using namespace run_slot;

// The fields of the review and where they sit in the run record. Only the
// first three reactors are on the form; the gas composition has its own rule.
struct ReviewField {
    int edit;
    int slot;
    int width;
    int decimals;
};
constexpr ReviewField kReviewFields[] = {
    {kEditProcessedFeed, kProcessedFeed, 6, 2},
    {kEditFeedFlow, kFeedFlow, 4, 1},
    {kEditGasFlow, kGasFlow, 6, 2},
    {kEditPressure, kPressure, 6, 2},
    {kEditPressure + 1, kPressure + 1, 6, 2},
    {kEditPressure + 2, kPressure + 2, 6, 2},
    {kEditInletTemperature, kInletTemperature, 6, 2},
    {kEditInletTemperature + 1, kInletTemperature + 1, 6, 2},
    {kEditInletTemperature + 2, kInletTemperature + 2, 6, 2},
    {kEditTemperatureDrop, kTemperatureDrop, 6, 2},
    {kEditTemperatureDrop + 1, kTemperatureDrop + 1, 6, 2},
    {kEditTemperatureDrop + 2, kTemperatureDrop + 2, 6, 2},
    {kEditGasMoisture, kGasMoisture, 6, 2},
    {kEditSulphur, kSulphur, 6, 2},
};

}  // namespace

ConditionsEditTexts ReviewTexts(const RunConditions& record, const ConditionsEditTexts& current) {
    ConditionsEditTexts texts = current;
    for (const ReviewField& f : kReviewFields) {
        texts[static_cast<size_t>(f.edit)] = FormatFixed(record[static_cast<size_t>(f.slot)], f.width, f.decimals);
    }
    for (int i = 0; i < kGasCompositionEdits; ++i) {
        texts[static_cast<size_t>(kEditGasComposition + i)] =
            FormatFixed(record[static_cast<size_t>(kGasComposition + i)], 6, 2);
    }
    return texts;
}

ConditionsReview RunRecordReview(const RunConditions& record, const ConditionsEditTexts& current) {
    return {ReviewTexts(record, current), record[kSamplingDate], record[kRegenerationDate]};
}

ConditionsReview RunFileReview(const RunConditions& record, const ConditionsEditTexts& current,
                               const std::string& conditionsPath, int plantIndex) {
    constexpr int kRowWithFifthReactor = 11;
    ConditionsReview review = RunRecordReview(record, current);
    if (plantIndex == kRowWithFifthReactor) {
        const RowExtension fifth = ReadRowExtension(conditionsPath);
        for (size_t i = 0; i < fifth.size(); ++i) {
            review.texts[static_cast<size_t>(kEditExtension) + i] = FormatFixed(fifth[i], 6, 2);
        }
    }
    return review;
}

void ReadBackReviewTexts(const ConditionsEditTexts& texts, RunConditions& record) {
    RunConditions read = record;
    for (const ReviewField& f : kReviewFields) {
        read[static_cast<size_t>(f.slot)] = LongestPrefixNumber(texts[static_cast<size_t>(f.edit)], '.');
    }
    for (int i = 0; i < kGasCompositionEdits; ++i) {
        const std::string& text = texts[static_cast<size_t>(kEditGasComposition + i)];
        read[static_cast<size_t>(kGasComposition + i)] = TextToNumber(text);
    }
    record = read;
}

}  // namespace rw
