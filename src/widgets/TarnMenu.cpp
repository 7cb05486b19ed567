#include "TarnMenu.h"

#include "TarnUi.h"

#include <QMouseEvent>
#include <QPainter>

TarnMenu::TarnMenu(QWidget *parent)
    : QMenu(parent)
{
    refreshStyle();
}

TarnMenu::TarnMenu(const QString &title, QWidget *parent)
    : QMenu(title, parent)
{
    refreshStyle();
}

void TarnMenu::refreshStyle()
{
    TarnUi::applyCurrentMenuStyle(this);
    m_Theme = TarnUi::currentThemeColor();
    update();
}

void TarnMenu::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(50, 50, 50));
    const QColor theme = m_Theme;
    const QList<QAction *> entries = actions();
    for (QAction *action : entries) {
        if (!action->isVisible())
            continue;
        const QRect box = actionGeometry(action);
        if (box.isEmpty())
            continue;
        if (action->isSeparator()) {
            painter.fillRect(QRect(box.left(), box.center().y(), box.width(), 1), theme);
            continue;
        }
        if (action == activeAction() && action->isEnabled())
            painter.fillRect(box, m_bPressed ? QColor(200, 200, 200) : QColor(150, 150, 150));
        const QColor textColor = action->isEnabled() ? QColor(255, 255, 255) : QColor(100, 100, 100);
        if (action->isChecked()) {
            // Text stays white; a bar in the theme colour marks the entry.
            const int barHeight = qMax(2, box.height() * 3 / 5);
            painter.fillRect(QRect(box.left() + 4, box.center().y() - barHeight / 2, 3, barHeight), theme);
        }
        painter.setPen(textColor);
        painter.setFont(action->font().resolve(font()));
        painter.drawText(box, Qt::AlignCenter | Qt::TextShowMnemonic, action->text());
        if (action->menu()) {
            // Submenu arrow at the right edge.
            const int size = qMax(3, box.height() / 4);
            const int x = box.right() - 6 - size;
            const int y = box.center().y();
            const QPoint arrow[3] = {QPoint(x, y - size), QPoint(x + size, y), QPoint(x, y + size)};
            painter.setBrush(textColor);
            painter.setPen(Qt::NoPen);
            painter.drawPolygon(arrow, 3);
        }
    }
}

void TarnMenu::mousePressEvent(QMouseEvent *event)
{
    m_bPressed = event->button() == Qt::LeftButton;
    update();
    QMenu::mousePressEvent(event);
}

void TarnMenu::mouseReleaseEvent(QMouseEvent *event)
{
    m_bPressed = false;
    update();
    QMenu::mouseReleaseEvent(event);
}

void TarnMenu::hideEvent(QHideEvent *event)
{
    m_bPressed = false;
    QMenu::hideEvent(event);
}
