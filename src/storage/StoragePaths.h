#pragma once
// File names derived from user-chosen names (profile slots, macros). Such a
// name is used as a file name inside its folder and nothing else: a name that
// could leave the folder is refused.

#include "StorageDirs.h"

#include <QString>

// False for names holding a path separator, a NUL, "..", or starting with a
// drive letter. The empty name is allowed (it names the file ".prof").
bool isSafeFileName(const QString &name);

// <config>/Profile/<name>.prof, or an empty string (logged) when the name is unsafe.
QString profileFilePath(const StorageDirs &dirs, const QString &name);
// <config>/MacroDB/<name>.MSMACRO, or an empty string (logged) when the name is unsafe.
QString macroFilePath(const StorageDirs &dirs, const QString &name);
