#pragma once
#include "DeviceClock.h"
#include "DeviceResult.h"
#include "HidDeviceTable.h"
#include "StorageDirs.h"

#include <QString>

#include <hidapi.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

// The program's one connection to the mouse: the device table, the four
// hidapi handles and the verified command exchange. The application creates
// one instance and passes it to whoever talks to the mouse.
//
// Threads: discovery, open and close run on the main thread. SendCommand (apply
// worker) and the status thread share the command handles; each command handle
// has its own lock, held for a whole exchange or status poll, and open/close
// take the same lock, so a handle is never closed under a running exchange.
class DeviceLink
{
public:
    // Exclusive use of the current command handle: hidCommand2 when open,
    // otherwise hidCommand1. Empty (handle() null) when neither is open.
    class CommandLock
    {
    public:
        CommandLock() = default;
        CommandLock(std::unique_lock<std::mutex> lock, hid_device *handle)
            : m_lock(std::move(lock))
            , m_handle(handle)
        {
        }
        hid_device *handle() const { return m_handle; }
        explicit operator bool() const { return m_handle != nullptr; }

    private:
        std::unique_lock<std::mutex> m_lock;
        hid_device *m_handle = nullptr;
    };

    // clock: the pause facility to use; null selects real time. Not owned.
    explicit DeviceLink(const StorageDirs &dirs, DeviceClock *clock = nullptr);
    ~DeviceLink(); // closes what is still open; does not call hid_exit

    DeviceLink(const DeviceLink &) = delete;
    DeviceLink &operator=(const DeviceLink &) = delete;

    // Zeroes the table and fills entry 0 with the model of Mouse_List/0 of Config.ini.
    void LoadDeviceTable();
    // Finds the model's collections among all HID devices. 0, or -1 when hid_init fails.
    int EnumerateDevices();
    // Opens the collection pairs found for every entry whose name equals name
    // (Latin-1, NUL-terminated). A failed open leaves its handle null.
    void OpenDevice(const char *name);
    void CloseDevice();
    void ExitHid();

    // The path of a collection that OpenDevice found but was not allowed to
    // open (on Linux: the hidraw node's permissions); empty when every open
    // succeeded or failed for another reason. Set anew by each OpenDevice.
    const std::string &permissionDeniedPath() const { return m_strPermissionDenied; }

    // Frames, writes and verifies one 33-byte command report. report is not
    // changed. Returns kResultOk, kResultNoDevice, kResultVerifyFailed or
    // kResultWriteFailed. Blocks; safe to call from any thread.
    DeviceResult SendCommand(const std::uint8_t *report, int length);

    // Blocks while another thread holds the handle. Do not call the handle
    // accessors below, SendCommand or CloseDevice while holding the lock.
    CommandLock lockCommandHandle();
    bool hasCommandHandle();

    HidDeviceTable &deviceTable() { return *m_pTable; }
    const HidDeviceTable &deviceTable() const { return *m_pTable; }
    QString modelName() const { return m_strModelName; }

    hid_device *hidMouse1() const { return m_hidMouse1; }
    hid_device *hidMouse2() const { return m_hidMouse2; }
    hid_device *hidCommand1();
    hid_device *hidCommand2();

    // Byte 10 of the last status answer; 0 until the first one.
    std::uint8_t statusVariant() const { return m_statusVariant.load(); }
    void setStatusVariant(std::uint8_t value) { m_statusVariant.store(value); }

    DeviceClock &clock() const { return *m_pClock; }
    // Set before any thread uses the link. null selects real time.
    void setClock(DeviceClock *clock);

    const StorageDirs &dirs() const { return m_dirs; }

private:
    void replaceHandle(hid_device *&slot, hid_device *handle, const char *what);
    hid_device *openPath(const char *path);

    StorageDirs m_dirs;
    std::unique_ptr<HidDeviceTable> m_pTable;
    QString m_strModelName;
    DeviceClock m_realClock;
    DeviceClock *m_pClock;

    hid_device *m_hidMouse1 = nullptr;
    hid_device *m_hidMouse2 = nullptr;
    std::mutex m_command1Mutex; // guards m_hidCommand1 and all traffic on it
    std::mutex m_command2Mutex; // guards m_hidCommand2 and all traffic on it
    hid_device *m_hidCommand1 = nullptr;
    hid_device *m_hidCommand2 = nullptr;

    std::atomic<std::uint8_t> m_statusVariant{0};
    std::string m_strPermissionDenied;
};
