#pragma once
// A throw-away application directory for widget tests: Configs/Config.ini and
// LangConfig.ini with the given language font and theme, and plain-colour
// skin images whose colour tells which picture a widget drew.

#include "StorageDirs.h"

#include <QColor>
#include <QString>
#include <QTemporaryDir>

struct TestSkinOptions
{
    QString fontFamily = QStringLiteral("DejaVu Sans");
    int fontSize = 12;
    int langId = 0;
    int colorId = 2;
    bool writeColorId = true;
};

class TestSkinDir
{
public:
    explicit TestSkinDir(const TestSkinOptions &options = TestSkinOptions());

    bool isValid() const { return m_Dir.isValid(); }
    StorageDirs dirs() const { return StorageDirs::fromAppDir(m_Dir.path()); }
    QString path() const { return m_Dir.path(); }

    // Writes <appdir>/skin/<name> as a single-colour image.
    void addImage(const QString &name, const QColor &color, int width = 16, int height = 16);

private:
    QTemporaryDir m_Dir;
};

// Colour at a point of a widget's rendering.
class QWidget;
QColor pixelOf(QWidget *widget, int x, int y);
