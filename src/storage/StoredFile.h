#pragma once
// Replacing a stored file so that a crash, a kill or a power cut leaves either
// the old or the new bytes, never a mixture, and so that a symbolic link in
// the configuration folder is replaced rather than written through.
//
// New contents go to a temporary file beside the target (same folder, so the
// rename cannot cross file systems), are flushed to the disk, and then renamed
// over the target. Temporary names carry the writer's process id; the leftovers
// of a process that no longer runs are removed by removeStaleTemporaries.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

struct StoreResult
{
    bool ok = true;
    QString file;   // the file that could not be written
    QString reason; // why, as the system said it

    static StoreResult failure(const QString &file, const QString &reason) { return {false, file, reason}; }
    // "cannot write <file>: <reason>"
    QString message() const;
};

// A fresh temporary name beside target that removeStaleTemporaries recognises.
QString temporaryNameFor(const QString &target);

// Writes bytes to a new temporary file beside target and flushes it to the
// disk; *tempPath receives its name.
StoreResult writeTemporary(const QString &target, const QByteArray &bytes, QString *tempPath);

// Renames tempPath over target: a link at target is replaced, never followed.
StoreResult replaceWith(const QString &tempPath, const QString &target);

// Whether target is a regular file (not a link) holding exactly bytes.
bool holdsBytes(const QString &target, const QByteArray &bytes);

// Writes bytes to target unless it already holds them (then its modification
// time stays as it is).
StoreResult storeFile(const QString &target, const QByteArray &bytes);

// Puts several staged files (temporary name, target) in place as one: first a
// journal naming them all is stored in journalFolder, then each is renamed,
// then the journal is removed. Killed at any point, the next
// finishInterruptedStore completes the renames, so either every target holds
// its old bytes or every one its new bytes.
StoreResult replaceTogether(const QString &journalFolder, const QList<QPair<QString, QString>> &staged);
// Completes the renames of a journal left in folder by a killed writer.
void finishInterruptedStore(const QString &folder);

// Removes the temporary files (and the lock files QSettings leaves beside them)
// in folder whose writing process has ended, after finishing an interrupted
// store whose journal is in folder or in the folder above it.
void removeStaleTemporaries(const QString &folder);
