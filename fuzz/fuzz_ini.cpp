// The guarded INI reader: whatever the bytes, the sanitised text must be safe
// for QSettings, and every value must read without a crash.
#include "FuzzSupport.h"
#include "SafeIni.h"

#include <QSettings>
#include <QVariant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const StorageDirs &dirs = fuzz::scratch();
    const QString path = dirs.configIni();
    fuzz::put(path, data, size);
    SafeIni ini(path);
    QSettings &s = ini.settings();
    for (const QString &key : s.allKeys()) {
        const QVariant v = s.value(key);
        (void)v.toString();
        (void)v.toInt();
    }
    return 0;
}
