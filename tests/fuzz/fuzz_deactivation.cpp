// dizakt.<i>, the deactivation history: 16-byte points (date, value), a new
// value stored into it, and the graph of it.
#include "common/dates.h"
#include "common/errors.h"
#include "fuzz_support.h"
#include "results/chart_series.h"
#include "results/deactivation.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsBytes(data, size);
    std::vector<DeactivationPoint> points = DecodeDeactivationHistory(bytes);
    fuzz::Check(points.size() == size / kDeactivationRecordSize);
    fuzz::Check(EncodeDeactivationHistory(points) == bytes.substr(0, points.size() * kDeactivationRecordSize));

    // Storing a value: the first point's date again (a replacement) and a
    // date of its own (an insertion or an append), through the file.
    const std::string path = fuzz::WriteScratch("dizakt.11", bytes);
    try {
        const DeactivationPoint added{points.empty() ? 40000.0 : points.front().date + 1, 0.5};
        std::vector<DeactivationPoint> stored = StoreDeactivationValue(path, added);
        fuzz::Check(stored.size() == points.size() || stored.size() == points.size() + 1);
        // Compared as bytes: a NaN value is not equal to itself.
        fuzz::Check(EncodeDeactivationHistory(ReadDeactivationHistory(path)) == EncodeDeactivationHistory(stored));
    } catch (const UserError&) {
    }

    // The graph: the dates as labels, the values as points.
    std::vector<std::string> labels;
    std::vector<double> values;
    for (const DeactivationPoint& p : points) {
        labels.push_back(FormatDateShort(p.date));
        values.push_back(p.value);
    }
    ChartSeries series = BuildSeries(labels, values, ',');
    (void)MakeValueAxis(series.values, 10, ',');
    return 0;
}
