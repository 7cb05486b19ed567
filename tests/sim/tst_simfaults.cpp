// Fault injection, the traffic log, listeners, time and threads of the
// simulated mouse.

#include "SimTestSupport.h"

#include <QElapsedTimer>

#include <atomic>
#include <thread>

using namespace simtest;
using mousesim::Direction;
using mousesim::Identity;
using mousesim::makeCommand;

namespace {

enum Fault { Drop, Corrupt, Foreign, Zero, FailWrite, FailRead };

struct Outcome
{
    int written = 0;
    int readResult = 0;
    std::vector<Report> reports;
};

// One table write and everything the host can read after it.
Outcome tableExchange(hid_device *dev, std::uint8_t value)
{
    Outcome o;
    const Report r = makeCommand(0x04, 0, 0, {value, 2, 3}, 0xD1);
    o.written = send(dev, r);
    for (;;) {
        Report a{};
        o.readResult = hid_read_timeout(dev, a.data(), a.size(), 150);
        if (o.readResult <= 0)
            break;
        o.reports.push_back(a);
    }
    return o;
}

bool isCleanEcho(const Outcome &o, std::uint8_t value)
{
    return o.written == 33 && o.reports.size() == 1 && o.reports[0][3] == 0x04 && o.reports[0][8] == value &&
           o.reports[0][9] == 2;
}

} // namespace

class TestSimFaults : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        MouseSim::instance().reset();
        MouseSim::instance().setVirtualTime(true);
    }

    void countedFaults_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("count");
        QTest::newRow("drop 2") << int(Drop) << 2;
        QTest::newRow("corrupt 3") << int(Corrupt) << 3;
        QTest::newRow("foreign 1") << int(Foreign) << 1;
        QTest::newRow("zero 6") << int(Zero) << 6;
        QTest::newRow("fail write 2") << int(FailWrite) << 2;
        QTest::newRow("fail read 4") << int(FailRead) << 4;
    }

    void countedFaults()
    {
        QFETCH(int, fault);
        QFETCH(int, count);
        MouseSim &sim = MouseSim::instance();
        hid_device *dev = openCommand();
        switch (Fault(fault)) {
        case Drop:
            sim.dropAnswers(count);
            break;
        case Corrupt:
            sim.corruptDataEcho(count);
            break;
        case Foreign:
            sim.foreignReportsBeforeEcho(count, 2);
            break;
        case Zero:
            sim.zeroAnswers(count);
            break;
        case FailWrite:
            sim.failWrites(count);
            break;
        case FailRead:
            sim.failReads(count);
            break;
        }
        for (int i = 0; i < count; ++i) {
            const std::uint8_t v = std::uint8_t(0x10 + i);
            const Outcome o = tableExchange(dev, v);
            QVERIFY2(!isCleanEcho(o, v), qPrintable(QStringLiteral("exchange %1 was clean").arg(i)));
            switch (Fault(fault)) {
            case Drop:
                QCOMPARE(int(o.reports.size()), 0);
                QCOMPARE(o.readResult, 0);
                break;
            case Corrupt:
                QCOMPARE(int(o.reports.size()), 1);
                QCOMPARE(bytes(o.reports[0]).mid(2, 5), bytes({0xFA, 0x04, 0, 0, 3}));
                QVERIFY(o.reports[0][8] != v);
                break;
            case Foreign:
                QCOMPARE(int(o.reports.size()), 3);
                QCOMPARE(int(o.reports[0][3]), 0x49);
                QCOMPARE(int(o.reports[1][3]), 0x49);
                QCOMPARE(int(o.reports[2][8]), int(v));
                break;
            case Zero:
                QCOMPARE(int(o.reports.size()), 1);
                QCOMPARE(bytes(o.reports[0]), QByteArray(33, '\0'));
                break;
            case FailWrite:
                QCOMPARE(o.written, -1);
                QCOMPARE(int(o.reports.size()), 0);
                QCOMPARE(sim.tableWrites(0x04), 0); // the mouse never saw it
                break;
            case FailRead:
                QCOMPARE(o.readResult, -1);
                QCOMPARE(int(o.reports.size()), 0);
                break;
            }
        }
        if (Fault(fault) == FailRead) {
            // The answers were held back, not lost.
            QCOMPARE(int(drain(dev).size()), count);
        }
        const std::uint8_t v = 0x7E;
        QVERIFY(isCleanEcho(tableExchange(dev, v), v));
        hid_close(dev);
    }

    void clearFaults()
    {
        MouseSim &sim = MouseSim::instance();
        hid_device *dev = openCommand();
        sim.dropAnswers(5);
        sim.failWrites(5);
        sim.pullAfterPackets(Identity::Receiver, 1);
        sim.clearFaults();
        QVERIFY(isCleanEcho(tableExchange(dev, 1), 1));
        QVERIFY(isCleanEcho(tableExchange(dev, 2), 2));
        QVERIFY(sim.isPlugged(Identity::Receiver));
        hid_close(dev);
    }

    void pullAfterPackets_data()
    {
        QTest::addColumn<int>("packets");
        QTest::newRow("at once") << 0;
        QTest::newRow("after 1") << 1;
        QTest::newRow("after 3") << 3;
    }

    void pullAfterPackets()
    {
        QFETCH(int, packets);
        MouseSim &sim = MouseSim::instance();
        sim.plug(Identity::Cable, true);
        hid_device *rx = openCommand(Identity::Receiver);
        hid_device *cx = openCommand(Identity::Cable);
        sim.pullAfterPackets(Identity::Cable, packets);
        QVERIFY(isCleanEcho(tableExchange(rx, 9), 9)); // the other identity does not count
        for (int i = 0; i < packets; ++i)
            QVERIFY(isCleanEcho(tableExchange(cx, std::uint8_t(i)), std::uint8_t(i)));
        const Outcome o = tableExchange(cx, 0x55);
        QCOMPARE(o.written, -1);
        QCOMPARE(o.readResult, -1);
        QVERIFY(!sim.isPlugged(Identity::Cable));
        QVERIFY(!openCommand(Identity::Cable));
        QVERIFY(isCleanEcho(tableExchange(rx, 8), 8));
        hid_close(rx);
        hid_close(cx);
    }

    void trafficLog()
    {
        MouseSim &sim = MouseSim::instance();
        hid_device *dev = openCommand();
        sim.failWrites(1);
        const Report q = makeCommand(0x48);
        QCOMPARE(send(dev, q), -1);
        QCOMPARE(send(dev, q), 33);
        Report a{};
        QCOMPARE(hid_read_timeout(dev, a.data(), a.size(), 10), 33);
        Report bad = q;
        bad[1] ^= 0xFF;
        QCOMPARE(send(dev, bad), 33); // delivered, but unanswered

        const auto log = sim.traffic();
        QCOMPARE(int(log.size()), 4);
        QCOMPARE(log[0].direction, Direction::Out);
        QVERIFY(log[0].failed);
        QCOMPARE(bytes(log[1].bytes), bytes(q));
        QVERIFY(!log[1].failed);
        QCOMPARE(log[2].direction, Direction::In);
        QCOMPARE(bytes(log[2].bytes), bytes(a));
        QCOMPARE(bytes(log[3].bytes), bytes(bad));
        for (std::size_t i = 1; i < log.size(); ++i)
            QVERIFY(log[i - 1].timeUs <= log[i].timeUs);
        QCOMPARE(sim.countOut(0x48), 2);

        sim.clearTraffic();
        QVERIFY(sim.traffic().empty());
        hid_close(dev);
    }

    void listener()
    {
        MouseSim &sim = MouseSim::instance();
        std::atomic<unsigned> seen{0};
        const int id = sim.addListener([&seen](unsigned changes) { seen |= changes; });
        hid_device *dev = openCommand();
        send(dev, makeCommand(0x46, 0));
        QVERIFY(seen & mousesim::ChangeTraffic);
        QVERIFY(seen & mousesim::ChangeEvents);
        sim.removeListener(id);
        seen = 0;
        sim.pressProfileButton();
        QCOMPARE(unsigned(seen), 0u);
        hid_close(dev);
    }

    void virtualTimeDoesNotWait()
    {
        hid_device *dev = openCommand();
        Report a{};
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 20; ++i)
            QCOMPARE(hid_read_timeout(dev, a.data(), a.size(), 10000), 0);
        // Twenty unanswered reads of ten seconds each, all in far less than one of them.
        QVERIFY(t.elapsed() < 10000);
        hid_close(dev);
    }

    void realTimeWaitsForTimeout()
    {
        MouseSim::instance().setVirtualTime(false);
        hid_device *dev = openCommand();
        Report a{};
        QElapsedTimer t;
        t.start();
        QCOMPARE(hid_read_timeout(dev, a.data(), a.size(), 120), 0);
        QVERIFY(t.nsecsElapsed() >= 120LL * 1000 * 1000);
        hid_close(dev);
    }

    void realTimeReadWakesOnReport()
    {
        MouseSim::instance().setVirtualTime(false);
        hid_device *dev = openCommand();
        std::thread presser([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            MouseSim::instance().pressEffectButton();
        });
        Report a{};
        const int n = hid_read_timeout(dev, a.data(), a.size(), 60000);
        presser.join();
        QCOMPARE(n, 33);
        QCOMPARE(int(a[3]), 0x49);
        hid_close(dev);
    }

    void pullWakesBlockedReader()
    {
        MouseSim::instance().setVirtualTime(false);
        hid_device *dev = openCommand();
        std::thread puller([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            MouseSim::instance().plug(Identity::Receiver, false);
        });
        Report a{};
        const int n = hid_read(dev, a.data(), a.size()); // blocking read
        puller.join();
        QCOMPARE(n, -1);
        hid_close(dev);
    }

    void concurrentUse()
    {
        MouseSim &sim = MouseSim::instance();
        sim.plug(Identity::Cable, true);
        hid_device *rx = openCommand(Identity::Receiver);
        hid_device *cx = openCommand(Identity::Cable);
        std::atomic<int> written{0};
        std::atomic<int> read{0};
        std::atomic<bool> stop{false};
        const int perWriter = 200; // with the presses below, within one input queue

        auto writer = [&](hid_device *dev, std::uint8_t table) {
            for (int i = 0; i < perWriter; ++i)
                if (send(dev, makeCommand(table, std::uint8_t(i % 100), 0, {std::uint8_t(i)}, 0xD2)) == 33)
                    ++written;
        };
        auto reader = [&](hid_device *dev) {
            Report a{};
            while (!stop)
                if (hid_read_timeout(dev, a.data(), a.size(), 1) > 0)
                    ++read;
        };
        std::thread w1(writer, rx, 0x03), w2(writer, cx, 0x04), r1(reader, rx), r2(reader, cx);
        std::thread other([&] {
            for (int i = 0; i < 50; ++i) {
                sim.pressDpiButton();
                sim.setBattery(std::uint16_t(i));
                (void)sim.traffic();
                (void)sim.buttonTable();
            }
        });
        w1.join();
        w2.join();
        other.join();
        stop = true;
        r1.join();
        r2.join();
        read += int(drain(rx).size() + drain(cx).size());

        QCOMPARE(written.load(), 2 * perWriter);
        QCOMPARE(sim.tableWrites(0x03) + sim.tableWrites(0x04), 2 * perWriter);
        // Every write got an echo, and every button press a report on both handles.
        QCOMPARE(read.load(), 2 * perWriter + 2 * 50);
        hid_close(rx);
        hid_close(cx);
    }
};

QTEST_GUILESS_MAIN(TestSimFaults)
#include "tst_simfaults.moc"
