#include "StatusDecoding.h"

#include "CommandReport.h"

namespace {
// Voltage thresholds in millivolts and the level at or above each.
struct LevelStep
{
    int millivolts;
    int level;
};
constexpr LevelStep kLevelSteps[] = {{4100, 90}, {4000, 80}, {3900, 70}, {3800, 60},
                                     {3700, 50}, {3500, 40}, {3400, 30}, {3200, 20}};
} // namespace

int batteryLevel(const BatteryReading &reading, int batteryFullMillivolts)
{
    if (reading.millivolts() >= batteryFullMillivolts)
        return 100;
    // raw * 990 / 240 >= t without rounding is raw * 990 >= t * 240.
    const long scaled = long(reading.raw()) * 990;
    for (const LevelStep &step : kLevelSteps) {
        if (scaled >= long(step.millivolts) * 240)
            return step.level;
    }
    return 10;
}

StatusInput decodeStatusInput(const std::uint8_t *report)
{
    StatusInput input;
    if (!report)
        return input;
    if (report[3] == kStatusReport) {
        input.kind = StatusInput::Report;
        input.report = {report[4], report[5], report[6], report[7]};
    } else if (report[3] == kCmdStatusQuery) {
        input.kind = StatusInput::Answer;
        input.answer.battery = {report[6], report[4], report[5]};
        input.answer.writeStatus = report[7];
        input.answer.variant = report[10];
    }
    return input;
}
