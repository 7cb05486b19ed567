#include "ModelDescription.h"

#include "SafeIni.h"

#include <QFileInfo>

namespace {

QVariant readKey(const StorageDirs &dirs, const QString &key, const QVariant &missing = QVariant())
{
    SafeIni ini(dirs.modelDescription());
    return ini->value(QStringLiteral("PROFILE/") + key, missing);
}

int readCount(const StorageDirs &dirs, bool withDpi)
{
    SafeIni ini(dirs.modelDescription());
    QSettings &s = ini.settings();
    // the counts are stored scrambled with exclusive-or
    int n =
        s.value(QStringLiteral("PROFILE/ButtonCount")).toInt() ^ s.value(QStringLiteral("PROFILE/MouseDpi")).toInt();
    if (withDpi)
        n ^= s.value(QStringLiteral("PROFILE/DPICount")).toInt();
    return n;
}

bool modelExists(const StorageDirs &dirs)
{
    return QFileInfo(dirs.modelDescription()).isFile();
}

void readTable(QSettings &s, const QLatin1String &suffix, std::array<std::uint8_t, kModelButtonTableSize> &table)
{
    for (int i = 0; i < kModelButtonTableSize; ++i) {
        table[size_t(i)] =
            std::uint8_t(s.value(QStringLiteral("PROFILE/BUTTON_INFO_") + QString::number(i) + suffix).toInt());
    }
}

} // namespace

QString readProductName(const StorageDirs &dirs)
{
    return readKey(dirs, QStringLiteral("ProductName")).toString();
}

QString readModelVersion(const StorageDirs &dirs)
{
    return readKey(dirs, QStringLiteral("Version")).toString();
}

int readButtonCount(const StorageDirs &dirs)
{
    return readCount(dirs, false);
}

int readDpiCount(const StorageDirs &dirs)
{
    return readCount(dirs, true);
}

int readDisableMacro(const StorageDirs &dirs)
{
    return readKey(dirs, QStringLiteral("DisableMacro"), 0).toInt();
}

int readShowSleep(const StorageDirs &dirs)
{
    return readKey(dirs, QStringLiteral("ShowSleep"), 1).toInt();
}

int loadButtonPositions(const StorageDirs &dirs, ButtonPositions &positions)
{
    if (!modelExists(dirs))
        return -1;
    SafeIni ini(dirs.modelDescription());
    readTable(ini.settings(), QLatin1String("_Matrix"), positions);
    return 0;
}

int loadButtonTable2(const StorageDirs &dirs, ButtonTable &table)
{
    if (!modelExists(dirs))
        return -1;
    SafeIni ini(dirs.modelDescription());
    QSettings &s = ini.settings();
    readTable(s, QLatin1String("_Matrix2"), table);
    return s.value(QStringLiteral("PROFILE/ButtonCount")).toInt() ^ s.value(QStringLiteral("PROFILE/MouseDpi")).toInt();
}

int readModelDefaults(const StorageDirs &dirs, ModelDefaults &defaults)
{
    if (!modelExists(dirs))
        return -1;
    SafeIni ini(dirs.modelDescription());
    QSettings &s = ini.settings();
    s.beginGroup(QStringLiteral("PROFILE"));
    defaults.pollrate = std::uint8_t(s.value(QStringLiteral("pollrate")).toInt());
    defaults.dpi = std::uint8_t(s.value(QStringLiteral("dpi")).toInt());
    defaults.LedMode = std::uint8_t(s.value(QStringLiteral("LedMode")).toInt());
    for (int i = 0; i < kDpiLevelCount; ++i) {
        defaults.dpiXy[size_t(i)] = std::uint32_t(
            s.value(QStringLiteral("DPI_INFO_") + QString::number(i) + QStringLiteral("_xy")).toLongLong());
    }
    for (int i = 0; i < kModelButtonTableSize; ++i) {
        defaults.buttonFun[size_t(i)] =
            s.value(QStringLiteral("BUTTON_INFO_") + QString::number(i) + QStringLiteral("_Fun")).toInt();
    }
    for (int m = 0; m < kLedModeCount; ++m) {
        const QString base = QStringLiteral("LedMode/LED_MODE_") + QString::number(m);
        defaults.ledRgb[size_t(m)] = s.value(base + QStringLiteral("_RGB")).value<QColor>();
        defaults.ledBright[size_t(m)] = std::uint32_t(s.value(base + QStringLiteral("_bright")).toLongLong());
        defaults.ledBreath[size_t(m)] = std::uint32_t(s.value(base + QStringLiteral("_breath")).toLongLong());
    }
    s.endGroup();
    return 0;
}
