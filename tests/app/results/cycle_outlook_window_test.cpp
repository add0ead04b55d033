// "Прогноз цикла" and "Все установки" driven through their windows, offscreen,
// on the shipped sample histories: what the chart holds, the typed limits and
// their file, the words instead of a forecast, the fleet order, a row opening
// its plant, the exports and the copy (the menu items open both windows in
// the screenshots test).
#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTest>

#include "common/codepage.h"
#include "common/errors.h"
#include "common/regional.h"
#include "results/cycle_outlook_window.h"
#include "results/fleet_window.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

constexpr int kSamplePlant = 11;  // Hornel, svod.12

QString Lines(const CycleOutlook& outlook) {
    QStringList lines;
    for (const std::string& line : OutlookLines(outlook, '.')) lines << QString::fromStdString(line);
    return lines.join('\n');
}

}  // namespace

class CycleOutlookWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Regional().decimalSeparator = '.'; }
    void samplePlantChartAndFigures();
    void typedLimitsAreRememberedPerPlant();
    void wordsInsteadOfAForecast();
    void fleetSortedByTheForecastOpensAPlant();
    void fleetExportsLikeTheSummaryTable();
    void copiesTheChartOnWhite();
};

void CycleOutlookWindowTest::samplePlantChartAndFigures() {
    StartedProgram program;
    TCycleOutlook w;
    w.Load(kSamplePlant);
    const CycleOutlook& o = w.Outlook().outlook;
    QCOMPARE(o.cycle.size(), std::size_t(12));
    QVERIFY(o.regenerationDate > 0);
    QVERIFY(!o.setAside);
    QCOMPARE(w.Figures->toPlainText(), Lines(o));
    QCOMPARE(w.ActivityLimit->text(), QString("0.85"));

    // Activity against processed feed: the records, a line, a band, the limit
    // and the forecast where the line reaches it.
    QCOMPARE(w.RecordsSeries->count(), 12);
    QCOMPARE(w.FitSeries->count(), 2);
    QVERIFY(w.BandSeries->upperSeries()->count() > 2);
    QCOMPARE(w.LimitSeries->at(0).y(), 0.85);
    QCOMPARE(o.activity.feed.state, CrossingState::Forecast);
    QCOMPARE(w.ForecastSeries->count(), 2);
    QCOMPARE(w.ForecastSeries->at(0).x(), o.activity.feed.x);
    QVERIFY(qAbs(w.FitSeries->at(1).y() - 0.85) < 0.2);
    QCOMPARE(w.chart->title(), "Активность — предел 0.85 достигается при " + QString::number(o.activity.feed.x, 'f', 0) + " т");

    // Against days the horizontal axis holds dates; the coke has its own limit.
    w.AxisList->setCurrentIndex(1);
    QVERIFY(!w.chart->axes(Qt::Horizontal).isEmpty());
    QVERIFY(qobject_cast<QDateTimeAxis*>(w.chart->axes(Qt::Horizontal).first()));
    w.ParameterList->setCurrentIndex(1);
    QCOMPARE(w.LimitSeries->at(0).y(), 10.0);
    QCOMPARE(w.RecordsSeries->at(11).y(), o.cycle.back().accumulatedCoke);
}

void CycleOutlookWindowTest::typedLimitsAreRememberedPerPlant() {
    StartedProgram program;
    DialogAnswers answers;
    TCycleOutlook w;
    w.Load(kSamplePlant);
    const double before = w.Outlook().outlook.activity.feed.x;
    w.ActivityLimit->setText("0,9");
    w.CokeLimit->setText(" 8 ");
    QVERIFY(Click(&w, "ApplyButton"));
    QVERIFY(answers.messages.isEmpty());
    QCOMPARE(program.base.read("prognoz.12"), QByteArray("0.90 8.00\r\n"));
    QVERIFY(w.Outlook().outlook.activity.feed.x < before);
    QVERIFY(w.Figures->toPlainText().contains("Активность (предел 0.90):"));

    // A text that is no limit: said, and nothing changes.
    w.CokeLimit->setText("восемь");
    QVERIFY(Click(&w, "ApplyButton"));
    // The message names the limit the text was typed for.
    QCOMPARE(answers.messages,
             QStringList{"Предел «Предел кокса, %вес.»: «восемь» — должно быть положительное число"});
    QCOMPARE(program.base.read("prognoz.12"), QByteArray("0.90 8.00\r\n"));

    // Reopened, the plant's limits come back; another plant keeps the defaults.
    TCycleOutlook again;
    again.Load(kSamplePlant);
    QCOMPARE(again.ActivityLimit->text(), QString("0.90"));
    again.Load(0);
    QCOMPARE(again.ActivityLimit->text(), QString("0.85"));
}

void CycleOutlookWindowTest::wordsInsteadOfAForecast() {
    StartedProgram program;
    TCycleOutlook w;
    w.Load(9);  // regenerated two samples ago
    QCOMPARE(w.RecordsSeries->count(), 2);
    QCOMPARE(w.ForecastSeries->count(), 0);
    QCOMPARE(w.chart->title(), QString("Активность — прогноза нет: в цикле меньше трёх записей"));
    QVERIFY(w.Figures->toPlainText().contains("Конец цикла: прогноза нет"));

    // The plant with a regeneration and a bad analysis inside its history.
    w.Load(3);
    const CycleOutlook& o = w.Outlook().outlook;
    QCOMPARE(o.cycle.size(), std::size_t(6));
    QVERIFY(o.setAside);
    QCOMPARE(w.SetAsideSeries->count(), 1);
    QCOMPARE(w.RecordsSeries->count(), 5);
    QVERIFY(w.Figures->toPlainText().contains("Отложена запись 13.05.2009"));

    // No history at all: the error of the missing file.
    DialogAnswers answers;
    bool failed = false;
    try {
        w.Load(16);
    } catch (const UserError& e) {
        failed = QString::fromUtf8(e.what()) == "File not found";
    }
    QVERIFY(failed);
}

void CycleOutlookWindowTest::fleetSortedByTheForecastOpensAPlant() {
    StartedProgram program;
    DialogAnswers answers;
    TFleet f;
    f.Load();
    QTableWidget* t = f.FleetTable;
    QCOMPARE(t->rowCount(), 4);
    QCOMPARE(t->horizontalHeaderItem(6)->text(), QString("Конец цикла"));
    QStringList plants;
    for (int row = 0; row < t->rowCount(); ++row) plants << t->item(row, 0)->text();
    QCOMPARE(plants.last(), QString("10"));  // no forecast: last
    QCOMPARE(t->item(3, 6)->text(), QString("нет прогноза"));
    QDate previous;
    for (int row = 0; row < 3; ++row) {
        const QDate end = QDate::fromString(t->item(row, 6)->text(), "dd.MM.yyyy");
        QVERIFY2(end.isValid(), qPrintable(t->item(row, 6)->text()));
        QVERIFY(!previous.isValid() || previous <= end);
        previous = end;
    }

    // A double click on a row opens that plant's outlook.
    int opened = -1;
    answers.modal = [&](QDialog* d) {
        if (auto* w = qobject_cast<TCycleOutlook*>(d)) opened = w->Outlook().plantIndex;
        return int(QDialog::Accepted);
    };
    const int row = plants.indexOf("12");
    t->setCurrentCell(row, 1);
    emit t->activated(t->model()->index(row, 1));
    QCOMPARE(opened, kSamplePlant);
    QCOMPARE(f.OutlookWindow()->PlantLabel->text(), QString("Установка: Хорнельский НПЗ (Л-35-11/450К)"));

    // Хорнельский's activity at and below a limit of 1.05 since 15.04.2009:
    // first, with that date, not with its coke forecast.
    program.base.write("prognoz.12", "1.05 10.00\r\n");
    f.Load();
    QCOMPARE(t->item(0, 0)->text(), QString("12"));
    QCOMPARE(t->item(0, 6)->text(), QString("предел достигнут 15.04.2009"));
}

void CycleOutlookWindowTest::fleetExportsLikeTheSummaryTable() {
    StartedProgram program;
    DialogAnswers answers;
    TFleet f;
    f.Load();
    const QString path = program.base.file("fleet.txt");
    answers.saveFile = [&](const QString&, const QString&) { return path; };
    QVERIFY(Click(&f, "Button2"));
    const QByteArray text = program.base.read("fleet.txt");
    QCOMPARE(text, QByteArray::fromStdString(SummaryExportText(f.Grid())));
    QVERIFY(text.startsWith(QByteArray::fromStdString(Utf8ToCp1251("№\tУстановка\tДата отбора\t"))));
    QVERIFY(text.endsWith("\t\r\n"));
    QVERIFY(Click(&f, "Button4"));
    QCOMPARE(QApplication::clipboard()->text().toStdString(), SummaryClipboardText(f.Grid()));
}

// Printing goes through the graph window's picture of a chart (its test
// prints); the copy is that picture on white.
void CycleOutlookWindowTest::copiesTheChartOnWhite() {
    StartedProgram program;
    DialogAnswers answers;
    TCycleOutlook w;
    w.Load(kSamplePlant);
    QVERIFY(Click(&w, "Button5"));
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), w.Chart1->size());
    QCOMPARE(QColor(copied.pixel(2, 2)), QColor(Qt::white));
}

QTEST_MAIN(CycleOutlookWindowTest)
#include "cycle_outlook_window_test.moc"
