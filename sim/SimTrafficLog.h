#pragma once

#include "MouseSim.h"

#include <cstdint>
#include <vector>

namespace mousesim {

// Every report in both directions, in order. It keeps the newest entries
// only, and counts every entry it ever took so that a reader can ask for what
// is new since it last looked. Time stamps come with the entries.
class SimTrafficLog
{
public:
    void log(const TrafficEntry &entry);
    void clear();

    const std::vector<TrafficEntry> &entries() const { return m_entries; }
    // See MouseSim::trafficSince.
    std::vector<TrafficEntry> since(std::uint64_t &position) const;
    int countOut(std::uint8_t command) const;

private:
    std::vector<TrafficEntry> m_entries;
    std::uint64_t m_gone = 0; // entries cleared or trimmed from the front, ever
};

} // namespace mousesim
