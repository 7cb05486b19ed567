#include "NativeKeys.h"

#include "KeyEvents.h"

namespace {

struct EvdevKey
{
    std::uint16_t evdev;
    std::uint8_t scan;
    bool extended;
};

// evdev code -> set-1 scan code. Codes 1..88 of the main block, keypad and
// function keys are the scan codes themselves; the keys Windows reports
// with the E0 prefix carry the extended bit.
// clang-format off
constexpr EvdevKey kKeys[] = {
    // Main block, keypad and F1..F12 (evdev 1..88)
    {1, 0x01, false},  {2, 0x02, false},  {3, 0x03, false},  {4, 0x04, false},  {5, 0x05, false},
    {6, 0x06, false},  {7, 0x07, false},  {8, 0x08, false},  {9, 0x09, false},  {10, 0x0A, false},
    {11, 0x0B, false}, {12, 0x0C, false}, {13, 0x0D, false}, {14, 0x0E, false}, {15, 0x0F, false},
    {16, 0x10, false}, {17, 0x11, false}, {18, 0x12, false}, {19, 0x13, false}, {20, 0x14, false},
    {21, 0x15, false}, {22, 0x16, false}, {23, 0x17, false}, {24, 0x18, false}, {25, 0x19, false},
    {26, 0x1A, false}, {27, 0x1B, false}, {28, 0x1C, false}, {29, 0x1D, false}, {30, 0x1E, false},
    {31, 0x1F, false}, {32, 0x20, false}, {33, 0x21, false}, {34, 0x22, false}, {35, 0x23, false},
    {36, 0x24, false}, {37, 0x25, false}, {38, 0x26, false}, {39, 0x27, false}, {40, 0x28, false},
    {41, 0x29, false}, {42, 0x2A, false}, {43, 0x2B, false}, {44, 0x2C, false}, {45, 0x2D, false},
    {46, 0x2E, false}, {47, 0x2F, false}, {48, 0x30, false}, {49, 0x31, false}, {50, 0x32, false},
    {51, 0x33, false}, {52, 0x34, false}, {53, 0x35, false}, {54, 0x36, false}, {55, 0x37, false},
    {56, 0x38, false}, {57, 0x39, false}, {58, 0x3A, false}, {59, 0x3B, false}, {60, 0x3C, false},
    {61, 0x3D, false}, {62, 0x3E, false}, {63, 0x3F, false}, {64, 0x40, false}, {65, 0x41, false},
    {66, 0x42, false}, {67, 0x43, false}, {68, 0x44, false},
    {69, 0x45, true},  // Num Lock: Windows reports it extended, Pause plain
    {70, 0x46, false}, {71, 0x47, false}, {72, 0x48, false}, {73, 0x49, false}, {74, 0x4A, false},
    {75, 0x4B, false}, {76, 0x4C, false}, {77, 0x4D, false}, {78, 0x4E, false}, {79, 0x4F, false},
    {80, 0x50, false}, {81, 0x51, false}, {82, 0x52, false}, {83, 0x53, false},
    {86, 0x56, false}, // the extra key beside left Shift on ISO keyboards
    {87, 0x57, false}, {88, 0x58, false},
    // Right-hand keypad and modifier keys
    {96, 0x1C, true},  // keypad Enter
    {97, 0x1D, true},  // right Ctrl
    {98, 0x35, true},  // keypad slash
    {99, 0x37, true},  // Print Screen
    {100, 0x38, true}, // right Alt
    // Navigation block
    {102, 0x47, true}, {103, 0x48, true}, {104, 0x49, true}, {105, 0x4B, true}, {106, 0x4D, true},
    {107, 0x4F, true}, {108, 0x50, true}, {109, 0x51, true}, {110, 0x52, true}, {111, 0x53, true},
    {117, 0x59, false}, // keypad =
    {119, 0x45, false}, // Pause
    // Windows and menu keys
    {125, 0x5B, true}, {126, 0x5C, true}, {127, 0x5D, true},
};
// clang-format on

constexpr std::uint32_t kEvdevLeftAlt = 56;
constexpr std::uint32_t kEvdevRightAlt = 100;

} // namespace

bool evdevToScanCode(std::uint32_t evdevCode, std::uint32_t &scanCode, bool &extended)
{
    for (const EvdevKey &key : kKeys) {
        if (key.evdev == evdevCode) {
            scanCode = key.scan;
            extended = key.extended;
            return true;
        }
    }
    return false;
}

bool NativeKeyTranslator::translate(std::uint32_t nativeKeycode, bool release, WindowsKeyEvent &out)
{
    if (nativeKeycode < kNativeKeycodeOffset)
        return false;
    const std::uint32_t evdev = nativeKeycode - kNativeKeycodeOffset;
    std::uint32_t scan = 0;
    bool extended = false;
    if (!evdevToScanCode(evdev, scan, extended))
        return false;
    const unsigned altBit = evdev == kEvdevLeftAlt ? 1u : evdev == kEvdevRightAlt ? 2u : 0u;
    if (altBit) {
        if (release)
            m_uAltDown &= ~altBit;
        else
            m_uAltDown |= altBit;
    }
    out.scanCode = scan;
    out.flags = (extended ? kKeyFlagExtended : 0) | (release ? kKeyFlagUp : 0) | (altHeld() ? kKeyFlagAltDown : 0);
    return true;
}
