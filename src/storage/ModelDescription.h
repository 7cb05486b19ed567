#pragma once
// Readers of the model description DefaultProfile.bin (group PROFILE). The
// program never writes it.

#include "ProfileData.h"
#include "StorageDirs.h"

#include <QColor>
#include <QString>

#include <array>
#include <cstdint>

class IniReader;

// The 16 device button positions of the model (BUTTON_INFO_<i>_Matrix).
using ButtonPositions = std::array<std::uint8_t, kModelButtonTableSize>;
using ButtonTable = std::array<std::uint8_t, kModelButtonTableSize>;

// The default-profile keys of the model description.
struct ModelDefaults
{
    std::uint8_t pollrate = 0;
    std::uint8_t dpi = 0;
    std::uint8_t LedMode = 0;
    std::array<std::uint32_t, kDpiLevelCount> dpiXy{};
    std::array<std::int32_t, kModelButtonTableSize> buttonFun{};
    std::array<QColor, kLedModeCount> ledRgb{};
    std::array<std::uint32_t, kLedModeCount> ledBright{};
    std::array<std::uint32_t, kLedModeCount> ledBreath{};
};

QString readProductName(const StorageDirs &dirs);  // PROFILE/ProductName
QString readModelVersion(const StorageDirs &dirs); // PROFILE/Version
int readButtonCount(const StorageDirs &dirs);      // ButtonCount XOR MouseDpi
int readDpiCount(const StorageDirs &dirs);         // ButtonCount XOR MouseDpi XOR DPICount
int readDisableMacro(const StorageDirs &dirs);     // missing = 0
int readShowSleep(const StorageDirs &dirs);        // missing = 1

// 0, or -1 (table untouched) when the file does not exist.
int loadButtonPositions(const StorageDirs &dirs, ButtonPositions &positions);
// The button count, or -1 (table untouched) when the file does not exist.
int loadButtonTable2(const StorageDirs &dirs, ButtonTable &table);
// 0, or -1 (record untouched) when the file does not exist.
int readModelDefaults(const StorageDirs &dirs, ModelDefaults &defaults);

// The same, from a model description already read.
int readButtonCount(const IniReader &model);
int readDpiCount(const IniReader &model);
void readButtonPositions(const IniReader &model, ButtonPositions &positions);
int readButtonTable2(const IniReader &model, ButtonTable &table);
void readModelDefaults(const IniReader &model, ModelDefaults &defaults);
