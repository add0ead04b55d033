#include "runs/sample_run.h"

#include "common/configuration.h"
#include "common/dates.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "conditions/conditions_file.h"
#include "conditions/conditions_file_check.h"
#include "runs/external_program.h"
#include "runs/run_object.h"
#include "runs/run_settings.h"
#include "shell/plant_selection.h"
#include "common/text_helpers.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace rw {
namespace {

// The models of these plant indexes print their listing without four lines
// that the results reader expects; the calculation puts them back.
bool PadsResults(int plantIndex) { return plantIndex == 8 || plantIndex == 13; }

// The plain conversion of a typed number: the number the text begins with,
// 0 when there is none, never an error.
double Plain(const std::string& text) { return LongestPrefixNumber(text, '.'); }

// Progress shown by the main window while a pass runs. If the pass fails,
// the bar must not stay on the screen.
class ProgressShown {
public:
    explicit ProgressShown(SampleRunDialogs& dialogs) : dialogs_(dialogs) {}
    ~ProgressShown() {
        if (shown_) dialogs_.EndProgress();
    }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

    void At(int position) {
        shown_ = true;
        dialogs_.Progress(position);
    }
    void End() {
        shown_ = false;
        dialogs_.EndProgress();
    }

private:
    SampleRunDialogs& dialogs_;
    bool shown_ = false;
};

// The model's run as the dialogs see it, ended however the run ends.
class ModelRunShown {
public:
    ModelRunShown(SampleRunDialogs& dialogs, bool shown) : dialogs_(dialogs), shown_(shown) {
        if (shown_) dialogs_.BeginModelRun();
    }
    ~ModelRunShown() {
        if (shown_) dialogs_.EndModelRun();
    }
    ModelRunShown(const ModelRunShown&) = delete;
    ModelRunShown& operator=(const ModelRunShown&) = delete;

private:
    SampleRunDialogs& dialogs_;
    bool shown_;
};

}  // namespace

ConditionsRecord ReadSampleConditions(const std::string& conditionsPath) {
    PositionalReadOptions options;
    options.withExtension = false;
    options.copyEmptyRegenerationDate = false;
    return ReadConditionsByPosition(conditionsPath, options).conditions;
}

ConditionsEditTexts SampleReviewTexts(const ConditionsRecord& conditions) {
    // The extension edits (27-29) come out empty without extension values.
    return EditsFromRecord(conditions, nullptr);
}

ConditionsRecord SampleConditionsFromReview(const SampleReview& review, const std::array<double, 3>& dosing,
                                           double activity) {
    const ConditionsEditTexts& t = review.texts;
    auto at = [&t](int n) -> const std::string& { return t[static_cast<size_t>(n)]; };
    ConditionsRecord r;
    r.dosing = dosing;
    r.activity = activity;
    r.feedFlow = Plain(at(kEditFeedFlow));
    r.gasFlow = Plain(at(kEditGasFlow));
    r.processedFeed = Plain(at(kEditProcessedFeed));
    r.gasMoisture = Plain(at(kEditGasMoisture));
    r.sulphur = Plain(at(kEditSulphur));
    for (size_t i = 0; i < 4; ++i) {
        const int n = static_cast<int>(i);
        r.pressure[i] = Plain(at(kEditPressure + n));
        r.inletTemperature[i] = Plain(at(kEditInletTemperature + n));
        r.temperatureDrop[i] = Plain(at(kEditTemperatureDrop + n));
    }
    for (size_t i = 0; i < r.gasComposition.size(); ++i) {
        r.gasComposition[i] = TextToNumber(at(kEditGasComposition + static_cast<int>(i)));
    }
    r.samplingDateText = FormatDateShort(review.samplingDate, '.');
    r.regenerationDateText = FormatDateShort(review.regenerationDate, '.');
    return r;
}

std::string FormatSampleRunInput(const ConditionsRecord& conditions) {
    FormLayoutOptions options;
    options.labels = FormLabels::kSampleRun;
    return FormatFormLayout(conditions, options);
}

CalibrationView MakeCalibrationView(const ResultsRecord& results, const std::array<double, 3>& dosing,
                                    double activity, char decimalSeparator) {
    auto shown = [decimalSeparator](double v) { return FormatFixedPrecision(v, 5, 3, decimalSeparator); };
    CalibrationView view;
    view.experimentalAromatics = shown(ExperimentalAromatics(results));
    view.calculatedAromatics = shown(CalculatedAromatics(results));
    view.chlorine = {shown(results.chlorineR202), shown(results.chlorineR203), shown(results.chlorineR204)};
    for (size_t i = 0; i < 3; ++i) view.edits[i] = FormatFixed(dosing[i], 7, 3);
    view.edits[3] = FormatFixed(activity, 7, 3);
    return view;
}

void ReadSampleRunDosing(const std::string& verBakPath, std::array<double, 3>& dosing, double& activity) {
    std::vector<std::string> lines = SplitLines(ReadFileBytes(verBakPath));
    lines.resize(std::min<size_t>(lines.size(), 2));
    // Only the first two lines count; past them the reader meets the end of
    // the text, where every further number is 0.
    PositionalReadOptions options;
    options.copyEmptyRegenerationDate = false;
    const ConditionsRecord r = ParseConditionsByPosition(JoinLinesCrLf(lines), options).conditions;
    dosing = r.dosing;
    activity = r.activity;
}

ResultsRecord RunSample(const std::string& conditionsPath, const std::string& compositionPath,
                        const SampleRunSetup& setup, SampleRunDialogs& dialogs) {
    const std::string& base = setup.modelBaseFolder;
    const std::string sirkat = JoinPath(base, "sirkat");
    const std::string verBak = JoinPath(base, kSampleRunInput);
    const std::string rez = JoinPath(base, "rez");

    // The composition goes to the model line by line, so always with CR LF.
    const std::string composition = JoinLinesCrLf(SplitLines(ReadFileBytes(compositionPath)));

    // The positional reader takes what a number starts with; a sample with a
    // damaged conditions file would be calculated on part of its values.
    if (WorkingConfiguration()) CheckConditionsFile(conditionsPath);
    const ConditionsRecord file = ReadSampleConditions(conditionsPath);
    const char dateSeparator = Regional().dateSeparator;
    const double samplingDate = ParseShortDate(file.samplingDateText, dateSeparator, CurrentYear());
    const double regenerationDate = ParseShortDate(file.regenerationDateText, dateSeparator, CurrentYear());
    dialogs.Review(SampleReviewTexts(file), samplingDate, regenerationDate);

    const bool limited = WorkingConfiguration();
    const int emulatorLimitMs = limited ? ReadModelRunSettings(base).emulatorTimeLimitMs : kNoTimeLimit;
    ExternalModelRunner programRunner(limited ? kModelTimeLimitMs : kNoTimeLimit, emulatorLimitMs);
    if (limited) programRunner.keepWaiting = [&dialogs] { return dialogs.KeepWaiting(); };
    ModelRunner& runner = setup.runner ? *setup.runner : programRunner;
    const std::string program = ModelProgramName(setup.plantIndex);
    const std::string commandLine = program + " " + kSampleRunInput;
    const std::string sampleDate = SampleDateOfConditions(conditionsPath);

    std::array<double, 3> dosing = file.dosing;
    double activity = file.activity;
    for (;;) {
        ProgressShown progress(dialogs);
        progress.At(20);
        const ConditionsRecord pass = SampleConditionsFromReview(dialogs.ReadReview(), dosing, activity);
        std::string rezBytes;
        std::optional<ResultsRecord> results;
        std::array<double, 3> leftDosing{};
        double leftActivity = 0;
        {
            std::optional<CalculationLock> baseFolder;
            if (setup.lockContext) baseFolder.emplace(*setup.lockContext);
            // Written on every pass: while the user calibrated, another
            // calculation may have put its own composition there.
            WriteFileAtomic(sirkat, composition);
            WriteFileAtomic(verBak, FormatSampleRunInput(pass));
            progress.At(40);
            progress.At(60);
            progress.At(80);
            {
                ModelRunShown shown(dialogs, limited);
                // The previous sample's rez goes first: a model that fails must not
                // have it taken for this sample's results.
                RunForOutput(runner, commandLine, base, "rez", program, sampleDate);
            }
            progress.At(85);
            progress.At(95);
            if (PadsResults(setup.plantIndex)) InsertResultsPadding(rez);
            rezBytes = ReadFileBytes(rez);
            // Read while the files are this run's: after the lock is gone
            // another calculation may replace them.
            if (baseFolder) results = ReadModelResults(rez, program, sampleDate);
            ReadSampleRunDosing(verBak, leftDosing, leftActivity);
        }
        progress.At(100);
        progress.End();

        dialogs.ShowRawResults(rezBytes);
        if (!results) results = ReadModelResults(rez, program, sampleDate);

        const CalibrationView view = MakeCalibrationView(*results, leftDosing, leftActivity, setup.decimalSeparator);
        std::array<std::string, 4> edits = view.edits;
        const bool again = dialogs.Calibrate(view, edits);
        for (size_t i = 0; i < 3; ++i) dosing[i] = Plain(edits[i]);
        activity = Plain(edits[3]);
        if (!again) return *results;
    }
}

}  // namespace rw
