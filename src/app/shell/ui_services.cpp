#include "shell/ui_services.h"

#include <QDateTime>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QTreeView>
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
// The size, kind and date columns of the file dialog as the working
// configuration shows every other text: Russian words, "." in numbers,
// dates as day.month.year. Qt's own texts for them follow the system locale
// and are left in English by its translations.
class RussianFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || index.column() == 0) return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        switch (index.column()) {
            case 1: return info.isDir() ? QString() : FileSizeText(info.size());
            case 2: return FileKindText(info);
            case 3: return info.lastModified().toString("dd.MM.yyyy hh:mm");
            default: return QIdentityProxyModel::data(index, role);
        }
    }
};

}  // namespace

QString FileSizeText(qint64 bytes) {
    if (bytes < 1024) return QStringLiteral("%1 байт").arg(bytes);
    const char* units[] = {"КБ", "МБ", "ГБ"};
    double value = double(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 2) {
        value /= 1024;
        ++unit;
    }
    return QString::number(value, 'f', 1) + " " + QString::fromUtf8(units[unit]);
}

QString FileKindText(const QFileInfo& info) {
    if (info.isDir()) return QStringLiteral("Папка");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("Файл") : QStringLiteral("Файл %1").arg(suffix.toLower());
}

void PrepareFileDialog(QFileDialog& dialog) {
    if (DescribedConfiguration()) return;
    // Qt's own dialog everywhere: a desktop's native one would speak the
    // desktop's language, not the program's.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new RussianFileColumns(&dialog));
    dialog.setViewMode(QFileDialog::Detail);
    dialog.resize(860, 480);
    if (auto* tree = dialog.findChild<QTreeView*>("treeView")) {
        tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < 4; ++c) tree->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
}

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

QMessageBox* NewQuestionBox(QWidget* parent, const QString& title, const QString& text, bool defaultNo) {
    auto* box = new QMessageBox(QMessageBox::Question, BoxTitle(title), text, QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box;
}

void ShowError(QWidget* parent, const QString& text) {
    if (TestHooks().message) return TestHooks().message(text);
    std::unique_ptr<QMessageBox> box(NewErrorBox(parent, text));
    box->exec();
}

bool AskYesNo(QWidget* parent, const QString& title, const QString& text, bool defaultNo) {
    if (TestHooks().yesNo) return TestHooks().yesNo(text);
    std::unique_ptr<QMessageBox> box(NewQuestionBox(parent, title, text, defaultNo));
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
    if (DescribedConfiguration()) return QFileDialog::getOpenFileName(parent, shown, start, filter);
    QFileDialog dlg(parent, shown, folder, filter);
    dlg.setFileMode(QFileDialog::ExistingFile);
    PrepareFileDialog(dlg);
    if (!fileName.isEmpty()) dlg.selectFile(fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
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
    PrepareFileDialog(dlg);
    if (!fileName.isEmpty()) dlg.selectFile(fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

int ExecModal(QDialog* dialog) {
    if (TestHooks().modal) return TestHooks().modal(dialog);
    return dialog->exec();
}

}  // namespace rw::ui
