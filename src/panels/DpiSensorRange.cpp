#include "DpiSensorRange.h"

#include "ProfileData.h"

#include <QStringList>

namespace {
struct SensorRow
{
    int sensor;
    DpiSensorRange range;
};

// clang-format off
const SensorRow kSensors[] = {
    {3325,  {100,  5000,  1,  50, false}},
    {33252, {100, 10000,  1,  75, false}},
    {3311,  {100, 12000,  1, 120, false}},
    {33112, {100, 24000,  1, 180, false}},
    {3360,  {100, 24000,  1, 180, true}},
    {3370,  {50,  19000,  1, 290, false}},
    {3327,  {200, 16400,  1, 106, false}},
    {3389,  {100, 32000,  2, 480, true}},
    {3212,  {600,  7200, 16, 111, false}},
    {3104,  {500,  4200, 14, 105, true}},
    {31042, {500,  8400, 14, 158, true}},
    {3335,  {100, 16000,  1, 160, false}},
    // The table encoding of this sensor reaches code 200 (24000 DPI); codes
    // above it would be sent as something else.
    {33352, {100, 24000,  1, 200, false}},
    {3333,  {200, 16000,  2, 120, false}},
    {33952, {50,  52000,  0, 779, false}},
    {3395,  {50,  26000,  0, 519, true}},
    {3399,  {50,  40000,  0, 599, true}},
};
// clang-format on

// Models whose 3327 stops at 12400 DPI.
const DpiSensorRange k3327Short = {200, 12400, 1, 92, false};
const QStringList k3327ShortModels = {
    QStringLiteral("Q508-RGB"),   QStringLiteral("CINDER"),   QStringLiteral("KX58"),
    QStringLiteral("EMBERLINE3"), QStringLiteral("FALCONET"), QStringLiteral("Q612-RGB"),
    QStringLiteral("IRONWOOD2"),  QStringLiteral("JUNIPER2"), QStringLiteral("LODESTAR"),
};
} // namespace

std::optional<DpiSensorRange> dpiSensorRange(int sensor, const QString &productName)
{
    if (sensor == 3327 && k3327ShortModels.contains(productName))
        return k3327Short;
    for (const SensorRow &row : kSensors) {
        if (row.sensor == sensor)
            return row.range;
    }
    return std::nullopt;
}

int dpiRowCount(int modelLevelCount)
{
    return modelLevelCount >= 1 && modelLevelCount <= kDpiLevelCount ? modelLevelCount : kDpiLevelCount;
}
