// Loading the device table, finding the mouse's collections, opening and
// closing the handles, and which handle carries the commands.
#include "DeviceTestSupport.h"

#include "CommandReport.h"
#include "DeviceResult.h"

#include <QtTest>

using mousesim::Identity;

namespace {

std::uint8_t transferBegin[kReportLength] = {0x05, 0x00, 0xFA, 0x46};

QString pathText(Identity identity, int collection)
{
    return QString::fromStdString(mousesim::MouseSim::path(identity, collection));
}

} // namespace

class TestDeviceDiscovery : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void loadDeviceTable_data();
    void loadDeviceTable();
    void loadDeviceTableResetsEntry();
    void enumerate_data();
    void enumerate();
    void decoyIsOnlyReported();
    void initFailure();
    void releaseFilter_data();
    void releaseFilter();
    void otherModelOpensNothing();
    void commandHandleChoice_data();
    void commandHandleChoice();
    void reopenDoesNotLeak();
    void closeDevice();
    void noDeviceSendsNothing();
};

void TestDeviceDiscovery::init()
{
    resetSim();
}

void TestDeviceDiscovery::loadDeviceTable_data()
{
    QTest::addColumn<QString>("mouseList");
    QTest::addColumn<QByteArray>("expectedName");
    QTest::newRow("ascii") << QStringLiteral("Tarn M5") << QByteArray("Tarn M5");
    QTest::newRow("latin-1") << QStringLiteral("Souris \u00e9t\u00e9") << QByteArray("Souris \xe9t\xe9");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("255 characters") << QString(255, QLatin1Char('n')) << QByteArray(255, 'n');
    // Longer names are cut to the field instead of running over it.
    QTest::newRow("300 characters") << QString(300, QLatin1Char('n')) << QByteArray(255, 'n');
}

void TestDeviceDiscovery::loadDeviceTable()
{
    QFETCH(QString, mouseList);
    QFETCH(QByteArray, expectedName);
    TestConfigDir config(mouseList);
    DeviceLink link(config.dirs());
    MessageCapture capture;
    link.LoadDeviceTable();

    const HidDeviceTable &table = link.deviceTable();
    QCOMPARE(table.count, 1u);
    const HidDeviceEntry &e = table.entries[0];
    QCOMPARE(QByteArray(e.name), expectedName);
    QCOMPARE(e.vid1, 0x248Au);
    QCOMPARE(e.pid1, 0xFA02u);
    QCOMPARE(e.pid2, 0xFB01u);
    QCOMPARE(link.modelName(), QString::fromUtf8(expectedName));
    QVERIFY(capture.messages().contains(QString::fromUtf8(expectedName)));
}

void TestDeviceDiscovery::loadDeviceTableResetsEntry()
{
    TestConfigDir config;
    DeviceLink link(config.dirs());
    link.LoadDeviceTable();
    link.EnumerateDevices();
    QCOMPARE(link.deviceTable().entries[0].found2, 1);
    link.deviceTable().entries[1].found1 = 1;
    link.LoadDeviceTable();
    const HidDeviceEntry &e = link.deviceTable().entries[0];
    QCOMPARE(e.found1 + e.found2 + e.found3 + e.found4, 0);
    QCOMPARE(QByteArray(e.path2), QByteArray());
    QCOMPARE(link.deviceTable().entries[1].found1, 0);

    // Without a Config.ini the name is empty and everything else is the same.
    QTemporaryDir empty;
    DeviceLink bare(StorageDirs::fromAppDir(empty.path()));
    bare.LoadDeviceTable();
    QCOMPARE(bare.deviceTable().count, 1u);
    QCOMPARE(bare.deviceTable().entries[0].name[0], '\0');
    QCOMPARE(bare.deviceTable().entries[0].pid2, 0xFB01u);
}

void TestDeviceDiscovery::enumerate_data()
{
    QTest::addColumn<bool>("receiver");
    QTest::addColumn<bool>("cable");
    QTest::newRow("receiver only") << true << false;
    QTest::newRow("cable only") << false << true;
    QTest::newRow("both") << true << true;
    QTest::newRow("none") << false << false;
}

void TestDeviceDiscovery::enumerate()
{
    QFETCH(bool, receiver);
    QFETCH(bool, cable);
    sim().plug(Identity::Receiver, receiver);
    sim().plug(Identity::Cable, cable);

    TestConfigDir config;
    DeviceLink link(config.dirs());
    link.LoadDeviceTable();
    MessageCapture capture;
    QCOMPARE(link.EnumerateDevices(), 0);

    const HidDeviceEntry &e = link.deviceTable().entries[0];
    QCOMPARE(e.found1, receiver ? 1 : 0);
    QCOMPARE(e.found2, receiver ? 1 : 0);
    QCOMPARE(e.found3, cable ? 1 : 0);
    QCOMPARE(e.found4, cable ? 1 : 0);
    QCOMPARE(QString::fromLatin1(e.path1), receiver ? pathText(Identity::Receiver, 1) : QString());
    QCOMPARE(QString::fromLatin1(e.path2), receiver ? pathText(Identity::Receiver, 4) : QString());
    QCOMPARE(QString::fromLatin1(e.path3), cable ? pathText(Identity::Cable, 1) : QString());
    QCOMPARE(QString::fromLatin1(e.path4), cable ? pathText(Identity::Cable, 4) : QString());
    QCOMPARE(capture.count(QStringLiteral("1 ") + pathText(Identity::Receiver, 1)), receiver ? 1 : 0);
    QCOMPARE(capture.count(QStringLiteral("2 ") + pathText(Identity::Receiver, 4)), receiver ? 1 : 0);
    QCOMPARE(capture.count(QStringLiteral("3 ") + pathText(Identity::Cable, 1)), cable ? 1 : 0);
    QCOMPARE(capture.count(QStringLiteral("4 ") + pathText(Identity::Cable, 4)), cable ? 1 : 0);

    link.OpenDevice(kTestModel);
    QCOMPARE(link.hidMouse1() != nullptr, receiver);
    QCOMPARE(link.hidCommand1() != nullptr, receiver);
    QCOMPARE(link.hidMouse2() != nullptr, cable);
    QCOMPARE(link.hidCommand2() != nullptr, cable);
    QCOMPARE(sim().openHandleCount(), (receiver ? 2 : 0) + (cable ? 2 : 0));
    QCOMPARE(link.hasCommandHandle(), receiver || cable);
}

void TestDeviceDiscovery::decoyIsOnlyReported()
{
    sim().setDecoys(true);
    TestConfigDir config;
    DeviceLink link(config.dirs());
    link.LoadDeviceTable();
    MessageCapture capture;
    QCOMPARE(link.EnumerateDevices(), 0);
    QVERIFY(capture.countStartingWith(QStringLiteral("Device Found\n  type: 4d9 a0cd\n  path: ")) > 0);
    const HidDeviceEntry &e = link.deviceTable().entries[0];
    QCOMPARE(e.found1 + e.found2 + e.found3 + e.found4, 2); // the receiver only
    QCOMPARE(QString::fromLatin1(e.path1), pathText(Identity::Receiver, 1));
    // The receiver's second usage-0 collection has no "col04" and comes later: not taken.
    QCOMPARE(QString::fromLatin1(e.path2), pathText(Identity::Receiver, 4));
}

void TestDeviceDiscovery::initFailure()
{
    TestConfigDir config;
    DeviceLink link(config.dirs());
    link.LoadDeviceTable();
    sim().setInitFails(true);
    QCOMPARE(link.EnumerateDevices(), -1);
    QCOMPARE(link.deviceTable().entries[0].found2, 0);

    // A table filled earlier is still not opened while hid_init fails.
    sim().setInitFails(false);
    QCOMPARE(link.EnumerateDevices(), 0);
    sim().setInitFails(true);
    link.OpenDevice(kTestModel);
    sim().setInitFails(false);
    QCOMPARE(sim().openHandleCount(), 0);
    QVERIFY(!link.hasCommandHandle());
}

void TestDeviceDiscovery::releaseFilter_data()
{
    QTest::addColumn<uint>("relMin");
    QTest::addColumn<uint>("relMax");
    QTest::addColumn<int>("release");
    QTest::addColumn<bool>("found");
    QTest::newRow("inside") << 0x100u << 0x200u << 0x150 << true;
    QTest::newRow("at the bounds") << 0x150u << 0x150u << 0x150 << true;
    QTest::newRow("below") << 0x100u << 0x200u << 0x0FF << false;
    QTest::newRow("above") << 0x100u << 0x200u << 0x201 << false;
    QTest::newRow("filter off") << 0x100u << 0u << 0x001 << true;
}

void TestDeviceDiscovery::releaseFilter()
{
    QFETCH(uint, relMin);
    QFETCH(uint, relMax);
    QFETCH(int, release);
    QFETCH(bool, found);
    sim().plug(Identity::Cable, true);
    sim().setReleaseNumber(Identity::Receiver, std::uint16_t(release));
    sim().setReleaseNumber(Identity::Cable, std::uint16_t(release));

    TestConfigDir config;
    DeviceLink link(config.dirs());
    link.LoadDeviceTable();
    HidDeviceEntry &e = link.deviceTable().entries[0];
    // Filter identity 1 only: identity 2 is always taken.
    e.relMin1 = relMin;
    e.relMax1 = relMax;
    QCOMPARE(link.EnumerateDevices(), 0);
    QCOMPARE(e.found1, found ? 1 : 0);
    QCOMPARE(e.found2, found ? 1 : 0);
    QCOMPARE(e.found3, 1);
    QCOMPARE(e.found4, 1);
}

void TestDeviceDiscovery::otherModelOpensNothing()
{
    sim().plug(Identity::Cable, true);
    TestConfigDir config;
    DeviceLink link(config.dirs());
    link.LoadDeviceTable();
    link.EnumerateDevices();
    link.OpenDevice("Tarn Other Mouse");
    link.OpenDevice("Tarn Test Mouse "); // byte comparison: no trailing blank
    link.OpenDevice("");
    link.OpenDevice(nullptr);
    QCOMPARE(sim().openHandleCount(), 0);
    QVERIFY(!link.hasCommandHandle());
    QCOMPARE(link.SendCommand(transferBegin, kReportLength), kResultNoDevice);
}

void TestDeviceDiscovery::commandHandleChoice_data()
{
    QTest::addColumn<bool>("receiver");
    QTest::addColumn<bool>("cable");
    QTest::addColumn<int>("expected");
    QTest::newRow("receiver only") << true << false << int(Identity::Receiver);
    QTest::newRow("cable only") << false << true << int(Identity::Cable);
    QTest::newRow("both: the cable") << true << true << int(Identity::Cable);
}

void TestDeviceDiscovery::commandHandleChoice()
{
    QFETCH(bool, receiver);
    QFETCH(bool, cable);
    QFETCH(int, expected);
    sim().plug(Identity::Receiver, receiver);
    sim().plug(Identity::Cable, cable);
    VirtualDeviceClock clock;
    OpenLink open(&clock);
    sim().clearTraffic();

    QCOMPARE(open.link.SendCommand(transferBegin, kReportLength), kResultOk);
    const auto out = trafficOut();
    QCOMPARE(int(out.size()), 1);
    QCOMPARE(int(out[0].identity), expected);
    QCOMPARE(int(out[0].bytes[3]), 0x46);

    hid_device *const expectedHandle = cable ? open.link.hidCommand2() : open.link.hidCommand1();
    const DeviceLink::CommandLock lock = open.link.lockCommandHandle();
    QVERIFY(lock);
    QCOMPARE(lock.handle(), expectedHandle);
}

void TestDeviceDiscovery::reopenDoesNotLeak()
{
    sim().plug(Identity::Cable, true);
    TestConfigDir config;
    DeviceLink link(config.dirs());
    link.LoadDeviceTable();
    link.EnumerateDevices();
    link.OpenDevice(kTestModel);
    QCOMPARE(sim().openHandleCount(), 4);
    MessageCapture capture;
    link.OpenDevice(kTestModel);
    QCOMPARE(sim().openHandleCount(), 4);
    QCOMPARE(capture.countStartingWith(QStringLiteral("OpenDevice: ")), 4);
    VirtualDeviceClock clock;
    link.setClock(&clock);
    QCOMPARE(link.SendCommand(transferBegin, kReportLength), kResultOk);
}

void TestDeviceDiscovery::closeDevice()
{
    sim().plug(Identity::Cable, true);
    TestConfigDir config;
    DeviceLink link(config.dirs());
    link.LoadDeviceTable();
    link.EnumerateDevices();
    link.OpenDevice(kTestModel);
    QCOMPARE(sim().openHandleCount(), 4);
    link.CloseDevice();
    QCOMPARE(sim().openHandleCount(), 0);
    QVERIFY(!link.hidMouse1() && !link.hidMouse2() && !link.hidCommand1() && !link.hidCommand2());
    link.CloseDevice();
    QCOMPARE(link.SendCommand(transferBegin, kReportLength), kResultNoDevice);
    // The found flags belong to discovery, not to the handles.
    QCOMPARE(link.deviceTable().entries[0].found4, 1);
    // And the mouse opens again.
    link.OpenDevice(kTestModel);
    QCOMPARE(sim().openHandleCount(), 4);
    link.CloseDevice();
    link.ExitHid();
}

void TestDeviceDiscovery::noDeviceSendsNothing()
{
    sim().plug(Identity::Receiver, false);
    VirtualDeviceClock clock;
    MessageCapture capture;
    OpenLink open(&clock);
    capture.clear();
    sim().clearTraffic();
    const std::uint8_t table[kReportLength] = {0x05, 0, 0xFA, 0x01, 0, 0, 1, 0xD1, 0x33};
    QCOMPARE(open.link.SendCommand(table, kReportLength), kResultNoDevice);
    QCOMPARE(open.link.SendCommand(transferBegin, kReportLength), kResultNoDevice);
    QVERIFY(capture.messages().isEmpty());
    QVERIFY(sim().traffic().empty());
    QVERIFY(clock.events().isEmpty());
}

QTEST_GUILESS_MAIN(TestDeviceDiscovery)
#include "tst_devicediscovery.moc"
