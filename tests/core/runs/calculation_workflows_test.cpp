// The reforming calculation and the studies as the core runs them, answered
// by a table of answers instead of windows: what each answer leads to, which
// conditions files are refused before anything is touched, which fitted
// activities are refused, and that the date's results and the plant's index
// are replaced together or not at all.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "conditions/conditions_file.h"
#include "conditions/conditions_file_check.h"
#include "results/latest_calculation.h"
#include "results/results_index.h"
#include "run_fixtures.h"
#include "runs/reforming_workflow.h"
#include "runs/study_workflow.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

// A table of answers; every question and notice is written to `said`.
class ScriptedQuestions : public ReformingQuestions {
public:
    bool confirm = true;
    bool leaveReview = false;
    std::function<void(ConditionsEditTexts&)> editReview;  // what the user changes on the form
    std::vector<std::string> said;
    bool baseFolderFreeWhenSettled = false;
    std::string baseFolder;

    bool Confirm(const std::string& caption, const std::string&, const std::string& sample) override {
        said.push_back("confirm " + caption + " " + sample);
        return confirm;
    }
    std::optional<ConditionsEditTexts> Review(const RunConditions& conditions, const std::string&) override {
        said.push_back("review");
        if (leaveReview) return std::nullopt;
        ConditionsEditTexts texts = UnchangedReviewTexts(conditions);
        if (editReview) editReview(texts);
        return texts;
    }
    void RunStarted(TRavionObj&) override { said.push_back("started"); }
    void RunEnded(bool failed) override { said.push_back(failed ? "failed" : "ended"); }
    void Settled(const ReformingOutcome& outcome) override {
        said.push_back("settled " + std::to_string(static_cast<int>(outcome.end)));
        baseFolderFreeWhenSettled = !FileExists(BaseFolderLockPath(baseFolder));
    }
};

// A model that answers at once with a fitted activity of its choosing.
class FixedActivityModel : public ModelRunner {
public:
    double activity = 1.0;
    double octane = 95;
    int runs = 0;
    RunOutcome RunModel(const std::string&, const std::string& workFolder) override {
        ++runs;
        ResultsRecord rec;
        rec.sampleDate = EncodeDate(2009, 9, 1);
        rec.activity = activity;
        rec.tableA[8][10] = 60;
        rec.tableA[9][10] = 60;
        rec.chlorineR202 = 1.0;
        rec.processedFeed = 1000;
        rec.octaneResearch = octane;
        rec.octaneMotor = octane - 9;
        WriteFileAtomic(workFolder + "rez", FormatResultsFile(rec));
        return RunOutcome::Finished;
    }
};


class ReformingWorkflowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetConfiguration(Configuration::Working);
        ClearLatestCalculation();
        context.baseFolder = dir.str();
        context.modelBaseFolder = dir.str();
        context.plantIndex = 11;
        context.reactorCount = 4;
        context.plantCaption = "Хорнельский";
        context.dataFolder = JoinPath(dir.str(), "Hornel") + "\\";
        context.sampleName = "01-09-09";
        test::WriteRealisticInputs(JoinPath(dir.str(), "Hornel"), "01-09-09");
        dir.Write("kelmar.exe", "model");
        run.Runner = &model;
        questions.baseFolder = dir.str();
        request.context = &context;
        request.run = &run;
        original = Read("Hornel/01-09-09.dan");
    }
    void TearDown() override { SetConfiguration(Configuration::Described); }

    std::string Read(const std::string& relative) const { return test::Slurp(dir.path() / relative); }
    bool Exists(const std::string& relative) const { return fs::exists(dir.path() / relative); }
    std::string Native(const std::string& relative) const { return (dir.path() / relative).string(); }
    ReformingOutcome Calculate() { return CalculateReforming(request, questions); }

    test::TempDir dir;
    ProgramContext context;
    TRavionObj run{context};
    FixedActivityModel model;
    ScriptedQuestions questions;
    ReformingRequest request;
    std::string original;
};

TEST_F(ReformingWorkflowTest, CompletedCalculationStoresResultsAndIndexAndTellsTheOutcome) {
    // What the user typed on the review is what the run takes.
    questions.editReview = [](ConditionsEditTexts& texts) { texts[kEditProcessedFeed] = "600000.00"; };
    const ReformingOutcome outcome = Calculate();
    EXPECT_EQ(context.runConditions[run_slot::kProcessedFeed], 600000.0);
    EXPECT_EQ(outcome.end, ReformingEnd::Completed);
    EXPECT_EQ(questions.said, (std::vector<std::string>{"confirm Риформинг 01-09-09", "review", "started", "ended",
                                                        "settled 2"}));
    EXPECT_TRUE(questions.baseFolderFreeWhenSettled);
    const ResultsRecord stored = ReadResultsFile(Native("Hornel/01-09-09.rez"));
    EXPECT_EQ(stored.activity, 1.0);
    EXPECT_EQ(outcome.results.activity, 1.0);
    const std::vector<ResultsRecord> index = ReadResultsIndex(Native("svod.12"));
    ASSERT_EQ(index.size(), 1u);
    EXPECT_EQ(index[0].sampleDate, EncodeDate(2009, 9, 1));
    ASSERT_EQ(outcome.summaryLines.size(), 5u);
    EXPECT_EQ(outcome.summaryLines[1], "Текущая активность катализатора составила 1 условных единиц.");
    EXPECT_EQ(outcome.sampleName, "01-09-09");
    ASSERT_NE(GetLatestCalculation(), nullptr);
    EXPECT_EQ(GetLatestCalculation()->results.activity, 1.0);
    // The conditions file now holds the run layout with the fitted activity.
    EXPECT_NE(Read("Hornel/01-09-09.dan"), original);
    EXPECT_TRUE(run.StoreResults == nullptr);
}

TEST_F(ReformingWorkflowTest, AnswersThatEndTheCalculationRunNothing) {
    struct Case {
        const char* name;
        bool confirm;
        bool leaveReview;
        bool earlierResults;
        ReformingEnd end;
        std::vector<std::string> said;
    };
    const std::string settledDeclined = "settled " + std::to_string(static_cast<int>(ReformingEnd::Declined));
    const std::string settledLeft = "settled " + std::to_string(static_cast<int>(ReformingEnd::ReviewLeft));
    const Case cases[] = {
        {"no", false, false, true, ReformingEnd::Declined, {"confirm Риформинг 01-09-09", settledDeclined}},
        {"review left", true, true, true, ReformingEnd::ReviewLeft,
         {"confirm Риформинг 01-09-09", "review", settledLeft}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(dir.path() / "svod.12");
        ResultsRecord earlier;
        earlier.sampleDate = EncodeDate(2009, 9, 1);
        earlier.activity = 0.75;
        WriteResultsFile(Native("Hornel/01-09-09.rez"), earlier);
        questions = ScriptedQuestions{};
        questions.baseFolder = dir.str();
        questions.confirm = c.confirm;
        questions.leaveReview = c.leaveReview;
        EXPECT_EQ(Calculate().end, c.end);
        EXPECT_EQ(questions.said, c.said);
        EXPECT_EQ(model.runs, 0);
        EXPECT_EQ(Read("Hornel/01-09-09.dan"), original);
        // The date's results on disk are taken into the index as they are.
        const std::vector<ResultsRecord> index = ReadResultsIndex(Native("svod.12"));
        ASSERT_EQ(index.size(), 1u);
        EXPECT_EQ(index[0].activity, 0.75);
    }
    // Without results on disk that last step says so.
    fs::remove(dir.path() / "Hornel/01-09-09.rez");
    questions.confirm = false;
    EXPECT_EQ(test::UserErrorOf([&] { Calculate(); }), "Файл не найден: " + Native("Hornel/01-09-09.rez"));
}

TEST_F(ReformingWorkflowTest, MissingInputsAreNamedBeforeAnythingIsTouched) {
    const std::string conditions = Native("Hornel/01-09-09.dan");
    fs::rename(conditions, conditions + ".away");
    EXPECT_EQ(test::UserErrorOf([&] { Calculate(); }), "Файл не найден: " + conditions);
    fs::rename(conditions + ".away", conditions);
    questions.said.clear();
    fs::remove(dir.path() / "Hornel/01-09-09.sk");
    fs::remove(dir.path() / "kelmar.exe");
    EXPECT_EQ(test::UserErrorOf([&] { Calculate(); }),
              std::string(kMissingInputsMessage) + Native("Hornel/01-09-09.sk") + ", " + Native("kelmar.exe"));
    EXPECT_EQ(Read("Hornel/01-09-09.dan"), original);
    EXPECT_EQ(questions.said, std::vector<std::string>{"confirm Риформинг 01-09-09"});
}

// The damaged conditions files an engineer meets: each is refused with the
// file, the line and the text named, before the review, and nothing is
// rewritten, run or stored.
TEST_F(ReformingWorkflowTest, DamagedConditionsFilesAreRefusedBeforeTheReview) {
    struct Case {
        const char* name;
        int line;                 // 1-based line replaced, 0: the file cut after `keep` lines
        const char* text;         // the new line
        size_t keep;
        const char* message;      // after the file's path
    };
    const std::string notANumber = "Значение в файле условий не число (дробную часть в файле отделяют точкой): ";
    const Case cases[] = {
        {"letter in a number", 8, "78OOO.00       gas flow", 0, "строка 8: «78OOO.00»"},
        {"decimal comma", 11, " 65,00       feed flow", 0, "строка 11: «65,00»"},
        {"decimal comma on a reactor line", 3, " 25,30  24.80  24.10  23.50     pressure", 0, "строка 3: «25,30»"},
        {"no such date", 12, "31.02.09       sampling date", 0, "строка 12: «31.02.09»"},
        {"no such regeneration date", 13, "30.02.09", 0, "строка 13: «30.02.09»"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines = SplitLines(original);
        lines[static_cast<size_t>(c.line - 1)] = c.text;
        dir.Write("Hornel/01-09-09.dan", JoinLinesCrLf(lines));
        const std::string damaged = Read("Hornel/01-09-09.dan");
        questions.said.clear();
        const std::string message = test::UserErrorOf([&] { Calculate(); });
        const std::string reason = c.line == 12 || c.line == 13 ? "Дата в файле условий не существует: " : notANumber;
        EXPECT_EQ(message, reason + Native("Hornel/01-09-09.dan") + ", " + c.message);
        EXPECT_EQ(Read("Hornel/01-09-09.dan"), damaged);
        EXPECT_EQ(questions.said, std::vector<std::string>{"confirm Риформинг 01-09-09"});
        EXPECT_EQ(model.runs, 0);
        EXPECT_FALSE(Exists("Hornel/01-09-09.rez"));
        EXPECT_FALSE(Exists("svod.12"));
    }
}

TEST(ConditionsFileCheck, CutShortFilesAreRefusedAtTheirFirstMissingValue) {
    const std::string file = FormatFormLayout(test::RealisticConditions());
    const std::vector<std::string> lines = SplitLines(file);
    const std::string cutShort = "Файл условий обрывается, не хватает значений: x.dan, строка ";
    // Every cut at a line boundary, and a cut inside the gas composition line.
    for (size_t keep = 0; keep < 13; ++keep) {
        SCOPED_TRACE(keep);
        const std::vector<std::string> kept(lines.begin(), lines.begin() + static_cast<long>(keep));
        EXPECT_EQ(test::UserErrorOf([&] { CheckConditionsBytes(JoinLinesCrLf(kept), "x.dan"); }),
                  cutShort + std::to_string(keep + 1) + ": «»");
    }
    std::vector<std::string> partial(lines.begin(), lines.begin() + 7);
    partial[6] = " 84.6";
    EXPECT_EQ(test::UserErrorOf([&] { CheckConditionsBytes(JoinLinesCrLf(partial), "x.dan"); }),
              cutShort + "7: «84.6»");
}

TEST(ConditionsFileCheck, RareButLegalFilesPass) {
    const ConditionsRecord conditions = test::RealisticConditions();
    const std::vector<std::string> form = SplitLines(FormatFormLayout(conditions));
    auto with = [&form](size_t line, const std::string& text) {
        std::vector<std::string> l = form;
        l[line - 1] = text;
        return JoinLinesCrLf(l);
    };
    RunConditions run{};
    run[run_slot::kSamplingDate] = EncodeDate(2009, 9, 1);
    run[run_slot::kRegenerationDate] = EncodeDate(2009, 3, 15);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"form layout", JoinLinesCrLf(form)},
        {"run layout of three reactors, with pads", FormatRunLayout(run, 3)},
        {"run layout of six reactors", FormatRunLayout(run, 6)},
        {"dates with dashes", with(12, "01-09-09       label")},
        {"empty regeneration date", with(13, "")},
        {"blank regeneration date", with(13, "          label")},
        {"29 February of a leap year", with(12, "29.02.08")},
        {"lines 14 and 15 of the fifth reactor", JoinLinesCrLf(form) + " 1.0E+0001\r\n 26.50\r\n"},
        {"LF line ends", [&] {
             std::string s;
             for (const auto& l : form) s += l + "\n";
             return s;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NO_THROW(CheckConditionsBytes(c.bytes, "x.dan"));
    }
    EXPECT_EQ(test::UserErrorOf([&] { CheckConditionsBytes(with(12, "29.02.09"), "x.dan"); }),
              "Дата в файле условий не существует: x.dan, строка 12: «29.02.09»");
    EXPECT_EQ(test::UserErrorOf([&] { CheckConditionsBytes(with(12, ""), "x.dan"); }),
              "Файл условий обрывается, не хватает значений: x.dan, строка 12: «»");
}

TEST_F(ReformingWorkflowTest, EmptyRegenerationDateIsTheSamplingDate) {
    std::vector<std::string> lines = SplitLines(original);
    lines[12] = "";
    dir.Write("Hornel/01-09-09.dan", JoinLinesCrLf(lines));
    context.runConditions[run_slot::kRegenerationDate] = EncodeDate(1999, 12, 30);
    EXPECT_EQ(Calculate().end, ReformingEnd::Completed);
    EXPECT_EQ(context.runConditions[run_slot::kRegenerationDate], EncodeDate(2009, 9, 1));
}

// The fitting method: the request's (reformer-cli calc --fit), else the base
// folder's setting, else the bisection.
TEST_F(ReformingWorkflowTest, FittingMethodIsTheRequestsElseTheSetting) {
    struct Case {
        const char* setting;
        std::optional<FitMethod> asked;
        FitMethod used;
    };
    for (const Case& c : {Case{nullptr, std::nullopt, FitMethod::Bisection},
                          Case{"fit=fast\r\n", std::nullopt, FitMethod::Fast},
                          Case{"fit=fast\r\n", FitMethod::Bisection, FitMethod::Bisection},
                          Case{"fit=bisection\r\n", FitMethod::Fast, FitMethod::Fast}}) {
        if (c.setting) dir.Write("model-runs.ini", c.setting);
        else fs::remove(dir.path() / "model-runs.ini");
        dir.Write("Hornel/01-09-09.dan", original);
        request.fit = c.asked;
        run.Fit = c.used == FitMethod::Fast ? FitMethod::Bisection : FitMethod::Fast;
        ASSERT_EQ(Calculate().end, ReformingEnd::Completed) << (c.setting ? c.setting : "-");
        EXPECT_EQ(run.Fit, c.used) << (c.setting ? c.setting : "-");
    }
}

// A fitted activity of 0 or less is no activity a catalyst has: the
// calculation fails and the earlier results stay.
TEST_F(ReformingWorkflowTest, ActivityOfZeroOrLessIsAFailureAndStoresNothing) {
    ResultsRecord earlier;
    earlier.sampleDate = EncodeDate(2009, 9, 1);
    earlier.activity = 0.75;
    WriteResultsFile(Native("Hornel/01-09-09.rez"), earlier);
    AddToResultsIndex(Native("Hornel/01-09-09.rez"), Native("svod.12"));
    const std::string rez = Read("Hornel/01-09-09.rez"), index = Read("svod.12");
    for (double activity : {-1.4, -0.1, 0.0}) {
        SCOPED_TRACE(activity);
        model.activity = activity;
        questions.said.clear();
        EXPECT_EQ(test::UserErrorOf([&] { Calculate(); }), kNoActivityFoundMessage);
        EXPECT_EQ(Read("Hornel/01-09-09.rez"), rez);
        EXPECT_EQ(Read("svod.12"), index);
        EXPECT_EQ(questions.said.back(), "failed");
        EXPECT_FALSE(fs::exists(BaseFolderLockPath(dir.str())));
    }
    model.activity = 0.01;
    EXPECT_EQ(Calculate().end, ReformingEnd::Completed);
    EXPECT_EQ(ReadResultsIndex(Native("svod.12"))[0].activity, 0.01);

    // The described configuration keeps what the model fitted.
    SetConfiguration(Configuration::Described);
    model.activity = -0.1;
    EXPECT_EQ(Calculate().end, ReformingEnd::Completed);
    EXPECT_EQ(ReadResultsIndex(Native("svod.12"))[0].activity, -0.1);
}

// The index cannot be written (the disk fills between the results file and
// the index): the date's results file is as it was, or absent as it was.
TEST_F(ReformingWorkflowTest, ResultsFileAndIndexFailTogether) {
    // A plant history longer than any results file.
    std::vector<ResultsRecord> history(8);
    for (size_t i = 0; i < history.size(); ++i) history[i].sampleDate = EncodeDate(2008, 1, 1) + static_cast<double>(i);
    for (bool earlierResults : {true, false}) {
        SCOPED_TRACE(earlierResults);
        WriteResultsIndex(Native("svod.12"), history);
        fs::remove(dir.path() / "Hornel/01-09-09.rez");
        if (earlierResults) {
            ResultsRecord earlier;
            earlier.sampleDate = EncodeDate(2009, 9, 1);
            earlier.activity = 0.75;
            WriteResultsFile(Native("Hornel/01-09-09.rez"), earlier);
        }
        const std::string rez = Read("Hornel/01-09-09.rez"), index = Read("svod.12");
        std::string message;
        {
            test::DiskFullAfter full(10000);
            message = test::UserErrorOf([&] { Calculate(); });
        }
        EXPECT_EQ(message, "Диск заполнен, файл не записан: " + Native("svod.12"));
        EXPECT_EQ(Exists("Hornel/01-09-09.rez"), earlierResults);
        EXPECT_EQ(Read("Hornel/01-09-09.rez"), rez);
        EXPECT_EQ(Read("svod.12"), index);
        // Nothing is left beside them.
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir.path() / "Hornel")) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        std::vector<std::string> expected{"01-09-09.dan", "01-09-09.sk"};
        if (earlierResults) expected.insert(expected.begin() + 1, "01-09-09.rez");
        EXPECT_EQ(names, expected);
    }
}

// The stand-in model through the whole flow, as the program runs it.
TEST_F(ReformingWorkflowTest, StandInModelConverges) {
    const std::string built = test::BuiltStandInModel();
    if (built.empty()) GTEST_SKIP() << "the stand-in model is not built";
    fs::copy_file(built, dir.path() / "kelmar.exe", fs::copy_options::overwrite_existing);
    run.Runner = nullptr;
    const ReformingOutcome outcome = Calculate();
    ASSERT_EQ(outcome.end, ReformingEnd::Completed);
    EXPECT_GT(outcome.results.activity, 0);
    EXPECT_EQ(ReadResultsFile(Native("Hornel/01-09-09.rez")).activity, outcome.results.activity);
    EXPECT_EQ(ReadResultsIndex(Native("svod.12")).size(), 1u);
}

// A study answered from a table: the files of each pass, the octane number,
// whether to go on.
class ScriptedStudy : public StudyQuestions {
public:
    std::vector<StudyFiles> passes;
    std::optional<double> octane = 95.0;
    bool goOn = true;
    std::vector<std::string> said;
    std::vector<StudyOutcome> outcomes;

    std::optional<StudyFiles> ChooseFiles() override {
        said.push_back("choose");
        if (next_ >= passes.size()) return std::nullopt;
        return passes[next_++];
    }
    ConditionsEditTexts Review(const RunConditions& conditions, const std::string&) override {
        said.push_back("review");
        return UnchangedReviewTexts(conditions);
    }
    void WaitStarted() override { said.push_back("wait"); }
    void WaitEnded() override { said.push_back("wait ended"); }
    std::optional<double> AskOctane(const std::string& prompt, const std::string& offered) override {
        said.push_back(prompt + " [" + offered + "]");
        return octane;
    }
    void RunStarted(TRavionObj&) override { said.push_back("started"); }
    void RunEnded(bool failed) override { said.push_back(failed ? "failed" : "ended"); }
    void Settled(const StudyOutcome& outcome) override {
        said.push_back("settled");
        outcomes.push_back(outcome);
    }
    bool Continue(const std::string&) override {
        said.push_back("continue?");
        return goOn;
    }

private:
    size_t next_ = 0;
};

class StudyWorkflowTest : public ReformingWorkflowTest {
protected:
    void SetUp() override {
        ReformingWorkflowTest::SetUp();
        files = {Native("Hornel/01-09-09.dan"), Native("Hornel/01-09-09.sk"), Native("OptAkt/first.rez")};
        fs::create_directories(dir.path() / "OptAkt");
        study.passes = {files};
        studyRequest.context = &context;
        studyRequest.run = &run;
        studyRequest.kind = StudyKind::OptimalActivity;
    }
    int Study() { return RunStudyPasses(studyRequest, study); }

    StudyFiles files;
    ScriptedStudy study;
    StudyRequest studyRequest;
};

TEST_F(StudyWorkflowTest, PassesUntilTheUserStopsAndStoreOnlyTheChosenFile) {
    StudyFiles second = files;
    second.results = Native("OptAkt/second.rez");
    study.passes.push_back(second);
    context.sampleName = "16-09-09";  // the current date is another than the study's files
    EXPECT_EQ(Study(), 2);
    auto pass = [](const std::string& offered) {
        return std::vector<std::string>{"review", "wait", "Введите ОЧИ за 01-09-09 [" + offered + "]", "started",
                                        "ended", "wait ended", "settled", "continue?"};
    };
    std::vector<std::string> expected = {"choose"};
    for (const std::string offered : {"", "95"}) {  // the last pass's number is offered next
        const std::vector<std::string> one = pass(offered);
        expected.insert(expected.end(), one.begin(), one.end());
        expected.push_back("choose");
    }
    EXPECT_EQ(study.said, expected);
    ASSERT_EQ(study.outcomes.size(), 2u);
    EXPECT_EQ(study.outcomes[0].title, StudyTitle(StudyKind::OptimalActivity));
    EXPECT_EQ(study.outcomes[1].resultsPath, second.results);
    EXPECT_EQ(study.outcomes[0].sampleName, "01-09-09");  // the sampling date of the study's conditions
    EXPECT_TRUE(Exists("OptAkt/first.rez"));
    EXPECT_TRUE(Exists("OptAkt/second.rez"));
    EXPECT_FALSE(Exists("svod.12"));
    EXPECT_FALSE(Exists("Hornel/01-09-09.rez"));
}

// A study fits as the base folder's setting says.
TEST_F(StudyWorkflowTest, FitsAsTheSettingSays) {
    dir.Write("model-runs.ini", "fit=fast\r\n");
    run.Fit = FitMethod::Bisection;
    EXPECT_EQ(Study(), 1);
    EXPECT_EQ(run.Fit, FitMethod::Fast);
}

TEST_F(StudyWorkflowTest, EndsWithoutARunWhenTheOctaneIsNotGiven) {
    study.octane = std::nullopt;
    EXPECT_EQ(Study(), 0);
    EXPECT_EQ(study.said, (std::vector<std::string>{"choose", "review", "wait", "Введите ОЧИ за 01-09-09 []",
                                                    "wait ended"}));
    EXPECT_EQ(model.runs, 0);
    EXPECT_FALSE(Exists("OptAkt/first.rez"));
}

TEST_F(StudyWorkflowTest, DamagedConditionsFileIsRefusedBeforeTheReview) {
    std::vector<std::string> lines = SplitLines(original);
    lines[10] = " 65,00       feed flow";
    dir.Write("Hornel/01-09-09.dan", JoinLinesCrLf(lines));
    const std::string damaged = Read("Hornel/01-09-09.dan");
    EXPECT_EQ(test::UserErrorOf([&] { Study(); }),
              "Значение в файле условий не число (дробную часть в файле отделяют точкой): " +
                  Native("Hornel/01-09-09.dan") + ", строка 11: «65,00»");
    EXPECT_EQ(study.said, std::vector<std::string>{"choose"});
    EXPECT_EQ(Read("Hornel/01-09-09.dan"), damaged);
    EXPECT_EQ(model.runs, 0);
}

// A study keeps its results, but never tells an activity of 0 or less as
// one: the feed-influence study runs the activity as given.
TEST_F(StudyWorkflowTest, ActivityOfZeroOrLessIsToldAsNotFound) {
    studyRequest.kind = StudyKind::FeedComposition;
    study.goOn = false;
    for (double activity : {-0.1, 0.0, 0.01}) {
        SCOPED_TRACE(activity);
        model.activity = activity;
        study.outcomes.clear();
        study = ScriptedStudy{};
        study.passes = {files};
        study.goOn = false;
        EXPECT_EQ(Study(), 1);
        ASSERT_EQ(study.outcomes.size(), 1u);
        const bool found = activity > 0;
        EXPECT_EQ(study.outcomes[0].summaryLines[1] == kNoActivityFoundMessage, !found);
        EXPECT_TRUE(Exists("OptAkt/first.rez"));
    }
}

}  // namespace
}  // namespace rw
