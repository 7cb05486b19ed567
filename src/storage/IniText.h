#pragma once
// Reading and writing Qt's INI text directly, for the large profile files
// (about 8,500 keys each). QSettings keeps every key in a map of strings and
// spends most of a load or save comparing them; these classes produce and
// accept exactly the text QSettings does (same escaping, same @Variant form of
// a colour, same sorted key order for a new file), so either side can read what
// the other wrote.
//
// Values are turned into the QVariants QSettings would return, except that an
// "@Variant(...)" is decoded only when it is a well-formed QColor: anything
// else reads as missing (logged) and is never handed to QDataStream.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

// Splits data into its logical lines as Qt's INI reader does. Returns false
// when no line is left; equalsPos is the first unquoted '=' or -1.
bool nextIniLine(const QByteArray &data, int &dataPos, int &lineStart, int &lineLen, int &equalsPos);
// Qt's key unescaping: '\' becomes '/', %XX and %UXXXX are characters.
QString iniUnescapeKey(const QByteArray &data, int from, int to);
// Qt's value unescaping; returns true (and fills list) when the value is a list.
bool iniUnescapeValue(const QByteArray &data, int from, int to, QString &text, QStringList &list);
// The QVariant QSettings makes of an unescaped value, without its unsafe cases.
QVariant iniStringToVariant(const QString &s);

// Qt's escaping of keys and values.
void iniEscapeKey(const QString &key, QByteArray &out);
void iniEscapeString(const QString &s, QByteArray &out);
// The text QSettings stores for a value; false for types this writer does not
// produce (anything but integers, texts without NUL and colours).
bool iniVariantToString(const QVariant &v, QString &out);

// All keys of an INI file, parsed once.
class IniReader
{
public:
    explicit IniReader(const QString &path);

    bool existed() const { return m_bExisted; }
    QVariant value(const QString &key, const QVariant &missing = QVariant()) const
    {
        return m_hValues.value(key, missing);
    }
    bool contains(const QString &key) const { return m_hValues.contains(key); }

    // For tests and tools: parses text instead of a file.
    static IniReader fromText(const QByteArray &text);

private:
    IniReader() = default;
    void parse(const QByteArray &data);

    QHash<QString, QVariant> m_hValues;
    bool m_bExisted = false;
};

// Collects values and merges them into the file in one write. Keys that are not
// set keep their lines; lines that QSettings could not read safely are dropped.
class IniWriter
{
public:
    explicit IniWriter(const QString &path);

    void setValue(const QString &key, const QVariant &value);
    // Writes the file atomically (and leaves it alone when its text would not
    // change). False when it cannot be written or a value has a type this
    // writer does not produce.
    bool commit();

    // The text commit() would write over the given existing contents.
    QByteArray render(const QByteArray &existing) const;

private:
    QString m_sPath;
    std::vector<std::pair<QString, QVariant>> m_vValues;
    mutable bool m_bUnsupported = false;
};
