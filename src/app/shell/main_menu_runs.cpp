// Main-menu handlers of the model runs, and the creation of the run object.
// Each handler may throw UserError (the menu shows the message).
#include "shell/main_window.h"

#include <QAction>

#include "runs/fraction_actions.h"
#include "runs/reforming_calculation.h"
#include "runs/research_actions.h"

namespace rw {

void TForm5::FormCreate() {}

void TForm5::FrClick() { ShowFractionWindow(); }
void TForm5::N8Click() { RunReformingCalculation(); }
void TForm5::N23Click() { ShowCalculationWizard(); }
void TForm5::N24Click() { StartFractionWizard(); }
void TForm5::N21Click() { StartChlorineDosingProgram(); }
void TForm5::N32Click() { StartStudy(StudyKind::OptimalActivity); }
void TForm5::N29Click() { StartStudy(StudyKind::FeedComposition); }
void TForm5::FastFitClick() { ChooseFastFit(FastFit->isChecked()); }

}  // namespace rw
