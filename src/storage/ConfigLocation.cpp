#include "ConfigLocation.h"

#include "SafeIni.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

const char kInstalledMarkerName[] = "mousecfg-installed";

namespace {

// Written through a save file rather than QFile::copy, so the copy gets the
// user's own permissions and not the read-only ones of an installed file, and a
// second program seeding at the same moment never sees half a file.
bool copyContents(const QString &from, const QString &to, QString *error)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = in.errorString();
        return false;
    }
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly) || out.write(in.readAll()) < 0 || !out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

// The number of keys added, or -1 when the user's file could not be written.
int addMissingKeys(const QString &shippedIni, const QString &userIni)
{
    SafeIni shipped(shippedIni, SafeIni::ReadOnly);
    SafeIni user(userIni, SafeIni::ReadWrite);
    int added = 0;
    for (const QString &key : shipped->allKeys()) {
        if (!user->contains(key)) {
            user->setValue(key, shipped->value(key));
            ++added;
        }
    }
    if (added == 0)
        return 0;
    user->sync();
    return user->status() == QSettings::NoError ? added : -1;
}

// The shipped files a user's folder has already been offered, one relative path
// a line: a file the user deleted since is not brought back.
const char kOfferedListName[] = ".shipped-files";

QSet<QString> readOffered(const QString &path)
{
    QSet<QString> offered;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : file.readAll().split('\n'))
            if (!line.isEmpty())
                offered.insert(QString::fromUtf8(line));
    }
    return offered;
}

bool writeOffered(const QString &path, const QSet<QString> &offered)
{
    QStringList lines(offered.begin(), offered.end());
    lines.sort();
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) >= 0 && file.commit();
}

} // namespace

QString userConfigDir(const QProcessEnvironment &env)
{
    QString base = env.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        QString home = env.value(QStringLiteral("HOME"));
        if (home.isEmpty())
            home = QDir::homePath();
        base = home + QStringLiteral("/.config");
    }
    return QDir::cleanPath(base + QStringLiteral("/mousecfg/Configs"));
}

bool usesUserConfigDir(const QString &appDir)
{
    const QDir dir(appDir);
    if (QFileInfo::exists(dir.filePath(QString::fromLatin1(kInstalledMarkerName))))
        return true;
    const QFileInfo configs(dir.filePath(QStringLiteral("Configs")));
    return configs.exists() ? !configs.isWritable() : !QFileInfo(appDir).isWritable();
}

SeedResult seedConfigDir(const QString &shippedDir, const QString &userDir)
{
    SeedResult result;
    if (!QDir().mkpath(userDir)) {
        result.failures << QStringLiteral("cannot create %1").arg(userDir);
        return result;
    }
    const QDir shipped(shippedDir);
    const QDir user(userDir);
    const QString offeredPath = user.filePath(QString::fromLatin1(kOfferedListName));
    QSet<QString> offered = readOffered(offeredPath);
    const int offeredBefore = offered.size();
    QDirIterator it(shippedDir, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString rel = shipped.relativeFilePath(from);
        const QString to = user.filePath(rel);
        if (it.fileInfo().isDir()) {
            // Empty shipped folders (Profile/, MacroDB/) are where the program saves.
            if (!QDir().mkpath(to))
                result.failures << QStringLiteral("cannot create %1").arg(to);
            continue;
        }
        if (it.fileName() == QLatin1String(".keep"))
            continue;
        const bool ini = rel.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive);
        if (!QFileInfo::exists(to)) {
            // A profile or macro the user removed stays removed; the settings
            // files themselves are needed to run.
            if (offered.contains(rel) && !ini)
                continue;
            QString error;
            if (!QDir().mkpath(QFileInfo(to).path()) || !copyContents(from, to, &error)) {
                result.failures << QStringLiteral("cannot copy %1 to %2: %3").arg(from, to, error);
                continue; // tried again next time
            }
            result.copied << rel;
        } else if (ini) {
            const int added = addMissingKeys(from, to);
            if (added < 0)
                result.failures << QStringLiteral("cannot add the new settings of %1 to %2").arg(from, to);
            else
                result.keysAdded += added;
        }
        offered.insert(rel);
    }
    if (offered.size() != offeredBefore && !writeOffered(offeredPath, offered))
        result.failures << QStringLiteral("cannot write %1").arg(offeredPath);
    return result;
}

StorageDirs resolveStorageDirs(const QString &appDir, const QProcessEnvironment &env)
{
    if (!usesUserConfigDir(appDir))
        return StorageDirs::fromAppDir(appDir);
    StorageDirs dirs{appDir, userConfigDir(env)};
    const QString shipped = appDir + QStringLiteral("/Configs");
    const SeedResult seed = seedConfigDir(shipped, dirs.configDir);
    for (const QString &failure : seed.failures)
        qWarning("Settings folder %s: %s", qPrintable(dirs.configDir), qPrintable(failure));
    if (!seed.copied.isEmpty() || seed.keysAdded != 0)
        qInfo("Settings folder %s: %d files and %d settings added from %s", qPrintable(dirs.configDir),
              int(seed.copied.size()), seed.keysAdded, qPrintable(shipped));
    return dirs;
}
