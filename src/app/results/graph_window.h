#pragma once
#include <QDialog>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "results/chart_series.h"
#include "results/results_file.h"

class QCategoryAxis;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QPainter;
class QPrinter;
class QPushButton;

namespace rw {

class PointTexts;

// Where the value of a point is written (screen coordinates) so that the
// line through its neighbours never crosses it: above a peak or a level
// point, below a trough, above and to the left where the line rises to the
// right, above and to the right where it falls.
QRectF PointLabelBox(const std::optional<QPointF>& previous, const QPointF& point, const std::optional<QPointF>& next,
                     const QSizeF& size);

// The graph of one parameter of a results index over its sampling dates, one
// point per record at equal spacing. The deactivation tracking shows its
// history here too (ShowSeries), with the parameter list hidden.
class TGraph : public QDialog {
    Q_OBJECT
public:
    explicit TGraph(QWidget* parent = nullptr);
    ~TGraph() override;

    void FormCreate();
    // Loads the records of an index, plots the selected parameter and shows
    // the window modally. An index that cannot be read is reported and
    // plotted empty.
    void showFile(const std::string& indexPath);
    // "Графическое представление": the plant's history svod.<plant number>.
    void ShowPlantHistory();
    // "Графики" of the results menu: svod.tmp of the base folder.
    void ShowFolderIndex();
    // Shows given points (labels under the horizontal axis, values) with the
    // chart title `title`, GrList and Label1 hidden while the window is
    // open; `axisTitle` replaces the bottom-axis title when not empty.
    void ShowSeries(const QString& title, const QStringList& labels, const std::vector<double>& values,
                    const QString& axisTitle = {});

    void GrListClick();   // plot the selected parameter
    void FinitaClick();   // "Возврат"
    void Button1Click();  // "Печать"
    void Button2Click();  // "Увеличить"
    void Button3Click();  // "Уменьшить"
    void Button4Click();  // "Восстановить"
    void Button5Click();  // "Копировать"

    // Draws the chart on `printer` as "Печать" does once the print dialog
    // was confirmed: landscape, margins of 2 % left and right, 10 % top and
    // 30 % bottom of the page; the printer's orientation is restored.
    void PrintChart(QPrinter& printer);
    // The chart as a picture on white, as "Копировать" puts it on the clipboard.
    QImage ChartImage() const;

    // What is plotted now (the points, their texts and date labels).
    const ChartSeries& Plotted() const { return plotted_; }
    // The printer "Печать" prints on (its settings kept between prints).
    QPrinter& Printer();

    // --- Controls --------------------------------------------------------
    QLabel* Label1 = nullptr;
    QComboBox* GrList = nullptr;
    QChartView* Chart1 = nullptr;
    QChart* chart = nullptr;
    QLineSeries* Series2 = nullptr;
    QCategoryAxis* BottomAxis = nullptr;
    QCategoryAxis* LeftAxis = nullptr;
    QPushButton* Finita = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;

public slots:
    // No close box: the window is left through "Возврат" only.
    void reject() override;

private:
    void Plot(const ChartSeries& series);
    bool DateAxis() const;
    qreal PointX(std::size_t i) const;
    void UpdateBottomAxis();
    void UpdateLeftAxis();
    // The chart laid out at `shape` (screen pixels), drawn on white at `scale`.
    QImage RenderChart(const QSizeF& shape, qreal scale) const;

    std::vector<ResultsRecord> records_;
    ChartSeries plotted_;
    PointTexts* texts_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    bool updatingAxis_ = false;
};

}  // namespace rw
