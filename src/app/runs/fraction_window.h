#pragma once
#include <QDialog>
#include <array>

#include "runs/fraction_calculation.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace rw {

// "Фракционный состав": the fractional composition of the feed for a new
// sampling date, typed beside the values of the last sample that had one.
class Tfrak1 : public QDialog {
    Q_OBJECT
public:
    explicit Tfrak1(QWidget* parent = nullptr);

    // The six edits and last-sample labels in file order: initial boiling
    // point, 10 %, 50 %, 90 %, end point, density.
    const std::array<QLineEdit*, kFractionValues>& ValueEdits() const { return edits_; }
    const std::array<QLabel*, kFractionValues>& LastSampleLabels() const { return lastSample_; }
    // The texts of the six edits as typed.
    FractionTexts TypedTexts() const;
    // The last sample's values into both the edits and the labels, and Label5.
    void ShowLastSample(const FractionWindowTexts& texts);

    QLabel* Label1 = nullptr;   // "Ввод данных по фракционному составу сырья"
    QLabel* Label5 = nullptr;   // "Дата последнего отбора:" + name
    QLabel* Label14 = nullptr;  // "Дата отбора"
    QLineEdit* DateFr = nullptr;
    QLabel* Label3 = nullptr;   // "НК"
    QLabel* Label4 = nullptr;   // "10%"
    QLabel* Label7 = nullptr;   // "50%"
    QLabel* Label12 = nullptr;  // "90%"
    QLabel* Label13 = nullptr;  // "КК"
    QLabel* Label2 = nullptr;   // "Плотность сырья, г/см3"
    // The last sample's values (b1..b6) and the new date's (Edit...), row by row:
    QLabel *b1 = nullptr, *b2 = nullptr, *b3 = nullptr, *b4 = nullptr, *b5 = nullptr, *b6 = nullptr;
    QLineEdit* Edit1 = nullptr;   // initial boiling point, °C
    QLineEdit* Edit2 = nullptr;   // 10 % distilled, °C
    QLineEdit* Edit6 = nullptr;   // 50 % distilled, °C
    QLineEdit* Edit10 = nullptr;  // 90 % distilled, °C
    QLineEdit* Edit11 = nullptr;  // end point, °C
    QLineEdit* Edit12 = nullptr;  // feed density, g/cm3
    QPushButton* Button1 = nullptr;  // "Сохранить"
    QPushButton* Button2 = nullptr;  // "Нет"

public slots:
    // "Сохранить": the new date's composition file and the way on to its
    // conditions. Throws UserError; the window then stays open, with the
    // sample name and data folder already switched to the new date.
    void Button1Click();
    void Button2Click();

private:
    std::array<QLineEdit*, kFractionValues> edits_{};
    std::array<QLabel*, kFractionValues> lastSample_{};
};

}  // namespace rw
