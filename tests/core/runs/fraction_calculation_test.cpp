// The fractional-composition calculation: the reading rule, the comparison
// and both branches of the save as they leave the files.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/errors.h"
#include "common/files.h"
#include "composition/composition_file.h"
#include "conditions/conditions_file.h"
#include "run_fixtures.h"
#include "runs/fraction_calculation.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

const FractionTexts kBase = {"  86", "  96", " 113", " 152", " 175", " 0.730"};  // as the formation writes them

class FractionSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.baseFolder = dir.str();
        context.plantFolder = JoinPath(dir.str(), "Hornel");
        context.fractionFolder = JoinPath(context.plantFolder, "Fr");
        context.fractionProgram = "drovan.exe";
        context.dataFolder = JoinPath(context.plantFolder, "01-09-09") + "\\";
        context.sampleName = "01-09-09";
        context.lastSampleName = "01-09-09";
        CreateFolders(context.fractionFolder);
        test::WriteRealisticInputs(JoinPath(context.plantFolder, "01-09-09"), "01-09-09");
        CopyFile(JoinPath(context.plantFolder, "01-09-09\\01-09-09.sk"), FractionBaseFile(context));
        baseSk = SplitLines(test::Slurp(ToNative(FractionBaseFile(context))));
    }

    std::vector<std::string> Lines(const std::string& path) const { return SplitLines(test::Slurp(ToNative(path))); }

    // A fraction program that must not be started.
    static RunOutcome NoProgram(const std::string&, const std::string&) {
        ADD_FAILURE() << "the fraction program was started";
        return RunOutcome::Finished;
    }

    test::TempDir dir;
    ProgramContext context;
    std::vector<std::string> baseSk;
};

TEST(FractionReading, LastSixNonEmptyRestsAfterLine138) {
    test::TempDir dir;
    std::vector<std::string> lines(138, "x");
    const std::string path = dir.Write("a.sk", JoinLinesCrLf(lines));
    EXPECT_FALSE(ReadFractionalComposition(path));  // no tail at all

    // Lines of 16 characters or fewer leave empty rests, which do not count.
    for (const char* v : {"1", "2", "3", "4", "5"}) lines.push_back(std::string(17, ' ') + v);
    lines.push_back(std::string(16, ' '));
    lines.push_back("");
    WriteFileAtomic(path, JoinLinesCrLf(lines));
    EXPECT_FALSE(ReadFractionalComposition(path));  // five values only

    for (const char* v : {"6", "7", "8", "9", "10", "11", "0.7"}) lines.push_back(std::string(19, ' ') + v);
    WriteFileAtomic(path, JoinLinesCrLf(lines));
    const auto fraction = ReadFractionalComposition(path);
    ASSERT_TRUE(fraction);
    EXPECT_EQ(*fraction, (FractionTexts{"   7", "   8", "   9", "   10", "   11", "   0.7"}));

    EXPECT_THROW(ReadFractionalComposition(dir.str() + "/missing.sk"), UserError);
}

TEST(FractionComparison, ValuesAreComparedAsNumbers) {
    const FractionTexts base = {"78.0", " 83", "80", "93", "101", "0.715"};
    EXPECT_TRUE(SameFractionalComposition({"78", "83.", "80,0", " 9 3", "101.000", "0.7150"}, base));
    EXPECT_FALSE(SameFractionalComposition({"78", "83", "80", "93", "101", "0.716"}, base));
    // A text that is not a number is reported even when an earlier pair already differs.
    EXPECT_EQ(test::UserErrorOf([&] { SameFractionalComposition({"79", "83", "80", "93", "101", "0,7x"}, base); }),
              "'0.7x' is not a valid floating point value");
}

TEST_F(FractionSaveTest, FirstStepSwitchesToTheNewDateInTheFractionFolder) {
    const FractionSave save = StartFractionSave(context, "01.10.09");
    EXPECT_EQ(context.sampleName, "01-10-09");
    EXPECT_EQ(context.dataFolder, context.fractionFolder + "\\");
    EXPECT_EQ(save.previousSampleName, "01-09-09");
    EXPECT_EQ(save.previousDataFolder, JoinPath(context.plantFolder, "01-09-09") + "\\");
    EXPECT_EQ(save.compositionPath, context.fractionFolder + "\\01-10-09.sk");
    EXPECT_EQ(save.conditionsPath, context.fractionFolder + "\\01-10-09.dan");

    // Not a date: used as typed.
    StartFractionSave(context, "осень 2009");
    EXPECT_EQ(context.sampleName, "осень 2009");
}

TEST_F(FractionSaveTest, UnchangedCopiesTheCompositionWithTheTypedValues) {
    FractionSave save = StartFractionSave(context, "01.10.09");
    const FractionTexts typed = {"86", "96.0", "113", "152", "175.", "0,73"};
    WriteFractionSave(save, context, typed, kBase, NoProgram);
    EXPECT_FALSE(save.changed);
    EXPECT_FALSE(save.conditionsExist);

    const std::vector<std::string> lines = Lines(save.compositionPath);
    ASSERT_EQ(lines.size(), 144u);
    EXPECT_TRUE(std::equal(lines.begin(), lines.begin() + 138, baseSk.begin()));
    EXPECT_EQ(lines[138], std::string(19, ' ') + "86");
    EXPECT_EQ(lines[143], std::string(19, ' ') + "0,73");
    // Read back by the rule, every value comes after three blanks.
    EXPECT_EQ(*ReadFractionalComposition(save.compositionPath),
              (FractionTexts{"   86", "   96.0", "   113", "   152", "   175.", "   0,73"}));
    EXPECT_EQ(Lines(FractionBaseFile(context)), baseSk);  // sk untouched
}

TEST_F(FractionSaveTest, ConversionErrorWritesNothing) {
    FractionSave save = StartFractionSave(context, "01.10.09");
    EXPECT_THROW(WriteFractionSave(save, context, {"86", "96", "1l3", "152", "175", "0.73"}, kBase, NoProgram),
                 UserError);
    EXPECT_EQ(context.sampleName, "01-10-09");  // the first step stays
    EXPECT_FALSE(FileExists(save.compositionPath));
    EXPECT_EQ(Lines(FractionBaseFile(context)), baseSk);
}

TEST_F(FractionSaveTest, ChangedRewritesSkRunsTheProgramAndTakesSumFr) {
    // A stale sum-fr of an earlier calculation must not end up in the new file.
    WriteFileAtomic(FractionProgramOutput(context), "stale\r\n");
    FractionSave save = StartFractionSave(context, "01.10.09");
    const FractionTexts typed = {"88", "93", "90", "103", "111", "0.725"};
    std::vector<std::string> seenSk;
    std::string commandLine, folder;
    bool windowClosed = false;
    const auto program = [&](const std::string& line, const std::string& work) {
        commandLine = line;
        folder = work;
        EXPECT_FALSE(FileExists(FractionProgramOutput(context)));
        seenSk = Lines(FractionBaseFile(context));
        std::vector<std::string> out(baseSk.begin(), baseSk.begin() + 138);
        out[0] = "recomputed";
        WriteFileAtomic(FractionProgramOutput(context), JoinLinesCrLf(out));
        return RunOutcome::Finished;
    };
    WriteFractionSave(save, context, typed, kBase, program, [&] { windowClosed = true; });
    EXPECT_TRUE(save.changed);
    EXPECT_TRUE(windowClosed);
    EXPECT_EQ(commandLine, "drovan.exe");
    EXPECT_EQ(folder, context.baseFolder);

    // sk: the base sample's 138 lines and twelve value lines after 17 blanks.
    ASSERT_EQ(seenSk.size(), 150u);
    EXPECT_TRUE(std::equal(seenSk.begin(), seenSk.begin() + 138, baseSk.begin()));
    EXPECT_EQ(seenSk[138], std::string(17, ' ') + "  86");
    EXPECT_EQ(seenSk[149], std::string(17, ' ') + "0.725");
    // FrClick then offers the second group, the new values.
    const auto offered = LastSampleFraction(context);
    ASSERT_TRUE(offered);
    EXPECT_EQ(offered->values, typed);
    EXPECT_EQ(offered->lastSampleCaption, "Дата последнего отбора:  01-09-09");

    const std::vector<std::string> lines = Lines(save.compositionPath);
    ASSERT_EQ(lines.size(), 144u);
    EXPECT_EQ(lines[0], "recomputed");
    EXPECT_EQ(lines[143], std::string(19, ' ') + "0.725");
}

TEST_F(FractionSaveTest, ProgramThatDoesNotStartOrWritesNothingIsReported) {
    FractionSave save = StartFractionSave(context, "01.10.09");
    const FractionTexts typed = {"88", "93", "90", "103", "111", "0.725"};
    WriteFileAtomic(FractionProgramOutput(context), "stale\r\n");
    EXPECT_THROW(WriteFractionSave(save, context, typed, kBase,
                                   [](const std::string&, const std::string&) { return RunOutcome::NotStarted; }),
                 UserError);
    EXPECT_THROW(WriteFractionSave(save, context, typed, kBase,
                                   [](const std::string&, const std::string&) { return RunOutcome::Finished; }),
                 UserError);
    EXPECT_FALSE(FileExists(save.compositionPath));
}

TEST_F(FractionSaveTest, ChangedWithTheStandInFractionProgram) {
    const std::string drovan = std::string(REFORMER_BINARY_DIR) + "/bin/sk/drovan.exe";
    if (!FileExists(drovan)) GTEST_SKIP() << "the stand-in fraction program is not built (standin_drovan)";
    fs::copy_file(drovan, dir.path() / "drovan.exe");

    FractionSave save = StartFractionSave(context, "01.10.09");
    WriteFractionSave(save, context, {"96", "106", "123", "162", "185", "0.740"}, kBase);
    ASSERT_TRUE(save.changed);
    const CompositionRecord before = test::RealisticComposition();
    const CompositionRecord after = CompositionFromTexts(ReadCompositionFile(save.compositionPath));
    EXPECT_EQ(Lines(save.compositionPath).size(), 144u);
    EXPECT_GT(after.feed[67], before.feed[67]);  // a heavier feed: more C9 and heavier
    EXPECT_LT(after.feed[11], before.feed[11]);
    EXPECT_DOUBLE_EQ(after.density, 0.740);
}

TEST_F(FractionSaveTest, ExistingConditionsFileIsFound) {
    WriteFormLayout(JoinPath(context.fractionFolder, "01-10-09.dan"), test::RealisticConditions());
    FractionSave save = StartFractionSave(context, "01.10.09");
    WriteFractionSave(save, context, kBase, kBase, NoProgram);
    EXPECT_TRUE(save.conditionsExist);
}

TEST_F(FractionSaveTest, MissingConditionsAreTakenFromThePreviousDate) {
    FractionSave save = StartFractionSave(context, "01.10.09");
    context.conditions = ConditionsRecord{};
    const NewDateConditions form = PrepareNewDateConditions(context, save);
    EXPECT_EQ(form.saveFolder, context.fractionFolder + "\\");
    EXPECT_EQ(form.saveFileName, "01-10-09.dan");
    ASSERT_TRUE(form.samplingDate);
    EXPECT_EQ(*form.samplingDate, EncodeDate(2009, 10, 1));
    EXPECT_EQ(context.conditions.processedFeed, 586911);
    EXPECT_EQ(form.edits[kEditFeedFlow], "65.0");
    EXPECT_EQ(form.edits[kEditGasComposition], " 81.20");
    EXPECT_EQ(form.edits[kEditProcessedFeed], "586911.00");
    EXPECT_EQ(form.edits[kEditExtension], "");

    StartFractionSave(context, "нет даты");
    EXPECT_FALSE(PrepareNewDateConditions(context, save).samplingDate);
    save.previousSampleName = "31-12-09";  // no such file
    EXPECT_THROW(PrepareNewDateConditions(context, save), UserError);
}

}  // namespace
}  // namespace rw
