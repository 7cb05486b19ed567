#pragma once
// The macro editor's rules for rows, free of widgets: how a stored action is
// shown, and the rows that the mouse-action tree, the pointer moves and
// "INSERT DELAY" insert.

#include "MacroFile.h"

#include <optional>
#include <vector>

// How the list shows a stored action under the macro's delay type, or no
// value for a row shown empty (a delay of a macro without delays, an action
// the editor does not know). The stored bytes are kept either way.
std::optional<MacroAction> macroShownAction(const MacroAction &stored, int delayType);

// The mouse buttons of the action tree, in its order: 0 left, 1 middle,
// 2 right, 3 forward, 4 backward. The button bit of index 0..4; 0 otherwise.
std::uint8_t macroButtonBit(int index);

enum class MouseInsert { Click, Press, Release };
enum class MoveDirection { Left, Right, Up, Down };

// Pointer steps the editor writes, in either direction.
constexpr int kMinMoveDistance = 1;
constexpr int kMaxMoveDistance = 120;

// The delay that follows an inserted mouse action: none for delay type 0,
// 10 ms for 1, the default delay for 2.
std::vector<MacroAction> macroInsertedDelay(int delayType, int defaultDelayMs);
// A click (press and release) or one of them, each followed by its delay.
std::vector<MacroAction> macroButtonRows(int buttonIndex, MouseInsert what, int delayType, int defaultDelayMs);
// A pointer move of distance (clamped to 1..120), then its delay.
std::vector<MacroAction> macroMoveRows(MoveDirection direction, int distance, int delayType, int defaultDelayMs);
MacroAction macroMoveAction(MoveDirection direction, int distance);
// The direction of a shown move row; none for a zero move.
std::optional<MoveDirection> macroMoveDirection(const MacroAction &shown);
int macroMoveDistance(const MacroAction &shown);
