// A plant history of 10,000 sampling dates (24 MB): adding one results file
// to it, and opening the summary table on it (load and first fill of the
// table model).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "common/dates.h"
#include "results/results_index.h"
#include "results/summary_table.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 10000;

rw::ResultsRecord Sample(int i) {
    rw::ResultsRecord r;
    r.sampleDate = rw::EncodeDate(1990, 1, 1) + i;
    r.sampleDateText.SetText(rw::FormatDateLong(r.sampleDate));
    r.activity = 1.0 - i * 0.00003;
    r.hydrogenContent = 78 + (i % 50) * 0.1;
    r.inletTemperature = 480 + (i % 30);
    r.feedRate = 120 + (i % 17);
    r.circulationRatio = 1100 + (i % 90);
    r.crackingNumber = 3 + (i % 20) * 0.05;
    r.coke = 1 + (i % 300) * 0.01;
    r.processedFeed = 2500.0 * i;
    r.normalIsoFeed = 0.6 + (i % 7) * 0.01;
    r.normalIsoProduct = 0.45;
    for (int c = 0; c < 10; ++c)
        for (int row = 0; row < 11; ++row) r.tableA[c][row] = c + row * 0.5;
    for (int c = 0; c < 5; ++c)
        for (int row = 0; row < 31; ++row) r.tableB[c][row] = c * 2 + row * 0.25;
    return r;
}

// A folder with svod.12 of kRecords records and a results file of the date
// of the middle record, removed at the end.
struct History {
    fs::path folder;
    std::string index;
    std::string results;

    History() {
        std::random_device rd;
        folder = fs::temp_directory_path() / ("rw-bench-" + std::to_string(rd()));
        fs::create_directories(folder);
        index = (folder / "svod.12").string();
        results = (folder / "middle.rez").string();
        std::vector<rw::ResultsRecord> records;
        records.reserve(kRecords);
        for (int i = 0; i < kRecords; ++i) records.push_back(Sample(i));
        rw::WriteResultsIndex(index, records);
        rw::ResultsRecord middle = Sample(kRecords / 2);
        middle.coke = 9.5;
        rw::WriteResultsFile(results, middle);
    }
    ~History() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

// The middle date is replaced and the accumulated coke of the later half
// recomputed; the whole 24 MB file is read and rewritten each time.
void BM_AddToResultsIndex(benchmark::State& state) {
    History history;
    for (auto _ : state) rw::AddToResultsIndex(history.results, history.index);
    state.counters["records"] = kRecords;
}
BENCHMARK(BM_AddToResultsIndex)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// What "Сводная таблица" does before the window appears: read the index into
// the model and build the grid, here with all 18 parameters shown.
void BM_OpenSummaryTable(benchmark::State& state) {
    History history;
    rw::ParameterSelection selection;
    for (int k = 1; k <= rw::kParameterCount; ++k) selection.Check(k);
    for (auto _ : state) {
        rw::SummaryTableModel model;
        model.Open(history.index);
        rw::SummaryGrid grid = model.MakeTab(selection, ',');
        benchmark::DoNotOptimize(grid.cells.data());
    }
    state.counters["records"] = kRecords;
}
BENCHMARK(BM_OpenSummaryTable)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace
