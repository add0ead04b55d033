// The save of the conditions form and data selection as flows: a table of
// answers stands in for the windows.
#include <gtest/gtest.h>

#include <functional>

#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/regional.h"
#include "composition/composition_file.h"
#include "conditions/conditions_save.h"
#include "conditions/data_selection.h"
#include "test_support.h"

namespace rw {
namespace {

class ConfigurationFor {
public:
    explicit ConfigurationFor(Configuration c) : before_(CurrentConfiguration()) { SetConfiguration(c); }
    ~ConfigurationFor() { SetConfiguration(before_); }

private:
    Configuration before_;
};

// Texts of a four-reactor plant, gas composition summing to 100.
ConditionsEditTexts GoodTexts() {
    ConditionsEditTexts e;
    const char* texts[] = {"",      "96.4",  "118540", "25.3", "24.8", "24.1", "23.5",  "492.5", "493.1", "494",
                           "495.2", "64.8",  "37.6",   "14.2", "6",    "84.6", "6.1",   "4.4",   "2.5",   "0.9",
                           "0.8",   "0.35",  "0.22",   "0.13", "0.21", " 0.5", "12500", "23.5",  "495.2", "6"};
    for (size_t i = 0; i < e.size(); ++i) e[i] = texts[i];
    return e;
}

ConditionsSaveRequest SaveOf(ProgramContext& context, const ConditionsEntry& entry,
                             ConditionsSaveKind kind = ConditionsSaveKind::DataEntry) {
    ConditionsSaveRequest request;
    request.context = &context;
    request.values = entry;
    request.kind = kind;
    return request;
}

DataSelectionRequest SelectionOf(ProgramContext& context, const std::string& dataFile = {}) {
    DataSelectionRequest request;
    request.context = &context;
    request.dataFile = dataFile;
    return request;
}

struct SaveAnswers : ConditionsSaveQuestions {
    bool despite = false;
    std::optional<std::string> file;
    std::vector<std::string> asked;
    bool SaveDespite(const std::string& question) override {
        asked.push_back(question);
        return despite;
    }
    std::optional<std::string> ChooseFile() override {
        asked.push_back("file");
        return file;
    }
};

struct SaveCase {
    const char* fault;  // what the row catches
    Configuration configuration;
    ConditionsSaveKind kind;
    std::function<void(ConditionsEditTexts&)> edit;
    bool despite;
    const char* chosen;  // the file the chooser gives, null for a cancelled choice
    ConditionsSaveEnd end;
    size_t questions;         // questions asked, the file choice included
    const char* refusalPart;  // part of the refusal, when refused
    int plant;                // row of the plant table: 11 saves the fifth column
};

class ConditionsSaveFlow : public ::testing::TestWithParam<SaveCase> {};

TEST_P(ConditionsSaveFlow, EndsAsTheAnswersAndChecksSay) {
    const SaveCase& row = GetParam();
    ConfigurationFor configuration(row.configuration);
    test::TempDir dir;
    Regional().decimalSeparator = ',';
    ProgramContext context;
    context.baseFolder = dir.str();
    context.plantFolder = dir.str() + "\\Hornel";
    context.plantIndex = row.plant;
    ConditionsEntry entry{GoodTexts(), EncodeDate(2009, 9, 1), EncodeDate(2009, 3, 15)};
    if (row.edit) row.edit(entry.texts);
    SaveAnswers answers;
    answers.despite = row.despite;
    if (row.chosen) answers.file = dir.str() + "\\" + row.chosen;

    const ConditionsSaveOutcome out = SaveConditions(SaveOf(context, entry, row.kind), answers);
    EXPECT_EQ(out.end, row.end) << row.fault;
    EXPECT_EQ(answers.asked.size(), row.questions) << row.fault;
    const std::string entered = dir.str() + "\\Hornel\\01-09-09\\01-09-09.dan";
    const std::string chosen = dir.str() + "\\named.dan";
    if (out.end == ConditionsSaveEnd::Stored) {
        EXPECT_EQ(out.file, row.kind == ConditionsSaveKind::DataEntry ? entered : chosen) << row.fault;
        EXPECT_TRUE(FileExists(out.file)) << row.fault;
        EXPECT_TRUE(out.refusals.empty());
    } else {
        EXPECT_FALSE(FileExists(entered) || FileExists(chosen)) << row.fault;
        EXPECT_TRUE(out.file.empty());
    }
    if (row.refusalPart) {
        const std::string message = RefusalMessage(out);
        EXPECT_EQ(message.rfind(kNotSavedHeadline, 0), 0u);
        EXPECT_NE(message.find(row.refusalPart), std::string::npos) << message;
    }
}

const auto kWorking = Configuration::Working;
const auto kDescribed = Configuration::Described;
const auto kEntry = ConditionsSaveKind::DataEntry;
const auto kChosen = ConditionsSaveKind::ChosenFile;
const auto kStored = ConditionsSaveEnd::Stored;
void FarGasSum(ConditionsEditTexts& e) { e[15] = "74.6"; }
void HotPressure(ConditionsEditTexts& e) { e[4] = "250"; }
void HotFifthColumn(ConditionsEditTexts& e) { e[28] = "900"; }

INSTANTIATE_TEST_SUITE_P(
    Rows, ConditionsSaveFlow,
    ::testing::Values(
        SaveCase{"a good entry stored without a question", kWorking, kEntry, nullptr, false, nullptr, kStored, 0,
                 nullptr, 3},
        SaveCase{"a far gas sum saved without asking", kWorking, kEntry, FarGasSum, false, nullptr,
                 ConditionsSaveEnd::Declined, 1, nullptr, 3},
        SaveCase{"the user's yes to a doubt ignored", kWorking, kEntry, FarGasSum, true, nullptr, kStored, 1, nullptr, 3},
        SaveCase{"a value out of range saved, or put as a doubt", kWorking, kEntry, HotPressure, true, nullptr,
                 ConditionsSaveEnd::Refused, 0, "Давление, атм. (Р - 3)", 3},
        SaveCase{"an empty field saved as zero", kWorking, kEntry, [](ConditionsEditTexts& e) { e[25] = "  "; },
                 true, nullptr, ConditionsSaveEnd::Refused, 0, "Серы в гидрогенизате, ppm", 3},
        SaveCase{"the described configuration's save checked", kDescribed, kEntry, HotPressure, false, nullptr,
                 kStored, 0, nullptr, 3},
        SaveCase{"the file chosen before the checks", kWorking, kChosen, HotPressure, true, "named",
                 ConditionsSaveEnd::Refused, 0, "250", 3},
        SaveCase{"a cancelled choice written", kWorking, kChosen, nullptr, true, nullptr,
                 ConditionsSaveEnd::NoFileChosen, 1, nullptr, 3},
        SaveCase{"a declined doubt still asking for the file", kWorking, kChosen, FarGasSum, false, "named",
                 ConditionsSaveEnd::Declined, 1, nullptr, 3},
        SaveCase{"the chosen file not written", kWorking, kChosen, FarGasSum, true, "named", kStored, 2, nullptr, 3},
        SaveCase{"the fifth column of row 11 left unchecked", kWorking, kEntry, HotFifthColumn, true, nullptr,
                 ConditionsSaveEnd::Refused, 0, "Температура, °С (Р - 5)", 11},
        SaveCase{"a plant without a fifth column refused for it", kWorking, kEntry, HotFifthColumn, true, nullptr,
                 kStored, 0, nullptr, 3}));

// A comma typed as the decimal point is the value the form shows, not the
// digits before it.
TEST(ConditionsSave, CommaDecimalsAreSavedAsShown) {
    ConfigurationFor configuration(Configuration::Working);
    test::TempDir dir;
    ProgramContext context;
    context.plantFolder = dir.str() + "\\Hornel";
    ConditionsEntry entry{GoodTexts(), EncodeDate(2009, 9, 1), EncodeDate(2009, 3, 15)};
    entry.texts[3] = "25,3";
    SaveAnswers answers;
    ASSERT_EQ(SaveConditions(SaveOf(context, entry), answers).end, ConditionsSaveEnd::Stored);
    EXPECT_DOUBLE_EQ(context.conditions.pressure[0], 25.3);
    EXPECT_NE(dir.Read("Hornel/01-09-09/01-09-09.dan").find(" 25.30"), std::string::npos);
}

struct SelectionAnswers : DataSelectionQuestions {
    std::optional<std::string> file;
    std::vector<std::string> asked;  // the plant folders the chooser was given
    int conditionsShown = 0;
    std::optional<std::string> ChooseConditionsFile(const std::string& plantFolder) override {
        asked.push_back(plantFolder);
        return file;
    }
    void ConditionsSelected(const ConditionsSelection&) override { ++conditionsShown; }
};

class DataSelectionFlow : public ::testing::Test {
protected:
    void SetUp() override {
        context.baseFolder = dir.str();
        context.plantFolder = dir.str() + "\\Hornel";
        context.plantIndex = 3;
        Regional().dateSeparator = '.';
        dan = dir.Write("Hornel/20-11-26/20-11-26.dan", test::Slurp(test::DataPath("conditions/form_layout.dan")));
    }
    test::TempDir dir;
    ProgramContext context;
    std::string dan;
    const std::string programDan = dir.str() + "\\Hornel\\20-11-26\\20-11-26.dan";
};

TEST_F(DataSelectionFlow, EachEndOfTheSelection) {
    SelectionAnswers answers;
    // Cancelled: nothing read, nothing of the context changed.
    context.dataFile = "earlier.dan";
    DataSelectionOutcome out = SelectSamplingDate(SelectionOf(context), answers);
    EXPECT_EQ(out.end, DataSelectionEnd::Cancelled);
    EXPECT_EQ(answers.asked, std::vector<std::string>{context.plantFolder});
    EXPECT_EQ(answers.conditionsShown, 0);
    EXPECT_EQ(context.dataFile, "earlier.dan");

    // Chosen, no composition file yet: the conditions are shown all the same.
    answers.file = programDan;
    out = SelectSamplingDate(SelectionOf(context), answers);
    EXPECT_EQ(out.end, DataSelectionEnd::CompositionMissing);
    EXPECT_EQ(answers.conditionsShown, 1);
    EXPECT_EQ(context.sampleName, "20-11-26");
    EXPECT_EQ(out.composition.warningCompositionFile, "20-11-26.sk");

    // A known file is not asked for; with its composition file it is selected.
    CompositionRecord record;
    record.fraction = {86, 96, 113, 152, 175};
    record.density = 0.73;
    WriteCompositionFile(record, dir.str() + "\\Hornel\\20-11-26", "20-11-26");
    answers.asked.clear();
    out = SelectSamplingDate(SelectionOf(context, programDan), answers);
    EXPECT_EQ(out.end, DataSelectionEnd::Selected);
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_EQ(answers.conditionsShown, 2);
    EXPECT_EQ(context.lastSampleName, "20-11-26");
}

TEST_F(DataSelectionFlow, AnUnreadableCompositionFileFailsAfterTheConditionsAreShown) {
    SelectionAnswers answers;
    DataSelectionRequest request = SelectionOf(context, programDan);
    dir.Write("Hornel/20-11-26/20-11-26.sk", "x");
    request.reader = [](const std::string&) -> CompositionTexts { throw UserError("unreadable"); };
    EXPECT_EQ(test::UserErrorOf([&] { SelectSamplingDate(request, answers); }), "unreadable");
    EXPECT_EQ(answers.conditionsShown, 1);

    // A conditions file that is not there: nothing shown.
    request.dataFile = dir.str() + "\\Hornel\\20-11-26\\none.dan";
    EXPECT_THROW(SelectSamplingDate(request, answers), UserError);
    EXPECT_EQ(answers.conditionsShown, 1);
}

}  // namespace
}  // namespace rw
