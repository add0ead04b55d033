#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace rw {

// Shown while an action waits for the base folder or a shared file that
// another engineer's program holds: who holds it and since when, and
// "Отмена" to give up the action.
class TLockWait : public QDialog {
    Q_OBJECT
public:
    explicit TLockWait(QWidget* parent = nullptr);

    QLabel* Label1;        // the holder, as the lock file records it
    QPushButton* Button1;  // "Отмена"

    bool Cancelled() const { return cancelled_; }
    // A new wait: the holder's text shown, not cancelled.
    void StartWait(const QString& heldMessage);
    void EndWait();

private:
    bool cancelled_ = false;
};

// Makes the program wait for locks without a time limit, with the window
// above, and tell the user in a message when it takes over a lock a dead
// program left behind.
void InstallLockWaiting();
// The waiting window, created on first use.
TLockWait* LockWaitWindow();

}  // namespace rw
