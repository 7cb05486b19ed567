#pragma once
// What a mouse button can do: the function codes stored as ButtonEntry::Fun,
// the text each one shows in the menus and on the buttons, the menu that
// offers it, and the rules for writing an assignment into an entry. Pure
// logic: the panel and its dialogs build on it.

#include "KeyTables.h"
#include "ProfileData.h"

#include <array>
#include <vector>

using ButtonEntries = std::array<ButtonEntry, kButtonEntryCount>;

// Function codes with a meaning of their own in the panel.
constexpr int kFunLeft = 1;
constexpr int kFunSingleKey = 6;
constexpr int kFunComboKey = 7;
constexpr int kFunFireKey = 12;
constexpr int kFunScrollUp = 52;
constexpr int kFunScrollDown = 53;
constexpr int kFunSniper = 55;
constexpr int kFunGunFile = 510;

// Where the panel offers a function.
enum class FunctionMenu {
    Main,  // directly in the button menu
    Basic, // the submenus of the button menu, in their order
    Windows,
    Advance,
    Media,
    Dpi,
    PollingRate,
    ProfileMenu, // built, never put into a menu
    WheelOnly,   // only in the wheel menu
    None         // macros and gun files: named by the entry, not offered as codes
};

struct ButtonFunction
{
    int code;
    const char *text; // source text, translated in the context "TarnBtnWindow"
    FunctionMenu menu;
    bool inWheelMenu;
};

// Every function, in catalogue order (the order of the submenus).
const std::vector<ButtonFunction> &buttonCatalogue();
// The catalogue row of code, or null.
const ButtonFunction *findButtonFunction(int code);
// Source titles of the submenus, in their order in the button menu.
const char *functionMenuTitle(FunctionMenu menu);
// The entries of the wheel menu, in their order.
const std::vector<int> &wheelMenuCodes();

// The text a button shows for its entry before translation: the function's
// text, or the macro name for macros and gun files (returned empty here:
// callers show entry.macroname). Scroll up and down have captions only on the
// wheel buttons. Null for a code without a caption.
const char *captionSource(int code, bool wheelButton);

// Entry index of panel button index on page (0 and 1: 20 buttons each, 2:
// the two wheel buttons), or -1 when the pair names no entry.
int buttonEntryIndex(int page, int index);

// True when giving entry e the function code would leave no entry with a left
// click.
bool removesLastLeftClick(const ButtonEntries &entries, int e, int code);

// Inserts the press and release of key at position p of the entry's event
// list, moving the events from p up by two (the last two fall off).
void insertComboKey(ButtonEntry &entry, int p, InternalKeyCode key);
// A key combination: the event list cleared, then the keys inserted at
// positions 0, 1, 2... so that they are pressed in order and released in
// reverse order.
void storeComboKeys(ButtonEntry &entry, const std::vector<InternalKeyCode> &keys);

// The fire-key value of Res1 for a mode (0 left, 1 right, 2 middle, 3 key):
// the mouse button's code, or the key's HID usage (0 without one).
std::uint8_t fireKeyRes1(int mode, InternalKeyCode key);
