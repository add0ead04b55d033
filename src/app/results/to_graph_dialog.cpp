#include "results/to_graph_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/regional.h"
#include "shell/form_fields.h"
#include "shell/window_helpers.h"

namespace rw {

TToGr::TToGr(QWidget* parent) : QDialog(parent) {
    setObjectName("ToGr");
    setWindowTitle("Добавить дату");
    SetFrameWithoutIcons(this);

    Label1 = NamedLabel(this, "Label1", "Введите дату, за которую добавить дезактивацию");
    Dt = new QLineEdit(this);
    Dt->setObjectName("Dt");
    // Day and month: an optional digit before a required one; the year: two
    // required digits and two optional ones. The separators are the date
    // separator of the regional settings.
    const QString sep(QChar::fromLatin1(Regional().dateSeparator));
    Dt->setInputMask("09" + sep + "09" + sep + "9900;_");
    Dt->setText("01" + sep + "01" + sep + "2000");
    Dt->setMaximumWidth(110);

    BitBtn1 = NamedButton(this, "BitBtn1", "OK");
    BitBtn1->setDefault(true);
    BitBtn2 = NamedButton(this, "BitBtn2", "Cancel");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Dt, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    CentreOnScreen(this);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

QString TToGr::DateText() const {
    QString text = Dt->text();
    text.remove(QLatin1Char(' '));
    return text;
}

}  // namespace rw
