// Two processes under Windows (Wine here): one owns the window titled
// "QRVM Wireless Mouse OSD", the other finds it and sends it a block with the
// utility's own Win32 code. The receiver checks every byte.
//
//   osd_copydata receive <text> <colour hex> answer|hang
//   osd_copydata send    <text> <colour hex> delivered|timedout
//
// Exit code 0 when the receiver got the expected block, or the sender got
// the expected result; 1 otherwise, 2 on a usage error or a timeout.
#include "OsdBlock.h"
#include "OsdWindow.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

osdblock::Block g_expected{};
bool g_hang = false;
int g_result = 2;

std::u16string toU16(const wchar_t *text)
{
    std::u16string s;
    for (; *text; ++text)
        s.push_back(char16_t(*text));
    return s;
}

LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COPYDATA) {
        const std::uint8_t *block = platformwin::osdBlockFromCopyData(std::intptr_t(lParam));
        const bool same = block && std::memcmp(block, g_expected.data(), g_expected.size()) == 0;
        std::printf("receiver: %s\n", !block ? "not a block" : same ? "block identical" : "block differs");
        g_result = same ? 0 : 1;
        if (g_hang)
            Sleep(3000); // a companion stuck in its window procedure
        PostQuitMessage(0);
        return same ? TRUE : FALSE;
    }
    if (msg == WM_TIMER) {
        std::printf("receiver: no message within 60 s\n");
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

int receive()
{
    WNDCLASSW cls{};
    cls.lpfnWndProc = windowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"OsdCopyDataTest";
    if (!RegisterClassW(&cls))
        return 2;
    HWND window = CreateWindowExW(0, cls.lpszClassName, reinterpret_cast<const wchar_t *>(osdblock::kWindowTitle),
                                  WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, cls.hInstance, nullptr);
    if (!window)
        return 2;
    SetTimer(window, 1, 60000, nullptr);
    std::printf("receiver: window up\n");
    std::fflush(stdout);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DestroyWindow(window);
    return g_result;
}

int send(bool expectDelivered)
{
    void *window = nullptr;
    for (int i = 0; i < 600 && !window; ++i) {
        window = platformwin::findOsdWindow();
        if (!window)
            Sleep(100);
    }
    if (!window) {
        std::printf("sender: no window found\n");
        return 2;
    }
    const DWORD before = GetTickCount();
    const platformwin::OsdSendResult result = platformwin::sendOsdBlock(window, g_expected.data(), g_expected.size());
    const DWORD took = GetTickCount() - before;
    const char *name = result == platformwin::OsdSendResult::Delivered ? "delivered"
                       : result == platformwin::OsdSendResult::Refused ? "refused"
                                                                       : "timed out";
    std::printf("sender: %s after %lu ms\n", name, static_cast<unsigned long>(took));
    const auto expected =
        expectDelivered ? platformwin::OsdSendResult::Delivered : platformwin::OsdSendResult::TimedOut;
    return result == expected ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 5)
        return 2;
    const std::uint32_t colour = std::uint32_t(std::wcstoul(argv[3], nullptr, 16));
    g_expected = osdblock::buildBlock(toU16(argv[2]), colour);
    const std::wstring mode = argv[1];
    const std::wstring how = argv[4];
    if (mode == L"receive") {
        g_hang = how == L"hang";
        return receive();
    }
    if (mode == L"send")
        return send(how == L"delivered");
    return 2;
}
