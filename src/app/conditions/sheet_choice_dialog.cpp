#include "conditions/sheet_choice_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/window_helpers.h"

namespace rw {

SheetChoiceDialog::SheetChoiceDialog(QWidget* parent, const std::vector<std::string>& names, size_t preselected)
    : QDialog(parent) {
    setObjectName("SheetChoiceDialog");
    setWindowTitle("Выбор листа");
    SetFrameWithoutIcons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NamedLabel(this, "Caption", "В книге несколько листов. Выберите лист с данными:"));
    SheetList = new QListWidget(this);
    SheetList->setObjectName("SheetList");
    for (const std::string& name : names) SheetList->addItem(QString::fromStdString(name));
    SheetList->setCurrentRow(static_cast<int>(preselected < names.size() ? preselected : 0));
    layout->addWidget(SheetList);
    QPushButton* ok = NamedButton(this, "OK", "OK");
    QPushButton* cancel = NamedButton(this, "Cancel", "Отмена");
    ok->setDefault(true);
    layout->addLayout(ButtonRow({ok, cancel}));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(SheetList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(320, 260);
}

size_t SheetChoiceDialog::ChosenSheet() const {
    const int row = SheetList->currentRow();
    return row < 0 ? 0 : static_cast<size_t>(row);
}

}  // namespace rw
