// The installed program: `cmake --install` into a temporary prefix that is
// then made read-only, run from <prefix>/bin with HOME and XDG_CONFIG_HOME in a
// temporary folder. The settings must land in the XDG folder, the prefix must
// stay as installed, and an upgrade of the shipped files must keep the user's
// own.

#include <QCryptographicHash>
#include <QDirIterator>
#include <QIcon>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QSettings>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Every file and link of a folder with a hash of its contents (or link target).
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        QByteArray hash = "dir";
        if (info.isSymLink()) {
            hash = "link " + info.symLinkTarget().toUtf8();
        } else if (info.isFile()) {
            QFile f(path);
            hash = f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1)
                                               : QByteArray("unreadable");
        }
        files.insert(QDir(root).relativeFilePath(path), hash);
    }
    return files;
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void layout();
    void desktopIconAt48();
    void statusJson_data();
    void statusJson();
    void applyLandsInUserFolder();
    void upgradeKeepsUserEdit();

private:
    Run ctl(const QStringList &args) const;
    QJsonObject queryStatus(const QStringList &faults = {}) const;
    void setPrefixWritable(bool writable) const;

    QTemporaryDir m_root;
    QString m_sPrefix;
    QString m_sUserDir;
    QMap<QString, QByteArray> m_installed;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_root.isValid());
    m_sPrefix = m_root.filePath(QStringLiteral("prefix"));
    m_sUserDir = m_root.filePath(QStringLiteral("xdg/mousecfg/Configs"));
    for (const QStringList &extra : {QStringList{}, QStringList{QStringLiteral("--component"), "simulator"}}) {
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(MOUSECFG_CMAKE_COMMAND),
                      QStringList{"--install", MOUSECFG_BINARY_DIR, "--prefix", m_sPrefix} + extra);
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
                 install.readAll().constData());
    }
    setPrefixWritable(false);
    m_installed = snapshot(m_sPrefix);
}

void TestInstall::cleanupTestCase()
{
    if (!m_sPrefix.isEmpty())
        setPrefixWritable(true); // so the temporary folder can be removed
}

void TestInstall::setPrefixWritable(bool writable) const
{
    QCOMPARE(
        QProcess::execute(QStringLiteral("chmod"),
                          {QStringLiteral("-R"), writable ? QStringLiteral("u+w") : QStringLiteral("a-w"), m_sPrefix}),
        0);
}

Run TestInstall::ctl(const QStringList &args) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_root.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_root.filePath(QStringLiteral("xdg")));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(m_root.path());
    p.start(m_sPrefix + QStringLiteral("/bin/mousecfgctl-sim"), QStringList{QStringLiteral("--simulate")} + args);
    Run run;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = p.exitCode();
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

QJsonObject TestInstall::queryStatus(const QStringList &faults) const
{
    QStringList args;
    for (const QString &fault : faults)
        args << QStringLiteral("--sim-fault") << fault;
    const Run run = ctl(args << QStringLiteral("status") << QStringLiteral("--json"));
    if (run.exitCode != 0)
        qWarning("status --json ended with %d: %s", run.exitCode, run.err.constData());
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(run.out, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("status --json printed no JSON (%s): %s", qPrintable(error.errorString()), run.out.constData());
    return doc.object();
}

void TestInstall::layout()
{
    // The commands are links into the application folder, where the data is.
    for (const QString &command : {QStringLiteral("mousecfg"), QStringLiteral("mousecfgctl")}) {
        const QFileInfo link(m_sPrefix + QStringLiteral("/bin/") + command);
        QVERIFY2(link.isSymLink(), qPrintable(command));
        QCOMPARE(link.canonicalFilePath(),
                 QFileInfo(m_sPrefix + QStringLiteral("/lib/mousecfg/") + command).canonicalFilePath());
        QVERIFY(link.isExecutable());
    }
    for (const QString &rel :
         {QStringLiteral("lib/mousecfg/DefaultProfile.bin"), QStringLiteral("lib/mousecfg/Configs/Config.ini"),
          QStringLiteral("lib/mousecfg/skin/cfgMainback.png"), QStringLiteral("share/man/man1/mousecfgctl.1.gz"),
          QStringLiteral("share/bash-completion/completions/mousecfgctl")})
        QVERIFY2(QFileInfo::exists(m_sPrefix + QLatin1Char('/') + rel), qPrintable(rel));

    QProcess version;
    version.start(m_sPrefix + QStringLiteral("/bin/mousecfgctl"), {QStringLiteral("--version")});
    QVERIFY(version.waitForFinished(30000));
    QCOMPARE(version.exitCode(), 0);
    QCOMPARE(version.readAllStandardOutput().trimmed(), QByteArray("mousecfgctl " MOUSECFG_VERSION));
}

void TestInstall::desktopIconAt48()
{
    const QString desktop = m_sPrefix + QStringLiteral("/share/applications/org.mousecfg.mousecfg.desktop");
    QSettings entry(desktop, QSettings::IniFormat);
    const QString iconName = entry.value(QStringLiteral("Desktop Entry/Icon")).toString();
    QVERIFY2(!iconName.isEmpty(), qPrintable(desktop));
    QCOMPARE(entry.value(QStringLiteral("Desktop Entry/Exec")).toString(), QStringLiteral("mousecfg"));

    // Looked up the way a desktop does: by name in the hicolor theme, whose
    // index (the system's hicolor-icon-theme) lists the size folders.
    const QString index = m_root.filePath(QStringLiteral("theme/hicolor/index.theme"));
    QVERIFY(QDir().mkpath(QFileInfo(index).path()));
    QByteArray text = "[Icon Theme]\nName=Hicolor\nDirectories=";
    QByteArray folders;
    for (int px : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QByteArray folder = QByteArray::number(px) + 'x' + QByteArray::number(px) + "/apps";
        text += folder + ',';
        folders += "\n[" + folder + "]\nSize=" + QByteArray::number(px) + "\nType=Fixed\n";
    }
    QFile indexFile(index);
    QVERIFY(indexFile.open(QIODevice::WriteOnly));
    indexFile.write(text + '\n' + folders);
    indexFile.close();
    QIcon::setThemeSearchPaths({m_root.filePath(QStringLiteral("theme")), m_sPrefix + QStringLiteral("/share/icons")});
    QIcon::setThemeName(QStringLiteral("hicolor"));
    const QIcon icon = QIcon::fromTheme(iconName);
    QVERIFY2(!icon.isNull(), qPrintable(iconName));
    QVERIFY(icon.availableSizes().contains(QSize(48, 48)));
    const QImage image = icon.pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(48, 48));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);     // the cut corner
    QCOMPARE(qAlpha(image.pixel(24, 24)), 255); // the mouse

    // Over a light and a dark panel, to be looked at.
    QImage shot(2 * 48 + 24, 48 + 16, QImage::Format_ARGB32);
    shot.fill(QColor(236, 236, 236));
    QPainter painter(&shot);
    painter.fillRect(QRect(shot.width() / 2, 0, shot.width() / 2, shot.height()), QColor(40, 40, 40));
    painter.drawImage(8, 8, image);
    painter.drawImage(shot.width() / 2 + 4, 8, image);
    painter.end();
    const QString out = QStringLiteral(MOUSECFG_E2E_OUTPUT_DIR "/desktop-icon-48.png");
    QVERIFY(QDir().mkpath(QFileInfo(out).path()));
    QVERIFY(shot.save(out));
}

void TestInstall::statusJson_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QString>("connection");
    QTest::addColumn<bool>("asleep");
    QTest::newRow("receiver") << QStringList{} << "receiver" << false;
    QTest::newRow("cable too") << QStringList{"cable"} << "cable+receiver" << false;
    QTest::newRow("asleep") << QStringList{"asleep"} << "receiver" << true;
}

void TestInstall::statusJson()
{
    QFETCH(QStringList, faults);
    QFETCH(QString, connection);
    QFETCH(bool, asleep);
    const QJsonObject status = queryStatus(faults);
    QCOMPARE(status.value("connected").toBool(), true);
    QCOMPARE(status.value("connection").toString(), connection);
    QCOMPARE(status.value("asleep").toBool(), asleep);
    QCOMPARE(status.value("batteryPercent").isNull(), asleep);
    QCOMPARE(status.value("charging").isNull(), asleep);
    QVERIFY(status.value("profile").toInt() >= 1 && status.value("profile").toInt() <= 5);
    QVERIFY(status.value("dpiLevel").toInt() >= 1 && status.value("dpiLevel").toInt() <= 8);
    QVERIFY(QFileInfo::exists(m_sUserDir + QStringLiteral("/Config.ini")));
    if (asleep)
        return;
    // The same reading as the text form prints.
    QStringList args;
    for (const QString &fault : faults)
        args << QStringLiteral("--sim-fault") << fault;
    const Run text = ctl(args << QStringLiteral("status"));
    QCOMPARE(text.exitCode, 0);
    QVERIFY2(
        text.out.contains(QStringLiteral("battery level: %1%\n").arg(status.value("batteryPercent").toInt()).toUtf8()),
        text.out.constData());
    QVERIFY(status.value("batteryMillivolts").toInt() > 0);
}

void TestInstall::applyLandsInUserFolder()
{
    const QJsonObject before = queryStatus();
    const int slot = before.value("profile").toInt() - 1;
    QVERIFY(slot >= 0);
    const QString conf = m_root.filePath(QStringLiteral("mine.conf"));
    const Run exported = ctl({QStringLiteral("export"), conf});
    QVERIFY2(exported.exitCode == 0, exported.err.constData());
    // The other of 500 and 1000 reports per second (codes 2 and 1).
    const int code = before.value("reportRateHz").toInt() == 500 ? 1 : 2;
    const int hz = code == 1 ? 1000 : 500;
    QSettings(conf, QSettings::IniFormat).setValue(QStringLiteral("PROFILE_%1/pollrate").arg(slot), code);

    const Run applied = ctl({QStringLiteral("apply"), conf});
    QVERIFY2(applied.exitCode == 0, applied.err.constData());
    QVERIFY2(applied.out.startsWith("sent: general settings"), applied.out.constData());
    QCOMPARE(queryStatus().value("reportRateHz").toInt(), hz);
    const QString profileFile =
        m_sUserDir + QStringLiteral("/Profile/%1.prof").arg(before.value("profileName").toString());
    QCOMPARE(QSettings(profileFile, QSettings::IniFormat).value(QStringLiteral("PROFILE/pollrate")).toInt(), code);
    QCOMPARE(snapshot(m_sPrefix), m_installed);
}

void TestInstall::upgradeKeepsUserEdit()
{
    const QJsonObject before = queryStatus();
    const int userHz = before.value("reportRateHz").toInt();
    QVERIFY(userHz == 500 || userHz == 1000);
    const QString shipped = m_sPrefix + QStringLiteral("/lib/mousecfg/Configs");

    // A new version ships another rate for that profile and a new setting.
    setPrefixWritable(true);
    QSettings(shipped + QStringLiteral("/Profile/%1.prof").arg(before.value("profileName").toString()),
              QSettings::IniFormat)
        .setValue(QStringLiteral("PROFILE/pollrate"), 8);
    QSettings(shipped + QStringLiteral("/Config.ini"), QSettings::IniFormat)
        .setValue(QStringLiteral("MouseLEDMode/Upgraded"), 3);
    setPrefixWritable(false);
    const QMap<QString, QByteArray> upgraded = snapshot(m_sPrefix);

    QCOMPARE(queryStatus().value("reportRateHz").toInt(), userHz);
    QCOMPARE(QSettings(m_sUserDir + QStringLiteral("/Config.ini"), QSettings::IniFormat)
                 .value(QStringLiteral("MouseLEDMode/Upgraded"))
                 .toInt(),
             3);
    QCOMPARE(snapshot(m_sPrefix), upgraded);
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
