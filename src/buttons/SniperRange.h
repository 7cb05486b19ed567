#pragma once
// The sniper step a button carries is a DPI code of the mouse's sensor. Each
// sensor allows its own band of codes; a stored step outside the band (a new
// assignment stores 0) starts at the sensor's usual sniper step instead.

struct SniperRange
{
    // Slider range.
    int minimum = 1;
    int maximum = 10;
    // A preset below lowestKept or above maximum becomes replacement; without
    // a replacement (a sensor we do not know) every preset is kept.
    int lowestKept = 1;
    int replacement = 0;
};

SniperRange sniperRangeFor(int sensor);

// The step a dialog preset with step starts at on the given sensor.
int sniperPresetStep(int sensor, int step);
