#pragma once
#include <cstdint>

// Result code of every device operation. Sequences stop at the first non-zero
// code and hand it up unchanged.
using DeviceResult = std::uint8_t;

constexpr DeviceResult kResultOk = 0;
constexpr DeviceResult kResultNoDevice = 1;     // no command handle open
constexpr DeviceResult kResultVerifyFailed = 2; // echo never matched within the retry limits
constexpr DeviceResult kResultWriteFailed = 4;  // hid_write reported an error
constexpr DeviceResult kResultAsleep = 5;       // mouse off, nothing sent (added by the apply worker)
