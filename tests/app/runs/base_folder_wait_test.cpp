// A calculation started while another program holds the base folder: the
// waiting window names the holder and "Отмена" gives the action up.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

#include "common/file_lock.h"
#include "common/files.h"
#include "shell/lock_waiting.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

// Another program: takes the base folder and holds it until it is stopped.
pid_t HoldBaseFolder(const std::string& base) {
    const pid_t pid = fork();
    if (pid == 0) {
        BaseFolderLock lock(base);
        pause();
        _exit(0);
    }
    while (!std::filesystem::exists(ToNative(BaseFolderLockPath(base)))) usleep(10000);
    return pid;
}

}  // namespace

class BaseFolderWaitTest : public QObject {
    Q_OBJECT
private slots:
    void WaitingWindowNamesTheHolderAndCancels() {
        StartedProgram program;
        DialogAnswers answers;
        SelectPlant(Context(), 11);
        FinishPlantSelection(Context(), 11);
        const pid_t holder = HoldBaseFolder(Context().baseFolder);
        QVERIFY(holder > 0);

        QString shown;
        bool wasVisible = false;
        QTimer::singleShot(300, [&] {
            TLockWait* wait = LockWaitWindow();
            wasVisible = wait->isVisible();
            shown = wait->Label1->text();
            QTest::mouseClick(wait->Button1, Qt::LeftButton);
        });
        W().form5->N21->trigger();  // "Подачи хлорорганики" needs the base folder
        kill(holder, SIGKILL);
        waitpid(holder, nullptr, 0);

        QVERIFY(wasVisible);
        QVERIFY2(shown.startsWith("Базовая папка занята: с "), qPrintable(shown));
        QVERIFY2(shown.contains(QString("процесс %1.").arg(holder)), qPrintable(shown));
        QVERIFY(!LockWaitWindow()->isVisible());
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY2(answers.messages[0].endsWith("Ожидание отменено."), qPrintable(answers.messages[0]));
    }
};

QTEST_MAIN(BaseFolderWaitTest)
#include "base_folder_wait_test.moc"
