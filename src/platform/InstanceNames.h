#pragma once
#include <QString>

// Safe system names derived from a single-instance name. Pure functions, so
// both platforms' rules are checked on any build machine.

// File name (no directory) of the lock file for `name` and user `uid`:
// "mousecfg-<uid>-<readable part>-<16 hex of SHA-256(UTF-8 name)>.lock".
// The readable part keeps [A-Za-z0-9._-], turns every other character into
// '_' and stops after 100 characters; the hash keeps names apart that the
// readable part would merge. The result never holds '/' or NUL and is far
// below the usual 255-byte file name limit.
QString instanceLockFileName(const QString &name, uint uid);

// Kernel object name for a named mutex. An ordinary name is kept exactly, so
// every build of the program for one model shares it. A name that Windows
// would misread (a backslash selects a namespace, NUL ends the string) or
// refuse (longer than MAX_PATH) becomes the name with those characters turned
// into '_', cut to 200 characters, plus '-' and 16 hex of SHA-256(UTF-8 name).
QString instanceMutexName(const QString &name);
