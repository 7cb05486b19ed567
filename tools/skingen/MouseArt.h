#pragma once

#include "SkinStyle.h"

// The sample model's pictures under mouse/<product>/: Mouse.png and one
// mouse_<n>.png per panel button with that button lit. Button order:
// 1 left, 2 right, 3 wheel (middle), 4 forward, 5 back, 6 DPI up, 7 DPI down,
// 8 profile (top).
SkinImages mouseArt(const QString &product);

constexpr int kMouseButtons = 8;
