#include "runs/run_object.h"

#include "common/errors.h"
#include "common/files.h"
#include "conditions/conditions_file.h"
#include "runs/model_programs.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace rw {
namespace {

constexpr double kActivityLowLimit = -50.0;
constexpr double kActivityHighLimit = 100.0;
constexpr double kDosingLowStart = 0.1;
constexpr double kDosingHighStart = 20.0;

// dan.bak holds activity and dosing with two decimals, so a value read back
// may lie up to half a hundredth outside the bracket it came from.
constexpr double kFileRounding = 0.005;
// Below this width the activity is pinned far more closely than the model
// can tell apart; if it still does not match, the answer is not in the
// bracket.
constexpr double kActivityBracketFloor = 0.001;
// The results file prints two decimals, and 1.01 - 1.0 is a hair above 0.01 in
// binary; the bands are meant to include their edges as printed.
constexpr double kEdge = 1e-9;

std::string FolderPart(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string NamePart(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// The opt-in fitting: secant steps on one quantity (the activity, or the
// dosing) towards a zero of its residual, inside the bracket its earlier
// runs have narrowed, falling back to the bracket's midpoint when a step
// would leave it or go the wrong way. The slope found stays known when the
// fitting turns to the other quantity and back, so a return costs one run,
// not a new search. Values are rounded to the two decimals dan.bak keeps:
// a step smaller than that would run the model on the same input again.
class SecantFit {
public:
    SecantFit(double low, double high, double probe) : startLow_(low), startHigh_(high), probe_(probe) { Reset(); }

    void Reset() {
        low_ = startLow_;
        high_ = startHigh_;
        havePoint_ = false;
    }

    // The next value after a run at `x` with residual `f`; `increase` tells
    // on which side of x the answer lies.
    double Next(double x, double f, bool increase) {
        if (increase) low_ = std::max(low_, x);
        else high_ = std::min(high_, x);
        if (havePoint_ && x != lastX_ && f != lastF_) {
            slope_ = (f - lastF_) / (x - lastX_);
            haveSlope_ = true;
        }
        havePoint_ = true;
        lastX_ = x;
        lastF_ = f;

        double guess = haveSlope_ ? x - f / slope_ : x + (increase ? probe_ : -probe_);
        guess = std::round(guess * 100.0) / 100.0;
        if (guess == x) guess = x + (increase ? 0.01 : -0.01);
        const bool rightWay = increase ? guess > x : guess < x;
        if (!rightWay || guess <= low_ || guess >= high_) guess = (low_ + high_) / 2.0;
        return guess;
    }

private:
    double startLow_, startHigh_, probe_;
    double low_ = 0, high_ = 0;
    bool havePoint_ = false;
    double lastX_ = 0, lastF_ = 0;
    bool haveSlope_ = false;
    double slope_ = 0;
};

// First steps of the secant fitting, before a slope is known: small enough
// to stay near a plant's usual values, large enough to show in the results.
constexpr double kActivityProbe = 0.05;
constexpr double kDosingProbe = 0.5;

// A bracket carried over from an earlier Run (or narrowed onto a rounded
// value) may no longer hold the current value; bisecting it further would
// only creep towards one of its ends and never match. Such a bracket is
// opened afresh.
bool BracketUseless(double low, double high, double value, double floorWidth) {
    const double lo = std::min(low, high), hi = std::max(low, high);
    return value < lo - kFileRounding || value > hi + kFileRounding || hi - lo < floorWidth;
}

}  // namespace

RunOutcome ExternalModelRunner::RunModel(const std::string& commandLine, const std::string& workFolder) {
    last_ = RunExternalProgram(commandLine, workFolder, WindowMode::Hidden, timeoutMs_, emulatorTimeoutMs_, keepWaiting);
    return last_.outcome;
}

ProgramEnd RunForOutput(ModelRunner& runner, const std::string& commandLine, const std::string& folder,
                        const std::string& output, const std::string& program, const std::string& sampleDate) {
    RemoveOutputFile(folder, output);
    const ProgramEnd end = runner.LastEnd(runner.RunModel(commandLine, folder));
    if (end.outcome != RunOutcome::Finished) throw UserError(FailedRunMessage(program, sampleDate, ProgramEndProblem(end)));
    if (!TakeOutputFile(folder, output)) {
        throw UserError(FailedRunMessage(program, sampleDate, "не записала файл результатов " + output));
    }
    return end;
}

ResultsRecord ReadModelResults(const std::string& rezPath, const std::string& program, const std::string& sampleDate) {
    try {
        return ReadResultsFile(rezPath);
    } catch (const IncompleteResultsError& e) {
        throw UserError(FailedRunMessage(program, sampleDate,
                                         "оставила неполный файл результатов " + NamePart(rezPath) + ": " + e.Detail()));
    } catch (const UserError& e) {
        throw UserError(FailedRunMessage(program, sampleDate,
                                         "оставила файл результатов " + NamePart(rezPath) + ", который не читается: " + e.what()));
    }
}

std::string SampleDateOfConditions(const std::string& conditionsPath) {
    const std::string name = NamePart(conditionsPath);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

int NextProgressPosition(int position) { return (position >= 100 ? 0 : position) + 1; }

void InsertResultsPadding(const std::string& rezPath) {
    const std::string bytes = ReadFileBytes(rezPath);
    std::vector<std::string> lines = SplitLines(bytes);
    for (size_t at : {22u, 23u, 62u, 63u}) {
        if (lines.size() < at) lines.resize(at);
        lines.insert(lines.begin() + static_cast<long>(at), std::string());
    }
    std::string padded = JoinLinesCrLf(lines);
    // A listing cut inside its last line stays cut there, for the reader to see.
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') padded.resize(padded.size() - 2);
    WriteFileAtomic(rezPath, padded);
}

std::string FittingNotConvergedMessage(int mode) {
    const std::string measure = mode == 1
        ? "расчетное октановое число должно отличаться от заданного"
        : "расчетная концентрация ароматики должна отличаться от экспериментальной";
    return "Подбор активности катализатора и подачи дихлорэтана не сошелся за " + std::to_string(kMaxModelRuns) +
           " расчетов модели: " + measure + " не более чем на 0.051, а хлор на катализаторе от 1.0 не более чем на 0.01.";
}

bool TRavionObj::PrepareInputs() {
    if (!ModelProgramExists(ProgramPath) || !FileExists(ConditionsPath) || !FileExists(CompositionPath)) return false;
    WorkFolder = FolderPart(ProgramPath);
    CopyFile(ConditionsPath, WorkFolder + "dan.bak");
    CopyFile(CompositionPath, WorkFolder + "sirkat");
    return true;
}

void TRavionObj::Run() {
    Done = false;
    ModelRuns = 0;
    ExitCodes.clear();
    if (!PrepareInputs()) return;

    const ModelRunSettings settings = ReadModelRunSettings(WorkFolder);
    ExternalModelRunner external(kModelTimeLimitMs, settings.emulatorTimeLimitMs);
    external.keepWaiting = WhileWaiting;
    ModelRunner& runner = Runner ? *Runner : external;
    const int reactors = CheckedReactorCount(context_.reactorCount);
    const std::string danBak = WorkFolder + "dan.bak";
    const std::string rez = WorkFolder + "rez";
    // The program path may hold blanks; it is quoted so the launcher keeps it whole.
    const std::string commandLine = QuoteArgument(ProgramPath) + " " + "dan.bak";
    const std::string program = NamePart(ProgramPath);
    const std::string sampleDate = SampleDateOfConditions(ConditionsPath);

    const bool fast = Fit == FitMethod::Fast;
    SecantFit activityFit(kActivityLowLimit, kActivityHighLimit, kActivityProbe);
    SecantFit dosingFit(kDosingLowStart, kDosingHighStart, kDosingProbe);
    bool dosingPhase = false;
    std::optional<double> lastMidpoint;
    RunConditions r{};
    while (true) {
        // A run that writes nothing must not pass the previous run's rez off as its own.
        const ProgramEnd end = RunForOutput(runner, commandLine, WorkFolder, "rez", program, sampleDate);
        ExitCodes.push_back(end.exitCode);
        ++ModelRuns;
        if (PadResults) InsertResultsPadding(rez);

        Results = ReadModelResults(rez, program, sampleDate);
        const double calculated = CalculatedAromatics(Results);
        const double experimental = ExperimentalAromatics(Results);
        const double octane = Results.octaneResearch;
        const double chlorine = Results.chlorineR202;
        bool stopAfterThisRun = false;

        ReadRunConditions(danBak, reactors, r);
        double dosing = r[run_slot::kDosing];
        double activity = r[run_slot::kActivity];

        bool matched = false, chlorineRight = false;
        if (Mode == 0 || Mode == 1) {
            matched = Mode == 0 ? std::fabs(experimental - calculated) <= kAromaticsTolerance + kEdge
                                : std::fabs(TargetOctane - octane) <= kAromaticsTolerance + kEdge;
            chlorineRight = std::fabs(chlorine - kChlorineTarget) <= kChlorineTolerance + kEdge;
            const bool tooHigh = Mode == 0 ? calculated >= experimental : octane >= TargetOctane;
            const double activityResidual = Mode == 0 ? calculated - experimental : octane - TargetOctane;

            if (fast) {
                // As the bisection, but a dosing phase that leaves the
                // aromatics unmatched turns straight to the activity instead
                // of running the model once more on the same input.
                if (!matched) {
                    if (dosingPhase) activityFit.Reset();
                    dosingPhase = false;
                    activity = activityFit.Next(activity, activityResidual, tooHigh);
                } else if (!chlorineRight) {
                    if (!dosingPhase) dosingFit.Reset();
                    dosingPhase = true;
                    dosing = dosingFit.Next(dosing, chlorine - kChlorineTarget, chlorine <= kChlorineTarget);
                }
            } else if (!matched && !dosingPhase) {
                double& low = context_.activityLow;
                double& high = context_.activityHigh;
                const double last = lastMidpoint.value_or(activity);
                if (low != high && BracketUseless(low, high, last, kActivityBracketFloor)) low = high = 0;
                if (low == high) {
                    if (tooHigh) {
                        low = activity;
                        high = kActivityHighLimit;
                    } else {
                        low = kActivityLowLimit;
                        high = activity;
                    }
                } else if (tooHigh) {
                    low = last;
                } else {
                    high = last;
                }
                const double midpoint = (low + high) / 2.0;
                activity = midpoint;
                lastMidpoint = midpoint;
                context_.dosingLow = kDosingLowStart;
                context_.dosingHigh = kDosingHighStart;
            } else if (!chlorineRight) {
                double& low = context_.dosingLow;
                double& high = context_.dosingHigh;
                // dan.bak keeps two decimals: a bracket narrower than that cannot move on.
                if (BracketUseless(low, high, dosing, kFileRounding)) {
                    low = kDosingLowStart;
                    high = kDosingHighStart;
                }
                if (chlorine > kChlorineTarget) {
                    high = dosing;
                } else {
                    low = dosing;
                }
                if (!dosingPhase) context_.activityLow = context_.activityHigh = 0;
                dosingPhase = true;
                dosing = (low + high) / 2.0;
            } else {
                dosingPhase = false;
            }
        } else {
            stopAfterThisRun = true;
        }

        r[run_slot::kActivity] = activity;
        for (int i = 0; i < kMaxReactors; ++i) r[static_cast<size_t>(run_slot::kDosing + i)] = dosing;
        context_.conditions.activity = activity;
        context_.conditions.dosing[0] = dosing;
        WriteRunLayout(danBak, r, reactors);
        if (OnModelRun) OnModelRun();

        if ((matched && chlorineRight) || stopAfterThisRun) break;
        if (ModelRuns >= kMaxModelRuns) throw UserError(FittingNotConvergedMessage(Mode));
    }

    // Written beside the date's results and renamed over them: until this
    // point a failure has left the earlier results as they were.
    if (StoreResults) {
        StoreResults(rez);
    } else {
        WriteFileAtomic(ResultsPath, ReadFileBytes(rez));
    }
    if (WriteBack) RewriteConditionsInRunLayout(ConditionsPath, r, reactors);
    Done = true;
}

TRavionObj& RavionObj() {
    static TRavionObj object;
    return object;
}

}  // namespace rw
