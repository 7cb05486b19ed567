#pragma once
// Reading INI files without QSettings: the text is sanitised as SafeIni does
// (damaged lines left out, quotes left open closed, both logged) and parsed
// once, the way Qt's INI reader parses it, into a table of "group/key" entries
// whose values are decoded when asked for.
//
// QSettings parses a group only when a key of it is first asked for and looks
// each key up in a sorted map; a profile has about 8,500 keys and a load reads
// five of them, so that dominated the load. Every value reads as the QVariant
// QSettings would give for it: a text, a list, "@ByteArray(...)" bytes, a
// colour, and so on. One difference: every group is read, where QSettings
// can miss the keys of [a] that sort after "b" in a file that also has [a\b].
// Files are still written with QSettings (or in its exact format, see IniText.h).

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

class IniReader
{
public:
    IniReader() = default;
    // Reads the file at path; a missing or unreadable file reads as empty.
    explicit IniReader(const QString &path);
    // Reads INI text held in memory (kept, shared, for the values); name only
    // names it in the log.
    static IniReader fromText(const QByteArray &text, const QString &name = QString());

    // key is "group/key" (a key of [General] has no group), as QSettings takes it.
    QVariant value(const QString &key, const QVariant &missing = QVariant()) const;
    bool contains(const QString &key) const;
    // Every key, in no particular order.
    QStringList keys() const { return m_values.keys(); }

    // Whether the file existed (always true for text read from memory).
    bool existed() const { return m_bExisted; }
    // How many damaged lines were left out or repaired.
    int droppedLines() const { return m_iDropped; }

private:
    void parse(const QByteArray &raw, const QString &name);

    struct Span
    {
        int from; // the value's text in m_text
        int to;
    };
    QHash<QString, Span> m_values;
    QByteArray m_text;
    bool m_bUtf8 = false;
    bool m_bExisted = false;
    int m_iDropped = 0;
};
