// The metal and acid activity window offscreen: the comparison case from a
// conditions file with and without the results file of the same name, the
// research case from the latest calculation, and unreadable files.
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include "common/files.h"
#include "common/regional.h"
#include "conditions/conditions_file.h"
#include "results/activity_window.h"
#include "results/latest_calculation.h"
#include "results/results_file.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

QStringList Texts(std::initializer_list<QLabel*> labels) {
    QStringList out;
    for (QLabel* l : labels) out << l->text();
    return out;
}

}  // namespace

class ActivityWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Regional().decimalSeparator = '.';
        ClearLatestCalculation();
    }
    void comparisonWithTheResultsFileOfTheSameName();
    void comparisonWithoutResultsFile();
    void unreadableNumbersAreReported();
    void researchColumnShowsTheLatestCalculation();
    void screenshot();
};

void ActivityWindowTest::comparisonWithTheResultsFileOfTheSameName() {
    StartedProgram program;
    DialogAnswers answers;
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    QString folderAsked;
    const QString chosen = program.base.file("Hornel/10-06-09/10-06-09.dan");
    answers.openFile = [&](const QString&, const QString& folder) {
        folderAsked = folder;
        return chosen;
    };
    TM_A* m = W().m_A;
    QVERIFY(Click(m, "Button2"));
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("; ")));
    QCOMPARE(QDir::cleanPath(folderAsked), QDir::cleanPath(program.base.file("Hornel")));
    QCOMPARE(m->Comper->text(), QString("с 10-06-09"));
    // Conditions: drop 69.00 and H2 81.20000; results: dehydrocyclization
    // 43.29, hydrogen yield 3.18, cracking number 1.7, |0.62 - 0.593| * 100.
    QCOMPARE(Texts({m->M1, m->M2, m->M3, m->M4, m->K1, m->K2}),
             QStringList({"69.0", "81.20", "43.29", "3.18", "1.7", "2.70"}));

    // The regional decimal separator shows in every value.
    Regional().decimalSeparator = ',';
    m->Compare(chosen.toStdString());
    QCOMPARE(m->M2->text(), QString("81,20"));
    QCOMPARE(m->K1->text(), QString("1,7"));
}

void ActivityWindowTest::comparisonWithoutResultsFile() {
    StartedProgram program;
    DialogAnswers answers;
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    // 01-09-09 of the sample plant has no results file yet.
    QVERIFY(!program.base.exists("Hornel/01-09-09/01-09-09.rez"));
    answers.openFile = [&](const QString&, const QString&) { return program.base.file("Hornel/01-09-09/01-09-09.dan"); };
    TM_A* m = W().m_A;
    m->M3->setText("earlier");
    QVERIFY(Click(m, "Button2"));
    QCOMPARE(m->Comper->text(), QString("с 01-09-09"));
    QCOMPARE(Texts({m->M1, m->M2, m->M3, m->M4, m->K1, m->K2}),
             QStringList({"68.0", "81.20", "earlier", "0", "0", "0"}));

    // Cancelled: nothing changes.
    answers.openFile = [](const QString&, const QString&) { return QString(); };
    m->M1->setText("kept");
    QVERIFY(Click(m, "Button2"));
    QCOMPARE(m->M1->text(), QString("kept"));
}

void ActivityWindowTest::unreadableNumbersAreReported() {
    StartedProgram program;
    DialogAnswers answers;
    QByteArray rez = program.base.read("Hornel/10-06-09/10-06-09.rez");
    QList<QByteArray> lines = rez.split('\n');
    lines[68] = lines[68].left(40) + "\r";  // no dehydrocyclization
    program.base.write("Hornel/10-06-09/10-06-09.rez", lines.join('\n'));
    answers.openFile = [&](const QString&, const QString&) { return program.base.file("Hornel/10-06-09/10-06-09.dan"); };
    TM_A* m = W().m_A;
    QVERIFY(Click(m, "Button2"));
    QCOMPARE(answers.messages, QStringList({"'' is not a valid floating point value"}));
    // What was read before the error stays on the window.
    QCOMPARE(m->M1->text(), QString("69.0"));
    QCOMPARE(m->Comper->text(), QString("с 10-06-09"));
    QCOMPARE(m->M3->text(), QString("0"));
}

void ActivityWindowTest::researchColumnShowsTheLatestCalculation() {
    StartedProgram program;
    TM_A* m = W().m_A;
    m->show();  // before any calculation the research column keeps its captions
    QCOMPARE(m->Mb1->text(), QString("Mb1"));
    m->hide();

    ResultsRecord r;
    r.dehydrocyclization = 38.456;
    r.tableB[3][0] = 2.1;
    r.crackingNumber = 5.26;
    r.normalIsoFeed = 0.9;
    r.normalIsoProduct = 0.4;
    RunConditions run{};
    run[run_slot::kTemperatureDrop] = 71.5;
    run[run_slot::kGasComposition] = 83.126;
    SetLatestCalculation(r, run);
    m->show();
    QCOMPARE(Texts({m->Mb1, m->Mb2, m->Mb3, m->Mb4, m->Kb1, m->Kb2}),
             QStringList({"71.5", "83.13", "38.46", "2.10", "5.3", "50.00"}));
    m->hide();
}

void ActivityWindowTest::screenshot() {
    StartedProgram program;
    TM_A* m = W().m_A;
    m->Compare(program.base.file("Hornel/10-06-09/10-06-09.dan").toStdString());
    m->show();
    QApplication::processEvents();
    const QString dir = QString(REFORMER_BINARY_DIR) + "/screenshots";
    QDir().mkpath(dir);
    QVERIFY(m->grab().save(dir + "/activity_window.png"));
    m->hide();
}

QTEST_MAIN(ActivityWindowTest)
#include "activity_test.moc"
