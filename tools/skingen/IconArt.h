#pragma once

#include "SkinStyle.h"

#include <QVector>

// Small icons: the macro action icons and the yes / no tool-button icons.
SkinImages iconArt();

// The application icon drawn for one pixel size (the small sizes get thicker
// strokes rather than a shrunken copy of the large one).
QImage drawAppIcon(int px);
