#include "conditions/conditions_edits.h"

#include "common/number_format.h"

namespace rw {

double FormFieldValue(std::string_view text) {
    double v = 0;
    if (ParseStrictNumber(text, v, '.')) return v;
    return LongestPrefixNumber(text, '.');
}

void RecordFromEdits(const ConditionsEditTexts& e, ConditionsRecord& r) {
    auto at = [&e](int n) { return FormFieldValue(e[static_cast<size_t>(n)]); };
    r.processedFeed = at(kEditProcessedFeed);
    r.feedFlow = at(kEditFeedFlow);
    r.gasFlow = at(kEditGasFlow);
    for (int i = 0; i < 4; ++i) {
        r.pressure[static_cast<size_t>(i)] = at(kEditPressure + i);
        r.inletTemperature[static_cast<size_t>(i)] = at(kEditInletTemperature + i);
        r.temperatureDrop[static_cast<size_t>(i)] = at(kEditTemperatureDrop + i);
    }
    for (int i = 0; i < 9; ++i) r.gasComposition[static_cast<size_t>(i)] = at(kEditGasComposition + i);
    r.gasMoisture = at(kEditGasMoisture);
    r.sulphur = at(kEditSulphur);
}

ConditionsEditTexts EditsFromRecord(const ConditionsRecord& r, const RowExtension* extension) {
    ConditionsEditTexts e;
    auto set = [&e](int n, double v) { e[static_cast<size_t>(n)] = FormatFixed(v, 6, 2); };
    set(kEditProcessedFeed, r.processedFeed);
    e[kEditFeedFlow] = FormatFixed(r.feedFlow, 4, 1);
    set(kEditGasFlow, r.gasFlow);
    for (int i = 0; i < 4; ++i) {
        set(kEditPressure + i, r.pressure[static_cast<size_t>(i)]);
        set(kEditInletTemperature + i, r.inletTemperature[static_cast<size_t>(i)]);
        set(kEditTemperatureDrop + i, r.temperatureDrop[static_cast<size_t>(i)]);
    }
    for (int i = 0; i < 9; ++i) set(kEditGasComposition + i, r.gasComposition[static_cast<size_t>(i)]);
    set(kEditGasMoisture, r.gasMoisture);
    set(kEditSulphur, r.sulphur);
    if (extension) {
        for (int i = 0; i < 3; ++i) set(kEditExtension + i, (*extension)[static_cast<size_t>(i)]);
    }
    return e;
}

std::string GasCompositionSumText(const ConditionsEditTexts& e) {
    double sum = 0;
    for (int i = 0; i < 9; ++i) sum += FormFieldValue(e[static_cast<size_t>(kEditGasComposition + i)]);
    return FormatFixed(sum, 6, 5);
}

}  // namespace rw
