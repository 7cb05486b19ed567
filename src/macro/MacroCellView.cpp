#include "MacroCellView.h"

#include "KeyTables.h"

#include <QCoreApplication>

namespace {
const char *const kContext = "TarnMacroItemDelegate";
const QString kKeyboardIcon = QStringLiteral("/skin/keybo.png");
const QString kMouseIcon = QStringLiteral("/skin/mouse_move.png");
const QString kDelayIcon = QStringLiteral("/skin/delay.png");
// A pointer step is at most this far in either direction; larger bytes are negative steps.
constexpr int kMaxMoveStep = 120;

QString translated(const char *text)
{
    return QCoreApplication::translate(kContext, text);
}

QString keyNameOfUsage(int usage)
{
    InternalKeyCode code = 0;
    if (usage < 0 || usage > 255 || !hidToScan(static_cast<std::uint8_t>(usage), code))
        return QString();
    return QString::fromLatin1(keyName(code));
}

QString buttonName(int bit)
{
    switch (bit) {
    case 1:
        return translated(QT_TRANSLATE_NOOP("TarnMacroItemDelegate", "LEFT CLICK"));
    case 2:
        return translated(QT_TRANSLATE_NOOP("TarnMacroItemDelegate", "RIGHT CLICK"));
    case 4:
        return translated(QT_TRANSLATE_NOOP("TarnMacroItemDelegate", "MIDDLE CLICK"));
    case 8:
        return translated(QT_TRANSLATE_NOOP("TarnMacroItemDelegate", "FORWARD"));
    case 16:
        return translated(QT_TRANSLATE_NOOP("TarnMacroItemDelegate", "BACKWARD"));
    default:
        return QString();
    }
}

MacroCellView pressOrRelease(bool press)
{
    if (press)
        return {QStringLiteral("/skin/keydown.png"), translated(QT_TRANSLATE_NOOP("TarnMacroItemDelegate", "Press"))};
    return {QStringLiteral("/skin/keyup.png"), translated(QT_TRANSLATE_NOOP("TarnMacroItemDelegate", "Release"))};
}

MacroCellView moveCell(int dataH, int dataL, int column)
{
    const char *direction = nullptr;
    int distance = 0;
    if (dataH == 0 && dataL >= 1 && dataL <= kMaxMoveStep) {
        direction = QT_TRANSLATE_NOOP("TarnMacroItemDelegate", "MOVE RIGHT");
        distance = dataL;
    } else if (dataH == 0 && dataL > kMaxMoveStep) {
        direction = QT_TRANSLATE_NOOP("TarnMacroItemDelegate", "MOVE LEFT");
        distance = 256 - dataL;
    } else if (dataL == 0 && dataH >= 1 && dataH <= kMaxMoveStep) {
        direction = QT_TRANSLATE_NOOP("TarnMacroItemDelegate", "MOVE DOWN");
        distance = dataH;
    } else if (dataL == 0 && dataH > kMaxMoveStep) {
        direction = QT_TRANSLATE_NOOP("TarnMacroItemDelegate", "MOVE UP");
        distance = 256 - dataH;
    }
    if (column == MacroColumnKey)
        return {kMouseIcon, direction ? translated(direction) : QString()};
    if (column == MacroColumnAction && direction)
        return {QString(), QString::number(distance)};
    return {};
}
} // namespace

MacroCellView macroCellView(const QString &map, int dataH, int dataL, int column)
{
    // A row the list cannot show stays blank.
    if (column < 0 || column >= MacroColumnCount || map.isEmpty())
        return {};
    const bool keyPress = map == QLatin1String("132");
    if (keyPress || map == QLatin1String("4")) {
        if (column == MacroColumnKey)
            return {kKeyboardIcon, keyNameOfUsage(dataL)};
        return column == MacroColumnAction ? pressOrRelease(keyPress) : MacroCellView();
    }
    const bool buttonPress = map == QLatin1String("129");
    if (buttonPress || map == QLatin1String("1")) {
        if (column == MacroColumnKey)
            return {kMouseIcon, buttonName(dataL)};
        return column == MacroColumnAction ? pressOrRelease(buttonPress) : MacroCellView();
    }
    if (map == QLatin1String("2"))
        return moveCell(dataH, dataL, column);
    if (map == QLatin1String("6")) {
        if (column == MacroColumnKey)
            return {kDelayIcon, QString()};
        if (column == MacroColumnDelay)
            return {QString(), QString::asprintf("%d", dataH * 2560 + dataL * 10)};
        return {};
    }
    if (column == MacroColumnKey)
        return {kKeyboardIcon, QStringLiteral("driverText")};
    return {};
}
