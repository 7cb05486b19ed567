#pragma once
// What one cell of the macro action list shows, decided from the row's raw
// bytes alone so that painting, accessibility and tests share one answer.

#include <QString>

struct MacroCellView
{
    QString icon; // a "/skin/..." image name, or empty for no icon
    QString text; // already translated; empty for no text
};

// Column indexes of the action list.
enum MacroColumn : int { MacroColumnKey = 0, MacroColumnAction = 1, MacroColumnDelay = 2, MacroColumnCount = 3 };

// The cell of the given column for a row whose Map cell holds the text map.
// Map is compared as text, so only the exact decimal spellings are known
// actions; anything else shows the keyboard icon and "driverText", except an
// empty Map, which is a row shown blank.
MacroCellView macroCellView(const QString &map, int dataH, int dataL, int column);
