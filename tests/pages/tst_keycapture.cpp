// The key capture dialogs fed with key events as the desktop delivers them
// (native key codes of X11 and Wayland), through the application's keyboard
// hook: what they show, what they keep, and whether the keys go on.

#include "AppDirCopy.h"
#include "ButtonCatalogue.h"
#include "TarnComboKeyWindow.h"
#include "TarnFireKeyWindow.h"
#include "TarnPushButton.h"
#include "TarnSingleKeyWindow.h"
#include "TarnUi.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <linux/input-event-codes.h>

namespace {
using Keys = QList<int>; // evdev codes; negative: the release of -code

void sendKeys(QWidget *dialog, const Keys &keys)
{
    for (int key : keys) {
        const bool release = key < 0;
        QKeyEvent ev(release ? QEvent::KeyRelease : QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                     quint32(std::abs(key)) + 8, 0, 0);
        QCoreApplication::sendEvent(dialog->windowHandle(), &ev);
    }
}

// Key events that reached a widget of the dialog.
class KeyCounter : public QObject
{
public:
    int presses = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            ++presses;
        return false;
    }
};

QString caption(QWidget *dialog, const char *name)
{
    auto *button = dialog->findChild<TarnPushButton *>(QLatin1String(name));
    return button ? button->text() : QStringLiteral("<no caption>");
}
} // namespace

class TestKeyCapture : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void singleKey_data();
    void singleKey();
    void comboKey_data();
    void comboKey();
    void fireKeyEdits_data();
    void fireKeyEdits();
    void fireKeyCapture();

private:
    std::unique_ptr<AppDirCopy> m_pDir;
    std::unique_ptr<TarnUi> m_pUi;
};

void TestKeyCapture::init()
{
    m_pDir = std::make_unique<AppDirCopy>();
    m_pUi = std::make_unique<TarnUi>(StorageDirs::fromAppDir(m_pDir->path()));
}

void TestKeyCapture::cleanup()
{
    m_pUi.reset();
    m_pDir.reset();
}

void TestKeyCapture::singleKey_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("code");
    QTest::newRow("keypad 7") << Keys{KEY_KP7, -KEY_KP7} << "Num 7" << 235;
    QTest::newRow("Home") << Keys{KEY_HOME, -KEY_HOME} << "Home" << 71;
    QTest::newRow("right Ctrl") << Keys{KEY_RIGHTCTRL, -KEY_RIGHTCTRL} << "RCtr" << 238;
    QTest::newRow("last key wins") << Keys{KEY_A, -KEY_A, KEY_F12} << "F12" << 88;
}

void TestKeyCapture::singleKey()
{
    QFETCH(Keys, keys);
    QFETCH(QString, shown);
    QFETCH(int, code);
    TarnSingleKeyWindow dlg;
    QVERIFY(dlg.isHookInstalled());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    KeyCounter reached;
    QApplication::focusWidget()->installEventFilter(&reached);
    sendKeys(&dlg, keys);
    QCOMPARE(caption(&dlg, "singleKeyCaption"), shown);
    QCOMPARE(int(dlg.key()), code);
    // The single key dialog lets every key go on.
    QCOMPARE(reached.presses, int(std::count_if(keys.begin(), keys.end(), [](int k) { return k > 0; })));
}

void TestKeyCapture::comboKey_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("usages"); // of the stored events, press then release order
    QTest::newRow("Ctrl, Shift, A held") << Keys{KEY_LEFTCTRL, KEY_LEFTSHIFT,  KEY_A,
                                                 -KEY_A,       -KEY_LEFTSHIFT, -KEY_LEFTCTRL}
                                         << "LShift + LCtr + A" << QByteArray("\xE1\xE0\x04\x04\xE0\xE1");
    QTest::newRow("right Ctrl alone") << Keys{KEY_RIGHTCTRL, -KEY_RIGHTCTRL} << "LCtr" << QByteArray("\xE0\xE0");
    // Right Alt comes with the Alt-down bit: it is a press, not a release.
    QTest::newRow("right Alt and Tab") << Keys{KEY_RIGHTALT, KEY_TAB} << "LAlt + Tab" << QByteArray("\xE2\x2B\x2B\xE2");
    // A Ctrl held when the dialog opened is released first: no Ctrl remains.
    QTest::newRow("release before any press") << Keys{-KEY_LEFTCTRL, KEY_B} << "B" << QByteArray("\x05\x05");
    QTest::newRow("released keys keep the result")
        << Keys{KEY_LEFTALT, KEY_F4, -KEY_F4, -KEY_LEFTALT, KEY_LEFTALT, -KEY_LEFTALT} << "LAlt"
        << QByteArray("\xE2\xE2");
}

void TestKeyCapture::comboKey()
{
    QFETCH(Keys, keys);
    QFETCH(QString, shown);
    QFETCH(QByteArray, usages);
    TarnComboKeyWindow dlg;
    ButtonEntry preset;
    storeComboKeys(preset, {kKeyLeftWin, 32}); // shown until the first key
    dlg.setPreset(preset.keyInfo);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QCOMPARE(caption(&dlg, "comboKeyCaption"), QStringLiteral("LWindows + D"));
    KeyCounter reached;
    QApplication::focusWidget()->installEventFilter(&reached);
    sendKeys(&dlg, keys);
    QCOMPARE(caption(&dlg, "comboKeyCaption"), shown);
    // While it captures, no key reaches a widget.
    QCOMPARE(reached.presses, 0);

    ButtonEntry entry;
    entry.keyInfo.fill({0x33, 1, 1});
    storeComboKeys(entry, dlg.capture().resultKeys());
    QByteArray stored;
    for (int i = 0; i < usages.size(); ++i) {
        stored += char(entry.keyInfo[size_t(i)].map);
        QCOMPARE(int(entry.keyInfo[size_t(i)].L), 5);
        QCOMPARE(int(entry.keyInfo[size_t(i)].H), i < usages.size() / 2 ? 0x80 : 0x00);
    }
    QCOMPARE(stored.toHex(' '), usages.toHex(' '));
    QCOMPARE(int(entry.keyInfo[size_t(usages.size())].map), 0);
}

void TestKeyCapture::fireKeyEdits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("255 is the top") << "255"
                                    << "255";
    QTest::newRow("256 refused") << "256"
                                 << "25";
    QTest::newRow("1 is the bottom") << "1"
                                     << "1";
    QTest::newRow("four digits") << "1234"
                                 << "123";
    QTest::newRow("letters") << "x9y"
                             << "9";
}

void TestKeyCapture::fireKeyEdits()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    TarnFireKeyWindow dlg;
    QCOMPARE(dlg.timesEdit()->text(), QStringLiteral("3"));
    QCOMPARE(dlg.delayEdit()->text(), QStringLiteral("100"));
    for (QLineEdit *edit : {dlg.timesEdit(), dlg.delayEdit()}) {
        edit->clear();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
    }
    QCOMPARE(dlg.times(), kept.toInt());
    QCOMPARE(dlg.delay(), kept.toInt());
}

void TestKeyCapture::fireKeyCapture()
{
    TarnFireKeyWindow dlg;
    ButtonEntry stored;
    stored.Fun = kFunFireKey;
    stored.Res1 = 0x2C; // Space
    stored.KeyNumber = 0;
    dlg.setPreset(stored);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QCOMPARE(dlg.mode(), int(TarnFireKeyWindow::KeyboardKey));
    QCOMPARE(caption(&dlg, "fireKeyCaption"), QStringLiteral("Space"));
    QCOMPARE(dlg.delayEdit()->text(), QStringLiteral("10"));

    // Digits typed into "Times:" and the Return that ends them are no key.
    dlg.timesEdit()->setFocus();
    dlg.timesEdit()->clear();
    QTest::keyClicks(dlg.timesEdit(), "7");
    sendKeys(&dlg, {KEY_8, -KEY_8, KEY_ENTER});
    QCOMPARE(dlg.timesEdit()->text(), QStringLiteral("7"));
    emit dlg.timesEdit()->returnPressed();
    sendKeys(&dlg, {-KEY_ENTER});
    QCOMPARE(int(dlg.key()), 57);
    // Right Alt is taken as the left one.
    sendKeys(&dlg, {KEY_RIGHTALT});
    QCOMPARE(caption(&dlg, "fireKeyCaption"), QStringLiteral("LAlt"));
    QCOMPARE(int(fireKeyRes1(dlg.mode(), dlg.key())), 0xE2);

    dlg.findChild<QWidget *>(QStringLiteral("fireMode2"))->setFocus();
    QTest::mouseClick(dlg.findChild<QWidget *>(QStringLiteral("fireMode2")), Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(dlg.mode(), int(TarnFireKeyWindow::MiddleClick));
    QCOMPARE(int(dlg.key()), 0);
    QCOMPARE(caption(&dlg, "fireKeyCaption"), QString());
    QCOMPARE(int(fireKeyRes1(dlg.mode(), dlg.key())), 0x84);
}

QTEST_MAIN(TestKeyCapture)
#include "tst_keycapture.moc"
