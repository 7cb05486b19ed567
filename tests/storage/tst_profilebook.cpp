// The slot bookkeeping: the per-model profile list, the default names and
// switching the current slot with and without reading its file again.

#include "ConfigFile.h"
#include "ProfileBook.h"
#include "ProfileFile.h"
#include "ProfileModel.h"
#include "StorageTestDirs.h"

#include <QSettings>
#include <QtTest>

class TestProfileBook : public QObject
{
    Q_OBJECT

private slots:
    void defaultNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isDefault");
        QTest::newRow("Profile 1") << "Profile 1" << true;
        QTest::newRow("Profile 5") << "Profile 5" << true;
        QTest::newRow("Profile 0") << "Profile 0" << false;
        QTest::newRow("Profile 6") << "Profile 6" << false;
        QTest::newRow("lower case") << "profile 1" << false;
        QTest::newRow("two blanks") << "Profile  1" << false;
        QTest::newRow("trailing blank") << "Profile 1 " << false;
        QTest::newRow("own name") << "FPS" << false;
        QTest::newRow("empty") << "" << false;
    }
    void defaultNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, isDefault);
        QCOMPARE(isDefaultProfileName(name), isDefault);
    }

    void listFile_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no file") << "TarnX8" << QByteArray() << QStringList();
        QTest::newRow("no count") << "TarnX8" << QByteArray("[PROFILE_LIST]\n1=A\n") << QStringList();
        QTest::newRow("negative count") << "TarnX8" << QByteArray("[PROFILE_LIST]\nCount=-3\n1=A\n") << QStringList();
        QTest::newRow("count 2 in order")
            << "TarnX8" << QByteArray("[PROFILE_LIST]\nCount=2\n2=B\n1=A\n3=C\n") << QStringList({"A", "B"});
        QTest::newRow("text count") << "TarnX8" << QByteArray("[PROFILE_LIST]\nCount=abc\n1=A\n") << QStringList();
        QTest::newRow("hostile variant value")
            << "TarnX8" << QByteArray("[PROFILE_LIST]\nCount=1\n1=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x1)\n")
            << QStringList({""});
        QTest::newRow("product name is a path")
            << "../Configs" << QByteArray("[PROFILE_LIST]\nCount=1\n1=A\n") << QStringList();
        QTest::newRow("empty product name") << "" << QByteArray("[PROFILE_LIST]\nCount=1\n1=A\n") << QStringList();
        QTest::newRow("product name is a dot") << "." << QByteArray("[PROFILE_LIST]\nCount=1\n1=A\n") << QStringList();
    }
    void listFile()
    {
        QFETCH(QString, product);
        QFETCH(QByteArray, text);
        QFETCH(QStringList, expected);
        StorageTestDirs t;
        if (!text.isEmpty()) {
            // Written under the real folder even when the product name is unsafe,
            // so reading through the unsafe name would find it.
            QDir().mkpath(t.dirs.configDir + "/TarnX8");
            StorageTestDirs::writeText(t.dirs.configDir + "/TarnX8/Config.ini", text);
            StorageTestDirs::writeText(t.dirs.configDir + "/Config.ini", text);
        }
        QCOMPARE(readProfileList(t.dirs, product), expected);
    }

    void hugeCountIsCut()
    {
        StorageTestDirs t;
        QDir().mkpath(t.dirs.configDir + "/TarnX8");
        StorageTestDirs::writeText(t.dirs.configDir + "/TarnX8/Config.ini",
                                   "[PROFILE_LIST]\nCount=2000000000\n1=First\n");
        const QStringList list = readProfileList(t.dirs, "TarnX8");
        QCOMPARE(list.size(), kMaxProfileListEntries);
        QCOMPARE(list.first(), QStringLiteral("First"));
    }

    void switchSlot_data()
    {
        QTest::addColumn<bool>("reload");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<int>("expectedDpi"); // DPI level of slot 3 afterwards
        QTest::newRow("without reload keeps the edit") << false << true << 6;
        QTest::newRow("reload reads the file") << true << true << 2;
        QTest::newRow("reload without a file keeps the slot") << true << false << 6;
    }
    void switchSlot()
    {
        QFETCH(bool, reload);
        QFETCH(bool, fileExists);
        QFETCH(int, expectedDpi);
        StorageTestDirs t;
        AppConfig working;
        for (int i = 0; i < kProfileCount; ++i)
            working.profileNames[i] = QStringLiteral("Profile %1").arg(i + 1);
        working.profiles[3].dpi = 2;
        if (fileExists)
            QVERIFY(writeProfileFile(t.dirs, working.profiles[3], working.profileNames[3]));
        working.profiles[3].dpi = 6; // an unsent edit
        working.profiles[3].ProfileName = QStringLiteral("stale");
        const ProfileData otherSlot = working.profiles[1];

        ProfileBook book(t.dirs);
        QVERIFY(book.switchSlot(working, 3, reload));
        QCOMPARE(int(working.ProfileID), 3);
        QCOMPARE(int(working.profiles[3].dpi), expectedDpi);
        QCOMPARE(working.profiles[3].ProfileName, QStringLiteral("Profile 4"));
        QVERIFY(working.profiles[1] == otherSlot);
        QCOMPARE(QSettings(t.dirs.configIni(), QSettings::IniFormat).value("Config/ProfileID").toInt(), 3);
    }

    void switchToASlotThatDoesNotExist_data()
    {
        QTest::addColumn<int>("slot");
        QTest::newRow("5") << 5;
        QTest::newRow("255") << 255;
        QTest::newRow("-1") << -1;
    }
    void switchToASlotThatDoesNotExist()
    {
        QFETCH(int, slot);
        StorageTestDirs t;
        saveProfileId(t.dirs, 2);
        AppConfig working;
        working.ProfileID = 2;
        ProfileBook book(t.dirs);
        QVERIFY(!book.switchSlot(working, slot, true));
        QCOMPARE(int(working.ProfileID), 2);
        QCOMPARE(QSettings(t.dirs.configIni(), QSettings::IniFormat).value("Config/ProfileID").toInt(), 2);
    }
};

QTEST_GUILESS_MAIN(TestProfileBook)
#include "tst_profilebook.moc"
