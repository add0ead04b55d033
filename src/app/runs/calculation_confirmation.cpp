#include "runs/calculation_confirmation.h"

#include <algorithm>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/configuration.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"

namespace rw {

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    setObjectName("Form6");
    // The blanks centre the word in the title bar; they belong to the caption.
    setWindowTitle(WorkingConfiguration() ? QStringLiteral("Внимание !")
                                          : QStringLiteral("                                                       Внимание !"));
    SetFrameWithoutIcons(this);

    Label1 = BoldLabel(this, "Label1", "Проводим расчет");
    Label2 = BoldLabel(this, "Label2", "при следующих заданных условиях :");
    Label3 = NamedLabel(this, "Label3", "Установка :");
    Label4 = NamedLabel(this, "Label4", "Дата отбора :");
    Label7 = NamedLabel(this, "Label7", "Процесс :");
    // Filled before every showing; the working configuration shows no placeholder meanwhile.
    const bool working = WorkingConfiguration();
    Label5 = BoldLabel(this, "Label5", working ? QString() : QStringLiteral("Label5"));
    Label6 = BoldLabel(this, "Label6", working ? QString() : QStringLiteral("Label6"));
    Label8 = BoldLabel(this, "Label8", working ? QString() : QStringLiteral("Label8"));
    Label9 = NamedLabel(this, "Label9", "Если условия заданы правильно, то начинаем проводить расчет.");

    BitBtn1 = NamedButton(this, "BitBtn1", "Да");
    BitBtn1->setToolTip("Провести расчет");
    BitBtn1->setDefault(true);
    BitBtn2 = NamedButton(this, "BitBtn2", "Нет");
    BitBtn2->setToolTip("Не проводить расчет. Вернуться к изменению исходных данных.");

    auto* heading = new QVBoxLayout;
    heading->addWidget(Label1, 0, Qt::AlignHCenter);
    heading->addWidget(Label2, 0, Qt::AlignHCenter);
    FieldGrid grid(12);
    grid.AddRow(Label3, Label5);
    grid.AddRow(Label4, Label6);
    grid.AddRow(Label7, Label8);
    grid.layout()->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addSpacing(8);
    layout->addLayout(grid.layout());
    layout->addSpacing(8);
    layout->addWidget(Label9);
    layout->addSpacing(8);
    layout->addLayout(CentredButtonRow({BitBtn1, BitBtn2}, 24));
    // Never narrower than its sentence, whatever the font (a window's first
    // size is otherwise held to part of a small screen).
    setMinimumWidth(working ? std::max(480, layout->sizeHint().width()) : 480);
    CentreOnScreen(this);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(kResultNo); });
}

bool TForm6::Confirm(const QString& process, const QString& plant, const QString& sample) {
    Label8->setText(process);
    Label5->setText(plant);
    Label6->setText(sample);
    return ui::ExecModal(this) == QDialog::Accepted;
}

}  // namespace rw
