#include "ProfileFile.h"
#include "ProfileModel.h"
#include "StorageTestDirs.h"

#include <QFileInfo>
#include <QSettings>
#include <QtTest>

namespace {

// Every field distinct, so a key written into the wrong field is noticed.
ProfileData filledProfile(int seed)
{
    ProfileData p;
    p.pollrate = std::uint8_t(seed + 1);
    p.dpi = std::uint8_t(seed + 2);
    p.LedMode = std::uint8_t(seed + 3);
    p.LedMoveOFF = std::uint8_t(seed + 4);
    p.LedSleepTime = std::uint8_t(seed + 5);
    for (int i = 0; i < kDpiLevelCount; ++i) {
        DpiLevel &d = p.dpiLevels[size_t(i)];
        d.used = std::uint8_t(i % 2);
        d.link = std::uint8_t((i + 1) % 2);
        d.xy = std::uint32_t(1000 + seed * 100 + i);
        d.x = std::uint32_t(2000 + seed * 100 + i);
        d.y = 4000000000u - std::uint32_t(seed * 100 + i); // above the int range
    }
    p.mousespeed = 11;
    p.dbclickspeed = 12;
    p.scrollispage = 1;
    p.scrollspeed = 13;
    p.accelenable = 14;
    p.acee = 15;
    for (int i = 0; i < kButtonEntryCount; ++i) {
        ButtonEntry &b = p.buttons[size_t(i)];
        b.ID = i * 3 + seed;
        b.Fun = i == 7 ? 200 : i + 1;
        b.LoopNumber = -i;
        b.KeyNumber = 63 - i;
        for (int j = 0; j < kKeyInfoCount; ++j)
            b.keyInfo[size_t(j)] = {std::uint8_t(i + j), std::uint8_t(i * 2 + j + seed), std::uint8_t(255 - j - i)};
        b.Res1 = std::uint8_t(i + 100);
        b.Res2 = std::uint8_t(i + 150);
        b.Res3 = std::uint8_t(i + 200);
        b.Res4 = std::uint8_t(255 - i);
        b.macroname = QStringLiteral("macro %1, \"quoted\"; =%2").arg(i).arg(seed);
    }
    for (int m = 0; m < kLedModeCount; ++m) {
        LedModeSetting &l = p.ledModes[size_t(m)];
        l.RGB = m == 13 ? QColor() : QColor(m * 18, 44 + seed, 59 + m); // 44 ',' and 59 ';' in the payload
        l.h = std::uint32_t(m * 25);
        l.s = std::uint32_t(m + 1);
        l.v = std::uint32_t(m + 2);
        l.bright = std::uint32_t(m % 4);
        l.breath = std::uint32_t(m % 6);
    }
    p.ProfileName = QString::fromUtf8("Profil Ü %1").arg(seed);
    p.ProfilePath = QStringLiteral("C:\\Users\\me\\profile%1.prof").arg(seed);
    return p;
}

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void writeThenReadGivesEqualRecord()
    {
        StorageTestDirs t;
        const ProfileData p = filledProfile(0);
        QVERIFY(writeProfileFile(t.dirs, p, QStringLiteral("Game")));
        QSettings raw(t.dirs.profileDir() + QStringLiteral("/Game.prof"), QSettings::IniFormat);
        QCOMPARE(raw.allKeys().size(), 8 * 5 + 42 * 198 + 14 * 6 + 13);

        ProfileData back;
        QVERIFY(readProfileFile(t.dirs, back, QStringLiteral("Game")));
        QVERIFY(back == p);
    }

    void missingKeysReadAsDefaults()
    {
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.profileDir() + QStringLiteral("/Only.prof"), "[PROFILE]\ndpi=3\n");
        ProfileData p = filledProfile(1);
        QVERIFY(readProfileFile(t.dirs, p, QStringLiteral("Only")));
        ProfileData expected;
        expected.dpi = 3;
        expected.LedMoveOFF = 255;
        expected.LedSleepTime = 1;
        QVERIFY(p == expected);

        ProfileData missing = filledProfile(2);
        QVERIFY(!readProfileFile(t.dirs, missing, QStringLiteral("Nowhere")));
        expected.dpi = 0;
        QVERIFY(missing == expected);
    }

    void valuesAreCutToTheFieldWidth_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("pollrate");
        QTest::addColumn<int>("res1");
        QTest::newRow("300 is 44") << QByteArray("pollrate=300\nBUTTON_INFO_0_Res1=300") << 44 << 44;
        QTest::newRow("-1 is 255") << QByteArray("pollrate=-1\nBUTTON_INFO_0_Res1=256") << 255 << 0;
        QTest::newRow("not a number") << QByteArray("pollrate=abc\nBUTTON_INFO_0_Res1=1x") << 0 << 0;
    }

    void valuesAreCutToTheFieldWidth()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, pollrate);
        QFETCH(int, res1);
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.profileDir() + QStringLiteral("/P.prof"), "[PROFILE]\n" + line + "\n");
        ProfileData p;
        readProfileFile(t.dirs, p, QStringLiteral("P"));
        QCOMPARE(int(p.pollrate), pollrate);
        QCOMPARE(int(p.buttons[0].Res1), res1);
    }

    void keyInfoKeysEndWithUnderscoreForLowByte()
    {
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.profileDir() + QStringLiteral("/K.prof"),
                                   "[PROFILE]\nBUTTON_INFO_5_KeyInfo_2_map=7\nBUTTON_INFO_5_KeyInfo_2_=8\n"
                                   "BUTTON_INFO_5_KeyInfo_2_H=9\n");
        ProfileData p;
        readProfileFile(t.dirs, p, QStringLiteral("K"));
        QCOMPARE(p.buttons[5].keyInfo[2], (KeyInfo{7, 8, 9}));
        QCOMPARE(p.buttons[5].keyInfo[1], KeyInfo());
    }

    void emptyNameUsesDotProf()
    {
        StorageTestDirs t;
        QVERIFY(writeProfileFile(t.dirs, filledProfile(3), QString()));
        QVERIFY(QFileInfo::exists(t.dirs.profileDir() + QStringLiteral("/.prof")));
    }

    void unsafeNamesAreNeverPaths_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("slash") << QStringLiteral("../outside");
        QTest::newRow("backslash") << QStringLiteral("..\\outside");
        QTest::newRow("dot dot") << QStringLiteral("..");
        QTest::newRow("absolute") << QStringLiteral("/tmp/outside");
        QTest::newRow("drive letter") << QStringLiteral("C:outside");
        QTest::newRow("nested") << QStringLiteral("sub/name");
    }

    void unsafeNamesAreNeverPaths()
    {
        QFETCH(QString, name);
        StorageTestDirs t;
        // a file where the name would lead, to prove it is not read
        StorageTestDirs::writeText(t.dirs.configDir + QStringLiteral("/outside.prof"), "[PROFILE]\ndpi=6\n");
        QVERIFY(!writeProfileFile(t.dirs, filledProfile(0), name));
        QCOMPARE(QDir(t.dirs.profileDir()).entryList(QDir::Files | QDir::Hidden).size(), 0);
        QCOMPARE(QDir(t.dirs.configDir).entryList(QDir::Files).size(), 1);

        ProfileData p = filledProfile(1);
        QVERIFY(!readProfileFile(t.dirs, p, name));
        QCOMPARE(int(p.dpi), 0);
        QCOMPARE(int(p.LedMoveOFF), 255);
        QVERIFY(!saveProfileDpi(t.dirs, name, 4));
    }

    void saveProfileDpiWritesOnlyDpi()
    {
        StorageTestDirs t;
        const ProfileData p = filledProfile(0);
        writeProfileFile(t.dirs, p, QStringLiteral("A"));
        QVERIFY(saveProfileDpi(t.dirs, QStringLiteral("A"), 6));
        ProfileData back;
        readProfileFile(t.dirs, back, QStringLiteral("A"));
        ProfileData expected = p;
        expected.dpi = 6;
        QVERIFY(back == expected);
    }

    void defaultProfileFileHoldsDefaults()
    {
        StorageTestDirs t;
        QVERIFY(writeDefaultProfileFile(t.dirs));
        ProfileData fromFile;
        QVERIFY(readProfileFile(t.dirs, fromFile, QStringLiteral("DefaultProfile")));
        ProfileData def;
        makeDefaultProfile(t.dirs, def);
        QVERIFY(fromFile == def);
    }

    void exportImportKeepsLedTimers()
    {
        StorageTestDirs t;
        AppConfig out;
        out.ProfileID = 3;
        out.AngleValue = 4;
        out.LiftHigh = 1;
        out.Count = 5;
        for (int n = 0; n < kProfileCount; ++n) {
            out.profiles[size_t(n)] = filledProfile(n);
            out.profileNames[size_t(n)] = QStringLiteral("Slot %1").arg(n);
        }
        const QString file = t.tmp.filePath(QStringLiteral("all.conf"));
        writeProductTag(t.dirs, QStringLiteral("TarnX8"), file);
        exportAllProfiles(t.dirs, out, file);
        QCOMPARE(readProductTag(t.dirs, file), QStringLiteral("TarnX8"));
        QSettings raw(file, QSettings::IniFormat);
        QVERIFY(!raw.contains(QStringLiteral("PROFILE_0/LedMoveOFF")));
        QVERIFY(raw.contains(QStringLiteral("PROFILE_4/BUTTON_INFO_41_KeyInfo_62_H")));

        AppConfig in;
        for (int n = 0; n < kProfileCount; ++n) {
            in.profiles[size_t(n)].LedMoveOFF = std::uint8_t(200 + n);
            in.profiles[size_t(n)].LedSleepTime = std::uint8_t(50 + n);
        }
        importAllProfiles(t.dirs, in, file);
        AppConfig expected = out;
        for (int n = 0; n < kProfileCount; ++n) {
            expected.profiles[size_t(n)].LedMoveOFF = std::uint8_t(200 + n);
            expected.profiles[size_t(n)].LedSleepTime = std::uint8_t(50 + n);
        }
        QVERIFY(in == expected);
    }

    // A name that cannot name a slot refuses the whole file; a damaged
    // ProfileID of a usable file becomes 0.
    void importRefusesUnusableSlotNames()
    {
        StorageTestDirs t;
        const QString file = t.tmp.filePath(QStringLiteral("bad.conf"));
        AppConfig out;
        resetAllProfiles(t.dirs, out);
        out.profileNames[2] = QStringLiteral("../../evil");
        QVERIFY(exportAllProfiles(t.dirs, out, file).ok);
        AppConfig in;
        in.ProfileID = 2;
        const AppConfig before = in;
        QVERIFY(importAllProfiles(t.dirs, in, file).contains(QStringLiteral("not a plain file name")));
        QVERIFY(in == before);

        QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("Config/Profile3"), QStringLiteral("Three"));
        QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("Config/ProfileID"), 9);
        QCOMPARE(importAllProfiles(t.dirs, in, file), QString());
        QCOMPARE(int(in.ProfileID), 0);
        QCOMPARE(in.profileNames[2], QStringLiteral("Three"));
    }

    void productTagMissing()
    {
        StorageTestDirs t;
        QCOMPARE(readProductTag(t.dirs, t.tmp.filePath(QStringLiteral("none.conf"))), QString());
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
