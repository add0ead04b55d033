#include "results/calibration_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/configuration.h"
#include "results/result_views.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"

namespace rw {

namespace {

// The user types at most eight characters; a longer text put in by the
// deactivation calculation stays whole.
constexpr int kTypedLimit = 8;

}  // namespace

TForm11::TForm11(QWidget* parent) : QDialog(parent) {
    setObjectName("Form11");
    setWindowTitle(WorkingConfiguration() ? QStringLiteral("Результаты проведенных расчетов")
                                          : QString(31, QLatin1Char(' ')) + "Результаты проведенных расчетов ");
    SetFrameWithoutIcons(this);

    FieldGrid grid(10);
    auto value = [&](const char* captionName, const QString& caption, const char* name, const char* unitName,
                     const QString& unit) {
        QLabel* captionLabel = NamedLabel(this, captionName, caption);
        QLabel* label = NamedLabel(this, name, QString());
        label->setMinimumWidth(70);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        return grid.AddRow(captionLabel, label, unitName ? NamedLabel(this, unitName, unit) : nullptr);
    };
    Label9 = value("Label1", "Экспериментальная концентрация ароматики", "Label9", "Label2", ", % вес.");
    Label10 = value("Label3", "Расчетная концентрация ароматики", "Label10", "Label4", ", % вес.");
    Label14 = value("Label5", "Хлора на катализаторе в Р-202", "Label14", nullptr, {});
    Label15 = value("Label6", "Хлора на катализаторе в Р-203", "Label15", nullptr, {});
    Label16 = value("Label7", "Хлора на катализаторе в Р-204", "Label16", nullptr, {});
    auto edit = [&](const char* captionName, const QString& caption, const char* name) {
        QLineEdit* e = grid.AddEdit(this, captionName, caption, name);
        LimitTypedLength(e, kTypedLimit);
        e->setMaximumWidth(90);
        return e;
    };
    Edit1 = edit("Label8", "Подача хлорорганики в Р-202, условных единиц (у.е.)", "Edit1");
    Edit2 = edit("Label11", "Подача хлорорганики в Р-203, условных единиц (у.е.)", "Edit2");
    Edit3 = edit("Label12", "Подача хлорорганики в Р-204, условных единиц (у.е.)", "Edit3");
    Edit4 = edit("Label13", "Активность катализатора, (у.е)", "Edit4");

    BitBtn2 = NamedButton(this, "BitBtn2", "Продолжить расчет");
    BitBtn2->setToolTip("Продолжить проведение расчетов с измененными параметрами");
    BitBtn1 = NamedButton(this, "BitBtn1", "Закончить расчет");
    BitBtn1->setToolTip("Закончить расчет");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid.layout());
    layout->addSpacing(8);
    layout->addLayout(ButtonRow({BitBtn2, BitBtn1}));
    CentreOnScreen(this);

    connect(Edit1, &QLineEdit::textChanged, this, &TForm11::Edit1Change);
    connect(Edit2, &QLineEdit::textChanged, this, &TForm11::Edit2Change);
    connect(Edit3, &QLineEdit::textChanged, this, &TForm11::Edit3Change);
    connect(Edit4, &QLineEdit::textChanged, this, &TForm11::Edit4Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm11::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm11::BitBtn2Click);
}

bool TForm11::Calibrate(const CalibrationView& view, std::array<std::string, 4>& edits) {
    auto text = [](const std::string& utf8) { return QString::fromStdString(utf8); };
    Label9->setText(text(view.experimentalAromatics));
    Label10->setText(text(view.calculatedAromatics));
    Label14->setText(text(view.chlorine[0]));
    Label15->setText(text(view.chlorine[1]));
    Label16->setText(text(view.chlorine[2]));
    QLineEdit* fields[4] = {Edit1, Edit2, Edit3, Edit4};
    for (size_t i = 0; i < 4; ++i) fields[i]->setText(text(edits[i]));
    // Filling the edits counts as a change; the user has not changed anything yet.
    BitBtn2->setEnabled(false);
    const bool again = ui::ExecModal(this) == QDialog::Accepted;
    for (size_t i = 0; i < 4; ++i) edits[i] = fields[i]->text().toStdString();
    return again;
}

void TForm11::FilterEdit(QLineEdit* edit) {
    const QString text = edit->text();
    const QString filtered = QString::fromStdString(StripToPlainNumber(text.toStdString()));
    if (filtered != text) {
        // Typing goes on where it was, less the characters taken out before it.
        int cursor = edit->cursorPosition() - static_cast<int>(text.size() - filtered.size());
        edit->setText(filtered);  // a change again: this handler runs once more and finds nothing
        edit->setCursorPosition(std::max(0, cursor));
    }
    BitBtn2->setEnabled(true);
}

void TForm11::Edit1Change() { FilterEdit(Edit1); }
void TForm11::Edit2Change() { FilterEdit(Edit2); }
void TForm11::Edit3Change() { FilterEdit(Edit3); }
void TForm11::Edit4Change() { FilterEdit(Edit4); }

void TForm11::BitBtn1Click() { reject(); }
void TForm11::BitBtn2Click() { accept(); }

}  // namespace rw
