#include "IcoFile.h"

#include <QBuffer>
#include <QDebug>
#include <QFile>
#include <QImageWriter>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr int kHeaderSize = 6;
constexpr int kEntrySize = 16;

struct IcoEntry
{
    QByteArray dirEntry; // the 16 directory bytes, offset still to be set
    QByteArray data;     // the image bytes
};

// The plugin leaves the padding at the end of each AND-mask row unset, which
// makes the file differ from run to run. The mask is rebuilt from the alpha of
// the 32-bit pixels (a set bit marks a fully transparent pixel), padding zero.
void rebuildAndMask(QByteArray &dib, int w, int h)
{
    constexpr int kInfoSize = 40;
    if (dib.size() < kInfoSize)
        return;
    auto *raw = reinterpret_cast<uchar *>(dib.data());
    const quint32 infoSize = qFromLittleEndian<quint32>(raw);
    const quint16 bits = qFromLittleEndian<quint16>(raw + 14);
    const int rowBytes = ((w + 31) / 32) * 4;
    const qint64 pixelBytes = qint64(w) * h * 4;
    if (infoSize != kInfoSize || bits != 32 || dib.size() < kInfoSize + pixelBytes + qint64(rowBytes) * h)
        return;
    const uchar *pixels = raw + kInfoSize;
    uchar *mask = raw + kInfoSize + pixelBytes;
    for (int row = 0; row < h; ++row) {
        uchar *m = mask + row * rowBytes;
        std::fill(m, m + rowBytes, uchar(0));
        for (int x = 0; x < w; ++x)
            if (pixels[(qint64(row) * w + x) * 4 + 3] == 0)
                m[x / 8] |= uchar(0x80u >> (x % 8));
    }
}

bool encodeOne(const QImage &image, IcoEntry &entry)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    QImageWriter writer(&buf, "ico");
    if (!writer.write(image)) {
        qWarning("skingen: the ico writer failed for %dx%d: %s", image.width(), image.height(),
                 qPrintable(writer.errorString()));
        return false;
    }
    const QByteArray bytes = buf.data();
    if (bytes.size() < kHeaderSize + kEntrySize) {
        qWarning("skingen: the ico writer produced %d bytes only", bytes.size());
        return false;
    }
    const auto *raw = reinterpret_cast<const uchar *>(bytes.constData());
    const quint16 count = qFromLittleEndian<quint16>(raw + 4);
    const quint32 size = qFromLittleEndian<quint32>(raw + kHeaderSize + 8);
    const quint32 offset = qFromLittleEndian<quint32>(raw + kHeaderSize + 12);
    if (count != 1 || quint64(offset) + size > quint64(bytes.size())) {
        qWarning("skingen: unexpected ico layout (count %u, offset %u, size %u)", count, offset, size);
        return false;
    }
    entry.dirEntry = bytes.mid(kHeaderSize, kEntrySize);
    entry.data = bytes.mid(int(offset), int(size));
    rebuildAndMask(entry.data, image.width(), image.height());
    return true;
}

} // namespace

bool writeIcoFile(const QVector<QImage> &images, const QString &path)
{
    QVector<IcoEntry> entries;
    for (const QImage &img : images) {
        IcoEntry e;
        if (!encodeOne(img, e))
            return false;
        entries.push_back(e);
    }

    QByteArray out;
    uchar header[kHeaderSize];
    qToLittleEndian<quint16>(0, header);
    qToLittleEndian<quint16>(1, header + 2); // 1 = icon
    qToLittleEndian<quint16>(quint16(entries.size()), header + 4);
    out.append(reinterpret_cast<const char *>(header), kHeaderSize);

    quint32 offset = quint32(kHeaderSize + kEntrySize * entries.size());
    for (IcoEntry &e : entries) {
        qToLittleEndian<quint32>(offset, reinterpret_cast<uchar *>(e.dirEntry.data()) + 12);
        out.append(e.dirEntry);
        offset += quint32(e.data.size());
    }
    for (const IcoEntry &e : entries)
        out.append(e.data);

    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(out) != out.size()) {
        qWarning("skingen: cannot write %s: %s", qPrintable(path), qPrintable(f.errorString()));
        return false;
    }
    return true;
}
