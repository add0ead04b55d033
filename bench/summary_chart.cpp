// The graph of a plant history of 10,000 sampling dates: building the chart
// series of one parameter (values, the "#0.###" texts at the points, the
// date labels) and laying out its value axis, from records read from the
// 24 MB index, as "Графическое представление" does before drawing.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "common/dates.h"
#include "results/chart_series.h"
#include "results/results_index.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 10000;

std::vector<rw::ResultsRecord> History() {
    std::vector<rw::ResultsRecord> records;
    records.reserve(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        rw::ResultsRecord r;
        r.sampleDate = rw::EncodeDate(1990, 1, 1) + i;
        r.sampleDateText.SetText(rw::FormatDateLong(r.sampleDate));
        r.activity = 1.0 - i * 0.00003;
        r.normalIsoFeed = 0.6 + (i % 7) * 0.01;
        r.normalIsoProduct = 0.45 + (i % 11) * 0.001;
        r.coke = 1 + (i % 300) * 0.01;
        r.accumulatedCoke = r.coke * 1.5;
        r.processedFeed = 2500.0 * i;
        records.push_back(r);
    }
    return records;
}

// The series from records already in memory, for "Степень изомеризации".
void BM_BuildChartSeries(benchmark::State& state) {
    const std::vector<rw::ResultsRecord> records = History();
    for (auto _ : state) {
        rw::ChartSeries series = rw::BuildParameterSeries(records, 11, rw::CokeChoice::Coke, '.');
        rw::ValueAxis axis = rw::MakeValueAxis(series.values, 8, '.');
        benchmark::DoNotOptimize(series);
        benchmark::DoNotOptimize(axis);
    }
    state.counters["points"] = kRecords;
}
BENCHMARK(BM_BuildChartSeries)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// The whole opening: read the index file, then build the series.
void BM_OpenGraph(benchmark::State& state) {
    std::random_device rd;
    const fs::path folder = fs::temp_directory_path() / ("rw-bench-chart-" + std::to_string(rd()));
    fs::create_directories(folder);
    const std::string index = (folder / "svod.12").string();
    rw::WriteResultsIndex(index, History());
    for (auto _ : state) {
        const std::vector<rw::ResultsRecord> records = rw::ReadResultsIndex(index);
        rw::ChartSeries series = rw::BuildParameterSeries(records, 14, rw::CokeChoice::AccumulatedCoke, '.');
        rw::ValueAxis axis = rw::MakeValueAxis(series.values, 8, '.');
        benchmark::DoNotOptimize(series);
        benchmark::DoNotOptimize(axis);
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    state.counters["points"] = kRecords;
}
BENCHMARK(BM_OpenGraph)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace
