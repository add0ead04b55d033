#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace rw {

// "мастер расчетов", a step about the technological conditions of the new
// date. The wizard goes from the fractional composition straight to the
// conditions form, so nothing shows this window; it is kept with its texts
// and its way back.
class TForm19 : public QDialog {
    Q_OBJECT
public:
    explicit TForm19(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Button1 = nullptr;  // "Назад"
    QPushButton* Button2 = nullptr;  // "Далее", no action

public slots:
    void Button1Click();
    void Button2Click();
};

}  // namespace rw
