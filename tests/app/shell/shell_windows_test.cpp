// The program's spine driven through its windows, offscreen: start-up, the
// main menu, the exit confirmation, plant selection and the welcome pipeline.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <unistd.h>

#include "composition/composition_editor.h"
#include "conditions/conditions_form.h"
#include "shell/about_box.h"
#include "shell/app_start.h"
#include "shell/exit_confirmation.h"
#include "shell/main_window.h"
#include "shell/plant_window.h"
#include "shell/program_context.h"
#include "composition/component_list_editor.h"
#include "shell/welcome_window.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

// These tests drive the described configuration (window_test_support selects it).

QString Blanks(int n) { return QString(n, ' '); }

// Clicks a row of the plant list on its caption, where a user clicks.
void ClickRow(TForm4* plants, int row) {
    QRadioButton* item = plants->Item(row);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(12, item->height() / 2));
}

// Modal answer: press the named button of the dialog, as the user would.
std::function<int(QDialog*)> Press(const char* button) {
    return [button](QDialog* d) {
        Click(d, button);
        return d->result();
    };
}

}  // namespace

class ShellWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void startShowsOnlyTheWelcomeWindow();
    void menuHasEveryItem_data();
    void menuHasEveryItem();
    void hiddenItemsStillRunTheirHandlers();
    void exitNoKeepsEverything();
    void exitYesDeletesOnlyBakFilesOfBaseFolder();
    void exitYesStopsWhenAFileCannotBeDeleted();
    void menuExitEndsWithoutDeleting();
    void programEndsWhateverWindowsAreOpen();
    void plantSelectionThroughTheWindow();
    void plantSelectionErrorsAreShown();
    void welcomePipelineSelectsRow11AndEnds();
    void welcomePipelineStopsAtAFailedDataEntryStep();
    void welcomePipelineErrorBeforeStep6ShowsMainWindow();
    void welcomePipelineErrorFromStep6LeavesWindows();
    void aboutBoxOpensAndCloses();
    void schemePicturesDecode();
};

void ShellWindowsTest::startShowsOnlyTheWelcomeWindow() {
    StartedProgram program;
    // The welcome window's creation puts the base folder below the program.
    W().form1->FormCreate();
    QVERIFY(QString::fromStdString(Context().baseFolder).endsWith("\\bin\\sk"));
    program.base.MakeBaseFolder();
    QCOMPARE(VisibleWindows(), QStringList{"Form1"});

    TForm1* welcome = W().form1;
    QCOMPARE(welcome->windowTitle(), Blanks(32) + "Добро пожаловать");
    QCOMPARE(welcome->Label2->text(), QString("19.10.2007"));
    QCOMPARE(welcome->Button1->text(), QString("Далее"));
    QCOMPARE(welcome->Button1->toolTip(), QString("Дальнейшее продолжение программы"));
    QCOMPARE(welcome->Button2->text(), QString("Выход"));
    QCOMPARE(welcome->Button2->toolTip(), QString("Выход из программы"));
    QVERIFY(!(welcome->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(W().form5->windowState() & Qt::WindowMinimized);
    QCOMPARE(W().form4->windowTitle(), Blanks(17) + "Выбор установки производства бензинов");
    QCOMPARE(W().form3->windowTitle(), Blanks(16) + "Выход из программы");

    // Escape on the welcome window must not end the program.
    QSignalSpy ended(welcome, &QDialog::finished);
    QTest::keyClick(welcome, Qt::Key_Escape);
    QCOMPARE(ended.count(), 0);
    QVERIFY(welcome->isVisible());
    // Nor may the main window be closed behind the menu's back.
    W().form5->show();
    QVERIFY(!W().form5->close());
}

void ShellWindowsTest::menuHasEveryItem_data() {
    QTest::addColumn<QString>("menu");  // "" for the menu bar
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    const bool hidden = false;  // visible only in the working configuration
    struct Row {
        const char* name;
        const char* menu;
        const char* caption;  // nullptr: separator
        QKeySequence shortcut;
        bool visible, enabled;
    };
    const QKeySequence none;
    const Row rows[] = {
        {"N1", "", "Информация", none, hidden, true},
        {"N9", "", "Выбор установки", none, true, true},
        {"N10", "N9", "Выбор установки", none, true, true},
        {"BaseChoice", "N9", "Базовая папка...", none, hidden, true},
        {"BaseCheck", "N9", "Проверка базовой папки", none, hidden, true},
        {"BaseReplay", "N9", "Пересчет истории установки...", none, hidden, true},
        {"N2", "", "Данные", none, true, true},
        {"N12", "N2", "Выбор данных", QKeySequence("Ctrl+O"), true, true},
        {"Bdan", "N2", "Набор данных", QKeySequence("Ctrl+N"), true, true},
        {"N13", "N2", nullptr, QKeySequence("Ctrl+P"), true, true},
        {"N3", "N2", "Набор данных", none, hidden, true},
        {"N4", "N3", "Технологические условия", none, true, true},
        {"N5", "N3", nullptr, none, true, true},
        {"N11", "N3", "Состав сырья и катализата", none, true, true},
        {"N16", "N3", "Фракционный состав", none, true, false},
        {"N7", "", "Расчет", none, hidden, true},
        {"N8", "N7", "Риформинг", none, true, true},
        {"N22", "N7", "Мастер расчетов", none, true, true},
        {"N23", "N22", "Расчет по углеводородному составу", none, true, true},
        {"N24", "N22", "Расчет по фракционному составу", none, true, true},
        {"N21", "N7", "Подачи хлорорганики", none, true, true},
        {"N32", "N7", "Расчет оптимальной активности", none, true, true},
        {"N29", "N7", "Исследование влияния состава сырья", none, true, true},
        {"N19", "N7", "Расчет дизактивации", none, true, true},
        {"N14", "", "Результаты", none, hidden, true},
        {"N15", "N14", "Результаты расчета", none, true, true},
        {"N17", "N14", "Просмотр результатов", none, true, true},
        {"N18", "N14", "Сводная таблица", none, true, true},
        {"N30", "N14", "Отчет", none, true, true},
        {"N25", "N14", nullptr, none, true, true},
        {"N26", "N14", "Выбор результатов", none, true, true},
        {"N27", "N14", "Таблица", none, true, false},
        {"N28", "N14", "Графики", none, true, false},
        {"Gr", "", "Графики", none, hidden, true},
        {"N20", "Gr", "Графическое представление", none, true, true},
        {"N31", "Gr", "График дезактивации", none, true, true},
        {"N6", "", "Выход", QKeySequence("Ctrl+X"), true, true},
        {"About1", "", "About", none, true, true},
        {"About2", "About1", "About", QKeySequence("Ctrl+A"), true, true},
    };
    for (const Row& r : rows)
        QTest::newRow(r.name) << QString(r.menu) << (r.caption ? QString(r.caption) : QString()) << r.shortcut
                              << r.visible << r.enabled;
}

void ShellWindowsTest::menuHasEveryItem() {
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    StartedProgram program;
    TForm5* main = W().form5;
    QAction* item = FindAction(main, QTest::currentDataTag());
    QVERIFY(item);
    QCOMPARE(item->isSeparator(), caption.isEmpty());
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut(), shortcut);
    QCOMPARE(item->isVisible(), visible);
    // A hidden item reports itself disabled; its own state shows once visible.
    if (!visible) item->setVisible(true);
    QCOMPARE(item->isEnabled(), enabled);
    // In its own menu, not merely somewhere in the window.
    QWidget* container = main->menuBar();
    if (!menu.isEmpty()) {
        QAction* owner = FindAction(main, menu);
        QVERIFY(owner && owner->menu());
        container = owner->menu();
    }
    QVERIFY(container->actions().contains(item));
}

void ShellWindowsTest::hiddenItemsStillRunTheirHandlers() {
    StartedProgram program;
    TForm5* main = W().form5;
    main->show();
    // N4 and N11 sit in the hidden submenu N3: not reachable by the user,
    // yet their handlers run when the items are triggered.
    QVERIFY(!main->N3->isVisible());
    main->N4->trigger();
    QVERIFY(W().form8->isVisible());
    QVERIFY(!main->isEnabled());
    QVERIFY(W().form8->Button3->isHidden());
    QVERIFY(!W().form8->Button2->isHidden());
    // The child closing gives the main window back.
    W().form8->hide();
    QVERIFY(main->isEnabled());

    main->N11->trigger();
    QVERIFY(W().form9->isVisible());
    QVERIFY(!main->isEnabled());
    W().form9->hide();
    QVERIFY(main->isEnabled());
}

void ShellWindowsTest::exitNoKeepsEverything() {
    StartedProgram program;
    DialogAnswers answers;
    program.base.write("a.bak", "x");
    QSignalSpy ended(W().form1, &QDialog::finished);
    answers.modal = Press("BitBtn2");
    QVERIFY(Click(W().form1, "Button2"));
    QCOMPARE(answers.modalShown, QList<QDialog*>{W().form3});
    QVERIFY(program.base.exists("a.bak"));
    QCOMPARE(ended.count(), 0);
    QVERIFY(W().form1->isVisible());

    // The plant window's "Выход" and "Назад" ask the same question.
    QVERIFY(Click(W().form4, "Button1"));
    QVERIFY(Click(W().form4, "Button3"));
    QCOMPARE(answers.modalShown.count(), 3);
    QCOMPARE(ended.count(), 0);
}

void ShellWindowsTest::exitYesDeletesOnlyBakFilesOfBaseFolder() {
    StartedProgram program;
    DialogAnswers answers;
    program.base.write("dan.bak", "1");
    program.base.write("Ver.bak", "2");
    program.base.write("keep.txt", "3");
    program.base.write("bak.keep", "4");
    program.base.write("Hornel/inner.bak", "5");
    QSignalSpy ended(W().form1, &QDialog::finished);
    answers.modal = Press("BitBtn1");
    QVERIFY(Click(W().form1, "Button2"));
    QVERIFY(!program.base.exists("dan.bak"));
    QVERIFY(!program.base.exists("Ver.bak"));
    QVERIFY(program.base.exists("keep.txt"));
    QVERIFY(program.base.exists("bak.keep"));
    QVERIFY(program.base.exists("Hornel/inner.bak"));
    QVERIFY(program.base.exists("l90.12"));
    QCOMPARE(ended.count(), 1);  // the program ends
    QVERIFY(answers.messages.isEmpty());
}

void ShellWindowsTest::exitYesStopsWhenAFileCannotBeDeleted() {
    if (geteuid() == 0) QSKIP("file permissions do not hold for root");
    StartedProgram program;
    DialogAnswers answers;
    program.base.write("dan.bak", "1");
    QFile::setPermissions(program.base.path(), QFile::ReadOwner | QFile::ExeOwner);
    QSignalSpy ended(W().form1, &QDialog::finished);
    answers.modal = Press("BitBtn1");
    QVERIFY(Click(W().form1, "Button2"));
    QFile::setPermissions(program.base.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(answers.messages.count(), 1);
    QCOMPARE(ended.count(), 0);  // the program stays
    QVERIFY(W().form1->isVisible());
    QVERIFY(!W().form3->isVisible());
}

void ShellWindowsTest::menuExitEndsWithoutDeleting() {
    StartedProgram program;
    program.base.write("dan.bak", "1");
    W().form5->show();
    QSignalSpy ended(W().form1, &QDialog::finished);
    W().form5->N6->trigger();
    QCOMPARE(ended.count(), 1);
    QVERIFY(!W().form5->isVisible());
    QVERIFY(program.base.exists("dan.bak"));
}

void ShellWindowsTest::programEndsWhateverWindowsAreOpen() {
    // The whole program with its event loop: "Да" asked from the plant
    // window, which refuses to close, must still end the program.
    TempBaseFolder base;
    DialogAnswers answers;
    answers.modal = Press("BitBtn1");
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(20000);
    QTimer::singleShot(0, [&base] {
        base.MakeBaseFolder();
        W().form5->show();
        W().form5->N10->trigger();
        W().form4->Button1->show();
        QVERIFY(Click(W().form4, "Button1"));
    });
    Context() = ProgramContext{};
    int rc = RunProgram(*qApp);
    Context() = ProgramContext{};
    QCOMPARE(rc, 0);
    QCOMPARE(answers.modalShown.count(), 1);
    QVERIFY(W().form1 == nullptr);  // the windows are gone with the program
}

void ShellWindowsTest::plantSelectionThroughTheWindow() {
    StartedProgram program;
    DialogAnswers answers;
    TForm5* main = W().form5;
    TForm4* plants = W().form4;
    main->show();
    main->OpenDialog1.fileName = "old.dan";

    main->N10->trigger();
    QVERIFY(plants->isVisible());
    QVERIFY(!main->isEnabled());
    QVERIFY(main->OpenDialog1.fileName.isEmpty());
    QVERIFY(plants->Button1->isHidden());
    QVERIFY(plants->Button3->isHidden());
    QVERIFY(!plants->Button2->isEnabled());
    QCOMPARE(plants->ItemIndex(), -1);
    QCOMPARE(plants->Item(15)->text(), QString("Жалвинский НПЗ"));

    // Row 15: the list shows one name, the caption carries the stored one.
    ClickRow(plants, 15);
    QVERIFY(plants->Button2->isEnabled());
    QCOMPARE(plants->GetNumU(), QString("16"));
    QCOMPARE(program.base.read("l90"), program.base.read("l90.16"));
    QVERIFY(QDir(program.base.file("Dalmir-Pl/Fr")).exists());
    main->Label1->setText("previous run");
    main->ProgressBar1->show();
    QVERIFY(Click(plants, "Button2"));
    QVERIFY(answers.messages.isEmpty());
    QCOMPARE(main->windowTitle(), " Установка: Дальмирский НПЗ (Платформинг)" + Blanks(8) + Blanks(28) +
                                      "Дата отбора: ");
    QCOMPARE(Context().plantIndex, 15);
    QVERIFY(!plants->isVisible());
    QVERIFY(main->isVisible() && main->isEnabled());
    QVERIFY(main->Label1->text().isEmpty());
    QVERIFY(main->ProgressBar1->isHidden());

    // Opening the window again clears the previous choice.
    main->N10->trigger();
    QCOMPARE(plants->ItemIndex(), -1);
    QVERIFY(!plants->Button2->isEnabled());
    ClickRow(plants, 16);
    QCOMPARE(plants->GetNumU(), QString("17"));
    QVERIFY(Click(plants, "Button2"));
    QCOMPARE(main->windowTitle(), " Установка: Фенборский ЗСК" + Blanks(11) + Blanks(28) + "Дата отбора: ");
    QCOMPARE(QString::fromStdString(Context().plantFolder), QString::fromStdString(program.base.programPath()) +
                                                                "\\Fenbor\\Pelkor");
    QVERIFY(answers.messages.isEmpty());
}

void ShellWindowsTest::plantSelectionErrorsAreShown() {
    StartedProgram program;
    DialogAnswers answers;
    TForm5* main = W().form5;
    TForm4* plants = W().form4;
    main->show();
    program.base.remove("l90.5");
    main->N10->trigger();
    ClickRow(plants, 4);
    QCOMPARE(answers.messages, QStringList{"File not found"});
    QVERIFY(plants->isVisible());  // the user can pick another row

    // A missing scheme picture stops "Далее" with the main window shown.
    answers.messages.clear();
    program.base.remove("Basa/Pic/2.jpg");
    ClickRow(plants, 0);
    QVERIFY(answers.messages.isEmpty());
    QVERIFY(Click(plants, "Button2"));
    QCOMPARE(answers.messages.count(), 1);
    QVERIFY(main->isVisible() && main->isEnabled());
    QVERIFY(!plants->isVisible());
}

void ShellWindowsTest::welcomePipelineSelectsRow11AndEnds() {
    StartedProgram program;
    DialogAnswers answers;
    program.base.write("dan.bak", "1");
    QSignalSpy ended(W().form1, &QDialog::finished);
    QVERIFY(Click(W().form1, "Button1"));

    QCOMPARE(answers.messages, QStringList{});
    QVERIFY(!W().form1->isVisible());
    QVERIFY(!W().form5->N8->isEnabled());
    QVERIFY(!W().form5->N15->isEnabled());
    const ProgramContext& c = Context();
    QCOMPARE(c.modelBaseFolder, c.baseFolder);
    QCOMPARE(c.plantIndex, 11);
    QCOMPARE(c.reactorCount, 4);
    QCOMPARE(program.base.read("l90"), program.base.read("l90.12"));
    QVERIFY(W().form5->windowTitle().startsWith(" Установка: Хорнельский НПЗ (Л-35-11/450К)"));
    // Steps 9 to 13: the sampling date prepared through the windows gives
    // the same files as the headless pipeline, without a single question.
    QFile golden(QString(REFORMER_TEST_DATA) + "/pipeline/01-09-09.sk");
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(program.base.read("Hornel/01-09-09/01-09-09.sk"), golden.readAll());
    QFile dan(QString(REFORMER_SOURCE_DIR) + "/data/bin/sk/Hornel/01-09-09/01-09-09.dan");
    QVERIFY(dan.open(QIODevice::ReadOnly));
    QCOMPARE(program.base.read("Hornel/01-09-09/01-09-09.dan"), dan.readAll());
    QCOMPARE(program.base.read("Hornel/01-09-09/01-09-09.BOK"), program.base.read("Hornel/01-09-09/01-09-09.KAT"));
    QCOMPARE(Context().sampleName, std::string("01-09-09"));
    // Steps 14 and 15: *.bak deleted, welcome and main window closed.
    QVERIFY(!program.base.exists("dan.bak"));
    QCOMPARE(ended.count(), 1);
    QVERIFY(!W().form5->isVisible());
}

void ShellWindowsTest::welcomePipelineStopsAtAFailedDataEntryStep() {
    StartedProgram program;
    DialogAnswers answers;
    program.base.write("dan.bak", "1");
    // A catalyzate sample whose value column is not a number.
    program.base.write("Hornel/01-09-09/01-09-09.KAT", QByteArray("Benzene").leftJustified(43, ' ') + "xx.xxx\r\n");
    QSignalSpy ended(W().form1, &QDialog::finished);
    QVERIFY(Click(W().form1, "Button1"));
    QCOMPARE(answers.messages.count(), 1);
    QVERIFY(!program.base.exists("Hornel/01-09-09/01-09-09.sk"));
    // The pipeline ended there: the editor stays open, nothing was deleted.
    QVERIFY(W().basadan->isVisible());
    QCOMPARE(ended.count(), 0);
    QVERIFY(program.base.exists("dan.bak"));
}

void ShellWindowsTest::welcomePipelineErrorBeforeStep6ShowsMainWindow() {
    StartedProgram program;
    DialogAnswers answers;
    program.base.write("dan.bak", "1");
    program.base.remove("l90.12");
    QSignalSpy ended(W().form1, &QDialog::finished);
    QVERIFY(Click(W().form1, "Button1"));
    QCOMPARE(answers.messages, QStringList{"File not found"});
    // Never a running program without a window.
    QCOMPARE(VisibleWindows(), QStringList{"Form5"});
    QVERIFY(W().form5->isEnabled());
    QCOMPARE(ended.count(), 0);
    QVERIFY(program.base.exists("dan.bak"));
}

void ShellWindowsTest::welcomePipelineErrorFromStep6LeavesWindows() {
    StartedProgram program;
    DialogAnswers answers;
    program.base.write("dan.bak", "1");
    program.base.remove("Basa/Pic/1.jpg");
    QSignalSpy ended(W().form1, &QDialog::finished);
    QVERIFY(Click(W().form1, "Button1"));
    QCOMPARE(answers.messages.count(), 1);
    // The plant window's "Далее" had already shown the main window.
    QCOMPARE(VisibleWindows(), QStringList{"Form5"});
    QCOMPARE(ended.count(), 0);
    QVERIFY(program.base.exists("dan.bak"));
}

void ShellWindowsTest::aboutBoxOpensAndCloses() {
    StartedProgram program;
    W().form5->show();
    W().form5->About2->trigger();
    TAboutBox* box = W().aboutBox;
    QVERIFY(box->isVisible());
    QCOMPARE(box->windowTitle(), QString("About"));
    QCOMPARE(box->Version->text(), QString("Version 3.5b"));
    QVERIFY(Click(box, "OKButton"));
    QVERIFY(!box->isVisible());
}

void ShellWindowsTest::schemePicturesDecode() {
    // The delivered schemes go through the JPEG reader: four reactors need
    // the wider form.
    const QString pic = QString(REFORMER_SOURCE_DIR) + "/data/bin/sk/Basa/Pic/";
    QImageReader four(pic + "1.jpg"), three(pic + "2.jpg");
    QCOMPARE(four.format(), QByteArray("jpeg"));
    QImage a = four.read(), b = three.read();
    QVERIFY2(!a.isNull() && !b.isNull(), qPrintable(four.errorString() + three.errorString()));
    QVERIFY(a.width() > b.width());
    QVERIFY(a.width() <= 898 && b.width() <= 722);
}

QTEST_MAIN(ShellWindowsTest)
#include "shell_windows_test.moc"
