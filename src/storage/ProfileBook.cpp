#include "ProfileBook.h"

#include "ConfigFile.h"
#include "IniReader.h"
#include "ProfileFile.h"
#include "StoragePaths.h"

#include <QDebug>
#include <QFileInfo>

QString modelConfigIni(const StorageDirs &dirs, const QString &productName)
{
    // An empty name or "." would make the folder Configs/ itself, whose
    // Config.ini is the program's own.
    if (productName.isEmpty() || productName == QLatin1String(".") || !isSafeFileName(productName))
        return QString();
    return dirs.configDir + QLatin1Char('/') + productName + QStringLiteral("/Config.ini");
}

QStringList readProfileList(const StorageDirs &dirs, const QString &productName)
{
    QStringList list;
    const QString path = modelConfigIni(dirs, productName);
    if (path.isEmpty()) {
        qDebug("profile list: product name \"%s\" is not a folder name; list left empty", qPrintable(productName));
        return list;
    }
    if (!QFileInfo::exists(path))
        return list;
    const IniReader ini(path);
    int count = ini.value(QStringLiteral("PROFILE_LIST/Count")).toInt();
    if (count < 1)
        return list;
    if (count > kMaxProfileListEntries) {
        qWarning("profile list: PROFILE_LIST/Count %d in %s is damaged; reading the first %d", count, qPrintable(path),
                 kMaxProfileListEntries);
        count = kMaxProfileListEntries;
    }
    for (int i = 1; i <= count; ++i)
        list.append(ini.value(QStringLiteral("PROFILE_LIST/") + QString::number(i)).toString());
    return list;
}

bool isDefaultProfileName(const QString &name)
{
    for (int i = 1; i <= kProfileCount; ++i) {
        if (name == QStringLiteral("Profile %1").arg(i))
            return true;
    }
    return false;
}

bool ProfileBook::switchSlot(AppConfig &working, int slot, bool reload)
{
    if (slot < 0 || slot >= kProfileCount) {
        qWarning("switch profile: slot %d does not exist; staying on %d", slot, int(working.ProfileID));
        return false;
    }
    working.ProfileID = std::uint8_t(slot);
    if (reload) {
        ProfileData fromFile;
        if (readProfileFile(m_dirs, fromFile, working.profileNames[slot]))
            working.profiles[slot] = fromFile;
        else
            qDebug("switch profile: no file for \"%s\"; slot %d kept as it is", qPrintable(working.profileNames[slot]),
                   slot);
    }
    // The slot carries the name it is listed under, whatever its file said.
    working.profiles[slot].ProfileName = working.profileNames[slot];
    saveProfileId(m_dirs, slot);
    return true;
}
