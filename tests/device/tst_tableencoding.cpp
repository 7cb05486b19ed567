// DPI and button table encoding: register values per sensor, the packets of
// both tables, and the device bytes of every button function.
#include "TableEncoding.h"

#include <QtTest>

using Bytes = QByteArray;
Q_DECLARE_METATYPE(KeyInfoBlock)

namespace {

Bytes toBytes(const std::vector<std::uint8_t> &v)
{
    return Bytes(reinterpret_cast<const char *>(v.data()), int(v.size()));
}

Bytes slotBytes(const ButtonTableState &state, int slot)
{
    return Bytes(reinterpret_cast<const char *>(state.buffer.data()) + 2 + 4 * slot, 4);
}

ButtonPositions identityPositions()
{
    ButtonPositions p{};
    for (int i = 0; i < kModelButtonTableSize; ++i)
        p[std::size_t(i)] = std::uint8_t(i);
    return p;
}

// keyInfo from a list of usages, each entry {usage, 0x05, 0x80 press / 0x00 release}.
KeyInfoBlock events(std::initializer_list<std::pair<int, bool>> list)
{
    KeyInfoBlock block{};
    std::size_t i = 0;
    for (const auto &e : list)
        block[i++] = {std::uint8_t(e.first), 0x05, std::uint8_t(e.second ? 0x80 : 0x00)};
    return block;
}

ButtonEntry macroButton(int fun, const QString &name, int loopMode, int loops = 1)
{
    ButtonEntry e;
    e.Fun = fun;
    e.macroname = name;
    e.Res1 = std::uint8_t(loopMode);
    e.LoopNumber = loops;
    return e;
}

} // namespace

class TestTableEncoding : public QObject
{
    Q_OBJECT

private slots:
    void dpiCode_data();
    void dpiCode();
    void stepTablesRise_data();
    void stepTablesRise();
    void dpiLevelBytes_data();
    void dpiLevelBytes();
    void dpiTablePackets_data();
    void dpiTablePackets();

    void functionRows_data();
    void functionRows();
    void parameterRules_data();
    void parameterRules();
    void macroIndexMap();
    void positionTable();
    void slotOutsideTableNotWritten();
    void buttonCountAbove16();
    void buttonTablePackets();
};

// ---------------------------------------------------------------------------
// DPI

void TestTableEncoding::dpiCode_data()
{
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("yAxis");
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");

    QTest::newRow("3104 106") << 3104 << 106 << false << 0 << 106 << 0;
    QTest::newRow("3104 107") << 3104 << 107 << false << 0 << 54 << 1;
    QTest::newRow("31042 107") << 31042 << 107 << false << 0 << 54 << 1;
    QTest::newRow("3212 63") << 3212 << 63 << false << 0 << 63 << 0;
    QTest::newRow("3212 64") << 3212 << 64 << false << 0 << 32 << 1;
    QTest::newRow("3212 94") << 3212 << 94 << false << 0 << 62 << 1;
    QTest::newRow("3212 95") << 3212 << 95 << false << 0 << 32 << 2;
    // Table W: codes 1..160.
    QTest::newRow("3311 0 below W") << 3311 << 0 << false << 0 << 0 << 0;
    QTest::newRow("3311 2") << 3311 << 2 << false << 0 << 2 << 0;
    QTest::newRow("3311 120") << 3311 << 120 << false << 0 << 143 << 0;
    QTest::newRow("3311 121") << 3311 << 121 << false << 0 << 72 << 1;
    QTest::newRow("33112 220 last") << 33112 << 220 << false << 0 << 188 << 1;
    QTest::newRow("3311 221 beyond W") << 3311 << 221 << false << 0 << 188 << 1;
    // Table T: code 0 gives 0, codes 1..50.
    QTest::newRow("3325 0") << 3325 << 0 << false << 0 << 0 << 0;
    QTest::newRow("3325 1") << 3325 << 1 << false << 0 << 2 << 0;
    QTest::newRow("3325 50") << 3325 << 50 << false << 0 << 115 << 0;
    QTest::newRow("33252 51") << 33252 << 51 << false << 0 << 59 << 1;
    QTest::newRow("3325 75 last") << 3325 << 75 << false << 0 << 115 << 1;
    QTest::newRow("3325 76 beyond T") << 3325 << 76 << false << 0 << 115 << 1;
    // Table Z: code 0 gives 0, codes 1..61.
    QTest::newRow("3327 0") << 3327 << 0 << false << 0 << 0 << 0;
    QTest::newRow("3327 1") << 3327 << 1 << false << 0 << 4 << 0;
    QTest::newRow("3327 61") << 3327 << 61 << false << 0 << 140 << 0;
    QTest::newRow("3327 62") << 3327 << 62 << false << 0 << 72 << 1;
    QTest::newRow("3327 92") << 3327 << 92 << false << 0 << 140 << 1;
    QTest::newRow("3327 93") << 3327 << 93 << false << 0 << 95 << 4;
    QTest::newRow("3327 113 last") << 3327 << 113 << false << 0 << 140 << 4;
    QTest::newRow("3327 114 beyond Z") << 3327 << 114 << false << 0 << 140 << 4;
    QTest::newRow("3327 huge") << 3327 << 100000 << false << 0 << 140 << 4;
    // Table V: codes 2..80.
    QTest::newRow("3333 1 below V") << 3333 << 1 << false << 0 << 4 << 0;
    QTest::newRow("3333 2") << 3333 << 2 << false << 0 << 4 << 0;
    QTest::newRow("3333 79") << 3333 << 79 << false << 0 << 185 << 0;
    QTest::newRow("3333 80") << 3333 << 80 << false << 0 << 93 << 1;
    QTest::newRow("3333 120 last") << 3333 << 120 << false << 0 << 187 << 1;
    QTest::newRow("3333 121 beyond V") << 3333 << 121 << false << 0 << 187 << 1;
    QTest::newRow("3335 160") << 3335 << 160 << false << 0 << 188 << 0;
    QTest::newRow("33352 161") << 33352 << 161 << false << 0 << 144 << 1;
    QTest::newRow("3335 201 beyond W") << 3335 << 201 << false << 0 << 188 << 1;
    QTest::newRow("3360 120") << 3360 << 120 << false << 0 << 119 << 0;
    QTest::newRow("3360 121") << 3360 << 121 << false << 0 << 60 << 1;
    QTest::newRow("3370 200") << 3370 << 200 << false << 0 << 199 << 0;
    QTest::newRow("3370 201") << 3370 << 201 << false << 0 << 100 << 1;
    QTest::newRow("3389 320") << 3389 << 320 << false << 0 << 0x40 << 0x01;
    QTest::newRow("3389 321") << 3389 << 321 << false << 0 << 0xA1 << 0x80;
    QTest::newRow("3389 480") << 3389 << 480 << false << 0 << 0x40 << 0x81;
    QTest::newRow("3395 500") << 3395 << 500 << false << 0 << 0xF4 << 0x01;
    QTest::newRow("3395 500 variant 7") << 3395 << 500 << false << 7 << 0xF4 << 0x01;
    QTest::newRow("3395 500 variant 8") << 3395 << 500 << false << 8 << 0x8F << 0x01;
    QTest::newRow("3395 300 variant 8") << 3395 << 300 << true << 8 << 0x2C << 0x01;
    QTest::newRow("33952 X 519") << 33952 << 519 << false << 0 << 0x07 << 0x02;
    QTest::newRow("33952 X 520") << 33952 << 520 << false << 0 << 0x04 << 0x81;
    QTest::newRow("33952 Y 520") << 33952 << 520 << true << 0 << 0x08 << 0x02;
    QTest::newRow("33952 Y 521") << 33952 << 521 << true << 0 << 0x05 << 0x81;
    QTest::newRow("33952 ignores variant") << 33952 << 500 << false << 8 << 0xF4 << 0x01;
    QTest::newRow("3399 none") << 3399 << 100 << false << 0 << 0 << 0;
    QTest::newRow("unknown sensor") << 1 << 100 << false << 0 << 0 << 0;
}

void TestTableEncoding::dpiCode()
{
    QFETCH(int, sensor);
    QFETCH(int, code);
    QFETCH(bool, yAxis);
    QFETCH(int, variant);
    QFETCH(int, low);
    QFETCH(int, high);
    const DpiCodeBytes b =
        EncodeDpiCode(sensor, std::uint32_t(code), yAxis ? DpiAxis::Y : DpiAxis::X, std::uint8_t(variant));
    QCOMPARE(int(b.low), low);
    QCOMPARE(int(b.high), high);
}

// A step table's register values rise with the code; a slip in one entry
// breaks that.
void TestTableEncoding::stepTablesRise_data()
{
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("range");
    QTest::newRow("W") << 3335 << 1 << 160 << 0;
    QTest::newRow("T") << 3325 << 1 << 50 << 0;
    QTest::newRow("V") << 3333 << 2 << 79 << 0;
    QTest::newRow("V upper") << 3333 << 80 << 120 << 1;
    QTest::newRow("Z") << 3327 << 1 << 61 << 0;
}

void TestTableEncoding::stepTablesRise()
{
    QFETCH(int, sensor);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, range);
    int previous = -1;
    for (int code = first; code <= last; ++code) {
        const DpiCodeBytes b = EncodeDpiCode(sensor, std::uint32_t(code));
        QCOMPARE(int(b.high), range);
        // W ends on a repeated 188; all other steps rise strictly.
        const bool lastOfW = sensor == 3335 && code == last;
        QVERIFY2(lastOfW ? b.low >= previous : b.low > previous, qPrintable(QString::number(code)));
        previous = b.low;
    }
}

void TestTableEncoding::dpiLevelBytes_data()
{
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<Bytes>("expected"); // level 0, used = 1

    QTest::newRow("3360 x120 y121") << 3360 << 0 << 120 << 121 << Bytes::fromHex("0177003c01");
    QTest::newRow("3389 x480") << 3389 << 0 << 480 << 100 << Bytes::fromHex("0140816400");
    QTest::newRow("3104 Y first") << 3104 << 0 << 50 << 107 << Bytes::fromHex("0136013200");
    QTest::newRow("31042 Y first") << 31042 << 0 << 50 << 107 << Bytes::fromHex("0136013200");
    QTest::newRow("3395 variant 8") << 3395 << 8 << 500 << 20 << Bytes::fromHex("018f011400");
    QTest::newRow("3335 X twice") << 3335 << 0 << 161 << 2 << Bytes::fromHex("0190019001");
    QTest::newRow("33352 X twice") << 33352 << 0 << 2 << 161 << Bytes::fromHex("0102000200");
    QTest::newRow("33952 X then Y") << 33952 << 0 << 520 << 520 << Bytes::fromHex("0104810802");
}

void TestTableEncoding::dpiLevelBytes()
{
    QFETCH(int, sensor);
    QFETCH(int, variant);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(Bytes, expected);
    ProfileData p;
    p.dpiLevels[0] = {1, 0, 0, std::uint32_t(x), std::uint32_t(y)};
    const std::vector<TablePacket> packets = BuildDpiTable(p, sensor, 8, std::uint8_t(variant));
    QCOMPARE(toBytes(packets.at(1).data), expected);
}

void TestTableEncoding::dpiTablePackets_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("sent");
    QTest::newRow("0 sends 8") << 0 << 8;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("5") << 5 << 5;
    QTest::newRow("8") << 8 << 8;
    QTest::newRow("9 sends 8") << 9 << 8;
    QTest::newRow("negative sends 8") << -3 << 8;
}

void TestTableEncoding::dpiTablePackets()
{
    QFETCH(int, count);
    QFETCH(int, sent);
    ProfileData p;
    for (int i = 0; i < kDpiLevelCount; ++i)
        p.dpiLevels[std::size_t(i)] = {1, 1, 0, std::uint32_t(10 + i), std::uint32_t(20 + i)};

    const std::vector<TablePacket> packets = BuildDpiTable(p, 3370, count, 0);
    QCOMPARE(int(packets.size()), 10);
    QCOMPARE(packets.front(), (TablePacket{0x02, 0, 0xD1, {std::uint8_t(sent)}}));
    for (int i = 0; i < kDpiLevelCount; ++i) {
        const std::uint8_t used = i < sent ? 1 : 0;
        // Levels beyond the count are still encoded, only marked unused.
        const TablePacket expected{
            0x02, std::uint8_t(1 + 5 * i), 0xD2, {used, std::uint8_t(9 + i), 0, std::uint8_t(19 + i), 0}};
        QCOMPARE(packets.at(std::size_t(1 + i)), expected);
    }
    QCOMPARE(packets.back(), (TablePacket{0x02, 0x7F, 0xD3, {0x1A}}));
}

// ---------------------------------------------------------------------------
// Buttons

void TestTableEncoding::functionRows_data()
{
    QTest::addColumn<int>("fun");
    QTest::addColumn<Bytes>("expected");
    // clang-format off
    const struct
    {
        int fun;
        const char *hex;
    } rows[] = {
        {1, "81000000"},  {2, "82000000"},  {3, "83000000"},  {4, "85000000"},  {5, "84000000"},
        {13, "30000000"}, {49, "89000000"}, {48, "8a000000"}, {52, "8b000000"}, {53, "8c000000"},
        {17, "8f011b00"}, {18, "8f010600"}, {19, "8f011900"}, {20, "8f010400"}, {21, "8f010900"},
        {22, "8f011100"}, {23, "8f011300"}, {24, "8f011600"}, {25, "8f042b00"}, {26, "8f043d00"},
        {27, "8f080800"}, {28, "8f081500"}, {29, "8f080700"}, {62, "8f081000"}, {30, "8f080f00"},
        {31, "8e012302"}, {32, "8e012402"}, {33, "8e012502"}, {34, "8e012602"}, {35, "8e012702"},
        {36, "8e012102"}, {37, "8e012a02"}, {38, "8e018a01"}, {40, "8e01b700"}, {39, "8e01cd00"},
        {41, "8e01b600"}, {42, "8e01b500"}, {43, "8e01e900"}, {44, "8e01ea00"}, {45, "8e01e200"},
        {46, "8e018301"}, {16, "00000000"}, {47, "88000000"}, {63, "97010000"}, {50, "97000000"},
        {51, "98000000"}, {59, "8d000000"}, {57, "94000000"}, {58, "95000000"}, {54, "9b080000"},
        {60, "9f000000"}, {61, "a0000000"},
        // Rows with parameters, with every parameter 0 and an unknown sensor.
        {6, "90000000"},  {7, "8f000000"},  {12, "99810300"}, {55, "9a010404"}, {200, "91000000"},
        {510, "9d000000"},
        // Not a function: nothing.
        {0, "00000000"},  {8, "00000000"},  {64, "00000000"}, {199, "00000000"}, {-1, "00000000"},
    };
    // clang-format on
    for (const auto &r : rows)
        QTest::addRow("fun %d", r.fun) << r.fun << Bytes::fromHex(r.hex);
}

void TestTableEncoding::functionRows()
{
    QFETCH(int, fun);
    QFETCH(Bytes, expected);
    ButtonTableState state;
    state.buffer.fill(0xEE); // every byte of the slot must be written
    ButtonEntry e;
    e.Fun = fun;
    QVERIFY(EncodeButton(state, e, 3, identityPositions(), 0));
    QCOMPARE(slotBytes(state, 3), expected);
    QCOMPARE(slotBytes(state, 2), Bytes(4, '\xEE'));
    QCOMPARE(slotBytes(state, 4), Bytes(4, '\xEE'));
}

void TestTableEncoding::parameterRules_data()
{
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("fun");
    QTest::addColumn<int>("res1");
    QTest::addColumn<int>("loops");
    QTest::addColumn<int>("keyNumber");
    QTest::addColumn<KeyInfoBlock>("keyInfo");
    QTest::addColumn<Bytes>("expected");
    const KeyInfoBlock none{};

    QTest::newRow("single A") << 0 << 6 << 30 << 0 << 0 << none << Bytes::fromHex("90000400");
    QTest::newRow("single right ctrl") << 0 << 6 << 238 << 0 << 0 << none << Bytes::fromHex("9000e400");
    QTest::newRow("single keypad 7") << 0 << 6 << 235 << 0 << 0 << none << Bytes::fromHex("90005f00");
    QTest::newRow("single mouse button") << 0 << 6 << 240 << 0 << 0 << none << Bytes::fromHex("90000000");

    QTest::newRow("sniper 3104") << 3104 << 55 << 20 << 0 << 0 << none << Bytes::fromHex("9a011414");
    QTest::newRow("sniper 3212") << 3212 << 55 << 16 << 0 << 0 << none << Bytes::fromHex("9a011010");
    QTest::newRow("sniper 3389") << 3389 << 55 << 6 << 0 << 0 << none << Bytes::fromHex("9a010606");
    QTest::newRow("sniper 3325 T") << 3325 << 55 << 26 << 0 << 0 << none << Bytes::fromHex("9a013b3b");
    QTest::newRow("sniper 3325 beyond T") << 3325 << 55 << 51 << 0 << 0 << none << Bytes::fromHex("9a017373");
    QTest::newRow("sniper 3327 Z") << 3327 << 55 << 31 << 0 << 0 << none << Bytes::fromHex("9a014848");
    QTest::newRow("sniper 3327 beyond Z") << 3327 << 55 << 200 << 0 << 0 << none << Bytes::fromHex("9a018c8c");
    QTest::newRow("sniper 3335 W") << 3335 << 55 << 120 << 0 << 0 << none << Bytes::fromHex("9a018f8f");
    QTest::newRow("sniper 3335 beyond W") << 3335 << 55 << 255 << 0 << 0 << none << Bytes::fromHex("9a01bcbc");
    QTest::newRow("sniper 3360") << 3360 << 55 << 3 << 0 << 0 << none << Bytes::fromHex("9a010202");
    QTest::newRow("sniper 3311 default") << 3311 << 55 << 50 << 0 << 0 << none << Bytes::fromHex("9a010404");

    QTest::newRow("combo ctrl+C") << 0 << 7 << 0 << 0 << 0
                                  << events({{0xE0, true}, {0x06, true}, {0x06, false}, {0xE0, false}})
                                  << Bytes::fromHex("8f010600");
    QTest::newRow("combo shift+ctrl+A")
        << 0 << 7 << 0 << 0 << 0
        << events({{0xE1, true}, {0xE0, true}, {0x04, true}, {0x04, false}, {0xE0, false}, {0xE1, false}})
        << Bytes::fromHex("8f030400");
    QTest::newRow("combo right alt+right win")
        << 0 << 7 << 0 << 0 << 0 << events({{0xE6, true}, {0xE7, true}, {0xE7, false}, {0xE6, false}})
        << Bytes::fromHex("8f0c0000");
    QTest::newRow("combo right shift+right ctrl+F5")
        << 0 << 7 << 0 << 0 << 0
        << events({{0xE5, true}, {0xE4, true}, {0x3E, true}, {0x3E, false}, {0xE4, false}, {0xE5, false}})
        << Bytes::fromHex("8f033e00");
    QTest::newRow("combo last key wins") << 0 << 7 << 0 << 0 << 0 << events({{0x04, true}, {0x05, true}})
                                         << Bytes::fromHex("8f000500");
    QTest::newRow("combo usage without code")
        << 0 << 7 << 0 << 0 << 0 << events({{0x70, true}, {0x70, false}}) << Bytes::fromHex("8f007000");
    QTest::newRow("combo reads ten entries") << 0 << 7 << 0 << 0 << 0
                                             << events({{0xE0, true},
                                                        {0xE0, false},
                                                        {0xE0, true},
                                                        {0xE0, false},
                                                        {0xE0, true},
                                                        {0xE0, false},
                                                        {0xE0, true},
                                                        {0xE0, false},
                                                        {0xE0, true},
                                                        {0xE0, false},
                                                        {0x04, true}})
                                             << Bytes::fromHex("8f050000");

    QTest::newRow("fire default") << 0 << 12 << 0 << 7 << 300 << none << Bytes::fromHex("99810300");
    QTest::newRow("fire left") << 0 << 12 << 0x81 << 3 << 100 << none << Bytes::fromHex("9981030a");
    QTest::newRow("fire key") << 0 << 12 << 0x04 << 300 << 255 << none << Bytes::fromHex("99042c19");

    QTest::newRow("macro count") << 0 << 200 << 0 << 0x0102 << 0 << none << Bytes::fromHex("91000201");
    QTest::newRow("macro held") << 0 << 200 << 1 << 5 << 0 << none << Bytes::fromHex("9180ffff");
    QTest::newRow("macro toggle") << 0 << 200 << 2 << 5 << 0 << none << Bytes::fromHex("9140ffff");
    QTest::newRow("macro unknown mode") << 0 << 200 << 9 << 5 << 0 << none << Bytes::fromHex("91000500");
    QTest::newRow("gun held") << 0 << 510 << 1 << 5 << 0 << none << Bytes::fromHex("9d80ffff");
}

void TestTableEncoding::parameterRules()
{
    QFETCH(int, sensor);
    QFETCH(int, fun);
    QFETCH(int, res1);
    QFETCH(int, loops);
    QFETCH(int, keyNumber);
    QFETCH(KeyInfoBlock, keyInfo);
    QFETCH(Bytes, expected);
    ButtonTableState state;
    state.buffer.fill(0xEE);
    ButtonEntry e;
    e.Fun = fun;
    e.Res1 = std::uint8_t(res1);
    e.LoopNumber = loops;
    e.KeyNumber = keyNumber;
    e.keyInfo = keyInfo;
    e.macroname = QStringLiteral("m");
    QVERIFY(EncodeButton(state, e, 22, identityPositions(), sensor));
    QCOMPARE(slotBytes(state, 22), expected);
}

void TestTableEncoding::macroIndexMap()
{
    ButtonTableState state;
    state.macroIndexMap[7] = QStringLiteral("left over");
    ProfileData p;
    p.buttons[0] = macroButton(200, "a", 0, 2);
    p.buttons[1] = macroButton(200, "b", 1);
    p.buttons[2] = macroButton(200, "a", 2);
    p.buttons[3] = macroButton(510, "gun", 0, 1);
    p.buttons[4].Fun = 1;
    p.buttons[kWheelUpEntry] = macroButton(200, "b", 0, 3);
    p.buttons[kWheelDownEntry].Fun = 53;

    BuildButtonTable(state, p, 5, identityPositions(), 0);
    const std::map<std::uint8_t, QString> expectedMap{{0, "a"}, {1, "b"}, {2, "gun"}};
    QCOMPARE(state.macroIndexMap, expectedMap);
    QCOMPARE(slotBytes(state, 0), Bytes::fromHex("91000200"));
    QCOMPARE(slotBytes(state, 1), Bytes::fromHex("9181ffff"));
    QCOMPARE(slotBytes(state, 2), Bytes::fromHex("9140ffff"));
    QCOMPARE(slotBytes(state, 3), Bytes::fromHex("9d020100"));
    QCOMPARE(slotBytes(state, 22), Bytes::fromHex("91010300"));
    QCOMPARE(slotBytes(state, 23), Bytes::fromHex("8c000000"));
    QCOMPARE(int(p.buttons[0].Res4), 0);
    QCOMPARE(int(p.buttons[1].Res4), 1);
    QCOMPARE(int(p.buttons[2].Res4), 0);
    QCOMPARE(int(p.buttons[3].Res4), 2);
    QCOMPARE(int(p.buttons[kWheelUpEntry].Res4), 1);

    // The upload takes names out of the map; the next table write starts afresh.
    state.macroIndexMap.erase(0);
    BuildButtonTable(state, p, 5, identityPositions(), 0);
    QCOMPARE(state.macroIndexMap, expectedMap);
}

void TestTableEncoding::positionTable()
{
    ButtonTableState state;
    ButtonPositions positions{};
    for (int i = 0; i < kModelButtonTableSize; ++i)
        positions[std::size_t(i)] = std::uint8_t(15 - i);
    positions[0] = 20;
    ProfileData p;
    p.buttons[0].Fun = 1;
    p.buttons[1].Fun = 2;
    p.buttons[2].Fun = 3;
    p.buttons[kWheelUpEntry].Fun = 52;
    p.buttons[kWheelDownEntry].Fun = 53;

    BuildButtonTable(state, p, 3, positions, 0);
    QCOMPARE(slotBytes(state, 20), Bytes::fromHex("81000000"));
    QCOMPARE(slotBytes(state, 14), Bytes::fromHex("82000000"));
    QCOMPARE(slotBytes(state, 13), Bytes::fromHex("83000000"));
    QCOMPARE(slotBytes(state, 22), Bytes::fromHex("8b000000")); // wheels ignore the table
    QCOMPARE(slotBytes(state, 23), Bytes::fromHex("8c000000"));
    QCOMPARE(slotBytes(state, 0), Bytes(4, '\0'));

    // Slots no button writes keep what an earlier table write left there.
    p.buttons[0].Fun = 4;
    BuildButtonTable(state, p, 1, identityPositions(), 0);
    QCOMPARE(slotBytes(state, 0), Bytes::fromHex("85000000"));
    QCOMPARE(slotBytes(state, 20), Bytes::fromHex("81000000"));
    QCOMPARE(slotBytes(state, 14), Bytes::fromHex("82000000"));
}

void TestTableEncoding::slotOutsideTableNotWritten()
{
    ButtonTableState state;
    const auto before = state.buffer;
    ButtonPositions positions = identityPositions();
    positions[2] = 24;  // would land on the bytes sent as FF
    positions[3] = 255; // far beyond the 128-byte buffer
    ButtonEntry e = macroButton(200, "m", 1);
    QVERIFY(!EncodeButton(state, e, 2, positions, 0));
    QVERIFY(!EncodeButton(state, e, 3, positions, 0));
    QVERIFY(!EncodeButton(state, e, 16, positions, 0));
    QVERIFY(!EncodeButton(state, e, -1, positions, 0));
    QCOMPARE(state.buffer, before);
    // The macro still counts, so the upload finds it.
    QCOMPARE(state.macroIndexMap.size(), std::size_t(1));
}

void TestTableEncoding::buttonCountAbove16()
{
    ButtonTableState state;
    ProfileData p;
    for (int k = 0; k < kButtonEntryCount; ++k)
        p.buttons[std::size_t(k)].Fun = 2;
    p.buttons[16] = macroButton(200, "past the table", 0);
    p.buttons[kWheelUpEntry].Fun = 52;
    p.buttons[kWheelDownEntry].Fun = 53;

    const std::vector<TablePacket> packets = BuildButtonTable(state, p, 40, identityPositions(), 0);
    QCOMPARE(int(packets.size()), 7);
    for (int s = 0; s < 16; ++s)
        QCOMPARE(slotBytes(state, s), Bytes::fromHex("82000000"));
    for (int s = 16; s < 22; ++s)
        QCOMPARE(slotBytes(state, s), Bytes(4, '\0'));
    QVERIFY(state.macroIndexMap.empty());

    // A negative count encodes the wheels only.
    ButtonTableState fresh;
    BuildButtonTable(fresh, p, -5, identityPositions(), 0);
    QCOMPARE(slotBytes(fresh, 0), Bytes(4, '\0'));
    QCOMPARE(slotBytes(fresh, 22), Bytes::fromHex("8b000000"));
}

void TestTableEncoding::buttonTablePackets()
{
    ButtonTableState state;
    ProfileData p;
    for (int k = 0; k < 8; ++k)
        p.buttons[std::size_t(k)].Fun = 1 + k % 5;
    p.buttons[kWheelUpEntry].Fun = 43;
    p.buttons[kWheelDownEntry].Fun = 44;

    const std::vector<TablePacket> packets = BuildButtonTable(state, p, 8, identityPositions(), 0);
    QCOMPARE(int(packets.size()), 7);
    QCOMPARE(packets[0], (TablePacket{0x03, 0, 0xD1, {0x0A, 0x00}}));
    const std::uint8_t offsets[] = {2, 26, 50, 74};
    for (int i = 0; i < 4; ++i) {
        const TablePacket &pk = packets[std::size_t(1 + i)];
        QCOMPARE(int(pk.command), 0x03);
        QCOMPARE(pk.offset, offsets[i]);
        QCOMPARE(int(pk.tag), 0xD2);
        QCOMPARE(toBytes(pk.data), Bytes(reinterpret_cast<const char *>(state.buffer.data()) + offsets[i], 24));
    }
    QCOMPARE(toBytes(packets[1].data).left(8), Bytes::fromHex("8100000082000000"));
    QCOMPARE(toBytes(packets[4].data).mid(16, 8), Bytes::fromHex("8e01e9008e01ea00")); // slots 22, 23
    QCOMPARE(packets[5], (TablePacket{0x03, 98, 0xD2, {0xFF, 0xFF, 0xFF, 0xFF}}));
    QCOMPARE(packets[6], (TablePacket{0x03, 0x7F, 0xD3, {0x1A}}));
}

QTEST_GUILESS_MAIN(TestTableEncoding)
#include "tst_tableencoding.moc"
