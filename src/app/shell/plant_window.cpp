#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/plant_window.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <QCloseEvent>

#include "common/configuration.h"
#include "common/errors.h"
#include "conditions/conditions_form.h"
#include "shell/exit_confirmation.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/plant_table.h"
#include "shell/welcome_window.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

// The conditions form of the Hornel unit has a fourth reactor column and its
// own scheme.
constexpr int kExtendedPlantRow = 11;

}  // namespace

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setObjectName("Form4");
    setWindowTitle(QString(17, ' ') + "Выбор установки производства бензинов");
    if (DescribedConfiguration()) SetFrameWithoutIcons(this);

    RadioGroup1 = new QGroupBox(this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1Items = new QButtonGroup(this);
    RadioGroup1Items->setObjectName("RadioGroup1Items");
    auto* list = new QVBoxLayout(RadioGroup1);
    list->setSpacing(2);
    for (int row = 0; row < kPlantCount; ++row) {
        auto* item = new QRadioButton(QString::fromUtf8(PlantTable()[static_cast<size_t>(row)].listCaption),
                                      RadioGroup1);
        item->setObjectName(QString("RadioGroup1Item%1").arg(row));
        RadioGroup1Items->addButton(item, row);
        list->addWidget(item);
    }

    Button1 = NamedButton(this, "Button1", "Выход");
    Button1->setToolTip("Выход из программы");
    Button2 = NamedButton(this, "Button2", "Далее");
    Button2->setToolTip("Дальнейшее продолжение программы");
    Button2->setEnabled(false);
    // Enter is "Далее" once a plant is chosen, never "Выход".
    if (WorkingConfiguration()) Button2->setDefault(true);
    Button3 = NamedButton(this, "Button3", "Назад");
    Button3->setToolTip("Вернуться к предыдущему окну");
    Button4 = NamedButton(this, "Button4", "Отмена");
    Button4->setToolTip("Вернуться к работе с прежней установкой");
    Button4->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addLayout(ButtonRow({Button3}, {Button1, Button4, Button2}));
    setMinimumWidth(460);
    CentreOnScreen(this);

    ConnectHandler(RadioGroup1Items, &QButtonGroup::idClicked, this, [this] { RadioGroup1Click(); });
    ConnectHandler(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    ConnectHandler(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    ConnectHandler(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    ConnectHandler(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
}

int TForm4::ItemIndex() const { return RadioGroup1Items->checkedId(); }

void TForm4::SetItemIndex(int row) {
    // An exclusive group cannot be emptied by unchecking its checked button.
    RadioGroup1Items->setExclusive(false);
    for (QAbstractButton* b : RadioGroup1Items->buttons()) b->setChecked(RadioGroup1Items->id(b) == row);
    RadioGroup1Items->setExclusive(true);
}

QRadioButton* TForm4::Item(int row) const { return qobject_cast<QRadioButton*>(RadioGroup1Items->button(row)); }

QString TForm4::GetNumU() const { return QString::fromStdString(rw::GetNumU(ItemIndex())); }

void TForm4::RadioGroup1Click() {
    int row = ItemIndex();
    if (row < 0) return;
    Button2->setEnabled(true);
    SelectPlant(Context(), row);
}

void TForm4::Button2Click() {
    int row = ItemIndex();
    if (row < 0) return;  // "Далее" is enabled only once a row is chosen
    FinishPlantSelection(Context(), row);
    ShowChosenPlant(row);
}

void TForm4::ShowChosenPlant(int row) {
    ProgramContext& c = Context();
    if (ItemIndex() != row) SetItemIndex(row);
    Button2->setEnabled(true);
    // Another plant: its dates start from nothing the previous plant left in
    // the program, as in a freshly started one.
    const bool otherPlant = WorkingConfiguration() && row != plantInForce_;
    plantInForce_ = row;
    if (otherPlant) {
        ForgetSamplingDate(c);
        ForgetDateInWindows();
    }

    TForm5* main = W().form5;
    main->setWindowTitle(QString::fromStdString(MainWindowCaption(c)));
    main->ClearProgress();
    main->setEnabled(true);
    main->show();
    hide();
    before_.reset();
    if (WorkingConfiguration()) main->ReturnToMainWindow();
    main->OpenDialog1.fileName.clear();

    // The conditions form takes the plant's layout; a scheme picture that
    // cannot be loaded stops "Далее" here, with the main window already shown.
    const bool extended = row == kExtendedPlantRow;
    W().form8->PrepareForPlant(row, BaseFile(extended ? "Basa\\Pic\\1.jpg" : "Basa\\Pic\\2.jpg"));
    main->UpdateActions();
}

void TForm4::Button1Click() { ui::ExecModal(W().form3); }

void TForm4::Button3Click() {
    if (DescribedConfiguration()) {
        ui::ExecModal(W().form3);
        return;
    }
    hide();
    W().form1->show();
}

void TForm4::Button4Click() {
    hide();
    if (before_) {
        const int row = before_->plantIndex;
        Context() = *before_;
        before_.reset();
        // The working copies of the settings files belong to the plant in force.
        if (row >= 0) RunHandler(this, [row] { SelectPlant(Context(), row); });
    }
    W().form5->ReturnToMainWindow();
}

void TForm4::Present() {
    Button2->setEnabled(false);
    SetItemIndex(-1);
    show();
    raise();
    activateWindow();
}

void TForm4::OpenFromMenu() {
    fromMenu_ = true;
    Button1->hide();
    Button3->hide();
    Button4->setVisible(WorkingConfiguration());
    if (WorkingConfiguration()) before_ = std::make_unique<ProgramContext>(Context());
    Present();
}

void TForm4::OpenFromWelcome() {
    fromMenu_ = false;
    Button1->show();
    Button3->show();
    Button4->hide();
    before_.reset();
    Present();
}

void TForm4::GoBack() {
    if (fromMenu_) Button4Click();
    else Button3Click();
}

void TForm4::reject() {
    if (WorkingConfiguration()) GoBack();
}

void TForm4::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (WorkingConfiguration()) GoBack();
}

}  // namespace rw
