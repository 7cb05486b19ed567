// The apply sequence against the simulated mouse: the order and bytes of every
// packet per change mask, the general settings and lighting tables, the tables
// as the mouse decodes them, faults at each step, and the status thread.
#include "tst_applysupport.h"

#include "ApplySequence.h"
#include "StatusThreadOwner.h"
#include "TarnGetBatteryThread.h"

#include <QPointer>
#include <QtTest>

namespace {

std::vector<std::uint8_t> hexBytes(const char *text)
{
    const QByteArray raw = QByteArray::fromHex(QByteArray(text).replace(' ', ""));
    return std::vector<std::uint8_t>(raw.begin(), raw.end());
}

QByteArray repeat(const char *code, int n)
{
    QByteArrayList parts;
    for (int i = 0; i < n; ++i)
        parts << code;
    return parts.join(' ');
}

// A working copy whose slot 0 plays macro "m1" (two key actions) on button 7.
AppConfig configWithMacro(ApplyRig &rig)
{
    rig.saveMacroActions(QStringLiteral("m1"), {macroKeyAction(4, true), macroKeyAction(4, false)});
    AppConfig c = sampleConfig();
    c.profiles[0].buttons[7] = macroEntry(QStringLiteral("m1"));
    return c;
}

int indexOfNth(const std::vector<Report> &reports, std::uint8_t code, int nth)
{
    for (std::size_t i = 0; i < reports.size(); ++i)
        if (reports[i][3] == code && nth-- == 0)
            return int(i);
    return -1;
}

} // namespace

class TestApplySequence : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void maskSequence_data();
    void maskSequence();
    void lightingPacketsExact();
    void generalSettings_data();
    void generalSettings();
    void fullApplyMatchesWorkingCopy();
    void dpiTableThroughLink_data();
    void dpiTableThroughLink();
    void buttonBufferPersists();
    void faultAtEachStep_data();
    void faultAtEachStep();
    void statusThreadAroundApply();
};

void TestApplySequence::init()
{
    resetSim();
}

void TestApplySequence::maskSequence_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<bool>("macro");
    QTest::addColumn<QByteArray>("codes");

    const QByteArray completion = repeat("40", 5);
    const QByteArray macroArea = repeat("05", 11);
    QTest::newRow("mask 0") << 0 << false << QByteArray("46 46");
    QTest::newRow("mask 0 with macro") << 0 << true << "46 " + macroArea + " 46";
    QTest::newRow("mask 1") << 1 << false << "46 01 01 " + completion + " 46";
    QTest::newRow("mask 2") << 2 << false << "46 " + repeat("02", 10) + " " + completion + " 46";
    QTest::newRow("mask 4 with macro") << 4 << true
                                       << "46 " + repeat("03", 7) + " " + completion + " " + macroArea + " 46";
    QTest::newRow("mask 8") << 8 << false << "46 " + repeat("04", 5) + " " + completion + " 46";
    QTest::newRow("mask 15 with macro") << 15 << true
                                        << "46 01 01 " + repeat("03", 7) + " " + repeat("02", 10) + " " +
                                               repeat("04", 5) + " " + completion + " " + macroArea + " 46";
}

void TestApplySequence::maskSequence()
{
    QFETCH(int, mask);
    QFETCH(bool, macro);
    QFETCH(QByteArray, codes);

    ApplyRig rig;
    AppConfig working = macro ? configWithMacro(rig) : sampleConfig();
    ApplySequence apply(rig.link.link);
    if (macro && !(mask & kChangeButtons)) {
        // The upload works from the map of the last button table.
        QCOMPARE(apply.ApplyToDevice(working, kChangeButtons), kResultOk);
        QCOMPARE(apply.buttonTableState().macroIndexMap.size(), std::size_t(0));
        apply.buttonTableState().macroIndexMap[0] = QStringLiteral("m1");
        sim().clearTraffic();
    }
    const AppConfig before = working;
    QCOMPARE(apply.ApplyToDevice(working, mask), kResultOk);
    const std::vector<Report> got = delivered();
    QCOMPARE(codesOf(got), codes);
    QCOMPARE(hexOf(got.front()), hexOf(report(0x46, 0, 0)));
    QCOMPARE(hexOf(got.back()), hexOf(report(0x46, 1, 0)));
    QCOMPARE(working, before);
    QCOMPARE(apply.deviceImage().profiles[1], working.profiles[1]);
}

void TestApplySequence::lightingPacketsExact()
{
    ApplyRig rig;
    AppConfig working = sampleConfig();
    working.ProfileID = 3; // the lighting records still come from slot 0
    for (int m = 0; m < kLedModeCount; ++m) {
        LedModeSetting &led = working.profiles[0].ledModes[std::size_t(m)];
        led.RGB = QColor(m, 0x10 + m, 0x20 + m);
        led.bright = std::uint32_t(0x30 + m);
        led.breath = std::uint32_t(0x40 + m);
    }
    ApplySequence apply(rig.link.link);
    QCOMPARE(apply.ApplyToDevice(working, kChangeLighting), kResultOk);

    const std::vector<std::uint8_t> table = hexBytes("80 00 00 00 00 00 00 00"
                                                     "80 01 11 21 01 00 02 31"
                                                     "80 02 12 22 01 42 04 03"
                                                     "80 00 00 00 01 43 01 03"
                                                     "80 00 00 00 01 44 08 34"
                                                     "80 00 00 00 05 49 01 39"
                                                     "80 00 00 00 07 00 00 3b"
                                                     "80 00 00 00 06 4a 00 3a"
                                                     "80 00 00 00 08 4c 00 3c"
                                                     "80 00 00 00 09 4d 00 3d");
    auto part = [&](int from, int n) {
        return std::vector<std::uint8_t>(table.begin() + from, table.begin() + from + n);
    };
    const std::vector<Report> expected = {
        report(0x46, 0, 0),
        report(0x04, 0, 0, part(0, 24), 0xD1),
        report(0x04, 24, 0, part(24, 24), 0xD2),
        report(0x04, 48, 0, part(48, 24), 0xD2),
        report(0x04, 72, 0, part(72, 8), 0xD2),
        closeReport(0x04),
        report(0x40, 0xF3, 0x04),
        report(0x40, 0xF3, 0x01),
        report(0x40, 0xF3, 0x02),
        report(0x40, 0xF3, 0x08),
        report(0x40, 0xF3, 0x10),
        report(0x46, 1, 0),
    };
    const std::vector<Report> got = delivered();
    QCOMPARE(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        QVERIFY2(got[i] == expected[i], qPrintable(QStringLiteral("packet %1: %2").arg(i).arg(QString(hexOf(got[i])))));
}

void TestApplySequence::generalSettings_data()
{
    QTest::addColumn<int>("profileId");
    QTest::addColumn<int>("ledMode");
    QTest::addColumn<int>("effect");
    QTest::addColumn<int>("sentId");

    QTest::newRow("LedMode 10") << 0 << 10 << 8 << 0;
    QTest::newRow("LedMode 7") << 0 << 7 << 6 << 0;
    QTest::newRow("LedMode 200") << 0 << 200 << 6 << 0;
    QTest::newRow("LedMode 0") << 0 << 0 << 1 << 0;
    QTest::newRow("LedMode 11") << 0 << 11 << 7 << 0;
    QTest::newRow("LedMode 12") << 0 << 12 << 9 << 0;
    QTest::newRow("LedMode 13") << 0 << 13 << 10 << 0;
    QTest::newRow("ProfileID 3") << 3 << 10 << 8 << 3;
    QTest::newRow("ProfileID 4 LedMode 5") << 4 << 5 << 6 << 4;
    // A damaged active slot must not name a slot the mouse lacks.
    QTest::newRow("ProfileID 7 names slot 0") << 7 << 1 << 2 << 0;
}

void TestApplySequence::generalSettings()
{
    QFETCH(int, profileId);
    QFETCH(int, ledMode);
    QFETCH(int, effect);
    QFETCH(int, sentId);

    ApplyRig rig;
    AppConfig working = sampleConfig();
    working.ProfileID = std::uint8_t(profileId);
    working.profiles[std::size_t(sentId)].LedMode = std::uint8_t(ledMode);
    if (sentId != 0)
        working.profiles[0].LedMode = 1; // must not leak into the packet
    ApplySequence apply(rig.link.link);
    QCOMPARE(apply.ApplyToDevice(working, kChangeGeneral), kResultOk);

    const std::uint8_t id = std::uint8_t(sentId);
    // scroll speeds, lift-off, slot, slot 0's LedMoveOFF/LedSleepTime, 1, 1,
    // report rates, 0x1F, the active slot's dpi and effect code.
    const std::vector<std::uint8_t> data = {
        1, 2, 3, 4, 5, 2, id, 0xF0, 3, 1, 1, 1, 2, 4, 8, 1, 0x1F, id, std::uint8_t(effect)};
    const std::vector<Report> got = delivered();
    QVERIFY(got.size() >= 3);
    QCOMPARE(hexOf(got[1]), hexOf(report(0x01, 0, 0, data, 0xD1)));
    QCOMPARE(hexOf(got[2]), hexOf(closeReport(0x01)));
    QCOMPARE(int(sim().generalSettings().profileId), sentId);
    QCOMPARE(int(sim().firmwareState().profile), sentId);
}

void TestApplySequence::fullApplyMatchesWorkingCopy()
{
    ApplyRig rig;
    AppConfig working = configWithMacro(rig);
    working.profiles[0].buttons[2] = working.profiles[0].buttons[7];
    working.profiles[0].buttons[7] = macroEntry(QStringLiteral("m2")); // the second distinct macro, loop mode 1
    working.profiles[0].buttons[7].Res1 = 1;
    rig.saveMacroActions(QStringLiteral("m2"), {macroDelayAction(3000)});
    working.profiles[0].buttons[3].Fun = 12; // fire key, Res1 0
    ButtonEntry &combo = working.profiles[0].buttons[4];
    combo.Fun = 7; // Ctrl press, 0x06 press, 0x06 release, Ctrl release
    combo.keyInfo[0] = {0xE0, 0x05, 0x80};
    combo.keyInfo[1] = {0x06, 0x05, 0x80};
    combo.keyInfo[2] = {0x06, 0x05, 0x00};
    combo.keyInfo[3] = {0xE0, 0x05, 0x00};
    ApplySequence apply(rig.link.link);
    QCOMPARE(apply.ApplyToDevice(working, kChangeAll), kResultOk);

    // What the mouse decoded, against the record.
    const mousesim::GeneralSettings g = sim().generalSettings();
    for (int s = 0; s < kProfileCount; ++s) {
        QCOMPARE(g.scrollSpeed[std::size_t(s)], working.profiles[std::size_t(s)].scrollspeed);
        QCOMPARE(g.pollRate[std::size_t(s)], working.profiles[std::size_t(s)].pollrate);
    }
    QCOMPARE(g.liftHigh, working.LiftHigh);
    QCOMPARE(int(g.fixed16), 0x1F);
    QCOMPARE(int(g.effectCode), 2); // slot 0 LedMode 1

    const mousesim::DpiTable dpi = sim().dpiTable();
    QCOMPARE(int(dpi.count), 8);
    for (int i = 0; i < kDpiLevelCount; ++i) {
        const DpiLevel &l = working.profiles[0].dpiLevels[std::size_t(i)];
        QCOMPARE(int(dpi.levels[std::size_t(i)].used), 1);
        QCOMPARE(int(dpi.levels[std::size_t(i)].xLow), int(l.x) - 1); // sensor 3360 below code 121
        QCOMPARE(int(dpi.levels[std::size_t(i)].yLow), int(l.y) - 1);
    }

    const mousesim::ButtonTable buttons = sim().buttonTable();
    QCOMPARE(int(buttons.header0), 0x0A);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(buttons.trailer.data()), 4), QByteArray(4, char(0xFF)));
    const std::array<std::uint8_t, 4> left = {0x81, 0, 0, 0}, macro1 = {0x91, 0, 1, 0},
                                      macro2 = {0x91, 0x81, 0xFF, 0xFF}, wheelUp = {0x8B, 0, 0, 0};
    QCOMPARE(buttons.records[0].bytes, left);
    QCOMPARE(buttons.records[2].bytes, macro1);
    QCOMPARE(buttons.records[7].bytes, macro2);
    QCOMPARE(buttons.records[22].bytes, wheelUp);
    const std::array<std::uint8_t, 4> fire = {0x99, 0x81, 0x03, 0x00}, ctrlC = {0x8F, 0x01, 0x06, 0x00};
    QCOMPARE(buttons.records[3].bytes, fire);
    QCOMPARE(buttons.records[4].bytes, ctrlC);

    const auto lighting = sim().lighting();
    const LedModeSetting &one = working.profiles[0].ledModes[1];
    const std::array<std::uint8_t, 8> record1 = {
        0x80, std::uint8_t(one.RGB.red()), std::uint8_t(one.RGB.green()), std::uint8_t(one.RGB.blue()), 1, 0,
        2,    std::uint8_t(one.bright)};
    QCOMPARE(lighting[1].bytes, record1);

    // m1: two key actions and the inserted delay; m2: its recorded delay, L then H.
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(sim().macroSlot(0).data()), 12).toHex(' '),
             QByteArray("84 04 00 04 04 00 06 01 00 00 00 00"));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(sim().macroSlot(1).data()), 6).toHex(' '),
             QByteArray("06 2c 01 00 00 00"));

    // The whole tables equal what the encoders make of the working copy.
    ButtonTableState freshState;
    ProfileData slot0 = working.profiles[0];
    ButtonPositions positions{};
    for (int i = 0; i < kModelButtonTableSize; ++i)
        positions[std::size_t(i)] = std::uint8_t(i);
    auto flatten = [](const std::vector<TablePacket> &packets) {
        std::vector<std::uint8_t> bytes(128, 0);
        for (const TablePacket &p : packets)
            if (p.tag != 0xD3)
                std::copy(p.data.begin(), p.data.end(), bytes.begin() + p.offset);
        return bytes;
    };
    QCOMPARE(sim().table(0x01), flatten(BuildGeneralSettings(working)));
    QCOMPARE(sim().table(0x02), flatten(BuildDpiTable(slot0, 3360, 8, 0)));
    QCOMPARE(sim().table(0x03), flatten(BuildButtonTable(freshState, slot0, 8, positions, 3360)));
    QCOMPARE(sim().table(0x04), flatten(BuildLightingTable(slot0)));
    for (std::uint8_t code = 1; code <= 5; ++code)
        QVERIFY(sim().tableClosed(code));

    QStringList events;
    for (const mousesim::Event &e : sim().events())
        events << QStringLiteral("%1:%2:%3").arg(int(e.kind)).arg(e.command, 2, 16).arg(e.param2, 2, 16);
    QCOMPARE(events.first(), QStringLiteral("0:46: 0"));
    QCOMPARE(events.last(), QStringLiteral("0:46: 0")); // transfer end: param1 1, param2 0
    QCOMPARE(sim().events().back().param1, std::uint8_t(1));
    QStringList completions = events.filter(QStringLiteral("1:40:"));
    QCOMPARE(completions.join(' '), QStringLiteral("1:40: 4 1:40: 1 1:40: 2 1:40: 8 1:40:10"));
}

void TestApplySequence::dpiTableThroughLink_data()
{
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QByteArray>("level0");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("variant");

    QTest::newRow("3360 120/121") << 3360 << 8 << 120 << 121 << QByteArray("01 77 00 3c 01") << 8 << 0;
    QTest::newRow("3104 Y first") << 3104 << 8 << 50 << 107 << QByteArray("01 36 01 32 00") << 8 << 0;
    QTest::newRow("3389 480") << 3389 << 8 << 480 << 480 << QByteArray("01 40 81 40 81") << 8 << 0;
    QTest::newRow("3395 variant 8 stops at 399") << 3395 << 8 << 500 << 500 << QByteArray("01 8f 01 8f 01") << 8 << 8;
    QTest::newRow("3395 variant 0") << 3395 << 8 << 500 << 500 << QByteArray("01 f4 01 f4 01") << 8 << 0;
    QTest::newRow("count 0 sends 8") << 3360 << 0 << 10 << 10 << QByteArray("01 09 00 09 00") << 8 << 0;
    QTest::newRow("count 9 sends 8") << 3360 << 9 << 10 << 10 << QByteArray("01 09 00 09 00") << 8 << 0;
    QTest::newRow("count 6") << 3360 << 6 << 10 << 10 << QByteArray("01 09 00 09 00") << 6 << 0;
}

void TestApplySequence::dpiTableThroughLink()
{
    QFETCH(int, sensor);
    QFETCH(int, levels);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QByteArray, level0);
    QFETCH(int, count);
    QFETCH(int, variant);

    ApplyRig rig(8, levels, sensor);
    rig.link.link.setStatusVariant(std::uint8_t(variant));
    AppConfig working = sampleConfig();
    working.profiles[0].dpiLevels[0].x = std::uint32_t(x);
    working.profiles[0].dpiLevels[0].y = std::uint32_t(y);
    ApplySequence apply(rig.link.link);
    QCOMPARE(apply.ApplyToDevice(working, kChangeDpi), kResultOk);

    const std::vector<std::uint8_t> table = sim().table(0x02);
    QCOMPARE(int(table[0]), count);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(table.data()) + 1, 5).toHex(' '), level0);
    for (int i = 0; i < kDpiLevelCount; ++i)
        QCOMPARE(int(table[std::size_t(1 + 5 * i)]), i < count ? 1 : 0);
}

void TestApplySequence::buttonBufferPersists()
{
    ApplyRig rig(8);
    AppConfig working = sampleConfig();
    ApplySequence apply(rig.link.link);
    QCOMPARE(apply.ApplyToDevice(working, kChangeButtons), kResultOk);
    const mousesim::ButtonTable first = sim().buttonTable();

    // A model with two buttons writes slots 0 and 1 only; the others keep what
    // the first table put there.
    rig.setModel(2, 8, 3360);
    for (ButtonEntry &b : working.profiles[0].buttons)
        b.Fun = 0;
    QCOMPARE(apply.ApplyToDevice(working, kChangeButtons), kResultOk);
    const mousesim::ButtonTable second = sim().buttonTable();
    const std::array<std::uint8_t, 4> none{};
    QCOMPARE(second.records[0].bytes, none);
    QCOMPARE(second.records[1].bytes, none);
    for (int s = 2; s < 8; ++s)
        QCOMPARE(second.records[std::size_t(s)].bytes, first.records[std::size_t(s)].bytes);
    QVERIFY(first.records[2].bytes != none);
}

void TestApplySequence::faultAtEachStep_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<bool>("dropAnswers");
    QTest::addColumn<int>("result");

    const struct
    {
        const char *name;
        int code;
        int occurrence;
    } steps[] = {{"transfer begin", 0x46, 0},
                 {"general", 0x01, 0},
                 {"general close", 0x01, 1},
                 {"buttons", 0x03, 0},
                 {"dpi", 0x02, 0},
                 {"dpi level 4", 0x02, 5},
                 {"lighting", 0x04, 0},
                 {"lighting close", 0x04, 4},
                 {"completion 1", 0x40, 0},
                 {"completion 3", 0x40, 2},
                 {"macros", 0x05, 0},
                 {"macro close", 0x05, 10},
                 {"transfer end", 0x46, 1}};
    for (const auto &s : steps) {
        QTest::addRow("%s, no answer", s.name) << s.code << s.occurrence << true << int(kResultVerifyFailed);
        QTest::addRow("%s, write fails", s.name) << s.code << s.occurrence << false << int(kResultWriteFailed);
    }
}

void TestApplySequence::faultAtEachStep()
{
    QFETCH(int, code);
    QFETCH(int, occurrence);
    QFETCH(bool, dropAnswers);
    QFETCH(int, result);

    std::vector<Report> clean;
    {
        ApplyRig rig;
        ApplySequence apply(rig.link.link);
        QCOMPARE(apply.ApplyToDevice(configWithMacro(rig), kChangeAll), kResultOk);
        clean = delivered();
    }
    const int index = indexOfNth(clean, std::uint8_t(code), occurrence);
    QVERIFY(index >= 0);

    resetSim();
    ApplyRig rig;
    const AppConfig working = configWithMacro(rig);
    // Each clean write is followed by one 10 ms pause: after `index` of them the
    // next packet is the one that meets the fault.
    auto inject = [dropAnswers] {
        if (dropAnswers)
            sim().dropAnswers(1000);
        else
            sim().failWrites(1000);
    };
    int writes = 0;
    rig.clock.setPauseHook([&](int ms) {
        if (ms == 10 && ++writes == index)
            inject();
    });
    if (index == 0)
        inject();
    ApplySequence apply(rig.link.link);
    QCOMPARE(int(apply.ApplyToDevice(working, kChangeAll)), result);

    const std::vector<Report> got = delivered();
    QVERIFY(int(got.size()) >= index);
    for (int i = 0; i < index; ++i)
        QCOMPARE(hexOf(got[std::size_t(i)]), hexOf(clean[std::size_t(i)]));
    if (dropAnswers) {
        // One write and two rewrites of the failing packet, nothing after it.
        QCOMPARE(int(got.size()), index + 3);
        for (std::size_t i = std::size_t(index); i < got.size(); ++i)
            QCOMPARE(hexOf(got[i]), hexOf(clean[std::size_t(index)]));
    } else {
        QCOMPARE(int(got.size()), index);
        QCOMPARE(failedWrites(), 1);
    }
}

void TestApplySequence::statusThreadAroundApply()
{
    ApplyRig rig;
    StatusThreadOwner owner(rig.link.link);
    ApplySequence apply(rig.link.link, &owner);
    owner.StartStatusThread();
    QPointer<TarnGetBatteryThread> before = owner.currentThread();
    QVERIFY(before);
    QTRY_VERIFY(before->cycleCount() > 0);

    QCOMPARE(apply.ApplyToDevice(sampleConfig(), kChangeLighting), kResultOk);
    QVERIFY(!before); // waited for and deleted before the transfer
    QVERIFY(owner.currentThread());
    QVERIFY(owner.currentThread()->isRunning() || owner.currentThread()->isFinished());

    // The old thread did not poll between transfer begin and end.
    const std::vector<mousesim::TrafficEntry> traffic = sim().traffic();
    int begin = -1, end = -1;
    for (int i = 0; i < int(traffic.size()); ++i) {
        const mousesim::TrafficEntry &e = traffic[std::size_t(i)];
        if (e.direction == mousesim::Direction::Out && e.bytes[3] == 0x46)
            (e.bytes[4] == 0 ? begin : end) = i;
    }
    QVERIFY(begin >= 0 && end > begin);
    for (int i = begin; i < end; ++i)
        QVERIFY(!(traffic[std::size_t(i)].direction == mousesim::Direction::Out &&
                  traffic[std::size_t(i)].bytes[3] == 0x48));

    // A failing transfer begin sends nothing else and leaves the thread stopped.
    owner.StopStatusThread();
    owner.StartStatusThread();
    sim().clearTraffic();
    sim().failWrites(1000); // the old thread's query may meet it too
    QCOMPARE(apply.ApplyToDevice(sampleConfig(), kChangeAll), kResultWriteFailed);
    QVERIFY(!owner.currentThread());
    QVERIFY(delivered().empty());
    QCOMPARE(failedWrites(), 1);
}

QTEST_GUILESS_MAIN(TestApplySequence)
#include "tst_applysequence.moc"
