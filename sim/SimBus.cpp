#include "SimBus.h"

#include <QDebug>

#include <cstdio>

namespace mousesim {

namespace {

// Like a kernel input queue: a host that never reads must not make us grow
// without bound; the oldest reports go first.
constexpr std::size_t kQueueLimit = 256;

const char *const kInterfaceClass = "{4d1e55b2-f16f-11cf-88cb-001111000030}";

struct CollectionSpec
{
    const char *suffix;   // between "pid_xxxx" and the instance part
    const char *instance; // Windows instance id, unique per collection
    std::uint16_t usagePage;
    std::uint16_t usage;
    int interfaceNumber;
    bool command;
    int collection; // 1 mouse, 4 command, other numbers for the rest
};

// The receiver is a composite device (mi_00); the cable shows one interface
// and so has no "mi_" part in its paths, as Windows names such devices.
const CollectionSpec kReceiverCollections[] = {
    {"&mi_00&col01", "8&1d4c9a3e&0&0000", 0x0001, 0x0002, 0, false, 1},
    {"&mi_00&col02", "8&1d4c9a3e&0&0001", 0x0001, 0x0006, 0, false, 2},
    {"&mi_00&col03", "8&1d4c9a3e&0&0002", 0x000C, 0x0001, 0, false, 3},
    {"&mi_00&col04", "8&1d4c9a3e&0&0003", 0x0001, 0x0000, 0, true, 4},
};
const CollectionSpec kCableCollections[] = {
    {"&col01", "7&5e0d2c17&0&0000", 0x0001, 0x0002, -1, false, 1},
    {"&col02", "7&5e0d2c17&0&0001", 0x0001, 0x0006, -1, false, 2},
    {"&col03", "7&5e0d2c17&0&0002", 0x000C, 0x0001, -1, false, 3},
    {"&col04", "7&5e0d2c17&0&0003", 0x0001, 0x0000, -1, true, 4},
};
// A second page-1/usage-0 collection of the receiver without the command
// marker; it comes after the real one so a host that ignores the marker
// takes the wrong path.
const CollectionSpec kReceiverDecoy = {"&mi_01", "8&2b7f0e61&0&0000", 0x0001, 0x0000, 1, false, 0};
const CollectionSpec kVendorDecoy = {"&mi_00", "7&3a1c5f02&0&0000", 0x0001, 0x0006, 0, false, 0};

std::string makePath(std::uint16_t vid, std::uint16_t pid, const CollectionSpec &c)
{
    char buf[256];
    std::snprintf(buf, sizeof buf, "\\\\?\\hid#vid_%04x&pid_%04x%s#%s#%s", vid, pid, c.suffix, c.instance,
                  kInterfaceClass);
    return buf;
}

std::uint16_t productIdOf(Identity id)
{
    switch (id) {
    case Identity::Receiver:
        return kReceiverProductId;
    case Identity::Cable:
        return kCableProductId;
    case Identity::SecondModel:
        break;
    }
    return kSecondProductId;
}

} // namespace

SimBus::SimBus(const SimSetup &setup)
{
    reset(setup);
}

void SimBus::reset(const SimSetup &setup)
{
    plug(Identity::Receiver, setup.receiverPlugged);
    plug(Identity::Cable, setup.cablePlugged);
    plug(Identity::SecondModel, setup.secondModelPlugged);
    m_release = {setup.receiverRelease, setup.cableRelease, setup.secondModelRelease};
    m_openRefused = false;
    m_decoys = setup.decoys;
    m_initFails = setup.initFails;
    for (auto &h : m_handles)
        h.second->queue.clear();
}

std::string SimBus::path(Identity identity, int collection)
{
    const CollectionSpec *specs = identity == Identity::Cable ? kCableCollections : kReceiverCollections;
    for (int i = 0; i < 4; ++i)
        if (specs[i].collection == collection)
            return makePath(kVendorId, productIdOf(identity), specs[i]);
    return std::string();
}

bool SimBus::plug(Identity identity, bool plugged)
{
    bool &now = m_plugged[indexOf(identity)];
    if (now == plugged)
        return false;
    now = plugged;
    if (!plugged) {
        for (auto &h : m_handles) {
            if (h.second->identity == identity && !h.second->dead) {
                h.second->dead = true;
                h.second->queue.clear();
            }
        }
    }
    return true;
}

bool SimBus::initialise()
{
    if (m_initFails) {
        m_globalError = L"hid_init failed (simulated)";
        return false;
    }
    m_initialised = true;
    return true;
}

std::vector<SimBus::DeviceRecord> SimBus::records() const
{
    std::vector<DeviceRecord> out;
    auto add = [&](std::uint16_t vid, std::uint16_t pid, std::uint16_t rel, const CollectionSpec &c,
                   const wchar_t *manufacturer, const wchar_t *product) {
        DeviceRecord r;
        r.path = makePath(vid, pid, c);
        r.vendorId = vid;
        r.productId = pid;
        r.releaseNumber = rel;
        r.usagePage = c.usagePage;
        r.usage = c.usage;
        r.interfaceNumber = c.interfaceNumber;
        r.manufacturer = manufacturer;
        r.product = product;
        out.push_back(r);
    };
    if (m_decoys)
        add(kDecoyVendorId, kDecoyProductId, 0x0100, kVendorDecoy, L"Keytronic", L"USB Keyboard");
    if (m_plugged[0]) {
        for (const auto &c : kReceiverCollections)
            add(kVendorId, kReceiverProductId, m_release[0], c, L"Tarn", L"2.4G Wireless Receiver");
        if (m_decoys)
            add(kVendorId, kReceiverProductId, m_release[0], kReceiverDecoy, L"Tarn", L"2.4G Wireless Receiver");
    }
    if (m_plugged[1]) {
        for (const auto &c : kCableCollections)
            add(kVendorId, kCableProductId, m_release[1], c, L"Tarn", L"Wireless Gaming Mouse");
    }
    if (m_plugged[2]) {
        for (const auto &c : kReceiverCollections)
            add(kVendorId, kSecondProductId, m_release[2], c, L"Tarn", L"2.4G Wireless Receiver Mini");
    }
    return out;
}

std::vector<SimBus::DeviceRecord> SimBus::enumerate(std::uint16_t vendorId, std::uint16_t productId) const
{
    std::vector<DeviceRecord> out;
    for (const DeviceRecord &r : records())
        if ((vendorId == 0 || r.vendorId == vendorId) && (productId == 0 || r.productId == productId))
            out.push_back(r);
    return out;
}

int SimBus::open(const std::string &path)
{
    for (const DeviceRecord &r : records()) {
        if (r.path != path)
            continue;
        if (m_openRefused && r.vendorId == kVendorId) {
            m_globalError = L"Failed to open a device with path '" + std::wstring(path.begin(), path.end()) +
                            L"': Permission denied";
            return 0;
        }
        auto h = std::make_shared<SimHandle>();
        h->id = m_nextHandle++;
        h->record = r;
        if (r.vendorId == kVendorId && r.productId == kReceiverProductId)
            h->identity = Identity::Receiver;
        else if (r.vendorId == kVendorId && r.productId == kCableProductId)
            h->identity = Identity::Cable;
        else if (r.vendorId == kVendorId && r.productId == kSecondProductId)
            h->identity = Identity::SecondModel;
        h->command =
            h->identity && r.usagePage == 0x0001 && r.usage == 0x0000 && r.path.find("&col04#") != std::string::npos;
        m_handles[h->id] = h;
        return h->id;
    }
    m_globalError = L"Device not found: " + std::wstring(path.begin(), path.end());
    return 0;
}

int SimBus::openFirst(std::uint16_t vendorId, std::uint16_t productId)
{
    const std::vector<DeviceRecord> found = enumerate(vendorId, productId);
    if (found.empty()) {
        m_globalError = L"No matching device";
        return 0;
    }
    return open(found.front().path);
}

bool SimBus::close(int handle)
{
    auto it = m_handles.find(handle);
    if (it == m_handles.end())
        return false;
    it->second->dead = true;
    m_handles.erase(it);
    return true;
}

std::shared_ptr<SimHandle> SimBus::find(int handle) const
{
    auto it = m_handles.find(handle);
    return it == m_handles.end() ? nullptr : it->second;
}

void SimBus::enqueue(SimHandle &handle, const Report &report)
{
    if (handle.queue.size() >= kQueueLimit) {
        qWarning("mousesim: input queue of handle %d full, oldest report dropped", handle.id);
        handle.queue.pop_front();
    }
    handle.queue.push_back(report);
}

void SimBus::broadcast(const Report &report)
{
    for (auto &h : m_handles)
        if (h.second->command && !h.second->dead)
            enqueue(*h.second, report);
}

} // namespace mousesim
