#include "ComboKeyCapture.h"

#include "KeyEvents.h"

namespace {
struct ModifierKeys
{
    InternalKeyCode left;
    InternalKeyCode right;
};
constexpr ModifierKeys kModifiers[ComboKeyCapture::Other] = {
    {kKeyLeftShift, kKeyRightShift},
    {kKeyLeftCtrl, kKeyRightCtrl},
    {kKeyLeftWin, kKeyRightWin},
    {kKeyLeftAlt, kKeyRightAlt},
};

// The modifier slot of code and whether it is the right-hand key; -1 for
// any other key.
int modifierSlot(InternalKeyCode code, bool &rightHand)
{
    for (int s = 0; s < ComboKeyCapture::Other; ++s) {
        if (kModifiers[s].left == code || kModifiers[s].right == code) {
            rightHand = kModifiers[s].right == code;
            return s;
        }
    }
    return -1;
}
} // namespace

void ComboKeyCapture::preset(const KeyInfoBlock &keyInfo)
{
    m_Slots = {};
    m_Other = 0;
    // A stored combination holds each key twice, press and release; the first
    // five events name at most three keys.
    for (int i = 0; i < 5; ++i) {
        const std::uint8_t usage = keyInfo[size_t(i)].map;
        if (usage == 0)
            continue;
        InternalKeyCode code = 0;
        hidToScan(usage, code);
        bool right = false;
        const int s = modifierSlot(code, right);
        if (s >= 0) {
            m_Slots[size_t(s)] = std::uint8_t(m_Slots[size_t(s)] + (right ? 2 : 1));
        } else {
            m_Slots[Other] = 1;
            m_Other = code;
        }
    }
    takeResult();
}

bool ComboKeyCapture::onKey(InternalKeyCode code, std::uint32_t flags)
{
    if (m_bSeen && code == m_LastCode && flags == m_LastFlags)
        return false;
    m_bSeen = true;
    m_LastCode = code;
    m_LastFlags = flags;
    if (!m_bStarted) {
        // The first key of the run replaces what was shown.
        m_Slots = {};
        m_Result = {};
        m_Other = 0;
        m_ResultOther = 0;
        m_bStarted = true;
    }
    bool right = false;
    const int s = modifierSlot(code, right);
    if (isKeyUp(flags)) {
        // A release empties its slot: counting down could wrap below zero
        // and leave a modifier held that is not.
        if (s >= 0)
            m_Slots[size_t(s)] = 0;
        else
            m_Slots[Other] = 0;
        return false;
    }
    if (s >= 0) {
        m_Slots[size_t(s)] = right ? 2 : 1;
    } else {
        m_Slots[Other] = 1;
        m_Other = code;
    }
    takeResult();
    return true;
}

void ComboKeyCapture::takeResult()
{
    m_Result = m_Slots;
    m_ResultOther = m_Other;
    m_Display.clear();
    for (int s = 0; s < SlotCount; ++s) {
        if (m_Slots[size_t(s)] == 0)
            continue;
        InternalKeyCode code = m_Other;
        if (s < Other)
            code = m_Slots[size_t(s)] > 2 ? kModifiers[s].right : kModifiers[s].left;
        if (!m_Display.empty())
            m_Display += " + ";
        m_Display += keyName(code);
    }
}

std::vector<InternalKeyCode> ComboKeyCapture::resultKeys() const
{
    std::vector<InternalKeyCode> keys;
    for (int s = 0; s < Other; ++s) {
        if (m_Result[size_t(s)] != 0)
            keys.push_back(kModifiers[s].left);
    }
    if (m_Result[Other] != 0)
        keys.push_back(m_ResultOther);
    return keys;
}
