#pragma once
// Encoding of the DPI table (command 0x02) and the button table (command 0x03).
//
// Pure functions on the profile records: nothing here talks to the mouse. The
// senders turn the returned packets into reports, send them in order through
// the verified exchange and stop at the first failing one.
//
// Ownership: the caller owns every record passed in. The button table state
// (the 128-byte buffer and the macro index map) persists between applies and
// is owned by whoever owns the device link; it is passed in by reference.

#include "ModelDescription.h" // ButtonPositions
#include "ProfileData.h"

#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <vector>

constexpr std::uint8_t kDpiTableCommand = 0x02;
constexpr std::uint8_t kButtonTableCommand = 0x03;

constexpr std::uint8_t kTableTagFirst = 0xD1;
constexpr std::uint8_t kTableTagNext = 0xD2;
constexpr std::uint8_t kTableTagClose = 0xD3;
constexpr std::uint8_t kTableCloseOffset = 0x7F;
constexpr std::uint8_t kTableCloseData = 0x1A;

// The mouse's answer byte that selects the 3395 code limit.
constexpr std::uint8_t kStatusVariantLimited = 8;

// One table-write packet: the report's offset byte, block tag and data bytes
// (the length byte is data.size(), at most 25).
struct TablePacket
{
    std::uint8_t command = 0;
    std::uint8_t offset = 0;
    std::uint8_t tag = 0;
    std::vector<std::uint8_t> data;

    bool operator==(const TablePacket &o) const
    {
        return command == o.command && offset == o.offset && tag == o.tag && data == o.data;
    }
};

// ---------------------------------------------------------------------------
// DPI

enum class DpiAxis { X, Y };

// Two bytes of one encoded DPI value as they are sent: either (register low
// byte, range byte) or a 16-bit number, low byte first.
struct DpiCodeBytes
{
    std::uint8_t low = 0;
    std::uint8_t high = 0;

    bool operator==(const DpiCodeBytes &o) const { return low == o.low && high == o.high; }
};

// Encodes DPI code `code` of `axis` for sensor `sensor` (MouseSenSor/1 of
// Config.ini). The axis matters only for 33952, statusVariant (byte 10 of the
// last status answer, 0 when none) only for 3395.
// A code beyond either end of a sensor's step table is clamped to the table.
// Sensors without an encoding (3399 among them) give {0, 0} and a warning.
DpiCodeBytes EncodeDpiCode(int sensor, std::uint32_t code, DpiAxis axis = DpiAxis::X, std::uint8_t statusVariant = 0);

// The DPI register value used for a sniper step on `sensor` (4 for sensors
// without their own rule); step tables are clamped as above.
std::uint8_t EncodeSniperStep(int sensor, std::uint8_t step);

// The packets of one DPI table write, in sending order: the count packet, one
// packet per DPI level (all eight, whatever the count) and the closing packet.
// `dpiLevelCount` is the model's count; outside 1..8 the mouse is told 8.
std::vector<TablePacket> BuildDpiTable(const ProfileData &profile, int sensor, int dpiLevelCount,
                                       std::uint8_t statusVariant);

// ---------------------------------------------------------------------------
// Buttons

constexpr int kButtonBufferSize = 128;
constexpr int kButtonSlotCount = 24; // slots 0..23 at bytes 2 + 4 * slot
constexpr int kWheelUpEntry = 40;
constexpr int kWheelDownEntry = 41;
constexpr int kWheelUpPosition = 22;
constexpr int kWheelDownPosition = 23;
constexpr int kFunMacroGun = 510;

// What persists between button table writes. Slots that no button writes keep
// their previous content.
struct ButtonTableState
{
    ButtonTableState() { buffer[0] = 0x0A; }

    std::array<std::uint8_t, kButtonBufferSize> buffer{};
    // Macro index -> macro name, rebuilt by every button table write; the macro
    // upload reads it and removes what it has uploaded.
    std::map<std::uint8_t, QString> macroIndexMap;
};

// The four device bytes of one button. Does not touch the buffer; it does add
// the macro of a macro button to state.macroIndexMap (which must have been
// emptied at the start of the table) and sets entry.Res4 to its index.
std::array<std::uint8_t, 4> EncodeButtonBytes(ButtonTableState &state, ButtonEntry &entry, int sensor);

// Encodes `entry` into buffer slot q, where q = position for the wheel
// positions 22 and 23 and positions[position] otherwise. A position outside the
// table or a slot beyond the 24 sent ones is logged and leaves the buffer as it
// was (the macro map and entry.Res4 are still updated). Returns false then.
bool EncodeButton(ButtonTableState &state, ButtonEntry &entry, int position, const ButtonPositions &positions,
                  int sensor);

// One whole button table write: empties the macro map, encodes buttons
// 0..buttonCount-1 (the count limited to 0..16) at their own positions and the
// two wheel entries at 22 and 23, and returns the packets in sending order:
// header (offset 0), four 24-byte blocks, the 0xFF block at offset 98 and the
// closing packet. `profile` is slot 0 of the device image; its macro entries
// get Res4 set.
std::vector<TablePacket> BuildButtonTable(ButtonTableState &state, ProfileData &profile, int buttonCount,
                                          const ButtonPositions &positions, int sensor);
