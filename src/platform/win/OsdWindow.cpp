#include "OsdWindow.h"

#include "OsdBlock.h"

#include <windows.h>

namespace platformwin {

void *findOsdWindow()
{
    HWND window = FindWindowW(nullptr, reinterpret_cast<const wchar_t *>(osdblock::kWindowTitle));
    return window && IsWindow(window) ? window : nullptr;
}

OsdSendResult sendOsdBlock(void *window, const std::uint8_t *data, std::size_t size, unsigned timeoutMs)
{
    COPYDATASTRUCT copy{};
    copy.dwData = 0;
    copy.cbData = DWORD(size);
    copy.lpData = const_cast<std::uint8_t *>(data);
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutW(static_cast<HWND>(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                                             SMTO_ABORTIFHUNG | SMTO_NORMAL, timeoutMs, &answer);
    if (sent == 0)
        return OsdSendResult::TimedOut;
    return answer != 0 ? OsdSendResult::Delivered : OsdSendResult::Refused;
}

const std::uint8_t *osdBlockFromCopyData(std::intptr_t lParam)
{
    const auto *copy = reinterpret_cast<const COPYDATASTRUCT *>(lParam);
    if (!copy || copy->dwData != 0 || copy->cbData != osdblock::kBlockSize || !copy->lpData)
        return nullptr;
    return static_cast<const std::uint8_t *>(copy->lpData);
}

} // namespace platformwin
