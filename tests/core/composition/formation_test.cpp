#include "composition/formation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <optional>

#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "composition/composition_file.h"
#include "test_support.h"

namespace rw {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::TempDir;

struct Row {
    const char* name;
    int component;
    int group;
    int carbon;
};

// The built-in names and where they must land, as the plant engineers know
// them (kept here independently of the database's own table).
constexpr Row kBuiltIn[] = {
    {"Ethane", 1, 0, 0},
    {"Propane", 2, 1, 3},
    {"i-Butane", 3, 2, 4},
    {"n-Butane", 4, 1, 4},
    {"i-Pentane", 5, 2, 5},
    {"n-Pentane", 6, 1, 5},
    {"2,2-Dimethylbutane", 7, 2, 6},
    {"Cyclopentane", 8, 3, 5},
    {"2,3-Dimethylbutane", 9, 2, 6},
    {"2-Methylpentane", 10, 2, 6},
    {"3-Methylpentane", 11, 2, 6},
    {"n-Hexane", 12, 1, 6},
    {"Methylcyclopentane", 13, 3, 6},
    {"2,2-Dimethylpentane", 14, 2, 7},
    {"2,4-Dimethylpentane", 15, 2, 7},
    {"Benzene", 16, 5, 6},
    {"2,2,3-Trimethylbutane", 17, 2, 7},
    {"3,3-Dimethylpentane", 18, 2, 7},
    {"Cyclohexane", 19, 4, 6},
    {"2-Methylhexane", 20, 2, 7},
    {"2,3-Dimethylpentane", 21, 2, 7},
    {"3-Methylhexane", 22, 2, 7},
    {"1c,3-Dimethylcyclopentane", 23, 3, 7},
    {"1t,3-Dimethylcyclopentane", 24, 3, 7},
    {"1t,2-Dimethylcyclopentane", 25, 3, 7},
    {"n-Heptane", 26, 1, 7},
    {"1c,2-Dimethylcyclopentane", 27, 3, 7},
    {"2,2-Dimethylhexane", 28, 2, 8},
    {"1,1,3-Trimethylcyclopentane", 29, 3, 8},
    {"Methylcyclohexane", 30, 4, 7},
    {"2,5-Dimethylhexane", 31, 2, 8},
    {"2,4-Dimethylhexane", 32, 2, 8},
    {"Ethylcyclopentane", 33, 3, 7},
    {"2,2,3-Trimethylpentane", 34, 2, 8},
    {"1,2,4-Trimethylcyclopentane", 35, 3, 8},
    {"3,3-Dimethylhexane", 36, 2, 8},
    {"Toluene", 37, 5, 7},
    {"1,2,3-Trimethylcyclopentane", 38, 3, 8},
    {"2,3,4-Trimethylpentane", 39, 2, 8},
    {"2,3-Dimethylhexane", 40, 2, 8},
    {"2-Methyl-3-ethylpentane", 41, 2, 8},
    {"1,1,2-Trimethylcyclopentane", 42, 3, 8},
    {"2-Methylheptane", 43, 2, 8},
    {"4-Methylheptane", 44, 2, 8},
    {"3,4-Dimethylhexane", 45, 2, 8},
    {"3-Methylheptane", 46, 2, 8},
    {"n-Octane", 48, 1, 8},
    {"1t,2-Dimethylcyclohexane", 49, 4, 8},
    {"1t,3-Dimethylcyclohexane", 50, 4, 8},
    {"2,3,5-Trimethylhexane", 51, 2, 9},
    {"2,2-Dimethylheptane", 52, 2, 9},
    {"2,4-Dimethylheptane", 53, 2, 9},
    {"2,2,3-Trimethylhexane", 54, 2, 9},
    {"2-Methyl-4-ethylhexane", 55, 2, 9},
    {"2,6-Dimethylheptane", 56, 2, 9},
    {"2,5-Dimethylheptane", 57, 2, 9},
    {"3,3-Dimethylheptane", 58, 2, 9},
    {"Ethylcyclohexane", 59, 4, 8},
    {"Ethylbenzene", 59, 5, 8},
    {"Trimethylcyclopentane", 60, 3, 8},
    {"2,3,4-Trimethylhexane", 61, 2, 9},
    {"p-Xylene", 62, 5, 8},
    {"m-Xylene", 63, 5, 8},
    {"o-Xylene", 65, 5, 8},
    {"n-Nonane", 67, 1, 9},
};

const char* const kGroupFiles[] = {"ipar.", "par.", "naf5.", "naf6.", "arom."};
constexpr int kFirstCarbonOf[] = {4, 3, 5, 6, 6};

// One component list line: the name in columns 1-43, "dd.ddd" in 44-49.
std::string ListLine(std::string name, double value) {
    name.resize(43, ' ');
    char buf[32];
    std::snprintf(buf, sizeof buf, "%06.3f", value);
    return name + buf;
}

std::string Trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

double M(const ModelVector& v, int k) { return v[static_cast<size_t>(k - 1)]; }

// Answers of a user, by name; every question is recorded.
class ScriptedResolver : public ComponentResolver {
public:
    std::map<std::string, std::optional<ComponentTarget>> answers;
    std::vector<std::string> asked;
    bool storeAnswers = false;  // append the answer to the database, as the dialogs do

    std::optional<ComponentTarget> Resolve(const std::string& name, ComponentDatabase& database) override {
        asked.push_back(name);
        auto it = answers.find(Trimmed(name));
        if (it == answers.end() || !it->second) return std::nullopt;
        if (storeAnswers) database.AddComponent(it->second->group, std::to_string(it->second->carbon), it->second->component, name);
        return it->second;
    }
};

class FailingResolver : public ComponentResolver {
public:
    std::optional<ComponentTarget> Resolve(const std::string& name, ComponentDatabase&) override {
        throw UserError("unresolved: " + Trimmed(name));
    }
};

class Formation : public ::testing::Test {
public:
    TempDir dir;
    FormationInputs inputs;

    void SetUp() override {
        inputs.baseFolder = (dir.path() / "base").string();
        inputs.samplingFolder = (dir.path() / "base" / "Hornel" / "01-09-09").string();
        inputs.sampleName = "01-09-09";
        fs::create_directories(inputs.samplingFolder);
        for (int g = 0; g < 5; ++g) {
            for (int c = kFirstCarbonOf[g]; c <= 13; ++c) Basa(kGroupFiles[g] + std::to_string(c), "");
        }
        Basa("nlo", "");
        std::string trafaret;
        for (int i = 0; i < 56; ++i) trafaret += "trafaret line\r\n";
        Basa("trafaret", trafaret);
    }

    fs::path BasaPath() const { return dir.path() / "base" / "Basa"; }
    void Basa(const std::string& file, const std::string& bytes) const { dir.Write("base/Basa/" + file, bytes); }
    fs::path SkPath() const { return fs::path(inputs.samplingFolder) / "01-09-09.sk"; }

    void List(const char* extension, const std::vector<std::string>& lines) const {
        std::ofstream(fs::path(inputs.samplingFolder) / (std::string("01-09-09") + extension), std::ios::binary)
            << JoinLinesCrLf(lines);
    }

    // A plain, valid catalyzate: n-paraffins and aromatics 50/50.
    void SimpleCatalyzate() const { List(".KAT", {ListLine("n-Hexane", 50), ListLine("Benzene", 50)}); }

    ModelVector Stream(int stream, ComponentResolver& resolver) {
        ComponentDatabase db(BasaPath().string());
        return ProcessStream(stream, inputs, db, resolver);
    }
};

TEST_F(Formation, BuiltInNamesLandOnTheirLinesAndTheLumpsComeOutZero) {
    std::vector<std::string> lines;
    double listSum = 0;
    std::map<int, double> expected;
    int i = 0;
    for (const Row& r : kBuiltIn) {
        const double v = 0.1 + 0.02 * ++i;
        lines.push_back(ListLine(r.name, v));
        listSum += v;
        expected[r.component] += v;  // rows 58 and 59 share line 59
    }
    List(".SIR", lines);
    SimpleCatalyzate();
    ScriptedResolver resolver;
    const CompositionRecord rec = FormComposition(inputs, resolver);
    EXPECT_TRUE(resolver.asked.empty());

    for (const auto& [k, v] : expected) EXPECT_NEAR(rec.feed[static_cast<size_t>(k - 1)], v, 1e-9) << k;
    for (int lump : {47, 64, 66, 68, 69}) EXPECT_NEAR(rec.feed[static_cast<size_t>(lump - 1)], 0.0, 1e-9) << lump;
    EXPECT_NEAR(std::accumulate(rec.feed.begin(), rec.feed.begin() + 68, 0.0), listSum, 1e-9);

    // On file a lump that is zero up to rounding reads " 0.000", never "-0.000".
    const CompositionTexts texts = ReadCompositionFile(SkPath().string());
    for (int lump : {47, 64, 66, 68, 69}) EXPECT_EQ(texts.values[static_cast<size_t>(lump - 1)], " 0.000") << lump;
    EXPECT_EQ(texts.tail[0], "  86");
    EXPECT_EQ(texts.tail[5], " 0.730");
    EXPECT_FALSE(fs::exists(BasaPath() / "basa.dat"));
}

TEST_F(Formation, CatalyzateGroupsAreScaledToHundredOnlyInTheLumps) {
    // 5 % of the list is ignored, so the counted groups make T = 95; SP = 20.
    Basa("nlo", PadName("Water") + "\r\n");
    Basa("ipar.9", "64 " + PadName("Some isononane") + "\r\n");
    const std::vector<std::string> list = {
        ListLine("n-Hexane", 20), ListLine("Benzene", 25), ListLine("Methylcyclopentane", 15),
        ListLine("2-Methylpentane", 30), ListLine("Some isononane", 5), ListLine("Water", 5)};
    List(".KAT", list);
    List(".SIR", list);
    ScriptedResolver resolver;
    const ModelVector cat = Stream(kCatalyzateStream, resolver);
    const ModelVector feed = Stream(kFeedStream, resolver);
    EXPECT_TRUE(resolver.asked.empty());  // nlo answers for "Water"

    const double scale = (100.0 - 20.0) / (95.0 - 20.0);
    // Measured components keep their values ...
    EXPECT_DOUBLE_EQ(M(cat, 12), 20);
    EXPECT_DOUBLE_EQ(M(cat, 16), 25);
    EXPECT_DOUBLE_EQ(M(cat, 13), 15);
    EXPECT_DOUBLE_EQ(M(cat, 10), 30);
    // ... the lumps absorb the scaling.
    EXPECT_NEAR(M(cat, 47), 15 * scale - 15, 1e-12);
    EXPECT_NEAR(M(cat, 64), 5 * scale, 1e-12);
    // The feed's lumps come from the raw tables.
    EXPECT_NEAR(M(feed, 47), 0, 1e-12);
    EXPECT_DOUBLE_EQ(M(feed, 64), 5);
    // The ignored 5 % is counted nowhere.
    EXPECT_NEAR(std::accumulate(feed.begin(), feed.begin() + 68, 0.0), 95, 1e-9);
}

TEST_F(Formation, CountingRules) {
    Basa("ipar.7", "20 " + PadName("Heptane isomer X") + "\r\n20 " + PadName("Heptane isomer X") + "\r\n");
    Basa("ipar.10", "66 " + PadName("Decane isomer") + "\r\n");
    Basa("arom.6", "1 " + PadName("Ethane in disguise") + "\r\n");
    List(".SIR", {ListLine("Ethane", 2), ListLine("n-Hexane", 10), ListLine("Ethane", 3),
                  ListLine("Heptane isomer X", 1.5), ListLine("Decane isomer", 4), ListLine("Ethane in disguise", 0.5)});
    ScriptedResolver resolver;
    const ModelVector feed = Stream(kFeedStream, resolver);
    // A later built-in ethane line replaces an earlier one; ethane from a group
    // file adds like any other target.
    EXPECT_DOUBLE_EQ(M(feed, 1), 3.5);
    // Two identical group-file lines: the value counts twice, in the line and the group cell.
    EXPECT_DOUBLE_EQ(M(feed, 20), 3);
    // A component routed to a lump line is replaced by the lump; its group cell counts.
    EXPECT_DOUBLE_EQ(M(feed, 66), 0);
    EXPECT_DOUBLE_EQ(M(feed, 68), 4);
    // The aromatics cell of the disguised ethane (C6) feeds no lump, but it
    // is what lets the n-paraffin-heavy list be normalised at all.
    EXPECT_DOUBLE_EQ(M(feed, 12), 10);
}

TEST_F(Formation, UnresolvedNamesGoToTheResolverOncePerLineInListOrder) {
    List(".SIR", {ListLine("Mystery A", 2), ListLine("Mystery B", 3), ListLine("n-Hexane", 10),
                  ListLine("Mystery A", 4), ListLine("Benzene", 10)});
    SimpleCatalyzate();
    List(".BOK", {ListLine("Mystery C", 1)});
    // Without asking anyone: each unknown name once, the side cut only with a flow.
    auto unknown = FindUnresolvedNames(inputs);
    ASSERT_EQ(unknown.size(), 2u);
    EXPECT_EQ(unknown[0].listFile, "01-09-09.SIR");
    EXPECT_EQ(unknown[0].name, PadName("Mystery A"));
    EXPECT_EQ(unknown[1].name, PadName("Mystery B"));
    inputs.flow[2] = 5;
    EXPECT_EQ(FindUnresolvedNames(inputs).size(), 3u);

    ScriptedResolver resolver;
    resolver.answers["Mystery A"] = ComponentTarget{69, 5, 10};  // heavy aromatic
    resolver.answers["Mystery B"] = std::nullopt;                 // the user said no
    const ModelVector feed = Stream(kFeedStream, resolver);
    ASSERT_EQ(resolver.asked.size(), 3u);
    EXPECT_EQ(resolver.asked[0], PadName("Mystery A"));
    EXPECT_EQ(resolver.asked[1], PadName("Mystery B"));
    EXPECT_EQ(resolver.asked[2], PadName("Mystery A"));
    // Both "A" lines count in the aromatics cell C10, so in lumps 69 and 68.
    EXPECT_DOUBLE_EQ(M(feed, 69), 6);
    EXPECT_DOUBLE_EQ(M(feed, 68), 6);
    EXPECT_NEAR(std::accumulate(feed.begin(), feed.begin() + 68, 0.0), 26, 1e-12);

    // An answer stored in the database is found by the next line without a question.
    ScriptedResolver storing;
    storing.storeAnswers = true;
    storing.answers["Mystery A"] = ComponentTarget{69, 5, 10};
    const ModelVector again = Stream(kFeedStream, storing);
    EXPECT_EQ(storing.asked.size(), 2u);  // A once, B once
    EXPECT_DOUBLE_EQ(M(again, 69), 6);
    EXPECT_NE(Slurp(BasaPath() / "arom.10").find(PadName("Mystery A")), std::string::npos);
}

TEST_F(Formation, SideCutWithoutFlowIsNotRead) {
    List(".SIR", {ListLine("n-Hexane", 40), ListLine("Toluene", 60)});
    SimpleCatalyzate();
    List(".BOK", {"this is not a component list at all"});
    inputs.flow = {1500, 1500, 0};
    ScriptedResolver resolver;
    const CompositionRecord rec = FormComposition(inputs, resolver);
    const ModelVector cat = Stream(kCatalyzateStream, resolver);
    for (size_t k = 0; k < cat.size(); ++k) EXPECT_EQ(rec.catalyzate[k], cat[k]) << k + 1;
}

TEST_F(Formation, SideCutIsMixedByMassFlow) {
    List(".SIR", {ListLine("n-Hexane", 40), ListLine("Toluene", 60)});
    SimpleCatalyzate();
    List(".BOK", {ListLine("n-Heptane", 30), ListLine("Toluene", 70)});
    inputs.flow = {1500, 1000, 500};
    inputs.density = {0.73, 0.75, 0.70};
    ScriptedResolver resolver;
    const CompositionRecord rec = FormComposition(inputs, resolver);
    const double wc = 750.0 / 1100.0, ws = 350.0 / 1100.0;
    EXPECT_NEAR(rec.catalyzate[11], wc * 50, 1e-12);  // n-hexane
    EXPECT_NEAR(rec.catalyzate[15], wc * 50, 1e-12);  // benzene
    EXPECT_NEAR(rec.catalyzate[25], ws * 30, 1e-12);  // n-heptane
    EXPECT_NEAR(rec.catalyzate[36], ws * 70, 1e-12);  // toluene
    EXPECT_NEAR(std::accumulate(rec.catalyzate.begin(), rec.catalyzate.begin() + 68, 0.0), 100, 1e-9);
    // The feed density goes to line 144, the feed itself unmixed to lines 1-69.
    EXPECT_DOUBLE_EQ(rec.density, 0.73);
    EXPECT_DOUBLE_EQ(rec.feed[36], 60);
    const CompositionRecord back = CompositionFromTexts(ReadCompositionFile(SkPath().string()));
    EXPECT_NEAR(back.catalyzate[36], ws * 70, 0.0005);
}

TEST_F(Formation, ListsLongerThanTheOldWorkingListAreCountedWhole) {
    std::vector<std::string> lines(400, ListLine("n-Hexane", 0.1));
    lines.push_back(ListLine("Benzene", 10));
    List(".SIR", lines);
    ScriptedResolver resolver;
    EXPECT_NEAR(M(Stream(kFeedStream, resolver), 12), 40, 1e-9);
}

// The working copy of a list is the formation's first write: a disk that
// fills up stops it there, naming the copy, and no .sk is written.
TEST_F(Formation, AFullDiskStopsItAtTheWorkingCopy) {
    std::vector<std::string> feed;
    for (int i = 0; i < 30; ++i) feed.push_back(ListLine(i % 2 ? "n-Hexane" : "Toluene", 100.0 / 30));
    List(".SIR", feed);
    SimpleCatalyzate();
    FailingResolver resolver;
    const Configuration before = CurrentConfiguration();
    SetConfiguration(Configuration::Working);
    std::string message;
    {
        test::DiskFullAfter full(600);  // room for the lock's record, not for the copy of 30 lines
        message = test::UserErrorOf([&] { FormComposition(inputs, resolver); });
    }
    SetConfiguration(before);
    EXPECT_NE(message.find("basa.dat"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(SkPath()));
}

// Every failure ends the formation with the user's message, writes no .sk and
// leaves the one of an earlier formation exactly as it was.
struct FailureCase {
    const char* what;
    void (*arrange)(Formation&);
    const char* message;
};

class FormationFailure : public Formation, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FormationFailure, LeavesNoFileAndThePreviousOneUntouched) {
    List(".SIR", {ListLine("n-Hexane", 40), ListLine("Toluene", 60)});
    SimpleCatalyzate();
    GetParam().arrange(*this);
    FailingResolver resolver;
    const std::string previous = "previous composition file\r\n";
    for (bool withPrevious : {false, true}) {
        SCOPED_TRACE(withPrevious ? "over an earlier file" : "no earlier file");
        if (withPrevious) std::ofstream(SkPath(), std::ios::binary) << previous;
        EXPECT_EQ(test::UserErrorOf([&] { FormComposition(inputs, resolver); }), GetParam().message);
        if (withPrevious) {
            EXPECT_EQ(Slurp(SkPath()), previous);
        } else {
            EXPECT_FALSE(fs::exists(SkPath()));
        }
        EXPECT_FALSE(fs::exists(BasaPath() / "basa.dat"));
        for (const auto& e : fs::directory_iterator(inputs.samplingFolder)) {
            EXPECT_NE(e.path().filename().string()[0], '.') << "left behind: " << e.path();
        }
    }
}

std::string Padded(std::string s, size_t n) {
    s.resize(n, ' ');
    return s;
}

const FailureCase kFailures[] = {
    {"F1NotANumber", [](Formation& f) { f.inputs.fractionTexts[0] = "8x6"; }, "'8x6' is not a valid floating point value"},
    {"F5Empty", [](Formation& f) { f.inputs.fractionTexts[4] = ""; }, "'' is not a valid floating point value"},
    {"OnlyNParaffins", [](Formation& f) { f.List(".KAT", {ListLine("n-Hexane", 100)}); }, "Floating point division by zero"},
    {"EmptyFeedList", [](Formation& f) { f.List(".SIR", {}); }, "Floating point division by zero"},
    {"NoMassFlow", [](Formation& f) { f.inputs.flow = {1500, 0, 0}; }, "Floating point division by zero"},
    {"ValueNotANumber", [](Formation& f) { f.List(".KAT", {ListLine("Benzene", 50), Padded("Toluene", 43) + "5O.000"}); }, "Invalid numeric input"},
    {"NameReachesColumn43", [](Formation& f) { f.List(".KAT", {ListLine("Benzene", 50), std::string(43, 'N') + "50.000"}); }, "Invalid numeric input"},
    {"MissingCatalyzateList", [](Formation& f) { fs::remove(fs::path(f.inputs.samplingFolder) / "01-09-09.KAT"); }, "File not found"},
    {"MissingSideCutList", [](Formation& f) { f.inputs.flow[2] = 10; }, "File not found"},
    {"MissingTrafaret", [](Formation& f) { fs::remove(f.BasaPath() / "trafaret"); }, "File not found"},
    {"MissingNlo", [](Formation& f) {
         fs::remove(f.BasaPath() / "nlo");
         f.List(".KAT", {ListLine("Benzene", 50), ListLine("Not built in", 50)});
     }, "File not found"},
    {"MissingDatabaseFolder", [](Formation& f) { f.inputs.baseFolder = (f.dir.path() / "elsewhere").string(); }, "Path not found"},
    {"UnresolvedNameRefused", [](Formation& f) { f.List(".KAT", {ListLine("Benzene", 50), ListLine("Mystery", 50)}); }, "unresolved: Mystery"},
};

INSTANTIATE_TEST_SUITE_P(All, FormationFailure, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace rw
