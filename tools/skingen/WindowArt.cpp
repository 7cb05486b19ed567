#include "WindowArt.h"

#include <QFont>
#include <QRadialGradient>
#include <QtMath>

using namespace skinstyle;

namespace {

constexpr qreal k2x = 2.0;

// The window outline: long cuts on the top-left and bottom-right corners, short
// ones on the other two. Alpha stays hard (0 or 255) along it because the
// window mask is a one-bit copy of this alpha.
QPolygon windowOutline(int w, int h)
{
    const int big = 30, small = 14;
    QPolygon poly;
    poly << QPoint(big, 0) << QPoint(w - small, 0) << QPoint(w, small) << QPoint(w, h - big) << QPoint(w - big, h)
         << QPoint(small, h) << QPoint(0, h - small) << QPoint(0, big);
    return poly;
}

} // namespace

QImage drawBackground()
{
    const int w = 999, h = 640;
    QImage img = canvas(QSizeF(w, h), 1.0);
    QPainter p;
    beginPainter(p, img, 1.0);

    // Base fill, then the hard outline cut out of it.
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(QRectF(0, 0, w, h), QColor(20, 22, 26), QColor(8, 9, 11)));
    p.drawRect(0, 0, w, h);

    // Soft light from the upper left and a spotlight behind the mouse picture.
    QRadialGradient sweep(QPointF(260, 40), 720);
    sweep.setColorAt(0.0, QColor(255, 255, 255, 16));
    sweep.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(sweep);
    p.drawRect(0, 0, w, h);
    QRadialGradient spot(QPointF(787, 300), 230);
    spot.setColorAt(0.0, QColor(140, 160, 180, 34));
    spot.setColorAt(0.6, QColor(120, 140, 160, 12));
    spot.setColorAt(1.0, QColor(120, 140, 160, 0));
    p.setBrush(spot);
    p.drawEllipse(QPointF(787, 300), 230, 230);
    // Floor under the mouse.
    QRadialGradient floor(QPointF(787, 512), 150);
    floor.setColorAt(0.0, QColor(0, 0, 0, 90));
    floor.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.save();
    p.translate(787, 512);
    p.scale(1.0, 0.16);
    p.translate(-787, -512);
    p.setBrush(floor);
    p.drawEllipse(QPointF(787, 512), 150, 150);
    p.restore();

    // Faint diagonal hatching in the content area gives texture without detail
    // that would shimmer when the window is scaled.
    // It fades out towards the edges of that area instead of stopping at a line.
    p.save();
    p.setClipRect(QRect(200, 90, 796, 476));
    QRadialGradient hatchFade(QPointF(620, 330), 390);
    hatchFade.setColorAt(0.0, QColor(255, 255, 255, 7));
    hatchFade.setColorAt(0.7, QColor(255, 255, 255, 5));
    hatchFade.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(QPen(QBrush(hatchFade), 2.0));
    for (int x = -600; x < w; x += 18)
        p.drawLine(QPointF(x, 566), QPointF(x + 476, 90));
    p.restore();

    // Header band and its separator.
    p.setBrush(verticalGradient(QRectF(0, 0, w, 88), QColor(255, 255, 255, 10), QColor(255, 255, 255, 2)));
    p.drawRect(QRectF(0, 0, w, 88));
    QLinearGradient sep(QPointF(40, 0), QPointF(w - 40, 0));
    sep.setColorAt(0.0, withAlpha(accent(), 0));
    sep.setColorAt(0.08, withAlpha(accent(), 150));
    sep.setColorAt(0.30, QColor(110, 118, 128, 110));
    sep.setColorAt(0.85, QColor(80, 86, 94, 70));
    sep.setColorAt(1.0, QColor(80, 86, 94, 0));
    p.setBrush(sep);
    p.drawRect(QRectF(40, 87, w - 80, 2));

    // Side rail behind the tabs.
    const QRectF rail(56, 108, 180, 126);
    p.setBrush(verticalGradient(rail, QColor(255, 255, 255, 9), QColor(255, 255, 255, 3)));
    p.drawPath(chamferRect(rail, 10, 0, 10, 0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 22), 2.0));
    p.drawPath(chamferRect(rail.adjusted(1, 1, -1, -1), 10, 0, 10, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(accent(), 170));
    p.drawRect(QRectF(56, 130, 2, 40));

    // Footer band and its separator.
    p.setBrush(verticalGradient(QRectF(0, 566, w, h - 566), QColor(0, 0, 0, 60), QColor(0, 0, 0, 20)));
    p.drawRect(QRectF(0, 566, w, h - 566));
    QLinearGradient foot(QPointF(40, 0), QPointF(w - 40, 0));
    foot.setColorAt(0.0, QColor(80, 86, 94, 0));
    foot.setColorAt(0.15, QColor(80, 86, 94, 90));
    foot.setColorAt(0.85, QColor(80, 86, 94, 90));
    foot.setColorAt(1.0, QColor(80, 86, 94, 0));
    p.setBrush(foot);
    p.drawRect(QRectF(40, 566, w - 80, 2));

    // Corner brackets, a thin gaming touch that stays away from the widgets.
    p.setPen(QPen(QColor(120, 128, 138, 120), 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF() << QPointF(972, 110) << QPointF(984, 110) << QPointF(984, 140));
    p.drawPolyline(QPolygonF() << QPointF(14, 520) << QPointF(14, 550) << QPointF(26, 550));

    // Rim: a light line just inside the outline, the accent on the long cuts.
    const QPolygon outline = windowOutline(w, h);
    QPainterPath rim;
    rim.addPolygon(QPolygonF(windowOutline(w - 3, h - 3)).translated(1.5, 1.5));
    rim.closeSubpath();
    p.setPen(QPen(QColor(70, 76, 84), 3.0));
    p.drawPath(rim);
    p.setPen(QPen(withAlpha(accent(), 210), 3.0, Qt::SolidLine, Qt::FlatCap));
    // The accent runs along the two long cuts and a little beyond them.
    const qreal e = 1.5;
    p.drawPolyline(QPolygonF() << QPointF(e, 30 + 40) << QPointF(e, 30) << QPointF(30, e) << QPointF(110, e));
    p.drawPolyline(QPolygonF() << QPointF(w - e, h - 30 - 40) << QPointF(w - e, h - 30) << QPointF(w - 30, h - e)
                               << QPointF(w - 110, h - e));
    p.end();

    // Cut the outline with hard alpha: everything outside becomes alpha 0.
    QImage mask(w, h, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing, false);
        mp.setPen(Qt::NoPen);
        mp.setBrush(Qt::white);
        mp.drawPolygon(outline);
    }
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        const uchar *m = mask.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            if (m[x] < 128)
                line[x] = 0;
            else
                line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), 255);
        }
    }
    return img.convertToFormat(QImage::Format_ARGB32);
}

namespace {

QImage drawTab(PlateState state)
{
    const QSizeF size(154, 29);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    drawPlate(p, QRectF(QPointF(0, 0), size), state, 7);
    p.end();
    return img;
}

QImage drawCaptionButton(bool close, PlateState state)
{
    const QSizeF size(19, 19);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QRectF r(0.5, 0.5, 18, 18);
    if (state != PlateState::Normal) {
        QColor fill = close ? QColor(178, 44, 44) : QColor(70, 76, 84);
        if (state == PlateState::Pressed)
            fill = close ? QColor(120, 26, 26) : QColor(40, 44, 50);
        p.setPen(QPen(state == PlateState::Pressed ? QColor(200, 206, 214) : edgeLight(), 1.0));
        p.setBrush(verticalGradient(r, fill.lighter(115), fill));
        p.drawRoundedRect(r, 3, 3);
    } else {
        p.setPen(QPen(edge(), 1.0));
        p.setBrush(withAlpha(plateBottom(), 160));
        p.drawRoundedRect(r, 3, 3);
    }
    const QColor glyph = state == PlateState::Normal ? QColor(185, 191, 198) : QColor(255, 255, 255);
    p.setPen(QPen(glyph, 1.7, Qt::SolidLine, Qt::RoundCap));
    if (close) {
        p.drawLine(QPointF(6, 6), QPointF(13, 13));
        p.drawLine(QPointF(13, 6), QPointF(6, 13));
    } else {
        p.drawLine(QPointF(5.5, 12.5), QPointF(13.5, 12.5));
    }
    p.end();
    return img;
}

// A plate with a drop-down chevron on the right and room for centred text.
QImage drawSelector(QSizeF size, bool globe)
{
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QRectF r(QPointF(0, 0), size);
    drawPlate(p, r, PlateState::Normal, qMin<qreal>(6, size.height() / 3));
    const qreal h = size.height();
    p.setPen(QPen(textDim(), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevronDown(QPointF(size.width() - h * 0.55, h / 2), h * 0.34, h * 0.17));
    if (globe) {
        const QPointF c(h * 0.55, h / 2);
        const qreal rr = h * 0.27;
        p.setPen(QPen(textDim(), 1.0));
        p.drawEllipse(c, rr, rr);
        p.drawEllipse(c, rr * 0.45, rr);
        p.drawLine(QPointF(c.x() - rr, c.y()), QPointF(c.x() + rr, c.y()));
    }
    p.end();
    return img;
}

QImage drawLogo()
{
    const QSizeF size(200, 50);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);

    // Emblem: two stacked chevrons in a cut frame, pointing up and forward.
    const QRectF em(2, 5, 40, 40);
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(em, QColor(44, 48, 54), QColor(16, 18, 21)));
    p.drawPath(chamferRect(em, 9, 0, 9, 0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 128, 138), 1.0));
    p.drawPath(chamferRect(em.adjusted(0.5, 0.5, -0.5, -0.5), 9, 0, 9, 0));
    QPainterPath upper;
    upper.moveTo(11, 26);
    upper.lineTo(22, 14);
    upper.lineTo(33, 26);
    QPainterPath lower;
    lower.moveTo(11, 35);
    lower.lineTo(22, 23);
    lower.lineTo(33, 35);
    glowStroke(p, upper, accent(), 9, 5);
    p.setPen(QPen(accent().lighter(125), 3.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(upper);
    p.setPen(QPen(QColor(200, 206, 214), 3.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(lower);

    // Word mark.
    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPixelSize(26);
    big.setBold(true);
    big.setItalic(true);
    big.setLetterSpacing(QFont::AbsoluteSpacing, 3.0);
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(8);
    small.setBold(true);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 2.6);

    const QRectF word(52, 4, 146, 30);
    QLinearGradient metal(word.topLeft(), word.bottomLeft());
    metal.setColorAt(0.0, QColor(250, 251, 252));
    metal.setColorAt(0.55, QColor(200, 205, 212));
    metal.setColorAt(1.0, QColor(140, 147, 156));
    QPainterPath text;
    text.addText(QPointF(52, 31), big, QStringLiteral("TARN"));
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawPath(text);

    p.setBrush(withAlpha(accent(), 220));
    p.drawRect(QRectF(53, 36, 14, 2));
    p.setPen(textDim());
    p.setFont(small);
    p.drawText(QRectF(71, 32, 128, 10), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("GAMING GEAR"));
    p.end();
    return img;
}

// Battery outline of the footer. The bar widget covers the cavity at
// (6, 6, 71, 34) of the 86 x 47 frame.
QImage drawBattery(bool cable)
{
    const QSizeF size(86, 47);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    const QRectF shell(1.5, 1.5, 79, 44);
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(shell, QColor(70, 76, 84), QColor(36, 40, 45)));
    p.drawRoundedRect(shell, 6, 6);
    p.setBrush(ink());
    p.drawRoundedRect(QRectF(4.5, 4.5, 73, 38), 3.5, 3.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(170, 177, 186), 1.0));
    p.drawRoundedRect(shell, 6, 6);
    // Terminal.
    const QRectF nub(81.5, 15, 4, 17);
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(nub, QColor(170, 177, 186), QColor(90, 96, 104)));
    p.drawRoundedRect(nub, 1.5, 1.5);

    if (cable) {
        // Cable attached: the bar is hidden, so the cavity shows a plug.
        const QPointF c(41.5, 23.5);
        p.setBrush(
            verticalGradient(QRectF(c.x() - 9, c.y() - 8, 18, 16), QColor(235, 238, 242), QColor(160, 167, 176)));
        QPainterPath plug;
        plug.addRoundedRect(QRectF(c.x() - 6, c.y() - 7, 12, 11), 2.5, 2.5);
        p.drawPath(plug);
        p.drawRect(QRectF(c.x() - 4.5, c.y() - 12, 2.2, 5.5));
        p.drawRect(QRectF(c.x() + 2.3, c.y() - 12, 2.2, 5.5));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(170, 177, 186), 2.0, Qt::SolidLine, Qt::RoundCap));
        QPainterPath cord;
        cord.moveTo(c.x(), c.y() + 4);
        cord.cubicTo(c.x(), c.y() + 11, c.x() + 14, c.y() + 6, c.x() + 20, c.y() + 12);
        p.drawPath(cord);
    }
    p.end();
    return img;
}

QImage drawLightning()
{
    const QSizeF size(26, 40);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    QPainterPath bolt;
    bolt.moveTo(16.5, 2);
    bolt.lineTo(4, 22.5);
    bolt.lineTo(12, 22.5);
    bolt.lineTo(9, 38);
    bolt.lineTo(22, 16.5);
    bolt.lineTo(14, 16.5);
    bolt.closeSubpath();
    glowStroke(p, bolt, QColor(255, 196, 64, 200), 7, 5);
    QLinearGradient g(QPointF(0, 2), QPointF(0, 38));
    g.setColorAt(0.0, QColor(255, 246, 214));
    g.setColorAt(0.5, QColor(255, 206, 84));
    g.setColorAt(1.0, QColor(232, 150, 34));
    p.setBrush(g);
    p.setPen(QPen(QColor(120, 74, 10), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(bolt);
    p.end();
    return img;
}

} // namespace

// The wireless receiver seen from above, connector up. Shared with the
// "Dongle Disconnect!" picture.
void paintReceiver(QPainter &p, const QRectF &box, bool ledOn)
{
    const qreal u = box.width() / 48.0;
    p.save();
    p.translate(box.topLeft());
    p.scale(u, u);
    // Connector shell.
    const QRectF shell(15, 4, 18, 17);
    p.setPen(QPen(QColor(110, 116, 124), 0.8));
    p.setBrush(verticalGradient(shell, QColor(214, 219, 225), QColor(132, 139, 148)));
    p.drawRect(shell);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 44, 50));
    p.drawRect(QRectF(18, 9, 4, 4));
    p.drawRect(QRectF(26, 9, 4, 4));
    // Body.
    const QRectF body(12, 20, 24, 25);
    p.setPen(QPen(QColor(84, 90, 98), 0.8));
    p.setBrush(verticalGradient(body, QColor(52, 56, 63), QColor(20, 22, 25)));
    p.drawRoundedRect(body, 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 18));
    p.drawRoundedRect(QRectF(13.5, 21.5, 9, 22), 3, 3);
    // Status light.
    if (ledOn) {
        QRadialGradient led(QPointF(24, 38), 5);
        led.setColorAt(0.0, accent().lighter(140));
        led.setColorAt(0.4, withAlpha(accent(), 200));
        led.setColorAt(1.0, withAlpha(accent(), 0));
        p.setBrush(led);
        p.drawEllipse(QPointF(24, 38), 5, 5);
    } else {
        p.setBrush(QColor(70, 74, 80));
        p.drawEllipse(QPointF(24, 38), 1.6, 1.6);
    }
    p.restore();
}

namespace {

QImage drawDongle()
{
    const QSizeF size(48, 48);
    QImage img = canvas(size, k2x);
    QPainter p;
    beginPainter(p, img, k2x);
    paintReceiver(p, QRectF(0, 0, 48, 48), true);
    p.end();
    return img;
}

} // namespace

SkinImages windowArt()
{
    SkinImages out;
    out.push_back({QStringLiteral("cfgMainback.png"), drawBackground()});
    out.push_back({QStringLiteral("tabbutton-1.png"), drawTab(PlateState::Normal)});
    out.push_back({QStringLiteral("tabbutton-3.png"), drawTab(PlateState::Hover)});
    out.push_back({QStringLiteral("tabbutton-2.png"), drawTab(PlateState::Pressed)});
    out.push_back({QStringLiteral("close-1.png"), drawCaptionButton(true, PlateState::Normal)});
    out.push_back({QStringLiteral("close-2.png"), drawCaptionButton(true, PlateState::Hover)});
    out.push_back({QStringLiteral("close-3.png"), drawCaptionButton(true, PlateState::Pressed)});
    out.push_back({QStringLiteral("min-1.png"), drawCaptionButton(false, PlateState::Normal)});
    out.push_back({QStringLiteral("min-2.png"), drawCaptionButton(false, PlateState::Hover)});
    out.push_back({QStringLiteral("min-3.png"), drawCaptionButton(false, PlateState::Pressed)});
    out.push_back({QStringLiteral("lang.png"), drawSelector(QSizeF(105, 20), true)});
    out.push_back({QStringLiteral("rate.png"), drawSelector(QSizeF(152, 28), false)});
    out.push_back({QStringLiteral("profilesel.png"), drawSelector(QSizeF(160, 26), false)});
    out.push_back({QStringLiteral("bulletsel.png"), drawSelector(QSizeF(70, 22), false)});
    out.push_back({QStringLiteral("mouselogo.png"), drawLogo()});
    out.push_back({QStringLiteral("bat1.png"), drawBattery(false)});
    out.push_back({QStringLiteral("bat2.png"), drawBattery(true)});
    out.push_back({QStringLiteral("lightning.png"), drawLightning()});
    out.push_back({QStringLiteral("dongle.png"), drawDongle()});
    return out;
}
