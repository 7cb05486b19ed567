#include "HColorArea.h"

#include "TarnUi.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace {
constexpr int kTop = 7;      // design pixels above the gradient
constexpr int kHeight = 128; // design height of the gradient
constexpr int kLeft = 4;     // design x of the gradient
constexpr int kWidth = 18;   // design width of the gradient
constexpr int kMarkerX = 26; // design x of the marker's tip
constexpr int kStops = 16;
} // namespace

HColorArea::HColorArea(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

int HColorArea::hueAt(int y, double scale)
{
    const double fraction = std::clamp(1.0 - (y - kTop * scale) / (kHeight * scale), 0.0, 1.0);
    return int(fraction * 360);
}

void HColorArea::setHue(int hue)
{
    m_iHue = std::clamp(hue, 0, 360);
    update();
}

void HColorArea::drawGradient()
{
    const double scale = TarnUi::currentScale();
    m_Pixmap = QPixmap(size());
    m_Pixmap.fill(Qt::transparent);
    const QRectF band(kLeft * scale, kTop * scale, kWidth * scale, kHeight * scale);
    QLinearGradient gradient(band.bottomLeft(), band.topLeft());
    for (int k = 0; k < kStops; ++k)
        gradient.setColorAt(double(k) / kStops, QColor::fromHsvF(double(k) / kStops, 1.0, 1.0));
    gradient.setColorAt(1.0, QColor::fromHsvF(0.0, 1.0, 1.0));
    QPainter painter(&m_Pixmap);
    painter.fillRect(band, gradient);
}

void HColorArea::resizeEvent(QResizeEvent *event)
{
    drawGradient();
    QWidget::resizeEvent(event);
}

void HColorArea::paintEvent(QPaintEvent *)
{
    const double scale = TarnUi::currentScale();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(0, 0, m_Pixmap);
    const double y = kTop * scale + (1.0 - m_iHue / 360.0) * kHeight * scale;
    const double tip = kMarkerX * scale;
    const QPolygonF marker(
        {QPointF(tip, y), QPointF(tip + 6 * scale, y - 5 * scale), QPointF(tip + 6 * scale, y + 5 * scale)});
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPolygon(marker);
}

void HColorArea::pick(int y)
{
    setHue(hueAt(y, TarnUi::currentScale()));
    emit hueChangedSignal(m_iHue);
}

void HColorArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        pick(event->pos().y());
}

void HColorArea::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        pick(event->pos().y());
}

void HColorArea::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseReleaseSignal();
}
