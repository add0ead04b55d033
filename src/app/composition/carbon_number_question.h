#pragma once
#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace rw {

class ResolutionChain;

// "Сколько атомов углерода содержит данное вещество?" - the carbon number
// of a new substance; only "3" to "13" (first two characters) are accepted.
class TFormb4 : public QDialog {
    Q_OBJECT
public:
    explicit TFormb4(QWidget* parent = nullptr);
    void Ask(ResolutionChain* chain);
    void reject() override {}

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLineEdit* Edit1;  // the carbon number typed
    QPushButton* BitBtn1;

public slots:
    void BitBtn1Click();

private:
    ResolutionChain* chain_ = nullptr;
};

}  // namespace rw
