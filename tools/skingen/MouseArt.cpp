#include "MouseArt.h"

#include <QRadialGradient>
#include <QTransform>

using namespace skinstyle;

namespace {

constexpr qreal k2x = 2.0;
const QSizeF kDesign(300, 400);

QPainterPath bodyPath()
{
    QPainterPath path;
    path.moveTo(150, 18);
    path.cubicTo(205, 18, 232, 40, 236, 90);
    path.cubicTo(240, 140, 252, 210, 254, 270);
    path.cubicTo(256, 340, 215, 386, 150, 386);
    path.cubicTo(85, 386, 44, 340, 46, 270);
    path.cubicTo(48, 210, 60, 140, 64, 90);
    path.cubicTo(68, 40, 95, 18, 150, 18);
    path.closeSubpath();
    return path;
}

// The seam at the rear of the two main buttons.
QPainterPath seamCurve()
{
    QPainterPath path;
    path.moveTo(30, 160);
    path.cubicTo(90, 186, 210, 186, 270, 160);
    return path;
}

QPainterPath slotPath()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(135, 36, 30, 170), 13, 13);
    return path;
}

QPainterPath mainButton(bool left)
{
    QPainterPath front = seamCurve();
    front.lineTo(270, 0);
    front.lineTo(30, 0);
    front.closeSubpath();
    QPainterPath half;
    half.addRect(left ? QRectF(0, 0, 148.5, 400) : QRectF(151.5, 0, 148.5, 400));
    return bodyPath().intersected(front).intersected(half).subtracted(slotPath());
}

QPainterPath wheelPath()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(141, 46, 18, 64), 8, 8);
    return path;
}

QPainterPath dpiPath(bool up)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(142, up ? 120 : 160, 16, 36), 6, 6);
    return path;
}

QPainterPath profilePath()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(132, 222, 36, 14), 7, 7);
    return path;
}

QPainterPath sideButton(bool forward)
{
    const QPointF c = forward ? QPointF(50, 190) : QPointF(46, 243);
    QPainterPath path;
    path.addRoundedRect(QRectF(-5.5, -22, 11, 44), 5, 5);
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(6);
    return t.map(path);
}

QPainterPath buttonShape(int button)
{
    switch (button) {
    case 1:
        return mainButton(true);
    case 2:
        return mainButton(false);
    case 3:
        return wheelPath();
    case 4:
        return sideButton(true);
    case 5:
        return sideButton(false);
    case 6:
        return dpiPath(true);
    case 7:
        return dpiPath(false);
    case 8:
        return profilePath();
    default:
        return QPainterPath();
    }
}

void paintTriangle(QPainter &p, QPointF c, bool up)
{
    QPolygonF tri;
    if (up)
        tri << QPointF(c.x(), c.y() - 3) << QPointF(c.x() + 3.5, c.y() + 2) << QPointF(c.x() - 3.5, c.y() + 2);
    else
        tri << QPointF(c.x(), c.y() + 3) << QPointF(c.x() + 3.5, c.y() - 2) << QPointF(c.x() - 3.5, c.y() - 2);
    p.drawPolygon(tri);
}

void paintMouse(QPainter &p, int lit)
{
    const QPainterPath body = bodyPath();

    // Shadow on the floor.
    p.save();
    p.translate(5, 9);
    glowStroke(p, body, QColor(0, 0, 0, 150), 24, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(body);
    p.restore();

    // Side buttons sit under the shell's edge.
    for (bool fwd : {true, false}) {
        const QPainterPath s = sideButton(fwd);
        p.setPen(QPen(QColor(100, 107, 116), 1.0));
        p.setBrush(verticalGradient(s.boundingRect(), QColor(58, 63, 70), QColor(24, 26, 30)));
        p.drawPath(s);
    }

    // Shell.
    QLinearGradient shell(QPointF(46, 0), QPointF(254, 0));
    shell.setColorAt(0.0, QColor(16, 17, 20));
    shell.setColorAt(0.22, QColor(36, 39, 45));
    shell.setColorAt(0.45, QColor(50, 54, 61));
    shell.setColorAt(0.75, QColor(32, 35, 40));
    shell.setColorAt(1.0, QColor(12, 13, 15));
    p.setPen(Qt::NoPen);
    p.setBrush(shell);
    p.drawPath(body);
    QRadialGradient sheen(QPointF(120, 130), 150);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 26));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawPath(body);
    QLinearGradient rear(QPointF(0, 250), QPointF(0, 386));
    rear.setColorAt(0.0, QColor(0, 0, 0, 0));
    rear.setColorAt(1.0, QColor(0, 0, 0, 90));
    p.setBrush(rear);
    p.drawPath(body);

    // Main buttons: a slightly brighter face.
    for (bool left : {true, false}) {
        const QPainterPath b = mainButton(left);
        p.setBrush(verticalGradient(b.boundingRect(), QColor(255, 255, 255, 16), QColor(255, 255, 255, 2)));
        p.drawPath(b);
    }

    // Seams: a dark groove with a faint lit lower lip.
    p.setBrush(Qt::NoBrush);
    QPainterPath seams = seamCurve();
    seams.moveTo(150, 18);
    seams.lineTo(150, 40);
    p.save();
    p.setClipPath(body);
    p.setPen(QPen(QColor(4, 5, 6), 2.4, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(seams);
    p.translate(0, 1.4);
    p.setPen(QPen(QColor(255, 255, 255, 24), 1.0, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(seams);
    p.restore();

    // Slot with the wheel and the DPI buttons.
    p.setPen(QPen(QColor(70, 76, 84), 1.0));
    p.setBrush(verticalGradient(QRectF(135, 36, 30, 170), QColor(6, 7, 8), QColor(14, 15, 17)));
    p.drawPath(slotPath());

    const QRectF wheel = wheelPath().boundingRect();
    QLinearGradient wg(wheel.topLeft(), wheel.topRight());
    wg.setColorAt(0.0, QColor(30, 33, 37));
    wg.setColorAt(0.5, QColor(120, 127, 136));
    wg.setColorAt(1.0, QColor(30, 33, 37));
    p.setPen(Qt::NoPen);
    p.setBrush(wg);
    p.drawPath(wheelPath());
    p.setPen(QPen(QColor(10, 11, 13, 200), 1.2));
    for (qreal y = wheel.top() + 6; y < wheel.bottom() - 4; y += 4.5)
        p.drawLine(QPointF(wheel.left() + 2.5, y), QPointF(wheel.right() - 2.5, y));

    for (bool up : {true, false}) {
        const QPainterPath d = dpiPath(up);
        p.setPen(QPen(QColor(84, 90, 98), 1.0));
        p.setBrush(verticalGradient(d.boundingRect(), QColor(46, 50, 56), QColor(22, 24, 28)));
        p.drawPath(d);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(180, 186, 194));
        paintTriangle(p, d.boundingRect().center(), up);
    }

    // Profile button on the palm.
    p.setPen(QPen(QColor(90, 96, 104), 1.0));
    p.setBrush(verticalGradient(profilePath().boundingRect(), QColor(50, 54, 61), QColor(22, 24, 28)));
    p.drawPath(profilePath());
    p.setPen(QPen(QColor(150, 158, 168), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(143, 229), QPointF(157, 229));

    // Emblem: the two chevrons of the logo.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 2; ++i) {
        QPainterPath chevron;
        chevron.moveTo(139, 300 + 9 * i);
        chevron.lineTo(150, 289 + 9 * i);
        chevron.lineTo(161, 300 + 9 * i);
        p.setPen(QPen(i == 0 ? QColor(170, 177, 186) : QColor(96, 103, 112), 2.6, Qt::SolidLine, Qt::SquareCap,
                      Qt::MiterJoin));
        p.drawPath(chevron);
    }

    // Light strips along the rear flanks.
    for (bool left : {true, false}) {
        const auto x = [left](qreal v) { return left ? v : 300 - v; };
        QPainterPath strip;
        strip.moveTo(x(58), 246);
        strip.cubicTo(x(54), 278, x(57), 312, x(73), 338);
        glowStroke(p, strip, withAlpha(accent(), 120), 9, 5);
        p.setPen(QPen(withAlpha(accent().lighter(130), 190), 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(strip);
    }

    // Shell rim.
    p.setPen(QPen(QColor(96, 103, 112), 1.2));
    p.drawPath(body);

    if (lit >= 1 && lit <= kMouseButtons) {
        const QPainterPath shape = buttonShape(lit);
        glowStroke(p, shape, withAlpha(accent(), 255), 16, 8);
        const QRectF br = shape.boundingRect();
        QRadialGradient fill(br.center(), qMax(br.width(), br.height()) * 0.7);
        fill.setColorAt(0.0, withAlpha(accent().lighter(130), 190));
        fill.setColorAt(1.0, withAlpha(accent(), 110));
        p.setPen(QPen(accent().lighter(160), 1.6));
        p.setBrush(fill);
        p.drawPath(shape);
    }
}

QImage drawMouse(int lit)
{
    QImage img = canvas(kDesign, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    paintMouse(p, lit);
    p.end();
    return img;
}

} // namespace

SkinImages mouseArt(const QString &product)
{
    const QString dir = QStringLiteral("mouse/%1/").arg(product);
    SkinImages out;
    out.push_back({dir + QStringLiteral("Mouse.png"), drawMouse(0)});
    for (int b = 1; b <= kMouseButtons; ++b)
        out.push_back({dir + QStringLiteral("mouse_%1.png").arg(b), drawMouse(b)});
    return out;
}
