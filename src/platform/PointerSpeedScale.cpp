#include "PointerSpeedScale.h"

#include <algorithm>
#include <cmath>

int clampPointerSpeed(int speed)
{
    return std::clamp(speed, kMinPointerSpeed, kMaxPointerSpeed);
}

double libinputAccelFromSpeed(int speed)
{
    return double(clampPointerSpeed(speed) - kNeutralPointerSpeed) / 10.0;
}

int speedFromLibinputAccel(double accel)
{
    if (!std::isfinite(accel))
        return kNeutralPointerSpeed;
    return clampPointerSpeed(int(std::lround(std::clamp(accel, -1.0, 1.0) * 10.0)) + kNeutralPointerSpeed);
}

void coreAccelFromSpeed(int speed, int *numerator, int *denominator)
{
    *numerator = clampPointerSpeed(speed);
    *denominator = 10;
}

int speedFromCoreAccel(int numerator, int denominator)
{
    if (denominator <= 0 || numerator < 0)
        return 0;
    return clampPointerSpeed(int(std::lround(double(numerator) * 10.0 / double(denominator))));
}
