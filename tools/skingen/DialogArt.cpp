#include "DialogArt.h"

#include "WindowArt.h"

#include <QFont>
#include <QRadialGradient>
#include <QtMath>

using namespace skinstyle;

namespace {

constexpr qreal k2x = 2.0;
constexpr int kTile = 128;
constexpr qreal kRingRadius = 30.0;

// Dialog backgrounds are stretched over dialogs of several sizes, so they hold
// only soft gradients and small corner marks that survive stretching.
void paintDialogBase(QPainter &p, const QSizeF &size)
{
    const QRectF r(QPointF(0, 0), size);
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(r, QColor(24, 26, 30), QColor(10, 11, 13)));
    p.drawRect(r);
    QRadialGradient sweep(QPointF(size.width() * 0.25, 0), size.width() * 0.9);
    sweep.setColorAt(0.0, QColor(255, 255, 255, 14));
    sweep.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(sweep);
    p.drawRect(r);
    // Title band.
    p.setBrush(verticalGradient(QRectF(0, 0, size.width(), 56), QColor(255, 255, 255, 10), QColor(255, 255, 255, 0)));
    p.drawRect(QRectF(0, 0, size.width(), 56));
    QLinearGradient sep(QPointF(20, 0), QPointF(size.width() - 20, 0));
    sep.setColorAt(0.0, QColor(90, 96, 104, 0));
    sep.setColorAt(0.5, QColor(90, 96, 104, 110));
    sep.setColorAt(1.0, QColor(90, 96, 104, 0));
    p.setBrush(sep);
    p.drawRect(QRectF(20, 56, size.width() - 40, 1));

    // Corner marks inside the theme frame the dialog draws at its border.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(110, 118, 128, 150), 1.5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    const qreal m = 8, l = 16, w = size.width(), h = size.height();
    p.drawPolyline(QPolygonF() << QPointF(m, m + l) << QPointF(m, m) << QPointF(m + l, m));
    p.drawPolyline(QPolygonF() << QPointF(w - m - l, m) << QPointF(w - m, m) << QPointF(w - m, m + l));
    p.drawPolyline(QPolygonF() << QPointF(w - m, h - m - l) << QPointF(w - m, h - m) << QPointF(w - m - l, h - m));
    p.drawPolyline(QPolygonF() << QPointF(m + l, h - m) << QPointF(m, h - m) << QPointF(m, h - m - l));
    p.setPen(QPen(withAlpha(accent(), 190), 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(m + l + 4, m), QPointF(m + l + 30, m));
}

QImage drawDialog()
{
    const QSizeF size(478, 309);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    paintDialogBase(p, size);
    p.end();
    return img;
}

// The gun set dialog: row bands behind the "DELAY(MS)" row (y 111) and the
// "Y"/"X" rows (y 187, 212), and an inset lane between them where the slider
// and the bullet pictures go.
QImage drawGunDialog()
{
    const QSizeF size(478, 309);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    paintDialogBase(p, size);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 9));
    p.drawRect(QRectF(20, 107, 438, 28));
    p.drawRect(QRectF(20, 183, 438, 54));
    p.setBrush(QColor(255, 255, 255, 5));
    p.drawRect(QRectF(20, 208.5, 438, 1));

    const QRectF lane(20, 139, 438, 40);
    p.setBrush(verticalGradient(lane, QColor(0, 0, 0, 110), QColor(0, 0, 0, 50)));
    p.drawPath(chamferRect(lane, 6, 0, 6, 0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 22), 1.0));
    p.drawPath(chamferRect(lane.adjusted(0.5, 0.5, -0.5, -0.5), 6, 0, 6, 0));
    // Crosshair motif at the left end of the lane.
    const QPointF c(68, 159);
    p.setPen(QPen(QColor(150, 158, 168, 150), 1.2));
    p.drawEllipse(c, 10, 10);
    p.drawLine(QPointF(c.x() - 15, c.y()), QPointF(c.x() - 5, c.y()));
    p.drawLine(QPointF(c.x() + 5, c.y()), QPointF(c.x() + 15, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - 15), QPointF(c.x(), c.y() - 5));
    p.drawLine(QPointF(c.x(), c.y() + 5), QPointF(c.x(), c.y() + 15));
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(accent(), 220));
    p.drawEllipse(c, 1.8, 1.8);
    p.end();
    return img;
}

// Message box icons: drawn on a 64 unit grid into 168 pixels, twice the 84 x 84
// design square the message box shows them in.
constexpr qreal kMsgIcon = 168.0 / 64.0;

QImage drawWarn()
{
    const QSizeF size(64, 64);
    QImage img = canvas(size, kMsgIcon);
    QPainter p;
    beginPainter(p, img, kMsgIcon);
    QPainterPath tri;
    tri.moveTo(32, 7);
    tri.lineTo(59, 55);
    tri.lineTo(5, 55);
    tri.closeSubpath();
    const QColor amber(236, 170, 48);
    glowStroke(p, tri, withAlpha(amber, 150), 10, 5);
    p.setBrush(verticalGradient(QRectF(5, 7, 54, 48), QColor(46, 40, 30), QColor(20, 18, 15)));
    p.setPen(QPen(amber, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tri);
    p.setPen(Qt::NoPen);
    p.setBrush(amber.lighter(115));
    QPainterPath bar;
    bar.moveTo(29.2, 23);
    bar.lineTo(34.8, 23);
    bar.lineTo(33.6, 40);
    bar.lineTo(30.4, 40);
    bar.closeSubpath();
    p.drawPath(bar);
    p.drawEllipse(QPointF(32, 46.5), 2.8, 2.8);
    p.end();
    return img;
}

QImage drawDongleLost()
{
    const QSizeF size(64, 64);
    QImage img = canvas(size, kMsgIcon);
    QPainter p;
    beginPainter(p, img, kMsgIcon);
    paintReceiver(p, QRectF(2, 4, 48, 48), false);
    // A broken link badge.
    const QPointF c(46, 46);
    p.setPen(QPen(QColor(12, 13, 15), 2.0));
    p.setBrush(verticalGradient(QRectF(c.x() - 13, c.y() - 13, 26, 26), QColor(214, 74, 66), QColor(150, 36, 32)));
    p.drawEllipse(c, 12.5, 12.5);
    p.setPen(QPen(QColor(255, 240, 238), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - 5, c.y() - 5), QPointF(c.x() + 5, c.y() + 5));
    p.drawLine(QPointF(c.x() + 5, c.y() - 5), QPointF(c.x() - 5, c.y() + 5));
    p.end();
    return img;
}

// The progress tile: a dark rounded square. Its middle is one flat colour:
// the spinner frames carry their own track and are matted against that colour,
// so they match the tile even when the dialog stretches the tile and centres
// the unscaled spinner on it.
QColor tileColour()
{
    return QColor(24, 26, 30);
}

QImage drawProcessTile()
{
    QImage img = canvas(QSizeF(kTile, kTile), k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QRectF r(2.5, 2.5, kTile - 5, kTile - 5);
    QRadialGradient shadow(QPointF(kTile / 2.0, kTile / 2.0 + 4), kTile / 2.0);
    shadow.setColorAt(0.85, QColor(0, 0, 0, 90));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawRoundedRect(QRectF(0, 0, kTile, kTile), 22, 22);
    p.setBrush(tileColour());
    p.drawRoundedRect(r, 18, 18);
    // Sheen and shade stay within the outer 14 pixels.
    QLinearGradient sheen(r.topLeft(), r.bottomLeft());
    sheen.setColorAt(0.0, QColor(255, 255, 255, 22));
    sheen.setColorAt(14.0 / r.height(), QColor(255, 255, 255, 0));
    sheen.setColorAt(1.0 - 14.0 / r.height(), QColor(0, 0, 0, 0));
    sheen.setColorAt(1.0, QColor(0, 0, 0, 70));
    p.setBrush(sheen);
    p.drawRoundedRect(r, 18, 18);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(84, 90, 98), 1.0));
    p.drawRoundedRect(r, 18, 18);
    p.setPen(QPen(QColor(255, 255, 255, 18), 1.0));
    p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 16.5, 16.5);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage drawCheckBox(bool round, bool on)
{
    const QSizeF size(18, 18);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QRectF r(1.5, 1.5, 15, 15);
    p.setPen(QPen(on ? QColor(196, 202, 210) : QColor(112, 120, 130), 1.2));
    p.setBrush(verticalGradient(r, QColor(16, 18, 21), QColor(34, 37, 42)));
    if (round)
        p.drawEllipse(r);
    else
        p.drawRoundedRect(r, 3, 3);
    if (on) {
        if (round) {
            p.setPen(Qt::NoPen);
            p.setBrush(verticalGradient(QRectF(5, 5, 8, 8), QColor(248, 250, 252), QColor(176, 184, 194)));
            p.drawEllipse(QPointF(9, 9), 4, 4);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(verticalGradient(r, QColor(226, 230, 235), QColor(164, 172, 182)));
            p.drawRoundedRect(r.adjusted(1.6, 1.6, -1.6, -1.6), 2, 2);
            QPainterPath tick;
            tick.moveTo(5.2, 9.3);
            tick.lineTo(7.8, 12.0);
            tick.lineTo(12.9, 6.2);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(14, 15, 17), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(tick);
        }
    }
    p.end();
    return img;
}

// Slider groove: a recessed capsule that brightens towards the high end.
QImage drawGroove()
{
    const QSizeF size(200, 10);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QRectF r(0.5, 1, 199, 8);
    QLinearGradient fill(r.topLeft(), r.topRight());
    fill.setColorAt(0.0, QColor(30, 33, 37));
    fill.setColorAt(1.0, QColor(92, 99, 108));
    p.setPen(QPen(QColor(10, 11, 13), 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 30), 0.8));
    p.drawLine(QPointF(5, 8.3), QPointF(195, 8.3));
    p.end();
    return img;
}

// The rail under the five bullet columns of the gun set dialog: 314 wide so
// that its notches sit under the centres of columns 66 apart and 50 wide.
QImage drawGunSlider()
{
    const QSizeF size(314, 14);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QRectF rail(1, 5, 312, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(rail, QColor(96, 103, 112), QColor(40, 44, 50)));
    p.drawRoundedRect(rail, 2, 2);
    for (int i = 0; i < 5; ++i) {
        const qreal x = 25 + 66 * i;
        p.setBrush(QColor(20, 22, 25));
        p.setPen(QPen(QColor(150, 158, 168), 1.0));
        p.drawEllipse(QPointF(x, 7), 4.2, 4.2);
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(accent(), 230));
        p.drawEllipse(QPointF(x, 7), 1.6, 1.6);
    }
    p.end();
    return img;
}

QImage drawGunBullet()
{
    const QSizeF size(14, 36);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    // Tip.
    QPainterPath tip;
    tip.moveTo(2.5, 14);
    tip.cubicTo(2.5, 6, 5.5, 1.5, 7, 1);
    tip.cubicTo(8.5, 1.5, 11.5, 6, 11.5, 14);
    tip.closeSubpath();
    QLinearGradient copper(QPointF(2.5, 0), QPointF(11.5, 0));
    copper.setColorAt(0.0, QColor(120, 70, 44));
    copper.setColorAt(0.4, QColor(214, 150, 108));
    copper.setColorAt(1.0, QColor(110, 62, 38));
    p.setPen(Qt::NoPen);
    p.setBrush(copper);
    p.drawPath(tip);
    // Case.
    QLinearGradient steel(QPointF(2, 0), QPointF(12, 0));
    steel.setColorAt(0.0, QColor(96, 102, 110));
    steel.setColorAt(0.38, QColor(226, 230, 235));
    steel.setColorAt(1.0, QColor(84, 90, 98));
    p.setBrush(steel);
    p.drawRect(QRectF(2, 14, 10, 18.5));
    p.drawRoundedRect(QRectF(1.2, 31.5, 11.6, 3.5), 0.8, 0.8);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRect(QRectF(2, 30.5, 10, 1));
    p.end();
    return img;
}

// One frame of the spinner arc alone, on a transparent canvas of twice the
// 128 x 128 design size.
QImage spinnerArc(qreal angleDeg)
{
    QImage img = canvas(QSizeF(kTile, kTile), k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QPointF c(kTile / 2.0, kTile / 2.0);
    const QRectF ring(c.x() - kRingRadius, c.y() - kRingRadius, 2 * kRingRadius, 2 * kRingRadius);
    p.setPen(QPen(QColor(58, 63, 70), 7.0));
    p.drawEllipse(ring);
    p.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
    p.drawEllipse(c, kRingRadius + 4, kRingRadius + 4);
    // A comet: a bright head with a tail fading over 150 degrees.
    const int pieces = 30;
    for (int i = 0; i < pieces; ++i) {
        const qreal t = qreal(i) / (pieces - 1);
        QColor col = accent();
        col = QColor::fromRgbF(col.redF() * (0.35 + 0.65 * t) + 0.25 * t * t,
                               col.greenF() * (0.35 + 0.65 * t) + 0.25 * t * t,
                               col.blueF() * (0.35 + 0.65 * t) + 0.2 * t * t);
        col.setAlphaF(qBound(0.0, 0.15 + 0.85 * t, 1.0));
        p.setPen(QPen(col, 7.0, Qt::SolidLine, i == pieces - 1 ? Qt::RoundCap : Qt::FlatCap));
        const qreal start = angleDeg - 150.0 + 150.0 * qreal(i) / pieces;
        // drawArc counts counter-clockwise in 1/16 degree; the spinner turns clockwise.
        p.drawArc(ring, int(-start * 16), int(-150.0 / pieces * 16 - 8));
    }
    const qreal rad = qDegreesToRadians(angleDeg);
    const QPointF head(c.x() + kRingRadius * qCos(rad), c.y() + kRingRadius * qSin(rad));
    QRadialGradient glow(head, 11);
    glow.setColorAt(0.0, QColor(255, 255, 255, 200));
    glow.setColorAt(0.35, withAlpha(accent(), 140));
    glow.setColorAt(1.0, withAlpha(accent(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(head, 11, 11);
    p.end();
    return img;
}

} // namespace

QVector<QImage> spinnerFrames(int count)
{
    // A GIF has one-bit transparency. Each frame is the ring laid over the
    // tile's colour and then cut to the ring's own pixels, so its edges look
    // antialiased over the tile that the progress dialog paints beneath it.
    // Twice the design size, like the tile, so both stay sharp up to scale 2.
    const int side = int(kTile * k2x);
    QImage tile(side, side, QImage::Format_ARGB32_Premultiplied);
    tile.fill(tileColour());
    QVector<QImage> frames;
    for (int f = 0; f < count; ++f) {
        const QImage arc = spinnerArc(-90.0 + 360.0 * f / count);
        QImage comp = tile;
        {
            QPainter p(&comp);
            p.drawImage(0, 0, arc);
        }
        comp = comp.convertToFormat(QImage::Format_ARGB32);
        const QImage arcPlain = arc.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < side; ++y) {
            QRgb *out = reinterpret_cast<QRgb *>(comp.scanLine(y));
            const QRgb *a = reinterpret_cast<const QRgb *>(arcPlain.constScanLine(y));
            for (int x = 0; x < side; ++x)
                out[x] = qAlpha(a[x]) < 10 ? 0u : (out[x] | 0xff000000u);
        }
        frames.push_back(comp);
    }
    return frames;
}

SkinImages dialogArt()
{
    SkinImages out;
    out.push_back({QStringLiteral("dlg.png"), drawDialog()});
    out.push_back({QStringLiteral("dlg_gun.png"), drawGunDialog()});
    out.push_back({QStringLiteral("warn.png"), drawWarn()});
    out.push_back({QStringLiteral("dongle2.png"), drawDongleLost()});
    out.push_back({QStringLiteral("process.png"), drawProcessTile()});
    out.push_back({QStringLiteral("checkbox1-1.png"), drawCheckBox(false, false)});
    out.push_back({QStringLiteral("checkbox1-2.png"), drawCheckBox(false, true)});
    out.push_back({QStringLiteral("checkbox2-1.png"), drawCheckBox(true, false)});
    out.push_back({QStringLiteral("checkbox2-2.png"), drawCheckBox(true, true)});
    out.push_back({QStringLiteral("pspeed.png"), drawGroove()});
    out.push_back({QStringLiteral("gunset_slider.png"), drawGunSlider()});
    out.push_back({QStringLiteral("gunset_bullet.png"), drawGunBullet()});
    return out;
}
