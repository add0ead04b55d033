// Main-menu handlers of the results, graphs and information windows. Each may
// throw UserError (the menu shows the message).
#include "shell/main_window.h"

#include "results/cycle_outlook_window.h"
#include "results/deactivation_window.h"
#include "results/fleet_window.h"
#include "results/graph_window.h"
#include "results/help_window.h"
#include "results/plant_report_view.h"
#include "results/report_window.h"
#include "results/results_folder_window.h"
#include "results/summary_table_window.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"

namespace rw {

void TForm5::N1Click() { ShowHelpText(); }
void TForm5::N19Click() { ShowDeactivationCalculation(); }
void TForm5::N15Click() { ViewLatestResults(); }
void TForm5::N17Click() { ChooseAndViewResults(); }
void TForm5::N18Click() { W().svod->ShowPlantHistory(); }
void TForm5::N30Click() { ShowPlantReport(); }
void TForm5::N26Click() {
    if (W().treeF->Choose()) OnResultsFolderChosen();
}
void TForm5::N27Click() { W().svod->ShowFolderIndex(); }
void TForm5::N28Click() { W().graph->ShowFolderIndex(); }
void TForm5::N20Click() { W().graph->ShowPlantHistory(); }
void TForm5::N31Click() { ShowPlantDeactivationGraph(); }
void TForm5::PrognozClick() {
    TCycleOutlook window(this);
    window.ShowPlant(Context().plantIndex);
}
void TForm5::AllPlantsClick() {
    TFleet window(this);
    window.ShowFleet();
}

}  // namespace rw
