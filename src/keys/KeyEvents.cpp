#include "KeyEvents.h"

#include <QtGlobal>

#include <iterator>

namespace {

// Keypad keys that share their scan code with a navigation key (or Print
// Screen); without the extended bit they are the keypad ones.
struct PrivateCode
{
    std::uint32_t scan;
    InternalKeyCode code;
};

// clang-format off
constexpr PrivateCode kKeypad[] = {
    {71, 235}, {72, 236}, {73, 228}, {75, 233}, {77, 234}, {79, 230},
    {80, 231}, {81, 232}, {82, 237}, {83, 224}, {55, 227},
};
// clang-format on

// Keys whose extended form is the keypad / right-hand key.
constexpr PrivateCode kExtended[] = {
    {28, 229}, // keypad Enter
    {29, kKeyRightCtrl},
    {53, 226}, // keypad slash
    {69, 225}, // Num Lock (the plain form is Pause)
};

constexpr std::uint32_t kScanAlt = 56;

bool lookup(const PrivateCode *begin, const PrivateCode *end, std::uint32_t scan, InternalKeyCode &code)
{
    for (const PrivateCode *p = begin; p != end; ++p) {
        if (p->scan == scan) {
            code = p->code;
            return true;
        }
    }
    return false;
}

bool plainFlags(std::uint32_t flags)
{
    return (flags & ~kKeyFlagUp) == 0;
}

bool scanCodeFits(std::uint32_t scanCode)
{
    if (scanCode <= 0xFF)
        return true;
    qWarning("Key event with scan code %u ignored: not a one-byte key code", scanCode);
    return false;
}

} // namespace

InternalKeyCode captureKeyCode(std::uint32_t scanCode, std::uint32_t flags)
{
    if (!scanCodeFits(scanCode))
        return 0;
    InternalKeyCode code = static_cast<InternalKeyCode>(scanCode);
    if (plainFlags(flags) && lookup(std::begin(kKeypad), std::end(kKeypad), scanCode, code))
        return code;
    if ((flags == 0x01 || flags == 0x81) && lookup(std::begin(kExtended), std::end(kExtended), scanCode, code))
        return code;
    if (scanCode == kScanAlt && (flags == 0x01 || flags == 0x21 || flags == 0x81))
        return kKeyRightAlt;
    return static_cast<InternalKeyCode>(scanCode);
}

RecordedKeyEvent recorderKeyEvent(std::uint32_t scanCode, std::uint32_t virtualKey, std::uint32_t flags)
{
    RecordedKeyEvent ev;
    ev.flags = flags;
    if (!isKeyUp(flags) && (flags & kKeyFlagAltDown))
        ev.flags = 0;
    if (!scanCodeFits(scanCode))
        return ev;

    ev.code = static_cast<InternalKeyCode>(scanCode);
    InternalKeyCode code = 0;
    if (plainFlags(ev.flags) && lookup(std::begin(kKeypad), std::end(kKeypad), scanCode, code))
        ev.code = code;
    else if ((ev.flags & kKeyFlagExtended) && lookup(std::begin(kExtended), std::end(kExtended), scanCode, code))
        ev.code = code;
    else if (scanCode == kScanAlt && virtualKey == kVirtualKeyRightAlt)
        ev.code = kKeyRightAlt;
    return ev;
}
