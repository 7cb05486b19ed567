#pragma once
// Which of the five slots hold what the lighting page shows and edits.
//
// The mouse keeps one set of lighting records: the lighting table and the
// sleep and move-off bytes are always built from slot 0, while the general
// settings carry the active slot's effect. The page therefore shows the
// effect of the slot whose effect is sent and every other value from slot 0.
// The comparison that decides what Apply sends looks at each slot's own
// effect and at the active slot's sleep and move-off bytes, so an edit is also
// written into the active slot; otherwise a change made while slot 3 is active
// would be shown but never sent. "KX50" keeps everything in slot 0.

#include <QString>

struct LightingSlots
{
    int effect = 0;  // LedMode
    int shown = 0;   // colour, brightness, speed, sleep time and move-off: shown and written
    int mirror = -1; // also written, or -1
};

LightingSlots lightingSlots(const QString &productName, int activeSlot);
