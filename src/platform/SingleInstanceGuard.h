#pragma once
#include <QString>

#include <memory>

// Keeps a second copy of the program for the same mouse model from running.
// The guard is named (product name + " Wireless Gaming Mouse Mutex1"); the
// product name comes from a data file, so the name is treated as untrusted
// text and never used as a path or an object name as it stands.
//
// The application creates one guard in main and keeps it for the whole life of
// the process; the hold ends when the guard is destroyed or the process dies.
class SingleInstanceGuard
{
public:
    explicit SingleInstanceGuard(const QString &name);
    ~SingleInstanceGuard();

    SingleInstanceGuard(const SingleInstanceGuard &) = delete;
    SingleInstanceGuard &operator=(const SingleInstanceGuard &) = delete;

    // True when this process may run: it now holds the name, or the system
    // offers no way to hold it (logged; running unguarded is better than never
    // starting). False when another process, or another guard in this process,
    // holds the same name. Calling it again on a guard that holds returns true.
    bool acquire();

    // Whether this guard holds the name (false after a failed or unguarded acquire).
    bool isHeld() const;

    QString name() const;

    // The lock file this guard holds, for diagnostics; empty while it holds
    // none, and always on Windows, where the system keeps the name itself.
    QString lockFilePath() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};
