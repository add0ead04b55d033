#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "results/results_file.h"
#include "runs/external_program.h"
#include "shell/program_context.h"

namespace rw {

// The model is given this long before it is terminated; its rez is then read
// as it stands.
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
};

// The model program itself: started hidden, waited for at most `timeoutMs`,
// then terminated.
class ExternalModelRunner : public ModelRunner {
public:
    explicit ExternalModelRunner(int timeoutMs = kModelTimeLimitMs) : timeoutMs_(timeoutMs) {}
    RunOutcome RunModel(const std::string& commandLine, const std::string& workFolder) override;

private:
    int timeoutMs_;
};

// The run object: copies a sampling date's conditions and composition files
// to dan.bak and sirkat beside the model, runs the model and, in modes 0 and
// 1, repeats the run while it fits the catalyst activity and the
// dichloroethane feed by bisection. The brackets of the bisection live in the
// program context and carry over from one Run to the next.
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

    // Called once after every model run; the window advances its progress
    // bar with NextProgressPosition.
    std::function<void()> OnModelRun;
    // The model starter; null means the program file through ExternalModelRunner.
    ModelRunner* Runner = nullptr;

    // Of the last Run: how many times the model was started, and how many of
    // those were terminated because they did not finish in time.
    int ModelRuns = 0;
    int TerminatedRuns = 0;

    // When ProgramPath, ConditionsPath and CompositionPath all name existing
    // files: sets WorkFolder and copies the conditions file to dan.bak and the
    // composition file to sirkat there, returns true. Otherwise changes
    // nothing and returns false. Copy failures throw UserError.
    bool PrepareInputs();

    // Runs the model as Mode says; leaves the results in Results and
    // ResultsPath and sets Done. Missing inputs: returns with Done false and
    // nothing else done. A fitting that does not converge within
    // kMaxModelRuns throws UserError with a Russian message naming the
    // tolerances; Done stays false and ResultsPath does not exist then. File
    // errors (rez missing or unreadable, a locked file) throw UserError.
    void Run();

private:
    ProgramContext& context_;
};

// The progress bar rule of the model runs: back to 0 from 100, then one more.
int NextProgressPosition(int position);

// Inserts the four empty lines a model of plant index 8 leaves out of rez:
// at 0-based positions 22, 23, 62 and 63, each counted in the file as already
// changed. A shorter file is first lengthened with empty lines.
void InsertResultsPadding(const std::string& rezPath);

// The text of the loop-bound failure for a mode (0 aromatics, 1 octane).
std::string FittingNotConvergedMessage(int mode);

// The program's one run object, created on first use.
TRavionObj& RavionObj();

}  // namespace rw
