#pragma once
#include <array>
#include <optional>
#include <string>

#include "conditions/conditions_save.h"
#include "conditions/data_selection.h"

namespace rw {

struct ProgramContext;
class ComponentList;
class ComponentResolver;

// Row of the plant table the sample chain selects, and its sampling date.
constexpr int kWelcomePlantRow = 11;
constexpr const char* kWelcomeSample = "01-09-09";

// The sample chain: one sampling date of one plant prepared from end to end
// (plant selection, data selection, the data-entry save, the stream lists
// imported and stored, the composition file formed). The welcome window's
// chain and reformer-cli pipeline both run it; the window answers the
// questions by showing each step's outcome, the command line from its
// arguments.

// What the chain asks and tells. The data selection's file is never asked
// for: the chain names it. The save's doubts are put through
// ConditionsSaveQuestions::SaveDespite.
class SampleChainQuestions : public DataSelectionQuestions, public ConditionsSaveQuestions {
public:
    std::optional<std::string> ChooseConditionsFile(const std::string&) override { return std::nullopt; }
    void ConditionsSelected(const ConditionsSelection&) override {}
    // A line saying what a step did (plant, files read and written).
    virtual void Progress(const std::string& line) = 0;
    // The plant of `row` is selected and confirmed.
    virtual void PlantSelected(int row) { (void)row; }
    // The date's data are selected; the data entry of its conditions follows.
    virtual void DataSelected(const DataSelectionOutcome& selection) { (void)selection; }
    // The conditions are saved; the stream lists follow, the feed first,
    // with the feed flow of the conditions.
    virtual void DataEntryStarted(const std::string& feedFlowText) { (void)feedFlowText; }
    // Who places components the database does not know. Null: such names
    // stop the chain before the composition is formed, all of them listed.
    virtual ComponentResolver* Resolver() = 0;
};

struct SampleChainRequest {
    ProgramContext* context = nullptr;
    // The base folder; the models run in it too.
    std::string baseFolder;
    // The plant (row of the plant table, 0-16) and the sampling date
    // (dd-mm-yy, the name of its folder and files below the plant folder).
    int plantRow = kWelcomePlantRow;
    std::string sample = kWelcomeSample;
    // Reports or component lists of the streams (feed, catalyzate, side cut)
    // in the program's notation; empty: the stream's list file of the
    // sampling folder (sample + ".SIR", ".KAT", ".BOK"); for the sample date
    // of row 11 the sample files of the editor's "Открыть".
    std::array<std::string, 3> streamFiles;
    // Delete the *.bak files of the base folder at the end, as the exit
    // confirmation's "Да" does.
    bool deleteBakFiles = true;
};

enum class SampleChainEnd {
    Prepared,      // every file of the date written
    SaveDeclined,  // "Нет" to a doubt about the conditions: nothing written after the selection
};

struct SampleChainOutcome {
    SampleChainEnd end = SampleChainEnd::Prepared;
    DataSelectionOutcome selection;
    // Prepared only.
    std::string conditionsFile;             // the data-entry save's .dan
    std::array<std::string, 3> streamLists;  // .SIR, .KAT, .BOK written
    std::string compositionFile;            // the .sk formed
};

// The chain on the program context. Throws UserError with the message of the
// step that failed, which ends it there: a plant row outside the table, the
// plant's files, the data selection's failures, the conditions refused by
// the save's checks (RefusalMessage), a stream list that cannot be opened or
// whose values are no numbers, a missing list file ("--feed" and the like
// named), unknown components without a resolver (listed), the formation's
// and the file system's failures.
SampleChainOutcome PrepareSampleDate(const SampleChainRequest& request, SampleChainQuestions& questions);

// "Далее" of the component list editor for one stream, up to the file: an
// empty list is refused ("Проверте правильность ввода данных."), zero lines
// are removed and the list is written to sampling folder + "" + entry's
// sample name + the stream's extension. Returns the file written.
std::string StoreStreamList(const ProgramContext& context, int stream, ComponentList& list);

}  // namespace rw
