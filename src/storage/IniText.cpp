#include "IniText.h"

#include "SafeIni.h"

#include <QDataStream>
#include <QDebug>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace {

bool isSpaceChar(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void chopTrailingSpaces(QString &s, int limit)
{
    int n = s.size();
    while (n > limit && (s.at(n - 1) == QLatin1Char(' ') || s.at(n - 1) == QLatin1Char('\t')))
        --n;
    s.truncate(n);
}

const char kEol[] =
#ifdef Q_OS_WIN
    "\r\n";
#else
    "\n";
#endif

QVariant listToVariant(const QStringList &l)
{
    QStringList out = l;
    for (int i = 0; i < out.size(); ++i) {
        const QString &s = out.at(i);
        if (!s.startsWith(QLatin1Char('@')))
            continue;
        if (s.size() >= 2 && s.at(1) == QLatin1Char('@')) {
            out[i].remove(0, 1);
        } else {
            QVariantList vl;
            vl.reserve(l.size());
            for (const QString &e : l)
                vl.append(iniStringToVariant(e));
            return vl;
        }
    }
    return out;
}

// Section name as QSettings writes its header.
QByteArray sectionHeader(const QString &name)
{
    QByteArray h;
    if (name.isEmpty()) {
        h = "[General]";
    } else {
        QByteArray escaped;
        iniEscapeKey(name, escaped);
        h = escaped.compare("general", Qt::CaseInsensitive) == 0 ? QByteArray("[%General]") : "[" + escaped + "]";
    }
    return h + kEol;
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
        const char ch = data[i];
        ++i;
        // ordinary characters are the common case
        if (ch != '=' && ch != '\n' && ch != '\r' && ch != '\\' && ch != '"' && ch != ';')
            continue;
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
    dataPos = i;
    lineLen = i - lineStart;
    return lineLen > 0;
}

QString iniUnescapeKey(const QByteArray &data, int from, int to)
{
    const char *p = data.constData() + from;
    const int n = to - from;
    if (!memchr(p, '\\', size_t(n)) && !memchr(p, '%', size_t(n)))
        return QString::fromLatin1(p, n);
    QString result;
    result.reserve(to - from);
    int i = from;
    while (i < to) {
        const char ch = data.at(i);
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
        int digits = 2;
        int first = i + 1;
        if (data.at(i + 1) == 'U') {
            ++first;
            digits = 4;
        }
        bool ok = first + digits <= to;
        int value = 0;
        for (int k = 0; ok && k < digits; ++k) {
            const int d = hexDigitValue(data.at(first + k));
            ok = d >= 0;
            value = value * 16 + d;
        }
        if (!ok) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(ushort(value));
        i = first + digits;
    }
    return result;
}

bool iniUnescapeValue(const QByteArray &str, int from, int to, QString &text, QStringList &list)
{
    static const char escapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                      {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                      {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;
    int i = from;
    int chopLimit = 0;
    bool skipSpaces = true;

    while (true) {
        if (skipSpaces) {
            while (i < to && (str.at(i) == ' ' || str.at(i) == '\t'))
                ++i;
            skipSpaces = false;
            chopLimit = text.size();
        }
        if (i >= to)
            break;
        const char c = str.at(i);
        if (c == '\\') {
            ++i;
            if (i >= to)
                goto end;
            const char e = str.at(i++);
            bool known = false;
            for (const auto &pair : escapes) {
                if (pair[0] == e) {
                    text += QLatin1Char(pair[1]);
                    known = true;
                    break;
                }
            }
            if (known) {
                chopLimit = text.size();
                continue;
            }
            if (e == 'x' || (e >= '0' && e <= '7')) {
                const bool hex = e == 'x';
                if (hex && (i >= to || hexDigitValue(str.at(i)) < 0)) {
                    if (i >= to)
                        goto end;
                    chopLimit = text.size();
                    continue;
                }
                quint32 v = hex ? 0 : quint32(e - '0');
                while (i < to) {
                    const char d = str.at(i);
                    const int dv = hex ? hexDigitValue(d) : (d >= '0' && d <= '7' ? d - '0' : -1);
                    if (dv < 0)
                        break;
                    v = (v << (hex ? 4 : 3)) + quint32(dv);
                    ++i;
                }
                text += QChar(ushort(v & 0xffff));
                chopLimit = text.size();
                continue;
            }
            if (e == '\n' || e == '\r') {
                if (i < to) {
                    const char e2 = str.at(i);
                    if ((e2 == '\n' || e2 == '\r') && e2 != e)
                        ++i;
                }
            }
            chopLimit = text.size();
            continue;
        }
        if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipSpaces = true;
            continue;
        }
        if (c == ',' && !inQuotes) {
            if (!quoted)
                chopTrailingSpaces(text, chopLimit);
            if (!isList) {
                isList = true;
                list.clear();
            }
            list.append(text);
            text.clear();
            quoted = false;
            ++i;
            skipSpaces = true;
            continue;
        }
        int j = i + 1;
        while (j < to) {
            const char d = str.at(j);
            if (d == '\\' || d == '"' || d == ',')
                break;
            ++j;
        }
        text += QLatin1String(str.constData() + i, j - i);
        i = j;
    }
    if (!quoted)
        chopTrailingSpaces(text, chopLimit);
end:
    if (isList)
        list.append(text);
    return isList;
}

QVariant iniStringToVariant(const QString &s)
{
    if (s.startsWith(QLatin1Char('@'))) {
        if (s.endsWith(QLatin1Char(')'))) {
            if (s.startsWith(QLatin1String("@ByteArray(")))
                return QVariant(s.midRef(11, s.size() - 12).toLatin1());
            if (s.startsWith(QLatin1String("@String(")))
                return QVariant(s.midRef(8, s.size() - 9).toString());
            if (s.startsWith(QLatin1String("@Variant("))) {
                QByteArray payload = s.midRef(9, s.size() - 10).toLatin1();
                if (isSafeColorVariant(payload)) {
                    QDataStream stream(&payload, QIODevice::ReadOnly);
                    stream.setVersion(QDataStream::Qt_4_0);
                    QVariant v;
                    stream >> v;
                    return v;
                }
                qWarning("Ignoring a stored value that is not a colour: %s", qPrintable(s.left(40)));
                return QVariant();
            }
            if (s.startsWith(QLatin1String("@DateTime(")) || s.startsWith(QLatin1String("@Rect(")) ||
                s.startsWith(QLatin1String("@Size(")) || s.startsWith(QLatin1String("@Point(")) ||
                s == QLatin1String("@Invalid()"))
                return QVariant(); // none of the stored records holds such a value
        }
        if (s.startsWith(QLatin1String("@@")))
            return QVariant(s.mid(1));
    }
    return QVariant(s);
}

void iniEscapeKey(const QString &key, QByteArray &out)
{
    static const char hex[] = "0123456789ABCDEF";
    bool plain = true;
    for (const QChar qc : key) {
        const ushort ch = qc.unicode();
        if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_' ||
              ch == '-' || ch == '.' || ch == '/')) {
            plain = false;
            break;
        }
    }
    if (plain) {
        const int start = out.size();
        out.resize(start + key.size());
        char *dst = out.data() + start;
        for (const QChar qc : key)
            *dst++ = qc.unicode() == '/' ? '\\' : char(qc.unicode());
        return;
    }
    out.reserve(out.size() + key.size());
    for (const QChar qc : key) {
        const ushort ch = qc.unicode();
        if (ch == '/') {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_' ||
                   ch == '-' || ch == '.') {
            out += char(ch);
        } else if (ch <= 0xff) {
            out += '%';
            out += hex[ch / 16];
            out += hex[ch % 16];
        } else {
            out += "%U";
            out += hex[(ch >> 12) & 0xf];
            out += hex[(ch >> 8) & 0xf];
            out += hex[(ch >> 4) & 0xf];
            out += hex[ch & 0xf];
        }
    }
}

void iniEscapeString(const QString &str, QByteArray &result)
{
    // printable ASCII without quotes, commas, separators or edge spaces stays as it is
    bool plain = str.isEmpty() || (str.at(0) != QLatin1Char(' ') && str.at(str.size() - 1) != QLatin1Char(' '));
    for (int i = 0; plain && i < str.size(); ++i) {
        const ushort ch = str.at(i).unicode();
        plain = ch >= 0x20 && ch < 0x7f && ch != '\\' && ch != '"' && ch != ';' && ch != ',' && ch != '=';
    }
    if (plain) {
        result += str.toLatin1();
        return;
    }
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    const int startPos = result.size();
    result.reserve(startPos + str.size() * 3 / 2);
    for (const QChar qc : str) {
        const uint ch = qc.unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && ((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F'))) {
            result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (ch) {
        case '\0':
            result += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a':
            result += "\\a";
            break;
        case '\b':
            result += "\\b";
            break;
        case '\f':
            result += "\\f";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\v':
            result += "\\v";
            break;
        case '"':
        case '\\':
            result += '\\';
            result += char(ch);
            break;
        default:
            if (ch <= 0x1f || ch >= 0x7f) {
                result += "\\x" + QByteArray::number(ch, 16);
                escapeNextIfDigit = true;
            } else {
                result += char(ch);
            }
        }
    }
    if (needsQuotes ||
        (startPos < result.size() && (result.at(startPos) == ' ' || result.at(result.size() - 1) == ' '))) {
        result.insert(startPos, '"');
        result += '"';
    }
}

bool iniVariantToString(const QVariant &v, QString &out)
{
    switch (int(v.type())) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::QString:
        out = v.toString();
        if (out.contains(QChar::Null))
            return false;
        if (out.startsWith(QLatin1Char('@')))
            out.prepend(QLatin1Char('@'));
        return true;
    case QMetaType::QColor: {
        QByteArray a;
        {
            QDataStream s(&a, QIODevice::WriteOnly);
            s.setVersion(QDataStream::Qt_4_0);
            s << v;
        }
        out = QLatin1String("@Variant(") + QString::fromLatin1(a.constData(), a.size()) + QLatin1Char(')');
        return true;
    }
    default:
        return false;
    }
}

IniReader::IniReader(const QString &path)
{
    QFile f(path);
    m_bExisted = f.exists();
    if (m_bExisted && f.open(QIODevice::ReadOnly))
        parse(f.readAll());
}

IniReader IniReader::fromText(const QByteArray &text)
{
    IniReader r;
    r.m_bExisted = true;
    r.parse(text);
    return r;
}

void IniReader::parse(const QByteArray &raw)
{
    QByteArray data = raw;
    if (data.startsWith("\xef\xbb\xbf"))
        data.remove(0, 3);
    m_hValues.reserve(data.count('\n') + 1);
    QString section;
    int pos = 0;
    int lineStart = 0;
    int lineLen = 0;
    int equalsPos = -1;
    QStringList list;
    while (nextIniLine(data, pos, lineStart, lineLen, equalsPos)) {
        if (data.at(lineStart) == '[') {
            const int close = data.indexOf(']', lineStart);
            QByteArray name = (close == -1 || close >= lineStart + lineLen)
                                  ? data.mid(lineStart + 1, lineLen - 1)
                                  : data.mid(lineStart + 1, close - lineStart - 1);
            name = name.trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0) {
                section.clear();
            } else {
                section = name.compare("%general", Qt::CaseInsensitive) == 0
                              ? QString::fromLatin1(name.constData() + 1)
                              : iniUnescapeKey(name, 0, name.size());
                section += QLatin1Char('/');
            }
            continue;
        }
        if (equalsPos < 0)
            continue;
        int keyEnd = equalsPos;
        while (keyEnd > lineStart && (data.at(keyEnd - 1) == ' ' || data.at(keyEnd - 1) == '\t'))
            --keyEnd;
        const QString key = section + iniUnescapeKey(data, lineStart, keyEnd);
        // most values are plain: no escapes, quotes, lists, edge blanks or '@'
        const char *v = data.constData() + equalsPos + 1;
        const int vLen = lineStart + lineLen - equalsPos - 1;
        bool plain = vLen > 0 && v[0] != '@' && v[0] != ' ' && v[0] != '\t' && v[vLen - 1] != ' ' &&
                     v[vLen - 1] != '\t';
        for (int k = 0; plain && k < vLen; ++k)
            plain = v[k] != '\\' && v[k] != '"' && v[k] != ',';
        if (plain) {
            m_hValues.insert(key, QVariant(QString::fromLatin1(v, vLen)));
            continue;
        }
        QString text;
        const bool isList = iniUnescapeValue(data, equalsPos + 1, lineStart + lineLen, text, list);
        m_hValues.insert(key, isList ? listToVariant(list) : iniStringToVariant(text));
    }
}

IniWriter::IniWriter(const QString &path) : m_sPath(path)
{
}

void IniWriter::setValue(const QString &key, const QVariant &value)
{
    m_vValues.emplace_back(key, value);
}

namespace {

// Section header name of an existing "[...]" line, unescaped as QSettings does.
QString existingSectionName(const QByteArray &data, int lineStart, int lineLen)
{
    const int close = data.indexOf(']', lineStart);
    QByteArray name = (close == -1 || close >= lineStart + lineLen) ? data.mid(lineStart + 1, lineLen - 1)
                                                                    : data.mid(lineStart + 1, close - lineStart - 1);
    name = name.trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return QString();
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.constData() + 1);
    return iniUnescapeKey(name, 0, name.size());
}

} // namespace

namespace {

void appendDecimal(QByteArray &out, qlonglong v)
{
    char buf[24];
    char *end = buf + sizeof(buf);
    char *p = end;
    qulonglong u = v < 0 ? qulonglong(0) - qulonglong(v) : qulonglong(v);
    do {
        *--p = char('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (v < 0)
        *--p = '-';
    out.append(p, int(end - p));
}

} // namespace

QByteArray IniWriter::render(const QByteArray &existingRaw) const
{
    struct Line
    {
        int start = 0; // an unchanged line is a range of the existing text
        int len = 0;
        QByteArray replaced;
    };
    struct Section
    {
        QString name;
        std::vector<Line> lines;
        std::unordered_map<std::string_view, size_t> index; // escaped key -> line
        std::vector<std::pair<QString, QByteArray>> added;   // keys that are new to the file
        QHash<QString, size_t> addedIndex;
    };
    std::vector<Section> sections;
    QHash<QString, size_t> sectionIndex;
    auto sectionFor = [&](const QString &name) -> size_t {
        auto it = sectionIndex.constFind(name);
        if (it != sectionIndex.constEnd())
            return *it;
        sectionIndex.insert(name, sections.size());
        sections.push_back(Section{name, {}, {}, {}, {}});
        return sections.size() - 1;
    };

    // The existing lines are kept as ranges of this buffer until the text is built.
    QByteArray existing = existingRaw;
    if (existing.startsWith("\xef\xbb\xbf"))
        existing.remove(0, 3);
    const char *base = existing.constData();
    {
        size_t current = sectionFor(QString());
        int pos = 0;
        int lineStart = 0;
        int lineLen = 0;
        int equalsPos = -1;
        while (nextIniLine(existing, pos, lineStart, lineLen, equalsPos)) {
            if (base[lineStart] == '[') {
                current = sectionFor(existingSectionName(existing, lineStart, lineLen));
                continue;
            }
            if (equalsPos < 0)
                continue;
            if (iniValueIsDangerous(existing, equalsPos + 1, lineStart + lineLen)) {
                qWarning("Dropping a damaged INI value: %s", existing.mid(lineStart, qMin(lineLen, 60)).constData());
                continue; // QSettings could not read the file safely with it
            }
            int keyEnd = equalsPos;
            while (keyEnd > lineStart && (base[keyEnd - 1] == ' ' || base[keyEnd - 1] == '\t'))
                --keyEnd;
            Section &s = sections[current];
            const std::string_view key(base + lineStart, size_t(keyEnd - lineStart));
            const auto it = s.index.find(key);
            if (it != s.index.end()) {
                s.lines[it->second] = Line{lineStart, lineLen, {}}; // a repeated key: the last one counts
            } else {
                s.index.emplace(key, s.lines.size());
                s.lines.push_back(Line{lineStart, lineLen, {}});
            }
        }
    }
    const size_t existingSections = sections.size();

    QString lastSectionName;
    size_t lastSection = sectionFor(QString());
    for (const auto &kv : m_vValues) {
        const int slash = kv.first.indexOf(QLatin1Char('/'));
        const QStringRef sectionName = slash < 0 ? QStringRef() : kv.first.leftRef(slash);
        if (sectionName != lastSectionName) {
            lastSectionName = sectionName.toString();
            lastSection = sectionFor(lastSectionName);
        }
        const QString key = slash < 0 ? kv.first : kv.first.mid(slash + 1);
        QByteArray line;
        line.reserve(key.size() + 32);
        iniEscapeKey(key, line);
        const int keyLen = line.size();
        line += '=';
        const int type = int(kv.second.type());
        if (type == QMetaType::Int || type == QMetaType::UInt || type == QMetaType::LongLong) {
            appendDecimal(line, kv.second.toLongLong()); // digits need no escaping
        } else {
            QString text;
            if (!iniVariantToString(kv.second, text)) {
                m_bUnsupported = true;
                continue;
            }
            iniEscapeString(text, line);
        }
        Section &s = sections[lastSection];
        const auto it = s.index.find(std::string_view(line.constData(), size_t(keyLen)));
        if (it != s.index.end()) {
            s.lines[it->second].replaced = line;
        } else {
            // a key set twice in one write: the last value counts
            auto a = s.addedIndex.constFind(key);
            if (a != s.addedIndex.constEnd()) {
                s.added[*a].second = line;
            } else {
                s.addedIndex.insert(key, s.added.size());
                s.added.emplace_back(key, line);
            }
        }
    }

    // sections that did not exist yet follow in name order, and new keys in key
    // order, as QSettings writes them
    std::sort(sections.begin() + long(existingSections), sections.end(),
              [](const Section &a, const Section &b) { return a.name < b.name; });

    int estimate = existing.size();
    for (const Section &s : sections)
        estimate += int(s.added.size()) * 48;
    QByteArray out;
    out.reserve(estimate + 64);
    bool first = true;
    for (Section &s : sections) {
        if (s.lines.empty() && s.added.empty())
            continue;
        std::sort(s.added.begin(), s.added.end(),
                  [](const std::pair<QString, QByteArray> &a, const std::pair<QString, QByteArray> &b) {
                      return a.first < b.first;
                  });
        if (!first)
            out += kEol;
        first = false;
        out += sectionHeader(s.name);
        for (const Line &line : s.lines) {
            if (line.replaced.isNull())
                out.append(base + line.start, line.len);
            else
                out += line.replaced;
            out += kEol;
        }
        for (const auto &a : s.added) {
            out += a.second;
            out += kEol;
        }
    }
    return out;
}

bool IniWriter::commit()
{
    QByteArray existing;
    QFile in(m_sPath);
    if (in.exists() && in.open(QIODevice::ReadOnly))
        existing = in.readAll();
    in.close();
    m_bUnsupported = false;
    const QByteArray text = render(existing);
    if (m_bUnsupported)
        return false;
    if (in.exists() && text == existing)
        return true; // nothing changed: no rewrite, no disk sync
    QSaveFile out(m_sPath);
    if (!out.open(QIODevice::WriteOnly)) {
        qWarning("Cannot write %s", qPrintable(m_sPath));
        return false;
    }
    out.write(text);
    return out.commit();
}
