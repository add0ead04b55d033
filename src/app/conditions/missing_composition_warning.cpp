#include "conditions/missing_composition_warning.h"

#include <QGridLayout>
#include <QLabel>
#include <QWindow>
#include <QPushButton>

#include "common/configuration.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    setObjectName("Form7");
    setWindowTitle(QString(32, QLatin1Char(' ')) + "Внимание !");
    SetFrameWithoutIcons(this);
    if (DescribedConfiguration()) setFixedSize(420, 250);

    auto label = [this](QLabel*& target, const char* name, const QString& text, int x, int y, int w) {
        target = NamedLabel(this, QString::fromLatin1(name), text);
        target->setGeometry(x, y, w, 22);
    };
    // Two lines per fact: what was chosen, and whether its file exists.
    label(Label1, "Label1", "Уважаемый пользователь !", 20, 12, 380);
    label(Label2, "Label2", "Вы выбрали дату отбора :", 20, 40, 200);
    label(Label3, "Label3", QString(), 224, 40, 170);
    label(Label4, "Label4", "Файл с технологическими условиями ", 20, 68, 260);
    label(Label5, "Label5", QString(), 280, 68, 120);
    label(Label6, "Label6", "- существует.", 20, 92, 200);
    label(Label7, "Label7", "А файла с составами сырья и катализата", 20, 120, 290);
    label(Label9, "Label9", QString(), 310, 120, 100);
    label(Label8, "Label8", "- не существует", 20, 144, 200);
    label(Label10, "Label10", "в директории с файлом технологических условий.", 20, 168, 380);
    QFont bold = Label1->font();
    bold.setBold(true);
    for (QLabel* l : {Label1, Label3, Label5, Label9}) l->setFont(bold);
    QPalette red = Label8->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label8->setPalette(red);

    Button1 = NamedButton(this, "Button1", "Далее");
    Button1->setToolTip("Дальнейшее продолжение программы");
    Button1->setGeometry(160, 206, 100, 30);
    ConnectHandler(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    if (WorkingConfiguration()) {
        // Laid out by its texts, so that a larger font cuts none of them.
        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(20, 12, 20, 12);
        grid->addWidget(Label1, 0, 0, 1, 2);
        grid->addWidget(Label2, 1, 0);
        grid->addWidget(Label3, 1, 1);
        grid->addWidget(Label4, 2, 0);
        grid->addWidget(Label5, 2, 1);
        grid->addWidget(Label6, 3, 0, 1, 2);
        grid->addWidget(Label7, 4, 0);
        grid->addWidget(Label9, 4, 1);
        grid->addWidget(Label8, 5, 0, 1, 2);
        grid->addWidget(Label10, 6, 0, 1, 2);
        grid->addWidget(Button1, 7, 0, 1, 2, Qt::AlignHCenter);
        grid->setColumnStretch(1, 1);
    }
    CentreOnScreen(this);
    if (DescribedConfiguration()) setWindowState(windowState() | Qt::WindowMinimized);
}

// "Далее": the user has read the warning and goes on from the main window.
void TForm7::Warn(const QString& sample, const QString& conditionsFile, const QString& compositionFile) {
    Label3->setText(sample);
    Label5->setText(conditionsFile);
    Label9->setText(compositionFile);
    if (WorkingConfiguration() && W().form5) {
        // Kept above the main window it disables: a warning left behind it
        // would leave the user in front of a window that ignores them.
        winId();  // both windows made, so the one can be tied to the other
        W().form5->winId();
        if (windowHandle() && W().form5->windowHandle())
            windowHandle()->setTransientParent(W().form5->windowHandle());
    }
    show();
    if (WorkingConfiguration()) {
        raise();
        activateWindow();
    }
}

void TForm7::Button1Click() {
    hide();
    if (W().form5) W().form5->ReturnToMainWindow();
}

}  // namespace rw
