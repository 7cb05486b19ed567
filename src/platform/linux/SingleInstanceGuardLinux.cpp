#include "SingleInstanceGuard.h"

#include "InstanceNames.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isUsableDirectory(const QString &path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isAbsolute() && info.isDir() && info.isWritable();
}

// $XDG_RUNTIME_DIR is private to the user and cleared at logout; the temporary
// directory is the fallback when the session has none (or a broken one).
// Empty when neither is usable: Qt reports a missing $TMPDIR as "", which
// must not turn into a lock file in "/".
QString runtimeDirectory()
{
    const QString xdg = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    if (isUsableDirectory(xdg))
        return QFileInfo(xdg).absoluteFilePath();
    if (!xdg.isEmpty())
        qDebug("XDG_RUNTIME_DIR \"%s\" is not a writable directory; using the temporary directory", qPrintable(xdg));
    const QString temp = QDir::tempPath();
    return isUsableDirectory(temp) ? temp : QString();
}

} // namespace

struct SingleInstanceGuard::Impl
{
    QString name;
    QString path;
    int fd = -1;
};

SingleInstanceGuard::SingleInstanceGuard(const QString &name)
    : m_pImpl(new Impl)
{
    m_pImpl->name = name;
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    // Closing drops the lock. The file stays: unlinking it would let a
    // process that already opened the old file and one that creates a new
    // file both believe they hold the name.
    if (m_pImpl->fd >= 0)
        ::close(m_pImpl->fd);
}

bool SingleInstanceGuard::acquire()
{
    if (m_pImpl->fd >= 0)
        return true;

    // Every failure below except "held by someone else" lets the program run
    // unguarded: a user whose runtime directory is unusable gets a working
    // program, at worst two copies, rather than one that silently never starts.
    const QString dir = runtimeDirectory();
    if (dir.isEmpty()) {
        qWarning("No usable directory for the single-instance lock file; running without the guard");
        return true;
    }
    const uint uid = static_cast<uint>(::geteuid());
    const QString path = dir + QLatin1Char('/') + instanceLockFileName(m_pImpl->name, uid);
    const QByteArray nativePath = QFile::encodeName(path);
    qDebug("Single-instance lock file: %s", nativePath.constData());

    // O_NOFOLLOW and the owner check keep another user's planted file or link
    // in a shared temporary directory from being used (or from blocking us).
    const int fd = ::open(nativePath.constData(), O_CREAT | O_RDWR | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        qWarning("Cannot open the single-instance lock file %s: %s; running without the guard", nativePath.constData(),
                 std::strerror(errno));
        return true;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        qWarning("The single-instance lock file %s is not a plain file of this user; running without the guard",
                 nativePath.constData());
        ::close(fd);
        return true;
    }
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK) {
            qDebug("Another instance holds %s", nativePath.constData());
            return false;
        }
        qWarning("Cannot lock the single-instance lock file %s: %s; running without the guard", nativePath.constData(),
                 std::strerror(err));
        return true;
    }
    m_pImpl->fd = fd;
    m_pImpl->path = path;
    return true;
}

bool SingleInstanceGuard::isHeld() const
{
    return m_pImpl->fd >= 0;
}

QString SingleInstanceGuard::name() const
{
    return m_pImpl->name;
}

QString SingleInstanceGuard::lockFilePath() const
{
    return m_pImpl->path;
}
