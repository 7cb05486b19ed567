#pragma once
// The one decoder of the mouse's status traffic: the answer to the status
// query (battery, charging, write status, variant byte) and the report the
// mouse sends by itself when its own buttons change profile, DPI level, rate
// or effect. The status thread, the session and mousecfgctl all read reports
// through it.

#include <cstdint>

// The three battery bytes of a status answer. All three 0 is how a mouse that
// is off, asleep or silent answers.
struct BatteryReading
{
    std::uint8_t charge = 0;
    std::uint8_t lowByte = 0;
    std::uint8_t highByte = 0;

    bool mouseOff() const { return charge == 0 && lowByte == 0 && highByte == 0; }
    bool charging() const { return charge != 0; }
    int raw() const { return highByte * 256 + lowByte; }
    int millivolts() const { return raw() * 990 / 240; }
};

constexpr int kDefaultBatteryFullMillivolts = 4200;

// Charge level in percent (10..100, steps of 10) of a reading. The thresholds
// compare the unrounded voltage, raw * 990 / 240, so a raw of 994 is 4100 mV.
int batteryLevel(const BatteryReading &reading, int batteryFullMillivolts);

// A status report of the mouse's own (command byte 0x49).
struct MouseStatusReport
{
    std::uint8_t profile = 0;
    std::uint8_t dpiLevel = 0;
    std::uint8_t rate = 0;
    std::uint8_t effect = 0;
};

// The answer to the status query (command byte 0x48).
struct StatusAnswer
{
    BatteryReading battery;
    std::uint8_t writeStatus = 0;
    std::uint8_t variant = 0; // byte 10
    // A mouse that answered with all battery bytes 0 reports no write status.
    bool hasWriteStatus() const { return !battery.mouseOff(); }
};

struct StatusInput
{
    enum Kind { Other, Answer, Report };
    Kind kind = Other;
    StatusAnswer answer;      // kind Answer
    MouseStatusReport report; // kind Report
};

// Decodes one 33-byte input report, report id first. Null gives Other.
StatusInput decodeStatusInput(const std::uint8_t *report);
