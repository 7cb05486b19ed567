#pragma once
// Plain C++ over the Win32 API (no Qt): the low-level keyboard hook of the
// key capture dialogs. One hook at a time; its procedure finds the callback
// through a global, because Windows hands it no context.

namespace platformwin {

// Called on the installing thread for every key event: the scan code (which
// the callback may change; it is written back into the event record), the
// KBDLLHOOKSTRUCT flags and its time in milliseconds. True swallows the event,
// false passes it on.
using KeyEventCallback = bool (*)(void *context, unsigned long *scanCode, unsigned long flags, unsigned long timeMs);

// SetWindowsHookExW(WH_KEYBOARD_LL) with no module and thread 0. False when a
// hook is installed already (*errorOut = 0) or the system refuses it
// (*errorOut = GetLastError()).
bool installKeyboardHook(KeyEventCallback callback, void *context, unsigned long *errorOut = nullptr);

// UnhookWindowsHookEx of the installed hook; nothing when there is none.
void removeKeyboardHook();

} // namespace platformwin
