#pragma once
#include <QLoggingCategory>

// Raw reports to and from the mouse, in hex. Off by default; switch on with
// QT_LOGGING_RULES="mousecfg.packets.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcPackets)

// direction is a short tag such as "write" or "read".
void LogPacket(const char *direction, const unsigned char *data, int length);
