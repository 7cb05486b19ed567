#pragma once
#include <memory>

// The system's pointer speed on the 1..20 scale of the speed page, 10 being
// the system's neutral speed.
class PointerSpeed
{
public:
    virtual ~PointerSpeed() = default;
    // 1..20; 0 when the system has no speed to read (or the read failed).
    virtual int GetPointerSpeed() = 0;
    // Speeds outside 1..20 are clamped; where nothing can be set, nothing is.
    virtual void SetPointerSpeed(int speed) = 0;
};

// The backend of the system the program runs on: SystemParametersInfoW on
// Windows; on Linux the X server's pointer acceleration (nothing under
// Wayland or without an X server).
std::unique_ptr<PointerSpeed> createSystemPointerSpeed();
