#include <gtest/gtest.h>

#include <filesystem>

#include "common/codepage.h"
#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/regional.h"
#include "composition/composition_file.h"
#include "conditions/conditions_save.h"
#include "conditions/data_selection.h"
#include "sample_conditions.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

std::string Golden(const std::string& name) { return test::Slurp(test::DataPath("conditions/" + name)); }

// The texts of the conditions form that give the golden sample conditions.
ConditionsEditTexts SampleEdits() {
    ConditionsEditTexts e;
    e[1] = "96.4";
    e[2] = "118540";
    const char* pressure[] = {"25.3", "24.8", "24.1", "23.5"};
    const char* inlet[] = {"492.5", "493.1", "494", "495.25"};
    const char* drop[] = {"64.8", "37.6", "14.2", "6"};
    for (int i = 0; i < 4; ++i) {
        e[static_cast<size_t>(3 + i)] = pressure[i];
        e[static_cast<size_t>(7 + i)] = inlet[i];
        e[static_cast<size_t>(11 + i)] = drop[i];
    }
    const char* gas[] = {"84.61", "6.12", "4.35", "2.48", "0.91", "0.83", "0.35", "0.22", "0.13"};
    for (int i = 0; i < 9; ++i) e[static_cast<size_t>(15 + i)] = gas[i];
    e[24] = "0.21";
    e[25] = " 0.5";
    e[26] = "12500.5";
    e[27] = "23.5";
    e[28] = "495.25";
    e[29] = "6";
    return e;
}

class ConditionsDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.baseFolder = dir.str();
        context.plantFolder = dir.str() + "\\Hornel";
        context.plantIndex = 11;
        context.plantCaption = "Хорнельский НПЗ (Л-35-11/450К)";
        Regional().decimalSeparator = ',';
        Regional().dateSeparator = '.';
    }
    void TearDown() override { Regional().dateSeparator = '.'; }

    std::string PutConditions(const std::string& bytes) { return dir.Write("Hornel/01-09-09/01-09-09.dan", bytes); }

    test::TempDir dir;
    ProgramContext context;
    const double sampling = EncodeDate(2009, 9, 1);
    const double regeneration = EncodeDate(2009, 3, 15);
};

TEST_F(ConditionsDataTest, DataEntrySaveOfRow11WritesFifteenLines) {
    context.conditions.dosing = {1.5, 2.0, 2.5};  // not on the form: kept from the record
    context.conditions.activity = 0.87;
    const DataEntrySave saved = SaveDataEntry(context, SampleEdits(), sampling, regeneration);
    EXPECT_EQ(saved.sampleName, "01-09-09");
    EXPECT_EQ(context.entrySampleName, "01-09-09");
    EXPECT_EQ(context.samplingFolder, dir.str() + "\\Hornel\\01-09-09");
    EXPECT_EQ(dir.Read("Hornel/01-09-09/01-09-09.dan"), Golden("form_layout_row11.dan"));
    EXPECT_EQ(Regional().decimalSeparator, ',');

    // Saving again into the existing folder works the same.
    EXPECT_NO_THROW(SaveDataEntry(context, SampleEdits(), sampling, regeneration));

    context.plantIndex = 3;
    SaveDataEntry(context, SampleEdits(), sampling, regeneration);
    EXPECT_EQ(dir.Read("Hornel/01-09-09/01-09-09.dan"), Golden("form_layout.dan"));
}

TEST_F(ConditionsDataTest, ABadFifthColumnTextLeavesTheSavedFileAsItWas) {
    SaveDataEntry(context, SampleEdits(), sampling, regeneration);
    const std::string before = dir.Read("Hornel/01-09-09/01-09-09.dan");
    ConditionsEditTexts edits = SampleEdits();
    edits[28] = "4,95";
    edits[kEditGasFlow] = " 99.00";
    EXPECT_EQ(test::UserErrorOf([&] { SaveDataEntry(context, edits, sampling, regeneration); }),
              "'4,95' is not a valid floating point value");
    EXPECT_EQ(dir.Read("Hornel/01-09-09/01-09-09.dan"), before);
    EXPECT_EQ(Regional().decimalSeparator, '.');
}

TEST_F(ConditionsDataTest, NormalSaveShortensTheNameAndReplacesTheExtension) {
    // The described configuration writes lines 1 to 13 only, even for row 11.
    const Configuration before = CurrentConfiguration();
    SetConfiguration(Configuration::Described);
    const std::string file = SaveConditionsAs(context, dir.str() + "\\Conditions-2009-09-01.txt", SampleEdits(),
                                              sampling, regeneration);
    SetConfiguration(before);
    EXPECT_EQ(file, dir.str() + "\\Conditions-20.dan");
    // Dosing and activity come from the record, so only those lines differ.
    auto lines = SplitLines(dir.Read("Conditions-20.dan"));
    auto golden = SplitLines(Golden("form_layout.dan"));
    ASSERT_EQ(lines.size(), 13u);
    for (size_t i = 2; i < 13; ++i) EXPECT_EQ(lines[i], golden[i]) << "line " << i + 1;
}

// The fifth column of row 11 is saved as the form shows it by either save,
// replacing what the file held; other plants keep 13 lines.
TEST_F(ConditionsDataTest, NormalSaveOfRow11WritesTheFifthColumnAsShown) {
    const Configuration before = CurrentConfiguration();
    SetConfiguration(Configuration::Working);
    context.conditions.dosing = {1.5, 2.0, 2.5};
    context.conditions.activity = 0.87;
    const std::string path = PutConditions(Golden("form_layout_row11.dan"));
    ConditionsEditTexts edits = SampleEdits();
    SaveConditionsAs(context, path, edits, sampling, regeneration);
    EXPECT_EQ(dir.Read("Hornel/01-09-09/01-09-09.dan"), Golden("form_layout_row11.dan"));

    edits[27] = "26.5";
    SaveConditionsAs(context, path, edits, sampling, regeneration);
    const auto lines = SplitLines(dir.Read("Hornel/01-09-09/01-09-09.dan"));
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[13].substr(0, 24), " 2.65000000000000E+0001 ");
    EXPECT_EQ(ReadRowExtension(path), (RowExtension{26.5, 495.25, 6.0}));

    // A fifth-column text that is no number: refused before anything is written.
    edits[29] = "6x";
    EXPECT_EQ(test::UserErrorOf([&] { SaveConditionsAs(context, path, edits, sampling, regeneration); }),
              "'6x' is not a valid floating point value");
    EXPECT_EQ(ReadRowExtension(path), (RowExtension{26.5, 495.25, 6.0}));

    context.plantIndex = 3;
    SaveConditionsAs(context, path, edits, sampling, regeneration);
    EXPECT_EQ(SplitLines(dir.Read("Hornel/01-09-09/01-09-09.dan")).size(), 13u);
    SetConfiguration(before);
}

TEST_F(ConditionsDataTest, RowExtensionIsLine14WhateverTheLayoutAbove) {
    const std::string run4 = Golden("run_layout_4.dan");
    const std::string row11 = Golden("form_layout_row11.dan");
    const auto lines11 = SplitLines(row11);
    const std::string line14 = lines11[13] + "\r\n";
    EXPECT_EQ(ParseRowExtension(row11), test::SampleExtension());
    // A calculation's run layout with the kept lines 14 and 15 after it.
    EXPECT_EQ(ParseRowExtension(run4 + line14 + lines11[14] + "\r\n"), test::SampleExtension());
    EXPECT_EQ(ParseRowExtension(Golden("form_layout.dan")), (RowExtension{0, 0, 0}));
    EXPECT_EQ(ParseRowExtension(run4 + " 2.5E+0001\r\n"), (RowExtension{25, 0, 0}));
    EXPECT_EQ(test::UserErrorOf([&] { ParseRowExtension(run4 + "26,5 499 8\r\n"); }), "Invalid numeric input");
    EXPECT_THROW(ReadRowExtension(dir.str() + "/none.dan"), UserError);
    // Read from a file: the working configuration names the file, the
    // described one keeps the run time's words.
    const std::string comma = dir.Write("comma.dan", run4 + "26,5 499 8\r\n");
    const Configuration before = CurrentConfiguration();
    std::string message[2];
    for (const Configuration c : {Configuration::Described, Configuration::Working}) {
        SetConfiguration(c);
        message[c == Configuration::Working] = test::UserErrorOf([&] { ReadRowExtension(comma); });
    }
    SetConfiguration(before);
    EXPECT_EQ(message[0], "Invalid numeric input");
    EXPECT_EQ(message[1], "Значение в файле условий не число (дробную часть в файле отделяют точкой): " + ToNative(comma));
}

// "Риформинг" needs a current date with both of its files.
TEST_F(ConditionsDataTest, CurrentDateNeedsTheSampleAndBothItsFiles) {
    EXPECT_FALSE(CurrentDateReady(context));
    PutConditions(Golden("form_layout_row11.dan"));
    context.dataFolder = dir.str() + "\\Hornel\\01-09-09\\";
    EXPECT_FALSE(CurrentDateReady(context));  // no sample name
    context.sampleName = "01-09-09";
    EXPECT_FALSE(CurrentDateReady(context));  // no composition file
    dir.Write("Hornel/01-09-09/01-09-09.sk", "x");
    EXPECT_TRUE(CurrentDateReady(context));
    fs::remove(dir.path() / "Hornel/01-09-09/01-09-09.dan");
    EXPECT_FALSE(CurrentDateReady(context));
    context.dataFolder.clear();
    EXPECT_FALSE(CurrentDateReady(context));
}

TEST_F(ConditionsDataTest, FormValuesFollowTheStrictRuleWithItsPrefix) {
    EXPECT_DOUBLE_EQ(FormFieldValue("1500,5"), 1500);
    EXPECT_DOUBLE_EQ(FormFieldValue("  -2.5e1"), -25);
    EXPECT_DOUBLE_EQ(FormFieldValue(""), 0);
    EXPECT_DOUBLE_EQ(FormFieldValue("abc"), 0);
    ConditionsEditTexts e;
    const char* gas[] = {"90", "5", "2", "1", "1", "0.5", "0.3", "0.1", "0.1"};
    for (int i = 0; i < 9; ++i) e[static_cast<size_t>(15 + i)] = gas[i];
    EXPECT_EQ(GasCompositionSumText(e), "100.00000");
}

TEST_F(ConditionsDataTest, SelectionFillsTheContextAndTheFormTexts) {
    PutConditions(Golden("form_layout_row11.dan"));
    const ConditionsSelection s = SelectConditions(context);
    EXPECT_EQ(context.dataFile, dir.str() + "\\Hornel\\01-09-09\\01-09-09.dan");
    EXPECT_EQ(context.dataFolder, dir.str() + "\\Hornel\\01-09-09\\");
    EXPECT_EQ(context.sampleName, "01-09-09");
    EXPECT_DOUBLE_EQ(context.conditions.activity, 0.87);
    EXPECT_DOUBLE_EQ(s.samplingDate, sampling);
    EXPECT_DOUBLE_EQ(s.regenerationDate, regeneration);
    EXPECT_TRUE(s.hasExtension);
    EXPECT_EQ(s.edits[1], "96.4");
    EXPECT_EQ(s.edits[2], "118540.00");
    EXPECT_EQ(s.edits[3], " 25.30");
    EXPECT_EQ(s.edits[6], " 23.50");
    EXPECT_EQ(s.edits[14], "  6.00");
    EXPECT_EQ(s.edits[15], " 84.61");  // the gas composition shows two decimals
    EXPECT_EQ(s.edits[25], "  0.50");
    EXPECT_EQ(s.edits[26], "12500.50");
    EXPECT_EQ(s.edits[27], " 23.50");
    EXPECT_EQ(s.edits[28], "495.25");
    EXPECT_EQ(s.edits[29], "  6.00");

    // A 13-line file for row 11: the fifth column reads as zeros.
    PutConditions(Golden("form_layout.dan"));
    EXPECT_EQ(SelectConditions(context).edits[27], "  0.00");
    // Other rows leave the fifth column alone.
    context.plantIndex = 3;
    const ConditionsSelection other = SelectConditions(context);
    EXPECT_FALSE(other.hasExtension);
    EXPECT_EQ(other.edits[27], "");
}

TEST_F(ConditionsDataTest, RunLayoutOfThreeReactorsShowsThePads) {
    PutConditions(Golden("run_layout_3.dan"));
    const ConditionsSelection s = SelectConditions(context);
    EXPECT_EQ(s.edits[6], " 10.00");
    EXPECT_EQ(s.edits[10], "400.00");
    EXPECT_EQ(s.edits[14], " 10.00");
}

TEST_F(ConditionsDataTest, FailedReadsLeaveTheRecordAsItWas) {
    context.conditions = test::SampleConditions();
    context.conditions.activity = 5.5;
    EXPECT_EQ(test::UserErrorOf([&] { SelectConditions(context); }), "File not found");
    EXPECT_EQ(context.sampleName, "01-09-09");
    EXPECT_DOUBLE_EQ(context.conditions.activity, 5.5);

    // Lines 1 and 2 are good, line 3 is short: nothing of it reaches the record.
    auto lines = SplitLines(Cp866ToUtf8(Golden("form_layout.dan")));
    lines[2] = " 25.30     Давление";
    PutConditions(Utf8ToCp866(JoinLinesCrLf(lines)));
    EXPECT_THROW(SelectConditions(context), UserError);
    EXPECT_DOUBLE_EQ(context.conditions.activity, 5.5);
}

TEST_F(ConditionsDataTest, DateTextsOutsideTheRegionalFormatFailAfterTheRecordIsFilled) {
    PutConditions(Golden("form_layout.dan"));
    Regional().dateSeparator = '/';
    EXPECT_EQ(test::UserErrorOf([&] { SelectConditions(context); }), "'01.09.09' is not a valid date");
    EXPECT_DOUBLE_EQ(context.conditions.feedFlow, 96.4);
}

TEST_F(ConditionsDataTest, CompositionMissingShowsTheWarningTexts) {
    PutConditions(Golden("form_layout.dan"));
    SelectConditions(context);
    const CompositionSelection c = SelectComposition(context);
    EXPECT_FALSE(c.found);
    EXPECT_EQ(c.warningSampleName, "01-09-09");
    EXPECT_EQ(c.warningConditionsFile, "01-09-09.dan");
    EXPECT_EQ(c.warningCompositionFile, "01-09-09.sk");
}

TEST_F(ConditionsDataTest, CompleteTailReplacesSkAndSetsTheLastSample) {
    PutConditions(Golden("form_layout.dan"));
    CompositionRecord record;
    record.feed[0] = 62.1;
    record.catalyzate[68] = 0.5;
    record.fraction = {86, 96, 113, 152, 175};
    record.density = 0.73;
    WriteCompositionFile(record, dir.str() + "\\Hornel\\01-09-09", "01-09-09");
    dir.Write("sk", "older composition");

    const DataSelection d = SelectData(context);
    const CompositionSelection& c = d.composition;
    EXPECT_TRUE(c.found);
    EXPECT_EQ(c.mainWindowCaption, " Установка: Хорнельский НПЗ (Л-35-11/450К)" + std::string(28, ' ') +
                                        "Дата отбора: 01-09-09");
    ASSERT_EQ(c.editorTexts.size(), 138u);
    EXPECT_DOUBLE_EQ(std::stod(c.editorTexts[0]), 62.1);
    EXPECT_DOUBLE_EQ(std::stod(c.editorTexts[137]), 0.5);
    EXPECT_EQ(c.fractionSampleName, "01-09-09");
    EXPECT_TRUE(c.completeTail);
    EXPECT_DOUBLE_EQ(std::stod(c.fractionTexts[0]), 86);
    EXPECT_DOUBLE_EQ(std::stod(c.fractionTexts[4]), 175);
    EXPECT_DOUBLE_EQ(std::stod(c.fractionTexts[5]), 0.73);
    EXPECT_EQ(dir.Read("sk"), dir.Read("Hornel/01-09-09/01-09-09.sk"));
    EXPECT_EQ(context.lastSampleName, "01-09-09");
}

TEST_F(ConditionsDataTest, ShortTailGivesZerosAndLeavesSkAlone) {
    PutConditions(Golden("form_layout.dan"));
    SelectConditions(context);
    // 138 value lines and five tail lines.
    std::string sk;
    for (int i = 0; i < 143; ++i) sk += std::string(17, ' ') + "1.000\r\n";
    dir.Write("Hornel/01-09-09/01-09-09.sk", sk);
    dir.Write("sk", "older composition");
    context.lastSampleName = "15-08-09";
    const CompositionSelection c = SelectComposition(context);
    EXPECT_TRUE(c.found);
    EXPECT_FALSE(c.completeTail);
    EXPECT_EQ(c.fractionTexts, (std::array<std::string, 6>{"0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(dir.Read("sk"), "older composition");
    EXPECT_EQ(context.lastSampleName, "15-08-09");
}

}  // namespace
}  // namespace rw
