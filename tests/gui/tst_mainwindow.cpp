// The main window against the simulated mouse: scale, size, dragging, tabs,
// the tray behaviour, the mouse list, the no-mouse warning and the profile slot
// followed from the mouse's own reports.

#include "AccessibilityCheck.h"
#include "AppDirCopy.h"
#include "DeviceLink.h"
#include "DisplayScale.h"
#include "MouseList.h"
#include "MouseSession.h"
#include "MouseSim.h"
#include "MousecfgWidget.h"
#include "StatusThreadOwner.h"
#include "TarnGetBatteryThread.h"
#include "TarnMessageBox.h"
#include "TarnPage.h"
#include "TarnPushButton.h"
#include "TarnUi.h"
#include "VirtualDeviceClock.h"
#include "WindowUnderTest.h"

#include <QApplication>
#include <QBitmap>
#include <QDirIterator>
#include <QLabel>
#include <QMenu>
#include <QResizeEvent>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using mousesim::Identity;
using mousesim::MouseSim;

namespace {
HidDeviceEntry entryWith(const char *name, int f1, int f2, int f3, int f4)
{
    HidDeviceEntry e{};
    std::strncpy(e.name, name, sizeof(e.name) - 1);
    e.found1 = f1;
    e.found2 = f2;
    e.found3 = f3;
    e.found4 = f4;
    return e;
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    WindowUnderTest makeWindow(const AppDirCopy &dir, double dpi = 96.0, bool tray = true)
    {
        MousecfgOptions options;
        options.logicalDpi = [this, dpi](const QScreen *) { return m_dDpiOverride > 0 ? m_dDpiOverride : dpi; };
        options.trayAvailable = [tray] { return tray; };
        return WindowUnderTest(dir, &m_Clock, options);
    }

    VirtualDeviceClock m_Clock{20};
    double m_dDpiOverride = 0;

private slots:
    void init()
    {
        MouseSim::instance().reset();
        m_dDpiOverride = 0;
    }

    void scaleStep_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("step");
        QTest::addColumn<double>("scale");
        QTest::newRow("96 dpi") << 1.0 << 0 << 1.00;
        QTest::newRow("just below 1.1") << 1.0999 << 0 << 1.00;
        QTest::newRow("exactly 1.1") << 1.1 << 1 << 1.25;
        QTest::newRow("1.39") << 1.39 << 1 << 1.25;
        QTest::newRow("exactly 1.4") << 1.4 << 2 << 1.50;
        QTest::newRow("144 dpi") << 1.5 << 2 << 1.50;
        QTest::newRow("1.79") << 1.79 << 3 << 1.75;
        QTest::newRow("exactly 1.8") << 1.8 << 4 << 2.00;
        QTest::newRow("2.2") << 2.2 << 5 << 2.25;
        QTest::newRow("2.7") << 2.7 << 7 << 2.75;
        QTest::newRow("3.0") << 3.0 << 8 << 3.00;
        QTest::newRow("3.7") << 3.7 << 11 << 3.75;
        QTest::newRow("4.79") << 4.79 << 15 << 4.75;
        QTest::newRow("exactly 4.8") << 4.8 << 16 << 5.00;
        QTest::newRow("far above") << 12.0 << 16 << 5.00;
        QTest::newRow("below one") << 0.5 << 0 << 1.00;
    }
    void scaleStep()
    {
        QFETCH(double, ratio);
        QFETCH(int, step);
        QFETCH(double, scale);
        QCOMPARE(scaleStepForRatio(ratio), step);
        QCOMPARE(scaleOfStep(step), scale);
    }

    void windowSize_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("step");
        QTest::addColumn<QSize>("size");
        QTest::newRow("96") << 96.0 << 0 << QSize(999, 640);
        QTest::newRow("120") << 120.0 << 1 << QSize(1248, 800);
        QTest::newRow("144") << 144.0 << 2 << QSize(1498, 960);
        QTest::newRow("168") << 168.0 << 3 << QSize(1748, 1120);
        QTest::newRow("192") << 192.0 << 4 << QSize(1998, 1280);
        QTest::newRow("288") << 288.0 << 8 << QSize(2997, 1920);
    }
    void windowSize()
    {
        QFETCH(double, dpi);
        QFETCH(int, step);
        QFETCH(QSize, size);
        AppDirCopy dir;
        auto window = makeWindow(dir, dpi);
        QCOMPARE(window->dpiStep(), step);
        QCOMPARE(window->size(), size);
        // Every element sits at its design rectangle times the scale.
        const double scale = scaleOfStep(step);
        auto *apply = window->findChild<TarnPushButton *>(QStringLiteral("applyButton"));
        QVERIFY(apply);
        QCOMPARE(apply->geometry(), QRect(int(597 * scale), int(588 * scale), int(76 * scale), int(30 * scale)));
        auto *picture = window->findChild<QLabel *>(QStringLiteral("mousePicture"));
        QCOMPARE(picture->geometry(), QRect(int(637 * scale), int(99 * scale), int(300 * scale), int(400 * scale)));
        // The outline follows the opaque part of the background.
        QVERIFY(!window->mask().isEmpty());
        QVERIFY(window->mask().boundingRect().width() <= size.width());
    }

    void movingToAnotherDpiRescales()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir, 96.0);
        window->show();
        QCOMPARE(window->size(), QSize(999, 640));
        m_dDpiOverride = 144.0;
        QResizeEvent moved(window->size(), window->size());
        QApplication::sendEvent(window.get(), &moved);
        QTRY_COMPARE(window->size(), QSize(1498, 960));
        QCOMPARE(window->dpiStep(), 2);
        QCOMPARE(window->displayScale(), 1.5);
        // The outline is the background's at the new size, not a stretched copy.
        QCOMPARE(window->mask().boundingRect().size(), QSize(1498, 960));
        const QImage background = QImage(dir.path() + QStringLiteral("/skin/cfgMainback.png"))
                                      .scaled(1498, 960, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        QCOMPARE(window->mask(), QRegion(QBitmap::fromImage(background.createAlphaMask())));
        auto *apply = window->findChild<TarnPushButton *>(QStringLiteral("applyButton"));
        QCOMPARE(apply->geometry(), QRect(895, 882, 114, 45));
    }

    void widthSnapsToAStep_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("step");
        QTest::newRow("1248 exactly") << 1248 << 1;
        QTest::newRow("1240 within 9") << 1240 << 1;
        QTest::newRow("1507 within 9") << 1507 << 2;
        QTest::newRow("1750") << 1750 << 3;
        QTest::newRow("1300 matches none") << 1300 << 0;
    }
    void widthSnapsToAStep()
    {
        QFETCH(int, width);
        QFETCH(int, step);
        AppDirCopy dir;
        auto window = makeWindow(dir, 96.0);
        window->show();
        window->resize(width, 900);
        QTRY_COMPARE(window->width(), width);
        QCOMPARE(window->dpiStep(), step);
    }

    void dragThreshold_data()
    {
        QTest::addColumn<QPointF>("delta");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("3 px stays") << QPointF(2, 1) << QPoint(0, 0);
        QTest::newRow("4 px stays") << QPointF(0, -4) << QPoint(0, 0);
        QTest::newRow("5 px moves") << QPointF(3, 2) << QPoint(3, 2);
        QTest::newRow("5 px left and up moves") << QPointF(-5, 0) << QPoint(-5, 0);
        QTest::newRow("halves round away from zero") << QPointF(2.5, 2.5) << QPoint(3, 3);
        QTest::newRow("negative halves round away from zero") << QPointF(-2.5, -2.5) << QPoint(-3, -3);
    }
    void dragThreshold()
    {
        QFETCH(QPointF, delta);
        QFETCH(QPoint, moved);
        AppDirCopy dir;
        auto window = makeWindow(dir);
        window->move(100, 100);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QPoint origin = window->frameGeometry().topLeft();
        const QPoint local(500, 80);
        const QPoint global = window->mapToGlobal(local);
        QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &press);
        QMouseEvent move(QEvent::MouseMove, QPointF(local) + delta, QPointF(local) + delta, QPointF(global) + delta,
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &move);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(local) + delta, QPointF(local) + delta,
                            QPointF(global) + delta, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &release);
        QTRY_COMPARE(window->frameGeometry().topLeft(), origin + moved);
    }

    void tabs_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("pictureShown");
        QTest::newRow("lighting") << 0 << true;
        QTest::newRow("customize") << 1 << true;
        QTest::newRow("dpi") << 2 << false;
        QTest::newRow("macro") << 3 << false;
    }
    void tabs()
    {
        QFETCH(int, tab);
        QFETCH(bool, pictureShown);
        AppDirCopy dir;
        auto window = makeWindow(dir);
        window->show();
        QCOMPARE(window->currentTab(), 1); // the window opens on "CUSTOMIZE"
        if (tab == 0) {
            window->selectTab(0);
        } else {
            auto *button = window->findChild<TarnPushButton *>(QStringLiteral("tab%1").arg(tab));
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QCOMPARE(window->currentTab(), tab);
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(window->findChild<TarnPushButton *>(QStringLiteral("tab%1").arg(i))->isSelected(), i == tab);
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("mousePicture"))->isVisible(), pictureShown);
        QCOMPARE(window->findChild<QWidget *>(QStringLiteral("modelCaption"))->isVisible(), pictureShown);
    }

    void disableMacro_data()
    {
        QTest::addColumn<int>("disable");
        QTest::addColumn<bool>("macroTabShown");
        QTest::newRow("enabled") << 0 << true;
        QTest::newRow("disabled") << 1 << false;
    }
    void disableMacro()
    {
        QFETCH(int, disable);
        QFETCH(bool, macroTabShown);
        AppDirCopy dir;
        dir.setModelKey(QStringLiteral("PROFILE/DisableMacro"), disable);
        auto window = makeWindow(dir);
        window->show();
        auto *macro = window->findChild<TarnPushButton *>(QStringLiteral("tab3"));
        QCOMPARE(!macro->size().isEmpty(), macroTabShown);
        QCOMPARE(window->findChild<TarnPushButton *>(QStringLiteral("tab2"))->size(), QSize(154, 29));
    }

    void closeHidesAndTheProgramStays()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir);
        window->show();
        QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
        QTest::mouseClick(window->findChild<TarnPushButton *>(QStringLiteral("closeButton")), Qt::LeftButton);
        QVERIFY(window->isHidden());
        window->show();
        window->close(); // the window manager's close does the same
        QVERIFY(window->isHidden());
        QTest::qWait(50);
        QCOMPARE(quitting.count(), 0);
        QVERIFY(window->deviceLink().hasCommandHandle());
    }

    void closeWithoutATrayMinimises()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir, 96.0, false);
        window->show();
        QTest::mouseClick(window->findChild<TarnPushButton *>(QStringLiteral("closeButton")), Qt::LeftButton);
        QVERIFY(!window->isHidden());
        QTRY_VERIFY(window->isMinimized());
    }

    void trayMenu()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir);
        auto *tray = window->findChild<QMenu *>(QStringLiteral("trayMenu"));
        QVERIFY(tray);
        QStringList texts;
        for (QAction *action : tray->actions())
            texts << action->text();
        QCOMPARE(texts, QStringList({QStringLiteral("&Load Config"), QStringLiteral("&Quit")}));
        window->hide();
        tray->actions().at(0)->trigger(); // "&Load Config" brings the window back
        QVERIFY(window->isVisible());
        QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
        QTimer::singleShot(0, tray->actions().at(1), &QAction::trigger);
        // A guard that ends with this test: a stray exit() would end the dialogs of later tests.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
        guard.start(2000);
        QCOMPARE(qApp->exec(), 0); // "&Quit" ends the event loop
    }

    void trayClicks_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("startVisible");
        QTest::addColumn<bool>("endVisible");
        QTest::newRow("click shows") << int(QSystemTrayIcon::Trigger) << false << true;
        QTest::newRow("double click shows") << int(QSystemTrayIcon::DoubleClick) << false << true;
        QTest::newRow("click hides") << int(QSystemTrayIcon::Trigger) << true << false;
        QTest::newRow("double click hides") << int(QSystemTrayIcon::DoubleClick) << true << false;
        QTest::newRow("context menu leaves it") << int(QSystemTrayIcon::Context) << true << true;
        QTest::newRow("middle click leaves it") << int(QSystemTrayIcon::MiddleClick) << false << false;
    }
    void trayClicks()
    {
        QFETCH(int, reason);
        QFETCH(bool, startVisible);
        QFETCH(bool, endVisible);
        AppDirCopy dir;
        auto window = makeWindow(dir);
        window->setVisible(startVisible);
        auto *tray = window->findChild<QSystemTrayIcon *>(QStringLiteral("trayIcon"));
        QVERIFY(tray);
        emit tray->activated(QSystemTrayIcon::ActivationReason(reason));
        QCOMPARE(window->isVisible(), endVisible);
    }

    void trayClickKeepsTheWarningOnScreen()
    {
        MouseSim::instance().plug(Identity::Receiver, false);
        AppDirCopy dir;
        auto window = makeWindow(dir);
        auto *tray = window->findChild<QSystemTrayIcon *>(QStringLiteral("trayIcon"));
        bool stillVisible = false;
        bool done = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<TarnMessageBox *>(QApplication::activeModalWidget());
            if (!box || done)
                return;
            emit tray->activated(QSystemTrayIcon::Trigger);
            stillVisible = window->isVisible();
            done = true;
            box->accept();
        });
        poll.start(20);
        QTRY_VERIFY(done);
        QVERIFY(stillVisible);
    }

    void acceptingTheWarningWithoutATrayMinimises()
    {
        // Hidden with no tray to bring it back, the window would be lost, and
        // the single-instance guard would refuse a new start.
        MouseSim::instance().plug(Identity::Receiver, false);
        AppDirCopy dir;
        auto window = makeWindow(dir, 96.0, false);
        bool accepted = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto *box = qobject_cast<TarnMessageBox *>(QApplication::activeModalWidget())) {
                box->accept();
                accepted = true;
            }
        });
        poll.start(20);
        QTRY_VERIFY(accepted);
        QTRY_VERIFY(!window->isWarningOpen());
        QVERIFY(!window->isHidden());
        QTRY_VERIFY(window->isMinimized());
    }

    void statusThreadRunsWhileHidden()
    {
        // The battery display and the following of the mouse go on in the tray.
        AppDirCopy dir;
        auto window = makeWindow(dir);
        window->show();
        QTRY_VERIFY(!window->session().isStatusRestartPending());
        QTest::mouseClick(window->findChild<TarnPushButton *>(QStringLiteral("closeButton")), Qt::LeftButton);
        QVERIFY(window->isHidden());
        QTest::qWait(50);
        QVERIFY(window->statusThreads().currentThread());
        QVERIFY(window->statusThreads().currentThread()->isRunning());
    }

    void loadConfigWhileTheWarningIsOpen()
    {
        MouseSim::instance().plug(Identity::Receiver, false);
        AppDirCopy dir;
        auto window = makeWindow(dir);
        QAction *loadConfig = window->findChild<QMenu *>(QStringLiteral("trayMenu"))->actions().at(0);
        bool triggered = false;
        bool done = false;
        int ticks = 0;
        int boxesOnScreen = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            QList<TarnMessageBox *> open;
            for (TarnMessageBox *box : window->findChildren<TarnMessageBox *>()) {
                if (box->isVisible())
                    open << box;
            }
            if (open.isEmpty() || done)
                return;
            if (!triggered) {
                triggered = true;
                QTimer::singleShot(0, loadConfig, &QAction::trigger);
                return;
            }
            if (++ticks < 5) // time for a second box to appear
                return;
            boxesOnScreen = open.size();
            done = true;
            for (TarnMessageBox *box : open)
                box->accept();
        });
        poll.start(20);
        QTRY_VERIFY(done);
        QCOMPARE(boxesOnScreen, 1);
        QTRY_VERIFY(window->isHidden());
        QVERIFY(!window->isWarningOpen());
        QTRY_COMPARE(window->findChildren<TarnMessageBox *>().size(), 0);
    }

    void mouseListWindow_data()
    {
        QTest::addColumn<bool>("receiver");
        QTest::addColumn<bool>("cable");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("mode");
        QTest::newRow("no mouse") << false << false << 0 << QString() << 3;
        QTest::newRow("receiver") << true << false << 1 << QStringLiteral("TarnX8") << 2;
        QTest::newRow("cable") << false << true << 1 << QStringLiteral("TarnX8") << 0;
        QTest::newRow("both") << true << true << 1 << QStringLiteral("TarnX8") << 1;
    }
    void mouseListWindow()
    {
        QFETCH(bool, receiver);
        QFETCH(bool, cable);
        QFETCH(int, count);
        QFETCH(QString, current);
        QFETCH(int, mode);
        MouseSim::instance().plug(Identity::Receiver, receiver);
        MouseSim::instance().plug(Identity::Cable, cable);
        AppDirCopy dir;
        dir.setConfigKey(QStringLiteral("Config/CurrentProductName"), QStringLiteral("Other"));
        auto window = makeWindow(dir);
        QCOMPARE(window->mouseCount(), count);
        QCOMPARE(window->currentProductName(), current);
        QCOMPARE(dir.configKey(QStringLiteral("Config/CurrentProductName")).toString(), current);
        QCOMPARE(int(window->connectionMode()), mode);
        window->show();
        QVERIFY(!window->findChild<TarnPushButton *>(QStringLiteral("mouseSelector"))->isVisible());
        QCOMPARE(window->findChild<QWidget *>(QStringLiteral("receiverIcon"))->isVisible(), mode == 1 || mode == 2);
        QCOMPARE(window->findChild<QWidget *>(QStringLiteral("batteryBar"))->isVisible(), mode >= 2);
    }

    void mouseListRules_data()
    {
        QTest::addColumn<QStringList>("usable");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("store");
        QTest::addColumn<bool>("selector");
        QTest::newRow("none") << QStringList() << QStringLiteral("A") << QString() << true << false;
        QTest::newRow("one") << QStringList({"B"}) << QStringLiteral("A") << QStringLiteral("B") << true << false;
        QTest::newRow("two, stored listed")
            << QStringList({"A", "B"}) << QStringLiteral("B") << QStringLiteral("B") << false << true;
        QTest::newRow("two, stored missing")
            << QStringList({"A", "B"}) << QStringLiteral("C") << QStringLiteral("A") << false << true;
    }
    void mouseListRules()
    {
        QFETCH(QStringList, usable);
        QFETCH(QString, stored);
        QFETCH(QString, current);
        QFETCH(bool, store);
        QFETCH(bool, selector);
        const MouseChoice choice = chooseCurrentMouse(usable, stored);
        QCOMPARE(choice.current, current);
        QCOMPARE(choice.storeCurrent, store);
        QCOMPARE(choice.selectorVisible, selector);
    }

    void usableMice()
    {
        auto table = std::make_unique<HidDeviceTable>();
        std::memset(table.get(), 0, sizeof(HidDeviceTable));
        table->count = 4;
        table->entries[0] = entryWith("Receiver only", 1, 1, 0, 0);
        table->entries[1] = entryWith("Half a receiver", 1, 0, 0, 1);
        table->entries[2] = entryWith("Cable only", 0, 0, 1, 1);
        table->entries[3] = entryWith("Nothing", 0, 0, 0, 0);
        QCOMPARE(usableMouseNames(*table), QStringList({"Receiver only", "Cable only"}));
        QCOMPARE(connectionMode(connectionFlags(*table, QStringLiteral("Half a receiver"))), ConnectionMode::CableOnly);
        QCOMPARE(connectionMode(connectionFlags(*table, QStringLiteral("Unknown"))), ConnectionMode::None);
        // A count beyond the table and a name without its end stay in bounds.
        table->count = 100000;
        std::memset(table->entries[3].name, 'x', sizeof(table->entries[3].name));
        table->entries[3].found3 = table->entries[3].found4 = 1;
        QCOMPARE(usableMouseNames(*table).size(), 3);
        QCOMPARE(usableMouseNames(*table).last().size(), kHidNameSize);
    }

    void warningWithoutAMouse()
    {
        MouseSim::instance().plug(Identity::Receiver, false);
        AppDirCopy dir;
        auto window = makeWindow(dir);
        QVERIFY(window->isHidden());
        bool sawBox = false;
        bool visibleWithBox = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<TarnMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            sawBox = true;
            visibleWithBox = window->isVisible() && window->isWarningOpen();
            box->accept();
        });
        poll.start(20);
        QTRY_VERIFY(sawBox);
        QVERIFY(visibleWithBox);
        QTRY_VERIFY(window->isHidden()); // accepted with still no mouse: back to the tray
        QVERIFY(!window->isWarningOpen());
    }

    void windowWithAMouseHasNoWarning()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir);
        window->show();
        QTest::qWait(400);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(window->isVisible());
    }

    void mousePicture()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir);
        auto *picture = window->findChild<QLabel *>(QStringLiteral("mousePicture"));
        QVERIFY(!picture->pixmap(Qt::ReturnByValue).isNull());
        const QImage front = picture->pixmap(Qt::ReturnByValue).toImage();
        TarnPushButton row(QStringList{});
        row.setProperty("buttonRow", 1);
        window->slotMouseOver(&row, true);
        const QImage hover = picture->pixmap(Qt::ReturnByValue).toImage();
        const QImage expected = QImage(dir.path() + QStringLiteral("/skin/mouse/TarnX8/mouse_2.png"))
                                    .scaled(300, 400, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                    .convertToFormat(hover.format());
        QCOMPARE(hover, expected);
        window->slotMouseOver(&row, false);
        QCOMPARE(picture->pixmap(Qt::ReturnByValue).toImage(), front);
        row.setProperty("buttonRow", 99); // no such row: the picture stays
        window->slotMouseOver(&row, true);
        QCOMPARE(picture->pixmap(Qt::ReturnByValue).toImage(), front);
    }

    void missingModelPictures()
    {
        AppDirCopy dir;
        QDir(dir.path() + QStringLiteral("/skin/mouse/TarnX8")).removeRecursively();
        auto window = makeWindow(dir);
        auto *picture = window->findChild<QLabel *>(QStringLiteral("mousePicture"));
        QVERIFY(picture->pixmap(Qt::ReturnByValue).isNull());
        TarnPushButton row(QStringList{});
        row.setProperty("buttonRow", 0);
        window->slotMouseOver(&row, true);
        QVERIFY(picture->pixmap(Qt::ReturnByValue).isNull());
    }

    void captionAndVersion()
    {
        AppDirCopy dir;
        dir.setModelKey(QStringLiteral("PROFILE/Version"), QStringLiteral("V9.8.7"));
        auto window = makeWindow(dir);
        auto *version = window->findChild<QWidget *>(QStringLiteral("versionLabel"));
        QCOMPARE(version->property("text").toString(), QStringLiteral("Version : V9.8.7"));
    }

    void enableButtons()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir);
        QVERIFY(QMetaObject::invokeMethod(window.get(), "slotEnableButtons", Q_ARG(bool, false)));
        // The window's own buttons; the pages' buttons are the pages' to enable.
        const auto buttons = window->findChildren<TarnPushButton *>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(buttons.size() >= 10);
        for (TarnPushButton *b : buttons)
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(QMetaObject::invokeMethod(window.get(), "slotEnableButtons", Q_ARG(bool, true)));
        for (TarnPushButton *b : buttons)
            QVERIFY(b->isEnabled());
    }

    void gotoMacro()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir);
        QVERIFY(QMetaObject::invokeMethod(window.get(), "slotGotoMacro", Q_ARG(quint8, 3)));
        QCOMPARE(window->currentTab(), 3);
        QVERIFY(QMetaObject::invokeMethod(window.get(), "slotGotoMacro", Q_ARG(quint8, 9)));
        QCOMPARE(window->currentTab(), 3); // no tab 9: nothing changes
    }

    void profileList_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none") << QString() << QStringList() << QStringList();
        QTest::newRow("zero") << QStringLiteral("0") << QStringList({"Ignored"}) << QStringList();
        QTest::newRow("two") << QStringLiteral("2") << QStringList({"FPS", "MOBA", "Extra"})
                             << QStringList({"FPS", "MOBA"});
        QTest::newRow("count beyond the entries")
            << QStringLiteral("3") << QStringList({"FPS"}) << QStringList({"FPS", "", ""});
    }
    void profileList()
    {
        QFETCH(QString, count);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, expected);
        AppDirCopy dir;
        QDir().mkpath(dir.path() + QStringLiteral("/Configs/TarnX8"));
        {
            QSettings ini(dir.path() + QStringLiteral("/Configs/TarnX8/Config.ini"), QSettings::IniFormat);
            if (!count.isEmpty())
                ini.setValue(QStringLiteral("PROFILE_LIST/Count"), count);
            for (int i = 0; i < entries.size(); ++i)
                ini.setValue(QStringLiteral("PROFILE_LIST/%1").arg(i + 1), entries.at(i));
        }
        auto window = makeWindow(dir);
        QCOMPARE(window->profileList(), expected);
        QStringList menu;
        for (QAction *action : window->profileMenu()->actions())
            menu << action->text();
        QCOMPARE(menu, expected);
    }

    void profileFollowsTheMouse()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir);
        QCOMPARE(window->workingConfig().ProfileID, std::uint8_t(0));
        // A report is heard once the status thread that follows the texts
        // listens: after its first status query has been answered (a report
        // read right after a query is not looked at).
        QTRY_VERIFY(!window->session().isStatusRestartPending());
        QSignalSpy answered(&window->session(), &MouseSession::batteryReported);
        QTRY_VERIFY_WITH_TIMEOUT(answered.count() >= 2, 15000); // the first may still be the old thread's
        MouseSim::instance().sendStatusReport(2, 0, 1, 1);
        QTRY_COMPARE(window->workingConfig().ProfileID, std::uint8_t(2));
        QCOMPARE(dir.configKey(QStringLiteral("Config/ProfileID")).toInt(), 2);

        // The same slot again changes nothing, even where the file says otherwise.
        dir.setConfigKey(QStringLiteral("Config/ProfileID"), 4);
        window->session().handleStatus(2, 0, 1, 1);
        QCOMPARE(dir.configKey(QStringLiteral("Config/ProfileID")).toInt(), 4);

        // A slot the mouse cannot have is refused.
        window->session().handleStatus(7, 0, 1, 1);
        QCOMPARE(window->workingConfig().ProfileID, std::uint8_t(2));
    }

    void pagesShowTheCurrentProfileOnTheirTab()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir);
        window->show();
        auto *speed = window->findChild<TarnPage *>(QStringLiteral("speedPanel"));
        QVERIFY(speed);
        QVERIFY(!speed->isVisible()); // the window opens on "CUSTOMIZE"
        window->selectTab(MousecfgWidget::TabDpi);
        QVERIFY(speed->isVisible());

        // The mouse switches slot: every page shows the new current profile.
        MouseSession &session = window->session();
        session.workingConfig().profiles[3].mousespeed = 17;
        session.handleStatus(3, session.workingConfig().profiles[3].dpi, session.workingConfig().profiles[3].pollrate,
                             1);
        QCOMPARE(speed->findChild<QSlider *>()->value(), 17);
    }

    void reachableByScreenReaders()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir);
        window->show();
        QVERIFY_ACCESSIBLE(window.get());
        window->selectTab(MousecfgWidget::TabDpi);
        QVERIFY_ACCESSIBLE(window.get());
        QAccessibleInterface *tab = QAccessible::queryAccessibleInterface(window->findChild<QWidget *>("tab2"));
        QCOMPARE(tab->role(), QAccessible::PageTab);
        QCOMPARE(tab->text(QAccessible::Name), QStringLiteral("DPI"));
        QVERIFY(tab->state().selected);
    }

    void keyboardStartsOnTheChosenTab()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir);
        window->show();
        QCOMPARE(window->focusWidget(), window->findChild<QWidget *>("tab1"));
        // Tab walks the tabs, the pages and the commands before the title bar.
        QStringList order;
        for (QWidget *w = window->focusWidget()->nextInFocusChain(); w != window->focusWidget();
             w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
                order << w->objectName();
        }
        QVERIFY2(order.indexOf("tab2") < order.indexOf("pointerSpeedSlider"), qPrintable(order.join(' ')));
        QVERIFY2(order.indexOf("pointerSpeedSlider") < order.indexOf("applyButton"), qPrintable(order.join(' ')));
        QVERIFY2(order.indexOf("applyButton") < order.indexOf("closeButton"), qPrintable(order.join(' ')));
    }

    void shutdownReleasesTheMouse()
    {
        AppDirCopy dir;
        auto window = makeWindow(dir);
        QVERIFY(MouseSim::instance().openHandleCount() > 0);
        window.window.reset(); // the session stays: closing the window is what releases the mouse
        QCOMPARE(MouseSim::instance().openHandleCount(), 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
