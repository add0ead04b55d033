#include "runs/fraction_wizard_window3.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "runs/fraction_wizard_window2.h"
#include "shell/form_fields.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

TForm19::TForm19(QWidget* parent) : QDialog(parent) {
    setObjectName("Form19");
    setWindowTitle("мастер расчетов");
    SetFrameWithoutIcons(this);

    Label1 = NamedLabel(this, "Label1", "На следующем шаге необходимо задать технологические ");
    Label2 = NamedLabel(this, "Label2", "условия ведения процесса риформинга за  рассчитываемую ");
    Label3 = NamedLabel(this, "Label3", "дату (температуру, давление, расход сырья и т.д.)");
    Button1 = NamedButton(this, "Button1", "Назад");
    Button2 = NamedButton(this, "Button2", "Далее");
    Button2->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    CentreOnScreen(this);

    connect(Button1, &QPushButton::clicked, this, &TForm19::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm19::Button2Click);
}

void TForm19::Button1Click() {
    close();
    ui::ExecModal(W().form18);
}

void TForm19::Button2Click() {}

}  // namespace rw
