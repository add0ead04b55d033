#pragma once
#include <QDialog>

#include <exception>
#include <string>

class QLabel;
class QPushButton;

namespace rw {

class ResolutionChain;

// "Данное вещество не найдено в базе данных": should the substance enter the
// database? "No" puts it on the ignore list.
class TFormb2 : public QDialog {
    Q_OBJECT
public:
    explicit TFormb2(QWidget* parent = nullptr);
    // Shows the name of the chain's current question (in the editor's code page).
    void Ask(ResolutionChain* chain);
    void reject() override {}  // no way out without an answer

    QLabel* label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

public slots:
    void BitBtn1Click();
    void BitBtn2Click();

private:
    ResolutionChain* chain_ = nullptr;
};

}  // namespace rw
