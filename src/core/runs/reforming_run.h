#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "shell/conditions_record.h"
#include "results/results_file.h"
#include "runs/run_object.h"
#include "shell/program_context.h"

namespace rw {

// The run conditions as the conditions form gives them back when the user
// confirms the review of a reforming run without changing anything: the
// fields the form shows are written in its text formats (feed flow with one
// decimal in 4 characters, everything else with two decimals in 6,
// including the gas composition) and read back, the gas composition with
// TextToNumber and the rest with the plain conversion. Only the first three
// reactors are on the form; the other reactor slots and the dates keep their
// values.
void PassThroughReviewForm(RunConditions& record);

// The summary of a reforming run, one text per line (the window joins them
// with a carriage return): processed feed as the run conditions hold it,
// activity, reformate yield, calculated and experimental aromatics and, except
// for plant index 8, the motor and research octane numbers. Numbers in the
// general format with 15 significant digits and the regional decimal
// separator.
// Pieces of the summary a calculation and a study share: "На текущую дату
// <date> переработано <tonnes> тонн сырья.", the activity's unit after its
// value, the motor method's mark after its octane number.
std::string ProcessedFeedLine(const std::string& sampleName, const std::string& tonnes);
std::string ActivityUnitsText();
std::string MotorMethodText();

std::vector<std::string> ReformingSummaryLines(const std::string& sampleName, double processedFeed,
                                               const ResultsRecord& results, int plantIndex);
std::string JoinLines(const std::vector<std::string>& lines, std::string_view separator);

// The results index of the selected plant: base folder + "\svod." + plant number.
std::string PlantResultsIndexPath(const ProgramContext& context);

// Sets the run object up for the reforming run of one sampling date, named by
// its conditions file: .rez and .sk beside it, mode 0, write-back on, the
// padded results for plant index 8, the plant's model variant in the model
// base folder (the base folder when no model base folder is recorded yet).
void SetUpReformingRun(TRavionObj& object, const ProgramContext& context, const std::string& conditionsPath);

// The path with its extension (from the last '.' after the last separator)
// replaced; a path without extension gets it appended.
std::string WithExtension(const std::string& path, std::string_view extension);

}  // namespace rw
