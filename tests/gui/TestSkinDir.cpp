#include "TestSkinDir.h"

#include <QDir>
#include <QImage>
#include <QSettings>
#include <QWidget>

TestSkinDir::TestSkinDir(const TestSkinOptions &options)
{
    const StorageDirs d = dirs();
    QDir().mkpath(d.configDir);
    QDir().mkpath(d.appDir + QStringLiteral("/skin"));
    {
        QSettings ini(d.configIni(), QSettings::IniFormat);
        const QString lang = QString::number(options.langId);
        ini.setValue(QStringLiteral("FONT_LIST/FONT_") + lang, options.fontFamily);
        ini.setValue(QStringLiteral("FONT_LIST/FONT_SIZE_") + lang, options.fontSize);
        if (options.writeColorId)
            ini.setValue(QStringLiteral("Config/GColorID"), options.colorId);
    }
    {
        QSettings ini(d.langConfigIni(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Config/LangID"), options.langId);
    }
}

void TestSkinDir::addImage(const QString &name, const QColor &color, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    image.save(m_Dir.path() + QStringLiteral("/skin/") + name);
}

QColor pixelOf(QWidget *widget, int x, int y)
{
    return widget->grab().toImage().pixelColor(x, y);
}
