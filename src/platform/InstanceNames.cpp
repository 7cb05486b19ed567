#include "InstanceNames.h"

#include <QCryptographicHash>

namespace {

const int kReadableLimit = 100;
const int kMutexKeepLimit = 200;
const int kMutexNameLimit = 260; // MAX_PATH

QString shortHash(const QString &name)
{
    const QByteArray digest = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(digest.toHex().left(16));
}

bool isPlainFileChar(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '.' || u == '_' ||
           u == '-';
}

} // namespace

QString instanceLockFileName(const QString &name, uint uid)
{
    QString readable;
    readable.reserve(qMin(name.size(), kReadableLimit));
    for (int i = 0; i < name.size() && readable.size() < kReadableLimit; ++i)
        readable.append(isPlainFileChar(name.at(i)) ? name.at(i) : QLatin1Char('_'));
    return QStringLiteral("mousecfg-%1-%2-%3.lock").arg(uid).arg(readable, shortHash(name));
}

QString instanceMutexName(const QString &name)
{
    const bool unsafe = name.contains(QLatin1Char('\\')) || name.contains(QChar(0));
    if (!unsafe && name.size() <= kMutexNameLimit)
        return name;
    QString kept = name.left(kMutexKeepLimit);
    if (!kept.isEmpty() && kept.at(kept.size() - 1).isHighSurrogate())
        kept.chop(1); // never end on half a character
    kept.replace(QLatin1Char('\\'), QLatin1Char('_'));
    kept.replace(QChar(0), QLatin1Char('_'));
    return kept + QLatin1Char('-') + shortHash(name);
}
