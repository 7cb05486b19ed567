#include "PreviewColorArea.h"

#include "TarnUi.h"

#include <QPainter>

#include <algorithm>

PreviewColorArea::PreviewColorArea(QWidget *parent)
    : QWidget(parent)
{
}

void PreviewColorArea::setColor(const QColor &color)
{
    m_Color = color;
    update();
}

int PreviewColorArea::toByte(int pixel, double scale)
{
    if (pixel > 127 * scale)
        return 255;
    return std::max(0, int(pixel * 2 / scale));
}

void PreviewColorArea::svChangedSlot(int hue, int x, int v)
{
    const double scale = TarnUi::currentScale();
    const int h = hue == 360 ? 0 : hue;
    const int s = toByte(x, scale);
    const int value = toByte(v, scale);
    setColor(QColor::fromHsv(h, s, value));
    emit svChangedSignal(h, s, value);
}

void PreviewColorArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_Color);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
