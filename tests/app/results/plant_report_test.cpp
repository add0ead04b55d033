// The plant report of the main menu offscreen: the 44 lines from the texts
// the result windows show, before any calculation and after a calculation and
// a comparison, the preview opened directly, and the report printed to PDF.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>
#include <QTest>

#include "common/regional.h"
#include "results/activity_window.h"
#include "results/comparison_window.h"
#include "results/latest_calculation.h"
#include "results/plant_report.h"
#include "results/plant_report_view.h"
#include "results/report_window.h"
#include "results/results_file.h"
#include "runs/advice_window.h"
#include "runs/feed_info_window.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

class PlantReportTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Regional().decimalSeparator = '.';
        ClearLatestCalculation();
    }
    void beforeAnyCalculation();
    void afterACalculationAndAComparison();
};

void PlantReportTest::beforeAnyCalculation() {
    StartedProgram program;
    DialogAnswers answers;
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    QStringList previewed;
    bool preview = false;
    answers.modal = [&](QDialog* d) {
        preview = qobject_cast<QPrintPreviewDialog*>(d) != nullptr;
        if (preview) previewed = W().fRep->Rep.Lines;
        return int(QDialog::Accepted);
    };
    const QFont font = W().fRep->Rep.Font;

    W().form5->N30Click();

    QCOMPARE(answers.modalShown.size(), 1);  // the preview only, not the report window
    QVERIFY(preview);
    QCOMPARE(previewed.size(), 44);
    QCOMPARE(W().fRep->Rep.Lines, previewed);
    QCOMPARE(W().fRep->Rep.Font, font);
    QCOMPARE(previewed[0], "Отчет по установке " + QString::fromStdString(Context().plantCaption) +
                               " сравнение по датам Label25/");
    QVERIFY(previewed[21].endsWith("Label15/"));
    QCOMPARE(previewed[21], QString("Активность катализатора         Label15/"));
    QCOMPARE(previewed[35], QString("Перепад температур   Mb1/0"));
    QCOMPARE(previewed[37], QString("Дегидроциклизация,%   Mb3/0"));
    QCOMPARE(previewed[43], QString("Степень изомеризации,%   Kb2/0"));
    QCOMPARE(previewed[33], W().m_A->GroupBox1->title());
    QCOMPARE(previewed[11], W().form30->Label1->text());
}

void PlantReportTest::afterACalculationAndAComparison() {
    StartedProgram program;
    DialogAnswers answers;
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);

    // The calculation fills the left column of the comparison window and
    // becomes the research case; the comparisons fill the right columns.
    const std::string dated = program.base.file("Hornel/10-06-09/10-06-09.rez").toStdString();
    const ResultsRecord latest = ReadResultsFile(program.base.file("Hornel/10-12-08/10-12-08.rez").toStdString());
    const ResultsRecord compared = ReadResultsFile(dated);
    W().form12->ShowLatest("10-12-08", latest);
    W().form12->ShowCompared(dated, compared);
    RunConditions run{};
    run[run_slot::kTemperatureDrop] = 70;
    run[run_slot::kGasComposition] = 80.5;
    SetLatestCalculation(latest, run);
    W().m_A->Compare(program.base.file("Hornel/10-06-09/10-06-09.dan").toStdString());

    const std::vector<std::string> lines = BuildPlantReport(CurrentPlantReportTexts());
    QCOMPARE(int(lines.size()), 44);
    const QString first = QString::fromStdString(lines[0]);
    QVERIFY2(first.endsWith(" сравнение по датам 10-12-08/10-06-09"), qPrintable(first));
    const QString activity = QString::fromStdString(lines[21]);
    QCOMPARE(activity, "Активность катализатора         " + W().form12->Label15->text() + "/" + W().form12->C1->text());
    QVERIFY(!W().form12->C1->text().isEmpty());
    QCOMPARE(QString::fromStdString(lines[35]), "Перепад температур   70.0/69.0");
    QCOMPARE(QString::fromStdString(lines[36]), "Концентрация водорода   80.50/81.20");
    QVERIFY(QString::fromStdString(lines[43]).startsWith("Степень изомеризации,%   "));
    QVERIFY(QString::fromStdString(lines[43]).endsWith("/2.70"));

    // Printed into a PDF file with the report's page set-up.
    answers.modal = [](QDialog*) { return int(QDialog::Accepted); };
    W().form5->N30Click();
    QCOMPARE(W().fRep->Rep.Lines.size(), 44);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    W().fRep->PrintToPdf(pdf);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.size() > 1000);
    // Kept for a look: the same report in the build folder.
    QDir().mkpath(QString(REFORMER_BINARY_DIR) + "/screenshots");
    W().fRep->PrintToPdf(QString(REFORMER_BINARY_DIR) + "/screenshots/plant_report.pdf");
}

QTEST_MAIN(PlantReportTest)
#include "plant_report_test.moc"
