#include "SVColorArea.h"

#include "TarnUi.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int kDesignSide = 128;
constexpr int kMarkerDiameter = 12;
} // namespace

SVColorArea::SVColorArea(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::CrossCursor);
}

int SVColorArea::side() const
{
    return TarnUi::currentScaled(kDesignSide);
}

void SVColorArea::setHue(int hue)
{
    m_iHue = std::clamp(hue, 0, 360);
    update();
}

void SVColorArea::setPosition(int x, int v)
{
    m_Position = QPoint(std::clamp(x, 0, side()), std::clamp(v, 0, side()));
    update();
}

void SVColorArea::hueChangedSlot(int hue)
{
    setHue(hue);
    emit svChangedSignal(m_iHue, m_Position.x(), m_Position.y());
}

void SVColorArea::paintEvent(QPaintEvent *)
{
    const int s = side();
    const QRect square(0, 0, s, s);
    QPainter painter(this);
    QLinearGradient across(square.topLeft(), square.topRight());
    across.setColorAt(0, Qt::white);
    across.setColorAt(1, QColor::fromHsv(m_iHue % 360, 255, 255));
    painter.fillRect(square, across);
    QLinearGradient down(square.topLeft(), square.bottomLeft());
    down.setColorAt(0, Qt::transparent);
    down.setColorAt(1, Qt::black);
    painter.fillRect(square, down);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_Position.y() > s / 2 ? Qt::black : Qt::white, 2));
    painter.setBrush(Qt::NoBrush);
    const QPointF centre(m_Position.x(), s - m_Position.y());
    painter.drawEllipse(centre, kMarkerDiameter / 2.0, kMarkerDiameter / 2.0);
}

void SVColorArea::pick(const QPoint &pos)
{
    setPosition(pos.x(), side() - pos.y());
    emit svChangedSignal(m_iHue, m_Position.x(), m_Position.y());
}

void SVColorArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        pick(event->pos());
}

void SVColorArea::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        pick(event->pos());
}

void SVColorArea::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseReleaseSignal();
}
