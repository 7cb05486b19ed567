#include "StatusThreadOwner.h"

#include "DeviceLink.h"
#include "TarnGetBatteryThread.h"

namespace {
constexpr int kPauseBetweenStopFlagsMs = 10;
}

StatusThreadOwner::StatusThreadOwner(DeviceLink &link, QObject *parent)
    : QObject(parent)
    , m_link(link)
{
}

StatusThreadOwner::~StatusThreadOwner()
{
    StopStatusThread();
}

TarnGetBatteryThread *StatusThreadOwner::currentThread() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pThread;
}

void StatusThreadOwner::StartStatusThread()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    stopLocked();
    m_pThread = new TarnGetBatteryThread(m_link);
    // The owner lives on the window's thread: these connections are queued.
    connect(m_pThread, &TarnGetBatteryThread::RefreshBatteryStatus, this, &StatusThreadOwner::RefreshBatteryStatus);
    connect(m_pThread, &TarnGetBatteryThread::RefreshStatus, this, &StatusThreadOwner::RefreshStatus);
    connect(m_pThread, &TarnGetBatteryThread::RefreshWriteStatus, this, &StatusThreadOwner::RefreshWriteStatus);
    m_pThread->start(QThread::InheritPriority);
}

void StatusThreadOwner::StopStatusThread()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    stopLocked();
}

void StatusThreadOwner::RequestStop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_pThread)
        m_pThread->stop();
}

void StatusThreadOwner::stopLocked()
{
    if (!m_pThread)
        return;
    TarnGetBatteryThread *thread = m_pThread;
    m_pThread = nullptr;
    thread->stop();
    m_link.clock().pause(kPauseBetweenStopFlagsMs);
    thread->stop();
    // Waiting is what makes it safe to close or reuse the handles afterwards.
    thread->wait();
    delete thread;
}
