#pragma once
// Plain C++ over the Win32 API (no Qt): HID interface notifications.
#include <string>

namespace platformwin {

// RegisterDeviceNotificationW on window (an HWND) for the HID interface class.
// Returns the notification handle, or nullptr (then *errorOut, when given,
// receives GetLastError()).
void *registerHidNotifications(void *window, unsigned long *errorOut = nullptr);
void unregisterHidNotifications(void *handle);

enum class DeviceChangeKind { None, Arrival, Removal };

// Decodes one window message. For WM_DEVICECHANGE arrivals and completed
// removals of a device interface it returns the kind and sets *nameOut to the
// interface name after its first four characters ("\\?\"); for anything else
// None.
// message: a MSG, as QWidget::nativeEvent hands it over.
DeviceChangeKind decodeDeviceChange(const void *message, std::wstring *nameOut);

} // namespace platformwin
