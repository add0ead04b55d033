#include "results/latest_calculation.h"

#include <optional>

namespace rw {
namespace {

std::optional<LatestCalculation>& Latest() {
    static std::optional<LatestCalculation> latest;
    return latest;
}

}  // namespace

void SetLatestCalculation(const ResultsRecord& results, const RunConditions& conditions) {
    Latest() = LatestCalculation{results, conditions};
}

const LatestCalculation* GetLatestCalculation() { return Latest() ? &*Latest() : nullptr; }

void ClearLatestCalculation() { Latest().reset(); }

}  // namespace rw
