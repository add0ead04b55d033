#pragma once
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace rw {

// The report of a base folder check (the same text as `reformer-cli
// check-base`), to read, copy to the clipboard or save as a text file for
// whoever looks after the data.
class BaseCheckWindow : public QDialog {
    Q_OBJECT
public:
    BaseCheckWindow(const QString& report, bool stopsCalculation, QWidget* parent = nullptr);

    QPlainTextEdit* ReportText = nullptr;
    QPushButton* CopyButton = nullptr;   // "Копировать"
    QPushButton* SaveButton = nullptr;   // "Сохранить..."
    QPushButton* CloseButton = nullptr;  // "Закрыть"

    // Saves the report as UTF-8 text; throws UserError when it cannot.
    void SaveTo(const QString& path) const;

private:
    void OnCopyClicked();
    void OnSaveClicked();
};

}  // namespace rw
