#include "MacroFile.h"

#include "ConfigFile.h"
#include "IniReader.h"
#include "SafeIni.h"
#include "StoragePaths.h"

#include <QDebug>
#include <QFileInfo>

#include <algorithm>

namespace {

QString indexed(const char *name, int i)
{
    return QLatin1String(name) + QString::number(i);
}

} // namespace

MacroAction macroKeyAction(std::uint8_t hidUsage, bool press)
{
    return {std::uint8_t(kMacroKey | (press ? kMacroPress : 0)), 0, hidUsage};
}

MacroAction macroButtonAction(std::uint8_t buttonBit, bool press)
{
    return {std::uint8_t(kMacroMouseButton | (press ? kMacroPress : 0)), 0, buttonBit};
}

MacroAction macroMoveAction(int dx, int dy)
{
    return {kMacroMove, std::uint8_t(dy & 0xff), std::uint8_t(dx & 0xff)};
}

MacroAction macroDelayAction(int milliseconds)
{
    const int units = std::clamp(milliseconds, 0, 655350) / 10;
    return {kMacroDelay, std::uint8_t(units / 256), std::uint8_t(units % 256)};
}

int macroDelayMs(const MacroAction &action)
{
    return (action.dataH * 256 + action.dataL) * 10;
}

bool saveMacro(const StorageDirs &dirs, const QString &name, const MacroRecord &macro)
{
    const QString path = macroFilePath(dirs, name);
    if (path.isEmpty()) {
        qWarning("Macro \"%s\" not saved", qPrintable(name));
        return false;
    }
    SafeIni ini(path, SafeIni::ReadWrite);
    QSettings &s = ini.settings();
    s.beginGroup(QStringLiteral("Setting"));
    s.setValue(QStringLiteral("MacroFilePath"), path);
    s.setValue(QStringLiteral("DefaultDelay"), macro.DefaultDelay);
    s.setValue(QStringLiteral("DelayType"), macro.DelayType);
    s.setValue(QStringLiteral("LoopType"), macro.LoopType);
    s.setValue(QStringLiteral("LoopTime"), macro.LoopTime);
    int count = int(macro.actions.size());
    if (count > kMaxMacroActions) {
        qWarning("Macro \"%s\" has %d actions; saving the first %d", qPrintable(name), count, kMaxMacroActions);
        count = kMaxMacroActions;
    }
    s.setValue(QStringLiteral("Count"), count);
    for (int i = 0; i < count; ++i) {
        const MacroAction &a = macro.actions[size_t(i)];
        s.setValue(indexed("Map_", i), int(a.map));
        s.setValue(indexed("DataH_", i), int(a.dataH));
        s.setValue(indexed("DataL_", i), int(a.dataL));
    }
    s.setValue(QStringLiteral("WriteSign"), 1);
    s.endGroup();
    const StoreResult result = ini.commit();
    if (!result.ok)
        qWarning("%s", qPrintable(result.message()));
    return result.ok;
}

MacroRecord loadMacro(const StorageDirs &dirs, const QString &name)
{
    const QString path = macroFilePath(dirs, name);
    if (path.isEmpty())
        return MacroRecord();
    return readMacro(IniReader(path), name);
}

MacroRecord readMacro(const IniReader &s, const QString &name)
{
    MacroRecord macro;
    macro.MacroFilePath = s.value(QStringLiteral("Setting/MacroFilePath")).toString();
    macro.DefaultDelay = s.value(QStringLiteral("Setting/DefaultDelay")).toInt();
    macro.DelayType = s.value(QStringLiteral("Setting/DelayType")).toInt();
    macro.LoopType = s.value(QStringLiteral("Setting/LoopType")).toInt();
    macro.LoopTime = s.value(QStringLiteral("Setting/LoopTime")).toInt();
    int count = s.value(QStringLiteral("Setting/Count")).toInt();
    if (count < 0 || count > kMaxMacroActions) {
        qWarning("Macro \"%s\" claims %d actions; reading %d", qPrintable(name), count,
                 count < 0 ? 0 : kMaxMacroActions);
        count = std::clamp(count, 0, kMaxMacroActions);
    }
    macro.actions.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        MacroAction &a = macro.actions[size_t(i)];
        a.map = std::uint8_t(s.value(indexed("Setting/Map_", i)).toInt());
        a.dataH = std::uint8_t(s.value(indexed("Setting/DataH_", i)).toInt());
        a.dataL = std::uint8_t(s.value(indexed("Setting/DataL_", i)).toInt());
    }
    return macro;
}

void copyMacroToButton(const MacroRecord &macro, ButtonEntry &button)
{
    const int n = std::min<int>(int(macro.actions.size()), kKeyInfoCount);
    button.KeyNumber = n;
    for (int j = 0; j < n; ++j) {
        const MacroAction &a = macro.actions[size_t(j)];
        button.keyInfo[size_t(j)].map = a.map;
        button.keyInfo[size_t(j)].L = a.dataL;
        button.keyInfo[size_t(j)].H = a.dataH;
    }
}

bool addMacroName(const StorageDirs &dirs, const QString &name)
{
    if (name.isEmpty() || !isSafeFileName(name)) {
        qWarning("Macro name \"%s\" is not a plain file name; not registered", qPrintable(name));
        return false;
    }
    SafeIni ini(dirs.configIni(), SafeIni::ReadWrite);
    QSettings &s = ini.settings();
    for (int i = 0; i < kMacroSlotCount; ++i) {
        const QString key = indexed("MACRO_LIST/", i);
        if (s.value(key).toString().isEmpty()) {
            s.setValue(key, name);
            const StoreResult result = ini.commit();
            if (!result.ok)
                qWarning("%s", qPrintable(result.message()));
            return result.ok;
        }
    }
    qWarning("All %d macro slots are used; \"%s\" not registered", kMacroSlotCount, qPrintable(name));
    return false;
}

QStringList listMacroNames(const StorageDirs &dirs)
{
    const IniReader ini(dirs.configIni());
    QStringList names;
    for (int i = 0; i < kMacroSlotCount; ++i) {
        const QString name = ini.value(indexed("MACRO_LIST/", i)).toString();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

bool replaceMacroName(const StorageDirs &dirs, const QString &oldName, const QString &newName)
{
    if (oldName.isEmpty() || !isSafeFileName(newName)) {
        qWarning("Macro registry: \"%s\" not replaced by \"%s\"", qPrintable(oldName), qPrintable(newName));
        return false;
    }
    SafeIni ini(dirs.configIni(), SafeIni::ReadWrite);
    QSettings &s = ini.settings();
    for (int i = 0; i < kMacroSlotCount; ++i) {
        const QString key = indexed("MACRO_LIST/", i);
        if (s.value(key).toString() == oldName) {
            s.setValue(key, newName);
            return true;
        }
    }
    qWarning("Macro registry holds no \"%s\"", qPrintable(oldName));
    return false;
}

int readWriteSign(const StorageDirs &dirs, const QString &name)
{
    const QString path = macroFilePath(dirs, name);
    if (path.isEmpty())
        return 0;
    return readWriteSign(IniReader(path));
}

int readWriteSign(const IniReader &ini)
{
    return ini.value(QStringLiteral("Setting/WriteSign")).toInt();
}

void clearWriteSign(const StorageDirs &dirs, const QString &name)
{
    const QString path = macroFilePath(dirs, name);
    if (path.isEmpty())
        return;
    SafeIni ini(path, SafeIni::ReadWrite);
    ini->setValue(QStringLiteral("Setting/WriteSign"), 0);
}
