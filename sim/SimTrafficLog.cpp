#include "SimTrafficLog.h"

#include <algorithm>

namespace mousesim {

namespace {
// The demo runs for hours with the status thread polling twice a second.
constexpr std::size_t kTrafficLimit = 100000;
} // namespace

void SimTrafficLog::log(const TrafficEntry &entry)
{
    if (m_entries.size() >= kTrafficLimit) {
        m_entries.erase(m_entries.begin(), m_entries.begin() + std::ptrdiff_t(kTrafficLimit / 10));
        m_gone += kTrafficLimit / 10;
    }
    m_entries.push_back(entry);
}

void SimTrafficLog::clear()
{
    m_gone += m_entries.size();
    m_entries.clear();
}

std::vector<TrafficEntry> SimTrafficLog::since(std::uint64_t &position) const
{
    const std::uint64_t first = std::max(position, m_gone) - m_gone;
    position = m_gone + m_entries.size();
    if (first >= m_entries.size())
        return {};
    return std::vector<TrafficEntry>(m_entries.begin() + std::ptrdiff_t(first), m_entries.end());
}

int SimTrafficLog::countOut(std::uint8_t command) const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(), [command](const TrafficEntry &e) {
        return e.direction == Direction::Out && !e.failed && e.bytes[3] == command;
    }));
}

} // namespace mousesim
