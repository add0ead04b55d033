#include "runs/fraction_calculation.h"

#include <algorithm>

#include "common/codepage.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "composition/composition_file.h"
#include "conditions/conditions_file.h"
#include "common/text_helpers.h"

namespace rw {

namespace {

// The composition lines the fraction files carry over, padded with empty
// lines when the source is shorter: the model reads the fractional
// composition after line 138 whatever comes before it.
std::vector<std::string> FirstValueLines(const std::string& path) {
    std::vector<std::string> lines = SplitLines(ReadFileBytes(path));
    lines.resize(kCompositionValueLines);
    return lines;
}

void AppendValueLines(std::vector<std::string>& lines, const FractionTexts& texts, int indent) {
    for (const std::string& text : texts) lines.push_back(std::string(static_cast<size_t>(indent), ' ') + Utf8ToCp1251(text));
}

}  // namespace

std::string ConditionsMissingMessage(const std::string& sampleName) {
    return "Для расчета необходимо задать технологические условия\rза текущую дату:" + sampleName;
}

std::optional<FractionTexts> ReadFractionalComposition(const std::string& path) {
    // The composition file's own reader applies the same rule to its tail.
    const CompositionTexts texts = ReadCompositionFile(path);
    if (!texts.HasCompleteTail()) return std::nullopt;
    FractionTexts fraction;
    std::copy(texts.tail.begin(), texts.tail.end(), fraction.begin());
    return fraction;
}

std::string FractionBaseFile(const ProgramContext& context) { return JoinPath(context.baseFolder, "sk"); }

std::string FractionProgramOutput(const ProgramContext& context) { return JoinPath(context.baseFolder, "sum-fr"); }

std::optional<FractionWindowTexts> LastSampleFraction(const ProgramContext& context) {
    const std::optional<FractionTexts> fraction = ReadFractionalComposition(FractionBaseFile(context));
    if (!fraction) return std::nullopt;
    FractionWindowTexts texts;
    for (size_t i = 0; i < texts.values.size(); ++i) texts.values[i] = RemoveBlanks((*fraction)[i]);
    texts.lastSampleCaption = std::string(kLastSampleCaption) + context.lastSampleName;
    return texts;
}

std::string SampleNameFromDateText(std::string_view dateText) {
    std::string name(dateText);
    std::replace(name.begin(), name.end(), '.', '-');
    return name;
}

bool SameFractionalComposition(const FractionTexts& typed, const FractionTexts& base) {
    std::array<double, kFractionValues> a{}, b{};
    for (size_t i = 0; i < a.size(); ++i) a[i] = TextToNumber(typed[i]);
    for (size_t i = 0; i < b.size(); ++i) b[i] = TextToNumber(base[i]);
    return a == b;
}

FractionProgramStarter DefaultFractionProgramStarter() {
    return [](const std::string& commandLine, const std::string& workFolder) {
        return RunExternalProgram(commandLine, workFolder, WindowMode::Hidden, kNoTimeLimit);
    };
}

FractionSave StartFractionSave(ProgramContext& context, std::string_view dateText) {
    FractionSave save;
    save.previousDataFolder = context.dataFolder;
    save.previousSampleName = context.sampleName;
    context.sampleName = SampleNameFromDateText(dateText);
    context.dataFolder = context.fractionFolder + "\\";
    save.compositionPath = context.dataFolder + context.sampleName + ".sk";
    save.conditionsPath = context.dataFolder + context.sampleName + ".dan";
    return save;
}

std::string ComposeNewCompositionFile(const std::vector<std::string>& valueLines, const FractionTexts& typed) {
    std::vector<std::string> lines = valueLines;
    AppendValueLines(lines, typed, kNewFileValueIndent);
    return JoinLinesCrLf(lines);
}

void WriteFractionSave(FractionSave& save, const ProgramContext& context, const FractionTexts& typed,
                       const FractionTexts& base, const FractionProgramStarter& start,
                       const std::function<void()>& afterProgram) {
    save.changed = !SameFractionalComposition(typed, base);
    const std::string sk = FractionBaseFile(context);

    if (!save.changed) {
        WriteFileAtomic(save.compositionPath, ComposeNewCompositionFile(FirstValueLines(sk), typed));
    } else {
        // The program reads both fractional compositions after the base
        // sample's 138 lines: first the base sample's, then the new one.
        std::vector<std::string> input = FirstValueLines(sk);
        AppendValueLines(input, base, kProgramInputValueIndent);
        AppendValueLines(input, typed, kProgramInputValueIndent);
        WriteFileAtomic(sk, JoinLinesCrLf(input));

        const std::string output = FractionProgramOutput(context);
        DeleteFile(output);
        if (start(context.fractionProgram, context.baseFolder) == RunOutcome::NotStarted) {
            throw UserError("Не удалось запустить программу пересчета состава по фракционному составу: " +
                            (context.fractionProgram.empty() ? std::string("(не задана)") : context.fractionProgram));
        }
        if (afterProgram) afterProgram();
        WriteFileAtomic(save.compositionPath, ComposeNewCompositionFile(FirstValueLines(output), typed));
    }
    save.conditionsExist = FileExists(save.conditionsPath);
}

NewDateConditions PrepareNewDateConditions(ProgramContext& context, const FractionSave& save) {
    NewDateConditions form;
    form.saveFolder = context.dataFolder;
    form.saveFileName = context.sampleName + ".dan";
    double date = 0;
    if (TryParseShortDate(context.sampleName, '-', CurrentYear(), date)) form.samplingDate = date;

    PositionalReadOptions options;
    options.copyEmptyRegenerationDate = false;
    const PositionalConditions read =
        ReadConditionsByPosition(save.previousDataFolder + save.previousSampleName + ".dan", options);
    context.conditions = read.conditions;
    form.edits = EditsFromRecord(context.conditions);
    return form;
}

}  // namespace rw
