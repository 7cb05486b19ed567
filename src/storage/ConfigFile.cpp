#include "ConfigFile.h"

#include "ProfileFile.h"
#include "ProfileModel.h"
#include "SafeIni.h"

#include <QDebug>

namespace {

int readInt(const QString &path, const QString &key, int missing = 0)
{
    SafeIni ini(path);
    return ini->value(key, missing).toInt();
}

QString readText(const QString &path, const QString &key)
{
    SafeIni ini(path);
    return ini->value(key).toString();
}

void writeValue(const QString &path, const QString &key, const QVariant &value)
{
    SafeIni ini(path, SafeIni::ReadWrite);
    ini->setValue(key, value);
}

QString slotKey(int slot)
{
    return QStringLiteral("Config/Profile") + QString::number(slot + 1);
}

} // namespace

void loadSavedConfig(const StorageDirs &dirs, AppConfig &config, ButtonPositions &positions)
{
    {
        SafeIni ini(dirs.configIni());
        QSettings &s = ini.settings();
        config.ProfileID = checkedProfileId(s.value(QStringLiteral("Config/ProfileID")).toInt(), dirs.configIni());
        config.AngleValue = std::uint8_t(s.value(QStringLiteral("Config/AngleValue")).toInt());
        config.LiftHigh = std::uint8_t(s.value(QStringLiteral("Config/LiftHigh")).toInt());
        config.Count = std::uint8_t(s.value(QStringLiteral("Config/Count")).toInt());
        for (int i = 0; i < kProfileCount; ++i)
            config.profileNames[size_t(i)] = s.value(slotKey(i)).toString();
    }
    for (int i = 0; i < kProfileCount; ++i)
        readProfileFile(dirs, config.profiles[size_t(i)], config.profileNames[size_t(i)]);
    loadButtonPositions(dirs, positions);
}

void saveConfigHeader(const StorageDirs &dirs, const AppConfig &config)
{
    SafeIni ini(dirs.configIni(), SafeIni::ReadWrite);
    QSettings &s = ini.settings();
    s.setValue(QStringLiteral("Config/ProfileID"), int(config.ProfileID));
    s.setValue(QStringLiteral("Config/AngleValue"), int(config.AngleValue));
    s.setValue(QStringLiteral("Config/LiftHigh"), int(config.LiftHigh));
    s.setValue(QStringLiteral("Config/Count"), int(config.Count));
    for (int i = 0; i < kProfileCount; ++i)
        s.setValue(slotKey(i), config.profileNames[size_t(i)]);
}

void saveWorkingConfig(const StorageDirs &dirs, const AppConfig &config)
{
    saveConfigHeader(dirs, config);
    for (int i = 0; i < kProfileCount; ++i)
        writeProfileFile(dirs, config.profiles[size_t(i)], config.profileNames[size_t(i)]);
}

void saveProfileList(const StorageDirs &dirs, const AppConfig &config)
{
    SafeIni ini(dirs.configIni(), SafeIni::ReadWrite);
    QSettings &s = ini.settings();
    s.setValue(QStringLiteral("Config/ProfileID"), int(config.ProfileID));
    s.setValue(QStringLiteral("Config/Count"), int(config.Count));
    for (int i = 0; i < kProfileCount; ++i)
        s.setValue(slotKey(i), config.profileNames[size_t(i)]);
}

void saveProfileId(const StorageDirs &dirs, int slot)
{
    writeValue(dirs.configIni(), QStringLiteral("Config/ProfileID"), slot);
}

int readDiff(const StorageDirs &dirs)
{
    return readInt(dirs.configIni(), QStringLiteral("Config/Diff"));
}

void writeDiff(const StorageDirs &dirs, int diff)
{
    writeValue(dirs.configIni(), QStringLiteral("Config/Diff"), diff);
}

QString readCurrentProductName(const StorageDirs &dirs)
{
    return readText(dirs.configIni(), QStringLiteral("Config/CurrentProductName"));
}

void writeCurrentProductName(const StorageDirs &dirs, const QString &name)
{
    writeValue(dirs.configIni(), QStringLiteral("Config/CurrentProductName"), name);
}

int readColorTheme(const StorageDirs &dirs)
{
    return readInt(dirs.configIni(), QStringLiteral("Config/GColorID"));
}

int readBattery(const StorageDirs &dirs)
{
    return readInt(dirs.configIni(), QStringLiteral("Config/Battery"));
}

void writeBattery(const StorageDirs &dirs, int level)
{
    writeValue(dirs.configIni(), QStringLiteral("Config/Battery"), level);
}

int readBatteryFull(const StorageDirs &dirs)
{
    return readInt(dirs.configIni(), QStringLiteral("Config/BatteryFull"), 4200);
}

QString readModelText(const StorageDirs &dirs)
{
    return readText(dirs.configIni(), QStringLiteral("Config/Model"));
}

int readSensor(const StorageDirs &dirs)
{
    return readInt(dirs.configIni(), QStringLiteral("MouseSenSor/1"));
}

int readLedModeSet(const StorageDirs &dirs)
{
    SafeIni ini(dirs.configIni());
    const QString product = ini->value(QStringLiteral("Config/CurrentProductName")).toString();
    if (product.isEmpty())
        return 0;
    return ini->value(QStringLiteral("MouseLEDMode/") + product).toInt();
}

QString readMouseListName(const StorageDirs &dirs)
{
    return readText(dirs.configIni(), QStringLiteral("Mouse_List/0"));
}

QVector<MouseListing> readMouseList(const StorageDirs &dirs, int limit)
{
    QVector<MouseListing> list;
    SafeIni ini(dirs.configIni());
    for (int i = 0; i < limit; ++i) {
        const QString name = ini->value(QStringLiteral("Mouse_List/%1").arg(i)).toString();
        // The first model is listed even when its name is empty, as the device table always has it.
        if (name.isEmpty() && i > 0)
            break;
        list.append({name, ini->value(QStringLiteral("Mouse_Ids/%1").arg(i)).toString()});
    }
    return list;
}

int countMacros(const StorageDirs &dirs)
{
    SafeIni ini(dirs.configIni());
    int n = 0;
    for (int i = 0; i < kMacroSlotCount; ++i) {
        if (!ini->value(QStringLiteral("MACRO_LIST/") + QString::number(i)).toString().isEmpty())
            ++n;
    }
    return n;
}

void readLanguageList(const StorageDirs &dirs, LanguageList &list)
{
    SafeIni ini(dirs.configIni());
    QSettings &s = ini.settings();
    list.count = s.value(QStringLiteral("FONT_LIST/LANGNUM")).toInt();
    for (int i = 0; i < kMaxLanguages; ++i) {
        const QString n = QString::number(i);
        list.entries[size_t(i)].name = s.value(QStringLiteral("FONT_LIST/LangName_") + n).toString();
        list.entries[size_t(i)].file = s.value(QStringLiteral("FONT_LIST/LangFile_") + n).toString();
    }
}

int readLangId(const StorageDirs &dirs)
{
    return readInt(dirs.langConfigIni(), QStringLiteral("Config/LangID"));
}

void writeLangId(const StorageDirs &dirs, int id)
{
    writeValue(dirs.langConfigIni(), QStringLiteral("Config/LangID"), id);
}

QString readFontFamily(const StorageDirs &dirs, int lang)
{
    return readText(dirs.configIni(), QStringLiteral("FONT_LIST/FONT_") + QString::number(lang));
}

int readFontSize(const StorageDirs &dirs, int lang)
{
    return readInt(dirs.configIni(), QStringLiteral("FONT_LIST/FONT_SIZE_") + QString::number(lang));
}
