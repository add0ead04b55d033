#pragma once
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace rw {

// The help text of the program ("Информация"), shown in a fixed-pitch font.
class TForm10 : public QDialog {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);

    QPlainTextEdit* MemoRez = nullptr;
    QPushButton* BitBtn1 = nullptr;  // "Далее"

public slots:
    void BitBtn1Click();
};

// "Информация": loads помощь.txt of the base folder (code page 866) into the
// help window and shows it modally. A missing file throws
// UserError("File not found") and the window is not opened.
void ShowHelpText();

}  // namespace rw
