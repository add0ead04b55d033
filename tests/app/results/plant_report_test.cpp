// The plant report of the main menu offscreen: the 44 lines from what the
// result windows hold, before any calculation and after a calculation and
// comparisons, the preview opened directly, and the report printed to PDF.
// Every line must say what the windows show at that moment.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>
#include <QTest>

#include "common/configuration.h"
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

namespace {

QString T(const QLabel* label) { return label->text(); }
QString Pair(const QLabel* latest, const QLabel* compared) { return T(latest) + "/" + T(compared); }

// The report as the windows show it, label by label: what the report built
// from the windows' data must agree with.
QStringList ReportAsTheWindowsShowIt() {
    const TForm12* c = W().form12;
    const TForm30* f = W().form30;
    TM_A* a = W().m_A;
    a->ShowLatestCalculation();
    const QString caption = QString::fromStdString(Context().plantCaption);
    QStringList l;
    l << "Отчет по установке " + caption + " сравнение по датам " + Pair(c->Label25, c->Label24) << " "
      << "ИСХОДНЫЕ ДАННЫЕ" << " "
      << "Содержание водорода в ВСГ       " + Pair(c->Label17, c->C3)
      << "Расход сырья                    " + Pair(c->Label18, c->C4) << "Отношение н-Р/и-Р:"
      << "      -в сырье                  " + Pair(c->Label22, c->C7)
      << "      -в катализате             " + Pair(c->Label21, c->C8)
      << "Объем переработанного сырья, т  " + Pair(c->Label27, c->C11) << " " << T(f->Label1);
    const QLabel* current[6] = {f->F1, f->F2, f->F3, f->F4, f->F5, f->F6};
    const QLabel* compared[6] = {f->Ff1, f->Ff2, f->Ff3, f->Ff4, f->Ff5, f->Ff6};
    for (size_t i = 0; i < 6; ++i) l << T(f->Captions[i]) + "   " + Pair(current[i], compared[i]);
    l << " " << (WorkingConfiguration() ? "РЕЗУЛЬТАТЫ РАСЧЕТА" : "РЕЗУЛЬТАТЫ РАССЧЕТА") << " " << "Активность катализатора         " + Pair(c->Label15, c->C1)
      << "Число крекинга                  " + Pair(c->Label16, c->C2) << "Степень превращения парафинов в реакции:"
      << "      -Изомеризации             " + Pair(c->Label19, c->C5)
      << "      -Дегидроциклизации        " + Pair(c->Label20, c->C6)
      << "Выход риформата, %масс.         " + Pair(c->Label23, c->C9)
      << "Содержание МЦП в катализате     " + Pair(c->Label12, c->C10)
      << "Октановое число, о.ч.и.         " + Pair(c->Label29, c->C12)
      << T(W().advice->Label2) + " " + T(W().advice->Label5) << " " << "АНАЛИЗ" << " " << a->GroupBox1->title()
      << " ";
    l << T(a->Label1) + "   " + Pair(a->Mb1, a->M1) << T(a->Label2) + "   " + Pair(a->Mb2, a->M2)
      << T(a->Label3) + ",%   " + Pair(a->Mb3, a->M3) << T(a->Label4) + "   " + Pair(a->Mb4, a->M4);
    l << " " << a->GroupBox2->title() << " " << T(a->Label12) + "   " + Pair(a->Kb1, a->K1)
      << T(a->Label13) + ",%   " + Pair(a->Kb2, a->K2);
    return l;
}

QStringList CurrentReport() {
    QStringList lines;
    for (const std::string& line : BuildPlantReport(CurrentPlantReportData(), Regional().decimalSeparator))
        lines << QString::fromStdString(line);
    return lines;
}

}  // namespace

class PlantReportTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Regional().decimalSeparator = '.';
        ClearLatestCalculation();
    }
    void beforeAnyCalculation();
    void afterACalculationAndAComparison();
    void afterAComparisonInTheWorkingConfiguration();
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
    QCOMPARE(previewed, ReportAsTheWindowsShowIt());
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
    W().form30->ShowCurrent({"10-12-08", {"78", "83", "80", "93", "101", "0.715"}, true});
    W().form30->ShowCompared({"10-06-09", {"77", "82", "", "", "", ""}, false});

    QCOMPARE(CurrentReport(), ReportAsTheWindowsShowIt());
    const std::vector<std::string> lines = BuildPlantReport(CurrentPlantReportData(), Regional().decimalSeparator);
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

// The working configuration shows nothing where nothing is known yet; a
// comparison without a results file beside its conditions keeps the results
// of the one before, in the window and in the report alike.
void PlantReportTest::afterAComparisonInTheWorkingConfiguration() {
    SetConfiguration(Configuration::Working);
    struct Back {
        ~Back() { SetConfiguration(Configuration::Described); }
    } back;
    StartedProgram program;
    DialogAnswers answers;
    SelectPlant(Context(), 11);
    FinishPlantSelection(Context(), 11);
    QCOMPARE(CurrentReport(), ReportAsTheWindowsShowIt());

    W().m_A->Compare(program.base.file("Hornel/10-06-09/10-06-09.dan").toStdString());
    const QString dir = program.base.file("Hornel/10-06-09");
    QVERIFY(QFile::copy(dir + "/10-06-09.dan", dir + "/only-conditions.dan"));
    W().m_A->Compare((dir + "/only-conditions.dan").toStdString());
    QVERIFY(!W().m_A->K2->text().isEmpty());
    const QStringList report = CurrentReport();
    QCOMPARE(report, ReportAsTheWindowsShowIt());
    QCOMPARE(report[21], QString("Активность катализатора         /"));
}

QTEST_MAIN(PlantReportTest)
#include "plant_report_test.moc"
