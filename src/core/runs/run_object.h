#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "results/results_file.h"
#include "runs/external_program.h"
#include "runs/run_settings.h"
#include "shell/program_context.h"

namespace rw {

// A native model is given this long before it is terminated (a model started
// through an emulator gets the installation's emulator limit); a terminated
// run is a failed one.
constexpr int kModelTimeLimitMs = 2000;
// A fitting that has not met its tolerances after this many model runs is
// given up: the bisection can no longer narrow, and the loop would not end.
constexpr int kMaxModelRuns = 200;
// Tolerances of the fitting: aromatics (or octane number in mode 1), and the
// chlorine on catalyst around 1.0.
constexpr double kAromaticsTolerance = 0.051;
constexpr double kChlorineTarget = 1.0;
constexpr double kChlorineTolerance = 0.01;

// One start of the reforming model. The run object calls it once per model
// run; the real one starts the program file, tests put a scripted model here.
class ModelRunner {
public:
    virtual ~ModelRunner() = default;
    // Runs the model with `commandLine` in `workFolder` and waits for it.
    // Never reports a program that could not be started.
    virtual RunOutcome RunModel(const std::string& commandLine, const std::string& workFolder) = 0;
    // How the last run ended; a scripted model knows only its outcome.
    virtual ProgramEnd LastEnd(RunOutcome outcome) const {
        ProgramEnd end;
        end.outcome = outcome;
        end.timeLimitMs = kModelTimeLimitMs;
        return end;
    }
};

// The model program itself: started hidden, waited for at most `timeoutMs`
// (`emulatorTimeoutMs` when it runs through dosbox or wine), then terminated.
class ExternalModelRunner : public ModelRunner {
public:
    explicit ExternalModelRunner(int timeoutMs = kModelTimeLimitMs, int emulatorTimeoutMs = kDefaultEmulatorTimeLimitMs)
        : timeoutMs_(timeoutMs), emulatorTimeoutMs_(emulatorTimeoutMs) {}
    RunOutcome RunModel(const std::string& commandLine, const std::string& workFolder) override;
    ProgramEnd LastEnd(RunOutcome) const override { return last_; }

    KeepWaiting keepWaiting;  // the window's chance to answer and to cancel

private:
    int timeoutMs_;
    int emulatorTimeoutMs_;
    ProgramEnd last_;
};

// One start of a model program for the file it is expected to write:
// `output` (any letter case) is removed from `folder` first, the program is
// run, and it must end by itself and leave `output` there (renamed to that
// exact name when a DOS program wrote it in capitals). Otherwise throws
// UserError(FailedRunMessage) naming `program` and `sampleDate`. Returns how
// it ended (its exit code is for the log only).
ProgramEnd RunForOutput(ModelRunner& runner, const std::string& commandLine, const std::string& folder,
                        const std::string& output, const std::string& program, const std::string& sampleDate);

// The results file a model left, read; a file that cannot be read throws
// UserError(FailedRunMessage) with the reader's message in it, one that is
// incomplete "... оставила неполный файл результатов rez: обрывается после
// строки 67 (нужно 69 строк). ...".
ResultsRecord ReadModelResults(const std::string& rezPath, const std::string& program, const std::string& sampleDate);

// The run object: copies a sampling date's conditions and composition files
// to dan.bak and sirkat beside the model, runs the model and, in modes 0 and
// 1, repeats the run while it fits the catalyst activity and the
// dichloroethane feed by bisection (or, opted in, by secant steps). The
// brackets of the bisection live in the program context and carry over from
// one Run to the next.
class TRavionObj {
public:
    explicit TRavionObj(ProgramContext& context = Context()) : context_(context) {}

    std::string ProgramPath;      // model base folder + "\" + model variant
    std::string ConditionsPath;   // the sampling date's .dan
    std::string ResultsPath;      // where the date's results are stored (.rez)
    std::string CompositionPath;  // the sampling date's .sk
    std::string WorkFolder;       // folder of ProgramPath with its final '\'; set by PrepareInputs
    double TargetOctane = 0;      // research octane number to fit in mode 1
    ResultsRecord Results;        // results of the last model run
    std::uint8_t Mode = 0;        // 0 fit to aromatics, 1 fit to TargetOctane, 2 one run
    bool PadResults = false;      // four empty lines into rez after each run
    bool WriteBack = true;        // fitted conditions back to ConditionsPath
    bool Done = false;            // the last Run completed
    FitMethod Fit = FitMethod::Bisection;

    // Called once after every model run; the window advances its progress
    // bar with NextProgressPosition.
    std::function<void()> OnModelRun;
    // The model starter; null means the program file through ExternalModelRunner.
    ModelRunner* Runner = nullptr;
    // Called while the model program runs (with the program file only):
    // false cancels the run.
    KeepWaiting WhileWaiting;
    // Stores the results of a completed fitting (the model's rez file) in
    // place of copying it to ResultsPath; null copies it. It may refuse the
    // results by throwing: the Run then fails with that error, Done stays
    // false and the conditions file is not written back.
    std::function<void(const std::string& rezPath)> StoreResults;

    // Of the last Run: how many times the model was started, and the exit
    // code of each start (for the log: it decides nothing).
    int ModelRuns = 0;
    std::vector<int> ExitCodes;

    // When ProgramPath, ConditionsPath and CompositionPath all name existing
    // files: sets WorkFolder and copies the conditions file to dan.bak and the
    // composition file to sirkat there, returns true. Otherwise changes
    // nothing and returns false. Copy failures throw UserError.
    bool PrepareInputs();

    // Runs the model as Mode says; leaves the results in Results and
    // ResultsPath and sets Done. Missing inputs: returns with Done false and
    // nothing else done. A model run that fails (see RunForOutput and
    // ReadModelResults), a cancelled run, and a fitting that does not
    // converge within kMaxModelRuns (a Russian message naming the
    // tolerances) throw UserError; Done stays false then, and ResultsPath and
    // ConditionsPath are as they were before the Run: the results file is
    // replaced only at the very end, through a file written beside it.
    void Run();

private:
    ProgramContext& context_;
};

// The progress bar rule of the model runs: back to 0 from 100, then one more.
int NextProgressPosition(int position);

// Inserts the four empty lines a model of plant index 8 leaves out of rez:
// at 0-based positions 22, 23, 62 and 63, each counted in the file as already
// changed. A shorter file is first lengthened with empty lines. A last line
// without its line end keeps going without one.
void InsertResultsPadding(const std::string& rezPath);

// The sampling date a run is for, as its messages name it: the conditions
// file's name without folder and extension ("01-09-09").
std::string SampleDateOfConditions(const std::string& conditionsPath);

// The text of the loop-bound failure for a mode (0 aromatics, 1 octane).
std::string FittingNotConvergedMessage(int mode);

// The program's one run object, created on first use.
TRavionObj& RavionObj();

}  // namespace rw
