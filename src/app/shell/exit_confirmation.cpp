#include "shell/exit_confirmation.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/welcome_window.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName("Form3");
    setWindowTitle(QString(16, ' ') + "Выход из программы");
    SetFrameWithoutIcons(this);

    Label1 = NamedLabel(this, "Label1", "Уважаемый пользователь !");
    Label2 = NamedLabel(this, "Label2", "Вы действительно решили");
    Label3 = NamedLabel(this, "Label3", "завершить работу ?");
    QFont big = Label1->font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    big.setBold(true);
    Label1->setFont(big);
    for (QLabel* l : {Label1, Label2, Label3}) l->setAlignment(Qt::AlignCenter);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogYesButton), "Да", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setToolTip("Выход из программы");
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogNoButton), "Нет", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setToolTip("Вернуться к работе программы");
    BitBtn2->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 16);
    layout->addWidget(Label1);
    layout->addSpacing(8);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addSpacing(16);
    layout->addLayout(CentredButtonRow({BitBtn1, BitBtn2}, 24));
    setMinimumWidth(340);
    CentreOnScreen(this);

    // The confirmation goes away whatever "Да" meets: after a failed deletion
    // the message is shown and the user is back in the program.
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        done(QDialog::Accepted);
        RunHandler(this, [this] { BitBtn1Click(); });
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TForm3::BitBtn1Click() {
    DeleteBakFiles(Context().baseFolder);
    W().form1->close();
}

void TForm3::BitBtn2Click() { done(QDialog::Rejected); }

}  // namespace rw
