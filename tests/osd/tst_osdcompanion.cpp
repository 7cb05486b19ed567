// The companion: its window and display in this process, and the program
// itself as the utility meets it (started by the link, once per user, ending
// when idle). Offscreen; each case has its own runtime directory.
#include "LocalSocketOsdLink.h"
#include "OsdBlock.h"
#include "OsdDisplay.h"

#include <QApplication>
#include <QLockFile>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

const QString kCompanion = QStringLiteral(MOUSECFG_APPDIR "/osd");

osdblock::Message message(const QString &text, int showTimeMs = 1500)
{
    osdblock::Message m;
    m.text = text.toStdU16String();
    m.showTimeMs = showTimeMs;
    m.colour = osdblock::colourRef(255, 125, 0);
    m.textHeight = 60;
    m.font = u"Arial";
    return m;
}

QStringList lines(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts) : QStringList();
}

} // namespace

class TestOsdCompanion : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_pRuntime;
    QString m_strTrace;

    // The companion the lock file names, ended by its id.
    void endCompanion()
    {
        QLockFile lock(LocalSocketOsdLink::userSocketPath() + ".lock");
        qint64 pid = 0;
        QString host, app;
        if (lock.getLockInfo(&pid, &host, &app) && pid > 0)
            ::kill(pid_t(pid), SIGTERM);
    }

    QProcess *startCompanion(const QStringList &args)
    {
        auto *p = new QProcess(this);
        p->start(kCompanion, args);
        return p;
    }

private slots:
    void init()
    {
        m_pRuntime = std::make_unique<QTemporaryDir>();
        QVERIFY(m_pRuntime->isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_pRuntime->path()));
        m_strTrace = m_pRuntime->filePath("trace.txt");
        qputenv("MOUSECFG_OSD_TRACE", QFile::encodeName(m_strTrace));
    }
    void cleanup() { endCompanion(); }

    void windowStaysOutOfTheWay()
    {
        OsdDisplay display;
        QCOMPARE(display.windowTitle(), QStringLiteral("QRVM Wireless Mouse OSD"));
        const Qt::WindowFlags flags = display.windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool); // no task-bar entry
        for (Qt::WindowType flag : {Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint, Qt::WindowTransparentForInput,
                                    Qt::WindowDoesNotAcceptFocus})
            QVERIFY(flags.testFlag(flag));
        QVERIFY(display.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(display.testAttribute(Qt::WA_ShowWithoutActivating));
    }

    void showsReplacesAndFades()
    {
        OsdDisplay display;
        QSignalSpy finished(&display, &OsdDisplay::finished);
        display.showMessage(message("Profile 3"));
        QVERIFY(display.isVisible());
        QCOMPARE(display.text(), QStringLiteral("Profile 3"));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(display.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(display.geometry().top() > screen.center().y());
        QVERIFY(screen.contains(display.geometry()));

        // A new text at once, with its own time: the old one's fade never comes.
        display.showMessage(message("DPI 2:1600", 300));
        QCOMPARE(display.text(), QStringLiteral("DPI 2:1600"));
        QVERIFY(display.isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 3000);
        QVERIFY(!display.isVisible());
        QTest::qWait(1500 + OsdDisplay::kFadeOutMs);
        QCOMPARE(finished.count(), 1);
    }

    void anOverlongTextStaysOnTheScreen()
    {
        OsdDisplay display;
        display.showMessage(message(QString(255, 'W')));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(display.geometry()));
        QVERIFY(display.text().endsWith(QChar(0x2026)));
    }

    // The utility's link finds no companion, starts the real one and hands it
    // the text, which the companion paints.
    void theLinkStartsTheCompanionWhichShowsTheText()
    {
        QVERIFY2(QFileInfo(kCompanion).isExecutable(), qPrintable(kCompanion + " is missing"));
        LocalSocketOsdLink link(kCompanion, LocalSocketOsdLink::userSocketPath(), [] { return 0x0000ffu; });
        QSignalSpy attempts(&link, &OsdCompanionLink::startAttempted);
        QSignalSpy delivered(&link, &OsdCompanionLink::delivered);
        link.showText(QStringLiteral("Profile 3"));
        QTRY_COMPARE_WITH_TIMEOUT(delivered.count(), 1, 5000);
        QVERIFY(attempts.count() >= 1);
        QTRY_VERIFY_WITH_TIMEOUT(lines(m_strTrace).size() == 1, 5000);
        QVERIFY(lines(m_strTrace).at(0).endsWith(" Profile 3"));

        // Running now: found at once, no further start.
        attempts.clear();
        link.showText(QStringLiteral("1000 HZ"));
        QTRY_COMPARE(delivered.count(), 2);
        QCOMPARE(attempts.count(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(lines(m_strTrace).size() == 2, 5000);
        QVERIFY(lines(m_strTrace).at(1).endsWith(" 1000 HZ"));
    }

    void oncePerUserAndEndsWhenIdle()
    {
        QProcess *first = startCompanion({"--idle-exit", "2"});
        QTRY_VERIFY(QFileInfo::exists(LocalSocketOsdLink::userSocketPath()));
        QProcess *second = startCompanion({});
        QVERIFY(second->waitForFinished(5000));
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);
        QVERIFY2(first->waitForFinished(8000), "the companion did not end after 2 s without a message");
        QCOMPARE(first->exitStatus(), QProcess::NormalExit);
        QCOMPARE(first->exitCode(), 0);
    }
};

QTEST_MAIN(TestOsdCompanion)
#include "tst_osdcompanion.moc"
