// Replaying calculated dates: the comparison of a replayed results file with
// the stored one, and the replay itself with the stand-in model.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/configuration.h"
#include "common/files.h"
#include "results/latest_calculation.h"
#include "runs/reforming_workflow.h"
#include "runs/replay.h"
#include "run_fixtures.h"
#include "shell/plant_selection.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

// The results file with `text` put at `column` of `line` (both 1-based).
std::string Edited(std::string bytes, int line, int column, const std::string& text) {
    size_t start = 0;
    for (int l = 1; l < line; ++l) start = bytes.find('\n', start) + 1;
    bytes.replace(start + static_cast<size_t>(column - 1), text.size(), text);
    return bytes;
}

TEST(ReplayComparison, VerdictsAndTheNumbersThatDiffer) {
    const std::string stored = test::Slurp(test::DataPath("results/base.rez"));
    struct Case {
        const char* name;
        std::string replayed;
        ReplayVerdict verdict;
        std::vector<std::string> fields;  // "name stored→replayed within"
    };
    const Case cases[] = {
        {"identical", stored, ReplayVerdict::Same, {}},
        // Two decimals printed: one unit of the last is still the same number.
        {"activity up one last digit", Edited(stored, 3, 40, "0.88"), ReplayVerdict::WithinPrecision,
         {"активность катализатора 0.87→0.88 1"}},
        {"activity down one last digit", Edited(stored, 3, 40, "0.86"), ReplayVerdict::WithinPrecision,
         {"активность катализатора 0.87→0.86 1"}},
        {"activity two last digits off", Edited(stored, 3, 40, "0.89"), ReplayVerdict::Differs,
         {"активность катализатора 0.87→0.89 0"}},
        // No decimals printed: the last digit is a whole degree.
        {"whole degrees", Edited(stored, 6, 33, "412"), ReplayVerdict::WithinPrecision,
         {"перепад температур, 1-й реактор 411→412 1"}},
        {"two whole degrees", Edited(stored, 6, 33, "409"), ReplayVerdict::Differs,
         {"перепад температур, 1-й реактор 411→409 0"}},
        // The stored file's decimals count, whatever the replay printed.
        {"fewer decimals, same number", Edited(stored, 64, 45, "  92.4"), ReplayVerdict::WithinPrecision,
         {"октановое число (исследовательский метод) 92.40→92.4 1"}},
        {"one decimal in a large number", Edited(stored, 68, 27, "  154321.7"), ReplayVerdict::Differs,
         {"переработано сырья 154321.5→154321.7 0"}},
        {"a table cell and a strict field",
         Edited(Edited(stored, 33, 25, "  2.9"), 8, 40, "82.36"), ReplayVerdict::Differs,
         {"содержание водорода в ВСГ 82.35→82.36 1", "материальный баланс, строка 2, Р-203 2.2→2.9 0"}},
        // A different sampling date is never "within a digit".
        {"sampling date", Edited(stored, 2, 1, "02"), ReplayVerdict::Differs,
         {"дата отбора пробы 01.09.2009→02.09.2009 0"}},
        {"captions only", Edited(stored, 3, 1, "X"), ReplayVerdict::WithinPrecision, {}},
    };
    for (const Case& c : cases) {
        std::vector<ReplayFieldDifference> differences;
        EXPECT_EQ(CompareReplayedResults(stored, c.replayed, differences), c.verdict) << c.name;
        std::vector<std::string> fields;
        for (const auto& d : differences) {
            fields.push_back(d.field + " " + d.stored + "→" + d.replayed + " " + (d.withinPrintedDigit ? "1" : "0"));
        }
        EXPECT_EQ(fields, c.fields) << c.name;
    }
}

TEST(ReplayComparison, LinesNameTheFieldsAndTheDifference) {
    ReplayedDate date;
    date.sampleName = "12-11-08";
    date.verdict = ReplayVerdict::Differs;
    date.differences = {{"активность катализатора", "0.87", "0.89", 0.02, 2, false}};
    EXPECT_EQ(ReplayDateLine(date), "12-11-08: различается в 1 поле: активность катализатора 0.87 → 0.89 (разница +0.02)");
    date.verdict = ReplayVerdict::WithinPrecision;
    date.differences = {{"активность катализатора", "0.87", "0.86", -0.01, 2, true},
                        {"перепад температур, 1-й реактор", "411", "412", 1, 0, true}};
    EXPECT_EQ(ReplayDateLine(date),
              "12-11-08: различается в 2 полях в пределах последней напечатанной цифры: активность катализатора "
              "0.87 → 0.86 (разница -0.01); перепад температур, 1-й реактор 411 → 412 (разница +1)");
    // Ten fields are named, an eleventh only counted.
    date.verdict = ReplayVerdict::Differs;
    date.differences.assign(kReplayFieldsListed, {"поле", "1", "2", 1, 0, false});
    const std::string ten = ReplayDateLine(date);
    EXPECT_TRUE(ten.ends_with("поле 1 → 2 (разница +1)")) << ten;
    date.differences.push_back({"последнее", "1", "2", 1, 0, false});
    const std::string eleven = ReplayDateLine(date);
    EXPECT_TRUE(eleven.starts_with("12-11-08: различается в 11 полях: поле 1 → 2")) << eleven;
    EXPECT_TRUE(eleven.ends_with("поле 1 → 2 (разница +1); и еще 1")) << eleven;
    EXPECT_EQ(eleven.find("последнее"), std::string::npos);
    date.verdict = ReplayVerdict::NotRun;
    date.reason = "Нет файла результатов: x.rez";
    EXPECT_EQ(ReplayDateLine(date), "12-11-08: не пересчитан: Нет файла результатов: x.rez");
}

// Every file below the folder with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        files[fs::relative(e.path(), root).string()] = e.is_regular_file() ? test::Slurp(e.path()) : "<folder>";
    }
    return files;
}

class NoQuestions : public ReformingQuestions {
public:
    bool Confirm(const std::string&, const std::string&, const std::string&) override { return true; }
    std::optional<ConditionsEditTexts> Review(const RunConditions& c, const std::string&) override {
        return UnchangedReviewTexts(c);
    }
    void RunStarted(TRavionObj&) override {}
    void RunEnded(bool) override {}
    void Settled(const ReformingOutcome&) override {}
};

class TableQuestions : public ReplayQuestions {
public:
    int datesBeforeStop = 1000;
    std::vector<std::string> said;
    bool KeepGoing() override { return datesBeforeStop-- > 0; }
    void DateStarted(const std::string& name, int position, int count) override {
        said.push_back("start " + name + " " + std::to_string(position) + "/" + std::to_string(count));
    }
    void RunStarted(TRavionObj&) override { said.push_back("run"); }
    void DateDone(const ReplayedDate& date) override { said.push_back(ReplayDateLine(date)); }
};

// A base folder with two dates calculated by the stand-in model, as the
// other installation left them: conditions fitted, results and index stored.
class ReplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string model = test::BuiltStandInModel();
        if (model.empty()) GTEST_SKIP() << "the stand-in model is not built";
        SetConfiguration(Configuration::Working);
        const fs::path source = test::SourceDataTree();
        fs::copy_file(source / "l90.12", dir.path() / "l90.12");
        fs::copy_file(source / "kfr1.12", dir.path() / "kfr1.12");
        fs::copy_file(model, dir.path() / "kelmar.exe");
        for (const char* date : {"15-10-08", "12-11-08"}) {
            ConditionsRecord conditions = test::RealisticConditions();
            conditions.samplingDateText = std::string(date, 2) + "." + std::string(date + 3, 2) + "." + (date + 6);
            test::WriteRealisticInputs(JoinPath(dir.str(), "Hornel\\" + std::string(date)), date, conditions);
            ProgramContext c;
            c.baseFolder = c.modelBaseFolder = dir.str();
            SelectPlant(c, 11);
            FinishPlantSelection(c, 11);
            c.dataFolder = JoinPath(dir.str(), "Hornel\\" + std::string(date)) + "\\";
            c.sampleName = date;
            TRavionObj run(c);
            NoQuestions answers;
            ASSERT_EQ(CalculateReforming({&c, &run, FitMethod::Bisection}, answers).end, ReformingEnd::Completed);
        }
        request.baseFolder = dir.str();
        request.plantIndex = 11;
        ClearLatestCalculation();
        ResultsRecord earlier;
        earlier.activity = 0.5;
        SetLatestCalculation(earlier, RunConditions{});
        before = Snapshot(dir.path());
    }
    void TearDown() override {
        ClearLatestCalculation();
        SetConfiguration(Configuration::Described);
    }

    test::TempDir dir;
    ReplayRequest request;
    TableQuestions questions;
    std::map<std::string, std::string> before;
};

TEST_F(ReplayTest, HistoryMadeByTheSameModelReplaysTheSameAndNothingIsWritten) {
    // A third date without its composition file is named with the reason.
    test::WriteRealisticInputs(JoinPath(dir.str(), "Hornel\\10-12-08"), "10-12-08");
    fs::copy_file(dir.path() / "Hornel/12-11-08/12-11-08.rez", dir.path() / "Hornel/10-12-08/10-12-08.rez");
    fs::remove(dir.path() / "Hornel/10-12-08/10-12-08.sk");
    before = Snapshot(dir.path());

    EXPECT_EQ(ReplayableDates(dir.str(), 11), (std::vector<std::string>{"15-10-08", "12-11-08", "10-12-08"}));
    const ReplayOutcome outcome = ReplayCalculations(request, questions);
    const std::string missing = (dir.path() / "Hornel/10-12-08/10-12-08.sk").string();
    EXPECT_EQ(questions.said, (std::vector<std::string>{
                                  "start 15-10-08 0/3", "run", "15-10-08: совпадает",
                                  "start 12-11-08 1/3", "run", "12-11-08: совпадает",
                                  "start 10-12-08 2/3",
                                  "10-12-08: не пересчитан: " + std::string(kMissingInputsMessage) + missing}));
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(Snapshot(dir.path()), before);
    ASSERT_NE(GetLatestCalculation(), nullptr);
    EXPECT_EQ(GetLatestCalculation()->results.activity, 0.5);
}

TEST_F(ReplayTest, CancelledBetweenDatesLeavesTheRestOutAndNothingWritten) {
    questions.datesBeforeStop = 1;
    const ReplayOutcome outcome = ReplayCalculations(request, questions);
    ASSERT_EQ(outcome.dates.size(), 1u);
    EXPECT_EQ(outcome.dates[0].verdict, ReplayVerdict::Same);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(ReplaySummaryLine(outcome),
              "Дат: 1; совпадают: 1; различаются в пределах последней цифры: 0; различаются: 0; не пересчитаны: 0. "
              "Пересчет прерван, остальные даты не пересчитаны.");
    EXPECT_EQ(Snapshot(dir.path()), before);
}

TEST_F(ReplayTest, DatesAreChosenByRangeWithBothEndsIncluded) {
    const double oct15 = EncodeDate(2008, 10, 15), nov12 = EncodeDate(2008, 11, 12);
    EXPECT_EQ(ReplayableDates(dir.str(), 11, oct15, oct15), std::vector<std::string>{"15-10-08"});
    EXPECT_EQ(ReplayableDates(dir.str(), 11, oct15 + 1, nov12), std::vector<std::string>{"12-11-08"});
    EXPECT_EQ(ReplayableDates(dir.str(), 11, std::nullopt, nov12 - 1), std::vector<std::string>{"15-10-08"});
    EXPECT_TRUE(ReplayableDates(dir.str(), 0).empty());  // no plant folder
}

}  // namespace
}  // namespace rw
