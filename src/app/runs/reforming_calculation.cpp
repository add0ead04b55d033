#include "runs/reforming_calculation.h"

#include <optional>

#include <QAction>
#include <QFile>
#include <QStringDecoder>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>

#include "common/codepage.h"
#include "common/configuration.h"
#include "common/number_format.h"
#include "conditions/conditions_file.h"
#include "conditions/conditions_form.h"
#include "results/comparison_window.h"
#include "results/latest_calculation.h"
#include "results/result_views.h"
#include "results/results_index.h"
#include "results/results_window.h"
#include "runs/calculation_confirmation.h"
#include "runs/external_program.h"
#include "runs/feed_info_window.h"
#include "runs/reforming_run.h"
#include "runs/recommendations.h"
#include "runs/reforming_workflow.h"
#include "runs/run_object.h"
#include "runs/run_progress.h"
#include "runs/run_settings.h"
#include "common/errors.h"
#include "runs/wizard_window.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "common/text_helpers.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

const char* const kPleaseWait = " Пожалуйста подождите.             Идет расчет.";

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// The main window's face of the calculation: the confirmation window, the
// conditions form for the review, the progress bar with "Прервать", and the
// result windows for the outcome.
class CalculationDialogs : public ReformingQuestions {
public:
    explicit CalculationDialogs(RestoreOnFailure& restore) : restore_(restore) {}

    bool Confirm(const std::string& caption, const std::string& plant, const std::string& sample) override {
        const bool yes = W().form6->Confirm(Text(caption), Text(plant), Text(sample));
        if (yes) W().form6->hide();
        return yes;
    }

    std::optional<ConditionsEditTexts> Review(const RunConditions& conditions,
                                              const std::string& conditionsPath) override {
        // The values of the file; the edits the review does not show keep their texts.
        TForm8* form = W().form8;
        const TForm8::ReviewOutcome review = form->Review(
            RunFileReview(conditions, form->EditTexts(), conditionsPath, Context().plantIndex), kEditLast);
        if (!review.accepted) return std::nullopt;
        return review.held.texts;
    }

    void RunStarted(TRavionObj& run) override { progress_.emplace(W().form5, run, kPleaseWait); }

    void RunEnded(bool failed) override {
        progress_.reset();
        if (!failed) W().form5->EndCalculation();
    }

    void Settled(const ReformingOutcome& outcome) override {
        TForm5* main = W().form5;
        if (outcome.end == ReformingEnd::Completed) {
            ShowReformingOutcome(outcome);
            W().newReportForm->ShowSummary(kReformingSuccess, Text(JoinLines(outcome.summaryLines, "\r")));
        }
        if (outcome.end != ReformingEnd::Declined) W().form6->hide();
        main->setEnabled(true);
        restore_.Release();
        main->OnCalculationSettled(outcome.end == ReformingEnd::Declined, outcome.end == ReformingEnd::Completed);
    }

private:
    RestoreOnFailure& restore_;
    std::optional<RunProgress> progress_;
};

}  // namespace

void ShowReformingOutcome(const ReformingOutcome& outcome) {
    W().form12->ShowLatest(outcome.sampleName, outcome.results);
    W().form30->ShowCurrent(outcome.feedInfo);
}

void RunReformingCalculation() {
    TForm5* main = W().form5;
    main->setEnabled(false);
    // The main window as the user can go on from it, whenever a step of the
    // calculation fails after the window was disabled.
    RestoreOnFailure guard([main] {
        main->setEnabled(true);
        main->ClearProgress();
    });
    CalculationDialogs dialogs(guard);
    ReformingRequest request;
    request.context = &Context();
    request.run = &RavionObj();
    CalculateReforming(request, dialogs);
}

bool FastFitChosen() {
    try {
        return ReadModelRunSettings(Context().baseFolder).fit == FitMethod::Fast;
    } catch (const UserError&) {
        return false;
    }
}

void ChooseFastFit(bool fast) {
    const std::string& base = Context().baseFolder;
    ModelRunSettings settings = ReadModelRunSettings(base);
    settings.fit = fast ? FitMethod::Fast : FitMethod::Bisection;
    WriteModelRunSettings(base, settings);
}

void ShowCalculationWizard() { W().form5->OpenChildWindow(W().form16); }

void StartChlorineDosingProgram() {
    // A console program prints its answer to a terminal the user does not
    // have: in the working configuration what it printed is shown in a
    // message instead.
    const bool showOutput = WorkingConfiguration();
    const DosingProgramEnd end = RunDosingProgram(Context(), showOutput);
    if (!showOutput) return;
    if (!end.started) {
        ui::ShowError(W().form5, "Программа selvin.exe не найдена в папке " + NativePath(Context().baseFolder) + ".");
        return;
    }
    const QByteArray printed = QByteArray::fromStdString(end.printed);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(printed);
    if (utf8.hasError()) text = QString::fromStdString(Cp866ToUtf8(end.printed));
    ui::ShowMessage(W().form5, text.trimmed().isEmpty() ? "Программа selvin.exe ничего не вывела." : text.trimmed());
}

}  // namespace rw
