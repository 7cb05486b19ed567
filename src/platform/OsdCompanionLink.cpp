#include "OsdCompanionLink.h"

#include "OsdBlock.h"

#include <QDebug>
#include <QProcess>

OsdCompanionLink::OsdCompanionLink(const QString &program, std::function<quint32()> colour, QObject *parent)
    : QObject(parent)
    , m_strProgram(program)
    , m_colour(std::move(colour))
{
    m_RetryTimer.setSingleShot(true);
    m_RetryTimer.setInterval(kRetryIntervalMs);
    connect(&m_RetryTimer, &QTimer::timeout, this, &OsdCompanionLink::retry);
}

void OsdCompanionLink::showText(const QString &text)
{
    const osdblock::Block block = osdblock::buildBlock(text.toStdU16String(), m_colour ? m_colour() : 0);
    m_Pending = QByteArray(reinterpret_cast<const char *>(block.data()), int(block.size()));
    if (m_bBusy)
        return;
    m_iStarts = 0;
    attempt();
}

void OsdCompanionLink::attempt()
{
    m_bBusy = true;
    m_Current = m_Pending;
    m_Pending.clear();
    deliver(m_Current);
}

void OsdCompanionLink::retry()
{
    if (!m_Pending.isEmpty()) {
        m_Current = m_Pending;
        m_Pending.clear();
    }
    deliver(m_Current);
}

void OsdCompanionLink::deliveryFinished(Outcome outcome)
{
    if (outcome == Outcome::Missing && m_iStarts < kStartAttempts) {
        ++m_iStarts;
        if (!QProcess::startDetached(m_strProgram, QStringList()))
            qDebug("Cannot start the OSD companion %s", qPrintable(m_strProgram));
        emit startAttempted(m_iStarts);
        m_RetryTimer.start();
        return;
    }
    m_bBusy = false;
    m_Current.clear();
    if (outcome == Outcome::Delivered) {
        emit delivered();
    } else {
        if (outcome == Outcome::Missing)
            qDebug("No OSD companion after %d start attempts; the text is dropped", kStartAttempts);
        emit givenUp();
    }
    if (!m_Pending.isEmpty()) {
        m_iStarts = 0;
        attempt();
    }
}
