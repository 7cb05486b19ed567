// Commands and the status thread share one command handle: their exchanges
// must never interleave on the wire, and closing the handles must wait for an
// exchange in progress.
#include "DeviceTestSupport.h"

#include "CommandReport.h"
#include "DeviceResult.h"
#include "StatusThreadOwner.h"

#include <QtTest>

#include <atomic>
#include <set>

using mousesim::Direction;
using mousesim::Identity;

namespace {

// With no unasked reports on the bus every write is answered at once, so a
// correctly serialised log alternates strictly: a write, then its own answer.
// Returns an empty string or the first place where two exchanges overlap.
QString findInterleaving(const std::vector<mousesim::TrafficEntry> &log)
{
    for (std::size_t i = 0; i < log.size(); i += 2) {
        const mousesim::TrafficEntry &e = log[i];
        if (e.direction != Direction::Out)
            return QStringLiteral("entry %1: answer 0x%2 without a write before it").arg(i).arg(e.bytes[3], 0, 16);
        if (i + 1 >= log.size())
            return QStringLiteral("entry %1: write 0x%2 never answered").arg(i).arg(e.bytes[3], 0, 16);
        const mousesim::TrafficEntry &answer = log[i + 1];
        if (answer.direction != Direction::In || answer.bytes[3] != e.bytes[3])
            return QStringLiteral("entry %1: write 0x%2 followed by %3 0x%4")
                .arg(i)
                .arg(e.bytes[3], 0, 16)
                .arg(answer.direction == Direction::In ? QStringLiteral("answer") : QStringLiteral("write"))
                .arg(answer.bytes[3], 0, 16);
    }
    return QString();
}

} // namespace

class TestLinkConcurrency : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void commandsDuringStatusPolls();
    void closeWaitsForExchange();
};

void TestLinkConcurrency::init()
{
    resetSim();
}

void TestLinkConcurrency::commandsDuringStatusPolls()
{
    VirtualDeviceClock clock;
    // Let the other thread run at every pause, as a real pause would.
    clock.setPauseHook([](int) { QThread::yieldCurrentThread(); });
    OpenLink open(&clock);
    StatusThreadOwner owner(open.link);

    const std::vector<std::uint8_t> packets[] = {
        command(0x02, 0x00, 0, {0x08, 0x01, 0x20, 0x00, 0x20, 0x01, 0x40}, 0xD1),
        command(0x46, 0, 0, {}, 0),
        command(0x40, 0xF3, 0x04, {}, 0),
        command(0x05, 0x10, 0x01, std::vector<std::uint8_t>(25, 0x5A), 0xD2),
        command(0x46, 1, 0, {}, 0),
    };

    constexpr int kRounds = 25;
    constexpr int kCommandsPerRound = 200;
    int statusQueries = 0;
    for (int round = 0; round < kRounds; ++round) {
        sim().clearTraffic();
        owner.StartStatusThread();
        // Begin once the thread polls: a thread stopped before its first
        // cycle would prove nothing.
        QTRY_VERIFY_WITH_TIMEOUT(sim().countOut(0x48) >= 1, 10000);
        for (int i = 0; i < kCommandsPerRound; ++i) {
            const std::vector<std::uint8_t> &p = packets[(round + i) % 5];
            const DeviceResult result = open.link.SendCommand(p.data(), kReportLength);
            QVERIFY2(result == kResultOk,
                     qPrintable(QStringLiteral("round %1 command %2: %3").arg(round).arg(i).arg(result)));
        }
        owner.StopStatusThread();
        const std::vector<mousesim::TrafficEntry> log = sim().traffic();
        const QString problem = findInterleaving(log);
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("round %1: %2").arg(round).arg(problem)));
        int commands = 0;
        for (const mousesim::TrafficEntry &e : log) {
            if (e.direction != Direction::Out)
                continue;
            if (e.bytes[3] == 0x48)
                ++statusQueries;
            else
                ++commands;
        }
        QCOMPARE(commands, kCommandsPerRound);
    }
    // The status thread really did poll alongside.
    QVERIFY2(statusQueries >= kRounds, qPrintable(QString::number(statusQueries)));
}

void TestLinkConcurrency::closeWaitsForExchange()
{
    VirtualDeviceClock clock;
    clock.setPauseHook([](int) { QThread::yieldCurrentThread(); });
    OpenLink open(&clock);
    sim().plug(Identity::Cable, true);
    open.link.EnumerateDevices();
    open.link.CloseDevice();
    open.link.OpenDevice(kTestModel);
    QVERIFY(open.link.hidCommand2());

    constexpr int kExchanges = 300;
    std::atomic<bool> done{false};
    std::atomic<int> okCount{0};
    std::multiset<int> results;
    const std::vector<std::uint8_t> packet = command(0x02, 0x20, 0, {1, 2, 3, 4}, 0xD2);
    QScopedPointer<QThread> worker(QThread::create([&] {
        // Attempts while the handles are closed fail at once and do not count.
        for (int i = 0; okCount.load() < kExchanges && i < 100000; ++i) {
            // Some exchanges take the long way round: reads fail first.
            if (i % 7 == 0)
                sim().failReads(10);
            const DeviceResult r = open.link.SendCommand(packet.data(), kReportLength);
            results.insert(r);
            if (r == kResultOk)
                okCount.fetch_add(1);
            // A mutex is not fair: leave the closing thread a gap now and then.
            QThread::usleep(20);
        }
        done = true;
    }));
    worker->start();
    int cycles = 0;
    while (!done.load()) {
        // Close while the worker is busy, then let it complete one exchange
        // on the re-opened handle before closing again.
        open.link.CloseDevice();
        QThread::yieldCurrentThread();
        open.link.OpenDevice(kTestModel);
        ++cycles;
        const int target = okCount.load() + 1;
        while (!done.load() && okCount.load() < target)
            QThread::yieldCurrentThread();
    }
    QVERIFY(worker->wait(60000));
    sim().clearFaults();

    // Closed between exchanges: no device. Never a handle closed under a
    // running exchange, which would show as a failed read or write.
    for (int r : results)
        QVERIFY2(r == kResultOk || r == kResultNoDevice, qPrintable(QString::number(r)));
    QCOMPARE(int(results.count(kResultOk)), kExchanges);
    QVERIFY2(cycles > 20, qPrintable(QString::number(cycles)));
    QCOMPARE(sim().openHandleCount(), 4);
}

QTEST_GUILESS_MAIN(TestLinkConcurrency)
#include "tst_linkconcurrency.moc"
