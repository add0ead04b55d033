#include "runs/deactivation_workflow.h"

#include "common/files.h"
#include "shell/plant_selection.h"

namespace rw {

DeactivationOutcome CalculateDeactivation(const DeactivationRequest& request, DeactivationQuestions& questions) {
    DeactivationOutcome outcome;
    if (request.firstConditionsPath.empty() || request.secondConditionsPath.empty() ||
        request.compositionPath.empty()) {
        return outcome;
    }
    const ProgramContext& c = *request.context;
    SampleRunSetup setup;
    setup.modelBaseFolder = c.modelBaseFolder.empty() ? c.baseFolder : c.modelBaseFolder;
    setup.plantIndex = c.plantIndex;
    setup.runner = request.runner;
    setup.decimalSeparator = request.decimalSeparator;
    // sirkat, Ver.bak and rez of the base folder are a pass's only while its
    // model runs: the windows in between wait for the user, not everyone.
    setup.lockContext = &c;

    questions.SampleStarting(request.firstConditionsPath);
    const ResultsRecord first = RunSample(request.firstConditionsPath, request.compositionPath, setup, questions);
    questions.SampleStarting(request.secondConditionsPath);
    const ResultsRecord second = RunSample(request.secondConditionsPath, request.compositionPath, setup, questions);

    DeactivationOutcome result;
    result.first = first;
    result.second = second;
    result.periodText = DeactivationPeriodText(first, second);
    result.end = DeactivationEnd::SameFeed;
    if (first.processedFeed == second.processedFeed) return result;

    double plantConstant = 0;
    {
        // l90 is the plant's only inside the lock (another instance may have chosen another plant).
        CalculationLock baseFolder(c);
        plantConstant = ReadPlantConstant(JoinPath(c.baseFolder, "l90"));
    }
    const std::optional<double> value = DeactivationValue(SampleOf(first), SampleOf(second), plantConstant);
    result.end = DeactivationEnd::NoFeedBetween;
    if (!value) return result;
    result.end = DeactivationEnd::Worked;
    result.value = *value;
    result.valueText = DeactivationValueText(*value, request.decimalSeparator);
    return result;
}

}  // namespace rw
