#pragma once
#include <QDialog>

#include "shell/date_field.h"

class QLabel;
class QPushButton;

namespace rw {

// "Добавить дату": asks for the date under which the last deactivation value
// is stored. Created for one question and destroyed after it.
class TToGr : public QDialog {
    Q_OBJECT
public:
    explicit TToGr(QWidget* parent = nullptr);

    // The typed date as it stands, blanks removed.
    QString DateText() const;

    QLabel* Label1 = nullptr;
    DateField* Dt = nullptr;          // the date, "01.01.2000" at first
    QPushButton* BitBtn1 = nullptr;   // OK
    QPushButton* BitBtn2 = nullptr;   // Cancel
};

}  // namespace rw
