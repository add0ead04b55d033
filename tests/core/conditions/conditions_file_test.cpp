#include <gtest/gtest.h>

#include "common/codepage.h"
#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/regional.h"
#include "conditions/conditions_file.h"
#include "sample_conditions.h"
#include "test_support.h"

namespace rw {
namespace {

std::string Golden(const std::string& name) { return test::Slurp(test::DataPath("conditions/" + name)); }

// A conditions file from UTF-8 lines, as the DOS programs store it.
std::string Cp866File(const std::vector<std::string>& lines) { return Utf8ToCp866(JoinLinesCrLf(lines)); }

// Every slot set to a value no file holds, to see which slots a read leaves alone.
RunConditions Untouched() {
    RunConditions r;
    r.fill(-777);
    return r;
}

double Slot(const RunConditions& r, int slot) { return r[static_cast<size_t>(slot)]; }

TEST(ConditionsFileWriters, MatchGoldenFilesByteForByte) {
    EXPECT_EQ(FormatFormLayout(test::SampleConditions()), Golden("form_layout.dan"));
    FormLayoutOptions row11;
    row11.extension = test::SampleExtension();
    EXPECT_EQ(FormatFormLayout(test::SampleConditions(), row11), Golden("form_layout_row11.dan"));
    FormLayoutOptions verBak;
    verBak.labels = FormLabels::kSampleRun;
    EXPECT_EQ(FormatFormLayout(test::SampleConditions(), verBak), Golden("sample_run_ver.bak"));
    EXPECT_EQ(FormatRunLayout(test::SampleRunConditions(), 3), Golden("run_layout_3.dan"));
    EXPECT_EQ(FormatRunLayout(test::SampleRunConditions(), 4), Golden("run_layout_4.dan"));
    EXPECT_EQ(FormatRunLayout(test::SampleRunConditions(), 6), Golden("run_layout_6.dan"));
}

TEST(ConditionsFileWriters, ReactorCountAboveSixIsLimitedAndZeroRejected) {
    EXPECT_EQ(FormatRunLayout(test::SampleRunConditions(), 9), Golden("run_layout_6.dan"));
    EXPECT_THROW(FormatRunLayout(test::SampleRunConditions(), 0), UserError);
    RunConditions r = Untouched();
    EXPECT_THROW(ParseRunConditions(Golden("run_layout_4.dan"), 0, r), UserError);
}

TEST(PositionalReader, GivesBackTheFormLayoutToTheWrittenPrecision) {
    ConditionsRecord r = test::SampleConditions();
    r.dosing = {1.234, 0.005, 2.999};
    r.activity = 1.0 / 3.0;
    r.gasComposition[0] = 84.123456;
    r.gasComposition[8] = 0.000004;
    r.sulphur = -0.5;
    r.regenerationDateText = "1.3.2009";
    const PositionalConditions read = ParseConditionsByPosition(FormatFormLayout(r));
    const ConditionsRecord& b = read.conditions;
    EXPECT_DOUBLE_EQ(b.dosing[0], 1.23);
    EXPECT_DOUBLE_EQ(b.dosing[1], 0.01);
    EXPECT_DOUBLE_EQ(b.dosing[2], 3.0);
    EXPECT_DOUBLE_EQ(b.activity, 0.33);
    EXPECT_DOUBLE_EQ(b.gasComposition[0], 84.12346);
    EXPECT_DOUBLE_EQ(b.gasComposition[8], 0.0);
    EXPECT_DOUBLE_EQ(b.sulphur, -0.5);
    EXPECT_EQ(b.pressure, r.pressure);
    EXPECT_EQ(b.inletTemperature, r.inletTemperature);
    EXPECT_EQ(b.temperatureDrop, r.temperatureDrop);
    EXPECT_DOUBLE_EQ(b.gasFlow, 118540);
    EXPECT_DOUBLE_EQ(b.processedFeed, 12500.5);
    EXPECT_DOUBLE_EQ(b.feedFlow, 96.4);
    EXPECT_DOUBLE_EQ(b.gasMoisture, 0.21);
    // The label indent after the date is not part of the date text.
    EXPECT_EQ(b.samplingDateText, "01.09.09");
    EXPECT_EQ(b.regenerationDateText, "1.3.2009");
}

TEST(PositionalReader, ExtensionLineOnlyForRow11AndZeroAtEndOfFile) {
    const auto withExt = ParseConditionsByPosition(Golden("form_layout_row11.dan"), {.withExtension = true});
    EXPECT_EQ(withExt.extension, test::SampleExtension());
    const auto without = ParseConditionsByPosition(Golden("form_layout_row11.dan"));
    EXPECT_EQ(without.extension, (RowExtension{0, 0, 0}));
    const auto thirteen = ParseConditionsByPosition(Golden("form_layout.dan"), {.withExtension = true});
    EXPECT_EQ(thirteen.extension, (RowExtension{0, 0, 0}));
}

TEST(PositionalReader, ReadsTheRunLayoutPadsAsTheFourthReactor) {
    const ConditionsRecord three = ParseConditionsByPosition(Golden("run_layout_3.dan")).conditions;
    EXPECT_EQ(three.dosing, (std::array<double, 3>{1.5, 2.0, 2.5}));
    EXPECT_DOUBLE_EQ(three.pressure[3], 10);
    EXPECT_DOUBLE_EQ(three.inletTemperature[3], 400);
    EXPECT_DOUBLE_EQ(three.temperatureDrop[3], 10);
    EXPECT_DOUBLE_EQ(three.pressure[2], 24.1);
    EXPECT_DOUBLE_EQ(three.feedFlow, 96.4);
    EXPECT_EQ(three.samplingDateText, "01.09.09");
    EXPECT_EQ(three.regenerationDateText, "15.03.09");

    // More reactors than the record holds: the first values of each line.
    const ConditionsRecord six = ParseConditionsByPosition(Golden("run_layout_6.dan")).conditions;
    EXPECT_EQ(six.dosing, (std::array<double, 3>{1.5, 2.0, 2.5}));
    EXPECT_EQ(six.pressure, (std::array<double, 4>{25.3, 24.8, 24.1, 23.5}));
    EXPECT_EQ(six.temperatureDrop, (std::array<double, 4>{64.8, 37.6, 14.2, 6.0}));
    EXPECT_DOUBLE_EQ(six.gasComposition[8], 0.13);
}

TEST(PositionalReader, DatesWithDashesAndAnEmptyRegenerationLine) {
    std::vector<std::string> lines = SplitLines(Cp866ToUtf8(Golden("form_layout.dan")));
    lines[11] = "01-09-09       Дата отбора";
    lines[12] = "";
    const ConditionsRecord r = ParseConditionsByPosition(Cp866File(lines)).conditions;
    EXPECT_EQ(r.samplingDateText, "01.09.09");
    EXPECT_EQ(r.regenerationDateText, "01.09.09");
    // The deactivation run reads the same way but keeps the empty date.
    const ConditionsRecord kept =
        ParseConditionsByPosition(Cp866File(lines), {.copyEmptyRegenerationDate = false}).conditions;
    EXPECT_EQ(kept.regenerationDateText, "");
}

TEST(PositionalReader, RejectsCommasShortLinesAndAdjoiningOverflow) {
    std::vector<std::string> lines = SplitLines(Cp866ToUtf8(Golden("form_layout.dan")));
    auto expectInvalid = [](const std::vector<std::string>& l) {
        EXPECT_EQ(test::UserErrorOf([&] { ParseConditionsByPosition(Cp866File(l)); }), "Invalid numeric input");
    };
    auto comma = lines;
    comma[1] = "  0,87     Активность катализатора (условная еденица)";
    expectInvalid(comma);
    auto shortLine = lines;
    shortLine[2] = " 25.30  24.80  24.10     Давление по реакторам (Р-202, Р-203, Р-204, Р-205), атм.";
    expectInvalid(shortLine);
    auto overflow = lines;
    overflow[0] = "  1.501234.50  2.50     Подача дихлорэтана по реакторам (Р-202, Р-203, Р-204), ррм.";
    expectInvalid(overflow);
    EXPECT_EQ(test::UserErrorOf([&] { ReadConditionsByPosition("/nonexistent/folder/x.dan"); }), "File not found");
}

TEST(RunReader, ReadsTheRunLayoutsOfThreeAndFourReactors) {
    RunConditions three = Untouched();
    EXPECT_TRUE(ParseRunConditions(Golden("run_layout_3.dan"), 3, three));
    EXPECT_DOUBLE_EQ(Slot(three, run_slot::kDosing + 2), 2.5);
    EXPECT_DOUBLE_EQ(Slot(three, run_slot::kDosing + 3), -777);
    EXPECT_DOUBLE_EQ(Slot(three, run_slot::kSamplingDate), EncodeDate(2009, 9, 1));
    EXPECT_DOUBLE_EQ(Slot(three, run_slot::kRegenerationDate), EncodeDate(2009, 3, 15));

    // The pads of a three-reactor file are the fourth values for a reader of four.
    RunConditions padded = Untouched();
    EXPECT_TRUE(ParseRunConditions(Golden("run_layout_3.dan"), 4, padded));
    EXPECT_DOUBLE_EQ(Slot(padded, run_slot::kDosing + 3), 1);
    EXPECT_DOUBLE_EQ(Slot(padded, run_slot::kPressure + 3), 10);
    EXPECT_DOUBLE_EQ(Slot(padded, run_slot::kInletTemperature + 3), 400);
    EXPECT_DOUBLE_EQ(Slot(padded, run_slot::kTemperatureDrop + 3), 10);

    RunConditions four = Untouched();
    EXPECT_TRUE(ParseRunConditions(Golden("run_layout_4.dan"), 4, four));
    RunConditions expected = test::SampleRunConditions();
    for (int slot = 0; slot <= run_slot::kRegenerationDate; ++slot) {
        const bool perReactorBeyondFour =
            (slot >= run_slot::kDosing + 4 && slot < run_slot::kActivity) ||
            (slot >= run_slot::kPressure + 4 && slot < run_slot::kGasMoisture) ||
            (slot >= run_slot::kInletTemperature + 4 && slot < run_slot::kTemperatureDrop) ||
            (slot >= run_slot::kTemperatureDrop + 4 && slot < run_slot::kGasComposition);
        EXPECT_DOUBLE_EQ(Slot(four, slot), perReactorBeyondFour ? -777 : Slot(expected, slot)) << "slot " << slot;
    }
}

TEST(RunReader, FormLayoutForFourReactorsFillsDosingSlotsZeroToTwoOnly) {
    RunConditions r = Untouched();
    EXPECT_TRUE(ParseRunConditions(Golden("form_layout_row11.dan"), 4, r));
    EXPECT_DOUBLE_EQ(Slot(r, run_slot::kDosing + 0), 1.5);
    EXPECT_DOUBLE_EQ(Slot(r, run_slot::kDosing + 2), 2.5);
    EXPECT_DOUBLE_EQ(Slot(r, run_slot::kDosing + 3), -777);  // the label stops the fourth
    EXPECT_DOUBLE_EQ(Slot(r, run_slot::kPressure + 3), 23.5);
    EXPECT_DOUBLE_EQ(Slot(r, run_slot::kInletTemperature + 3), 495.25);
    EXPECT_DOUBLE_EQ(Slot(r, run_slot::kTemperatureDrop + 3), 6.0);
    EXPECT_DOUBLE_EQ(Slot(r, run_slot::kPressure + 4), -777);
    EXPECT_DOUBLE_EQ(Slot(r, run_slot::kGasComposition + 8), 0.13);
    EXPECT_DOUBLE_EQ(Slot(r, run_slot::kFeedFlow), 96.4);
    EXPECT_DOUBLE_EQ(Slot(r, run_slot::kRegenerationDate), EncodeDate(2009, 3, 15));
}

TEST(RunReader, ErrorsEndTheReadingAndKeepTheRest) {
    std::vector<std::string> lines = SplitLines(Cp866ToUtf8(Golden("run_layout_4.dan")));

    // A comma in a per-reactor line is accepted; an overflowing dosing value
    // ends only its own line.
    auto tolerant = lines;
    tolerant[2] = " 25,30 24.80 24.10 23.50       Давление";
    tolerant[0] = "  1.501234.50  2.50  3.00       Подача";
    RunConditions a = Untouched();
    EXPECT_TRUE(ParseRunConditions(Cp866File(tolerant), 4, a));
    EXPECT_DOUBLE_EQ(Slot(a, run_slot::kPressure), 25.3);
    EXPECT_DOUBLE_EQ(Slot(a, run_slot::kDosing), -777);
    EXPECT_DOUBLE_EQ(Slot(a, run_slot::kActivity), 0.87);

    // A comma under the token rule ends the whole reading silently.
    auto broken = lines;
    broken[7] = "118540,00      Расход ВСГ, м3/час";
    RunConditions b = Untouched();
    EXPECT_FALSE(ParseRunConditions(Cp866File(broken), 4, b));
    EXPECT_DOUBLE_EQ(Slot(b, run_slot::kGasComposition + 8), 0.13);
    EXPECT_DOUBLE_EQ(Slot(b, run_slot::kGasFlow), -777);
    EXPECT_DOUBLE_EQ(Slot(b, run_slot::kFeedFlow), -777);
    EXPECT_DOUBLE_EQ(Slot(b, run_slot::kSamplingDate), -777);

    // Dates written with dashes; an empty regeneration line is no date.
    auto dates = lines;
    dates[11] = "01-09-09             Дата отбора";
    dates[12] = "";
    RunConditions c = Untouched();
    EXPECT_FALSE(ParseRunConditions(Cp866File(dates), 4, c));
    EXPECT_DOUBLE_EQ(Slot(c, run_slot::kSamplingDate), EncodeDate(2009, 9, 1));
    EXPECT_DOUBLE_EQ(Slot(c, run_slot::kRegenerationDate), -777);

    RunConditions d = Untouched();
    EXPECT_THROW(ReadRunConditions("/nonexistent/folder/dan.bak", 4, d), UserError);
}

// The screens and the files written after a save use a point in the
// working configuration; the described one shows the system's separator
// and goes on with a comma after a save.
TEST(RegionalSeparator, ThePointOfTheWorkingConfiguration) {
    const char system = Regional().decimalSeparator;
    for (const Configuration c : {Configuration::Described, Configuration::Working}) {
        SetConfiguration(c);
        const bool working = c == Configuration::Working;
        Regional().decimalSeparator = ',';
        UseScreenSeparator();
        EXPECT_EQ(Regional().decimalSeparator, working ? '.' : ',') << working;
        Regional().decimalSeparator = '.';
        SeparatorAfterSave();
        EXPECT_EQ(Regional().decimalSeparator, working ? '.' : ',') << working;
    }
    SetConfiguration(Configuration::Described);
    Regional().decimalSeparator = system;
}

}  // namespace
}  // namespace rw
