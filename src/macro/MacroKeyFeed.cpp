#include "MacroKeyFeed.h"

#include "NativeKeys.h"

#include <QKeyEvent>

#include <chrono>

namespace {
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
    // The whole PC keyboard, as the key capture dialogs see it.
    const std::uint32_t native = event.nativeScanCode();
    if (native <= kNativeKeycodeOffset)
        return false;
    return evdevToScanCode(native - kNativeKeycodeOffset, scan, extended);
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
