// The working configuration as a user meets it: numbers typed with "," or
// ".", texts that are no numbers, limits, percentages, checks before a save,
// Russian texts and the keyboard, typed into the real windows offscreen.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "common/codepage.h"
#include "common/configuration.h"
#include "composition/carbon_number_question.h"
#include "composition/component_list_editor.h"
#include "conditions/conditions_form.h"
#include "results/activity_window.h"
#include "shell/date_field.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

// The windows are made after the switch, as at start-up with no option.
struct WorkingProgram {
    WorkingProgram() : selected((SetConfiguration(Configuration::Working), true)) {}
    ~WorkingProgram() { SetConfiguration(Configuration::Described); }
    bool selected;
    StartedProgram program;
    DialogAnswers answers;
};

void TypeOver(QLineEdit* edit, const QString& keys) {
    edit->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, keys);
}

void ShowActive(QWidget* window) {
    window->showNormal();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void Leave(QWidget* next) {
    next->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

// The component list editor as the data-entry save of plant row 11 opens it.
Tbasadan* OpenEditorOfRow11(const QString& feedFlow) {
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    Tbasadan* editor = W().basadan;
    editor->StartDataEntry(feedFlow);
    ShowActive(editor);
    return editor;
}

// Line n (1-based) of the conditions file written by the save.
QString DanLine(const WorkingProgram& w, int n) {
    const QStringList lines =
        QString::fromStdString(Cp866ToUtf8(w.program.base.read("Hornel/typed.dan").toStdString())).split("\r\n");
    return n <= lines.size() ? lines[n - 1] : QString();
}

// Every field of the form filled with a plausible value of its kind.
void FillForm(TForm8* form) {
    for (int n = 1; n <= 29; ++n) form->Edit(n)->setText("10");
    form->Edit26->setText("1200");
    form->Edit24->setText("0.02");
    for (int n : {7, 8, 9, 28}) form->Edit(n)->setText("480");
    const char* gas[] = {"84", "6", "4", "2", "1", "1", "1", "0.5", "0.5"};
    for (int i = 0; i < 9; ++i) form->Edit(15 + i)->setText(gas[i]);
    form->DateTimePicker1->setDate(QDate(2009, 9, 1));
    form->DateTimePicker2->setDate(QDate(2009, 3, 15));
}

}  // namespace

class TypedInputTest : public QObject {
    Q_OBJECT

private slots:
    void conditionsFormSavesWhatItShows_data();
    void conditionsFormSavesWhatItShows();
    void conditionsFormRefusesWithTheFieldNamed_data();
    void conditionsFormRefusesWithTheFieldNamed();
    void datesAreReadAsTyped_data();
    void datesAreReadAsTyped();
    void historianDateQuestionsReadTypedDates();
    void listEditorKeepsProgramTextsAndRefusesPercentagesItCannotHold();
    void listWithAFaultyValueStaysLoadedWithTheLineSelected();
    void russianTextsAndMenuKeys();
};

// Typed, left, saved: the value in the file is the value on the screen.
void TypedInputTest::conditionsFormSavesWhatItShows_data() {
    QTest::addColumn<int>("edit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("saved");
    QTest::newRow("moisture with a comma") << 24 << "0,02" << "0.02" << 4 << "  0.02";
    QTest::newRow("feed flow with a comma") << 1 << "64,5" << "64.5" << 11 << " 64.50";
    QTest::newRow("pressure with a point") << 3 << "29.5" << "29.5" << 3 << " 29.50";
    QTest::newRow("long feed flow") << 1 << "1234,5" << "1234.5" << 11 << "1234.50";
}

void TypedInputTest::conditionsFormSavesWhatItShows() {
    QFETCH(int, edit);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, line);
    QFETCH(QString, saved);
    WorkingProgram w;
    TForm8* form = W().form8;
    FillForm(form);
    ShowActive(form);
    TypeOver(form->Edit(edit), typed);
    Leave(form->Edit25);
    QCOMPARE(form->Edit(edit)->text(), shown);
    w.answers.saveFile = [&](const QString&, const QString&) { return w.program.base.file("Hornel/typed.dan"); };
    QVERIFY(Click(form, "Button2"));
    QCOMPARE(w.answers.messages, QStringList());
    QVERIFY2(DanLine(w, line).startsWith(saved), qPrintable(DanLine(w, line)));
}

// Each case breaks one thing; the save writes nothing and says which field.
void TypedInputTest::conditionsFormRefusesWithTheFieldNamed_data() {
    QTest::addColumn<int>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty feed flow") << 1 << "" << "Поле «Расход сырья, м3/час» не заполнено.";
    QTest::newRow("pressure out of range") << 4 << "350" << "Поле «Давление, атм. (Р - 3)»: 350 вне физических пределов";
    QTest::newRow("regeneration after sampling") << 0 << "" << "Дата регенерации катализатора 02.09.09 позже";
}

void TypedInputTest::conditionsFormRefusesWithTheFieldNamed() {
    QFETCH(int, edit);
    QFETCH(QString, text);
    QFETCH(QString, message);
    WorkingProgram w;
    TForm8* form = W().form8;
    FillForm(form);
    if (edit) form->Edit(edit)->setText(text);
    else form->DateTimePicker2->setDate(QDate(2009, 9, 2));
    form->show();
    bool asked = false;
    w.answers.saveFile = [&](const QString&, const QString&) {
        asked = true;
        return w.program.base.file("Hornel/typed.dan");
    };
    QVERIFY(Click(form, "Button2"));
    QVERIFY(!asked);
    QVERIFY(!w.program.base.exists("Hornel/typed.dan"));
    QCOMPARE(w.answers.messages.size(), 1);
    QVERIFY2(w.answers.messages[0].contains(message), qPrintable(w.answers.messages[0]));
    QVERIFY(form->isVisible());

    // A text that is no number is refused where it is typed.
    ShowActive(form);
    form->Edit3->setText("25");
    TypeOver(form->Edit3, "3x5");
    QCOMPARE(form->Edit3->text(), QString("3x5"));  // nothing vanishes while typing
    Leave(form->Edit4);
    QCOMPARE(form->Edit3->text(), QString("25"));
    QVERIFY(w.answers.messages.last().startsWith("Поле «Давление, атм. (Р - 2)»: «3x5» не число"));
}

// Typed or pasted into the sampling date as an engineer writes it, then
// saved: the date in the file is the date meant, shown on the form as soon
// as it is complete. A text that is no date is refused with the field named
// and the date before it comes back.
void TypedInputTest::datesAreReadAsTyped_data() {
    QTest::addColumn<QString>("how");  // "type", "paste", "click" (into the middle, then select all)
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shownAtOnce");  // empty: as typed until the field is left
    QTest::addColumn<QString>("saved");        // line 12; "01.09.09" when refused
    QTest::newRow("dots") << "type" << "20.11.26" << "20.11.26" << "20.11.26";
    QTest::newRow("dots, full year") << "type" << "20.11.2026" << "20.11.26" << "20.11.26";
    QTest::newRow("commas") << "type" << "20,11,26" << "20.11.26" << "20.11.26";
    QTest::newRow("digits only") << "type" << "201126" << "20.11.26" << "20.11.26";
    QTest::newRow("eight digits") << "type" << "20112026" << "20.11.26" << "20.11.26";
    QTest::newRow("year first") << "type" << "2026-11-20" << "20.11.26" << "20.11.26";
    QTest::newRow("one-digit day and month") << "type" << "5.3.26" << "05.03.26" << "05.03.26";
    QTest::newRow("pasted") << "paste" << "2026-11-20" << "20.11.26" << "20.11.26";
    QTest::newRow("clicked into first") << "click" << "25.11.26" << "25.11.26" << "25.11.26";
    QTest::newRow("no such day") << "type" << "31.02.26" << "" << "01.09.09";
    QTest::newRow("month 13") << "type" << "20.13.26" << "" << "01.09.09";
    QTest::newRow("unfinished") << "type" << "20.11" << "" << "01.09.09";
    QTest::newRow("letters") << "type" << "today" << "" << "01.09.09";
}

void TypedInputTest::datesAreReadAsTyped() {
    QFETCH(QString, how);
    QFETCH(QString, text);
    QFETCH(QString, shownAtOnce);
    QFETCH(QString, saved);
    WorkingProgram w;
    TForm8* form = W().form8;
    FillForm(form);
    form->DateTimePicker2->setDate(QDate(2009, 3, 15));
    ShowActive(form);
    DateField* picker = form->DateTimePicker1;
    picker->setFocus(Qt::MouseFocusReason);
    if (how == "click") QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(20, picker->height() / 2));
    QTest::keyClick(picker, Qt::Key_A, Qt::ControlModifier);
    if (how == "paste") {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(picker, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(picker, text);
    }
    QCOMPARE(picker->text(), shownAtOnce.isEmpty() ? text : shownAtOnce);
    Leave(form->Edit26);
    const bool refused = saved == "01.09.09";
    QCOMPARE(w.answers.messages.size(), refused ? 1 : 0);
    if (refused) {
        QVERIFY2(w.answers.messages[0].startsWith("Поле «Дата отбора»: «" + text + "» не дата"),
                 qPrintable(w.answers.messages[0]));
        QCOMPARE(picker->text(), QString("01.09.09"));
    }
    w.answers.messages.clear();
    w.answers.saveFile = [&](const QString&, const QString&) { return w.program.base.file("Hornel/typed.dan"); };
    QVERIFY(Click(form, "Button2"));
    QCOMPARE(w.answers.messages, QStringList());
    QVERIFY2(DanLine(w, 12).startsWith(saved + " "), qPrintable(DanLine(w, 12)));
    QVERIFY2(DanLine(w, 13).startsWith("15.03.09 "), qPrintable(DanLine(w, 13)));
}

// The date questions after a historian import read typed dates the same way.
void TypedInputTest::historianDateQuestionsReadTypedDates() {
    WorkingProgram w;
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    TForm8* form = W().form8;
    form->PrepareForPlant(11, w.program.base.file("Basa/Pic/1.jpg"));
    w.answers.openFile = [](const QString&, const QString&) {
        return QString(REFORMER_TEST_DATA) + "/csv/historian_export.csv";
    };
    w.answers.modal = [](QDialog* d) {
        if (auto* sampling = d->findChild<DateField*>("DateTimePicker1")) QTest::keyClicks(sampling, "20,11,26");
        if (auto* regeneration = d->findChild<DateField*>("DateTimePicker2")) QTest::keyClicks(regeneration, "2026-03-14");
        if (auto* sulphur = d->findChild<QLineEdit*>("Edit25")) sulphur->setText("0.5");
        return int(QDialog::Accepted);
    };
    // The copy in the question starts with the form's date selected, as a
    // user finds it.
    form->DateTimePicker1->setDate(QDate(2009, 9, 1));
    QVERIFY(Click(form, "Button4"));
    QCOMPARE(w.answers.messages, QStringList());
    QCOMPARE(form->DateTimePicker1->date(), QDate(2026, 11, 20));
    QCOMPARE(form->DateTimePicker2->date(), QDate(2026, 3, 14));
}

void TypedInputTest::listEditorKeepsProgramTextsAndRefusesPercentagesItCannotHold() {
    WorkingProgram w;
    Tbasadan* editor = OpenEditorOfRow11("1234.5");
    QCOMPARE(editor->F7->text(), QString("1234.5"));  // handed over whole

    struct Case {
        const char* typed;
        const char* stored;
        bool refused;
    };
    const Case cases[] = {{"100", "00.000", true}, {"1,5", "01.500", false}, {"1.2346", "01.235", false},
                          {"abc", "01.235", true}};
    for (const Case& k : cases) {
        w.answers.messages.clear();
        TypeOver(editor->weight, k.typed);
        editor->List->setFocus();
        QApplication::processEvents();
        QCOMPARE(editor->weight->text(), QString(k.stored));
        QCOMPARE(editor->List->item(0)->text().right(6), QString(k.stored));
        QCOMPARE(w.answers.messages.size(), k.refused ? 1 : 0);
        // The sum shown is the sum of what the list holds.
        QCOMPARE(editor->Sum->text().replace(',', '.').toDouble(), QString(k.stored).toDouble());
        editor->List->setCurrentRow(0);
        editor->ListClick();
    }
}

void TypedInputTest::listWithAFaultyValueStaysLoadedWithTheLineSelected() {
    WorkingProgram w;
    Tbasadan* editor = OpenEditorOfRow11("65");
    const QByteArray list = QByteArray("Benzene").leftJustified(43, ' ') + "40.000\r\n" +
                            QByteArray("Toluene").leftJustified(43, ' ') + "6x.000\r\n";
    w.program.base.write("Hornel/01-09-09/01-09-09.KAT", list);
    w.answers.openFile = [&](const QString&, const QString&) {
        return w.program.base.file("Hornel/01-09-09/01-09-09.KAT");
    };
    editor->BitBtn1Click(editor->BitBtn1);
    QCOMPARE(editor->List->count(), 2);
    QCOMPARE(editor->List->currentRow(), 1);
    QCOMPARE(w.answers.messages.size(), 1);
    QVERIFY2(w.answers.messages[0].startsWith("Строка 2: массовая доля «6x.000» не число"),
             qPrintable(w.answers.messages[0]));
    // Corrected in place, the sum counts both lines.
    editor->ListClick();
    TypeOver(editor->weight, "60");
    editor->List->setFocus();
    QApplication::processEvents();
    QCOMPARE(editor->Sum->text().replace(',', '.').toDouble(), 100.0);
}

void TypedInputTest::russianTextsAndMenuKeys() {
    WorkingProgram w;
    QCOMPARE(W().formb4->Label3->text(), QString("Введите С от 3 до 13"));
    QCOMPARE(W().m_A->Comper->text(), QString());
    QVERIFY(!W().basadan->windowTitle().trimmed().isEmpty());
    // Alt+letter: every visible menu of the bar has its letter.
    for (QAction* a : W().form5->MainMenu1->actions()) {
        if (a->isVisible()) QVERIFY2(a->text().contains('&'), qPrintable(a->text()));
    }
    // The "Данные" menu: no key printed across its separator, and its two
    // entries of data named apart.
    QVERIFY(W().form5->N13->shortcut().isEmpty());
    QVERIFY(W().form5->N3->text().remove('&') != W().form5->Bdan->text().remove('&'));
    // Ctrl+X ends the program with the exit step: no *.bak is left.
    w.program.base.write("dan.bak", "x");
    W().form5->N6Click();
    QVERIFY(!w.program.base.exists("dan.bak"));
}

QTEST_MAIN(TypedInputTest)
#include "typed_input_test.moc"
