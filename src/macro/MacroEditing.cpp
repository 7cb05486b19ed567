#include "MacroEditing.h"

#include <algorithm>

namespace {
bool isButtonBit(int bit)
{
    return bit == 1 || bit == 2 || bit == 4 || bit == 8 || bit == 16;
}
} // namespace

std::optional<MacroAction> macroShownAction(const MacroAction &a, int delayType)
{
    switch (a.map) {
    case kMacroMouseButton | kMacroPress:
    case kMacroMouseButton:
        if (isButtonBit(a.dataL))
            return MacroAction{a.map, 0, a.dataL};
        return std::nullopt;
    case kMacroMove | kMacroPress:
    case kMacroMove:
        // One non-zero step gives the direction; anything else is no move.
        if ((a.dataH == 0) != (a.dataL == 0))
            return MacroAction{kMacroMove, a.dataH, a.dataL};
        return MacroAction{kMacroMove, 0, 0};
    case kMacroDelay | kMacroPress:
    case kMacroDelay:
        if (delayType == 1 || delayType == 2)
            return MacroAction{kMacroDelay, a.dataH, a.dataL};
        return std::nullopt;
    case kMacroKey | kMacroPress:
    case kMacroKey:
        return MacroAction{a.map, 0, a.dataL};
    default:
        return std::nullopt;
    }
}

std::uint8_t macroButtonBit(int index)
{
    static const std::uint8_t bits[5] = {1, 4, 2, 8, 16};
    return index >= 0 && index < 5 ? bits[index] : 0;
}

std::vector<MacroAction> macroInsertedDelay(int delayType, int defaultDelayMs)
{
    if (delayType == 1)
        return {macroDelayAction(10)};
    if (delayType == 2)
        return {macroDelayAction(defaultDelayMs)};
    return {};
}

std::vector<MacroAction> macroButtonRows(int buttonIndex, MouseInsert what, int delayType, int defaultDelayMs)
{
    const std::uint8_t bit = macroButtonBit(buttonIndex);
    if (bit == 0)
        return {};
    const std::vector<MacroAction> delay = macroInsertedDelay(delayType, defaultDelayMs);
    std::vector<MacroAction> rows;
    const auto add = [&](bool press) {
        rows.push_back(macroButtonAction(bit, press));
        rows.insert(rows.end(), delay.begin(), delay.end());
    };
    if (what != MouseInsert::Release)
        add(true);
    if (what != MouseInsert::Press)
        add(false);
    return rows;
}

MacroAction macroMoveAction(MoveDirection direction, int distance)
{
    const int d = std::clamp(distance, kMinMoveDistance, kMaxMoveDistance);
    switch (direction) {
    case MoveDirection::Left:
        return macroMoveAction(-d, 0);
    case MoveDirection::Right:
        return macroMoveAction(d, 0);
    case MoveDirection::Up:
        return macroMoveAction(0, -d);
    case MoveDirection::Down:
        break;
    }
    return macroMoveAction(0, d);
}

std::vector<MacroAction> macroMoveRows(MoveDirection direction, int distance, int delayType, int defaultDelayMs)
{
    std::vector<MacroAction> rows{macroMoveAction(direction, distance)};
    const std::vector<MacroAction> delay = macroInsertedDelay(delayType, defaultDelayMs);
    rows.insert(rows.end(), delay.begin(), delay.end());
    return rows;
}

std::optional<MoveDirection> macroMoveDirection(const MacroAction &a)
{
    if (a.dataH == 0 && a.dataL >= 1)
        return a.dataL <= kMaxMoveDistance ? MoveDirection::Right : MoveDirection::Left;
    if (a.dataL == 0 && a.dataH >= 1)
        return a.dataH <= kMaxMoveDistance ? MoveDirection::Down : MoveDirection::Up;
    return std::nullopt;
}

int macroMoveDistance(const MacroAction &a)
{
    const auto direction = macroMoveDirection(a);
    if (!direction)
        return 0;
    switch (*direction) {
    case MoveDirection::Right:
        return a.dataL;
    case MoveDirection::Left:
        return 256 - a.dataL;
    case MoveDirection::Down:
        return a.dataH;
    case MoveDirection::Up:
        break;
    }
    return 256 - a.dataH;
}
