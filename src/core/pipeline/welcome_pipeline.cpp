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

}  // namespace

std::string StoreStreamList(const ProgramContext& c, int stream, ComponentList& list) {
    if (list.lines.empty()) throw UserError("Проверте правильность ввода данных.");
    list.RemoveZeroLines();
    std::string path = JoinPath(c.samplingFolder, c.entrySampleName + StreamExtension(stream));
    WriteFileAtomic(path, list.FileBytes());
    return path;
}

void RunWelcomePipeline(const std::string& baseFolder, const WelcomePipelineOptions& options, std::ostream& log) {
    ProgramContext& c = Context();
    // Steps 1 to 6: plant row 11 selected and confirmed.
    c.baseFolder = baseFolder;
    c.modelBaseFolder = baseFolder;
    SelectPlant(c, kWelcomePlantRow);
    c.plantIndex = kWelcomePlantRow;
    FinishPlantSelection(c, kWelcomePlantRow);
    log << "Установка: " << TrimRight(c.plantCaption) << ", реакторов: " << c.reactorCount << "\n";

    // Step 7: data selection of 01-09-09.
    DataSelection selected = SelectData(c);
    log << "Выбраны данные: " << ToNative(c.dataFile) << "\n";
    if (!selected.composition.found) {
        log << "Файл с составами сырья и катализата " << selected.composition.warningCompositionFile
            << " не существует.\n";
    }

    // Steps 8 and 9: data entry, the conditions form saved as it was filled.
    const ConditionsEditTexts& edits = selected.conditions.edits;
    DataEntrySave saved =
        SaveDataEntry(c, edits, selected.conditions.samplingDate, selected.conditions.regenerationDate);
    log << "Записан файл технологических условий: " << ToNative(saved.conditionsFile) << "\n";
    c.currentStream = 1;

    // Steps 10 to 13: the feed and catalyzate samples imported and stored;
    // the side cut is skipped for this plant (its list is the catalyzate's,
    // flow 0); then the composition is formed.
    FormationInputs in;
    in.samplingFolder = c.samplingFolder;
    in.sampleName = c.entrySampleName;
    in.baseFolder = c.baseFolder;
    in.fractionTexts = kFractionTexts;
    std::string flowText = edits[kEditFeedFlow];  // the editor's F7 starts with the form's feed flow
    ComponentList list;
    while (c.currentStream <= 3) {
        int stream = c.currentStream;
        if (stream < 3) {
            OpenStarter starter = stream == 1 ? OpenStarter::NextButton : OpenStarter::Other;
            OpenedList opened = OpenComponentList(DefaultReportFile(c.baseFolder, starter), stream);
            if (!opened.sumValid) throw UserError(opened.sumError);
            list.lines = opened.lines;
            log << StreamName(stream) << ": " << ToNative(opened.file) << ", компонентов " << opened.lines.size() << "\n";
        } else if (SkipsSideCut(c.plantIndex)) {
            flowText = "0";
        }
        try {
            StoreStreamList(c, stream, list);
            in.density[static_cast<size_t>(stream - 1)] = TextToNumber(kDensityText);
            in.flow[static_cast<size_t>(stream - 1)] = TextToNumber(flowText);
        } catch (const UserError&) {
            throw UserError("Проверте правильность ввода данных.");
        }
        ++c.currentStream;
    }
    c.currentStream = 1;

    if (!options.ignoreUnknown) {
        auto unknown = FindUnresolvedNames(in);
        if (!unknown.empty()) {
            std::string message = "Компоненты, которых нет в базе данных:";
            for (const auto& u : unknown) message += "\n  " + u.listFile + ": " + TrimRight(u.name);
            throw UserError(message);
        }
    }
    AutomaticResolver resolver(AutomaticResolver::Policy::Ignore);
    FormComposition(in, resolver);
    std::string sk = JoinPath(c.samplingFolder, c.entrySampleName + ".sk");
    log << "Записан файл состава: " << ToNative(sk) << "\n";
    c.dataFolder = c.samplingFolder + "\\";
    c.sampleName = c.entrySampleName;

    // Steps 14 and 15: the exit confirmation's "Да" without showing it.
    DeleteBakFiles(c.baseFolder);
}

}  // namespace rw
