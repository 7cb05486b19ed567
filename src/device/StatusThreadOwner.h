#pragma once
#include <QObject>

#include <mutex>

class DeviceLink;
class TarnGetBatteryThread;

// Owns the one current status thread. Its signals mirror the thread's and are
// delivered on the owner's thread, so the window connects once to the owner
// and never to a thread that may be replaced. The link must outlive the owner.
// Start and stop may be called from any thread (the apply worker and the
// window both do); they are serialised.
class StatusThreadOwner : public QObject
{
    Q_OBJECT
public:
    explicit StatusThreadOwner(DeviceLink &link, QObject *parent = nullptr);
    ~StatusThreadOwner() override; // stops and waits for the current thread

    // Creates, connects and starts a new thread (inherited priority). A thread
    // still current is stopped first, so at most one ever runs.
    void StartStatusThread();

    // Sets the thread's stop flag, pauses 10 ms, sets it again, then waits for
    // the thread to finish and deletes it, so the handles are free when this
    // returns. Does nothing without a current thread.
    void StopStatusThread();

    // Sets the current thread's stop flag and returns at once; the thread ends
    // after its current read. The next Start or Stop waits for it. For callers
    // that pause anyway before starting a new thread.
    void RequestStop();

    TarnGetBatteryThread *currentThread() const;

signals:
    void RefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte);
    void RefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode);
    void RefreshWriteStatus(quint8 iStatus);

private:
    void stopLocked();

    DeviceLink &m_link;
    mutable std::mutex m_mutex; // guards m_pThread for a whole start or stop
    TarnGetBatteryThread *m_pThread = nullptr;
};
