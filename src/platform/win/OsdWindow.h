#pragma once
// The on-screen display companion's window on Windows: looked up by its title
// and handed each text as WM_COPYDATA. Plain C++ over the Win32 API (no Qt).
#include <cstddef>
#include <cstdint>

namespace platformwin {

// How long a send may wait for the companion's window procedure. A hung
// window (one that has not pumped messages for about five seconds) is not
// waited for at all.
constexpr unsigned kOsdSendTimeoutMs = 250;

enum class OsdSendResult {
    Delivered,
    Refused, // the window procedure answered 0
    TimedOut // hung, or no answer within the time limit
};

// The top-level window titled "QRVM Wireless Mouse OSD", or nullptr.
void *findOsdWindow();

// Sends the block as WM_COPYDATA (dwData 0, cbData size) without ever waiting
// longer than timeoutMs.
OsdSendResult sendOsdBlock(void *window, const std::uint8_t *data, std::size_t size,
                           unsigned timeoutMs = kOsdSendTimeoutMs);

// The receiving side: the block carried by a WM_COPYDATA's lParam, or nullptr
// when it is not one (dwData other than 0 or a size other than the block's).
const std::uint8_t *osdBlockFromCopyData(std::intptr_t lParam);

} // namespace platformwin
