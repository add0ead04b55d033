#include <gtest/gtest.h>

#include <filesystem>

#include "shell/current_work.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

// The menu written out item by item, so that a failing row names the item.
std::string Describe(const MenuStates& s) {
    std::string text;
    const std::pair<const char*, bool> items[] = {
        {"menus", s.calculationMenusShown}, {"base-items", s.baseFolderItemsShown},
        {"calculate", s.canCalculate},      {"latest-results", s.canShowLatestResults},
        {"fraction", s.canShowFraction},    {"folder-results", s.canShowFolderResults},
        {"replay", s.canReplayHistory},     {"fast-fit", s.fastFitChecked},
    };
    for (const auto& [name, on] : items) text += std::string(on ? "+" : "-") + name + " ";
    return text;
}

CurrentWork Work(Configuration configuration) {
    CurrentWork work;
    work.configuration = configuration;
    return work;
}

const std::string kDate = "C:\\base\\Hornel\\01-09-09\\01-09-09";
const std::string kOtherDate = "C:\\base\\Hornel\\02-09-09\\02-09-09";

// Every state of the record that turns an item on or off, both
// configurations. Expected states are written out, not computed.
TEST(CurrentWorkTest, MenuStatesFollowTheWorkInEachConfiguration) {
    struct Row {
        const char* name;
        CurrentWork work;
        MenuStates expected;
    };
    auto working = [](auto change) {
        CurrentWork w = Work(Configuration::Working);
        change(w);
        return w;
    };
    auto described = [](auto change) {
        CurrentWork w = Work(Configuration::Described);
        change(w);
        return w;
    };
    //                  menus base  calc  latest fract folder replay fast-fit
    const MenuStates workingNothing{true, true, false, false, false, false, false};
    const Row rows[] = {
        {"working: no plant", Work(Configuration::Working), workingNothing},
        {"working: plant without date",
         working([](CurrentWork& w) { w.plantChosen = true; }),
         {true, true, false, false, false, false, true}},
        {"working: date with both files",
         working([](CurrentWork& w) {
             w.plantChosen = true;
             w.currentDate = kDate;
             w.conditionsFileExists = w.compositionFileExists = true;
         }),
         {true, true, true, false, false, false, true}},
        {"working: date without its composition file",
         working([](CurrentWork& w) {
             w.plantChosen = true;
             w.currentDate = kDate;
             w.conditionsFileExists = true;
         }),
         {true, true, false, false, false, false, true}},
        {"working: date without its conditions file",
         working([](CurrentWork& w) {
             w.plantChosen = true;
             w.currentDate = kDate;
             w.compositionFileExists = true;
         }),
         {true, true, false, false, false, false, true}},
        {"working: files flagged but no date",
         working([](CurrentWork& w) {
             w.plantChosen = true;
             w.conditionsFileExists = w.compositionFileExists = true;
         }),
         {true, true, false, false, false, false, true}},
        {"working: calculation of the current date",
         working([](CurrentWork& w) {
             w.plantChosen = true;
             w.currentDate = w.calculatedDate = kDate;
         }),
         {true, true, false, true, false, false, true}},
        {"working: calculation of another date",
         working([](CurrentWork& w) {
             w.plantChosen = true;
             w.currentDate = kOtherDate;
             w.calculatedDate = kDate;
         }),
         {true, true, false, false, false, false, true}},
        {"working: calculation, then another plant (no date)",
         working([](CurrentWork& w) {
             w.plantChosen = true;
             w.calculatedDate = kDate;
         }),
         {true, true, false, false, false, false, true}},
        {"working: fraction date, results folder, fast fitting",
         working([](CurrentWork& w) {
             w.fractionDateKnown = true;
             w.resultsFolderChosen = true;
             w.fastFitChosen = true;
         }),
         {true, true, false, false, true, true, false, true}},
        {"working: the demonstration's switches count for nothing", working([](CurrentWork& w) {
             w.described = {true, true, true};
         }),
         workingNothing},
        {"described: as started", Work(Configuration::Described), {false, false, true, true, false, false, true}},
        {"described: every fact there, every switch off",
         described([](CurrentWork& w) {
             w.plantChosen = w.fractionDateKnown = true;
             w.currentDate = w.calculatedDate = kDate;
             w.conditionsFileExists = w.compositionFileExists = true;
             w.described = {false, false, false};
         }),
         {false, false, false, false, false, false, true}},
        {"described: switches on without any date",
         described([](CurrentWork& w) {
             w.described = {true, true, true};
             w.resultsFolderChosen = true;
             w.fastFitChosen = true;
         }),
         {false, false, true, true, true, true, true, true}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Describe(DeriveMenuStates(row.work)), Describe(row.expected)) << row.name;
    }
}

// The demonstration's steps, in the order its chain takes them; each switch
// holds until the next step that names it.
TEST(CurrentWorkTest, DescribedStepsSwitchTheirItemsAndKeepThem) {
    CurrentWork w = Work(Configuration::Described);
    auto states = [&w] { return DeriveMenuStates(w); };

    NoteSampleChainStarted(w);
    EXPECT_FALSE(states().canCalculate);
    EXPECT_FALSE(states().canShowLatestResults);

    NoteDateSelected(w, false, true);  // composition missing: nothing to calculate
    EXPECT_FALSE(states().canCalculate);
    EXPECT_FALSE(states().canShowFraction);

    NoteDateSelected(w, true, false);
    EXPECT_TRUE(states().canCalculate);
    EXPECT_FALSE(states().canShowFraction);
    NoteDateSelected(w, true, true);
    EXPECT_TRUE(states().canShowFraction);
    NoteDateSelected(w, true, false);  // a date without a complete tail leaves the item on
    EXPECT_TRUE(states().canShowFraction);
    NoteConditionsFormLeft(w);
    EXPECT_FALSE(states().canShowFraction);

    NoteCalculationSettled(w, true, false);  // "Нет": "Риформинг" stays, results offered
    EXPECT_TRUE(states().canCalculate);
    EXPECT_TRUE(states().canShowLatestResults);

    NoteDateSelected(w, true, false);
    EXPECT_FALSE(states().canShowLatestResults);
    NoteCalculationSettled(w, false, false);  // the review left
    EXPECT_FALSE(states().canCalculate);
    EXPECT_TRUE(states().canShowLatestResults);

    NoteResultsFolderChosen(w);
    EXPECT_TRUE(states().canShowFolderResults);
}

// The working configuration takes the plant and date from the context and
// the date's files from the disk, in whatever letter case they were stored.
TEST(CurrentWorkTest, WorkingRecordFollowsTheContextAndTheDisk) {
    test::TempDir dir;
    ProgramContext context;
    CurrentWork w = Work(Configuration::Working);

    TakeProgramContext(w, context);
    EXPECT_FALSE(w.plantChosen);
    EXPECT_EQ(w.currentDate, "");

    context.plantFolder = dir.str() + "\\Hornel";
    context.dataFolder = dir.str() + "\\Hornel\\01-09-09\\";
    TakeProgramContext(w, context);
    EXPECT_TRUE(w.plantChosen);
    EXPECT_EQ(w.currentDate, "");  // a folder without a sample name is no date

    context.sampleName = "01-09-09";
    TakeProgramContext(w, context);
    EXPECT_EQ(w.currentDate, context.dataFolder + "01-09-09");
    EXPECT_FALSE(w.conditionsFileExists);  // no files yet
    EXPECT_FALSE(w.compositionFileExists);

    dir.Write("Hornel/01-09-09/01-09-09.DAN", "x");
    TakeProgramContext(w, context);
    EXPECT_TRUE(w.conditionsFileExists);
    EXPECT_FALSE(DeriveMenuStates(w).canCalculate);
    dir.Write("Hornel/01-09-09/01-09-09.sk", "x");
    TakeProgramContext(w, context);
    EXPECT_TRUE(DeriveMenuStates(w).canCalculate);
    // A file deleted behind the program's back is noticed at the next look.
    fs::remove(dir.path() / "Hornel/01-09-09/01-09-09.sk");
    TakeProgramContext(w, context);
    EXPECT_FALSE(DeriveMenuStates(w).canCalculate);

    EXPECT_FALSE(w.fractionDateKnown);
    context.lastSampleName = "01-09-09";
    TakeProgramContext(w, context);
    EXPECT_TRUE(DeriveMenuStates(w).canShowFraction);

    // The date forgotten (another plant), or a sample name without its folder.
    context.sampleName.clear();
    TakeProgramContext(w, context);
    EXPECT_EQ(w.currentDate, "");
    context.sampleName = "01-09-09";
    context.dataFolder.clear();
    TakeProgramContext(w, context);
    EXPECT_EQ(w.currentDate, "");
}

// The latest calculation is offered with its own date only; a calculation
// that did not complete leaves the earlier one as it was.
TEST(CurrentWorkTest, WorkingLatestResultsBelongToTheirDate) {
    ProgramContext context;
    context.plantFolder = "C:\\base\\Hornel";
    context.dataFolder = "C:\\base\\Hornel\\01-09-09\\";
    context.sampleName = "01-09-09";
    CurrentWork w = Work(Configuration::Working);
    TakeProgramContext(w, context);

    NoteCalculationSettled(w, true, false);  // declined
    EXPECT_FALSE(DeriveMenuStates(w).canShowLatestResults);
    NoteCalculationSettled(w, false, false);  // review left
    EXPECT_FALSE(DeriveMenuStates(w).canShowLatestResults);
    NoteCalculationSettled(w, false, true);
    EXPECT_TRUE(DeriveMenuStates(w).canShowLatestResults);

    context.dataFolder = "C:\\base\\Hornel\\02-09-09\\";
    context.sampleName = "02-09-09";
    TakeProgramContext(w, context);
    EXPECT_FALSE(DeriveMenuStates(w).canShowLatestResults);
    NoteCalculationSettled(w, true, false);  // declined on the new date: the old one stays the latest
    context.dataFolder = "C:\\base\\Hornel\\01-09-09\\";
    context.sampleName = "01-09-09";
    TakeProgramContext(w, context);
    EXPECT_TRUE(DeriveMenuStates(w).canShowLatestResults);

    NoteResultsFolderChosen(w);
    NoteBaseFolderChanged(w);
    EXPECT_EQ(w.calculatedDate, "");
    EXPECT_FALSE(w.resultsFolderChosen);
    CurrentWork described = Work(Configuration::Described);
    NoteBaseFolderChanged(described);
    EXPECT_EQ(described.configuration, Configuration::Described);
}

}  // namespace
}  // namespace rw
