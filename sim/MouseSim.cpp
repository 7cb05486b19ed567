// The façade: one lock over the bus, the firmware, the fault plan and the
// traffic log, the condition readers wait on, the clock, and the listeners.

#include "MouseSim.h"

#include "SimBus.h"
#include "SimFaultPlan.h"
#include "SimFirmware.h"
#include "SimSetup.h"
#include "SimTrafficLog.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>

namespace mousesim {

struct MouseSim::State
{
    const SimSetup setup{};

    mutable std::mutex mutex;
    std::condition_variable cv;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    bool virtualTime = false;

    SimBus bus{setup};
    SimFirmware firmware{setup};
    SimFaultPlan faults;
    SimTrafficLog traffic;
    std::vector<Event> events;

    std::mutex listenerMutex;
    std::map<int, Listener> listeners;
    int nextListener = 1;

    std::int64_t nowUs() const
    {
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    }

    void resetModel()
    {
        bus.reset(setup);
        virtualTime = setup.virtualTime;
        firmware = SimFirmware(setup);
        faults.clear();
        traffic.clear();
        events.clear();
        start = std::chrono::steady_clock::now();
        cv.notify_all();
    }

    void setPlugged(Identity identity, bool on)
    {
        if (!bus.plug(identity, on) || on)
            return;
        faults.cancelPull(identity);
        cv.notify_all();
    }

    void broadcast(const Report &report)
    {
        bus.broadcast(report);
        cv.notify_all();
    }

    // The firmware's reaction to one delivered command report; its answer
    // goes through the fault plan.
    unsigned process(SimHandle &handle, const Report &command)
    {
        SimFirmware::Reaction reaction = firmware.receive(command);
        if (reaction.event) {
            reaction.event->timeUs = nowUs();
            events.push_back(*reaction.event);
        }
        if (reaction.answer) {
            const Report foreign = firmware.statusReport();
            for (const Report &r : faults.deliver(reaction.answer->report, reaction.answer->dataEcho, foreign))
                bus.enqueue(handle, r);
            cv.notify_all();
        }
        return reaction.changes;
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
        d->resetModel();
    }
    MOUSESIM_NOTIFY(ChangeTraffic | ChangePlug | ChangeTables | ChangeEvents | ChangeState | ChangeFaults);
}

void MouseSim::plug(Identity identity, bool plugged)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->setPlugged(identity, plugged);
    }
    MOUSESIM_NOTIFY(ChangePlug);
}

void MouseSim::setOpenRefused(bool refused)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->bus.setOpenRefused(refused);
}

bool MouseSim::isPlugged(Identity identity) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->bus.isPlugged(identity);
}

void MouseSim::setDecoys(bool on)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->bus.setDecoys(on);
    }
    MOUSESIM_NOTIFY(ChangePlug);
}

void MouseSim::setReleaseNumber(Identity identity, std::uint16_t release)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->bus.setReleaseNumber(identity, release);
}

std::uint16_t MouseSim::releaseNumber(Identity identity) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->bus.releaseNumber(identity);
}

std::string MouseSim::path(Identity identity, int collection)
{
    return SimBus::path(identity, collection);
}

void MouseSim::setInitFails(bool fails)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->bus.setInitFails(fails);
}

int MouseSim::openHandleCount() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->bus.handleCount();
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
        d->firmware.setBattery(low, high);
    }
    MOUSESIM_NOTIFY(ChangeState);
}

std::uint16_t MouseSim::battery() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.battery();
}

std::uint8_t MouseSim::chargeState() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.charge();
}

void MouseSim::setCharging(std::uint8_t chargeState)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->firmware.setCharge(chargeState);
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::setWriteStatus(std::uint8_t status)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->firmware.setWriteStatus(status);
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::setVariant(std::uint8_t variant)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->firmware.setVariant(variant);
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::setAsleep(bool asleep)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->firmware.setAsleep(asleep);
    }
    MOUSESIM_NOTIFY(ChangeState);
}

bool MouseSim::isAsleep() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.asleep();
}

void MouseSim::pressProfileButton()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->broadcast(d->firmware.press(SimFirmware::Button::Profile));
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::pressDpiButton()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->broadcast(d->firmware.press(SimFirmware::Button::Dpi));
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::pressRateButton()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->broadcast(d->firmware.press(SimFirmware::Button::Rate));
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::pressEffectButton()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->broadcast(d->firmware.press(SimFirmware::Button::Effect));
    }
    MOUSESIM_NOTIFY(ChangeState);
}

void MouseSim::sendStatusReport(std::uint8_t profile, std::uint8_t dpi, std::uint8_t rate, std::uint8_t effect)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->broadcast(SimFirmware::ownReport(profile, dpi, rate, effect));
    }
    MOUSESIM_NOTIFY(ChangeState);
}

FirmwareState MouseSim::firmwareState() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.state();
}

void MouseSim::dropAnswers(int n)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->faults.dropAnswers(n);
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

void MouseSim::corruptDataEcho(int n)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->faults.corruptDataEcho(n);
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

void MouseSim::foreignReportsBeforeEcho(int n, int perAnswer)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->faults.foreignReportsBeforeEcho(n, perAnswer);
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

void MouseSim::zeroAnswers(int n)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->faults.zeroAnswers(n);
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

void MouseSim::failWrites(int n)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->faults.failWrites(n);
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

void MouseSim::failReads(int n)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->faults.failReads(n);
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

void MouseSim::pullAfterPackets(Identity identity, int n)
{
    unsigned changes = ChangeFaults;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (n <= 0) {
            d->setPlugged(identity, false);
            changes |= ChangePlug;
        } else {
            d->faults.pullAfterPackets(identity, n);
        }
    }
    MOUSESIM_NOTIFY(changes);
}

void MouseSim::clearFaults()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->faults.clear();
    }
    MOUSESIM_NOTIFY(ChangeFaults);
}

std::vector<TrafficEntry> MouseSim::traffic() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->traffic.entries();
}

std::vector<TrafficEntry> MouseSim::trafficSince(std::uint64_t &position) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->traffic.since(position);
}

void MouseSim::clearTraffic()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->traffic.clear();
    }
    MOUSESIM_NOTIFY(ChangeTraffic);
}

int MouseSim::countOut(std::uint8_t command) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->traffic.countOut(command);
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
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.table(code);
}

bool MouseSim::tableClosed(std::uint8_t code) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.tableClosed(code);
}

int MouseSim::tableWrites(std::uint8_t code) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.tableWrites(code);
}

GeneralSettings MouseSim::generalSettings() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.generalSettings();
}

DpiTable MouseSim::dpiTable() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.dpiTable();
}

DpiTable MouseSim::dpiTable(int profile) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.dpiTable(profile);
}

ButtonTable MouseSim::buttonTable() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.buttonTable();
}

std::array<LightingRecord, kLightingRecords> MouseSim::lighting() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.lighting();
}

std::vector<std::uint8_t> MouseSim::macroSlot(int slot) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->firmware.macroSlot(slot);
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
    return d->bus.initialise();
}

void MouseSim::shutdown()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->bus.shutdown();
}

std::vector<MouseSim::DeviceRecord> MouseSim::enumerate(std::uint16_t vendorId, std::uint16_t productId) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->bus.enumerate(vendorId, productId);
}

int MouseSim::open(const std::string &path)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->bus.open(path);
}

int MouseSim::openFirst(std::uint16_t vendorId, std::uint16_t productId)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->bus.openFirst(vendorId, productId);
}

void MouseSim::close(int handle)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (d->bus.close(handle))
        d->cv.notify_all();
}

int MouseSim::write(int handle, const unsigned char *data, std::size_t length)
{
    unsigned changes = 0;
    int result = -1;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        std::shared_ptr<SimHandle> h = d->bus.find(handle);
        if (!h) {
            d->bus.setGlobalError(L"Invalid device handle");
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
        if (!h->command || !h->identity) {
            h->error = L"This collection has no output report.";
            return -1;
        }
        const Identity identity = *h->identity;
        Report r{};
        std::memcpy(r.data(), data, length);
        TrafficEntry e{Direction::Out, r, d->nowUs(), identity, false};
        changes |= ChangeTraffic;
        if (r[0] != kReportId) {
            h->error = L"The parameter is incorrect.";
            e.failed = true;
        } else if (d->faults.takeWriteFailure()) {
            h->error = L"Simulated write failure.";
            e.failed = true;
            changes |= ChangeFaults;
        } else if (d->faults.pullDue(identity)) {
            d->setPlugged(identity, false);
            h->error = L"The device is not connected.";
            e.failed = true;
            changes |= ChangePlug | ChangeFaults;
        }
        d->traffic.log(e);
        if (!e.failed) {
            d->faults.countPacket(identity);
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
        std::shared_ptr<SimHandle> h = d->bus.find(handle);
        if (!h) {
            d->bus.setGlobalError(L"Invalid device handle");
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
        if (d->faults.takeReadFailure()) {
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
                // Only the mouse's own collections queue reports, so the handle has an identity here.
                d->traffic.log(
                    TrafficEntry{Direction::In, r, d->nowUs(), h->identity.value_or(Identity::Receiver), false});
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
    std::shared_ptr<SimHandle> h = d->bus.find(handle);
    if (!h)
        return -1;
    h->nonBlocking = on;
    return 0;
}

bool MouseSim::nonBlocking(int handle) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    std::shared_ptr<SimHandle> h = d->bus.find(handle);
    return h && h->nonBlocking;
}

bool MouseSim::deviceRecord(int handle, DeviceRecord *out) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    std::shared_ptr<SimHandle> h = d->bus.find(handle);
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
        return d->bus.globalError();
    std::shared_ptr<SimHandle> h = d->bus.find(handle);
    return h ? h->error : std::wstring(L"Invalid device handle");
}

void MouseSim::setError(int handle, const std::wstring &text)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (handle == 0) {
        d->bus.setGlobalError(text);
    } else if (std::shared_ptr<SimHandle> h = d->bus.find(handle)) {
        h->error = text;
    }
}

} // namespace mousesim
