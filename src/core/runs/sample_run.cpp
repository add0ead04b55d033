#include "runs/sample_run.h"

#include "common/dates.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "conditions/conditions_file.h"
#include "runs/external_program.h"
#include "runs/run_object.h"
#include "common/text_helpers.h"

#include <algorithm>
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

    // The composition is copied line by line, so the model always gets CR LF.
    WriteFileAtomic(sirkat, JoinLinesCrLf(SplitLines(ReadFileBytes(compositionPath))));

    const ConditionsRecord file = ReadSampleConditions(conditionsPath);
    const char dateSeparator = Regional().dateSeparator;
    const double samplingDate = ParseShortDate(file.samplingDateText, dateSeparator, CurrentYear());
    const double regenerationDate = ParseShortDate(file.regenerationDateText, dateSeparator, CurrentYear());
    dialogs.Review(SampleReviewTexts(file), samplingDate, regenerationDate);

    ExternalModelRunner programRunner(kNoTimeLimit);
    ModelRunner& runner = setup.runner ? *setup.runner : programRunner;
    const std::string commandLine = std::string(ModelProgramName(setup.plantIndex)) + " " + kSampleRunInput;

    std::array<double, 3> dosing = file.dosing;
    double activity = file.activity;
    for (;;) {
        ProgressShown progress(dialogs);
        progress.At(20);
        const ConditionsRecord pass = SampleConditionsFromReview(dialogs.ReadReview(), dosing, activity);
        WriteFileAtomic(verBak, FormatSampleRunInput(pass));
        progress.At(40);
        // Without this, a model that fails would leave the previous sample's
        // results to be taken for this one.
        if (FileExists(rez)) DeleteFile(rez);
        progress.At(60);
        progress.At(80);
        runner.RunModel(commandLine, base);
        progress.At(85);
        progress.At(95);
        if (PadsResults(setup.plantIndex)) InsertResultsPadding(rez);
        progress.At(100);
        progress.End();

        dialogs.ShowRawResults(rez);
        const ResultsRecord results = ReadResultsFile(rez);

        std::array<double, 3> leftDosing{};
        double leftActivity = 0;
        ReadSampleRunDosing(verBak, leftDosing, leftActivity);
        const CalibrationView view = MakeCalibrationView(results, leftDosing, leftActivity, setup.decimalSeparator);
        std::array<std::string, 4> edits = view.edits;
        const bool again = dialogs.Calibrate(view, edits);
        for (size_t i = 0; i < 3; ++i) dosing[i] = Plain(edits[i]);
        activity = Plain(edits[3]);
        if (!again) return results;
    }
}

}  // namespace rw
