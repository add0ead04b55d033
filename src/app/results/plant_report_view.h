#pragma once
#include "results/plant_report.h"

namespace rw {

// What the result viewers hold at this moment (the comparison, the feed
// information, the recommendations and the metal and acid activity), the
// latest calculation and the plant caption.
PlantReportData CurrentPlantReportData();

// "Отчет": the 44 lines of the plant report into the report window's text
// (its font stays as it is) and the print preview opened at once; returns
// when the preview is closed.
void ShowPlantReport();

}  // namespace rw
