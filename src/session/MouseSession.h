#pragma once
// The state of one run of the utility, below any widget: the device link and
// its status thread, the apply sequence, the saved and working configuration,
// the profile book and the mouse list. The application creates one session and
// hands it to the window and to every page; the window asks it for each device
// and configuration step of start-up in the written order, and shows what its
// signals report.
//
// Threads: everything runs on the thread that created the session, except the
// send procedure, which runs on the session's worker (startSend). While a send
// runs, the mouse's status reports are only noted and are replayed when the
// worker has finished, so the worker is the only one touching the two
// configuration copies and Config/Diff. Device changes wait the same way: no
// handle is closed or reopened while the worker sends through it.

#include "DeviceChange.h"
#include "DeviceResult.h"
#include "ModelDescription.h"
#include "MouseList.h"
#include "ProfileBook.h"
#include "ProfileData.h"
#include "SendProcedure.h"
#include "StatusDecoding.h"
#include "StorageDirs.h"

#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

Q_DECLARE_METATYPE(BatteryReading)
Q_DECLARE_METATYPE(SendOutcome)

class ApplySequence;
class DeviceClock;
class DeviceLink;
class PointerSpeed;
class StatusThreadOwner;
class TarnProcessThread;
enum class ImportStatus;

// Whether the current product's command collection is open.
enum class DevicePresence { Absent = 0, Present = 1 };

// The pause between stopping an old status thread and starting a new one after
// the window's texts were set again. The old thread's reads end within it.
constexpr int kStatusRestartDelayMs = 500;
// The pause between closing the mouse and opening it again after one of its
// collections came or went.
constexpr int kReopenDelayMs = 500;

class MouseSession : public QObject
{
    Q_OBJECT
public:
    // clock: the pause facility of the device link; null selects real time. Not owned.
    explicit MouseSession(const StorageDirs &dirs, DeviceClock *clock = nullptr, QObject *parent = nullptr);
    ~MouseSession() override; // waits for a running send, then shuts down

    const StorageDirs &dirs() const { return m_dirs; }
    DeviceLink &link() { return *m_pLink; }
    StatusThreadOwner &statusThreads() { return *m_pStatus; }

    // --- start-up steps, in the order the window calls them ---
    // Loads the device table and enumerates the HID devices; false when the HID
    // library could not be initialised (then no mouse can be found).
    bool findDevices();
    // Counts the usable mice and settles the current product name.
    MouseChoice buildMouseList();
    void loadProfileList();
    void readBatteryFull();
    // Opens the collections of the current product.
    void openDevice();
    void startStatusThread();
    // The system pointer speed into the working copy's active slot. A reading
    // of 0 (nothing to read here) leaves the slot's value as it is.
    void readPointerSpeed();
    // Loads the saved copy from Config.ini and the profile files; working = saved.
    void loadConfiguration();
    void writeDefaultProfile();
    // Stops the status thread (waiting for it) and closes the handles: the
    // mouse went away, or is about to be opened again.
    void closeDevice();
    // Stops the status thread (waiting for it), closes the handles and releases
    // the HID library. Safe to call twice.
    void shutdown();

    // Stops the current status thread at once and starts a new one after
    // kStatusRestartDelayMs, from a timer: the calling thread never waits.
    void restartStatusThreadLater();
    bool isStatusRestartPending() const { return m_statusRestart.isActive(); }

    // --- the mouse list ---
    const QStringList &mouseNames() const { return m_mouseNames; }
    int mouseCount() const { return m_mouseNames.size(); }
    QString currentProductName() const { return m_currentProduct; }
    // Makes name (one of mouseNames) the current product and stores it; false
    // for a name not in the list.
    bool chooseMouse(const QString &name);
    DevicePresence devicePresence() const { return m_presence; }
    ConnectionMode connectionMode() const;
    // The last choice made from the device table (selector shown or not).
    const MouseChoice &mouseChoice() const { return m_Choice; }
    // Switches the device link to name (one of mouseNames): closes the current
    // mouse, opens that one, loads the configuration and marks it for a full
    // send (its mouse holds what the other was sent). False for an unknown name.
    bool switchMouse(const QString &name);
    // Closes what is open and opens the current product again, with a new
    // status thread; for the window's re-initialisation after a return.
    void reopenDevice();

    // The node the mouse was found at but could not be opened for lack of
    // permission; empty otherwise. Set by openDevice.
    QString permissionDeniedPath() const;

    // --- device changes ---
    // One collection arrived or left, named as Windows names device
    // interfaces. Updates the device table, reopens or closes the mouse and
    // restarts the status thread; the window follows the signals below.
    // While a send runs, it is only noted and runs when the send has ended.
    void HandleDeviceChange(const QString &name, bool arrived);
    // Enumerates again and hands every collection that appeared or vanished
    // since the last enumeration to HandleDeviceChange, under its name: for
    // systems that only say that something changed.
    void rescanDevices();
    bool isReopenPending() const { return m_reopen.isActive(); }
    // The pointer-speed backend (not owned; null: none). Set before start-up.
    void setPointerSpeed(PointerSpeed *pointer) { m_pPointer = pointer; }

    // --- configuration ---
    const AppConfig &savedConfig() const { return m_saved; }
    const AppConfig &workingConfig() const { return m_working; }
    // The pages edit the working copy of the current profile directly.
    AppConfig &workingConfig() { return m_working; }
    ProfileData &currentProfile() { return m_working.activeProfile(); }
    const ProfileBook &profileBook() const { return m_book; }
    const QStringList &profileList() const { return m_book.list(); }
    // Makes slot current (re-read from its profile file with reload) and stores
    // Config/ProfileID; false for a slot outside 0..4.
    bool switchProfile(int slot, bool reload);

    // Reads filePath into the working copy when its product tag matches; the
    // saved copy is left as it is. Nothing is sent. *problem (if given)
    // receives why a file was refused.
    ImportStatus importConfiguration(const QString &filePath, QString *problem = nullptr);
    // Writes the working copy with the current product's tag to filePath.
    bool exportConfiguration(const QString &filePath) const;
    // Rebuilds the five slots from the model's defaults in the working copy.
    void resetAll();

    // --- sending ---
    // The send procedure on the calling thread; blocks for the whole transfer.
    SendOutcome send(bool sendAll);
    // The same on the session's worker; sendFinished is emitted on the
    // session's thread when it ends. False (nothing started) while a send runs.
    bool startSend(bool sendAll);
    bool isSending() const { return m_pWorker != nullptr; }
    // Blocks until a running send has ended and been reported.
    void waitForSend();
    // The outcome of the last send started with startSend.
    const SendOutcome &lastOutcome() const { return m_LastOutcome; }

    // --- what the mouse reported last ---
    bool isMouseAsleep() const { return m_bAsleep.load(); }
    int batteryFull() const { return m_iBatteryFull; }
    int batteryLevel() const { return m_iBatteryLevel; } // Config/Battery, 0..100

    // Turn the status thread's raw report values into the session's signals.
    // Connected to the status thread; public so that tests can feed reports.
    void handleBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte);
    void handleStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode);
    void handleWriteStatus(quint8 iStatus);

signals:
    // Every status answer. level is the charge level of the reading (10..100);
    // a mouse that is off reports reading.mouseOff() and leaves level as it was.
    void batteryReported(const BatteryReading &reading, int level);
    // The mouse's own buttons changed the active slot, which is now current in
    // the working copy (not re-read from its file).
    void profileReported(int slot);
    // ... the DPI level or the report rate of the current profile, now stored
    // in the working copy.
    void dpiLevelReported(int level);
    void rateReported(int rateCode);
    // The mouse's own button switched the lighting effect to ledMode (0..13),
    // which differs from the one shown; the lighting page stores it.
    void effectReported(int ledMode);
    // The mouse's write status; 0 (a failed write) has set Config/Diff to 1.
    void writeStatusReported(int status);
    void sendFinished(const SendOutcome &outcome);

    // Device changes. The mouse list was rebuilt (mouseChoice()).
    void mouseListChanged();
    // The last usable mouse went away; the link is closed.
    void deviceLost();
    // A mouse came back while none was usable; the link is open again.
    void deviceReturned();
    // The current mouse lost one connection and was reopened on the other; the
    // working copy was reloaded from the saved configuration.
    void configurationReloaded();
    // Which collections are present may have changed (connectionMode()).
    void connectionChanged();

private:
    void finishSend();
    void deferWhileSending(std::function<void()> handler);
    void refreshMouseList();
    // Stops the status thread and closes the handles, then opens the current
    // product again: at once, or after kReopenDelayMs from a timer.
    void restartLink(bool later);
    QString entryName(std::uint32_t entry) const;

    StorageDirs m_dirs;
    std::unique_ptr<DeviceLink> m_pLink;
    std::unique_ptr<StatusThreadOwner> m_pStatus;
    std::unique_ptr<ApplySequence> m_pApply;
    AppConfig m_saved;
    AppConfig m_working;
    ButtonPositions m_positions{};
    ProfileBook m_book;

    QStringList m_mouseNames;
    MouseChoice m_Choice;
    QString m_currentProduct;
    std::vector<HidRecord> m_Records; // the last enumeration, to tell what changed
    PointerSpeed *m_pPointer = nullptr;
    DevicePresence m_presence = DevicePresence::Absent;
    std::atomic<bool> m_bAsleep{false};
    int m_iBatteryFull = kDefaultBatteryFullMillivolts;
    int m_iBatteryLevel = 0;
    bool m_bShutDown = false;
    bool m_bDropDeferred = false; // shutting down: what was noted during the last send is void

    QTimer m_statusRestart;
    QTimer m_reopen;
    TarnProcessThread *m_pWorker = nullptr;
    SendOutcome m_LastOutcome;
    std::vector<std::function<void()>> m_deferred;
};
