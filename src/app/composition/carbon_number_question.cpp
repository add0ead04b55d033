#include "composition/carbon_number_question.h"
#include "common/configuration.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "composition/component_resolution.h"
#include "composition/question_errors.h"
#include "composition/name_display.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"

namespace rw {

TFormb4::TFormb4(QWidget* parent) : QDialog(parent) {
    QVBoxLayout* v = BuildQuestionFrame(this, "Formb4", "Число атомов углерода");
    Label1 = NamedLabel(this, "Label1", "Сколько атомов углерода содержит");
    Label2 = NamedLabel(this, "Label2", "данное вещество?");
    // Only 3 to 13 are accepted; the working configuration says so.
    Label3 = new QLabel(WorkingConfiguration() ? QStringLiteral("Введите С от 3 до 13") : QStringLiteral("Введите С от 1 до 13"),
                        this);
    Label3->setObjectName("Label3");
    Label3->setStyleSheet("color: navy");
    Label4 = NamedLabel(this, "Label4", QString());
    QFont bold = Label4->font();
    bold.setBold(true);
    Label4->setFont(bold);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    BitBtn1 = NamedButton(this, "BitBtn1", "OK");
    v->addWidget(Label1);
    v->addWidget(Label2);
    v->addWidget(Label4);
    v->addWidget(Label3);
    v->addWidget(Edit1);
    v->addWidget(BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormb4::BitBtn1Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &TFormb4::BitBtn1Click);
}

void TFormb4::Ask(ResolutionChain* chain) {
    chain_ = chain;
    Label4->setText(DisplayName(chain->name()));
}

void TFormb4::BitBtn1Click() {
    bool accepted = false;
    // A refused carbon number keeps the dialog open; the field keeps its text.
    if (!GuardQuestion([&] { accepted = chain_->ConfirmCarbon(Edit1->text().toStdString()); }) || accepted) {
        done(QDialog::Accepted);
    } else {
        ExplainRefusal(this, "Введите число атомов углерода от 3 до 13.");
    }
}

}  // namespace rw
