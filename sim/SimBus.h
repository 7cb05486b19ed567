#pragma once

#include "MouseSim.h"
#include "SimHandle.h"
#include "SimSetup.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace mousesim {

// The USB bus as hidapi sees it: which identities are plugged, the records and
// paths of their collections, the open handles and their input queues. It
// neither locks nor waits; the façade does both.
class SimBus
{
public:
    using DeviceRecord = MouseSim::DeviceRecord;

    explicit SimBus(const SimSetup &setup = SimSetup());
    // Back to the setup's plugs, release numbers, decoys and init result;
    // open handles keep their state but lose what they had queued.
    void reset(const SimSetup &setup);

    static std::string path(Identity identity, int collection);

    // True when the state changed. A pull kills the identity's handles.
    bool plug(Identity identity, bool plugged);
    bool isPlugged(Identity identity) const { return m_plugged[indexOf(identity)]; }
    void setDecoys(bool on) { m_decoys = on; }
    void setReleaseNumber(Identity identity, std::uint16_t release) { m_release[indexOf(identity)] = release; }
    std::uint16_t releaseNumber(Identity identity) const { return m_release[indexOf(identity)]; }
    void setInitFails(bool fails) { m_initFails = fails; }
    void setOpenRefused(bool refused) { m_openRefused = refused; }

    bool initialise();
    void shutdown() { m_initialised = false; }
    std::vector<DeviceRecord> enumerate(std::uint16_t vendorId, std::uint16_t productId) const;
    int open(const std::string &path); // handle id, or 0 with the global error set
    int openFirst(std::uint16_t vendorId, std::uint16_t productId);
    bool close(int handle);
    std::shared_ptr<SimHandle> find(int handle) const;
    int handleCount() const { return int(m_handles.size()); }

    void enqueue(SimHandle &handle, const Report &report);
    // The mouse's own reports go to every open command collection.
    void broadcast(const Report &report);

    const std::wstring &globalError() const { return m_globalError; }
    void setGlobalError(const std::wstring &text) { m_globalError = text; }

private:
    static std::size_t indexOf(Identity identity) { return static_cast<std::size_t>(identity); }
    std::vector<DeviceRecord> records() const;

    std::array<bool, kIdentityCount> m_plugged{};
    std::array<std::uint16_t, kIdentityCount> m_release{};
    bool m_openRefused = false;
    bool m_decoys = false;
    bool m_initFails = false;
    bool m_initialised = false;
    std::map<int, std::shared_ptr<SimHandle>> m_handles;
    int m_nextHandle = 1;
    std::wstring m_globalError;
};

} // namespace mousesim
