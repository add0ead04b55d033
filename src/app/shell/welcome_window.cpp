#include "shell/form_fields.h"
#include "shell/welcome_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "common/configuration.h"
#include "common/files.h"
#include "composition/component_list_editor.h"
#include "conditions/conditions_form.h"
#include "shell/app_start.h"
#include "shell/exit_confirmation.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/plant_window.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "pipeline/welcome_pipeline.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"


namespace rw {

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
    setObjectName("Form1");
    setWindowTitle(QString(32, ' ') + "Добро пожаловать");
    SetFrameWithoutIcons(this);
    FormCreate();

    Label1 = NamedLabel(this, "Label1", "Контроль и анализ работы\nустановок каталитического риформинга");
    Label1->setAlignment(Qt::AlignCenter);
    QFont title = Label1->font();
    title.setPointSizeF(title.pointSizeF() * 1.5);
    title.setBold(true);
    Label1->setFont(title);
    QPalette navy = Label1->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label1->setPalette(navy);

    Label2 = NamedLabel(this, "Label2", "19.10.2007");
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Image1 = NamedLabel(this, "Image1", QString());
    Image1->setFixedSize(320, 240);
    Image1->setFrameShape(QFrame::StyledPanel);
    ShowDecorativePicture(Image1, BaseFile("Basa\\Pic\\welcome.jpg"));

    Button1 = NamedButton(this, "Button1", "Далее");
    Button1->setToolTip("Дальнейшее продолжение программы");
    Button1->setDefault(true);
    Button2 = NamedButton(this, "Button2", "Выход");
    Button2->setToolTip("Выход из программы");
    Button3 = NamedButton(this, "Button3", "Пример");
    Button3->setToolTip("Подготовка данных примера: установка Хорнельского НПЗ, дата отбора 01-09-09");
    Button3->setVisible(WorkingConfiguration());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label2);
    buttons->addStretch();
    buttons->addWidget(Button3);
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(Label1);
    layout->addSpacing(12);
    layout->addWidget(Image1, 0, Qt::AlignHCenter);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    CentreOnScreen(this);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}

void TForm1::FormCreate() { Context().baseFolder = StartBaseFolder(); }

void TForm1::Button2Click() { ui::ExecModal(W().form3); }

void TForm1::Button1Click() {
    if (DescribedConfiguration()) return RunSampleChain();
    Context().modelBaseFolder = Context().baseFolder;
    hide();
    W().form4->OpenFromWelcome();
}

void TForm1::Button3Click() { RunSampleChain(); }

// The welcome pipeline: each step is what the user would do in the named
// window, run on the real windows. The first error ends it with its message.
void TForm1::RunSampleChain() {
    const SampleChainScope sampleFiles;
    const bool working = WorkingConfiguration();
    Windows& w = W();
    ProgramContext& c = Context();
    // A step of the editor that failed has shown its message; the working
    // configuration then leaves the data entry for the main window.
    auto abandon = [&w, working] {
        if (!working) return;
        if (w.basadan->isVisible()) w.basadan->cansClick();
        w.form5->ReturnToMainWindow();
    };
    int step = 0;
    try {
        step = 1;  // the model runs work in the base folder of this start
        c.modelBaseFolder = c.baseFolder;
        step = 2;
        hide();
        step = 3;
        w.form5->N8->setEnabled(false);
        w.form5->N15->setEnabled(false);
        step = 4;  // row 11 of the plant list, as if clicked
        w.form4->SetItemIndex(kWelcomePlantRow);
        w.form4->RadioGroup1Click();
        step = 5;
        c.plantIndex = kWelcomePlantRow;
        step = 6;  // "Далее" of the plant window
        w.form4->Button2Click();
        step = 7;  // data selection of 01-09-09
        w.form5->N12Click();
        step = 8;  // data entry: the conditions form in data-entry mode
        w.form5->BdanClick();
        // Steps 9 to 13: the windows show their own errors; a step that
        // failed ends the pipeline there, with the windows as it left them.
        step = 9;  // "Сохранить" of the conditions form: the data-entry save
        w.form8->Basa2Click();
        step = 10;  // import of the feed report (.SIR), started as from "Далее"
        if (!w.basadan->BitBtn1Click(w.basadan->Next)) return abandon();
        step = 11;  // "Далее": feed list stored, on to the catalyzate
        if (!w.basadan->NextClick()) return abandon();
        step = 12;  // import of the catalyzate report (.KAT)
        if (!w.basadan->BitBtn1Click(w.basadan->BitBtn1)) return abandon();
        step = 13;  // "Далее": side cut skipped, composition file written
        if (!w.basadan->NextClick()) return abandon();
        // The working configuration goes on with the sample date as the
        // current data instead of ending the program.
        if (working) return w.form5->ReturnToMainWindow();
        step = 14;  // the confirmation's "Да" without showing it
        w.form3->BitBtn1Click();
        step = 15;
        close();
        w.form5->CloseMainWindow();
    } catch (const std::exception& e) {
        ui::ShowError(this, QString::fromUtf8(e.what()));
        // Up to step 5 no window is open yet (this one is hidden): the main
        // window lets the user go on, or leave through its "Выход".
        if (step <= 5 || working) w.form5->ReturnToMainWindow();
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    // However the welcome window is closed, even while hidden, the program
    // ends: finished() is what the start-up waits for.
    event->accept();
    if (!ended_) {
        ended_ = true;
        done(QDialog::Rejected);
    }
}

}  // namespace rw
