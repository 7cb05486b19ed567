#pragma once
// Paints the cells of the macro action list from the row's raw bytes: icons
// and words as macroCellView decides, the selected row in the delegate's two
// colours (white background and black text until the editor sets its theme).

#include <QColor>
#include <QItemDelegate>

class TarnMacroItemDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit TarnMacroItemDelegate(QObject *parent = nullptr);

    QColor selectedBackground() const { return m_SelectBack; }
    QColor selectedText() const { return m_SelectText; }
    void setSelectionColors(const QColor &background, const QColor &text);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QColor m_SelectBack = Qt::white;
    QColor m_SelectText = Qt::black;
};
