#pragma once
// The process-wide state of the user interface: where the program lives, the
// display scale and the current language. The application creates exactly one
// TarnUi and keeps it for the whole run; every widget of the kit reads it
// through current(). Tests create their own with a temporary directory.
// Constructing it also installs the kit's accessible interfaces
// (TarnAccessible.h); the rules for pages and dialogs are in README.md.

#include "StorageDirs.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QMenu;
class QWidget;

class TarnUi
{
public:
    explicit TarnUi(const StorageDirs &dirs, double scale = 1.0);
    ~TarnUi();
    TarnUi(const TarnUi &) = delete;
    TarnUi &operator=(const TarnUi &) = delete;

    // The instance created last and still alive, or nullptr.
    static TarnUi *current();

    const StorageDirs &dirs() const { return m_Dirs; }

    double scale() const { return m_dScale; }
    // Values outside 1.00 .. 5.00 are clamped (and logged).
    void setScale(double scale);
    int scaled(int design) const;
    QRect scaledRect(int x, int y, int width, int height) const;

    // The language index starts as stored in LangConfig.ini.
    int langId() const { return m_iLangId; }
    void setLangId(int lang) { m_iLangId = lang; }

    // Font of the current language from Config.ini at pixel size x scale.
    QFont languageFont() const;
    // Colour selected by Config/GColorID.
    QColor themeColor() const;

    // A skin image name as the widgets write it ("/skin/a.png", "./skin/a.png",
    // "skin/a.png") becomes a path under the application directory; resource
    // paths (":/...") and other absolute paths are kept.
    QString imagePath(const QString &name) const;

    // Shared menu look: theme style sheet and language font.
    void applyMenuStyle(QMenu *menu) const;

    // Helpers that work without a TarnUi (defaults: scale 1, application font,
    // theme colour 0, no application directory).
    static double currentScale();
    static int currentScaled(int design);
    static QFont currentFont();
    static QColor currentThemeColor();
    static QString currentImagePath(const QString &name);
    static void applyCurrentMenuStyle(QMenu *menu);

    // Panel background: styled background on a half-transparent dark grey.
    static void applyPanelBackground(QWidget *panel);

private:
    StorageDirs m_Dirs;
    double m_dScale = 1.0;
    int m_iLangId = 0;
    TarnUi *m_pPrevious = nullptr;
};
