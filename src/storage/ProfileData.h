#pragma once
// The in-memory records of the mouse configuration. Plain value types with
// fixed-size arrays: a copy is always a whole, deep copy.

#include <QColor>
#include <QString>

#include <array>
#include <cstdint>
#include <cstring>

constexpr int kProfileCount = 5;
constexpr int kDpiLevelCount = 8;
constexpr int kButtonEntryCount = 42;
constexpr int kKeyInfoCount = 63;
constexpr int kLedModeCount = 14;
constexpr int kModelButtonTableSize = 16;

// Bits of the mask that says which groups of settings must be written to the mouse.
using ChangeMask = int;
constexpr ChangeMask kChangeGeneral = 1;
constexpr ChangeMask kChangeDpi = 2;
constexpr ChangeMask kChangeButtons = 4;
constexpr ChangeMask kChangeLighting = 8;
constexpr ChangeMask kChangeAll = 15;

constexpr int kFunMacro = 200;

struct DpiLevel
{
    std::uint8_t used = 0;
    std::uint8_t link = 0;
    std::uint32_t xy = 0;
    std::uint32_t x = 0;
    std::uint32_t y = 0;

    bool operator==(const DpiLevel &o) const
    {
        return used == o.used && link == o.link && xy == o.xy && x == o.x && y == o.y;
    }
    bool operator!=(const DpiLevel &o) const { return !(*this == o); }
};

struct KeyInfo
{
    std::uint8_t map = 0;
    std::uint8_t L = 0;
    std::uint8_t H = 0;

    bool operator==(const KeyInfo &o) const { return map == o.map && L == o.L && H == o.H; }
    bool operator!=(const KeyInfo &o) const { return !(*this == o); }
};
static_assert(sizeof(KeyInfo) == 3, "KeyInfo is three bytes");

using KeyInfoBlock = std::array<KeyInfo, kKeyInfoCount>;
static_assert(sizeof(KeyInfoBlock) == 189, "the event list is compared as one 189-byte block");

inline bool sameKeyInfoBlock(const KeyInfoBlock &a, const KeyInfoBlock &b)
{
    return std::memcmp(a.data(), b.data(), sizeof(KeyInfoBlock)) == 0;
}

struct ButtonEntry
{
    std::int32_t ID = 0;
    std::int32_t Fun = 0;
    std::int32_t LoopNumber = 0;
    std::int32_t KeyNumber = 0;
    KeyInfoBlock keyInfo{};
    std::uint8_t Res1 = 0;
    std::uint8_t Res2 = 0;
    std::uint8_t Res3 = 0;
    std::uint8_t Res4 = 0;
    QString macroname;

    bool operator==(const ButtonEntry &o) const
    {
        return ID == o.ID && Fun == o.Fun && LoopNumber == o.LoopNumber && KeyNumber == o.KeyNumber &&
               sameKeyInfoBlock(keyInfo, o.keyInfo) && Res1 == o.Res1 && Res2 == o.Res2 && Res3 == o.Res3 &&
               Res4 == o.Res4 && macroname == o.macroname;
    }
    bool operator!=(const ButtonEntry &o) const { return !(*this == o); }
};

struct LedModeSetting
{
    QColor RGB; // invalid until set
    std::uint32_t h = 0;
    std::uint32_t s = 0;
    std::uint32_t v = 0;
    std::uint32_t bright = 0;
    std::uint32_t breath = 0;

    bool operator==(const LedModeSetting &o) const
    {
        return RGB == o.RGB && h == o.h && s == o.s && v == o.v && bright == o.bright && breath == o.breath;
    }
    bool operator!=(const LedModeSetting &o) const { return !(*this == o); }
};

struct ProfileData
{
    std::uint8_t pollrate = 0;
    std::uint8_t dpi = 0;
    std::uint8_t LedMode = 0;
    std::uint8_t LedMoveOFF = 0;
    std::uint8_t LedSleepTime = 0;
    std::array<DpiLevel, kDpiLevelCount> dpiLevels{};
    std::uint8_t mousespeed = 0;
    std::uint8_t dbclickspeed = 0;
    std::uint8_t scrollispage = 0;
    std::uint8_t scrollspeed = 0;
    std::uint8_t accelenable = 0;
    std::uint8_t acee = 0;
    std::array<ButtonEntry, kButtonEntryCount> buttons{};
    std::array<LedModeSetting, kLedModeCount> ledModes{};
    QString ProfileName;
    QString ProfilePath;

    bool operator==(const ProfileData &o) const
    {
        return pollrate == o.pollrate && dpi == o.dpi && LedMode == o.LedMode && LedMoveOFF == o.LedMoveOFF &&
               LedSleepTime == o.LedSleepTime && dpiLevels == o.dpiLevels && mousespeed == o.mousespeed &&
               dbclickspeed == o.dbclickspeed && scrollispage == o.scrollispage && scrollspeed == o.scrollspeed &&
               accelenable == o.accelenable && acee == o.acee && buttons == o.buttons && ledModes == o.ledModes &&
               ProfileName == o.ProfileName && ProfilePath == o.ProfilePath;
    }
    bool operator!=(const ProfileData &o) const { return !(*this == o); }
};

struct AppConfig
{
    std::uint8_t ProfileID = 0;
    std::array<ProfileData, kProfileCount> profiles{};
    std::uint8_t AngleValue = 0;
    std::uint8_t LiftHigh = 0;
    std::uint8_t Count = 0;
    std::array<QString, kProfileCount> profileNames{};

    bool operator==(const AppConfig &o) const
    {
        return ProfileID == o.ProfileID && profiles == o.profiles && AngleValue == o.AngleValue &&
               LiftHigh == o.LiftHigh && Count == o.Count && profileNames == o.profileNames;
    }
    bool operator!=(const AppConfig &o) const { return !(*this == o); }

    // The active slot; a ProfileID outside 0..4 (only possible from a damaged file
    // before the loader clamps it) falls back to slot 0 instead of indexing past the array.
    ProfileData &activeProfile() { return profiles[ProfileID < kProfileCount ? ProfileID : 0]; }
    const ProfileData &activeProfile() const { return profiles[ProfileID < kProfileCount ? ProfileID : 0]; }
};
