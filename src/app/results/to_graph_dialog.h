#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace rw {

// "Добавить дату": asks for the date under which the last deactivation value
// is stored. Created for one question and destroyed after it.
class TToGr : public QDialog {
    Q_OBJECT
public:
    explicit TToGr(QWidget* parent = nullptr);

    // The typed date: day and month of one or two digits, a year of two to
    // four, the blanks of unfilled positions removed.
    QString DateText() const;

    QLabel* Label1 = nullptr;
    QLineEdit* Dt = nullptr;          // masked date entry, "01.01.2000" at first
    QPushButton* BitBtn1 = nullptr;   // OK
    QPushButton* BitBtn2 = nullptr;   // Cancel
};

}  // namespace rw
