#include "runs/fraction_actions.h"

#include <QAction>

#include "runs/fraction_calculation.h"
#include "runs/fraction_window.h"
#include "runs/fraction_wizard_window1.h"
#include "shell/main_window.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace

void ShowFractionWindow() {
    const std::optional<FractionWindowTexts> texts = LastSampleFraction(Context());
    if (!texts) {
        ui::ShowMessage(W().form5, Text(kNoFractionData));
        return;
    }
    Tfrak1* window = W().frak1;
    window->ShowLastSample(*texts);
    ui::ExecModal(window);
}

void StartFractionWizard() { W().form5->OpenChildWindow(W().form17); }

void ActivateWizardCalculation() {
    ProgramContext& c = Context();
    if (!c.wizard) return;
    // The flag is cleared before the run: the calculation may fail, and a
    // later save must not start another run on its own.
    c.wizard = false;
    TForm5* main = W().form5;
    if (main->N8->isEnabled()) main->N8Click();
}

}  // namespace rw
