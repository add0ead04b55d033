// The working configuration as a user meets it: numbers typed with "," or
// ".", texts that are no numbers, limits, percentages, checks before a save,
// Russian texts and the keyboard, typed into the real windows offscreen.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "common/codepage.h"
#include "common/configuration.h"
#include "common/files.h"
#include "common/regional.h"
#include "composition/carbon_number_question.h"
#include "composition/component_list_editor.h"
#include "conditions/conditions_form.h"
#include "results/activity_window.h"
#include "shell/app_start.h"
#include "shell/date_field.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
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

// Latin words a Russian window may still show: units, file kinds and
// patterns, code pages and the historian's tag names.
bool AllowedLatin(const QString& word) {
    static const QStringList allowed{"sk", "dan", "rez", "SIR", "KAT", "BOK", "dha", "DHA", "txt", "TXT", "xls",
                                     "xlsx", "pdf", "bmp", "png", "Windows", "Dos", "ppm", "Pt", "Cl", "Re",
                                     "Sn", "Ir", "svod", "mg", "kg", "PDF",
                                     // a plant's own name in the plant table
                                     "VELDORA", "NAFTA", "LK", "U", "Nr", "S"};
    return allowed.contains(word);
}

// The Latin words of a text that is not a file pattern ("(*.dha)"); a path
// is data, not a text of the program.
QStringList LatinWords(QString text) {
    if (text.startsWith('/')) return {};
    text.remove(QRegularExpression(R"(\*\.?[A-Za-z0-9]*)"));
    text.remove(QRegularExpression("<[^>]*>"));  // rich-text markup
    QStringList words;
    QRegularExpressionMatchIterator it = QRegularExpression("[A-Za-z]+").globalMatch(text);
    while (it.hasNext()) {
        const QString word = it.next().captured();
        if (!AllowedLatin(word)) words << word;
    }
    return words;
}

// Every text of a window's tree a user can read: title, labels, buttons,
// group titles, menus, tabs, combo items, column headings.
QStringList ReadableTexts(QWidget* window) {
    QStringList texts{window->windowTitle()};
    for (QLabel* l : window->findChildren<QLabel*>()) texts << l->text();
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) texts << b->text();
    for (QGroupBox* g : window->findChildren<QGroupBox*>()) texts << g->title();
    for (QAction* a : window->findChildren<QAction*>()) texts << a->text();
    for (QMenu* m : window->findChildren<QMenu*>()) texts << m->title();
    for (QLineEdit* e : window->findChildren<QLineEdit*>()) texts << e->placeholderText();
    for (QTabWidget* t : window->findChildren<QTabWidget*>())
        for (int i = 0; i < t->count(); ++i) texts << t->tabText(i);
    for (QComboBox* c : window->findChildren<QComboBox*>())
        for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
    for (QAbstractItemView* v : window->findChildren<QAbstractItemView*>()) {
        QAbstractItemModel* m = v->model();
        auto* tree = qobject_cast<QTreeView*>(v);
        auto* table = qobject_cast<QTableView*>(v);
        if (!m || (tree && tree->header()->isHidden()) || (table && table->horizontalHeader()->isHidden())) continue;
        for (int c = 0; c < m->columnCount(); ++c) {
            if ((tree && tree->isColumnHidden(c)) || (table && table->isColumnHidden(c))) continue;
            texts << m->headerData(c, Qt::Horizontal).toString();
        }
    }
    return texts;
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
    void everyWindowSpeaksRussian();
    void captionsFit_data();
    void captionsFit();
    void keysAndDefaultsOfTheConditionsForm();
    void saveStartsInTheCurrentDatesFolder();
    void oneDecimalSeparatorFromStartToExit();
    void fileDialogColumnsInRussian_data();
    void fileDialogColumnsInRussian();
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
    // The cursor waits in the field to correct.
    QWidget* const refused = edit ? static_cast<QWidget*>(form->Edit(edit)) : form->DateTimePicker2;
    QVERIFY(form->focusWidget() == refused || refused->isAncestorOf(form->focusWidget()));

    // A text that is no number is refused where it is typed.
    ShowActive(form);
    form->Edit3->setText("25");
    TypeOver(form->Edit3, "3x5");
    QCOMPARE(form->Edit3->text(), QString("3x5"));  // nothing vanishes while typing
    Leave(form->Edit4);
    QCOMPARE(form->Edit3->text(), QString("25"));
    QVERIFY(w.answers.messages.last().startsWith("Поле «Давление, атм. (Р - 2)»: «3x5» не число"));
    // The user is put back where the refused text was typed.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->Edit3));
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
    // The share field follows the row the name search finds.
    editor->List->setCurrentRow(1);
    editor->ListClick();
    QCOMPARE(editor->weight->text(), editor->List->item(1)->text().right(6));
    const QString firstName = editor->List->item(0)->text().left(43).trimmed();
    TypeOver(editor->Subst, firstName);
    QCOMPARE(editor->List->currentRow(), 0);
    QCOMPARE(editor->weight->text(), QString("01.235"));
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

// The whole widget tree of every window the program makes, as made at start.
void TypedInputTest::everyWindowSpeaksRussian() {
    WorkingProgram w;
    LoadQtTranslation(*QCoreApplication::instance());  // Qt's own texts, as the program loads them
    QStringList found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (const QString& text : ReadableTexts(window)) {
            const QStringList words = LatinWords(text);
            if (!words.isEmpty()) found << window->objectName() + ": «" + text + "»";
        }
    }
    found.removeDuplicates();
    for (const QString& f : found) qWarning().noquote() << f;
    QVERIFY2(found.isEmpty(), qPrintable(QString("%1 texts with Latin words").arg(found.size())));
}

void TypedInputTest::captionsFit_data() {
    QTest::addColumn<qreal>("scale");
    QTest::newRow("default font") << 1.0;
    QTest::newRow("fonts at 125 %") << 1.25;
}

// Every caption a window shows whole: labels and buttons are at least as
// wide as their text (line by line), at the default font and a larger one.
void TypedInputTest::captionsFit() {
    QFETCH(qreal, scale);
    const QFont original = QApplication::font();
    QFont larger = original;
    larger.setPointSizeF(original.pointSizeF() * scale);
    QApplication::setFont(larger);
    QStringList cut;
    {
        WorkingProgram w;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName().isEmpty() || qobject_cast<QMenu*>(window)) continue;
            const bool wasVisible = window->isVisible();
            window->show();
            QApplication::processEvents();
            auto check = [&](QWidget* widget, const QString& text, int room) {
                if (!widget->isVisibleTo(window) || text.trimmed().isEmpty()) return;
                for (QString line : text.split('\n')) {
                    line.remove('&');
                    const int needed = widget->fontMetrics().horizontalAdvance(line.trimmed());
                    if (needed > room) {
                        cut << QString("%1/%2: «%3» %4 > %5")
                                   .arg(window->objectName(), widget->objectName(), line.trimmed())
                                   .arg(needed)
                                   .arg(room);
                    }
                }
            };
            for (QLabel* l : window->findChildren<QLabel*>()) {
                if (l->wordWrap() || l->textFormat() == Qt::RichText || Qt::mightBeRichText(l->text())) continue;
                check(l, l->text(), l->contentsRect().width() - l->indent() - 2 * l->margin());
            }
            for (QPushButton* b : window->findChildren<QPushButton*>()) check(b, b->text(), b->width() - 8);
            if (!wasVisible) window->hide();
        }
    }
    QApplication::setFont(original);
    cut.removeDuplicates();
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
}

// "Сохранить" offers the folder of the date being worked on; the base
// folder when that folder is gone.
void TypedInputTest::saveStartsInTheCurrentDatesFolder() {
    WorkingProgram w;
    TForm8* form = W().form8;
    w.program.base.write("Hornel/01-09-09/01-09-09.dan", "");
    Context().dataFolder = JoinPath(w.program.base.programPath(), "Hornel\\01-09-09") + "\\";
    QStringList folders;
    w.answers.saveFile = [&](const QString&, const QString& folder) {
        folders << QDir::cleanPath(folder);
        return QString();
    };
    FillForm(form);
    form->show();
    QVERIFY(Click(form, "Button2"));
    QVERIFY(QDir(w.program.base.file("Hornel/01-09-09")).removeRecursively());
    FillForm(form);
    form->show();
    QVERIFY(Click(form, "Button2"));
    Context().dataFolder.clear();
    QCOMPARE(folders, QStringList({w.program.base.file("Hornel/01-09-09"), QDir::cleanPath(w.program.base.path())}));
}

// The question about a doubtful gas composition, Escape with unsaved
// changes, Tab and F10: the keys an engineer uses without the mouse.
void TypedInputTest::keysAndDefaultsOfTheConditionsForm() {
    WorkingProgram w;
    TForm8* form = W().form8;
    FillForm(form);
    form->Edit15->setText("50");  // the gas composition sums to 66.5 %
    ShowActive(form);
    bool asked = false;
    w.answers.saveFile = [&](const QString&, const QString&) {
        asked = true;
        return w.program.base.file("Hornel/typed.dan");
    };
    // Enter on the real question box answers its default, which must be "Нет".
    ui::TestHooks().yesNo = nullptr;
    QString question;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        question = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    QVERIFY(Click(form, "Button2"));
    QVERIFY2(question.contains("Сохранить всё же?"), qPrintable(question));
    QVERIFY(!asked);
    QVERIFY(!w.program.base.exists("Hornel/typed.dan"));

    // Escape with a changed field asks; "Нет" keeps the form and the text.
    TypeOver(form->Edit24, "0.03");
    Leave(form->Edit25);
    QStringList questions;
    bool answer = false;
    ui::TestHooks().yesNo = [&](const QString& text) {
        questions << text;
        return answer;
    };
    QTest::keyClick(form, Qt::Key_Escape);
    QCOMPARE(questions.size(), 1);
    QVERIFY(form->isVisible());
    QCOMPARE(form->Edit24->text(), QString("0.03"));
    answer = true;
    QTest::keyClick(form, Qt::Key_Escape);
    QCOMPARE(questions.size(), 2);
    QVERIFY(!form->isVisible());
    // Shown again and left untouched: no question.
    ShowActive(form);
    QTest::keyClick(form, Qt::Key_Escape);
    QCOMPARE(questions.size(), 2);
    QVERIFY(!form->isVisible());

    // Tab goes down the left block, then along the reactors.
    ShowActive(form);
    form->Edit26->setFocus(Qt::TabFocusReason);
    QStringList order{form->Edit26->objectName()};
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, (QStringList{"Edit26", "Edit2", "Edit24", "Edit25", "Edit1", "Edit3", "Edit4", "Edit5"}));
    form->hide();

    // F10 opens the first menu of the main window's bar.
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    ShowActive(W().form5);
    QTest::keyClick(W().form5, Qt::Key_F10);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QCOMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(W().form5->N9Menu));
    QApplication::activePopupWidget()->close();
}

// Numbers show "." from start to exit, whatever the user's locale gives and
// whichever save or import ran before.
void TypedInputTest::oneDecimalSeparatorFromStartToExit() {
    Regional().decimalSeparator = ',';  // as a locale with a decimal comma starts it
    WorkingProgram w;
    QCOMPARE(Regional().decimalSeparator, '.');
    Tbasadan* editor = W().basadan;
    QCOMPARE(editor->Sum->text(), QString("0.000"));
    // A density typed with a comma is shown as it is read.
    ShowActive(editor);
    TypeOver(editor->F6, "0,78");
    Leave(editor->F7);
    QCOMPARE(editor->F6->text(), QString("0.78"));
    TypeOver(editor->F6, "0,7x");  // no number: left for the check of "Далее" to name
    Leave(editor->F7);
    QCOMPARE(editor->F6->text(), QString("0,7x"));
}

void TypedInputTest::fileDialogColumnsInRussian_data() {
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << qint64(0) << "0 байт";
    QTest::newRow("largest in bytes") << qint64(1023) << "1023 байт";
    QTest::newRow("one kilobyte") << qint64(1024) << "1.0 КБ";
    QTest::newRow("a report") << qint64(2700) << "2.6 КБ";
    QTest::newRow("just under a megabyte") << qint64(1024 * 1024 - 1) << "1024.0 КБ";
    QTest::newRow("one megabyte") << qint64(1024 * 1024) << "1.0 МБ";
    QTest::newRow("a large workbook") << qint64(5) * 1024 * 1024 * 1024 << "5.0 ГБ";
}

void TypedInputTest::fileDialogColumnsInRussian() {
    QFETCH(qint64, bytes);
    QFETCH(QString, shown);
    QCOMPARE(ui::FileSizeText(bytes), shown);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("Hornel");
    QFile file(dir.filePath("01-09-09.DAN"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(ui::FileKindText(QFileInfo(dir.filePath("Hornel"))), QString("Папка"));
    QCOMPARE(ui::FileKindText(QFileInfo(file.fileName())), QString("Файл dan"));
}

QTEST_MAIN(TypedInputTest)
#include "typed_input_test.moc"
