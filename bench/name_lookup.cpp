// Paths the program composes, opened on a base folder as the program ships it
// and on one copied from Windows, where every name differs in letter case
// from the program's spelling and must be looked up in the folder listings.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/files.h"

namespace fs = std::filesystem;

namespace {

// A base folder of `plants` plant folders with `dates` date folders each,
// four files per date; `upper` gives every name in capitals.
struct Tree {
    fs::path root;
    std::vector<std::string> paths;  // the program's spelling, '\' separated

    Tree(const std::string& name, bool upper, int plants = 17, int dates = 40) {
        root = fs::temp_directory_path() / ("rw-bench-" + name + "-" + std::to_string(::getpid()));
        fs::remove_all(root);
        auto cased = [upper](std::string s) {
            if (upper) {
                for (char& c : s) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
            }
            return s;
        };
        for (int p = 1; p <= plants; ++p) {
            const std::string plant = "Plant" + std::to_string(p);
            for (int d = 1; d <= dates; ++d) {
                const std::string date = (d < 10 ? "0" : "") + std::to_string(d) + "-09-09";
                const fs::path folder = root / cased(plant) / date;
                fs::create_directories(folder);
                for (const char* ext : {".dan", ".sk", ".rez", ".sir"}) {
                    std::ofstream(folder / cased(date + ext)) << "x";
                    paths.push_back(root.string() + "\\" + plant + "\\" + date + "\\" + date + ext);
                }
            }
            std::ofstream(root / cased("svod." + std::to_string(p))) << "x";
            paths.push_back(root.string() + "\\svod." + std::to_string(p));
        }
    }
    ~Tree() { fs::remove_all(root); }
};

// Made once per run of the benchmark program: the repetitions measure the
// lookups, not the making of 2,700 files.
const Tree& SharedTree(bool upper) {
    static const Tree shipped("shipped", false), windows("windows", true);
    return upper ? windows : shipped;
}

void Open(benchmark::State& state, bool upper) {
    const Tree& tree = SharedTree(upper);
    for (auto _ : state) {
        for (const std::string& path : tree.paths) benchmark::DoNotOptimize(rw::FileExists(path));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(tree.paths.size()));
}

// Every file of 17 plants x 40 dates (2,737 paths) tested for existence.
void BM_ExistingNamesAsWritten(benchmark::State& state) { Open(state, false); }
void BM_ExistingNamesInWindowsCase(benchmark::State& state) { Open(state, true); }

// A file the program is about to create: its folder is looked up, the name stays.
void BM_NewFileInWindowsCaseFolder(benchmark::State& state) {
    const Tree& tree = SharedTree(true);
    const std::string path = tree.root.string() + "\\Plant1\\01-09-09\\01-09-09.BOK";
    for (auto _ : state) benchmark::DoNotOptimize(rw::ToNative(path));
}

}  // namespace

BENCHMARK(BM_ExistingNamesAsWritten)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExistingNamesInWindowsCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NewFileInWindowsCaseFolder)->Unit(benchmark::kMicrosecond);
