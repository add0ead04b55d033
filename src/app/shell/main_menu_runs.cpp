// Main-menu handlers of the model runs, and the creation of the run object.
// Each handler may throw UserError (the menu shows the message).
#include "shell/main_window.h"

#include <QAction>

#include "common/configuration.h"
#include "common/errors.h"
#include "conditions/data_selection.h"
#include "runs/fraction_actions.h"
#include "runs/reforming_calculation.h"
#include "runs/research_actions.h"
#include "shell/program_context.h"

namespace rw {

namespace {

const char* const kNoCurrentDate =
    "Нет текущей даты отбора: выберите её («Данные» → «Выбор данных») или наберите новую («Набор данных»); "
    "для расчета нужны файл условий и файл состава этой даты.";

}  // namespace

void TForm5::FormCreate() {}

void TForm5::FrClick() { ShowFractionWindow(); }
void TForm5::N8Click() {
    // The item is disabled without a current date; a caller that goes by the
    // item (the wizards) or a stale state meets this message instead of a
    // missing file with no name.
    if (WorkingConfiguration() && !CurrentDateReady(Context())) {
        UpdateActions();
        throw UserError(kNoCurrentDate);
    }
    try {
        RunReformingCalculation();
    } catch (...) {
        UpdateActions();
        throw;
    }
    UpdateActions();
}
void TForm5::N23Click() { ShowCalculationWizard(); }
void TForm5::N24Click() { StartFractionWizard(); }
void TForm5::N21Click() { StartChlorineDosingProgram(); }
void TForm5::N32Click() { StartStudy(StudyKind::OptimalActivity); }
void TForm5::N29Click() { StartStudy(StudyKind::FeedComposition); }
void TForm5::FastFitClick() {
    // The mark shows what the settings hold: a choice that could not be
    // written is taken back with its message.
    try {
        ChooseFastFit(FastFit->isChecked());
    } catch (...) {
        UpdateActions();
        throw;
    }
    UpdateActions();
}

}  // namespace rw
