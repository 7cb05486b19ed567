#include "DeviceClock.h"

#include <QThread>

DeviceClock::~DeviceClock() = default;

void DeviceClock::pause(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

int DeviceClock::readTimeout(int ms)
{
    return ms;
}
