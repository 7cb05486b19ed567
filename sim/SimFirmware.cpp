#include "SimFirmware.h"

#include <QDebug>

#include <algorithm>

namespace mousesim {

namespace {

constexpr std::uint8_t kTagClose = 0xD3;
constexpr std::uint8_t kCloseData = 0x1A;
constexpr int kMaxData = 25;

bool isTableCode(std::uint8_t code)
{
    return code >= 0x01 && code <= 0x05;
}

std::size_t tableSizeOf(std::uint8_t code)
{
    return code == 0x05 ? std::size_t(kMacroAreaSize) : std::size_t(kTableSize);
}

DpiTable decodeDpi(const std::vector<std::uint8_t> &t)
{
    DpiTable out;
    if (t.size() < 1 + 5 * kDpiLevels)
        return out;
    out.count = t[0];
    for (int i = 0; i < kDpiLevels; ++i) {
        const std::uint8_t *p = &t[std::size_t(1 + 5 * i)];
        out.levels[std::size_t(i)] = DpiLevelRecord{p[0], p[1], p[2], p[3], p[4]};
    }
    return out;
}

// An answer repeats bytes 0 and 2..6 and the first n data bytes; byte 7 and
// the checksum are its own.
Report echoOf(const Report &command, int n)
{
    Report a{};
    a[0] = command[0];
    for (int i = 2; i <= 6; ++i)
        a[std::size_t(i)] = command[std::size_t(i)];
    std::copy(command.begin() + 8, command.begin() + 8 + n, a.begin() + 8);
    a[1] = checksum(a);
    return a;
}

int dataLength(const Report &command)
{
    return std::min<int>(command[6], kMaxData);
}

} // namespace

std::uint8_t checksum(const Report &r)
{
    unsigned sum = 0;
    for (int i = 2; i <= 7; ++i)
        sum += r[std::size_t(i)];
    return std::uint8_t((sum & 0xFF) ^ 0x66);
}

Report makeCommand(std::uint8_t command, std::uint8_t param1, std::uint8_t param2,
                   const std::vector<std::uint8_t> &data, std::uint8_t tag)
{
    Report r{};
    r[0] = kReportId;
    r[2] = kMarker;
    r[3] = command;
    r[4] = param1;
    r[5] = param2;
    const std::size_t n = std::min<std::size_t>(data.size(), kMaxData);
    r[6] = std::uint8_t(n);
    r[7] = tag;
    std::copy(data.begin(), data.begin() + std::ptrdiff_t(n), r.begin() + 8);
    r[1] = checksum(r);
    return r;
}

SimFirmware::SimFirmware(const SimSetup &setup)
    : m_batteryLow(setup.batteryLow)
    , m_batteryHigh(setup.batteryHigh)
    , m_charge(setup.charge)
    , m_writeStatus(setup.writeStatus)
    , m_variant(setup.variant)
    , m_asleep(setup.asleep)
    , m_state(setup.firmware)
{
    for (std::uint8_t c = 1; c <= 5; ++c)
        m_tables[c].assign(tableSizeOf(c), 0);
    for (auto &s : m_dpiStore)
        s.assign(kTableSize, 0);
}

SimFirmware::Reaction SimFirmware::receive(const Report &r)
{
    if (r[1] != checksum(r) || r[2] != kMarker)
        return {};
    const std::uint8_t code = r[3];
    Reaction out;
    if (m_asleep) {
        // Asleep, only the status query is answered, and with nothing in it.
        if (code == 0x48) {
            Report a{};
            a[0] = kReportId;
            a[2] = kMarker;
            a[3] = 0x48;
            a[1] = checksum(a);
            out.answer = Answer{a, false};
        }
        return out;
    }
    if (isTableCode(code))
        return writeTable(r);

    switch (code) {
    case 0x00:
    case 0x06:
    case 0x07:
    case 0x08:
    case 0x09:
    case 0x0A:
        // Tables this model does not keep are still acknowledged with their data.
        out.answer = Answer{echoOf(r, dataLength(r)), true};
        break;
    case 0x40:
        out.event = Event{EventKind::Completion, code, r[4], r[5], 0};
        out.answer = Answer{echoOf(r, 0), false};
        out.changes = ChangeEvents;
        break;
    case 0x46:
        out.event = Event{EventKind::TransferMark, code, r[4], r[5], 0};
        out.answer = Answer{echoOf(r, 0), false};
        out.changes = ChangeEvents;
        break;
    case 0x48: {
        Report a{};
        a[0] = kReportId;
        a[2] = kMarker;
        a[3] = 0x48;
        a[4] = m_batteryLow;
        a[5] = m_batteryHigh;
        a[6] = m_charge;
        a[7] = m_writeStatus;
        a[10] = m_variant;
        a[1] = checksum(a);
        out.answer = Answer{a, false};
        break;
    }
    default:
        break; // unknown commands are ignored
    }
    return out;
}

SimFirmware::Reaction SimFirmware::writeTable(const Report &r)
{
    const std::uint8_t code = r[3];
    const int n = dataLength(r);
    if (r[6] > kMaxData)
        qWarning("mousesim: command 0x%02x says %d data bytes, only %d fit", code, r[6], kMaxData);
    const std::size_t offset = code == 0x05 ? std::size_t(r[4] | (r[5] << 8)) : r[4];
    const std::size_t closeOffset = code == 0x05 ? 0x0FFF : 0x7F;
    Reaction out;
    out.changes = ChangeTables;

    if (r[7] == kTagClose && r[6] == 1 && r[8] == kCloseData && offset == closeOffset) {
        m_closed[code] = true;
        out.event = Event{EventKind::TableClosed, code, r[4], r[5], 0};
        out.changes |= ChangeEvents;
        if (code == 0x01) {
            applyGeneralSettings();
            out.changes |= ChangeState;
        } else if (code == 0x02) {
            m_dpiStore[m_state.profile] = m_tables[2];
        }
    } else {
        auto &t = m_tables[code];
        for (int i = 0; i < n; ++i) {
            const std::size_t pos = offset + std::size_t(i);
            if (pos >= t.size()) {
                qWarning("mousesim: command 0x%02x writes past its table (offset %zu)", code, pos);
                break;
            }
            t[pos] = r[std::size_t(8 + i)];
        }
        m_closed[code] = false;
        ++m_writes[code];
    }
    out.answer = Answer{echoOf(r, n), true};
    return out;
}

void SimFirmware::applyGeneralSettings()
{
    const auto &t = m_tables[1];
    if (t[6] < kProfiles)
        m_state.profile = t[6];
    else
        qWarning("mousesim: general settings name profile %d, kept %d", t[6], m_state.profile);
    for (int i = 0; i < kProfiles; ++i)
        m_state.rate[std::size_t(i)] = t[std::size_t(11 + i)];
    m_state.dpiLevel[m_state.profile] = t[17];
    m_state.effect = t[18];
}

Report SimFirmware::press(Button button)
{
    m_asleep = false; // a button press wakes the mouse
    switch (button) {
    case Button::Profile:
        m_state.profile = std::uint8_t((m_state.profile + 1) % kProfiles);
        break;
    case Button::Dpi:
        nextDpiLevel();
        break;
    case Button::Rate: {
        std::uint8_t &rate = m_state.rate[m_state.profile];
        rate = std::uint8_t(rate == 1 || rate == 2 || rate == 4 ? rate * 2 : 1);
        break;
    }
    case Button::Effect:
        m_state.effect = std::uint8_t(m_state.effect >= 1 && m_state.effect < 10 ? m_state.effect + 1 : 1);
        break;
    }
    return statusReport();
}

// The next enabled level of the active profile's stored table; a table that
// enables none cycles through all of its levels.
void SimFirmware::nextDpiLevel()
{
    const DpiTable t = decodeDpi(m_dpiStore[m_state.profile]);
    const int count = (t.count >= 1 && t.count <= kDpiLevels) ? t.count : kDpiLevels;
    std::vector<int> enabled;
    for (int i = 0; i < count; ++i)
        if (t.levels[std::size_t(i)].used)
            enabled.push_back(i);
    if (enabled.empty())
        for (int i = 0; i < count; ++i)
            enabled.push_back(i);
    std::uint8_t &level = m_state.dpiLevel[m_state.profile];
    auto next = std::upper_bound(enabled.begin(), enabled.end(), int(level));
    level = std::uint8_t(next == enabled.end() ? enabled.front() : *next);
}

Report SimFirmware::statusReport() const
{
    return ownReport(m_state.profile, m_state.dpiLevel[m_state.profile], m_state.rate[m_state.profile], m_state.effect);
}

Report SimFirmware::ownReport(std::uint8_t profile, std::uint8_t dpi, std::uint8_t rate, std::uint8_t effect)
{
    Report r{};
    r[0] = kReportId;
    r[2] = kMarker;
    r[3] = 0x49;
    r[4] = profile;
    r[5] = dpi;
    r[6] = rate;
    r[7] = effect;
    r[1] = checksum(r);
    return r;
}

void SimFirmware::setBattery(std::uint8_t low, std::uint8_t high)
{
    m_batteryLow = low;
    m_batteryHigh = high;
}

std::vector<std::uint8_t> SimFirmware::table(std::uint8_t code) const
{
    return isTableCode(code) ? m_tables[code] : std::vector<std::uint8_t>();
}

bool SimFirmware::tableClosed(std::uint8_t code) const
{
    return isTableCode(code) && m_closed[code];
}

int SimFirmware::tableWrites(std::uint8_t code) const
{
    return isTableCode(code) ? m_writes[code] : 0;
}

GeneralSettings SimFirmware::generalSettings() const
{
    const std::vector<std::uint8_t> &t = m_tables[1];
    GeneralSettings g;
    for (int i = 0; i < kProfiles; ++i) {
        g.scrollSpeed[std::size_t(i)] = t[std::size_t(i)];
        g.pollRate[std::size_t(i)] = t[std::size_t(11 + i)];
    }
    g.liftHigh = t[5];
    g.profileId = t[6];
    g.ledMoveOff = t[7];
    g.ledSleepTime = t[8];
    g.fixed9 = t[9];
    g.fixed10 = t[10];
    g.fixed16 = t[16];
    g.dpi = t[17];
    g.effectCode = t[18];
    return g;
}

DpiTable SimFirmware::dpiTable() const
{
    return decodeDpi(m_tables[2]);
}

DpiTable SimFirmware::dpiTable(int profile) const
{
    if (profile < 0 || profile >= kProfiles)
        return DpiTable{};
    return decodeDpi(m_dpiStore[std::size_t(profile)]);
}

ButtonTable SimFirmware::buttonTable() const
{
    const std::vector<std::uint8_t> &t = m_tables[3];
    ButtonTable b;
    b.header0 = t[0];
    b.header1 = t[1];
    for (int s = 0; s < kButtonSlots; ++s)
        std::copy_n(t.begin() + 2 + 4 * s, 4, b.records[std::size_t(s)].bytes.begin());
    std::copy_n(t.begin() + 98, 4, b.trailer.begin());
    return b;
}

std::array<LightingRecord, kLightingRecords> SimFirmware::lighting() const
{
    const std::vector<std::uint8_t> &t = m_tables[4];
    std::array<LightingRecord, kLightingRecords> out{};
    for (int k = 0; k < kLightingRecords; ++k)
        std::copy_n(t.begin() + 8 * k, 8, out[std::size_t(k)].bytes.begin());
    return out;
}

std::vector<std::uint8_t> SimFirmware::macroSlot(int slot) const
{
    if (slot < 0 || slot >= kMacroSlots)
        return {};
    const std::vector<std::uint8_t> &t = m_tables[5];
    return std::vector<std::uint8_t>(t.begin() + slot * kMacroSlotSize, t.begin() + (slot + 1) * kMacroSlotSize);
}

} // namespace mousesim
