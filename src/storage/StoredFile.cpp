#include "StoredFile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace {

const QLatin1String kTempMarker(".mcfgtmp-");

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool processRuns(qint64 pid)
{
#ifdef Q_OS_UNIX
    if (pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
#else
    Q_UNUSED(pid)
    return true; // without a way to ask, a leftover is kept
#endif
}

// The folder entry itself must reach the disk for a rename to survive a power cut.
void syncFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder)
#endif
}

} // namespace

QString StoreResult::message() const
{
    return QStringLiteral("cannot write %1: %2").arg(file, reason);
}

QString temporaryNameFor(const QString &target)
{
    return target + kTempMarker + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
           QString::number(QRandomGenerator::global()->generate(), 36);
}

StoreResult writeTemporary(const QString &target, const QByteArray &bytes, QString *tempPath)
{
    // As QSettings did: a missing folder (a fresh macro library) is made.
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        return StoreResult::failure(target, QStringLiteral("cannot make the folder %1").arg(folder));
    const QString temp = temporaryNameFor(target);
    QFile file(temp);
    // NewOnly: a name that exists (a link planted in its place) is never opened
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return StoreResult::failure(target, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        QFile::remove(temp);
        return StoreResult::failure(target, reason);
    }
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0) {
        const QString reason = systemReason();
        file.close();
        QFile::remove(temp);
        return StoreResult::failure(target, reason);
    }
#endif
    file.close();
    *tempPath = temp;
    return {};
}

StoreResult replaceWith(const QString &tempPath, const QString &target)
{
    if (std::rename(QFile::encodeName(tempPath).constData(), QFile::encodeName(target).constData()) != 0) {
        const QString reason = systemReason();
        QFile::remove(tempPath);
        return StoreResult::failure(target, reason);
    }
    syncFolder(QFileInfo(target).absolutePath());
    return {};
}

bool holdsBytes(const QString &target, const QByteArray &bytes)
{
    const QFileInfo info(target);
    if (info.isSymLink() || !info.isFile() || info.size() != bytes.size())
        return false;
    QFile file(target);
    return file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

StoreResult storeFile(const QString &target, const QByteArray &bytes)
{
    if (holdsBytes(target, bytes))
        return {};
    QString temp;
    const StoreResult written = writeTemporary(target, bytes, &temp);
    if (!written.ok)
        return written;
    return replaceWith(temp, target);
}

namespace {

const QLatin1String kJournalName(".mousecfg-store-journal");

QString journalPath(const QString &folder)
{
    return folder + QLatin1Char('/') + kJournalName;
}

} // namespace

StoreResult replaceTogether(const QString &journalFolder, const QList<QPair<QString, QString>> &staged)
{
    if (staged.isEmpty())
        return {};
    // Temporary files beside every target show the folders take new files; a
    // folder in a target's place is what could still stop a rename half-way.
    for (const auto &entry : staged) {
        const QFileInfo target(entry.second);
        if (target.isDir() && !target.isSymLink()) {
            for (const auto &e : staged)
                QFile::remove(e.first);
            return StoreResult::failure(entry.second, QStringLiteral("a folder is in its place"));
        }
    }
    if (staged.size() == 1)
        return replaceWith(staged.front().first, staged.front().second);
    const QDir base(journalFolder);
    QByteArray journal;
    for (const auto &entry : staged) {
        journal += base.relativeFilePath(entry.first).toUtf8().toPercentEncoding();
        journal += ' ';
        journal += base.relativeFilePath(entry.second).toUtf8().toPercentEncoding();
        journal += '\n';
    }
    // The journal is the point of no return: once it is stored, the new set wins.
    const StoreResult stored = storeFile(journalPath(journalFolder), journal);
    if (!stored.ok) {
        for (const auto &entry : staged)
            QFile::remove(entry.first);
        return stored;
    }
    StoreResult result;
    for (const auto &entry : staged) {
        const StoreResult one = replaceWith(entry.first, entry.second);
        if (!one.ok && result.ok)
            result = one;
    }
    QFile::remove(journalPath(journalFolder));
    syncFolder(journalFolder);
    return result;
}

void finishInterruptedStore(const QString &folder)
{
    QFile file(journalPath(folder));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    const QDir base(folder);
    for (const QByteArray &line : lines) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() != 2)
            continue;
        const QString temp = base.absoluteFilePath(QString::fromUtf8(QByteArray::fromPercentEncoding(parts[0])));
        const QString target = base.absoluteFilePath(QString::fromUtf8(QByteArray::fromPercentEncoding(parts[1])));
        // the journal names only files beside their targets
        if (!temp.startsWith(target + kTempMarker) || !QFileInfo::exists(temp))
            continue;
        qDebug("Completing an interrupted save: %s", qPrintable(target));
        const StoreResult one = replaceWith(temp, target);
        if (!one.ok)
            qWarning("%s", qPrintable(one.message()));
    }
    QFile::remove(journalPath(folder));
    syncFolder(folder);
}

void removeStaleTemporaries(const QString &folder)
{
    finishInterruptedStore(folder);
    finishInterruptedStore(QFileInfo(folder).absolutePath());
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*") + kTempMarker + QStringLiteral("*")},
                                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const int at = name.lastIndexOf(kTempMarker);
        const QString rest = name.mid(at + kTempMarker.size());
        bool ok = false;
        const qint64 pid = rest.section(QLatin1Char('-'), 0, 0).toLongLong(&ok);
        if (ok && processRuns(pid))
            continue;
        qDebug("Removing %s, left by an interrupted save", qPrintable(name));
        QFile::remove(dir.filePath(name));
    }
}
