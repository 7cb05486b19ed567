// Framing, echo comparison and the device-table helpers, without a mouse.
#include "CommandReport.h"
#include "HidDeviceTable.h"

#include <QtTest>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes report(std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint8_t n, std::uint8_t tag, Bytes data = {})
{
    Bytes r(kReportBufferSize, 0);
    r[0] = 0x05;
    r[2] = 0xFA;
    r[3] = code;
    r[4] = p1;
    r[5] = p2;
    r[6] = n;
    r[7] = tag;
    for (std::size_t i = 0; i < data.size() && 8 + i < r.size(); ++i)
        r[8 + i] = data[i];
    return r;
}

} // namespace

Q_DECLARE_METATYPE(Bytes)

class TestCommandReport : public QObject
{
    Q_OBJECT
private slots:
    void checksum_data();
    void checksum();
    void echoCheck_data();
    void echoCheck();
    void compareEcho_data();
    void compareEcho();
    void commandMarker_data();
    void commandMarker();
    void releaseFilter_data();
    void releaseFilter();
    void storePath_data();
    void storePath();
    void defaultEntry();
};

void TestCommandReport::checksum_data()
{
    QTest::addColumn<Bytes>("bytes");
    QTest::addColumn<int>("expected");
    QTest::newRow("status query") << report(0x48, 0, 0, 0, 0) << 0x24;
    // 0xFA + 0x46 = 0x140 -> 0x40 ^ 0x66
    QTest::newRow("transfer begin") << report(0x46, 0, 0, 0, 0) << (0x40 ^ 0x66);
    // 0xFA + 0x40 + 0xF3 + 0x10 = 0x23D -> 0x3D ^ 0x66
    QTest::newRow("completion 0x10") << report(0x40, 0xF3, 0x10, 0, 0) << (0x3D ^ 0x66);
    // 0xFA + 0x01 + 0x7F + 0x01 + 0xD3 = 0x24E -> 0x4E ^ 0x66; the data byte is not covered
    QTest::newRow("closing packet") << report(0x01, 0x7F, 0, 1, 0xD3, {0x1A}) << (0x4E ^ 0x66);
    Bytes ignoresOtherBytes = report(0x48, 0, 0, 0, 0, {1, 2, 3, 4, 5});
    ignoresOtherBytes[0] = 0x77;
    ignoresOtherBytes[1] = 0x99;
    QTest::newRow("report id, old checksum and data not covered") << ignoresOtherBytes << 0x24;
}

void TestCommandReport::checksum()
{
    QFETCH(Bytes, bytes);
    QFETCH(int, expected);
    QCOMPARE(int(CommandChecksum(bytes.data())), expected);
}

void TestCommandReport::echoCheck_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("expected");
    QTest::newRow("0x00") << 0x00 << int(EchoCheck::CommandAndData);
    QTest::newRow("0x05 macro area") << 0x05 << int(EchoCheck::CommandAndData);
    QTest::newRow("0x0A last table code") << 0x0A << int(EchoCheck::CommandAndData);
    QTest::newRow("0x0B") << 0x0B << int(EchoCheck::None);
    QTest::newRow("0x40 completion") << 0x40 << int(EchoCheck::Command);
    QTest::newRow("0x46 transfer mark") << 0x46 << int(EchoCheck::Command);
    QTest::newRow("0x41") << 0x41 << int(EchoCheck::None);
    QTest::newRow("0x48 status query") << 0x48 << int(EchoCheck::None);
    QTest::newRow("0xFF") << 0xFF << int(EchoCheck::None);
}

void TestCommandReport::echoCheck()
{
    QFETCH(int, code);
    QFETCH(int, expected);
    QCOMPARE(int(EchoCheckFor(std::uint8_t(code))), expected);
}

void TestCommandReport::compareEcho_data()
{
    QTest::addColumn<Bytes>("command");
    QTest::addColumn<Bytes>("answer");
    QTest::addColumn<bool>("checkData");
    QTest::addColumn<int>("expected");

    const Bytes table = report(0x02, 0x10, 0, 3, 0xD2, {7, 8, 9});
    QTest::newRow("exact echo") << table << table << true << 0;

    Bytes b = table;
    b[1] ^= 0xFF;
    QTest::newRow("checksum byte differs") << table << b << true << 0;
    b = table;
    b[7] = 0xD1;
    QTest::newRow("block tag differs") << table << b << true << 0;

    const int headerBytes[] = {0, 2, 3, 4, 5, 6};
    for (int i : headerBytes) {
        b = table;
        b[std::size_t(i)] ^= 0x01;
        QTest::addRow("header byte %d differs", i) << table << b << true << 1;
    }
    b = table;
    b[3] = 0x49;
    b[9] = 0;
    QTest::newRow("status report instead of echo, data also wrong") << table << b << true << 1;

    b = table;
    b[10] = 0;
    QTest::newRow("last data byte differs") << table << b << true << 2;
    QTest::newRow("data differs, data not checked") << table << b << false << 0;
    b = table;
    b[11] = 0x55;
    QTest::newRow("byte after the data differs") << table << b << true << 0;

    const Bytes empty = report(0x46, 1, 0, 0, 0);
    b = empty;
    b[8] = 0x42;
    QTest::newRow("length 0 checks no data") << empty << b << true << 0;

    Bytes full(kReportBufferSize, 0);
    full = report(0x05, 0, 1, 25, 0xD2, Bytes(25, 0x33));
    b = full;
    b[32] = 0x34;
    QTest::newRow("25th data byte differs") << full << b << true << 2;

    // A length byte beyond the report must not make the comparison read past it.
    Bytes huge = report(0x03, 0, 0, 0xFF, 0xD1, Bytes(25, 0x11));
    for (std::size_t i = kReportLength; i < huge.size(); ++i)
        huge[i] = 0xEE;
    b = huge;
    for (std::size_t i = kReportLength; i < b.size(); ++i)
        b[i] = 0x00;
    QTest::newRow("length 255 compares the report only") << huge << b << true << 0;
}

void TestCommandReport::compareEcho()
{
    QFETCH(Bytes, command);
    QFETCH(Bytes, answer);
    QFETCH(bool, checkData);
    QFETCH(int, expected);
    QCOMPARE(CompareEcho(command.data(), answer.data(), checkData), expected);
}

void TestCommandReport::commandMarker_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<bool>("expected");
    QTest::newRow("windows receiver path")
        << QByteArray("\\\\?\\hid#vid_248a&pid_fa02&mi_00&col04#7&1b2c3d4e&0&0003#{4d1e55b2}") << true;
    QTest::newRow("upper case") << QByteArray("\\\\?\\HID#VID_248A&PID_FA02&MI_00&COL04#x") << true;
    QTest::newRow("mixed case") << QByteArray("hid#vid_248a&pid_fa02&Col04") << true;
    QTest::newRow("mouse collection") << QByteArray("\\\\?\\hid#vid_248a&pid_fa02&mi_00&col01#x") << false;
    QTest::newRow("other command collection") << QByteArray("\\\\?\\hid#vid_248a&pid_fa02&mi_00&col03#x") << false;
    QTest::newRow("linux hidraw path") << QByteArray("/dev/hidraw3") << false;
    QTest::newRow("marker cut short at the end") << QByteArray("hid#col0") << false;
    QTest::newRow("overlapping prefix") << QByteArray("ccol04") << true;
    QTest::newRow("empty") << QByteArray("") << false;
}

void TestCommandReport::commandMarker()
{
    QFETCH(QByteArray, path);
    QFETCH(bool, expected);
    QCOMPARE(PathHasCommandMarker(path.constData()), expected);
}

void TestCommandReport::releaseFilter_data()
{
    QTest::addColumn<uint>("relMin");
    QTest::addColumn<uint>("relMax");
    QTest::addColumn<uint>("release");
    QTest::addColumn<bool>("expected");
    QTest::newRow("no filter") << 0u << 0u << 0x1234u << true;
    QTest::newRow("no filter despite a minimum") << 0x200u << 0u << 0x100u << true;
    QTest::newRow("at minimum") << 0x100u << 0x200u << 0x100u << true;
    QTest::newRow("at maximum") << 0x100u << 0x200u << 0x200u << true;
    QTest::newRow("below") << 0x100u << 0x200u << 0xFFu << false;
    QTest::newRow("above") << 0x100u << 0x200u << 0x201u << false;
}

void TestCommandReport::releaseFilter()
{
    QFETCH(uint, relMin);
    QFETCH(uint, relMax);
    QFETCH(uint, release);
    QFETCH(bool, expected);
    QCOMPARE(ReleaseFilterPasses(relMin, relMax, release), expected);
}

void TestCommandReport::storePath_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("stored");
    QTest::newRow("empty") << 0 << true;
    QTest::newRow("254 characters fit") << kHidPathSize - 1 << true;
    QTest::newRow("255 characters do not fit") << kHidPathSize << false;
    QTest::newRow("much longer") << 1000 << false;
}

void TestCommandReport::storePath()
{
    QFETCH(int, length);
    QFETCH(bool, stored);
    const std::string path(std::size_t(length), 'p');
    char field[kHidPathSize];
    std::memset(field, 'x', sizeof field);
    field[kHidPathSize - 1] = '\0';
    const std::string before(field);
    QCOMPARE(StoreHidPath(field, path.c_str()), stored);
    QCOMPARE(std::string(field), stored ? path : before);
}

void TestCommandReport::defaultEntry()
{
    HidDeviceEntry e;
    std::memset(&e, 0xAB, sizeof e);
    FillDefaultDeviceEntry(e);
    const std::uint32_t ids[] = {e.vid1, e.vid2, e.pid1, e.pid2};
    const std::uint32_t expectedIds[] = {0x248A, 0x248A, 0xFA02, 0xFB01};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(ids[i], expectedIds[i]);
    const std::uint32_t usages[] = {e.usage1, e.page1, e.usage2, e.page2, e.usage3, e.page3, e.usage4, e.page4};
    const std::uint32_t expectedUsages[] = {2, 1, 0, 1, 2, 1, 0, 1};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(usages[i], expectedUsages[i]);
    QCOMPARE(e.relMin1 + e.relMin2 + e.relMax1 + e.relMax2, 0u);
    QCOMPARE(e.found1 + e.found2 + e.found3 + e.found4, 0);
    QCOMPARE(e.path1[0] + e.path2[0] + e.path3[0] + e.path4[0] + e.name[0], 0);
}

QTEST_APPLESS_MAIN(TestCommandReport)
#include "tst_commandreport.moc"
