#pragma once
#include "DeviceClock.h"

#include <QVector>

#include <functional>
#include <mutex>

struct DeviceClockEvent
{
    enum Kind { Pause, ReadTimeout };
    Kind kind;
    int ms;

    bool operator==(const DeviceClockEvent &o) const { return kind == o.kind && ms == o.ms; }
};

// A clock for tests and tools: records every requested pause and read
// timeout and returns at once. Reads are handed a short fixed timeout
// (default 0) instead of the requested one. An optional hook runs on the
// calling thread for every pause, e.g. to advance a simulated mouse's time or
// to act at a precise point of a loop.
class VirtualDeviceClock : public DeviceClock
{
public:
    explicit VirtualDeviceClock(int effectiveReadTimeoutMs = 0);

    void pause(int ms) override;
    int readTimeout(int ms) override;

    QVector<DeviceClockEvent> events() const;
    QVector<int> pauses() const; // the pause durations only, in order
    void clear();

    void setPauseHook(std::function<void(int ms)> hook);
    void setEffectiveReadTimeout(int ms);

private:
    mutable std::mutex m_mutex;
    QVector<DeviceClockEvent> m_events;
    std::function<void(int)> m_pauseHook;
    int m_iEffectiveReadTimeout;
};
