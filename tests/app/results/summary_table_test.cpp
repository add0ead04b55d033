// The summary table driven through its window, offscreen: the parameter
// choice and Ravionn.ini, the shipped history, date ranges, "Добавить",
// "Удалить", the exports and "Далее".
#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QCalendarWidget>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTest>

#include "common/codepage.h"
#include "common/dates.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "results/results_index.h"
#include "results/summary_table_window.h"
#include "shell/main_window.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

QString Cell(Tsvod* t, int column, int row) {
    QAbstractItemModel* m = t->Stab->model();
    return m->data(m->index(row, column)).toString();
}

QStringList Column0(Tsvod* t) {
    QStringList out;
    for (int r = 0; r < t->Stab->model()->rowCount(); ++r) out << Cell(t, 0, r);
    return out;
}

QStringList Row0(Tsvod* t) {
    QStringList out;
    for (int c = 1; c < t->Stab->model()->columnCount(); ++c) out << Cell(t, c, 0);
    return out;
}

std::string Program(const QString& nativePath) {
    std::string s = QDir::toNativeSeparators(nativePath).toStdString();
    for (char& ch : s)
        if (ch == '/') ch = '\\';
    return s;
}

void SelectColumn(Tsvod* t, int column) {
    QAbstractItemModel* m = t->Stab->model();
    t->Stab->selectionModel()->select(QItemSelection(m->index(0, column), m->index(m->rowCount() - 1, column)),
                                      QItemSelectionModel::ClearAndSelect);
}

QDate DateOf(const char* text) { return QDate::fromString(text, "dd.MM.yyyy"); }

void ChangeDates(Tsvod* t, const char* from, const char* till) {
    t->from->setDate(DateOf(from));
    t->till->setDate(DateOf(till));
    emit t->till->editingFinished();  // leaving the picker
}

// A results record of a given date with a given activity, for indexes made here.
ResultsRecord Record(int day, double activity) {
    ResultsRecord r = ReadResultsIndex(Program(QString(REFORMER_SOURCE_DIR "/data/bin/sk/svod.12")))[0];
    r.sampleDate = EncodeDate(2009, 9, day);
    r.sampleDateText.SetText(FormatDateLong(r.sampleDate));
    r.activity = activity;
    return r;
}

}  // namespace

class SummaryTableTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Regional().decimalSeparator = '.'; }
    void parameterChoiceThroughTheBoxesSurvivesARestart();
    void storedChoiceKeepsItsOrder();
    void opensTheShippedHistory();
    void cokeOfAPlantHistoryAndOfAFolderIndex();
    void dateRanges();
    void addReplacesTheColumnOfTheSameDate();
    void removingTheOnlyColumnLeavesTheZeroColumn();
    void exportFileAndClipboard();
    void nextRewritesTheIndexFromTheFullList();
    void unreadableIndexOpensEmptyAndIsNotOverwritten();
    void folderTableHidesTheFolderlessParameters();
    void screenshot();
};

void SummaryTableTest::parameterChoiceThroughTheBoxesSurvivesARestart() {
    StartedProgram program;
    Tsvod* t = W().svod;
    t->FormCreate();  // the temporary base folder holds no Ravionn.ini
    QVERIFY(t->Selection().Rows().empty());
    // With nothing chosen the grid is the date row only, column 0 not fixed.
    t->MakeTab();
    QCOMPARE(t->Stab->model()->rowCount(), 1);
    QVERIFY(!t->Grid().fixedFirstColumn);

    QCOMPARE(t->ParameterBox(14)->objectName(), QString("CheckBox10"));
    QCOMPARE(t->ParameterBox(10)->objectName(), QString("CheckBox14"));
    for (int k : {5, 2, 14}) t->ParameterBox(k)->click();
    QCOMPARE(Column0(t), (QStringList{"Дата отбора", "Выход водорода, %", "Перераб. сырьё т.", "Кокс, %вес."}));
    t->ParameterBox(2)->click();
    QCOMPARE(Column0(t), (QStringList{"Дата отбора", "Выход водорода, %", "Кокс, %вес."}));

    // The choice is written when the program ends.
    QVERIFY(!program.base.exists("Ravionn.ini"));
    QVERIFY(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit", Qt::DirectConnection));
    const QByteArray ini = program.base.read("Ravionn.ini");
    QCOMPARE(ini.size(), 72);
    auto word = [&ini](int at) { return int(uchar(ini[at])) | int(uchar(ini[at + 1])) << 8; };
    QCOMPARE(word(4 * (5 - 1)), 1);
    QCOMPARE(word(4 * (5 - 1) + 2), 1);
    QCOMPARE(word(4 * (14 - 1)), 1);
    QCOMPARE(word(4 * (14 - 1) + 2), 2);
    QCOMPARE(word(4 * (2 - 1)), 0);
    QCOMPARE(word(4 * (2 - 1) + 2), 0);

    // The next program run: a new window reads the file at its creation.
    Tsvod again;
    QCOMPARE(again.Selection().Rows(), (std::vector<int>{5, 14}));
    QVERIFY(again.ParameterBox(5)->isChecked());
    QVERIFY(again.ParameterBox(14)->isChecked());
    QVERIFY(!again.ParameterBox(2)->isChecked());
    again.MakeTab();
    QCOMPARE(Column0(&again), (QStringList{"Дата отбора", "Выход водорода, %", "Кокс, %вес."}));
}

void SummaryTableTest::storedChoiceKeepsItsOrder() {
    StartedProgram program;
    // Parameter 14 on row 1, 3 on row 2: checking the boxes in number order
    // at creation must not be taken for the user's clicks.
    QByteArray ini(72, '\0');
    ini[4 * 13] = 1;
    ini[4 * 13 + 2] = 1;
    ini[4 * 2] = 1;
    ini[4 * 2 + 2] = 2;
    program.base.write("Ravionn.ini", ini);
    Tsvod t;
    QCOMPARE(t.Selection().Rows(), (std::vector<int>{14, 3}));
    QVERIFY(t.ParameterBox(14)->isChecked());
    QVERIFY(t.ParameterBox(3)->isChecked());
}

void SummaryTableTest::opensTheShippedHistory() {
    StartedProgram program;
    Tsvod* t = W().svod;
    t->FormCreate();
    t->ParameterBox(1)->click();
    DialogAnswers answers;
    bool shownWithTable = false;
    answers.modal = [&](QDialog* d) {
        shownWithTable = d == t && t->Stab->model()->columnCount() == 13;
        return int(QDialog::Rejected);
    };
    t->ShowFile(JoinPath(program.base.programPath(), "svod.12"));
    QVERIFY(shownWithTable);
    QVERIFY(answers.messages.isEmpty());
    const QStringList dates = Row0(t);
    QCOMPARE(dates.size(), 12);
    QCOMPARE(dates.first(), QString("15.10.2008"));
    QCOMPARE(dates.last(), QString("16.09.2009"));
    QCOMPARE(t->from->date(), DateOf("15.10.2008"));
    QCOMPARE(t->till->date(), DateOf("16.09.2009"));
    QCOMPARE(Cell(t, 1, 1), QString("1.12"));
    QVERIFY(t->Grid().fixedFirstColumn);
    QVERIFY(t->findChild<QTableView*>("StabFixedColumn")->isVisibleTo(t));
    // Captions cannot be selected when the column is fixed.
    QVERIFY(!(t->Stab->model()->flags(t->Stab->model()->index(1, 0)) & Qt::ItemIsSelectable));
}

void SummaryTableTest::cokeOfAPlantHistoryAndOfAFolderIndex() {
    StartedProgram program;
    Tsvod* t = W().svod;
    t->FormCreate();
    t->ParameterBox(14)->click();
    DialogAnswers answers;
    const std::string history = JoinPath(program.base.programPath(), "svod.12");
    const std::vector<ResultsRecord> records = ReadResultsIndex(history);
    QVERIFY(records[5].accumulatedCoke != records[5].coke);

    t->ShowFile(history);
    QCOMPARE(Cell(t, 6, 1).toStdString(), FormatFixedPrecision(records[5].accumulatedCoke, 10, 2));
    QCOMPARE(LastCokeChoice(), CokeChoice::AccumulatedCoke);

    program.base.write("svod.tmp", program.base.read("svod.12"));
    t->ShowFile(JoinPath(program.base.programPath(), "svod.tmp"));
    QCOMPARE(Cell(t, 6, 1).toStdString(), FormatFixedPrecision(records[5].coke, 10, 2));
    QCOMPARE(LastCokeChoice(), CokeChoice::Coke);
}

void SummaryTableTest::dateRanges() {
    StartedProgram program;
    Tsvod* t = W().svod;
    t->FormCreate();
    DialogAnswers answers;
    t->ShowFile(JoinPath(program.base.programPath(), "svod.12"));

    ChangeDates(t, "14.01.2009", "15.04.2009");
    QCOMPARE(Row0(t), (QStringList{"14.01.2009", "11.02.2009", "11.03.2009", "15.04.2009"}));

    // A start after the last record leaves the table as it was.
    ChangeDates(t, "01.10.2009", "01.11.2009");
    QCOMPARE(Row0(t), (QStringList{"14.01.2009", "11.02.2009", "11.03.2009", "15.04.2009"}));

    // "от" after "до": the first record on or after "от" is still shown.
    ChangeDates(t, "01.05.2009", "01.02.2009");
    QCOMPARE(Row0(t), (QStringList{"13.05.2009"}));

    // A day picked in the drop-down calendar applies the range too.
    t->from->setDate(DateOf("01.01.2008"));
    t->till->setDate(DateOf("10.12.2008"));
    emit t->till->calendarWidget()->clicked(DateOf("10.12.2008"));
    QCOMPARE(Row0(t), (QStringList{"15.10.2008", "12.11.2008", "10.12.2008"}));
}

void SummaryTableTest::addReplacesTheColumnOfTheSameDate() {
    StartedProgram program;
    Tsvod* t = W().svod;
    t->FormCreate();
    t->ParameterBox(1)->click();
    DialogAnswers answers;
    t->ShowFile(JoinPath(program.base.programPath(), "svod.12"));

    // The results of 12.11.2008 calculated again with another activity.
    const QString changed = program.base.file("again.rez");
    ResultsRecord r = ReadResultsFile(Program(program.base.file("Hornel/12-11-08/12-11-08.rez")));
    r.activity = 0.5;
    WriteResultsFile(Program(changed), r);
    answers.openFile = [&](const QString&, const QString&) { return changed; };
    QVERIFY(Click(t, "Button1"));
    QCOMPARE(Row0(t).size(), 12);
    QCOMPARE(Cell(t, 2, 0), QString("12.11.2008"));
    QCOMPARE(Cell(t, 2, 1), QString("0.50"));

    // A later date is appended and ends the range.
    r.sampleDate = EncodeDate(2009, 10, 14);
    r.sampleDateText.SetText("14.10.2009");
    const QString later = program.base.file("later.rez");
    WriteResultsFile(Program(later), r);
    answers.openFile = [&](const QString&, const QString&) { return later; };
    QVERIFY(Click(t, "Button1"));
    QCOMPARE(Row0(t).size(), 13);
    QCOMPARE(Row0(t).last(), QString("14.10.2009"));
    QCOMPARE(t->till->date(), DateOf("14.10.2009"));

    // A file that cannot be read is reported; the table stays.
    answers.openFile = [&](const QString&, const QString&) { return program.base.file("missing.rez"); };
    QVERIFY(Click(t, "Button1"));
    QCOMPARE(answers.messages, QStringList{"File not found"});
    QCOMPARE(Row0(t).size(), 13);
}

void SummaryTableTest::removingTheOnlyColumnLeavesTheZeroColumn() {
    StartedProgram program;
    Tsvod* t = W().svod;
    t->FormCreate();
    t->ParameterBox(1)->click();
    DialogAnswers answers;
    const std::string index = JoinPath(program.base.programPath(), "one.idx");
    WriteResultsIndex(index, {Record(3, 0.9)});
    t->ShowFile(index);
    t->till->setDate(DateOf("20.09.2009"));

    SelectColumn(t, 1);
    QVERIFY(Click(t, "Button3"));
    QCOMPARE(t->Stab->model()->columnCount(), 2);
    QCOMPARE(Cell(t, 1, 0), QString("0"));
    QCOMPARE(Cell(t, 1, 1), QString("0"));
    QCOMPARE(t->Model().ColumnCount(), 1);
    QCOMPARE(t->till->date(), DateOf("20.09.2009"));

    // Column 0 is not a record: nothing is removed.
    t->ShowFile(index);
    SelectColumn(t, 0);
    QVERIFY(Click(t, "Button3"));
    QCOMPARE(Row0(t), QStringList{"03.09.2009"});
}

void SummaryTableTest::exportFileAndClipboard() {
    StartedProgram program;
    Tsvod* t = W().svod;
    t->FormCreate();
    for (int k : {1, 16}) t->ParameterBox(k)->click();
    DialogAnswers answers;
    const std::string index = JoinPath(program.base.programPath(), "two.idx");
    ResultsRecord a = Record(1, 0.9);
    a.reformateYield = 85.126;
    ResultsRecord b = Record(2, 0.875);
    b.reformateYield = 84;
    WriteResultsIndex(index, {a, b});
    t->ShowFile(index);

    const QString target = program.base.file("таблица.txt");
    QString offeredFolder;
    answers.saveFile = [&](const QString&, const QString& folder) {
        offeredFolder = folder;
        return target;
    };
    Context().plantFolder = JoinPath(program.base.programPath(), "Hornel");
    QVERIFY(Click(t, "Button2"));
    QCOMPARE(QDir::cleanPath(offeredFolder), QDir::cleanPath(program.base.file("Hornel")));
    const std::string expected = Utf8ToCp1251(
        "Дата отбора\t01.09.2009\t02.09.2009\t\r\n"
        "Активность\t0.90\t0.88\t\r\n"
        "Выход риформата\t85.13\t84.00\t\r\n");
    QCOMPARE(program.base.read("таблица.txt").toStdString(), expected);

    QVERIFY(Click(t, "Button4"));
    QCOMPARE(QApplication::clipboard()->text(),
             QString("Дата отбора\t01.09.2009\t02.09.2009\t\r"
                     "Активность\t0.90\t0.88\t\r"
                     "Выход риформата\t85.13\t84.00\t\r"));

    // Cancelled: nothing is written.
    answers.saveFile = [](const QString&, const QString&) { return QString(); };
    program.base.remove("таблица.txt");
    QVERIFY(Click(t, "Button2"));
    QVERIFY(!program.base.exists("таблица.txt"));
}

void SummaryTableTest::nextRewritesTheIndexFromTheFullList() {
    StartedProgram program;
    Tsvod* t = W().svod;
    t->FormCreate();
    DialogAnswers answers;
    const std::string index = JoinPath(program.base.programPath(), "svod.12");
    t->ShowFile(index);
    SelectColumn(t, 2);
    QVERIFY(Click(t, "Button3"));
    // Removing from a date range only changes the copy shown.
    ChangeDates(t, "11.03.2009", "15.04.2009");
    SelectColumn(t, 1);
    QVERIFY(Click(t, "Button3"));
    QCOMPARE(program.base.read("svod.12").size(), 12 * 2432);  // nothing written yet

    W().form5->setEnabled(false);
    QVERIFY(Click(t, "BitBtn1"));
    const std::vector<ResultsRecord> saved = ReadResultsIndex(index);
    QCOMPARE(saved.size(), std::size_t(11));
    QCOMPARE(saved[1].sampleDateText.Text(), std::string("10.12.2008"));
    QVERIFY(W().form5->isEnabled());
    QVERIFY(answers.messages.isEmpty());
}

void SummaryTableTest::unreadableIndexOpensEmptyAndIsNotOverwritten() {
    StartedProgram program;
    Tsvod* t = W().svod;
    t->FormCreate();
    t->ParameterBox(1)->click();
    DialogAnswers answers;
    bool opened = false;
    answers.modal = [&](QDialog*) {
        opened = true;
        return int(QDialog::Rejected);
    };
    t->ShowFile(JoinPath(program.base.programPath(), "svod.5"));
    QVERIFY(opened);
    QCOMPARE(answers.messages, QStringList{"File not found"});
    QCOMPARE(t->Stab->model()->columnCount(), 1);
    QCOMPARE(Column0(t), (QStringList{"Дата отбора", "Активность"}));

    // An index that is there but cannot be read (here a folder in its place)
    // is left alone by "Далее".
    QDir(program.base.path()).mkdir("svod.6");
    answers.messages.clear();
    t->ShowFile(JoinPath(program.base.programPath(), "svod.6"));
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY(Click(t, "BitBtn1"));
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY(QFileInfo(program.base.file("svod.6")).isDir());
}

void SummaryTableTest::folderTableHidesTheFolderlessParameters() {
    StartedProgram program;
    Context().plantIndex = 11;
    Tsvod* t = W().svod;
    t->FormCreate();
    for (int k : {1, 9, 14, 17, 18}) t->ParameterBox(k)->click();
    program.base.write("svod.tmp", program.base.read("svod.12"));
    DialogAnswers answers;
    QStringList rowsWhileOpen;
    bool hiddenWhileOpen = false;
    answers.modal = [&](QDialog*) {
        rowsWhileOpen = Column0(t);
        hiddenWhileOpen = true;
        for (int k : {9, 14, 17, 18}) hiddenWhileOpen = hiddenWhileOpen && !t->ParameterBox(k)->isVisibleTo(t);
        return int(QDialog::Accepted);
    };
    W().form5->N27Click();
    QVERIFY(hiddenWhileOpen);
    QCOMPARE(rowsWhileOpen, (QStringList{"Дата отбора", "Активность"}));
    for (int k : {9, 14, 17, 18}) {
        QVERIFY(t->ParameterBox(k)->isVisibleTo(t));
        QVERIFY(!t->ParameterBox(k)->isChecked());
    }

    // "Сводная таблица" opens the plant's own history.
    bool plantHistory = false;
    answers.modal = [&](QDialog*) {
        plantHistory = Row0(t).size() == 12 && LastCokeChoice() == CokeChoice::AccumulatedCoke;
        return int(QDialog::Accepted);
    };
    W().form5->N18Click();
    QVERIFY(plantHistory);
}

// Not a check: with REFORMER_SCREENSHOTS=<folder> the window on the shipped
// history is saved as summary-table.png there (the picture of the README).
void SummaryTableTest::screenshot() {
    const QString folder = qEnvironmentVariable("REFORMER_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("REFORMER_SCREENSHOTS not set");
    StartedProgram program;
    Tsvod* t = W().svod;
    t->FormCreate();
    for (int k : {1, 13, 15, 14, 16, 6}) t->ParameterBox(k)->click();
    DialogAnswers answers;
    answers.modal = [&](QDialog* d) {
        d->show();
        QTest::qWait(200);
        d->grab().save(QDir(folder).filePath("summary-table.png"));
        d->hide();
        return int(QDialog::Accepted);
    };
    t->ShowFile(JoinPath(program.base.programPath(), "svod.12"));
}

QTEST_MAIN(SummaryTableTest)
#include "summary_table_test.moc"
