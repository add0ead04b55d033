#include "composition/candidate_choice.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/codepage.h"
#include "composition/component_resolution.h"
#include "composition/name_display.h"
#include "composition/question_errors.h"
#include "shell/form_fields.h"

namespace rw {

TAddSub::TAddSub(QWidget* parent) : QDialog(parent) {
    setObjectName("AddSub");
    setWindowTitle("Уточнение названия компонента");
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    ima = NamedLabel(this, "ima", QString());
    QFont f = ima->font();
    f.setBold(true);
    f.setUnderline(true);
    ima->setFont(f);
    Label1 = NamedLabel(this, "Label1", "Выберите наиболее подходящее название для вещества:");
    List = new QListWidget(this);
    List->setObjectName("List");
    Button1 = NamedButton(this, "Button1", "Далее");
    auto* v = new QVBoxLayout(this);
    v->addWidget(ima);
    v->addWidget(Label1);
    v->addWidget(List);
    v->addWidget(Button1);
    connect(Button1, &QPushButton::clicked, this, &TAddSub::Button1Click);
    connect(List, &QListWidget::itemDoubleClicked, this, &TAddSub::Button1Click);
}

void TAddSub::Ask(ResolutionChain* chain) {
    chain_ = chain;
    ima->setText(DisplayName(chain->name()));
    List->clear();
    for (const auto& c : chain->candidates()) List->addItem(QString::fromStdString(Cp1251ToUtf8(c.text)));
}

void TAddSub::Button1Click() {
    int row = List->selectedItems().isEmpty() ? -1 : List->currentRow();
    bool accepted = false;
    // Without a selected row there is no model component: a choice is required.
    if (!GuardQuestion([&] { accepted = chain_->ConfirmCandidate(row); }) || accepted) done(QDialog::Accepted);
    else ExplainRefusal(this, "Выберите название вещества в списке.");
}

}  // namespace rw
