#include "ApplySequence.h"

#include "CommandReport.h"
#include "ConfigFile.h"
#include "DeviceLink.h"
#include "MacroUpload.h"
#include "ModelDescription.h"
#include "StatusThreadOwner.h"

#include <QDebug>

#include <algorithm>
#include <iterator>

namespace {

// LedMode -> lighting table value; the effect code is the value plus 1.
constexpr std::uint8_t kLedModeTableValue[kLedModeCount] = {0, 1, 2, 3, 4, 5, 5, 5, 5, 5, 7, 6, 8, 9};
constexpr std::uint8_t kEffectCodeOutOfRange = 6;

constexpr std::uint8_t kGeneralFixed9 = 1;
constexpr std::uint8_t kGeneralFixed10 = 1;
constexpr std::uint8_t kGeneralFixed16 = 0x1F;

constexpr std::uint8_t kLightingOn = 0x80;

std::uint8_t low(std::uint32_t value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

TablePacket closing(std::uint8_t command)
{
    return {command, kTableCloseOffset, kTableTagClose, {kTableCloseData}};
}

std::vector<std::uint8_t> commandReport(std::uint8_t code, std::uint8_t p1, std::uint8_t p2)
{
    std::vector<std::uint8_t> report(kReportLength, 0);
    report[0] = kReportId;
    report[2] = kReportMarker;
    report[3] = code;
    report[4] = p1;
    report[5] = p2;
    return report;
}

} // namespace

std::uint8_t LedModeEffectCode(std::uint8_t ledMode)
{
    if (ledMode >= kLedModeCount)
        return kEffectCodeOutOfRange;
    return static_cast<std::uint8_t>(kLedModeTableValue[ledMode] + 1);
}

int LedModeForEffectCode(std::uint8_t effectCode)
{
    // Effect codes 1..10, in code order.
    constexpr int kModeOfCode[] = {0, 1, 2, 3, 4, 9, 11, 10, 12, 13};
    if (effectCode < 1 || effectCode > std::size(kModeOfCode))
        return -1;
    return kModeOfCode[effectCode - 1];
}

std::vector<TablePacket> BuildGeneralSettings(const AppConfig &image)
{
    std::uint8_t profileId = image.ProfileID;
    if (profileId >= kProfileCount) {
        // Naming a slot the mouse does not have would leave it in an undefined profile.
        qWarning("Active profile %d is outside 0..4; the general settings name slot 0", profileId);
        profileId = 0;
    }
    const ProfileData &active = image.profiles[profileId];
    const ProfileData &slot0 = image.profiles[0];

    std::vector<std::uint8_t> data(kGeneralSettingsSize, 0);
    for (int i = 0; i < kProfileCount; ++i)
        data[std::size_t(i)] = image.profiles[std::size_t(i)].scrollspeed;
    data[5] = image.LiftHigh;
    data[6] = profileId;
    data[7] = slot0.LedMoveOFF;
    data[8] = slot0.LedSleepTime;
    data[9] = kGeneralFixed9;
    data[10] = kGeneralFixed10;
    for (int i = 0; i < kProfileCount; ++i)
        data[std::size_t(11 + i)] = image.profiles[std::size_t(i)].pollrate;
    data[16] = kGeneralFixed16;
    data[17] = active.dpi;
    data[18] = LedModeEffectCode(active.LedMode);

    return {{kGeneralTableCommand, 0, kTableTagFirst, data}, closing(kGeneralTableCommand)};
}

std::vector<TablePacket> BuildLightingTable(const ProfileData &slot0)
{
    struct Record
    {
        int source;  // ledModes index
        bool colour; // R, G, B from the effect, else zeros
        std::uint8_t b4;
        int b5; // -1: breath
        int b6;
        int b7; // -1: bright
    };
    static const Record kRecords[kLightingRecordCount] = {
        {0, false, 0x00, 0x00, 0x00, 0x00}, {1, true, 0x01, 0x00, 0x02, -1}, {2, true, 0x01, -1, 0x04, 0x03},
        {3, false, 0x01, -1, 0x01, 0x03},   {4, false, 0x01, -1, 0x08, -1},  {9, false, 0x05, -1, 0x01, -1},
        {11, false, 0x07, 0x00, 0x00, -1},  {10, false, 0x06, -1, 0x00, -1}, {12, false, 0x08, -1, 0x00, -1},
        {13, false, 0x09, -1, 0x00, -1},
    };

    std::vector<std::uint8_t> table;
    table.reserve(kLightingRecordCount * kLightingRecordSize);
    for (const Record &r : kRecords) {
        const LedModeSetting &mode = slot0.ledModes[std::size_t(r.source)];
        const QColor &c = mode.RGB;
        const bool colour = r.colour && c.isValid();
        table.push_back(kLightingOn);
        table.push_back(colour ? low(std::uint32_t(c.red())) : 0);
        table.push_back(colour ? low(std::uint32_t(c.green())) : 0);
        table.push_back(colour ? low(std::uint32_t(c.blue())) : 0);
        table.push_back(r.b4);
        table.push_back(r.b5 < 0 ? low(mode.breath) : std::uint8_t(r.b5));
        table.push_back(std::uint8_t(r.b6));
        table.push_back(r.b7 < 0 ? low(mode.bright) : std::uint8_t(r.b7));
    }

    // Records 0..2, 3..5, 6..8 and 9.
    std::vector<TablePacket> packets;
    const int blocks[][2] = {{0, 24}, {24, 24}, {48, 24}, {72, 8}};
    for (const auto &block : blocks) {
        const auto begin = table.begin() + block[0];
        packets.push_back({kLightingTableCommand, std::uint8_t(block[0]),
                           block[0] == 0 ? kTableTagFirst : kTableTagNext,
                           std::vector<std::uint8_t>(begin, begin + block[1])});
    }
    packets.push_back(closing(kLightingTableCommand));
    return packets;
}

std::vector<std::uint8_t> TablePacketReport(const TablePacket &packet)
{
    std::vector<std::uint8_t> report = commandReport(packet.command, packet.offset, 0);
    const std::size_t n = std::min<std::size_t>(packet.data.size(), std::size_t(kReportMaxData));
    if (n != packet.data.size())
        qWarning("Table packet of command 0x%02x holds %zu data bytes; only %d are sent", packet.command,
                 packet.data.size(), kReportMaxData);
    report[6] = std::uint8_t(n);
    report[7] = packet.tag;
    std::copy(packet.data.begin(), packet.data.begin() + std::ptrdiff_t(n), report.begin() + kReportDataOffset);
    return report;
}

ApplySequence::ApplySequence(DeviceLink &link, StatusThreadOwner *statusOwner)
    : m_link(link)
    , m_pStatusOwner(statusOwner)
{
}

DeviceResult ApplySequence::sendPackets(const std::vector<TablePacket> &packets)
{
    for (const TablePacket &packet : packets) {
        const std::vector<std::uint8_t> report = TablePacketReport(packet);
        const DeviceResult result = m_link.SendCommand(report.data(), kReportLength);
        if (result != kResultOk)
            return result;
    }
    return kResultOk;
}

DeviceResult ApplySequence::SendTransferMark(std::uint8_t mark)
{
    const std::vector<std::uint8_t> report = commandReport(kCmdTransferMark, mark, 0);
    return m_link.SendCommand(report.data(), kReportLength);
}

DeviceResult ApplySequence::SendGeneralSettings(const AppConfig &image)
{
    return sendPackets(BuildGeneralSettings(image));
}

DeviceResult ApplySequence::SendButtonTable()
{
    // Keeps the previous table when the model description is missing.
    loadButtonPositions(m_link.dirs(), m_positions);
    const std::vector<TablePacket> packets =
        BuildButtonTable(m_buttonTable, m_deviceImage.profiles[0], readButtonCount(m_link.dirs()), m_positions,
                         readSensor(m_link.dirs()));
    return sendPackets(packets);
}

DeviceResult ApplySequence::SendDpiTable(int slot)
{
    if (slot < 0 || slot >= kProfileCount) {
        qWarning("SendDpiTable: no profile slot %d", slot);
        return kResultOk;
    }
    const std::vector<TablePacket> packets =
        BuildDpiTable(m_deviceImage.profiles[std::size_t(slot)], readSensor(m_link.dirs()), readDpiCount(m_link.dirs()),
                      m_link.statusVariant());
    return sendPackets(packets);
}

DeviceResult ApplySequence::SendLighting()
{
    return sendPackets(BuildLightingTable(m_deviceImage.profiles[0]));
}

DeviceResult ApplySequence::SendCompletion()
{
    for (std::uint8_t category : kCompletionCategories) {
        const std::vector<std::uint8_t> report = commandReport(kCmdCompletion, kCompletionSelector, category);
        const DeviceResult result = m_link.SendCommand(report.data(), kReportLength);
        if (result != kResultOk)
            return result;
    }
    return kResultOk;
}

DeviceResult ApplySequence::UploadMacros()
{
    return ::UploadMacros(m_link, m_link.dirs(), m_deviceImage, m_buttonTable.macroIndexMap);
}

DeviceResult ApplySequence::ApplyToDevice(const AppConfig &working, ChangeMask mask)
{
    // Waiting for the status thread keeps its last poll off the handle while
    // the transfer runs.
    if (m_pStatusOwner)
        m_pStatusOwner->StopStatusThread();

    m_deviceImage = working;

    DeviceResult result = SendTransferMark(kTransferMarkBegin);
    if (result != kResultOk)
        return result;
    if (mask & kChangeGeneral) {
        if ((result = SendGeneralSettings(m_deviceImage)) != kResultOk)
            return result;
    }
    if (mask & kChangeButtons) {
        if ((result = SendButtonTable()) != kResultOk)
            return result;
    }
    if (mask & kChangeDpi) {
        if ((result = SendDpiTable(0)) != kResultOk)
            return result;
    }
    if (mask & kChangeLighting) {
        if ((result = SendLighting()) != kResultOk)
            return result;
    }
    if (mask != 0) {
        if ((result = SendCompletion()) != kResultOk)
            return result;
    }
    if ((result = UploadMacros()) != kResultOk)
        return result;
    if ((result = SendTransferMark(kTransferMarkEnd)) != kResultOk)
        return result;

    if (m_pStatusOwner)
        m_pStatusOwner->StartStatusThread();
    return kResultOk;
}
