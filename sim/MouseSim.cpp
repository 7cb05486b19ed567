#include "MouseSim.h"

#include <QDebug>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>

namespace mousesim {

namespace {

constexpr std::uint8_t kTagClose = 0xD3;
constexpr std::uint8_t kCloseData = 0x1A;
constexpr int kMaxData = 25;
// Like a kernel input queue: a host that never reads must not make us grow
// without bound; the oldest reports go first.
constexpr std::size_t kQueueLimit = 256;
// The demo runs for hours with the status thread polling twice a second.
constexpr std::size_t kTrafficLimit = 100000;

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
    return id == Identity::Receiver ? kReceiverProductId : kCableProductId;
}

int indexOf(Identity id)
{
    return id == Identity::Receiver ? 0 : 1;
}

bool isTableCode(std::uint8_t code)
{
    return code >= 0x01 && code <= 0x05;
}

std::size_t tableSizeOf(std::uint8_t code)
{
    return code == 0x05 ? std::size_t(kMacroAreaSize) : std::size_t(kTableSize);
}

DpiTable decodeDpi(const std::vector<std::uint8_t> &t)
{
    DpiTable out;
    if (t.size() < 1 + 5 * kDpiLevels)
        return out;
    out.count = t[0];
    for (int i = 0; i < kDpiLevels; ++i) {
        const std::uint8_t *p = &t[std::size_t(1 + 5 * i)];
        out.levels[std::size_t(i)] = DpiLevelRecord{p[0], p[1], p[2], p[3], p[4]};
    }
    return out;
}

} // namespace

std::uint8_t checksum(const Report &r)
{
    unsigned sum = 0;
    for (int i = 2; i <= 7; ++i)
        sum += r[std::size_t(i)];
    return std::uint8_t((sum & 0xFF) ^ 0x66);
}

Report makeCommand(std::uint8_t command, std::uint8_t param1, std::uint8_t param2,
                   const std::vector<std::uint8_t> &data, std::uint8_t tag)
{
    Report r{};
    r[0] = kReportId;
    r[2] = kMarker;
    r[3] = command;
    r[4] = param1;
    r[5] = param2;
    const std::size_t n = std::min<std::size_t>(data.size(), kMaxData);
    r[6] = std::uint8_t(n);
    r[7] = tag;
    std::copy(data.begin(), data.begin() + std::ptrdiff_t(n), r.begin() + 8);
    r[1] = checksum(r);
    return r;
}

struct MouseSim::Handle
{
    int id = 0;
    int identity = -1; // 0 receiver, 1 cable, -1 a decoy
    bool command = false;
    bool dead = false;
    bool nonBlocking = false;
    DeviceRecord record;
    std::deque<Report> queue;
    std::wstring error;
};

struct MouseSim::State
{
    mutable std::mutex mutex;
    std::condition_variable cv;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();

    bool plugged[2] = {true, false};
    std::uint16_t release[2] = {0x0105, 0x0210};
    bool decoys = false;
    bool virtualTime = false;
    bool initFails = false;
    bool initialised = false;

    std::uint8_t batLow = 0x2C, batHigh = 0x10, charge = 1, writeStatus = 0, variant = 0;
    bool asleep = false;
    FirmwareState fw;

    int dropN = 0, corruptN = 0, foreignN = 0, foreignPer = 1, zeroN = 0, failWriteN = 0, failReadN = 0;
    int pullAfter[2] = {-1, -1};

    std::vector<TrafficEntry> traffic;
    std::uint64_t trafficGone = 0; // entries cleared or trimmed from the front, ever
    std::vector<Event> events;
    std::vector<std::uint8_t> tables[6];
    bool closed[6] = {};
    int writes[6] = {};
    std::array<std::vector<std::uint8_t>, kProfiles> dpiStore;

    std::map<int, std::shared_ptr<Handle>> handles;
    int nextHandle = 1;
    std::wstring globalError;

    std::mutex listenerMutex;
    std::map<int, Listener> listeners;
    int nextListener = 1;

    std::int64_t nowUs() const
    {
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    }

    void resetModel()
    {
        decoys = false;
        virtualTime = false;
        initFails = false;
        release[0] = 0x0105;
        release[1] = 0x0210;
        batLow = 0x2C;
        batHigh = 0x10;
        charge = 1;
        writeStatus = 0;
        variant = 0;
        asleep = false;
        fw = FirmwareState{};
        fw.rate.fill(1);
        fw.effect = 1;
        clearFaults();
        clearTraffic();
        events.clear();
        for (int c = 0; c < 6; ++c) {
            tables[c].assign(c == 0 ? 0 : tableSizeOf(std::uint8_t(c)), 0);
            closed[c] = false;
            writes[c] = 0;
        }
        for (auto &s : dpiStore)
            s.assign(kTableSize, 0);
        for (auto &h : handles)
            h.second->queue.clear();
        start = std::chrono::steady_clock::now();
    }

    void clearFaults()
    {
        dropN = corruptN = foreignN = zeroN = failWriteN = failReadN = 0;
        foreignPer = 1;
        pullAfter[0] = pullAfter[1] = -1;
    }

    void setPlugged(int id, bool on)
    {
        if (plugged[id] == on)
            return;
        plugged[id] = on;
        if (!on) {
            pullAfter[id] = -1;
            for (auto &h : handles) {
                if (h.second->identity == id && !h.second->dead) {
                    h.second->dead = true;
                    h.second->queue.clear();
                }
            }
            cv.notify_all();
        }
    }

    std::vector<DeviceRecord> records() const
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
        if (decoys)
            add(kDecoyVendorId, kDecoyProductId, 0x0100, kVendorDecoy, L"Keytronic", L"USB Keyboard");
        if (plugged[0]) {
            for (const auto &c : kReceiverCollections)
                add(kVendorId, kReceiverProductId, release[0], c, L"Tarn", L"2.4G Wireless Receiver");
            if (decoys)
                add(kVendorId, kReceiverProductId, release[0], kReceiverDecoy, L"Tarn", L"2.4G Wireless Receiver");
        }
        if (plugged[1]) {
            for (const auto &c : kCableCollections)
                add(kVendorId, kCableProductId, release[1], c, L"Tarn", L"Wireless Gaming Mouse");
        }
        return out;
    }

    Report statusReport() const
    {
        Report r{};
        r[0] = kReportId;
        r[2] = kMarker;
        r[3] = 0x49;
        r[4] = fw.profile;
        r[5] = fw.dpiLevel[fw.profile];
        r[6] = fw.rate[fw.profile];
        r[7] = fw.effect;
        r[1] = checksum(r);
        return r;
    }

    void enqueue(Handle &h, const Report &r)
    {
        if (h.queue.size() >= kQueueLimit) {
            qWarning("mousesim: input queue of handle %d full, oldest report dropped", h.id);
            h.queue.pop_front();
        }
        h.queue.push_back(r);
        cv.notify_all();
    }

    // The mouse's own reports go to every open command collection.
    void broadcast(const Report &r)
    {
        for (auto &h : handles)
            if (h.second->command && !h.second->dead)
                enqueue(*h.second, r);
    }

    // An answer to a command, through the fault injectors.
    void answer(Handle &h, Report a, bool dataEcho)
    {
        if (dropN > 0) {
            --dropN;
            return;
        }
        if (foreignN > 0) {
            --foreignN;
            for (int i = 0; i < foreignPer; ++i)
                enqueue(h, statusReport());
        }
        if (zeroN > 0) {
            --zeroN;
            a.fill(0);
        } else if (dataEcho && a[6] > 0 && corruptN > 0) {
            --corruptN;
            a[8] = std::uint8_t(a[8] ^ 0x5A);
        }
        enqueue(h, a);
    }

    void applyGeneralSettings()
    {
        const auto &t = tables[1];
        if (t[6] < kProfiles)
            fw.profile = t[6];
        else
            qWarning("mousesim: general settings name profile %d, kept %d", t[6], fw.profile);
        for (int i = 0; i < kProfiles; ++i)
            fw.rate[std::size_t(i)] = t[std::size_t(11 + i)];
        fw.dpiLevel[fw.profile] = t[17];
        fw.effect = t[18];
    }

    unsigned tableWrite(Handle &h, const Report &r)
    {
        const std::uint8_t code = r[3];
        const int n = std::min<int>(r[6], kMaxData);
        if (r[6] > kMaxData)
            qWarning("mousesim: command 0x%02x says %d data bytes, only %d fit", code, r[6], kMaxData);
        const std::size_t offset = code == 0x05 ? std::size_t(r[4] | (r[5] << 8)) : r[4];
        const std::size_t closeOffset = code == 0x05 ? 0x0FFF : 0x7F;
        unsigned changes = ChangeTables;

        if (r[7] == kTagClose && r[6] == 1 && r[8] == kCloseData && offset == closeOffset) {
            closed[code] = true;
            events.push_back(Event{EventKind::TableClosed, code, r[4], r[5], nowUs()});
            changes |= ChangeEvents;
            if (code == 0x01) {
                applyGeneralSettings();
                changes |= ChangeState;
            } else if (code == 0x02) {
                dpiStore[fw.profile] = tables[2];
            }
        } else {
            auto &t = tables[code];
            for (int i = 0; i < n; ++i) {
                const std::size_t pos = offset + std::size_t(i);
                if (pos >= t.size()) {
                    qWarning("mousesim: command 0x%02x writes past its table (offset %zu)", code, pos);
                    break;
                }
                t[pos] = r[std::size_t(8 + i)];
            }
            closed[code] = false;
            ++writes[code];
        }

        Report a{};
        a[0] = r[0];
        for (int i = 2; i <= 6; ++i)
            a[std::size_t(i)] = r[std::size_t(i)];
        std::copy(r.begin() + 8, r.begin() + 8 + n, a.begin() + 8);
        a[1] = checksum(a);
        answer(h, a, true);
        return changes;
    }

    // The firmware's reaction to one delivered command report.
    unsigned process(Handle &h, const Report &r)
    {
        if (r[1] != checksum(r) || r[2] != kMarker)
            return 0;
        const std::uint8_t code = r[3];
        if (asleep) {
            if (code == 0x48) {
                Report a{};
                a[0] = kReportId;
                a[2] = kMarker;
                a[3] = 0x48;
                a[1] = checksum(a);
                answer(h, a, false);
            }
            return 0;
        }
        if (isTableCode(code))
            return tableWrite(h, r);

        Report echo{};
        echo[0] = r[0];
        for (int i = 2; i <= 6; ++i)
            echo[std::size_t(i)] = r[std::size_t(i)];
        echo[1] = checksum(echo);

        switch (code) {
        case 0x00:
        case 0x06:
        case 0x07:
        case 0x08:
        case 0x09:
        case 0x0A: {
            // Tables this model does not keep are still acknowledged with their data.
            const int n = std::min<int>(r[6], kMaxData);
            std::copy(r.begin() + 8, r.begin() + 8 + n, echo.begin() + 8);
            echo[1] = checksum(echo);
            answer(h, echo, true);
            return 0;
        }
        case 0x40:
            events.push_back(Event{EventKind::Completion, code, r[4], r[5], nowUs()});
            answer(h, echo, false);
            return ChangeEvents;
        case 0x46:
            events.push_back(Event{EventKind::TransferMark, code, r[4], r[5], nowUs()});
            answer(h, echo, false);
            return ChangeEvents;
        case 0x48: {
            Report a{};
            a[0] = kReportId;
            a[2] = kMarker;
            a[3] = 0x48;
            a[4] = batLow;
            a[5] = batHigh;
            a[6] = charge;
            a[7] = writeStatus;
            a[10] = variant;
            a[1] = checksum(a);
            answer(h, a, false);
            return 0;
        }
        default:
            return 0; // unknown commands are ignored
        }
    }

    void log(const TrafficEntry &e)
    {
        if (traffic.size() >= kTrafficLimit) {
            traffic.erase(traffic.begin(), traffic.begin() + std::ptrdiff_t(kTrafficLimit / 10));
            trafficGone += kTrafficLimit / 10;
        }
        traffic.push_back(e);
    }

    void clearTraffic()
    {
        trafficGone += traffic.size();
        traffic.clear();
    }

    std::shared_ptr<Handle> find(int id) const
    {
        auto it = handles.find(id);
        return it == handles.end() ? nullptr : it->second;
    }
};

MouseSim &MouseSim::instance()
{
    // Never destroyed: a status thread that is still polling at exit must not
    // meet a dead model.
    static MouseSim *sim = new MouseSim;
    return *sim;
}

MouseSim::MouseSim()
    : d(new State)
{
    d->resetModel();
}

MouseSim::~MouseSim() = default;

namespace {
void callListeners(std::mutex &m, const std::map<int, MouseSim::Listener> &listeners, unsigned changes)
{
    if (!changes)
        return;
    std::vector<MouseSim::Listener> copy;
    {
        std::lock_guard<std::mutex> lock(m);
        for (const auto &l : listeners)
            copy.push_back(l.second);
    }
    for (const auto &l : copy)
        l(changes);
}
} // namespace

#define MOUSESIM_NOTIFY(changes) callListeners(d->listenerMutex, d->listeners, (changes))

void MouseSim::reset()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->setPlugged(0, true);
        d->setPlugged(1, false);
        d->resetModel();
        d->cv.notify_all();
    }
    MOUSESIM_NOTIFY(ChangeTraffic | ChangePlug | ChangeTables | ChangeEvents | ChangeState | ChangeFaults);
}

void MouseSim::plug(Identity identity, bool plugged)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->setPlugged(indexOf(identity), plugged);
    }
    MOUSESIM_NOTIFY(ChangePlug);
}

bool MouseSim::isPlugged(Identity identity) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->plugged[indexOf(identity)];
}

void MouseSim::setDecoys(bool on)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->decoys = on;
    }
    MOUSESIM_NOTIFY(ChangePlug);
}

void MouseSim::setReleaseNumber(Identity identity, std::uint16_t release)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->release[indexOf(identity)] = release;
}

std::uint16_t MouseSim::releaseNumber(Identity identity) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->release[indexOf(identity)];
}

std::string MouseSim::path(Identity identity, int collection)
{
    const CollectionSpec *specs = identity == Identity::Receiver ? kReceiverCollections : kCableCollections;
    for (int i = 0; i < 4; ++i)
        if (specs[i].collection == collection)
            return makePath(kVendorId, productIdOf(identity), specs[i]);
    return std::string();
}

void MouseSim::setInitFails(bool fails)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->initFails = fails;
}

int MouseSim::openHandleCount() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return int(d->handles.size());
}

void MouseSim::setVirtualTime(bool on)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->virtualTime = on;
    d->cv.notify_all();
}

bool MouseSim::virtualTime() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->virtualTime;
}

void MouseSim::setBattery(std::uint16_t reading)
{
    setBatteryBytes(std::uint8_t(reading & 0xFF), std::uint8_t(reading >> 8));
}

void MouseSim::setBatteryBytes(std::uint8_t low, std::uint8_t high)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->batLow = low;
        d->batHigh = high;
    }
    MOUSESIM_NOTIFY(ChangeState);
}

std::uint16_t MouseSim::battery() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return std::uint16_t(d->batLow | (d->batHigh << 8));
}

std::uint8_t MouseSim::chargeState() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->charge;
}

void MouseSim::setCharging(std::uint8_t chargeState)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->charge = chargeState;
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::setWriteStatus(std::uint8_t status)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->writeStatus = status;
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::setVariant(std::uint8_t variant)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->variant = variant;
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::setAsleep(bool asleep)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->asleep = asleep;
    }
    MOUSESIM_NOTIFY(ChangeState);
}

bool MouseSim::isAsleep() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->asleep;
}

void MouseSim::pressProfileButton()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->asleep = false; // a button press wakes the mouse
        d->fw.profile = std::uint8_t((d->fw.profile + 1) % kProfiles);
        d->broadcast(d->statusReport());
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::pressDpiButton()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->asleep = false;
        const DpiTable t = decodeDpi(d->dpiStore[d->fw.profile]);
        const int count = (t.count >= 1 && t.count <= kDpiLevels) ? t.count : kDpiLevels;
        std::vector<int> enabled;
        for (int i = 0; i < count; ++i)
            if (t.levels[std::size_t(i)].used)
                enabled.push_back(i);
        if (enabled.empty())
            for (int i = 0; i < count; ++i)
                enabled.push_back(i);
        std::uint8_t &level = d->fw.dpiLevel[d->fw.profile];
        auto next = std::upper_bound(enabled.begin(), enabled.end(), int(level));
        level = std::uint8_t(next == enabled.end() ? enabled.front() : *next);
        d->broadcast(d->statusReport());
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::pressRateButton()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->asleep = false;
        std::uint8_t &rate = d->fw.rate[d->fw.profile];
        switch (rate) {
        case 1:
            rate = 2;
            break;
        case 2:
            rate = 4;
            break;
        case 4:
            rate = 8;
            break;
        default:
            rate = 1;
            break;
        }
        d->broadcast(d->statusReport());
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::pressEffectButton()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->asleep = false;
        d->fw.effect = std::uint8_t(d->fw.effect >= 1 && d->fw.effect < 10 ? d->fw.effect + 1 : 1);
        d->broadcast(d->statusReport());
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::sendStatusReport(std::uint8_t profile, std::uint8_t dpi, std::uint8_t rate, std::uint8_t effect)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        Report r{};
        r[0] = kReportId;
        r[2] = kMarker;
        r[3] = 0x49;
        r[4] = profile;
        r[5] = dpi;
        r[6] = rate;
        r[7] = effect;
        r[1] = checksum(r);
        d->broadcast(r);
    }
    MOUSESIM_NOTIFY(ChangeState);
}

FirmwareState MouseSim::firmwareState() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->fw;
}

void MouseSim::dropAnswers(int n)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->dropN = std::max(0, n);
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

void MouseSim::corruptDataEcho(int n)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->corruptN = std::max(0, n);
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

void MouseSim::foreignReportsBeforeEcho(int n, int perAnswer)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->foreignN = std::max(0, n);
        d->foreignPer = std::max(1, perAnswer);
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

void MouseSim::zeroAnswers(int n)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->zeroN = std::max(0, n);
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

void MouseSim::failWrites(int n)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->failWriteN = std::max(0, n);
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

void MouseSim::failReads(int n)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->failReadN = std::max(0, n);
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

void MouseSim::pullAfterPackets(Identity identity, int n)
{
    unsigned changes = ChangeFaults;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        const int id = indexOf(identity);
        if (n <= 0) {
            d->setPlugged(id, false);
            changes |= ChangePlug;
        } else {
            d->pullAfter[id] = n;
        }
    }
    MOUSESIM_NOTIFY(changes);
}

void MouseSim::clearFaults()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->clearFaults();
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

std::vector<TrafficEntry> MouseSim::traffic() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->traffic;
}

std::vector<TrafficEntry> MouseSim::trafficSince(std::uint64_t &position) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    const std::uint64_t first = std::max(position, d->trafficGone) - d->trafficGone;
    position = d->trafficGone + d->traffic.size();
    if (first >= d->traffic.size())
        return {};
    return std::vector<TrafficEntry>(d->traffic.begin() + std::ptrdiff_t(first), d->traffic.end());
}

void MouseSim::clearTraffic()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->clearTraffic();
    }
    MOUSESIM_NOTIFY(ChangeTraffic);
}

int MouseSim::countOut(std::uint8_t command) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return int(std::count_if(d->traffic.begin(), d->traffic.end(), [command](const TrafficEntry &e) {
        return e.direction == Direction::Out && !e.failed && e.bytes[3] == command;
    }));
}

std::vector<Event> MouseSim::events() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->events;
}

void MouseSim::clearEvents()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->events.clear();
    }
    MOUSESIM_NOTIFY(ChangeEvents);
}

std::vector<std::uint8_t> MouseSim::table(std::uint8_t code) const
{
    if (!isTableCode(code))
        return {};
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->tables[code];
}

bool MouseSim::tableClosed(std::uint8_t code) const
{
    if (!isTableCode(code))
        return false;
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->closed[code];
}

int MouseSim::tableWrites(std::uint8_t code) const
{
    if (!isTableCode(code))
        return 0;
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->writes[code];
}

GeneralSettings MouseSim::generalSettings() const
{
    const std::vector<std::uint8_t> t = table(0x01);
    GeneralSettings g;
    for (int i = 0; i < kProfiles; ++i) {
        g.scrollSpeed[std::size_t(i)] = t[std::size_t(i)];
        g.pollRate[std::size_t(i)] = t[std::size_t(11 + i)];
    }
    g.liftHigh = t[5];
    g.profileId = t[6];
    g.ledMoveOff = t[7];
    g.ledSleepTime = t[8];
    g.fixed9 = t[9];
    g.fixed10 = t[10];
    g.fixed16 = t[16];
    g.dpi = t[17];
    g.effectCode = t[18];
    return g;
}

DpiTable MouseSim::dpiTable() const
{
    return decodeDpi(table(0x02));
}

DpiTable MouseSim::dpiTable(int profile) const
{
    if (profile < 0 || profile >= kProfiles)
        return DpiTable{};
    std::lock_guard<std::mutex> lock(d->mutex);
    return decodeDpi(d->dpiStore[std::size_t(profile)]);
}

ButtonTable MouseSim::buttonTable() const
{
    const std::vector<std::uint8_t> t = table(0x03);
    ButtonTable b;
    b.header0 = t[0];
    b.header1 = t[1];
    for (int s = 0; s < kButtonSlots; ++s)
        std::copy_n(t.begin() + 2 + 4 * s, 4, b.records[std::size_t(s)].bytes.begin());
    std::copy_n(t.begin() + 98, 4, b.trailer.begin());
    return b;
}

std::array<LightingRecord, kLightingRecords> MouseSim::lighting() const
{
    const std::vector<std::uint8_t> t = table(0x04);
    std::array<LightingRecord, kLightingRecords> out{};
    for (int k = 0; k < kLightingRecords; ++k)
        std::copy_n(t.begin() + 8 * k, 8, out[std::size_t(k)].bytes.begin());
    return out;
}

std::vector<std::uint8_t> MouseSim::macroSlot(int slot) const
{
    if (slot < 0 || slot >= kMacroSlots)
        return {};
    const std::vector<std::uint8_t> t = table(0x05);
    return std::vector<std::uint8_t>(t.begin() + slot * kMacroSlotSize, t.begin() + (slot + 1) * kMacroSlotSize);
}

int MouseSim::addListener(Listener listener)
{
    std::lock_guard<std::mutex> lock(d->listenerMutex);
    const int id = d->nextListener++;
    d->listeners[id] = std::move(listener);
    return id;
}

void MouseSim::removeListener(int id)
{
    std::lock_guard<std::mutex> lock(d->listenerMutex);
    d->listeners.erase(id);
}

// ---------------------------------------------------------------------------
// The operations behind the hidapi functions.

bool MouseSim::initialise()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (d->initFails) {
        d->globalError = L"hid_init failed (simulated)";
        return false;
    }
    d->initialised = true;
    return true;
}

void MouseSim::shutdown()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->initialised = false;
}

std::vector<MouseSim::DeviceRecord> MouseSim::enumerate(std::uint16_t vendorId, std::uint16_t productId) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    std::vector<DeviceRecord> out;
    for (const DeviceRecord &r : d->records())
        if ((vendorId == 0 || r.vendorId == vendorId) && (productId == 0 || r.productId == productId))
            out.push_back(r);
    return out;
}

int MouseSim::open(const std::string &path)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    for (const DeviceRecord &r : d->records()) {
        if (r.path != path)
            continue;
        auto h = std::make_shared<Handle>();
        h->id = d->nextHandle++;
        h->record = r;
        if (r.vendorId == kVendorId && r.productId == kReceiverProductId)
            h->identity = 0;
        else if (r.vendorId == kVendorId && r.productId == kCableProductId)
            h->identity = 1;
        h->command = h->identity >= 0 && r.usagePage == 0x0001 && r.usage == 0x0000 &&
                     r.path.find("&col04#") != std::string::npos;
        d->handles[h->id] = h;
        return h->id;
    }
    d->globalError = L"Device not found: " + std::wstring(path.begin(), path.end());
    return 0;
}

int MouseSim::openFirst(std::uint16_t vendorId, std::uint16_t productId)
{
    const std::vector<DeviceRecord> found = enumerate(vendorId, productId);
    if (found.empty()) {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->globalError = L"No matching device";
        return 0;
    }
    return open(found.front().path);
}

void MouseSim::close(int handle)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    auto it = d->handles.find(handle);
    if (it == d->handles.end())
        return;
    it->second->dead = true;
    d->handles.erase(it);
    d->cv.notify_all();
}

int MouseSim::write(int handle, const unsigned char *data, std::size_t length)
{
    unsigned changes = 0;
    int result = -1;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        std::shared_ptr<Handle> h = d->find(handle);
        if (!h) {
            d->globalError = L"Invalid device handle";
            return -1;
        }
        if (h->dead) {
            h->error = L"The device is not connected.";
            return -1;
        }
        if (!data || length == 0 || length > std::size_t(kReportSize)) {
            h->error = L"The parameter is incorrect.";
            return -1;
        }
        if (!h->command) {
            h->error = L"This collection has no output report.";
            return -1;
        }
        Report r{};
        std::memcpy(r.data(), data, length);
        TrafficEntry e{Direction::Out, r, d->nowUs(), h->identity == 0 ? Identity::Receiver : Identity::Cable, false};
        changes |= ChangeTraffic;
        if (r[0] != kReportId) {
            h->error = L"The parameter is incorrect.";
            e.failed = true;
        } else if (d->failWriteN > 0) {
            --d->failWriteN;
            h->error = L"Simulated write failure.";
            e.failed = true;
            changes |= ChangeFaults;
        } else if (d->pullAfter[h->identity] == 0) {
            d->setPlugged(h->identity, false);
            h->error = L"The device is not connected.";
            e.failed = true;
            changes |= ChangePlug | ChangeFaults;
        }
        d->log(e);
        if (!e.failed) {
            if (d->pullAfter[h->identity] > 0)
                --d->pullAfter[h->identity];
            h->error.clear();
            changes |= d->process(*h, r);
            result = kReportSize;
        }
    }
    MOUSESIM_NOTIFY(changes);
    return result;
}

int MouseSim::read(int handle, unsigned char *data, std::size_t length, int timeoutMs)
{
    int result = -1;
    unsigned changes = 0;
    {
        std::unique_lock<std::mutex> lock(d->mutex);
        std::shared_ptr<Handle> h = d->find(handle);
        if (!h) {
            d->globalError = L"Invalid device handle";
            return -1;
        }
        if (!data) {
            h->error = L"The parameter is incorrect.";
            return -1;
        }
        if (h->dead) {
            h->error = L"The device is not connected.";
            return -1;
        }
        if (d->failReadN > 0) {
            --d->failReadN;
            h->error = L"Simulated read failure.";
            lock.unlock();
            MOUSESIM_NOTIFY(ChangeFaults);
            return -1;
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
        for (;;) {
            if (h->dead) {
                h->error = L"The device is not connected.";
                return -1;
            }
            if (!h->queue.empty()) {
                const Report r = h->queue.front();
                h->queue.pop_front();
                const std::size_t n = std::min(length, std::size_t(kReportSize));
                std::memcpy(data, r.data(), n);
                d->log(TrafficEntry{Direction::In, r, d->nowUs(),
                                    h->identity == 0 ? Identity::Receiver : Identity::Cable, false});
                result = int(n);
                h->error.clear();
                changes |= ChangeTraffic;
                break;
            }
            if (d->virtualTime || timeoutMs == 0) {
                result = 0;
                break;
            }
            if (timeoutMs < 0) {
                d->cv.wait(lock);
            } else if (d->cv.wait_until(lock, deadline) == std::cv_status::timeout) {
                if (h->queue.empty() && !h->dead) {
                    result = 0;
                    break;
                }
            }
        }
    }
    MOUSESIM_NOTIFY(changes);
    return result;
}

int MouseSim::setNonBlocking(int handle, bool on)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    std::shared_ptr<Handle> h = d->find(handle);
    if (!h)
        return -1;
    h->nonBlocking = on;
    return 0;
}

bool MouseSim::nonBlocking(int handle) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    std::shared_ptr<Handle> h = d->find(handle);
    return h && h->nonBlocking;
}

bool MouseSim::deviceRecord(int handle, DeviceRecord *out) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    std::shared_ptr<Handle> h = d->find(handle);
    if (!h || h->dead) {
        if (h)
            h->error = L"The device is not connected.";
        return false;
    }
    if (out)
        *out = h->record;
    return true;
}

std::wstring MouseSim::lastError(int handle) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (handle == 0)
        return d->globalError;
    std::shared_ptr<Handle> h = d->find(handle);
    return h ? h->error : std::wstring(L"Invalid device handle");
}

void MouseSim::setError(int handle, const std::wstring &text)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (handle == 0) {
        d->globalError = text;
    } else if (std::shared_ptr<Handle> h = d->find(handle)) {
        h->error = text;
    }
}

} // namespace mousesim
