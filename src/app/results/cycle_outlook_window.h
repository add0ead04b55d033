#pragma once
#include <QDialog>
#include <memory>

#include "results/fleet.h"

class QAreaSeries;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QScatterSeries;

namespace rw {

// "Прогноз цикла": the current catalyst cycle of one plant, the straight line
// through its activity or accumulated coke against processed feed or days,
// the 90 % band, the limit and where the line reaches it, with the figures
// the command line prints. The two limits are typed here and remembered in
// the plant's limits file.
class TCycleOutlook : public QDialog {
    Q_OBJECT
public:
    explicit TCycleOutlook(QWidget* parent = nullptr);
    ~TCycleOutlook() override;

    // Loads the plant's history and limits and plots (no showing). Throws
    // UserError when the plant has no results history.
    void Load(int plantIndex);
    // Load, then the window modally.
    void ShowPlant(int plantIndex);

    void ApplyClick();    // "Пересчитать": takes the typed limits, remembers them, recomputes
    void Plot();          // the chosen parameter against the chosen axis
    void Button1Click();  // "Печать"
    void Button5Click();  // "Копировать"

    void PrintChart(QPrinter& printer);
    QImage ChartImage() const;
    const PlantOutlook& Outlook() const { return outlook_; }

    // --- Controls --------------------------------------------------------
    QLabel* PlantLabel = nullptr;
    QLineEdit* ActivityLimit = nullptr;  // end-of-cycle activity
    QLineEdit* CokeLimit = nullptr;      // accumulated coke limit, % by mass
    QPushButton* ApplyButton = nullptr;
    QComboBox* ParameterList = nullptr;  // activity, coke
    QComboBox* AxisList = nullptr;       // processed feed, days
    QChartView* Chart1 = nullptr;
    QChart* chart = nullptr;
    QScatterSeries* RecordsSeries = nullptr;
    QScatterSeries* SetAsideSeries = nullptr;
    QLineSeries* FitSeries = nullptr;
    QAreaSeries* BandSeries = nullptr;
    QLineSeries* LimitSeries = nullptr;
    QLineSeries* ForecastSeries = nullptr;
    QPlainTextEdit* Figures = nullptr;
    QPushButton* Button1 = nullptr;  // "Печать"
    QPushButton* Button5 = nullptr;  // "Копировать"
    QPushButton* Finita = nullptr;   // "Возврат"

private:
    void Recompute(const OutlookLimits& limits);
    void ShowFigures();

    PlantOutlook outlook_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace rw
