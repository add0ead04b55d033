#include "runs/fraction_wizard_window1.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "conditions/data_selection_ui.h"
#include "runs/fraction_wizard_window2.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

// The picture of the step: a calendar sheet with the base date marked and a
// distillation flask beside it, drawn here so the wizard needs no file.
QPixmap BaseDatePicture() {
    QPixmap pixmap(132, 100);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet(6, 10, 76, 82);
    p.setPen(QPen(QColor(70, 70, 70), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.setBrush(QColor(180, 40, 40));
    p.drawRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 14));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 5; ++col) {
            const QRectF cell(sheet.left() + 5 + col * 14, sheet.top() + 20 + row * 15, 10, 10);
            p.setBrush(row == 2 && col == 1 ? QColor(40, 90, 200) : QColor(225, 225, 225));
            p.drawRect(cell);
        }
    }
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(QColor(240, 205, 120));
    p.drawEllipse(QRectF(90, 54, 36, 36));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(103, 26, 10, 30));
    p.drawLine(QPointF(113, 34), QPointF(128, 44));
    return pixmap;
}

}  // namespace

TForm17::TForm17(QWidget* parent) : QDialog(parent) {
    const WizardStepButtons buttons = BuildWizardStep(this, "Form17", "Выход", 10, [this](QVBoxLayout* body) {
        Label1 = NamedLabel(this, "Label1", "Для расчетов по фракционному составу необходимо  выбрать ");
        Label2 = NamedLabel(this, "Label2", "\"базовую\" дату отбора пробы (т.е. ближайшую по времени к ");
        Label3 = NamedLabel(this, "Label3", "дате отбора фракционного состава)");
        Image1 = NamedLabel(this, "Image1", QString());
        Image1->setPixmap(BaseDatePicture());

        auto* texts = new QVBoxLayout;
        texts->addWidget(Label1);
        texts->addWidget(Label2);
        texts->addWidget(Label3);
        texts->addStretch();
        auto* middle = new QHBoxLayout;
        middle->addWidget(Image1, 0, Qt::AlignTop);
        middle->addSpacing(12);
        middle->addLayout(texts);
        body->addLayout(middle);
    });
    Button1 = buttons.back;
    Button2 = buttons.next;

    connect(Button1, &QPushButton::clicked, this, &TForm17::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TForm17::Button1Click() { close(); }

void TForm17::Button2Click() {
    close();
    // A date not chosen (the open dialog cancelled) ends the wizard here.
    if (!RunDataSelection()) return;
    ui::ExecModal(W().form18);
}

}  // namespace rw
