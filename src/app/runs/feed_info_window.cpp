#include "runs/feed_info_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"

namespace rw {

TForm30::TForm30(QWidget* parent) : QDialog(parent) {
    setObjectName("Form30");
    // The blanks centre the word in the title bar; they belong to the caption.
    setWindowTitle(QString(34, QLatin1Char(' ')) + "Информация");
    SetFrameWithoutIcons(this);
    OpenSk.filter = "Файл сырье катализат (*.sk)";

    Label1 = NamedLabel(this, "Label1", "Фракционный состав сырья");
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    static const char* const kCaptions[6] = {"НК", "10 %", "50 %", "90 %", "КК", "Плотность сырья, г/см3"};
    Label8 = NamedLabel(this, "Label8", "Дата отбора");
    Label8->setFont(bold);
    Label9 = NamedLabel(this, "Label9", QString());
    Label10 = NamedLabel(this, "Label10", QString());
    for (QLabel* l : {Label9, Label10}) l->setFont(bold);

    QLabel** current[6] = {&F1, &F2, &F3, &F4, &F5, &F6};
    QLabel** compared[6] = {&Ff1, &Ff2, &Ff3, &Ff4, &Ff5, &Ff6};
    FieldGrid grid(18, Qt::AlignRight);
    grid.AddHeading(Label8, Label9, Label10);
    for (int i = 0; i < 6; ++i) {
        Captions[static_cast<size_t>(i)] = NamedLabel(this, QString("Label%1").arg(i + 2), kCaptions[i]);
        *current[i] = NamedLabel(this, QString("F%1").arg(i + 1), QString());
        *compared[i] = NamedLabel(this, QString("Ff%1").arg(i + 1), QString());
        current_[static_cast<size_t>(i)] = *current[i];
        compared_[static_cast<size_t>(i)] = *compared[i];
        grid.AddRow(Captions[static_cast<size_t>(i)], *current[i], *compared[i]);
    }
    grid.layout()->setColumnMinimumWidth(1, 90);
    grid.layout()->setColumnMinimumWidth(2, 90);

    Button1 = NamedButton(this, "Button1", "Далее");
    Button1->setDefault(true);
    Button2 = NamedButton(this, "Button2", "Сравнить с");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1, 0, Qt::AlignHCenter);
    layout->addSpacing(6);
    layout->addLayout(grid.layout());
    layout->addSpacing(8);
    layout->addLayout(ButtonRow({Button2, Button1}));
    CentreOnScreen(this);

    connect(Button1, &QPushButton::clicked, this, &TForm30::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TForm30::ShowCurrent(const FeedInfo& info) {
    Label9->setText(QString::fromStdString(info.name));
    for (size_t i = 0; i < 6; ++i) current_[i]->setText(QString::fromStdString(info.fraction[i]));
    currentFeed_ = info.fraction;
}

void TForm30::ShowCurrentName(const QString& name) { Label9->setText(name); }

void TForm30::ShowCompared(const FeedInfo& info) {
    Label10->setText(QString::fromStdString(info.name));
    for (size_t i = 0; i < 6; ++i) compared_[i]->setText(QString::fromStdString(info.fraction[i]));
    comparedFeed_ = info.fraction;
}

void TForm30::Button1Click() { accept(); }

void TForm30::Button2Click() {
    OpenSk.initialDir = NativePath(Context().plantFolder);
    QString chosen = ui::ChooseOpenFile(this, OpenSk.title, OpenSk.initialDir, OpenSk.filter);
    if (chosen.isEmpty()) return;
    OpenSk.fileName = chosen;
    ShowCompared(ReadFeedInfo(chosen.toStdString()));
}

}  // namespace rw
