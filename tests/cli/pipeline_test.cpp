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

}  // namespace
}  // namespace rw
