#include "TarnUi.h"

#include "ConfigFile.h"
#include "TarnAccessible.h"
#include "TarnTheme.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QMenu>
#include <QWidget>

// Resources of a static library are only linked in when referenced.
static void initTarnResources()
{
    Q_INIT_RESOURCE(tarnwidgets);
}

namespace {
TarnUi *g_pCurrentUi = nullptr;
}

TarnUi::TarnUi(const StorageDirs &dirs, double scale)
    : m_Dirs(dirs)
{
    initTarnResources();
    // The kit's widgets install it too; here it is in place before any of them.
    installTarnAccessibility();
    setScale(scale);
    m_iLangId = readLangId(m_Dirs);
    m_pPrevious = g_pCurrentUi;
    g_pCurrentUi = this;
}

TarnUi::~TarnUi()
{
    if (g_pCurrentUi == this)
        g_pCurrentUi = m_pPrevious;
}

TarnUi *TarnUi::current()
{
    return g_pCurrentUi;
}

void TarnUi::setScale(double scale)
{
    if (!(scale >= 1.0 && scale <= 5.0)) {
        qWarning("Display scale %f is outside 1.00..5.00, clamped", scale);
        scale = scale > 5.0 ? 5.0 : 1.0;
    }
    m_dScale = scale;
}

int TarnUi::scaled(int design) const
{
    return tarnScaled(design, m_dScale);
}

QRect TarnUi::scaledRect(int x, int y, int width, int height) const
{
    return QRect(scaled(x), scaled(y), scaled(width), scaled(height));
}

QFont TarnUi::languageFont() const
{
    return tarnLanguageFont(readFontFamily(m_Dirs, m_iLangId), readFontSize(m_Dirs, m_iLangId), m_dScale,
                            QApplication::font());
}

QColor TarnUi::themeColor() const
{
    return tarnThemeColor(readColorTheme(m_Dirs));
}

QString TarnUi::imagePath(const QString &name) const
{
    if (name.isEmpty() || name.startsWith(QLatin1Char(':')))
        return name;
    QString rel = name;
    if (rel.startsWith(QLatin1String("./")))
        rel = rel.mid(2);
    if (rel.startsWith(QLatin1String("/skin/")))
        return m_Dirs.appDir + rel;
    if (QDir::isAbsolutePath(rel))
        return rel;
    return m_Dirs.appDir + QLatin1Char('/') + rel;
}

void TarnUi::applyMenuStyle(QMenu *menu) const
{
    if (!menu)
        return;
    menu->setStyleSheet(tarnMenuStyleSheet(themeColor()));
    menu->setFont(languageFont());
}

double TarnUi::currentScale()
{
    return g_pCurrentUi ? g_pCurrentUi->scale() : 1.0;
}

int TarnUi::currentScaled(int design)
{
    return tarnScaled(design, currentScale());
}

QFont TarnUi::currentFont()
{
    return g_pCurrentUi ? g_pCurrentUi->languageFont() : QApplication::font();
}

QColor TarnUi::currentThemeColor()
{
    return g_pCurrentUi ? g_pCurrentUi->themeColor() : tarnThemeColor(0);
}

QString TarnUi::currentImagePath(const QString &name)
{
    if (g_pCurrentUi)
        return g_pCurrentUi->imagePath(name);
    return name.startsWith(QLatin1String("./")) ? name.mid(2) : name;
}

void TarnUi::applyCurrentMenuStyle(QMenu *menu)
{
    if (!menu)
        return;
    menu->setStyleSheet(tarnMenuStyleSheet(currentThemeColor()));
    menu->setFont(currentFont());
}

void TarnUi::applyPanelBackground(QWidget *panel)
{
    if (!panel)
        return;
    panel->setAttribute(Qt::WA_StyledBackground, true);
    panel->setStyleSheet(tarnPanelStyleSheet());
}
