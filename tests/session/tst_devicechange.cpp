// Device changes against the simulated mouse: plugging and pulling through the
// same enumeration path the Linux notifications take, the interface names,
// switching between two models, the permission problem, and changes that
// arrive while a send runs.

#include "AppDirCopy.h"
#include "DeviceChange.h"
#include "DeviceLink.h"
#include "MouseSession.h"
#include "MouseSim.h"
#include "PointerSpeed.h"
#include "StatusThreadOwner.h"
#include "VirtualDeviceClock.h"

#include <QSignalSpy>
#include <QtTest>

using mousesim::Identity;
using mousesim::MouseSim;

namespace {
QString simName(Identity identity, int collection)
{
    return QString::fromStdString(MouseSim::path(identity, collection)).mid(4); // without "\\?\"
}

class FakePointerSpeed : public PointerSpeed
{
public:
    int GetPointerSpeed() override { return reading; }
    void SetPointerSpeed(int speed) override { set.append(speed); }
    int reading = 0;
    QList<int> set;
};
} // namespace

class TestDeviceChange : public QObject
{
    Q_OBJECT

    std::unique_ptr<MouseSession> startedSession(const AppDirCopy &dir)
    {
        auto session = std::make_unique<MouseSession>(StorageDirs::fromAppDir(dir.path()), &m_Clock);
        session->findDevices();
        session->buildMouseList();
        session->loadProfileList();
        session->openDevice();
        session->startStatusThread();
        session->loadConfiguration();
        return session;
    }

    VirtualDeviceClock m_Clock{20};

private slots:
    void init() { MouseSim::instance().reset(); }

    void interfaceNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("vid");
        QTest::addColumn<int>("pid");
        QTest::addColumn<int>("collection"); // 0: not one of ours
        QTest::newRow("receiver command")
            << "hid#vid_248a&pid_fa02&mi_00&col04#8&1d&0&0003#{4d1e}" << 0x248A << 0xFA02 << 4;
        QTest::newRow("capital Col04 of the cable") << "HID#VID_248A&PID_FB01&MI_00&Col04#x" << 0x248A << 0xFB01 << 4;
        QTest::newRow("cable mouse, no interface") << "HID#VID_248A&PID_FB01&Col01#x" << 0x248A << 0xFB01 << 1;
        QTest::newRow("another collection") << "HID#VID_248A&PID_FA02&MI_00&Col02#x" << 0 << 0 << 0;
        QTest::newRow("second interface") << "HID#VID_248A&PID_FA02&MI_01&Col04#x" << 0 << 0 << 0;
        QTest::newRow("not hexadecimal") << "HID#VID_24ZZ&PID_FA02&MI_00&Col04#x" << 0 << 0 << 0;
    }
    void interfaceNames()
    {
        QFETCH(QString, name);
        QFETCH(int, vid);
        QFETCH(int, pid);
        QFETCH(int, collection);
        const InterfaceName parsed = parseInterfaceName(name);
        QCOMPARE(parsed.valid, collection != 0);
        QCOMPARE(int(parsed.vid), vid);
        QCOMPARE(int(parsed.pid), pid);
        QCOMPARE(parsed.collection, collection);
    }

    // What a hidraw enumeration says, turned into names the patterns take.
    void namesFromEnumeration()
    {
        const HidRecord mouse{"/dev/hidraw3", 0x248A, 0xFA02, 0x105, 1, 2, 0};
        const HidRecord command{"/dev/hidraw3", 0x248A, 0xFA02, 0x105, 1, 0, 0};
        const HidRecord consumer{"/dev/hidraw3", 0x248A, 0xFA02, 0x105, 0x0C, 1, 0};
        const HidRecord cable{"/dev/hidraw5", 0x248A, 0xFB01, 0x210, 1, 0, -1};
        const HidRecord keyboard{"/dev/hidraw0", 0x04D9, 0xA0CD, 0x100, 1, 6, 0};
        const auto changes = enumerationChanges({keyboard, cable}, {keyboard, mouse, command, consumer});
        QStringList shown;
        for (const InterfaceChange &c : changes)
            shown << (c.arrived ? "+" : "-") + c.name;
        QCOMPARE(shown, QStringList({"-HID#VID_248A&PID_FB01&Col04#/dev/hidraw5",
                                     "+HID#VID_248A&PID_FA02&MI_00&Col01#/dev/hidraw3",
                                     "+HID#VID_248A&PID_FA02&MI_00&Col04#/dev/hidraw3",
                                     "+HID#VID_248A&PID_FA02&MI_00&Page12Usage1#/dev/hidraw3"}));
        QCOMPARE(parseInterfaceName(changes[0].name).collection, 4);
        QCOMPARE(parseInterfaceName(changes[1].name).collection, 1);
        QVERIFY(!parseInterfaceName(changes[3].name).valid);
        // The name leads back to its record, whose path is the node to open.
        const std::vector<HidRecord> now{mouse, command};
        QCOMPARE(findRecordByName(now, changes[2].name.toLower()), &now[1]);
    }

    void receiverPlugOpensOnceAndMarksAFullSend()
    {
        AppDirCopy dir;
        dir.setConfigKey(QStringLiteral("Config/Diff"), 0);
        MouseSim::instance().plug(Identity::Receiver, false);
        auto session = startedSession(dir);
        QCOMPARE(session->mouseCount(), 0);
        QSignalSpy returned(session.get(), &MouseSession::deviceReturned);
        MouseSim::instance().plug(Identity::Receiver, true);
        session->rescanDevices();
        QCOMPARE(returned.count(), 1);
        QCOMPARE(session->currentProductName(), QStringLiteral("TarnX8"));
        QCOMPARE(session->devicePresence(), DevicePresence::Present);
        QCOMPARE(MouseSim::instance().openHandleCount(), 2); // one pair, nothing left behind
        QCOMPARE(dir.configKey(QStringLiteral("Config/Diff")).toInt(), 1);
        QVERIFY(session->statusThreads().currentThread());
    }

    void pullOfTheCurrentMouseClosesAndWarns()
    {
        AppDirCopy dir;
        auto session = startedSession(dir);
        QSignalSpy lost(session.get(), &MouseSession::deviceLost);
        MouseSim::instance().plug(Identity::Receiver, false);
        session->rescanDevices();
        QCOMPARE(lost.count(), 1);
        QCOMPARE(MouseSim::instance().openHandleCount(), 0);
        QCOMPARE(session->devicePresence(), DevicePresence::Absent);
        QCOMPARE(session->connectionMode(), ConnectionMode::None);
        QCOMPARE(session->mouseCount(), 0);
    }

    void cableBesideTheReceiverWithCapitalNames()
    {
        AppDirCopy dir;
        auto session = startedSession(dir);
        MouseSim::instance().plug(Identity::Cable, true);
        session->HandleDeviceChange(simName(Identity::Cable, 4).toUpper(), true);
        // One collection of the current mouse came: closed now, reopened from a timer.
        QVERIFY(session->isReopenPending());
        QCOMPARE(MouseSim::instance().openHandleCount(), 0);
        session->HandleDeviceChange(simName(Identity::Cable, 1).toUpper(), true);
        QVERIFY(!session->isReopenPending());
        QCOMPARE(session->connectionMode(), ConnectionMode::CableAndReceiver);
        QCOMPARE(MouseSim::instance().openHandleCount(), 4);
        // Commands now go over the cable.
        MouseSim::instance().clearTraffic();
        QCOMPARE(session->link().SendCommand(mousesim::makeCommand(0x48).data(), mousesim::kReportSize), kResultOk);
        QCOMPARE(MouseSim::instance().traffic().front().identity, Identity::Cable);
    }

    void removalOfAnAbsentCollectionOnlyRestartsStatus()
    {
        AppDirCopy dir;
        dir.setConfigKey(QStringLiteral("Config/Diff"), 0);
        auto session = startedSession(dir);
        QTRY_VERIFY(MouseSim::instance().countOut(0x48) >= 1);
        const int queries = MouseSim::instance().countOut(0x48);
        session->HandleDeviceChange(simName(Identity::Cable, 4), false);
        QCOMPARE(session->connectionMode(), ConnectionMode::ReceiverOnly);
        QCOMPARE(MouseSim::instance().openHandleCount(), 2);
        QVERIFY(session->isStatusRestartPending());
        // A new thread begins with a status query.
        QTRY_VERIFY(MouseSim::instance().countOut(0x48) > queries);
        QCOMPARE(dir.configKey(QStringLiteral("Config/Diff")).toInt(), 0);
    }

    void twoModels()
    {
        AppDirCopy dir;
        dir.setConfigKey(QStringLiteral("Config/Diff"), 0);
        MouseSim::instance().plug(Identity::SecondModel, true);
        auto session = startedSession(dir);
        QCOMPARE(session->mouseNames(), QStringList({"TarnX8", "TarnX8 Mini"}));
        QVERIFY(session->mouseChoice().selectorVisible);
        QCOMPARE(session->currentProductName(), QStringLiteral("TarnX8"));

        QVERIFY(!session->switchMouse(QStringLiteral("no such mouse")));
        QVERIFY(session->switchMouse(QStringLiteral("TarnX8 Mini")));
        QCOMPARE(dir.configKey(QStringLiteral("Config/CurrentProductName")).toString(), QStringLiteral("TarnX8 Mini"));
        QCOMPARE(dir.configKey(QStringLiteral("Config/Diff")).toInt(), 1);
        QCOMPARE(MouseSim::instance().openHandleCount(), 2);
        MouseSim::instance().clearTraffic();
        QTRY_VERIFY(!MouseSim::instance().traffic().empty());
        for (const mousesim::TrafficEntry &e : MouseSim::instance().traffic())
            QCOMPARE(e.identity, Identity::SecondModel);

        // The first model's receiver goes: the chosen one stays open, no warning.
        QSignalSpy lost(session.get(), &MouseSession::deviceLost);
        MouseSim::instance().plug(Identity::Receiver, false);
        session->rescanDevices();
        QCOMPARE(session->mouseNames(), QStringList({"TarnX8 Mini"}));
        QCOMPARE(session->currentProductName(), QStringLiteral("TarnX8 Mini"));
        QCOMPARE(lost.count(), 0);
        QCOMPARE(session->devicePresence(), DevicePresence::Present);
    }

    void refusedOpenIsNamed()
    {
        AppDirCopy dir;
        MouseSim::instance().setOpenRefused(true);
        auto session = startedSession(dir);
        QCOMPARE(session->mouseCount(), 1); // found, so not "no mouse"
        QCOMPARE(session->devicePresence(), DevicePresence::Absent);
        QCOMPARE(session->permissionDeniedPath(), QString::fromStdString(MouseSim::path(Identity::Receiver, 1)));
        MouseSim::instance().setOpenRefused(false);
        session->reopenDevice();
        QVERIFY(session->permissionDeniedPath().isEmpty());
        QCOMPARE(session->devicePresence(), DevicePresence::Present);
    }

    void changesDuringASendWaitForIt()
    {
        AppDirCopy dir;
        auto session = startedSession(dir);
        session->currentProfile().pollrate = session->currentProfile().pollrate == 8 ? 4 : 8;
        hid_device *command = session->link().hidCommand1();
        QSignalSpy finished(session.get(), &MouseSession::sendFinished);
        MouseSim::instance().plug(Identity::Cable, true);
        QVERIFY(session->startSend(false));
        session->rescanDevices();
        // Noted only: the table and the handles the worker uses stay as they are.
        QCOMPARE(session->connectionMode(), ConnectionMode::ReceiverOnly);
        QCOMPARE(session->link().hidCommand1(), command);
        QVERIFY(!session->link().hidCommand2());
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).value<SendOutcome>().result, kResultOk);
        // Replayed afterwards.
        QCOMPARE(session->connectionMode(), ConnectionMode::CableAndReceiver);
        QTRY_VERIFY(session->link().hidCommand2());
    }

    void pointerSpeedFollowsTheActiveSlot()
    {
        AppDirCopy dir;
        auto session = startedSession(dir);
        FakePointerSpeed pointer;
        session->setPointerSpeed(&pointer);
        const int before = session->workingConfig().activeProfile().mousespeed;
        session->readPointerSpeed(); // nothing to read: the slot keeps its value
        QCOMPARE(int(session->workingConfig().activeProfile().mousespeed), before);
        pointer.reading = 7;
        session->readPointerSpeed();
        QCOMPARE(int(session->workingConfig().activeProfile().mousespeed), 7);
        const int other = (session->workingConfig().ProfileID + 1) % kProfileCount;
        session->workingConfig().profiles[std::size_t(other)].mousespeed = 15;
        const ProfileData &slot = session->workingConfig().profiles[std::size_t(other)];
        session->handleStatus(std::uint8_t(other), slot.dpi, slot.pollrate, 1);
        QCOMPARE(pointer.set, QList<int>({15}));
    }
};

QTEST_MAIN(TestDeviceChange)
#include "tst_devicechange.moc"
