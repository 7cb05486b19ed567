#include "TarnItemModel.h"

#include "MacroCellView.h"

TarnItemModel::TarnItemModel(QObject *parent)
    : QStandardItemModel(0, MacroColumnCount, parent)
{
    setHeaderTexts();
}

TarnItemModel::TarnItemModel(int rows, int columns, QObject *parent)
    : QStandardItemModel(rows, columns, parent)
{
    setHeaderTexts();
}

void TarnItemModel::setHeaderTexts()
{
    const QString texts[MacroColumnCount] = {tr("KEY"), tr("ACTION"), tr("DELAY(ms)")};
    // A model built with fewer columns keeps its shape.
    for (int column = 0; column < MacroColumnCount && column < columnCount(); ++column)
        setHeaderData(column, Qt::Horizontal, texts[column]);
}

void TarnItemModel::appendAction(int map, int dataH, int dataL)
{
    appendRow({new QStandardItem(QString::number(map)), new QStandardItem(QString::number(dataH)),
               new QStandardItem(QString::number(dataL))});
}

MacroRowValues TarnItemModel::action(int row) const
{
    const auto value = [this, row](int column) {
        const QStandardItem *cell = item(row, column);
        return cell ? cell->text().toInt() : 0;
    };
    return {value(MacroColumnKey), value(MacroColumnAction), value(MacroColumnDelay)};
}

QVariant TarnItemModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::AccessibleTextRole || !index.isValid())
        return QStandardItemModel::data(index, role);
    const auto raw = [this, &index](int column) {
        return QStandardItemModel::data(index.siblingAtColumn(column), Qt::DisplayRole).toString();
    };
    return macroCellView(raw(MacroColumnKey), raw(MacroColumnAction).toInt(), raw(MacroColumnDelay).toInt(),
                         index.column())
        .text;
}
