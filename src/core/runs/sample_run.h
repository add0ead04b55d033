#pragma once
#include <array>
#include <string>

#include "conditions/conditions_edits.h"
#include "shell/conditions_record.h"
#include "results/results_file.h"
#include "runs/conditions_review.h"
#include "shell/program_context.h"

namespace rw {

class ModelRunner;

// One interactive model run of one sample for the deactivation calculation:
// the conditions file is reviewed on the conditions form, written as Ver.bak
// beside the model, the model is run, its raw results are shown, and the
// calibration dialog lets the user change the dosing and the activity and run
// again, until the user ends it. The working configuration gives each model
// run the reforming run's time limit and lets the user stop it; the
// described one waits as long as the model takes.

// The model input of a sample run: the file name in the model base folder.
inline constexpr const char* kSampleRunInput = "Ver.bak";

// Step 2: the conditions file read by position, the regeneration date text
// kept as it is even when empty, no extension line. Throws UserError("File
// not found") or UserError("Invalid numeric input").
ConditionsRecord ReadSampleConditions(const std::string& conditionsPath);

// The texts the conditions form shows for the review: Edit1 (feed flow) in
// Fixed(4,1), Edit2 to Edit26 in Fixed(6,2) (the gas composition too). The
// other entries stay empty: the form keeps what it has there.
ConditionsEditTexts SampleReviewTexts(const ConditionsRecord& conditions);

// What the conditions form gives back on every pass: its texts and the
// dates of its two date pickers.
using SampleReview = ConditionsReview;

// The conditions of a pass: the form's values (gas composition with
// TextToNumber, everything else with the plain conversion, which takes the
// number the text starts with and never complains), the dates written
// dd.mm.yy, and the dosing and activity this run holds. Throws the
// conversion error of a gas-composition text that is not a number.
ConditionsRecord SampleConditionsFromReview(const SampleReview& review, const std::array<double, 3>& dosing,
                                           double activity);

// Ver.bak: the value counts of the form layout with the labels and label
// indents of the run layout, code page 866, CR LF.
std::string FormatSampleRunInput(const ConditionsRecord& conditions);

// What the calibration dialog shows after a pass: the aromatics and the
// chlorine on catalyst (fixed notation, precision 5, 3 decimals, regional
// separator) and, for editing, the dosing and activity of Ver.bak as the
// model left it, in Fixed(7,3).
struct CalibrationView {
    std::string experimentalAromatics;  // Label9
    std::string calculatedAromatics;    // Label10
    std::array<std::string, 3> chlorine;  // Label14..Label16: Р-202, Р-203, Р-204
    std::array<std::string, 4> edits;     // Edit1..Edit3 dosing, Edit4 activity
};
CalibrationView MakeCalibrationView(const ResultsRecord& results, const std::array<double, 3>& dosing,
                                    double activity, char decimalSeparator);

// Dosing and activity of lines 1 and 2 of a Ver.bak (the number token rule;
// the rest of the file is not looked at). Throws UserError("File not
// found") or UserError("Invalid numeric input").
void ReadSampleRunDosing(const std::string& verBakPath, std::array<double, 3>& dosing, double& activity);

// The windows a sample run talks to. The deactivation window implements it
// with the conditions form, the main window's progress bar, the report
// window and the calibration dialog; tests script it.
class SampleRunDialogs {
public:
    virtual ~SampleRunDialogs() = default;
    // Shows the conditions form with these texts and dates for review; the
    // run goes on however it is closed.
    virtual void Review(const ConditionsEditTexts& texts, double samplingDate, double regenerationDate) = 0;
    // The form's texts and dates as they are now.
    virtual SampleReview ReadReview() = 0;
    // Progress of a pass: 20 (the bar and the wait text appear), 40, 60,
    // 80, 85, 95, 100; then EndProgress clears the text and hides the bar.
    virtual void Progress(int position) = 0;
    virtual void EndProgress() = 0;
    // Working configuration: the model runs between BeginModelRun and
    // EndModelRun (also called when the run fails); meanwhile KeepWaiting is
    // called every few tens of milliseconds, and false stops the model as a
    // run cancelled by the user.
    virtual void BeginModelRun() {}
    virtual bool KeepWaiting() { return true; }
    virtual void EndModelRun() {}
    // The model's raw results file (its bytes, code page 866), shown until
    // the user closes it.
    virtual void ShowRawResults(const std::string& rezBytes) = 0;
    // The calibration dialog; `edits` holds the four texts shown on entry
    // and the texts as the user left them on return. True for
    // "Продолжить расчет".
    virtual bool Calibrate(const CalibrationView& view, std::array<std::string, 4>& edits) = 0;
};

struct SampleRunSetup {
    std::string modelBaseFolder;  // where sirkat, Ver.bak and rez live and the model runs
    int plantIndex = 0;           // chooses the model variant and the padding of rez
    // Null: the model program, with the limits of the reforming run in the
    // working configuration (kModelTimeLimitMs, the installation's emulator
    // limit) and without a limit in the described one.
    ModelRunner* runner = nullptr;
    char decimalSeparator = '.';  // of the calibration dialog's labels
    // When set, each pass takes the base folder's lock (CalculationLock) only
    // while it writes sirkat and Ver.bak, runs the model and reads what the
    // model left: other engineers' calculations need not wait while the
    // user looks at the results and calibrates.
    const ProgramContext* lockContext = nullptr;
};

// RunSample: one sample from its conditions file and the composition file.
// Returns the results of the last pass. Throws UserError when a file cannot
// be read or written (conditions file, composition file, Ver.bak), and
// UserError(FailedRunMessage, naming the program and the sample's date) when
// the model crashes, runs past its limit, is stopped by the user, writes no
// rez or one that cannot be read; the dialogs' EndProgress has then been
// called if the progress was shown, and the base folder's lock is free.
ResultsRecord RunSample(const std::string& conditionsPath, const std::string& compositionPath,
                        const SampleRunSetup& setup, SampleRunDialogs& dialogs);

}  // namespace rw
