#include "KeyTables.h"

namespace {

struct KeyPair
{
    InternalKeyCode code;
    std::uint8_t usage;
    const char *name;
};

// Every named keyboard key with its HID usage. Order follows the keyboard
// groups; lookups are linear, the table is tiny.
// clang-format off
constexpr KeyPair kPairs[] = {
    // Digits and letters
    {2, 0x1E, "1"}, {3, 0x1F, "2"}, {4, 0x20, "3"}, {5, 0x21, "4"}, {6, 0x22, "5"},
    {7, 0x23, "6"}, {8, 0x24, "7"}, {9, 0x25, "8"}, {10, 0x26, "9"}, {11, 0x27, "0"},
    {16, 0x14, "Q"}, {17, 0x1A, "W"}, {18, 0x08, "E"}, {19, 0x15, "R"}, {20, 0x17, "T"},
    {21, 0x1C, "Y"}, {22, 0x18, "U"}, {23, 0x0C, "I"}, {24, 0x12, "O"}, {25, 0x13, "P"},
    {30, 0x04, "A"}, {31, 0x16, "S"}, {32, 0x07, "D"}, {33, 0x09, "F"}, {34, 0x0A, "G"},
    {35, 0x0B, "H"}, {36, 0x0D, "J"}, {37, 0x0E, "K"}, {38, 0x0F, "L"},
    {44, 0x1D, "Z"}, {45, 0x1B, "X"}, {46, 0x06, "C"}, {47, 0x19, "V"}, {48, 0x05, "B"},
    {49, 0x11, "N"}, {50, 0x10, "M"},
    // Punctuation and editing
    {1, 0x29, "Esc"}, {12, 0x2D, "-"}, {13, 0x2E, "="}, {14, 0x2A, "Backspace"}, {15, 0x2B, "Tab"},
    {26, 0x2F, "["}, {27, 0x30, "]"}, {28, 0x28, "Enter"}, {39, 0x33, ";"}, {40, 0x34, "'"},
    {41, 0x35, "`"}, {43, 0x31, "\\"}, {51, 0x36, ","}, {52, 0x37, "."}, {53, 0x38, "/"},
    {57, 0x2C, "Space"}, {58, 0x39, "CapsLock"},
    // Function keys
    {59, 0x3A, "F1"}, {60, 0x3B, "F2"}, {61, 0x3C, "F3"}, {62, 0x3D, "F4"}, {63, 0x3E, "F5"},
    {64, 0x3F, "F6"}, {65, 0x40, "F7"}, {66, 0x41, "F8"}, {67, 0x42, "F9"}, {68, 0x43, "F10"},
    {87, 0x44, "F11"}, {88, 0x45, "F12"},
    // System and navigation
    {55, 0x46, "Print Screen"}, {69, 0x48, "Pause Break"}, {70, 0x47, "Scroll Lock"},
    {71, 0x4A, "Home"}, {72, 0x52, "Up"}, {73, 0x4B, "Page Up"}, {75, 0x50, "Left"},
    {77, 0x4F, "Right"}, {79, 0x4D, "End"}, {80, 0x51, "Down"}, {81, 0x4E, "Page Down"},
    {82, 0x49, "Insert"}, {83, 0x4C, "Delete"}, {93, 0x65, "App"},
    // Keypad
    {74, 0x56, "Num -"}, {76, 0x5D, "Num 5"}, {78, 0x57, "Num +"}, {224, 0x63, "Num De"},
    {225, 0x53, "Num Lock"}, {226, 0x54, "Num /"}, {227, 0x55, "Num *"}, {228, 0x61, "Num 9"},
    {229, 0x58, "Num Enter"}, {230, 0x59, "Num 1"}, {231, 0x5A, "Num 2"}, {232, 0x5B, "Num 3"},
    {233, 0x5C, "Num 4"}, {234, 0x5E, "Num 6"}, {235, 0x5F, "Num 7"}, {236, 0x60, "Num 8"},
    {237, 0x62, "Num 0"},
    // Modifiers
    {kKeyLeftCtrl, 0xE0, "LCtr"}, {kKeyLeftShift, 0xE1, "LShift"}, {kKeyLeftAlt, 0xE2, "LAlt"},
    {kKeyLeftWin, 0xE3, "LWindows"}, {kKeyRightCtrl, 0xE4, "RCtr"}, {kKeyRightShift, 0xE5, "RShift"},
    {kKeyRightAlt, 0xE6, "RAlt"}, {kKeyRightWin, 0xE7, "RWindows"},
};
// clang-format on
static_assert(sizeof(kPairs) / sizeof(kPairs[0]) == kKeyUsagePairCount, "the key table has 104 pairs");

} // namespace

const char *keyName(InternalKeyCode code)
{
    switch (code) {
    case kKeyMouseLeft:
        return "Left Button";
    case kKeyMouseRight:
        return "Right Button";
    case kKeyMouseMiddle:
        return "Middle Button";
    default:
        break;
    }
    for (const KeyPair &p : kPairs) {
        if (p.code == code)
            return p.name;
    }
    return "";
}

bool scanToHid(InternalKeyCode code, std::uint8_t &usage)
{
    for (const KeyPair &p : kPairs) {
        if (p.code == code) {
            usage = p.usage;
            return true;
        }
    }
    return false;
}

bool hidToScan(std::uint8_t usage, InternalKeyCode &code)
{
    for (const KeyPair &p : kPairs) {
        if (p.usage == usage) {
            code = p.code;
            return true;
        }
    }
    return false;
}
