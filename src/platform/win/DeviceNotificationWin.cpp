#include "DeviceNotificationWin.h"

#include <windows.h>

#include <dbt.h>

namespace platformwin {

namespace {
// The HID device interface class.
const GUID kHidInterfaceClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
} // namespace

void *registerHidNotifications(void *window, unsigned long *errorOut)
{
    DEV_BROADCAST_DEVICEINTERFACE_W filter;
    ZeroMemory(&filter, sizeof filter);
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kHidInterfaceClass;
    HDEVNOTIFY handle = RegisterDeviceNotificationW(static_cast<HWND>(window), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!handle && errorOut)
        *errorOut = GetLastError();
    return handle;
}

void unregisterHidNotifications(void *handle)
{
    if (handle)
        UnregisterDeviceNotification(static_cast<HDEVNOTIFY>(handle));
}

DeviceChangeKind decodeDeviceChange(const void *message, std::wstring *nameOut)
{
    const MSG *msg = static_cast<const MSG *>(message);
    if (!msg || msg->message != WM_DEVICECHANGE ||
        (msg->wParam != DBT_DEVICEARRIVAL && msg->wParam != DBT_DEVICEREMOVECOMPLETE) || !msg->lParam)
        return DeviceChangeKind::None;
    const WPARAM wParam = msg->wParam;
    const auto *header = reinterpret_cast<const DEV_BROADCAST_HDR *>(msg->lParam);
    if (header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE)
        return DeviceChangeKind::None;
    const auto *iface = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W *>(header);
    const std::wstring name = iface->dbcc_name;
    // The name starts with "\\?\"; what follows is what the patterns look at.
    *nameOut = name.size() > 4 ? name.substr(4) : std::wstring();
    return wParam == DBT_DEVICEARRIVAL ? DeviceChangeKind::Arrival : DeviceChangeKind::Removal;
}

} // namespace platformwin
