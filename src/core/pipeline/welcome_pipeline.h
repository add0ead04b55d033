#pragma once
#include <array>
#include <ostream>
#include <string>

namespace rw {

// Row of the plant table the welcome pipeline selects, and its sampling date.
constexpr int kWelcomePlantRow = 11;
constexpr const char* kWelcomeSample = "01-09-09";

struct WelcomePipelineOptions {
    // Unresolved component names: fail (list them, write nothing) or answer "No".
    bool ignoreUnknown = false;
    // The plant (row of the plant table, 0-16) and the sampling date
    // (dd-mm-yy, the name of its folder and files below the plant folder).
    int plantRow = kWelcomePlantRow;
    std::string sample = kWelcomeSample;
    // Reports or component lists of the streams (feed, catalyzate, side cut)
    // in the program's notation; empty: the stream's list file of the
    // sampling folder (sample + ".SIR", ".KAT", ".BOK"); for the sample date
    // of row 11 the sample files of the editor's "Открыть".
    std::array<std::string, 3> streamFiles;
};

// The welcome pipeline without windows, on the program context: the plant
// selected (row 11 by default), the conditions file of its sampling date
// (01-09-09 by default) selected and rewritten by the data-entry save, the
// stream lists imported, the composition file written, the *.bak files of
// the base folder deleted. Progress lines go to
// `log`. Throws UserError with the message of the step that failed.
void RunWelcomePipeline(const std::string& baseFolder, const WelcomePipelineOptions& options, std::ostream& log);

struct ProgramContext;
class ComponentList;

// "Далее" of the component list editor for one stream, up to the file: an
// empty list is refused ("Проверте правильность ввода данных."), zero lines
// are removed and the list is written to sampling folder + "" + entry's
// sample name + the stream's extension. Returns the file written.
std::string StoreStreamList(const ProgramContext& context, int stream, ComponentList& list);

}  // namespace rw
