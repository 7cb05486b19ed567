#include "MouseSession.h"

#include "ApplySequence.h"
#include "ConfigExchange.h"
#include "ConfigFile.h"
#include "DeviceLink.h"
#include "ProfileFile.h"
#include "ProfileModel.h"
#include "StatusThreadOwner.h"
#include "TarnProcessThread.h"

#include <QDebug>
#include <QThread>

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
        return false;
    }
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
    // The status thread polls through the handles: it must be gone before they close.
    m_pStatus->StopStatusThread();
    m_pLink->CloseDevice();
    m_presence = DevicePresence::Absent;
}

void MouseSession::shutdown()
{
    if (m_bShutDown)
        return;
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
    Q_UNUSED(iMode) // the effect the mouse reports is not followed
    deferWhileSending([this, iProfile, iDPI, iRate] {
        // Bytes from the device: a slot or level the mouse cannot have is
        // dropped, the rest of the report still counts.
        if (iProfile != m_working.ProfileID) {
            if (iProfile < kProfileCount && switchProfile(iProfile, false))
                emit profileReported(iProfile);
            else
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
