#include "TarnMacroItemDelegate.h"

#include "MacroCellView.h"
#include "TarnUi.h"

#include <QPainter>
#include <QPixmapCache>

namespace {
// Design sizes, scaled by the display scale.
constexpr int kDesignMargin = 4;
constexpr int kDesignIcon = 18;
constexpr int kDesignRowHeight = 24;

MacroCellView cellViewOf(const QModelIndex &index)
{
    const auto raw = [&index](int column) { return index.siblingAtColumn(column).data(Qt::DisplayRole).toString(); };
    return macroCellView(raw(MacroColumnKey), raw(MacroColumnAction).toInt(), raw(MacroColumnDelay).toInt(),
                         index.column());
}

QPixmap iconPixmap(const QString &name)
{
    const QString path = TarnUi::currentImagePath(name);
    QPixmap pixmap;
    if (!QPixmapCache::find(path, &pixmap) && pixmap.load(path))
        QPixmapCache::insert(path, pixmap);
    return pixmap;
}

int iconSide(int rowHeight)
{
    return qMax(0, qMin(rowHeight - 2, TarnUi::currentScaled(kDesignIcon)));
}
} // namespace

TarnMacroItemDelegate::TarnMacroItemDelegate(QObject *parent)
    : QItemDelegate(parent)
{
}

void TarnMacroItemDelegate::setSelectionColors(const QColor &background, const QColor &text)
{
    m_SelectBack = background;
    m_SelectText = text;
}

void TarnMacroItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const MacroCellView view = cellViewOf(index);
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    if (selected)
        painter->fillRect(option.rect, m_SelectBack);
    const int margin = TarnUi::currentScaled(kDesignMargin);
    QRect area = option.rect.adjusted(margin, 0, -margin, 0);
    if (!view.icon.isEmpty()) {
        const int side = iconSide(area.height());
        const QPixmap icon = iconPixmap(view.icon);
        if (!icon.isNull()) {
            painter->setRenderHint(QPainter::SmoothPixmapTransform);
            const QSize size = icon.size().scaled(side, side, Qt::KeepAspectRatio);
            painter->drawPixmap(QRect(QPoint(area.left(), area.center().y() - size.height() / 2), size), icon);
        }
        // Texts stay aligned whether or not the image file is there.
        area.setLeft(area.left() + side + margin);
    }
    if (!view.text.isEmpty()) {
        const QFont font = TarnUi::currentFont();
        painter->setFont(font);
        const QPalette::ColorGroup group = option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        painter->setPen(selected ? m_SelectText : option.palette.color(group, QPalette::Text));
        const QString shown = QFontMetrics(font).elidedText(view.text, Qt::ElideRight, area.width());
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
    painter->restore();
}

QSize TarnMacroItemDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const MacroCellView view = cellViewOf(index);
    const QFontMetrics metrics(TarnUi::currentFont());
    const int margin = TarnUi::currentScaled(kDesignMargin);
    const int height = qMax(TarnUi::currentScaled(kDesignRowHeight), metrics.height() + 2);
    int width = 2 * margin + metrics.horizontalAdvance(view.text);
    if (!view.icon.isEmpty())
        width += iconSide(height) + margin;
    return QSize(width, height);
}
