#include "VirtualDeviceClock.h"

VirtualDeviceClock::VirtualDeviceClock(int effectiveReadTimeoutMs)
    : m_iEffectiveReadTimeout(effectiveReadTimeoutMs)
{
}

void VirtualDeviceClock::pause(int ms)
{
    std::function<void(int)> hook;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.append({DeviceClockEvent::Pause, ms});
        hook = m_pauseHook;
    }
    // Outside the lock: the hook may call back into this clock.
    if (hook)
        hook(ms);
}

int VirtualDeviceClock::readTimeout(int ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.append({DeviceClockEvent::ReadTimeout, ms});
    return m_iEffectiveReadTimeout;
}

QVector<DeviceClockEvent> VirtualDeviceClock::events() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events;
}

QVector<int> VirtualDeviceClock::pauses() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QVector<int> result;
    for (const DeviceClockEvent &e : m_events)
        if (e.kind == DeviceClockEvent::Pause)
            result.append(e.ms);
    return result;
}

void VirtualDeviceClock::clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.clear();
}

void VirtualDeviceClock::setPauseHook(std::function<void(int)> hook)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pauseHook = std::move(hook);
}

void VirtualDeviceClock::setEffectiveReadTimeout(int ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_iEffectiveReadTimeout = ms;
}
