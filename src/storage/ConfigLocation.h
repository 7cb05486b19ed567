#pragma once
// Where a run keeps its configuration folder. A folder the user owns (the
// build tree, a portable copy, a Windows installation) keeps <appdir>/Configs.
// An installed copy (read-only, or marked by the installation) keeps each
// user's settings in $XDG_CONFIG_HOME/mousecfg/Configs, seeded from the shipped
// Configs/. The window and mousecfgctl both take their folders from here.

#include "StorageDirs.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A file of this name in the application folder marks a system installation:
// even a user who may write there (root) gets the per-user folder, so the
// package's files stay as shipped.
extern const char kInstalledMarkerName[];

// $XDG_CONFIG_HOME/mousecfg/Configs; XDG_CONFIG_HOME unset, empty or relative
// means $HOME/.config.
QString userConfigDir(const QProcessEnvironment &env);

// True when the application folder carries the installation marker or its
// Configs/ (or, lacking one, the folder itself) is not writable.
bool usesUserConfigDir(const QString &appDir);

struct SeedResult
{
    QStringList copied;   // files new to the user's folder, relative paths
    int keysAdded = 0;    // shipped keys added to the user's INI files
    QStringList failures; // what could not be created or written, with the reason
};

// Brings the user's folder up to the shipped one without changing anything
// of the user's: a shipped file the folder has never had is copied (one the
// user deleted stays deleted), a shipped key missing from the user's .ini file
// of the same name is added. A missing .ini file is always copied again. Other
// files the user has are left alone.
SeedResult seedConfigDir(const QString &shippedDir, const QString &userDir);

// The folders of a run from its application folder: fromAppDir, or the seeded
// per-user folder. Seeding is logged; a failure leaves the folder as it is.
StorageDirs resolveStorageDirs(const QString &appDir,
                               const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());
