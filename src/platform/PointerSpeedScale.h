#pragma once
// The speed page's scale 1..20 (10 neutral) against what X servers keep.
//
// libinput's "Accel Speed" runs from -1 (slowest) through 0 (the default) to
// 1 (fastest): speed s is (s - 10) / 10, so 10 is 0, 1 is -0.9 and 20 is 1.
// The core pointer control keeps an acceleration fraction: speed s is s / 10,
// so 10 leaves the pointer unaccelerated, 20 doubles it and 1 slows it to a
// tenth. Readings between steps round to the nearest speed.

constexpr int kMinPointerSpeed = 1;
constexpr int kMaxPointerSpeed = 20;
constexpr int kNeutralPointerSpeed = 10;

int clampPointerSpeed(int speed);
double libinputAccelFromSpeed(int speed);
int speedFromLibinputAccel(double accel);
// numerator / denominator as XChangePointerControl takes them
void coreAccelFromSpeed(int speed, int *numerator, int *denominator);
// 0 for a denominator of 0 or less
int speedFromCoreAccel(int numerator, int denominator);
