// The catalogue of broken input files (tests/data/errors/<format>/<case>/):
// each file goes through the reader that meets it in the program, and what
// the user would see (the message, or what was read) and what stays on disk
// must be what expected.txt says. tests/data/errors/make_cases.py describes
// the cases and the expected.txt keys.
//
// REFORMER_BAD_INPUTS_SHOW=1 prints what each reader gave, in expected.txt
// form, for reviewing a new case.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <numeric>
#include <set>
#include <sstream>

#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "composition/component_database.h"
#include "composition/composition_file.h"
#include "composition/report_import.h"
#include "conditions/conditions_file.h"
#include "conditions/conditions_file_check.h"
#include "conditions/data_selection.h"
#include "conditions/historian_import.h"
#include "results/deactivation.h"
#include "results/results_index.h"
#include "results/summary_table.h"
#include "shell/plant_selection.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

struct BadInputCase {
    std::string name;  // <format>_<case>
    fs::path folder;
    std::multimap<std::string, std::string> keys;

    std::string Get(const std::string& key) const {
        auto it = keys.find(key);
        return it == keys.end() ? std::string() : it->second;
    }
    bool Has(const std::string& key) const { return keys.count(key) > 0; }
};

std::vector<BadInputCase> LoadCases() {
    std::vector<BadInputCase> cases;
    const fs::path root = test::DataPath("errors");
    std::error_code ec;
    for (const auto& format : fs::directory_iterator(root, ec)) {
        if (!format.is_directory()) continue;
        for (const auto& folder : fs::directory_iterator(format.path())) {
            const fs::path expected = folder.path() / "expected.txt";
            if (!fs::exists(expected)) continue;
            BadInputCase c;
            c.name = format.path().filename().string() + "_" + folder.path().filename().string();
            c.folder = folder.path();
            std::ifstream in(expected);
            for (std::string line; std::getline(in, line);) {
                const size_t colon = line.find(": ");
                if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
                c.keys.emplace(line.substr(0, colon), line.substr(colon + 2));
            }
            cases.push_back(std::move(c));
        }
    }
    std::sort(cases.begin(), cases.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return cases;
}

std::string Num(double v) { return FormatGeneral(v, 15, '.'); }

template <class Range>
std::string Nums(const Range& values) {
    std::string s;
    for (double v : values) s += (s.empty() ? "" : ",") + Num(v);
    return s;
}

// What a reader gave: the message the user sees (empty when none) and a
// summary of what was read.
struct Outcome {
    std::string message;
    std::string result;
};

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    for (size_t pos = 0; (pos = s.find(from, pos)) != std::string::npos; pos += to.size()) s.replace(pos, from.size(), to);
    return s;
}

Outcome ReadConditions(const std::string& path) {
    const ConditionsRecord r = ReadConditionsByPosition(path).conditions;
    return {"", "dosing=" + Nums(r.dosing) + " activity=" + Num(r.activity) + " pressure=" + Nums(r.pressure) +
                    " moisture=" + Num(r.gasMoisture) + " inlet=" + Nums(r.inletTemperature) +
                    " drop=" + Nums(r.temperatureDrop) + " gas=" + Nums(r.gasComposition) +
                    " gasFlow=" + Num(r.gasFlow) + " processedFeed=" + Num(r.processedFeed) +
                    " sulphur=" + Num(r.sulphur) + " feedFlow=" + Num(r.feedFlow) + " dates=" + r.samplingDateText +
                    "|" + r.regenerationDateText};
}

Outcome ReadResults(const std::string& path) {
    const ResultsRecord r = ReadResultsFile(path);
    return {"", "date=" + r.sampleDateText.Text() + " activity=" + Num(r.activity) + " inlet=" +
                    Num(r.inletTemperature) + " feedRate=" + Num(r.feedRate) + " hydrogen=" + Num(r.hydrogenContent) +
                    " coke=" + Num(r.coke) + " processedFeed=" + Num(r.processedFeed) +
                    " octane=" + Num(r.octaneResearch) + " aromatics=" + Num(CalculatedAromatics(r)) + "/" +
                    Num(ExperimentalAromatics(r)) + " drop=" + Num(r.temperatureDrop)};
}

std::string IndexSummary(const std::vector<ResultsRecord>& records) {
    std::string dates;
    for (const auto& r : records) dates += (dates.empty() ? "" : ",") + r.sampleDateText.Text();
    return "records=" + std::to_string(records.size()) + " dates=" + dates;
}

Outcome ReadComposition(const std::string& path) {
    const CompositionRecord r = CompositionFromTexts(ReadCompositionFile(path));
    const double feed = std::accumulate(r.feed.begin(), r.feed.begin() + 68, 0.0);
    const double cat = std::accumulate(r.catalyzate.begin(), r.catalyzate.begin() + 68, 0.0);
    return {"", "feed=" + FormatFixed(feed, 0, 3) + " catalyzate=" + FormatFixed(cat, 0, 3) +
                    " fraction=" + Nums(r.fraction) + " density=" + Num(r.density)};
}

Outcome OpenList(const std::string& path, int stream) {
    const OpenedList list = OpenComponentList(path, stream);
    Outcome o;
    o.result = "lines=" + std::to_string(list.lines.size());
    if (list.sumValid) {
        o.result += " sum=" + FormatFixed(list.sum, 0, 3);
    } else {
        o.message = list.sumError;
    }
    return o;
}

Outcome ReadWorkbook(const std::string& path) {
    std::string fields;
    for (const auto& f : ImportHistorianWorkbook(path, ',')) {
        fields += (fields.empty() ? "Edit" : ",Edit") + std::to_string(f.editNumber) + ":" + f.text;
    }
    return {"", "fields=" + fields};
}

Outcome ReadPlantSettings(const std::string& path) {
    const std::vector<std::string> lines = SplitLines(ReadFileBytes(path));
    std::string result = "reactors=" + std::to_string(ReactorCountFromLine(lines.empty() ? "" : lines[0]));
    try {
        result += " weights=" + Nums(ReadReactorWeights(path));
    } catch (const UserError& e) {
        result += std::string(" weights: ") + e.what() + ";";
    }
    try {
        result += " constant=" + Num(ReadPlantConstant(path));
    } catch (const UserError& e) {
        result += std::string(" constant: ") + e.what();
    }
    return {"", result};
}

// The formation looks up every name of its lists; these are the feed's.
Outcome LookUpHornelFeed(const std::string& dir) {
    ComponentDatabase db(dir + "/Basa");
    int unresolved = 0;
    for (const auto& line : SplitLines(ReadFileBytes(dir + "/sample/01-09-09.SIR"))) {
        if (db.LookUp(line).kind == LookupKind::Unresolved) ++unresolved;
    }
    return {"", "unresolved=" + std::to_string(unresolved)};
}

// Data selection of a date: the conditions file read as the menu item reads
// it, the record kept in the context only when the whole file is good.
Outcome SelectDate(const std::string& path) {
    ProgramContext context;
    context.conditions.samplingDateText = "kept";
    try {
        const ConditionsSelection s = SelectConditions(context, path);
        return {"", "sampling=" + FormatDateShort(s.samplingDate) + " regeneration=" + FormatDateShort(s.regenerationDate)};
    } catch (const UserError& e) {
        return {e.what(), "record=" + context.conditions.samplingDateText};
    }
}

Outcome ReadHistory(const std::string& path) {
    const std::vector<DeactivationPoint> points = ReadDeactivationHistory(path);
    std::string labels, values;
    for (const auto& p : points) {
        labels += (labels.empty() ? "" : ",") + FormatDateShort(p.date);
        values += (values.empty() ? "" : ",") + Num(p.value);
    }
    return {"", "points=" + std::to_string(points.size()) + " labels=" + labels + " values=" + values};
}

Outcome RunReader(const std::string& reader, const std::string& input, const std::string& dir) {
    try {
        if (reader == "conditions") return ReadConditions(input);
        if (reader == "run-conditions") {
            CheckConditionsFile(input);
            return {"", "passed"};
        }
        if (reader == "selection") return SelectDate(input);
        if (reader == "results") return ReadResults(input);
        if (reader == "index") return {"", IndexSummary(ReadResultsIndex(input))};
        if (reader == "composition") return ReadComposition(input);
        if (reader == "dha") return OpenList(input, 2);
        if (reader == "txt" || reader == "list") return OpenList(input, 1);
        if (reader == "xls" || reader == "xlsx" || reader == "csv") return ReadWorkbook(input);
        if (reader == "l90") return ReadPlantSettings(input);
        if (reader == "group") return LookUpHornelFeed(dir);
        if (reader == "ravionn") {
            const ParameterSelection selection = ParameterSelection::Load(input);
            std::string rows;
            for (int k : selection.Rows()) rows += (rows.empty() ? "" : ",") + std::to_string(k);
            return {"", "rows=" + rows};
        }
        if (reader == "dizakt") return ReadHistory(input);
        ADD_FAILURE() << "unknown reader '" << reader << "'";
        return {};
    } catch (const UserError& e) {
        return {e.what(), ""};
    }
}

void PrintTo(const BadInputCase& c, std::ostream* out) { *out << c.name; }

class BadInputs : public ::testing::TestWithParam<BadInputCase> {};

TEST_P(BadInputs, ReaderGivesTheCataloguedOutcome) {
    const BadInputCase& c = GetParam();
    test::TempDir dir;
    const std::string d = dir.str();
    // What the run needs besides the input.
    const std::string setup = c.Get("setup");
    if (setup.find("basa") != std::string::npos) test::CopyTree(fs::path(test::SourceDataTree()) / "Basa", dir.path() / "Basa");
    if (setup.find("hornel") != std::string::npos) {
        test::CopyTree(fs::path(test::SourceDataTree()) / "Hornel" / "01-09-09", dir.path() / "sample");
    }
    for (const char* key : {"keep", "place"}) {
        for (auto [it, end] = c.keys.equal_range(key); it != end; ++it) {
            dir.Write(it->second, test::Slurp(c.folder / it->second));
        }
    }
    const std::string inputName = c.Get("input");
    ASSERT_FALSE(inputName.empty()) << "expected.txt names no input";
    const std::string input = dir.Write(inputName, test::Slurp(c.folder / inputName));

    SetConfiguration(c.Get("configuration") == "working" ? Configuration::Working : Configuration::Described);
    const Outcome got = RunReader(c.Get("reader"), input, d);
    SetConfiguration(Configuration::Described);
    if (std::getenv("REFORMER_BAD_INPUTS_SHOW")) {
        std::cout << "== " << c.name << "\n";
        if (!got.message.empty()) std::cout << "message: " << Replace(got.message, input, "{input}") << "\n";
        if (!got.result.empty()) std::cout << "result: " << got.result << "\n";
    }
    EXPECT_EQ(got.message, Replace(c.Get("message"), "{input}", input));
    EXPECT_EQ(got.result, c.Get("result"));
    // Nothing the failed read would have replaced is lost.
    for (auto [it, end] = c.keys.equal_range("keep"); it != end; ++it) {
        EXPECT_TRUE(dir.Read(it->second) == test::Slurp(c.folder / it->second)) << it->second << " changed";
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadInputs, ::testing::ValuesIn(LoadCases()),
                         [](const ::testing::TestParamInfo<BadInputCase>& info) { return info.param.name; });

TEST(BadInputCatalogue, CoversEveryFormat) {
    std::set<std::string> formats;
    for (const auto& c : LoadCases()) formats.insert(c.name.substr(0, c.name.find('_')));
    for (const char* f : {"dan", "rez", "svod", "sk", "dha", "txt", "list", "xls", "xlsx", "csv", "l90", "group", "ravionn",
                          "dizakt"}) {
        EXPECT_TRUE(formats.count(f)) << "no broken " << f << " files";
    }
}

}  // namespace
}  // namespace rw
