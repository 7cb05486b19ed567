#pragma once
// The one-byte key code shared by every key capture, its display names and its
// mapping to USB HID keyboard usages (usage page 0x07).
//
// A code is the set-1 scan code of the key (without the E0 prefix); keys that
// share a scan code with another key get private codes from 224 up, and 240..242
// stand for the left, right and middle mouse button.

#include <cstdint>

using InternalKeyCode = std::uint8_t;

constexpr InternalKeyCode kKeyMouseLeft = 240;
constexpr InternalKeyCode kKeyMouseRight = 241;
constexpr InternalKeyCode kKeyMouseMiddle = 242;

// Codes of the modifier keys, left- and right-hand.
constexpr InternalKeyCode kKeyLeftCtrl = 29;
constexpr InternalKeyCode kKeyRightCtrl = 238;
constexpr InternalKeyCode kKeyLeftShift = 42;
constexpr InternalKeyCode kKeyRightShift = 54;
constexpr InternalKeyCode kKeyLeftAlt = 56;
constexpr InternalKeyCode kKeyRightAlt = 239;
constexpr InternalKeyCode kKeyLeftWin = 91;
constexpr InternalKeyCode kKeyRightWin = 92;

// Number of (code, usage) pairs known to scanToHid / hidToScan.
constexpr int kKeyUsagePairCount = 104;

// Display name of a code: a static, never-null Latin-1 string; "" for a code
// without a name. The three mouse-button codes have names but no usage.
const char *keyName(InternalKeyCode code);

// Looks up the HID usage of a code. Returns true and writes usage when the code
// is one of the 104 keyboard pairs; otherwise returns false and leaves usage
// untouched (callers preset it, usually to 0).
bool scanToHid(InternalKeyCode code, std::uint8_t &usage);

// Reverse of scanToHid over the same pairs. Returns true and writes code when
// found; otherwise returns false and leaves code untouched.
bool hidToScan(std::uint8_t usage, InternalKeyCode &code);
