#pragma once

#include <QImage>
#include <QString>
#include <QVector>

// Writes several images into one .ico file. Qt's ico plugin writes a single
// image per file, so each size is encoded by it alone and the entries are then
// gathered under one directory. Returns false (and logs why) on failure.
bool writeIcoFile(const QVector<QImage> &images, const QString &path);
