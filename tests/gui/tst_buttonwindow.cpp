// The button page inside the window, against the simulated mouse: a function
// chosen from the row's menu reaches the mouse with Apply, the page's
// requests reach the window, and pictures of the page with its menu and of
// the capture dialogs are saved for review (build/screenshots/buttons-*).

#include "AppDirCopy.h"
#include "MouseSim.h"
#include "TarnBtnWindow.h"
#include "TarnComboKeyWindow.h"
#include "TarnFireKeyWindow.h"
#include "TarnMacroSelect.h"
#include "TarnMenu.h"
#include "TarnMessageBox.h"
#include "TarnPushButton.h"
#include "TarnSingleKeyWindow.h"
#include "VirtualDeviceClock.h"
#include "WindowUnderTest.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QtTest>

#include <linux/input-event-codes.h>

using mousesim::MouseSim;

namespace {
QAction *findAction(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
        if (action->menu())
            if (QAction *inner = findAction(action->menu(), text))
                return inner;
    }
    return nullptr;
}

QString shotPath(const QString &name)
{
    const QString dir = QDir::cleanPath(QStringLiteral(MOUSECFG_APPDIR "/../screenshots"));
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}
} // namespace

class TestButtonWindow : public QObject
{
    Q_OBJECT
    VirtualDeviceClock m_Clock{20};

    WindowUnderTest makeWindow(AppDirCopy &dir, double dpi = 96)
    {
        dir.setConfigKey("Config/Diff", 0);
        MousecfgOptions options;
        options.trayAvailable = [] { return true; };
        options.logicalDpi = [dpi](const QScreen *) { return dpi; };
        WindowUnderTest w(dir, &m_Clock, options);
        w->show();
        if (!QTest::qWaitFor([&w] { return !w.session->isStatusRestartPending(); }))
            qWarning("the status thread did not restart");
        return w;
    }

private slots:
    void init() { MouseSim::instance().reset(); }
    void chosenFunctionReachesTheMouse();
    void requestsReachTheWindow();
    void screenshots_data();
    void screenshots();
};

void TestButtonWindow::chosenFunctionReachesTheMouse()
{
    AppDirCopy dir;
    auto w = makeWindow(dir);
    auto *page = w->findChild<TarnBtnWindow *>();
    QVERIFY(page && page->isVisible());
    QCOMPARE(w->currentTab(), int(MousecfgWidget::TabCustomize));

    // A click on the second row opens its menu; "Copy" is chosen there.
    bool chosen = false;
    QTimer::singleShot(50, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        findAction(menu, QStringLiteral("Copy"))->trigger();
        menu->close();
        chosen = true;
    });
    QTest::mouseClick(page->button(1), Qt::LeftButton);
    QTRY_VERIFY(chosen);
    QCOMPARE(page->button(1)->text(), QStringLiteral("Copy"));
    QCOMPARE(w.session->currentProfile().buttons[1].Fun, 18);

    MouseSim::instance().clearEvents();
    QTest::mouseClick(w->findChild<TarnPushButton *>(QStringLiteral("applyButton")), Qt::LeftButton);
    QTRY_VERIFY(!w.session->isSending() && !QApplication::activeModalWidget());
    QVERIFY(MouseSim::instance().tableClosed(0x03));
    const auto record = MouseSim::instance().buttonTable().records[1].bytes; // the model puts button 1 at slot 1
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(record.data()), 4).toHex(), QByteArray("8f010600"));
}

void TestButtonWindow::requestsReachTheWindow()
{
    AppDirCopy dir;
    auto w = makeWindow(dir);
    auto *page = w->findChild<TarnBtnWindow *>();
    // The only left click may not go: the window says so.
    for (ButtonEntry &entry : w.session->currentProfile().buttons)
        entry.Fun = entry.Fun == 1 ? 2 : entry.Fun;
    w.session->currentProfile().buttons[0].Fun = 1;
    QString warned;
    QTimer::singleShot(50, [&] {
        if (auto *box = qobject_cast<TarnMessageBox *>(QApplication::activeModalWidget())) {
            warned = box->message();
            box->accept();
        }
    });
    page->selectButton(0, 0);
    findAction(page->mainMenu(), QStringLiteral("Copy"))->trigger();
    QCOMPARE(warned, QStringLiteral("AT LEAST ONE CLICK FUNCTION TO BE RETAINED."));
    QCOMPARE(w.session->currentProfile().buttons[0].Fun, 1);

    // No macro yet: the macro tab opens instead of a dialog.
    page->selectButton(3, 0);
    findAction(page->mainMenu(), QStringLiteral("Macro Manager"))->trigger();
    QCOMPARE(w->currentTab(), int(MousecfgWidget::TabMacro));
    QVERIFY(!page->isVisible());
}

void TestButtonWindow::screenshots_data()
{
    QTest::addColumn<double>("dpi");
    QTest::newRow("scale 1.0") << 96.0;
    QTest::newRow("scale 1.5") << 144.0;
}

void TestButtonWindow::screenshots()
{
    QFETCH(double, dpi);
    const QString scale = dpi > 100 ? QStringLiteral("1.5") : QStringLiteral("1.0");
    AppDirCopy dir;
    dir.setConfigKey("MACRO_LIST/0", "Burst");
    auto w = makeWindow(dir, dpi);
    auto *page = w->findChild<TarnBtnWindow *>();
    QImage picture = w->grab().toImage();

    // The row's menu with "Advance" open, drawn where they pop up.
    TarnMenu *menu = page->mainMenu();
    const QPoint below = page->button(2)->mapToGlobal(QPoint(0, page->button(2)->height()));
    menu->popup(below);
    QMenu *advance = menu->actions().at(7)->menu();
    menu->setActiveAction(menu->actions().at(7));
    advance->popup(menu->mapToGlobal(QPoint(menu->width(), menu->actionGeometry(menu->actions().at(7)).top())));
    QTRY_VERIFY(advance->isVisible());
    {
        QPainter painter(&picture);
        for (QMenu *shown : {static_cast<QMenu *>(menu), advance})
            painter.drawPixmap(shown->pos() - w->pos(), shown->grab());
    }
    QVERIFY(picture.save(shotPath("buttons-menu-" + scale + ".png")));
    advance->close();
    menu->close();

    // The dialogs, centred on the window as they open.
    auto shoot = [&](QDialog *dialog, const QString &name) {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QImage shot = w->grab().toImage();
        QPainter painter(&shot);
        painter.drawPixmap((shot.width() - dialog->width()) / 2, (shot.height() - dialog->height()) / 2,
                           dialog->grab());
        painter.end();
        QVERIFY(shot.save(shotPath("buttons-" + name + "-" + scale + ".png")));
    };
    {
        TarnComboKeyWindow combo(w.get());
        combo.show();
        QVERIFY(QTest::qWaitForWindowActive(&combo));
        for (int key : {KEY_LEFTCTRL, KEY_LEFTSHIFT, KEY_A}) {
            QKeyEvent ev(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, quint32(key) + 8, 0, 0);
            QCoreApplication::sendEvent(combo.windowHandle(), &ev);
        }
        QCOMPARE(combo.displayText(), QStringLiteral("LShift + LCtr + A"));
        shoot(&combo, "combo");
    }
    {
        TarnSingleKeyWindow single(w.get());
        single.setPreset(235);
        shoot(&single, "single");
    }
    {
        TarnFireKeyWindow fire(w.get());
        ButtonEntry entry;
        entry.Res1 = 0x2C;
        fire.setPreset(entry);
        shoot(&fire, "fire");
    }
    {
        TarnMacroSelect select(QString(), QStringLiteral("MACRO SELECT"), QStringLiteral("Burst"), 5, 1, w.get());
        shoot(&select, "macro");
    }
}

QTEST_MAIN(TestButtonWindow)
#include "tst_buttonwindow.moc"
