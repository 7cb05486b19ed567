#pragma once

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <vector>

// One picture of the skin and where it goes, relative to the skin folder.
struct SkinImage
{
    QString path;
    QImage image;
};

using SkinImages = std::vector<SkinImage>;

// The look shared by every picture: near-black plates, grey edges, white text
// areas and one restrained accent. The theme colour chosen at run time is drawn
// by the widgets, so the pictures stay neutral.
namespace skinstyle {

QColor ink();         // deepest background
QColor plateTop();    // top of a resting plate
QColor plateBottom(); // bottom of a resting plate
QColor edge();        // resting border
QColor edgeLight();   // highlighted border
QColor textLight();   // glyphs on dark plates
QColor textDim();     // secondary glyphs
QColor accent();      // the one accent colour
QColor withAlpha(QColor c, int alpha);

// Transparent canvas of design size x factor pixels; drawing happens in design
// units because the painter is scaled by factor.
QImage canvas(QSizeF design, qreal factor);
void beginPainter(QPainter &p, QImage &img, qreal factor);

// A rectangle with its corners cut at 45 degrees (0 keeps a square corner).
QPainterPath chamferRect(const QRectF &r, qreal tl, qreal tr, qreal br, qreal bl);
QLinearGradient verticalGradient(const QRectF &r, const QColor &top, const QColor &bottom);

// Soft light around a path: the path stroked several times, wide and faint
// outside, narrow and strong inside.
void glowStroke(QPainter &p, const QPainterPath &path, const QColor &c, qreal width, int steps);

// A downward chevron centred on c, w wide, h high.
QPainterPath chevronDown(QPointF c, qreal w, qreal h);

enum class PlateState { Normal, Hover, Pressed };

// The button plate every image button shares: a chamfered dark plate with a
// grey border; hover lifts it, pressed sinks it and lights the accent edge.
void drawPlate(QPainter &p, const QRectF &r, PlateState state, qreal chamfer);

} // namespace skinstyle
