#pragma once
// The model of the macro action list: one row per action, its three raw bytes
// Map, DataH and DataL as decimal text in the columns "KEY", "ACTION" and
// "DELAY(ms)". TarnMacroItemDelegate turns them into icons and words.

#include <QStandardItemModel>

#include <optional>

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
    // Each cell keeps its stored value under this role; the display text is
    // what the row shows, which is empty for a row the list cannot show (a
    // delay of a macro without delays, an unknown action). Saving writes the
    // stored values, so opening and saving never loses an action.
    static constexpr int StoredRole = Qt::UserRole + 1;

    explicit TarnItemModel(QObject *parent = nullptr);
    TarnItemModel(int rows, int columns, QObject *parent = nullptr);

    // Sets the column headers in the current language.
    void setHeaderTexts();

    // Appends a row holding the three values unchanged, as decimal text.
    void appendAction(int map, int dataH, int dataL);
    // Inserts a row before row (appends for row >= rowCount) that stores
    // stored and shows shown, or nothing when shown has no value.
    void insertAction(int row, const MacroRowValues &stored, const std::optional<MacroRowValues> &shown);
    // Replaces the row's stored and shown values.
    void setAction(int row, const MacroRowValues &values);
    // The row's stored values; 0 for a missing row or cell.
    MacroRowValues action(int row) const;
    // The values the row shows; all 0 for an empty row.
    MacroRowValues shownAction(int row) const;
    bool isShownEmpty(int row) const;

    // Qt::AccessibleTextRole answers the words the delegate paints, so screen
    // readers read "Press" rather than the raw byte ("DELAY" for the delay
    // icon, "EMPTY" for a blank row, "none" for an empty cell); other roles
    // as stored.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};
