// The decoding of what the mouse sends: status answers, its own status
// reports, and the echo check of command answers. Any 33 bytes are possible.
#include "CommandReport.h"
#include "StatusDecoding.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < std::size_t(kReportLength))
        return 0;
    // Exactly one report in its own allocation, so a read past it is caught.
    std::uint8_t *report = new std::uint8_t[kReportLength];
    std::memcpy(report, data, kReportLength);
    const StatusInput input = decodeStatusInput(report);
    if (input.kind == StatusInput::Answer) {
        const int level = batteryLevel(input.answer.battery, kDefaultBatteryFullMillivolts);
        if (level < 0 || level > 100)
            __builtin_trap();
    }
    if (size >= std::size_t(2 * kReportLength)) {
        std::uint8_t *answer = new std::uint8_t[kReportLength];
        std::memcpy(answer, data + kReportLength, kReportLength);
        const int match = CompareEcho(report, answer, EchoCheckFor(report[3]) == EchoCheck::CommandAndData);
        if (match < 0 || match > 2)
            __builtin_trap();
        delete[] answer;
    }
    (void)CommandChecksum(report);
    delete[] report;
    return 0;
}
