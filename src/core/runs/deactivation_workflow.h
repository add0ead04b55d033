#pragma once
#include <optional>
#include <string>

#include "results/deactivation.h"
#include "results/results_file.h"
#include "runs/sample_run.h"
#include "shell/program_context.h"

namespace rw {

// The deactivation calculation ("Расчет"): two conditions files of a plant
// are run through the model with one composition file (each an interactive
// sample run), and the loss of catalyst activity per feed processed between
// the two dates is worked out with the plant's constant from base\l90. The
// deactivation window answers the sample runs' questions and shows the
// outcome; storing the value in the history stays the user's next step.

// The questions of the calculation: those of each sample run, and which
// sample is about to run (the window reads lines of that file the record
// does not hold, such as plant row 11's fifth column).
class DeactivationQuestions : public SampleRunDialogs {
public:
    virtual void SampleStarting(const std::string& conditionsPath) { (void)conditionsPath; }
};

struct DeactivationRequest {
    // The two chosen conditions files and the composition file beside the
    // first; an empty one means the choice is not complete.
    std::string firstConditionsPath;
    std::string secondConditionsPath;
    std::string compositionPath;
    // Plant, base folders (model, l90) and the base folder's lock.
    const ProgramContext* context = nullptr;
    // Null: the model program with the limits of the configuration.
    ModelRunner* runner = nullptr;
    char decimalSeparator = '.';
};

enum class DeactivationEnd {
    NotChosen,      // fewer than two conditions files or no composition file: nothing run
    SameFeed,       // both samples processed the same feed: the period only
    NoFeedBetween,  // days apart without a feed rate: the period only
    Worked,         // the period and the value
};

struct DeactivationOutcome {
    DeactivationEnd end = DeactivationEnd::NotChosen;
    // Set from SameFeed on: the results of the last pass of each sample.
    ResultsRecord first;
    ResultsRecord second;
    std::string periodText;  // "Период с <earlier> по <later>"
    // Worked only.
    double value = 0;
    std::string valueText;  // "Дезактивация = ..."
};

// Runs both samples (RunSample, first then second) and works the value out.
// The plant constant is read only when the samples processed different
// feeds, under the base folder's lock. Throws what RunSample throws (files
// that cannot be read or written, a model that fails or is stopped by the
// user) and UserError("File not found") / ("Invalid numeric input") for
// base\l90; nothing of the outcome is returned then.
DeactivationOutcome CalculateDeactivation(const DeactivationRequest& request, DeactivationQuestions& questions);

}  // namespace rw
