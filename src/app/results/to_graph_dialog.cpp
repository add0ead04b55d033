#include "results/to_graph_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/configuration.h"
#include "common/regional.h"
#include "shell/date_field.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/window_helpers.h"

namespace rw {

TToGr::TToGr(QWidget* parent) : QDialog(parent) {
    setObjectName("ToGr");
    setWindowTitle("Добавить дату");
    SetFrameWithoutIcons(this);

    Label1 = NamedLabel(this, "Label1", "Введите дату, за которую добавить дезактивацию");
    Dt = new DateField(QDate(2000, 1, 1), this);
    Dt->setObjectName("Dt");
    Dt->SetCaption(Label1->text());
    // The separators are the date separator of the regional settings.
    const QString sep(QChar::fromLatin1(Regional().dateSeparator));
    Dt->setDisplayFormat("dd" + sep + "MM" + sep + "yyyy");
    Dt->setMaximumWidth(130);

    BitBtn1 = NamedButton(this, "BitBtn1", "OK");
    BitBtn1->setDefault(true);
    BitBtn2 = NamedButton(this, "BitBtn2", "Cancel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Dt, 0, Qt::AlignHCenter);
    layout->addLayout(ButtonRow({BitBtn1, BitBtn2}));
    CentreOnScreen(this);

    // The working configuration reads the date before the dialog closes: a
    // text that is no date is refused and the question stays open.
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        if (WorkingConfiguration() && !Dt->Commit()) return;
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

QString TToGr::DateText() const {
    QString text = Dt->text();
    text.remove(QLatin1Char(' '));
    return text;
}

}  // namespace rw
