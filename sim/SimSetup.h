#pragma once

#include "MouseSim.h"

#include <cstdint>

namespace mousesim {

// How the mouse comes out of the box: the one place its defaults are written.
// MouseSim starts from it and reset() returns to it; a test that needs other
// values changes the field it cares about.
struct SimSetup
{
    // The bus: the receiver is in, the cable is not.
    bool receiverPlugged = true;
    bool cablePlugged = false;
    bool secondModelPlugged = false;
    std::uint16_t receiverRelease = 0x0105;
    std::uint16_t cableRelease = 0x0210;
    std::uint16_t secondModelRelease = 0x0101;
    bool decoys = false;
    bool initFails = false;
    bool virtualTime = false;

    // What the status answer carries: a full battery, charging, the last write
    // taken (0 would report a failed one), the first model variant.
    std::uint8_t batteryLow = 0x2C;
    std::uint8_t batteryHigh = 0x10;
    std::uint8_t charge = 1;
    std::uint8_t writeStatus = 1;
    std::uint8_t variant = 0;
    bool asleep = false;

    // The first profile, its first DPI level, rate code 1 everywhere, effect 1.
    FirmwareState firmware = {0, {}, {1, 1, 1, 1, 1}, 1};
};

} // namespace mousesim
