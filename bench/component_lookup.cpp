// Lookup of the component lists of one formation: the database object that
// reads the folder once against the search that re-reads the files for every
// name. A formation looks up three lists (feed, catalyzate, side cut) of at
// most 350 lines; the database here holds 50,000 group-file lines.
//
//   bench/bench_component_lookup --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "component_doubles.h"
#include "composition/component_database.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDatabaseLines = 50000;
constexpr int kListLines = 350;
constexpr int kLists = 3;

struct Setup {
    fs::path folder;
    std::vector<std::vector<std::string>> lists;

    Setup() {
        folder = fs::temp_directory_path() / ("rw-bench-basa-" + std::to_string(getpid()));
        fs::create_directories(folder);
        std::mt19937 rng(2009);
        const auto& seq = rw::GroupFileSequence();
        std::vector<std::string> files(seq.size());
        std::vector<std::string> known;
        for (int i = 0; i < kDatabaseLines; ++i) {
            size_t f = rng() % seq.size();
            std::string name = rw::PadName("C" + std::to_string(seq[f].carbon) + " component " + std::to_string(i));
            files[f] += std::to_string(1 + rng() % 69) + " " + name + "\r\n";
            known.push_back(name);
        }
        for (size_t f = 0; f < seq.size(); ++f) {
            std::ofstream(folder / rw::GroupFileName(seq[f].group, std::to_string(seq[f].carbon)), std::ios::binary)
                << files[f];
        }
        std::string nlo;
        std::vector<std::string> ignored;
        for (int i = 0; i < 200; ++i) {
            ignored.push_back(rw::PadName("Ignored substance " + std::to_string(i)));
            nlo += ignored.back() + "\r\n";
        }
        std::ofstream(folder / "nlo", std::ios::binary) << nlo;

        // A realistic list: most names built-in, many from the files, a few
        // ignored, a few unknown (those are read through every file).
        for (int l = 0; l < kLists; ++l) {
            std::vector<std::string> list;
            for (int i = 0; i < kListLines; ++i) {
                unsigned k = rng() % 100;
                if (k < 40) {
                    list.push_back(rw::PadName(rw::BuiltInRowAt(1 + static_cast<int>(rng() % rw::kBuiltInRowCount)).name));
                } else if (k < 90) {
                    list.push_back(known[rng() % known.size()]);
                } else if (k < 95) {
                    list.push_back(ignored[rng() % ignored.size()]);
                } else {
                    list.push_back(rw::PadName("Unknown " + std::to_string(rng())));
                }
            }
            lists.push_back(std::move(list));
        }
    }
    ~Setup() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

Setup& Data() {
    static Setup s;
    return s;
}

// One formation: the object is made once and answers all three lists.
void BM_InMemoryFormation(benchmark::State& state) {
    const Setup& d = Data();
    for (auto _ : state) {
        rw::ComponentDatabase db(d.folder.string());
        size_t hits = 0;
        for (const auto& list : d.lists) {
            for (const auto& name : list) hits += db.LookUp(name).hits.size();
        }
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_InMemoryFormation)->Unit(benchmark::kMillisecond);

// The lookups alone, on an object already made.
void BM_InMemoryLookupsOnly(benchmark::State& state) {
    const Setup& d = Data();
    rw::ComponentDatabase db(d.folder.string());
    for (auto _ : state) {
        size_t hits = 0;
        for (const auto& list : d.lists) {
            for (const auto& name : list) hits += db.LookUp(name).hits.size();
        }
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_InMemoryLookupsOnly)->Unit(benchmark::kMillisecond);

// The file search, name by name.
void BM_PerNameFileSearch(benchmark::State& state) {
    const Setup& d = Data();
    const std::string folder = d.folder.string();
    for (auto _ : state) {
        size_t hits = 0;
        for (const auto& list : d.lists) {
            for (const auto& name : list) hits += rw::LookUpComponentByFiles(folder, name).hits.size();
        }
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_PerNameFileSearch)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
