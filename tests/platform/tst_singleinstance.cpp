#include "InstanceNames.h"
#include "SingleInstanceGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

namespace {

const char kHoldArg[] = "--hold-lock";

// Child mode: take the guard, say whether it was taken, and keep it until the
// parent kills us or closes our input.
int holdLock(const char *encodedName)
{
    SingleInstanceGuard guard(QFile::decodeName(encodedName));
    const bool held = guard.acquire() && guard.isHeld();
    std::printf("%s\n", held ? "held" : "busy");
    std::fflush(stdout);
    if (!held)
        return 1;
    while (std::getchar() != EOF) {
    }
    return 0;
}

QString nameWithNul()
{
    return QStringLiteral("Tarn") + QChar(0) + QStringLiteral("X8");
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Puts one environment variable back when a test ends.
class EnvRestore
{
public:
    explicit EnvRestore(const char *var)
        : m_var(var)
        , m_bSet(qEnvironmentVariableIsSet(var))
        , m_value(qgetenv(var))
    {
    }
    ~EnvRestore() { m_bSet ? qputenv(m_var, m_value) : qunsetenv(m_var); }

private:
    const char *m_var;
    bool m_bSet;
    QByteArray m_value;
};

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_pXdg.reset(new EnvRestore("XDG_RUNTIME_DIR"));
        m_pTmp.reset(new EnvRestore("TMPDIR"));
        m_pRuntime.reset(new QTemporaryDir);
        m_pTemp.reset(new QTemporaryDir);
        QVERIFY(m_pRuntime->isValid() && m_pTemp->isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_pRuntime->path()));
        qputenv("TMPDIR", QFile::encodeName(m_pTemp->path()));
    }

    void cleanup()
    {
        m_pRuntime.reset();
        m_pTemp.reset();
        m_pXdg.reset();
        m_pTmp.reset();
    }

    void heldUntilDestroyed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("product") << QStringLiteral("TarnX8 Wireless Gaming Mouse Mutex1");
        QTest::newRow("no product name") << QStringLiteral(" Wireless Gaming Mouse Mutex1");
        QTest::newRow("empty") << QString();
        QTest::newRow("parent traversal") << QStringLiteral("../../etc/passwd");
        QTest::newRow("absolute") << QStringLiteral("/etc/passwd");
        QTest::newRow("nested") << QStringLiteral("a/b/c");
        QTest::newRow("dots only") << QStringLiteral("..");
        QTest::newRow("5000 characters") << QString(5000, QLatin1Char('m'));
        QTest::newRow("5000 slashes") << QString(5000, QLatin1Char('/'));
        QTest::newRow("NUL inside") << nameWithNul();
        QTest::newRow("chinese") << QStringLiteral("鼠标 Wireless Gaming Mouse Mutex1");
        QTest::newRow("emoji and backslash") << QStringLiteral("\U0001F5B1\\mouse");
        QTest::newRow("newline and percent") << QStringLiteral("a\nb%1%s");
    }

    void heldUntilDestroyed()
    {
        QFETCH(QString, name);
        const QString dir = m_pRuntime->path();
        {
            SingleInstanceGuard first(name);
            QCOMPARE(first.name(), name);
            QVERIFY(!first.isHeld());
            QVERIFY(first.acquire());
            QVERIFY(first.isHeld());
            QVERIFY(first.acquire()); // asking again keeps the hold

            // one plain file directly in the runtime directory, nothing else anywhere
            const QFileInfo lock(first.lockFilePath());
            QCOMPARE(QDir(lock.absolutePath()).canonicalPath(), QDir(dir).canonicalPath());
            QVERIFY(lock.isFile());
            QCOMPARE(entries(dir), QStringList{lock.fileName()});
            QVERIFY(entries(m_pTemp->path()).isEmpty());

            SingleInstanceGuard second(name);
            QVERIFY(!second.acquire());
            QVERIFY(!second.isHeld());
            QVERIFY(second.lockFilePath().isEmpty());
        }
        SingleInstanceGuard later(name);
        QVERIFY(later.acquire());
        QVERIFY(later.isHeld());
        QCOMPARE(entries(dir).size(), 1);
    }

    void differentNamesCoexist_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("two models") << QStringLiteral("TarnX8 Wireless Gaming Mouse Mutex1")
                                    << QStringLiteral("TarnX9 Wireless Gaming Mouse Mutex1");
        QTest::newRow("slash vs underscore") << QStringLiteral("a/b") << QStringLiteral("a_b");
        QTest::newRow("case") << QStringLiteral("TarnX8") << QStringLiteral("tarnx8");
        QTest::newRow("chinese vs underscores") << QStringLiteral("鼠标") << QStringLiteral("__");
        QTest::newRow("NUL vs underscore") << nameWithNul() << QStringLiteral("Tarn_X8");
        QTest::newRow("empty vs blank") << QString() << QStringLiteral(" ");
        QTest::newRow("long, differing at the end")
            << QString(5000, QLatin1Char('x')) + QLatin1Char('1') << QString(5000, QLatin1Char('x')) + QLatin1Char('2');
        QTest::newRow("traversal vs its target") << QStringLiteral("../x") << QStringLiteral("x");
    }

    void differentNamesCoexist()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        SingleInstanceGuard first(a);
        SingleInstanceGuard second(b);
        QVERIFY(first.acquire());
        QVERIFY(second.acquire());
        QVERIFY(first.isHeld() && second.isHeld());
        QVERIFY(first.lockFilePath() != second.lockFilePath());
        QCOMPARE(entries(m_pRuntime->path()).size(), 2);
    }

    void runtimeDirectoryChoice_data()
    {
        QTest::addColumn<QString>("xdg"); // "<runtime>" = the prepared runtime folder, "<file>" = a plain file
        QTest::addColumn<bool>("usesRuntime");
        QTest::newRow("runtime directory") << QStringLiteral("<runtime>") << true;
        QTest::newRow("unset") << QString() << false;
        QTest::newRow("missing directory") << QStringLiteral("/nonexistent-mousecfg/run") << false;
        QTest::newRow("a file") << QStringLiteral("<file>") << false;
        QTest::newRow("relative") << QStringLiteral("run") << false;
    }

    void runtimeDirectoryChoice()
    {
        QFETCH(QString, xdg);
        QFETCH(bool, usesRuntime);
        if (xdg == QLatin1String("<runtime>")) {
            xdg = m_pRuntime->path();
        } else if (xdg == QLatin1String("<file>")) {
            xdg = m_pRuntime->filePath(QStringLiteral("plain"));
            QFile f(xdg);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        if (xdg.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(xdg));

        SingleInstanceGuard guard(QStringLiteral("TarnX8 Wireless Gaming Mouse Mutex1"));
        QVERIFY(guard.acquire());
        QVERIFY(guard.isHeld());
        const QString expected = usesRuntime ? m_pRuntime->path() : m_pTemp->path();
        QCOMPARE(QDir(QFileInfo(guard.lockFilePath()).absolutePath()).canonicalPath(), QDir(expected).canonicalPath());
    }

    // When no lock can be had for reasons other than another holder, the
    // program runs unguarded and says so, and never writes through a planted link.
    void unusableLockFailsOpen_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("missing temporary directory") << QStringLiteral("missing");
        QTest::newRow("directory at the lock path") << QStringLiteral("directory");
        QTest::newRow("link at the lock path") << QStringLiteral("link");
    }

    void unusableLockFailsOpen()
    {
        QFETCH(QString, obstacle);
        const QString name = QStringLiteral("TarnX8 Wireless Gaming Mouse Mutex1");
        const QString lockPath = m_pRuntime->filePath(instanceLockFileName(name, ::geteuid()));
        const QString linkTarget = m_pTemp->filePath(QStringLiteral("victim"));
        if (obstacle == QLatin1String("missing")) {
            qunsetenv("XDG_RUNTIME_DIR");
            qputenv("TMPDIR", QFile::encodeName(m_pTemp->filePath(QStringLiteral("gone/deeper"))));
        } else if (obstacle == QLatin1String("directory")) {
            QVERIFY(QDir().mkdir(lockPath));
        } else {
            QVERIFY(QFile::link(linkTarget, lockPath));
        }

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("running without the guard")));
        SingleInstanceGuard guard(name);
        QVERIFY(guard.acquire());
        QVERIFY(!guard.isHeld());
        QVERIFY(guard.lockFilePath().isEmpty());
        QVERIFY(!QFileInfo::exists(linkTarget));
    }

    void otherProcessHoldsUntilKilled_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("product") << QStringLiteral("TarnX8 Wireless Gaming Mouse Mutex1");
        QTest::newRow("hostile") << QStringLiteral("../鼠标/a\\b");
    }

    void otherProcessHoldsUntilKilled()
    {
        QFETCH(QString, name);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kHoldArg), name});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(10000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("held"));

        SingleInstanceGuard guard(name);
        QVERIFY(!guard.acquire());

        // a killed holder cannot clean up; the system must drop its lock anyway
        child.kill();
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QVERIFY(guard.acquire());

        // and now the child is the one turned away
        QProcess late;
        late.start(QCoreApplication::applicationFilePath(), {QLatin1String(kHoldArg), name});
        QVERIFY(late.waitForFinished(10000));
        QCOMPARE(late.readAllStandardOutput().trimmed(), QByteArray("busy"));
        QCOMPARE(late.exitCode(), 1);
    }

private:
    std::unique_ptr<EnvRestore> m_pXdg, m_pTmp;
    std::unique_ptr<QTemporaryDir> m_pRuntime;
    std::unique_ptr<QTemporaryDir> m_pTemp;
};

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], kHoldArg) == 0)
        return holdLock(argv[2]);
    QCoreApplication app(argc, argv);
    TestSingleInstance test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
