#pragma once
// Shared by the fuzz targets: a Qt core application for the readers, and a
// scratch application directory (in memory-backed /dev/shm when there is one)
// where each input is written as the file a reader opens.

#include "StorageDirs.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace fuzz {

inline const StorageDirs &scratch()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static QTemporaryDir dir(base + QStringLiteral("/mousecfg-fuzz-XXXXXX"));
    static const StorageDirs dirs = [] {
        // The readers log every damaged line; a fuzz run would drown in it.
        QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
        const StorageDirs d = StorageDirs::fromAppDir(dir.path());
        QDir().mkpath(d.profileDir());
        QDir().mkpath(d.macroDir());
        return d;
    }();
    return dirs;
}

inline void put(const QString &path, const std::uint8_t *data, std::size_t size)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char *>(data), qint64(size));
}

} // namespace fuzz
