#include "ButtonCatalogue.h"

#include <QtGlobal>

#include <algorithm>

namespace {
using M = FunctionMenu;

// clang-format off
const std::vector<ButtonFunction> kCatalogue = {
    {1, QT_TRANSLATE_NOOP("TarnBtnWindow", "Left"), M::Main, true},
    {2, QT_TRANSLATE_NOOP("TarnBtnWindow", "Right"), M::Main, true},
    {3, QT_TRANSLATE_NOOP("TarnBtnWindow", "Middle"), M::Main, true},
    {4, QT_TRANSLATE_NOOP("TarnBtnWindow", "Forward"), M::Main, true},
    {5, QT_TRANSLATE_NOOP("TarnBtnWindow", "Back"), M::Main, true},
    {6, QT_TRANSLATE_NOOP("TarnBtnWindow", "SINGLE KEY"), M::Advance, true},
    {7, QT_TRANSLATE_NOOP("TarnBtnWindow", "COMBO KEY"), M::Advance, true},
    {12, QT_TRANSLATE_NOOP("TarnBtnWindow", "FIRE KEY"), M::Advance, false},
    {16, QT_TRANSLATE_NOOP("TarnBtnWindow", "Button Off"), M::Main, false},
    {17, QT_TRANSLATE_NOOP("TarnBtnWindow", "Cut"), M::Basic, false},
    {18, QT_TRANSLATE_NOOP("TarnBtnWindow", "Copy"), M::Basic, false},
    {19, QT_TRANSLATE_NOOP("TarnBtnWindow", "Paste"), M::Basic, false},
    {20, QT_TRANSLATE_NOOP("TarnBtnWindow", "All"), M::Basic, false},
    {21, QT_TRANSLATE_NOOP("TarnBtnWindow", "Find"), M::Basic, false},
    {22, QT_TRANSLATE_NOOP("TarnBtnWindow", "New"), M::Basic, false},
    {23, QT_TRANSLATE_NOOP("TarnBtnWindow", "Print"), M::Basic, false},
    {24, QT_TRANSLATE_NOOP("TarnBtnWindow", "Save"), M::Basic, false},
    {25, QT_TRANSLATE_NOOP("TarnBtnWindow", "Switch Window"), M::Windows, false},
    {26, QT_TRANSLATE_NOOP("TarnBtnWindow", "Close Window"), M::Windows, false},
    {27, QT_TRANSLATE_NOOP("TarnBtnWindow", "My Computer"), M::Windows, false},
    {28, QT_TRANSLATE_NOOP("TarnBtnWindow", "Run"), M::Windows, false},
    {29, QT_TRANSLATE_NOOP("TarnBtnWindow", "Show Desktop"), M::Windows, false},
    {30, QT_TRANSLATE_NOOP("TarnBtnWindow", "Lock PC"), M::Windows, false},
    {31, QT_TRANSLATE_NOOP("TarnBtnWindow", "Browser Home"), M::Windows, false},
    {32, QT_TRANSLATE_NOOP("TarnBtnWindow", "Browser Backward"), M::Windows, false},
    {33, QT_TRANSLATE_NOOP("TarnBtnWindow", "Browser Forward"), M::Windows, false},
    {34, QT_TRANSLATE_NOOP("TarnBtnWindow", "Browser Stop"), M::Windows, false},
    {35, QT_TRANSLATE_NOOP("TarnBtnWindow", "Browser Refresh"), M::Windows, false},
    {36, QT_TRANSLATE_NOOP("TarnBtnWindow", "Browser Search"), M::Windows, false},
    {37, QT_TRANSLATE_NOOP("TarnBtnWindow", "Browser Favorite"), M::Windows, false},
    {38, QT_TRANSLATE_NOOP("TarnBtnWindow", "Mail"), M::Windows, false},
    {62, QT_TRANSLATE_NOOP("TarnBtnWindow", "Boss Key"), M::Windows, false},
    {39, QT_TRANSLATE_NOOP("TarnBtnWindow", "Play/Pause"), M::Media, false},
    {40, QT_TRANSLATE_NOOP("TarnBtnWindow", "Stop"), M::Media, false},
    {41, QT_TRANSLATE_NOOP("TarnBtnWindow", "Previous Track"), M::Media, false},
    {42, QT_TRANSLATE_NOOP("TarnBtnWindow", "Next Track"), M::Media, false},
    {43, QT_TRANSLATE_NOOP("TarnBtnWindow", "Volume Up"), M::Media, true},
    {44, QT_TRANSLATE_NOOP("TarnBtnWindow", "Volume Down"), M::Media, true},
    {45, QT_TRANSLATE_NOOP("TarnBtnWindow", "Mute"), M::Media, false},
    {46, QT_TRANSLATE_NOOP("TarnBtnWindow", "Media Player"), M::Media, false},
    {47, QT_TRANSLATE_NOOP("TarnBtnWindow", "DPI Switch"), M::Dpi, false},
    {48, QT_TRANSLATE_NOOP("TarnBtnWindow", "DPI +"), M::Dpi, false},
    {49, QT_TRANSLATE_NOOP("TarnBtnWindow", "DPI -"), M::Dpi, false},
    {63, QT_TRANSLATE_NOOP("TarnBtnWindow", "Rate Switch"), M::PollingRate, false},
    {50, QT_TRANSLATE_NOOP("TarnBtnWindow", "Rate +"), M::PollingRate, false},
    {51, QT_TRANSLATE_NOOP("TarnBtnWindow", "Rate -"), M::PollingRate, false},
    {52, QT_TRANSLATE_NOOP("TarnBtnWindow", "Scroll Up"), M::WheelOnly, true},
    {53, QT_TRANSLATE_NOOP("TarnBtnWindow", "Scroll Down"), M::WheelOnly, true},
    {54, QT_TRANSLATE_NOOP("TarnBtnWindow", "Led Switch"), M::Main, false},
    {55, QT_TRANSLATE_NOOP("TarnBtnWindow", "SNIPER"), M::Advance, false},
    {59, QT_TRANSLATE_NOOP("TarnBtnWindow", "Profile Switch"), M::ProfileMenu, false},
    {57, QT_TRANSLATE_NOOP("TarnBtnWindow", "Profile +"), M::ProfileMenu, false},
    {58, QT_TRANSLATE_NOOP("TarnBtnWindow", "Profile -"), M::ProfileMenu, false},
    {kFunMacro, QT_TRANSLATE_NOOP("TarnBtnWindow", "Macro Manager"), M::None, false},
    {kFunGunFile, QT_TRANSLATE_NOOP("TarnBtnWindow", "GunFile Manager"), M::None, false},
};
// clang-format on

const std::vector<int> kWheelMenu = {52, 53, 43, 44, 1, 2, 3, 4, 5, 6, 7};

} // namespace

const std::vector<ButtonFunction> &buttonCatalogue()
{
    return kCatalogue;
}

const ButtonFunction *findButtonFunction(int code)
{
    for (const ButtonFunction &f : kCatalogue) {
        if (f.code == code)
            return &f;
    }
    return nullptr;
}

const char *functionMenuTitle(FunctionMenu menu)
{
    switch (menu) {
    case M::Basic:
        return QT_TRANSLATE_NOOP("TarnBtnWindow", "Basic");
    case M::Windows:
        return QT_TRANSLATE_NOOP("TarnBtnWindow", "Windows");
    case M::Advance:
        return QT_TRANSLATE_NOOP("TarnBtnWindow", "Advance");
    case M::Media:
        return QT_TRANSLATE_NOOP("TarnBtnWindow", "Media");
    case M::Dpi:
        return QT_TRANSLATE_NOOP("TarnBtnWindow", "DPI");
    case M::PollingRate:
        return QT_TRANSLATE_NOOP("TarnBtnWindow", "Polling Rate");
    case M::ProfileMenu:
        return QT_TRANSLATE_NOOP("TarnBtnWindow", "Profile Menu");
    default:
        return "";
    }
}

const std::vector<int> &wheelMenuCodes()
{
    return kWheelMenu;
}

const char *captionSource(int code, bool wheelButton)
{
    if (code == kFunMacro || code == kFunGunFile)
        return "";
    if ((code == kFunScrollUp || code == kFunScrollDown) && !wheelButton)
        return nullptr;
    const ButtonFunction *f = findButtonFunction(code);
    return f ? f->text : nullptr;
}

int buttonEntryIndex(int page, int index)
{
    // The selection comes from hovering, from the window and from a keyboard
    // opened menu; anything outside the three pages names no entry.
    if (page < 0 || page > 2 || index < 0 || index >= (page == 2 ? 2 : 20))
        return -1;
    return index + 20 * page;
}

bool removesLastLeftClick(const ButtonEntries &entries, int e, int code)
{
    if (e < 0 || e >= kButtonEntryCount || entries[size_t(e)].Fun != kFunLeft || code == kFunLeft)
        return false;
    for (int i = 0; i < kButtonEntryCount; ++i) {
        if (i != e && entries[size_t(i)].Fun == kFunLeft)
            return false;
    }
    return true;
}

void insertComboKey(ButtonEntry &entry, int p, InternalKeyCode key)
{
    if (p < 0 || p > kKeyInfoCount - 2)
        return;
    std::uint8_t usage = 0;
    scanToHid(key, usage);
    KeyInfoBlock &info = entry.keyInfo;
    std::move_backward(info.begin() + p, info.end() - 2, info.end());
    info[size_t(p)] = {usage, 0x05, 0x80};
    info[size_t(p) + 1] = {usage, 0x05, 0x00};
}

void storeComboKeys(ButtonEntry &entry, const std::vector<InternalKeyCode> &keys)
{
    entry.keyInfo = KeyInfoBlock{};
    int p = 0;
    for (InternalKeyCode key : keys)
        insertComboKey(entry, p++, key);
}

std::uint8_t fireKeyRes1(int mode, InternalKeyCode key)
{
    switch (mode) {
    case 0:
        return 0x81;
    case 1:
        return 0x82;
    case 2:
        return 0x84;
    default:
        break;
    }
    std::uint8_t usage = 0;
    scanToHid(key, usage);
    return usage;
}
