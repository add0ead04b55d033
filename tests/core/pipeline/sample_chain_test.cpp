// The sample chain on a copy of the installation data, its questions
// answered from a table.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "composition/component_resolver.h"
#include "pipeline/welcome_pipeline.h"
#include "shell/plant_table.h"
#include "shell/program_context.h"
#include "test_support.h"

namespace rw {
namespace {

namespace fs = std::filesystem;

struct ChainAnswers : SampleChainQuestions {
    bool despite = false;
    ComponentResolver* resolver = nullptr;
    std::vector<std::string> steps;  // what the chain told, in order
    std::vector<std::string> progress;
    void Progress(const std::string& line) override { progress.push_back(line); }
    void PlantSelected(int row) override { steps.push_back("plant " + std::to_string(row)); }
    void ConditionsSelected(const ConditionsSelection&) override { steps.push_back("conditions"); }
    void DataSelected(const DataSelectionOutcome&) override { steps.push_back("selected"); }
    bool SaveDespite(const std::string&) override {
        steps.push_back("doubt");
        return despite;
    }
    void DataEntryStarted(const std::string& feedFlow) override { steps.push_back("entry " + feedFlow); }
    ComponentResolver* Resolver() override { return resolver; }
};

class CountingResolver : public ComponentResolver {
public:
    std::vector<std::string> names;
    std::optional<ComponentTarget> Resolve(const std::string& name, ComponentDatabase&) override {
        names.push_back(name);
        return std::nullopt;
    }
};

class ConfigurationFor {
public:
    explicit ConfigurationFor(Configuration c) : before_(CurrentConfiguration()) { SetConfiguration(c); }
    ~ConfigurationFor() { SetConfiguration(before_); }

private:
    Configuration before_;
};

// The tests run in the described configuration unless they choose.
class SampleChain : public ::testing::Test {
protected:
    void SetUp() override {
        test::CopyTree(test::SourceDataTree(), base);
        std::ofstream(base / "dan.bak") << "old";
        request.context = &context;
        request.baseFolder = base.string();
    }
    // The sample date's conditions file with one text replaced.
    void Damage(const std::string& from, const std::string& to) {
        std::string dan = test::Slurp(sample / "01-09-09.dan");
        const size_t at = dan.find(from);
        ASSERT_NE(at, std::string::npos);
        dan.replace(at, from.size(), to);
        std::ofstream(sample / "01-09-09.dan", std::ios::binary) << dan;
    }
    test::TempDir dir;
    fs::path base = dir.path() / "sk";
    fs::path sample = base / "Hornel" / "01-09-09";
    ProgramContext context;
    SampleChainRequest request;
    ChainAnswers answers;
};

TEST_F(SampleChain, PreparesTheDateStepByStep) {
    const std::string dan = test::Slurp(sample / "01-09-09.dan");
    const SampleChainOutcome out = PrepareSampleDate(request, answers);
    EXPECT_EQ(out.end, SampleChainEnd::Prepared);
    EXPECT_EQ(answers.steps, (std::vector<std::string>{"plant 11", "conditions", "selected", "entry 65.0"}));
    EXPECT_EQ(out.selection.end, DataSelectionEnd::CompositionMissing);
    EXPECT_EQ(test::Slurp(sample / "01-09-09.dan"), dan);
    EXPECT_EQ(test::Slurp(sample / "01-09-09.sk"), test::Slurp(test::DataPath("pipeline/01-09-09.sk")));
    EXPECT_EQ(ToNative(out.streamLists[2]), (sample / "01-09-09.BOK").string());
    EXPECT_EQ(ToNative(out.compositionFile), (sample / "01-09-09.sk").string());
    EXPECT_EQ(ToNative(out.conditionsFile), (sample / "01-09-09.dan").string());
    EXPECT_EQ(context.sampleName, "01-09-09");
    EXPECT_EQ(ToNative(context.dataFolder), (sample).string() + "/");
    EXPECT_FALSE(fs::exists(base / "dan.bak"));
    EXPECT_EQ(context.currentStream, 1);
    auto told = [&](const std::string& part) {
        return std::count_if(answers.progress.begin(), answers.progress.end(),
                             [&](const std::string& line) { return line.find(part) != std::string::npos; });
    };
    EXPECT_EQ(told("Установка: "), 1);
    EXPECT_EQ(told(" не существует."), 1);

    // A second run finds the composition file; the program's own end keeps
    // the model's working files.
    std::ofstream(base / "dan.bak") << "old";
    request.deleteBakFiles = false;
    answers.progress.clear();
    EXPECT_EQ(PrepareSampleDate(request, answers).selection.end, DataSelectionEnd::Selected);
    EXPECT_TRUE(fs::exists(base / "dan.bak"));
    EXPECT_EQ(told(" не существует."), 0);
}

// The plant row must be one of the table's; the sample files of the
// editor's "Открыть" stand in only for the sample date of the sample plant:
// another plant's date of that name has its own conditions file, another
// date of the sample plant its own component lists.
TEST_F(SampleChain, PlantRowAndSampleDateChooseTheFiles) {
    for (const int row : {-1, kPlantCount}) {
        request.plantRow = row;
        EXPECT_EQ(test::UserErrorOf([&] { PrepareSampleDate(request, answers); }),
                  "Нет установки с номером строки " + std::to_string(row) + ".");
    }
    EXPECT_TRUE(answers.steps.empty());
    request.plantRow = kPlantCount - 1;
    EXPECT_EQ(test::UserErrorOf([&] { PrepareSampleDate(request, answers); }).rfind("Нет установки", 0),
              std::string::npos);

    // Korvin has no date 01-09-09: its conditions are never read.
    request.plantRow = 3;
    answers.steps.clear();
    EXPECT_EQ(test::UserErrorOf([&] { PrepareSampleDate(request, answers); }), "File not found");
    EXPECT_EQ(answers.steps, (std::vector<std::string>{"plant 3"}));

    request.plantRow = kWelcomePlantRow;
    request.sample = "16-09-09";
    const std::string otherDate = test::UserErrorOf([&] { PrepareSampleDate(request, answers); });
    EXPECT_EQ(otherDate.rfind("Нет файла ", 0), 0u) << otherDate;
    EXPECT_NE(otherDate.find("16-09-09.SIR"), std::string::npos) << otherDate;
}

// The conditions file of the date is saved through the form's own checks:
// a value no plant can have stops the chain in the working configuration,
// with the field named and nothing written after the selection.
TEST_F(SampleChain, ADamagedConditionsFileIsRefusedAsTheFormRefusesIt) {
    std::optional<ConfigurationFor> working(Configuration::Working);
    Damage(" 29.50  28.60", "290.50  28.60");
    const std::string dan = test::Slurp(sample / "01-09-09.dan");
    const std::string message = test::UserErrorOf([&] { PrepareSampleDate(request, answers); });
    EXPECT_EQ(message.rfind(kNotSavedHeadline, 0), 0u) << message;
    EXPECT_NE(message.find("Давление, атм. (Р - 2)"), std::string::npos) << message;
    EXPECT_EQ(test::Slurp(sample / "01-09-09.dan"), dan);
    EXPECT_FALSE(fs::exists(sample / "01-09-09.sk"));
    EXPECT_EQ(answers.steps.back(), "selected");
    EXPECT_TRUE(fs::exists(base / "dan.bak"));

    // The described configuration saves what it reads, unchecked.
    working.reset();
    EXPECT_EQ(PrepareSampleDate(request, answers).end, SampleChainEnd::Prepared);
}

TEST_F(SampleChain, ADoubtfulGasSumIsPutToTheUser) {
    ConfigurationFor working(Configuration::Working);
    Damage("81.20000", "71.20000");
    const SampleChainOutcome declined = PrepareSampleDate(request, answers);
    EXPECT_EQ(declined.end, SampleChainEnd::SaveDeclined);
    EXPECT_EQ(answers.steps.back(), "doubt");
    EXPECT_TRUE(declined.conditionsFile.empty());
    EXPECT_FALSE(fs::exists(sample / "01-09-09.sk"));
    EXPECT_TRUE(fs::exists(base / "dan.bak"));

    answers.despite = true;
    EXPECT_EQ(PrepareSampleDate(request, answers).end, SampleChainEnd::Prepared);
    EXPECT_TRUE(fs::exists(sample / "01-09-09.sk"));
}

TEST_F(SampleChain, UnknownComponentsGoToTheResolverOrStopTheChain) {
    std::string line = "Mystery compound X";
    line.resize(43, ' ');
    std::ofstream(sample / "01-09-09.KAT", std::ios::app | std::ios::binary) << line << "01.000\r\n";
    const std::string message = test::UserErrorOf([&] { PrepareSampleDate(request, answers); });
    EXPECT_NE(message.find("Mystery compound X"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(sample / "01-09-09.sk"));

    CountingResolver resolver;
    answers.resolver = &resolver;
    EXPECT_EQ(PrepareSampleDate(request, answers).end, SampleChainEnd::Prepared);
    ASSERT_FALSE(resolver.names.empty());
    EXPECT_NE(resolver.names[0].find("Mystery compound X"), std::string::npos);
}

}  // namespace
}  // namespace rw
