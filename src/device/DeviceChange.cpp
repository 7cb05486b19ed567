#include "DeviceChange.h"

#include <QRegularExpression>

#include <hidapi.h>

#include <algorithm>
#include <cstring>

namespace {

struct NamePattern
{
    QRegularExpression expression;
    int collection;
};

const std::vector<NamePattern> &namePatterns()
{
    static const auto options = QRegularExpression::CaseInsensitiveOption;
    static const std::vector<NamePattern> patterns = {
        {QRegularExpression(QStringLiteral("HID#VID_(?<vid>\\w{4})&PID_(?<pid>\\w{4})&col01"), options), 1},
        {QRegularExpression(QStringLiteral("HID#VID_(?<vid>\\w{4})&PID_(?<pid>\\w{4})&col04"), options), 4},
        {QRegularExpression(QStringLiteral("HID#VID_(?<vid>\\w{4})&PID_(?<pid>\\w{4})&MI_00&col01"), options), 1},
        {QRegularExpression(QStringLiteral("HID#VID_(?<vid>\\w{4})&PID_(?<pid>\\w{4})&MI_00&col04"), options), 4},
    };
    return patterns;
}

bool sameRecord(const HidRecord &a, const HidRecord &b)
{
    return a.path == b.path && a.vid == b.vid && a.pid == b.pid && a.usagePage == b.usagePage && a.usage == b.usage;
}

const char kWindowsPrefix[] = "\\\\?\\";

} // namespace

InterfaceName parseInterfaceName(const QString &name)
{
    InterfaceName result;
    for (const NamePattern &pattern : namePatterns()) {
        const QRegularExpressionMatch match = pattern.expression.match(name);
        if (!match.hasMatch())
            continue;
        bool vidOk = false;
        bool pidOk = false;
        const uint vid = match.captured(QStringLiteral("vid")).toUInt(&vidOk, 16);
        const uint pid = match.captured(QStringLiteral("pid")).toUInt(&pidOk, 16);
        // \w also takes letters beyond f and '_': such a name names no device of ours.
        if (!vidOk || !pidOk)
            return result;
        result.valid = true;
        result.vid = std::uint16_t(vid);
        result.pid = std::uint16_t(pid);
        result.collection = pattern.collection;
        return result;
    }
    return result;
}

std::vector<HidRecord> enumerateHidRecords()
{
    std::vector<HidRecord> records;
    hid_device_info *devices = hid_enumerate(0, 0);
    for (hid_device_info *info = devices; info; info = info->next) {
        if (!info->path)
            continue;
        HidRecord r;
        r.path = info->path;
        r.vid = info->vendor_id;
        r.pid = info->product_id;
        r.release = info->release_number;
        r.usagePage = info->usage_page;
        r.usage = info->usage;
        r.interfaceNumber = info->interface_number;
        records.push_back(std::move(r));
    }
    hid_free_enumeration(devices);
    return records;
}

QString interfaceNameOf(const HidRecord &record)
{
    if (record.path.compare(0, std::strlen(kWindowsPrefix), kWindowsPrefix) == 0)
        return QString::fromLocal8Bit(record.path.c_str() + std::strlen(kWindowsPrefix));
    QString name = QStringLiteral("HID#VID_%1&PID_%2")
                       .arg(record.vid, 4, 16, QLatin1Char('0'))
                       .arg(record.pid, 4, 16, QLatin1Char('0'))
                       .toUpper();
    if (record.interfaceNumber >= 0)
        name += QStringLiteral("&MI_%1").arg(record.interfaceNumber, 2, 10, QLatin1Char('0'));
    if (record.usagePage == 1 && record.usage == 2)
        name += QStringLiteral("&Col01");
    else if (record.usagePage == 1 && record.usage == 0)
        name += QStringLiteral("&Col04");
    else
        name += QStringLiteral("&Page%1Usage%2").arg(record.usagePage).arg(record.usage);
    return name + QLatin1Char('#') + QString::fromLocal8Bit(record.path.c_str());
}

std::vector<InterfaceChange> enumerationChanges(const std::vector<HidRecord> &before,
                                                const std::vector<HidRecord> &after)
{
    std::vector<InterfaceChange> changes;
    auto contains = [](const std::vector<HidRecord> &records, const HidRecord &r) {
        return std::any_of(records.begin(), records.end(), [&r](const HidRecord &x) { return sameRecord(x, r); });
    };
    for (const HidRecord &r : before)
        if (!contains(after, r))
            changes.push_back({interfaceNameOf(r), false});
    for (const HidRecord &r : after)
        if (!contains(before, r))
            changes.push_back({interfaceNameOf(r), true});
    return changes;
}

const HidRecord *findRecordByName(const std::vector<HidRecord> &records, const QString &name)
{
    for (const HidRecord &r : records)
        if (interfaceNameOf(r).compare(name, Qt::CaseInsensitive) == 0)
            return &r;
    return nullptr;
}

std::vector<EntryChange> applyInterfaceChange(HidDeviceTable &table, const InterfaceName &name, bool arrived,
                                              const std::string &path, std::uint16_t release)
{
    std::vector<EntryChange> changes;
    if (!name.valid)
        return changes;
    const std::uint32_t count = std::min<std::uint32_t>(table.count, kMaxDeviceEntries);
    for (std::uint32_t i = 0; i < count; ++i) {
        HidDeviceEntry &e = table.entries[i];
        int g;
        if (name.vid == e.vid1 && name.pid == e.pid1)
            g = 0;
        else if (name.vid == e.vid2 && name.pid == e.pid2)
            g = 1;
        else
            continue;
        // The two pairs of the identity: (mouse flag, mouse path), (command flag, command path).
        std::int32_t &mouseFound = g == 0 ? e.found1 : e.found3;
        std::int32_t &commandFound = g == 0 ? e.found2 : e.found4;
        std::int32_t &flag = name.collection == 1 ? mouseFound : commandFound;
        char(&field)[kHidPathSize] = name.collection == 1 ? (g == 0 ? e.path1 : e.path3) : (g == 0 ? e.path2 : e.path4);

        EntryChange change;
        change.entry = i;
        change.identity = g;
        if (arrived) {
            const bool passes = g == 0 ? ReleaseFilterPasses(e.relMin1, e.relMax1, release)
                                       : ReleaseFilterPasses(e.relMin2, e.relMax2, release);
            if (!passes || !StoreHidPath(field, path.c_str())) {
                change.refused = true;
            } else {
                change.newlyPresent = flag != 1;
                flag = 1;
                change.pairComplete = mouseFound == 1 && commandFound == 1;
            }
        } else if (flag == 1) {
            flag = 0;
            change.removed = true;
        }
        change.collectionLeft = mouseFound == 1 || commandFound == 1;
        changes.push_back(change);
    }
    return changes;
}
