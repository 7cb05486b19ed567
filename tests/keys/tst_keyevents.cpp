// Conversion of low-level key events for the capture dialogs and for the
// macro recorder, which differ for right Alt and for Alt-down events.
#include "KeyEvents.h"

#include <QtTest>

class TestKeyEvents : public QObject
{
    Q_OBJECT

private slots:
    void convert_data();
    void convert();
};

namespace {
constexpr int VK_LALT = 0xA4;
constexpr int VK_RALT = 0xA5;
constexpr int VK_OTHER = 0x00; // neither converter looks at it
} // namespace

void TestKeyEvents::convert_data()
{
    QTest::addColumn<int>("scan");
    QTest::addColumn<int>("vk");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("captureCode");
    QTest::addColumn<QString>("captureName");
    QTest::addColumn<int>("recorderCode");
    QTest::addColumn<int>("recorderFlags");
    QTest::addColumn<int>("recorderUsage"); // -1: no HID usage

    // Keypad keys without the extended bit get private codes; their extended
    // twins (navigation keys, Print Screen) keep the scan code.
    QTest::newRow("keypad 7 down") << 71 << VK_OTHER << 0x00 << 235 << "Num 7" << 235 << 0x00 << 0x5F;
    QTest::newRow("keypad 7 up") << 71 << VK_OTHER << 0x80 << 235 << "Num 7" << 235 << 0x80 << 0x5F;
    QTest::newRow("home down") << 71 << VK_OTHER << 0x01 << 71 << "Home" << 71 << 0x01 << 0x4A;
    QTest::newRow("home up") << 71 << VK_OTHER << 0x81 << 71 << "Home" << 71 << 0x81 << 0x4A;
    QTest::newRow("keypad 8") << 72 << VK_OTHER << 0x00 << 236 << "Num 8" << 236 << 0x00 << 0x60;
    QTest::newRow("up arrow") << 72 << VK_OTHER << 0x01 << 72 << "Up" << 72 << 0x01 << 0x52;
    QTest::newRow("keypad 9") << 73 << VK_OTHER << 0x00 << 228 << "Num 9" << 228 << 0x00 << 0x61;
    QTest::newRow("page up") << 73 << VK_OTHER << 0x01 << 73 << "Page Up" << 73 << 0x01 << 0x4B;
    QTest::newRow("keypad 4") << 75 << VK_OTHER << 0x00 << 233 << "Num 4" << 233 << 0x00 << 0x5C;
    QTest::newRow("left arrow") << 75 << VK_OTHER << 0x01 << 75 << "Left" << 75 << 0x01 << 0x50;
    QTest::newRow("keypad 5 has no twin") << 76 << VK_OTHER << 0x00 << 76 << "Num 5" << 76 << 0x00 << 0x5D;
    QTest::newRow("keypad 6") << 77 << VK_OTHER << 0x00 << 234 << "Num 6" << 234 << 0x00 << 0x5E;
    QTest::newRow("right arrow") << 77 << VK_OTHER << 0x01 << 77 << "Right" << 77 << 0x01 << 0x4F;
    QTest::newRow("keypad 1") << 79 << VK_OTHER << 0x00 << 230 << "Num 1" << 230 << 0x00 << 0x59;
    QTest::newRow("end") << 79 << VK_OTHER << 0x01 << 79 << "End" << 79 << 0x01 << 0x4D;
    QTest::newRow("keypad 2") << 80 << VK_OTHER << 0x00 << 231 << "Num 2" << 231 << 0x00 << 0x5A;
    QTest::newRow("down arrow") << 80 << VK_OTHER << 0x01 << 80 << "Down" << 80 << 0x01 << 0x51;
    QTest::newRow("keypad 3") << 81 << VK_OTHER << 0x00 << 232 << "Num 3" << 232 << 0x00 << 0x5B;
    QTest::newRow("page down") << 81 << VK_OTHER << 0x01 << 81 << "Page Down" << 81 << 0x01 << 0x4E;
    QTest::newRow("keypad 0") << 82 << VK_OTHER << 0x00 << 237 << "Num 0" << 237 << 0x00 << 0x62;
    QTest::newRow("insert") << 82 << VK_OTHER << 0x01 << 82 << "Insert" << 82 << 0x01 << 0x49;
    QTest::newRow("keypad dot") << 83 << VK_OTHER << 0x00 << 224 << "Num De" << 224 << 0x00 << 0x63;
    QTest::newRow("delete") << 83 << VK_OTHER << 0x01 << 83 << "Delete" << 83 << 0x01 << 0x4C;
    QTest::newRow("keypad star") << 55 << VK_OTHER << 0x00 << 227 << "Num *" << 227 << 0x00 << 0x55;
    QTest::newRow("print screen") << 55 << VK_OTHER << 0x01 << 55 << "Print Screen" << 55 << 0x01 << 0x46;
    // Injected events carry flag 0x10: no longer plain, so the scan code stays.
    QTest::newRow("injected keypad 7") << 71 << VK_OTHER << 0x10 << 71 << "Home" << 71 << 0x10 << 0x4A;

    // Extended forms of Enter, Ctrl, slash and Pause.
    QTest::newRow("enter") << 28 << VK_OTHER << 0x00 << 28 << "Enter" << 28 << 0x00 << 0x28;
    QTest::newRow("keypad enter down") << 28 << VK_OTHER << 0x01 << 229 << "Num Enter" << 229 << 0x01 << 0x58;
    QTest::newRow("keypad enter up") << 28 << VK_OTHER << 0x81 << 229 << "Num Enter" << 229 << 0x81 << 0x58;
    QTest::newRow("left ctrl") << 29 << VK_OTHER << 0x00 << 29 << "LCtr" << 29 << 0x00 << 0xE0;
    QTest::newRow("right ctrl down") << 29 << VK_OTHER << 0x01 << 238 << "RCtr" << 238 << 0x01 << 0xE4;
    QTest::newRow("right ctrl up") << 29 << VK_OTHER << 0x81 << 238 << "RCtr" << 238 << 0x81 << 0xE4;
    QTest::newRow("slash") << 53 << VK_OTHER << 0x00 << 53 << "/" << 53 << 0x00 << 0x38;
    QTest::newRow("keypad slash") << 53 << VK_OTHER << 0x01 << 226 << "Num /" << 226 << 0x01 << 0x54;
    QTest::newRow("pause") << 69 << VK_OTHER << 0x00 << 69 << "Pause Break" << 69 << 0x00 << 0x48;
    QTest::newRow("num lock") << 69 << VK_OTHER << 0x01 << 225 << "Num Lock" << 225 << 0x01 << 0x53;
    QTest::newRow("left windows extended") << 91 << VK_OTHER << 0x01 << 91 << "LWindows" << 91 << 0x01 << 0xE3;
    QTest::newRow("letter A down") << 30 << VK_OTHER << 0x00 << 30 << "A" << 30 << 0x00 << 0x04;
    QTest::newRow("letter A up") << 30 << VK_OTHER << 0x80 << 30 << "A" << 30 << 0x80 << 0x04;
    QTest::newRow("media key without name") << 0x6A << VK_OTHER << 0x00 << 0x6A << "" << 0x6A << 0x00 << -1;

    // Alt: the capture dialogs go by flags, the recorder by the virtual key.
    QTest::newRow("left alt down") << 56 << VK_LALT << 0x20 << 56 << "LAlt" << 56 << 0x00 << 0xE2;
    QTest::newRow("left alt up") << 56 << VK_LALT << 0x80 << 56 << "LAlt" << 56 << 0x80 << 0xE2;
    QTest::newRow("right alt down") << 56 << VK_RALT << 0x21 << 239 << "RAlt" << 239 << 0x00 << 0xE6;
    QTest::newRow("right alt up") << 56 << VK_RALT << 0x81 << 239 << "RAlt" << 239 << 0x81 << 0xE6;
    QTest::newRow("right alt down without alt flag") << 56 << VK_RALT << 0x01 << 239 << "RAlt" << 239 << 0x01 << 0xE6;
    QTest::newRow("right alt up with alt flag") << 56 << VK_RALT << 0xA1 << 56 << "LAlt" << 239 << 0xA1 << 0xE6;
    QTest::newRow("extended alt with left alt vk") << 56 << VK_LALT << 0x01 << 239 << "RAlt" << 56 << 0x01 << 0xE2;

    // Alt held: the recorder takes a key-down as flags 0, the dialogs do not.
    QTest::newRow("alt+right ctrl down") << 29 << VK_OTHER << 0x21 << 29 << "LCtr" << 29 << 0x00 << 0xE0;
    QTest::newRow("alt+right ctrl up") << 29 << VK_OTHER << 0xA1 << 29 << "LCtr" << 238 << 0xA1 << 0xE4;
    QTest::newRow("alt+keypad enter down") << 28 << VK_OTHER << 0x21 << 28 << "Enter" << 28 << 0x00 << 0x28;
    QTest::newRow("alt+num lock down") << 69 << VK_OTHER << 0x21 << 69 << "Pause Break" << 69 << 0x00 << 0x48;
    QTest::newRow("alt+keypad slash down") << 53 << VK_OTHER << 0x21 << 53 << "/" << 53 << 0x00 << 0x38;
    QTest::newRow("alt+keypad 7 down") << 71 << VK_OTHER << 0x20 << 71 << "Home" << 235 << 0x00 << 0x5F;
    QTest::newRow("alt+keypad 7 up") << 71 << VK_OTHER << 0xA0 << 71 << "Home" << 71 << 0xA0 << 0x4A;
    QTest::newRow("alt+A down") << 30 << VK_OTHER << 0x20 << 30 << "A" << 30 << 0x00 << 0x04;
    QTest::newRow("alt+A up") << 30 << VK_OTHER << 0xA0 << 30 << "A" << 30 << 0xA0 << 0x04;

    // No one-byte code can stand for this scan code.
    QTest::newRow("scan code above 255") << 0x11D << VK_OTHER << 0x00 << 0 << "" << 0 << 0x00 << -1;
}

void TestKeyEvents::convert()
{
    QFETCH(int, scan);
    QFETCH(int, vk);
    QFETCH(int, flags);
    QFETCH(int, captureCode);
    QFETCH(QString, captureName);
    QFETCH(int, recorderCode);
    QFETCH(int, recorderFlags);
    QFETCH(int, recorderUsage);

    const InternalKeyCode cap = captureKeyCode(std::uint32_t(scan), std::uint32_t(flags));
    QCOMPARE(int(cap), captureCode);
    QCOMPARE(QString::fromLatin1(keyName(cap)), captureName);

    const RecordedKeyEvent rec = recorderKeyEvent(std::uint32_t(scan), std::uint32_t(vk), std::uint32_t(flags));
    QCOMPARE(int(rec.code), recorderCode);
    QCOMPARE(int(rec.flags), recorderFlags);
    QCOMPARE(isKeyUp(rec.flags), (flags & 0x80) != 0);

    std::uint8_t usage = 0;
    const bool found = scanToHid(rec.code, usage);
    QCOMPARE(found ? int(usage) : -1, recorderUsage);
}

QTEST_APPLESS_MAIN(TestKeyEvents)
#include "tst_keyevents.moc"
