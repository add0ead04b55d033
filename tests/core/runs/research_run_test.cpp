// Research runs: the checks of the file choice, the clearing of a research
// folder, the set-up of the run object and studies with the stand-in model.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "conditions/conditions_file.h"
#include "results/results_file.h"
#include "run_fixtures.h"
#include "runs/research_run.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

TEST(ResearchFiles, ResultsExtensionRules) {
    EXPECT_EQ(WithResultsExtension("C:\\Issl\\a.rez.old"), "C:\\Issl\\a.rez.old");
    EXPECT_EQ(WithResultsExtension("C:\\Issl\\a.txt"), "C:\\Issl\\a.txt.rez");
    EXPECT_EQ(WithResultsExtension("C:\\Issl\\a"), "C:\\Issl\\a.rez");
    EXPECT_EQ(WithResultsExtension("C:\\Issl\\a.REZ"), "C:\\Issl\\a.REZ.rez");  // the test is case-sensitive

    EXPECT_EQ(BrowsedResultsPath("/home/u/Issl/result"), "/home/u/Issl/result.rez");
    EXPECT_EQ(BrowsedResultsPath("/home/u/Issl/result.dat"), "/home/u/Issl/result.dat");
    // A point anywhere in the path counts, even in a folder name; the check
    // after the dialog then appends the extension.
    EXPECT_EQ(BrowsedResultsPath("/home/u.v/Issl/result"), "/home/u.v/Issl/result");
    EXPECT_EQ(WithResultsExtension(BrowsedResultsPath("/home/u/Issl/result.dat")), "/home/u/Issl/result.dat.rez");
}

TEST(ResearchFiles, ResultsFileUsableLeavesNoTrace) {
    test::TempDir dir;
    const std::string fresh = dir.str() + "/new.rez";
    EXPECT_TRUE(ResultsFileUsable(fresh));
    EXPECT_FALSE(fs::exists(fresh));  // created and deleted again

    const std::string existing = dir.Write("old.rez", "results");
    EXPECT_TRUE(ResultsFileUsable(existing));
    EXPECT_EQ(test::Slurp(existing), "results");

    EXPECT_FALSE(ResultsFileUsable(dir.str() + "/no folder/x.rez"));
    fs::create_directories(dir.path() / "a.rez");
    EXPECT_FALSE(ResultsFileUsable(dir.str() + "/a.rez"));
}

TEST(ResearchFiles, ChoiceProblemsInTheirOrder) {
    EXPECT_EQ(CheckStudyChoice({false, false, false}), StudyChoiceProblem::Conditions);
    EXPECT_EQ(CheckStudyChoice({true, false, true}), StudyChoiceProblem::Composition);
    EXPECT_EQ(CheckStudyChoice({true, true, false}), StudyChoiceProblem::Results);
    EXPECT_EQ(CheckStudyChoice({true, true, true}), StudyChoiceProblem::None);
    EXPECT_EQ(StudyChoiceMessage(StudyChoiceProblem::Results),
              "Невозможно создать файл с результатами.\r Проверте правильность имени файла");
}

TEST(ClearFolderTest, EmptiesATreeAndRemovesIt) {
    test::TempDir dir;
    const fs::path root = dir.path() / "Issl";
    dir.Write("Issl/a.rez", "1");
    dir.Write("Issl/sub/b.rez", "2");
    dir.Write("Issl/sub/deeper/c.txt", "3");
    fs::create_directories(root / "empty");
    const std::string readOnly = dir.Write("Issl/sub/readonly.rez", "4");
    fs::permissions(readOnly, fs::perms::owner_read, fs::perm_options::replace);
    // A link to a folder outside is removed as a link; what it points to stays.
    const std::string outside = dir.Write("outside/keep.rez", "5");
    fs::create_directory_symlink(dir.path() / "outside", root / "link");

    EXPECT_TRUE(ClearFolder(root.string()));
    EXPECT_FALSE(fs::exists(root));
    EXPECT_EQ(test::Slurp(outside), "5");

    // A folder that is not there has nothing to clear.
    EXPECT_TRUE(ClearFolder((dir.path() / "missing").string()));
}

TEST(ClearFolderTest, AnEntryThatCannotBeDeletedKeepsTheFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "the super-user deletes from a read-only folder";
    test::TempDir dir;
    const fs::path root = dir.path() / "OptAkt";
    dir.Write("OptAkt/locked/a.rez", "1");
    fs::permissions(root / "locked", fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
    EXPECT_FALSE(ClearFolder(root.string()));
    EXPECT_TRUE(fs::exists(root / "locked" / "a.rez"));
    fs::permissions(root / "locked", fs::perms::owner_all, fs::perm_options::replace);
}

TEST(StudySetUp, ModesFlagsAndModelPerKindAndPlant) {
    ProgramContext c;
    c.baseFolder = "B";
    c.plantIndex = 11;
    TRavionObj run(c);
    const StudyFiles files{"d.dan", "s.sk", "r.rez"};

    SetUpStudyRun(run, c, StudyKind::OptimalActivity, files, 95.5);
    EXPECT_EQ(run.Mode, 1);
    EXPECT_EQ(run.TargetOctane, 95.5);
    EXPECT_FALSE(run.PadResults);
    EXPECT_FALSE(run.WriteBack);
    EXPECT_EQ(run.ProgramPath, "B\\kelmar.exe");
    EXPECT_EQ(run.ConditionsPath, "d.dan");
    EXPECT_EQ(run.CompositionPath, "s.sk");
    EXPECT_EQ(run.ResultsPath, "r.rez");
    EXPECT_TRUE(StudyAsksOctane(StudyKind::OptimalActivity, 11));

    SetUpStudyRun(run, c, StudyKind::FeedComposition, files, 0);
    EXPECT_EQ(run.Mode, 2);
    EXPECT_FALSE(run.PadResults);

    c.plantIndex = 8;
    c.modelBaseFolder = "M";
    EXPECT_FALSE(StudyAsksOctane(StudyKind::OptimalActivity, 8));
    SetUpStudyRun(run, c, StudyKind::OptimalActivity, files, 0);
    EXPECT_EQ(run.Mode, 0);  // fitted to the aromatics
    EXPECT_TRUE(run.PadResults);
    EXPECT_EQ(run.ProgramPath, "M\\vortan.exe");
    SetUpStudyRun(run, c, StudyKind::FeedComposition, files, 0);
    EXPECT_EQ(run.Mode, 2);
    EXPECT_TRUE(run.PadResults);
}

TEST(StudyTexts, SummaryPromptAndQuestion) {
    ResultsRecord r;
    r.activity = 1.25;
    r.octaneMotor = 85.5;
    r.octaneResearch = 95;
    EXPECT_EQ(StudySummaryLines(StudyKind::OptimalActivity, "01-09-09", 586911, r, 11, ','),
              (std::vector<std::string>{
                  "На текущую дату 01-09-09 переработанно 586911 тонн сырья.",
                  "Оптимальная активность катализатора составила 1,25 условных едениц.",
                  "Октановое число катализата: 85,5 (M.M.), 95 (И.М.).",
              }));
    const auto plant8 = StudySummaryLines(StudyKind::FeedComposition, "01-09-09", 10.5, r, 8, '.');
    ASSERT_EQ(plant8.size(), 2u);
    EXPECT_EQ(plant8[1], "Активность катализатора составила 1.25 условных едениц.");

    EXPECT_EQ(OctanePrompt("01-09-09"), "Введите ОЧИ за 01-09-09");
    EXPECT_EQ(OctaneFromText("95,5", ','), 95.5);
    EXPECT_EQ(OctaneFromText(" 96 ", '.'), 96);
    EXPECT_EQ(test::UserErrorOf([&] { OctaneFromText("95.5", ','); }), "'95.5' is not a valid floating point value");
    // The working configuration takes either separator and says what is wrong in Russian.
    SetConfiguration(Configuration::Working);
    EXPECT_EQ(OctaneFromText("96.0", ','), 96);
    EXPECT_EQ(OctaneFromText("96,5", '.'), 96.5);
    EXPECT_EQ(test::UserErrorOf([&] { OctaneFromText("9б", ','); }), "ОЧИ «9б» не число; введите, например, 96.0.");
    SetConfiguration(Configuration::Described);
    EXPECT_EQ(ContinueStudyQuestion("/x/a.rez"),
              "Результаты сохранены в файле:\rрезультаты расчета                  /x/a.rez\rПродолжить исследования?");

    ProgramContext c;
    TRavionObj run(c);
    EXPECT_EQ(OfferedOctaneText(run, '.'), "");  // no run yet in this program run
    run.Done = true;
    run.Results.octaneResearch = 95.25;
    EXPECT_EQ(OfferedOctaneText(run, ','), "95,25");
}

// Studies on the sample plant's inputs with the stand-in model as the build
// installs it.
class StudyWithModel : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string model = test::BuiltStandInModel();
        if (model.empty()) GTEST_SKIP() << "the stand-in model is not built";
        fs::copy_file(model, dir.path() / "kelmar.exe");
        fs::copy_file(test::SourceDataTree() + "/l90.12", dir.path() / "l90");
        context.baseFolder = dir.str();
        context.plantFolder = dir.str() + "\\Hornel";
        context.plantIndex = 11;
        context.reactorCount = 4;
        test::WriteRealisticInputs(context.plantFolder + "\\01-09-09", "01-09-09");
        files.conditions = context.plantFolder + "\\01-09-09\\01-09-09.dan";
        files.composition = context.plantFolder + "\\01-09-09\\01-09-09.sk";
        CreateFolders(StudyFolder(context, StudyKind::FeedComposition));
        files.results = StudyFolder(context, StudyKind::FeedComposition) + "\\a.rez";
        conditionsBefore = test::Slurp(ToNative(files.conditions));
    }

    test::TempDir dir;
    ProgramContext context;
    StudyFiles files;
    std::string conditionsBefore;
};

TEST_F(StudyWithModel, FeedCompositionRunsTheModelOncePerPass) {
    TRavionObj run(context);
    SetUpStudyRun(run, context, StudyKind::FeedComposition, files, 0);
    run.Run();
    ASSERT_TRUE(run.Done);
    EXPECT_EQ(run.ModelRuns, 1);
    const ResultsRecord first = ReadResultsFile(files.results);
    EXPECT_NEAR(first.activity, 0.95, 1e-9);  // the activity of the file, not fitted

    // Second pass: another feed, another results file.
    CompositionRecord heavier = test::RealisticComposition();
    heavier.feed[29] += 3;
    heavier.feed[25] -= 3;
    const std::string other = context.plantFolder + "\\other.sk";
    WriteFileAtomic(other, ComposeCompositionFile(heavier, CompositionStyle::Formation));
    files.composition = other;
    files.results = StudyFolder(context, StudyKind::FeedComposition) + "\\b.rez";
    SetUpStudyRun(run, context, StudyKind::FeedComposition, files, 0);
    run.Run();
    ASSERT_TRUE(run.Done);
    EXPECT_EQ(run.ModelRuns, 1);
    EXPECT_NE(ReadResultsFile(files.results).tableA[8][10], first.tableA[8][10]);
    EXPECT_EQ(test::Slurp(ToNative(files.conditions)), conditionsBefore);  // nothing written back
}

TEST_F(StudyWithModel, OptimalActivityConvergesToTheTypedOctane) {
    TRavionObj run(context);
    SetUpStudyRun(run, context, StudyKind::FeedComposition, files, 0);
    run.Run();
    ASSERT_TRUE(run.Done);
    const double target = std::round((run.Results.octaneResearch + 1.0) * 10) / 10;

    SetUpStudyRun(run, context, StudyKind::OptimalActivity, files, target);
    run.Run();
    ASSERT_TRUE(run.Done);
    EXPECT_GT(run.ModelRuns, 1);
    const ResultsRecord r = ReadResultsFile(files.results);
    EXPECT_LE(std::fabs(r.octaneResearch - target), kAromaticsTolerance + 1e-9);
    EXPECT_LE(std::fabs(r.chlorineR202 - 1.0), kChlorineTolerance + 1e-9);
    EXPECT_LT(r.activity, 0.95);  // a higher octane number needs a less active catalyst in this model
    EXPECT_EQ(test::Slurp(ToNative(files.conditions)), conditionsBefore);
}

TEST_F(StudyWithModel, MissingInputLeavesNoResults) {
    TRavionObj run(context);
    files.composition = context.plantFolder + "\\missing.sk";
    SetUpStudyRun(run, context, StudyKind::FeedComposition, files, 0);
    run.Run();
    EXPECT_FALSE(run.Done);
    EXPECT_FALSE(FileExists(files.results));
}

}  // namespace
}  // namespace rw
