// reformer-cli replay on the installation's sample plant, with dates
// calculated by the stand-in model as the other installation would have.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/files.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        files[fs::relative(e.path(), root).string()] = e.is_regular_file() ? test::Slurp(e.path()) : "<folder>";
    }
    return files;
}

class ReplayCommand : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string model = std::string(REFORMER_BINARY_DIR) + "/bin/sk/kelmar.exe";
        if (!fs::exists(model)) GTEST_SKIP() << "the stand-in model is not built";
        test::CopyTree(test::SourceDataTree(), base);
        fs::copy_file(model, base / "kelmar.exe");
        ASSERT_EQ(Run({"form", (hornel / "01-09-09").string(), "01-09-09"}), 0) << last.err;
        // Two of the sample's dates get the formed date's inputs under their
        // own sampling date and are calculated; the others keep their
        // conditions and results without a composition file.
        const std::vector<std::string> lines = SplitLines(test::Slurp(hornel / "01-09-09/01-09-09.dan"));
        for (const std::string date : {"15-10-08", "12-11-08"}) {
            std::vector<std::string> dan = lines;
            dan[11].replace(0, 8, date.substr(0, 2) + "." + date.substr(3, 2) + "." + date.substr(6, 2));
            const fs::path folder = hornel / date;
            WriteFileAtomic((folder / (date + ".dan")).string(), JoinLinesCrLf(dan));
            fs::copy_file(hornel / "01-09-09/01-09-09.sk", folder / (date + ".sk"));
            ASSERT_EQ(Run({"calc", (folder / (date + ".dan")).string()}), 0) << last.err;
        }
    }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--base", base.string()});
        last = test::RunCommand(REFORMER_CLI, args);
        return last.status;
    }
    std::vector<std::string> Lines() const { return SplitLines(last.out); }
    std::string Rez(const std::string& date) const { return (hornel / date / (date + ".rez")).string(); }

    test::TempDir dir;
    fs::path base = dir.path() / "base";
    fs::path hornel = base / "Hornel";
    test::CommandResult last;
};

TEST_F(ReplayCommand, CalculatedDatesAreTheSameAndTheRestSayWhyNotAndTheBaseIsUnchanged) {
    const auto before = Snapshot(base);
    ASSERT_EQ(Run({"replay", "--plant-index", "11", "--to", "31.12.08"}), 0) << last.err;
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "15-10-08: совпадает",
                           "12-11-08: совпадает",
                           "10-12-08: не пересчитан: Расчет не выполнен, нет файлов: " +
                               (hornel / "10-12-08/10-12-08.sk").string(),
                           "Дат: 3; совпадают: 2; различаются в пределах последней цифры: 0; различаются: 0; "
                           "не пересчитаны: 1."}));
    EXPECT_EQ(Snapshot(base), before);
}

TEST_F(ReplayCommand, PlantedDifferencesAreNamedWithTheirDatesAndFields) {
    // The activity of one date edited by hand, the research octane number of
    // the other by its last printed digit.
    std::string rez = test::Slurp(Rez("12-11-08"));
    size_t line3 = rez.find('\n', rez.find('\n') + 1) + 1;
    const std::string activity = rez.substr(line3 + 39, 4);
    rez.replace(line3 + 39, 4, activity == "9.99" ? "1.00" : "9.99");
    WriteFileAtomic(Rez("12-11-08"), rez);
    std::vector<std::string> other = SplitLines(test::Slurp(Rez("15-10-08")));
    std::string& octane = other[63];
    const char digit = octane[49];
    octane[49] = digit == '9' ? '8' : static_cast<char>(digit + 1);
    WriteFileAtomic(Rez("15-10-08"), JoinLinesCrLf(other));
    const auto before = Snapshot(base);

    EXPECT_EQ(Run({"replay", "--dates", "15.10.08,12.11.08"}), 1) << last.err;
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 3u) << last.out;
    EXPECT_EQ(lines[0].rfind("15-10-08: различается в 1 поле в пределах последней напечатанной цифры: "
                             "октановое число (исследовательский метод) ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("12-11-08: различается в 1 поле: активность катализатора ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2], "Дат: 2; совпадают: 0; различаются в пределах последней цифры: 1; различаются: 1; "
                        "не пересчитаны: 0.");
    EXPECT_EQ(Snapshot(base), before);

    // Only the date asked for; within the last digit is not a failure.
    EXPECT_EQ(Run({"replay", "--dates", "15.10.08"}), 0) << last.err;
    EXPECT_EQ(Lines().size(), 2u) << last.out;
}

TEST_F(ReplayCommand, WrongArgumentsAreRefusedBeforeAnythingRuns) {
    EXPECT_EQ(Run({"replay", "--from", "32.10.08"}), 2);
    EXPECT_NE(last.err.find("--from: «32.10.08» не дата"), std::string::npos) << last.err;
    EXPECT_EQ(Run({"replay", "--plant-index", "17"}), 2);
    EXPECT_EQ(Run({"replay", "--fit", "newton"}), 2);
    // A date asked for that was never calculated.
    EXPECT_EQ(Run({"replay", "--dates", "02.09.09"}), 0) << last.err;
    EXPECT_EQ(Lines()[0], "02-09-09: не пересчитан: Нет файла результатов: " + Rez("02-09-09")) << last.out;
}

}  // namespace
}  // namespace rw
