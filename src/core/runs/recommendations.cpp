#include "runs/recommendations.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "common/errors.h"
#include "common/text_reader.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/text_helpers.h"
#include "runs/external_program.h"
#include "shell/plant_selection.h"

namespace rw {
namespace {

const char* const kCannotCompute = ": рекомендуемую подачу хлорорганики рассчитать нельзя.";

[[noreturn]] void ZeroValue(const std::string& what) { throw UserError(what + kCannotCompute); }

std::string ZeroCoefficient(const ChlorineCoefficients& k, const char* symbol, int position) {
    return "Коэффициент " + std::string(symbol) + " (число " + std::to_string(position) + " файла " + k.fileName +
           ") равен нулю";
}

}  // namespace

ChlorineCoefficients ParseChlorineCoefficients(std::string_view bytes) {
    ChlorineCoefficients k;
    // The coefficient files are read in the model's free number format.
    TextReader in(bytes);
    for (size_t i = 0; i < 9; ++i) k.values[i] = in.ReadNumber();
    in.SkipLine();
    for (size_t i = 9; i < k.values.size(); ++i) k.values[i] = in.ReadNumber();
    return k;
}

ChlorineCoefficients ReadChlorineCoefficients(const std::string& path) {
    ChlorineCoefficients k = ParseChlorineCoefficients(ReadFileBytes(path));
    size_t slash = path.find_last_of("\\/");
    k.fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    return k;
}

std::string ChlorineCoefficientsPath(const ProgramContext& context) {
    return JoinPath(context.baseFolder, "clor-dan." + context.PlantNumber());
}

DosingConditions DosingConditionsFromEdits(const ConditionsEditTexts& edits) {
    DosingConditions c;
    c.moisture = TextToNumber(edits[kEditGasMoisture]);
    for (size_t i = 0; i < 3; ++i) {
        c.inletTemperature[i] = TextToNumber(edits[kEditInletTemperature + i]);
        c.temperatureDrop[i] = TextToNumber(edits[kEditTemperatureDrop + i]);
    }
    c.gasFlow = TextToNumber(edits[kEditGasFlow]);
    c.feedFlow = TextToNumber(edits[kEditFeedFlow]);
    return c;
}

ChlorineDosing ComputeChlorineDosing(const ChlorineCoefficients& k, const std::array<double, 3>& w,
                                     const DosingConditions& c) {
    // Every divisor is checked before it is used: a plant file with a missing
    // coefficient or an empty feed-flow field must give a message the
    // operator can act on, not "inf" in the dosing lines.
    const double weightSum = w[0] + w[1] + w[2];
    if (weightSum == 0) ZeroValue("Сумма весов реакторов (вторая строка файла l90) равна нулю");
    if (c.feedFlow == 0) ZeroValue("Расход сырья равен нулю");
    if (k.a3() == 0) ZeroValue(ZeroCoefficient(k, "a3", 3));
    if (k.b1() == 0) ZeroValue(ZeroCoefficient(k, "b1", 10));
    if (k.b4() == 0) ZeroValue(ZeroCoefficient(k, "b4", 13));

    ChlorineDosing d;
    for (size_t i = 0; i < 3; ++i) {
        d.meanTemperature += (c.inletTemperature[i] - c.temperatureDrop[i] / 2.0) * w[i] / weightSum;
    }
    const double S = d.meanTemperature;
    const double G = c.gasFlow, H = c.moisture, F = c.feedFlow;
    d.g = G / 10.0;
    // A1 is the water brought in with the gas. The formula passes it through
    // the feed term and back; it is kept as written so that the figures agree
    // to the last digit with doses worked out by the same formula by hand.
    d.A1 = (G * k.a6() * H / (F * k.a3())) * F * k.a3();
    d.A2 = -d.g * H * k.a6();
    d.A5 = -d.g * k.a9() * k.a6();
    d.Rq = (1.0 / k.b4() - k.b2() * S - k.b3()) / k.b1();
    if (d.Rq == 0) {
        ZeroValue("Отношение Rq при средней температуре " + FormatFixedPrecision(S, 7, 2) + " равно нулю");
    }
    d.chlorine = ((d.A1 + d.A2) * 2.16 / d.Rq - d.A5) / (F * k.a3());
    d.E = F * k.a3() * d.chlorine * 24.0 * 0.001;
    d.dichloroethane = d.E / 1.2 * 98 / 70;
    d.carbonTetrachloride = d.E / 1.6 * 152 / 140;
    for (double v : {d.meanTemperature, d.Rq, d.chlorine, d.dichloroethane, d.carbonTetrachloride}) {
        if (!std::isfinite(v)) ZeroValue("Исходные данные дают значение вне допустимого диапазона");
    }
    return d;
}

std::string DosingText(const ChlorineDosing& d, char sep) {
    auto fixed = [sep](double v) { return FormatFixedPrecision(v, 5, 2, sep); };
    return " хлора, ppm. вес.  " + fixed(d.chlorine) + "\r" + "дихлорэтана, л/сут.  " + fixed(d.dichloroethane) +
           "\r" + "четыреххлористый углерод, л/сут.  " + fixed(d.carbonTetrachloride);
}

std::string AdviceValueText(double value, char sep) { return FormatGeneral(value, 5, sep); }

AdviceTexts AdviceFor(double activity, double crackingNumber) {
    if (activity < kActivityThreshold) return {"Необходимо следить за повышением\rактивности.", ""};
    if (crackingNumber >= kCrackingThreshold) {
        return {"Повышенная активность обусловлена\rвысокими температурами", "Рекомендуется подать хлорорганику"};
    }
    return {"Повышенная активность обусловлена\rнизкой влажностью системы", "Рекомендуется подать воду"};
}

ChlorineDosing WorkOutPlantDosing(const ProgramContext& context, const ConditionsEditTexts& formTexts) {
    const ChlorineCoefficients k = ReadChlorineCoefficients(ChlorineCoefficientsPath(context));
    const std::array<double, 3> weights = [&context] {
        CalculationLock baseFolder(context);
        return ReadReactorWeights(JoinPath(context.baseFolder, "l90"));
    }();
    return ComputeChlorineDosing(k, weights, DosingConditionsFromEdits(formTexts));
}

namespace {

// A folder of its own for what the program prints, removed with everything in it.
class PrintedOutputFolder {
public:
    PrintedOutputFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "reformer-dosing-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~PrintedOutputFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    PrintedOutputFolder(const PrintedOutputFolder&) = delete;
    PrintedOutputFolder& operator=(const PrintedOutputFolder&) = delete;
    std::string File(const char* name) const { return path_.empty() ? std::string() : path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace

DosingProgramEnd RunDosingProgram(const ProgramContext& context, bool capturePrinted) {
    PrintedOutputFolder folder;
    const std::string output = capturePrinted ? folder.File("selvin.out") : std::string();
    ProgramEnd end;
    {
        CalculationLock baseFolder(context);
        end = RunExternalProgram(std::string(kDosingProgram) + " ", context.baseFolder, WindowMode::Shown, kNoTimeLimit,
                                 kNoTimeLimit, {}, output);
    }
    DosingProgramEnd out;
    out.started = end.outcome != RunOutcome::NotStarted;
    // Nothing is read back at the call, so only a crash is worth a word.
    if (end.outcome == RunOutcome::Crashed) {
        throw UserError(FailedRunMessage(kDosingProgram, context.sampleName, ProgramEndProblem(end)));
    }
    if (!output.empty() && FileExists(output)) out.printed = ReadFileBytes(output);
    return out;
}

}  // namespace rw
