#include "ConfigFile.h"
#include "ModelDescription.h"
#include "ProfileFile.h"
#include "ProfileModel.h"

#include <QtTest>

// The sample installation in data/ reads as the model it describes.
class TestSampleData : public QObject
{
    Q_OBJECT

private:
    const StorageDirs m_dirs = StorageDirs::fromAppDir(QStringLiteral(MOUSECFG_DATA_DIR));

private slots:
    void modelDescription()
    {
        QCOMPARE(readProductName(m_dirs), QStringLiteral("TarnX8"));
        QVERIFY(!readModelVersion(m_dirs).isEmpty());
        QCOMPARE(readButtonCount(m_dirs), 8);
        QCOMPARE(readDpiCount(m_dirs), 8);
        QCOMPARE(readDisableMacro(m_dirs), 0);
        QCOMPARE(readShowSleep(m_dirs), 1);
        ButtonPositions pos{};
        QCOMPARE(loadButtonPositions(m_dirs, pos), 0);
        ButtonTable table{};
        QCOMPARE(loadButtonTable2(m_dirs, table), 8);
    }

    void defaultProfileUsesSensorCodes()
    {
        ProfileData p;
        makeDefaultProfile(m_dirs, p);
        const int sensor = readSensor(m_dirs);
        QCOMPARE(sensor, 3395);
        const int dpis[kDpiLevelCount] = {400, 800, 1600, 2400, 3200, 6400, 12000, 26000};
        for (int i = 0; i < kDpiLevelCount; ++i)
            QCOMPARE(dpiCodeToValue(int(p.dpiLevels[size_t(i)].xy), sensor), dpis[i]);
        QCOMPARE(p.buttons[0].Fun, 1);
        QCOMPARE(p.buttons[1].Fun, 2);
        for (const LedModeSetting &l : p.ledModes)
            QVERIFY(l.RGB.isValid());
    }

    void configuration()
    {
        QCOMPARE(readMouseListName(m_dirs), QStringLiteral("TarnX8"));
        QCOMPARE(readCurrentProductName(m_dirs), QStringLiteral("TarnX8"));
        QCOMPARE(readBatteryFull(m_dirs), 4200);
        QVERIFY(readColorTheme(m_dirs) >= 0 && readColorTheme(m_dirs) <= 6);
        QVERIFY(!readModelText(m_dirs).isEmpty());
        QCOMPARE(readLangId(m_dirs), 0);
        LanguageList langs;
        readLanguageList(m_dirs, langs);
        QCOMPARE(langs.count, 3);
        QCOMPARE(langs.entries[0].file, QStringLiteral("mousecfg_en"));
        QCOMPARE(langs.entries[1].file, QStringLiteral("mousecfg_zh_CN"));
        QCOMPARE(langs.entries[1].name, QString::fromUtf8("简体中文"));
        QCOMPARE(langs.entries[2].name, QStringLiteral("Deutsch"));
        QCOMPARE(readFontFamily(m_dirs, 1), QStringLiteral("WenQuanYi Micro Hei"));
        QCOMPARE(readFontFamily(m_dirs, 2), QStringLiteral("DejaVu Sans"));
        QVERIFY(readFontSize(m_dirs, 0) > 0);
    }

    void shippedProfilesAreTheDefaults()
    {
        AppConfig c;
        ButtonPositions pos{};
        loadSavedConfig(m_dirs, c, pos);
        ProfileData def;
        makeDefaultProfile(m_dirs, def);
        for (int i = 0; i < kProfileCount; ++i) {
            QCOMPARE(c.profileNames[size_t(i)], QStringLiteral("Profile %1").arg(i + 1));
            ProfileData slot = c.profiles[size_t(i)];
            QCOMPARE(slot.ProfileName, c.profileNames[size_t(i)]);
            slot.ProfileName.clear();
            QVERIFY(slot == def);
        }
    }
};

QTEST_GUILESS_MAIN(TestSampleData)
#include "tst_sampledata.moc"
