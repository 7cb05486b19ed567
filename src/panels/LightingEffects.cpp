#include "LightingEffects.h"

#include <QCoreApplication>

// clang-format off
const std::array<LightingEffect, kLedModeCount> kLightingEffects = {{
    //                                                          brightness speed  colour
    {QT_TRANSLATE_NOOP("TarnColorWindow", "OFF"),                         false, false, false},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "FULL LIGHTED"),                true,  false, true},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "BREATHING"),                   false, true,  true},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "7 COLOR BREATHING"),           false, true,  false},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "RAINBOW"),                     true,  true,  false},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "FLASH"),                       true,  true,  false},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "Horizontal WAVE"),             true,  true,  false},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "Horizontal GO WITHOUT TRACE"), true,  true,  false},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "Raindrop"),                    true,  true,  false},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "WAVE"),                        true,  true,  false},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "GO WITHOUT TRACE"),            true,  true,  false},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "REACTIVE"),                    true,  false, false},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "yo-yo"),                       true,  true,  false},
    {QT_TRANSLATE_NOOP("TarnColorWindow", "Marbles"),                     true,  true,  false},
}};
// clang-format on
