#pragma once
// Defaults, reset and comparison of the configuration records, and the
// conversion from a stored DPI code to a DPI value.

#include "ProfileData.h"
#include "StorageDirs.h"

// Overwrites every field with the built-in default profile, taking the model's
// factory values from DefaultProfile.bin when it exists.
void makeDefaultProfile(const StorageDirs &dirs, ProfileData &profile);
// The same with the model's factory values given (none: the built-in ones).
struct ModelDefaults;
void makeDefaultProfile(const ModelDefaults *model, ProfileData &profile);

// Slot 0 active, angle 0, lift-off 2, five default slots named "Profile 1".."Profile 5".
// Count is left as it is.
void resetAllProfiles(const StorageDirs &dirs, AppConfig &config);

// Which groups of settings differ between the working and the saved copy.
// A macro file whose Setting/WriteSign is set requests the buttons group once:
// the sign is cleared in the file.
ChangeMask compareConfigs(const StorageDirs &dirs, const AppConfig &working, const AppConfig &saved);

// DPI value of a stored code for the given sensor number; 0 for an unknown sensor.
// A code far outside the sensor's range (a damaged file) gives the nearest int
// limit instead of overflowing.
int dpiCodeToValue(int code, int sensor);

// A stored slot index outside 0..4 (damaged file) becomes 0, logged.
std::uint8_t checkedProfileId(int value, const QString &source);
