#include "TableEncoding.h"

#include "KeyTables.h"

#include <QDebug>

#include <algorithm>

namespace {

// A sensor's register values indexed by DPI code, for codes first..last.
struct StepTable
{
    const std::uint8_t *values;
    int first;
    int last;
    bool zeroForCodeZero; // T and Z give 0 for code 0; W and V have no such entry
    const char *name;
};

// clang-format off
// Table W, codes 1..160.
constexpr std::uint8_t kStepW[] = {
    0, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 16, 17, 18, 19, 20, 22, 23, 24, 25, 26, 27, 29, 30,
    31, 32, 33, 35, 37, 38, 39, 40, 41, 42, 44, 45, 46, 47, 48, 50, 51, 52, 53, 54, 56, 57, 58, 59,
    60, 62, 63, 64, 65, 66, 68, 69, 70, 71, 72, 74, 75, 76, 77, 78, 80, 81, 82, 83, 84, 86, 87, 88,
    89, 90, 92, 93, 94, 95, 96, 98, 99, 100, 101, 102, 104, 105, 106, 107, 108, 110, 111, 112, 113,
    114, 116, 117, 118, 119, 120, 122, 123, 124, 125, 126, 128, 129, 130, 131, 132, 134, 135, 136,
    137, 138, 140, 141, 142, 143, 144, 146, 147, 148, 149, 150, 152, 153, 154, 155, 156, 158, 159,
    160, 161, 162, 164, 165, 166, 167, 168, 170, 171, 172, 173, 174, 176, 177, 178, 179, 180, 181,
    182, 183, 184, 185, 186, 187, 188, 188
};
// Table T, codes 1..50.
constexpr std::uint8_t kStepT[] = {
    2, 4, 6, 8, 11, 13, 15, 18, 20, 22, 25, 27, 29, 32, 34, 36, 39, 41, 43, 46, 48, 50, 52, 55, 57,
    59, 62, 64, 66, 69, 71, 73, 76, 78, 80, 83, 85, 87, 90, 92, 94, 97, 99, 101, 104, 106, 108,
    111, 113, 115
};
// Table V, codes 2..80.
constexpr std::uint8_t kStepV[] = {
    4, 6, 9, 11, 14, 16, 18, 21, 23, 25, 27, 29, 32, 34, 36, 39, 41, 43, 46, 48, 50, 52, 55, 57,
    59, 62, 64, 66, 69, 72, 74, 77, 78, 81, 84, 85, 88, 91, 93, 95, 98, 100, 102, 105, 107, 109,
    112, 114, 116, 119, 121, 123, 126, 128, 130, 133, 135, 137, 140, 142, 145, 147, 149, 151, 154,
    156, 158, 161, 163, 165, 168, 171, 173, 175, 178, 180, 182, 185, 187
};
// Table Z, codes 1..61.
constexpr std::uint8_t kStepZ[] = {
    4, 6, 9, 11, 13, 15, 18, 20, 22, 24, 27, 29, 31, 33, 36, 38, 40, 43, 45, 47, 49, 52, 54, 56,
    58, 61, 63, 65, 67, 70, 72, 74, 77, 79, 81, 83, 86, 88, 90, 92, 95, 97, 99, 102, 104, 106, 108,
    111, 113, 115, 117, 120, 122, 124, 127, 129, 131, 133, 135, 138, 140
};
// clang-format on
static_assert(sizeof(kStepW) == 160, "table W has 160 entries");
static_assert(sizeof(kStepT) == 50, "table T has 50 entries");
static_assert(sizeof(kStepV) == 79, "table V has 79 entries");
static_assert(sizeof(kStepZ) == 61, "table Z has 61 entries");

constexpr StepTable kTableW{kStepW, 1, 160, false, "W"};
constexpr StepTable kTableT{kStepT, 1, 50, true, "T"};
constexpr StepTable kTableV{kStepV, 2, 80, false, "V"};
constexpr StepTable kTableZ{kStepZ, 1, 61, true, "Z"};

// Codes beyond the table would read past it; the nearest end of the table is
// the closest thing the sensor can do.
std::uint8_t step(const StepTable &table, std::int64_t code, int sensor)
{
    if (code == 0 && table.zeroForCodeZero)
        return 0;
    if (code < table.first || code > table.last) {
        const std::int64_t clamped = std::clamp<std::int64_t>(code, table.first, table.last);
        qWarning("DPI code %lld is beyond step table %s of sensor %d, using %lld", static_cast<long long>(code),
                 table.name, sensor, static_cast<long long>(clamped));
        code = clamped;
    }
    return table.values[code - table.first];
}

DpiCodeBytes registerAndRange(std::int64_t reg, std::uint8_t range)
{
    return {static_cast<std::uint8_t>(reg & 0xFF), range};
}

DpiCodeBytes word(std::int64_t value)
{
    return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF)};
}

DpiCodeBytes wordHighRange(std::int64_t value)
{
    return word((value & 0x7FFF) | 0x8000);
}

struct FunctionRow
{
    int fun;
    std::array<std::uint8_t, 4> bytes;
};

// Device bytes of every function that needs no parameters (and the byte 0 of
// those that do).
// clang-format off
constexpr FunctionRow kFunctionRows[] = {
    {1, {0x81, 0x00, 0x00, 0x00}},
    {2, {0x82, 0x00, 0x00, 0x00}},
    {3, {0x83, 0x00, 0x00, 0x00}},
    {4, {0x85, 0x00, 0x00, 0x00}},
    {5, {0x84, 0x00, 0x00, 0x00}},
    {6, {0x90, 0x00, 0x00, 0x00}},
    {7, {0x8F, 0x00, 0x00, 0x00}},
    {12, {0x99, 0x00, 0x00, 0x00}},
    {13, {0x30, 0x00, 0x00, 0x00}},
    {16, {0x00, 0x00, 0x00, 0x00}},
    {17, {0x8F, 0x01, 0x1B, 0x00}},
    {18, {0x8F, 0x01, 0x06, 0x00}},
    {19, {0x8F, 0x01, 0x19, 0x00}},
    {20, {0x8F, 0x01, 0x04, 0x00}},
    {21, {0x8F, 0x01, 0x09, 0x00}},
    {22, {0x8F, 0x01, 0x11, 0x00}},
    {23, {0x8F, 0x01, 0x13, 0x00}},
    {24, {0x8F, 0x01, 0x16, 0x00}},
    {25, {0x8F, 0x04, 0x2B, 0x00}},
    {26, {0x8F, 0x04, 0x3D, 0x00}},
    {27, {0x8F, 0x08, 0x08, 0x00}},
    {28, {0x8F, 0x08, 0x15, 0x00}},
    {29, {0x8F, 0x08, 0x07, 0x00}},
    {30, {0x8F, 0x08, 0x0F, 0x00}},
    {31, {0x8E, 0x01, 0x23, 0x02}},
    {32, {0x8E, 0x01, 0x24, 0x02}},
    {33, {0x8E, 0x01, 0x25, 0x02}},
    {34, {0x8E, 0x01, 0x26, 0x02}},
    {35, {0x8E, 0x01, 0x27, 0x02}},
    {36, {0x8E, 0x01, 0x21, 0x02}},
    {37, {0x8E, 0x01, 0x2A, 0x02}},
    {38, {0x8E, 0x01, 0x8A, 0x01}},
    {39, {0x8E, 0x01, 0xCD, 0x00}},
    {40, {0x8E, 0x01, 0xB7, 0x00}},
    {41, {0x8E, 0x01, 0xB6, 0x00}},
    {42, {0x8E, 0x01, 0xB5, 0x00}},
    {43, {0x8E, 0x01, 0xE9, 0x00}},
    {44, {0x8E, 0x01, 0xEA, 0x00}},
    {45, {0x8E, 0x01, 0xE2, 0x00}},
    {46, {0x8E, 0x01, 0x83, 0x01}},
    {47, {0x88, 0x00, 0x00, 0x00}},
    {48, {0x8A, 0x00, 0x00, 0x00}},
    {49, {0x89, 0x00, 0x00, 0x00}},
    {50, {0x97, 0x00, 0x00, 0x00}},
    {51, {0x98, 0x00, 0x00, 0x00}},
    {52, {0x8B, 0x00, 0x00, 0x00}},
    {53, {0x8C, 0x00, 0x00, 0x00}},
    {54, {0x9B, 0x08, 0x00, 0x00}},
    {55, {0x9A, 0x01, 0x01, 0x01}},
    {57, {0x94, 0x00, 0x00, 0x00}},
    {58, {0x95, 0x00, 0x00, 0x00}},
    {59, {0x8D, 0x00, 0x00, 0x00}},
    {60, {0x9F, 0x00, 0x00, 0x00}},
    {61, {0xA0, 0x00, 0x00, 0x00}},
    {62, {0x8F, 0x08, 0x10, 0x00}},
    {63, {0x97, 0x01, 0x00, 0x00}},
    {200, {0x91, 0x00, 0x00, 0x00}},
    {510, {0x9D, 0x00, 0x00, 0x00}},
};
// clang-format on
static_assert(sizeof(kFunctionRows) / sizeof(kFunctionRows[0]) == 58, "58 function rows");

std::array<std::uint8_t, 4> functionRow(int fun)
{
    for (const FunctionRow &row : kFunctionRows) {
        if (row.fun == fun)
            return row.bytes;
    }
    return {0, 0, 0, 0};
}

constexpr int kFunSingleKey = 6;
constexpr int kFunComboKey = 7;
constexpr int kFunFireKey = 12;
constexpr int kFunSniper = 55;
constexpr int kComboEntriesRead = 10;
constexpr int kButtonTableFirstSlotByte = 2;
constexpr int kButtonTableBlock = 24;
constexpr std::uint8_t kButtonTableTailOffset = 98;

std::uint8_t macroIndex(ButtonTableState &state, const QString &name)
{
    for (const auto &item : state.macroIndexMap) {
        if (item.second == name)
            return item.first;
    }
    const auto index = static_cast<std::uint8_t>(state.macroIndexMap.size());
    state.macroIndexMap[index] = name;
    return index;
}

std::uint8_t comboModifierBit(InternalKeyCode code)
{
    switch (code) {
    case kKeyLeftCtrl:
    case kKeyRightCtrl:
        return 1;
    case kKeyLeftShift:
    case kKeyRightShift:
        return 2;
    case kKeyLeftAlt:
    case kKeyRightAlt:
        return 4;
    case kKeyLeftWin:
    case kKeyRightWin:
        return 8;
    default:
        return 0;
    }
}

TablePacket closingPacket(std::uint8_t command)
{
    return {command, kTableCloseOffset, kTableTagClose, {kTableCloseData}};
}

} // namespace

DpiCodeBytes EncodeDpiCode(int sensor, std::uint32_t code, DpiAxis axis, std::uint8_t statusVariant)
{
    const std::int64_t d = code;
    switch (sensor) {
    case 3104:
    case 31042:
        return d <= 106 ? registerAndRange(d, 0) : registerAndRange(d - 53, 1);
    case 3212:
        if (d < 64)
            return registerAndRange(d, 0);
        return d <= 94 ? registerAndRange(d - 32, 1) : registerAndRange(d - 63, 2);
    case 3311:
    case 33112:
        return d <= 120 ? registerAndRange(step(kTableW, d, sensor), 0)
                        : registerAndRange(step(kTableW, d - 60, sensor), 1);
    case 3325:
    case 33252:
        return d <= 50 ? registerAndRange(step(kTableT, d, sensor), 0)
                       : registerAndRange(step(kTableT, d - 25, sensor), 1);
    case 3327:
        if (d <= 61)
            return registerAndRange(step(kTableZ, d, sensor), 0);
        return d <= 92 ? registerAndRange(step(kTableZ, d - 31, sensor), 1)
                       : registerAndRange(step(kTableZ, d - 52, sensor), 4);
    case 3333:
        return d <= 79 ? registerAndRange(step(kTableV, d, sensor), 0)
                       : registerAndRange(step(kTableV, d - 40, sensor), 1);
    case 3335:
    case 33352:
        return d <= 160 ? registerAndRange(step(kTableW, d, sensor), 0)
                        : registerAndRange(step(kTableW, d - 40, sensor), 1);
    case 3360:
        return d <= 120 ? registerAndRange(d - 1, 0) : registerAndRange(d - 61, 1);
    case 3370:
        return d <= 200 ? registerAndRange(d - 1, 0) : registerAndRange(d - 101, 1);
    case 3389:
        return d <= 320 ? word(d) : wordHighRange(d - 160);
    case 3395:
        return word(statusVariant == kStatusVariantLimited ? std::min<std::int64_t>(d, 399) : d);
    case 33952: {
        const std::int64_t limit = axis == DpiAxis::X ? 519 : 520;
        return d <= limit ? word(d) : wordHighRange(d - 260);
    }
    default:
        qWarning("No DPI encoding for sensor %d, sending 0", sensor);
        return {0, 0};
    }
}

std::uint8_t EncodeSniperStep(int sensor, std::uint8_t stepCode)
{
    switch (sensor) {
    case 3104:
    case 3212:
    case 3389:
        return stepCode;
    case 3325:
        return step(kTableT, stepCode, sensor);
    case 3327:
        return step(kTableZ, stepCode, sensor);
    case 3335:
        return step(kTableW, stepCode, sensor);
    case 3360:
        return static_cast<std::uint8_t>(stepCode - 1);
    default:
        return 4;
    }
}

std::vector<TablePacket> BuildDpiTable(const ProfileData &profile, int sensor, int dpiLevelCount,
                                       std::uint8_t statusVariant)
{
    const int count = (dpiLevelCount >= 1 && dpiLevelCount <= kDpiLevelCount) ? dpiLevelCount : kDpiLevelCount;
    std::vector<TablePacket> packets;
    packets.reserve(kDpiLevelCount + 2);
    packets.push_back({kDpiTableCommand, 0, kTableTagFirst, {static_cast<std::uint8_t>(count)}});

    for (int i = 0; i < kDpiLevelCount; ++i) {
        const DpiLevel &level = profile.dpiLevels[static_cast<std::size_t>(i)];
        const DpiCodeBytes x = EncodeDpiCode(sensor, level.x, DpiAxis::X, statusVariant);
        const DpiCodeBytes y = EncodeDpiCode(sensor, level.y, DpiAxis::Y, statusVariant);
        DpiCodeBytes first = x;
        DpiCodeBytes second = y;
        if (sensor == 3104 || sensor == 31042)
            std::swap(first, second);
        else if (sensor == 3335 || sensor == 33352)
            second = x; // these sensors have one resolution for both axes
        const std::uint8_t used = i < count ? level.used : 0;
        packets.push_back({kDpiTableCommand,
                           static_cast<std::uint8_t>(1 + 5 * i),
                           kTableTagNext,
                           {used, first.low, first.high, second.low, second.high}});
    }
    packets.push_back(closingPacket(kDpiTableCommand));
    return packets;
}

std::array<std::uint8_t, 4> EncodeButtonBytes(ButtonTableState &state, ButtonEntry &entry, int sensor)
{
    std::array<std::uint8_t, 4> bytes = functionRow(entry.Fun);
    switch (entry.Fun) {
    case kFunMacro:
    case kFunMacroGun: {
        const std::uint8_t m = macroIndex(state, entry.macroname);
        const auto loops = static_cast<std::uint32_t>(entry.LoopNumber);
        switch (entry.Res1) {
        case 1:
            bytes = {bytes[0], static_cast<std::uint8_t>(m | 0x80), 0xFF, 0xFF};
            break;
        case 2:
            bytes = {bytes[0], static_cast<std::uint8_t>(m | 0x40), 0xFF, 0xFF};
            break;
        default:
            // An unknown loop mode would otherwise leave a stale macro index in
            // the slot; play the macro by its loop count instead.
            if (entry.Res1 != 0)
                qWarning("Macro \"%s\" has unknown loop mode %d, sending it as a loop count",
                         qPrintable(entry.macroname), entry.Res1);
            bytes = {bytes[0], m, static_cast<std::uint8_t>(loops & 0xFF),
                     static_cast<std::uint8_t>((loops >> 8) & 0xFF)};
            break;
        }
        entry.Res4 = m;
        break;
    }
    case kFunSingleKey: {
        std::uint8_t usage = 0;
        scanToHid(entry.Res1, usage);
        bytes = {0x90, 0, usage, 0};
        break;
    }
    case kFunSniper: {
        const std::uint8_t v = EncodeSniperStep(sensor, entry.Res1);
        bytes = {0x9A, 1, v, v};
        break;
    }
    case kFunComboKey: {
        int sum = 0;
        std::uint8_t key = 0;
        for (int i = 0; i < kComboEntriesRead; ++i) {
            const std::uint8_t usage = entry.keyInfo[static_cast<std::size_t>(i)].map;
            if (usage == 0)
                continue;
            InternalKeyCode code = 0;
            hidToScan(usage, code);
            const std::uint8_t bit = comboModifierBit(code);
            if (bit)
                sum += bit;
            else
                key = usage;
        }
        // Each modifier is stored as a press and a release.
        bytes = {0x8F, static_cast<std::uint8_t>(sum / 2), key, 0};
        break;
    }
    case kFunFireKey:
        if (entry.Res1 != 0)
            bytes = {0x99, entry.Res1, static_cast<std::uint8_t>(entry.LoopNumber & 0xFF),
                     static_cast<std::uint8_t>(entry.KeyNumber / 10)};
        else
            bytes = {0x99, 0x81, 3, 0};
        break;
    default:
        break;
    }
    return bytes;
}

bool EncodeButton(ButtonTableState &state, ButtonEntry &entry, int position, const ButtonPositions &positions,
                  int sensor)
{
    const std::array<std::uint8_t, 4> bytes = EncodeButtonBytes(state, entry, sensor);

    int slot = -1;
    if (position == kWheelUpPosition || position == kWheelDownPosition)
        slot = position;
    else if (position >= 0 && position < kModelButtonTableSize)
        slot = positions[static_cast<std::size_t>(position)];
    if (slot < 0 || slot >= kButtonSlotCount) {
        qWarning("Button position %d (device slot %d) is outside the button table, not encoded", position, slot);
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), state.buffer.begin() + kButtonTableFirstSlotByte + 4 * slot);
    return true;
}

std::vector<TablePacket> BuildButtonTable(ButtonTableState &state, ProfileData &profile, int buttonCount,
                                          const ButtonPositions &positions, int sensor)
{
    state.macroIndexMap.clear();

    // The position table has 16 entries; a larger count from the model
    // description would address beyond it.
    const int count = std::clamp(buttonCount, 0, kModelButtonTableSize);
    if (count != buttonCount)
        qWarning("Button count %d limited to %d", buttonCount, count);
    for (int k = 0; k < count; ++k)
        EncodeButton(state, profile.buttons[static_cast<std::size_t>(k)], k, positions, sensor);
    EncodeButton(state, profile.buttons[kWheelUpEntry], kWheelUpPosition, positions, sensor);
    EncodeButton(state, profile.buttons[kWheelDownEntry], kWheelDownPosition, positions, sensor);

    std::vector<TablePacket> packets;
    packets.reserve(7);
    packets.push_back({kButtonTableCommand, 0, kTableTagFirst, {state.buffer[0], state.buffer[1]}});
    for (int offset = kButtonTableFirstSlotByte; offset < kButtonTableTailOffset; offset += kButtonTableBlock) {
        const auto begin = state.buffer.begin() + offset;
        packets.push_back({kButtonTableCommand, static_cast<std::uint8_t>(offset), kTableTagNext,
                           std::vector<std::uint8_t>(begin, begin + kButtonTableBlock)});
    }
    packets.push_back({kButtonTableCommand, kButtonTableTailOffset, kTableTagNext, {0xFF, 0xFF, 0xFF, 0xFF}});
    packets.push_back(closingPacket(kButtonTableCommand));
    return packets;
}
