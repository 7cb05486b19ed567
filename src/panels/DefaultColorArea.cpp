#include "DefaultColorArea.h"

#include "TarnUi.h"

#include <QPainter>

DefaultColorArea::DefaultColorArea(const QColor &color, QWidget *parent)
    : QAbstractButton(parent)
    , m_Color(color)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, &DefaultColorArea::ClickedSignal);
}

void DefaultColorArea::setColor(const QColor &color)
{
    m_Color = color;
    update();
}

void DefaultColorArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect inner = rect().adjusted(0, 0, -1, -1);
    if (m_Color.isValid()) {
        painter.fillRect(rect(), m_Color);
    } else {
        painter.setPen(QColor(150, 150, 150));
        painter.drawLine(inner.topLeft(), inner.bottomRight());
    }
    // The keyboard's place in the theme colour, as the kit's buttons show it.
    painter.setPen(hasFocus() ? TarnUi::currentThemeColor() : QColor(20, 20, 20));
    painter.drawRect(inner);
    if (hasFocus())
        painter.drawRect(inner.adjusted(1, 1, -1, -1));
}
