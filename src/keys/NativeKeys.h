#pragma once
// Key events of the X11 and Wayland desktops in the form the capture dialogs
// know: the (scan code, flags) pair the Windows low-level keyboard hook
// reports for the same key. With that pair the tables of KeyEvents.h apply
// unchanged on every system.
//
// Both desktops hand out the evdev code of the key plus 8 as its native key
// code. The table covers the whole PC keyboard: the main block, the function
// keys, the navigation block, the keypad and the modifiers. Media keys are
// left out: Windows reports them with the scan codes of letters (Mute as
// extended D), which a capture would take for those letters.

#include <cstdint>

struct WindowsKeyEvent
{
    std::uint32_t scanCode = 0;
    std::uint32_t flags = 0; // kKeyFlagExtended, kKeyFlagAltDown, kKeyFlagUp
};

// The offset between an evdev code and the native key code of X11 and Wayland.
constexpr std::uint32_t kNativeKeycodeOffset = 8;

// Scan code and extended bit of an evdev code; false for a key the PC
// keyboard does not have (code untouched).
bool evdevToScanCode(std::uint32_t evdevCode, std::uint32_t &scanCode, bool &extended);

// Turns native key events into Windows events, one after the other. It keeps
// which Alt keys are down, because Windows marks every event made while Alt
// is held (the Alt key's own press included, its release not).
class NativeKeyTranslator
{
public:
    // False for a key code outside the table (nothing changes).
    bool translate(std::uint32_t nativeKeycode, bool release, WindowsKeyEvent &out);
    bool altHeld() const { return m_uAltDown != 0; }

private:
    unsigned m_uAltDown = 0; // bit 0 left Alt, bit 1 right Alt
};
