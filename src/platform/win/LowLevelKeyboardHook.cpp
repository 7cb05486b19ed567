#include "LowLevelKeyboardHook.h"

#include <windows.h>

namespace platformwin {

namespace {
HHOOK g_hHook = nullptr;
KeyEventCallback g_pCallback = nullptr;
void *g_pContext = nullptr;

LRESULT CALLBACK keyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && g_pCallback) {
        auto *event = reinterpret_cast<KBDLLHOOKSTRUCT *>(lParam);
        unsigned long scanCode = event->scanCode;
        const bool swallow = g_pCallback(g_pContext, &scanCode, event->flags, event->time);
        event->scanCode = scanCode;
        if (swallow)
            return 1;
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
} // namespace

bool installKeyboardHook(KeyEventCallback callback, void *context, unsigned long *errorOut)
{
    if (errorOut)
        *errorOut = 0;
    if (g_hHook || !callback)
        return false;
    g_pCallback = callback;
    g_pContext = context;
    g_hHook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardProc, nullptr, 0);
    if (!g_hHook) {
        if (errorOut)
            *errorOut = GetLastError();
        g_pCallback = nullptr;
        g_pContext = nullptr;
        return false;
    }
    return true;
}

void removeKeyboardHook()
{
    if (!g_hHook)
        return;
    UnhookWindowsHookEx(g_hHook);
    g_hHook = nullptr;
    g_pCallback = nullptr;
    g_pContext = nullptr;
}

} // namespace platformwin
