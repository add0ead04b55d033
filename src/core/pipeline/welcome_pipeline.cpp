#include "pipeline/welcome_pipeline.h"

#include "common/errors.h"
#include "common/files.h"
#include "composition/component_list.h"
#include "composition/component_resolution.h"
#include "composition/formation.h"
#include "composition/report_import.h"
#include "composition/streams.h"
#include "conditions/conditions_save.h"
#include "conditions/data_selection.h"
#include "shell/plant_selection.h"
#include "shell/plant_table.h"
#include "shell/program_context.h"
#include "common/text_helpers.h"

namespace rw {
namespace {

// The component list editor's fields as the user leaves them untouched.
constexpr const char* kDensityText = "0.7300";
const std::array<std::string, 5> kFractionTexts{" 86", " 96", "113", "152", "175"};

std::string TrimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// The file a stream's list is imported from: the one named, else the
// sample file of the editor's "Открыть" on the sample date, else the list
// file of the sampling folder.
std::string StreamSource(const ProgramContext& c, const SampleChainRequest& request, int stream, bool sampleDate) {
    const std::string& named = request.streamFiles[static_cast<size_t>(stream - 1)];
    if (!named.empty()) return named;
    if (sampleDate && stream < 3)
        return DefaultReportFile(c.baseFolder, stream == 1 ? OpenStarter::NextButton : OpenStarter::Other);
    const std::string list = JoinPath(c.samplingFolder, c.entrySampleName + StreamExtension(stream));
    if (!FileExists(list)) {
        static const char* const kOption[] = {"--feed", "--catalyzate", "--side-cut"};
        throw UserError("Нет файла " + ToNative(list) + " (" + StreamName(stream) + "): отчет или список указывается в " +
                        kOption[stream - 1] + ".");
    }
    return list;
}

}  // namespace

std::string StoreStreamList(const ProgramContext& c, int stream, ComponentList& list) {
    if (list.lines.empty()) throw UserError("Проверте правильность ввода данных.");
    list.RemoveZeroLines();
    std::string path = JoinPath(c.samplingFolder, c.entrySampleName + StreamExtension(stream));
    WriteFileAtomic(path, list.FileBytes());
    return path;
}

SampleChainOutcome PrepareSampleDate(const SampleChainRequest& request, SampleChainQuestions& questions) {
    ProgramContext& c = *request.context;
    SampleChainOutcome out;
    // Steps 1 to 6: the plant selected and confirmed.
    c.baseFolder = request.baseFolder;
    c.modelBaseFolder = request.baseFolder;
    const int row = request.plantRow;
    if (row < 0 || row >= kPlantCount) throw UserError("Нет установки с номером строки " + std::to_string(row) + ".");
    SelectPlant(c, row);
    c.plantIndex = row;
    FinishPlantSelection(c, row);
    questions.Progress("Установка: " + TrimRight(c.plantCaption) + ", реакторов: " + std::to_string(c.reactorCount));
    questions.PlantSelected(row);

    // Step 7: data selection of the sampling date (the sample's own file for
    // the sample date of row 11, as the windows take it).
    const bool sampleDate = row == kWelcomePlantRow && request.sample == kWelcomeSample;
    DataSelectionRequest selection;
    selection.context = &c;
    selection.dataFile = sampleDate ? SelectedDataFile(c.baseFolder)
                                    : JoinPath(JoinPath(c.plantFolder, request.sample), request.sample + ".dan");
    out.selection = SelectSamplingDate(selection, questions);
    const ConditionsSelection& conditions = out.selection.conditions;
    questions.Progress("Выбраны данные: " + ToNative(c.dataFile));
    if (!out.selection.composition.found) {
        questions.Progress("Файл с составами сырья и катализата " + out.selection.composition.warningCompositionFile +
                           " не существует.");
    }
    questions.DataSelected(out.selection);

    // Steps 8 and 9: data entry, the conditions saved as they were selected,
    // through the save's own checks and questions.
    ConditionsSaveRequest save;
    save.context = &c;
    save.values = {conditions.edits, conditions.samplingDate, conditions.regenerationDate};
    const ConditionsSaveOutcome saved = SaveConditions(save, questions);
    if (saved.end == ConditionsSaveEnd::Refused) throw UserError(RefusalMessage(saved));
    if (saved.end != ConditionsSaveEnd::Stored) {
        out.end = SampleChainEnd::SaveDeclined;
        return out;
    }
    out.conditionsFile = saved.file;
    questions.Progress("Записан файл технологических условий: " + ToNative(saved.file));
    c.currentStream = 1;
    const std::string& feedFlowText = conditions.edits[kEditFeedFlow];
    questions.DataEntryStarted(feedFlowText);

    // Steps 10 to 13: the feed and catalyzate samples imported and stored;
    // the side cut is skipped for plants without one (its list is the
    // catalyzate's, flow 0); then the composition is formed.
    FormationInputs in;
    in.samplingFolder = c.samplingFolder;
    in.sampleName = c.entrySampleName;
    in.baseFolder = c.baseFolder;
    in.fractionTexts = kFractionTexts;
    std::string flowText = feedFlowText;  // the editor's F7 starts with the form's feed flow
    ComponentList list;
    while (c.currentStream <= 3) {
        int stream = c.currentStream;
        if (stream < 3 || !SkipsSideCut(c.plantIndex)) {
            OpenedList opened = OpenComponentList(StreamSource(c, request, stream, sampleDate), stream);
            if (!opened.sumValid) throw UserError(opened.sumError);
            list.lines = opened.lines;
            questions.Progress(std::string(StreamName(stream)) + ": " + ToNative(opened.file) + ", компонентов " +
                               std::to_string(opened.lines.size()));
        } else {
            flowText = "0";
        }
        try {
            out.streamLists[static_cast<size_t>(stream - 1)] = StoreStreamList(c, stream, list);
            in.density[static_cast<size_t>(stream - 1)] = TextToNumber(kDensityText);
            in.flow[static_cast<size_t>(stream - 1)] = TextToNumber(flowText);
        } catch (const UserError&) {
            throw UserError("Проверте правильность ввода данных.");
        }
        ++c.currentStream;
    }
    c.currentStream = 1;

    ComponentResolver* resolver = questions.Resolver();
    if (!resolver) {
        auto unknown = FindUnresolvedNames(in);
        if (!unknown.empty()) {
            std::string message = "Компоненты, которых нет в базе данных:";
            for (const auto& u : unknown) message += "\n  " + u.listFile + ": " + TrimRight(u.name);
            throw UserError(message);
        }
    }
    AutomaticResolver none(AutomaticResolver::Policy::Ignore);
    FormComposition(in, resolver ? *resolver : none);
    out.compositionFile = JoinPath(c.samplingFolder, c.entrySampleName + ".sk");
    questions.Progress("Записан файл состава: " + ToNative(out.compositionFile));
    c.dataFolder = c.samplingFolder + "\\";
    c.sampleName = c.entrySampleName;

    // Steps 14 and 15: the exit confirmation's "Да" without showing it.
    if (request.deleteBakFiles) DeleteBakFiles(c.baseFolder);
    return out;
}

}  // namespace rw
