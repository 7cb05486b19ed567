#pragma once
#include <QThread>

#include <hidapi.h>

#include <atomic>
#include <cstdint>

class DeviceLink;
struct StatusAnswer;

// Watches the mouse in the background: asks for battery and write status when
// it starts and then after every 56 listening reads (about every 25 s), and in
// between listens for the status reports the mouse sends when its own buttons
// change profile, DPI level, report rate or effect. Ends by itself when no
// command handle is open. Each poll holds the command handle's lock.
class TarnGetBatteryThread : public QThread
{
    Q_OBJECT
public:
    explicit TarnGetBatteryThread(DeviceLink &link, QObject *parent = nullptr);

    // Sets the stop flag; the loop ends at its next check, after the current
    // read and pause.
    void stop();
    bool isStopRequested() const { return m_bStop.load(); }

    // Number of loop cycles run so far (for tests and diagnostics).
    int cycleCount() const { return m_iCycles.load(); }

    // Writes the 0x48 status query on handle (no echo, no retry). The caller
    // holds the handle's lock.
    static void SendStatusQuery(hid_device *handle);

    // Turns one 33-byte input report into signals: 0x49 -> RefreshStatus,
    // 0x48 -> statusVariant, RefreshBatteryStatus and maybe RefreshWriteStatus.
    // Anything else is ignored.
    void HandleStatusInput(const std::uint8_t *report);

signals:
    void RefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte);
    void RefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode);
    void RefreshWriteStatus(quint8 iStatus);

protected:
    void run() override;

private:
    void handleStatusAnswer(const StatusAnswer &answer);

    DeviceLink &m_link;
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_iCycles{0};
};
