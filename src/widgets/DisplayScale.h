#pragma once
// The window scales itself in steps of 0.25 from the screen's logical DPI;
// every design pixel value is multiplied by the step's factor and truncated
// (tarnScaled).

constexpr int kDesignWidth = 999;
constexpr int kDesignHeight = 640;
constexpr int kScaleSteps = 17; // 1.00 .. 5.00

// Step 0..16 for the ratio logical DPI / 96.
int scaleStepForRatio(double ratio);
// 1.00 + 0.25 x step; steps outside 0..16 are clamped.
double scaleOfStep(int step);
// The step whose scaled design width (999, 1248, 1498, 1748 for steps 0..3 of
// the main window) lies within 9 pixels of width, or -1 when none does.
int scaleStepForWidth(int width, int designWidth = kDesignWidth);
