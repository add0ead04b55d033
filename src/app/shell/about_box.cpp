#include "shell/about_box.h"
#include "common/configuration.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/window_helpers.h"

namespace rw {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle(WorkingConfiguration() ? QStringLiteral("О программе") : QStringLiteral("About"));

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setFixedSize(160, 120);
    ShowDecorativePicture(ProgramIcon, BaseFile("Basa\\Pic\\decor1.jpg"));

    ProductName = new QLabel("Контроль и анализ работы\nустановок каталитического риформинга", this);
    ProductName->setObjectName("ProductName");
    QFont bold = ProductName->font();
    bold.setBold(true);
    ProductName->setFont(bold);
    Version = new QLabel("Version 3.5b", this);
    Version->setObjectName("Version");
    Copyright = new QLabel("Лаборатория моделирования каталитических процессов", this);
    Copyright->setObjectName("Copyright");
    Comments = new QLabel("Подготовка исходных данных и расчет\nпроцесса каталитического риформинга бензинов", this);
    Comments->setObjectName("Comments");

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
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
