// Status reports, the status thread's query and listen cycles with their exact
// pauses, and the owner that starts, stops and forwards the thread.
#include "DeviceTestSupport.h"

#include "StatusThreadOwner.h"
#include "TarnGetBatteryThread.h"

#include <QtTest>

#include <atomic>

using mousesim::Identity;

namespace {

using Signals = QList<QList<int>>;

Signals toInts(const QSignalSpy &spy)
{
    Signals out;
    for (const QList<QVariant> &call : spy) {
        QList<int> values;
        for (const QVariant &v : call)
            values << int(v.value<quint8>());
        out << values;
    }
    return out;
}

QByteArray statusReport(std::uint8_t code, std::uint8_t b4, std::uint8_t b5, std::uint8_t b6, std::uint8_t b7,
                        std::uint8_t b10 = 0)
{
    QByteArray r(64, '\0');
    r[0] = char(0x05);
    r[2] = char(0xFA);
    r[3] = char(code);
    r[4] = char(b4);
    r[5] = char(b5);
    r[6] = char(b6);
    r[7] = char(b7);
    r[10] = char(b10);
    return r;
}

int countIn()
{
    int n = 0;
    for (const mousesim::TrafficEntry &e : sim().traffic())
        n += e.direction == mousesim::Direction::In ? 1 : 0;
    return n;
}

} // namespace

class TestStatusThread : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void handleStatusInput_data();
    void handleStatusInput();
    void noMouse();
    void queryAfter56Reads();
    void readFailures();
    void timeoutIsNotFailure();
    void stopDuringQueryPause();
    void followsMouseButtons();
    void handlesClosedUnderThread();
    void ownerForwardsOnItsThread();
    void ownerQuickRestarts();
    void ownerStopWaits();
    void ownerRequestStop();
    void ownerFromTwoThreads();

private:
    void run(TarnGetBatteryThread &thread);
};

void TestStatusThread::init()
{
    resetSim();
}

void TestStatusThread::run(TarnGetBatteryThread &thread)
{
    thread.start();
    QVERIFY2(thread.wait(20000), "status thread did not end");
}

void TestStatusThread::handleStatusInput_data()
{
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<Signals>("battery");
    QTest::addColumn<Signals>("status");
    QTest::addColumn<Signals>("writeStatus");
    QTest::addColumn<int>("variant");

    QTest::newRow("answer, no battery reading")
        << statusReport(0x48, 0, 0, 0, 5) << Signals{{0, 0, 0}} << Signals{} << Signals{} << 0;
    QTest::newRow("answer with battery and charge")
        << statusReport(0x48, 0x2C, 0x10, 0x01, 0x00) << Signals{{1, 0x2C, 0x10}} << Signals{} << Signals{{0}} << 0;
    QTest::newRow("answer, charge only") << statusReport(0x48, 0, 0, 2, 7) << Signals{{2, 0, 0}} << Signals{}
                                         << Signals{{7}} << 0;
    QTest::newRow("answer, high byte only")
        << statusReport(0x48, 0, 3, 0, 1) << Signals{{0, 0, 3}} << Signals{} << Signals{{1}} << 0;
    QTest::newRow("answer with variant 8")
        << statusReport(0x48, 0xE2, 0x03, 0, 1, 8) << Signals{{0, 0xE2, 0x03}} << Signals{} << Signals{{1}} << 8;
    QTest::newRow("mouse's own report") << statusReport(0x49, 2, 3, 4, 5) << Signals{} << Signals{{2, 3, 4, 5}}
                                        << Signals{} << 0;
    QTest::newRow("echo of a command") << statusReport(0x46, 1, 0, 0, 0) << Signals{} << Signals{} << Signals{} << 0;
    QTest::newRow("empty report") << QByteArray(64, '\0') << Signals{} << Signals{} << Signals{} << 0;
}

void TestStatusThread::handleStatusInput()
{
    QFETCH(QByteArray, report);
    QFETCH(Signals, battery);
    QFETCH(Signals, status);
    QFETCH(Signals, writeStatus);
    QFETCH(int, variant);

    TestConfigDir config;
    DeviceLink link(config.dirs());
    link.setStatusVariant(0);
    TarnGetBatteryThread thread(link);
    QSignalSpy batterySpy(&thread, &TarnGetBatteryThread::RefreshBatteryStatus);
    QSignalSpy statusSpy(&thread, &TarnGetBatteryThread::RefreshStatus);
    QSignalSpy writeSpy(&thread, &TarnGetBatteryThread::RefreshWriteStatus);
    thread.HandleStatusInput(reinterpret_cast<const std::uint8_t *>(report.constData()));
    QCOMPARE(toInts(batterySpy), battery);
    QCOMPARE(toInts(statusSpy), status);
    QCOMPARE(toInts(writeSpy), writeStatus);
    QCOMPARE(int(link.statusVariant()), variant);
}

void TestStatusThread::noMouse()
{
    sim().plug(Identity::Receiver, false);
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    TarnGetBatteryThread thread(open.link);
    QSignalSpy batterySpy(&thread, &TarnGetBatteryThread::RefreshBatteryStatus);
    QSignalSpy statusSpy(&thread, &TarnGetBatteryThread::RefreshStatus);
    MessageCapture capture;
    run(thread);
    QCOMPARE(batterySpy.count() + statusSpy.count(), 0);
    QCOMPARE(capture.messages(), QStringList{QStringLiteral("TarnGetBatteryThread.\n")});
    QVERIFY(clock.events().isEmpty());
}

void TestStatusThread::queryAfter56Reads()
{
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    sim().setVariant(8);
    sim().clearTraffic();
    TarnGetBatteryThread thread(open.link);
    int queryPauses = 0;
    clock.setPauseHook([&](int ms) {
        if (ms == 10 && ++queryPauses == 2)
            thread.stop();
    });
    QSignalSpy batterySpy(&thread, &TarnGetBatteryThread::RefreshBatteryStatus);
    QSignalSpy writeSpy(&thread, &TarnGetBatteryThread::RefreshWriteStatus);
    QSignalSpy statusSpy(&thread, &TarnGetBatteryThread::RefreshStatus);
    MessageCapture capture;
    run(thread);

    // Query cycle, 55 more listening cycles (56 reads), then the next query;
    // the stop during that query's pause ends the loop without another read.
    const QString expected = QStringLiteral("p10 r50 p450 r50 p400 ") + times(QStringLiteral("r50 p400"), 55) +
                             QStringLiteral(" p10 r50 p450");
    QCOMPARE(eventText(clock.events()), expected);
    QCOMPARE(thread.cycleCount(), 57);
    QCOMPARE(sim().countOut(0x48), 2);
    QCOMPARE(trafficOut().size(), std::size_t(2));
    QCOMPARE(countIn(), 2);

    QCOMPARE(toInts(batterySpy), (Signals{{1, 0x2C, 0x10}, {1, 0x2C, 0x10}}));
    QCOMPARE(toInts(writeSpy), (Signals{{1}, {1}}));
    QCOMPARE(statusSpy.count(), 0);
    QCOMPARE(int(open.link.statusVariant()), 8);

    mousesim::Report answer{};
    answer[2] = 0xFA;
    answer[3] = 0x48;
    answer[4] = 0x2C;
    answer[5] = 0x10;
    answer[6] = 0x01;
    answer[7] = 0x01;
    const QString line =
        QStringLiteral("Threadread bat - 5 %1 fa 48 2c 10 1 1\n").arg(int(mousesim::checksum(answer)), 0, 16);
    QCOMPARE(capture.count(line), 2);
    QCOMPARE(capture.count(QStringLiteral("TarnGetBatteryThread.\n")), 1);
    QCOMPARE(capture.count(QStringLiteral("TarnGetBatteryThread Stop.\n")), 1);
    QCOMPARE(capture.countStartingWith(QStringLiteral("Unable")), 0);
}

void TestStatusThread::readFailures()
{
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    sim().failReads(1000);
    TarnGetBatteryThread thread(open.link);
    int longPauses = 0;
    clock.setPauseHook([&](int ms) {
        if (ms == 450 && ++longPauses == 3)
            thread.stop();
    });
    QSignalSpy batterySpy(&thread, &TarnGetBatteryThread::RefreshBatteryStatus);
    QSignalSpy writeSpy(&thread, &TarnGetBatteryThread::RefreshWriteStatus);
    MessageCapture capture;
    run(thread);
    sim().clearFaults();

    // Failed query read -> (0, 0, 0); failed listening reads -> a debug line
    // and the long pause; the stop during the third pause ends it there.
    QCOMPARE(eventText(clock.events()), QStringLiteral("p10 r50 p450 r50 p450 r50 p450"));
    QCOMPARE(toInts(batterySpy), (Signals{{0, 0, 0}}));
    QCOMPARE(writeSpy.count(), 0);
    QCOMPARE(capture.count(QStringLiteral("Unable to read a feature report 1.\n")), 2);
    QCOMPARE(capture.countStartingWith(QStringLiteral("Threadread bat")), 0);
    QCOMPARE(capture.count(QStringLiteral("TarnGetBatteryThread Stop.\n")), 1);
}

void TestStatusThread::timeoutIsNotFailure()
{
    // A mouse that never answers: every query read times out and shows the
    // mouse as off; the listening reads time out too, which is no error.
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    sim().dropAnswers(1000);
    TarnGetBatteryThread thread(open.link);
    int queryPauses = 0;
    clock.setPauseHook([&](int ms) {
        if (ms == 450 && ++queryPauses == 2)
            thread.stop();
    });
    QSignalSpy batterySpy(&thread, &TarnGetBatteryThread::RefreshBatteryStatus);
    QSignalSpy writeSpy(&thread, &TarnGetBatteryThread::RefreshWriteStatus);
    MessageCapture capture;
    run(thread);
    sim().clearFaults();

    const QString expected = QStringLiteral("p10 r50 p450 r50 p400 ") + times(QStringLiteral("r50 p400"), 55) +
                             QStringLiteral(" p10 r50 p450");
    QCOMPARE(eventText(clock.events()), expected);
    QCOMPARE(sim().countOut(0x48), 2);
    QCOMPARE(toInts(batterySpy), (Signals{{0, 0, 0}, {0, 0, 0}}));
    QCOMPARE(writeSpy.count(), 0);
    QCOMPARE(capture.countStartingWith(QStringLiteral("Threadread bat")), 0);
    QCOMPARE(capture.countStartingWith(QStringLiteral("Unable")), 0);
}

void TestStatusThread::stopDuringQueryPause()
{
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    sim().clearTraffic();
    TarnGetBatteryThread thread(open.link);
    clock.setPauseHook([&](int ms) {
        if (ms == 450)
            thread.stop();
    });
    QSignalSpy batterySpy(&thread, &TarnGetBatteryThread::RefreshBatteryStatus);
    run(thread);
    QCOMPARE(eventText(clock.events()), QStringLiteral("p10 r50 p450"));
    QCOMPARE(countIn(), 1);
    QCOMPARE(batterySpy.count(), 1);
    QVERIFY(thread.isStopRequested());
}

void TestStatusThread::followsMouseButtons()
{
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    // Waiting before the query: the query read takes it and drops it.
    sim().sendStatusReport(1, 1, 1, 1);
    TarnGetBatteryThread thread(open.link);
    int listenPauses = 0;
    clock.setPauseHook([&](int ms) {
        if (ms != 400)
            return;
        ++listenPauses;
        if (listenPauses == 1)
            sim().sendStatusReport(2, 3, 4, 5);
        else if (listenPauses == 2)
            sim().pressProfileButton();
        else if (listenPauses == 3)
            thread.stop();
    });
    QSignalSpy batterySpy(&thread, &TarnGetBatteryThread::RefreshBatteryStatus);
    QSignalSpy statusSpy(&thread, &TarnGetBatteryThread::RefreshStatus);
    run(thread);

    // The first listening read finds the query's answer behind the dropped report.
    QCOMPARE(toInts(batterySpy), (Signals{{1, 0x2C, 0x10}}));
    const mousesim::FirmwareState fw = sim().firmwareState();
    QCOMPARE(fw.profile, std::uint8_t(1));
    QCOMPARE(toInts(statusSpy), (Signals{{2, 3, 4, 5}, {1, fw.dpiLevel[1], fw.rate[1], fw.effect}}));
}

void TestStatusThread::handlesClosedUnderThread()
{
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    TarnGetBatteryThread thread(open.link);
    clock.setPauseHook([&](int ms) {
        if (ms == 400)
            open.link.CloseDevice();
    });
    MessageCapture capture;
    run(thread);
    // It ends by itself at the next poll, as with no mouse at all.
    QVERIFY(!thread.isStopRequested());
    QCOMPARE(eventText(clock.events()), QStringLiteral("p10 r50 p450 r50 p400"));
    QCOMPARE(capture.count(QStringLiteral("TarnGetBatteryThread Stop.\n")), 0);
    QCOMPARE(sim().openHandleCount(), 0);
}

void TestStatusThread::ownerForwardsOnItsThread()
{
    VirtualDeviceClock clock;
    clock.setPauseHook([](int) { QThread::msleep(1); });
    OpenLink open(&clock);
    StatusThreadOwner owner(open.link);

    QList<QThread *> deliveredOn;
    QList<int> charges;
    connect(&owner, &StatusThreadOwner::RefreshBatteryStatus, this, [&](quint8 iCharge, quint8, quint8) {
        deliveredOn << QThread::currentThread();
        charges << iCharge;
    });
    QSignalSpy statusSpy(&owner, &StatusThreadOwner::RefreshStatus);
    QSignalSpy writeSpy(&owner, &StatusThreadOwner::RefreshWriteStatus);

    owner.StartStatusThread();
    QVERIFY(owner.currentThread());
    QTRY_VERIFY(!charges.isEmpty());
    QCOMPARE(charges.first(), 1);
    QTRY_VERIFY(writeSpy.count() >= 1);
    sim().pressDpiButton();
    QTRY_COMPARE(statusSpy.count(), 1);
    owner.StopStatusThread();
    QVERIFY(!owner.currentThread());
    for (QThread *t : deliveredOn)
        QCOMPARE(t, QThread::currentThread());
}

void TestStatusThread::ownerQuickRestarts()
{
    VirtualDeviceClock clock;
    clock.setPauseHook([](int) { QThread::msleep(1); });
    OpenLink open(&clock);
    StatusThreadOwner owner(open.link);
    QSignalSpy batterySpy(&owner, &StatusThreadOwner::RefreshBatteryStatus);

    owner.StartStatusThread();
    QPointer<TarnGetBatteryThread> first = owner.currentThread();
    owner.StopStatusThread();
    owner.StartStatusThread();
    QPointer<TarnGetBatteryThread> second = owner.currentThread();
    owner.StopStatusThread();
    owner.StartStatusThread();
    QPointer<TarnGetBatteryThread> third = owner.currentThread();
    // Starting while one is current replaces it.
    owner.StartStatusThread();
    QPointer<TarnGetBatteryThread> fourth = owner.currentThread();

    QVERIFY(first.isNull());
    QVERIFY(second.isNull());
    QVERIFY(third.isNull());
    QVERIFY(!fourth.isNull());
    QVERIFY(fourth->isRunning());

    // The one left running is connected: a fresh report comes through.
    QSignalSpy statusSpy(&owner, &StatusThreadOwner::RefreshStatus);
    QTRY_VERIFY(batterySpy.count() >= 1);
    // The report must reach a listening read: the query read drops it.
    QTRY_VERIFY(fourth->cycleCount() >= 2);
    sim().pressRateButton();
    QTRY_COMPARE(statusSpy.count(), 1);
    owner.StopStatusThread();
    QVERIFY(fourth.isNull());
}

void TestStatusThread::ownerStopWaits()
{
    // Real time: stopping must wait for the poll in progress, up to its pause.
    OpenLink open(nullptr);
    auto *owner = new StatusThreadOwner(open.link);
    owner->StopStatusThread(); // nothing current: nothing happens
    owner->StartStatusThread();
    QPointer<TarnGetBatteryThread> thread = owner->currentThread();
    QTRY_VERIFY(sim().countOut(0x48) == 1);
    QElapsedTimer timer;
    timer.start();
    owner->StopStatusThread();
    QVERIFY(thread.isNull());
    QVERIFY(timer.elapsed() < 2000);
    // Handles can be closed right away: nothing polls them any more.
    sim().clearTraffic();
    open.link.CloseDevice();
    QTest::qWait(100);
    QVERIFY(sim().traffic().empty());

    // Deleting the owner stops and waits for a running thread as well.
    open.link.OpenDevice(kTestModel);
    owner->StartStatusThread();
    thread = owner->currentThread();
    delete owner;
    QVERIFY(thread.isNull());
}

void TestStatusThread::ownerRequestStop()
{
    // Real time: asking returns at once; the thread ends after its read, still
    // current, and the next start waits for it before replacing it.
    OpenLink open(nullptr);
    StatusThreadOwner owner(open.link);
    owner.RequestStop(); // nothing current: nothing happens
    owner.StartStatusThread();
    QPointer<TarnGetBatteryThread> old = owner.currentThread();
    QTRY_VERIFY(sim().countOut(0x48) == 1);
    QElapsedTimer timer;
    timer.start();
    owner.RequestStop();
    QVERIFY(timer.elapsed() < 100);
    QCOMPARE(owner.currentThread(), old.data());
    QTRY_VERIFY_WITH_TIMEOUT(old->isFinished(), 2000);
    owner.StartStatusThread();
    QVERIFY(old.isNull());
    QVERIFY(owner.currentThread() && owner.currentThread()->isRunning());
    owner.StopStatusThread();
    QVERIFY(!owner.currentThread());
}

void TestStatusThread::ownerFromTwoThreads()
{
    // The apply worker stops and starts the thread while the window may do the
    // same for a device change: one thread at most may survive, none twice freed.
    VirtualDeviceClock clock;
    clock.setPauseHook([](int) { QThread::usleep(200); });
    OpenLink open(&clock);
    StatusThreadOwner owner(open.link);
    constexpr int kCycles = 500;
    auto cycle = [&owner] {
        for (int i = 0; i < kCycles; ++i) {
            owner.StartStatusThread();
            if (i % 3 == 0)
                owner.StopStatusThread();
        }
    };
    QScopedPointer<QThread> worker(QThread::create(cycle));
    worker->start();
    cycle();
    QVERIFY(worker->wait(60000));
    QPointer<TarnGetBatteryThread> last = owner.currentThread();
    QVERIFY(last);
    // Past its query cycle, whose read would drop the mouse's own report.
    QTRY_VERIFY(last->cycleCount() >= 2);
    QSignalSpy statusSpy(&owner, &StatusThreadOwner::RefreshStatus);
    // A report that meets a query read is dropped: send until one is heard.
    QVERIFY(QTest::qWaitFor(
        [&statusSpy] {
            if (statusSpy.isEmpty())
                sim().sendStatusReport(3, 1, 2, 4);
            return !statusSpy.isEmpty();
        },
        10000));
    QCOMPARE(toInts(statusSpy).first(), (QList<int>{3, 1, 2, 4}));

    owner.StopStatusThread();
    QVERIFY(!owner.currentThread());
    // Nothing polls any more: no thread was lost running.
    sim().clearTraffic();
    QTest::qWait(200);
    QVERIFY(sim().traffic().empty());
}

QTEST_GUILESS_MAIN(TestStatusThread)
#include "tst_statusthread.moc"
