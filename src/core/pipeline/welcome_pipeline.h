#pragma once
#include <ostream>
#include <string>

namespace rw {

struct WelcomePipelineOptions {
    // Unresolved component names: fail (list them, write nothing) or answer "No".
    bool ignoreUnknown = false;
};

// The welcome pipeline without windows, on the program context: plant row 11
// selected, its data of 01-09-09 selected and prepared, the composition file
// written, the *.bak files of the base folder deleted. Progress lines go to
// `log`. Throws UserError with the message of the step that failed.
void RunWelcomePipeline(const std::string& baseFolder, const WelcomePipelineOptions& options, std::ostream& log);

struct ProgramContext;
class ComponentList;

// "Далее" of the component list editor for one stream, up to the file: an
// empty list is refused ("Проверте правильность ввода данных."), zero lines
// are removed and the list is written to sampling folder + "" + entry's
// sample name + the stream's extension. Returns the file written.
std::string StoreStreamList(const ProgramContext& context, int stream, ComponentList& list);

// Row of the plant table the welcome pipeline selects, and its sampling date.
constexpr int kWelcomePlantRow = 11;
constexpr const char* kWelcomeSample = "01-09-09";

}  // namespace rw
