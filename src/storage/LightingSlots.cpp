#include "LightingSlots.h"

#include "ProfileData.h"

LightingSlots lightingSlots(const QString &productName, int activeSlot)
{
    LightingSlots where;
    if (productName == QLatin1String("KX50") || activeSlot < 0 || activeSlot >= kProfileCount)
        return where;
    where.effect = activeSlot;
    if (activeSlot != 0)
        where.mirror = activeSlot;
    return where;
}
