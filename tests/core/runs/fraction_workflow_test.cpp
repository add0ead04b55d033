// The save of the fractional-composition window as the core runs it,
// answered by a table: which files the new date ends with, what the user is
// told and asked, and when the reforming calculation may follow.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "conditions/conditions_file.h"
#include "run_fixtures.h"
#include "runs/fraction_workflow.h"
#include "test_support.h"

namespace rw {
namespace {

const FractionTexts kBase = {"  86", "  96", " 113", " 152", " 175", " 0.730"};
const FractionTexts kChanged = {"88", "93", "90", "103", "111", "0.725"};

// The window's answers; what it is told and asked is written to `said`.
class TableQuestions : public FractionQuestions {
public:
    bool completeForm = false;  // "Сохранить" on the conditions form
    bool formSavesFile = false;  // the form leaves the date's conditions file behind
    std::vector<std::string> said;
    std::optional<NewDateConditions> form;

    void SampleNamed(const std::string& dateText) override { said.push_back("named " + dateText); }
    void ProgramFinished() override { said.push_back("program finished"); }
    void Tell(const std::string& message) override { said.push_back(message); }
    bool EnterConditions(const NewDateConditions& prepared, const std::string& conditionsPath) override {
        said.push_back("form");
        form = prepared;
        if (formSavesFile) WriteFormLayout(conditionsPath, test::RealisticConditions());
        return completeForm;
    }
};

struct Row {
    const char* name;
    Configuration configuration;
    const char* dateText;
    FractionTexts typed;
    bool conditionsThere;  // the new date's conditions file exists before the save
    bool completeForm, formSavesFile;
    RunOutcome program;    // of the fraction program, when it is started
    std::optional<FractionEnd> end;  // none: the save throws
    const char* said;      // the messages and questions, joined with " | "; or the start of the failure
};

class FractionFixture : public ::testing::Test {
protected:
    void SetUp() override {
        context.baseFolder = dir.str();
        context.plantFolder = JoinPath(dir.str(), "Hornel");
        context.fractionFolder = JoinPath(context.plantFolder, "Fr");
        context.fractionProgram = "drovan.exe";
        context.dataFolder = JoinPath(context.plantFolder, "01-09-09") + "\\";
        context.sampleName = "01-09-09";
        CreateFolders(context.fractionFolder);
        test::WriteRealisticInputs(JoinPath(context.plantFolder, "01-09-09"), "01-09-09");
        CopyFile(JoinPath(context.plantFolder, "01-09-09\\01-09-09.sk"), FractionBaseFile(context));
    }
    test::TempDir dir;
    ProgramContext context;
};

class FractionWorkflow : public FractionFixture, public ::testing::WithParamInterface<Row> {};

std::string Joined(const std::vector<std::string>& said) {
    std::string all;
    for (const std::string& s : said) all += (all.empty() ? "" : " | ") + s;
    return all;
}

TEST_P(FractionWorkflow, EndsAsTheTableSays) {
    const Row& row = GetParam();
    const Configuration before = CurrentConfiguration();
    SetConfiguration(row.configuration);
    struct Back {
        Configuration c;
        ~Back() { SetConfiguration(c); }
    } back{before};

    const std::string newDan = JoinPath(context.fractionFolder, "01-10-09.dan");
    const std::string newSk = JoinPath(context.fractionFolder, "01-10-09.sk");
    if (row.conditionsThere) WriteFormLayout(newDan, test::RealisticConditions());
    int programRuns = 0;
    FractionRequest request;
    request.context = &context;
    request.dateText = row.dateText;
    request.typed = row.typed;
    request.base = kBase;
    request.start = [&](const std::string&, const std::string&) {
        ++programRuns;
        if (row.program == RunOutcome::Finished) {
            WriteFileAtomic(FractionProgramOutput(context), ReadFileBytes(FractionBaseFile(context)));
        }
        return row.program;
    };
    TableQuestions questions;
    questions.completeForm = row.completeForm;
    questions.formSavesFile = row.formSavesFile;

    if (!row.end) {
        const std::string message = test::UserErrorOf([&] { CalculateFraction(request, questions); });
        EXPECT_EQ(message.rfind(row.said, 0), 0u) << message;
        EXPECT_FALSE(FileExists(newSk)) << "a composition file after a failed save";
        EXPECT_FALSE(questions.form);
        return;
    }
    const FractionOutcome outcome = CalculateFraction(request, questions);
    EXPECT_EQ(outcome.end, *row.end);
    EXPECT_EQ(outcome.ReadyToCalculate(), *row.end != FractionEnd::ConditionsNotEntered);
    EXPECT_EQ(Joined(questions.said), row.said);
    EXPECT_EQ(programRuns, row.typed == kBase ? 0 : 1);
    EXPECT_TRUE(FileExists(newSk));
    EXPECT_EQ(context.sampleName, "01-10-09");
    if (questions.form) {
        // The form is prepared from the previous date's file, to be saved under the new date.
        EXPECT_EQ(questions.form->saveFileName, "01-10-09.dan");
        EXPECT_EQ(questions.form->edits[kEditFeedFlow], FormatFixed(test::RealisticConditions().feedFlow, 4, 1));
    }
}

const char* const kExists =
    "named 01.10.09 | Файл с технологическими условиями уже существует.\rМожно проводить расчет.";
const char* const kMissing =
    "named 01.10.09 | Для расчета необходимо задать технологические условия\rза текущую дату:01-10-09 | form";
const char* const kChangedMissing =
    "named 01.10.09 | program finished | Для расчета необходимо задать технологические условия\r"
    "за текущую дату:01-10-09 | form";

INSTANTIATE_TEST_SUITE_P(
    Ends, FractionWorkflow,
    ::testing::Values(
        Row{"ConditionsThere", Configuration::Described, "01.10.09", kBase, true, false, false,
            RunOutcome::Finished, FractionEnd::ConditionsExisted, kExists},
        Row{"FormCompleted", Configuration::Described, "01.10.09", kBase, false, true, true, RunOutcome::Finished,
            FractionEnd::ConditionsEntered, kMissing},
        // "Сохранить" on the form hides it without a result: the file counts.
        Row{"FormLeftWithTheFileSaved", Configuration::Described, "01.10.09", kBase, false, false, true,
            RunOutcome::Finished, FractionEnd::ConditionsEntered, kMissing},
        Row{"FormRefused", Configuration::Described, "01.10.09", kBase, false, false, false, RunOutcome::Finished,
            FractionEnd::ConditionsNotEntered, kMissing},
        Row{"ChangedThroughTheProgram", Configuration::Described, "01.10.09", kChanged, false, false, false,
            RunOutcome::Finished, FractionEnd::ConditionsNotEntered, kChangedMissing},
        Row{"ProgramCrashed", Configuration::Described, "01.10.09", kChanged, false, true, true,
            RunOutcome::Crashed, std::nullopt, "Расчет не выполнен: программа drovan.exe"},
        Row{"ProgramStopped", Configuration::Described, "01.10.09", kChanged, false, true, true,
            RunOutcome::Cancelled, std::nullopt, "Расчет не выполнен: программа drovan.exe"},
        Row{"ValueNotANumber", Configuration::Described, "01.10.09", {"88", "93", "9O", "103", "111", "0.725"},
            false, true, true, RunOutcome::Finished, std::nullopt, "'9O' is not a valid floating point value"},
        // The working configuration names the files by the date read as typed.
        Row{"TypedDateRead", Configuration::Working, "1,10,09", kBase, true, false, false, RunOutcome::Finished,
            FractionEnd::ConditionsExisted, kExists},
        Row{"NotADate", Configuration::Working, "01.13.09", kBase, true, false, false, RunOutcome::Finished,
            std::nullopt, "Поле «Дата отбора»: «01.13.09» не дата"}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// A date that is no date changes nothing: the sample in force stays.
TEST_F(FractionFixture, NotADateLeavesTheSampleInForce) {
    SetConfiguration(Configuration::Working);
    FractionRequest request;
    request.context = &context;
    request.dateText = "осень";
    request.typed = kBase;
    request.base = kBase;
    TableQuestions questions;
    EXPECT_THROW(CalculateFraction(request, questions), UserError);
    SetConfiguration(Configuration::Described);
    EXPECT_EQ(context.sampleName, "01-09-09");
    EXPECT_TRUE(questions.said.empty());
}

// The command line cannot show the conditions form: a new date without its
// conditions file is refused naming the file, before the fraction program
// runs or any file is written; with the file there the save goes through.
TEST_F(FractionFixture, ScriptedSaveNeedsTheNewDatesConditionsFile) {
    const std::string newDan = JoinPath(context.fractionFolder, "01-10-09.dan");
    const std::string sk = ReadFileBytes(FractionBaseFile(context));
    int programRuns = 0;
    FractionRequest request;
    request.context = &context;
    request.dateText = "01.10.09";
    request.typed = kChanged;
    request.base = kBase;
    request.refuseWithoutConditions = true;
    request.start = [&](const std::string&, const std::string&) {
        ++programRuns;
        WriteFileAtomic(FractionProgramOutput(context), ReadFileBytes(FractionBaseFile(context)));
        return RunOutcome::Finished;
    };
    TableQuestions questions;
    EXPECT_EQ(test::UserErrorOf([&] { CalculateFraction(request, questions); }),
              ConditionsFileMissingMessage("01-10-09", newDan));
    EXPECT_NE(ConditionsFileMissingMessage("01-10-09", newDan).find(ToNative(newDan)), std::string::npos);
    EXPECT_EQ(programRuns, 0);
    EXPECT_EQ(ReadFileBytes(FractionBaseFile(context)), sk);
    EXPECT_FALSE(FileExists(JoinPath(context.fractionFolder, "01-10-09.sk")));
    EXPECT_EQ(Joined(questions.said), "named 01.10.09");

    WriteFormLayout(newDan, test::RealisticConditions());
    questions.said.clear();
    EXPECT_EQ(CalculateFraction(request, questions).end, FractionEnd::ConditionsExisted);
    EXPECT_EQ(programRuns, 1);
    EXPECT_TRUE(FileExists(JoinPath(context.fractionFolder, "01-10-09.sk")));
}

// The described configuration names the files by the text as typed, even
// when it reads as a date in another notation.
TEST_F(FractionFixture, DescribedConfigurationTakesTheDateAsTyped) {
    FractionRequest request;
    request.context = &context;
    request.dateText = "01.10.2009";
    request.typed = kBase;
    request.base = kBase;
    TableQuestions questions;
    EXPECT_EQ(CalculateFraction(request, questions).end, FractionEnd::ConditionsNotEntered);
    EXPECT_EQ(context.sampleName, "01-10-2009");
    EXPECT_TRUE(FileExists(JoinPath(context.fractionFolder, "01-10-2009.sk")));
    EXPECT_EQ(questions.said.front(), "named 01.10.2009");
}

}  // namespace
}  // namespace rw
