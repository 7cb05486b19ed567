#pragma once

// The simulated USB bus with the mouse on it. The hidapi C functions of this
// library (hid_enumerate, hid_open_path, hid_write, hid_read_timeout, ...) all
// act on the one MouseSim::instance(); tests and the "Virtual mouse" window
// steer and inspect it through the methods below. Every method is thread-safe.
//
// How the firmware model behaves, where a host may depend on it:
// - hid_write takes exactly one report of at most 33 bytes starting with
//   report id 0x05 and returns 33; anything else returns -1, as Windows does.
//   Only the command collections (col04) take writes; the others return -1.
// - A command with a wrong checksum or marker gets no answer at all.
// - Answers echo bytes 0 and 2..6; byte 7 is 0 and byte 1 is the answer's own
//   checksum, so both may differ from the command. Commands 0x00..0x0A also
//   echo their n data bytes (the rest stays zero); 0x40 and 0x46 echo the
//   header only; 0x48 gets the status answer; any other code is ignored.
// - Table data is stored as it arrives. A closing packet (tag 0xD3, length 1,
//   data 0x1A, offset 0x7F, or 0x0FFF for the macro area) is not stored: it
//   closes the table, is recorded as an event and makes the general settings
//   take effect (profile, rates, DPI level, effect). Closing the DPI table
//   stores it for the active profile. Bytes beyond a table are dropped.
// - The mouse's own 0x49 reports go to every open command collection.
//   Pressing a button wakes a sleeping mouse.
// - Input queues hold at most 256 reports per handle; the oldest go first.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mousesim {

constexpr std::uint16_t kVendorId = 0x248A;
constexpr std::uint16_t kReceiverProductId = 0xFA02;
constexpr std::uint16_t kCableProductId = 0xFB01;
// A second model on its own receiver, listed as Mouse_List/1 of the sample installation.
constexpr std::uint16_t kSecondProductId = 0xFA12;
constexpr std::uint16_t kDecoyVendorId = 0x04D9;
constexpr std::uint16_t kDecoyProductId = 0xA0CD;

constexpr int kReportSize = 33;
constexpr std::uint8_t kReportId = 0x05;
constexpr std::uint8_t kMarker = 0xFA;

constexpr int kTableSize = 128;      // tables 0x01..0x04
constexpr int kMacroAreaSize = 4000; // table 0x05: 20 slots of 200 bytes
constexpr int kMacroSlotSize = 200;
constexpr int kMacroSlots = 20;
constexpr int kProfiles = 5;
constexpr int kDpiLevels = 8;
constexpr int kButtonSlots = 24;
constexpr int kLightingRecords = 10;

using Report = std::array<std::uint8_t, kReportSize>;

// Byte 1 of a command report: the checksum over bytes 2..7.
std::uint8_t checksum(const Report &report);
// A well-formed command report (report id, checksum, marker filled in).
Report makeCommand(std::uint8_t command, std::uint8_t param1 = 0, std::uint8_t param2 = 0,
                   const std::vector<std::uint8_t> &data = {}, std::uint8_t tag = 0);

// SecondModel: the receiver of another model (kSecondProductId). It shares
// the firmware model with the first, which is enough to tell where traffic went.
enum class Identity { Receiver = 0, Cable = 1, SecondModel = 2 };
constexpr int kIdentityCount = 3;

enum class Direction { Out, In };

struct TrafficEntry
{
    Direction direction = Direction::Out;
    Report bytes{};          // as the host wrote or read them, report id first
    std::int64_t timeUs = 0; // since the last reset()
    Identity identity = Identity::Receiver;
    bool failed = false; // Out only: hid_write returned -1, the mouse saw nothing
};

enum class EventKind {
    TransferMark, // command 0x46; param1 0 = begin, 1 = end
    Completion,   // command 0x40; param1 0xF3, param2 the category bit
    TableClosed,  // a closing packet; command = table code 0x01..0x05
};

struct Event
{
    EventKind kind = EventKind::TransferMark;
    std::uint8_t command = 0;
    std::uint8_t param1 = 0;
    std::uint8_t param2 = 0;
    std::int64_t timeUs = 0;
};

// Decoded views of the tables as they stand in the mouse.
struct GeneralSettings
{
    std::array<std::uint8_t, kProfiles> scrollSpeed{};
    std::uint8_t liftHigh = 0;
    std::uint8_t profileId = 0;
    std::uint8_t ledMoveOff = 0;
    std::uint8_t ledSleepTime = 0;
    std::uint8_t fixed9 = 0;  // 1 when the host writes it properly
    std::uint8_t fixed10 = 0; // 1 when the host writes it properly
    std::array<std::uint8_t, kProfiles> pollRate{};
    std::uint8_t fixed16 = 0; // 0x1F when the host writes it properly
    std::uint8_t dpi = 0;
    std::uint8_t effectCode = 0;
};

struct DpiLevelRecord
{
    std::uint8_t used = 0;
    std::uint8_t xLow = 0, xHigh = 0; // first value as sent (low byte, range or high byte)
    std::uint8_t yLow = 0, yHigh = 0; // second value
    std::uint16_t xWord() const { return std::uint16_t(xLow | (xHigh << 8)); }
    std::uint16_t yWord() const { return std::uint16_t(yLow | (yHigh << 8)); }
};

struct DpiTable
{
    std::uint8_t count = 0;
    std::array<DpiLevelRecord, kDpiLevels> levels{};
};

struct ButtonRecord
{
    std::array<std::uint8_t, 4> bytes{};
};

struct ButtonTable
{
    std::uint8_t header0 = 0; // 0x0A when written properly
    std::uint8_t header1 = 0;
    std::array<ButtonRecord, kButtonSlots> records{}; // buffer slot s at table offset 2 + 4*s
    std::array<std::uint8_t, 4> trailer{};            // FF FF FF FF when written properly
};

struct LightingRecord
{
    std::array<std::uint8_t, 8> bytes{};
};

// What the mouse's own buttons change, and what it reports in 0x49 reports.
struct FirmwareState
{
    std::uint8_t profile = 0;
    std::array<std::uint8_t, kProfiles> dpiLevel{};
    std::array<std::uint8_t, kProfiles> rate{};
    std::uint8_t effect = 0;
};

// What changed, for listeners (bit set).
enum Change : unsigned {
    ChangeTraffic = 1u << 0,
    ChangePlug = 1u << 1,
    ChangeTables = 1u << 2,
    ChangeEvents = 1u << 3,
    ChangeState = 1u << 4, // battery, charge, sleep, firmware state
    ChangeFaults = 1u << 5,
};

class MouseSim
{
public:
    static MouseSim &instance();

    MouseSim(const MouseSim &) = delete;
    MouseSim &operator=(const MouseSim &) = delete;

    // Back to the defaults of sim/SimSetup.h (receiver plugged, cable not,
    // real time, awake, the default status, firmware state and release
    // numbers), with tables zeroed, no faults and an empty log and events.
    // Handles open on the receiver stay usable with emptied queues; handles of
    // the cable fail like a pulled device.
    void reset();

    // --- the bus ---
    void plug(Identity identity, bool plugged);
    bool isPlugged(Identity identity) const;
    void setDecoys(bool on);
    void setReleaseNumber(Identity identity, std::uint16_t release);
    std::uint16_t releaseNumber(Identity identity) const;
    // The interface path of an identity's collection (1 = mouse, 4 = command).
    static std::string path(Identity identity, int collection);
    void setInitFails(bool fails); // hid_init returns -1 while set
    // While set, hid_open_path refuses every collection of the mice with
    // "Permission denied", as Linux does for a hidraw node the user may not open.
    void setOpenRefused(bool refused);
    int openHandleCount() const;

    // --- time ---
    // With virtual time hid_read_timeout never waits: it returns what is
    // queued, or 0 at once.
    void setVirtualTime(bool on);
    bool virtualTime() const;

    // --- status answers ---
    void setBattery(std::uint16_t reading); // bytes 4 (low) and 5 (high)
    void setBatteryBytes(std::uint8_t low, std::uint8_t high);
    void setCharging(std::uint8_t chargeState); // byte 6
    std::uint16_t battery() const;              // bytes 4 and 5 as set
    std::uint8_t chargeState() const;
    void setWriteStatus(std::uint8_t status); // byte 7
    void setVariant(std::uint8_t variant);    // byte 10
    // Asleep: commands get no answer; status queries get a zero status.
    void setAsleep(bool asleep);
    bool isAsleep() const;

    // --- the mouse's own buttons: change the firmware state and queue a 0x49 report ---
    void pressProfileButton(); // next profile slot 0..4
    void pressDpiButton();     // next enabled DPI level of the active profile
    void pressRateButton();    // 1 -> 2 -> 4 -> 8 -> 1
    void pressEffectButton();  // effect code 1..10
    void sendStatusReport(std::uint8_t profile, std::uint8_t dpi, std::uint8_t rate,
                          std::uint8_t effect); // queues a 0x49 report as given
    FirmwareState firmwareState() const;

    // --- fault injection; each counts down and then behaves normally ---
    // An answer is whatever the mouse sends for a command (echo or status
    // answer); its own 0x49 reports are not answers. Setting a fault again
    // replaces its count.
    void dropAnswers(int n);                                 // the next n answers are never sent
    void corruptDataEcho(int n);                             // the next n data echoes carry a wrong data byte
    void foreignReportsBeforeEcho(int n, int perAnswer = 1); // 0x49 reports queued ahead of the next n answers
    void zeroAnswers(int n);                                 // the next n answers are all-zero reports
    void failWrites(int n);                                  // the next n hid_write calls return -1
    void failReads(int n);                                   // the next n reads return -1
    // n more writes on the identity's handles go through; the next write finds
    // it pulled and returns -1 (n <= 0 pulls it at once). Its handles then
    // fail on every call and enumeration no longer lists it.
    void pullAfterPackets(Identity identity, int n);
    void clearFaults();

    // --- traffic log: every write (failed ones marked) and every report the
    // host read, in order; the oldest entries go beyond 100000 ---
    std::vector<TrafficEntry> traffic() const;
    // The entries logged since position, which counts every entry ever logged
    // (cleared and trimmed ones included; start with 0). Entries already gone
    // are skipped. position becomes the count of all entries logged so far.
    std::vector<TrafficEntry> trafficSince(std::uint64_t &position) const;
    void clearTraffic();
    int countOut(std::uint8_t command) const; // delivered writes with this command byte

    // --- events ---
    std::vector<Event> events() const;
    void clearEvents();

    // --- tables ---
    // Raw bytes of table 0x01..0x04 (kTableSize bytes) or 0x05 (kMacroAreaSize).
    std::vector<std::uint8_t> table(std::uint8_t code) const;
    // True when a closing packet arrived after the last data packet of the table.
    bool tableClosed(std::uint8_t code) const;
    // Number of data packets written to the table since reset().
    int tableWrites(std::uint8_t code) const;
    GeneralSettings generalSettings() const;
    DpiTable dpiTable() const;            // the table as last written
    DpiTable dpiTable(int profile) const; // as stored for a profile slot when the table was closed
    ButtonTable buttonTable() const;
    std::array<LightingRecord, kLightingRecords> lighting() const;
    std::vector<std::uint8_t> macroSlot(int slot) const; // kMacroSlotSize bytes; empty when out of range

    // --- listeners, called outside the lock on the thread that made the change ---
    using Listener = std::function<void(unsigned changes)>;
    int addListener(Listener listener);
    void removeListener(int id);

    // --- used by the hidapi functions ---
    struct DeviceRecord
    {
        std::string path;
        std::uint16_t vendorId = 0;
        std::uint16_t productId = 0;
        std::uint16_t releaseNumber = 0;
        std::uint16_t usagePage = 0;
        std::uint16_t usage = 0;
        int interfaceNumber = 0;
        std::wstring manufacturer;
        std::wstring product;
        std::wstring serial;
    };
    bool initialise();
    void shutdown();
    std::vector<DeviceRecord> enumerate(std::uint16_t vendorId, std::uint16_t productId) const;
    int open(const std::string &path); // handle id, 0 on failure
    int openFirst(std::uint16_t vendorId, std::uint16_t productId);
    void close(int handle);
    int write(int handle, const unsigned char *data, std::size_t length);
    int read(int handle, unsigned char *data, std::size_t length, int timeoutMs);
    int setNonBlocking(int handle, bool on);
    bool nonBlocking(int handle) const;
    bool deviceRecord(int handle, DeviceRecord *out) const;
    std::wstring lastError(int handle) const;            // 0 = the global error
    void setError(int handle, const std::wstring &text); // 0 = the global error

private:
    MouseSim();
    ~MouseSim();
    struct State;
    std::unique_ptr<State> d;
};

} // namespace mousesim
