#pragma once
// The macro area of the mouse (command 0x05): 20 slots of 200 bytes, filled
// from the macro files of the buttons that play a macro, and written after the
// tables of every apply.

#include "DeviceResult.h"
#include "MacroFile.h"
#include "ProfileData.h"
#include "StorageDirs.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

class DeviceLink;

constexpr std::uint8_t kMacroAreaCommand = 0x05;
constexpr int kMacroSlots = 20;
constexpr int kMacroSlotBytes = 200;
constexpr int kMacroAreaBytes = kMacroSlots * kMacroSlotBytes;
constexpr int kMacroPacketBytes = 20;
constexpr int kMacroPacketsPerSlot = kMacroSlotBytes / kMacroPacketBytes;
constexpr std::uint16_t kMacroCloseOffset = 0x0FFF;
// The expanded stream of one macro never exceeds the packing scratch of 63
// actions (189 bytes), which also fits a slot.
constexpr int kMaxPackedActions = 63;
constexpr int kPauseAfterMacroMs = 50;

using MacroArea = std::array<std::uint8_t, kMacroAreaBytes>;

// One packet of the macro area (the offset is 16-bit, low byte first in the report).
struct MacroPacket
{
    std::uint16_t offset = 0;
    std::uint8_t tag = 0;
    std::vector<std::uint8_t> data;

    bool operator==(const MacroPacket &o) const { return offset == o.offset && tag == o.tag && data == o.data; }
};

// The bytes one macro occupies in its slot: action by action map, low byte,
// high byte. A macro with a delay action is kept as recorded; otherwise a 10 ms
// delay follows every fourth action and the last one (twice when the count
// leaves remainder 3 on division by 4), and the stream is padded to
// 3 * (n + n/4 + 2) bytes. At most 63 actions are taken, and the result is cut
// to 63 actions (189 bytes).
std::vector<std::uint8_t> PackMacro(const std::vector<MacroAction> &actions);

// What the button walk found: the filled area, the slots written and whether
// the walk ended early on an index the mouse does not have.
struct MacroAreaPlan
{
    MacroArea area{};
    std::vector<int> packedSlots; // slot indexes in the order they were packed
    bool aborted = false;         // nothing may be sent
};

// Walks the buttons of every slot of image in order and packs each macro whose
// name is still in macroIndexMap into the slot of its index, removing the name
// so further buttons with the same macro are skipped. An upload that starts
// with an empty map packs nothing; a map emptied by the walk ends the walk and
// keeps what was packed. pauseAfterMacro, when set, runs after each packed macro.
MacroAreaPlan PlanMacroArea(const StorageDirs &dirs, const AppConfig &image,
                            std::map<std::uint8_t, QString> &macroIndexMap,
                            const std::function<void()> &pauseAfterMacro = {});

// The packets of the area: ten per slot whose first five bytes are not all
// zero (tag 0xD1 only for the very first packet of slot 0), then the closing
// packet when any slot was sent.
std::vector<MacroPacket> BuildMacroPackets(const MacroArea &area);

// A 33-byte command report (checksum left 0) carrying one macro packet.
std::vector<std::uint8_t> MacroPacketReport(const MacroPacket &packet);

// Plans the area from the macro files (MacroDB of dirs) and sends it through
// link, stopping at the first non-zero result. 0 when nothing was to be sent.
DeviceResult UploadMacros(DeviceLink &link, const StorageDirs &dirs, const AppConfig &image,
                          std::map<std::uint8_t, QString> &macroIndexMap);
