#include "runs/research_actions.h"

#include <QDate>
#include <QLabel>
#include <QProgressBar>
#include <optional>

#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/regional.h"
#include "conditions/conditions_file.h"
#include "conditions/conditions_form.h"
#include "results/results_window.h"
#include "runs/reforming_calculation.h"
#include "runs/reforming_run.h"
#include "runs/research_files_window.h"
#include "runs/run_progress.h"
#include "runs/run_settings.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

// Unlike the reforming calculation's text: no leading blank, no full stop.
const char* const kPleaseWait = "Пожалуйста подождите.             Идет расчет";

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }
QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// The sampling date a study names: in the working configuration the date of
// the conditions file the user chose (as dd-mm-yy, like a sample name), in
// the described one the current sample name.
std::string StudySampleName(const RunConditions& record, const std::string& currentSample) {
    if (DescribedConfiguration()) return currentSample;
    return ToQDate(record[run_slot::kSamplingDate]).toString("dd-MM-yy").toStdString();
}

const char* const kNoActivityFound =
    "Активность катализатора не подобрана: расчет дал значение 0 или меньше, результат недостоверен.";

// One pass after the file choice. False when the user cancelled the octane
// prompt: the study then ends without a run.
bool RunStudyPass(StudyKind kind, const StudyFiles& files) {
    ProgramContext& c = Context();
    TForm5* main = W().form5;
    TRavionObj& run = RavionObj();
    const char separator = Regional().decimalSeparator;

    ReadRunConditions(files.conditions, c.reactorCount, c.runConditions);
    // The conditions form shows the file's values for review, as before a
    // reforming calculation; whatever the user leaves it with, the study goes on.
    TForm8* form = W().form8;
    const TForm8::ReviewOutcome review = form->Review(RunFileReview(c.runConditions, form->EditTexts(), files.conditions, c.plantIndex), kEditLast);
    form->ShowCokeFields();
    ReadBackReviewTexts(review.held.texts, c.runConditions);
    RewriteConditionsInRunLayout(files.conditions, c.runConditions, c.reactorCount);

    main->ShowWaitText(kPleaseWait);
    // The main window as the user can go on from it, when a pass ends early.
    RestoreOnFailure guard([main] { main->EndCalculation(); });

    double target = 0;
    if (StudyAsksOctane(kind, c.plantIndex)) {
        QString offered = Text(OfferedOctaneText(run, separator));
        for (;;) {
            const std::optional<QString> answer =
                ui::AskText(main, Text(kOctanePromptCaption), Text(OctanePrompt(StudySampleName(c.runConditions, c.sampleName))), offered);
            if (!answer) return false;
            try {
                target = OctaneFromText(answer->toStdString(), separator);
                break;
            } catch (const UserError& e) {
                // A slip of the hand does not end the study: the prompt comes back.
                if (!WorkingConfiguration()) throw;
                ui::ShowError(main, QString::fromUtf8(e.what()));
                offered = *answer;
            }
        }
    }

    // Taken after the question, so no one waits for this user's answer.
    std::optional<CalculationLock> baseFolder;
    baseFolder.emplace(c);
    SetUpStudyRun(run, c, kind, files, target);
    run.Fit = ReadModelRunSettings(c.baseFolder).fit;
    {
        RunProgress progress(main, run, kPleaseWait);
        run.Run();
    }
    guard.Release();
    main->EndCalculation();
    baseFolder.reset();

    if (run.Done) {
        const std::string sample = StudySampleName(c.runConditions, c.sampleName);
        FillResultWindows(run, sample);
        std::vector<std::string> lines = StudySummaryLines(kind, sample, c.runConditions[run_slot::kProcessedFeed],
                                                           run.Results, c.plantIndex, separator);
        if (WorkingConfiguration() && !(run.Results.activity > 0)) lines[1] = kNoActivityFound;
        const std::string summary = JoinLines(lines, "\r");
        W().newReportForm->ShowSummary(Text(StudyTitle(kind)), Text(summary));
    }
    main->setEnabled(true);
    main->show();
    return true;
}

}  // namespace

void StartStudy(StudyKind kind) {
    ProgramContext& c = Context();
    c.researchFolder = StudyFolder(c, kind);
    W().resF->setWindowTitle(Text(StudyCaption(kind)));
    if (!FolderExists(c.researchFolder)) CreateFolders(c.researchFolder);
    RunStudy(kind);
}

void RunStudy(StudyKind kind) {
    ProgramContext& c = Context();
    TResF* choice = W().resF;
    choice->StartStudy(c.plantFolder, c.researchFolder);
    while (ui::ExecModal(choice) == QDialog::Accepted) {
        const StudyFiles files{choice->ConditionsFile.toStdString(), choice->CompositionFile.toStdString(),
                               choice->ResultsFile.toStdString()};
        if (!RunStudyPass(kind, files)) return;
        if (!ui::AskYesNo(W().form5, "Confirm", DisplayLines(Text(ContinueStudyQuestion(files.results))))) return;
    }
}

}  // namespace rw
