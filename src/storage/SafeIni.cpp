#include "SafeIni.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#include <vector>

namespace {

// The character classes of Qt's INI line reader.
enum : unsigned char { kSpace = 1, kSpecial = 2 };

struct CharTraits
{
    unsigned char of[256] = {};
    constexpr CharTraits()
    {
        // not '\v' or '\f': Qt keeps them in a key
        for (unsigned char c : {' ', '\t'})
            of[c] = kSpace;
        for (unsigned char c : {'\n', '\r'})
            of[c] = kSpace | kSpecial;
        for (unsigned char c : {'=', '\\', '"', ';'})
            of[c] = kSpecial;
    }
};
constexpr CharTraits kTraits;

bool isSpaceChar(char c)
{
    return kTraits.of[uchar(c)] & kSpace;
}

} // namespace

bool nextIniLine(const QByteArray &bytes, int &dataPos, int &lineStart, int &lineLen, int &equalsPos)
{
    const char *data = bytes.constData();
    const int dataLen = bytes.size();
    bool inQuotes = false;
    equalsPos = -1;
    lineStart = dataPos;
    while (lineStart < dataLen && isSpaceChar(data[lineStart]))
        ++lineStart;
    int i = lineStart;
    while (i < dataLen) {
        // ordinary characters are the common case
        while (!(kTraits.of[uchar(data[i])] & kSpecial)) {
            if (++i == dataLen)
                goto done;
        }
        const char ch = data[i];
        ++i;
        if (ch == '=') {
            if (!inQuotes && equalsPos == -1)
                equalsPos = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == lineStart + 1) {
                ++lineStart;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < dataLen) {
                const char c1 = data[i++];
                if (i < dataLen) {
                    const char c2 = data[i];
                    if ((c1 == '\n' && c2 == '\r') || (c1 == '\r' && c2 == '\n'))
                        ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == ';') {
            if (i == lineStart + 1) {
                while (i < dataLen && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < dataLen && isSpaceChar(data[i]))
                    ++i;
                lineStart = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
done:
    dataPos = i;
    lineLen = i - lineStart;
    return lineLen > 0;
}

namespace {

// The QColor type id as QSettings writes it (stream version Qt 4.0: no null flag),
// followed by colour model, alpha, red, green, blue and padding.
constexpr int kColorPayloadSize = 4 + 1 + 5 * 2;
constexpr unsigned char kColorTypeId = 0x43;
constexpr int kMaxColorModel = 5; // Invalid, Rgb, Hsv, Cmyk, Hsl, ExtendedRgb
constexpr int kExtendedRgbModel = 5;

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

// Decodes a value the way Qt's INI reader unescapes it, and records every
// position where an element of the value may begin. The positions are a
// superset of Qt's (every quote and every unquoted comma or semicolon counts),
// so no element that Qt would hand to its variant parser is missed. A comma
// inside quotes does not split the value: that is how QSettings stores any
// text holding a comma, and such text must read back as written.
void decodeValue(const QByteArray &data, int from, int to, std::vector<char16_t> &decoded, std::vector<size_t> &starts)
{
    static const char escapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'},
                                      {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    bool maybeStart = true;
    bool inQuotes = false;
    auto append = [&](char16_t c) {
        if (maybeStart && c != u' ' && c != u'\t') {
            starts.push_back(decoded.size());
            maybeStart = false;
        }
        decoded.push_back(c);
    };
    int i = from;
    while (i < to) {
        const char ch = data.at(i++);
        if (ch == '"') {
            inQuotes = !inQuotes;
            maybeStart = true;
            continue;
        }
        if (ch == ',' || ch == ';') {
            append(char16_t(uchar(ch)));
            if (!inQuotes)
                maybeStart = true;
            continue;
        }
        if (ch != '\\') {
            append(char16_t(uchar(ch)));
            continue;
        }
        if (i >= to)
            break;
        const char e = data.at(i++);
        bool known = false;
        for (const auto &pair : escapes) {
            if (pair[0] == e) {
                append(char16_t(uchar(pair[1])));
                known = true;
                break;
            }
        }
        if (known)
            continue;
        if (e == 'x') {
            if (i < to && isHexDigit(data.at(i))) {
                quint32 v = 0;
                while (i < to && isHexDigit(data.at(i)))
                    v = (v << 4) | quint32(hexValue(data.at(i++)));
                append(char16_t(v & 0xffff)); // QChar keeps the low 16 bits
            }
        } else if (e >= '0' && e <= '7') {
            quint32 v = quint32(e - '0');
            while (i < to && data.at(i) >= '0' && data.at(i) <= '7')
                v = (v << 3) | quint32(data.at(i++) - '0');
            append(char16_t(v & 0xffff));
        } else if (e == '\n' || e == '\r') {
            if (i < to) {
                const char e2 = data.at(i);
                if ((e2 == '\n' || e2 == '\r') && e2 != e)
                    ++i;
            }
        }
        // any other escaped character is dropped, as Qt does
    }
}

bool startsWithMarker(const std::vector<char16_t> &d, size_t pos, const char *marker)
{
    for (size_t k = 0; marker[k] != 0; ++k) {
        if (pos + k >= d.size() || d[pos + k] != char16_t(uchar(marker[k])))
            return false;
    }
    return true;
}

// Both forms are decoded by Qt with QDataStream >> QVariant.
bool startsWithVariant(const std::vector<char16_t> &d, size_t pos)
{
    return startsWithMarker(d, pos, "@Variant(") || startsWithMarker(d, pos, "@DateTime(");
}

// Whether the value starting at from may be parsed by Qt's variant reader in a
// way other than as one well-formed colour.
bool valueIsDangerous(const QByteArray &data, int from, int to)
{
    std::vector<char16_t> decoded;
    std::vector<size_t> starts;
    decoded.reserve(size_t(to - from));
    decodeValue(data, from, to, decoded, starts);

    std::vector<size_t> variants;
    for (size_t s : starts) {
        if (startsWithVariant(decoded, s))
            variants.push_back(s);
    }
    if (variants.empty())
        return false;
    if (variants.size() > 1 || variants.front() != starts.front())
        return true;
    // What a raw byte above 0x7f means depends on the file's text encoding, so
    // the payload checked here need not be the one Qt decodes; QSettings and
    // our writer escape such bytes in a variant.
    for (int k = from; k < to; ++k) {
        if (uchar(data.at(k)) >= 0x80)
            return true;
    }

    // One variant at the start of the value: it must be the whole value.
    size_t end = decoded.size();
    while (end > 0 && (decoded[end - 1] == u' ' || decoded[end - 1] == u'\t'))
        --end;
    if (!startsWithMarker(decoded, variants.front(), "@Variant("))
        return true;
    const size_t begin = variants.front() + 9;
    if (end < begin + 1 || decoded[end - 1] != u')')
        return true;
    QByteArray payload;
    payload.reserve(int(end - 1 - begin));
    for (size_t k = begin; k < end - 1; ++k)
        payload.append(decoded[k] > 0xff ? '?' : char(decoded[k]));
    return !isSafeColorVariant(payload);
}

} // namespace

bool iniValueIsDangerous(const QByteArray &data, int from, int to)
{
    // '@' can only come from the text itself or from an escape
    const char *value = data.constData() + from;
    const size_t valueLen = size_t(to - from);
    if (!memchr(value, '@', valueLen) && !memchr(value, '\\', valueLen))
        return false;
    return valueIsDangerous(data, from, to);
}

bool isSafeColorVariant(const QByteArray &payload)
{
    if (payload.size() != kColorPayloadSize)
        return false;
    if (payload.at(0) != 0 || payload.at(1) != 0 || payload.at(2) != 0 || uchar(payload.at(3)) != kColorTypeId)
        return false;
    const int model = qint8(payload.at(4));
    if (model < 0 || model > kMaxColorModel)
        return false;
    if (model == kExtendedRgbModel) {
        // alpha, red, green and blue are half floats: no infinity or NaN, which
        // would reach the lighting table through a float-to-int conversion
        for (int i = 5; i < 13; i += 2) {
            if ((uchar(payload.at(i)) & 0x7c) == 0x7c)
                return false;
        }
    }
    return true;
}

namespace {

// Positions (before a line break, or the end of data) where a quote opened on
// that line is still open. Qt's reader would carry it over the line break.
std::vector<int> openQuoteLineEnds(const QByteArray &data)
{
    std::vector<int> ends;
    const char *d = data.constData();
    const int n = data.size();
    int i = 0;
    while (i < n) {
        // one physical line (with its backslash continuations)
        while (i < n && (d[i] == ' ' || d[i] == '\t'))
            ++i;
        bool inQuotes = false;
        bool comment = i < n && d[i] == ';';
        while (i < n && d[i] != '\n' && d[i] != '\r') {
            const char ch = d[i++];
            if (comment)
                continue;
            if (ch == '\\') {
                if (i < n) {
                    const char c1 = d[i++];
                    if (i < n && ((c1 == '\n' && d[i] == '\r') || (c1 == '\r' && d[i] == '\n')))
                        ++i;
                }
            } else if (ch == '"') {
                inQuotes = !inQuotes;
            } else if (ch == ';' && !inQuotes) {
                comment = true; // the rest of the line is not part of the value
            }
        }
        if (inQuotes)
            ends.push_back(i);
        while (i < n && (d[i] == '\n' || d[i] == '\r'))
            ++i;
    }
    return ends;
}

// At most 80 bytes of a line, printable. A deep copy: data may be raw bytes
// without a terminating NUL, which mid() and toPercentEncoding() could hand back.
QByteArray loggable(const QByteArray &data, int from, int length, const char *keep)
{
    return QByteArray(data.constData() + from, qMin(length, 80)).toPercentEncoding(keep);
}

} // namespace

QByteArray closeOpenQuotes(const QByteArray &data, int *repaired)
{
    std::vector<int> ends;
    if (data.contains('"'))
        ends = openQuoteLineEnds(data);
    if (repaired)
        *repaired = int(ends.size());
    if (ends.empty())
        return data;
    QByteArray out;
    out.reserve(data.size() + int(ends.size()));
    int from = 0;
    for (int end : ends) {
        int lineStart = end;
        while (lineStart > 0 && data.at(lineStart - 1) != '\n' && data.at(lineStart - 1) != '\r')
            --lineStart;
        qWarning("Closing the quote left open in INI line: %s",
                 loggable(data, lineStart, end - lineStart, " =@\\()\"").constData());
        out.append(data.constData() + from, end - from);
        out.append('"');
        from = end;
    }
    out.append(data.constData() + from, data.size() - from);
    return out;
}

bool iniLineIsDamaged(const QByteArray &data, int lineStart, int lineLen, int equalsPos)
{
    // Qt refuses to write back a file holding a line without '=': the line is damage.
    if (equalsPos >= 0 && !iniValueIsDangerous(data, equalsPos + 1, lineStart + lineLen))
        return false;
    qWarning("Ignoring damaged INI line: %s", loggable(data, lineStart, lineLen, " =@\\()").constData());
    return true;
}

QByteArray sanitizeIniText(const QByteArray &input, int *dropped)
{
    int repaired = 0;
    const QByteArray data = closeOpenQuotes(input, &repaired);
    int removed = 0;
    QByteArray out;
    int copiedUpTo = 0;
    // Qt skips a UTF-8 byte order mark: the line after it may be a group header
    int pos = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    int lineStart = 0;
    int lineLen = 0;
    int equalsPos = -1;
    while (nextIniLine(data, pos, lineStart, lineLen, equalsPos)) {
        if (data.at(lineStart) == '[' || !iniLineIsDamaged(data, lineStart, lineLen, equalsPos))
            continue;
        out.append(data.constData() + copiedUpTo, lineStart - copiedUpTo);
        copiedUpTo = lineStart + lineLen;
        ++removed;
    }
    if (dropped)
        *dropped = removed + repaired;
    if (removed == 0)
        return data;
    out.append(data.constData() + copiedUpTo, data.size() - copiedUpTo);
    return out;
}

SafeIni::SafeIni(const QString &path, Mode mode)
    : m_strPath(path)
{
    QFile file(path);
    m_bExisted = file.exists();
    QString openPath = path;
    QByteArray clean;
    if (m_bExisted && file.open(QIODevice::ReadOnly)) {
        m_original = file.readAll();
        file.close();
        clean = sanitizeIniText(m_original, &m_iDropped);
        if (m_iDropped > 0 && mode == ReadOnly) {
            qWarning("Reading %s without %d damaged line(s)", qPrintable(path), m_iDropped);
            m_pTempCopy = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/mousecfg-XXXXXX.ini"));
            if (m_pTempCopy->open()) {
                m_pTempCopy->write(clean);
                m_pTempCopy->flush();
                openPath = m_pTempCopy->fileName();
            } else {
                // Without a clean copy the file cannot be read safely: read nothing.
                qWarning("Cannot create a temporary copy of %s; reading it as missing", qPrintable(path));
                openPath = QDir::tempPath() + QStringLiteral("/mousecfg-nonexistent-") +
                           QString::number(quintptr(this)) + QStringLiteral(".ini");
            }
        }
    }
    if (mode == ReadWrite) {
        if (m_iDropped > 0)
            qWarning("Writing %s without %d damaged line(s)", qPrintable(path), m_iDropped);
        removeStaleTemporaries(QFileInfo(path).absolutePath());
        // QSettings merges into the copy; the file itself changes only by the rename.
        m_openResult = writeTemporary(path, clean, &m_strWriteCopy);
        if (m_openResult.ok) {
            openPath = m_strWriteCopy;
            m_bPending = true;
        } else {
            qWarning("%s", qPrintable(m_openResult.message()));
            // Nothing can be written; what the file holds is still read.
            m_pTempCopy = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/mousecfg-XXXXXX.ini"));
            if (m_pTempCopy->open()) {
                m_pTempCopy->write(clean);
                m_pTempCopy->flush();
                openPath = m_pTempCopy->fileName();
            }
        }
    }
    m_pSettings = std::make_unique<QSettings>(openPath, QSettings::IniFormat);
}

SafeIni::~SafeIni()
{
    if (m_bPending) {
        const StoreResult result = commit();
        if (!result.ok)
            qWarning("%s", qPrintable(result.message()));
    }
    // Settings first: they may still refer to the temporary copy.
    m_pSettings.reset();
    m_pTempCopy.reset();
}

StoreResult SafeIni::stage(QString *tempPath)
{
    tempPath->clear();
    if (!m_openResult.ok)
        return m_openResult;
    if (!m_bPending)
        return StoreResult::failure(m_strPath, QStringLiteral("not opened for writing"));
    m_bPending = false;
    m_pSettings->sync();
    if (m_pSettings->status() != QSettings::NoError) {
        QFile::remove(m_strWriteCopy);
        return StoreResult::failure(m_strPath, m_pSettings->status() == QSettings::AccessError
                                                   ? QStringLiteral("access denied")
                                                   : QStringLiteral("the settings could not be written"));
    }
    QFile copy(m_strWriteCopy);
    if (!copy.open(QIODevice::ReadWrite)) {
        const QString reason = copy.errorString();
        QFile::remove(m_strWriteCopy);
        return StoreResult::failure(m_strPath, reason);
    }
    const QByteArray written = copy.readAll();
    const bool unchanged = m_bExisted ? written == m_original && holdsBytes(m_strPath, m_original) : written.isEmpty();
    if (unchanged) {
        copy.close();
        QFile::remove(m_strWriteCopy);
        return {};
    }
#ifdef Q_OS_UNIX
    ::fsync(copy.handle());
#endif
    copy.close();
    *tempPath = m_strWriteCopy;
    return {};
}

StoreResult SafeIni::commit()
{
    QString temp;
    const StoreResult staged = stage(&temp);
    if (!staged.ok || temp.isEmpty())
        return staged;
    return replaceWith(temp, m_strPath);
}
