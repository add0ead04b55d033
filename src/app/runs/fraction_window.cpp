#include "runs/fraction_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "composition/composition_editor.h"
#include "conditions/conditions_form.h"
#include "results/results_window.h"
#include "runs/fraction_actions.h"
#include "runs/fraction_workflow.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

QLineEdit* NewEdit(QWidget* owner, const QString& name, const QString& text) {
    auto* edit = new QLineEdit(text, owner);
    edit->setObjectName(name);
    edit->setFixedWidth(80);
    return edit;
}

}  // namespace

Tfrak1::Tfrak1(QWidget* parent) : QDialog(parent) {
    setObjectName("frak1");
    setWindowTitle("Фракционный состав");

    Label1 = NamedLabel(this, "Label1", "Ввод данных по фракционному составу сырья");
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label5 = NamedLabel(this, "Label5", "Дата последнего отбора:");
    Label14 = NamedLabel(this, "Label14", "Дата отбора");
    DateFr = NewEdit(this, "DateFr", QString());

    struct Row {
        const char* caption;
        const char* captionText;
        const char* label;
        const char* edit;
        const char* defaultText;
        QLabel** captionField;
        QLabel** labelField;
        QLineEdit** editField;
    };
    const Row rows[kFractionValues] = {
        {"Label3", "НК", "b1", "Edit1", "78.", &Label3, &b1, &Edit1},
        {"Label4", "10%", "b2", "Edit2", "83.", &Label4, &b2, &Edit2},
        {"Label7", "50%", "b3", "Edit6", "80.", &Label7, &b3, &Edit6},
        {"Label12", "90%", "b4", "Edit10", "93.", &Label12, &b4, &Edit10},
        {"Label13", "КК", "b5", "Edit11", "101.", &Label13, &b5, &Edit11},
        {"Label2", "Плотность сырья, г/см3", "b6", "Edit12", "0.715", &Label2, &b6, &Edit12},
    };
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    for (int i = 0; i < kFractionValues; ++i) {
        const Row& r = rows[i];
        *r.captionField = NamedLabel(this, r.caption, r.captionText);
        *r.labelField = NamedLabel(this, r.label, QString());
        (*r.labelField)->setMinimumWidth(70);
        (*r.labelField)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        *r.editField = NewEdit(this, r.edit, r.defaultText);
        lastSample_[static_cast<size_t>(i)] = *r.labelField;
        edits_[static_cast<size_t>(i)] = *r.editField;
        grid->addWidget(*r.captionField, i, 0);
        grid->addWidget(*r.labelField, i, 1);
        grid->addWidget(*r.editField, i, 2);
    }
    grid->setColumnStretch(0, 1);

    auto* date = new QHBoxLayout;
    date->addWidget(Label14);
    date->addStretch();
    date->addWidget(DateFr);

    Button1 = NamedButton(this, "Button1", "Сохранить");
    Button1->setDefault(true);
    Button2 = NamedButton(this, "Button2", "Нет");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(Label5);
    layout->addSpacing(6);
    layout->addLayout(date);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(10);
    layout->addLayout(ButtonRow({Button1, Button2}));
    setMinimumWidth(360);
    CentreOnScreen(this);

    // The window closes with OK only when the save went through; after an
    // error it stays open for the user to correct the values.
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (RunHandler(this, [this] { Button1Click(); })) done(QDialog::Accepted);
    });
    connect(Button2, &QPushButton::clicked, this, &Tfrak1::Button2Click);
}

FractionTexts Tfrak1::TypedTexts() const {
    FractionTexts texts;
    for (size_t i = 0; i < texts.size(); ++i) texts[i] = edits_[i]->text().toStdString();
    return texts;
}

void Tfrak1::ShowLastSample(const FractionWindowTexts& texts) {
    for (size_t i = 0; i < texts.values.size(); ++i) {
        const QString value = QString::fromStdString(texts.values[i]);
        edits_[i]->setText(value);
        lastSample_[i]->setText(value);
    }
    Label5->setText(QString::fromStdString(texts.lastSampleCaption));
}

namespace {

// The save's questions, answered by the window: the date as it names the
// files, the window closed once the fraction program is done, the messages
// over it, and the conditions form for a date without conditions.
class FractionWindowQuestions : public FractionQuestions {
public:
    explicit FractionWindowQuestions(Tfrak1* window) : window_(window) {}

    void SampleNamed(const std::string& dateText) override {
        window_->DateFr->setText(QString::fromStdString(dateText));
        if (TForm5* main = W().form5) main->setWindowTitle(QString::fromStdString(MainWindowCaption(Context())));
    }
    void ProgramFinished() override { window_->close(); }
    void Tell(const std::string& message) override {
        ui::ShowMessage(window_, DisplayLines(QString::fromStdString(message)));
    }
    bool EnterConditions(const NewDateConditions& prepared, const std::string& conditionsPath) override {
        window_->hide();
        TForm8* form = W().form8;
        const int result = form->AskNewDateConditions(prepared.samplingDate, prepared.edits, NativePath(conditionsPath));
        form->setEnabled(true);
        return result == QDialog::Accepted;
    }

private:
    Tfrak1* window_;
};

}  // namespace

void Tfrak1::Button1Click() {
    FractionRequest request;
    request.context = &Context();
    request.dateText = DateFr->text().toStdString();
    request.typed = TypedTexts();
    // The base sample's fractional composition as the composition editor holds it.
    for (int i = 0; i < kFractionValues; ++i) {
        request.base[static_cast<size_t>(i)] = W().form9->TailEdit(i)->text().toStdString();
    }
    FractionWindowQuestions questions(this);
    try {
        if (CalculateFraction(request, questions).ReadyToCalculate()) ActivateWizardCalculation();
    } catch (const UserError& e) {
        // A refused date: once the message is closed the cursor is back in the date.
        if (e.what() == NotADateMessage("Дата отбора", request.dateText)) {
            DateFr->setFocus(Qt::OtherFocusReason);
            DateFr->selectAll();
        }
        throw;
    }
}

void Tfrak1::Button2Click() { close(); }

}  // namespace rw
