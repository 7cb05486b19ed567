#include "MacroKeyFeed.h"

#include <QKeyEvent>

#include <chrono>

namespace {
// X11 key codes are the Linux input codes plus 8.
constexpr std::uint32_t kX11KeycodeOffset = 8;

struct LinuxKey
{
    std::uint32_t input;    // Linux input-event code
    std::uint32_t scanCode; // set-1, without the E0 prefix
    bool extended;
};

// Keys whose scan code differs from their input code, or that carry the
// extended flag. Input codes 1..88 otherwise equal their scan codes.
// clang-format off
constexpr LinuxKey kLinuxKeys[] = {
    {69, 0x45, true},  // Num Lock (the plain form is Pause)
    {96, 0x1C, true},  // keypad Enter
    {97, 0x1D, true},  // right Ctrl
    {98, 0x35, true},  // keypad /
    {99, 0x37, true},  // Print Screen
    {100, 0x38, true}, // right Alt
    {102, 0x47, true}, {103, 0x48, true}, {104, 0x49, true}, // Home, Up, Page Up
    {105, 0x4B, true}, {106, 0x4D, true},                    // Left, Right
    {107, 0x4F, true}, {108, 0x50, true}, {109, 0x51, true}, // End, Down, Page Down
    {110, 0x52, true}, {111, 0x53, true},                    // Insert, Delete
    {119, 0x45, false},                                      // Pause
    {125, 0x5B, true}, {126, 0x5C, true}, {127, 0x5D, true}, // left Win, right Win, Menu
};
// clang-format on
constexpr std::uint32_t kLastPlainInput = 88;
constexpr std::uint32_t kScanAlt = 0x38;

bool scanCodeOf(const QKeyEvent &event, std::uint32_t &scan, bool &extended)
{
#ifdef Q_OS_WIN
    // Windows hands the scan code with the extended bit as 0x100.
    const std::uint32_t native = event.nativeScanCode();
    scan = native & 0xFF;
    extended = native & 0x100;
    return scan != 0;
#else
    const std::uint32_t native = event.nativeScanCode();
    if (native <= kX11KeycodeOffset)
        return false;
    const std::uint32_t input = native - kX11KeycodeOffset;
    for (const LinuxKey &key : kLinuxKeys) {
        if (key.input == input) {
            scan = key.scanCode;
            extended = key.extended;
            return true;
        }
    }
    if (input > kLastPlainInput)
        return false;
    scan = input;
    extended = false;
    return true;
#endif
}
} // namespace

qint64 macroMonotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool macroRawKeyEvent(const QKeyEvent &event, RawKeyEvent &raw)
{
    const bool up = event.type() == QEvent::KeyRelease;
    if (up && event.isAutoRepeat())
        return false;
    std::uint32_t scan = 0;
    bool extended = false;
    if (!scanCodeOf(event, scan, extended))
        return false;
    raw.scanCode = scan;
    raw.flags = (extended ? kKeyFlagExtended : 0) | (up ? kKeyFlagUp : 0);
    if (event.modifiers() & Qt::AltModifier)
        raw.flags |= kKeyFlagAltDown;
    // The hook tells right Alt by its virtual key.
    raw.virtualKey = scan == kScanAlt && extended ? kVirtualKeyRightAlt : 0;
    // The window system's own stamp where it gives one (the X server's
    // millisecond clock, as the hook's event time on Windows), so a busy
    // interface thread does not shift the pauses; else the arrival time.
    raw.timeMs = event.timestamp() != 0 ? qint64(event.timestamp()) : macroMonotonicMs();
    return true;
}
