#include "results/graph_window.h"

#include <QApplication>
#include <QCategoryAxis>
#include <algorithm>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/regional.h"
#include "results/chart_picture.h"
#include "results/results_index.h"
#include "results/summary_table.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"

namespace rw {

namespace {

const char* const kBottomAxisTitle = "Дата отбора:";
// At most this many dates stand under the horizontal axis; a longer history
// labels every second, third, ... point.
constexpr std::size_t kMaxDateLabels = 36;
constexpr int kMaxValueTicks = 8;

// The category axis keeps one category per text: a repeated date (an index
// edited by hand) still gets its own label.
QString UniqueLabel(const QString& text, QSet<QString>& used) {
    QString label = text;
    while (used.contains(label)) label += QChar(0x200B);
    used.insert(label);
    return label;
}

void ClearCategories(QCategoryAxis* axis) {
    const QStringList labels = axis->categoriesLabels();
    for (const QString& label : labels) axis->remove(label);
}

}  // namespace

QRectF PointLabelBox(const std::optional<QPointF>& previous, const QPointF& point, const std::optional<QPointF>& next,
                     const QSizeF& size) {
    constexpr qreal kGap = 4;
    // Screen y grows downwards: a neighbour "above" has the smaller y.
    const bool previousAbove = previous && previous->y() < point.y();
    const bool nextAbove = next && next->y() < point.y();
    const qreal w = size.width(), h = size.height();
    if (previousAbove && nextAbove) return QRectF(point.x() - w / 2, point.y() + kGap, w, h);  // a trough
    if (nextAbove) return QRectF(point.x() - kGap - w, point.y() - kGap - h, w, h);            // rising
    if (previousAbove) return QRectF(point.x() + kGap, point.y() - kGap - h, w, h);            // falling
    return QRectF(point.x() - w / 2, point.y() - kGap - h, w, h);                               // a peak or level
}

// The value written above every point ("#0.###"). The chart's own point
// labels know only a printf-like notation, so the texts the core formatted
// are drawn here; a text that would overlap the one before it is left out.
class PointTexts : public QGraphicsItem {
public:
    PointTexts(QChart* chart, QLineSeries* series) : QGraphicsItem(chart), chart_(chart), series_(series) {
        setZValue(10);
        font_ = chart->font();
        font_.setPointSizeF(std::max(6.0, font_.pointSizeF() - 1));
    }

    void SetTexts(const std::vector<std::string>& texts) {
        texts_.clear();
        texts_.reserve(static_cast<qsizetype>(texts.size()));
        for (const std::string& t : texts) texts_.append(QString::fromStdString(t));
        Refresh();
    }
    void Refresh() {
        prepareGeometryChange();
        update();
    }

    QRectF boundingRect() const override { return chart_->plotArea().adjusted(-80, -40, 80, 40); }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        const QRectF area = chart_->plotArea();
        painter->save();
        painter->setClipRect(area);
        painter->setFont(font_);
        painter->setPen(Qt::black);
        const QFontMetricsF metrics(font_);
        const qsizetype n = std::min<qsizetype>(texts_.size(), series_->count());
        QRectF last;
        const bool working = WorkingConfiguration();
        auto at = [this](qsizetype i) { return chart_->mapToPosition(series_->at(static_cast<int>(i)), series_); };
        for (qsizetype i = 0; i < n; ++i) {
            const QPointF position = at(i);
            if (position.x() < area.left() - 1 || position.x() > area.right() + 1) continue;
            const QString& text = texts_[i];
            const qreal width = metrics.horizontalAdvance(text);
            std::optional<QPointF> previous, next;
            if (i > 0) previous = at(i - 1);
            if (i + 1 < series_->count()) next = at(i + 1);
            const QRectF box = working ? PointLabelBox(previous, position, next, QSizeF(width, metrics.height()))
                                       : QRectF(position.x() - width / 2, position.y() - 4 - metrics.height(), width,
                                                metrics.height());
            if (!last.isNull() && box.intersects(last)) continue;
            painter->drawText(box, Qt::AlignCenter, text);
            last = box;
        }
        painter->restore();
    }

private:
    QChart* chart_;
    QLineSeries* series_;
    QStringList texts_;
    QFont font_;
};

TGraph::TGraph(QWidget* parent) : QDialog(parent) {
    setObjectName("Graph");
    setWindowTitle("Графики");
    if (DescribedConfiguration()) SetFrameWithoutIcons(this);

    Label1 = NamedLabel(this, "Label1", "Выберите график:");
    GrList = new QComboBox(this);
    GrList->setObjectName("GrList");
    for (int k = 1; k <= kParameterCount; ++k) GrList->addItem(QString::fromUtf8(ParameterCaption(k)));

    chart = new QChart;
    chart->setObjectName("Chart1Chart");
    chart->legend()->hide();
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);

    Series2 = new QLineSeries(chart);
    Series2->setObjectName("Series2");
    QPen pen(Qt::black);
    pen.setWidth(2);
    Series2->setPen(pen);
    Series2->setPointsVisible(false);
    chart->addSeries(Series2);

    BottomAxis = new QCategoryAxis(chart);
    BottomAxis->setObjectName("BottomAxis");
    BottomAxis->setTitleText(kBottomAxisTitle);
    BottomAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    BottomAxis->setLabelsAngle(-90);
    chart->addAxis(BottomAxis, Qt::AlignBottom);
    Series2->attachAxis(BottomAxis);

    LeftAxis = new QCategoryAxis(chart);
    LeftAxis->setObjectName("LeftAxis");
    LeftAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(LeftAxis, Qt::AlignLeft);
    Series2->attachAxis(LeftAxis);

    Chart1 = new QChartView(chart, this);
    Chart1->setObjectName("Chart1");
    Chart1->setRenderHint(QPainter::Antialiasing);
    Chart1->setBackgroundBrush(Qt::white);
    texts_ = new PointTexts(chart, Series2);

    connect(chart, &QChart::plotAreaChanged, this, [this]() { texts_->Refresh(); });
    connect(BottomAxis, &QValueAxis::rangeChanged, this, [this]() {
        UpdateBottomAxis();
        texts_->Refresh();
    });
    connect(LeftAxis, &QValueAxis::rangeChanged, this, [this]() {
        // After zooming the ticks are laid out anew for the visible range.
        UpdateLeftAxis();
        texts_->Refresh();
    });

    Finita = NamedButton(this, "Finita", "Возврат");
    Button1 = NamedButton(this, "Button1", "Печать");
    Button2 = NamedButton(this, "Button2", "Увеличить");
    Button3 = NamedButton(this, "Button3", "Уменьшить");
    Button4 = NamedButton(this, "Button4", "Восстановить");
    Button5 = NamedButton(this, "Button5", "Копировать");
    for (QPushButton* b : {Finita, Button1, Button2, Button3, Button4, Button5}) b->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addWidget(GrList);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Chart1, 1);
    layout->addLayout(ButtonRow({Button2, Button3, Button4, Button5, Button1}, {Finita}));

    ConnectHandler(GrList, &QComboBox::currentIndexChanged, this, [this]() { GrListClick(); });
    ConnectHandler(Finita, &QPushButton::clicked, this, [this]() { FinitaClick(); });
    ConnectHandler(Button1, &QPushButton::clicked, this, [this]() { Button1Click(); });
    ConnectHandler(Button2, &QPushButton::clicked, this, [this]() { Button2Click(); });
    ConnectHandler(Button3, &QPushButton::clicked, this, [this]() { Button3Click(); });
    ConnectHandler(Button4, &QPushButton::clicked, this, [this]() { Button4Click(); });
    ConnectHandler(Button5, &QPushButton::clicked, this, [this]() { Button5Click(); });

    Chart1->setMinimumSize(800, 470);
    FormCreate();
    CentreOnScreen(this);
}

TGraph::~TGraph() = default;

void TGraph::FormCreate() {
    records_.clear();
    const QSignalBlocker blocker(GrList);
    GrList->setCurrentIndex(0);
    GrListClick();
}

void TGraph::reject() {
    if (WorkingConfiguration()) FinitaClick();
}

void TGraph::showFile(const std::string& indexPath) {
    QString failure;
    try {
        records_ = ReadResultsIndex(indexPath);
    } catch (const std::exception& e) {
        records_.clear();
        failure = QString::fromUtf8(e.what());
    }
    GrListClick();
    if (!failure.isEmpty()) ui::ShowError(this, failure);
    ui::ExecModal(this);
}

void TGraph::ShowPlantHistory() { showFile(JoinPath(Context().baseFolder, "svod." + Context().PlantNumber())); }

void TGraph::ShowFolderIndex() { showFile(JoinPath(Context().baseFolder, "svod.tmp")); }

void TGraph::ShowSeries(const QString& title, const QStringList& labels, const std::vector<double>& values,
                        const QString& axisTitle) {
    Label1->hide();
    GrList->hide();
    records_.clear();
    if (!axisTitle.isEmpty()) BottomAxis->setTitleText(axisTitle);
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(labels.size()));
    for (const QString& label : labels) texts.push_back(label.toStdString());
    chart->setTitle(title);
    Plot(BuildSeries(texts, values, Regional().decimalSeparator));
    ui::ExecModal(this);
    BottomAxis->setTitleText(kBottomAxisTitle);
    Label1->show();
    GrList->show();
}

void TGraph::GrListClick() {
    const int item = std::max(0, GrList->currentIndex());
    chart->setTitle(GrList->itemText(item));
    Plot(BuildParameterSeries(records_, item + 1, LastCokeChoice(), Regional().decimalSeparator));
}

// The working configuration spaces the points of a results history by their
// sampling dates; otherwise (and for the deactivation history) they stand
// one unit apart whatever the interval between the dates.
bool TGraph::DateAxis() const {
    if (!WorkingConfiguration() || plotted_.Size() == 0 || plotted_.dates.size() != plotted_.Size()) return false;
    return std::all_of(plotted_.dates.begin(), plotted_.dates.end(), [](double d) { return d > 0; });
}

qreal TGraph::PointX(std::size_t i) const {
    return DateAxis() ? static_cast<qreal>(plotted_.dates[i]) : static_cast<qreal>(i);
}

void TGraph::Plot(const ChartSeries& series) {
    plotted_ = series;
    chart->zoomReset();

    const std::size_t n = series.Size();
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(n));
    for (std::size_t i = 0; i < n; ++i) points.append(QPointF(PointX(i), series.values[i]));
    Series2->replace(points);

    updatingAxis_ = true;
    if (DateAxis()) {
        const auto [low, high] = std::minmax_element(series.dates.begin(), series.dates.end());
        const qreal room = std::max<qreal>(1.0, (*high - *low) * 0.04);
        BottomAxis->setRange(*low - room, *high + room);
    } else {
        BottomAxis->setRange(-0.5, n > 1 ? static_cast<qreal>(n) - 0.5 : 0.5);
    }
    updatingAxis_ = false;
    UpdateBottomAxis();

    const ValueAxis axis = MakeValueAxis(series.values, kMaxValueTicks, Regional().decimalSeparator);
    updatingAxis_ = true;
    LeftAxis->setRange(axis.min, axis.max);
    updatingAxis_ = false;
    UpdateLeftAxis();
    texts_->SetTexts(series.valueTexts);
}

void TGraph::UpdateBottomAxis() {
    if (updatingAxis_) return;
    updatingAxis_ = true;
    // Only the dates of the visible points: the axis would pile the others
    // up at its ends.
    const qreal low = BottomAxis->min();
    const qreal high = BottomAxis->max();
    const std::size_t n = plotted_.Size();
    ClearCategories(BottomAxis);
    BottomAxis->setStartValue(low - (high - low) * 1e-6);
    if (DateAxis()) {
        // Dates close together would write over each other: a label keeps a
        // share of the visible width to itself.
        const qreal gap = (high - low) / static_cast<qreal>(kMaxDateLabels);
        QSet<QString> used;
        qreal last = -1e300;
        for (std::size_t i = 0; i < n; ++i) {
            const qreal x = PointX(i);
            if (x < low || x > high || x - last < gap) continue;
            BottomAxis->append(UniqueLabel(QString::fromStdString(plotted_.labels[i]), used), x);
            last = x;
        }
    } else if (n > 0 && high >= 0 && low <= static_cast<qreal>(n - 1)) {
        const std::size_t first = low > 0 ? static_cast<std::size_t>(std::ceil(low)) : 0;
        const std::size_t last = std::min(n - 1, static_cast<std::size_t>(std::floor(high)));
        QSet<QString> used;
        const std::size_t step = last >= first ? LabelStep(last - first + 1, kMaxDateLabels) : 1;
        for (std::size_t i = first; i <= last; i += step)
            BottomAxis->append(UniqueLabel(QString::fromStdString(plotted_.labels[i]), used), static_cast<qreal>(i));
    }
    updatingAxis_ = false;
}

void TGraph::UpdateLeftAxis() {
    if (updatingAxis_) return;
    updatingAxis_ = true;
    const ValueAxis axis = MakeValueAxisForRange(LeftAxis->min(), LeftAxis->max(), kMaxValueTicks,
                                                 Regional().decimalSeparator);
    ClearCategories(LeftAxis);
    // Just below the bottom, so a tick at the bottom gets its label too.
    LeftAxis->setStartValue(LeftAxis->min() - (LeftAxis->max() - LeftAxis->min()) * 1e-6);
    QSet<QString> used;
    for (std::size_t i = 0; i < axis.ticks.size(); ++i)
        if (axis.ticks[i] >= LeftAxis->min() && axis.ticks[i] <= LeftAxis->max())
            LeftAxis->append(UniqueLabel(QString::fromStdString(axis.tickTexts[i]), used), axis.ticks[i]);
    updatingAxis_ = false;
}

void TGraph::FinitaClick() {
    records_.clear();
    records_.shrink_to_fit();
    accept();
}

void TGraph::Button1Click() {
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName("PrintDialog1");
    if (ui::ExecModal(&dialog) != QDialog::Accepted) return;
    PrintChart(printer);
}

void TGraph::Button2Click() { chart->zoom(1.2); }

void TGraph::Button3Click() { chart->zoom(0.8); }

void TGraph::Button4Click() { chart->zoomReset(); }

void TGraph::Button5Click() { QApplication::clipboard()->setImage(ChartImage()); }

QPrinter& TGraph::Printer() {
    // Made on first use: asking the system for its default printer is slow.
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void TGraph::PrintChart(QPrinter& printer) {
    // The working configuration's printout (a PDF as often as paper) says
    // which plant it is about and when it was made.
    QString heading;
    if (WorkingConfiguration()) {
        heading = QString::fromStdString(Context().plantCaption).trimmed() + " — " + chart->title() + ". " +
                  QDate::currentDate().toString("dd.MM.yyyy");
        // The same words title the PDF, where a file list or a viewer shows them.
        printer.setDocName(heading);
    }
    PrintChartPicture(printer, chart, Chart1->width(), [this]() { texts_->Refresh(); }, heading);
}

QImage TGraph::RenderChart(const QSizeF& shape, qreal scale) const {
    return RenderChartPicture(chart, shape, scale, [this]() { texts_->Refresh(); });
}

QImage TGraph::ChartImage() const {
    // Drawn from the chart itself, so a window that was never on screen
    // (its view not yet laid out) gives the same picture.
    return RenderChart(QSizeF(Chart1->size()), 1.0);
}

}  // namespace rw
