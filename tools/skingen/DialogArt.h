#pragma once

#include "SkinStyle.h"

#include <QVector>

// Pictures of the dialogs: backgrounds, message icons, check boxes, the
// slider groove, the gun set parts and the progress tile.
SkinImages dialogArt();

// Frames of the progress spinner, each the size of the progress tile and
// meant to lie exactly over it.
QVector<QImage> spinnerFrames(int count);
