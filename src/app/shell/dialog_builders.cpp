#include "shell/dialog_builders.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/configuration.h"
#include "shell/form_fields.h"
#include "shell/window_helpers.h"

namespace rw {

QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> leading, std::initializer_list<QWidget*> trailing) {
    auto* row = new QHBoxLayout;
    for (QWidget* w : leading) row->addWidget(w);
    row->addStretch();
    for (QWidget* w : trailing) row->addWidget(w);
    return row;
}

QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> trailing) { return ButtonRow({}, trailing); }

QHBoxLayout* CentredButtonRow(std::initializer_list<QWidget*> buttons, int gap) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    bool first = true;
    for (QWidget* w : buttons) {
        if (!first) row->addSpacing(gap);
        row->addWidget(w);
        first = false;
    }
    row->addStretch();
    return row;
}

FieldGrid::FieldGrid(int horizontalSpacing, Qt::Alignment valueAlignment)
    : grid_(new QGridLayout), valueAlignment_(valueAlignment) {
    if (horizontalSpacing >= 0) grid_->setHorizontalSpacing(horizontalSpacing);
}

void FieldGrid::AddWidgets(QWidget* caption, QWidget* field, QWidget* third) {
    if (caption) grid_->addWidget(caption, row_, 0);
    grid_->addWidget(field, row_, 1, valueAlignment_);
    if (third) grid_->addWidget(third, row_, 2, valueAlignment_);
    ++row_;
}

void FieldGrid::AddHeading(QWidget* caption, QWidget* second, QWidget* third) {
    if (caption) grid_->addWidget(caption, row_, 0);
    grid_->addWidget(second, row_, 1, Qt::AlignRight);
    grid_->addWidget(third, row_, 2, Qt::AlignRight);
    ++row_;
}

void FieldGrid::AddSpanning(QWidget* widget) { grid_->addWidget(widget, row_++, 0, 1, 3); }

QLineEdit* FieldGrid::AddEdit(QWidget* owner, const QString& captionName, const QString& caption,
                              const QString& editName) {
    QLabel* label = NamedLabel(owner, captionName, caption);
    auto* edit = new QLineEdit(owner);
    edit->setObjectName(editName);
    return AddRow(label, edit);
}

WizardStepButtons BuildWizardStep(QDialog* step, const QString& objectName, const QString& backText,
                                  int gapAboveButtons, const std::function<void(QVBoxLayout*)>& fillBody) {
    step->setObjectName(objectName);
    step->setWindowTitle("мастер расчетов");
    SetFrameWithoutIcons(step);
    auto* layout = new QVBoxLayout(step);
    fillBody(layout);
    WizardStepButtons buttons;
    buttons.back = NamedButton(step, "Button1", backText);
    buttons.next = NamedButton(step, "Button2", "Далее");
    buttons.next->setDefault(true);
    layout->addSpacing(gapAboveButtons);
    layout->addLayout(ButtonRow({buttons.back, buttons.next}));
    CentreOnScreen(step);
    return buttons;
}

QVBoxLayout* BuildQuestionFrame(QDialog* question, const QString& objectName, const char* title) {
    question->setObjectName(objectName);
    question->setWindowTitle(WorkingConfiguration() ? QString::fromUtf8(title) : QString());
    question->setModal(true);
    question->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint);
    return new QVBoxLayout(question);
}

}  // namespace rw
