#include "runs/fraction_wizard_window2.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "runs/fraction_wizard_window1.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/program_context.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

TForm18::TForm18(QWidget* parent) : QDialog(parent) {
    const WizardStepButtons buttons = BuildWizardStep(this, "Form18", "Назад", 16, [this](QVBoxLayout* body) {
        Label1 = NamedLabel(this, "Label1", "Сейчас Вам будет предложено ввести значения показателей");
        Label2 = NamedLabel(this, "Label2", "фракционного состава сырья за текущую дату");
        body->addWidget(Label1);
        body->addWidget(Label2);
    });
    Button1 = buttons.back;
    Button2 = buttons.next;

    connect(Button1, &QPushButton::clicked, this, &TForm18::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TForm18::Button1Click() {
    close();
    W().form5->OpenChildWindow(W().form17);
}

void TForm18::Button2Click() {
    close();
    Context().wizard = true;
    W().form5->FrClick();
}

}  // namespace rw
