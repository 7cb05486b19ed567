#include "StoragePaths.h"

#include <QDebug>

bool isSafeFileName(const QString &name)
{
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QChar(0)))
        return false;
    if (name == QLatin1String(".."))
        return false;
    // "C:name" is relative to a drive's current folder on Windows
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':') && name.at(0).unicode() < 128 && name.at(0).isLetter())
        return false;
    return true;
}

QString profileFilePath(const StorageDirs &dirs, const QString &name)
{
    if (!isSafeFileName(name)) {
        qWarning("Profile name \"%s\" is not a plain file name; not used as a path", qPrintable(name));
        return QString();
    }
    return dirs.profileDir() + QLatin1Char('/') + name + QStringLiteral(".prof");
}

QString macroFilePath(const StorageDirs &dirs, const QString &name)
{
    if (!isSafeFileName(name)) {
        qWarning("Macro name \"%s\" is not a plain file name; not used as a path", qPrintable(name));
        return QString();
    }
    return dirs.macroDir() + QLatin1Char('/') + name + QStringLiteral(".MSMACRO");
}
