#pragma once
#include <QImage>
#include <QSizeF>
#include <QString>
#include <functional>

class QChart;
class QPrinter;

namespace rw {

// Pictures of a chart for the clipboard and the printer, shared by the chart
// windows. `relaid` runs after every change of the chart's layout (items the
// window draws over the chart follow it there).

// The chart laid out at `shape` (screen pixels), drawn on white at `scale`;
// the chart gets its own size back afterwards.
QImage RenderChartPicture(QChart* chart, const QSizeF& shape, qreal scale, const std::function<void()>& relaid = {});

// Prints the chart landscape with margins of 2 % left and right, 10 % top and
// 30 % bottom of the page, laid out at `screenWidth`; the printer's
// orientation is restored. Throws UserError("Printer selected is not
// valid") when the printer cannot be drawn on. A `heading` is printed in the
// top margin, above the chart.
void PrintChartPicture(QPrinter& printer, QChart* chart, qreal screenWidth, const std::function<void()>& relaid = {},
                       const QString& heading = {});

}  // namespace rw
