#pragma once
#include <array>
#include <string>
#include <string_view>

#include "results/latest_calculation.h"

namespace rw {

// Indicators of the metal function (temperature drop over the first reactor,
// hydrogen in the circulating gas, dehydrocyclization, hydrogen yield) and
// of the acid function (cracking number, isomerization) of the catalyst.

// From a conditions file: the first number of line 6 (drop over the first
// reactor) and of line 7 (H2 of the gas), read with the number token rule.
struct ActivityConditions {
    double temperatureDrop = 0;
    double hydrogen = 0;
};
// Throw UserError("File not found") / UserError("Invalid numeric input").
ActivityConditions ParseActivityConditions(std::string_view bytes);
ActivityConditions ReadActivityConditions(const std::string& conditionsPath);

// From a results file: line 69 columns 58-62 (dehydrocyclization), the
// number after column 45 of line 32 (hydrogen yield), the number after
// column 59 of line 9 (cracking number), and 100 times the distance of the
// n/i ratios of line 69 (columns 28-31 and 34-37), never negative.
struct ActivityResults {
    double dehydrocyclization = 0;
    double hydrogenYield = 0;
    double crackingNumber = 0;
    double isomerization = 0;
};
// Throw UserError("File not found"), UserError("Invalid numeric input") for a
// number after a column, and the conversion error of TextToNumber ("'%s' is
// not a valid floating point value") for a column field that is no number.
ActivityResults ParseActivityResults(std::string_view bytes);
ActivityResults ReadActivityResults(const std::string& resultsPath);

// The research case: the latest calculation of this program run.
ActivityConditions ActivityConditionsOf(const LatestCalculation& latest);
ActivityResults ActivityResultsOf(const LatestCalculation& latest);

// Texts of the window: temperature drop and cracking number fixed with
// precision 3 and 1 decimal, the others precision 4 and 2 decimals.
std::array<std::string, 2> ActivityConditionsTexts(const ActivityConditions& values, char decimalSeparator);
// Dehydrocyclization, hydrogen yield, cracking number, isomerization.
std::array<std::string, 4> ActivityResultsTexts(const ActivityResults& values, char decimalSeparator);

// The compared case of a chosen conditions file: its name without folder
// and without the extension, and the results file of that name beside it.
std::string ComparedCaseName(std::string_view conditionsPath);
std::string ComparedResultsPath(std::string_view conditionsPath);

}  // namespace rw
