#include "shell/about_box.h"
#include "common/configuration.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/form_fields.h"
#include "shell/window_helpers.h"

namespace rw {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle(WorkingConfiguration() ? QStringLiteral("О программе") : QStringLiteral("About"));

    ProgramIcon = NamedLabel(this, "ProgramIcon", QString());
    ProgramIcon->setFixedSize(160, 120);
    ShowDecorativePicture(ProgramIcon, BaseFile("Basa\\Pic\\decor1.jpg"));

    ProductName = NamedLabel(this, "ProductName", "Контроль и анализ работы\nустановок каталитического риформинга");
    QFont bold = ProductName->font();
    bold.setBold(true);
    ProductName->setFont(bold);
    Version = NamedLabel(this, "Version", WorkingConfiguration() ? QStringLiteral("Версия 3.5б") : QStringLiteral("Version 3.5b"));
    Copyright = NamedLabel(this, "Copyright", "Лаборатория моделирования каталитических процессов");
    Comments = NamedLabel(this, "Comments", "Подготовка исходных данных и расчет\nпроцесса каталитического риформинга бензинов");

    OKButton = NamedButton(this, "OKButton", "OK");
    OKButton->setDefault(true);

    auto* text = new QVBoxLayout;
    text->addWidget(ProductName);
    text->addWidget(Version);
    text->addSpacing(8);
    text->addWidget(Copyright);
    text->addWidget(Comments);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(ProgramIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    CentreOnScreen(this);

    connect(OKButton, &QPushButton::clicked, this, &QDialog::close);
}

}  // namespace rw
