#include "IniText.h"

#include <QDataStream>
#include <QVariant>

namespace {

bool isHexDigitChar(uint ch)
{
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

void appendHexEscape(QByteArray &out, uint ch)
{
    out += "\\x";
    out += QByteArray::number(ch, 16);
}

// Qt's escaping of one value string (no codec: everything outside ASCII is escaped).
void appendEscaped(QByteArray &out, const QString &str)
{
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    const int startPos = out.size();
    const QChar *unicode = str.unicode();
    for (int i = 0; i < str.size(); ++i) {
        const uint ch = unicode[i].unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && isHexDigitChar(ch)) {
            appendHexEscape(out, ch);
            continue;
        }
        escapeNextIfDigit = false;
        switch (ch) {
        case '\0':
            out += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a':
            out += "\\a";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\v':
            out += "\\v";
            break;
        case '"':
        case '\\':
            out += '\\';
            out += char(ch);
            break;
        default:
            if (ch <= 0x1F || ch >= 0x7F) {
                appendHexEscape(out, ch);
                escapeNextIfDigit = true;
            } else {
                out += char(ch);
            }
        }
    }
    if (needsQuotes || (startPos < out.size() && (out.at(startPos) == ' ' || out.at(out.size() - 1) == ' '))) {
        out.insert(startPos, '"');
        out += '"';
    }
}

} // namespace

void appendIniText(QByteArray &out, const QString &value)
{
    if (value.contains(QChar(0)))
        appendEscaped(out, QStringLiteral("@String(") + value + QLatin1Char(')'));
    else if (value.startsWith(QLatin1Char('@')))
        appendEscaped(out, QLatin1Char('@') + value);
    else
        appendEscaped(out, value);
}

void appendIniColor(QByteArray &out, const QColor &color)
{
    QByteArray stream;
    {
        QDataStream s(&stream, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_4_0);
        s << QVariant(color);
    }
    appendEscaped(out, QStringLiteral("@Variant(") + QString::fromLatin1(stream.constData(), stream.size()) +
                           QLatin1Char(')'));
}

void appendIniKey(QByteArray &out, const QString &key)
{
    static const char hex[] = "0123456789ABCDEF";
    for (const QChar c : key) {
        const uint ch = c.unicode();
        if (ch == '/') {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_' ||
                   ch == '-' || ch == '.') {
            out += char(ch);
        } else if (ch <= 0xFF) {
            out += '%';
            out += hex[ch / 16];
            out += hex[ch % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(ch >> shift) & 0xF];
        }
    }
}

const char *iniLineEnd()
{
#ifdef Q_OS_WIN
    return "\r\n";
#else
    return "\n";
#endif
}
