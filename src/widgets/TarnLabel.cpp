#include "TarnLabel.h"

#include "TarnUi.h"

#include <QPainter>

TarnLabel::TarnLabel(QWidget *parent)
    : TarnLabel(QString(), parent)
{
}

TarnLabel::TarnLabel(const QString &text, QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Inside item views the inherited role would be the (dark) Text colour.
    setForegroundRole(QPalette::WindowText);
    refreshFont();
    setText(text);
}

void TarnLabel::setText(const QString &text)
{
    m_strText = text;
    // Keeps size hints right; the text itself is painted below.
    QLabel::setText(text);
    update();
}

void TarnLabel::setText(int value)
{
    setText(QString::asprintf("%d", value));
}

void TarnLabel::refreshFont()
{
    setFont(TarnUi::currentFont());
    update();
}

void TarnLabel::paintEvent(QPaintEvent *event)
{
    if (m_strText.isEmpty()) {
        // Pictures and movies are drawn as QLabel does.
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    int flags = static_cast<int>(alignment());
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    painter.drawText(contentsRect().adjusted(margin(), margin(), -margin(), -margin()), flags, m_strText);
}

void TarnLabel::mousePressEvent(QMouseEvent *event)
{
    emit EnterSignal(this);
    QLabel::mousePressEvent(event);
}
