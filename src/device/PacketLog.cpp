#include "PacketLog.h"

#include <QByteArray>

Q_LOGGING_CATEGORY(lcPackets, "mousecfg.packets", QtInfoMsg)

void LogPacket(const char *direction, const unsigned char *data, int length)
{
    if (!lcPackets().isDebugEnabled())
        return;
    if (!data || length <= 0) {
        qCDebug(lcPackets, "%s (%d)", direction, length);
        return;
    }
    const QByteArray hex = QByteArray(reinterpret_cast<const char *>(data), length).toHex(' ');
    qCDebug(lcPackets, "%s %s", direction, hex.constData());
}
