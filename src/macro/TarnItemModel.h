#pragma once
// The model of the macro action list: one row per action, its three raw bytes
// Map, DataH and DataL as decimal text in the columns "KEY", "ACTION" and
// "DELAY(ms)". TarnMacroItemDelegate turns them into icons and words.

#include <QStandardItemModel>

// A row's values exactly as stored, also for actions the list does not know.
struct MacroRowValues
{
    int map = 0;
    int dataH = 0;
    int dataL = 0;

    bool operator==(const MacroRowValues &o) const { return map == o.map && dataH == o.dataH && dataL == o.dataL; }
};

class TarnItemModel : public QStandardItemModel
{
    Q_OBJECT
public:
    explicit TarnItemModel(QObject *parent = nullptr);
    TarnItemModel(int rows, int columns, QObject *parent = nullptr);

    // Sets the column headers in the current language.
    void setHeaderTexts();

    // Appends a row holding the three values unchanged, as decimal text.
    void appendAction(int map, int dataH, int dataL);
    // The row's values read back with toInt; 0 for a missing row or cell.
    MacroRowValues action(int row) const;

    // Qt::AccessibleTextRole answers the words the delegate paints, so screen
    // readers read "Press" rather than the raw byte; other roles as stored.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};
