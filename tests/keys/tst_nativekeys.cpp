// The native key codes of X11 and Wayland (evdev + 8) as the capture dialogs
// see them: checked against the kernel's own key numbers, through the
// conversion the dialogs apply to the Windows pair.

#include "KeyEvents.h"
#include "NativeKeys.h"

#include <QSet>
#include <QtTest>

#include <linux/input-event-codes.h>

namespace {
struct Expected
{
    int evdev;
    const char *name;
};

// Every named key of the keyboard, by its kernel number.
// clang-format off
const Expected kKeyboard[] = {
    {KEY_ESC, "Esc"}, {KEY_1, "1"}, {KEY_2, "2"}, {KEY_3, "3"}, {KEY_4, "4"}, {KEY_5, "5"}, {KEY_6, "6"},
    {KEY_7, "7"}, {KEY_8, "8"}, {KEY_9, "9"}, {KEY_0, "0"}, {KEY_MINUS, "-"}, {KEY_EQUAL, "="},
    {KEY_BACKSPACE, "Backspace"}, {KEY_TAB, "Tab"}, {KEY_Q, "Q"}, {KEY_W, "W"}, {KEY_E, "E"}, {KEY_R, "R"},
    {KEY_T, "T"}, {KEY_Y, "Y"}, {KEY_U, "U"}, {KEY_I, "I"}, {KEY_O, "O"}, {KEY_P, "P"}, {KEY_LEFTBRACE, "["},
    {KEY_RIGHTBRACE, "]"}, {KEY_ENTER, "Enter"}, {KEY_LEFTCTRL, "LCtr"}, {KEY_A, "A"}, {KEY_S, "S"}, {KEY_D, "D"},
    {KEY_F, "F"}, {KEY_G, "G"}, {KEY_H, "H"}, {KEY_J, "J"}, {KEY_K, "K"}, {KEY_L, "L"}, {KEY_SEMICOLON, ";"},
    {KEY_APOSTROPHE, "'"}, {KEY_GRAVE, "`"}, {KEY_LEFTSHIFT, "LShift"}, {KEY_BACKSLASH, "\\"}, {KEY_Z, "Z"},
    {KEY_X, "X"}, {KEY_C, "C"}, {KEY_V, "V"}, {KEY_B, "B"}, {KEY_N, "N"}, {KEY_M, "M"}, {KEY_COMMA, ","},
    {KEY_DOT, "."}, {KEY_SLASH, "/"}, {KEY_RIGHTSHIFT, "RShift"}, {KEY_KPASTERISK, "Num *"}, {KEY_LEFTALT, "LAlt"},
    {KEY_SPACE, "Space"}, {KEY_CAPSLOCK, "CapsLock"}, {KEY_F1, "F1"}, {KEY_F2, "F2"}, {KEY_F3, "F3"},
    {KEY_F4, "F4"}, {KEY_F5, "F5"}, {KEY_F6, "F6"}, {KEY_F7, "F7"}, {KEY_F8, "F8"}, {KEY_F9, "F9"},
    {KEY_F10, "F10"}, {KEY_NUMLOCK, "Num Lock"}, {KEY_SCROLLLOCK, "Scroll Lock"}, {KEY_KP7, "Num 7"},
    {KEY_KP8, "Num 8"}, {KEY_KP9, "Num 9"}, {KEY_KPMINUS, "Num -"}, {KEY_KP4, "Num 4"}, {KEY_KP5, "Num 5"},
    {KEY_KP6, "Num 6"}, {KEY_KPPLUS, "Num +"}, {KEY_KP1, "Num 1"}, {KEY_KP2, "Num 2"}, {KEY_KP3, "Num 3"},
    {KEY_KP0, "Num 0"}, {KEY_KPDOT, "Num De"}, {KEY_F11, "F11"}, {KEY_F12, "F12"}, {KEY_KPENTER, "Num Enter"},
    {KEY_RIGHTCTRL, "RCtr"}, {KEY_KPSLASH, "Num /"}, {KEY_SYSRQ, "Print Screen"}, {KEY_RIGHTALT, "RAlt"},
    {KEY_HOME, "Home"}, {KEY_UP, "Up"}, {KEY_PAGEUP, "Page Up"}, {KEY_LEFT, "Left"}, {KEY_RIGHT, "Right"},
    {KEY_END, "End"}, {KEY_DOWN, "Down"}, {KEY_PAGEDOWN, "Page Down"}, {KEY_INSERT, "Insert"},
    {KEY_DELETE, "Delete"}, {KEY_PAUSE, "Pause Break"}, {KEY_LEFTMETA, "LWindows"}, {KEY_RIGHTMETA, "RWindows"},
    {KEY_COMPOSE, "App"},
};
// clang-format on

QString nameOf(std::uint32_t nativeCode, bool release, std::uint32_t *flags = nullptr)
{
    NativeKeyTranslator translator;
    WindowsKeyEvent ev;
    if (!translator.translate(nativeCode, release, ev))
        return QStringLiteral("<none>");
    if (flags)
        *flags = ev.flags;
    return QString::fromLatin1(keyName(captureKeyCode(ev.scanCode, ev.flags)));
}
} // namespace

class TestNativeKeys : public QObject
{
    Q_OBJECT
private slots:
    void wholeKeyboard();
    void flagsFollowAltAndRelease();
};

void TestNativeKeys::wholeKeyboard()
{
    // Each key gives its own name, pressed and released.
    QSet<QString> names;
    for (const Expected &key : kKeyboard) {
        const std::uint32_t native = std::uint32_t(key.evdev) + kNativeKeycodeOffset;
        QCOMPARE(nameOf(native, false), QString::fromLatin1(key.name));
        QCOMPARE(nameOf(native, true), QString::fromLatin1(key.name));
        names.insert(QString::fromLatin1(key.name));
    }
    // ... and together they are every keyboard key that has a name.
    QCOMPARE(names.size(), kKeyUsagePairCount);
    // No other native code gives a named key twice, or a key at all below the offset.
    QSet<QString> reached;
    for (std::uint32_t native = 0; native < 256; ++native) {
        const QString name = nameOf(native, false);
        if (name == QLatin1String("<none>") || name.isEmpty())
            continue;
        QVERIFY2(!reached.contains(name), qPrintable(QStringLiteral("%1 reached twice").arg(name)));
        reached.insert(name);
    }
    QCOMPARE(reached, names);
    QCOMPARE(nameOf(KEY_ESC, false), QStringLiteral("<none>")); // a code below the offset is no key
}

void TestNativeKeys::flagsFollowAltAndRelease()
{
    // What Windows reports while Alt is held: the Alt-down bit on every event
    // from the Alt press to its release, the extended bit for right Alt.
    struct Step
    {
        int evdev;
        bool release;
        std::uint32_t flags;
    };
    const Step steps[] = {
        {KEY_A, false, 0x00},        {KEY_A, true, 0x80},        {KEY_LEFTALT, false, 0x20},
        {KEY_A, false, 0x20},        {KEY_A, true, 0xA0},        {KEY_LEFTALT, true, 0x80},
        {KEY_RIGHTALT, false, 0x21}, {KEY_RIGHTALT, true, 0x81}, {KEY_RIGHTCTRL, false, 0x01},
        {KEY_RIGHTCTRL, true, 0x81}, {KEY_KP7, false, 0x00},     {KEY_HOME, false, 0x01},
    };
    NativeKeyTranslator translator;
    for (const Step &step : steps) {
        WindowsKeyEvent ev;
        QVERIFY(translator.translate(std::uint32_t(step.evdev) + kNativeKeycodeOffset, step.release, ev));
        QCOMPARE(ev.flags, step.flags);
    }
    QVERIFY(!translator.altHeld());
}

QTEST_APPLESS_MAIN(TestNativeKeys)
#include "tst_nativekeys.moc"
