#include "composition/unknown_component_question.h"
#include "common/configuration.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "composition/component_resolution.h"
#include "composition/question_errors.h"
#include "composition/name_display.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/ui_services.h"

namespace rw {

TFormb2::TFormb2(QWidget* parent) : QDialog(parent) {
    QVBoxLayout* v = BuildQuestionFrame(this, "Formb2", "Вещество не найдено");
    label1 = NamedLabel(this, "label1", "Данное вещество не найдено в базе данных");
    label1->setStyleSheet("color: red");
    Label2 = NamedLabel(this, "Label2", QString());
    Label3 = NamedLabel(this, "Label3", "Вы желаете ввести его в базу данных");
    BitBtn1 = NamedButton(this, "BitBtn1", "Да");
    BitBtn2 = NamedButton(this, "BitBtn2", "Нет");
    v->addWidget(label1);
    v->addWidget(Label2);
    v->addWidget(Label3);
    auto* h = new QHBoxLayout;
    h->addWidget(BitBtn1);
    h->addWidget(BitBtn2);
    v->addLayout(h);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormb2::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormb2::BitBtn2Click);
}

void TFormb2::Ask(ResolutionChain* chain) {
    chain_ = chain;
    Label2->setText(DisplayName(chain->name()));
}

void TFormb2::BitBtn1Click() {
    if (GuardQuestion([&] { chain_->AnswerAdd(true); })) done(QDialog::Accepted);
}

void TFormb2::BitBtn2Click() {
    // "No" puts the name on the ignore list; a failure to write it is raised
    // by the resolution once the dialog is closed.
    GuardQuestion([&] { chain_->AnswerAdd(false); });
    done(QDialog::Rejected);
}

}  // namespace rw
