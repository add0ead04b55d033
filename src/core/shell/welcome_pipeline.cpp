#include "shell/welcome_pipeline.h"

#include "shell/plant_selection.h"
#include "shell/program_context.h"

namespace rw {

void RunWelcomePipeline(const std::string& baseFolder, const WelcomePipelineOptions& options, std::ostream& log) {
    (void)options;
    ProgramContext& c = Context();
    c.baseFolder = baseFolder;
    c.modelBaseFolder = baseFolder;  // step 1
    SelectPlant(c, kWelcomePlantRow);  // step 4
    c.plantIndex = kWelcomePlantRow;   // step 5
    FinishPlantSelection(c, kWelcomePlantRow);  // step 6
    log << "Plant: " << c.plantCaption << " (" << c.reactorCount << " reactors)\n";
    // Steps 7 to 13 (data selection, data entry, formation) follow here.
    DeleteBakFiles(c.baseFolder);  // step 14
}

}  // namespace rw
