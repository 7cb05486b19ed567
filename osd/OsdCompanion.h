#pragma once
// The companion program: one per user, a receiver for the utility's blocks
// (a local socket on Linux, WM_COPYDATA to the window on Windows) and the
// display. It ends by itself after a time without messages, so a companion
// whose utility went away does not linger.

#include "OsdDisplay.h"

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QTimer>

#include <memory>

class OsdCompanion : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultIdleExitSeconds = 600;
    // A client that has not sent a whole block by then is dropped.
    static constexpr int kClientTimeoutMs = 5000;

    OsdCompanion(int idleExitSeconds, const QString &traceFile);

    // Takes the per-user lock and starts listening. False when another
    // companion of this user runs (or nothing can be listened on; logged).
    bool start();

    OsdDisplay &display() { return m_Display; }

private:
    void acceptClients();
    void restartIdleTimer();

    OsdDisplay m_Display;
    std::unique_ptr<QLockFile> m_pLock;
    QLocalServer m_Server;
    QTimer m_IdleTimer;
};

// Where the lock and (on Linux) the socket of this user's companion live.
QString osdCompanionSocketPath();
