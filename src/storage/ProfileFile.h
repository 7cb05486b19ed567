#pragma once
// Profile files (Profile/<name>.prof, group PROFILE) and the multi-profile
// configuration file (groups PROFILE_0..PROFILE_4 plus Config/ and MouseName/).

#include "ProfileData.h"
#include "StorageDirs.h"

#include <QString>

// Reads Profile/<name>.prof into profile. Missing keys read as 0, empty or an
// invalid colour, except LedMoveOFF (255) and LedSleepTime (1). Returns whether
// the file existed; an unsafe name reads as a missing file.
bool readProfileFile(const StorageDirs &dirs, ProfileData &profile, const QString &name);
// Writes every key of the record; false (logged) when the name is unsafe.
bool writeProfileFile(const StorageDirs &dirs, const ProfileData &profile, const QString &name);
// Profile/DefaultProfile.prof holding makeDefaultProfile.
bool writeDefaultProfileFile(const StorageDirs &dirs);
// Writes only PROFILE/dpi of Profile/<name>.prof.
bool saveProfileDpi(const StorageDirs &dirs, const QString &name, int dpiLevel);

void exportAllProfiles(const StorageDirs &dirs, const AppConfig &config, const QString &filePath);
// LedMoveOFF and LedSleepTime of each slot keep their values; a slot name that
// is not a plain file name becomes "Profile N"; a ProfileID outside 0..4 becomes 0.
void importAllProfiles(const StorageDirs &dirs, AppConfig &config, const QString &filePath);
void writeProductTag(const StorageDirs &dirs, const QString &productName, const QString &filePath);
QString readProductTag(const StorageDirs &dirs, const QString &filePath);
