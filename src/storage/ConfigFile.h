#pragma once
// Readers and writers of Config.ini and LangConfig.ini. Every call opens the
// file, reads or writes the keys it needs and closes it again; nothing is cached.

#include "ModelDescription.h"
#include "ProfileData.h"
#include "StorageDirs.h"
#include "StoredFile.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <cstdint>

constexpr int kMaxLanguages = 10;
constexpr int kMacroSlotCount = 50;

struct LanguageEntry
{
    QString name; // FONT_LIST/LangName_<i>
    QString file; // FONT_LIST/LangFile_<i>, translation file name without extension
};

struct LanguageList
{
    int count = 0; // FONT_LIST/LANGNUM; all ten entries are read whatever it says
    std::array<LanguageEntry, kMaxLanguages> entries{};
};

// Whole configuration: Config/... keys, five slot names and their profile files,
// then the button positions of the model description.
void loadSavedConfig(const StorageDirs &dirs, AppConfig &config, ButtonPositions &positions);
// Config/ProfileID, AngleValue, LiftHigh, Count and Profile1..5 only.
StoreResult saveConfigHeader(const StorageDirs &dirs, const AppConfig &config);

constexpr int kKeepDiff = -1;
// The header of Config.ini (with Config/Diff = diff unless kKeepDiff) and the
// five profile files, stored as one: a save that is killed leaves the old set
// or the new set, never a mixture. Files whose bytes would not change are not
// written. Refused (nothing written) when two slots would share a file or a
// slot name cannot name a file.
StoreResult saveWorkingConfig(const StorageDirs &dirs, const AppConfig &config, int diff = kKeepDiff);
// Config/ProfileID, Config/Count and Config/Profile1..5 only.
StoreResult saveProfileList(const StorageDirs &dirs, const AppConfig &config);
bool saveProfileId(const StorageDirs &dirs, int slot);

// The writers below return false (logged) when the file could not be written.
int readDiff(const StorageDirs &dirs); // Config/Diff
bool writeDiff(const StorageDirs &dirs, int diff);
QString readCurrentProductName(const StorageDirs &dirs); // Config/CurrentProductName
bool writeCurrentProductName(const StorageDirs &dirs, const QString &name);
int readColorTheme(const StorageDirs &dirs); // Config/GColorID
int readBattery(const StorageDirs &dirs);    // Config/Battery
bool writeBattery(const StorageDirs &dirs, int level);
int readBatteryFull(const StorageDirs &dirs);       // Config/BatteryFull, missing = 4200
QString readModelText(const StorageDirs &dirs);     // Config/Model
int readSensor(const StorageDirs &dirs);            // MouseSenSor/1
int readLedModeSet(const StorageDirs &dirs);        // MouseLEDMode/<current product name>
QString readMouseListName(const StorageDirs &dirs); // Mouse_List/0

// One model the installation knows: its name (Mouse_List/<i>) and, for models
// other than the first, their USB identities (Mouse_Ids/<i>, "vvvv:pppp:vvvv:pppp"
// in hex: receiver, then cable). An empty ids text means the default identities.
struct MouseListing
{
    QString name;
    QString ids;
};
// Mouse_List/0, /1, ... up to the first missing name, at most limit entries.
QVector<MouseListing> readMouseList(const StorageDirs &dirs, int limit);
int countMacros(const StorageDirs &dirs); // non-empty MACRO_LIST/0..49
void readLanguageList(const StorageDirs &dirs, LanguageList &list);

int readLangId(const StorageDirs &dirs); // LangConfig.ini Config/LangID; 0 when outside 0..9
bool writeLangId(const StorageDirs &dirs, int id);
QString readFontFamily(const StorageDirs &dirs, int lang); // FONT_LIST/FONT_<lang>
int readFontSize(const StorageDirs &dirs, int lang);       // FONT_LIST/FONT_SIZE_<lang>
