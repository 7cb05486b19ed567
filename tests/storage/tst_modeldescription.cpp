#include "ModelDescription.h"
#include "StorageTestDirs.h"

#include <QtTest>

class TestModelDescription : public QObject
{
    Q_OBJECT

private slots:
    void countsAreStoredWithExclusiveOr_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("dpiLevels");
        QTest::newRow("plain") << QByteArray("ButtonCount=9\nMouseDpi=0") << 9 << 9;
        QTest::newRow("scrambled") << QByteArray("ButtonCount=12\nMouseDpi=5") << 9 << 9;
        QTest::newRow("scrambled dpi") << QByteArray("ButtonCount=12\nMouseDpi=5\nDPICount=14") << 9 << 7;
        QTest::newRow("only dpi") << QByteArray("DPICount=6") << 0 << 6;
        QTest::newRow("not numbers") << QByteArray("ButtonCount=x\nMouseDpi=y\nDPICount=z") << 0 << 0;
    }

    void countsAreStoredWithExclusiveOr()
    {
        QFETCH(QByteArray, keys);
        QFETCH(int, buttons);
        QFETCH(int, dpiLevels);
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.modelDescription(), "[PROFILE]\n" + keys + "\n");
        QCOMPARE(readButtonCount(t.dirs), buttons);
        QCOMPARE(readDpiCount(t.dirs), dpiLevels);
        ButtonTable table{};
        QCOMPARE(loadButtonTable2(t.dirs, table), buttons);
    }

    void missingFile()
    {
        StorageTestDirs t;
        QCOMPARE(readButtonCount(t.dirs), 0);
        QCOMPARE(readDpiCount(t.dirs), 0);
        QCOMPARE(readDisableMacro(t.dirs), 0);
        QCOMPARE(readShowSleep(t.dirs), 1);
        QVERIFY(readProductName(t.dirs).isEmpty());
        QVERIFY(readModelVersion(t.dirs).isEmpty());
        ButtonPositions pos;
        pos.fill(7);
        ButtonTable table;
        table.fill(8);
        ModelDefaults defaults;
        defaults.dpi = 5;
        QCOMPARE(loadButtonPositions(t.dirs, pos), -1);
        QCOMPARE(loadButtonTable2(t.dirs, table), -1);
        QCOMPARE(readModelDefaults(t.dirs, defaults), -1);
        QCOMPARE(int(pos[3]), 7);
        QCOMPARE(int(table[3]), 8);
        QCOMPARE(int(defaults.dpi), 5);
    }

    void singleKeys()
    {
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.modelDescription(),
                                   "[PROFILE]\nProductName=KX50\nVersion=V2.1\nDisableMacro=1\nShowSleep=0\n");
        QCOMPARE(readProductName(t.dirs), QStringLiteral("KX50"));
        QCOMPARE(readModelVersion(t.dirs), QStringLiteral("V2.1"));
        QCOMPARE(readDisableMacro(t.dirs), 1);
        QCOMPARE(readShowSleep(t.dirs), 0);
    }

    void buttonTables()
    {
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.modelDescription(),
                                   "[PROFILE]\nButtonCount=3\nBUTTON_INFO_0_Matrix=4\nBUTTON_INFO_15_Matrix=258\n"
                                   "BUTTON_INFO_16_Matrix=9\nBUTTON_INFO_0_Matrix2=6\nBUTTON_INFO_15_Matrix2=11\n");
        ButtonPositions pos;
        pos.fill(99);
        QCOMPARE(loadButtonPositions(t.dirs, pos), 0);
        QCOMPARE(int(pos[0]), 4);
        QCOMPARE(int(pos[1]), 0); // missing keys clear the entry
        QCOMPARE(int(pos[15]), 2);
        ButtonTable table;
        table.fill(99);
        QCOMPARE(loadButtonTable2(t.dirs, table), 3);
        QCOMPARE(int(table[0]), 6);
        QCOMPARE(int(table[7]), 0);
        QCOMPARE(int(table[15]), 11);
    }
};

QTEST_GUILESS_MAIN(TestModelDescription)
#include "tst_modeldescription.moc"
