#pragma once

#include "SkinStyle.h"

// Pictures of the main window: background, tabs, caption buttons, selectors,
// logo and the connection and battery indicators.
SkinImages windowArt();

QImage drawBackground();

// The wireless receiver, connector up, fitted into a square box.
void paintReceiver(QPainter &p, const QRectF &box, bool ledOn);
