#include "ConfigFile.h"
#include "ProfileFile.h"
#include "StorageTestDirs.h"

#include <QSettings>
#include <QtTest>

class TestConfigFile : public QObject
{
    Q_OBJECT

private slots:
    void missingConfigLoadsEmptyState()
    {
        StorageTestDirs t;
        // the slots of empty names all come from Profile/.prof
        StorageTestDirs::writeText(t.dirs.profileDir() + QStringLiteral("/.prof"), "[PROFILE]\npollrate=4\n");
        AppConfig c;
        c.ProfileID = 3;
        c.Count = 2;
        c.profileNames[1] = QStringLiteral("x");
        ButtonPositions pos;
        pos.fill(9);
        loadSavedConfig(t.dirs, c, pos);
        QCOMPARE(int(c.ProfileID), 0);
        QCOMPARE(int(c.AngleValue), 0);
        QCOMPARE(int(c.LiftHigh), 0);
        QCOMPARE(int(c.Count), 0);
        for (int i = 0; i < kProfileCount; ++i) {
            QVERIFY(c.profileNames[size_t(i)].isEmpty());
            QCOMPARE(int(c.profiles[size_t(i)].pollrate), 4);
            QCOMPARE(int(c.profiles[size_t(i)].LedMoveOFF), 255);
            QCOMPARE(int(c.profiles[size_t(i)].LedSleepTime), 1);
        }
        // no model description: the positions are untouched
        QCOMPARE(int(pos[0]), 9);
        QCOMPARE(int(pos[15]), 9);
    }

    void saveThenLoadGivesSameConfig()
    {
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.modelDescription(),
                                   "[PROFILE]\nBUTTON_INFO_0_Matrix=5\nBUTTON_INFO_15_Matrix=300\n");
        AppConfig c;
        c.ProfileID = 4;
        c.AngleValue = 7;
        c.LiftHigh = 1;
        c.Count = 5;
        for (int i = 0; i < kProfileCount; ++i) {
            ProfileData &p = c.profiles[size_t(i)];
            p.pollrate = std::uint8_t(i + 1);
            p.buttons[41].keyInfo[62] = {1, std::uint8_t(i), 3};
            p.ProfileName = QStringLiteral("Name %1").arg(i);
            p.ProfilePath = QStringLiteral("path %1").arg(i);
            p.ledModes[i].RGB = QColor(i, 2 * i, 3 * i);
            c.profileNames[size_t(i)] = QString::fromUtf8("Profil %1 ü").arg(i + 1);
        }
        saveWorkingConfig(t.dirs, c);
        AppConfig back;
        ButtonPositions pos{};
        loadSavedConfig(t.dirs, back, pos);
        QVERIFY(back == c);
        QCOMPARE(int(pos[0]), 5);
        QCOMPARE(int(pos[15]), 44);
    }

    void profileIdOutsideSlotsReadsAsZero_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("slot");
        QTest::newRow("4") << QByteArray("4") << 4;
        QTest::newRow("5") << QByteArray("5") << 0;
        QTest::newRow("-1") << QByteArray("-1") << 0;
        QTest::newRow("261 (5 in a byte)") << QByteArray("261") << 0;
        QTest::newRow("text") << QByteArray("two") << 0;
    }

    void profileIdOutsideSlotsReadsAsZero()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, slot);
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.configIni(), "[Config]\nProfileID=" + value + "\n");
        AppConfig c;
        ButtonPositions pos{};
        loadSavedConfig(t.dirs, c, pos);
        QCOMPARE(int(c.ProfileID), slot);
    }

    void profileListAndIdWriteOnlyTheirKeys()
    {
        StorageTestDirs t;
        AppConfig c;
        c.ProfileID = 2;
        c.AngleValue = 9;
        c.Count = 3;
        c.profileNames = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                          QStringLiteral("e")};
        saveProfileList(t.dirs, c);
        QSettings s(t.dirs.configIni(), QSettings::IniFormat);
        QCOMPARE(s.value(QStringLiteral("Config/ProfileID")).toInt(), 2);
        QCOMPARE(s.value(QStringLiteral("Config/Count")).toInt(), 3);
        QCOMPARE(s.value(QStringLiteral("Config/Profile5")).toString(), QStringLiteral("e"));
        QVERIFY(!s.contains(QStringLiteral("Config/AngleValue")));
        QVERIFY(QDir(t.dirs.profileDir()).entryList(QDir::Files | QDir::Hidden).isEmpty());
        saveProfileId(t.dirs, 1);
        s.sync();
        QCOMPARE(s.value(QStringLiteral("Config/ProfileID")).toInt(), 1);
    }

    void singleKeysMissingAndWritten()
    {
        StorageTestDirs t;
        QCOMPARE(readBatteryFull(t.dirs), 4200);
        QCOMPARE(readBattery(t.dirs), 0);
        QCOMPARE(readDiff(t.dirs), 0);
        QCOMPARE(readColorTheme(t.dirs), 0);
        QCOMPARE(readSensor(t.dirs), 0);
        QCOMPARE(readLedModeSet(t.dirs), 0);
        QCOMPARE(readLangId(t.dirs), 0);
        QVERIFY(readModelText(t.dirs).isEmpty());
        QVERIFY(readMouseListName(t.dirs).isEmpty());
        QVERIFY(readCurrentProductName(t.dirs).isEmpty());

        writeBattery(t.dirs, 73);
        writeDiff(t.dirs, 1);
        writeCurrentProductName(t.dirs, QStringLiteral("TarnX8"));
        writeLangId(t.dirs, 2);
        QCOMPARE(readBattery(t.dirs), 73);
        QCOMPARE(readDiff(t.dirs), 1);
        QCOMPARE(readCurrentProductName(t.dirs), QStringLiteral("TarnX8"));
        QCOMPARE(readLangId(t.dirs), 2);
        QSettings lang(t.dirs.langConfigIni(), QSettings::IniFormat);
        QCOMPARE(lang.value(QStringLiteral("Config/LangID")).toInt(), 2);
        QSettings cfg(t.dirs.configIni(), QSettings::IniFormat);
        QVERIFY(!cfg.contains(QStringLiteral("Config/LangID")));
    }

    void langIdOutsideTheTenLanguagesReadsAsZero()
    {
        StorageTestDirs t;
        for (int id : {9, 10, -1, 4000}) {
            StorageTestDirs::writeText(t.dirs.langConfigIni(), "[Config]\nLangID=" + QByteArray::number(id) + "\n");
            QCOMPARE(readLangId(t.dirs), id == 9 ? 9 : 0);
        }
    }

    void ledModeSetFollowsCurrentProduct()
    {
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.configIni(),
                                   "[Config]\nCurrentProductName=KX50\n[MouseLEDMode]\nKX50=3\nTarnX8=1\n");
        QCOMPARE(readLedModeSet(t.dirs), 3);
        writeCurrentProductName(t.dirs, QStringLiteral("TarnX8"));
        QCOMPARE(readLedModeSet(t.dirs), 1);
    }

    void countMacrosLooksAtFiftySlots()
    {
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.configIni(), "[MACRO_LIST]\n0=a\n7=b\n3=\n50=c\n");
        QCOMPARE(countMacros(t.dirs), 2);
    }

    void languageListReadsAllTenPairs()
    {
        StorageTestDirs t;
        {
            QSettings s(t.dirs.configIni(), QSettings::IniFormat);
            s.setValue(QStringLiteral("FONT_LIST/LANGNUM"), 2);
            s.setValue(QStringLiteral("FONT_LIST/LangName_1"), QString::fromUtf8("简体中文"));
            s.setValue(QStringLiteral("FONT_LIST/LangFile_1"), QStringLiteral("zh"));
            s.setValue(QStringLiteral("FONT_LIST/LangName_9"), QStringLiteral("Nine"));
            s.setValue(QStringLiteral("FONT_LIST/FONT_1"), QStringLiteral("WenQuanYi Micro Hei"));
            s.setValue(QStringLiteral("FONT_LIST/FONT_SIZE_1"), 14);
        }
        LanguageList list;
        readLanguageList(t.dirs, list);
        QCOMPARE(list.count, 2);
        QCOMPARE(list.entries[1].name, QString::fromUtf8("简体中文"));
        QCOMPARE(list.entries[1].file, QStringLiteral("zh"));
        QCOMPARE(list.entries[9].name, QStringLiteral("Nine"));
        QVERIFY(list.entries[0].name.isEmpty());
        QCOMPARE(readFontFamily(t.dirs, 1), QStringLiteral("WenQuanYi Micro Hei"));
        QCOMPARE(readFontSize(t.dirs, 1), 14);
        QCOMPARE(readFontSize(t.dirs, 0), 0);
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
