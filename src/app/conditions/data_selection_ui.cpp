#include "conditions/data_selection_ui.h"

#include <QLabel>
#include <QLineEdit>

#include "common/configuration.h"
#include "composition/composition_editor.h"
#include "conditions/conditions_form.h"
#include "conditions/data_selection.h"
#include "conditions/missing_composition_warning.h"
#include "runs/feed_info_window.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

void FillConditionsForm(const ConditionsSelection& selection) {
    TForm8* form = W().form8;
    if (!form) return;
    form->ShowSelection({selection.edits, selection.samplingDate, selection.regenerationDate},
                        selection.hasExtension ? kEditLast : kEditProcessedFeed);
}

void FillComposition(const CompositionSelection& selection) {
    if (W().form5) W().form5->setWindowTitle(QString::fromStdString(selection.mainWindowCaption));
    if (TForm9* editor = W().form9) {
        // Values the selection lacks leave their fields empty.
        CompositionTexts texts;
        for (size_t i = 0; i < texts.values.size() && i < selection.editorTexts.size(); ++i) {
            texts.values[i] = selection.editorTexts[i];
        }
        texts.tail = selection.fractionTexts;
        editor->SetTexts(texts);
    }
    // The feed information window shows the selected sample's fractional composition.
    if (W().form30) {
        W().form30->ShowCurrent({selection.fractionSampleName, selection.fractionTexts, selection.completeTail});
    }
}

void ShowMissingCompositionWarning(const CompositionSelection& selection) {
    TForm7* warning = W().form7;
    if (!warning) return;
    if (W().form5) W().form5->setEnabled(false);
    warning->Warn(QString::fromStdString(selection.warningSampleName),
                  QString::fromStdString(selection.warningConditionsFile),
                  QString::fromStdString(selection.warningCompositionFile));
}

}  // namespace

namespace {

// The main window's answers: the open dialog (prepared and not shown while
// the sample files are fixed), the conditions form filled at once.
class MainWindowSelectionAnswers : public DataSelectionQuestions {
public:
    std::optional<std::string> ChooseConditionsFile(const std::string& plantFolder) override {
        const std::string filter = "Технологические условия (*.dan)|*.dan";
        const QString title = "Открытие файла с данными";
        TForm5* main = W().form5;
        if (FixedSampleFiles()) {
            if (main) {
                main->OpenDialog1.filter = "Технологические условия (*.dan)";
                main->OpenDialog1.title = title;
                main->OpenDialog1.initialDir = QString::fromStdString(plantFolder);
                main->OpenDialog1.fileName = QString::fromStdString(SelectedDataFile(Context().baseFolder));
            }
            return SelectedDataFile(Context().baseFolder);
        }
        const QString chosen = ui::ChooseOpenFile(main, title, NativePath(plantFolder), DialogFilter(filter));
        if (chosen.isEmpty()) return std::nullopt;
        if (main) main->OpenDialog1.fileName = chosen;
        return ProgramPath(chosen);
    }
    void ConditionsSelected(const ConditionsSelection& conditions) override { FillConditionsForm(conditions); }
};

}  // namespace

bool RunDataSelection() {
    MainWindowSelectionAnswers answers;
    DataSelectionRequest request;
    request.context = &Context();
    const DataSelectionOutcome outcome = SelectSamplingDate(request, answers);
    if (outcome.end == DataSelectionEnd::Cancelled) return false;
    ShowDataSelection(outcome);
    return true;
}

void RunDataSelectionOf(const std::string& dataFile) {
    MainWindowSelectionAnswers answers;
    DataSelectionRequest request;
    request.context = &Context();
    request.dataFile = dataFile;
    ShowDataSelection(SelectSamplingDate(request, answers));
}

void ShowSelectedConditions(const ConditionsSelection& conditions) { FillConditionsForm(conditions); }

void ShowDataSelection(const DataSelectionOutcome& outcome) {
    const CompositionSelection& composition = outcome.composition;
    if (composition.found) {
        // A warning still open from an earlier selection of this date speaks
        // of a file that has been written since (the sample chain forms it).
        if (WorkingConfiguration() && W().form7 && W().form7->isVisible()) {
            W().form7->hide();
            if (W().form5) W().form5->setEnabled(true);
        }
        FillComposition(composition);
    } else {
        ShowMissingCompositionWarning(composition);
    }
    if (W().form5) W().form5->OnDateSelected(composition.found, composition.found && composition.completeTail);
}

}  // namespace rw
