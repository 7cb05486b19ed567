// The button page against a session: the menus it offers, what each choice
// writes into the current profile, the rules that refuse a choice, the
// dialogs it opens, and the rows it lays out from the model description.

#include "AccessibilityCheck.h"
#include "AppDirCopy.h"
#include "MacroFile.h"
#include "MouseSession.h"
#include "TarnBtnWindow.h"
#include "TarnMacroSelect.h"
#include "TarnMenu.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <linux/input-event-codes.h>

namespace {
QAction *findAction(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text && !action->menu())
            return action;
        if (action->menu()) {
            if (QAction *inner = findAction(action->menu(), text))
                return inner;
        }
    }
    return nullptr;
}

QStringList texts(QMenu *menu)
{
    QStringList list;
    for (QAction *action : menu->actions())
        list << action->text();
    return list;
}

// Answers the next modal dialog once it runs.
void answerNextDialog(std::function<void(QDialog *)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        answer(dialog);
        // A check that failed inside answer left it open: close it, so the test ends.
        if (dialog->isVisible())
            dialog->reject();
    });
}

struct PageUnderTest
{
    AppDirCopy dir;
    StorageDirs dirs = StorageDirs::fromAppDir(dir.path());
    std::unique_ptr<TarnUi> ui;
    std::unique_ptr<MouseSession> session;
    std::unique_ptr<TarnBtnWindow> page;

    // Lets a test change the model and Config.ini before the page reads them.
    explicit PageUnderTest(std::function<void(AppDirCopy &)> prepare = nullptr)
    {
        if (prepare)
            prepare(dir);
        ui = std::make_unique<TarnUi>(dirs);
        session = std::make_unique<MouseSession>(dirs);
        session->loadConfiguration();
        for (ButtonEntry &entry : buttons())
            entry.Fun = 0;
        buttons()[0].Fun = kFunLeft;
        page = std::make_unique<TarnBtnWindow>(*session);
        page->resize(332, 442);
        page->relayout();
    }
    ButtonEntries &buttons() { return session->currentProfile().buttons; }
    void choose(int entry, const QString &text)
    {
        page->selectButton(entry % 20, entry / 20);
        QAction *action = findAction(entry >= 40 ? page->wheelMenu() : page->mainMenu(), text);
        QVERIFY2(action, qPrintable(text));
        action->trigger();
    }
};
} // namespace

class TestButtonPage : public QObject
{
    Q_OBJECT
private slots:
    void lastLeftClick_data();
    void lastLeftClick();
    void selectionMustNameAnEntry_data();
    void selectionMustNameAnEntry();
    void menusAndCaptions_data();
    void menusAndCaptions();
    void dialogs_data();
    void dialogs();
    void macros_data();
    void macros();
    void rowsFromTheModel_data();
    void rowsFromTheModel();
};

void TestButtonPage::lastLeftClick_data()
{
    QTest::addColumn<QList<int>>("lefts"); // entries holding a left click
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("fun");
    QTest::addColumn<bool>("refused");
    QTest::newRow("only left click to Copy") << QList<int>{0} << 0 << "Copy" << 1 << true;
    QTest::newRow("only left click to Left") << QList<int>{0} << 0 << "Left" << 1 << false;
    QTest::newRow("second one on the wheel") << QList<int>{0, 41} << 0 << "Copy" << 18 << false;
    QTest::newRow("another button") << QList<int>{0} << 3 << "Mute" << 45 << false;
}

void TestButtonPage::lastLeftClick()
{
    QFETCH(QList<int>, lefts);
    QFETCH(int, entry);
    QFETCH(QString, choice);
    QFETCH(int, fun);
    QFETCH(bool, refused);
    PageUnderTest t;
    for (int e : lefts)
        t.buttons()[size_t(e)].Fun = kFunLeft;
    t.buttons()[size_t(entry)].macroname = QStringLiteral("kept");
    QSignalSpy popped(t.page.get(), &TarnBtnWindow::PopOneClickBox);
    QSignalSpy edited(t.page.get(), &TarnPage::profileEdited);
    t.choose(entry, choice);
    QCOMPARE(t.buttons()[size_t(entry)].Fun, fun);
    QCOMPARE(t.buttons()[size_t(entry)].macroname, QStringLiteral("kept")); // a simple code changes Fun only
    QCOMPARE(popped.count(), refused ? 1 : 0);
    QCOMPARE(edited.count(), refused ? 0 : 1);
    // A refusal keeps the selection; a choice consumes it.
    QCOMPARE(t.page->selectedPage(), refused ? entry / 20 : 255);
    if (!refused)
        QCOMPARE(t.page->button(entry)->text(), choice);
}

void TestButtonPage::selectionMustNameAnEntry_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("entry"); // -1: nothing may change
    QTest::newRow("after a choice") << 255 << 255 << -1;
    QTest::newRow("third wheel button") << 2 << 2 << -1;
    QTest::newRow("index 20") << 0 << 20 << -1;
    QTest::newRow("page 3") << 3 << 0 << -1;
    QTest::newRow("last of page 1") << 1 << 19 << 39;
    QTest::newRow("wheel down") << 2 << 1 << 41;
}

void TestButtonPage::selectionMustNameAnEntry()
{
    QFETCH(int, page);
    QFETCH(int, index);
    QFETCH(int, entry);
    PageUnderTest t;
    const ButtonEntries before = t.buttons();
    t.page->selectButton(index, page);
    if (entry < 0)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^No button selected"));
    findAction(t.page->wheelMenu(), QStringLiteral("Volume Up"))->trigger();
    for (int e = 0; e < kButtonEntryCount; ++e)
        QCOMPARE(t.buttons()[size_t(e)].Fun, e == entry ? 43 : before[size_t(e)].Fun);
}

void TestButtonPage::menusAndCaptions_data()
{
    QTest::addColumn<int>("disableMacro");
    QTest::addColumn<QStringList>("mainMenu");
    const QStringList head = {"Left",    "Right",   "Middle", "Forward", "Back",        "Basic",
                              "Windows", "Advance", "Media",  "DPI",     "Polling Rate"};
    QTest::newRow("macros") << 0 << head + QStringList{"Macro Manager", "Led Switch", "Button Off"};
    QTest::newRow("no macros") << 1 << head + QStringList{"Led Switch", "Button Off"};
}

void TestButtonPage::menusAndCaptions()
{
    QFETCH(int, disableMacro);
    QFETCH(QStringList, mainMenu);
    PageUnderTest t([&](AppDirCopy &dir) { dir.setModelKey(QStringLiteral("PROFILE/DisableMacro"), disableMacro); });
    QCOMPARE(texts(t.page->mainMenu()), mainMenu);
    QCOMPARE(texts(t.page->wheelMenu()),
             QStringList({"Scroll Up", "Scroll Down", "Volume Up", "Volume Down", "Left", "Right", "Middle", "Forward",
                          "Back", "SINGLE KEY", "COMBO KEY"}));
    QCOMPARE(texts(t.page->mainMenu()->actions().at(7)->menu()),
             QStringList({"SINGLE KEY", "COMBO KEY", "FIRE KEY", "SNIPER"}));

    // Scroll captions belong to the wheel; macros show their name.
    t.buttons()[1].Fun = 52;
    t.buttons()[40].Fun = 52;
    t.buttons()[41].Fun = kFunMacro;
    t.buttons()[41].macroname = QStringLiteral("Burst");
    t.page->load(t.session->workingConfig().activeProfile());
    QCOMPARE(t.page->button(1)->text(), QString());
    QCOMPARE(t.page->button(40)->text(), QStringLiteral("Scroll Up"));
    QCOMPARE(t.page->button(41)->text(), QStringLiteral("Burst"));
    QCOMPARE(t.page->button(41)->accessibleName(), QStringLiteral("Wheel down: Burst"));
    t.page->show();
    QVERIFY_ACCESSIBLE(t.page.get());
}

void TestButtonPage::dialogs_data()
{
    using Keys = QList<int>;
    QTest::addColumn<QString>("choice");
    QTest::addColumn<Keys>("keys"); // evdev codes sent to the dialog, negative: release
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("fun");
    QTest::addColumn<int>("res1");
    QTest::addColumn<int>("loop");
    QTest::addColumn<int>("keyNumber");
    QTest::addColumn<QByteArray>("keyInfo"); // map, L, H of the first events
    QTest::newRow("combo Ctrl A") << "COMBO KEY" << Keys{KEY_LEFTCTRL, KEY_A, -KEY_A, -KEY_LEFTCTRL} << true << 7 << 9
                                  << 9 << 9 << QByteArray::fromHex("e00580 040580 040500 e00500 000000");
    QTest::newRow("single key Num 7") << "SINGLE KEY" << Keys{KEY_KP7, -KEY_KP7} << true << 6 << 235 << 9 << 9
                                      << QByteArray::fromHex("777777");
    QTest::newRow("fire key untouched") << "FIRE KEY" << Keys{} << true << 12 << 0x81 << 3 << 100
                                        << QByteArray::fromHex("777777");
    QTest::newRow("sniper on 3395") << "SNIPER" << Keys{} << true << 55 << 1 << 9 << 9 << QByteArray::fromHex("777777");
    QTest::newRow("combo cancelled") << "COMBO KEY" << Keys{KEY_B} << false << 2 << 9 << 9 << 9
                                     << QByteArray::fromHex("777777");
}

void TestButtonPage::dialogs()
{
    QFETCH(QString, choice);
    QFETCH(QList<int>, keys);
    QFETCH(bool, accept);
    QFETCH(int, fun);
    QFETCH(int, res1);
    QFETCH(int, loop);
    QFETCH(int, keyNumber);
    QFETCH(QByteArray, keyInfo);
    PageUnderTest t;
    ButtonEntry &entry = t.buttons()[2];
    entry.Fun = 2;
    entry.Res1 = 9;
    entry.LoopNumber = 9;
    entry.KeyNumber = 9;
    entry.keyInfo.fill({0x77, 0x77, 0x77});
    answerNextDialog([keys, accept](QDialog *dialog) {
        for (int key : keys) {
            QKeyEvent ev(key < 0 ? QEvent::KeyRelease : QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                         quint32(std::abs(key)) + 8, 0, 0);
            QCoreApplication::sendEvent(dialog->windowHandle(), &ev);
        }
        accept ? dialog->accept() : dialog->reject();
    });
    t.choose(2, choice);
    QCOMPARE(entry.Fun, fun);
    QCOMPARE(int(entry.Res1), res1);
    QCOMPARE(entry.LoopNumber, loop);
    QCOMPARE(entry.KeyNumber, keyNumber);
    const QByteArray stored(reinterpret_cast<const char *>(entry.keyInfo.data()), keyInfo.size());
    QCOMPARE(stored.toHex(), keyInfo.toHex());
    QCOMPARE(t.page->button(2)->text(), accept ? choice : QStringLiteral("Right"));
}

void TestButtonPage::macros_data()
{
    QTest::addColumn<QString>("listed"); // MACRO_LIST/3
    QTest::addColumn<int>("count");      // Setting/Count of its file
    QTest::addColumn<int>("presetMode"); // Res1 of an entry that holds the macro already
    QTest::addColumn<QString>("pick");   // chosen in the dialog ("" : none)
    QTest::addColumn<int>("fun");
    QTest::addColumn<int>("keyNumber");
    QTest::addColumn<int>("mode");
    QTest::newRow("no macro exists") << "" << 0 << -1 << "" << 2 << 9 << 9;
    QTest::newRow("Yes without a macro") << "Burst" << 3 << -1 << "" << 2 << 9 << 9;
    QTest::newRow("three actions") << "Burst" << 3 << -1 << "Burst" << 200 << 3 << 0;
    QTest::newRow("count beyond the list") << "Burst" << 100 << -1 << "Burst" << 200 << 63 << 0;
    QTest::newRow("negative count") << "Burst" << -5 << -1 << "Burst" << 200 << 0 << 0;
    QTest::newRow("stored mode 7") << "Burst" << 3 << 7 << "Burst" << 200 << 3 << 0;
    QTest::newRow("stored mode 2") << "Burst" << 3 << 2 << "Burst" << 200 << 3 << 2;
}

void TestButtonPage::macros()
{
    QFETCH(QString, listed);
    QFETCH(int, count);
    QFETCH(int, presetMode);
    QFETCH(QString, pick);
    QFETCH(int, fun);
    QFETCH(int, keyNumber);
    QFETCH(int, mode);
    PageUnderTest t([&](AppDirCopy &dir) {
        dir.setConfigKey(QStringLiteral("MACRO_LIST/3"), listed);
        if (listed.isEmpty())
            return;
        QSettings file(dir.path() + "/Configs/MacroDB/" + listed + ".MSMACRO", QSettings::IniFormat);
        file.setValue("Setting/Count", count);
        for (int i = 0; i < std::max(count, 0); ++i) {
            file.setValue(QStringLiteral("Setting/Map_%1").arg(i), 132);
            file.setValue(QStringLiteral("Setting/DataL_%1").arg(i), 4 + i % 20);
            file.setValue(QStringLiteral("Setting/DataH_%1").arg(i), 0);
        }
    });
    ButtonEntry &entry = t.buttons()[4];
    entry.Fun = presetMode >= 0 ? kFunMacro : 2;
    entry.macroname = presetMode >= 0 ? listed : QString();
    entry.Res1 = std::uint8_t(presetMode >= 0 ? presetMode : 9);
    entry.LoopNumber = 9;
    entry.KeyNumber = 9;
    entry.keyInfo.fill({0x77, 0x77, 0x77});
    QSignalSpy gotoMacro(t.page.get(), &TarnBtnWindow::GotoMacroTab);
    if (!listed.isEmpty()) {
        answerNextDialog([pick, listed, presetMode](QDialog *dialog) {
            auto *select = qobject_cast<TarnMacroSelect *>(dialog);
            QVERIFY(select);
            QCOMPARE(select->listedNames(), QStringList{listed});
            // Exactly the stored mode's option is on; an unknown one starts at the loop count.
            const int shownMode = presetMode == 2 ? 2 : 0;
            for (int m = 0; m < 3; ++m)
                QCOMPARE(select->findChild<QRadioButton *>(QStringLiteral("macroMode%1").arg(m))->isChecked(),
                         m == shownMode);
            QCOMPARE(select->macroName(), presetMode >= 0 ? listed : QString());
            if (!pick.isEmpty())
                findAction(select->macroMenu(), pick)->trigger();
            else if (presetMode < 0)
                QCOMPARE(select->loopCount(), 1);
            select->loopEdit()->setText(QStringLiteral("255"));
            select->accept();
        });
    }
    t.choose(4, QStringLiteral("Macro Manager"));
    QCOMPARE(gotoMacro.count(), listed.isEmpty() ? 1 : 0);
    if (listed.isEmpty())
        QCOMPARE(gotoMacro.at(0).at(0).value<quint8>(), quint8(3));
    QCOMPARE(entry.Fun, fun);
    QCOMPARE(entry.KeyNumber, keyNumber);
    QCOMPARE(int(entry.Res1), fun == kFunMacro ? mode : presetMode >= 0 ? presetMode : 9);
    if (fun != kFunMacro)
        return;
    QCOMPARE(entry.macroname, listed);
    QCOMPARE(entry.LoopNumber, 255);
    QCOMPARE(t.page->button(4)->text(), listed);
    // The copied events, and the slots after them as they were.
    for (int j = 0; j < kKeyInfoCount; ++j) {
        const KeyInfo expected = j < keyNumber ? KeyInfo{132, std::uint8_t(4 + j % 20), 0} : KeyInfo{0x77, 0x77, 0x77};
        QVERIFY2(entry.keyInfo[size_t(j)] == expected, qPrintable(QStringLiteral("event %1").arg(j)));
    }
}

void TestButtonPage::rowsFromTheModel_data()
{
    QTest::addColumn<int>("count");   // ButtonCount XOR MouseDpi
    QTest::addColumn<int>("matrix2"); // every BUTTON_INFO_<i>_Matrix2
    QTest::addColumn<int>("shown");
    QTest::newRow("sample model") << 8 << 1 << 8;
    QTest::newRow("20 buttons, the table holds 16") << 20 << 1 << 16;
    QTest::newRow("all hidden") << 8 << -1 << 0;
}

void TestButtonPage::rowsFromTheModel()
{
    QFETCH(int, count);
    QFETCH(int, matrix2);
    QFETCH(int, shown);
    PageUnderTest t([&](AppDirCopy &dir) {
        dir.setModelKey(QStringLiteral("PROFILE/ButtonCount"), count);
        dir.setModelKey(QStringLiteral("PROFILE/MouseDpi"), 0);
        for (int i = 0; i < 16; ++i)
            dir.setModelKey(QStringLiteral("PROFILE/BUTTON_INFO_%1_Matrix2").arg(i), matrix2);
    });
    t.page->show();
    int visible = 0;
    int lastBottom = 0;
    for (int e = 0; e < 20; ++e) {
        TarnPushButton *row = t.page->button(e);
        if (!row->isVisible())
            continue;
        QCOMPARE(row->property("buttonRow").toInt(), visible);
        QVERIFY(row->geometry().top() >= lastBottom);
        lastBottom = row->geometry().bottom();
        ++visible;
    }
    QCOMPARE(visible, shown);
    // The wheel rows follow the first page.
    QVERIFY(t.page->button(40)->isVisible() && t.page->button(41)->isVisible());
    QVERIFY(t.page->button(40)->geometry().top() > lastBottom);
    if (shown <= 9) // they fit without scrolling
        QVERIFY(t.page->button(41)->geometry().bottom() < 442);
}

QTEST_MAIN(TestButtonPage)
#include "tst_buttonpage.moc"
