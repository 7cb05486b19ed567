#include "MouseSession.h"

#include "ApplySequence.h"
#include "ConfigExchange.h"
#include "ConfigFile.h"
#include "DeviceLink.h"
#include "LightingSlots.h"
#include "PointerSpeed.h"
#include "ProfileFile.h"
#include "ProfileModel.h"
#include "StatusThreadOwner.h"
#include "TarnProcessThread.h"

#include <QDebug>
#include <QThread>

#include <cstring>

MouseSession::MouseSession(const StorageDirs &dirs, DeviceClock *clock, QObject *parent)
    : QObject(parent)
    , m_dirs(dirs)
    , m_pLink(std::make_unique<DeviceLink>(dirs, clock))
    , m_book(dirs)
{
    qRegisterMetaType<BatteryReading>("BatteryReading");
    qRegisterMetaType<SendOutcome>("SendOutcome");
    m_pStatus = std::make_unique<StatusThreadOwner>(*m_pLink);
    m_pApply = std::make_unique<ApplySequence>(*m_pLink, m_pStatus.get());
    connect(m_pStatus.get(), &StatusThreadOwner::RefreshBatteryStatus, this, &MouseSession::handleBatteryStatus);
    connect(m_pStatus.get(), &StatusThreadOwner::RefreshStatus, this, &MouseSession::handleStatus);
    connect(m_pStatus.get(), &StatusThreadOwner::RefreshWriteStatus, this, &MouseSession::handleWriteStatus);

    m_statusRestart.setSingleShot(true);
    m_statusRestart.setInterval(kStatusRestartDelayMs);
    connect(&m_statusRestart, &QTimer::timeout, this, [this] {
        // During a send the apply sequence owns the handles; the end of the
        // send starts the next status thread.
        if (!m_bShutDown && !m_pWorker)
            m_pStatus->StartStatusThread();
    });
    m_reopen.setSingleShot(true);
    m_reopen.setInterval(kReopenDelayMs);
    connect(&m_reopen, &QTimer::timeout, this, [this] {
        deferWhileSending([this] {
            if (m_bShutDown)
                return;
            openDevice();
            m_pStatus->StartStatusThread();
            emit connectionChanged();
        });
    });
    m_iBatteryLevel = readBattery(m_dirs);
}

MouseSession::~MouseSession()
{
    waitForSend();
    shutdown();
}

bool MouseSession::findDevices()
{
    m_pLink->LoadDeviceTable();
    if (m_pLink->EnumerateDevices() != 0) {
        qDebug("hid_init failed; no mouse can be found");
        m_Records.clear();
        return false;
    }
    m_Records = enumerateHidRecords();
    return true;
}

MouseChoice MouseSession::buildMouseList()
{
    m_mouseNames = usableMouseNames(m_pLink->deviceTable());
    const QString stored = readCurrentProductName(m_dirs);
    const MouseChoice choice = chooseCurrentMouse(m_mouseNames, stored);
    if (choice.storeCurrent)
        writeCurrentProductName(m_dirs, choice.current);
    if (m_mouseNames.size() == 1)
        qDebug("RefreshMouseList %s", qPrintable(choice.current));
    m_currentProduct = choice.storeCurrent ? choice.current : stored;
    // Several mice and a stored name that is none of them: the first is shown and used.
    if (!choice.storeCurrent && !m_mouseNames.contains(m_currentProduct))
        m_currentProduct = choice.current;
    m_Choice = choice;
    return choice;
}

void MouseSession::loadProfileList()
{
    m_book.loadList(m_currentProduct);
}

void MouseSession::readBatteryFull()
{
    m_iBatteryFull = ::readBatteryFull(m_dirs);
}

void MouseSession::openDevice()
{
    const QByteArray current = m_currentProduct.toLatin1();
    m_pLink->OpenDevice(current.constData());
    m_presence = m_pLink->hasCommandHandle() ? DevicePresence::Present : DevicePresence::Absent;
}

void MouseSession::startStatusThread()
{
    m_statusRestart.stop();
    m_pStatus->StartStatusThread();
}

void MouseSession::readPointerSpeed()
{
    if (!m_pPointer)
        return;
    const int speed = m_pPointer->GetPointerSpeed();
    if (speed >= 1 && speed <= 20)
        m_working.activeProfile().mousespeed = std::uint8_t(speed);
}

QString MouseSession::permissionDeniedPath() const
{
    return QString::fromLocal8Bit(m_pLink->permissionDeniedPath().c_str());
}

void MouseSession::restartStatusThreadLater()
{
    // Only the flag is set here; the start waits for the old thread, which has
    // long ended by then.
    m_pStatus->RequestStop();
    m_statusRestart.start();
}

void MouseSession::loadConfiguration()
{
    loadSavedConfig(m_dirs, m_saved, m_positions);
    m_working = m_saved;
}

void MouseSession::writeDefaultProfile()
{
    writeDefaultProfileFile(m_dirs);
}

void MouseSession::closeDevice()
{
    m_statusRestart.stop();
    m_reopen.stop();
    // The status thread polls through the handles: it must be gone before they close.
    m_pStatus->StopStatusThread();
    m_pLink->CloseDevice();
    m_presence = DevicePresence::Absent;
}

void MouseSession::shutdown()
{
    if (m_bShutDown)
        return;
    // The worker sends through the handles: it ends before they close, and
    // what it held back no longer matters.
    m_bDropDeferred = true;
    waitForSend();
    m_bShutDown = true;
    closeDevice();
    m_pLink->ExitHid();
}

bool MouseSession::chooseMouse(const QString &name)
{
    if (!m_mouseNames.contains(name))
        return false;
    writeCurrentProductName(m_dirs, name);
    m_currentProduct = name;
    qDebug("current mouse: %s", qPrintable(name));
    return true;
}

bool MouseSession::switchMouse(const QString &name)
{
    if (!m_mouseNames.contains(name))
        return false;
    if (m_pWorker) {
        qWarning("no switching mice while a send runs");
        return false;
    }
    closeDevice();
    chooseMouse(name);
    m_Choice.current = name;
    openDevice();
    m_pStatus->StartStatusThread();
    loadProfileList();
    loadConfiguration();
    // The saved copy says what the other mouse was sent.
    writeDiff(m_dirs, 1);
    emit connectionChanged();
    return true;
}

void MouseSession::reopenDevice()
{
    closeDevice();
    openDevice();
    m_pStatus->StartStatusThread();
}

QString MouseSession::entryName(std::uint32_t entry) const
{
    const HidDeviceEntry &e = m_pLink->deviceTable().entries[entry];
    const char *end = static_cast<const char *>(std::memchr(e.name, '\0', kHidNameSize));
    return QString::fromLatin1(e.name, end ? int(end - e.name) : kHidNameSize);
}

void MouseSession::refreshMouseList()
{
    buildMouseList();
    emit mouseListChanged();
}

void MouseSession::restartLink(bool later)
{
    closeDevice();
    if (later) {
        m_reopen.start();
        return;
    }
    openDevice();
    m_pStatus->StartStatusThread();
}

void MouseSession::HandleDeviceChange(const QString &name, bool arrived)
{
    if (m_bShutDown)
        return;
    if (m_pWorker) {
        // Closing or reopening now would pull the handles from under the send.
        qDebug("device change during a send, handled afterwards: %s", qPrintable(name));
        m_deferred.push_back([this, name, arrived] { HandleDeviceChange(name, arrived); });
        return;
    }
    const InterfaceName parsed = parseInterfaceName(name);
    std::string path;
    std::uint16_t release = 0;
    if (arrived && parsed.valid) {
        // The release number comes from the enumeration record of the
        // interface; so does the path, which on some systems is not the name.
        const std::vector<HidRecord> records = enumerateHidRecords();
        if (const HidRecord *record = findRecordByName(records, name)) {
            path = record->path;
            release = record->release;
        } else {
            path = "\\\\?\\" + name.toStdString();
        }
    }

    const bool knewMouse = mouseCount() != 0;
    bool newlyPresent = false;
    bool relinkedAny = false;
    for (const EntryChange &change : applyInterfaceChange(m_pLink->deviceTable(), parsed, arrived, path, release)) {
        const bool current = entryName(change.entry) == m_currentProduct;
        newlyPresent = newlyPresent || change.newlyPresent;
        bool relinked = false;
        if (change.pairComplete) {
            refreshMouseList();
            // One open for the completed pair, whether the mouse was known or not.
            restartLink(false);
            relinked = true;
            if (!knewMouse)
                emit deviceReturned();
        } else if (change.removed) {
            refreshMouseList();
            if (mouseCount() != 0) {
                if (entryName(change.entry) == m_currentProduct) {
                    restartLink(false);
                    relinked = true;
                    loadConfiguration();
                    emit configurationReloaded();
                }
            } else {
                closeDevice();
                relinked = true;
                if (knewMouse)
                    emit deviceLost();
            }
        }
        const bool taken = change.removed || (arrived && !change.refused);
        if (!relinked && taken && current && change.collectionLeft) {
            restartLink(true);
            relinked = true;
        }
        relinkedAny = relinkedAny || relinked;
    }
    if (newlyPresent)
        writeDiff(m_dirs, 1); // a mouse that was away may hold anything: the next Apply sends every group
    emit connectionChanged();
    // A fresh status thread after every change; a pending reopen starts its own.
    if (!relinkedAny)
        restartStatusThreadLater();
}

void MouseSession::rescanDevices()
{
    if (m_bShutDown)
        return;
    std::vector<HidRecord> now = enumerateHidRecords();
    const std::vector<InterfaceChange> changes = enumerationChanges(m_Records, now);
    m_Records = std::move(now);
    for (const InterfaceChange &change : changes) {
        qDebug("%s %s", change.arrived ? "arrived" : "removed", qPrintable(change.name));
        HandleDeviceChange(change.name, change.arrived);
    }
}

ConnectionMode MouseSession::connectionMode() const
{
    return ::connectionMode(connectionFlags(m_pLink->deviceTable(), m_currentProduct));
}

bool MouseSession::switchProfile(int slot, bool reload)
{
    return m_book.switchSlot(m_working, slot, reload);
}

ImportStatus MouseSession::importConfiguration(const QString &filePath, QString *problem)
{
    return importConfigFile(m_dirs, filePath, m_working, problem);
}

bool MouseSession::exportConfiguration(const QString &filePath) const
{
    return exportConfigFile(m_dirs, filePath, m_working);
}

void MouseSession::resetAll()
{
    resetAllProfiles(m_dirs, m_working);
}

SendOutcome MouseSession::send(bool sendAll)
{
    return runSendProcedure(m_dirs, *m_pApply, m_working, m_saved, sendAll, m_bAsleep.load());
}

bool MouseSession::startSend(bool sendAll)
{
    if (m_pWorker)
        return false;
    m_pWorker = new TarnProcessThread([this](bool all) { return send(all); }, sendAll);
    // Connected before the start, so that a send with nothing to do cannot end unnoticed.
    connect(m_pWorker, &TarnProcessThread::DoProcessDlg, this, &MouseSession::finishSend, Qt::QueuedConnection);
    m_pWorker->start(QThread::InheritPriority);
    return true;
}

void MouseSession::waitForSend()
{
    if (!m_pWorker)
        return;
    m_pWorker->wait();
    finishSend();
}

void MouseSession::finishSend()
{
    if (!m_pWorker)
        return; // already reported by waitForSend
    // The signal comes at the very end of the run: this wait is short, and the
    // thread object is never deleted while it runs.
    m_pWorker->wait();
    m_LastOutcome = m_pWorker->outcome();
    delete m_pWorker;
    m_pWorker = nullptr;
    // The apply sequence starts a new status thread only after a success; the
    // battery display and the following of the mouse must go on after a
    // failure too.
    if (!m_bShutDown && !m_pStatus->currentThread() && m_pLink->hasCommandHandle())
        m_pStatus->StartStatusThread();
    emit sendFinished(m_LastOutcome);
    // What the mouse reported meanwhile, in the order it arrived.
    std::vector<std::function<void()>> deferred;
    deferred.swap(m_deferred);
    if (m_bDropDeferred)
        return;
    for (const auto &handler : deferred)
        handler();
}

void MouseSession::deferWhileSending(std::function<void()> handler)
{
    if (m_pWorker)
        m_deferred.push_back(std::move(handler));
    else
        handler();
}

void MouseSession::handleBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte)
{
    deferWhileSending([this, iCharge, iLowByte, iHiByte] {
        const BatteryReading reading{iCharge, iLowByte, iHiByte};
        m_bAsleep.store(reading.mouseOff());
        if (reading.mouseOff()) {
            emit batteryReported(reading, m_iBatteryLevel);
            return;
        }
        const int level = ::batteryLevel(reading, m_iBatteryFull);
        if (level != m_iBatteryLevel) {
            m_iBatteryLevel = level;
            writeBattery(m_dirs, level);
        }
        emit batteryReported(reading, level);
    });
}

void MouseSession::handleStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode)
{
    deferWhileSending([this, iProfile, iDPI, iRate, iMode] {
        // Bytes from the device: a slot or level the mouse cannot have is
        // dropped, the rest of the report still counts.
        if (iProfile != m_working.ProfileID) {
            if (iProfile < kProfileCount && switchProfile(iProfile, false)) {
                // The newly active slot brings its own pointer speed.
                if (m_pPointer)
                    m_pPointer->SetPointerSpeed(currentProfile().mousespeed);
                emit profileReported(iProfile);
            } else
                qWarning("mouse reports profile %d, which does not exist; ignored", iProfile);
        }
        ProfileData &profile = currentProfile();
        if (iDPI >= kDpiLevelCount)
            qWarning("mouse reports DPI level %d, which does not exist; ignored", iDPI);
        else if (iDPI != profile.dpi) {
            profile.dpi = iDPI;
            emit dpiLevelReported(iDPI);
        }
        if (iRate != profile.pollrate) {
            profile.pollrate = iRate;
            emit rateReported(iRate);
        }
        // One effect code stands for several modes: a mode that sends the
        // reported code already is what the mouse shows and stays.
        const int mode = LedModeForEffectCode(iMode);
        const ProfileData &lit =
            m_working.profiles[std::size_t(lightingSlots(m_currentProduct, m_working.ProfileID).effect)];
        if (mode < 0)
            qWarning("mouse reports effect code %d, which does not exist; ignored", iMode);
        else if (LedModeEffectCode(lit.LedMode) != iMode)
            emit effectReported(mode);
    });
}

void MouseSession::handleWriteStatus(quint8 iStatus)
{
    deferWhileSending([this, iStatus] {
        if (iStatus == 0)
            writeDiff(m_dirs, 1); // the mouse lost a write: the next Apply sends everything
        emit writeStatusReported(iStatus);
    });
}
