#include "SniperRange.h"

SniperRange sniperRangeFor(int sensor)
{
    switch (sensor) {
    case 3325:
    case 3327:
    case 3335:
    case 3360:
        return {1, 10, 1, 3};
    case 3333:
        // Only 0 counts as unset: a stored 1 is kept, and the dialog then
        // shows the slider's lowest step, 2.
        return {2, 10, 1, 3};
    case 3389:
        return {2, 20, 2, 6};
    case 3212:
        return {16, 32, 17, 16};
    case 3104:
        return {14, 26, 15, 14};
    default:
        return {};
    }
}

int sniperPresetStep(int sensor, int step)
{
    const SniperRange range = sniperRangeFor(sensor);
    if (range.replacement != 0 && (step < range.lowestKept || step > range.maximum))
        return range.replacement;
    return step;
}
