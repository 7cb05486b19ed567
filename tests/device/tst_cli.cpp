// mousecfgctl end to end: the built mousecfgctl-sim run on a temporary copy of
// the application directory, against its simulated mouse.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int exit = -1;
    QString out;
    QString err;
    QStringList lines() const { return out.split('\n', Qt::SkipEmptyParts); }
    QStringList traceLines() const { return lines().filter(QRegularExpression("^(write|read) ")); }
    QStringList writes() const { return lines().filter(QRegularExpression("^write ")); }
};

bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(file, target))
            return false;
    }
    return true;
}

// The files hold colours that only QtGui can read back, so they are edited and
// read as text here: a QSettings round trip in this process would lose them.
QString iniValue(const QString &path, const QString &group, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QString current;
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith('['))
            current = line.mid(1, line.indexOf(']') - 1);
        else if (current == group && line.startsWith(key + '='))
            return line.mid(key.size() + 1).trimmed();
    }
    return QString();
}

bool setIniValue(const QString &path, const QString &group, const QString &key, const QString &value)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    file.close();
    QString current;
    bool done = false;
    for (QString &line : lines) {
        if (line.startsWith('['))
            current = line.mid(1, line.indexOf(']') - 1);
        else if (!done && current == group && line.startsWith(key + '=')) {
            line = key + '=' + value;
            done = true;
        }
    }
    if (!done || !file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    file.write(lines.join('\n').toUtf8());
    return true;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void arguments_data();
    void arguments();
    void status_data();
    void status();
    void refusedOpenIsNamed();
    void applyThenNothingMore();
    void failureForcesAllNextTime();
    void foreignProductRefused();
    void asleepForcesAFullSend();
    void exportThenApplySendsNothing();
    void traceFormat();

private:
    Run ctl(const QStringList &args);
    QString exportEdited(const QString &name, int pollrate);
    int diff();

    QString m_program;
    QString m_source;
    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_appDir;
    QString m_product;
};

void TestCli::initTestCase()
{
    m_program = QStringLiteral(MOUSECFG_APPDIR "/mousecfgctl-sim");
    QVERIFY2(QFileInfo(m_program).isExecutable(), "build the mousecfgctl-sim target first");
    // The assembled application directory, or the installation data it is made from.
    m_source = QStringLiteral(MOUSECFG_APPDIR);
    if (!QFileInfo(m_source + "/Configs/Config.ini").isFile())
        m_source = QStringLiteral(MOUSECFG_DATA_DIR);
    QVERIFY2(QFileInfo(m_source + "/Configs/Config.ini").isFile(), "no Configs/Config.ini to copy");
}

void TestCli::init()
{
    m_tmp.reset(new QTemporaryDir);
    m_appDir = m_tmp->path() + "/app";
    QVERIFY(copyTree(m_source + "/Configs", m_appDir + "/Configs"));
    if (QFileInfo(m_source + "/DefaultProfile.bin").isFile())
        QVERIFY(QFile::copy(m_source + "/DefaultProfile.bin", m_appDir + "/DefaultProfile.bin"));
    QDir().mkpath(m_appDir + "/Configs/MacroDB");
    // Config.ini holds no colours; QSettings may rewrite it.
    QSettings ini(m_appDir + "/Configs/Config.ini", QSettings::IniFormat);
    ini.setValue("Config/Diff", 0);
    m_product = ini.value("Config/CurrentProductName").toString();
}

Run TestCli::ctl(const QStringList &args)
{
    QProcess process;
    process.setProgram(m_program);
    process.setArguments(QStringList{"--appdir", m_appDir} + args);
    process.start();
    Run run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// Exports the stored configuration and changes slot 0's report rate in the file.
QString TestCli::exportEdited(const QString &name, int pollrate)
{
    const QString path = m_tmp->path() + "/" + name;
    const Run run = ctl({"export", path});
    if (run.exit != 0)
        return QString();
    if (pollrate >= 0 && !setIniValue(path, "PROFILE_0", "pollrate", QString::number(pollrate)))
        return QString();
    return path;
}

int TestCli::diff()
{
    return iniValue(m_appDir + "/Configs/Config.ini", "Config", "Diff").toInt();
}

void TestCli::arguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("text"); // expected in stdout + stderr

    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage:";
    QTest::newRow("no command") << QStringList{} << 1 << "no command given";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 1 << "unknown command \"frobnicate\"";
    QTest::newRow("apply without file") << QStringList{"apply"} << 1 << "apply takes exactly one FILE";
    QTest::newRow("status with argument") << QStringList{"status", "x"} << 1 << "status takes no arguments";
    QTest::newRow("unknown option") << QStringList{"--bogus", "status"} << 1 << "Unknown option 'bogus'";
    QTest::newRow("--all with export") << QStringList{"export", "--all", "x.conf"} << 1 << "--all belongs to apply";
    QTest::newRow("unknown fault") << QStringList{"--simulate", "--sim-fault", "melt", "status"} << 1
                                   << "unknown simulated fault";
    QTest::newRow("unreadable file") << QStringList{"--simulate", "apply", "/nonexistent/x.conf"} << 2
                                     << "cannot read the configuration file";
    QTest::newRow("no mouse without --simulate") << QStringList{"status"} << 3 << "no mouse found";
}

void TestCli::arguments()
{
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    QFETCH(QString, text);
    const Run run = ctl(args);
    QCOMPARE(run.exit, exit);
    QVERIFY2((run.out + run.err).contains(text), qPrintable(run.out + run.err));
}

void TestCli::status_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("receiver") << QStringList{}
                              << QStringList{"connection: receiver", "battery: reading 4140 (0x102c), charging",
                                             "battery level: 100%", "write status: 1"};
    QTest::newRow("cable too") << QStringList{"--sim-fault", "cable"} << QStringList{"connection: cable and receiver"};
    QTest::newRow("asleep") << QStringList{"--sim-fault", "asleep"} << QStringList{"battery: MOUSE OFF"};
}

void TestCli::status()
{
    QFETCH(QStringList, faults);
    QFETCH(QStringList, expected);
    const Run run = ctl(QStringList{"--simulate"} + faults + QStringList{"status"});
    QCOMPARE(run.exit, 0);
    for (const QString &line : expected)
        QVERIFY2(run.lines().contains(line), qPrintable(run.out));
}

void TestCli::refusedOpenIsNamed()
{
    const Run run = ctl({"--simulate", "--sim-fault", "no-permission", "status"});
    QCOMPARE(run.exit, 3);
    QVERIFY2(
        run.err.contains("mousecfgctl: no permission to open the mouse (\\\\?\\hid#vid_248a&pid_fa02&mi_00&col01#"),
        qPrintable(run.err));
    QVERIFY2(run.err.contains("install the udev rule 70-mousecfg.rules"), qPrintable(run.err));
}

void TestCli::applyThenNothingMore()
{
    const QString file = exportEdited("edited.conf", 8);
    QVERIFY(!file.isEmpty());
    const Run first = ctl({"--simulate", "--trace", "apply", file});
    QCOMPARE(first.exit, 0);
    QVERIFY2(first.lines().contains("sent: general settings"), qPrintable(first.out + first.err));
    QVERIFY(!first.writes().filter(QRegularExpression("^write .. .. fa 01 ")).isEmpty());
    QVERIFY(first.writes().filter(QRegularExpression("^write .. .. fa 0[234] ")).isEmpty());
    QCOMPARE(diff(), 0);

    // Written back: the slot's profile file holds the new rate.
    const QString name = iniValue(m_appDir + "/Configs/Config.ini", "Config", "Profile1");
    QCOMPARE(iniValue(m_appDir + "/Configs/Profile/" + name + ".prof", "PROFILE", "pollrate"), QStringLiteral("8"));

    const Run second = ctl({"--simulate", "--trace", "apply", file});
    QCOMPARE(second.exit, 0);
    QVERIFY(second.lines().contains("nothing to send: the mouse has this configuration"));
    QCOMPARE(second.writes().size(), 1); // the status query only
    QVERIFY(second.writes().first().startsWith("write 05 24 fa 48 "));
}

void TestCli::failureForcesAllNextTime()
{
    const QString file = exportEdited("edited.conf", 4);
    const Run failed = ctl({"--simulate", "--sim-fault", "unplug-after=4", "apply", file});
    QCOMPARE(failed.exit, 4);
    QVERIFY2(failed.err.contains("Send data failed, please try again."), qPrintable(failed.err));
    QCOMPARE(diff(), 1);

    const Run next = ctl({"--simulate", "apply", file});
    QCOMPARE(next.exit, 0);
    QVERIFY2(next.lines().contains("sent: general settings, buttons and macros, DPI levels, lighting"),
             qPrintable(next.out + next.err));
    QCOMPARE(diff(), 0);
}

void TestCli::foreignProductRefused()
{
    const QString file = exportEdited("foreign.conf", 4);
    QVERIFY(setIniValue(file, "MouseName", "Name", m_product + " Pro"));
    QFile config(m_appDir + "/Configs/Config.ini");
    QVERIFY(config.open(QIODevice::ReadOnly));
    const QByteArray before = config.readAll();
    config.close();

    const Run run = ctl({"--simulate", "--trace", "apply", file});
    QCOMPARE(run.exit, 2);
    QVERIFY(run.err.contains("The file is not match current mouse!"));
    QVERIFY(run.traceLines().isEmpty()); // the mouse was not touched
    QVERIFY(config.open(QIODevice::ReadOnly));
    QCOMPARE(config.readAll(), before);
}

void TestCli::asleepForcesAFullSend()
{
    const QString file = exportEdited("edited.conf", 2);
    const Run run = ctl({"--simulate", "--sim-fault", "asleep", "--trace", "apply", file});
    QCOMPARE(run.exit, 5);
    QVERIFY(run.err.contains("Mouse is sleeping or not connected."));
    QCOMPARE(run.writes().size(), 1); // the status query only
    QCOMPARE(diff(), 1);

    // Nothing reached the mouse, so the stored copy may not count as sent:
    // once it is awake, everything goes out.
    const Run awake = ctl({"--simulate", "apply", file});
    QCOMPARE(awake.exit, 0);
    QVERIFY2(awake.lines().contains("sent: general settings, buttons and macros, DPI levels, lighting"),
             qPrintable(awake.out + awake.err));
    QCOMPARE(diff(), 0);
}

void TestCli::exportThenApplySendsNothing()
{
    const QString file = exportEdited("saved.conf", -1);
    QCOMPARE(iniValue(file, "MouseName", "Name"), m_product);
    const Run run = ctl({"--simulate", "--trace", "apply", file});
    QCOMPARE(run.exit, 0);
    QCOMPARE(run.writes().size(), 1);
    QVERIFY(run.lines().contains("nothing to send: the mouse has this configuration"));
}

void TestCli::traceFormat()
{
    const QString file = exportEdited("saved.conf", -1);
    const Run run = ctl({"--simulate", "--trace", "apply", "--all", file});
    QCOMPARE(run.exit, 0);
    const QStringList lines = run.lines();
    QVERIFY(lines.size() > 40);
    const QRegularExpression format("^(write|read)( [0-9a-f]{2}){33}$");
    for (int i = 0; i < lines.size() - 1; ++i)
        QVERIFY2(format.match(lines[i]).hasMatch(), qPrintable(lines[i]));
    QCOMPARE(lines.last(), QStringLiteral("sent: general settings, buttons and macros, DPI levels, lighting"));

    const QString zeros = QString(" 00").repeated(25);
    QCOMPARE(lines[0], "write 05 24 fa 48 00 00 00 00" + zeros);
    QCOMPARE(run.writes()[1], "write 05 26 fa 46 00 00 00 00" + zeros);
    QCOMPARE(run.writes().last(), "write 05 27 fa 46 01 00 00 00" + zeros);
    // Every verified command is echoed once by the simulated mouse.
    QCOMPARE(run.traceLines().filter(QRegularExpression("^read ")).size(), run.writes().size());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
