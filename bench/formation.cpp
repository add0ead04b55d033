// Formation of a composition file end to end: the database folder read, three
// 350-line component lists copied to basa.dat, counted, lumped and mixed, and
// the .sk written. The delivered database of data/bin/sk/Basa is used when
// it is there; otherwise one of similar size is generated.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/files.h"
#include "composition/component_database.h"
#include "composition/formation.h"

namespace fs = std::filesystem;

namespace {

constexpr int kListLines = 350;

class NoUnknowns : public rw::ComponentResolver {
public:
    std::optional<rw::ComponentTarget> Resolve(const std::string& name, rw::ComponentDatabase&) override {
        throw std::runtime_error("the benchmark lists hold an unknown name: " + name);
    }
};

void WriteBytes(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// A database of the delivered size: every group file of the search sequence
// with a few dozen names, an ignore list and trafaret.
void GenerateDatabase(const fs::path& basa, std::mt19937& rng) {
    fs::create_directories(basa);
    std::uniform_int_distribution<int> component(1, 69);
    for (const auto& ref : rw::GroupFileSequence()) {
        std::string bytes;
        for (int i = 0; i < 40; ++i) {
            bytes += std::to_string(component(rng)) + " " +
                     rw::PadName("Generated " + std::to_string(ref.group) + "-" + std::to_string(ref.carbon) + "-" +
                                 std::to_string(i)) +
                     "\r\n";
        }
        WriteBytes(basa / rw::GroupFileName(ref.group, std::to_string(ref.carbon)), bytes);
    }
    std::string nlo;
    for (int i = 0; i < 30; ++i) nlo += rw::PadName("Generated ignored " + std::to_string(i)) + "\r\n";
    WriteBytes(basa / "nlo", nlo);
    std::string trafaret;
    for (int i = 0; i < 56; ++i) trafaret += "trafaret\r\n";
    WriteBytes(basa / "trafaret", trafaret);
}

// Names the database knows: the built-in rows and every group-file name.
std::vector<std::string> KnownNames(const fs::path& basa) {
    std::vector<std::string> names;
    for (int row = 1; row <= rw::kBuiltInRowCount; ++row) names.push_back(rw::BuiltInRowAt(row).name);
    for (const auto& ref : rw::GroupFileSequence()) {
        const fs::path file = basa / rw::GroupFileName(ref.group, std::to_string(ref.carbon));
        for (const auto& line : rw::SplitLines(rw::ReadFileBytes(file.string()))) {
            if (line.find_first_not_of(' ') == std::string::npos) continue;
            // A list line always carries 42 name bytes; a shorter group-file
            // name can never match one.
            std::string name = rw::ParseGroupLine(line).name;
            if (name.size() == rw::kNameLength) names.push_back(name);
        }
    }
    return names;
}

std::string ListBytes(const std::vector<std::string>& names, std::mt19937& rng) {
    std::uniform_int_distribution<size_t> pick(0, names.size() - 1);
    std::uniform_int_distribution<int> thousandths(0, 999);
    std::string bytes;
    for (int i = 0; i < kListLines; ++i) {
        // The built-in rows come first so every list has aromatics and naphthenes.
        const std::string& name = i < rw::kBuiltInRowCount ? names[static_cast<size_t>(i)] : names[pick(rng)];
        char value[16];
        std::snprintf(value, sizeof value, "00.%03d", thousandths(rng));
        bytes += rw::PadName(name) + " " + value + "\r\n";
    }
    return bytes;
}

struct Setup {
    fs::path root;
    rw::FormationInputs inputs;
    std::string databaseKind;

    Setup() {
        std::mt19937 rng(20090901);
        root = fs::temp_directory_path() / ("rw-bench-formation-" + std::to_string(std::random_device{}()));
        const fs::path basa = root / "base" / "Basa";
        const fs::path delivered = fs::path(REFORMER_SOURCE_DIR) / "data" / "bin" / "sk" / "Basa";
        if (fs::exists(delivered / "par.3")) {
            fs::create_directories(basa);
            fs::copy(delivered, basa, fs::copy_options::recursive);
            databaseKind = "delivered database";
        } else {
            GenerateDatabase(basa, rng);
            databaseKind = "generated database";
        }
        const auto names = KnownNames(basa);
        inputs.baseFolder = (root / "base").string();
        inputs.samplingFolder = (root / "base" / "Hornel" / "01-09-09").string();
        inputs.sampleName = "01-09-09";
        inputs.flow = {1500, 1400, 300};
        inputs.density = {0.73, 0.76, 0.70};
        fs::create_directories(inputs.samplingFolder);
        for (const char* ext : {".SIR", ".KAT", ".BOK"}) {
            WriteBytes(fs::path(inputs.samplingFolder) / (inputs.sampleName + ext), ListBytes(names, rng));
        }
    }
    ~Setup() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

void BM_FormComposition(benchmark::State& state) {
    Setup setup;
    state.SetLabel(setup.databaseKind + ", 3 x 350 lines");
    NoUnknowns resolver;
    for (auto _ : state) {
        rw::CompositionRecord record = rw::FormComposition(setup.inputs, resolver);
        benchmark::DoNotOptimize(record);
    }
}

BENCHMARK(BM_FormComposition)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
