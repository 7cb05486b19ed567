#include "CommandReport.h"

std::uint8_t CommandChecksum(const std::uint8_t *report)
{
    unsigned sum = 0;
    for (int i = 2; i <= 7; ++i)
        sum += report[i];
    return static_cast<std::uint8_t>((sum & 0xFF) ^ 0x66);
}

EchoCheck EchoCheckFor(std::uint8_t commandCode)
{
    if (commandCode <= 0x0A)
        return EchoCheck::CommandAndData;
    if (commandCode == kCmdCompletion || commandCode == kCmdTransferMark)
        return EchoCheck::Command;
    return EchoCheck::None;
}

int CompareEcho(const std::uint8_t *command, const std::uint8_t *answer, bool checkData)
{
    static const int headerBytes[] = {0, 2, 3, 4, 5, 6};
    for (int i : headerBytes)
        if (answer[i] != command[i])
            return 1;
    if (!checkData)
        return 0;
    int n = command[6];
    if (n > kReportMaxData)
        n = kReportMaxData; // the length byte comes from the caller: never read past the report
    for (int i = 0; i < n; ++i)
        if (answer[kReportDataOffset + i] != command[kReportDataOffset + i])
            return 2;
    return 0;
}
