#include "runs/reforming_calculation.h"

#include <optional>

#include <QAction>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
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

using namespace run_slot;

const char* const kCalculationCaption = "Риформинг";
const char* const kPleaseWait = " Пожалуйста подождите.             Идет расчет.";
const char* const kSuccess = "Расчет проведен успешно.";

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

void FillResultWindows(const TRavionObj& run, const std::string& sampleName) {
    // The metal and acid activity window shows the latest calculation as its research case.
    SetLatestCalculation(run.Results, Context().runConditions);
    W().form12->ShowLatest(sampleName, run.Results);
    W().form30->ShowCurrent(ReadFeedInfo(run.CompositionPath));
}

void RunReformingCalculation() {
    ProgramContext& c = Context();
    TForm5* main = W().form5;
    TForm6* confirm = W().form6;
    TForm8* form = W().form8;
    TRavionObj& run = RavionObj();
    const std::string dateFiles = c.dataFolder + c.sampleName;
    const std::string indexPath = PlantResultsIndexPath(c);

    c.calculationCaption = kCalculationCaption;
    main->setEnabled(false);
    // The main window as the user can go on from it, whenever a step of the
    // calculation fails after the window was disabled.
    RestoreOnFailure guard([main] {
        main->setEnabled(true);
        main->ClearProgress();
    });

    if (!confirm->Confirm(Text(c.calculationCaption), Text(c.plantCaption), Text(c.sampleName))) {
        main->setEnabled(true);
    } else {
        confirm->hide();
        const std::string conditionsPath = dateFiles + ".dan";
        ReadRunConditions(conditionsPath, c.reactorCount, c.runConditions);

        // The conditions form for review: the values of the file, "Далее" to go on.
        const TForm8::ReviewOutcome review =
            form->Review(RunFileReview(c.runConditions, form->EditTexts(), conditionsPath, c.plantIndex), kEditLast);
        if (review.accepted) {
            std::optional<CalculationLock> baseFolder;
            baseFolder.emplace(c);
            ReadBackReviewTexts(review.held.texts, c.runConditions);
            RewriteConditionsInRunLayout(conditionsPath, c.runConditions, c.reactorCount);

            SetUpReformingRun(run, c, conditionsPath);
            run.Fit = ReadModelRunSettings(c.baseFolder).fit;
            {
                // The run object outlives this call: the progress takes its
                // callbacks into the window back once the run is over, failed or not.
                RunProgress progress(main, run, kPleaseWait);
                run.Run();
            }

            main->EndCalculation();

            if (run.Done) {
                AddToResultsIndex(run.ResultsPath, indexPath);
                FillResultWindows(run, c.sampleName);
                const std::string summary = JoinLines(
                    ReformingSummaryLines(c.sampleName, c.runConditions[kProcessedFeed], run.Results, c.plantIndex),
                    "\r");
                // The results window waits for the user; other engineers'
                // calculations need not wait with it.
                baseFolder.reset();
                W().newReportForm->ShowSummary(kSuccess, Text(summary));
            }
        }
        confirm->hide();
        main->setEnabled(true);
        main->N8->setEnabled(false);
    }
    guard.Release();

    main->N15->setEnabled(true);
    // Also after "Нет": the index then takes the date's results as they are
    // on disk (on success this repeats the update above and replaces it).
    AddToResultsIndex(dateFiles + ".rez", indexPath);
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
    CalculationLock baseFolder(Context());
    // A console program prints its answer to a terminal the user does not
    // have: in the working configuration what it printed is shown in a
    // message instead.
    const bool showOutput = WorkingConfiguration();
    QTemporaryDir folder;
    const QString output = showOutput ? folder.filePath("selvin.out") : QString();
    const ProgramEnd end = RunExternalProgram("selvin.exe ", Context().baseFolder, WindowMode::Shown, kNoTimeLimit,
                                              kNoTimeLimit, {}, output.toStdString());
    if (showOutput && end.outcome == RunOutcome::NotStarted) {
        ui::ShowError(W().form5, "Программа selvin.exe не найдена в папке " + NativePath(Context().baseFolder) + ".");
        return;
    }
    // Nothing is read back at the call, so only a crash is worth a word.
    if (end.outcome == RunOutcome::Crashed) {
        throw UserError(FailedRunMessage("selvin.exe", Context().sampleName, ProgramEndProblem(end)));
    }
    if (!showOutput) return;
    QFile file(output);
    const QByteArray printed = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(printed);
    if (utf8.hasError()) text = QString::fromStdString(Cp866ToUtf8(printed.toStdString()));
    ui::ShowMessage(W().form5, text.trimmed().isEmpty() ? "Программа selvin.exe ничего не вывела." : text.trimmed());
}

}  // namespace rw
