// A results index (svod.<n>, svod.tmp) as the program reads it: the records,
// a results record added to it, the summary table and the graphs over it.
#include <algorithm>
#include <cstring>

#include "common/errors.h"
#include "fuzz_support.h"
#include "results/chart_series.h"
#include "results/results_index.h"
#include "results/summary_table.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsBytes(data, size);
    std::vector<ResultsRecord> records = DecodeResultsIndex(bytes);
    fuzz::Check(records.size() == size / kResultsRecordSize);

    // Whole records write back byte for byte, except the padding, which is
    // always written as zeros; the bytes of a partial record are dropped.
    const std::string encoded = EncodeResultsIndex(records);
    fuzz::Check(encoded.size() == records.size() * kResultsRecordSize);
    std::string expected(bytes.substr(0, encoded.size()));
    for (size_t i = 0; i < records.size(); ++i) std::memset(expected.data() + i * kResultsRecordSize + 19, 0, 5);
    fuzz::Check(encoded == expected);

    // Adding to the index: the last record is added again to the others, as
    // AddToResultsIndex does with a freshly read results file.
    if (!records.empty()) {
        std::vector<ResultsRecord> list(records.begin(), records.end() - 1);
        const size_t before = list.size();
        const size_t position = InsertOrReplaceByDate(list, records.back());
        fuzz::Check(position < list.size());
        fuzz::Check(list.size() == before || list.size() == before + 1);
        RecomputeAccumulatedCoke(list, position);
    }

    // The summary table on it; the tail bytes after the last whole record
    // choose the parameters and the columns to remove.
    const std::string_view tail = bytes.substr(records.size() * kResultsRecordSize);
    ParameterSelection selection;
    for (unsigned char c : tail) selection.Check(c % 20);
    for (const char* path : {"svod.12", "svod.tmp"}) {
        SummaryTableModel model;
        model.Open(records, path);
        (void)SummaryExportText(model.MakeTab(selection, ','));
        if (!records.empty()) {
            model.SetFrom(records[records.size() / 2].sampleDate);
            model.SetTill(records.front().sampleDate);
            model.ApplyDateRange();
            fuzz::Check(model.ColumnCount() >= 1);
        }
        for (unsigned char c : tail) {
            if (!model.RemoveColumn(c % 8)) break;
        }
        (void)SummaryClipboardText(model.MakeTab(selection, '.'));
    }

    // The graphs of every parameter.
    for (int k = 1; k <= kParameterCount; ++k) {
        ChartSeries series = BuildParameterSeries(records, k, CokeChoice::AccumulatedCoke, ',');
        (void)MakeValueAxis(series.values, 10, ',');
        (void)LabelStep(series.Size(), 12);
    }
    return 0;
}
