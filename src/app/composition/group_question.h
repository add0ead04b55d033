#pragma once
#include <QDialog>

#include <string>

class QLabel;
class QPushButton;
class QGroupBox;
class QRadioButton;

namespace rw {

class ResolutionChain;

// "В какую группу отнести данное вещество:" - the hydrocarbon group of a new
// substance. The group chosen last stays chosen for the next question.
class TFormb3 : public QDialog {
    Q_OBJECT
public:
    explicit TFormb3(QWidget* parent = nullptr);
    // Shows the chain's name; the radio button of the group chosen last stays selected.
    void Ask(ResolutionChain* chain);
    void reject() override {}

    QLabel* Label1;
    QLabel* Label2;
    QGroupBox* RadioGroup1;
    QRadioButton* RadioButton[5];
    QPushButton* BitBtn1;

public slots:
    void BitBtn1Click();

private:
    ResolutionChain* chain_ = nullptr;
};

}  // namespace rw
