#pragma once
// Which of the five slots hold what the lighting page shows and edits.
//
// The mouse keeps one set of lighting records: the lighting table and the
// sleep and move-off bytes are always built from slot 0, while the general
// settings carry the active slot's effect. The page therefore shows the
// effect of the slot whose effect is sent and every other value from slot 0.
// An edit is also written into the active slot, so that the slot's own
// records stay what the page shows; the comparison that decides what Apply
// sends looks at the active slot's values and at slot 0's, the source of
// what the mouse gets. "KX50" keeps everything in slot 0.

#include <QString>

struct LightingSlots
{
    int effect = 0;  // LedMode
    int shown = 0;   // colour, brightness, speed, sleep time and move-off: shown and written
    int mirror = -1; // also written, or -1
};

LightingSlots lightingSlots(const QString &productName, int activeSlot);
