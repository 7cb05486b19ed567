#pragma once

#include "MouseSim.h"
#include "SimSetup.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace mousesim {

// The mouse's firmware as a value: a command report goes in, an answer, an
// event and a changed state come out. It knows no handles, locks, clocks or
// faults; the façade stamps the time on events and sends answers through the
// fault plan.
class SimFirmware
{
public:
    enum class Button { Profile, Dpi, Rate, Effect };

    struct Answer
    {
        Report report{};
        bool dataEcho = false; // an echo that may carry data (the one a corrupted echo spoils)
    };

    struct Reaction
    {
        std::optional<Answer> answer;
        std::optional<Event> event; // timeUs is left 0
        unsigned changes = 0;       // ChangeTables, ChangeEvents, ChangeState
    };

    explicit SimFirmware(const SimSetup &setup = SimSetup());

    // One delivered command report.
    Reaction receive(const Report &command);
    // A press of one of the mouse's own buttons: it wakes the mouse, changes
    // the state and gives the 0x49 report to send.
    Report press(Button button);
    // The 0x49 report of the current state.
    Report statusReport() const;
    static Report ownReport(std::uint8_t profile, std::uint8_t dpi, std::uint8_t rate, std::uint8_t effect);

    const FirmwareState &state() const { return m_state; }

    void setBattery(std::uint8_t low, std::uint8_t high);
    std::uint16_t battery() const { return std::uint16_t(m_batteryLow | (m_batteryHigh << 8)); }
    void setCharge(std::uint8_t charge) { m_charge = charge; }
    std::uint8_t charge() const { return m_charge; }
    void setWriteStatus(std::uint8_t status) { m_writeStatus = status; }
    void setVariant(std::uint8_t variant) { m_variant = variant; }
    void setAsleep(bool asleep) { m_asleep = asleep; }
    bool asleep() const { return m_asleep; }

    // Tables 0x01..0x05; other codes give empty, false and 0.
    std::vector<std::uint8_t> table(std::uint8_t code) const;
    bool tableClosed(std::uint8_t code) const;
    int tableWrites(std::uint8_t code) const;

    GeneralSettings generalSettings() const;
    DpiTable dpiTable() const;
    DpiTable dpiTable(int profile) const;
    ButtonTable buttonTable() const;
    std::array<LightingRecord, kLightingRecords> lighting() const;
    std::vector<std::uint8_t> macroSlot(int slot) const;

private:
    Reaction writeTable(const Report &command);
    void applyGeneralSettings();
    void nextDpiLevel();

    std::uint8_t m_batteryLow = 0;
    std::uint8_t m_batteryHigh = 0;
    std::uint8_t m_charge = 0;
    std::uint8_t m_writeStatus = 0;
    std::uint8_t m_variant = 0;
    bool m_asleep = false;
    FirmwareState m_state;

    std::array<std::vector<std::uint8_t>, 6> m_tables; // by code; 0 unused
    std::array<bool, 6> m_closed{};
    std::array<int, 6> m_writes{};
    std::array<std::vector<std::uint8_t>, kProfiles> m_dpiStore; // the DPI table each profile had when it was closed
};

} // namespace mousesim
