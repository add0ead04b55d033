#include "runs/fraction_wizard_window3.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "runs/fraction_wizard_window2.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

TForm19::TForm19(QWidget* parent) : QDialog(parent) {
    setObjectName("Form19");
    setWindowTitle("мастер расчетов");
    SetFrameWithoutIcons(this);

    Label1 = new QLabel("На следующем шаге необходимо задать технологические ", this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel("условия ведения процесса риформинга за  рассчитываемую ", this);
    Label2->setObjectName("Label2");
    Label3 = new QLabel("дату (температуру, давление, расход сырья и т.д.)", this);
    Label3->setObjectName("Label3");
    Button1 = new QPushButton("Назад", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton("Далее", this);
    Button2->setObjectName("Button2");
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
