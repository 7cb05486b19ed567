// The session without any widget, against the simulated mouse: the start-up
// steps, the mouse's reports turned into typed signals and working-copy
// changes, the send on the worker, and what the session does around it.

#include "AppDirCopy.h"
#include "ConfigExchange.h"
#include "DeviceLink.h"
#include "MouseSession.h"
#include "MouseSim.h"
#include "StatusThreadOwner.h"
#include "VirtualDeviceClock.h"

#include <QSignalSpy>
#include <QtTest>

using mousesim::Identity;
using mousesim::MouseSim;

class TestMouseSession : public QObject
{
    Q_OBJECT

    // A session through the device and configuration steps of start-up.
    std::unique_ptr<MouseSession> startedSession(const AppDirCopy &dir)
    {
        auto session = std::make_unique<MouseSession>(StorageDirs::fromAppDir(dir.path()), &m_Clock);
        session->findDevices();
        session->buildMouseList();
        session->loadProfileList();
        session->readBatteryFull();
        session->openDevice();
        session->loadConfiguration();
        return session;
    }

    VirtualDeviceClock m_Clock{20};

private slots:
    void init() { MouseSim::instance().reset(); }

    void startUpFindsAndOpensTheMouse()
    {
        AppDirCopy dir;
        auto session = startedSession(dir);
        QCOMPARE(session->mouseCount(), 1);
        QCOMPARE(session->currentProductName(), QStringLiteral("TarnX8"));
        QCOMPARE(session->devicePresence(), DevicePresence::Present);
        QCOMPARE(session->connectionMode(), ConnectionMode::ReceiverOnly);
        QCOMPARE(session->workingConfig(), session->savedConfig());
        session->shutdown();
        QCOMPARE(MouseSim::instance().openHandleCount(), 0);
        QCOMPARE(session->devicePresence(), DevicePresence::Absent);
    }

    void batteryLevels_data()
    {
        QTest::addColumn<int>("charge");
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("batteryFull");
        QTest::addColumn<bool>("off");
        QTest::addColumn<int>("level");
        QTest::newRow("all zero is off, level kept") << 0 << 0 << 4200 << true << 0;
        QTest::newRow("994 is 4100 mV exactly") << 0 << 994 << 4200 << false << 90;
        QTest::newRow("1019 reaches full") << 1 << 1019 << 4200 << false << 100;
        QTest::newRow("a lower full value") << 0 << 994 << 4100 << false << 100;
        QTest::newRow("775 is the lowest step") << 0 << 775 << 4200 << false << 10;
        QTest::newRow("776 is 3200 mV") << 0 << 776 << 4200 << false << 20;
        QTest::newRow("start-up's 0,1,1") << 0 << 257 << 4200 << false << 10;
    }
    void batteryLevels()
    {
        QFETCH(int, charge);
        QFETCH(int, raw);
        QFETCH(int, batteryFull);
        QFETCH(bool, off);
        QFETCH(int, level);
        AppDirCopy dir;
        dir.setConfigKey(QStringLiteral("Config/Battery"), 0);
        dir.setConfigKey(QStringLiteral("Config/BatteryFull"), batteryFull);
        MouseSession session(StorageDirs::fromAppDir(dir.path()), &m_Clock);
        session.readBatteryFull();
        QSignalSpy reported(&session, &MouseSession::batteryReported);
        session.handleBatteryStatus(quint8(charge), quint8(raw & 0xFF), quint8(raw >> 8));
        QCOMPARE(reported.count(), 1);
        const auto reading = reported.at(0).at(0).value<BatteryReading>();
        QCOMPARE(reading.mouseOff(), off);
        QCOMPARE(reading.raw(), raw);
        QCOMPARE(reported.at(0).at(1).toInt(), level);
        QCOMPARE(session.isMouseAsleep(), off);
        QCOMPARE(dir.configKey(QStringLiteral("Config/Battery")).toInt(), level);
    }

    void mouseReportsChangeTheWorkingCopy()
    {
        AppDirCopy dir;
        auto session = startedSession(dir);
        QSignalSpy profile(session.get(), &MouseSession::profileReported);
        QSignalSpy dpi(session.get(), &MouseSession::dpiLevelReported);
        QSignalSpy rate(session.get(), &MouseSession::rateReported);
        const int rate0 = session->workingConfig().profiles[2].pollrate;

        session->handleStatus(2, 3, quint8(rate0), 7);
        QCOMPARE(profile.count(), 1);
        QCOMPARE(session->workingConfig().ProfileID, std::uint8_t(2));
        QCOMPARE(dir.configKey(QStringLiteral("Config/ProfileID")).toInt(), 2);
        QCOMPARE(dpi.count(), 1);
        QCOMPARE(session->workingConfig().profiles[2].dpi, std::uint8_t(3));
        QCOMPARE(rate.count(), 0); // the rate was the profile's already

        session->handleStatus(2, 3, 3, 7); // a rate code outside the table is followed too
        QCOMPARE(profile.count(), 1);
        QCOMPARE(dpi.count(), 1);
        QCOMPARE(rate.count(), 1);
        QCOMPARE(session->workingConfig().profiles[2].pollrate, std::uint8_t(3));

        // A slot and a level the mouse cannot have index nothing; the rate still counts.
        session->handleStatus(9, 8, 4, 7);
        QCOMPARE(session->workingConfig().ProfileID, std::uint8_t(2));
        QCOMPARE(session->workingConfig().profiles[2].dpi, std::uint8_t(3));
        QCOMPARE(session->workingConfig().profiles[2].pollrate, std::uint8_t(4));
        QCOMPARE(profile.count(), 1);
        QCOMPARE(dpi.count(), 1);
    }

    void aFailedWriteForcesAFullSend()
    {
        AppDirCopy dir;
        auto session = startedSession(dir);
        session->handleWriteStatus(1);
        QCOMPARE(dir.configKey(QStringLiteral("Config/Diff")).toInt(), 0);
        session->handleWriteStatus(0);
        QCOMPARE(dir.configKey(QStringLiteral("Config/Diff")).toInt(), 1);
        const SendOutcome outcome = session->send(false);
        QCOMPARE(outcome.result, kResultOk);
        QCOMPARE(outcome.mask, ChangeMask(kChangeAll));
    }

    void sendRunsOnTheWorkerAndHoldsReportsBack()
    {
        AppDirCopy dir;
        auto session = startedSession(dir);
        session->currentProfile().pollrate = session->currentProfile().pollrate == 8 ? 4 : 8;
        QSignalSpy finished(session.get(), &MouseSession::sendFinished);
        QSignalSpy profile(session.get(), &MouseSession::profileReported);
        QVERIFY(session->startSend(false));
        QVERIFY(!session->startSend(false)); // one send at a time
        // Arrives while the worker owns the configuration: held back, not lost.
        session->handleStatus(4, 0, 1, 1);
        QCOMPARE(profile.count(), 0);
        QTRY_COMPARE(finished.count(), 1);
        const auto outcome = finished.at(0).at(0).value<SendOutcome>();
        QCOMPARE(outcome.result, kResultOk);
        QCOMPARE(outcome.mask, ChangeMask(kChangeGeneral));
        QCOMPARE(profile.count(), 1);
        QCOMPARE(session->workingConfig().ProfileID, std::uint8_t(4));
        QVERIFY(!session->isSending());
        QVERIFY(session->statusThreads().currentThread());
    }

    void statusGoesOnAfterAFailedSend()
    {
        AppDirCopy dir;
        auto session = startedSession(dir);
        session->startStatusThread();
        session->currentProfile().pollrate = session->currentProfile().pollrate == 8 ? 4 : 8;
        MouseSim::instance().failWrites(1000);
        QSignalSpy finished(session.get(), &MouseSession::sendFinished);
        QVERIFY(session->startSend(false));
        QTRY_COMPARE(finished.count(), 1);
        QVERIFY(finished.at(0).at(0).value<SendOutcome>().result != kResultOk);
        QCOMPARE(dir.configKey(QStringLiteral("Config/Diff")).toInt(), 1);
        // The apply sequence stopped the status thread; the battery display
        // and the following of the mouse must not stop with it.
        QVERIFY(session->statusThreads().currentThread());
    }

    void asleepSendsNothing()
    {
        AppDirCopy dir;
        auto session = startedSession(dir);
        session->resetAll();
        session->handleBatteryStatus(0, 0, 0);
        MouseSim::instance().clearTraffic();
        const SendOutcome outcome = session->send(true);
        QCOMPARE(outcome.result, kResultAsleep);
        QCOMPARE(MouseSim::instance().traffic().size(), std::size_t(0));
    }

    void statusRestartDoesNotBlock()
    {
        AppDirCopy dir;
        auto session = startedSession(dir);
        session->startStatusThread();
        QElapsedTimer timer;
        timer.start();
        session->restartStatusThreadLater();
        QVERIFY(timer.elapsed() < kStatusRestartDelayMs);
        QVERIFY(session->isStatusRestartPending());
        QTRY_VERIFY(!session->isStatusRestartPending());
        QVERIFY(session->statusThreads().currentThread());
    }

    void exportThenImportRoundTrips()
    {
        AppDirCopy dir;
        auto session = startedSession(dir);
        session->currentProfile().pollrate = 2;
        const QString file = dir.path() + QStringLiteral("/mine.conf");
        QVERIFY(session->exportConfiguration(file));
        session->currentProfile().pollrate = 8;
        QCOMPARE(session->importConfiguration(file), ImportStatus::Imported);
        QCOMPARE(session->workingConfig().profiles[0].pollrate, std::uint8_t(2));

        session->chooseMouse(QStringLiteral("Not attached")); // refused: not in the list
        QCOMPARE(session->currentProductName(), QStringLiteral("TarnX8"));
    }
};

QTEST_MAIN(TestMouseSession)
#include "tst_mousesession.moc"
