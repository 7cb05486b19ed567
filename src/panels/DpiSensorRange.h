#pragma once
// What the DPI rows offer for the sensor fitted in the model: the band of DPI
// codes its sliders span, the DPI values shown at the ends of that band, and
// whether X and Y can be set apart. Pure data, so the table can be checked on
// its own.

#include <QString>

#include <optional>

struct DpiSensorRange
{
    int minDpi = 0;
    int maxDpi = 0;
    int lowest = 0;  // lowest slider index (DPI code)
    int highest = 0; // highest slider index
    bool linkShown = false;
};

// The band of sensor for the model named productName (the 3327 has a smaller
// band on some models); nothing for a sensor we do not know.
std::optional<DpiSensorRange> dpiSensorRange(int sensor, const QString &productName);

// The number of DPI rows a model shows: its level count, or all eight when the
// model description gives a count outside 1..8.
int dpiRowCount(int modelLevelCount);
