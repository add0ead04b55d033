#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace rw {

// Exit confirmation, shown modally (ui::ExecModal) by the welcome window's
// "Выход" and by the plant window's "Выход" and "Назад".
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // "Да": deletes the *.bak files of the base folder and closes the welcome
    // window, which ends the program. Throws UserError with the file-system
    // message when a file cannot be deleted; the program then goes on.
    void BitBtn1Click();
    // "Нет": hides the confirmation; the program goes on.
    void BitBtn2Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

}  // namespace rw
