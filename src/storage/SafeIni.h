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

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QTemporaryFile>

#include <memory>

// Returns data without the lines that could make Qt's variant reader misbehave;
// *dropped (if given) receives how many lines were removed. data itself when
// nothing had to be removed.
QByteArray sanitizeIniText(const QByteArray &data, int *dropped = nullptr);

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
    // temporary copy and never changed) or for writing (ReadWrite: damaged lines
    // are removed from the file on disk before QSettings merges into it).
    explicit SafeIni(const QString &path, Mode mode = ReadOnly);
    ~SafeIni();

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
    bool m_bExisted = false;
    int m_iDropped = 0;
};
