#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "common/errors.h"
#include "common/files.h"
#include "composition/component_database.h"
#include "composition/component_resolution.h"
#include "component_doubles.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

using Stage = ResolutionChain::Stage;

// Every group file 3..13 of every group, candidates for a few cells, nlo.
struct Basa {
    test::TempDir dir;
    Basa() {
        for (int g = 1; g <= 5; ++g) {
            for (int c = 3; c <= 13; ++c) dir.Write(GroupFileName(g, std::to_string(c)), "");
        }
        dir.Write("nlo", "");
        dir.Write("aroms.9", "69 Ароматика С9+ (сумма)\r\n 16 not really\r\n");
        dir.Write("ipars.13", "68 C10+ (lump)\r\n");
        dir.Write("ipars.3", "2 Propane-like\r\n");
        dir.Write("naf6s.8", "47 Naphthenes to C8\r\n59 Ethylcyclohexane\r\n");
    }
    std::string folder() const { return dir.str(); }
};

std::string Name(const char* n) { return PadName(n); }

TEST(ResolutionChain, CarbonTextRule) {
    for (const char* refused : {"1", "2", "14", "03", "3 ", "", " 3", "-3", "x", "3.", "１3"}) {
        EXPECT_FALSE(ResolutionChain::CarbonFromTyped(refused)) << refused;
    }
    std::string text;
    EXPECT_EQ(ResolutionChain::CarbonFromTyped("130", &text), 13);
    EXPECT_EQ(text, "13");
    EXPECT_EQ(ResolutionChain::CarbonFromTyped("3"), 3);
    EXPECT_EQ(ResolutionChain::CarbonFromTyped("99"), std::nullopt);
    EXPECT_EQ(ResolutionChain::CarbonFromTyped("9x"), std::nullopt);
    EXPECT_EQ(ResolutionChain::CarbonFromTyped("10 atoms"), 10);
}

TEST(ResolutionChain, YesPathAppendsAndIsFoundAtOnce) {
    Basa b;
    ComponentDatabase db(b.folder());
    ResolutionChain chain;
    std::string name = Name("1,2,4-Trimethylbenzene");
    chain.Start(name, db);
    EXPECT_EQ(chain.stage(), Stage::AskAdd);
    chain.AnswerAdd(true);
    // OK before any group was ever chosen is refused.
    EXPECT_FALSE(chain.ConfirmGroup(0));
    EXPECT_EQ(chain.stage(), Stage::AskGroup);
    EXPECT_TRUE(chain.ConfirmGroup(5));
    for (const char* t : {"1", "2", "14", "03", "3 "}) {
        EXPECT_FALSE(chain.ConfirmCarbon(t)) << t;
        EXPECT_EQ(chain.stage(), Stage::AskCarbon);
    }
    EXPECT_TRUE(chain.ConfirmCarbon("9"));
    ASSERT_EQ(chain.candidates().size(), 2u);
    EXPECT_EQ(chain.candidates()[1], (Candidate{16, "not really"}));
    // No row selected: the list stays.
    EXPECT_FALSE(chain.ConfirmCandidate(-1));
    EXPECT_FALSE(chain.ConfirmCandidate(2));
    EXPECT_EQ(test::Slurp(b.dir.path() / "arom.9"), "");
    EXPECT_TRUE(chain.ConfirmCandidate(0));
    EXPECT_EQ(chain.stage(), Stage::Finished);
    EXPECT_EQ(chain.result(), (ComponentTarget{69, 5, 9}));
    EXPECT_EQ(test::Slurp(b.dir.path() / "arom.9"), "69 " + name + "\r\n");
    EXPECT_EQ(db.LookUp(name).hits, (std::vector<ComponentTarget>{{69, 5, 9}}));
    EXPECT_THROW(chain.AnswerAdd(true), std::logic_error);
}

TEST(ResolutionChain, NoPutsTheNameOnTheIgnoreList) {
    Basa b;
    ComponentDatabase db(b.folder());
    ResolutionChain chain;
    chain.Start(Name("Water"), db);
    chain.AnswerAdd(false);
    EXPECT_EQ(chain.stage(), Stage::Finished);
    EXPECT_FALSE(chain.result());
    EXPECT_EQ(test::Slurp(b.dir.path() / "nlo"), Name("Water") + "\r\n");
    // The next formation skips it without asking.
    EXPECT_EQ(ComponentDatabase(b.folder()).LookUp(Name("Water")).kind, LookupKind::Ignored);

    // Without nlo the No fails and the chain ends.
    fs::remove(b.dir.path() / "nlo");
    chain.Start(Name("Air"), db);
    EXPECT_THROW(chain.AnswerAdd(false), UserError);
    EXPECT_EQ(chain.stage(), Stage::Finished);
}

TEST(ResolutionChain, GroupAndCarbonFieldAreKeptBetweenNames) {
    Basa b;
    ComponentDatabase db(b.folder());
    ScriptedResolver r({
        {true, 2, {"1", "14", "130"}, 0},  // "130" is read as 13
        {true, 0, {"13"}, 0},              // OK at once: the isoparaffin group again
    });
    auto first = r.Resolve(Name("2,6-Dimethyloctane"), db);
    EXPECT_EQ(first, (ComponentTarget{68, 2, 13}));
    EXPECT_EQ(r.refusedCarbonTexts(), (std::vector<std::string>{"1", "14"}));
    EXPECT_EQ(r.chain().carbonFieldText(), "130");
    auto second = r.Resolve(Name("3-Methylnonane"), db);
    EXPECT_EQ(second, (ComponentTarget{68, 2, 13}));
    EXPECT_EQ(r.chain().group(), 2);
    EXPECT_EQ(test::Slurp(b.dir.path() / "ipar.13"),
              "68 " + Name("2,6-Dimethyloctane") + "\r\n68 " + Name("3-Methylnonane") + "\r\n");
    EXPECT_EQ(r.remainingAnswers(), 0u);
    EXPECT_THROW(r.Resolve(Name("one too many"), db), std::logic_error);
}

TEST(ResolutionChain, IsoparaffinWithThreeCarbonsIsAskedAgain) {
    Basa b;
    ComponentDatabase db(b.folder());
    ScriptedResolver r({{true, 2, {"3"}, 0}});
    std::string name = Name("Isoprop-something");
    EXPECT_EQ(r.Resolve(name, db), (ComponentTarget{2, 2, 3}));
    EXPECT_EQ(test::Slurp(b.dir.path() / "ipar.3"), "2 " + name + "\r\n");
    // ipar.3 is not searched: still unresolved, in this formation and the next.
    EXPECT_EQ(db.LookUp(name).kind, LookupKind::Unresolved);
    EXPECT_EQ(ComponentDatabase(b.folder()).LookUp(name).kind, LookupKind::Unresolved);
}

TEST(ResolutionChain, DatabaseFailuresEndTheChain) {
    Basa b;
    ComponentDatabase db(b.folder());
    ResolutionChain chain;
    // No candidate file for naphthenes-5 with 7 carbons.
    chain.Start(Name("X"), db);
    chain.AnswerAdd(true);
    chain.ConfirmGroup(3);
    EXPECT_THROW(chain.ConfirmCarbon("7"), UserError);
    EXPECT_EQ(chain.stage(), Stage::Finished);
    EXPECT_FALSE(chain.result());

    // An empty candidate file leaves nothing to choose: an error, not a
    // dialog that can never be closed.
    b.dir.Write("pars.5", "");
    chain.Start(Name("Y"), db);
    chain.AnswerAdd(true);
    chain.ConfirmGroup(1);
    EXPECT_THROW(chain.ConfirmCarbon("5"), UserError);

    // A missing group file shows only when the line is appended.
    fs::remove(b.dir.path() / "naf6.8");
    chain.Start(Name("Z"), db);
    chain.AnswerAdd(true);
    chain.ConfirmGroup(4);
    ASSERT_TRUE(chain.ConfirmCarbon("8"));
    EXPECT_THROW(chain.ConfirmCandidate(1), UserError);
    EXPECT_EQ(chain.stage(), Stage::Finished);
    EXPECT_FALSE(chain.result());
    EXPECT_FALSE(fs::exists(b.dir.path() / "naf6.8"));
}

TEST(AutomaticResolver, FailCollectsIgnoreAnswersNo) {
    Basa b;
    ComponentDatabase db(b.folder());
    AutomaticResolver fail(AutomaticResolver::Policy::Fail);
    EXPECT_NO_THROW(fail.ThrowIfUnresolved());
    EXPECT_FALSE(fail.Resolve(Name("Alpha"), db));
    EXPECT_FALSE(fail.Resolve(Name("Beta"), db));
    EXPECT_FALSE(fail.Resolve(Name("Alpha"), db));
    EXPECT_EQ(fail.unresolved(), (std::vector<std::string>{Name("Alpha"), Name("Beta")}));
    EXPECT_EQ(test::UserErrorOf([&] { fail.ThrowIfUnresolved(); }),
              "Components not found in the database:\n  Alpha\n  Beta");
    EXPECT_EQ(test::Slurp(b.dir.path() / "nlo"), "");  // nothing written

    AutomaticResolver ignore(AutomaticResolver::Policy::Ignore);
    EXPECT_FALSE(ignore.Resolve(Name("Alpha"), db));
    EXPECT_EQ(db.LookUp(Name("Alpha")).kind, LookupKind::Ignored);
    EXPECT_EQ(test::Slurp(b.dir.path() / "nlo"), Name("Alpha") + "\r\n");
}

}  // namespace
}  // namespace rw
