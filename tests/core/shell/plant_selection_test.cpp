#include <gtest/gtest.h>

#include <filesystem>

#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "shell/plant_selection.h"
#include "shell/plant_table.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

class PlantSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.baseFolder = dir.str();
        for (int n = 1; n <= 17; ++n) {
            dir.Write("l90." + std::to_string(n), Line1(n == 12 ? "4" : "3") + "\r\n0.2 0.3 0.5\r\n");
            dir.Write("kfr1." + std::to_string(n), "kfr " + std::to_string(n) + "\r\n");
        }
    }
    static std::string Line1(const std::string& tail) { return std::string(42, 'x') + tail; }

    test::TempDir dir;
    ProgramContext context;
};

TEST_F(PlantSelectionTest, CopiesSettingsCreatesFoldersAndReadsReactors) {
    SelectPlant(context, 11);
    EXPECT_EQ(dir.Read("l90"), dir.Read("l90.12"));
    EXPECT_EQ(dir.Read("kfr1"), dir.Read("kfr1.12"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "Hornel" / "Fr"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "Hornel" / "Issl"));
    EXPECT_EQ(context.reactorCount, 4);
    EXPECT_EQ(context.plantFolder, dir.str() + "\\Hornel");
    EXPECT_EQ(context.fractionProgram, "drovan.exe");
    EXPECT_EQ(context.plantCaption, "Хорнельский НПЗ (Л-35-11/450К)");
}

TEST_F(PlantSelectionTest, LastRowClickedWins) {
    SelectPlant(context, 3);
    SelectPlant(context, 11);
    EXPECT_EQ(dir.Read("l90"), dir.Read("l90.12"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "Korvin" / "Fr"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "Hornel" / "Fr"));
}

TEST_F(PlantSelectionTest, CyrillicSubPathsAndStoredCaptions) {
    SelectPlant(context, 13);
    EXPECT_TRUE(fs::is_directory(dir.path() / "Ирбель" / "Л-35-6-300" / "Issl"));
    SelectPlant(context, 15);
    EXPECT_EQ(context.plantCaption, "Дальмирский НПЗ (Платформинг)" + std::string(8, ' '));
    EXPECT_EQ(context.plantFolder, dir.str() + "\\Dalmir-Pl");
    EXPECT_STREQ(PlantTable()[15].listCaption, "Жалвинский НПЗ");
    SelectPlant(context, 16);
    EXPECT_EQ(context.plantCaption, "Фенборский ЗСК" + std::string(11, ' '));
    EXPECT_EQ(context.plantFolder, dir.str() + "\\Fenbor\\Pelkor");
}

TEST_F(PlantSelectionTest, MissingSettingsFileFailsAfterEmptyingL90) {
    dir.Write("l90", "old");
    fs::remove(dir.path() / "l90.5");
    EXPECT_EQ(test::UserErrorOf([&] { SelectPlant(context, 4); }), "File not found");
    EXPECT_EQ(dir.Read("l90"), "");
    EXPECT_EQ(context.plantCaption, "Дальмирский НПЗ (Л-35-11/1000)        ");
}

TEST_F(PlantSelectionTest, MissingFractionSettingsAreIgnored) {
    fs::remove(dir.path() / "kfr1.1");
    EXPECT_NO_THROW(SelectPlant(context, 0));
}

// Another instance on the base folder selects its plant between this one's
// selection and calculation: the calculation puts its own copies back.
TEST_F(PlantSelectionTest, ACalculationPutsItsPlantsSettingsBack) {
    SelectPlant(context, 11);
    FinishPlantSelection(context, 11);
    ProgramContext other;
    other.baseFolder = context.baseFolder;
    SelectPlant(other, 3);
    { CalculationLock calculation(context); }
    EXPECT_EQ(dir.Read("l90"), dir.Read("l90.12"));
    EXPECT_EQ(dir.Read("kfr1"), dir.Read("kfr1.12"));
}

// Another plant starts from what a freshly started program holds; the title
// names no date of the plant before.
TEST(PlantChange, ForgetsTheDateOfThePreviousPlant) {
    ProgramContext c;
    c.baseFolder = "B";
    c.modelBaseFolder = "M";
    c.plantIndex = 3;
    c.plantCaption = "Корвинский НПЗ";
    c.plantFolder = "B\\Korvin";
    c.fractionFolder = "B\\Korvin\\Fr";
    c.researchFolder = "B\\Korvin\\Issl";
    c.fractionProgram = "fr4.exe";
    c.reactorCount = 4;
    c.dataFolder = "B\\Hornel\\05-09-09\\";
    c.sampleName = c.lastSampleName = "05-09-09";
    c.activityLow = 0.5;
    ForgetSamplingDate(c);
    // The plant's own folders and program stay.
    EXPECT_EQ(c.plantFolder + "|" + c.fractionFolder + "|" + c.researchFolder + "|" + c.fractionProgram,
              "B\\Korvin|B\\Korvin\\Fr|B\\Korvin\\Issl|fr4.exe");
    EXPECT_EQ(c.reactorCount, 4);
    EXPECT_EQ(c.baseFolder + "|" + c.modelBaseFolder, "B|M");
    EXPECT_EQ(c.plantIndex, 3);
    EXPECT_EQ(c.dataFolder + c.sampleName + c.lastSampleName, "");
    EXPECT_EQ(c.activityLow, ProgramContext{}.activityLow);

    const Configuration before = CurrentConfiguration();
    SetConfiguration(Configuration::Working);
    EXPECT_EQ(MainWindowCaption(c), " Установка: Корвинский НПЗ");
    c.sampleName = "20-11-26";
    EXPECT_EQ(MainWindowCaption(c), " Установка: Корвинский НПЗ" + std::string(28, ' ') + "Дата отбора: 20-11-26");
    c.sampleName.clear();
    SetConfiguration(Configuration::Described);
    EXPECT_EQ(MainWindowCaption(c), " Установка: Корвинский НПЗ" + std::string(28, ' ') + "Дата отбора: ");
    SetConfiguration(before);
}

TEST(ReactorCount, FirstDigitFromPosition43) {
    EXPECT_EQ(ReactorCountFromLine(std::string(42, ' ') + "  4"), 4);
    EXPECT_EQ(ReactorCountFromLine(std::string(42, ' ') + "2"), 3);
    EXPECT_EQ(ReactorCountFromLine(std::string(42, ' ') + "12"), 3);
    EXPECT_EQ(ReactorCountFromLine(std::string(42, ' ') + "   "), 3);
    EXPECT_EQ(ReactorCountFromLine("short"), 3);
    EXPECT_EQ(ReactorCountFromLine(std::string(42, ' ') + "9"), 6);
    // Digits before position 43 do not count.
    EXPECT_EQ(ReactorCountFromLine(std::string(41, ' ') + "5 4"), 4);
}

TEST(PlantNumbers, GetNumU) {
    EXPECT_EQ(GetNumU(0), "1");
    EXPECT_EQ(GetNumU(16), "17");
}

TEST(ExitConfirmation, DeletesOnlyBakFilesOfTheBaseFolder) {
    test::TempDir dir;
    dir.Write("dan.bak", "x");
    dir.Write("Ver.bak", "x");
    dir.Write("OLD.BAK", "x");
    dir.Write("l90", "x");
    dir.Write("sub/keep.bak", "x");
    DeleteBakFiles(dir.str());
    EXPECT_FALSE(fs::exists(dir.path() / "dan.bak"));
    EXPECT_FALSE(fs::exists(dir.path() / "Ver.bak"));
    EXPECT_FALSE(fs::exists(dir.path() / "OLD.BAK"));
    EXPECT_TRUE(fs::exists(dir.path() / "l90"));
    EXPECT_TRUE(fs::exists(dir.path() / "sub" / "keep.bak"));
}

TEST(InstalledSettings, EveryPlantHasItsFiles) {
    for (int n = 1; n <= 17; ++n) {
        std::string l90 = test::SourceDataTree() + "/l90." + std::to_string(n);
        auto lines = SplitLines(ReadFileBytes(l90));
        ASSERT_GE(lines.size(), 7u);
        int count = ReactorCountFromLine(lines[0]);
        EXPECT_EQ(count, n == 12 ? 4 : 3) << l90;
        EXPECT_NO_THROW(ReadReactorWeights(l90));
        EXPECT_GT(ReadPlantConstant(l90), 0);
        EXPECT_TRUE(FileExists(test::SourceDataTree() + "/kfr1." + std::to_string(n)));
    }
}

}  // namespace
}  // namespace rw
