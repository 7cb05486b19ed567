#pragma once
// The companion on Linux listens on a local socket in the user's runtime
// directory; connecting is the "find". Everything runs from the event loop:
// connecting, writing and the time limit never hold up the GUI thread.

#include "OsdCompanionLink.h"

#include <QPointer>

class QLocalSocket;

class LocalSocketOsdLink : public OsdCompanionLink
{
    Q_OBJECT
public:
    // A companion that takes longer than this to accept a block is given up.
    static constexpr int kDeliveryTimeoutMs = 1000;

    LocalSocketOsdLink(const QString &program, const QString &socketPath, std::function<quint32()> colour,
                       QObject *parent = nullptr);
    ~LocalSocketOsdLink() override;

    QString socketPath() const { return m_strSocketPath; }

    // The socket of the current user's companion.
    static QString userSocketPath();

protected:
    void deliver(const QByteArray &block) override;

private:
    void finish(Outcome outcome);

    QString m_strSocketPath;
    QPointer<QLocalSocket> m_pSocket;
    QTimer m_Deadline;
};
