#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/welcome_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "common/configuration.h"
#include "common/files.h"
#include "composition/component_list_editor.h"
#include "composition/dialog_resolver.h"
#include "composition/editor_actions.h"
#include "conditions/data_selection.h"
#include "conditions/data_selection_ui.h"
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(Label1);
    layout->addSpacing(12);
    layout->addWidget(Image1, 0, Qt::AlignHCenter);
    layout->addSpacing(12);
    layout->addLayout(ButtonRow({Label2}, {Button3, Button2, Button1}));
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

namespace {

// The windows' answers to the sample chain: each step's outcome shown where
// the user would have seen it, had the step been done by hand.
class WindowChainAnswers : public SampleChainQuestions {
public:
    void Progress(const std::string&) override {}
    void PlantSelected(int row) override {
        plantShown = true;
        W().form4->ShowChosenPlant(row);
    }
    void ConditionsSelected(const ConditionsSelection& conditions) override { ShowSelectedConditions(conditions); }
    void DataSelected(const DataSelectionOutcome& selection) override {
        ShowDataSelection(selection);
        // The conditions form in data-entry mode, as "Набор данных" opens it.
        TForm8* form = W().form8;
        form->SetDataEntryMode(true);
        W().form5->hide();
        form->ShowSaveButtons();
        form->show();
    }
    bool SaveDespite(const std::string& question) override {
        return ui::AskYesNo(W().form8, "Технологические условия", QString::fromStdString(question), true);
    }
    void DataEntryStarted(const std::string& feedFlowText) override {
        W().form8->hide();
        W().form8->SetDataEntryMode(false);
        entryStarted = true;
        W().basadan->StartDataEntry(QString::fromStdString(feedFlowText));
    }
    ComponentResolver* Resolver() override {
        ComponentResolver* editors = W().basadan->Resolver();
        return editors ? editors : &dialogs_;
    }

    bool plantShown = false;
    bool entryStarted = false;

private:
    DialogResolver dialogs_;
};

}  // namespace

// The sample chain runs in core; the windows show what each step did. The
// first error ends it with its message.
void TForm1::RunSampleChain() {
    const SampleChainScope sampleFiles;
    const bool working = WorkingConfiguration();
    Windows& w = W();
    ProgramContext& c = Context();
    WindowChainAnswers answers;
    try {
        hide();
        w.form5->OnSampleChainStarted();
        SampleChainRequest request;
        request.context = &c;
        request.baseFolder = c.baseFolder;
        // The working configuration goes on with the sample date as the
        // current data instead of ending the program: the model's working
        // files stay.
        request.deleteBakFiles = !working;
        const SampleChainOutcome outcome = PrepareSampleDate(request, answers);
        // "Нет" to a doubt: the conditions form stays open in data-entry
        // mode, for the values to be corrected and saved.
        if (outcome.end == SampleChainEnd::SaveDeclined) return;
        editor_actions::AfterFormation();
        w.basadan->EndDataEntry();
        if (working) {
            RunHandler(w.form5, [&outcome] { RunDataSelectionOf(outcome.conditionsFile); });
            return w.form5->ReturnToMainWindow();
        }
        close();
        w.form5->CloseMainWindow();
    } catch (const std::exception& e) {
        QWidget* shown = answers.entryStarted && w.basadan->isVisible() ? static_cast<QWidget*>(w.basadan) : this;
        ui::ShowError(shown, QString::fromUtf8(e.what()));
        // Before the plant is shown no window is open (this one is hidden):
        // the main window lets the user go on, or leave through its "Выход".
        // The working configuration leaves a failed data entry for the main
        // window; the described one leaves the windows as the step left them.
        if (working) {
            if (answers.entryStarted) w.basadan->EndDataEntry();
            w.form5->ReturnToMainWindow();
        } else if (!answers.plantShown) {
            w.form5->ReturnToMainWindow();
        }
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
