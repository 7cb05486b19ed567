#pragma once
// A fresh installation layout (Configs/, Configs/Profile/, Configs/MacroDB/) in
// a temporary directory, one per test function.

#include "StorageDirs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

struct StorageTestDirs
{
    QTemporaryDir tmp;
    StorageDirs dirs;

    StorageTestDirs()
    {
        dirs = StorageDirs::fromAppDir(tmp.path());
        QDir().mkpath(dirs.profileDir());
        QDir().mkpath(dirs.macroDir());
    }

    // Writes raw text to a file, as a hand-edited or damaged file would be.
    static void writeText(const QString &path, const QByteArray &text)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(text);
    }
};
