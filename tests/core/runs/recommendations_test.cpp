// Recommendations after a run: the advice thresholds, the chlorine dosing
// worked by hand, the coefficient file format and the zero divisors.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "runs/recommendations.h"
#include "shell/plant_selection.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

ChlorineCoefficients Coefficients(double a3, double a6, double a9, double b1, double b2, double b3, double b4) {
    ChlorineCoefficients k;
    k.values = {65, 0.5, a3, 78, 0.01, a6, 3, 1, a9, b1, b2, b3, b4};
    k.fileName = "clor-dan.12";
    return k;
}

// A plant with a3 = 0.75 t/m3, a6 = 8, a9 = 0.002, b1..b4 = 0.04, 0.004, -2.5, 1.
ChlorineCoefficients Plant() { return Coefficients(0.75, 8, 0.002, 0.04, 0.004, -2.5, 1.0); }

DosingConditions Conditions() {
    DosingConditions c;
    c.moisture = 0.01;
    c.inletTemperature = {480, 490, 500};
    c.temperatureDrop = {40, 20, 10};
    c.gasFlow = 80000;
    c.feedFlow = 60;
    return c;
}

std::string MessageOf(const ChlorineCoefficients& k, const std::array<double, 3>& w, const DosingConditions& c) {
    return test::UserErrorOf([&] { ComputeChlorineDosing(k, w, c); });
}

TEST(Advice, ThresholdsOfActivityAndCrackingNumberAreInclusive) {
    // Activity exactly 0.8 is not below the threshold: the cracking number decides.
    AdviceTexts atThreshold = AdviceFor(0.8, 2.5);
    EXPECT_EQ(atThreshold.reason, "Повышенная активность обусловлена\rвысокими температурами");
    EXPECT_EQ(atThreshold.advice, "Рекомендуется подать хлорорганику");

    AdviceTexts water = AdviceFor(0.8, 2.4999);
    EXPECT_EQ(water.reason, "Повышенная активность обусловлена\rнизкой влажностью системы");
    EXPECT_EQ(water.advice, "Рекомендуется подать воду");

    AdviceTexts low = AdviceFor(0.7999, 5.0);
    EXPECT_EQ(low.reason, "Необходимо следить за повышением\rактивности.");
    EXPECT_EQ(low.advice, "");
}

TEST(Advice, ValuesInGeneralFormatWithFiveDigits) {
    EXPECT_EQ(AdviceValueText(0.8123456, '.'), "0.81235");
    EXPECT_EQ(AdviceValueText(2.5, ','), "2,5");
}

TEST(ChlorineDosing, AgreesWithAHandComputation) {
    // Weights 1, 1, 2: S = ((480-20) + (490-10) + 2*(500-5)) / 4 = 482.5.
    // Rq = (1/1 - 0.004*482.5 + 2.5) / 0.04 = 1.57 / 0.04 = 39.25.
    // A1 = 80000*8*0.01 = 6400; g = 8000; A2 = -8000*0.01*8 = -640; A5 = -8000*0.002*8 = -128.
    // Cl = (5760*2.16/39.25 + 128) / (60*0.75) = 444.98344 / 45 = 9.888521 ppm.
    // E = 45 * Cl * 0.024; Vd = E / 1.2 * 98 / 70; Vc = E / 1.6 * 152 / 140.
    ChlorineDosing d = ComputeChlorineDosing(Plant(), {1, 1, 2}, Conditions());
    EXPECT_DOUBLE_EQ(d.meanTemperature, 482.5);
    EXPECT_NEAR(d.Rq, 39.25, 1e-12);
    EXPECT_NEAR(d.A1, 6400, 1e-9);
    EXPECT_DOUBLE_EQ(d.A2, -640);
    EXPECT_DOUBLE_EQ(d.A5, -128);
    const double cl = (5760 * 2.16 / 39.25 + 128) / 45;
    EXPECT_NEAR(d.chlorine, cl, 1e-10);
    EXPECT_NEAR(d.chlorine, 9.888521, 1e-6);
    const double e = 45 * cl * 0.024;
    EXPECT_NEAR(d.E, e, 1e-10);
    EXPECT_NEAR(d.dichloroethane, e / 1.2 * 98 / 70, 1e-10);
    EXPECT_NEAR(d.carbonTetrachloride, e / 1.6 * 152 / 140, 1e-10);

    EXPECT_EQ(DosingText(d, '.'),
              " хлора, ppm. вес.  9.89\rдихлорэтана, л/сут.  12.46\rчетыреххлористый углерод, л/сут.  7.25");
    EXPECT_EQ(DosingText(d, ','),
              " хлора, ppm. вес.  9,89\rдихлорэтана, л/сут.  12,46\rчетыреххлористый углерод, л/сут.  7,25");
}

TEST(ChlorineDosing, EqualWeightsGiveThePlainMeanTemperature) {
    ChlorineDosing d = ComputeChlorineDosing(Plant(), {0.3, 0.3, 0.3}, Conditions());
    EXPECT_NEAR(d.meanTemperature, (460.0 + 480.0 + 495.0) / 3, 1e-9);
}

TEST(ChlorineDosing, ZeroDivisorsGiveAMessageInsteadOfInfinity) {
    DosingConditions noFeed = Conditions();
    noFeed.feedFlow = 0;
    std::string m = MessageOf(Plant(), {1, 1, 2}, noFeed);
    EXPECT_NE(m.find("Расход сырья равен нулю"), std::string::npos) << m;

    m = MessageOf(Coefficients(0, 8, 0.002, 0.04, 0.004, -2.5, 1.0), {1, 1, 2}, Conditions());
    EXPECT_NE(m.find("a3 (число 3 файла clor-dan.12) равен нулю"), std::string::npos) << m;
    m = MessageOf(Coefficients(0.75, 8, 0.002, 0, 0.004, -2.5, 1.0), {1, 1, 2}, Conditions());
    EXPECT_NE(m.find("b1 (число 10"), std::string::npos) << m;
    m = MessageOf(Coefficients(0.75, 8, 0.002, 0.04, 0.004, -2.5, 0), {1, 1, 2}, Conditions());
    EXPECT_NE(m.find("b4 (число 13"), std::string::npos) << m;
    // 1/b4 - b2*S - b3 = 1 - 0 - 1 = 0.
    m = MessageOf(Coefficients(0.75, 8, 0.002, 0.04, 0, 1.0, 1.0), {1, 1, 2}, Conditions());
    EXPECT_NE(m.find("Отношение Rq при средней температуре 482.50 равно нулю"), std::string::npos) << m;
    m = MessageOf(Plant(), {0, 0, 0}, Conditions());
    EXPECT_NE(m.find("Сумма весов реакторов"), std::string::npos) << m;
    for (const char* bad : {"inf", "nan"}) EXPECT_EQ(m.find(bad), std::string::npos);
    EXPECT_NE(m.find("рекомендуемую подачу хлорорганики рассчитать нельзя."), std::string::npos);
}

TEST(ChlorineCoefficientsFile, NumbersAcrossLinesAndTheRestOfTheNinthValuesLineSkipped) {
    ChlorineCoefficients k = ParseChlorineCoefficients(
        "65.0 0.5\r\n 0.745\r\n78.0 0.010 8.04 3 1.0 0.0020 any note here 7 7\r\n"
        "0.044\t0.004\r\n-2.45 1.1\r\n");
    EXPECT_DOUBLE_EQ(k.a3(), 0.745);
    EXPECT_DOUBLE_EQ(k.a6(), 8.04);
    EXPECT_DOUBLE_EQ(k.a9(), 0.0020);
    EXPECT_DOUBLE_EQ(k.b1(), 0.044);
    EXPECT_DOUBLE_EQ(k.b2(), 0.004);
    EXPECT_DOUBLE_EQ(k.b3(), -2.45);
    EXPECT_DOUBLE_EQ(k.b4(), 1.1);

    // A short file reads zeros, which the dosing then names.
    ChlorineCoefficients shortFile = ParseChlorineCoefficients("1 2 3\n4 5 6\n7 8 9\n0.04 0.004");
    EXPECT_EQ(shortFile.b3(), 0);
    EXPECT_EQ(shortFile.b4(), 0);

    EXPECT_EQ(test::UserErrorOf([&] { ParseChlorineCoefficients("1 2 0,745 4"); }), "Invalid numeric input");
}

TEST(ChlorineCoefficientsFile, MissingFileAndFileNameInMessages) {
    test::TempDir dir;
    EXPECT_THROW(ReadChlorineCoefficients(dir.str() + "/clor-dan.3"), UserError);
    std::string path = dir.Write("clor-dan.3", "1 2 0 4 5 6 7 8 9\r\n1 1 1 1\r\n");
    std::string m = MessageOf(ReadChlorineCoefficients(path), {1, 1, 1}, Conditions());
    EXPECT_NE(m.find("файла clor-dan.3)"), std::string::npos) << m;
}

TEST(ChlorineCoefficientsFile, ShippedPlantFilesGiveRealisticDoses) {
    // The sample conditions of the Hornel plant on every plant's coefficients:
    // a chlorine feed of a few ppm and a few litres a day, never a negative one.
    DosingConditions c;
    c.moisture = 0.01;
    c.inletTemperature = {492, 495, 497};
    c.temperatureDrop = {68, 37, 18};
    c.gasFlow = 78000;
    c.feedFlow = 65;
    for (int n = 1; n <= 17; ++n) {
        const std::string folder = test::SourceDataTree();
        ChlorineCoefficients k = ReadChlorineCoefficients(folder + "/clor-dan." + std::to_string(n));
        std::array<double, 3> w = ReadReactorWeights(folder + "/l90." + std::to_string(n));
        ChlorineDosing d = ComputeChlorineDosing(k, w, c);
        EXPECT_GT(d.chlorine, 1.0) << n;
        EXPECT_LT(d.chlorine, 30.0) << n;
        EXPECT_GT(d.dichloroethane, 1.0) << n;
        EXPECT_LT(d.dichloroethane, 60.0) << n;
    }
}

// Another instance may have selected another plant since this one chose
// its own: the dosing takes this plant's reactor weights, not what l90 holds.
TEST(ChlorineDosing, ThePlantsOwnWeightsWhateverAnotherInstanceSelected) {
    test::TempDir dir;
    const fs::path tree = test::SourceDataTree();
    for (const char* name : {"l90.12", "l90.4", "clor-dan.12"}) dir.Write(name, test::Slurp(tree / name));
    dir.Write("l90", test::Slurp(tree / "l90.4"));
    ProgramContext c;
    c.baseFolder = dir.str();
    c.plantIndex = 11;
    ConditionsEditTexts edits;
    edits[24] = "0.01";
    edits[7] = "492";
    edits[8] = "495";
    edits[9] = "497";
    edits[11] = "68";
    edits[12] = "37";
    edits[13] = "18";
    edits[2] = "78000";
    edits[1] = "65.0";
    const ChlorineCoefficients k = ReadChlorineCoefficients(dir.str() + "/clor-dan.12");
    const ChlorineDosing own = ComputeChlorineDosing(k, ReadReactorWeights(dir.str() + "/l90.12"), DosingConditionsFromEdits(edits));
    const ChlorineDosing other = ComputeChlorineDosing(k, ReadReactorWeights(dir.str() + "/l90.4"), DosingConditionsFromEdits(edits));
    ASSERT_NE(own.meanTemperature, other.meanTemperature) << "the two plants must weigh their reactors differently";
    EXPECT_EQ(WorkOutPlantDosing(c, edits).meanTemperature, own.meanTemperature);
    EXPECT_FALSE(fs::exists(BaseFolderLockPath(dir.str())));

    // The coefficient file is read first: without it nothing else is looked at.
    fs::remove(dir.path() / "clor-dan.12");
    edits[1] = "x";
    EXPECT_EQ(test::UserErrorOf([&] { WorkOutPlantDosing(c, edits); }),
              FileNotFoundMessage(ChlorineCoefficientsPath(c)));
}

// The dosing program as the menu item starts it, by what it does.
TEST(DosingProgram, PrintedAnswerCaughtAndACrashTold) {
    struct Case {
        const char* name;
        const char* script;  // the program's body; null: no program
        bool capture;
        bool started;
        std::string printed;
        std::string message;  // empty: no failure
    };
    const Case cases[] = {
        {"prints its answer", "echo 'Cl 5 ppm'", true, true, "Cl 5 ppm\n", ""},
        {"printed answer not asked for", "echo 'Cl 5 ppm'", false, true, "", ""},
        {"prints nothing", "exit 0", true, true, "", ""},
        {"a non-zero exit is no failure", "echo x; exit 3", true, true, "x\n", ""},
        {"missing", nullptr, true, false, "", ""},
        {"crashes", "kill -KILL $$", true, true, "",
         "Расчет не выполнен: программа selvin.exe (дата отбора 01-09-09) завершилась аварийно (сигнал 9). "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        if (c.script) {
            const std::string program = dir.Write("selvin.exe", std::string("#!/bin/sh\n") + c.script + "\n");
            fs::permissions(program, fs::perms::owner_exec, fs::perm_options::add);
        }
        ProgramContext context;
        context.baseFolder = dir.str();
        context.plantIndex = 11;
        context.sampleName = "01-09-09";
        DosingProgramEnd end;
        const std::string message = test::UserErrorOf([&] { end = RunDosingProgram(context, c.capture); });
        if (!c.message.empty()) {
            EXPECT_EQ(message.substr(0, c.message.size()), c.message);
            continue;
        }
        EXPECT_EQ(message, "no error");
        EXPECT_EQ(end.started, c.started);
        EXPECT_EQ(end.printed, c.printed);
        EXPECT_FALSE(fs::exists(BaseFolderLockPath(dir.str())));
    }
}

TEST(DosingConditions, FormTextsReadTolerantly) {
    ConditionsEditTexts edits;
    edits[24] = "0,01";
    edits[7] = " 492.00";
    edits[8] = "495";
    edits[9] = "497";
    edits[11] = "68";
    edits[12] = "37";
    edits[13] = "1 8";
    edits[2] = "78000";
    edits[1] = "65.0";
    DosingConditions c = DosingConditionsFromEdits(edits);
    EXPECT_DOUBLE_EQ(c.moisture, 0.01);
    EXPECT_DOUBLE_EQ(c.inletTemperature[0], 492);
    EXPECT_DOUBLE_EQ(c.temperatureDrop[2], 18);
    EXPECT_DOUBLE_EQ(c.feedFlow, 65);

    edits[2] = "78 тыс";
    EXPECT_NE(test::UserErrorOf([&] { DosingConditionsFromEdits(edits); }).find("is not a valid floating point value"),
              std::string::npos);
}

}  // namespace
}  // namespace rw
