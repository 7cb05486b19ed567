#include "TarnTreeWidget.h"

#include "TarnTreeItem.h"

#include <QMouseEvent>

TarnTreeWidget::TarnTreeWidget(QWidget *parent)
    : QTreeWidget(parent)
{
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

int TarnTreeWidget::topLevelState(int row) const
{
    return row >= 0 && row < kTopLevelRows ? m_aTopState[static_cast<std::size_t>(row)] : 0;
}

int TarnTreeWidget::childState(int row) const
{
    return row >= 0 && row < kChildRows ? m_aChildState[static_cast<std::size_t>(row)] : 0;
}

void TarnTreeWidget::clearStates()
{
    m_aTopState.fill(0);
    m_aChildState.fill(0);
    m_iChildParent = -1;
}

void TarnTreeWidget::markRowAt(const QPoint &pos, int state)
{
    QTreeWidgetItem *item = itemAt(pos);
    if (!item)
        return;
    QTreeWidgetItem *parent = item->parent();
    if (!parent) {
        const int row = indexOfTopLevelItem(item);
        if (row >= 0 && row < kTopLevelRows)
            m_aTopState[static_cast<std::size_t>(row)] = state;
        return;
    }
    if (parent->parent() || !parent->isExpanded())
        return;
    const int row = parent->indexOfChild(item);
    if (row >= 0 && row < kChildRows) {
        m_aChildState[static_cast<std::size_t>(row)] = state;
        m_iChildParent = indexOfTopLevelItem(parent);
    }
}

void TarnTreeWidget::pushStates()
{
    const int count = topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem *top = topLevelItem(i);
        if (auto *row = qobject_cast<TarnTreeItem *>(itemWidget(top, 0)))
            row->setState(topLevelState(i));
        for (int c = 0; c < top->childCount(); ++c) {
            if (auto *child = qobject_cast<TarnTreeItem *>(itemWidget(top->child(c), 0)))
                child->setState(top->isExpanded() && i == m_iChildParent ? childState(c) : 0);
        }
    }
    viewport()->update();
}

void TarnTreeWidget::mouseMoveEvent(QMouseEvent *event)
{
    clearStates();
    markRowAt(event->pos(), (event->buttons() & Qt::LeftButton) ? 2 : 1);
    pushStates();
    QTreeWidget::mouseMoveEvent(event);
}

void TarnTreeWidget::mousePressEvent(QMouseEvent *event)
{
    clearStates();
    markRowAt(event->pos(), 2);
    pushStates();
    QTreeWidget::mousePressEvent(event);
}

void TarnTreeWidget::mouseReleaseEvent(QMouseEvent *event)
{
    clearStates();
    markRowAt(event->pos(), 1);
    pushStates();
    QTreeWidget::mouseReleaseEvent(event);
}

void TarnTreeWidget::leaveEvent(QEvent *event)
{
    clearStates();
    pushStates();
    QTreeWidget::leaveEvent(event);
}

bool TarnTreeWidget::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave) {
        clearStates();
        pushStates();
    }
    return QTreeWidget::viewportEvent(event);
}
