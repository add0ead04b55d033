#include "results/cycle_outlook_window.h"

#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

#include "common/dates.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "results/chart_picture.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"

namespace rw {
namespace {

// Date values count days from 30.12.1899; the chart's date axis counts
// milliseconds from 01.01.1970, day 25569.
qreal ChartX(double x, bool byDays) { return byDays ? (x - 25569.0) * 86400000.0 : x; }

QString LimitText(double value) {
    QString text = QString::fromStdString(FormatFixed(value, 0, 2));
    return text.replace('.', QChar(Regional().decimalSeparator));
}

QList<QPointF> Points(const std::vector<OutlookChart::Point>& points, bool byDays) {
    QList<QPointF> list;
    for (const OutlookChart::Point& p : points) list.append(QPointF(ChartX(p.x, byDays), p.y));
    return list;
}

QLineSeries* NewLine(QChart* chart, const char* name, const QString& legend, const QColor& colour, int width,
                     Qt::PenStyle style) {
    auto* series = new QLineSeries(chart);
    series->setObjectName(name);
    series->setName(legend);
    QPen pen(colour);
    pen.setWidth(width);
    pen.setStyle(style);
    series->setPen(pen);
    chart->addSeries(series);
    return series;
}

QScatterSeries* NewPoints(QChart* chart, const char* name, const QString& legend, const QColor& colour,
                          QScatterSeries::MarkerShape shape) {
    auto* series = new QScatterSeries(chart);
    series->setObjectName(name);
    series->setName(legend);
    series->setMarkerShape(shape);
    series->setMarkerSize(9);
    series->setColor(colour);
    series->setBorderColor(colour.darker());
    chart->addSeries(series);
    return series;
}

}  // namespace

TCycleOutlook::TCycleOutlook(QWidget* parent) : QDialog(parent) {
    setObjectName("CycleOutlook");
    setWindowTitle("Прогноз цикла");

    PlantLabel = NamedLabel(this, "PlantLabel", {});
    QLabel* activityLabel = NamedLabel(this, "ActivityLimitLabel", "Активность в конце цикла:");
    ActivityLimit = new QLineEdit(this);
    ActivityLimit->setObjectName("ActivityLimit");
    QLabel* cokeLabel = NamedLabel(this, "CokeLimitLabel", "Предел кокса, %вес.:");
    CokeLimit = new QLineEdit(this);
    CokeLimit->setObjectName("CokeLimit");
    for (QLineEdit* edit : {ActivityLimit, CokeLimit}) edit->setMaximumWidth(90);
    ApplyButton = NamedButton(this, "ApplyButton", "Пересчитать");
    ApplyButton->setDefault(true);
    ParameterList = new QComboBox(this);
    ParameterList->setObjectName("ParameterList");
    ParameterList->addItems({"Активность", "Кокс, %вес."});
    AxisList = new QComboBox(this);
    AxisList->setObjectName("AxisList");
    AxisList->addItems({"По переработанному сырью", "По дням"});

    chart = new QChart;
    chart->setObjectName("Chart1Chart");
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->legend()->setAlignment(Qt::AlignBottom);

    auto* bandHigh = new QLineSeries(chart);
    auto* bandLow = new QLineSeries(chart);
    BandSeries = new QAreaSeries(bandHigh, bandLow);
    BandSeries->setParent(chart);
    BandSeries->setObjectName("BandSeries");
    BandSeries->setName("90 % полоса");
    BandSeries->setColor(QColor(70, 130, 200, 60));
    BandSeries->setBorderColor(QColor(70, 130, 200, 140));
    chart->addSeries(BandSeries);
    FitSeries = NewLine(chart, "FitSeries", "Прямая", QColor(30, 80, 170), 2, Qt::SolidLine);
    LimitSeries = NewLine(chart, "LimitSeries", "Предел", QColor(200, 30, 30), 2, Qt::DashLine);
    ForecastSeries = NewLine(chart, "ForecastSeries", "Прогноз", QColor(0, 120, 0), 2, Qt::DashDotLine);
    RecordsSeries = NewPoints(chart, "RecordsSeries", "Записи цикла", Qt::black, QScatterSeries::MarkerShapeCircle);
    SetAsideSeries = NewPoints(chart, "SetAsideSeries", "Отложена", QColor(230, 120, 0),
                               QScatterSeries::MarkerShapeRectangle);

    Chart1 = new QChartView(chart, this);
    Chart1->setObjectName("Chart1");
    Chart1->setRenderHint(QPainter::Antialiasing);
    Chart1->setMinimumSize(820, 420);

    Figures = new QPlainTextEdit(this);
    Figures->setObjectName("Figures");
    Figures->setReadOnly(true);
    Figures->setMinimumHeight(185);

    Button1 = NamedButton(this, "Button1", "Печать");
    Button5 = NamedButton(this, "Button5", "Копировать");
    Finita = NamedButton(this, "Finita", "Возврат");
    for (QPushButton* b : {Button1, Button5, Finita}) b->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(activityLabel);
    top->addWidget(ActivityLimit);
    top->addSpacing(12);
    top->addWidget(cokeLabel);
    top->addWidget(CokeLimit);
    top->addWidget(ApplyButton);
    top->addStretch(1);
    top->addWidget(ParameterList);
    top->addWidget(AxisList);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PlantLabel);
    layout->addLayout(top);
    layout->addWidget(Chart1, 1);
    layout->addWidget(Figures);
    layout->addLayout(ButtonRow({Button5, Button1}, {Finita}));

    ConnectHandler(ApplyButton, &QPushButton::clicked, this, [this]() { ApplyClick(); });
    ConnectHandler(ParameterList, &QComboBox::currentIndexChanged, this, [this]() { Plot(); });
    ConnectHandler(AxisList, &QComboBox::currentIndexChanged, this, [this]() { Plot(); });
    ConnectHandler(Button1, &QPushButton::clicked, this, [this]() { Button1Click(); });
    ConnectHandler(Button5, &QPushButton::clicked, this, [this]() { Button5Click(); });
    connect(Finita, &QPushButton::clicked, this, &QDialog::accept);
    CentreOnScreen(this);
}

TCycleOutlook::~TCycleOutlook() = default;

void TCycleOutlook::Load(int plantIndex) {
    const std::string base = Context().baseFolder;
    const OutlookLimits limits = ReadOutlookLimits(OutlookLimitsPath(base, plantIndex));
    outlook_ = LoadPlantOutlook(base, plantIndex, limits);
    PlantLabel->setText("Установка: " + QString::fromStdString(outlook_.caption));
    ActivityLimit->setText(LimitText(limits.activity));
    CokeLimit->setText(LimitText(limits.coke));
    ShowFigures();
    Plot();
}

void TCycleOutlook::ShowPlant(int plantIndex) {
    Load(plantIndex);
    ui::ExecModal(this);
}

void TCycleOutlook::ApplyClick() {
    OutlookLimits limits;
    limits.activity = ParseLimitText(ActivityLimit->text().toStdString(), "Активность в конце цикла");
    limits.coke = ParseLimitText(CokeLimit->text().toStdString(), "Предел кокса, %вес.");
    WriteOutlookLimits(OutlookLimitsPath(Context().baseFolder, outlook_.plantIndex), limits);
    Recompute(limits);
}

void TCycleOutlook::Recompute(const OutlookLimits& limits) {
    outlook_ = LoadPlantOutlook(Context().baseFolder, outlook_.plantIndex, limits);
    ShowFigures();
    Plot();
}

void TCycleOutlook::ShowFigures() {
    QStringList lines;
    for (const std::string& line : OutlookLines(outlook_.outlook, Regional().decimalSeparator))
        lines.append(QString::fromStdString(line));
    Figures->setPlainText(lines.join('\n'));
}

void TCycleOutlook::Plot() {
    const bool coke = ParameterList->currentIndex() == 1;
    const bool byDays = AxisList->currentIndex() == 1;
    const OutlookChart c = BuildOutlookChart(outlook_.outlook, coke, byDays);

    // The title carries the answer: where the line reaches the limit, or why
    // it does not say.
    QString title = ParameterList->currentText();
    if (!c.words.empty()) {
        title += " — " + QString::fromStdString(c.words);
    } else if (c.forecastX) {
        title += " — предел " + LimitText(c.limit) + " достигается " +
                 (byDays ? QString::fromStdString(FormatDateLong(*c.forecastX, '.'))
                         : "при " + QString::number(*c.forecastX, 'f', 0) + " т");
    }
    chart->setTitle(title);

    RecordsSeries->replace(Points(c.records, byDays));
    SetAsideSeries->replace(c.setAside ? Points({*c.setAside}, byDays) : QList<QPointF>{});
    FitSeries->replace(Points(c.line, byDays));
    BandSeries->upperSeries()->replace(Points(c.bandHigh, byDays));
    BandSeries->lowerSeries()->replace(Points(c.bandLow, byDays));
    LimitSeries->replace({QPointF(ChartX(c.xMin, byDays), c.limit), QPointF(ChartX(c.xMax, byDays), c.limit)});

    // The value range holds the records, the band and the limit.
    double low = c.limit, high = c.limit;
    auto widen = [&](const std::vector<OutlookChart::Point>& points) {
        for (const OutlookChart::Point& p : points) {
            low = std::min(low, p.y);
            high = std::max(high, p.y);
        }
    };
    widen(c.records);
    widen(c.bandLow);
    widen(c.bandHigh);
    if (c.setAside) widen({*c.setAside});
    const double room = std::max((high - low) * 0.06, 0.01);
    // Activity and coke are never negative: the axis does not go below zero for room.
    low = low >= 0 ? std::max(low - room, 0.0) : low - room;
    high += room;
    ForecastSeries->replace(c.forecastX ? QList<QPointF>{QPointF(ChartX(*c.forecastX, byDays), low),
                                                           QPointF(ChartX(*c.forecastX, byDays), high)}
                                        : QList<QPointF>{});

    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    QAbstractAxis* xAxis = nullptr;
    double xMin = c.xMin, xMax = c.xMax;
    const double xRoom = std::max((xMax - xMin) * 0.03, byDays ? 5.0 : 1000.0);
    if (byDays) {
        auto* axis = new QDateTimeAxis;
        axis->setFormat("dd.MM.yyyy");
        axis->setTitleText("Дата отбора");
        axis->setTickCount(7);
        axis->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ChartX(xMin - xRoom, true))),
                       QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ChartX(xMax + xRoom, true))));
        xAxis = axis;
    } else {
        auto* axis = new QValueAxis;
        axis->setLabelFormat("%.0f");
        axis->setTitleText("Переработано сырья, т");
        axis->setRange(xMin - xRoom, xMax + xRoom);
        axis->setTickCount(7);
        axis->applyNiceNumbers();
        xAxis = axis;
    }
    xAxis->setObjectName("BottomAxis");
    auto* yAxis = new QValueAxis;
    yAxis->setObjectName("LeftAxis");
    yAxis->setLabelFormat(coke ? "%.1f" : "%.2f");
    yAxis->setRange(low, high);
    yAxis->setTickCount(7);
    yAxis->applyNiceNumbers();
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    // The band's edges are drawn by the band; the set-aside point is listed
    // only when there is one.
    for (QLegendMarker* marker : chart->legend()->markers(SetAsideSeries)) marker->setVisible(c.setAside.has_value());
    for (QLegendMarker* marker : chart->legend()->markers(ForecastSeries)) marker->setVisible(c.forecastX.has_value());
}

void TCycleOutlook::Button1Click() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer_.get(), this);
    dialog.setObjectName("PrintDialog1");
    if (ui::ExecModal(&dialog) != QDialog::Accepted) return;
    PrintChart(*printer_);
}

void TCycleOutlook::Button5Click() { QApplication::clipboard()->setImage(ChartImage()); }

void TCycleOutlook::PrintChart(QPrinter& printer) { PrintChartPicture(printer, chart, Chart1->width()); }

QImage TCycleOutlook::ChartImage() const { return RenderChartPicture(chart, QSizeF(Chart1->size()), 1.0); }

}  // namespace rw
