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
#include "runs/study_workflow.h"
#include "results/comparison_window.h"
#include "runs/feed_info_window.h"
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

// The main window's face of a study: the file-choice window, the
// conditions form, the octane prompt, the progress display and the results
// window.
class StudyDialogs : public StudyQuestions {
public:
    std::optional<StudyFiles> ChooseFiles() override {
        TResF* choice = W().resF;
        if (ui::ExecModal(choice) != QDialog::Accepted) return std::nullopt;
        return StudyFiles{choice->ConditionsFile.toStdString(), choice->CompositionFile.toStdString(),
                          choice->ResultsFile.toStdString()};
    }

    ConditionsEditTexts Review(const RunConditions& conditions, const std::string& conditionsPath) override {
        // The values of the file, as before a reforming calculation; whatever
        // the user leaves the form with, the study goes on.
        TForm8* form = W().form8;
        const TForm8::ReviewOutcome review = form->Review(
            RunFileReview(conditions, form->EditTexts(), conditionsPath, Context().plantIndex), kEditLast);
        form->ShowCokeFields();
        return review.held.texts;
    }

    void WaitStarted() override { W().form5->ShowWaitText(kPleaseWait); }
    void WaitEnded() override { W().form5->EndCalculation(); }

    std::optional<double> AskOctane(const std::string& prompt, const std::string& offeredText) override {
        TForm5* main = W().form5;
        const char separator = Regional().decimalSeparator;
        QString offered = Text(offeredText);
        for (;;) {
            const std::optional<QString> answer = ui::AskText(main, Text(kOctanePromptCaption), Text(prompt), offered);
            if (!answer) return std::nullopt;
            try {
                return OctaneFromText(answer->toStdString(), separator);
            } catch (const UserError& e) {
                // A slip of the hand does not end the study: the prompt comes back.
                if (!WorkingConfiguration()) throw;
                ui::ShowError(main, QString::fromUtf8(e.what()));
                offered = *answer;
            }
        }
    }

    void RunStarted(TRavionObj& run) override { progress_.emplace(W().form5, run, kPleaseWait); }
    void RunEnded(bool) override { progress_.reset(); }

    void Settled(const StudyOutcome& outcome) override {
        W().form12->ShowLatest(outcome.sampleName, outcome.results);
        W().form30->ShowCurrent(outcome.feedInfo);
        W().newReportForm->ShowSummary(Text(outcome.title), Text(JoinLines(outcome.summaryLines, "\r")));
        W().form5->setEnabled(true);
        W().form5->show();
    }

    bool Continue(const std::string& question) override {
        return ui::AskYesNo(W().form5, "Confirm", DisplayLines(Text(question)));
    }

private:
    std::optional<RunProgress> progress_;
};

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
    W().resF->StartStudy(c.plantFolder, c.researchFolder);
    StudyDialogs dialogs;
    StudyRequest request;
    request.context = &c;
    request.run = &RavionObj();
    request.kind = kind;
    request.decimalSeparator = Regional().decimalSeparator;
    RunStudyPasses(request, dialogs);
}

}  // namespace rw
