#pragma once
#include <QString>
#include <functional>
#include <optional>

class QWidget;
class QDialog;
class QFileDialog;
class QFileInfo;
class QMessageBox;

namespace rw::ui {

// Every message box, question, prompt, file dialog and modal window of the
// program goes through these calls, so that the window tests can answer
// them without a user (see Hooks below).

// A message box with OK.
void ShowMessage(QWidget* parent, const QString& text);
// An error message box (the text of a failed action).
void ShowError(QWidget* parent, const QString& text);
// A question with Yes/No; true for Yes. Enter answers Yes, or No when
// `defaultNo` (a question whose Yes stores a doubtful value).
bool AskYesNo(QWidget* parent, const QString& title, const QString& text, bool defaultNo = false);
// An input prompt; nullopt when cancelled.
std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& prompt, const QString& initial);
// File dialogs; an empty text when cancelled. `filter` is in Qt's notation
// ("Excel (*.xls)").
QString ChooseOpenFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
                       const QString& fileName = {});
QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
                       const QString& defaultSuffix, const QString& fileName = {});
// A folder dialog; an empty text when cancelled.
QString ChooseFolder(QWidget* parent, const QString& title, const QString& folder);
// The error and question boxes as ShowError and AskYesNo show them, not yet
// shown (the screenshots take them); the caller owns them.
QMessageBox* NewErrorBox(QWidget* parent, const QString& text);
QMessageBox* NewQuestionBox(QWidget* parent, const QString& title, const QString& text, bool defaultNo = false);

// The working configuration's file dialogs: Qt's own dialog, never the
// desktop's, with the size, kind and date of each file in Russian ("12.5 КБ",
// "Папка", "Файл dan", "09.12.2026 20:26"). Nothing in the described one.
void PrepareFileDialog(QFileDialog& dialog);
QString FileSizeText(qint64 bytes);
QString FileKindText(const QFileInfo& info);

// Runs a window modally and returns its result code.
int ExecModal(QDialog* dialog);

// Test hooks: when set, they replace the interactive call.
struct Hooks {
    std::function<void(const QString& text)> message;  // ShowMessage and ShowError
    std::function<bool(const QString& text)> yesNo;
    std::function<std::optional<QString>(const QString& prompt, const QString& initial)> text;
    std::function<QString(const QString& title, const QString& folder)> openFile;
    std::function<QString(const QString& title, const QString& folder)> saveFile;
    std::function<QString(const QString& title, const QString& folder)> folder;
    std::function<int(QDialog* dialog)> modal;
};
Hooks& TestHooks();

}  // namespace rw::ui
