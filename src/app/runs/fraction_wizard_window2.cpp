#include "runs/fraction_wizard_window2.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "runs/fraction_wizard_window1.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/program_context.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

TForm18::TForm18(QWidget* parent) : QDialog(parent) {
    setObjectName("Form18");
    setWindowTitle("мастер расчетов");
    SetFrameWithoutIcons(this);

    Label1 = NamedLabel(this, "Label1", "Сейчас Вам будет предложено ввести значения показателей");
    Label2 = NamedLabel(this, "Label2", "фракционного состава сырья за текущую дату");
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
    layout->addSpacing(16);
    layout->addLayout(buttons);
    CentreOnScreen(this);

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
