// The Win32 sources of src/platform/win, run on Windows (under Wine in CI):
// the single-instance mutex, the pointer speed and the HID notification
// registration. Prints one line per check; exits with the number of failures.

#include "DeviceNotificationWin.h"
#include "InstanceMutex.h"
#include "PointerSpeedWin.h"

#include <windows.h>

#include <cstdio>

namespace {

int g_failures = 0;

void check(bool ok, const char *what)
{
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what);
    if (!ok)
        ++g_failures;
}

} // namespace

int main()
{
    const std::wstring name = L"mousecfg win32 check Wireless Gaming Mouse Mutex1";
    void *first = nullptr;
    void *second = nullptr;
    check(platformwin::createInstanceMutex(name, &first) == platformwin::MutexResult::Acquired,
          "the first CreateMutexW takes the name");
    check(platformwin::createInstanceMutex(name, &second) == platformwin::MutexResult::AlreadyExists && !second,
          "a second CreateMutexW of the same name reports ERROR_ALREADY_EXISTS");
    platformwin::releaseInstanceMutex(first);

    const int speed = platformwin::getMouseSpeed();
    std::printf("pointer speed: %d\n", speed);
    check(speed >= 1 && speed <= 20, "SPI_GETMOUSESPEED reads 1..20");
    const int other = speed == 15 ? 7 : 15;
    platformwin::setMouseSpeed(other);
    check(platformwin::getMouseSpeed() == other, "SPI_SETMOUSESPEED changes it");
    platformwin::setMouseSpeed(speed);

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"mousecfgWin32Check";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"check", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
    check(window != nullptr, "a window to register with");
    unsigned long error = 0;
    void *notification = platformwin::registerHidNotifications(window, &error);
    if (!notification)
        std::printf("RegisterDeviceNotificationW error %lu\n", error);
    check(notification != nullptr, "RegisterDeviceNotificationW returns a handle");
    platformwin::unregisterHidNotifications(notification);

    // A message that is no device change decodes to nothing.
    MSG message = {};
    message.message = WM_PAINT;
    std::wstring decoded;
    check(platformwin::decodeDeviceChange(&message, &decoded) == platformwin::DeviceChangeKind::None,
          "other messages are not device changes");
    if (window)
        DestroyWindow(window);

    std::printf("%d failure(s)\n", g_failures);
    return g_failures;
}
