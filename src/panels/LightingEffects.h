#pragma once
// The mouse's 14 lighting effects as the lighting page offers them: the text
// of each (a translation key of TarnColorWindow), the rows it shows, and the
// order of the effect menu. Effects 5..8 exist on the mouse but are never
// offered; a profile that holds one still shows it.

#include "ProfileData.h"

#include <QtGlobal>

#include <array>

struct LightingEffect
{
    const char *text;
    bool brightness;
    bool speed;
    bool colour;
};

extern const std::array<LightingEffect, kLedModeCount> kLightingEffects;

// Effect indices in menu order.
constexpr std::array<int, 10> kEffectMenuOrder = {1, 2, 3, 4, 9, 11, 10, 12, 13, 0};

constexpr int kBrightnessMin = 1;
constexpr int kBrightnessMax = 3;
constexpr int kSpeedMin = 1;
constexpr int kSpeedMax = 5;
constexpr int kSleepMin = 1;
constexpr int kSleepMax = 9;
// LedMoveOFF: lights off while the mouse moves, or on.
constexpr std::uint8_t kMoveOffTicked = 0;
constexpr std::uint8_t kMoveOffClear = 255;

inline bool isLightingEffect(int mode)
{
    return mode >= 0 && mode < kLedModeCount;
}
