// reformer-cli calc on the installation's sample data, run as a user runs it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "common/dates.h"
#include "common/files.h"
#include "common/number_format.h"
#include "results/results_file.h"
#include "results/results_index.h"
#include "runs/run_object.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

class CalcCommand : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string model = std::string(REFORMER_BINARY_DIR) + "/bin/sk/kelmar.exe";
        if (!fs::exists(model)) GTEST_SKIP() << "the stand-in model is not built";
        test::CopyTree(test::SourceDataTree(), base);
        fs::copy_file(model, base / "kelmar.exe");
        ASSERT_EQ(Run({"form", (base / "Hornel" / "01-09-09").string(), "01-09-09"}), 0) << err();
        original = test::Slurp(dan);
        index = base / "svod.12";
        originalIndex = test::Slurp(index);  // the sample plant's history, if installed
    }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--base", base.string()});
        last = test::RunCommand(REFORMER_CLI, args);
        return last.status;
    }
    int Calc(std::vector<std::string> extra = {}) {
        extra.insert(extra.begin(), {"calc", dan.string()});
        return Run(extra);
    }
    std::string out() const { return last.out; }
    std::string err() const { return last.err; }

    test::CommandResult last;

    test::TempDir dir;
    fs::path base = dir.path() / "base";
    fs::path folder = base / "Hornel" / "01-09-09";
    fs::path dan = folder / "01-09-09.dan";
    std::string original;
    fs::path index;
    std::string originalIndex;
};

TEST_F(CalcCommand, SampleConvergesAndIsAddedToThePlantsIndex) {
    ASSERT_EQ(Calc(), 0) << err();
    const std::vector<std::string> lines = SplitLines(out());
    ASSERT_EQ(lines.size(), 5u) << out();
    EXPECT_EQ(lines[0], "На текущую дату 01-09-09 переработано 586911 тонн сырья.");
    EXPECT_EQ(lines[4].rfind("Октановое число катализата: ", 0), 0u);
    EXPECT_NE(lines[4].find(" (М.М.), "), std::string::npos) << lines[4];  // Cyrillic letters

    const ResultsRecord r = ReadResultsFile((folder / "01-09-09.rez").string());
    EXPECT_LE(std::fabs(CalculatedAromatics(r) - ExperimentalAromatics(r)), kAromaticsTolerance + 1e-9);
    EXPECT_LE(std::fabs(r.chlorineR202 - 1.0), kChlorineTolerance + 1e-9);
    const auto before = DecodeResultsIndex(originalIndex);
    const auto records = ReadResultsIndex(index.string());
    ASSERT_EQ(records.size(), before.size() + 1);
    size_t found = 0;
    for (const auto& rec : records) found += rec.sampleDateText.Text() == "01.09.2009" && rec.activity == r.activity;
    EXPECT_EQ(found, 1u);

    // The conditions file now holds the run layout of a four-reactor plant
    // with the fitted activity and feed, and still the fifth reactor's lines
    // 14 and 15 that the data-entry save wrote.
    const std::vector<std::string> dan = SplitLines(Cp866ToUtf8(test::Slurp(this->dan)));
    const std::vector<std::string> entered = SplitLines(Cp866ToUtf8(original));
    ASSERT_EQ(dan.size(), 15u);
    ASSERT_EQ(entered.size(), 15u);
    EXPECT_EQ(dan[13], entered[13]);
    EXPECT_EQ(dan[14], entered[14]);
    const std::string feed = dan[0].substr(0, 6);
    EXPECT_EQ(dan[0].substr(0, 24), feed + feed + feed + feed);
    EXPECT_EQ(dan[1].substr(0, 6), FormatFixed(r.activity, 6, 2));

    // Running again on the fitted conditions replaces the date's record.
    ASSERT_EQ(Calc(), 0) << err();
    EXPECT_EQ(ReadResultsIndex(index.string()).size(), before.size() + 1);
}

TEST_F(CalcCommand, MissingInputsTouchNothing) {
    fs::remove(folder / "01-09-09.sk");
    EXPECT_EQ(Calc(), 1);
    EXPECT_NE(err().find("01-09-09.sk"), std::string::npos) << err();
    EXPECT_EQ(test::Slurp(dan), original);

    ASSERT_EQ(Run({"form", folder.string(), "01-09-09"}), 0);
    fs::remove(base / "kelmar.exe");
    EXPECT_EQ(Calc(), 1);
    EXPECT_NE(err().find("kelmar.exe"), std::string::npos) << err();
    EXPECT_EQ(Run({"calc", (folder / "02-09-09.dan").string()}), 1);
    EXPECT_EQ(test::Slurp(dan), original);
    EXPECT_EQ(test::Slurp(index), originalIndex);
    EXPECT_FALSE(fs::exists(folder / "01-09-09.rez"));
}

// The damaged conditions files an engineer meets, for calc and pipeline
// alike: both refuse them and leave the file, the date's results and the
// plant's index as they were. calc names the line and the text.
TEST_F(CalcCommand, DamagedConditionsFilesAreRefusedLikeThePipelineRefusesThem) {
    const std::vector<std::string> lines = SplitLines(original);
    // The line with its first value replaced.
    auto withValue = [&lines](size_t line, const std::string& value) {
        std::vector<std::string> l = lines;
        std::string& text = l[line - 1];
        const size_t start = text.find_first_not_of(' ');
        text.replace(start, text.find(' ', start) - start, value);
        return JoinLinesCrLf(l);
    };
    const std::string notANumber = "Значение в файле условий не число (дробную часть в файле отделяют точкой): ";
    const std::string noDate = "Дата в файле условий не существует: ";
    struct Case {
        const char* name;
        std::string bytes;
        std::string message;  // after the reason and the path
        std::string reason;
    };
    const Case cases[] = {
        {"letter in the gas flow", withValue(8, "78OOO.00"), ", строка 8: «78OOO.00»", notANumber},
        {"no such sampling date", withValue(12, "31.02.09"), ", строка 12: «31.02.09»", noDate},
        {"decimal comma in the feed flow", withValue(11, "65,00"), ", строка 11: «65,00»", notANumber},
        {"cut short", JoinLinesCrLf(std::vector<std::string>(lines.begin(), lines.begin() + 9)), ", строка 10: «»",
         "Файл условий обрывается, не хватает значений: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write("base/Hornel/01-09-09/01-09-09.dan", c.bytes);
        EXPECT_EQ(Calc(), 1);
        EXPECT_EQ(err(), c.reason + dan.string() + c.message + "\n");
        EXPECT_EQ(out(), "");
        EXPECT_EQ(Run({"pipeline"}), 1) << out();
        EXPECT_EQ(test::Slurp(dan), c.bytes);
        EXPECT_FALSE(fs::exists(folder / "01-09-09.rez"));
        EXPECT_EQ(test::Slurp(index), originalIndex);
    }
}

TEST_F(CalcCommand, FittingThatCannotConvergeFailsWithoutResults) {
    // A model that always answers the same: calculated aromatics far from the measured ones.
    ResultsRecord stuck;
    stuck.sampleDate = EncodeDate(2009, 9, 1);
    stuck.tableA[8][10] = 70;
    stuck.tableA[9][10] = 60;
    stuck.chlorineR202 = 1.0;
    WriteResultsFile((base / "stuck.rez").string(), stuck);
    const fs::path model = base / "kelmar.exe";
    fs::remove(model);
    std::string script = "#!/bin/sh\ncp stuck.rez rez\n";
    FILE* f = std::fopen(model.c_str(), "wb");
    std::fwrite(script.data(), 1, script.size(), f);
    std::fclose(f);
    ::chmod(model.c_str(), 0755);

    EXPECT_EQ(Calc(), 1);
    EXPECT_NE(err().find(FittingNotConvergedMessage(0)), std::string::npos) << err();
    EXPECT_FALSE(fs::exists(folder / "01-09-09.rez"));
    EXPECT_EQ(test::Slurp(index), originalIndex);
}

// Model programs that misbehave, the way a user meets them: each calculation
// ends with the message on stderr and status 1, prints no summary, and leaves
// the date's results and the plant's index byte for byte as the last good
// calculation left them.
TEST_F(CalcCommand, MisbehavingModelLosesNothing) {
    ASSERT_EQ(Calc(), 0) << err();
    const fs::path rez = folder / "01-09-09.rez";
    const std::string goodRez = test::Slurp(rez), goodIndex = test::Slurp(index);
    fs::copy_file(rez, base / "good.rez");
    struct Case {
        const char* name;
        const char* script;  // the body of the model program
        const char* problem;  // how the message goes on after the program and the date
    };
    const Case cases[] = {
        {"writes nothing", "exit 0", "не записала файл результатов rez."},
        {"hangs", "exec sleep 30", "не завершилась за 2 с и была остановлена."},
        {"crashes", "kill -KILL $$", "завершилась аварийно (сигнал 9)."},
        {"truncated rez", "head -c 300 good.rez > rez",
         "оставила неполный файл результатов rez: обрывается после строки 5 (нужно 69 строк)."},
        {"rez without processed feed and ratios", "head -n 67 good.rez > rez",
         "оставила неполный файл результатов rez: обрывается после строки 67 (нужно 69 строк)."},
        {"empty rez", ": > rez", "оставила неполный файл результатов rez: файл пуст (нужно 69 строк)."},
        {"garbage rez", "printf '\\001\\377garbage\\r\\n' > rez",
         "оставила неполный файл результатов rez: обрывается после строки 1 (нужно 69 строк)."},
        {"unreadable date", "sed '2s/^../32/' good.rez > rez",
         "оставила файл результатов rez, который не читается: '32.09.2009' is not a valid date."},
    };
    const fs::path model = base / "kelmar.exe";
    for (const Case& c : cases) {
        // A previous run's results, in the capitals a DOS model writes: never to be taken for this run's.
        fs::copy_file(base / "good.rez", base / "REZ", fs::copy_options::overwrite_existing);
        fs::remove(model);
        const std::string script = std::string("#!/bin/sh\n") + c.script + "\n";
        dir.Write("base/kelmar.exe", script);
        ::chmod(model.c_str(), 0755);
        EXPECT_EQ(Calc(), 1) << c.name;
        const std::string expected = std::string("Расчет не выполнен: программа kelmar.exe (дата отбора 01-09-09) ") + c.problem;
        EXPECT_EQ(err().substr(0, expected.size()), expected) << c.name << ": " << err();
        EXPECT_EQ(out(), "") << c.name;
        EXPECT_EQ(test::Slurp(rez), goodRez) << c.name;
        EXPECT_EQ(test::Slurp(index), goodIndex) << c.name;
    }
}

TEST_F(CalcCommand, PlantIndexOutsideTheTableIsAUsageError) {
    EXPECT_EQ(Calc({"--plant-index", "17"}), 2);
    EXPECT_EQ(Run({"calc"}), 2);
}

}  // namespace
}  // namespace rw
