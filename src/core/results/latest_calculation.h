#pragma once
#include "shell/conditions_record.h"
#include "results/results_file.h"

namespace rw {

// The latest reforming calculation of this program run: its results and the
// run conditions it was made with. The metal and acid activity window shows
// it as its research case. Nothing is kept between program runs.
struct LatestCalculation {
    ResultsRecord results;
    RunConditions conditions{};
};

// Called by the reforming calculation after every successful run.
void SetLatestCalculation(const ResultsRecord& results, const RunConditions& conditions);
// Null before the first calculation of the program run.
const LatestCalculation* GetLatestCalculation();
// Forgets the latest calculation (a fresh start, as in tests).
void ClearLatestCalculation();

}  // namespace rw
