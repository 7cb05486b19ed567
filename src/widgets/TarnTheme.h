#pragma once
// Pure look-and-feel rules shared by every skinned widget: the theme colour
// table, design-to-screen scaling, the language font and the common style
// sheets. No widget code here, so the rules can be checked on their own.

#include <QColor>
#include <QFont>
#include <QString>

constexpr int kThemeColorCount = 7;
// Font sizes above this (design pixels) are taken as a damaged Config.ini.
constexpr int kMaxFontSize = 200;

// Colour of Config/GColorID. An id outside the table falls back to entry 0
// (and is logged) instead of reading past the end.
QColor tarnThemeColor(int id);

// Design pixels times the display scale, truncated toward zero (and kept
// within the range of int).
int tarnScaled(int design, double scale);

// The language font: family and pixel size x scale, truncated. An empty family
// keeps the base family; a size that gives no positive pixel size keeps the
// base font's size (a missing key reads as 0).
QFont tarnLanguageFont(const QString &family, int size, double scale, const QFont &base = QFont());

// "rgb(r,g,b)" for the colour places of the style sheets.
QString tarnRgb(const QColor &color);

// Style of every menu of the window and panels: white item text (also when
// checked, so it stays readable in every theme); the theme colour draws the
// separators.
QString tarnMenuStyleSheet(const QColor &theme);

// Background of every panel (set together with Qt::WA_StyledBackground).
QString tarnPanelStyleSheet();

// The yes/no tool buttons of the dialogs: black, white text, rounded, with a
// 1 px outset border in the given colour, solid white while the button has
// the focus; sidePadding in screen pixels.
QString tarnDialogButtonStyleSheet(const QColor &border, int sidePadding = 14);
