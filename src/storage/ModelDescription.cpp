#include "ModelDescription.h"

#include "IniReader.h"

#include <QFileInfo>

namespace {

QVariant readKey(const StorageDirs &dirs, const QString &key, const QVariant &missing = QVariant())
{
    return IniReader(dirs.modelDescription()).value(QStringLiteral("PROFILE/") + key, missing);
}

bool modelExists(const StorageDirs &dirs)
{
    return QFileInfo(dirs.modelDescription()).isFile();
}

void readTable(const IniReader &s, const QLatin1String &suffix, std::array<std::uint8_t, kModelButtonTableSize> &table)
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
    return readButtonCount(IniReader(dirs.modelDescription()));
}

int readButtonCount(const IniReader &model)
{
    // the counts are stored scrambled with exclusive-or
    return model.value(QStringLiteral("PROFILE/ButtonCount")).toInt() ^
           model.value(QStringLiteral("PROFILE/MouseDpi")).toInt();
}

int readDpiCount(const StorageDirs &dirs)
{
    return readDpiCount(IniReader(dirs.modelDescription()));
}

int readDpiCount(const IniReader &model)
{
    return readButtonCount(model) ^ model.value(QStringLiteral("PROFILE/DPICount")).toInt();
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
    readButtonPositions(IniReader(dirs.modelDescription()), positions);
    return 0;
}

void readButtonPositions(const IniReader &model, ButtonPositions &positions)
{
    readTable(model, QLatin1String("_Matrix"), positions);
}

int loadButtonTable2(const StorageDirs &dirs, ButtonTable &table)
{
    if (!modelExists(dirs))
        return -1;
    return readButtonTable2(IniReader(dirs.modelDescription()), table);
}

int readButtonTable2(const IniReader &model, ButtonTable &table)
{
    readTable(model, QLatin1String("_Matrix2"), table);
    return readButtonCount(model);
}

int readModelDefaults(const StorageDirs &dirs, ModelDefaults &defaults)
{
    if (!modelExists(dirs))
        return -1;
    readModelDefaults(IniReader(dirs.modelDescription()), defaults);
    return 0;
}

void readModelDefaults(const IniReader &model, ModelDefaults &defaults)
{
    const QString g = QStringLiteral("PROFILE/");
    defaults.pollrate = std::uint8_t(model.value(g + QStringLiteral("pollrate")).toInt());
    defaults.dpi = std::uint8_t(model.value(g + QStringLiteral("dpi")).toInt());
    defaults.LedMode = std::uint8_t(model.value(g + QStringLiteral("LedMode")).toInt());
    for (int i = 0; i < kDpiLevelCount; ++i) {
        defaults.dpiXy[size_t(i)] = std::uint32_t(
            model.value(g + QStringLiteral("DPI_INFO_") + QString::number(i) + QStringLiteral("_xy")).toLongLong());
    }
    for (int i = 0; i < kModelButtonTableSize; ++i) {
        defaults.buttonFun[size_t(i)] =
            model.value(g + QStringLiteral("BUTTON_INFO_") + QString::number(i) + QStringLiteral("_Fun")).toInt();
    }
    for (int m = 0; m < kLedModeCount; ++m) {
        const QString base = g + QStringLiteral("LedMode/LED_MODE_") + QString::number(m);
        defaults.ledRgb[size_t(m)] = model.value(base + QStringLiteral("_RGB")).value<QColor>();
        defaults.ledBright[size_t(m)] = std::uint32_t(model.value(base + QStringLiteral("_bright")).toLongLong());
        defaults.ledBreath[size_t(m)] = std::uint32_t(model.value(base + QStringLiteral("_breath")).toLongLong());
    }
}
