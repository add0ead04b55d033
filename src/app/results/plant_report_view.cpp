#include "results/plant_report_view.h"

#include "common/regional.h"
#include "results/activity_window.h"
#include "results/comparison_window.h"
#include "results/latest_calculation.h"
#include "results/report_window.h"
#include "runs/advice_window.h"
#include "runs/feed_info_window.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"

namespace rw {

PlantReportData CurrentPlantReportData() {
    PlantReportData d;
    d.plantCaption = Context().plantCaption;
    d.latest = W().form12->LatestShown();
    d.compared = W().form12->ComparedShown();
    d.currentFeed = W().form30->CurrentFeed();
    d.comparedFeed = W().form30->ComparedFeed();
    d.dosingText = W().advice->DosingShown();
    // The research case follows the latest calculation even when the
    // activity window has not been opened since.
    if (const LatestCalculation* latest = GetLatestCalculation()) d.research = *latest;
    d.comparedConditions = W().m_A->ComparedConditions();
    d.comparedResults = W().m_A->ComparedResults();
    return d;
}

void ShowPlantReport() {
    const std::vector<std::string> lines = BuildPlantReport(CurrentPlantReportData(), Regional().decimalSeparator);
    TFRep* rep = W().fRep;
    rep->Rep.Lines.clear();
    for (const std::string& line : lines) rep->Rep.Lines << QString::fromStdString(line);
    rep->Preview();
}

}  // namespace rw
