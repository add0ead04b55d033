// reformer-cli pipeline: the welcome pipeline without windows, on a copy of
// the installation data.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/files.h"
#include "composition/composition_file.h"
#include "test_support.h"

namespace rw {
namespace {

namespace fs = std::filesystem;

class PipelineCommand : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path base = dir.path() / "sk";
    fs::path sample = base / "Hornel" / "01-09-09";

    void SetUp() override {
        test::CopyTree(test::SourceDataTree(), base);
        // A stale model working file that the pipeline's end removes.
        std::ofstream(base / "dan.bak") << "old";
    }
    test::CommandResult Run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--base", base.string(), "pipeline"});
        return test::RunCommand(REFORMER_CLI, args);
    }
    std::string Source(const std::string& name) const {
        return test::Slurp(fs::path(test::SourceDataTree()) / "Hornel" / "01-09-09" / name);
    }
};

TEST_F(PipelineCommand, PreparesTheSampleDateAndCleansUp) {
    auto r = Run({});
    ASSERT_EQ(r.status, 0) << r.err;
    // The conditions file and the lists are written back as they were read.
    EXPECT_EQ(test::Slurp(sample / "01-09-09.dan"), Source("01-09-09.dan"));
    EXPECT_EQ(test::Slurp(sample / "01-09-09.SIR"), Source("01-09-09.SIR"));
    EXPECT_EQ(test::Slurp(sample / "01-09-09.KAT"), Source("01-09-09.KAT"));
    // The side cut of this plant is the catalyzate list.
    EXPECT_EQ(test::Slurp(sample / "01-09-09.BOK"), Source("01-09-09.KAT"));
    EXPECT_EQ(test::Slurp(sample / "01-09-09.sk"), test::Slurp(test::DataPath("pipeline/01-09-09.sk")));
    EXPECT_FALSE(fs::exists(base / "dan.bak"));
    EXPECT_TRUE(fs::exists(base / "l90"));
    EXPECT_EQ(test::Slurp(base / "l90"), test::Slurp(base / "l90.12"));
    // The composition file reads back with its fractional composition.
    CompositionTexts texts = ReadCompositionFile((sample / "01-09-09.sk").string());
    EXPECT_EQ(texts.tail[0], "  86");
    EXPECT_EQ(texts.tail[5], " 0.730");
}

TEST_F(PipelineCommand, AnUnknownNameStopsBeforeTheCompositionFile) {
    std::string kat = test::Slurp(sample / "01-09-09.KAT");
    std::string line = "Mystery compound X";
    line.resize(43, ' ');
    std::ofstream(sample / "01-09-09.KAT", std::ios::binary) << kat << line << "01.000\r\n";
    std::string nloBefore = test::Slurp(base / "Basa" / "nlo");
    auto r = Run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Mystery compound X"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(sample / "01-09-09.sk"));
    EXPECT_EQ(test::Slurp(base / "Basa" / "nlo"), nloBefore);

    r = Run({"--unknown", "ignore"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(sample / "01-09-09.sk"));
    EXPECT_NE(test::Slurp(base / "Basa" / "nlo").find("Mystery compound X"), std::string::npos);
}

TEST_F(PipelineCommand, AMissingConditionsFileIsReported) {
    fs::remove(sample / "01-09-09.dan");
    auto r = Run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Файл не найден: " + (sample / "01-09-09.dan").string() + "\n");
    EXPECT_EQ(Run({"--unknown", "maybe"}).status, 2);
}

// The date's conditions are saved through the checks of the conditions
// form: what the program refuses, the command refuses; a doubt is saved
// only when the command is told to.
TEST_F(PipelineCommand, TheConditionsPassTheFormsChecks) {
    const std::string dan = test::Slurp(sample / "01-09-09.dan");
    auto damaged = [&](const std::string& from, const std::string& to) {
        std::string bytes = dan;
        bytes.replace(bytes.find(from), from.size(), to);
        std::ofstream(sample / "01-09-09.dan", std::ios::binary) << bytes;
        return bytes;
    };
    const std::string hot = damaged(" 29.50  28.60", "290.50  28.60");
    auto r = Run({"--doubtful", "save"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Давление, атм. (Р - 2)"), std::string::npos) << r.err;
    EXPECT_EQ(test::Slurp(sample / "01-09-09.dan"), hot);
    EXPECT_FALSE(fs::exists(sample / "01-09-09.sk"));

    const std::string doubtful = damaged("81.20000", "71.20000");
    r = Run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Сумма состава ВСГ"), std::string::npos) << r.err;
    EXPECT_EQ(test::Slurp(sample / "01-09-09.dan"), doubtful);
    EXPECT_FALSE(fs::exists(sample / "01-09-09.sk"));
    EXPECT_EQ(Run({"--doubtful", "maybe"}).status, 2);
    r = Run({"--doubtful", "save"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(sample / "01-09-09.sk"));
}

// Another plant and date: the conditions file of the date in its folder,
// a DHA report of the feed and a component list of the catalyzate elsewhere.
TEST_F(PipelineCommand, AnyPlantAndDateWithNamedReports) {
    const fs::path date = base / "Korvin" / "20-11-26";
    fs::create_directories(date);
    std::string dan = Source("01-09-09.dan");
    const size_t at = dan.find("01.09.09 ");
    ASSERT_NE(at, std::string::npos);
    dan.replace(at, 8, "20.11.26");
    std::ofstream(date / "20-11-26.dan", std::ios::binary) << dan;
    const fs::path reports = dir.path() / "reports";
    fs::create_directories(reports);
    std::string dha = "Components Listed in Chromatographic Order\r\n\r\n\r\n";
    std::string feed = Source("01-09-09.SIR");
    for (size_t pos = 0; pos + 49 <= feed.size(); pos = feed.find('\n', pos) + 1)
        dha += std::string(19, ' ') + feed.substr(pos, 35) + feed.substr(pos + 43, 6) + "\r\n";
    std::ofstream(reports / "feed.DHA", std::ios::binary) << dha;
    std::ofstream(reports / "kat.KAT", std::ios::binary) << Source("01-09-09.KAT");

    auto r = Run({"--plant-index", "3", "--sample", "20-11-26", "--catalyzate", (reports / "kat.KAT").string()});
    EXPECT_EQ(r.status, 1);  // no feed list in the date's folder, none named
    EXPECT_NE(r.err.find("--feed"), std::string::npos) << r.err;

    r = Run({"--plant-index", "3", "--sample", "20-11-26", "--feed", (reports / "feed.DHA").string(), "--catalyzate",
             (reports / "kat.KAT").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::Slurp(date / "20-11-26.SIR"), Source("01-09-09.SIR"));
    EXPECT_EQ(test::Slurp(date / "20-11-26.KAT"), Source("01-09-09.KAT"));
    EXPECT_EQ(test::Slurp(date / "20-11-26.BOK"), Source("01-09-09.KAT"));  // row 3 has no side cut either
    EXPECT_EQ(test::Slurp(base / "l90"), test::Slurp(base / "l90.4"));
    EXPECT_EQ(ReadCompositionFile((date / "20-11-26.sk").string()).values,
              ReadCompositionFile(test::DataPath("pipeline/01-09-09.sk")).values);

    // Run again on the lists the first run left in the date's folder.
    ASSERT_EQ(Run({"--plant-index", "3", "--sample", "20-11-26"}).status, 0);
    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"--plant-index", "17"}, {"--plant-index", "x"}, {"--sample", "20.11.26"}}) {
        EXPECT_NE(Run(bad).status, 0) << bad[0] << " " << bad[1];
    }
}

}  // namespace
}  // namespace rw
