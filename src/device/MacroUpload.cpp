#include "MacroUpload.h"

#include "CommandReport.h"
#include "DeviceLink.h"
#include "TableEncoding.h"

#include <QDebug>

#include <algorithm>

namespace {

constexpr int kSlotCheckBytes = 5; // a slot whose first five bytes are zero is not sent
constexpr int kActionsBetweenDelays = 4;
constexpr int kActionBytes = 3;

// 06 01 00: a delay of one unit (10 ms), so the mouse does not play the
// actions back to back.
constexpr std::uint8_t kShortDelay[kActionBytes] = {kMacroDelay, 0x01, 0x00};

bool playsMacro(const ButtonEntry &button)
{
    return button.Fun == kFunMacro || button.Fun == kFunMacroGun;
}

void append(std::vector<std::uint8_t> &out, std::uint8_t map, std::uint8_t low, std::uint8_t high)
{
    out.push_back(map);
    out.push_back(low);
    out.push_back(high);
}

void appendDelay(std::vector<std::uint8_t> &out)
{
    append(out, kShortDelay[0], kShortDelay[1], kShortDelay[2]);
}

} // namespace

std::vector<std::uint8_t> PackMacro(const std::vector<MacroAction> &recorded)
{
    const std::size_t n = std::min<std::size_t>(recorded.size(), kMaxMacroActions);
    if (n != recorded.size())
        qWarning("Macro of %zu actions cut to %d for the mouse", recorded.size(), kMaxMacroActions);

    const bool hasDelay = std::any_of(recorded.begin(), recorded.begin() + std::ptrdiff_t(n),
                                      [](const MacroAction &a) { return a.map == kMacroDelay; });
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(kMaxPackedActions * kActionBytes) + 2 * kActionBytes);
    if (hasDelay) {
        for (std::size_t i = 0; i < n; ++i)
            append(out, recorded[i].map, recorded[i].dataL, recorded[i].dataH);
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            append(out, recorded[i].map, recorded[i].dataL, recorded[i].dataH);
            if ((i + 1) % kActionsBetweenDelays == 0)
                appendDelay(out);
        }
        appendDelay(out);
        if (n % kActionsBetweenDelays == kActionsBetweenDelays - 1)
            appendDelay(out);
        const std::size_t padded = kActionBytes * (n + n / kActionsBetweenDelays + 2);
        out.resize(std::max(out.size(), padded), 0);
    }

    const std::size_t limit = std::size_t(kMaxPackedActions * kActionBytes);
    if (out.size() > limit) {
        qWarning("Macro expands to %zu actions; the mouse gets the first %d", out.size() / kActionBytes,
                 kMaxPackedActions);
        out.resize(limit);
    }
    return out;
}

MacroAreaPlan PlanMacroArea(const StorageDirs &dirs, const AppConfig &image,
                            std::map<std::uint8_t, QString> &macroIndexMap,
                            const std::function<void()> &pauseAfterMacro)
{
    MacroAreaPlan plan;
    if (macroIndexMap.empty())
        return plan; // no macro on the buttons of the last button table

    for (const ProfileData &profile : image.profiles) {
        for (const ButtonEntry &button : profile.buttons) {
            if (!playsMacro(button))
                continue;
            const auto it = std::find_if(macroIndexMap.begin(), macroIndexMap.end(),
                                         [&](const auto &item) { return item.second == button.macroname; });
            if (it == macroIndexMap.end())
                continue; // uploaded already, or not on the button table
            const int index = it->first;
            if (index >= kMacroSlots) {
                qDebug("iIndex>=MAX_MACRO_NUMBER_560\n");
                plan.aborted = true;
                return plan;
            }

            const MacroRecord macro = loadMacro(dirs, button.macroname);
            const std::vector<std::uint8_t> bytes = PackMacro(macro.actions);
            std::copy(bytes.begin(), bytes.end(), plan.area.begin() + index * kMacroSlotBytes);
            plan.packedSlots.push_back(index);

            if (pauseAfterMacro)
                pauseAfterMacro();
            macroIndexMap.erase(it);
            // Every macro of the table is packed: the rest of the walk has
            // nothing left to find, and what was packed must still be sent.
            if (macroIndexMap.empty())
                return plan;
        }
    }
    return plan;
}

std::vector<MacroPacket> BuildMacroPackets(const MacroArea &area)
{
    std::vector<MacroPacket> packets;
    for (int slot = 0; slot < kMacroSlots; ++slot) {
        const auto begin = area.begin() + slot * kMacroSlotBytes;
        if (std::all_of(begin, begin + kSlotCheckBytes, [](std::uint8_t b) { return b == 0; }))
            continue;
        for (int j = 0; j < kMacroPacketsPerSlot; ++j) {
            const auto from = begin + j * kMacroPacketBytes;
            packets.push_back({std::uint16_t(slot * kMacroSlotBytes + j * kMacroPacketBytes),
                               (slot == 0 && j == 0) ? kTableTagFirst : kTableTagNext,
                               std::vector<std::uint8_t>(from, from + kMacroPacketBytes)});
        }
    }
    if (!packets.empty())
        packets.push_back({kMacroCloseOffset, kTableTagClose, {kTableCloseData}});
    return packets;
}

std::vector<std::uint8_t> MacroPacketReport(const MacroPacket &packet)
{
    std::vector<std::uint8_t> report(kReportLength, 0);
    const std::size_t n = std::min<std::size_t>(packet.data.size(), std::size_t(kReportMaxData));
    report[0] = kReportId;
    report[2] = kReportMarker;
    report[3] = kMacroAreaCommand;
    report[4] = std::uint8_t(packet.offset & 0xFF);
    report[5] = std::uint8_t(packet.offset >> 8);
    report[6] = std::uint8_t(n);
    report[7] = packet.tag;
    std::copy(packet.data.begin(), packet.data.begin() + std::ptrdiff_t(n), report.begin() + kReportDataOffset);
    return report;
}

DeviceResult UploadMacros(DeviceLink &link, const StorageDirs &dirs, const AppConfig &image,
                          std::map<std::uint8_t, QString> &macroIndexMap)
{
    const MacroAreaPlan plan =
        PlanMacroArea(dirs, image, macroIndexMap, [&link] { link.clock().pause(kPauseAfterMacroMs); });
    if (plan.aborted)
        return kResultOk;
    for (const MacroPacket &packet : BuildMacroPackets(plan.area)) {
        const std::vector<std::uint8_t> report = MacroPacketReport(packet);
        const DeviceResult result = link.SendCommand(report.data(), kReportLength);
        if (result != kResultOk)
            return result;
    }
    return kResultOk;
}
