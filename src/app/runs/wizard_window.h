#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace rw {

// "мастер расчетов", the first step of the calculation by the hydrocarbon
// composition: it tells the user to pick the file of the sampling date;
// "Далее" runs data selection and then the reforming calculation.
class TForm16 : public QDialog {
    Q_OBJECT
public:
    explicit TForm16(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Назад"
    QPushButton* Button2 = nullptr;  // "Далее"

public slots:
    void Button1Click();
    // Closes the window, runs data selection and, when the reforming item of
    // the menu is then enabled, the reforming calculation. Throws what they
    // throw.
    void Button2Click();
};

}  // namespace rw
