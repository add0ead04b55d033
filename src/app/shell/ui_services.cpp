#include "shell/ui_services.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include <memory>

#include "common/configuration.h"

namespace rw::ui {

namespace {
// The English captions the windows pass for the message boxes are those of
// the described configuration; the working one speaks Russian throughout.
QString BoxTitle(const QString& title) {
    if (DescribedConfiguration()) return title;
    if (title == QLatin1String("Error")) return QStringLiteral("Ошибка");
    if (title == QLatin1String("Warning")) return QStringLiteral("Предупреждение");
    if (title == QLatin1String("Confirm")) return QStringLiteral("Подтверждение");
    if (title == QLatin1String("Information") || title.isEmpty()) return QStringLiteral("Сообщение");
    return title;
}
}  // namespace

Hooks& TestHooks() {
    static Hooks hooks;
    return hooks;
}

void ShowMessage(QWidget* parent, const QString& text) {
    if (TestHooks().message) return TestHooks().message(text);
    QMessageBox box(QMessageBox::NoIcon, BoxTitle(QString()), text, QMessageBox::Ok, parent);
    box.exec();
}

QMessageBox* NewErrorBox(QWidget* parent, const QString& text) {
    return new QMessageBox(QMessageBox::Critical, BoxTitle(QStringLiteral("Error")), text, QMessageBox::Ok, parent);
}

QMessageBox* NewQuestionBox(QWidget* parent, const QString& title, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Question, BoxTitle(title), text, QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(QMessageBox::Yes);
    return box;
}

void ShowError(QWidget* parent, const QString& text) {
    if (TestHooks().message) return TestHooks().message(text);
    std::unique_ptr<QMessageBox> box(NewErrorBox(parent, text));
    box->exec();
}

bool AskYesNo(QWidget* parent, const QString& title, const QString& text) {
    if (TestHooks().yesNo) return TestHooks().yesNo(text);
    std::unique_ptr<QMessageBox> box(NewQuestionBox(parent, title, text));
    return box->exec() == QMessageBox::Yes;
}

std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& prompt, const QString& initial) {
    if (TestHooks().text) return TestHooks().text(prompt, initial);
    bool ok = false;
    QString s = QInputDialog::getText(parent, BoxTitle(title), prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return s;
}

QString ChooseOpenFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
                       const QString& fileName) {
    if (TestHooks().openFile) return TestHooks().openFile(title, folder);
    QString start = fileName.isEmpty() ? folder : folder + "/" + fileName;
    const QString shown = title.isEmpty() && WorkingConfiguration() ? QStringLiteral("Открытие файла") : title;
    return QFileDialog::getOpenFileName(parent, shown, start, filter);
}

QString ChooseFolder(QWidget* parent, const QString& title, const QString& folder) {
    if (TestHooks().folder) return TestHooks().folder(title, folder);
    return QFileDialog::getExistingDirectory(parent, title, folder);
}

QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
                       const QString& defaultSuffix, const QString& fileName) {
    if (TestHooks().saveFile) return TestHooks().saveFile(title, folder);
    QFileDialog dlg(parent, title, folder, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(defaultSuffix);
    if (!fileName.isEmpty()) dlg.selectFile(fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

int ExecModal(QDialog* dialog) {
    if (TestHooks().modal) return TestHooks().modal(dialog);
    return dialog->exec();
}

}  // namespace rw::ui
