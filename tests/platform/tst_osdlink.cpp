// "Find, start if absent, send" on Linux: a local socket in a private
// directory stands in for the companion, and a script that notes each start
// stands in for its program.
#include "LocalSocketOsdLink.h"
#include "OsdBlock.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const quint32 kColour = 0x00b6c8db;

QByteArray blockFor(const QString &text)
{
    const osdblock::Block block = osdblock::buildBlock(text.toStdU16String(), kColour);
    return QByteArray(reinterpret_cast<const char *>(block.data()), int(block.size()));
}

// Collects what arrives at a companion's socket.
struct FakeCompanion
{
    QLocalServer server;
    QByteArray received;

    bool listen(const QString &path)
    {
        QObject::connect(&server, &QLocalServer::newConnection, [this] {
            while (QLocalSocket *client = server.nextPendingConnection())
                QObject::connect(client, &QLocalSocket::readyRead, [this, client] { received += client->readAll(); });
        });
        return server.listen(path);
    }
};

} // namespace

class TestOsdLink : public QObject
{
    Q_OBJECT

    QTemporaryDir m_Dir;
    QString m_strSocket;
    QString m_strStarts; // one line per start of the stand-in program
    QString m_strProgram;

    std::unique_ptr<LocalSocketOsdLink> makeLink(const QString &program)
    {
        return std::make_unique<LocalSocketOsdLink>(program, m_strSocket, [] { return kColour; });
    }

    int startsSeen() const
    {
        QFile f(m_strStarts);
        return f.open(QIODevice::ReadOnly) ? f.readAll().count('\n') : 0;
    }

private slots:
    void init()
    {
        QVERIFY(m_Dir.isValid());
        m_strSocket = m_Dir.filePath(QStringLiteral("osd-socket"));
        m_strStarts = m_Dir.filePath(QStringLiteral("starts.txt"));
        QFile::remove(m_strStarts);
        m_strProgram = m_Dir.filePath(QStringLiteral("osd"));
        QFile script(m_strProgram);
        QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write("#!/bin/sh\necho started >> '" + QFile::encodeName(m_strStarts) + "'\n");
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
    }

    void aRunningCompanionGetsTheBlock()
    {
        FakeCompanion companion;
        QVERIFY(companion.listen(m_strSocket));
        auto link = makeLink(m_strProgram);
        QSignalSpy delivered(link.get(), &OsdCompanionLink::delivered);
        link->showText(QStringLiteral("Profile 3"));
        QTRY_COMPARE(companion.received.size(), 1044);
        QCOMPARE(companion.received, blockFor(QStringLiteral("Profile 3")));
        QCOMPARE(delivered.count(), 1);
        QCOMPARE(startsSeen(), 0);
    }

    // Five starts 500 ms apart, each from a timer: the event loop runs between
    // them, and the text is then dropped without a message.
    void aMissingCompanionCostsFiveStartsAndNoFreeze()
    {
        auto link = makeLink(m_strProgram);
        QSignalSpy attempts(link.get(), &OsdCompanionLink::startAttempted);
        QSignalSpy givenUp(link.get(), &OsdCompanionLink::givenUp);
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(20);
        QList<int> ticksAtAttempt;
        connect(link.get(), &OsdCompanionLink::startAttempted, [&] { ticksAtAttempt << ticks; });

        link->showText(QStringLiteral("DPI 2:1600"));
        QVERIFY(attempts.count() <= 1); // showText did not wait for a retry
        QTRY_COMPARE_WITH_TIMEOUT(givenUp.count(), 1, 10000);
        QCOMPARE(attempts.count(), 5);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(attempts.at(i).at(0).toInt(), i + 1);
        for (int i = 1; i < ticksAtAttempt.size(); ++i)
            QVERIFY2(ticksAtAttempt.at(i) > ticksAtAttempt.at(i - 1),
                     qPrintable(QStringLiteral("no event between start %1 and %2").arg(i).arg(i + 1)));
        QTRY_COMPARE(startsSeen(), 5);
        QVERIFY(!link->isBusy());
    }

    // The companion comes up during the attempts; the newest text is the one
    // it gets, once.
    void aStartedCompanionGetsTheNewestText()
    {
        auto link = makeLink(m_strProgram);
        FakeCompanion companion;
        connect(link.get(), &OsdCompanionLink::startAttempted, this, [&](int attempt) {
            if (attempt == 2) {
                link->showText(QStringLiteral("500 HZ"));
                QVERIFY(companion.listen(m_strSocket));
            }
        });
        QSignalSpy delivered(link.get(), &OsdCompanionLink::delivered);
        link->showText(QStringLiteral("Profile 1"));
        QTRY_COMPARE_WITH_TIMEOUT(delivered.count(), 1, 5000);
        QTRY_COMPARE(companion.received, blockFor(QStringLiteral("500 HZ")));
        QTRY_COMPARE(startsSeen(), 2);
    }

    // A companion that stopped taking connections: the connection cannot
    // complete, and the link gives the text up after its time limit while
    // the event loop runs on. Nothing is started, since a companion is there.
    void aStuckCompanionDoesNotHoldTheEventLoop()
    {
        const QByteArray path = QFile::encodeName(m_strSocket);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(listener >= 0);
        QCOMPARE(::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        QCOMPARE(::listen(listener, 0), 0); // one waiting connection fills it
        const int filler = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        QCOMPARE(::connect(filler, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);

        auto link = makeLink(m_strProgram);
        QSignalSpy givenUp(link.get(), &OsdCompanionLink::givenUp);
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(20);
        link->showText(QStringLiteral("Profile 2"));
        QVERIFY(link->isBusy());
        QTRY_COMPARE_WITH_TIMEOUT(givenUp.count(), 1, 5000);
        QVERIFY2(ticks >= 10, qPrintable(QStringLiteral("%1 timer ticks while the link waited").arg(ticks)));
        QCOMPARE(startsSeen(), 0);
        ::close(filler);
        ::close(listener);
    }
};

QTEST_GUILESS_MAIN(TestOsdLink)
#include "tst_osdlink.moc"
