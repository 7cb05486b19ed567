#include "OsdCompanion.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QLocalSocket>

QString osdCompanionSocketPath()
{
#ifdef Q_OS_WIN
    // The temporary directory is the user's own on Windows.
    return QDir::tempPath() + QStringLiteral("/QRVM-Wireless-Mouse-OSD");
#else
    return QFile::decodeName(QByteArray::fromStdString(osdblock::userSocketPath()));
#endif
}

OsdCompanion::OsdCompanion(int idleExitSeconds, const QString &traceFile)
    : m_Display(traceFile)
{
    m_IdleTimer.setSingleShot(true);
    m_IdleTimer.setInterval(qMax(1, idleExitSeconds) * 1000);
    connect(&m_IdleTimer, &QTimer::timeout, this, [this] {
        if (m_Display.isVisible()) {
            m_IdleTimer.start();
            return;
        }
        qDebug("OSD companion: no message for %d s, ending", m_IdleTimer.interval() / 1000);
        QCoreApplication::quit();
    });
    connect(&m_Display, &OsdDisplay::messageShown, this, &OsdCompanion::restartIdleTimer);
    connect(&m_Display, &OsdDisplay::finished, this, &OsdCompanion::restartIdleTimer);
    connect(&m_Server, &QLocalServer::newConnection, this, &OsdCompanion::acceptClients);
}

bool OsdCompanion::start()
{
    const QString path = osdCompanionSocketPath();
    m_pLock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    m_pLock->setStaleLockTime(0); // a lock whose process is gone is stale at once
    if (!m_pLock->tryLock(0)) {
        if (m_pLock->error() == QLockFile::LockFailedError)
            qDebug("OSD companion: another one runs for this user");
        else
            qWarning("OSD companion: cannot create the lock file %s.lock", qPrintable(path));
        return false;
    }
    // Holding the lock, any socket file left there is a dead companion's.
    QLocalServer::removeServer(path);
    m_Server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_Server.listen(path)) {
        qWarning("OSD companion: cannot listen on %s: %s", qPrintable(path), qPrintable(m_Server.errorString()));
        return false;
    }
    // The window exists from the start, so that it can be found by its title
    // while nothing is shown.
    m_Display.winId();
    restartIdleTimer();
    return true;
}

void OsdCompanion::restartIdleTimer()
{
    m_IdleTimer.start();
}

void OsdCompanion::acceptClients()
{
    while (QLocalSocket *client = m_Server.nextPendingConnection()) {
        auto *deadline = new QTimer(client);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, client, &QLocalSocket::abort);
        deadline->start(kClientTimeoutMs);
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] {
            // Blocks follow each other with no framing: take whole ones only.
            while (client->bytesAvailable() >= qint64(osdblock::kBlockSize)) {
                const QByteArray data = client->read(qint64(osdblock::kBlockSize));
                osdblock::Message message;
                if (osdblock::readBlock(reinterpret_cast<const std::uint8_t *>(data.constData()),
                                        std::size_t(data.size()), &message))
                    m_Display.showMessage(message);
            }
        });
    }
}
