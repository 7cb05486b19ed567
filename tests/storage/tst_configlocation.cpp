// Where a run keeps its settings: the application folder's own Configs/, or the
// user's XDG folder seeded from the shipped one, and what an upgrade of the
// shipped files may and may not change there.

#include "ConfigLocation.h"
#include "StorageTestDirs.h"

#include <QSettings>
#include <QtTest>

#include <unistd.h>

namespace {

QString iniValue(const QString &path, const QString &key)
{
    return QSettings(path, QSettings::IniFormat).value(key).toString();
}

void setIniValue(const QString &path, const QString &key, const QString &value)
{
    QSettings(path, QSettings::IniFormat).setValue(key, value);
}

// An application folder as installed: the sample Configs/ and the marker.
struct InstalledAppDir
{
    QTemporaryDir tmp;
    QString shipped = tmp.filePath(QStringLiteral("app/Configs"));

    explicit InstalledAppDir(bool marked = true)
    {
        QDir().mkpath(shipped + QStringLiteral("/MacroDB"));
        QDir().mkpath(shipped + QStringLiteral("/Profile"));
        for (const QString &rel :
             {QStringLiteral("Config.ini"), QStringLiteral("LangConfig.ini"), QStringLiteral("Profile/Profile 1.prof")})
            QFile::copy(QStringLiteral(MOUSECFG_DATA_DIR "/Configs/") + rel, shipped + QLatin1Char('/') + rel);
        if (marked)
            StorageTestDirs::writeText(appDir() + QLatin1Char('/') + QLatin1String(kInstalledMarkerName), "x\n");
    }
    QString appDir() const { return tmp.filePath(QStringLiteral("app")); }
    QProcessEnvironment env() const
    {
        QProcessEnvironment e;
        e.insert(QStringLiteral("HOME"), tmp.filePath(QStringLiteral("home")));
        e.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp.filePath(QStringLiteral("xdg")));
        return e;
    }
    QString userDir() const { return tmp.filePath(QStringLiteral("xdg/mousecfg/Configs")); }
};

} // namespace

class TestConfigLocation : public QObject
{
    Q_OBJECT

private slots:
    void userFolderFromEnvironment_data();
    void userFolderFromEnvironment();
    void writableAppDirKeepsItsConfigs();
    void installedCopyUsesSeededUserFolder();
    void readOnlyAppDirUsesUserFolder();
    void upgradeAddsWithoutOverwriting();
    void unwritableUserFolderIsReported();
};

void TestConfigLocation::userFolderFromEnvironment_data()
{
    QTest::addColumn<QString>("xdg");
    QTest::addColumn<bool>("xdgSet");
    QTest::addColumn<QString>("expected");
    QTest::newRow("xdg absolute") << "/x/conf" << true << "/x/conf/mousecfg/Configs";
    QTest::newRow("xdg trailing slash") << "/x/conf/" << true << "/x/conf/mousecfg/Configs";
    QTest::newRow("xdg empty") << "" << true << "/h/.config/mousecfg/Configs";
    QTest::newRow("xdg relative") << "conf" << true << "/h/.config/mousecfg/Configs";
    QTest::newRow("xdg unset") << "" << false << "/h/.config/mousecfg/Configs";
}

void TestConfigLocation::userFolderFromEnvironment()
{
    QFETCH(QString, xdg);
    QFETCH(bool, xdgSet);
    QFETCH(QString, expected);
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), QStringLiteral("/h"));
    if (xdgSet)
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), xdg);
    QCOMPARE(userConfigDir(env), expected);
}

void TestConfigLocation::writableAppDirKeepsItsConfigs()
{
    const InstalledAppDir app(false);
    const StorageDirs dirs = resolveStorageDirs(app.appDir(), app.env());
    QCOMPARE(dirs.configDir, app.shipped);
    QCOMPARE(dirs.appDir, app.appDir());
    QVERIFY(!QFileInfo::exists(app.userDir()));
}

void TestConfigLocation::installedCopyUsesSeededUserFolder()
{
    const InstalledAppDir app;
    const StorageDirs dirs = resolveStorageDirs(app.appDir(), app.env());
    QCOMPARE(dirs.configDir, app.userDir());
    QCOMPARE(dirs.modelDescription(), app.appDir() + QStringLiteral("/DefaultProfile.bin"));
    for (const QString &rel :
         {QStringLiteral("Config.ini"), QStringLiteral("LangConfig.ini"), QStringLiteral("Profile/Profile 1.prof")}) {
        QFile shipped(app.shipped + QLatin1Char('/') + rel);
        QFile user(app.userDir() + QLatin1Char('/') + rel);
        QVERIFY2(shipped.open(QIODevice::ReadOnly) && user.open(QIODevice::ReadOnly), qPrintable(rel));
        QCOMPARE(user.readAll(), shipped.readAll());
    }
    // The program saves macros there; the folder exists from the start.
    QVERIFY(QFileInfo(dirs.macroDir()).isDir());
}

void TestConfigLocation::readOnlyAppDirUsesUserFolder()
{
    if (geteuid() == 0)
        QSKIP("root may write any folder; the installation marker covers that case");
    const InstalledAppDir app(false);
    QFile::setPermissions(app.shipped, QFile::ReadOwner | QFile::ExeOwner);
    const StorageDirs dirs = resolveStorageDirs(app.appDir(), app.env());
    QFile::setPermissions(app.shipped, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(dirs.configDir, app.userDir());
    QVERIFY(QFileInfo::exists(dirs.configIni()));
}

void TestConfigLocation::upgradeAddsWithoutOverwriting()
{
    const InstalledAppDir app;
    const QString shippedIni = app.shipped + QStringLiteral("/Config.ini");
    // Installed files are read-only; the user's copies must not be.
    QFile::setPermissions(shippedIni, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const SeedResult first = seedConfigDir(app.shipped, app.userDir());
    QVERIFY(first.failures.isEmpty());
    QCOMPARE(first.copied.size(), 3);
    const QString userIni = app.userDir() + QStringLiteral("/Config.ini");
    QVERIFY(QFile::permissions(userIni) & QFile::WriteOwner);

    setIniValue(userIni, QStringLiteral("Config/ProfileID"), QStringLiteral("3"));
    StorageTestDirs::writeText(app.userDir() + QStringLiteral("/MacroDB/Mine.MSMACRO"), "mine\n");
    QVERIFY(QFile::remove(app.userDir() + QStringLiteral("/Profile/Profile 1.prof")));
    QVERIFY(QFile::remove(app.userDir() + QStringLiteral("/LangConfig.ini")));

    // The next version changes a value the user changed, adds a key and a file.
    QFile::setPermissions(shippedIni, QFile::ReadOwner | QFile::WriteOwner);
    setIniValue(shippedIni, QStringLiteral("Config/ProfileID"), QStringLiteral("1"));
    setIniValue(shippedIni, QStringLiteral("FONT_LIST/LangName_9"), QStringLiteral("Added"));
    StorageTestDirs::writeText(app.shipped + QStringLiteral("/MacroDB/Shipped.MSMACRO"), "new\n");

    const SeedResult second = seedConfigDir(app.shipped, app.userDir());
    QVERIFY(second.failures.isEmpty());
    // The removed profile stays removed; the settings file is needed.
    QStringList copied = second.copied;
    copied.sort();
    QCOMPARE(copied, (QStringList{QStringLiteral("LangConfig.ini"), QStringLiteral("MacroDB/Shipped.MSMACRO")}));
    QCOMPARE(second.keysAdded, 1);
    QCOMPARE(iniValue(userIni, QStringLiteral("Config/ProfileID")), QStringLiteral("3"));
    QCOMPARE(iniValue(userIni, QStringLiteral("FONT_LIST/LangName_9")), QStringLiteral("Added"));
    QCOMPARE(iniValue(userIni, QStringLiteral("Config/Model")), iniValue(shippedIni, QStringLiteral("Config/Model")));
    QVERIFY(QFileInfo::exists(app.userDir() + QStringLiteral("/MacroDB/Mine.MSMACRO")));

    // Nothing new: nothing is touched.
    const SeedResult third = seedConfigDir(app.shipped, app.userDir());
    QVERIFY(third.copied.isEmpty());
    QCOMPARE(third.keysAdded, 0);
}

void TestConfigLocation::unwritableUserFolderIsReported()
{
    const InstalledAppDir app;
    // XDG_CONFIG_HOME names a file: no folder can be made below it.
    StorageTestDirs::writeText(app.tmp.filePath(QStringLiteral("xdg")), "not a folder\n");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Settings folder .*cannot create")));
    const StorageDirs dirs = resolveStorageDirs(app.appDir(), app.env());
    QCOMPARE(dirs.configDir, app.userDir());
    QVERIFY(!QFileInfo::exists(dirs.configIni()));
    // The shipped files stay as they were.
    QVERIFY(QFileInfo::exists(app.shipped + QStringLiteral("/Config.ini")));
}

QTEST_GUILESS_MAIN(TestConfigLocation)
#include "tst_configlocation.moc"
