#include "MacroLibrary.h"

#include "ConfigFile.h"
#include "MacroFile.h"
#include "StoragePaths.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kExtension = QStringLiteral(".MSMACRO");
} // namespace

MacroLibrary::MacroLibrary(const StorageDirs &dirs)
    : m_Dirs(dirs)
{
}

QStringList MacroLibrary::names() const
{
    return listMacroNames(m_Dirs);
}

bool MacroLibrary::isFull() const
{
    return countMacros(m_Dirs) >= kMacroSlotCount;
}

QString MacroLibrary::filePath(const QString &name) const
{
    return macroFilePath(m_Dirs, name);
}

bool MacroLibrary::fileExists(const QString &name) const
{
    const QString path = filePath(name);
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool MacroLibrary::isTaken(const QString &name, const QStringList &listed) const
{
    return fileExists(name) || listed.contains(name);
}

QString MacroLibrary::newMacroName() const
{
    for (int n = 1;; ++n) {
        const QString name = QString::asprintf("name_%d", n);
        if (!fileExists(name))
            return name;
    }
}

MacroLibrary::Outcome MacroLibrary::rename(const QString &oldName, const QString &typed, QString *finalName)
{
    const QString wanted = typed.trimmed();
    if (wanted == oldName)
        return Outcome::Unchanged;
    if (wanted.isEmpty())
        return Outcome::EmptyName;
    if (!isSafeFileName(wanted) || wanted == QLatin1String("."))
        return Outcome::UnsafeName;
    const QStringList listed = names();
    QString name = wanted;
    for (int n = 1; isTaken(name, listed); ++n)
        name = wanted + QStringLiteral("_%1").arg(n);
    QDir().mkpath(m_Dirs.macroDir());
    if (!QFile::rename(filePath(oldName), filePath(name))) {
        qWarning("Macro \"%s\" not renamed to \"%s\"", qPrintable(oldName), qPrintable(name));
        return Outcome::Failed;
    }
    if (!replaceMacroName(m_Dirs, oldName, name))
        addMacroName(m_Dirs, name);
    if (finalName)
        *finalName = name;
    return Outcome::Done;
}

void MacroLibrary::remove(const QString &name)
{
    replaceMacroName(m_Dirs, name, QString());
    const QString path = filePath(name);
    if (!path.isEmpty() && QFileInfo::exists(path) && !QFile::remove(path))
        qWarning("Macro file %s not removed", qPrintable(path));
}

MacroLibrary::Outcome MacroLibrary::importFile(const QString &path, QString *name)
{
    // The complete base name, so "a.b.MSMACRO" and "a.msmacro" keep their names.
    const QString base = QFileInfo(path).completeBaseName();
    if (name)
        *name = base;
    if (base.isEmpty() || !isSafeFileName(base))
        return Outcome::UnsafeName;
    if (isFull())
        return Outcome::Full;
    if (isTaken(base, names()))
        return Outcome::Exists;
    QDir().mkpath(m_Dirs.macroDir());
    if (!QFile::copy(path, filePath(base))) {
        qWarning("Macro file %s not imported", qPrintable(path));
        return Outcome::Failed;
    }
    if (!addMacroName(m_Dirs, base)) {
        QFile::remove(filePath(base));
        return Outcome::Failed;
    }
    return Outcome::Done;
}

MacroLibrary::Outcome MacroLibrary::exportFile(const QString &name, const QString &target) const
{
    const QString source = filePath(name);
    if (source.isEmpty() || target.isEmpty())
        return Outcome::Failed;
    if (QFileInfo(source).absoluteFilePath() == QFileInfo(target).absoluteFilePath())
        return Outcome::Done;
    // Copy first and replace afterwards, so a failed copy leaves the old target.
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(source, partial)) {
        qWarning("Macro \"%s\" not exported to %s", qPrintable(name), qPrintable(target));
        return Outcome::Failed;
    }
    if (QFileInfo::exists(target) && !QFile::remove(target)) {
        QFile::remove(partial);
        qWarning("Export target %s not replaced", qPrintable(target));
        return Outcome::Failed;
    }
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        return Outcome::Failed;
    }
    return Outcome::Done;
}

QStringList MacroLibrary::exportFiles(const QStringList &names, const QString &directory) const
{
    QStringList missed;
    for (const QString &name : names) {
        const QString target = QDir(directory).filePath(name + kExtension);
        const QString source = filePath(name);
        if (source.isEmpty() || QFileInfo::exists(target) || !QFile::copy(source, target))
            missed << name;
    }
    return missed;
}
