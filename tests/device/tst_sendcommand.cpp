// The verified command exchange against the simulated mouse: framing, the
// retry paths with their exact pauses, failures and the packet log.
#include "DeviceTestSupport.h"

#include "CommandReport.h"
#include "DeviceResult.h"
#include "PacketLog.h"

#include <QtTest>

using mousesim::Identity;

namespace {

enum Fault { NoFault, FailReads, ForeignReports, ZeroAnswers, CorruptData, DropAnswers, Asleep, ForeignThenZero };

QString join(const QStringList &parts)
{
    QStringList nonEmpty;
    for (const QString &p : parts)
        if (!p.isEmpty())
            nonEmpty << p;
    return nonEmpty.join(QLatin1Char(' '));
}

const std::vector<std::uint8_t> kDpiPacket = command(0x02, 0x00, 0, {0x08, 0x01, 0x20, 0x00, 0x20}, 0xD1);
const std::vector<std::uint8_t> kTransferBegin = command(0x46, 0);

} // namespace

class TestSendCommand : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void exchange_data();
    void exchange();
    void framingLeavesCallerBuffer_data();
    void framingLeavesCallerBuffer();
    void writeFailure();
    void unplugDuringExchange();
    void unpluggedBeforeExchange();
    void badArguments();
    void packetLog();
};

void TestSendCommand::init()
{
    resetSim();
}

void TestSendCommand::exchange_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("faultCount");
    QTest::addColumn<int>("expectedResult");
    QTest::addColumn<int>("expectedWrites");
    QTest::addColumn<QString>("expectedEvents");

    const QString clean = QStringLiteral("p10 r150");
    const QString reread = QStringLiteral("r150 p50");

    QTest::newRow("clean table write") << 0x02 << int(NoFault) << 0 << 0 << 1 << clean;
    QTest::newRow("clean transfer mark") << 0x46 << int(NoFault) << 0 << 0 << 1 << clean;
    QTest::newRow("clean completion") << 0x40 << int(NoFault) << 0 << 0 << 1 << clean;
    QTest::newRow("unanswered code is write only") << 0x20 << int(NoFault) << 0 << 0 << 1 << QStringLiteral("p10");
    QTest::newRow("status query code is write only") << 0x48 << int(NoFault) << 0 << 0 << 1 << QStringLiteral("p10");

    QTest::newRow("29 read failures, then the echo")
        << 0x02 << int(FailReads) << 29 << 0 << 1
        << join({QStringLiteral("p10"), times(reread, 29), QStringLiteral("r150")});
    QTest::newRow("30 read failures, then a rewrite")
        << 0x02 << int(FailReads) << 30 << 0 << 2
        << join({QStringLiteral("p10"), times(reread, 29), QStringLiteral("r150"), clean});
    QTest::newRow("reads never succeed: two rewrites, then 2")
        << 0x46 << int(FailReads) << 1000 << 2 << 3
        << join({QStringLiteral("p10"), times(reread, 29), QStringLiteral("r150"), clean, clean});

    QTest::newRow("19 foreign reports before the echo")
        << 0x02 << int(ForeignReports) << 19 << 0 << 1
        << join({QStringLiteral("p10"), times(reread, 19), QStringLiteral("r150")});
    QTest::newRow("20 foreign reports, then a rewrite")
        << 0x02 << int(ForeignReports) << 20 << 0 << 2
        << join({QStringLiteral("p10"), times(reread, 19), QStringLiteral("r150"), clean});

    QTest::newRow("five empty answers, then the echo") << 0x02 << int(ZeroAnswers) << 5 << 0 << 6 << times(clean, 6);
    QTest::newRow("six empty answers end the exchange with 0")
        << 0x02 << int(ZeroAnswers) << 6 << 0 << 6 << times(clean, 6);
    QTest::newRow("six empty answers for a transfer mark")
        << 0x46 << int(ZeroAnswers) << 6 << 0 << 6 << times(clean, 6);

    QTest::newRow("data echo wrong twice, right the third time")
        << 0x02 << int(CorruptData) << 2 << 0 << 3 << times(clean, 3);
    QTest::newRow("data echo never right: 2") << 0x02 << int(CorruptData) << 3 << 2 << 3 << times(clean, 3);
    QTest::newRow("data echo not checked for a transfer mark") << 0x46 << int(CorruptData) << 3 << 0 << 1 << clean;

    QTest::newRow("dropped answer counts as a missing read")
        << 0x46 << int(DropAnswers) << 1 << 0 << 2
        << join({QStringLiteral("p10"), times(reread, 29), QStringLiteral("r150"), clean});
    QTest::newRow("asleep mouse: 2 after two rewrites")
        << 0x02 << int(Asleep) << 0 << 2 << 3
        << join({QStringLiteral("p10"), times(reread, 29), QStringLiteral("r150"), clean, clean});

    // The sixth empty answer keeps the mismatch of the foreign report read
    // before: the exchange goes on reading instead of ending.
    QTest::newRow("empty answers after a foreign report keep the mismatch")
        << 0x02 << int(ForeignThenZero) << 6 << 0 << 7
        << join({QStringLiteral("p10 r150 p50 r150"), times(clean, 5), QStringLiteral("p50"), times(reread, 29),
                 QStringLiteral("r150"), clean});
}

void TestSendCommand::exchange()
{
    QFETCH(int, code);
    QFETCH(int, fault);
    QFETCH(int, faultCount);
    QFETCH(int, expectedResult);
    QFETCH(int, expectedWrites);
    QFETCH(QString, expectedEvents);

    VirtualDeviceClock clock;
    OpenLink open(&clock);
    QVERIFY(open.link.hasCommandHandle());
    sim().clearTraffic();

    switch (Fault(fault)) {
    case NoFault:
        break;
    case FailReads:
        sim().failReads(faultCount);
        break;
    case ForeignReports:
        sim().foreignReportsBeforeEcho(1, faultCount);
        break;
    case ZeroAnswers:
        sim().zeroAnswers(faultCount);
        break;
    case CorruptData:
        sim().corruptDataEcho(faultCount);
        break;
    case DropAnswers:
        sim().dropAnswers(faultCount);
        break;
    case Asleep:
        sim().setAsleep(true);
        break;
    case ForeignThenZero:
        sim().foreignReportsBeforeEcho(1, 1);
        sim().zeroAnswers(faultCount);
        break;
    }

    const std::vector<std::uint8_t> report = code == 0x02 ? kDpiPacket : command(std::uint8_t(code), 0, 0);
    QCOMPARE(int(open.link.SendCommand(report.data(), kReportLength)), expectedResult);
    QCOMPARE(sim().countOut(std::uint8_t(code)), expectedWrites);
    QCOMPARE(eventText(clock.events()), expectedEvents);

    // Every write is the same framed report.
    for (const mousesim::TrafficEntry &e : trafficOut()) {
        QCOMPARE(int(e.bytes[1]), int(CommandChecksum(report.data())));
        QVERIFY(std::equal(report.begin() + 2, report.end(), e.bytes.begin() + 2));
    }
}

void TestSendCommand::framingLeavesCallerBuffer_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("tag");
    QTest::newRow("table packet with data") << 0x02 << 0xD2;
    // The mouse does not echo byte 7, and its echo carries its own checksum: still a match.
    QTest::newRow("transfer mark with a block tag") << 0x46 << 0xD1;
    QTest::newRow("closing packet") << 0x01 << 0xD3;
}

void TestSendCommand::framingLeavesCallerBuffer()
{
    QFETCH(int, code);
    QFETCH(int, tag);
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    sim().clearTraffic();

    std::vector<std::uint8_t> report;
    if (code == 0x02)
        report = command(0x02, 0x10, 0, {0x1A, 0x2B, 0x3C}, std::uint8_t(tag));
    else if (code == 0x46)
        report = command(0x46, 1, 0, {}, std::uint8_t(tag));
    else
        report = command(std::uint8_t(code), 0x7F, 0, {0x1A}, std::uint8_t(tag));
    report.resize(kReportBufferSize, 0xCC); // bytes past the report length are not sent
    const std::vector<std::uint8_t> before = report;
    QCOMPARE(open.link.SendCommand(report.data(), kReportLength), kResultOk);
    QCOMPARE(report, before);

    const auto out = trafficOut();
    QCOMPARE(int(out.size()), 1);
    std::uint8_t expected[kReportLength];
    std::copy(before.begin(), before.begin() + kReportLength, expected);
    expected[1] = CommandChecksum(expected);
    QVERIFY(std::equal(out[0].bytes.begin(), out[0].bytes.end(), expected));
    QCOMPARE(int(expected[1]), int(mousesim::checksum(out[0].bytes)));
}

void TestSendCommand::writeFailure()
{
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    sim().clearTraffic();
    sim().failWrites(1);
    MessageCapture capture;
    QCOMPARE(open.link.SendCommand(kDpiPacket.data(), kReportLength), kResultWriteFailed);
    QCOMPARE(capture.messages(), QStringList{QStringLiteral("Unable to send a feature report.\n")});
    QVERIFY(clock.events().isEmpty()); // no pause, no read, no retry
    QCOMPARE(sim().countOut(0x02), 0);
    // The next command goes through.
    QCOMPARE(open.link.SendCommand(kDpiPacket.data(), kReportLength), kResultOk);
}

void TestSendCommand::unplugDuringExchange()
{
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    // Pull the receiver in the pause right after the first write: the echo is
    // lost, the reads fail, and the rewrite fails.
    bool pulled = false;
    clock.setPauseHook([&pulled](int) {
        if (!pulled) {
            pulled = true;
            sim().plug(Identity::Receiver, false);
        }
    });
    QCOMPARE(open.link.SendCommand(kDpiPacket.data(), kReportLength), kResultWriteFailed);
    QVERIFY(pulled);
    QCOMPARE(eventText(clock.events()),
             join({QStringLiteral("p10"), times(QStringLiteral("r150 p50"), 29), QStringLiteral("r150")}));
    clock.setPauseHook(nullptr);
    // The dead handle keeps failing cleanly until the link is closed.
    QCOMPARE(open.link.SendCommand(kTransferBegin.data(), kReportLength), kResultWriteFailed);
    open.link.CloseDevice();
    QCOMPARE(open.link.SendCommand(kTransferBegin.data(), kReportLength), kResultNoDevice);
}

void TestSendCommand::unpluggedBeforeExchange()
{
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    sim().pullAfterPackets(Identity::Receiver, 1);
    QCOMPARE(open.link.SendCommand(kTransferBegin.data(), kReportLength), kResultOk);
    QCOMPARE(open.link.SendCommand(kTransferBegin.data(), kReportLength), kResultWriteFailed);
    QVERIFY(!sim().isPlugged(Identity::Receiver));
}

void TestSendCommand::badArguments()
{
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    sim().clearTraffic();
    MessageCapture capture;
    QCOMPARE(open.link.SendCommand(nullptr, kReportLength), kResultWriteFailed);
    QCOMPARE(open.link.SendCommand(kTransferBegin.data(), 0), kResultWriteFailed);
    QCOMPARE(capture.count(QStringLiteral("SendCommand: empty report not sent")), 2);
    QVERIFY(sim().traffic().empty());

    // A length beyond the buffer is cut, not copied past it.
    std::vector<std::uint8_t> big(4096, 0);
    std::copy(kTransferBegin.begin(), kTransferBegin.end(), big.begin());
    QCOMPARE(open.link.SendCommand(big.data(), int(big.size())), kResultOk);
}

void TestSendCommand::packetLog()
{
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    MessageCapture capture;

    QCOMPARE(open.link.SendCommand(kTransferBegin.data(), kReportLength), kResultOk);
    QVERIFY2(capture.messages().isEmpty(), qPrintable(capture.messages().join(QLatin1Char('|'))));

    QLoggingCategory::setFilterRules(QStringLiteral("mousecfg.packets.debug=true"));
    QCOMPARE(open.link.SendCommand(kTransferBegin.data(), kReportLength), kResultOk);
    QLoggingCategory::setFilterRules(QString());

    const QString written =
        QStringLiteral("write 05 26 fa 46 00 00 00 00") + QString(QStringLiteral(" 00")).repeated(25);
    const QString read = QStringLiteral("read 05 26 fa 46 00 00 00 00") + QString(QStringLiteral(" 00")).repeated(25);
    QCOMPARE(capture.messages(), (QStringList{written, read}));
}

QTEST_GUILESS_MAIN(TestSendCommand)
#include "tst_sendcommand.moc"
