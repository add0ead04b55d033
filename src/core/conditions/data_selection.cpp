#include "conditions/data_selection.h"

#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "common/regional.h"
#include "conditions/conditions_file.h"
#include "shell/plant_selection.h"

#include <algorithm>

namespace rw {
namespace {

constexpr int kExtendedPlantRow = 11;
// Lines of the sampling and regeneration dates in the conditions file.
constexpr int kSamplingDateLine = 12;
constexpr int kRegenerationDateLine = 13;

}  // namespace

std::string SelectedDataFile(const std::string& baseFolder) {
    return baseFolder + "\\Hornel\\01-09-09\\01-09-09.dan";
}

ConditionsSelection SelectConditions(ProgramContext& context, const std::string& dataFile) {
    context.dataFile = dataFile.empty() ? SelectedDataFile(context.baseFolder) : dataFile;
    const size_t slash = context.dataFile.rfind('\\');
    context.dataFolder = context.dataFile.substr(0, slash + 1);
    std::string name = context.dataFile.substr(slash + 1);
    const size_t dot = name.rfind('.');
    context.sampleName = dot == std::string::npos ? name : name.substr(0, dot);

    const bool extended = context.plantIndex == kExtendedPlantRow;
    PositionalReadOptions options;
    options.withExtension = extended;
    // Read whole before anything changes: a file that stops half way must
    // not leave the record mixed from two sampling dates.
    const std::string path = context.dataFolder + context.sampleName + ".dan";
    const PositionalConditions read = ReadConditionsByPosition(path, options);
    if (DescribedConfiguration()) context.conditions = read.conditions;

    ConditionsSelection out;
    const char sep = Regional().dateSeparator;
    // The working configuration names the file, the line and the date that
    // is no date (a 31st of February typed in an editor).
    auto date = [&](const std::string& text, int line, const char* field) {
        double value = 0;
        if (DescribedConfiguration() || TryParseShortDate(text, sep, CurrentYear(), value))
            return ParseShortDate(text, sep, CurrentYear());
        throw UserError(FileErrorMessage("", "Строка " + std::to_string(line) + ", " + field + ": «" + text +
                                                 "» не дата (день.месяц.год)",
                                         path));
    };
    out.samplingDate = date(read.conditions.samplingDateText, kSamplingDateLine, "дата отбора");
    out.regenerationDate = date(read.conditions.regenerationDateText, kRegenerationDateLine, "дата регенерации");
    context.conditions = read.conditions;
    out.hasExtension = extended;
    out.edits = EditsFromRecord(context.conditions, extended ? &read.extension : nullptr);
    return out;
}

CompositionSelection SelectComposition(ProgramContext& context, const CompositionTextsReader& reader) {
    CompositionSelection out;
    const std::string compositionFile = context.dataFolder + context.sampleName + ".sk";
    if (!FileExists(compositionFile)) {
        out.warningSampleName = context.sampleName;
        out.warningConditionsFile = context.sampleName + ".dan";
        out.warningCompositionFile = context.sampleName + ".sk";
        return out;
    }
    out.found = true;
    out.mainWindowCaption = MainWindowCaption(context);

    if (!reader) throw UserError("Чтение файла состава не подключено");
    const CompositionTexts texts = reader(compositionFile);
    out.editorTexts.assign(texts.values.begin(), texts.values.end());
    out.fractionSampleName = context.sampleName;
    out.fractionTexts.fill("0");
    if (!texts.HasCompleteTail()) return out;

    // The fractional-composition programs read the composition file from the
    // fixed name "sk" of the base folder.
    const std::string sk = context.baseFolder + "\\sk";
    {
        BaseFolderLock lock(context.baseFolder);
        if (FileExists(sk)) DeleteFile(sk);
        CopyFile(compositionFile, sk);
        RememberWorkingFile(sk, ReadFileBytes(sk));
    }
    context.lastSampleName = context.sampleName;
    out.completeTail = true;
    std::copy(texts.tail.begin(), texts.tail.end(), out.fractionTexts.begin());
    return out;
}

DataSelection SelectData(ProgramContext& context, const CompositionTextsReader& reader) {
    DataSelection out;
    out.conditions = SelectConditions(context);
    out.composition = SelectComposition(context, reader);
    return out;
}

DataSelectionOutcome SelectSamplingDate(const DataSelectionRequest& request, DataSelectionQuestions& questions) {
    ProgramContext& context = *request.context;
    DataSelectionOutcome out;
    std::string dataFile = request.dataFile;
    if (dataFile.empty()) {
        std::optional<std::string> chosen = questions.ChooseConditionsFile(context.plantFolder);
        if (!chosen) return out;
        dataFile = *chosen;
    }
    out.conditions = SelectConditions(context, dataFile);
    questions.ConditionsSelected(out.conditions);
    out.composition = SelectComposition(context, request.reader);
    out.end = out.composition.found ? DataSelectionEnd::Selected : DataSelectionEnd::CompositionMissing;
    return out;
}

CompositionTextsReader DefaultCompositionTextsReader() { return ReadCompositionFile; }

bool CurrentDateReady(const ProgramContext& context) {
    if (context.sampleName.empty() || context.dataFolder.empty()) return false;
    const std::string dateFiles = context.dataFolder + context.sampleName;
    return FileExists(dateFiles + ".dan") && FileExists(dateFiles + ".sk");
}

}  // namespace rw
