// Draws the pictures of the installation data tree (data/bin/sk/Basa/Pic):
//   1.jpg, 2.jpg      process schemes of a reforming unit shown on the conditions
//                     form (four reactors for the Hornel unit, three otherwise);
//   welcome.jpg       the picture of the welcome window;
//   decor1..4.jpg     the four small pictures of the main window.
// Run once through scripts/draw_pictures.sh after changing the drawings; the
// JPEG files are committed, the program only reads them.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <QStringList>
#include <cmath>
#include <cstdio>

namespace {

const QColor kLine(20, 40, 110);
const QColor kSteel(214, 224, 236);
const QColor kBrick(150, 50, 30);
const QColor kFlame(245, 140, 20);
const QColor kPaper(252, 252, 248);

QFont Font(int px, bool bold = false) {
    QFont f("DejaVu Sans");
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    QPointF d = to - from;
    double len = std::hypot(d.x(), d.y());
    if (len < 1) return;
    QPointF u = d / len, n(-u.y(), u.x());
    QPolygonF head;
    head << to << to - u * 9 + n * 4 << to - u * 9 - n * 4;
    p.save();
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
    p.restore();
}

void Polyline(QPainter& p, std::initializer_list<QPointF> pts, bool arrowAtEnd = true) {
    QVector<QPointF> v(pts);
    for (int i = 0; i + 1 < v.size(); ++i) {
        if (arrowAtEnd && i + 2 == v.size())
            Arrow(p, v[i], v[i + 1]);
        else
            p.drawLine(v[i], v[i + 1]);
    }
}

void Tag(QPainter& p, QPointF centre, const QString& text, int px = 12, bool bold = true) {
    p.save();
    p.setFont(Font(px, bold));
    p.setPen(kLine);
    QRectF r(centre.x() - 60, centre.y() - 10, 120, 20);
    p.drawText(r, Qt::AlignCenter, text);
    p.restore();
}

// A vertical reactor: a capsule with a catalyst bed hatched inside.
void Reactor(QPainter& p, QRectF r, const QString& tag) {
    p.save();
    QPainterPath body;
    body.addRoundedRect(r, r.width() / 2, r.width() / 2.6);
    p.setBrush(kSteel);
    p.drawPath(body);
    QRectF bed(r.left() + 4, r.top() + r.height() * 0.28, r.width() - 8, r.height() * 0.48);
    p.setBrush(QBrush(QColor(120, 130, 150), Qt::BDiagPattern));
    p.drawRect(bed);
    p.restore();
    Tag(p, QPointF(r.center().x(), r.bottom() + 12), tag, 11);
}

// One section of the furnace: a coil over flames.
void FurnaceSection(QPainter& p, QRectF r) {
    p.save();
    p.setPen(QPen(kLine, 1.6));
    QPainterPath coil;
    double x0 = r.left() + 10, x1 = r.right() - 10, y0 = r.top() + 8, y1 = r.top() + 30;
    coil.moveTo(x0, y0);
    int turns = 5;
    for (int i = 0; i < turns; ++i) {
        double xa = x0 + (x1 - x0) * (i + 0.5) / turns, xb = x0 + (x1 - x0) * (i + 1) / turns;
        coil.lineTo(xa, (i % 2) ? y0 : y1);
        coil.lineTo(xb, (i % 2) ? y1 : y0);
    }
    p.setBrush(Qt::NoBrush);
    p.drawPath(coil);
    p.setPen(Qt::NoPen);
    p.setBrush(kFlame);
    for (int i = 0; i < 3; ++i) {
        double cx = r.left() + r.width() * (i + 1) / 4.0, by = r.bottom() - 4;
        QPainterPath flame;
        flame.moveTo(cx - 6, by);
        flame.quadTo(cx - 7, by - 10, cx, by - 18);
        flame.quadTo(cx + 7, by - 10, cx + 6, by);
        flame.closeSubpath();
        p.drawPath(flame);
    }
    p.restore();
}

// Process scheme of a reforming unit: feed with recycle gas, heat exchanger,
// furnace sections and reactors in series, air cooler, separator, recycle
// compressor; the reformate leaves the separator at the bottom right.
QImage Scheme(int reactors, int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(kPaper);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kLine, 2));

    const double feedY = 250, furnTop = 222, furnBottom = 288, topY = 24, recycleY = 10;
    // The equipment after the last reactor takes a fixed width; the reactor
    // units share the rest.
    const double firstSection = 160, rightPart = 240;
    const double unit = (width - rightPart - firstSection - 80) / (reactors - 1);
    const double furnLeft = firstSection - 20, furnRight = firstSection + (reactors - 1) * unit + 70;

    // Furnace casing with one section per reactor.
    p.save();
    p.setPen(QPen(kBrick, 2.5));
    p.setBrush(QColor(250, 236, 228));
    p.drawRect(QRectF(furnLeft, furnTop, furnRight - furnLeft, furnBottom - furnTop));
    p.restore();
    std::vector<double> secX;
    for (int i = 0; i < reactors; ++i) {
        double sx = firstSection + i * unit;
        QRectF sec(sx - 10, furnTop, 70, furnBottom - furnTop);
        FurnaceSection(p, sec);
        secX.push_back(sx);
        if (i > 0) {
            p.save();
            p.setPen(QPen(kBrick, 1.5, Qt::DashLine));
            double gap = sx - (unit - 70) / 2 - 10;
            p.drawLine(QPointF(gap, furnTop), QPointF(gap, furnBottom));
            p.restore();
        }
    }

    // Reactors in series: section outlet up and over into the reactor top,
    // reactor bottom down into the next section.
    for (int i = 0; i < reactors; ++i) {
        double sx = secX[i];
        double rx = sx + 80;
        QRectF r(rx - 22, 42, 44, 140);
        Reactor(p, r, QString("Р-%1").arg(202 + i));
        Polyline(p, {QPointF(sx + 45, furnTop), QPointF(sx + 45, topY), QPointF(rx, topY), QPointF(rx, r.top())});
        if (i + 1 < reactors) {
            double nx = secX[i + 1] + 5;
            Polyline(p, {QPointF(rx, r.bottom()), QPointF(rx, 205), QPointF(nx, 205), QPointF(nx, furnTop)});
        }
    }
    double lastOut = secX.back() + 80;

    // Feed and recycle gas meet, pass the heat exchanger and enter the furnace.
    Arrow(p, QPointF(8, feedY), QPointF(52, feedY));
    p.drawEllipse(QPointF(56, feedY), 3, 3);
    QPointF hx(104, feedY);
    p.save();
    p.setBrush(Qt::white);
    p.drawEllipse(hx, 18, 18);
    p.drawLine(hx + QPointF(-12, -12), hx + QPointF(12, 12));
    p.drawLine(hx + QPointF(-12, 12), hx + QPointF(12, -12));
    p.restore();
    Tag(p, hx + QPointF(0, -30), "Т-1", 11);
    p.drawLine(QPointF(59, feedY), hx - QPointF(18, 0));
    Arrow(p, hx + QPointF(18, 0), QPointF(secX[0] + 5, feedY));
    Tag(p, QPointF(furnLeft + 22, furnTop - 10), "П-1", 12);

    // Reactor effluent: air cooler, separator.
    double coolX = lastOut + 60, sepX = coolX + 60;
    Polyline(p, {QPointF(lastOut, 182), QPointF(lastOut, 205), QPointF(coolX - 22, 205)});
    QRectF cooler(coolX - 22, 190, 44, 30);
    p.save();
    p.setBrush(kSteel);
    p.drawRect(cooler);
    p.drawEllipse(QPointF(coolX, 172), 12, 12);
    p.drawLine(QPointF(coolX - 10, 172), QPointF(coolX + 10, 172));
    p.drawLine(QPointF(coolX, 162), QPointF(coolX, 182));
    p.drawLine(QPointF(coolX, 184), QPointF(coolX, 190));
    p.restore();
    Tag(p, QPointF(coolX, 232), "ХВ-1", 11);
    QRectF sep(sepX - 10, 234, 80, 36);
    Polyline(p, {QPointF(coolX + 22, 205), QPointF(sepX + 10, 205), QPointF(sepX + 10, sep.top())});
    p.save();
    QPainterPath drum;
    drum.addRoundedRect(sep, 18, 18);
    p.setBrush(kSteel);
    p.drawPath(drum);
    p.setPen(QPen(QColor(60, 110, 190), 1.5));
    p.drawLine(QPointF(sep.left() + 6, sep.center().y() + 6), QPointF(sep.right() - 6, sep.center().y() + 6));
    p.restore();
    Tag(p, sep.center() - QPointF(0, 4), "С-1", 11);
    Polyline(p, {QPointF(sep.center().x() + 20, sep.bottom()), QPointF(sep.center().x() + 20, 290),
                 QPointF(width - 6, 290)});

    // Recycle gas: separator top, compressor, back to the feed along the top.
    double compX = sep.center().x() + 20, compY = 120;
    Polyline(p, {QPointF(compX, sep.top()), QPointF(compX, compY + 16)});
    p.save();
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(compX, compY), 16, 16);
    QPolygonF tri;
    tri << QPointF(compX - 11, compY + 9) << QPointF(compX + 11, compY + 4) << QPointF(compX + 11, compY - 4)
        << QPointF(compX - 11, compY - 9);
    p.drawPolygon(tri);
    p.restore();
    Tag(p, QPointF(compX + 36, compY), "ЦК-1", 11);
    Polyline(p, {QPointF(compX, compY - 16), QPointF(compX, recycleY), QPointF(56, recycleY), QPointF(56, feedY - 3)});
    Tag(p, QPointF(130, recycleY + 9), "ВСГ", 11);
    p.end();
    return img;
}

// The welcome picture: the reactor block of a unit against the evening sky.
QImage Welcome() {
    const int w = 320, h = 240;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(40, 70, 140));
    sky.setColorAt(0.7, QColor(235, 170, 110));
    sky.setColorAt(1, QColor(250, 220, 170));
    p.fillRect(img.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(35, 35, 50));
    p.drawRect(0, 200, w, 40);
    // Stack of the furnace with a wisp of smoke.
    p.drawRect(40, 60, 16, 140);
    p.setBrush(QColor(200, 200, 210, 140));
    p.drawEllipse(QPointF(58, 50), 14, 9);
    p.drawEllipse(QPointF(78, 40), 18, 10);
    // Furnace box.
    p.setBrush(QColor(35, 35, 50));
    p.drawRect(20, 150, 110, 50);
    // Reactors.
    for (int i = 0; i < 4; ++i) {
        QRectF r(150 + i * 40, 110 - i * 6, 26, 90 + i * 6);
        QPainterPath body;
        body.addRoundedRect(r, 13, 10);
        p.drawPath(body);
    }
    // Pipe rack and the column of the stabiliser.
    p.drawRect(140, 96, 170, 4);
    p.drawRect(292, 70, 14, 130);
    // Lights.
    p.setBrush(QColor(255, 220, 120));
    for (QPointF pt : {QPointF(48, 64), QPointF(299, 74), QPointF(163, 116), QPointF(243, 104)})
        p.drawEllipse(pt, 2, 2);
    p.end();
    return img;
}

QImage Decor(int kind) {
    const int w = 160, h = 120;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kPaper);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kLine, 2));
    switch (kind) {
    case 1: {  // reactors
        for (int i = 0; i < 3; ++i) Reactor(p, QRectF(22 + i * 44, 14, 30, 80), "");
        break;
    }
    case 2: {  // furnace
        p.save();
        p.setPen(QPen(kBrick, 2.5));
        p.setBrush(QColor(250, 236, 228));
        p.drawRect(QRectF(20, 40, 120, 66));
        p.drawRect(QRectF(70, 8, 20, 32));
        p.restore();
        FurnaceSection(p, QRectF(20, 46, 120, 58));
        break;
    }
    case 3: {  // chromatogram
        p.drawLine(14, 104, 150, 104);
        p.drawLine(14, 104, 14, 10);
        QPainterPath trace;
        trace.moveTo(14, 102);
        const double peaks[][3] = {{26, 40, 2}, {38, 70, 2.5}, {52, 30, 2}, {66, 85, 3}, {80, 55, 2.5},
                                   {95, 20, 2}, {108, 62, 3}, {122, 35, 2.5}, {138, 15, 2}};
        for (double x = 14; x <= 150; x += 0.5) {
            double y = 0;
            for (auto& pk : peaks) y += pk[1] * std::exp(-std::pow((x - pk[0]) / pk[2], 2));
            trace.lineTo(x, 102 - y);
        }
        p.setPen(QPen(QColor(170, 30, 40), 1.4));
        p.drawPath(trace);
        break;
    }
    default: {  // aromatics against reactor inlet temperature
        p.drawLine(18, 104, 150, 104);
        p.drawLine(18, 104, 18, 10);
        QPainterPath curve;
        for (double x = 0; x <= 1.0; x += 0.01) {
            double y = 1 - std::exp(-3.2 * x);
            QPointF pt(18 + 128 * x, 100 - 82 * y);
            if (x == 0)
                curve.moveTo(pt);
            else
                curve.lineTo(pt);
        }
        p.setPen(QPen(QColor(30, 120, 60), 2));
        p.drawPath(curve);
        p.setPen(QPen(kLine, 1));
        p.setBrush(kLine);
        for (double x : {0.1, 0.3, 0.5, 0.75, 0.95}) {
            double y = 1 - std::exp(-3.2 * x) + ((x > 0.4) ? -0.03 : 0.03);
            p.drawEllipse(QPointF(18 + 128 * x, 100 - 82 * y), 2.5, 2.5);
        }
        break;
    }
    }
    p.end();
    return img;
}

bool Save(const QImage& img, const QString& folder, const QString& name) {
    QString path = QDir(folder).filePath(name);
    if (!img.save(path, "JPEG", 92)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), img.width(), img.height());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("data/bin/sk/Basa/Pic");
    QDir().mkpath(folder);
    bool ok = true;
    // The conditions form is 898 wide for the four-reactor unit and 722 for
    // the others; the schemes fill its width.
    ok &= Save(Scheme(4, 870, 300), folder, "1.jpg");
    ok &= Save(Scheme(3, 700, 300), folder, "2.jpg");
    ok &= Save(Welcome(), folder, "welcome.jpg");
    for (int i = 1; i <= 4; ++i) ok &= Save(Decor(i), folder, QString("decor%1.jpg").arg(i));
    return ok ? 0 : 1;
}
