#pragma once
// Device changes in the terms of the device table: the interface names the
// system reports (Windows form, "HID#VID_248A&PID_FA02&MI_00&Col04#..."), the
// HID records an enumeration returns, what changed between two enumerations,
// and the update of the table's found flags and paths.

#include "HidDeviceTable.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

// What an interface name says: the identity (vid, pid) and the collection,
// 1 (mouse) or 4 (command). valid is false for a name of any other collection.
struct InterfaceName
{
    bool valid = false;
    std::uint16_t vid = 0;
    std::uint16_t pid = 0;
    int collection = 0;
};

// Tries the four name patterns in order, ignoring case; the first match wins.
InterfaceName parseInterfaceName(const QString &name);

// One record of hid_enumerate, kept by value.
struct HidRecord
{
    std::string path;
    std::uint16_t vid = 0;
    std::uint16_t pid = 0;
    std::uint16_t release = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    int interfaceNumber = -1;
};

// All HID records, in the order hidapi returns them (hid_init must have succeeded).
std::vector<HidRecord> enumerateHidRecords();

// The name under which a record's arrival or removal is reported. A Windows
// interface path is its own name (without "\\?\"); other systems name one
// device node for several collections, so the name is built from the record:
// the mouse collection (page 1, usage 2) becomes Col01, the command
// collection (page 1, usage 0) Col04, with the node's path after the '#'.
QString interfaceNameOf(const HidRecord &record);

struct InterfaceChange
{
    QString name;
    bool arrived = false;
};

// What vanished (first, in the order of before) and what appeared (in the
// order of after) from one enumeration to the next.
std::vector<InterfaceChange> enumerationChanges(const std::vector<HidRecord> &before,
                                                const std::vector<HidRecord> &after);

// The record an interface name stands for, or null.
const HidRecord *findRecordByName(const std::vector<HidRecord> &records, const QString &name);

// What one arrival or removal did to one entry of the table.
struct EntryChange
{
    std::uint32_t entry = 0;
    int identity = 0;            // 0 receiver, 1 cable
    bool refused = false;        // arrival outside the release filter: not taken
    bool newlyPresent = false;   // arrival of a collection that was not found before
    bool pairComplete = false;   // arrival: both collections of the identity are now found
    bool removed = false;        // removal of a collection that was found
    bool collectionLeft = false; // one collection of the identity is still found afterwards
};

// Applies an arrival (path and release of the interface) or a removal to every
// entry whose identities match the name's vid and pid.
std::vector<EntryChange> applyInterfaceChange(HidDeviceTable &table, const InterfaceName &name, bool arrived,
                                              const std::string &path, std::uint16_t release);
