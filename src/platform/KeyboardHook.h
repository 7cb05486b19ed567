#pragma once
// The keyboard hook of the key capture dialogs and the macro recorder: every key event of the
// keyboard reaches a handler as the (scan code, flags) pair of the Windows
// low-level keyboard hook (flags: bit 0 extended key, bit 5 Alt down, bit 7
// key up), whatever window has the focus.
//
// Windows: a WH_KEYBOARD_LL hook on the thread that creates the object; the
// key reaches every program. Other systems: the program's own key events
// while the object lives (the native key code of X11 and Wayland turned into
// the Windows pair). Only one hook exists at a time; a second one is refused.
//
// The handler runs on the GUI thread. It may change the scan code (Windows
// writes it back into the event record) and returns true to swallow the
// event, false to pass it on. timeMs is the event's own time stamp in
// milliseconds (the hook record's time on Windows, the window system's on
// X11 and Wayland, else the monotonic clock): only differences between two
// events mean anything.

#include <cstdint>
#include <functional>
#include <memory>

class KeyboardHook
{
public:
    using Handler = std::function<bool(std::uint32_t &scanCode, std::uint32_t flags, std::int64_t timeMs)>;

    virtual ~KeyboardHook() = default;
    // Installs the hook; null (logged) when the system refuses it or another
    // hook is installed.
    static std::unique_ptr<KeyboardHook> install(Handler handler);

protected:
    KeyboardHook() = default;
};
