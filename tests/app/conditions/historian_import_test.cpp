// "Загрузить данные" of the conditions form in the working configuration:
// the historian's export as .xls, .xlsx or .csv, the question which sheet of
// a workbook is meant, and broken exports that must leave the form as it was.
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <map>

#include "common/configuration.h"
#include "common/regional.h"
#include "conditions/conditions_form.h"
#include "shell/date_field.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

constexpr int kRow11 = 11;

void SelectRow11(const StartedProgram& program) {
    SelectPlant(Context(), kRow11);
    FinishPlantSelection(Context(), kRow11);
    W().form8->PrepareForPlant(kRow11, program.base.file("Basa/Pic/1.jpg"));
}

QStringList EditTexts(TForm8* form) {
    QStringList texts;
    for (int n = 1; n <= 29; ++n) texts << form->Edit(n)->text();
    return texts;
}

// The three questions after the import: sampling 1 September 2009, regeneration
// ten days before, sulphur 0.5. The sheet question is answered by `sheet`
// (-1: cancelled) after its list and preselection are recorded.
struct ImportAnswers {
    DialogAnswers answers;
    int sheet = -1;
    QStringList sheetsOffered;
    int preselected = -1;
    int questions = 0;

    ImportAnswers() {
        answers.modal = [this](QDialog* d) {
            if (auto* list = d->findChild<QListWidget*>("SheetList")) {
                for (int i = 0; i < list->count(); ++i) sheetsOffered << list->item(i)->text();
                preselected = list->currentRow();
                if (sheet < 0) return int(QDialog::Rejected);
                list->setCurrentRow(sheet);
                return int(QDialog::Accepted);
            }
            ++questions;
            if (auto* p1 = d->findChild<DateField*>("DateTimePicker1")) p1->setDate(QDate(2009, 9, 1));
            if (auto* p2 = d->findChild<DateField*>("DateTimePicker2")) p2->setDate(QDate(2009, 8, 22));
            if (auto* s = d->findChild<QLineEdit*>("Edit25")) s->setText("0.5");
            return int(QDialog::Accepted);
        };
    }
    void Open(const QString& file) {
        answers.openFile = [file](const QString&, const QString&) { return file; };
    }
};

}  // namespace

class HistorianImportTest : public QObject {
    Q_OBJECT

private slots:
    void init() { SetConfiguration(Configuration::Working); }
    void cleanup() {
        SetConfiguration(Configuration::Described);
        Regional().decimalSeparator = '.';
    }

    void everyFormatFillsTheFormAlike_data();
    void everyFormatFillsTheFormAlike();
    void theSheetQuestionOffersThePlantsLastChoice();
    void brokenExportsLeaveTheFormAsItWas();
    void sheetsWithoutAFeedFlowAreRefusedBeforeTheQuestions_data();
    void sheetsWithoutAFeedFlowAreRefusedBeforeTheQuestions();
    void theSamplingDateOfferedIsTheExports();
};

void HistorianImportTest::everyFormatFillsTheFormAlike_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("sheetQuestions");
    QTest::newRow("xls") << "xls/historian_export.xls" << 1;
    QTest::newRow("xlsx") << "xlsx/historian_export.xlsx" << 1;
    QTest::newRow("csv") << "csv/historian_export.csv" << 0;
}

void HistorianImportTest::everyFormatFillsTheFormAlike() {
    QFETCH(QString, file);
    QFETCH(int, sheetQuestions);
    StartedProgram program;
    ImportAnswers a;
    SelectRow11(program);
    Regional().decimalSeparator = ',';
    TForm8* form = W().form8;
    for (int n = 1; n <= 29; ++n) form->Edit(n)->setText("");
    form->Edit14->setText("7");  // no tag: kept
    a.sheet = 0;
    a.Open(QString(REFORMER_TEST_DATA) + "/" + file);
    QVERIFY(Click(form, "Button4"));

    QCOMPARE(a.answers.messages, QStringList());
    QCOMPARE(a.sheetsOffered.size(), sheetQuestions * 2);
    QCOMPARE(a.questions, 3);
    // Edit1 to Edit29 in order; one state for the three formats.
    const QStringList expected = {"96.4", "118540", "25.3", "24.8", "24.1", "", "492.5", "493.1", "494", "",
                                  "64.8", "37.6",   "14.2", "7",    "",     "", "",      "",      "",    "",
                                  "",     "",       "",     "0.0021", "0.5", "17236.3", "23.5", "495.25", "6"};
    QCOMPARE(EditTexts(form), expected);
}

void HistorianImportTest::theSheetQuestionOffersThePlantsLastChoice() {
    StartedProgram program;
    ImportAnswers a;
    SelectRow11(program);
    TForm8* form = W().form8;
    a.sheet = 2;
    a.Open(QString(REFORMER_TEST_DATA) + "/xlsx/months.xlsx");
    QVERIFY(Click(form, "Button4"));
    QCOMPARE(a.sheetsOffered, (QStringList{"Теги", "Август", "Сентябрь"}));
    QCOMPARE(a.preselected, 0);
    QCOMPARE(form->Edit1->text(), QString("96.4"));  // September's, not August's 48.2
    QCOMPARE(program.base.read("historian_sheet.12"), QByteArray("Сентябрь\r\n"));

    // The next import (an .xls of the same plant) offers September first;
    // cancelling the question ends the import with the form untouched.
    form->Edit1->setText("1");
    const QStringList before = EditTexts(form);
    a.sheet = -1;
    a.sheetsOffered.clear();
    a.questions = 0;
    a.Open(QString(REFORMER_TEST_DATA) + "/xls/months.xls");
    QVERIFY(Click(form, "Button4"));
    QCOMPARE(a.sheetsOffered.size(), 3);
    QCOMPARE(a.preselected, 2);
    QCOMPARE(a.questions, 0);
    QCOMPARE(EditTexts(form), before);
    QCOMPARE(a.answers.messages, QStringList());
}

// Every broken .xlsx and .csv of the catalogue that the reader refuses: the
// catalogued message, none of the three questions, no field changed.
void HistorianImportTest::brokenExportsLeaveTheFormAsItWas() {
    StartedProgram program;
    ImportAnswers a;
    SelectRow11(program);
    TForm8* form = W().form8;
    for (int n = 1; n <= 29; ++n) form->Edit(n)->setText(QString::number(n));
    const QStringList before = EditTexts(form);
    a.sheet = 0;  // a damaged sheet shows when it is read, after the sheet question
    int refused = 0;
    for (const QString format : {"xlsx", "csv"}) {
        const QDir root(QString(REFORMER_TEST_DATA) + "/errors/" + format);
        for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile expected(root.filePath(name + "/expected.txt"));
            QVERIFY(expected.open(QIODevice::ReadOnly));
            QString message, input;
            for (const QString& line : QString::fromUtf8(expected.readAll()).split('\n')) {
                if (line.startsWith("message: ")) message = line.mid(9);
                if (line.startsWith("input: ")) input = line.mid(7);
            }
            if (message.isEmpty()) continue;  // a case the reader reads
            const QString file = program.base.file(input);
            QFile::remove(file);
            QVERIFY(QFile::copy(root.filePath(name + "/" + input), file));
            a.answers.messages.clear();
            a.Open(file);
            QVERIFY(Click(form, "Button4"));
            QVERIFY2(a.answers.messages == QStringList{QString(message).replace("{input}", file)},
                     qPrintable(format + "/" + name + ": " + a.answers.messages.join("|")));
            QCOMPARE(EditTexts(form), before);
            QCOMPARE(a.questions, 0);
            ++refused;
        }
    }
    QVERIFY(refused >= 12);
}

// The processed feed needs the feed flow: a sheet that gives none is refused
// at once, naming the file and sheet, before any question or field change.
void HistorianImportTest::sheetsWithoutAFeedFlowAreRefusedBeforeTheQuestions_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("shownFeedFlow");
    QTest::addColumn<QString>("message");
    QTest::newRow("no tag at all") << QByteArray("Time;XX_1;YY_2\r\n;;\r\n;5;6\r\n") << "96.4"
                                   << "нет ни одного тега историка в строке 1.";
    QTest::newRow("feed flow cell empty") << QByteArray("Time;FSLL_293;PT_219\r\n;;\r\n;;25,1\r\n") << "96.4"
                                          << "Поле «Расход сырья, м3/час»: «» не число";
    QTest::newRow("no feed flow tag, form empty") << QByteArray("Time;PT_219\r\n;\r\n;25,1\r\n") << ""
                                                  << "Поле «Расход сырья, м3/час»: «» не число";
}

void HistorianImportTest::sheetsWithoutAFeedFlowAreRefusedBeforeTheQuestions() {
    QFETCH(QByteArray, csv);
    QFETCH(QString, shownFeedFlow);
    QFETCH(QString, message);
    StartedProgram program;
    ImportAnswers a;
    SelectRow11(program);
    TForm8* form = W().form8;
    for (int n = 1; n <= 29; ++n) form->Edit(n)->setText(QString::number(n));
    form->Edit1->setText(shownFeedFlow);
    const QStringList before = EditTexts(form);
    program.base.write("export.csv", csv);
    a.Open(program.base.file("export.csv"));
    QVERIFY(Click(form, "Button4"));
    QCOMPARE(a.questions, 0);
    QCOMPARE(a.answers.messages.size(), 1);
    const QString expected = "Файл " + program.base.file("export.csv") + ", лист «";
    QVERIFY2(a.answers.messages[0].startsWith(expected) && a.answers.messages[0].contains(message),
             qPrintable(a.answers.messages[0]));
    QCOMPARE(EditTexts(form), before);
}

// The sampling-date question starts at the time of the export's values.
void HistorianImportTest::theSamplingDateOfferedIsTheExports() {
    StartedProgram program;
    ImportAnswers a;
    SelectRow11(program);
    W().form8->DateTimePicker1->setDate(QDate(2026, 12, 9));
    QDate offered;
    a.answers.modal = [&](QDialog* d) {
        if (auto* p1 = d->findChild<DateField*>("DateTimePicker1")) {
            if (!offered.isValid()) offered = p1->date();
            p1->setDate(QDate(2009, 9, 1));
        }
        if (auto* p2 = d->findChild<DateField*>("DateTimePicker2")) p2->setDate(QDate(2009, 8, 22));
        if (auto* e = d->findChild<QLineEdit*>("Edit25")) e->setText("0.5");
        return int(QDialog::Accepted);
    };
    program.base.write("export.csv", "Time;FSLL_293\r\n;\r\n28.08.2009 08:00;95\r\n");
    a.Open(program.base.file("export.csv"));
    QVERIFY(Click(W().form8, "Button4"));
    QCOMPARE(offered, QDate(2009, 8, 28));
}

QTEST_MAIN(HistorianImportTest)
#include "historian_import_test.moc"
