#include "LocalSocketOsdLink.h"

#include "OsdBlock.h"

#include <QDebug>
#include <QFile>
#include <QLocalSocket>

LocalSocketOsdLink::LocalSocketOsdLink(const QString &program, const QString &socketPath,
                                       std::function<quint32()> colour, QObject *parent)
    : OsdCompanionLink(program, std::move(colour), parent)
    , m_strSocketPath(socketPath)
{
    m_Deadline.setSingleShot(true);
    m_Deadline.setInterval(kDeliveryTimeoutMs);
    connect(&m_Deadline, &QTimer::timeout, this, [this] {
        qDebug("The OSD companion did not take the text within %d ms", kDeliveryTimeoutMs);
        finish(Outcome::Failed);
    });
}

LocalSocketOsdLink::~LocalSocketOsdLink()
{
    if (m_pSocket)
        m_pSocket->abort();
}

QString LocalSocketOsdLink::userSocketPath()
{
    return QFile::decodeName(QByteArray::fromStdString(osdblock::userSocketPath()));
}

void LocalSocketOsdLink::deliver(const QByteArray &block)
{
    auto *socket = new QLocalSocket(this);
    m_pSocket = socket;
    connect(socket, &QLocalSocket::connected, this, [this, socket, block] {
        if (socket == m_pSocket)
            socket->write(block);
    });
    connect(socket, &QLocalSocket::bytesWritten, this, [this, socket] {
        if (socket == m_pSocket && socket->bytesToWrite() == 0)
            finish(Outcome::Delivered);
    });
    connect(socket, &QLocalSocket::errorOccurred, this, [this, socket](QLocalSocket::LocalSocketError error) {
        if (socket != m_pSocket)
            return;
        if (error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError) {
            finish(Outcome::Missing);
        } else {
            qDebug("Sending to the OSD companion failed: %s", qPrintable(socket->errorString()));
            finish(Outcome::Failed);
        }
    });
    m_Deadline.start();
    socket->connectToServer(m_strSocketPath);
}

void LocalSocketOsdLink::finish(Outcome outcome)
{
    m_Deadline.stop();
    if (QLocalSocket *socket = m_pSocket) {
        m_pSocket = nullptr;
        // Sends what is still buffered, then closes; abort when nothing was taken.
        if (outcome == Outcome::Delivered)
            socket->disconnectFromServer();
        else
            socket->abort();
        socket->deleteLater();
    }
    deliveryFinished(outcome);
}

std::unique_ptr<OsdCompanionLink> createOsdCompanionLink(const QString &appDir, std::function<quint32()> colour)
{
    return std::make_unique<LocalSocketOsdLink>(appDir + QStringLiteral("/osd"), LocalSocketOsdLink::userSocketPath(),
                                                std::move(colour));
}
