#pragma once
// Which of the five slots is current, how a slot is switched, and the list of
// named profiles each model keeps in its own Config.ini.
//
// Slot files: the working copy of a slot is stored as
// Configs/Profile/<slot name>.prof (see saveWorkingConfig), so a reload reads it
// from there too. The per-model folder Configs/<product name>/ holds only the
// model's Config.ini with PROFILE_LIST; its Profile/ subfolder is not used.

#include "ProfileData.h"
#include "StorageDirs.h"

#include <QString>
#include <QStringList>

// Longest PROFILE_LIST this program reads; a larger Count is a damaged file.
constexpr int kMaxProfileListEntries = 256;

// Configs/<product name>/Config.ini, or an empty string when the product name
// cannot be used as a folder name (empty, a path, ".", "..").
QString modelConfigIni(const StorageDirs &dirs, const QString &productName);

// PROFILE_LIST/1..Count of the model's Config.ini, in order. Empty when the file
// or the count is missing or below 1.
QStringList readProfileList(const StorageDirs &dirs, const QString &productName);

// "Profile 1" .. "Profile 5".
bool isDefaultProfileName(const QString &name);

class ProfileBook
{
public:
    explicit ProfileBook(const StorageDirs &dirs)
        : m_dirs(dirs)
    {
    }

    void loadList(const QString &productName) { m_list = readProfileList(m_dirs, productName); }
    const QStringList &list() const { return m_list; }

    // Makes slot the current one of working, names it after its entry of
    // profileNames and stores Config/ProfileID. With
    // reload, the slot is first read again from its profile file, dropping its
    // unsent edits; a missing or unreadable file leaves the slot as it is.
    // A slot outside 0..4 (a damaged report) changes nothing and returns false.
    bool switchSlot(AppConfig &working, int slot, bool reload);

private:
    StorageDirs m_dirs;
    QStringList m_list;
};
