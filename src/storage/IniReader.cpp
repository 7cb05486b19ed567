#include "IniReader.h"

#include "SafeIni.h"

#include <QColor>
#include <QDataStream>
#include <QDebug>
#include <QFile>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTextCodec>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Where Qt compares INI keys without letter case, so does this reader.
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
QString foldKey(const QString &key)
{
    return key.toLower();
}
#else
const QString &foldKey(const QString &key)
{
    return key;
}
#endif

bool isUtf8Bom(const QByteArray &data)
{
    return data.size() >= 3 && uchar(data.at(0)) == 0xef && uchar(data.at(1)) == 0xbb && uchar(data.at(2)) == 0xbf;
}

// A key as Qt unescapes it: '\' separates groups, %XX and %UXXXX are characters.
void appendUnescapedKey(const QByteArray &key, int from, int to, QString &result)
{
    const char *p = key.constData();
    int plainEnd = from;
    while (plainEnd < to && p[plainEnd] != '\\' && p[plainEnd] != '%')
        ++plainEnd;
    result += QLatin1String(p + from, plainEnd - from);
    if (plainEnd == to)
        return;
    int i = plainEnd;
    while (i < to) {
        const char ch = key.at(i);
        if (ch == '\\') {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != '%' || i == to - 1) {
            result += QLatin1Char(ch);
            ++i;
            continue;
        }
        int numDigits = 2;
        int firstDigitPos = i + 1;
        if (key.at(i + 1) == 'U') {
            ++firstDigitPos;
            numDigits = 4;
        }
        if (firstDigitPos + numDigits > to) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        bool ok = false;
        // Qt's own number parser: it also takes signs, spaces and "0x"
        const int code = key.mid(firstDigitPos, numDigits).toInt(&ok, 16);
        if (!ok) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(code);
        i = firstDigitPos + numDigits;
    }
}

// The characters of bytes [from, to) of a value.
void appendRun(QString &out, const char *bytes, int len, bool utf8)
{
    if (utf8) {
        static QTextCodec *const codec = QTextCodec::codecForName("UTF-8");
        out += codec->toUnicode(bytes, len);
        return;
    }
    const int n = out.size();
    out.resize(n + len);
    QChar *dst = out.data() + n;
    for (int k = 0; k < len; ++k)
        dst[k] = QLatin1Char(bytes[k]);
}

void chopTrailingSpaces(QString &str, int limit)
{
    int n = str.size() - 1;
    while (n >= limit && (str.at(n) == QLatin1Char(' ') || str.at(n) == QLatin1Char('\t')))
        str.truncate(n--);
}

// Qt's unescaping of a value: returns true (and fills list) when an unquoted
// comma makes it a list, else false with the text in text.
bool unescapeValue(const QByteArray &str, int from, int to, bool utf8, QString &text, QStringList &list)
{
    static const char escapeCodes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'},
                                          {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    static const char hexDigits[] = "0123456789ABCDEF";
    bool isList = false;
    bool inQuotes = false;
    bool currentIsQuoted = false;
    // Qt's int wraps around in a long escape and only its low 16 bits are kept
    quint32 escapeVal = 0;
    int i = from;
    int chopLimit = 0;
    char ch = 0;

    // The states of Qt's reader, kept as it has them so that both agree on every input.
skipSpaces:
    while (i < to && ((ch = str.at(i)) == ' ' || ch == '\t'))
        ++i;
normal:
    chopLimit = text.size();
    while (i < to) {
        switch (str.at(i)) {
        case '\\':
            ++i;
            if (i >= to)
                goto end;
            ch = str.at(i++);
            for (const auto &code : escapeCodes) {
                if (ch == code[0]) {
                    text += QLatin1Char(code[1]);
                    goto normal;
                }
            }
            if (ch == 'x') {
                escapeVal = 0;
                if (i >= to)
                    goto end;
                ch = str.at(i);
                if ((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f'))
                    goto hexEscape;
            } else if (ch >= '0' && ch <= '7') {
                escapeVal = quint32(ch - '0');
                goto octEscape;
            } else if (ch == '\n' || ch == '\r') {
                if (i < to) {
                    const char ch2 = str.at(i);
                    if ((ch2 == '\n' || ch2 == '\r') && ch2 != ch)
                        ++i;
                }
            }
            // any other escaped character is dropped
            chopLimit = text.size();
            break;
        case '"':
            ++i;
            currentIsQuoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                goto skipSpaces;
            break;
        case ',':
            if (!inQuotes) {
                if (!currentIsQuoted)
                    chopTrailingSpaces(text, chopLimit);
                if (!isList) {
                    isList = true;
                    list.clear();
                }
                list.append(text);
                text.clear();
                currentIsQuoted = false;
                ++i;
                goto skipSpaces;
            }
            Q_FALLTHROUGH();
        default: {
            int j = i + 1;
            while (j < to) {
                ch = str.at(j);
                if (ch == '\\' || ch == '"' || ch == ',')
                    break;
                ++j;
            }
            appendRun(text, str.constData() + i, j - i, utf8);
            i = j;
        }
        }
    }
    if (!currentIsQuoted)
        chopTrailingSpaces(text, chopLimit);
    goto end;

hexEscape:
    if (i >= to) {
        text += QChar(ushort(escapeVal));
        goto end;
    }
    ch = str.at(i);
    if (ch >= 'a')
        ch = char(ch - ('a' - 'A'));
    if ((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F')) {
        escapeVal <<= 4;
        escapeVal += quint32(std::strchr(hexDigits, ch) - hexDigits);
        ++i;
        goto hexEscape;
    }
    text += QChar(ushort(escapeVal));
    goto normal;

octEscape:
    if (i >= to) {
        text += QChar(ushort(escapeVal));
        goto end;
    }
    ch = str.at(i);
    if (ch >= '0' && ch <= '7') {
        escapeVal <<= 3;
        escapeVal += quint32(ch - '0');
        ++i;
        goto octEscape;
    }
    text += QChar(ushort(escapeVal));
    goto normal;

end:
    if (isList)
        list.append(text);
    return isList;
}

// "@Rect(1 2 3 4)" and the like: the arguments between the parenthesis at idx and the end.
QStringList splitArgs(const QString &s, int idx)
{
    QStringList result;
    QString item;
    for (++idx; idx < s.size(); ++idx) {
        const QChar c = s.at(idx);
        if (c == QLatin1Char(')')) {
            result.append(item);
        } else if (c == QLatin1Char(' ')) {
            result.append(item);
            item.clear();
        } else {
            item.append(c);
        }
    }
    return result;
}

// The QVariant Qt makes of a value text.
QVariant textToVariant(const QString &s)
{
    if (!s.startsWith(QLatin1Char('@')))
        return QVariant(s);
    if (s.endsWith(QLatin1Char(')'))) {
        if (s.startsWith(QLatin1String("@ByteArray(")))
            return QVariant(s.midRef(11, s.size() - 12).toLatin1());
        if (s.startsWith(QLatin1String("@String(")))
            return QVariant(s.mid(8, s.size() - 9));
        if (s.startsWith(QLatin1String("@Variant(")) || s.startsWith(QLatin1String("@DateTime("))) {
            // The sanitiser let only whole colours through; anything else reads as missing.
            const QByteArray payload = s.midRef(9, s.size() - 10).toLatin1();
            if (!s.startsWith(QLatin1String("@Variant(")) || !isSafeColorVariant(payload))
                return QVariant();
            QByteArray bytes = s.midRef(9).toLatin1();
            QDataStream stream(&bytes, QIODevice::ReadOnly);
            stream.setVersion(QDataStream::Qt_4_0);
            QVariant result;
            stream >> result;
            return result;
        }
        if (s.startsWith(QLatin1String("@Rect("))) {
            const QStringList args = splitArgs(s, 5);
            if (args.size() == 4)
                return QVariant(QRect(args[0].toInt(), args[1].toInt(), args[2].toInt(), args[3].toInt()));
        } else if (s.startsWith(QLatin1String("@Size("))) {
            const QStringList args = splitArgs(s, 5);
            if (args.size() == 2)
                return QVariant(QSize(args[0].toInt(), args[1].toInt()));
        } else if (s.startsWith(QLatin1String("@Point("))) {
            const QStringList args = splitArgs(s, 6);
            if (args.size() == 2)
                return QVariant(QPoint(args[0].toInt(), args[1].toInt()));
        } else if (s == QLatin1String("@Invalid()")) {
            return QVariant();
        }
    }
    if (s.startsWith(QLatin1String("@@")))
        return QVariant(s.mid(1));
    return QVariant(s);
}

QVariant listToVariant(const QStringList &l)
{
    QStringList out = l;
    for (int i = 0; i < out.size(); ++i) {
        const QString &str = out.at(i);
        if (!str.startsWith(QLatin1Char('@')))
            continue;
        if (str.size() >= 2 && str.at(1) == QLatin1Char('@')) {
            out[i].remove(0, 1);
        } else {
            // one marked element makes every element a variant of its own
            QVariantList variants;
            variants.reserve(l.size());
            for (const QString &element : l)
                variants.append(textToVariant(element));
            return variants;
        }
    }
    return out;
}

QVariant valueOf(const QByteArray &data, int from, int to, bool utf8)
{
    const char *p = data.constData();
    // Most values are plain numbers or names: no escape, quote or comma.
    bool plain = true;
    for (int k = from; k < to; ++k) {
        const char c = p[k];
        if (c == '\\' || c == '"' || c == ',') {
            plain = false;
            break;
        }
    }
    if (plain) {
        int i = from;
        while (i < to && (p[i] == ' ' || p[i] == '\t'))
            ++i;
        QString text;
        if (utf8) {
            appendRun(text, p + i, to - i, true);
            chopTrailingSpaces(text, 0);
        } else {
            int end = to;
            while (end > i && (p[end - 1] == ' ' || p[end - 1] == '\t'))
                --end;
            text = QString::fromLatin1(p + i, end - i);
        }
        return textToVariant(text);
    }
    QString text;
    text.reserve(to - from);
    QStringList list;
    if (unescapeValue(data, from, to, utf8, text, list))
        return listToVariant(list);
    return textToVariant(text);
}

} // namespace

IniReader::IniReader(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        m_bExisted = true;
        parse(file.readAll(), path);
    } else {
        m_bExisted = file.exists();
    }
}

IniReader IniReader::fromText(const QByteArray &text, const QString &name)
{
    IniReader reader;
    reader.m_bExisted = true;
    reader.parse(text, name);
    return reader;
}

QVariant IniReader::value(const QString &key, const QVariant &missing) const
{
    const auto it = m_values.constFind(foldKey(key));
    if (it == m_values.constEnd())
        return missing;
    return valueOf(m_text, it->from, it->to, m_bUtf8);
}

bool IniReader::contains(const QString &key) const
{
    return m_values.contains(foldKey(key));
}

void IniReader::parse(const QByteArray &raw, const QString &name)
{
    // The text is read as Qt would read the sanitised text (see SafeIni.h):
    // the lines that sanitising leaves out are skipped here in the same pass.
    int repaired = 0;
    m_text = closeOpenQuotes(raw, &repaired);
    const QByteArray &data = m_text;
    int removed = 0;

    // Qt cuts the text into groups, then parses each group on its own, in the
    // order of the group names; a group that appears twice is one group. A
    // key met again replaces the value read before.
    struct Line
    {
        int start;
        int length;
        int equals;
    };
    struct Section
    {
        QString group; // "" for [General], else "name/"
        std::vector<Line> lines;
    };
    std::vector<Section> sections;
    QHash<QString, int> sectionIndex;
    int current = -1;
    auto enter = [&](const QString &group) {
        auto it = sectionIndex.constFind(group);
        if (it == sectionIndex.constEnd()) {
            it = sectionIndex.insert(group, int(sections.size()));
            sections.push_back({group, {}});
        }
        current = it.value();
    };
    enter(QString());

    m_bUtf8 = isUtf8Bom(data);
    const bool utf8 = m_bUtf8;
    int dataPos = utf8 ? 3 : 0;
    bool firstLine = true;
    int lineStart = 0;
    int lineLen = 0;
    int equalsPos = -1;
    while (nextIniLine(data, dataPos, lineStart, lineLen, equalsPos)) {
        const bool first = firstLine;
        firstLine = false;
        if (data.at(lineStart) == '[') {
            const char *close =
                static_cast<const char *>(std::memchr(data.constData() + lineStart, ']', size_t(lineLen)));
            QByteArray header = close ? data.mid(lineStart + 1, int(close - data.constData()) - lineStart - 1)
                                      : data.mid(lineStart + 1, lineLen - 1);
            header = header.trimmed();
            QString group;
            if (header.compare("general", Qt::CaseInsensitive) != 0) {
                if (header.compare("%general", Qt::CaseInsensitive) == 0)
                    group = QLatin1String(header.constData() + 1, header.size() - 1);
                else
                    appendUnescapedKey(header, 0, header.size(), group);
                group += QLatin1Char('/');
            }
            enter(foldKey(group));
            continue;
        }
        if (iniLineIsDamaged(data, lineStart, lineLen, equalsPos)) {
            ++removed;
            continue;
        }
        Line line{lineStart, lineLen, equalsPos};
        // Qt parses [General] from the very start, so a byte order mark followed
        // by blanks on the first line is part of its first key.
        if (first && utf8) {
            const QByteArray lead = data.mid(3, lineStart - 3);
            if (!lead.contains('\n') && !lead.contains('\r')) {
                line.length += line.start;
                line.start = 0;
            }
        }
        sections[size_t(current)].lines.push_back(line);
    }
    m_iDropped = removed + repaired;
    if (m_iDropped > 0)
        qWarning("Reading %s without %d damaged line(s)", qPrintable(name), m_iDropped);

    std::sort(sections.begin(), sections.end(), [](const Section &a, const Section &b) { return a.group < b.group; });
    for (const Section &section : sections) {
        m_values.reserve(m_values.size() + int(section.lines.size()));
        for (const Line &line : section.lines) {
            int keyEnd = line.equals;
            while (keyEnd > line.start && (data.at(keyEnd - 1) == ' ' || data.at(keyEnd - 1) == '\t'))
                --keyEnd;
            QString key;
            key.reserve(section.group.size() + keyEnd - line.start);
            key += section.group;
            appendUnescapedKey(data, line.start, keyEnd, key);
            // values are decoded when asked for: most are read once, right away
            m_values.insert(foldKey(key), {line.equals + 1, line.start + line.length});
        }
    }
}
