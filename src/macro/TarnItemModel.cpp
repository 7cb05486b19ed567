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

namespace {
QStandardItem *cell(int stored, const std::optional<int> &shown)
{
    auto *item = new QStandardItem(shown ? QString::number(*shown) : QString());
    item->setData(stored, TarnItemModel::StoredRole);
    item->setEditable(false);
    return item;
}
} // namespace

void TarnItemModel::appendAction(int map, int dataH, int dataL)
{
    const MacroRowValues values{map, dataH, dataL};
    insertAction(rowCount(), values, values);
}

void TarnItemModel::insertAction(int row, const MacroRowValues &stored, const std::optional<MacroRowValues> &shown)
{
    const auto part = [&shown](int MacroRowValues::*field) {
        return shown ? std::optional<int>((*shown).*field) : std::nullopt;
    };
    insertRow(qBound(0, row, rowCount()),
              {cell(stored.map, part(&MacroRowValues::map)), cell(stored.dataH, part(&MacroRowValues::dataH)),
               cell(stored.dataL, part(&MacroRowValues::dataL))});
}

void TarnItemModel::setAction(int row, const MacroRowValues &values)
{
    if (row < 0 || row >= rowCount())
        return;
    const int parts[MacroColumnCount] = {values.map, values.dataH, values.dataL};
    for (int column = 0; column < MacroColumnCount; ++column) {
        if (QStandardItem *cell = item(row, column)) {
            cell->setData(parts[column], StoredRole);
            cell->setText(QString::number(parts[column]));
        }
    }
}

MacroRowValues TarnItemModel::action(int row) const
{
    const auto value = [this, row](int column) {
        const QStandardItem *cell = item(row, column);
        if (!cell)
            return 0;
        const QVariant stored = cell->data(StoredRole);
        return stored.isValid() ? stored.toInt() : cell->text().toInt();
    };
    return {value(MacroColumnKey), value(MacroColumnAction), value(MacroColumnDelay)};
}

MacroRowValues TarnItemModel::shownAction(int row) const
{
    const auto value = [this, row](int column) {
        const QStandardItem *cell = item(row, column);
        return cell ? cell->text().toInt() : 0;
    };
    return {value(MacroColumnKey), value(MacroColumnAction), value(MacroColumnDelay)};
}

bool TarnItemModel::isShownEmpty(int row) const
{
    const QStandardItem *cell = item(row, MacroColumnKey);
    return !cell || cell->text().isEmpty();
}

QVariant TarnItemModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::AccessibleTextRole || !index.isValid())
        return QStandardItemModel::data(index, role);
    const auto raw = [this, &index](int column) {
        return QStandardItemModel::data(index.siblingAtColumn(column), Qt::DisplayRole).toString();
    };
    const QString map = raw(MacroColumnKey);
    const QString words =
        macroCellView(map, raw(MacroColumnAction).toInt(), raw(MacroColumnDelay).toInt(), index.column()).text;
    if (!words.isEmpty())
        return words;
    // Every cell is named for screen readers, also where only an icon or nothing is painted.
    if (index.column() == MacroColumnKey)
        return map.isEmpty() ? tr("EMPTY") : tr("DELAY");
    return tr("none");
}
