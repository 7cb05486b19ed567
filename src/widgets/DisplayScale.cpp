#include "DisplayScale.h"

#include "TarnTheme.h"

#include <cstdlib>

namespace {
// Upper bounds (exclusive) of the ratio for steps 0..15; anything above is step 16.
constexpr double kRatioBelow[kScaleSteps - 1] = {1.1, 1.4, 1.6, 1.8, 2.1, 2.3, 2.6, 2.8,
                                                 3.1, 3.3, 3.6, 3.8, 4.1, 4.3, 4.6, 4.8};
constexpr int kWidthSteps = 4;
} // namespace

int scaleStepForRatio(double ratio)
{
    for (int step = 0; step < kScaleSteps - 1; ++step) {
        if (ratio < kRatioBelow[step])
            return step;
    }
    return kScaleSteps - 1;
}

double scaleOfStep(int step)
{
    if (step < 0)
        step = 0;
    if (step >= kScaleSteps)
        step = kScaleSteps - 1;
    return 1.0 + 0.25 * step;
}

int scaleStepForWidth(int width, int designWidth)
{
    for (int step = 0; step < kWidthSteps; ++step) {
        if (std::abs(width - tarnScaled(designWidth, scaleOfStep(step))) <= 9)
            return step;
    }
    return -1;
}
