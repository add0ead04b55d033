#pragma once
#include <QDialog>
#include <string>

class QLabel;
class QPushButton;

namespace rw {

// "Рекомендации": the state of the catalyst after the last run and the
// chlorine-organics feed that holds its chlorine. Everything is worked out
// again each time the window is shown (FormCreate runs on every showing).
class TAdvice : public QDialog {
    Q_OBJECT
public:
    explicit TAdvice(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;  // "Активность катализатора:"
    QLabel* AKt = nullptr;
    QLabel* Label3 = nullptr;  // "Число крекинга"
    QLabel* Nm = nullptr;
    QLabel* reas = nullptr;    // the reason
    QLabel* ad = nullptr;      // the advice
    QLabel* Label2 = nullptr;  // "Рекомендуемая подача:"
    QLabel* Label5 = nullptr;  // the doses
    QPushButton* Button1 = nullptr;  // "Далее"

public slots:
    // Works everything out from the results of the last run, the plant's
    // coefficient files and the conditions form. A coefficient file that is
    // missing, a form text that is not a number or a division by zero throws
    // UserError; the activity, cracking number and advice are shown by then,
    // and the dose lines are cleared rather than left from an earlier plant
    // or run.
    void FormCreate();
    void Button1Click();

public:
    // The doses as last worked out (DosingText); empty before, or when they
    // could not be.
    const std::string& DosingShown() const { return dosingText_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::string dosingText_;
};

}  // namespace rw
