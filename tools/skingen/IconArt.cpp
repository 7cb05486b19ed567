#include "IconArt.h"

#include <QtMath>

using namespace skinstyle;

namespace {

constexpr qreal k2x = 2.0;
const QSizeF kIcon(20, 20);

QPen glyphPen(qreal w, const QColor &c = textLight())
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QImage drawKeyboard()
{
    QImage img = canvas(kIcon, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QRectF body(1.5, 5, 17, 10.5);
    p.setPen(glyphPen(1.1, QColor(170, 177, 186)));
    p.setBrush(verticalGradient(body, QColor(56, 61, 68), QColor(26, 28, 32)));
    p.drawRoundedRect(body, 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(textLight());
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 6; ++col)
            p.drawRect(QRectF(3.6 + col * 2.25 + row * 0.8, 7.0 + row * 2.4, 1.5, 1.4));
    p.drawRect(QRectF(6, 12, 8, 1.4));
    p.end();
    return img;
}

// A key cap with an arrow above it: down for a press, up for a release.
QImage drawKeyArrow(bool down)
{
    QImage img = canvas(kIcon, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QRectF cap(3.5, 10.5, 13, 8);
    p.setPen(glyphPen(1.0, QColor(170, 177, 186)));
    p.setBrush(verticalGradient(cap, QColor(70, 76, 84), QColor(30, 33, 37)));
    p.drawRoundedRect(cap, 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(cap.adjusted(1.5, 1.2, -1.5, -3.5), 1, 1);
    const QColor arrow = down ? accent().lighter(120) : QColor(214, 219, 226);
    p.setPen(glyphPen(1.9, arrow));
    p.setBrush(Qt::NoBrush);
    if (down) {
        p.drawLine(QPointF(10, 1.2), QPointF(10, 8));
        p.drawPolyline(QPolygonF() << QPointF(7, 5.2) << QPointF(10, 8.2) << QPointF(13, 5.2));
    } else {
        p.drawLine(QPointF(10, 8.2), QPointF(10, 1.4));
        p.drawPolyline(QPolygonF() << QPointF(7, 4.4) << QPointF(10, 1.4) << QPointF(13, 4.4));
    }
    p.end();
    return img;
}

QImage drawMouseMove()
{
    QImage img = canvas(kIcon, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QRectF body(6.5, 4, 7, 12);
    p.setPen(glyphPen(1.1, QColor(190, 196, 204)));
    p.setBrush(verticalGradient(body, QColor(64, 70, 78), QColor(28, 31, 35)));
    p.drawRoundedRect(body, 3.5, 3.5);
    p.drawLine(QPointF(10, 4.5), QPointF(10, 8.5));
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(accent(), 230));
    p.drawRoundedRect(QRectF(9.3, 5.6, 1.4, 2.4), 0.7, 0.7);
    // Four small arrow heads around the body.
    p.setBrush(textLight());
    auto head = [&p](QPointF tip, QPointF dir) {
        const QPointF n(-dir.y(), dir.x());
        QPolygonF tri;
        tri << tip << tip - dir * 2.2 + n * 1.8 << tip - dir * 2.2 - n * 1.8;
        p.drawPolygon(tri);
    };
    head(QPointF(10, 0.6), QPointF(0, -1));
    head(QPointF(10, 19.4), QPointF(0, 1));
    head(QPointF(1.2, 10), QPointF(-1, 0));
    head(QPointF(18.8, 10), QPointF(1, 0));
    p.end();
    return img;
}

QImage drawClock()
{
    QImage img = canvas(kIcon, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QPointF c(10, 10);
    p.setPen(glyphPen(1.3, QColor(190, 196, 204)));
    p.setBrush(verticalGradient(QRectF(2, 2, 16, 16), QColor(50, 55, 62), QColor(22, 24, 28)));
    p.drawEllipse(c, 8, 8);
    p.setPen(glyphPen(0.8, textDim()));
    for (int i = 0; i < 12; i += 3) {
        const qreal a = qDegreesToRadians(30.0 * i);
        p.drawLine(c + QPointF(qCos(a), qSin(a)) * 6.2, c + QPointF(qCos(a), qSin(a)) * 7.0);
    }
    p.setPen(glyphPen(1.5, textLight()));
    p.drawLine(c, QPointF(10, 5));
    p.setPen(glyphPen(1.5, accent().lighter(120)));
    p.drawLine(c, QPointF(13.5, 11.5));
    p.end();
    return img;
}

QImage drawHourglass()
{
    QImage img = canvas(kIcon, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    QPainterPath glass;
    glass.moveTo(5, 3.5);
    glass.lineTo(15, 3.5);
    glass.cubicTo(15, 8, 11, 8.5, 11, 10);
    glass.cubicTo(11, 11.5, 15, 12, 15, 16.5);
    glass.lineTo(5, 16.5);
    glass.cubicTo(5, 12, 9, 11.5, 9, 10);
    glass.cubicTo(9, 8.5, 5, 8, 5, 3.5);
    glass.closeSubpath();
    p.setPen(glyphPen(1.1, QColor(190, 196, 204)));
    p.setBrush(QColor(40, 44, 50));
    p.drawPath(glass);
    // Sand: a little left on top, a heap below.
    p.setPen(Qt::NoPen);
    p.setBrush(accent().lighter(115));
    QPainterPath top;
    top.moveTo(7.2, 6.5);
    top.lineTo(12.8, 6.5);
    top.cubicTo(12.2, 8, 10.5, 8.6, 10, 9.4);
    top.cubicTo(9.5, 8.6, 7.8, 8, 7.2, 6.5);
    p.drawPath(top);
    QPainterPath heap;
    heap.moveTo(6.2, 15.6);
    heap.cubicTo(7.5, 13, 9, 12.6, 10, 12.4);
    heap.cubicTo(11, 12.6, 12.5, 13, 13.8, 15.6);
    heap.closeSubpath();
    p.drawPath(heap);
    p.setPen(glyphPen(1.6, textLight()));
    p.drawLine(QPointF(3.5, 3), QPointF(16.5, 3));
    p.drawLine(QPointF(3.5, 17), QPointF(16.5, 17));
    p.end();
    return img;
}

QImage drawYesNo(bool yes)
{
    const QSizeF size(24, 24);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QColor c = yes ? QColor(96, 210, 140) : QColor(228, 96, 92);
    p.setPen(QPen(withAlpha(c, 150), 1.2));
    p.setBrush(withAlpha(c, 34));
    p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
    p.setPen(glyphPen(2.6, c.lighter(110)));
    p.setBrush(Qt::NoBrush);
    if (yes) {
        p.drawPolyline(QPolygonF() << QPointF(7, 12.5) << QPointF(10.6, 16) << QPointF(17.2, 8.6));
    } else {
        p.drawLine(QPointF(8, 8), QPointF(16, 16));
        p.drawLine(QPointF(16, 8), QPointF(8, 16));
    }
    p.end();
    return img;
}

} // namespace

QImage drawAppIcon(int px)
{
    // Designed on a 64 unit grid.
    const qreal factor = px / 64.0;
    const bool tiny = px <= 16;
    QImage img = canvas(QSizeF(64, 64), factor);
    QPainter p;
    beginPainter(p, img, factor);
    const QRectF tile(2, 2, 60, 60);
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(tile, QColor(40, 44, 50), QColor(10, 11, 13)));
    p.drawPath(chamferRect(tile, 14, 4, 14, 4));
    if (!tiny) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(110, 118, 128), 64.0 / px * 1.0));
        p.drawPath(chamferRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 14, 4, 14, 4));
    }
    // Mouse silhouette.
    QPainterPath body;
    body.moveTo(32, 10);
    body.cubicTo(43, 10, 46, 18, 46, 28);
    body.lineTo(46, 40);
    body.cubicTo(46, 50, 40, 55, 32, 55);
    body.cubicTo(24, 55, 18, 50, 18, 40);
    body.lineTo(18, 28);
    body.cubicTo(18, 18, 21, 10, 32, 10);
    body.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(QRectF(18, 10, 28, 45), QColor(238, 241, 245), QColor(150, 158, 168)));
    p.drawPath(body);
    p.setPen(QPen(QColor(16, 18, 21), tiny ? 4.0 : 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(32, 10), QPointF(32, 30));
    p.drawLine(QPointF(18, 30), QPointF(46, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(accent());
    p.drawRoundedRect(QRectF(tiny ? 28.5 : 29.5, 15, tiny ? 7 : 5, 11), 2.5, 2.5);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

SkinImages iconArt()
{
    SkinImages out;
    out.push_back({QStringLiteral("keybo.png"), drawKeyboard()});
    out.push_back({QStringLiteral("keydown.png"), drawKeyArrow(true)});
    out.push_back({QStringLiteral("keyup.png"), drawKeyArrow(false)});
    out.push_back({QStringLiteral("mouse_move.png"), drawMouseMove()});
    out.push_back({QStringLiteral("delay.png"), drawClock()});
    out.push_back({QStringLiteral("icondelay.png"), drawHourglass()});
    out.push_back({QStringLiteral("resources/yes_Btn.png"), drawYesNo(true)});
    out.push_back({QStringLiteral("resources/no_Btn.png"), drawYesNo(false)});
    return out;
}
