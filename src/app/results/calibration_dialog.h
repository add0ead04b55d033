#pragma once
#include <QDialog>

#include <array>
#include <string>

#include "runs/sample_run.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace rw {

// The calibration dialog of the deactivation calculation: after each model
// run it shows the aromatics and the chlorine on the catalyst, and lets the
// user change the chlorine-organics feeds and the activity before the next
// run. Accepted: "Продолжить расчет"; rejected: "Закончить расчет".
class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);

    // Shows the results of a pass and, for editing, the four texts of
    // `edits` (dosing of Р-202 to Р-204, activity), modally. `edits` takes
    // the texts as the user left them. True for "Продолжить расчет".
    bool Calibrate(const CalibrationView& view, std::array<std::string, 4>& edits);

    QLabel* Label9 = nullptr;   // experimental aromatics
    QLabel* Label10 = nullptr;  // calculated aromatics
    QLabel* Label14 = nullptr;  // chlorine on catalyst, Р-202
    QLabel* Label15 = nullptr;  // Р-203
    QLabel* Label16 = nullptr;  // Р-204
    QLineEdit* Edit1 = nullptr;  // chlorine-organics feed, Р-202
    QLineEdit* Edit2 = nullptr;  // Р-203
    QLineEdit* Edit3 = nullptr;  // Р-204
    QLineEdit* Edit4 = nullptr;  // activity
    QPushButton* BitBtn2 = nullptr;  // "Продолжить расчет"
    QPushButton* BitBtn1 = nullptr;  // "Закончить расчет"

public slots:
    void Edit1Change();
    void Edit2Change();
    void Edit3Change();
    void Edit4Change();
    void BitBtn1Click();
    void BitBtn2Click();

private:
    // Every change of an edit: a character the plain conversion stops at is
    // removed (the removal is a change again, so this repeats), then
    // "Продолжить расчет" is enabled.
    void FilterEdit(QLineEdit* edit);
};

}  // namespace rw
