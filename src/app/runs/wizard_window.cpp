#include "runs/wizard_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "conditions/data_selection_ui.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

// The picture of the step: a folder of the month with the files of a
// sampling date, drawn here so the wizard needs no file of its own.
QPixmap FolderPicture() {
    QPixmap pixmap(120, 96);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 90, 20), 2));
    p.setBrush(QColor(238, 200, 90));
    p.drawRoundedRect(QRectF(8, 22, 104, 66), 4, 4);
    p.drawRoundedRect(QRectF(8, 14, 40, 14), 3, 3);
    for (int i = 0; i < 3; ++i) {
        QRectF sheet(26 + i * 22, 8 + i * 4, 34, 44);
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(Qt::white);
        p.drawRect(sheet);
        for (int l = 0; l < 4; ++l) {
            p.drawLine(QPointF(sheet.left() + 5, sheet.top() + 9 + l * 8),
                       QPointF(sheet.right() - 5, sheet.top() + 9 + l * 8));
        }
    }
    p.setPen(QPen(QColor(120, 90, 20), 2));
    p.setBrush(QColor(246, 214, 110));
    p.drawRoundedRect(QRectF(8, 46, 104, 42), 4, 4);
    return pixmap;
}

}  // namespace

TForm16::TForm16(QWidget* parent) : QDialog(parent) {
    const WizardStepButtons buttons = BuildWizardStep(this, "Form16", "Назад", 10, [this](QVBoxLayout* body) {
        Label1 = NamedLabel(this, "Label1", "Для расчетов на модели риформинга Вам необходимо выбрать ");
        Label2 = NamedLabel(this, "Label2", "файл с необходимымы данными по углеводородному составу ");
        Label3 = NamedLabel(this, "Label3", "сырья, продуктов и технол-ми условиями ведения процесса");
        Label4 = NamedLabel(this, "Label4", "Из папки с данными за текущий ");
        Label5 = NamedLabel(this, "Label5", "месяц выбираем  файл");
        Image1 = NamedLabel(this, "Image1", QString());
        Image1->setPixmap(FolderPicture());

        auto* step = new QVBoxLayout;
        step->addWidget(Label4);
        step->addWidget(Label5);
        step->addStretch();
        auto* middle = new QHBoxLayout;
        middle->addWidget(Image1);
        middle->addSpacing(12);
        middle->addLayout(step);
        middle->addStretch();
        body->addWidget(Label1);
        body->addWidget(Label2);
        body->addWidget(Label3);
        body->addSpacing(10);
        body->addLayout(middle);
    });
    Button1 = buttons.back;
    Button2 = buttons.next;

    connect(Button1, &QPushButton::clicked, this, &TForm16::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TForm16::Button1Click() { close(); }

void TForm16::Button2Click() {
    close();
    TForm5* main = W().form5;
    if (!RunDataSelection()) return;
    if (main->N8->isEnabled()) main->N8Click();
}

}  // namespace rw
