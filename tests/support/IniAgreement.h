#pragma once
// IniReader must read every key of a text as QSettings reads it, with the same
// value and type: the reader's test and its fuzz target both hold it to that.

#include "IniReader.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <algorithm>

// Empty when both read the same keys and values; else what differs.
inline QString iniDisagreement(const QSettings &qt, const IniReader &ours)
{
    QStringList qtKeys = qt.allKeys();
    QStringList ourKeys = ours.keys();
    std::sort(qtKeys.begin(), qtKeys.end());
    std::sort(ourKeys.begin(), ourKeys.end());
    if (qtKeys != ourKeys)
        return QStringLiteral("keys differ: QSettings [%1], IniReader [%2]")
            .arg(qtKeys.join(QLatin1String(", ")), ourKeys.join(QLatin1String(", ")));
    for (const QString &key : qtKeys) {
        // QSettings cannot look up a key it would have to normalise
        if (key.isEmpty() || key.startsWith(QLatin1Char('/')) || key.endsWith(QLatin1Char('/')) ||
            key.contains(QLatin1String("//")))
            continue;
        const QVariant expected = qt.value(key);
        const QVariant actual = ours.value(key);
        if (actual.userType() != expected.userType() || actual != expected)
            return QStringLiteral("value of %1 differs").arg(key);
    }
    return QString();
}
