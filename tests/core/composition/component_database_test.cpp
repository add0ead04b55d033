#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "common/errors.h"
#include "common/files.h"
#include "composition/component_database.h"
#include "component_doubles.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

// A database folder with every file of the search sequence (empty), the
// files only the resolution writes, and an empty nlo.
struct Basa {
    test::TempDir dir;
    std::string folder() const { return dir.str(); }
    Basa() {
        for (const auto& ref : GroupFileSequence()) dir.Write(GroupFileName(ref.group, std::to_string(ref.carbon)), "");
        for (const char* extra : {"ipar.3", "naf5.3", "naf5.4", "naf6.3", "naf6.4", "naf6.5", "arom.3", "arom.4", "arom.5"}) {
            dir.Write(extra, "");
        }
        dir.Write("nlo", "");
    }
    void Append(const std::string& file, const std::string& bytes) const {
        AppendToFile((dir.path() / file).string(), bytes);
    }
    void Line(const std::string& file, int component, const std::string& name) const {
        Append(file, std::to_string(component) + " " + PadName(name) + "\r\n");
    }
};

// Both lookups must agree on every name, including the failure they raise.
std::string Describe(const std::string& folder, const std::string& name, bool inMemory, ComponentDatabase* db) {
    try {
        LookupResult r = inMemory ? db->LookUp(name) : LookUpComponentByFiles(folder, name);
        std::string s = r.kind == LookupKind::Target ? "T" : r.kind == LookupKind::Ignored ? "I" : "U";
        if (r.builtIn) s += "b";
        for (const auto& h : r.hits) s += ":" + std::to_string(h.component) + "/" + std::to_string(h.group) + "/" + std::to_string(h.carbon);
        return s;
    } catch (const UserError& e) {
        return std::string("E:") + e.what();
    }
}

TEST(ComponentDatabase, BuiltInRowsWinAndNeedNoFiles) {
    // A built-in name is answered without touching the folder, so even a
    // folder without any database file answers it.
    test::TempDir empty;
    ComponentDatabase db(empty.str());
    LookupResult r = db.LookUp(PadName("Ethane"));
    ASSERT_EQ(r.kind, LookupKind::Target);
    EXPECT_TRUE(r.builtIn);
    EXPECT_EQ(r.hits, (std::vector<ComponentTarget>{{1, 0, 0}}));
    EXPECT_EQ(db.LookUp(PadName("o-Xylene")).hits, (std::vector<ComponentTarget>{{65, 5, 8}}));
    EXPECT_EQ(db.LookUp(PadName("Ethylcyclohexane")).hits, (std::vector<ComponentTarget>{{59, 4, 8}}));
    EXPECT_EQ(db.LookUp(PadName("Ethylbenzene")).hits, (std::vector<ComponentTarget>{{59, 5, 8}}));
    EXPECT_EQ(db.LookUp(PadName("n-Nonane")).hits, (std::vector<ComponentTarget>{{67, 1, 9}}));
    EXPECT_THROW(db.LookUp(PadName("Unknown")), UserError);

    // A group-file line with a built-in name never takes over.
    Basa b;
    b.Line("arom.7", 69, "Toluene");
    ComponentDatabase db2(b.folder());
    EXPECT_EQ(db2.LookUp(PadName("Toluene")).hits, (std::vector<ComponentTarget>{{37, 5, 7}}));
}

TEST(ComponentDatabase, TableHasSixtyFiveRowsAndNoRowForTheLumps) {
    std::vector<int> seen(70, 0);
    for (int r = 1; r <= kBuiltInRowCount; ++r) seen[static_cast<size_t>(BuiltInRowAt(r).component)]++;
    for (int lump : {47, 64, 66, 68, 69}) EXPECT_EQ(seen[static_cast<size_t>(lump)], 0) << lump;
    EXPECT_EQ(seen[59], 2);
    EXPECT_EQ(FindBuiltInRow(PadName("Propane")), 2);
    // Only the whole 42-byte field matches: unpadded, other case, extra blank.
    EXPECT_EQ(FindBuiltInRow("Propane"), 0);
    EXPECT_EQ(FindBuiltInRow(PadName("propane")), 0);
    EXPECT_EQ(FindBuiltInRow(PadName(" Propane")), 0);
    EXPECT_EQ(FindBuiltInRow(PadName("Propane") + "trailing text past the field"), 2);
}

TEST(ComponentDatabase, FileOrderFirstFileWinsEveryHitCounts) {
    Basa b;
    b.Line("par.7", 26, "Nonane-like");
    b.Line("ipar.13", 68, "Nonane-like");  // isoparaffins are searched first
    b.Line("arom.6", 16, "Aromatic X");
    b.Line("naf5.13", 68, "Aromatic X");   // naphthenes before aromatics
    b.Line("par.3", 2, "Twice");
    b.Line("par.3", 2, "Twice");           // two identical lines: two hits
    b.Line("par.4", 4, "Twice");           // a later file is not read
    b.Line("ipar.9", 64, "Mixed");
    b.Line("ipar.9", 51, "Mixed");
    ComponentDatabase db(b.folder());
    EXPECT_EQ(db.LookUp(PadName("Nonane-like")).hits, (std::vector<ComponentTarget>{{68, 2, 13}}));
    EXPECT_EQ(db.LookUp(PadName("Aromatic X")).hits, (std::vector<ComponentTarget>{{68, 3, 13}}));
    EXPECT_EQ(db.LookUp(PadName("Twice")).hits, (std::vector<ComponentTarget>{{2, 1, 3}, {2, 1, 3}}));
    EXPECT_EQ(db.LookUp(PadName("Mixed")).hits, (std::vector<ComponentTarget>{{64, 2, 9}, {51, 2, 9}}));
    EXPECT_EQ(db.LookUp(PadName("twice")).kind, LookupKind::Unresolved);
    EXPECT_EQ(db.LookUp(PadName("Twi ce")).kind, LookupKind::Unresolved);
    // Only the first 42 bytes count, on either side.
    EXPECT_EQ(db.LookUp(PadName("Twice") + "xyz").hits.size(), 2u);
    for (const char* n : {"Nonane-like", "Aromatic X", "Twice", "Mixed", "twice"}) {
        EXPECT_EQ(Describe(b.folder(), PadName(n), false, nullptr), Describe(b.folder(), PadName(n), true, &db)) << n;
    }
}

TEST(ComponentDatabase, IgnoreListAndItsPlaceInTheSearch) {
    Basa b;
    b.Append("nlo", PadName("Water") + "\r\n" + PadName("Hydrogen") + "what follows column 42 is not used\r\n");
    b.Line("par.5", 6, "Hydrogen");  // a group-file hit wins over the ignore list
    ComponentDatabase db(b.folder());
    EXPECT_EQ(db.LookUp(PadName("Water")).kind, LookupKind::Ignored);
    EXPECT_EQ(db.LookUp(PadName("Hydrogen")).kind, LookupKind::Target);
    EXPECT_EQ(db.LookUp(PadName("Air")).kind, LookupKind::Unresolved);

    Basa empty;  // an empty ignore list is valid
    EXPECT_EQ(ComponentDatabase(empty.folder()).LookUp(PadName("Water")).kind, LookupKind::Unresolved);
}

TEST(ComponentDatabase, MissingFilesAndFaultyLinesFailLikeTheFileSearch) {
    {
        Basa b;
        b.Line("ipar.4", 3, "Early");
        fs::remove(b.dir.path() / "arom.13");  // the last file: opened even after a hit
        ComponentDatabase db(b.folder());
        EXPECT_EQ(Describe(b.folder(), PadName("Early"), true, &db), "E:File not found");
        EXPECT_EQ(Describe(b.folder(), PadName("Early"), false, nullptr), "E:File not found");
        EXPECT_EQ(Describe(b.folder(), PadName("Ethane"), true, &db), "Tb:1/0/0");
    }
    {
        Basa b;
        fs::remove(b.dir.path() / "nlo");
        b.Line("ipar.4", 3, "Early");
        ComponentDatabase db(b.folder());
        EXPECT_EQ(Describe(b.folder(), PadName("Early"), true, &db), "E:File not found");
        EXPECT_EQ(Describe(b.folder(), PadName("Early"), false, nullptr), "E:File not found");
        EXPECT_THROW(db.IgnoreComponent(PadName("X")), UserError);
        EXPECT_FALSE(FileExists(b.folder() + "/nlo"));
    }
    {
        // A faulty line fails only the names that read it: a name found in an
        // earlier file never reaches it; one found in the same file does.
        Basa b;
        b.Line("ipar.4", 3, "Early");
        b.Line("par.9", 67, "Same file");
        b.Append("par.9", "x7 " + PadName("Bad") + "\r\n");
        b.Line("par.9", 67, "After the bad line");
        b.Line("arom.9", 69, "Late");
        ComponentDatabase db(b.folder());
        for (const char* n : {"Early", "Same file", "After the bad line", "Late", "Nowhere"}) {
            std::string expected = std::string(n) == "Early" ? "T:3/2/4" : "E:Invalid numeric input";
            EXPECT_EQ(Describe(b.folder(), PadName(n), true, &db), expected) << n;
            EXPECT_EQ(Describe(b.folder(), PadName(n), false, nullptr), expected) << n;
        }
    }
    {
        Basa b;
        b.Line("par.6", 70, "Out of range");
        ComponentDatabase db(b.folder());
        EXPECT_EQ(Describe(b.folder(), PadName("Out of range"), true, &db), "E:Range check error");
        EXPECT_EQ(Describe(b.folder(), PadName("Out of range"), false, nullptr), "E:Range check error");
    }
}

TEST(ComponentDatabase, AppendsAreSeenAtOnceAndLandOnDisk) {
    Basa b;
    b.Append("arom.9", "69 " + PadName("No line end"));  // last line without CR LF
    ComponentDatabase db(b.folder());
    std::string name = PadName("1,2,4-Trimethylbenzene");
    EXPECT_EQ(db.LookUp(name).kind, LookupKind::Unresolved);
    db.AddComponent(5, "9", 69, name);
    EXPECT_EQ(db.LookUp(name).hits, (std::vector<ComponentTarget>{{69, 5, 9}}));
    EXPECT_EQ(b.dir.Read("arom.9"), "69 " + PadName("No line end") + "\r\n69 " + name + "\r\n");
    // A second object (the next formation) reads the same from disk.
    ComponentDatabase next(b.folder());
    EXPECT_EQ(next.LookUp(name).hits, (std::vector<ComponentTarget>{{69, 5, 9}}));
    EXPECT_EQ(next.LookUp(PadName("No line end")).hits, (std::vector<ComponentTarget>{{69, 5, 9}}));

    // An append to a file earlier in the sequence takes precedence at once.
    db.AddComponent(2, "9", 64, name);
    EXPECT_EQ(db.LookUp(name).hits, (std::vector<ComponentTarget>{{64, 2, 9}}));
    EXPECT_EQ(Describe(b.folder(), name, false, nullptr), "T:64/2/9");

    // ipar.3 exists but is never searched: the name stays unresolved.
    std::string c3 = PadName("Some C3 isoparaffin");
    db.AddComponent(2, "3", 2, c3);
    EXPECT_EQ(db.LookUp(c3).kind, LookupKind::Unresolved);
    EXPECT_EQ(b.dir.Read("ipar.3"), "2 " + c3 + "\r\n");

    std::string w = PadName("Water");
    db.IgnoreComponent(w);
    EXPECT_EQ(db.LookUp(w).kind, LookupKind::Ignored);
    EXPECT_EQ(b.dir.Read("nlo"), w + "\r\n");

    // A missing group file is an error and nothing is created.
    fs::remove(b.dir.path() / "naf6.5");
    EXPECT_THROW(db.AddComponent(4, "5", 47, name), UserError);
    EXPECT_FALSE(fs::exists(b.dir.path() / "naf6.5"));
    EXPECT_THROW(db.AddComponent(1, "14", 68, name), UserError);
}

TEST(ComponentDatabase, CandidatesAndTemplates) {
    Basa b;
    std::string lines;
    lines += "  47 Naphthenes up to C8 (lump)\r\n";
    lines += "13 Methylcyclopentane\r\n";
    lines += "8\r\n";  // no text at all
    for (int i = 0; i < 22; ++i) lines += "68 extra " + std::to_string(i) + "\r\n";
    b.Append("naf5s.6", lines);
    ComponentDatabase db(b.folder());
    auto c = db.ReadCandidates(3, "6");
    ASSERT_EQ(c.size(), 25u);  // more than 21 are all offered
    EXPECT_EQ(c[0], (Candidate{47, "Naphthenes up to C8 (lump)"}));
    EXPECT_EQ(c[1], (Candidate{13, "Methylcyclopentane"}));
    EXPECT_EQ(c[2], (Candidate{8, ""}));
    EXPECT_THROW(db.ReadCandidates(3, "7"), UserError);  // missing file
    b.Append("pars.5", "six Pentane\r\n");
    EXPECT_EQ(test::UserErrorOf([&] { db.ReadCandidates(1, "5"); }), "Invalid numeric input");

    b.Append("shablon.12", PadName("Propane") + " 00.000\r\nShort\r\n");
    auto t = ReadTemplate(b.folder(), 11);
    EXPECT_EQ(t, (std::vector<std::string>{PadName("Propane"), "Short"}));
    EXPECT_THROW(ReadTemplate(b.folder(), 12), UserError);
}

TEST(ComponentDatabase, InMemoryAgreesWithTheFileSearchOnARandomDatabase) {
    Basa b;
    std::mt19937 rng(7);
    std::vector<std::string> names;
    for (int i = 0; i < 60; ++i) names.push_back(PadName("Comp " + std::to_string(i)));
    names.push_back(PadName("Benzene"));
    names.push_back("Comp 1");  // short: equals only an equally short line
    const auto& seq = GroupFileSequence();
    for (int i = 0; i < 300; ++i) {
        const auto& ref = seq[rng() % seq.size()];
        std::string name = names[rng() % names.size()];
        b.Line(GroupFileName(ref.group, std::to_string(ref.carbon)), 1 + static_cast<int>(rng() % 69), name);
    }
    b.Append("par.5", "6 Comp 1\r\n");
    for (int i = 0; i < 10; ++i) b.Append("nlo", names[rng() % names.size()] + "\r\n");
    ComponentDatabase db(b.folder());
    for (const auto& n : names) EXPECT_EQ(Describe(b.folder(), n, true, &db), Describe(b.folder(), n, false, nullptr)) << n;
}

TEST(DeliveredDatabase, HasEveryFileInValidFormat) {
    std::string basa = test::SourceDataTree() + "/Basa";
    if (!fs::exists(basa + "/nlo")) GTEST_SKIP() << "no delivered database";
    // Every group file the search or the resolution opens, every candidate file.
    for (int g = 1; g <= 5; ++g) {
        for (int c = 3; c <= 13; ++c) {
            std::string gf = basa + "/" + GroupFileName(g, std::to_string(c));
            std::string cf = basa + "/" + CandidateFileName(g, std::to_string(c));
            ASSERT_TRUE(fs::exists(gf)) << gf;
            ASSERT_TRUE(fs::exists(cf)) << cf;
            for (const auto& line : SplitLines(test::Slurp(gf))) {
                ASSERT_FALSE(line.empty()) << gf;
                GroupLine gl;
                ASSERT_NO_THROW(gl = ParseGroupLine(line)) << gf << ": " << line;
                EXPECT_EQ(line, std::to_string(gl.component) + " " + PadName(gl.name)) << gf;
            }
            auto cands = SplitLines(test::Slurp(cf));
            EXPECT_LE(cands.size(), 21u) << cf;
            for (const auto& line : cands) {
                ASSERT_FALSE(line.empty()) << cf;
                ASSERT_NO_THROW(ParseCandidateLine(line)) << cf << ": " << line;
            }
        }
    }
    ASSERT_TRUE(fs::exists(basa + "/trafaret"));
    EXPECT_GE(SplitLines(test::Slurp(basa + "/trafaret")).size(), 56u);
    for (int plant = 0; plant < 17; ++plant) {
        auto t = ReadTemplate(basa, plant);
        EXPECT_FALSE(t.empty()) << plant;
        for (const auto& name : t) EXPECT_EQ(name.size(), kNameLength) << "shablon." << plant + 1;
    }
    // The whole database loads and answers like the file search.
    ComponentDatabase db(basa);
    EXPECT_EQ(db.LookUp(PadName("No such component")).kind, LookupKind::Unresolved);
}

}  // namespace
}  // namespace rw
