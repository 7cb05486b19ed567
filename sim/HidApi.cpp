// The hidapi C interface, served by the simulated bus.

#include "MouseSim.h"

#include <hidapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

using mousesim::MouseSim;

struct hid_device_
{
    int id = 0;
    hid_device_info *info = nullptr; // for hid_get_device_info(); used by one thread at a time like hidapi's
};

namespace {

// hid_error() hands out a pointer; each thread keeps its own copy so that a
// handle shared by two threads never has its text changed under a reader.
thread_local std::wstring g_errorText;

char *copyString(const std::string &s)
{
    char *p = static_cast<char *>(std::malloc(s.size() + 1));
    if (p)
        std::memcpy(p, s.c_str(), s.size() + 1);
    return p;
}

wchar_t *copyWide(const std::wstring &s)
{
    wchar_t *p = static_cast<wchar_t *>(std::malloc((s.size() + 1) * sizeof(wchar_t)));
    if (p)
        std::wmemcpy(p, s.c_str(), s.size() + 1);
    return p;
}

hid_device_info *makeInfo(const MouseSim::DeviceRecord &r)
{
    auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
    if (!info)
        return nullptr;
    info->path = copyString(r.path);
    info->vendor_id = r.vendorId;
    info->product_id = r.productId;
    info->serial_number = copyWide(r.serial);
    info->release_number = r.releaseNumber;
    info->manufacturer_string = copyWide(r.manufacturer);
    info->product_string = copyWide(r.product);
    info->usage_page = r.usagePage;
    info->usage = r.usage;
    info->interface_number = r.interfaceNumber;
    info->next = nullptr;
    info->bus_type = HID_API_BUS_USB;
    return info;
}

void freeInfo(hid_device_info *info)
{
    if (!info)
        return;
    std::free(info->path);
    std::free(info->serial_number);
    std::free(info->manufacturer_string);
    std::free(info->product_string);
    std::free(info);
}

hid_device *wrap(int id)
{
    if (id == 0)
        return nullptr;
    auto *dev = new hid_device_;
    dev->id = id;
    return dev;
}

int copyDeviceString(hid_device *dev, wchar_t *string, size_t maxlen, std::wstring MouseSim::DeviceRecord::*field)
{
    if (!dev || !string || maxlen == 0)
        return -1;
    MouseSim::DeviceRecord r;
    if (!MouseSim::instance().deviceRecord(dev->id, &r))
        return -1;
    const std::wstring &s = r.*field;
    const size_t n = std::min(s.size(), maxlen - 1);
    std::wmemcpy(string, s.c_str(), n);
    string[n] = L'\0';
    return 0;
}

int unsupported(hid_device *dev)
{
    if (dev)
        MouseSim::instance().setError(dev->id, L"Not supported by this device.");
    return -1;
}

} // namespace

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void)
{
    return MouseSim::instance().initialise() ? 0 : -1;
}

int HID_API_EXPORT HID_API_CALL hid_exit(void)
{
    MouseSim::instance().shutdown();
    return 0;
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    if (hid_init() != 0)
        return nullptr;
    hid_device_info *head = nullptr;
    hid_device_info **tail = &head;
    for (const auto &r : MouseSim::instance().enumerate(vendor_id, product_id)) {
        hid_device_info *info = makeInfo(r);
        if (!info)
            break;
        *tail = info;
        tail = &info->next;
    }
    return head;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info *devs)
{
    while (devs) {
        hid_device_info *next = devs->next;
        freeInfo(devs);
        devs = next;
    }
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open(unsigned short vendor_id, unsigned short product_id,
                                                 const wchar_t *serial_number)
{
    if (hid_init() != 0)
        return nullptr;
    // Our records carry empty serial numbers, so only an empty one matches.
    if (serial_number && *serial_number)
        return nullptr;
    return wrap(MouseSim::instance().openFirst(vendor_id, product_id));
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open_path(const char *path)
{
    if (!path || hid_init() != 0)
        return nullptr;
    return wrap(MouseSim::instance().open(path));
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    if (!dev)
        return -1;
    return MouseSim::instance().write(dev->id, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    if (!dev)
        return -1;
    return MouseSim::instance().read(dev->id, data, length, milliseconds);
}

int HID_API_EXPORT HID_API_CALL hid_read(hid_device *dev, unsigned char *data, size_t length)
{
    if (!dev)
        return -1;
    MouseSim &sim = MouseSim::instance();
    return sim.read(dev->id, data, length, sim.nonBlocking(dev->id) ? 0 : -1);
}

int HID_API_EXPORT HID_API_CALL hid_set_nonblocking(hid_device *dev, int nonblock)
{
    if (!dev)
        return -1;
    return MouseSim::instance().setNonBlocking(dev->id, nonblock != 0);
}

int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device *dev, const unsigned char *, size_t)
{
    return unsupported(dev);
}

int HID_API_EXPORT HID_API_CALL hid_get_feature_report(hid_device *dev, unsigned char *, size_t)
{
    return unsupported(dev);
}

int HID_API_EXPORT HID_API_CALL hid_get_input_report(hid_device *dev, unsigned char *, size_t)
{
    return unsupported(dev);
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device *dev)
{
    if (!dev)
        return;
    MouseSim::instance().close(dev->id);
    freeInfo(dev->info);
    delete dev;
}

int HID_API_EXPORT_CALL hid_get_manufacturer_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    return copyDeviceString(dev, string, maxlen, &MouseSim::DeviceRecord::manufacturer);
}

int HID_API_EXPORT_CALL hid_get_product_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    return copyDeviceString(dev, string, maxlen, &MouseSim::DeviceRecord::product);
}

int HID_API_EXPORT_CALL hid_get_serial_number_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    return copyDeviceString(dev, string, maxlen, &MouseSim::DeviceRecord::serial);
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_get_device_info(hid_device *dev)
{
    if (!dev)
        return nullptr;
    if (!dev->info) {
        MouseSim::DeviceRecord r;
        if (!MouseSim::instance().deviceRecord(dev->id, &r))
            return nullptr;
        dev->info = makeInfo(r);
    }
    return dev->info;
}

int HID_API_EXPORT_CALL hid_get_indexed_string(hid_device *dev, int, wchar_t *, size_t)
{
    return unsupported(dev);
}

HID_API_EXPORT const wchar_t *HID_API_CALL hid_error(hid_device *dev)
{
    g_errorText = MouseSim::instance().lastError(dev ? dev->id : 0);
    if (g_errorText.empty())
        g_errorText = L"Success";
    return g_errorText.c_str();
}

HID_API_EXPORT const struct hid_api_version *HID_API_CALL hid_version(void)
{
    static const hid_api_version version = {HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR, HID_API_VERSION_PATCH};
    return &version;
}

HID_API_EXPORT const char *HID_API_CALL hid_version_str(void)
{
    return HID_API_VERSION_STR;
}

} // extern "C"
