#pragma once
// The apply sequence: the commands that write an edited configuration to the
// mouse, in their fixed order, each through the verified exchange.

#include "DeviceResult.h"
#include "ProfileData.h"
#include "TableEncoding.h"

#include <cstdint>
#include <vector>

class DeviceLink;
class StatusThreadOwner;

constexpr std::uint8_t kGeneralTableCommand = 0x01;
constexpr std::uint8_t kLightingTableCommand = 0x04;
constexpr std::uint8_t kCompletionSelector = 0xF3;
constexpr std::uint8_t kTransferMarkBegin = 0;
constexpr std::uint8_t kTransferMarkEnd = 1;
constexpr int kGeneralSettingsSize = 19;
constexpr int kLightingRecordCount = 10;
constexpr int kLightingRecordSize = 8;

// Completion categories in the order the mouse expects them.
constexpr std::uint8_t kCompletionCategories[] = {0x04, 0x01, 0x02, 0x08, 0x10};

// Effect code of the general settings table for a lighting mode (1..10; 6 for
// any mode beyond the panel's 14).
std::uint8_t LedModeEffectCode(std::uint8_t ledMode);
// The lighting mode behind an effect code the mouse reports, or -1 for a code
// it cannot send. Code 6 is shared by modes 5..9 and gives 9, the one offered.
int LedModeForEffectCode(std::uint8_t effectCode);

// Pure encoders of the general settings and lighting tables, in sending order
// (data packets, then the closing packet).
std::vector<TablePacket> BuildGeneralSettings(const AppConfig &image);
std::vector<TablePacket> BuildLightingTable(const ProfileData &slot0);

// A 33-byte command report (checksum left 0) carrying one table packet.
std::vector<std::uint8_t> TablePacketReport(const TablePacket &packet);

// Owns what the device link keeps between applies: the device image (the copy
// every packet is encoded from) and the button table state (the 128-byte
// buffer and the macro index map the macro upload consumes). The application
// creates one next to its DeviceLink; tests and the command-line tool create
// their own.
//
// Threads: every method blocks; call them from one thread at a time (the apply
// worker). The status thread is stopped, and waited for, before the first
// command and started again, on the calling thread, only after a successful end.
class ApplySequence
{
public:
    // statusOwner may be null: then no status thread is stopped or started.
    explicit ApplySequence(DeviceLink &link, StatusThreadOwner *statusOwner = nullptr);

    // Writes the groups named by mask (ChangeMask bits) from a copy of
    // working, then the macro area and the transfer end. Stops at the first
    // non-zero result and returns it; working is not changed.
    DeviceResult ApplyToDevice(const AppConfig &working, ChangeMask mask);

    DeviceResult SendTransferMark(std::uint8_t mark);
    DeviceResult SendGeneralSettings(const AppConfig &image);
    DeviceResult SendButtonTable();      // slot 0 of the device image; rebuilds the macro index map
    DeviceResult SendDpiTable(int slot); // slot of the device image
    DeviceResult SendLighting();         // slot 0 of the device image
    DeviceResult SendCompletion();
    DeviceResult UploadMacros();

    const AppConfig &deviceImage() const { return m_deviceImage; }
    AppConfig &deviceImage() { return m_deviceImage; }
    const ButtonTableState &buttonTableState() const { return m_buttonTable; }
    ButtonTableState &buttonTableState() { return m_buttonTable; }

private:
    DeviceResult sendPackets(const std::vector<TablePacket> &packets);

    DeviceLink &m_link;
    StatusThreadOwner *m_pStatusOwner;
    AppConfig m_deviceImage;
    ButtonTableState m_buttonTable;
    ButtonPositions m_positions{};
};
