// mousecfgctl end to end: the built mousecfgctl-sim run on a temporary copy of
// the application directory, against its simulated mouse.
#include "ConfigExchange.h"
#include "ConfigFile.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
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
    void unusableFilesRefused_data();
    void unusableFilesRefused();
    void failureToStoreReported();
    void killedApplyLeavesOldOrNewSet();

private:
    void resetAppDir();
    QMap<QString, QByteArray> storedFiles() const;
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
    resetAppDir();
}

void TestCli::resetAppDir()
{
    m_appDir = m_tmp->path() + "/app";
    QDir(m_appDir).removeRecursively();
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

QMap<QString, QByteArray> TestCli::storedFiles() const
{
    QMap<QString, QByteArray> files;
    QDirIterator it(m_appDir + "/Configs", QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        files[it.filePath()] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    return files;
}

void TestCli::unusableFilesRefused_data()
{
    QTest::addColumn<QString>("key");   // Config/<key> gets value; empty: the file is cut
    QTest::addColumn<QString>("value"); // or the text that replaces "[PROFILE_3]"
    QTest::newRow("300-character name") << "Profile1" << QString(300, 'n');
    QTest::newRow("name of slot 1 again") << "Profile2"
                                          << "Profile 1";
    QTest::newRow("name of slot 1 in capitals") << "Profile2"
                                                << "PROFILE 1";
    QTest::newRow("the default profile's name") << "Profile5"
                                                << "DefaultProfile";
    QTest::newRow("a Windows device") << "Profile3"
                                      << "aux";
    QTest::newRow("cut after 300 bytes") << QString() << QString();
    QTest::newRow("a slot group missing") << QString() << "[PROFILE_X]";
}

// Nothing of such a file is used: the command says why, the mouse hears
// nothing and no stored file changes.
void TestCli::unusableFilesRefused()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QString file = exportEdited("bad.conf", 4);
    QVERIFY(!file.isEmpty());
    if (!key.isEmpty()) {
        QVERIFY(setIniValue(file, "Config", key, value));
    } else {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray text = f.readAll();
        f.close();
        if (value.isEmpty())
            text.truncate(300);
        else
            text.replace("[PROFILE_3]", value.toLatin1());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    const QMap<QString, QByteArray> before = storedFiles();
    const Run run = ctl({"--simulate", "--trace", "apply", file});
    QCOMPARE(run.exit, 2);
    QVERIFY2(run.err.contains("file error: " + file + " was refused: "), qPrintable(run.err));
    QVERIFY(run.traceLines().isEmpty());
    QCOMPARE(storedFiles(), before);
}

// Storing is checked before anything is sent, and its failure is the result.
void TestCli::failureToStoreReported()
{
    const QString file = exportEdited("edited.conf", 4);
    const QString blocked = m_appDir + "/Configs/Profile/Profile 1.prof";
    QVERIFY(QFile::remove(blocked));
    QVERIFY(QDir().mkpath(blocked + "/in the way"));
    const Run run = ctl({"--simulate", "--trace", "apply", file});
    QCOMPARE(run.exit, 2);
    QVERIFY2(run.err.contains("cannot write " + blocked + ": "), qPrintable(run.err));
    QVERIFY(!run.out.contains("sent:"));
    QCOMPARE(run.writes().size(), 1); // the status query only
    QCOMPARE(diff(), 0);
}

// apply --all killed at many points, within the save and between reports:
// the stored files always parse as the complete old or the complete new set,
// and the next apply sends every group.
void TestCli::killedApplyLeavesOldOrNewSet()
{
    QTemporaryDir keep;
    QString file = exportEdited("all.conf", 4);
    QVERIFY(!file.isEmpty());
    for (int n = 1; n < 5; ++n)
        QVERIFY(setIniValue(file, "PROFILE_" + QString::number(n), "pollrate", "4"));
    QVERIFY(setIniValue(file, "PROFILE_0", "DPI_INFO_0_x", "77"));
    QVERIFY(setIniValue(file, "PROFILE_0", "BUTTON_INFO_0_Fun", "9"));
    QVERIFY(setIniValue(file, "PROFILE_0", "LedMode", "3"));
    QVERIFY(QFile::copy(file, keep.path() + "/all.conf"));
    file = keep.path() + "/all.conf";

    const StorageDirs dirs = StorageDirs::fromAppDir(m_appDir);
    ButtonPositions positions{};
    AppConfig old;
    loadSavedConfig(dirs, old, positions);
    AppConfig fresh = old;
    QCOMPARE(importConfigFile(dirs, file, fresh), ImportStatus::Imported);
    auto sameSlots = [](const AppConfig &a, const AppConfig &b) {
        return a.profiles == b.profiles && a.profileNames == b.profileNames && a.LiftHigh == b.LiftHigh;
    };
    QVERIFY(!sameSlots(old, fresh));

    // (reports written before the kill, extra milliseconds after the status query)
    const QList<QPair<int, int>> points{{1, 0}, {1, 1}, {1, 2},  {1, 4},  {1, 7},  {1, 12}, {2, 0},
                                        {3, 0}, {6, 0}, {10, 0}, {15, 0}, {21, 0}, {27, 0}, {31, 0}};
    int sawOld = 0;
    int sawNew = 0;
    for (const auto &point : points) {
        const QString where = QStringLiteral("after %1 reports + %2 ms").arg(point.first).arg(point.second);
        resetAppDir();
        QProcess process;
        process.setProgram(m_program);
        process.setArguments({"--appdir", m_appDir, "--simulate", "--trace", "apply", "--all", file});
        process.start();
        QVERIFY(process.waitForStarted());
        int writes = 0;
        QByteArray pending;
        while (writes < point.first && process.state() == QProcess::Running) {
            process.waitForReadyRead(50);
            pending += process.readAllStandardOutput();
            writes = pending.count("write ");
        }
        if (point.second > 0)
            QTest::qSleep(point.second);
        process.kill();
        process.waitForFinished();
        QVERIFY2(process.exitStatus() == QProcess::CrashExit, qPrintable("finished before the kill " + where));

        AppConfig stored;
        loadSavedConfig(dirs, stored, positions);
        const bool isOld = sameSlots(stored, old);
        const bool isNew = sameSlots(stored, fresh);
        QVERIFY2(isOld || isNew, qPrintable("a mixture of old and new " + where));
        sawOld += isOld;
        sawNew += isNew;
        if (isNew)
            QVERIFY2(diff() == 1, qPrintable("new files without Config/Diff = 1 " + where));
        const QStringList left = QDir(m_appDir + "/Configs/Profile").entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left.size(), 5);

        const Run next = ctl({"--simulate", "apply", file});
        QCOMPARE(next.exit, 0);
        QVERIFY2(next.lines().contains("sent: general settings, buttons and macros, DPI levels, lighting"),
                 qPrintable(where + ": " + next.out + next.err));
    }
    qInfo("kills that left the old set: %d, the new set: %d", sawOld, sawNew);
    QVERIFY(sawNew > 0);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
