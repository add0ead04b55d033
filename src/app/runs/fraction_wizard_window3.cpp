#include "runs/fraction_wizard_window3.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "runs/fraction_wizard_window2.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

TForm19::TForm19(QWidget* parent) : QDialog(parent) {
    const WizardStepButtons buttons = BuildWizardStep(this, "Form19", "Назад", 16, [this](QVBoxLayout* body) {
        Label1 = NamedLabel(this, "Label1", "На следующем шаге необходимо задать технологические ");
        Label2 = NamedLabel(this, "Label2", "условия ведения процесса риформинга за  рассчитываемую ");
        Label3 = NamedLabel(this, "Label3", "дату (температуру, давление, расход сырья и т.д.)");
        body->addWidget(Label1);
        body->addWidget(Label2);
        body->addWidget(Label3);
    });
    Button1 = buttons.back;
    Button2 = buttons.next;

    connect(Button1, &QPushButton::clicked, this, &TForm19::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm19::Button2Click);
}

void TForm19::Button1Click() {
    close();
    ui::ExecModal(W().form18);
}

void TForm19::Button2Click() {}

}  // namespace rw
