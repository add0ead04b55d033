#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace rw {

// "мастер расчетов", second step: the fractional composition of the new date
// is asked for next.
class TForm18 : public QDialog {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button1 = nullptr;  // "Назад"
    QPushButton* Button2 = nullptr;  // "Далее"

public slots:
    // Back to the first step.
    void Button1Click();
    // Sets the wizard flag and opens the fractional-composition window.
    // Throws what that throws.
    void Button2Click();
};

}  // namespace rw
