#include "DeviceLink.h"

#include "CommandReport.h"
#include "ConfigFile.h"
#include "DeviceChange.h"
#include "PacketLog.h"

#include <QByteArray>
#include <QDebug>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwchar>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// The read timeout and pauses of one exchange.
constexpr int kPauseAfterWriteMs = 10;
constexpr int kPauseBeforeRereadMs = 50;
constexpr int kReadTimeoutMs = 150;

// Retry limits of one exchange.
constexpr int kMaxReadFailuresBeforeRewrite = 29;
constexpr int kMaxCommandMismatchesBeforeRewrite = 19;
constexpr int kMaxEmptyAnswerRewrites = 5;
constexpr int kMaxRewrites = 2;

bool headerIsEmpty(const std::uint8_t *answer)
{
    for (int i = 0; i < 8; ++i)
        if (answer[i] != 0)
            return false;
    return true;
}

QByteArray serialText(const wchar_t *serial)
{
    if (!serial)
        return QByteArrayLiteral("(null)");
    return QString::fromWCharArray(serial).toUtf8();
}

// Whether the open of path just failed because the user may not open it.
bool openRefusedForPermission(const char *path)
{
#ifdef Q_OS_UNIX
    // A device node we can see but not read and write: the commonest case on Linux.
    if (std::strncmp(path, "/dev/", 5) == 0 && ::access(path, R_OK | W_OK) != 0 && errno == EACCES)
        return true;
#endif
    const wchar_t *error = hid_error(nullptr);
    return error && std::wcsstr(error, L"Permission denied") != nullptr;
}

// Windows marks the receiver's command collection in its path ("col04"). A
// hidraw node marks nothing, so there the record decides, read as the name it
// would be reported by on a device change.
bool isCommandCollection(const hid_device_info &info)
{
    if (std::strncmp(info.path, "\\\\?\\", 4) == 0)
        return PathHasCommandMarker(info.path);
    HidRecord record;
    record.path = info.path;
    record.vid = info.vendor_id;
    record.pid = info.product_id;
    record.usagePage = info.usage_page;
    record.usage = info.usage;
    record.interfaceNumber = info.interface_number;
    return parseInterfaceName(interfaceNameOf(record)).collection == 4;
}

} // namespace

DeviceLink::DeviceLink(const StorageDirs &dirs, DeviceClock *clock)
    : m_dirs(dirs)
    , m_pTable(new HidDeviceTable())
    , m_pClock(clock ? clock : &m_realClock)
{
    std::memset(m_pTable.get(), 0, sizeof(HidDeviceTable));
}

DeviceLink::~DeviceLink()
{
    CloseDevice();
}

void DeviceLink::setClock(DeviceClock *clock)
{
    m_pClock = clock ? clock : &m_realClock;
}

namespace {
// "vvvv:pppp:vvvv:pppp" (receiver, cable) in hex; false when malformed.
bool parseIdentities(const QString &text, HidDeviceEntry &entry)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 4)
        return false;
    std::uint32_t ids[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        ids[i] = parts[i].trimmed().toUInt(&ok, 16);
        if (!ok || ids[i] > 0xFFFF)
            return false;
    }
    entry.vid1 = ids[0];
    entry.pid1 = ids[1];
    entry.vid2 = ids[2];
    entry.pid2 = ids[3];
    return true;
}
} // namespace

void DeviceLink::LoadDeviceTable()
{
    std::memset(m_pTable.get(), 0, sizeof(HidDeviceTable));
    const QVector<MouseListing> models = readMouseList(m_dirs, kMaxDeviceEntries);
    for (int i = 0; i < models.size(); ++i) {
        HidDeviceEntry &entry = m_pTable->entries[m_pTable->count];
        FillDefaultDeviceEntry(entry);
        // The first model has the identities every installation looks for;
        // further models bring their own.
        if (i > 0 && !parseIdentities(models[i].ids, entry)) {
            qWarning("Mouse_List/%d has no valid Mouse_Ids/%d (\"%s\"); not looked for", i, i,
                     qPrintable(models[i].ids));
            continue;
        }
        const QByteArray name = models[i].name.toLatin1();
        const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(name.size()), kHidNameSize - 1);
        if (static_cast<std::size_t>(name.size()) > length)
            qWarning("Mouse_List/%d is longer than %d characters and was cut", i, kHidNameSize - 1);
        std::memcpy(entry.name, name.constData(), length);
        entry.name[length] = '\0';
        ++m_pTable->count;
    }

    m_strModelName = QString::fromUtf8(m_pTable->entries[0].name);
    qDebug("%s", m_pTable->entries[0].name);
}

int DeviceLink::EnumerateDevices()
{
    if (hid_init() != 0)
        return -1;

    hid_device_info *devices = hid_enumerate(0, 0);
    const std::uint32_t count = std::min<std::uint32_t>(m_pTable->count, kMaxDeviceEntries);
    for (hid_device_info *info = devices; info; info = info->next) {
        if (info->vendor_id == 0x04D9) {
            qDebug("Device Found\n  type: %x %x\n  path: %s\n  serial_number: %s\n usge %x uu %x", 0x04D9,
                   info->product_id, info->path ? info->path : "", serialText(info->serial_number).constData(),
                   info->usage, info->usage_page);
            continue;
        }
        if (!info->path)
            continue;
        const bool fits = std::strlen(info->path) < static_cast<std::size_t>(kHidPathSize);
        const bool commandMarker = isCommandCollection(*info);
        for (std::uint32_t i = 0; i < count; ++i) {
            HidDeviceEntry &e = m_pTable->entries[i];
            const std::uint32_t release = info->release_number;
            const bool identity1 = info->vendor_id == e.vid1 && info->product_id == e.pid1 &&
                                   ReleaseFilterPasses(e.relMin1, e.relMax1, release);
            const bool identity2 = info->vendor_id == e.vid2 && info->product_id == e.pid2 &&
                                   ReleaseFilterPasses(e.relMin2, e.relMax2, release);
            const std::uint32_t usage = info->usage;
            const std::uint32_t page = info->usage_page;
            const bool mouse1 = identity1 && usage == e.usage1 && page == e.page1;
            const bool command1 = identity1 && usage == e.usage2 && page == e.page2 && commandMarker;
            const bool mouse2 = identity2 && usage == e.usage3 && page == e.page3;
            const bool command2 = identity2 && usage == e.usage4 && page == e.page4;
            if ((mouse1 || command1 || mouse2 || command2) && !fits) {
                // A path we cannot hold whole would open the wrong device or none.
                qWarning("HID path longer than %d characters ignored: %s", kHidPathSize - 1, info->path);
                continue;
            }
            if (mouse1) {
                StoreHidPath(e.path1, info->path);
                qDebug("1 %s", e.path1);
                e.found1 = 1;
            }
            if (command1) {
                StoreHidPath(e.path2, info->path);
                qDebug("2 %s", e.path2);
                e.found2 = 1;
            }
            if (mouse2) {
                StoreHidPath(e.path3, info->path);
                qDebug("3 %s", e.path3);
                e.found3 = 1;
            }
            if (command2) {
                StoreHidPath(e.path4, info->path);
                qDebug("4 %s", e.path4);
                e.found4 = 1;
            }
        }
    }
    hid_free_enumeration(devices);
    return 0;
}

void DeviceLink::replaceHandle(hid_device *&slot, hid_device *handle, const char *what)
{
    // Re-opening without closing would leak the old handle.
    if (slot) {
        qWarning("OpenDevice: %s was still open; closing it first", what);
        hid_close(slot);
    }
    slot = handle;
}

hid_device *DeviceLink::openPath(const char *path)
{
    hid_device *handle = hid_open_path(path);
    if (!handle && m_strPermissionDenied.empty() && openRefusedForPermission(path)) {
        m_strPermissionDenied = path;
        qWarning("no permission to open %s", path);
    }
    return handle;
}

void DeviceLink::OpenDevice(const char *name)
{
    m_strPermissionDenied.clear();
    if (hid_init() != 0 || m_pTable->count == 0)
        return;
    if (!name) {
        qWarning("OpenDevice: no model name");
        return;
    }
    const std::uint32_t count = std::min<std::uint32_t>(m_pTable->count, kMaxDeviceEntries);
    for (std::uint32_t i = 0; i < count; ++i) {
        HidDeviceEntry &e = m_pTable->entries[i];
        e.name[kHidNameSize - 1] = '\0';
        if (std::strcmp(e.name, name) != 0)
            continue;
        if (e.found1 == 1 && e.found2 == 1) {
            replaceHandle(m_hidMouse1, openPath(e.path1), "hidMouse1");
            hid_device *command = openPath(e.path2);
            std::lock_guard<std::mutex> lock(m_command1Mutex);
            replaceHandle(m_hidCommand1, command, "hidCommand1");
        }
        if (e.found3 == 1 && e.found4 == 1) {
            replaceHandle(m_hidMouse2, openPath(e.path3), "hidMouse2");
            hid_device *command = openPath(e.path4);
            std::lock_guard<std::mutex> lock(m_command2Mutex);
            replaceHandle(m_hidCommand2, command, "hidCommand2");
        }
    }
}

void DeviceLink::CloseDevice()
{
    if (m_hidMouse1) {
        hid_close(m_hidMouse1);
        m_hidMouse1 = nullptr;
    }
    {
        std::lock_guard<std::mutex> lock(m_command1Mutex);
        if (m_hidCommand1) {
            hid_close(m_hidCommand1);
            m_hidCommand1 = nullptr;
        }
    }
    if (m_hidMouse2) {
        hid_close(m_hidMouse2);
        m_hidMouse2 = nullptr;
    }
    {
        std::lock_guard<std::mutex> lock(m_command2Mutex);
        if (m_hidCommand2) {
            hid_close(m_hidCommand2);
            m_hidCommand2 = nullptr;
        }
    }
}

void DeviceLink::ExitHid()
{
    hid_exit();
}

hid_device *DeviceLink::hidCommand1()
{
    std::lock_guard<std::mutex> lock(m_command1Mutex);
    return m_hidCommand1;
}

hid_device *DeviceLink::hidCommand2()
{
    std::lock_guard<std::mutex> lock(m_command2Mutex);
    return m_hidCommand2;
}

DeviceLink::CommandLock DeviceLink::lockCommandHandle()
{
    std::unique_lock<std::mutex> lock2(m_command2Mutex);
    if (m_hidCommand2)
        return CommandLock(std::move(lock2), m_hidCommand2);
    lock2.unlock();
    std::unique_lock<std::mutex> lock1(m_command1Mutex);
    if (m_hidCommand1)
        return CommandLock(std::move(lock1), m_hidCommand1);
    return CommandLock();
}

bool DeviceLink::hasCommandHandle()
{
    return hidCommand2() || hidCommand1();
}

DeviceResult DeviceLink::SendCommand(const std::uint8_t *report, int length)
{
    const CommandLock lock = lockCommandHandle();
    hid_device *const handle = lock.handle();
    if (!handle)
        return kResultNoDevice;
    if (!report || length <= 0) {
        qWarning("SendCommand: empty report not sent");
        return kResultWriteFailed;
    }

    std::uint8_t command[kReportBufferSize] = {};
    std::memcpy(command, report, static_cast<std::size_t>(std::min(length, kReportBufferSize)));
    command[1] = CommandChecksum(command);
    const EchoCheck check = EchoCheckFor(command[3]);
    DeviceClock &clk = clock();

    int readFailures = 0;
    int commandMismatches = 0;
    int emptyAnswers = 0;
    int rewrites = 0;
    int outcome = 0;
    bool write = true;

    for (;;) {
        if (write) {
            LogPacket("write", command, kReportLength);
            if (hid_write(handle, command, kReportLength) < 0) {
                qDebug("Unable to send a feature report.\n");
                return kResultWriteFailed;
            }
            clk.pause(kPauseAfterWriteMs);
            if (check == EchoCheck::None)
                return kResultOk;
        }

        std::uint8_t answer[kReportBufferSize] = {};
        const int got = hid_read_timeout(handle, answer, kReportLength, clk.readTimeout(kReadTimeoutMs));
        // A read that times out without data is as unanswered as one that fails.
        if (got <= 0) {
            LogPacket("read", nullptr, got);
            ++readFailures;
            if (readFailures <= kMaxReadFailuresBeforeRewrite) {
                clk.pause(kPauseBeforeRereadMs);
                write = false;
                continue;
            }
            if (++rewrites <= kMaxRewrites) {
                write = true;
                continue;
            }
            return kResultVerifyFailed;
        }
        LogPacket("read", answer, got);

        if (headerIsEmpty(answer)) {
            ++emptyAnswers;
            if (emptyAnswers <= kMaxEmptyAnswerRewrites) {
                write = true;
                continue;
            }
            // Past the limit the last comparison decides.
        } else {
            outcome = CompareEcho(command, answer, check == EchoCheck::CommandAndData);
        }

        if (outcome == 2) {
            if (++rewrites <= kMaxRewrites) {
                emptyAnswers = 0;
                write = true;
                continue;
            }
            return kResultVerifyFailed;
        }
        if (outcome == 1) {
            ++commandMismatches;
            if (commandMismatches <= kMaxCommandMismatchesBeforeRewrite) {
                clk.pause(kPauseBeforeRereadMs);
                emptyAnswers = 0;
                write = false;
                continue;
            }
            if (++rewrites <= kMaxRewrites) {
                emptyAnswers = 0;
                write = true;
                continue;
            }
            return kResultVerifyFailed;
        }
        return kResultOk;
    }
}
