#include "ConfigExchange.h"

#include "ConfigFile.h"
#include "ProfileFile.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

bool readableIni(const QString &filePath)
{
    const QFileInfo info(filePath);
    if (!info.isFile() || !info.isReadable()) {
        qWarning("Configuration file %s cannot be read", qPrintable(filePath));
        return false;
    }
    QSettings ini(filePath, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) {
        qWarning("Configuration file %s is not an INI file", qPrintable(filePath));
        return false;
    }
    return true;
}

} // namespace

ImportStatus importConfigFile(const StorageDirs &dirs, const QString &filePath, AppConfig &working, QString *problem)
{
    if (!readableIni(filePath))
        return ImportStatus::Unreadable;
    const QString tag = readProductTag(dirs, filePath);
    const QString product = readCurrentProductName(dirs);
    if (tag != product) {
        qDebug("Configuration file of \"%s\" refused for \"%s\"", qPrintable(tag), qPrintable(product));
        return ImportStatus::WrongProduct;
    }
    const QString refused = importAllProfiles(dirs, working, filePath);
    if (problem)
        *problem = refused;
    return refused.isEmpty() ? ImportStatus::Imported : ImportStatus::Refused;
}

bool exportConfigFile(const StorageDirs &dirs, const QString &filePath, const AppConfig &config)
{
    const QFileInfo info(filePath);
    if (info.exists() && !info.isFile()) {
        qWarning("Cannot write the configuration to %s: not a file", qPrintable(filePath));
        return false;
    }
    // Keys of an older file would otherwise survive in the new one.
    if (info.exists() && !QFile::remove(filePath)) {
        qWarning("Cannot replace %s", qPrintable(filePath));
        return false;
    }
    const QString product = readCurrentProductName(dirs);
    StoreResult stored = writeProductTag(dirs, product, filePath);
    if (stored.ok)
        stored = exportAllProfiles(dirs, config, filePath);
    if (!stored.ok) {
        qWarning("%s", qPrintable(stored.message()));
        return false;
    }

    QSettings check(filePath, QSettings::IniFormat);
    if (!QFileInfo(filePath).isFile() || check.value(QStringLiteral("MouseName/Name")).toString() != product ||
        !check.contains(QStringLiteral("Config/ProfileID"))) {
        qWarning("Configuration file %s was not written", qPrintable(filePath));
        return false;
    }
    return true;
}
