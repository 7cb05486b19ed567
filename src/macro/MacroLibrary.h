#pragma once
// The stored macros as the editor manages them: the files in MacroDB and the
// MACRO_LIST registry, kept in step. A name typed by the user is only ever a
// file name inside MacroDB, and the registry changes only after the file
// operation it describes has succeeded, so no macro drops out of the list.

#include "StorageDirs.h"

#include <QString>
#include <QStringList>

class MacroLibrary
{
public:
    explicit MacroLibrary(const StorageDirs &dirs);

    QStringList names() const;
    // All registry slots are used: nothing more can be created or imported.
    bool isFull() const;
    bool fileExists(const QString &name) const;
    QString filePath(const QString &name) const;

    // "name_1", "name_2", …: the first whose file does not exist.
    QString newMacroName() const;

    enum class Outcome {
        Done,
        Unchanged,  // the typed name is the old one
        EmptyName,  // nothing typed
        UnsafeName, // the name would leave MacroDB
        Exists,     // the target is taken
        Full,       // all registry slots are used
        Failed      // the file operation failed; nothing changed
    };

    // Renames oldName to typed; while typed's file exists, "_1", "_2", … is
    // appended. *finalName receives the name given.
    Outcome rename(const QString &oldName, const QString &typed, QString *finalName = nullptr);
    // Removes the name from the registry and deletes its file.
    void remove(const QString &name);

    // Copies a macro file in as MacroDB/<complete base name>.MSMACRO and
    // registers it; nothing is copied when the registry is full, the name is
    // listed or its file exists.
    Outcome importFile(const QString &path, QString *name = nullptr);
    // Copies the macro's file to target, replacing a file there (the caller
    // has confirmed it).
    Outcome exportFile(const QString &name, const QString &target) const;
    // Copies each macro into directory as <name>.MSMACRO, leaving existing
    // files alone; returns the names not written.
    QStringList exportFiles(const QStringList &names, const QString &directory) const;

private:
    bool isTaken(const QString &name, const QStringList &listed) const;

    StorageDirs m_Dirs;
};
