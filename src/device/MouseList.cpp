#include "MouseList.h"

#include <algorithm>
#include <cstring>

namespace {
QString entryName(const HidDeviceEntry &e)
{
    // The name field comes from a file; never read past its end.
    const char *end = static_cast<const char *>(std::memchr(e.name, '\0', kHidNameSize));
    return QString::fromLatin1(e.name, end ? int(end - e.name) : kHidNameSize);
}

std::uint32_t entryCount(const HidDeviceTable &table)
{
    return std::min<std::uint32_t>(table.count, kMaxDeviceEntries);
}
} // namespace

QStringList usableMouseNames(const HidDeviceTable &table)
{
    QStringList names;
    for (std::uint32_t i = 0; i < entryCount(table); ++i) {
        const HidDeviceEntry &e = table.entries[i];
        if ((e.found1 == 1 && e.found2 == 1) || (e.found3 == 1 && e.found4 == 1))
            names.append(entryName(e));
    }
    return names;
}

MouseChoice chooseCurrentMouse(const QStringList &usable, const QString &stored)
{
    MouseChoice choice;
    if (usable.isEmpty()) {
        choice.storeCurrent = true;
    } else if (usable.size() == 1) {
        choice.current = usable.first();
        choice.storeCurrent = true;
    } else {
        choice.current = usable.contains(stored) ? stored : usable.first();
        choice.selectorVisible = true;
    }
    return choice;
}

ConnectionFlags connectionFlags(const HidDeviceTable &table, const QString &name)
{
    ConnectionFlags flags;
    for (std::uint32_t i = 0; i < entryCount(table); ++i) {
        const HidDeviceEntry &e = table.entries[i];
        if (entryName(e) != name)
            continue;
        flags.receiver = e.found2 == 1;
        flags.cable = e.found4 == 1;
        break;
    }
    return flags;
}

ConnectionMode connectionMode(ConnectionFlags flags)
{
    if (flags.cable)
        return flags.receiver ? ConnectionMode::CableAndReceiver : ConnectionMode::CableOnly;
    return flags.receiver ? ConnectionMode::ReceiverOnly : ConnectionMode::None;
}
