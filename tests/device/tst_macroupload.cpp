// The macro upload: packing a macro into its slot (inserted delays, recorded
// delays, long macros) and the walk over the buttons with its lookup and early
// end rules, byte for byte against the simulated mouse.
#include "tst_applysupport.h"

#include "ApplySequence.h"
#include "MacroUpload.h"

#include <QtTest>

using Actions = std::vector<MacroAction>;
Q_DECLARE_METATYPE(Actions)

namespace {

MacroAction key(int usage)
{
    return macroKeyAction(std::uint8_t(usage), true);
}

std::vector<MacroAction> keys(int n)
{
    std::vector<MacroAction> actions;
    for (int i = 0; i < n; ++i)
        actions.push_back(key(i + 1));
    return actions;
}

QByteArray hex(const std::vector<std::uint8_t> &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size())).toHex(' ');
}

std::vector<Report> macroPackets()
{
    std::vector<Report> out;
    for (const Report &r : delivered())
        if (r[3] == 0x05)
            out.push_back(r);
    return out;
}

// The ten packets of slot `slot` holding `bytes`, as the mouse must receive them.
std::vector<Report> slotReports(int slot, const QByteArray &bytesHex)
{
    QByteArray area = QByteArray::fromHex(bytesHex);
    area.resize(200); // the rest of the slot is zero
    std::fill(area.begin() + QByteArray::fromHex(bytesHex).size(), area.end(), '\0');
    std::vector<Report> out;
    for (int j = 0; j < 10; ++j) {
        const int offset = 200 * slot + 20 * j;
        std::vector<std::uint8_t> data(area.begin() + 20 * j, area.begin() + 20 * j + 20);
        out.push_back(report(0x05, std::uint8_t(offset & 0xFF), std::uint8_t(offset >> 8), data,
                             (slot == 0 && j == 0) ? 0xD1 : 0xD2));
    }
    return out;
}

const Report kMacroClose = report(0x05, 0xFF, 0x0F, {0x1A}, 0xD3);

} // namespace

class TestMacroUpload : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void packing_data();
    void packing();
    void longMacros_data();
    void longMacros();
    void walk_data();
    void walk();
    void sharedMacroIsSentOnce();
    void firstSlotEmpty();
    void indexBeyondSlots();
    void failingPacket();
    void applyWithoutButtonsUsesLeftoverMap();
};

void TestMacroUpload::init()
{
    resetSim();
}

void TestMacroUpload::packing_data()
{
    QTest::addColumn<Actions>("actions");
    QTest::addColumn<QByteArray>("packed");

    QTest::newRow("n=0") << std::vector<MacroAction>{} << QByteArray("06 01 00 00 00 00");
    QTest::newRow("n=2") << keys(2) << QByteArray("84 01 00 84 02 00 06 01 00 00 00 00");
    QTest::newRow("n=3") << keys(3) << QByteArray("84 01 00 84 02 00 84 03 00 06 01 00 06 01 00");
    QTest::newRow("n=4") << keys(4) << QByteArray("84 01 00 84 02 00 84 03 00 84 04 00 06 01 00 06 01 00 00 00 00");
    QTest::newRow("n=5") << keys(5)
                         << QByteArray("84 01 00 84 02 00 84 03 00 84 04 00 06 01 00 84 05 00 06 01 00 00 00 00");
    QTest::newRow("recorded delay kept, low byte first")
        << std::vector<MacroAction>{key(4), macroDelayAction(3000), macroKeyAction(4, false)}
        << QByteArray("84 04 00 06 2c 01 04 04 00");
    QTest::newRow("move: low then high byte")
        << std::vector<MacroAction>{macroMoveAction(0, -5)} << QByteArray("02 00 fb 06 01 00 00 00 00");
}

void TestMacroUpload::packing()
{
    QFETCH(Actions, actions);
    QFETCH(QByteArray, packed);
    QCOMPARE(hex(PackMacro(actions)), packed);
}

void TestMacroUpload::longMacros_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("last");

    QTest::newRow("48 actions") << 48 << 186 << QByteArray("00 00 00");
    QTest::newRow("49 actions") << 49 << 189 << QByteArray("00 00 00");
    QTest::newRow("50 actions cut to 63") << 50 << 189 << QByteArray("06 01 00");
    QTest::newRow("63 actions cut to 63") << 63 << 189 << QByteArray("84 33 00"); // action 50
    QTest::newRow("70 actions read as 63") << 70 << 189 << QByteArray("84 33 00");
}

void TestMacroUpload::longMacros()
{
    QFETCH(int, count);
    QFETCH(int, size);
    QFETCH(QByteArray, last);
    const std::vector<std::uint8_t> packed = PackMacro(keys(count));
    QCOMPARE(int(packed.size()), size);
    QCOMPARE(hex(std::vector<std::uint8_t>(packed.end() - 3, packed.end())), last);
}

void TestMacroUpload::walk_data()
{
    // Buttons as "slot:button:name[:fun]"; the slots expected in the mouse.
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QList<int>>("slotsSent");

    QTest::newRow("one macro") << QStringList{"0:3:m1"} << QList<int>{0};
    QTest::newRow("gun macro (510)") << QStringList{"0:3:m1:510"} << QList<int>{0};
    QTest::newRow("map empty: macro only in slot 1") << QStringList{"1:3:m1"} << QList<int>{};
    QTest::newRow("two macros, the second by a wheel") << QStringList{"0:2:m1", "0:41:m2"} << QList<int>{0, 1};
    QTest::newRow("button beyond the table shares a name")
        << QStringList{"0:12:m2", "0:1:m1", "0:20:m1"} << QList<int>{0};
    QTest::newRow("slot 2 macro not on the table") << QStringList{"0:1:m1", "0:2:m2", "2:1:m3"} << QList<int>{0, 1};
    QTest::newRow("missing macro file") << QStringList{"0:1:nofile"} << QList<int>{0};
}

void TestMacroUpload::walk()
{
    QFETCH(QStringList, buttons);
    QFETCH(QList<int>, slotsSent);

    ApplyRig rig;
    rig.saveMacroActions(QStringLiteral("m1"), {key(4)});
    rig.saveMacroActions(QStringLiteral("m2"), {key(5), key(6)});
    rig.saveMacroActions(QStringLiteral("m3"), {key(7)});
    AppConfig working = sampleConfig();
    for (const QString &row : buttons) {
        const QStringList f = row.split(':');
        ButtonEntry e = macroEntry(f[2], f.size() > 3 ? f[3].toInt() : kFunMacro);
        working.profiles[std::size_t(f[0].toInt())].buttons[std::size_t(f[1].toInt())] = e;
    }
    ApplySequence apply(rig.link.link);
    QCOMPARE(apply.ApplyToDevice(working, kChangeButtons), kResultOk);

    const std::vector<Report> packets = macroPackets();
    QCOMPARE(int(packets.size()), slotsSent.isEmpty() ? 0 : 10 * slotsSent.size() + 1);
    for (int slot = 0; slot < 20; ++slot) {
        const std::vector<std::uint8_t> bytes = sim().macroSlot(slot);
        const bool written = std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b != 0; });
        QCOMPARE(written, slotsSent.contains(slot));
    }
    if (!slotsSent.isEmpty())
        QCOMPARE(hexOf(packets.back()), hexOf(kMacroClose));
    QVERIFY(apply.buttonTableState().macroIndexMap.empty() || slotsSent.isEmpty());
    // One 50 ms pause per packed macro.
    QCOMPARE(int(rig.clock.pauses().count(50)), slotsSent.size());
}

void TestMacroUpload::sharedMacroIsSentOnce()
{
    // Two buttons, one macro: the name leaves the map after the first button,
    // and the slot must still reach the mouse.
    ApplyRig rig;
    rig.saveMacroActions(QStringLiteral("m1"), {key(4), macroKeyAction(4, false)});
    AppConfig working = sampleConfig();
    working.profiles[0].buttons[1] = macroEntry(QStringLiteral("m1"));
    working.profiles[0].buttons[4] = macroEntry(QStringLiteral("m1"));
    working.profiles[3].buttons[0] = macroEntry(QStringLiteral("m1"));
    ApplySequence apply(rig.link.link);
    QCOMPARE(apply.ApplyToDevice(working, kChangeButtons), kResultOk);

    std::vector<Report> expected = slotReports(0, "84 04 00 04 04 00 06 01 00");
    expected.push_back(kMacroClose);
    const std::vector<Report> got = macroPackets();
    QCOMPARE(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        QCOMPARE(hexOf(got[i]), hexOf(expected[i]));
    QCOMPARE(int(delivered().back()[3]), 0x46); // transfer end follows
}

void TestMacroUpload::firstSlotEmpty()
{
    ApplyRig rig;
    rig.saveMacroActions(QStringLiteral("m"), {key(9)});
    AppConfig image = sampleConfig();
    image.profiles[2].buttons[5] = macroEntry(QStringLiteral("m"));
    std::map<std::uint8_t, QString> map{{1, QStringLiteral("m")}};
    QCOMPARE(UploadMacros(rig.link.link, rig.dirs(), image, map), kResultOk);

    std::vector<Report> expected = slotReports(1, "84 09 00 06 01 00");
    expected.push_back(kMacroClose);
    const std::vector<Report> got = delivered();
    QCOMPARE(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        QCOMPARE(hexOf(got[i]), hexOf(expected[i]));
        QVERIFY(got[i][7] != 0xD1);
    }
    QVERIFY(map.empty());
}

void TestMacroUpload::indexBeyondSlots()
{
    ApplyRig rig;
    rig.saveMacroActions(QStringLiteral("a"), {key(4)});
    rig.saveMacroActions(QStringLiteral("z"), {key(5)});
    AppConfig image = sampleConfig();
    image.profiles[0].buttons[0] = macroEntry(QStringLiteral("a"));
    image.profiles[0].buttons[1] = macroEntry(QStringLiteral("z"));
    std::map<std::uint8_t, QString> map{{0, QStringLiteral("a")}, {20, QStringLiteral("z")}};
    MessageCapture capture;
    QCOMPARE(UploadMacros(rig.link.link, rig.dirs(), image, map), kResultOk);
    QVERIFY(delivered().empty());
    QCOMPARE(capture.count(QStringLiteral("iIndex>=MAX_MACRO_NUMBER_560\n")), 1);
}

void TestMacroUpload::failingPacket()
{
    ApplyRig rig;
    rig.saveMacroActions(QStringLiteral("m"), {key(4)});
    AppConfig image = sampleConfig();
    image.profiles[0].buttons[0] = macroEntry(QStringLiteral("m"));
    std::map<std::uint8_t, QString> map{{0, QStringLiteral("m")}};
    sim().pullAfterPackets(mousesim::Identity::Receiver, 3);
    QCOMPARE(UploadMacros(rig.link.link, rig.dirs(), image, map), kResultWriteFailed);
    const std::vector<Report> got = delivered();
    QCOMPARE(int(got.size()), 3);
    for (const Report &r : got)
        QVERIFY(r[7] != 0xD3);
}

void TestMacroUpload::applyWithoutButtonsUsesLeftoverMap()
{
    ApplyRig rig;
    rig.saveMacroActions(QStringLiteral("m"), {key(4)});
    AppConfig working = sampleConfig();
    working.profiles[0].buttons[0] = macroEntry(QStringLiteral("m"));
    ApplySequence apply(rig.link.link);
    QCOMPARE(apply.ApplyToDevice(working, kChangeButtons), kResultOk);
    QCOMPARE(int(macroPackets().size()), 11);

    // Uploaded macros left the map: a lighting apply sends none.
    sim().clearTraffic();
    QCOMPARE(apply.ApplyToDevice(working, kChangeLighting), kResultOk);
    QVERIFY(macroPackets().empty());

    // A new button table brings them back.
    sim().clearTraffic();
    QCOMPARE(apply.ApplyToDevice(working, kChangeButtons | kChangeLighting), kResultOk);
    QCOMPARE(int(macroPackets().size()), 11);
}

QTEST_GUILESS_MAIN(TestMacroUpload)
#include "tst_macroupload.moc"
