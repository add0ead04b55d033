#include "results/chart_picture.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "common/configuration.h"
#include "common/errors.h"

namespace rw {

QImage RenderChartPicture(QChart* chart, const QSizeF& shape, qreal scale, const std::function<void()>& relaid) {
    QImage image((shape * scale).toSize(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    const QSizeF before = chart->size();
    chart->resize(shape);
    if (chart->layout()) chart->layout()->activate();
    if (relaid) relaid();
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(scale, scale);
        const QRectF area(QPointF(0, 0), shape);
        chart->scene()->render(&painter, area, QRectF(chart->scenePos(), shape), Qt::IgnoreAspectRatio);
    }
    chart->resize(before);
    if (chart->layout()) chart->layout()->activate();
    if (relaid) relaid();
    return image;
}

void PrintChartPicture(QPrinter& printer, QChart* chart, qreal screenWidth, const std::function<void()>& relaid,
                       const QString& heading) {
    const QPageLayout::Orientation previousOrientation = printer.pageLayout().orientation();
    const bool previousFullPage = printer.fullPage();
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFullPage(true);  // the margins are taken from the whole sheet
    struct Restore {
        QPrinter& printer;
        QPageLayout::Orientation orientation;
        bool fullPage;
        ~Restore() {
            printer.setFullPage(fullPage);
            printer.setPageOrientation(orientation);
        }
    } restore{printer, previousOrientation, previousFullPage};

    QPainter painter;
    if (!painter.begin(&printer)) {
        throw UserError(WorkingConfiguration() ? "Выбранный принтер недоступен" : "Printer selected is not valid");
    }
    const QRectF page = printer.pageLayout().fullRectPixels(printer.resolution());
    const QRectF target(page.width() * 0.02, page.height() * 0.10, page.width() * 0.96, page.height() * 0.60);

    // The chart is laid out again at the shape of the printed area, at the
    // width it has on screen, so its texts keep their size relative to it.
    // It goes to the printer as a picture of at most four times the screen's
    // resolution: drawn straight onto a printer the chart's fonts would be
    // sized for the printer's resolution and the scaling both.
    const qreal width = std::max<qreal>(screenWidth, 200);
    const QSizeF shape(width, width * target.height() / target.width());
    const QImage picture = RenderChartPicture(chart, shape, std::min<qreal>(target.width() / width, 4.0), relaid);
    painter.drawImage(target, picture);
    if (!heading.isEmpty()) {
        // Above the chart, in the top margin: whose graph it is and when it was printed.
        QFont font = chart->font();
        font.setPointSizeF(12);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(target.left(), page.height() * 0.03, target.width(), page.height() * 0.06),
                         Qt::AlignLeft | Qt::AlignVCenter, heading);
    }
    painter.end();
}

}  // namespace rw
