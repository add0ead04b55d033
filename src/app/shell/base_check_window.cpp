#include "shell/base_check_window.h"
#include "shell/dialog_builders.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/files.h"
#include "shell/form_fields.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"

namespace rw {

BaseCheckWindow::BaseCheckWindow(const QString& report, bool stopsCalculation, QWidget* parent) : QDialog(parent) {
    setObjectName("BaseCheckWindow");
    setWindowTitle("Проверка базовой папки");
    resize(860, 560);
    auto* verdict = NamedLabel(this, "Verdict",
                               stopsCalculation ? "Найдены ошибки, из-за которых расчет не выполнится (ОШИБКА в отчете)."
                                                : "Ошибок, мешающих расчету, не найдено.");
    ReportText = new QPlainTextEdit(this);
    ReportText->setObjectName("ReportText");
    ReportText->setReadOnly(true);
    ReportText->setLineWrapMode(QPlainTextEdit::NoWrap);
    ReportText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ReportText->setPlainText(report);
    CopyButton = NamedButton(this, "CopyButton", "Копировать");
    SaveButton = NamedButton(this, "SaveButton", "Сохранить...");
    CloseButton = NamedButton(this, "CloseButton", "Закрыть");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(verdict);
    layout->addWidget(ReportText, 1);
    layout->addLayout(ButtonRow({CopyButton, SaveButton}, {CloseButton}));
    connect(CopyButton, &QPushButton::clicked, this, [this] { OnCopyClicked(); });
    ConnectHandler(SaveButton, &QPushButton::clicked, this, [this] { OnSaveClicked(); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
}

void BaseCheckWindow::OnCopyClicked() { QApplication::clipboard()->setText(ReportText->toPlainText()); }

void BaseCheckWindow::OnSaveClicked() {
    const QString path = ui::ChooseSaveFile(this, "Сохранение отчета", QDir::homePath(), "Текст (*.txt)", "txt",
                                            "proverka-bazy.txt");
    if (!path.isEmpty()) SaveTo(path);
}

void BaseCheckWindow::SaveTo(const QString& path) const {
    WriteFileAtomic(path.toStdString(), ReportText->toPlainText().toStdString());
}

}  // namespace rw
