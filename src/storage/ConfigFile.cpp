#include "ConfigFile.h"

#include "IniReader.h"
#include "ProfileFile.h"
#include "ProfileModel.h"
#include "SafeIni.h"
#include "StoragePaths.h"
#include "StoredFile.h"

#include <QDebug>
#include <QFile>

namespace {

int readInt(const QString &path, const QString &key, int missing = 0)
{
    return IniReader(path).value(key, missing).toInt();
}

QString readText(const QString &path, const QString &key)
{
    return IniReader(path).value(key).toString();
}

bool writeValue(const QString &path, const QString &key, const QVariant &value)
{
    SafeIni ini(path, SafeIni::ReadWrite);
    ini->setValue(key, value);
    const StoreResult result = ini.commit();
    if (!result.ok)
        qWarning("%s", qPrintable(result.message()));
    return result.ok;
}

void setHeader(QSettings &s, const AppConfig &config)
{
    s.setValue(QStringLiteral("Config/ProfileID"), int(config.ProfileID));
    s.setValue(QStringLiteral("Config/AngleValue"), int(config.AngleValue));
    s.setValue(QStringLiteral("Config/LiftHigh"), int(config.LiftHigh));
    s.setValue(QStringLiteral("Config/Count"), int(config.Count));
    for (int i = 0; i < kProfileCount; ++i)
        s.setValue(QStringLiteral("Config/Profile") + QString::number(i + 1), config.profileNames[size_t(i)]);
}

QString slotKey(int slot)
{
    return QStringLiteral("Config/Profile") + QString::number(slot + 1);
}

} // namespace

void loadSavedConfig(const StorageDirs &dirs, AppConfig &config, ButtonPositions &positions)
{
    // A save killed half-way is completed (or its leftovers removed) first.
    removeStaleTemporaries(dirs.configDir);
    removeStaleTemporaries(dirs.profileDir());
    {
        const IniReader s(dirs.configIni());
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

StoreResult saveConfigHeader(const StorageDirs &dirs, const AppConfig &config)
{
    SafeIni ini(dirs.configIni(), SafeIni::ReadWrite);
    setHeader(ini.settings(), config);
    return ini.commit();
}

StoreResult saveWorkingConfig(const StorageDirs &dirs, const AppConfig &config, int diff)
{
    removeStaleTemporaries(dirs.profileDir());
    // Two slots on one file (or on the default profile's) would overwrite each other.
    for (int i = 0; i < kProfileCount; ++i) {
        const QString &name = config.profileNames[size_t(i)];
        if (name.isEmpty() || !isSafeFileName(name))
            continue; // an unsafe name's slot is not stored (logged below); an empty name is ".prof"
        for (int j = 0; j < kProfileCount; ++j) {
            if (j != i && name.compare(config.profileNames[size_t(j)], Qt::CaseInsensitive) == 0)
                return StoreResult::failure(profileFilePath(dirs, name),
                                            QStringLiteral("slots %1 and %2 would share it").arg(i + 1).arg(j + 1));
        }
        if (name.compare(QLatin1String("DefaultProfile"), Qt::CaseInsensitive) == 0)
            return StoreResult::failure(profileFilePath(dirs, name),
                                        QStringLiteral("slot %1 would share it with the default profile").arg(i + 1));
    }
    QList<QPair<QString, QString>> staged;
    auto discard = [&staged] {
        for (const auto &entry : staged)
            QFile::remove(entry.first);
    };
    {
        SafeIni ini(dirs.configIni(), SafeIni::ReadWrite);
        setHeader(ini.settings(), config);
        if (diff != kKeepDiff)
            ini->setValue(QStringLiteral("Config/Diff"), diff);
        QString temp;
        const StoreResult header = ini.stage(&temp);
        if (!header.ok)
            return header;
        if (!temp.isEmpty())
            staged.append({temp, dirs.configIni()});
    }
    for (int i = 0; i < kProfileCount; ++i) {
        const QString path = profileFilePath(dirs, config.profileNames[size_t(i)]);
        if (path.isEmpty())
            continue;
        const QByteArray bytes = profileFileBytes(config.profiles[size_t(i)]);
        if (holdsBytes(path, bytes))
            continue;
        QString temp;
        const StoreResult slot = writeTemporary(path, bytes, &temp);
        if (!slot.ok) {
            discard();
            return slot;
        }
        staged.append({temp, path});
    }
    return replaceTogether(dirs.configDir, staged);
}

StoreResult saveProfileList(const StorageDirs &dirs, const AppConfig &config)
{
    SafeIni ini(dirs.configIni(), SafeIni::ReadWrite);
    QSettings &s = ini.settings();
    s.setValue(QStringLiteral("Config/ProfileID"), int(config.ProfileID));
    s.setValue(QStringLiteral("Config/Count"), int(config.Count));
    for (int i = 0; i < kProfileCount; ++i)
        s.setValue(slotKey(i), config.profileNames[size_t(i)]);
    return ini.commit();
}

bool saveProfileId(const StorageDirs &dirs, int slot)
{
    return writeValue(dirs.configIni(), QStringLiteral("Config/ProfileID"), slot);
}

int readDiff(const StorageDirs &dirs)
{
    return readInt(dirs.configIni(), QStringLiteral("Config/Diff"));
}

bool writeDiff(const StorageDirs &dirs, int diff)
{
    return writeValue(dirs.configIni(), QStringLiteral("Config/Diff"), diff);
}

QString readCurrentProductName(const StorageDirs &dirs)
{
    return readText(dirs.configIni(), QStringLiteral("Config/CurrentProductName"));
}

bool writeCurrentProductName(const StorageDirs &dirs, const QString &name)
{
    return writeValue(dirs.configIni(), QStringLiteral("Config/CurrentProductName"), name);
}

int readColorTheme(const StorageDirs &dirs)
{
    return readInt(dirs.configIni(), QStringLiteral("Config/GColorID"));
}

int readBattery(const StorageDirs &dirs)
{
    return readInt(dirs.configIni(), QStringLiteral("Config/Battery"));
}

bool writeBattery(const StorageDirs &dirs, int level)
{
    return writeValue(dirs.configIni(), QStringLiteral("Config/Battery"), level);
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
    const IniReader ini(dirs.configIni());
    const QString product = ini.value(QStringLiteral("Config/CurrentProductName")).toString();
    if (product.isEmpty())
        return 0;
    return ini.value(QStringLiteral("MouseLEDMode/") + product).toInt();
}

QString readMouseListName(const StorageDirs &dirs)
{
    return readText(dirs.configIni(), QStringLiteral("Mouse_List/0"));
}

QVector<MouseListing> readMouseList(const StorageDirs &dirs, int limit)
{
    QVector<MouseListing> list;
    const IniReader ini(dirs.configIni());
    for (int i = 0; i < limit; ++i) {
        const QString name = ini.value(QStringLiteral("Mouse_List/%1").arg(i)).toString();
        // The first model is listed even when its name is empty, as the device table always has it.
        if (name.isEmpty() && i > 0)
            break;
        list.append({name, ini.value(QStringLiteral("Mouse_Ids/%1").arg(i)).toString()});
    }
    return list;
}

int countMacros(const StorageDirs &dirs)
{
    const IniReader ini(dirs.configIni());
    int n = 0;
    for (int i = 0; i < kMacroSlotCount; ++i) {
        if (!ini.value(QStringLiteral("MACRO_LIST/") + QString::number(i)).toString().isEmpty())
            ++n;
    }
    return n;
}

void readLanguageList(const StorageDirs &dirs, LanguageList &list)
{
    const IniReader s(dirs.configIni());
    list.count = s.value(QStringLiteral("FONT_LIST/LANGNUM")).toInt();
    for (int i = 0; i < kMaxLanguages; ++i) {
        const QString n = QString::number(i);
        list.entries[size_t(i)].name = s.value(QStringLiteral("FONT_LIST/LangName_") + n).toString();
        list.entries[size_t(i)].file = s.value(QStringLiteral("FONT_LIST/LangFile_") + n).toString();
    }
}

int readLangId(const StorageDirs &dirs)
{
    const int id = readInt(dirs.langConfigIni(), QStringLiteral("Config/LangID"));
    if (id < 0 || id >= kMaxLanguages) {
        qWarning("Config/LangID %d is outside 0..%d, language 0 is used", id, kMaxLanguages - 1);
        return 0;
    }
    return id;
}

bool writeLangId(const StorageDirs &dirs, int id)
{
    return writeValue(dirs.langConfigIni(), QStringLiteral("Config/LangID"), id);
}

QString readFontFamily(const StorageDirs &dirs, int lang)
{
    return readText(dirs.configIni(), QStringLiteral("FONT_LIST/FONT_") + QString::number(lang));
}

int readFontSize(const StorageDirs &dirs, int lang)
{
    return readInt(dirs.configIni(), QStringLiteral("FONT_LIST/FONT_SIZE_") + QString::number(lang));
}
