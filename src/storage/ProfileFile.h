#pragma once
// Profile files (Profile/<name>.prof, group PROFILE) and the multi-profile
// configuration file (groups PROFILE_0..PROFILE_4 plus Config/ and MouseName/).

#include "ProfileData.h"
#include "StorageDirs.h"
#include "StoredFile.h"

#include <QByteArray>
#include <QString>

#include <array>

class IniReader;

// Reads Profile/<name>.prof into profile. Missing keys read as 0, empty or an
// invalid colour, except LedMoveOFF (255) and LedSleepTime (1). Returns whether
// the file existed; an unsafe name reads as a missing file.
bool readProfileFile(const StorageDirs &dirs, ProfileData &profile, const QString &name);
// The same, from a profile file already read.
void readProfile(const IniReader &ini, ProfileData &profile);
// The bytes of Profile/<name>.prof holding profile: what QSettings writes for
// a new file with every key of the record.
QByteArray profileFileBytes(const ProfileData &profile);
// Replaces the file with every key of the record, unless it already holds
// exactly those bytes; false (logged) when the name is unsafe or the file
// cannot be written.
bool writeProfileFile(const StorageDirs &dirs, const ProfileData &profile, const QString &name);
// Profile/DefaultProfile.prof holding makeDefaultProfile.
bool writeDefaultProfileFile(const StorageDirs &dirs);
// Writes only PROFILE/dpi of Profile/<name>.prof.
bool saveProfileDpi(const StorageDirs &dirs, const QString &name, int dpiLevel);

StoreResult exportAllProfiles(const StorageDirs &dirs, const AppConfig &config, const QString &filePath);

// The longest profile file name a slot may have, in UTF-8 bytes.
constexpr int kMaxProfileFileNameBytes = 200;

// Why names[slot] cannot name a slot, or an empty text: it must be a plain file
// name that any file system stores, not a Windows device name, not
// "DefaultProfile", and differ from the names of the slots before it in more
// than letter case (a Windows file system would make them one file).
QString slotNameProblem(const std::array<QString, kProfileCount> &names, int slot);
// What is missing from a configuration file: the Config/ header or any key of
// the five profile groups (a file cut short). Empty when it is complete.
QString configFileDamage(const QString &filePath);
QString configFileDamage(const IniReader &ini);

// Reads a complete configuration file whose five slot names are all usable
// (slotNameProblem) into config and returns an empty text. Otherwise config is
// left as it was and the reason is returned (logged). LedMoveOFF and
// LedSleepTime of each slot keep their values; a ProfileID outside 0..4 becomes 0.
QString importAllProfiles(const StorageDirs &dirs, AppConfig &config, const QString &filePath);
// The same, from a configuration file already read; filePath only names it in the log.
QString importAllProfiles(const IniReader &ini, AppConfig &config, const QString &filePath);
StoreResult writeProductTag(const StorageDirs &dirs, const QString &productName, const QString &filePath);
QString readProductTag(const StorageDirs &dirs, const QString &filePath);
QString readProductTag(const IniReader &ini);
