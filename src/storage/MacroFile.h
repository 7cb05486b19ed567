#pragma once
// Macro files (MacroDB/<name>.MSMACRO, group Setting) and the MACRO_LIST
// registry of Config.ini.

#include "ProfileData.h"
#include "StorageDirs.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class IniReader;

// A macro never holds more actions than a button's event list: the recorder
// stops at 63 and the device takes at most 63 per macro. Longer files are cut
// to this length when read (logged).
constexpr int kMaxMacroActions = kKeyInfoCount;

// Action type bytes; bit 7 marks a press.
constexpr std::uint8_t kMacroPress = 0x80;
constexpr std::uint8_t kMacroMouseButton = 0x01;
constexpr std::uint8_t kMacroMove = 0x02;
constexpr std::uint8_t kMacroKey = 0x04;
constexpr std::uint8_t kMacroDelay = 0x06;

struct MacroAction
{
    std::uint8_t map = 0;
    std::uint8_t dataH = 0;
    std::uint8_t dataL = 0;

    bool operator==(const MacroAction &o) const { return map == o.map && dataH == o.dataH && dataL == o.dataL; }
    bool operator!=(const MacroAction &o) const { return !(*this == o); }
};

struct MacroRecord
{
    QString MacroFilePath; // informational: where the file was last written
    int DefaultDelay = 0;
    int DelayType = 0;
    int LoopType = 0;
    int LoopTime = 0;
    std::vector<MacroAction> actions; // at most kMaxMacroActions
};

// Action builders of the shared encoding.
MacroAction macroKeyAction(std::uint8_t hidUsage, bool press);
MacroAction macroButtonAction(std::uint8_t buttonBit, bool press);
// dx, dy in -128..127; negative = left / up.
MacroAction macroMoveAction(int dx, int dy);
// Delay in milliseconds, stored in units of 10 ms (at most 655 350 ms).
MacroAction macroDelayAction(int milliseconds);
int macroDelayMs(const MacroAction &action);

// Writes every key (at most kMaxMacroActions actions) and last
// Setting/WriteSign = 1. False (logged) when the name is not a plain file name.
bool saveMacro(const StorageDirs &dirs, const QString &name, const MacroRecord &macro);
// Missing file or keys read as 0; an unsafe name reads as a missing file.
MacroRecord loadMacro(const StorageDirs &dirs, const QString &name);
// The same, from a macro file already read; name only names it in the log.
MacroRecord readMacro(const IniReader &ini, const QString &name);
// Copies the macro's actions into a button: KeyNumber = action count (at most 63).
void copyMacroToButton(const MacroRecord &macro, ButtonEntry &button);

// Writes the name into the first empty MACRO_LIST/<i>; false when all 50 are
// used, or when the name is empty or not a plain file name.
bool addMacroName(const StorageDirs &dirs, const QString &name);
QStringList listMacroNames(const StorageDirs &dirs);
// Writes newName into the registry slot that holds oldName (an empty newName
// frees the slot). False when no slot holds oldName, or newName is not a plain
// file name.
bool replaceMacroName(const StorageDirs &dirs, const QString &oldName, const QString &newName);
int countMacros(const StorageDirs &dirs); // also declared with the Config.ini accessors

int readWriteSign(const StorageDirs &dirs, const QString &name);
int readWriteSign(const IniReader &ini);
void clearWriteSign(const StorageDirs &dirs, const QString &name);
