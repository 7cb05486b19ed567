// The guarded INI reader: whatever the bytes, nothing crashes, and every key
// reads as QSettings reads the sanitised text.
#include "FuzzSupport.h"
#include "IniReader.h"
#include "SafeIni.h"

#include <QSettings>
#include <QVariant>

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const StorageDirs &dirs = fuzz::scratch();
    const QByteArray text = fuzz::bytes(data, size);
    const IniReader ours = IniReader::fromText(text);
    QStringList ourKeys = ours.keys();
    for (const QString &key : ourKeys) {
        const QVariant v = ours.value(key);
        (void)v.toString();
        (void)v.toInt();
    }

    const QString path = dirs.appDir + QStringLiteral("/diff.ini");
    fuzz::put(path, sanitizeIniText(text));
    {
        const QSettings qt(path, QSettings::IniFormat);
        QStringList qtKeys = qt.allKeys();
        std::sort(qtKeys.begin(), qtKeys.end());
        std::sort(ourKeys.begin(), ourKeys.end());
        if (qtKeys != ourKeys)
            __builtin_trap();
        for (const QString &key : qtKeys) {
            // QSettings cannot look up a key it would have to normalise
            if (key.isEmpty() || key.startsWith(QLatin1Char('/')) || key.endsWith(QLatin1Char('/')) ||
                key.contains(QLatin1String("//")))
                continue;
            const QVariant expected = qt.value(key);
            const QVariant actual = ours.value(key);
            if (actual.userType() != expected.userType() || actual != expected)
                __builtin_trap();
        }
    }
    // QSettings caches the last text it read of a file; reading an empty file
    // empties the cache, so that a run frees what it allocated (else libFuzzer
    // searches for a leak after every run).
    fuzz::put(path, QByteArray());
    const QSettings empty(path, QSettings::IniFormat);
    return 0;
}
