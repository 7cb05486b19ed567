// The Qt-facing side of the Windows guard; the Win32 calls live in win/.
#include "SingleInstanceGuard.h"

#include "InstanceMutex.h"
#include "InstanceNames.h"

#include <QDebug>

struct SingleInstanceGuard::Impl
{
    QString name;
    void *handle = nullptr;
};

SingleInstanceGuard::SingleInstanceGuard(const QString &name)
    : m_pImpl(new Impl)
{
    m_pImpl->name = name;
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    platformwin::releaseInstanceMutex(m_pImpl->handle);
}

bool SingleInstanceGuard::acquire()
{
    if (m_pImpl->handle)
        return true;
    const QString objectName = instanceMutexName(m_pImpl->name);
    unsigned long error = 0;
    switch (platformwin::createInstanceMutex(objectName.toStdWString(), &m_pImpl->handle, &error)) {
    case platformwin::MutexResult::Acquired:
        return true;
    case platformwin::MutexResult::AlreadyExists:
        qDebug("Another instance holds the mutex \"%s\"", qPrintable(objectName));
        return false;
    case platformwin::MutexResult::Failed:
        break;
    }
    // Running unguarded is better than a program that silently never starts.
    qWarning("Cannot create the mutex \"%s\" (error %lu); running without the guard", qPrintable(objectName), error);
    return true;
}

bool SingleInstanceGuard::isHeld() const
{
    return m_pImpl->handle != nullptr;
}

QString SingleInstanceGuard::name() const
{
    return m_pImpl->name;
}

QString SingleInstanceGuard::lockFilePath() const
{
    return QString();
}
