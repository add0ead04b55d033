#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace rw {

// "мастер расчетов", first step of the calculation by the fractional
// composition: the user is told to pick the base sampling date, the one
// nearest to the date of the fractional composition.
class TForm17 : public QDialog {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Выход"
    QPushButton* Button2 = nullptr;  // "Далее"

public slots:
    void Button1Click();
    // Closes the window, runs data selection and shows the next step
    // modally. Throws what data selection throws.
    void Button2Click();
};

}  // namespace rw
