#include "conditions/conditions_save.h"

#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "conditions/conditions_checks.h"
#include "conditions/conditions_file.h"
#include "common/text_helpers.h"

#include <algorithm>

namespace rw {
namespace {

constexpr int kExtendedPlantRow = 11;

void RefreshRecord(ConditionsRecord& r, const ConditionsEditTexts& edits, double samplingDate, double regenerationDate) {
    r.samplingDateText = FormatDateShort(samplingDate);
    r.regenerationDateText = FormatDateShort(regenerationDate);
    RecordFromEdits(edits, r);
}

// The regional conversion with "." as decimal separator (what the data-entry
// save sets before converting the fifth-column texts).
double ConvertWithPoint(const std::string& text) {
    double v = 0;
    if (!ParseStrictNumber(text, v, '.')) throw UserError("'" + text + "' is not a valid floating point value");
    return v;
}

}  // namespace

std::string SaveConditionsAs(ProgramContext& context, std::string_view chosenPath, const ConditionsEditTexts& edits,
                             double samplingDate, double regenerationDate) {
    const SavePath parts = SplitSavePath(chosenPath);
    const std::string file = parts.folder + "\\" + parts.name + ".dan";
    RefreshRecord(context.conditions, edits, samplingDate, regenerationDate);
    FormLayoutOptions options;
    if (context.plantIndex == kExtendedPlantRow && WorkingConfiguration()) {
        // Converted before anything is written, so a bad text leaves the file as it was.
        options.extension = RowExtension{ConvertWithPoint(edits[kEditExtension]),
                                         ConvertWithPoint(edits[kEditExtension + 1]),
                                         ConvertWithPoint(edits[kEditExtension + 2])};
    }
    WriteFormLayout(file, context.conditions, options);
    return file;
}

DataEntrySave SaveDataEntry(ProgramContext& context, const ConditionsEditTexts& edits, double samplingDate,
                            double regenerationDate) {
    ConditionsRecord& r = context.conditions;
    DataEntrySave out;
    out.sampleName = FormatDateShort(samplingDate);
    std::replace(out.sampleName.begin(), out.sampleName.end(), '.', '-');
    out.samplingFolder = context.plantFolder + "\\" + out.sampleName;
    out.conditionsFile = out.samplingFolder + "\\" + out.sampleName + ".dan";
    context.entrySampleName = out.sampleName;
    context.samplingFolder = out.samplingFolder;
    try {
        CreateFolders(out.samplingFolder);
    } catch (const UserError&) {
        // Usually the folder exists already; a real failure shows up at the write.
    }

    RefreshRecord(r, edits, samplingDate, regenerationDate);
    if (context.plantIndex != kExtendedPlantRow) {
        WriteFormLayout(out.conditionsFile, r);
        return out;
    }

    // Row 11: the fifth column goes to lines 14 and 15. Its texts are converted
    // before anything is written: on a bad text the user is told which one,
    // and the conditions file of the date stays as it was (a file cut after
    // line 13 would lose the fifth column saved before).
    Regional().decimalSeparator = '.';
    RowExtension extension{};
    extension[2] = ConvertWithPoint(edits[kEditExtension + 2]);
    extension[1] = ConvertWithPoint(edits[kEditExtension + 1]);
    extension[0] = ConvertWithPoint(edits[kEditExtension]);
    FormLayoutOptions options;
    options.extension = extension;
    WriteFormLayout(out.conditionsFile, r, options);
    SeparatorAfterSave();
    return out;
}

std::string RefusalMessage(const ConditionsSaveOutcome& outcome) {
    std::string text = kNotSavedHeadline;
    for (const std::string& r : outcome.refusals) text += "\n" + r;
    return text;
}

ConditionsSaveOutcome SaveConditions(const ConditionsSaveRequest& request, ConditionsSaveQuestions& questions) {
    ProgramContext& context = *request.context;
    const ConditionsEntry& v = request.values;
    ConditionsSaveOutcome out;
    const bool working = WorkingConfiguration();
    if (working) {
        const ConditionsCheck check = CheckConditionsEdits(v.texts, context.plantIndex == kExtendedPlantRow,
                                                           v.samplingDate, v.regenerationDate);
        if (!check.refusals.empty()) {
            out.refusals = check.refusals;
            out.firstRefusedEdit = check.firstRefusedEdit;
            return out;
        }
        if (!check.question.empty() && !questions.SaveDespite(check.question)) {
            out.end = ConditionsSaveEnd::Declined;
            return out;
        }
    }
    // The value saved is the value shown: "64,5" is 64.5, not 64.
    const ConditionsEditTexts texts = working ? WithPointDecimals(v.texts) : v.texts;
    if (request.kind == ConditionsSaveKind::ChosenFile) {
        const std::optional<std::string> chosen = questions.ChooseFile();
        if (!chosen) {
            out.end = ConditionsSaveEnd::NoFileChosen;
            return out;
        }
        out.file = SaveConditionsAs(context, *chosen, texts, v.samplingDate, v.regenerationDate);
    } else {
        out.entry = SaveDataEntry(context, texts, v.samplingDate, v.regenerationDate);
        out.file = out.entry.conditionsFile;
    }
    out.end = ConditionsSaveEnd::Stored;
    return out;
}

}  // namespace rw
