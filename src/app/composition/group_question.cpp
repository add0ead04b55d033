#include "composition/group_question.h"
#include "common/configuration.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "composition/component_database.h"
#include "composition/component_resolution.h"
#include "composition/question_errors.h"
#include "composition/name_display.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"

namespace rw {

TFormb3::TFormb3(QWidget* parent) : QDialog(parent) {
    QVBoxLayout* v = BuildQuestionFrame(this, "Formb3", "Группа вещества");
    Label1 = NamedLabel(this, "Label1", "В какую группу отнести данное вещество:");
    Label2 = NamedLabel(this, "Label2", QString());
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    RadioGroup1 = new QGroupBox(this);
    RadioGroup1->setObjectName("RadioGroup1");
    auto* rv = new QVBoxLayout(RadioGroup1);
    for (int g = 1; g <= 5; ++g) {
        RadioButton[g - 1] = new QRadioButton(QString::fromUtf8(GroupCaption(g)), RadioGroup1);
        RadioButton[g - 1]->setObjectName(QString("RadioButton%1").arg(g));
        rv->addWidget(RadioButton[g - 1]);
    }
    BitBtn1 = NamedButton(this, "BitBtn1", "OK");
    v->addWidget(Label1);
    v->addWidget(Label2);
    v->addWidget(RadioGroup1);
    v->addWidget(BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormb3::BitBtn1Click);
}

void TFormb3::Ask(ResolutionChain* chain) {
    chain_ = chain;
    Label2->setText(DisplayName(chain->name()));
}

void TFormb3::BitBtn1Click() {
    int radio = 0;
    for (int g = 1; g <= 5; ++g) {
        if (RadioButton[g - 1]->isChecked()) radio = g;
    }
    bool accepted = false;
    // Without any group there is no file to write to: a choice is required.
    if (!GuardQuestion([&] { accepted = chain_->ConfirmGroup(radio); }) || accepted) done(QDialog::Accepted);
    else ExplainRefusal(this, "Выберите группу, к которой относится вещество.");
}

}  // namespace rw
