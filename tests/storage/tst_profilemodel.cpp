#include "MacroFile.h"
#include "ProfileModel.h"
#include "StorageTestDirs.h"

#include <QSettings>
#include <QtTest>

#include <limits>

using Mutate = void (*)(AppConfig &);
Q_DECLARE_METATYPE(Mutate)

class TestProfileModel : public QObject
{
    Q_OBJECT

private:
    static AppConfig baseConfig(const StorageDirs &dirs)
    {
        AppConfig c;
        resetAllProfiles(dirs, c);
        c.Count = 5;
        for (int i = 0; i < kProfileCount; ++i) {
            ProfileData &p = c.profiles[size_t(i)];
            p.LedMode = std::uint8_t(i + 1);
            p.buttons[3].keyInfo[10] = {4, 5, 6};
        }
        return c;
    }

private slots:
    void defaultsWithoutModelDescription()
    {
        StorageTestDirs t;
        ProfileData p;
        p.ProfileName = QStringLiteral("old");
        p.buttons[20].Fun = 99;
        p.buttons[3].keyInfo[7] = {1, 2, 3};
        makeDefaultProfile(t.dirs, p);

        QCOMPARE(int(p.pollrate), 1);
        QCOMPARE(int(p.dpi), 1);
        QCOMPARE(int(p.LedMode), 9);
        QCOMPARE(int(p.LedMoveOFF), 255);
        QCOMPARE(int(p.LedSleepTime), 1);
        QCOMPARE(int(p.mousespeed), 10);
        QCOMPARE(int(p.dbclickspeed), 5);
        QCOMPARE(int(p.scrollispage), 0);
        QCOMPARE(int(p.scrollspeed), 1);
        QCOMPARE(int(p.accelenable), 1);
        QCOMPARE(int(p.acee), 1);
        const std::uint32_t codes[kDpiLevelCount] = {8, 12, 16, 24, 50, 75, 0, 0};
        for (int i = 0; i < kDpiLevelCount; ++i) {
            const DpiLevel &d = p.dpiLevels[size_t(i)];
            QCOMPARE(int(d.used), 1);
            QCOMPARE(int(d.link), 1);
            QCOMPARE(d.xy, codes[i]);
            QCOMPARE(d.x, codes[i]);
            QCOMPARE(d.y, codes[i]);
        }
        const int funs[7] = {1, 2, 3, 4, 5, 4, 5};
        for (int i = 0; i < kButtonEntryCount; ++i) {
            const int expected = i < 7 ? funs[i] : i == 40 ? 52 : i == 41 ? 53 : 0;
            QCOMPARE(p.buttons[size_t(i)].Fun, expected);
        }
        QCOMPARE(p.buttons[3].keyInfo[7], KeyInfo());
        QVERIFY(p.ProfileName.isEmpty());
        for (int m = 0; m < kLedModeCount; ++m) {
            const LedModeSetting &l = p.ledModes[size_t(m)];
            QCOMPARE(l.RGB, m == 10 ? QColor(0, 255, 0) : QColor(255, 0, 0));
            QCOMPARE(l.h, 360u);
            QCOMPARE(l.s, 0u);
            QCOMPARE(l.v, 0u);
            QCOMPARE(l.bright, 3u);
            const std::uint32_t breath = m == 4 ? 2 : m == 9 ? 4 : m == 10 ? 5 : m == 12 ? 1 : 3;
            QCOMPARE(l.breath, breath);
        }
    }

    void defaultsFromModelDescriptionWithOnlyButtonCount()
    {
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.modelDescription(), "[PROFILE]\nButtonCount=9\n");
        ProfileData p;
        makeDefaultProfile(t.dirs, p);
        QCOMPARE(int(p.pollrate), 0);
        QCOMPARE(int(p.dpi), 0);
        QCOMPARE(int(p.LedMode), 0);
        QCOMPARE(int(p.LedMoveOFF), 255);
        QCOMPARE(int(p.LedSleepTime), 1);
        QCOMPARE(int(p.mousespeed), 10);
        for (const DpiLevel &d : p.dpiLevels) {
            QCOMPARE(int(d.used), 1);
            QCOMPARE(int(d.link), 1);
            QCOMPARE(d.xy + d.x + d.y, 0u);
        }
        for (int i = 0; i < kButtonEntryCount; ++i)
            QCOMPARE(p.buttons[size_t(i)].Fun, i == 40 ? 52 : i == 41 ? 53 : 0);
        for (const LedModeSetting &l : p.ledModes) {
            QVERIFY(!l.RGB.isValid());
            QCOMPARE(l.bright, 0u);
            QCOMPARE(l.breath, 0u);
            QCOMPARE(l.h, 360u);
        }
    }

    void defaultsFromModelDescription()
    {
        StorageTestDirs t;
        {
            QSettings s(t.dirs.modelDescription(), QSettings::IniFormat);
            s.setValue(QStringLiteral("PROFILE/pollrate"), 2);
            s.setValue(QStringLiteral("PROFILE/dpi"), 3);
            s.setValue(QStringLiteral("PROFILE/LedMode"), 4);
            s.setValue(QStringLiteral("PROFILE/DPI_INFO_7_xy"), 519);
            s.setValue(QStringLiteral("PROFILE/BUTTON_INFO_15_Fun"), 47);
            s.setValue(QStringLiteral("PROFILE/BUTTON_INFO_16_Fun"), 48); // beyond the model's 16 entries
            s.setValue(QStringLiteral("PROFILE/BUTTON_INFO_2_ID"), 77);   // not a default-profile key
            s.setValue(QStringLiteral("PROFILE/LedMode/LED_MODE_2_RGB"), QColor(10, 20, 30));
            s.setValue(QStringLiteral("PROFILE/LedMode/LED_MODE_2_breath"), 5);
            s.setValue(QStringLiteral("PROFILE/LedMode/LED_MODE_3_bright"), 2);
        }
        ProfileData p;
        makeDefaultProfile(t.dirs, p);
        QCOMPARE(int(p.pollrate), 2);
        QCOMPARE(int(p.dpi), 3);
        QCOMPARE(int(p.LedMode), 4);
        QCOMPARE(p.dpiLevels[7].x, 519u);
        QCOMPARE(p.dpiLevels[7].y, 519u);
        QCOMPARE(p.dpiLevels[7].xy, 519u);
        QCOMPARE(p.buttons[15].Fun, 47);
        QCOMPARE(p.buttons[16].Fun, 0);
        QCOMPARE(p.buttons[2].ID, 0);
        QCOMPARE(p.buttons[0].Fun, 0);
        QCOMPARE(p.ledModes[2].RGB, QColor(10, 20, 30));
        QCOMPARE(p.ledModes[2].breath, 5u);
        QVERIFY(!p.ledModes[3].RGB.isValid());
        QCOMPARE(p.ledModes[3].bright, 2u);
    }

    void resetAllProfilesKeepsCount()
    {
        StorageTestDirs t;
        AppConfig c;
        c.ProfileID = 3;
        c.AngleValue = 7;
        c.LiftHigh = 1;
        c.Count = 4;
        c.profileNames[2] = QStringLiteral("Mine");
        c.profiles[2].pollrate = 8;
        resetAllProfiles(t.dirs, c);
        ProfileData def;
        makeDefaultProfile(t.dirs, def);
        QCOMPARE(int(c.ProfileID), 0);
        QCOMPARE(int(c.AngleValue), 0);
        QCOMPARE(int(c.LiftHigh), 2);
        QCOMPARE(int(c.Count), 4);
        for (int i = 0; i < kProfileCount; ++i) {
            QCOMPARE(c.profileNames[size_t(i)], QStringLiteral("Profile %1").arg(i + 1));
            QVERIFY(c.profiles[size_t(i)] == def);
        }
    }

    void compareConfigs_data()
    {
        QTest::addColumn<Mutate>("mutate");
        QTest::addColumn<int>("mask");
        QTest::newRow("equal") << Mutate([](AppConfig &) {}) << 0;
        QTest::newRow("pollrate of an inactive slot") << Mutate([](AppConfig &c) { c.profiles[3].pollrate = 8; }) << 1;
        QTest::newRow("scrollspeed") << Mutate([](AppConfig &c) { c.profiles[4].scrollspeed = 9; }) << 1;
        QTest::newRow("LiftHigh") << Mutate([](AppConfig &c) { c.LiftHigh = 1; }) << 1;
        QTest::newRow("ProfileID") << Mutate([](AppConfig &c) { c.ProfileID = 2; }) << 1;
        QTest::newRow("active dpi") << Mutate([](AppConfig &c) { c.profiles[0].dpi = 5; }) << 1;
        QTest::newRow("inactive dpi") << Mutate([](AppConfig &c) { c.profiles[1].dpi = 5; }) << 0;
        QTest::newRow("active LedMoveOFF") << Mutate([](AppConfig &c) { c.profiles[0].LedMoveOFF = 0; }) << 1;
        QTest::newRow("active LedSleepTime") << Mutate([](AppConfig &c) { c.profiles[0].LedSleepTime = 5; }) << 1;
        QTest::newRow("inactive LedSleepTime") << Mutate([](AppConfig &c) { c.profiles[2].LedSleepTime = 5; }) << 0;
        QTest::newRow("active LedMode") << Mutate([](AppConfig &c) { c.profiles[0].LedMode = 11; }) << 9;
        QTest::newRow("inactive LedMode") << Mutate([](AppConfig &c) { c.profiles[2].LedMode = 11; }) << 8;
        QTest::newRow("AngleValue") << Mutate([](AppConfig &c) { c.AngleValue = 3; }) << 0;
        QTest::newRow("Count") << Mutate([](AppConfig &c) { c.Count = 2; }) << 0;
        QTest::newRow("slot name") << Mutate([](AppConfig &c) { c.profileNames[1] = QStringLiteral("x"); }) << 0;
        QTest::newRow("ProfileName") << Mutate([](AppConfig &c) { c.profiles[0].ProfileName = QStringLiteral("x"); })
                                     << 0;
        QTest::newRow("pointer settings") << Mutate([](AppConfig &c) {
            ProfileData &p = c.profiles[0];
            p.mousespeed = 3;
            p.dbclickspeed = 1;
            p.scrollispage = 1;
            p.accelenable = 0;
            p.acee = 7;
        }) << 0;
        QTest::newRow("dpi used") << Mutate([](AppConfig &c) { c.profiles[4].dpiLevels[7].used = 0; }) << 2;
        QTest::newRow("dpi x") << Mutate([](AppConfig &c) { c.profiles[2].dpiLevels[3].x = 1; }) << 2;
        QTest::newRow("dpi y") << Mutate([](AppConfig &c) { c.profiles[2].dpiLevels[0].y = 1; }) << 2;
        QTest::newRow("dpi link") << Mutate([](AppConfig &c) { c.profiles[2].dpiLevels[3].link = 0; }) << 0;
        QTest::newRow("dpi xy") << Mutate([](AppConfig &c) { c.profiles[2].dpiLevels[3].xy = 99; }) << 0;
        QTest::newRow("button ID") << Mutate([](AppConfig &c) { c.profiles[1].buttons[41].ID = 1; }) << 4;
        QTest::newRow("button Fun") << Mutate([](AppConfig &c) { c.profiles[1].buttons[0].Fun = 16; }) << 4;
        QTest::newRow("button LoopNumber")
            << Mutate([](AppConfig &c) { c.profiles[1].buttons[5].LoopNumber = 2; }) << 4;
        QTest::newRow("button KeyNumber") << Mutate([](AppConfig &c) { c.profiles[1].buttons[5].KeyNumber = 2; }) << 4;
        QTest::newRow("button Res1") << Mutate([](AppConfig &c) { c.profiles[4].buttons[5].Res1 = 2; }) << 4;
        QTest::newRow("button Res2") << Mutate([](AppConfig &c) { c.profiles[4].buttons[5].Res2 = 2; }) << 4;
        QTest::newRow("button Res3") << Mutate([](AppConfig &c) { c.profiles[4].buttons[5].Res3 = 2; }) << 4;
        QTest::newRow("button Res4") << Mutate([](AppConfig &c) { c.profiles[4].buttons[5].Res4 = 2; }) << 4;
        QTest::newRow("last keyInfo byte")
            << Mutate([](AppConfig &c) { c.profiles[4].buttons[39].keyInfo[62].H = 1; }) << 4;
        QTest::newRow("macroname without macro")
            << Mutate([](AppConfig &c) { c.profiles[0].buttons[2].macroname = QStringLiteral("m"); }) << 0;
        QTest::newRow("active effect colour")
            << Mutate([](AppConfig &c) { c.profiles[3].ledModes[4].RGB = QColor(1, 2, 3); }) << 8;
        QTest::newRow("active effect h") << Mutate([](AppConfig &c) { c.profiles[3].ledModes[4].h = 1; }) << 8;
        QTest::newRow("active effect s") << Mutate([](AppConfig &c) { c.profiles[3].ledModes[4].s = 1; }) << 8;
        QTest::newRow("active effect v") << Mutate([](AppConfig &c) { c.profiles[3].ledModes[4].v = 1; }) << 8;
        QTest::newRow("active effect bright")
            << Mutate([](AppConfig &c) { c.profiles[3].ledModes[4].bright = 1; }) << 8;
        QTest::newRow("active effect breath")
            << Mutate([](AppConfig &c) { c.profiles[3].ledModes[4].breath = 1; }) << 8;
        QTest::newRow("other effect colour")
            << Mutate([](AppConfig &c) { c.profiles[3].ledModes[5].RGB = QColor(1, 2, 3); }) << 0;
        QTest::newRow("everything") << Mutate([](AppConfig &c) {
            c.profiles[0].pollrate = 2;
            c.profiles[0].dpiLevels[0].used = 0;
            c.profiles[0].buttons[0].Fun = 3;
            c.profiles[1].LedMode = 0;
        }) << 15;
    }

    void compareConfigs()
    {
        QFETCH(Mutate, mutate);
        QFETCH(int, mask);
        StorageTestDirs t;
        const AppConfig saved = baseConfig(t.dirs);
        AppConfig working = saved;
        mutate(working);
        QCOMPARE(::compareConfigs(t.dirs, working, saved), mask);
        QCOMPARE(::compareConfigs(t.dirs, saved, working), mask);
    }

    // With slot 2 active, what the lighting page writes into slot 0 (the source
    // of the lighting table and of the sleep and move-off bytes) is sent too.
    void slotZeroFeedsTheTables_data()
    {
        QTest::addColumn<Mutate>("mutate");
        QTest::addColumn<int>("mask");
        QTest::newRow("sleep time") << Mutate([](AppConfig &c) { c.profiles[0].LedSleepTime = 7; }) << 1;
        QTest::newRow("move-off") << Mutate([](AppConfig &c) { c.profiles[0].LedMoveOFF = 0; }) << 1;
        QTest::newRow("brightness of the active slot's effect")
            << Mutate([](AppConfig &c) { c.profiles[0].ledModes[3].bright = 1; }) << 8;
        QTest::newRow("colour of another effect")
            << Mutate([](AppConfig &c) { c.profiles[0].ledModes[12].RGB = QColor(1, 2, 3); }) << 8;
        QTest::newRow("hue only, which no table carries")
            << Mutate([](AppConfig &c) { c.profiles[0].ledModes[3].h = 1; }) << 0;
    }
    void slotZeroFeedsTheTables()
    {
        QFETCH(Mutate, mutate);
        StorageTestDirs t;
        AppConfig saved = baseConfig(t.dirs);
        saved.ProfileID = 2; // effect 3; slot 0 has effect 1
        AppConfig working = saved;
        mutate(working);
        QTEST(int(::compareConfigs(t.dirs, working, saved)), "mask");
    }

    // Effect numbers come from files unchecked; one past the 14 effects must not
    // index their settings.
    void compareConfigsWithEffectOutOfRange_data()
    {
        QTest::addColumn<int>("workingMode");
        QTest::addColumn<int>("savedMode");
        QTest::addColumn<int>("mask");
        QTest::newRow("both 14") << 14 << 14 << 0;
        QTest::newRow("both 255") << 255 << 255 << 0;
        QTest::newRow("255 vs 13") << 255 << 13 << 8;
    }

    void compareConfigsWithEffectOutOfRange()
    {
        QFETCH(int, workingMode);
        QFETCH(int, savedMode);
        QFETCH(int, mask);
        StorageTestDirs t;
        AppConfig saved = baseConfig(t.dirs);
        saved.profiles[2].LedMode = std::uint8_t(savedMode);
        AppConfig working = saved;
        working.profiles[2].LedMode = std::uint8_t(workingMode);
        working.profiles[2].ledModes[13].RGB = QColor(9, 9, 9); // differs, but only reachable through mode 13
        const int expected = workingMode == savedMode ? 0 : mask;
        QCOMPARE(::compareConfigs(t.dirs, working, saved), expected);
    }

    void compareConfigsUploadsChangedMacroOnce()
    {
        StorageTestDirs t;
        MacroRecord m;
        m.actions = {macroKeyAction(4, true), macroKeyAction(4, false)};
        QVERIFY(saveMacro(t.dirs, QStringLiteral("jump"), m));
        QCOMPARE(readWriteSign(t.dirs, QStringLiteral("jump")), 1);

        AppConfig saved = baseConfig(t.dirs);
        ButtonEntry &b = saved.profiles[2].buttons[5];
        b.Fun = kFunMacro;
        b.macroname = QStringLiteral("jump");
        copyMacroToButton(m, b);
        const AppConfig working = saved;

        QCOMPARE(::compareConfigs(t.dirs, working, saved), kChangeButtons);
        QCOMPARE(readWriteSign(t.dirs, QStringLiteral("jump")), 0);
        QCOMPARE(::compareConfigs(t.dirs, working, saved), 0);

        // a different event list is found without consulting the file
        AppConfig edited = working;
        edited.profiles[2].buttons[5].keyInfo[1].L = 5;
        QCOMPARE(::compareConfigs(t.dirs, edited, saved), kChangeButtons);
    }

    void compareConfigsIgnoresSignOfNonMacroButton()
    {
        StorageTestDirs t;
        QVERIFY(saveMacro(t.dirs, QStringLiteral("jump"), MacroRecord()));
        AppConfig saved = baseConfig(t.dirs);
        saved.profiles[0].buttons[1].macroname = QStringLiteral("jump"); // Fun stays 2
        saved.profiles[1].buttons[1].Fun = kFunMacro;
        saved.profiles[1].buttons[1].macroname = QStringLiteral("../jump"); // never a path
        QCOMPARE(::compareConfigs(t.dirs, saved, saved), 0);
        QCOMPARE(readWriteSign(t.dirs, QStringLiteral("jump")), 1);
    }

    void dpiCodeToValue_data()
    {
        QTest::addColumn<int>("sensor");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("dpi");
        struct Row
        {
            int sensor, code, dpi;
        };
        const Row rows[] = {
            {3325, 50, 5000},    {3325, 51, 5200},   {33252, 1, 100},    {33252, 51, 5200},  {3327, 0, 100},
            {3327, 61, 6200},    {3327, 62, 6400},   {3327, 92, 12400},  {3327, 93, 12600},  {3327, 105, 16200},
            {3327, 106, 16400},  {3327, 107, 16800}, {3360, 120, 12000}, {3360, 121, 12200}, {3311, 121, 12200},
            {33112, 120, 12000}, {3389, 320, 16000}, {3389, 321, 16100}, {3212, 20, 760},    {3212, 21, 800},
            {3212, 32, 1200},    {3212, 43, 1600},   {3212, 63, 2400},   {3212, 64, 2430},   {3212, 94, 4710},
            {3212, 95, 4860},    {3212, 111, 7200},  {3212, 112, 7440},  {3104, 13, 520},    {3104, 14, 500},
            {3104, 106, 4240},   {3104, 107, 4320},  {31042, 14, 500},   {3335, 160, 16000}, {3335, 161, 16200},
            {33352, 161, 16200}, {3370, 200, 10000}, {3370, 201, 10100}, {3333, 80, 8000},   {3333, 81, 8200},
            {3399, 399, 20000},  {3399, 400, 20100}, {3395, 0, 50},      {3395, 519, 26000}, {3395, 520, 26100},
            {33952, 7, 400},     {1, 50, 0},         {0, 0, 0},          {3396, 10, 0},
        };
        for (const Row &r : rows)
            QTest::addRow("sensor %d code %d", r.sensor, r.code) << r.sensor << r.code << r.dpi;
    }

    void dpiCodeToValue()
    {
        QFETCH(int, sensor);
        QFETCH(int, code);
        QFETCH(int, dpi);
        QCOMPARE(::dpiCodeToValue(code, sensor), dpi);
    }

    // Codes come from files as 32-bit values; a huge one must not wrap around
    // into a small or negative DPI value.
    void dpiCodeToValueOfHugeCodes_data()
    {
        QTest::addColumn<int>("sensor");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("dpi");
        const int sensors[] = {3325,  33252, 3327,  3360, 3311, 33112, 3389, 3212, 3104,
                               31042, 3335,  33352, 3370, 3333, 3399,  3395, 33952};
        const int maxInt = std::numeric_limits<int>::max();
        const int minInt = std::numeric_limits<int>::min();
        for (int sensor : sensors) {
            QTest::addRow("sensor %d code 30000000", sensor) << sensor << 30000000 << maxInt;
            QTest::addRow("sensor %d largest code", sensor) << sensor << maxInt << maxInt;
            QTest::addRow("sensor %d smallest code", sensor) << sensor << minInt << minInt;
        }
        QTest::newRow("unknown sensor, largest code") << 1 << maxInt << 0;
    }

    void dpiCodeToValueOfHugeCodes()
    {
        QFETCH(int, sensor);
        QFETCH(int, code);
        QFETCH(int, dpi);
        QCOMPARE(::dpiCodeToValue(code, sensor), dpi);
    }
};

QTEST_GUILESS_MAIN(TestProfileModel)
#include "tst_profilemodel.moc"
