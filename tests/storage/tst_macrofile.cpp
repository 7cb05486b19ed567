#include "ConfigFile.h"
#include "MacroFile.h"
#include "StorageTestDirs.h"

#include <QSettings>
#include <QtTest>

Q_DECLARE_METATYPE(MacroAction)

class TestMacroFile : public QObject
{
    Q_OBJECT

private slots:
    void actionEncoding_data()
    {
        QTest::addColumn<MacroAction>("action");
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("dataH");
        QTest::addColumn<int>("dataL");
        QTest::newRow("A press") << macroKeyAction(4, true) << 132 << 0 << 4;
        QTest::newRow("A release") << macroKeyAction(4, false) << 4 << 0 << 4;
        QTest::newRow("150 ms") << macroDelayAction(150) << 6 << 0 << 15;
        QTest::newRow("3000 ms") << macroDelayAction(3000) << 6 << 1 << 44;
        QTest::newRow("655350 ms") << macroDelayAction(655350) << 6 << 255 << 255;
        QTest::newRow("beyond the largest delay") << macroDelayAction(700000) << 6 << 255 << 255;
        QTest::newRow("5 left") << macroMoveAction(-5, 0) << 2 << 0 << 251;
        QTest::newRow("5 up") << macroMoveAction(0, -5) << 2 << 251 << 0;
        QTest::newRow("5 down") << macroMoveAction(0, 5) << 2 << 5 << 0;
        QTest::newRow("120 right") << macroMoveAction(120, 0) << 2 << 0 << 120;
        QTest::newRow("middle press") << macroButtonAction(4, true) << 129 << 0 << 4;
        QTest::newRow("middle release") << macroButtonAction(4, false) << 1 << 0 << 4;
        QTest::newRow("backward press") << macroButtonAction(16, true) << 129 << 0 << 16;
    }

    void actionEncoding()
    {
        QFETCH(MacroAction, action);
        QFETCH(int, map);
        QFETCH(int, dataH);
        QFETCH(int, dataL);
        QCOMPARE(int(action.map), map);
        QCOMPARE(int(action.dataH), dataH);
        QCOMPARE(int(action.dataL), dataL);
    }

    void delayRoundsDownToTenMilliseconds()
    {
        QCOMPARE(macroDelayMs(macroDelayAction(3000)), 3000);
        QCOMPARE(macroDelayMs(macroDelayAction(159)), 150);
    }

    void saveAndLoadRecordedMacro()
    {
        StorageTestDirs t;
        MacroRecord m;
        m.DefaultDelay = 10;
        m.DelayType = 1;
        m.LoopType = 1;
        m.LoopTime = 3;
        m.actions = {macroKeyAction(4, true), macroDelayAction(150), macroKeyAction(4, false)};
        QVERIFY(saveMacro(t.dirs, QStringLiteral("Jump"), m));

        const QString path = t.dirs.macroDir() + QStringLiteral("/Jump.MSMACRO");
        QSettings raw(path, QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("Setting/Count")).toInt(), 3);
        QCOMPARE(raw.value(QStringLiteral("Setting/Map_1")).toInt(), 6);
        QCOMPARE(raw.value(QStringLiteral("Setting/DataL_1")).toInt(), 15);
        QCOMPARE(raw.value(QStringLiteral("Setting/WriteSign")).toInt(), 1);
        QCOMPARE(raw.value(QStringLiteral("Setting/MacroFilePath")).toString(), path);

        const MacroRecord back = loadMacro(t.dirs, QStringLiteral("Jump"));
        QCOMPARE(back.DefaultDelay, 10);
        QCOMPARE(back.DelayType, 1);
        QCOMPARE(back.LoopType, 1);
        QCOMPARE(back.LoopTime, 3);
        QCOMPARE(back.MacroFilePath, path);
        QVERIFY(back.actions == m.actions);
    }

    void saveAlwaysSetsWriteSign()
    {
        StorageTestDirs t;
        const MacroRecord m = loadMacro(t.dirs, QStringLiteral("Missing"));
        QCOMPARE(m.actions.size(), size_t(0));
        QCOMPARE(m.LoopTime, 0);
        QVERIFY(saveMacro(t.dirs, QStringLiteral("Same"), m));
        clearWriteSign(t.dirs, QStringLiteral("Same"));
        QCOMPARE(readWriteSign(t.dirs, QStringLiteral("Same")), 0);
        QVERIFY(saveMacro(t.dirs, QStringLiteral("Same"), loadMacro(t.dirs, QStringLiteral("Same"))));
        QCOMPARE(readWriteSign(t.dirs, QStringLiteral("Same")), 1);
    }

    // A count from the file never fills more than a button's 63 event slots.
    void countFromFileIsBounded_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("actions");
        QTest::newRow("63") << 63 << 63;
        QTest::newRow("64") << 64 << 63;
        QTest::newRow("huge") << 2000000000 << 63;
        QTest::newRow("negative") << -5 << 0;
    }

    void countFromFileIsBounded()
    {
        QFETCH(int, count);
        QFETCH(int, actions);
        StorageTestDirs t;
        QByteArray text = "[Setting]\nCount=" + QByteArray::number(count) + "\n";
        for (int i = 0; i < 70; ++i)
            text += "Map_" + QByteArray::number(i) + "=" + QByteArray::number(i + 1) + "\n";
        StorageTestDirs::writeText(t.dirs.macroDir() + QStringLiteral("/Long.MSMACRO"), text);
        const MacroRecord m = loadMacro(t.dirs, QStringLiteral("Long"));
        QCOMPARE(int(m.actions.size()), actions);
        if (actions > 0)
            QCOMPARE(int(m.actions.back().map), actions);

        ButtonEntry b;
        b.keyInfo.fill({9, 9, 9});
        copyMacroToButton(m, b);
        QCOMPARE(b.KeyNumber, actions);
        if (actions > 0)
            QCOMPARE(b.keyInfo[62], (KeyInfo{63, 0, 0}));
    }

    void copyIntoButtonMapsBytes()
    {
        MacroRecord m;
        m.actions = {macroMoveAction(-5, 0), macroDelayAction(3000)};
        ButtonEntry b;
        b.keyInfo[2] = {7, 7, 7};
        copyMacroToButton(m, b);
        QCOMPARE(b.KeyNumber, 2);
        QCOMPARE(b.keyInfo[0], (KeyInfo{2, 251, 0}));
        QCOMPARE(b.keyInfo[1], (KeyInfo{6, 44, 1}));
        QCOMPARE(b.keyInfo[2], (KeyInfo{7, 7, 7}));
    }

    void unsafeMacroNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent") << QStringLiteral("../Config");
        QTest::newRow("absolute") << QStringLiteral("/etc/x");
        QTest::newRow("backslash") << QStringLiteral("a\\b");
        QTest::newRow("dot dot") << QStringLiteral("..");
        QTest::newRow("drive") << QStringLiteral("D:x");
    }

    void unsafeMacroNames()
    {
        QFETCH(QString, name);
        StorageTestDirs t;
        MacroRecord m;
        m.actions = {macroKeyAction(4, true)};
        QVERIFY(!saveMacro(t.dirs, name, m));
        QVERIFY(QDir(t.dirs.macroDir()).entryList(QDir::Files).isEmpty());
        QVERIFY(QDir(t.dirs.configDir).entryList(QDir::Files).isEmpty());
        QVERIFY(loadMacro(t.dirs, name).actions.empty());
        QCOMPARE(readWriteSign(t.dirs, name), 0);
        clearWriteSign(t.dirs, name);
        QVERIFY(QDir(t.dirs.configDir).entryList(QDir::Files).isEmpty());
        QVERIFY(!addMacroName(t.dirs, name));
        QCOMPARE(countMacros(t.dirs), 0);
    }

    void saveKeepsAtMostOneButtonOfActions()
    {
        StorageTestDirs t;
        MacroRecord m;
        for (int i = 0; i < 70; ++i)
            m.actions.push_back(macroDelayAction(10 * (i + 1)));
        QVERIFY(saveMacro(t.dirs, QStringLiteral("Long"), m));
        const MacroRecord back = loadMacro(t.dirs, QStringLiteral("Long"));
        QCOMPARE(int(back.actions.size()), kMaxMacroActions);
        QCOMPARE(macroDelayMs(back.actions.back()), 630);
        QSettings raw(t.dirs.macroDir() + QStringLiteral("/Long.MSMACRO"), QSettings::IniFormat);
        QVERIFY(!raw.contains(QStringLiteral("Setting/Map_63")));
    }

    void registryUsesFirstFreeSlot()
    {
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.configIni(), "[MACRO_LIST]\n0=first\n2=third\n");
        QVERIFY(addMacroName(t.dirs, QStringLiteral("new")));
        QSettings s(t.dirs.configIni(), QSettings::IniFormat);
        QCOMPARE(s.value(QStringLiteral("MACRO_LIST/1")).toString(), QStringLiteral("new"));
        QCOMPARE(listMacroNames(t.dirs),
                 (QStringList{QStringLiteral("first"), QStringLiteral("new"), QStringLiteral("third")}));
        QCOMPARE(countMacros(t.dirs), 3);
    }

    void registryIsFullAtFifty()
    {
        StorageTestDirs t;
        for (int i = 0; i < 50; ++i)
            QVERIFY(addMacroName(t.dirs, QStringLiteral("m%1").arg(i)));
        QCOMPARE(countMacros(t.dirs), 50);
        QVERIFY(!addMacroName(t.dirs, QStringLiteral("extra")));
        QSettings s(t.dirs.configIni(), QSettings::IniFormat);
        QVERIFY(!s.contains(QStringLiteral("MACRO_LIST/50")));
        QVERIFY(!listMacroNames(t.dirs).contains(QStringLiteral("extra")));
    }
};

QTEST_GUILESS_MAIN(TestMacroFile)
#include "tst_macrofile.moc"
