#pragma once
// Opening INI files through QSettings without trusting their contents.
//
// QSettings turns "@Variant(...)" (and "@DateTime(...)") values into QVariants with QDataStream, and a
// damaged or hostile payload (an unknown type id, a huge container count) can
// abort the process inside Qt. Before QSettings sees a file we decode every
// value the way Qt's INI reader does and accept "@Variant(" only as a whole value
// holding a well-formed QColor. Lines that fail the check are left out: readers
// then parse a sanitised temporary copy, writers rewrite the file without them
// first, so the damaged key simply reads as missing. Both cases are logged.
//
// A quote left open at the end of a line would make Qt fold every following
// line into one value (and a later write would drop them all): such a line is
// repaired by closing its quote there.
//
// The readers use IniReader (IniReader.h), which reads the way described here
// without QSettings; SafeIni remains for writing.
//
// Writing never touches the file in place: QSettings writes a copy beside it,
// which then replaces the file in one rename (see StoredFile.h).

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QTemporaryFile>

#include "StoredFile.h"

#include <memory>

// Splits data into its logical lines as Qt's INI reader does, from dataPos on:
// blank lines and comments are skipped, a quote or a backslash carries a line
// over its line break. Returns false when no line is left; equalsPos is the
// first unquoted '=' of the line or -1.
bool nextIniLine(const QByteArray &data, int &dataPos, int &lineStart, int &lineLen, int &equalsPos);

// Whether a line nextIniLine found (not a group header) is left out: it has
// no '=' or its value is dangerous (logged).
bool iniLineIsDamaged(const QByteArray &data, int lineStart, int lineLen, int equalsPos);

// Returns data without the lines that could make Qt's variant reader misbehave
// and with every quote left open at a line end closed; *dropped (if given)
// receives how many lines were removed or repaired. data itself when nothing
// had to change.
QByteArray sanitizeIniText(const QByteArray &data, int *dropped = nullptr);

// data with a closing quote added at every line end where a quote is still
// open; *repaired (if given) receives how many lines were closed.
QByteArray closeOpenQuotes(const QByteArray &data, int *repaired = nullptr);

// Whether the raw value data[from, to) of one INI line could reach Qt's variant
// reader as anything but one well-formed colour.
bool iniValueIsDangerous(const QByteArray &data, int from, int to);

// True when the text is the INI form of exactly one QColor variant payload that
// Qt's reader accepts safely ("@Variant(" + 16 well-formed bytes + ")").
bool isSafeColorVariant(const QByteArray &payload);

class SafeIni
{
public:
    enum Mode { ReadOnly, ReadWrite };

    // Opens path for reading (ReadOnly: a damaged file is read from a sanitised
    // temporary copy and never changed) or for writing (ReadWrite: QSettings
    // works on a sanitised copy beside the file, which commit() puts in place).
    explicit SafeIni(const QString &path, Mode mode = ReadOnly);
    // A ReadWrite file not yet committed is committed here; a failure is logged.
    ~SafeIni();

    // ReadWrite: writes the pending values and replaces the file, unless its
    // bytes would not change (then it keeps its modification time).
    StoreResult commit();
    // ReadWrite: writes the pending values into the copy and hands its name to
    // the caller, who renames it into place (replaceWith) or removes it. An
    // empty *tempPath means the file would not change.
    StoreResult stage(QString *tempPath);

    SafeIni(const SafeIni &) = delete;
    SafeIni &operator=(const SafeIni &) = delete;

    QSettings &settings() { return *m_pSettings; }
    QSettings *operator->() { return m_pSettings.get(); }

    // Whether the file existed when it was opened.
    bool existed() const { return m_bExisted; }
    // How many damaged lines were left out.
    int droppedLines() const { return m_iDropped; }

private:
    std::unique_ptr<QTemporaryFile> m_pTempCopy;
    std::unique_ptr<QSettings> m_pSettings;
    QString m_strPath;
    QString m_strWriteCopy; // ReadWrite: the copy QSettings writes
    QByteArray m_original;  // ReadWrite: the bytes on disk when opened
    StoreResult m_openResult;
    bool m_bPending = false;
    bool m_bExisted = false;
    int m_iDropped = 0;
};
