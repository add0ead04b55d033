#include "runs/run_object.h"

#include "common/errors.h"
#include "common/files.h"
#include "conditions/conditions_file.h"

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
    return RunExternalProgram(commandLine, workFolder, WindowMode::Hidden, timeoutMs_);
}

int NextProgressPosition(int position) { return (position >= 100 ? 0 : position) + 1; }

void InsertResultsPadding(const std::string& rezPath) {
    std::vector<std::string> lines = SplitLines(ReadFileBytes(rezPath));
    for (size_t at : {22u, 23u, 62u, 63u}) {
        if (lines.size() < at) lines.resize(at);
        lines.insert(lines.begin() + static_cast<long>(at), std::string());
    }
    WriteFileAtomic(rezPath, JoinLinesCrLf(lines));
}

std::string FittingNotConvergedMessage(int mode) {
    const std::string measure = mode == 1
        ? "расчетное октановое число должно отличаться от заданного"
        : "расчетная концентрация ароматики должна отличаться от экспериментальной";
    return "Подбор активности катализатора и подачи дихлорэтана не сошелся за " + std::to_string(kMaxModelRuns) +
           " расчетов модели: " + measure + " не более чем на 0.051, а хлор на катализаторе от 1.0 не более чем на 0.01.";
}

bool TRavionObj::PrepareInputs() {
    if (!FileExists(ProgramPath) || !FileExists(ConditionsPath) || !FileExists(CompositionPath)) return false;
    WorkFolder = FolderPart(ProgramPath);
    CopyFile(ConditionsPath, WorkFolder + "dan.bak");
    CopyFile(CompositionPath, WorkFolder + "sirkat");
    return true;
}

void TRavionObj::Run() {
    Done = false;
    ModelRuns = 0;
    TerminatedRuns = 0;
    if (!PrepareInputs()) return;
    if (FileExists(ResultsPath)) DeleteFile(ResultsPath);

    ExternalModelRunner external;
    ModelRunner& runner = Runner ? *Runner : external;
    const int reactors = CheckedReactorCount(context_.reactorCount);
    const std::string danBak = WorkFolder + "dan.bak";
    const std::string rez = WorkFolder + "rez";
    // The program path may hold blanks; it is quoted so the launcher keeps it whole.
    const std::string commandLine = QuoteArgument(ProgramPath) + " " + "dan.bak";

    bool dosingPhase = false;
    std::optional<double> lastMidpoint;
    RunConditions r{};
    while (true) {
        if (runner.RunModel(commandLine, WorkFolder) == RunOutcome::Terminated) ++TerminatedRuns;
        ++ModelRuns;
        if (PadResults) InsertResultsPadding(rez);

        Results = ReadResultsFile(rez);
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

            if (!matched && !dosingPhase) {
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

    if (FileExists(ResultsPath)) DeleteFile(ResultsPath);
    CopyFile(rez, ResultsPath);
    if (WriteBack) WriteRunLayout(ConditionsPath, r, reactors);
    Done = true;
}

TRavionObj& RavionObj() {
    static TRavionObj object;
    return object;
}

}  // namespace rw
