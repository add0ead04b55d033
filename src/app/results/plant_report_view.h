#pragma once
#include "results/plant_report.h"

namespace rw {

// The texts the comparison, feed information, recommendations and metal and
// acid activity windows show at this moment, with the plant caption.
PlantReportTexts CurrentPlantReportTexts();

// "Отчет": the 44 lines of the plant report into the report window's text
// (its font stays as it is) and the print preview opened at once; returns
// when the preview is closed.
void ShowPlantReport();

}  // namespace rw
