#pragma once
// The mouse-action tree of the macro editor. It tracks, per row, whether the
// pointer is over it (1) or pressing it (2), for its top-level rows and for
// the two child rows of an opened entry, and hands the state to the rows'
// TarnTreeItem widgets.

#include <QTreeWidget>

#include <array>

class TarnTreeWidget : public QTreeWidget
{
    Q_OBJECT
public:
    static constexpr int kTopLevelRows = 9;
    static constexpr int kChildRows = 2;

    explicit TarnTreeWidget(QWidget *parent = nullptr);

    // 0 for rows outside the tracked ranges.
    int topLevelState(int row) const;
    int childState(int row) const;

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void clearStates();
    void markRowAt(const QPoint &pos, int state);
    void pushStates();

    std::array<int, kTopLevelRows> m_aTopState{};
    std::array<int, kChildRows> m_aChildState{};
    // Top-level row whose child rows the child states belong to (-1: none), so
    // that a second opened entry does not light up with it.
    int m_iChildParent = -1;
};
