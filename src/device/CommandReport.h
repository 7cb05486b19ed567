#pragma once
#include <cstdint>

// Layout of the 33-byte command report on the command collection:
// 0 report ID 0x05, 1 checksum, 2 marker 0xFA, 3 command code, 4..5
// parameters (table offset), 6 data length, 7 block tag, 8..32 data.
constexpr int kReportLength = 33;
constexpr int kReportBufferSize = 64;
constexpr int kReportDataOffset = 8;
constexpr int kReportMaxData = kReportLength - kReportDataOffset; // 25

constexpr std::uint8_t kReportId = 0x05;
constexpr std::uint8_t kReportMarker = 0xFA;
constexpr std::uint8_t kCmdCompletion = 0x40;
constexpr std::uint8_t kCmdTransferMark = 0x46;
constexpr std::uint8_t kCmdStatusQuery = 0x48;
constexpr std::uint8_t kStatusReport = 0x49;

enum class EchoCheck { None, Command, CommandAndData };

// ((bytes 2..7) mod 256) XOR 0x66; the data bytes are not covered.
std::uint8_t CommandChecksum(const std::uint8_t *report);

// How the answer to a command code is verified: table writes (0x00..0x0A)
// echo header and data, completion and transfer marks the header only, the
// rest is not answered.
EchoCheck EchoCheckFor(std::uint8_t commandCode);

// 0 match, 1 command mismatch (bytes 0, 2..6), 2 data mismatch (bytes 8..).
// Both buffers hold at least kReportLength bytes; a data length beyond the
// report is cut to the report.
int CompareEcho(const std::uint8_t *command, const std::uint8_t *answer, bool checkData);
