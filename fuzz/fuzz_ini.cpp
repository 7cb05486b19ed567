// The guarded INI reader: whatever the bytes, nothing crashes, and every key
// reads as QSettings reads the sanitised text.
#include "FuzzSupport.h"
#include "IniAgreement.h"
#include "IniReader.h"
#include "SafeIni.h"

#include <QSettings>
#include <QVariant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const StorageDirs &dirs = fuzz::scratch();
    const QByteArray text = fuzz::bytes(data, size);
    const IniReader ours = IniReader::fromText(text);
    for (const QString &key : ours.keys()) {
        const QVariant v = ours.value(key);
        (void)v.toString();
        (void)v.toInt();
    }

    const QString path = dirs.appDir + QStringLiteral("/diff.ini");
    fuzz::put(path, sanitizeIniText(text));
    {
        const QSettings qt(path, QSettings::IniFormat);
        if (!iniDisagreement(qt, ours).isEmpty())
            __builtin_trap();
    }
    // QSettings caches the last text it read of a file; reading an empty file
    // empties the cache, so that a run frees what it allocated (else libFuzzer
    // searches for a leak after every run).
    fuzz::put(path, QByteArray());
    const QSettings empty(path, QSettings::IniFormat);
    return 0;
}
