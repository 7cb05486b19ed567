#include "TarnTheme.h"

#include <QDebug>

#include <array>
#include <limits>

namespace {
struct Rgb
{
    int r;
    int g;
    int b;
};

constexpr std::array<Rgb, kThemeColorCount> kThemeTable{{
    {255, 0, 0},
    {0, 255, 0},
    {0, 0, 255},
    {219, 200, 182},
    {255, 0, 255},
    {0, 255, 255},
    {255, 125, 0},
}};
} // namespace

QColor tarnThemeColor(int id)
{
    if (id < 0 || id >= kThemeColorCount) {
        qWarning("Theme colour id %d is outside 0..%d, using colour 0", id, kThemeColorCount - 1);
        id = 0;
    }
    const Rgb &c = kThemeTable[static_cast<std::size_t>(id)];
    return QColor(c.r, c.g, c.b);
}

int tarnScaled(int design, double scale)
{
    const double product = design * scale;
    if (!(product > std::numeric_limits<int>::min() && product < std::numeric_limits<int>::max()))
        return product > 0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
    return static_cast<int>(product);
}

QFont tarnLanguageFont(const QString &family, int size, double scale, const QFont &base)
{
    QFont font(base);
    if (!family.isEmpty())
        font.setFamily(family);
    const int pixels = tarnScaled(size, scale);
    if (size > 0 && size <= kMaxFontSize && pixels > 0)
        font.setPixelSize(pixels);
    else
        qDebug("Language font size %d is outside 1..%d, keeping the default size", size, kMaxFontSize);
    return font;
}

QString tarnRgb(const QColor &color)
{
    return QString::asprintf("rgb(%d,%d,%d)", color.red(), color.green(), color.blue());
}

QString tarnMenuStyleSheet(const QColor &theme)
{
    const QString rgb = tarnRgb(theme);
    return QStringLiteral("QMenu{background-color:rgb(50,50,50);border:none;margin:0px;}"
                          "QMenu::item{background-color:rgb(50,50,50);color:white;border:none;"
                          "margin:0px;padding:0px 20px 0px 20px;}"
                          "QMenu::item:selected{background-color:rgb(150,150,150);}"
                          "QMenu::item:pressed{background-color:rgb(200,200,200);}"
                          "QMenu::separator{height:1px;background:%1;}")
        .arg(rgb);
}

QString tarnPanelStyleSheet()
{
    return QStringLiteral("background-color: rgba(33,35,35,0.5)");
}

QString tarnDialogButtonStyleSheet(const QColor &border, int sidePadding)
{
    return QStringLiteral("QToolButton{background-color:black;color:white;border-radius:3px;"
                          "border:1px outset %1;padding:0px %2px;}"
                          "QToolButton:hover{background-color:rgb(40,40,40);}"
                          "QToolButton:pressed{background-color:rgb(70,70,70);}"
                          "QToolButton:focus{border:1px solid white;}")
        .arg(tarnRgb(border))
        .arg(sidePadding);
}
