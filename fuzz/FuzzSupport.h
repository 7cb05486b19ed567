#pragma once
// Shared by the fuzz targets: a Qt core application for the readers, the
// input as bytes the readers take from memory, and a scratch application
// directory (in memory-backed /dev/shm when there is one) for what must still
// be a file.

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

// The input itself, not a copy: a read past its end is caught.
inline QByteArray bytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
}

inline void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

} // namespace fuzz
