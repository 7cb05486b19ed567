#pragma once
// What the "Combo Key" dialog makes of the key events it receives: the
// modifiers and the one other key that were down at the last key press.
// A modifier pressed on either side counts as its left-hand key.

#include "KeyTables.h"
#include "ProfileData.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class ComboKeyCapture
{
public:
    // Slots, in the order the keys are pressed when the mouse plays them.
    enum Slot { Shift, Ctrl, Win, Alt, Other, SlotCount };
    using Slots = std::array<std::uint8_t, SlotCount>;

    // Shows a stored combination; the first key event replaces it.
    void preset(const KeyInfoBlock &keyInfo);
    // One event from the hook (InternalKeyCode and the hook's flags). Returns
    // true when the shown combination changed.
    bool onKey(InternalKeyCode code, std::uint32_t flags);

    // The combination at the last key press: 0 up, 1 left-hand key down, 2
    // right-hand key down (the other-key slot: 0 or 1).
    const Slots &result() const { return m_Result; }
    // Its keys in slot order, modifiers as their left-hand keys.
    std::vector<InternalKeyCode> resultKeys() const;
    // Key names joined by " + ".
    const std::string &displayText() const { return m_Display; }

private:
    void takeResult();

    bool m_bStarted = false;
    bool m_bSeen = false;
    InternalKeyCode m_LastCode = 0;
    std::uint32_t m_LastFlags = 0;
    Slots m_Slots{};
    InternalKeyCode m_Other = 0;
    Slots m_Result{};
    InternalKeyCode m_ResultOther = 0;
    std::string m_Display;
};
