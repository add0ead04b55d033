#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "results/activity.h"
#include "results/latest_calculation.h"
#include "results/results_file.h"

namespace rw {

// The plant report sets side by side what the result viewers hold at the
// moment it is built: the latest calculation beside the results file it was
// compared with, the feed's fractional composition beside a compared one,
// the recommended dosing, and the metal and acid activity of the latest
// calculation beside a compared case. It computes nothing of its own.

// A results record with the name the comparison shows for it.
struct NamedResults {
    std::string name;  // the sample name, or the first 8 characters of the file's name
    ResultsRecord record;
};

struct PlantReportData {
    std::string plantCaption;  // as the program context holds it
    // The comparison of results: none until a calculation (or a study) and
    // until a results file is chosen to compare with.
    std::optional<NamedResults> latest;
    std::optional<NamedResults> compared;
    // The fractional composition (НК, 10 %, 50 %, 90 %, КК, density) of the
    // current sampling date and of the compared composition file, as written;
    // empty texts before one is known.
    std::array<std::string, 6> currentFeed;
    std::array<std::string, 6> comparedFeed;
    // The recommended dosing as last worked out for the recommendations
    // (DosingText, lines separated by CR); empty before, or when it could not
    // be worked out.
    std::string dosingText;
    // The research case of the activity: the latest calculation of the
    // program run; the compared case: a chosen conditions file and, when it
    // had one, the results file beside it. A comparison whose results file
    // is missing keeps the results of the one before.
    std::optional<LatestCalculation> research;
    std::optional<ActivityConditions> comparedConditions;
    std::optional<ActivityResults> comparedResults;
};

constexpr int kPlantReportLines = 44;

// The 44 lines of the plant report (UTF-8), the values in the notations of
// the viewers (ComparisonTexts, ActivityConditionsTexts, ActivityResultsTexts)
// with this decimal separator. The captions of the value lines are 32
// characters wide so that the values start in column 33; an empty line holds
// one blank. What is not known yet is empty in the working configuration;
// the described one prints the viewers' design captions there ("Label15",
// "Mb1", and "0" for a compared activity), as its windows show them.
std::vector<std::string> BuildPlantReport(const PlantReportData& data, char decimalSeparator);

}  // namespace rw
