#pragma once
// Turning a low-level keyboard event (scan code, flags as the system's
// low-level keyboard hook reports them) into an InternalKeyCode.
//
// Two conversions exist because the key capture dialogs and the macro recorder
// treat right Alt and events with the Alt-down flag differently; both are kept
// exactly as the dialogs and the recorder have always produced them, since
// stored buttons and macro files hold their results.

#include "KeyTables.h"

#include <cstdint>

constexpr std::uint32_t kKeyFlagExtended = 0x01;
constexpr std::uint32_t kKeyFlagAltDown = 0x20;
constexpr std::uint32_t kKeyFlagUp = 0x80;

// Virtual-key code of the right Alt key, the one thing the recorder looks at
// besides scan code and flags.
constexpr std::uint32_t kVirtualKeyRightAlt = 0xA5;

// Key capture dialogs (single key, combo key, fire key).
// Keypad keys (no flag but key-up) and keypad Enter, right Ctrl, keypad slash,
// Num Lock (flags exactly 0x01 or 0x81) and right Alt (0x01, 0x21 or 0x81) get
// their private codes; everything else keeps its scan code.
// A scan code above 255 cannot be a key code: the result is 0 (no key) and a
// warning is logged.
InternalKeyCode captureKeyCode(std::uint32_t scanCode, std::uint32_t flags);

// What the macro recorder receives for one event.
struct RecordedKeyEvent
{
    InternalKeyCode code = 0;
    std::uint32_t flags = 0; // the flags handed on to the recorder
};

// Macro recorder. A key-down with the Alt-down flag is taken (and handed on)
// with flags 0 before the table applies. Keypad keys need flags 0 apart from the
// key-up bit; keypad Enter, right Ctrl, keypad slash and Num Lock need the
// extended bit; right Alt is recognised by its virtual-key code alone.
// A scan code above 255 gives code 0 and a warning, as above.
RecordedKeyEvent recorderKeyEvent(std::uint32_t scanCode, std::uint32_t virtualKey, std::uint32_t flags);

// True for a key-up event (either conversion).
inline bool isKeyUp(std::uint32_t flags)
{
    return (flags & kKeyFlagUp) != 0;
}
