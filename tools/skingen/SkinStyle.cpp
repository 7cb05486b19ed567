#include "SkinStyle.h"

#include <QtMath>

namespace skinstyle {

QColor ink()
{
    return QColor(9, 10, 12);
}
QColor plateTop()
{
    return QColor(32, 35, 40);
}
QColor plateBottom()
{
    return QColor(18, 20, 23);
}
QColor edge()
{
    return QColor(62, 67, 75);
}
QColor edgeLight()
{
    return QColor(140, 148, 158);
}
QColor textLight()
{
    return QColor(228, 231, 235);
}
QColor textDim()
{
    return QColor(138, 145, 153);
}
QColor accent()
{
    return QColor(38, 186, 226);
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QImage canvas(QSizeF design, qreal factor)
{
    QImage img(qRound(design.width() * factor), qRound(design.height() * factor), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void beginPainter(QPainter &p, QImage &img, qreal factor)
{
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.scale(factor, factor);
}

QPainterPath chamferRect(const QRectF &r, qreal tl, qreal tr, qreal br, qreal bl)
{
    QPainterPath path;
    path.moveTo(r.left() + tl, r.top());
    path.lineTo(r.right() - tr, r.top());
    path.lineTo(r.right(), r.top() + tr);
    path.lineTo(r.right(), r.bottom() - br);
    path.lineTo(r.right() - br, r.bottom());
    path.lineTo(r.left() + bl, r.bottom());
    path.lineTo(r.left(), r.bottom() - bl);
    path.lineTo(r.left(), r.top() + tl);
    path.closeSubpath();
    return path;
}

QLinearGradient verticalGradient(const QRectF &r, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, top);
    g.setColorAt(1.0, bottom);
    return g;
}

void glowStroke(QPainter &p, const QPainterPath &path, const QColor &c, qreal width, int steps)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = steps; i >= 1; --i) {
        const qreal t = qreal(i) / steps;
        QColor col = c;
        col.setAlphaF(c.alphaF() * (1.0 - t) * 0.55 + 0.02);
        p.setPen(QPen(col, width * t, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
    p.restore();
}

QPainterPath chevronDown(QPointF c, qreal w, qreal h)
{
    QPainterPath path;
    path.moveTo(c.x() - w / 2, c.y() - h / 2);
    path.lineTo(c.x(), c.y() + h / 2);
    path.lineTo(c.x() + w / 2, c.y() - h / 2);
    return path;
}

void drawPlate(QPainter &p, const QRectF &r, PlateState state, qreal chamfer)
{
    p.save();
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = chamferRect(body, chamfer, 0, chamfer, 0);

    QColor top = plateTop(), bottom = plateBottom(), border = edge();
    if (state == PlateState::Hover) {
        top = QColor(48, 53, 60);
        bottom = QColor(26, 29, 33);
        border = edgeLight();
    } else if (state == PlateState::Pressed) {
        top = QColor(14, 16, 18);
        bottom = QColor(40, 45, 51);
        border = QColor(190, 198, 206);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(body, top, bottom));
    p.drawPath(shape);

    // A faint sheen on the upper half reads as a slightly raised surface.
    if (state != PlateState::Pressed) {
        QLinearGradient sheen(body.topLeft(), QPointF(body.left(), body.center().y()));
        sheen.setColorAt(0.0, QColor(255, 255, 255, state == PlateState::Hover ? 26 : 16));
        sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setBrush(sheen);
        p.drawPath(shape);
    }

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(border, 1.0));
    p.drawPath(shape);

    // The accent marks the plate that is under the pointer or held down.
    if (state != PlateState::Normal) {
        const qreal barH = body.height() * 0.56;
        const QRectF bar(body.left() + 2.0, body.center().y() - barH / 2, 2.0, barH);
        p.setPen(Qt::NoPen);
        p.setBrush(state == PlateState::Pressed ? accent() : withAlpha(accent(), 200));
        p.drawRect(bar);
    }
    p.restore();
}

} // namespace skinstyle
