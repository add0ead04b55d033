#include "shell/form_fields.h"
#include "shell/lock_waiting.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/file_lock.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"

namespace rw {
namespace {

constexpr int kEventSliceMs = 50;

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

TLockWait::TLockWait(QWidget* parent) : QDialog(parent) {
    setObjectName("TLockWait");
    setWindowTitle("Ожидание");
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto* caption = NamedLabel(this, "Label2", "Другой расчет или другая программа на этой базовой папке ещё не закончили работу.");
    Label1 = NamedLabel(this, "Label1", QString());
    Label1->setWordWrap(true);
    Label1->setMinimumHeight(Label1->fontMetrics().lineSpacing() * 2);
    Button1 = NamedButton(this, "Button1", "Отмена");
    layout->setSpacing(12);
    layout->addWidget(caption);
    layout->addWidget(Label1);
    layout->addWidget(Button1, 0, Qt::AlignRight);
    setMinimumWidth(480);
    connect(Button1, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

void TLockWait::StartWait(const QString& heldMessage) {
    if (Label1->text() != heldMessage) {
        Label1->setText(heldMessage);
        // The wrapped holder text needs its height before the window is laid out.
        adjustSize();
    }
    if (!isVisible()) {
        cancelled_ = false;
        CentreOnScreen(this);
        show();
    }
}

void TLockWait::EndWait() {
    hide();
    Label1->clear();
}

TLockWait* LockWaitWindow() {
    static TLockWait* window = new TLockWait();
    return window;
}

void InstallLockWaiting() {
    LockWaitPolicy& policy = LockWaiting();
    policy.timeoutSeconds = -1;
    policy.onWait = [](const std::string& held) {
        TLockWait* window = LockWaitWindow();
        window->StartWait(Text(held));
        QCoreApplication::processEvents(QEventLoop::AllEvents, kEventSliceMs);
        return !window->Cancelled();
    };
    policy.onWaitEnd = [] { LockWaitWindow()->EndWait(); };
    policy.onNotice = [](const std::string& notice) {
        // The holder named in the waiting window is the dead one.
        LockWaitWindow()->EndWait();
        ui::ShowMessage(nullptr, Text(notice));
    };
}

}  // namespace rw
