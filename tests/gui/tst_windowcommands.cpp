// The window's commands and status display against the simulated mouse:
// Apply, SAVE, LOAD1 and Reset All with their messages, the battery bar, and
// the texts handed to the on-screen display when the mouse switches by itself.

#include "AppDirCopy.h"
#include "MouseSim.h"
#include "OsdMessenger.h"
#include "StatusThreadOwner.h"
#include "TarnMessageBox.h"
#include "TarnProcessbar.h"
#include "TarnPushButton.h"
#include "VirtualDeviceClock.h"
#include "WindowUnderTest.h"

#include <QApplication>
#include <QSettings>
#include <QtTest>

#include <set>

using mousesim::EventKind;
using mousesim::Identity;
using mousesim::MouseSim;

namespace {
struct OsdRecorder : OsdMessenger
{
    void showText(const QString &text) override { texts << text; }
    QStringList texts;
};

// Table codes the mouse saw closed since the events were last cleared.
std::set<int> groupsSent()
{
    std::set<int> codes;
    for (const auto &event : MouseSim::instance().events()) {
        if (event.kind == EventKind::TableClosed && event.command <= 0x04)
            codes.insert(event.command);
    }
    return codes;
}
const std::set<int> kAllGroups = {0x01, 0x02, 0x03, 0x04};
} // namespace

class TestWindowCommands : public QObject
{
    Q_OBJECT

    VirtualDeviceClock m_Clock{20};
    OsdRecorder m_Osd;
    QString m_strChosenFile;
    QStringList m_BoxTexts; // every message box answered, in order
    QTimer m_Answerer;

    WindowUnderTest makeWindow(AppDirCopy &dir)
    {
        dir.setConfigKey("Config/Diff", 0); // the mouse holds what is stored
        MousecfgOptions options;
        options.trayAvailable = [] { return true; };
        options.chooseConfigFile = [this](QWidget *, bool) { return m_strChosenFile; };
        options.osd = &m_Osd;
        WindowUnderTest w(dir, &m_Clock, options);
        w->show();
        // A report is heard once the status thread that follows the texts runs.
        if (!QTest::qWaitFor([&w] { return !w.session->isStatusRestartPending(); }))
            qWarning("the status thread did not restart");
        return w;
    }
    // Presses a bottom command as the user does and waits until every dialog it opened is answered.
    void press(const WindowUnderTest &w, const char *button)
    {
        QTest::mouseClick(w->findChild<TarnPushButton *>(QLatin1String(button)), Qt::LeftButton);
        QTRY_VERIFY(!w.session->isSending() && !QApplication::activeModalWidget());
    }

private slots:
    void init()
    {
        MouseSim::instance().reset();
        MouseSim::instance().clearEvents();
        m_Osd.texts.clear();
        m_BoxTexts.clear();
        m_strChosenFile.clear();
        // Accepts every message box as soon as it shows, noting its text.
        connect(&m_Answerer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<TarnMessageBox *>(QApplication::activeModalWidget())) {
                m_BoxTexts << box->message();
                box->accept();
            }
        });
        m_Answerer.start(10);
    }
    void cleanup() { m_Answerer.disconnect(); }

    void applySendsWhatChangedOnce()
    {
        AppDirCopy dir;
        auto w = makeWindow(dir);
        ProfileData &profile = w.session->currentProfile();
        // Scroll speed: the speed page writes it straight into the working copy.
        profile.scrollspeed = profile.scrollspeed == 3 ? 4 : 3;
        press(w, "applyButton");
        QCOMPARE(groupsSent(), std::set<int>({0x01}));
        MouseSim::instance().clearEvents();
        press(w, "applyButton");
        QCOMPARE(groupsSent(), std::set<int>());
        QCOMPARE(m_BoxTexts, QStringList());
    }

    void aFailedSendIsReportedAndRepeatedInFull()
    {
        AppDirCopy dir;
        auto w = makeWindow(dir);
        w.session->currentProfile().scrollspeed = 7;
        MouseSim::instance().failWrites(10000);
        press(w, "applyButton");
        QCOMPARE(m_BoxTexts, QStringList({"Send data failed, please try again."}));
        // The battery display goes on after the failure.
        QVERIFY(w->statusThreads().currentThread());

        MouseSim::instance().clearFaults();
        // Its queries went unanswered meanwhile: wait until it hears the mouse again.
        QTRY_VERIFY(!w.session->isMouseAsleep());
        MouseSim::instance().clearEvents();
        press(w, "applyButton"); // no edit since
        QCOMPARE(groupsSent(), kAllGroups);
        QCOMPARE(dir.configKey("Config/Diff").toInt(), 0);
    }

    void mouseOffAnswersAtOnce()
    {
        AppDirCopy dir;
        auto w = makeWindow(dir);
        MouseSim::instance().setAsleep(true);
        QTRY_VERIFY(w.session->isMouseAsleep()); // the status thread's next query
        auto *bar = w->findChild<TarnProcessbar *>("batteryBar");
        QCOMPARE(bar->text(), QStringLiteral("MOUSE OFF"));
        MouseSim::instance().clearTraffic();
        w.session->currentProfile().pollrate = 2;
        press(w, "applyButton");
        QCOMPARE(m_BoxTexts, QStringList({"Mouse is sleeping or not connected."}));
        QCOMPARE(MouseSim::instance().countOut(0x01), 0);
        QCOMPARE(dir.configKey("Config/Diff").toInt(), 1);
    }

    void resetAllWhileAsleep()
    {
        AppDirCopy dir;
        auto w = makeWindow(dir);
        w.session->currentProfile().pollrate = 2;
        MouseSim::instance().setAsleep(true);
        QTRY_VERIFY(w.session->isMouseAsleep());
        press(w, "resetAllButton");
        QCOMPARE(m_BoxTexts,
                 QStringList({"Are you sure you want reset all profiles?", "Mouse is sleeping or not connected."}));
        QCOMPARE(w->workingConfig().profileNames[4], QStringLiteral("Profile 5"));
        QVERIFY(w->workingConfig().profiles[0].pollrate != 2);
        // Awake again, the next Apply brings the mouse level: everything goes.
        MouseSim::instance().setAsleep(false);
        QTRY_VERIFY(!w.session->isMouseAsleep());
        MouseSim::instance().clearEvents();
        press(w, "applyButton");
        QCOMPARE(groupsSent(), kAllGroups);
    }

    void batteryBar_data()
    {
        QTest::addColumn<int>("raw");
        QTest::addColumn<bool>("cable");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("barShown");
        QTest::newRow("775") << 775 << false << 10 << true;
        QTest::newRow("776") << 776 << false << 20 << true;
        QTest::newRow("994") << 994 << false << 90 << true;
        QTest::newRow("1019") << 1019 << false << 100 << true;
        QTest::newRow("cable: hidden, full") << 775 << true << 100 << false;
    }
    void batteryBar()
    {
        QFETCH(int, raw);
        QFETCH(bool, cable);
        QFETCH(int, value);
        QFETCH(bool, barShown);
        MouseSim::instance().plug(Identity::Cable, cable);
        AppDirCopy dir;
        auto w = makeWindow(dir);
        w.session->handleBatteryStatus(1, quint8(raw & 0xFF), quint8(raw >> 8));
        auto *bar = w->findChild<TarnProcessbar *>("batteryBar");
        QCOMPARE(bar->value(), value);
        QCOMPARE(bar->isVisible(), barShown);
        QCOMPARE(w->findChild<QWidget *>("chargeIcon")->isVisible(), true);
    }

    void loadOfAnotherProductChangesNothing()
    {
        AppDirCopy dir;
        auto w = makeWindow(dir);
        m_strChosenFile = dir.path() + "/other.conf";
        QVERIFY(w.session->exportConfiguration(m_strChosenFile));
        QSettings(m_strChosenFile, QSettings::IniFormat).setValue("MouseName/Name", "tarnx8"); // case differs
        const AppConfig before = w->workingConfig();
        MouseSim::instance().clearTraffic();
        press(w, "loadButton");
        QCOMPARE(m_BoxTexts, QStringList({"The file is not match current mouse!"}));
        QCOMPARE(w->workingConfig(), before);
        QCOMPARE(MouseSim::instance().countOut(0x46), 0); // no transfer began (status queries go on)
    }

    void saveAddsTheExtensionAndLoadSendsIt()
    {
        AppDirCopy dir;
        auto w = makeWindow(dir);
        w.session->currentProfile().scrollspeed = 7;
        m_strChosenFile = dir.path() + "/mine";
        press(w, "saveButton");
        QVERIFY(QFile::exists(dir.path() + "/mine.conf"));
        QCOMPARE(MouseSim::instance().countOut(0x01), 0); // SAVE sends nothing

        m_strChosenFile = dir.path() + "/mine.conf";
        w->selectTab(MousecfgWidget::TabDpi);
        press(w, "loadButton");
        QCOMPARE(w->currentTab(), int(MousecfgWidget::TabLighting));
        QCOMPARE(groupsSent(), std::set<int>({0x01}));
        QCOMPARE(m_BoxTexts, QStringList());
    }

    void reinitialisingKeepsOneLink()
    {
        AppDirCopy dir;
        auto w = makeWindow(dir);
        const int handles = MouseSim::instance().openHandleCount();
        QVERIFY(handles > 0);
        // The re-initialisation after a return: what is open goes first, so
        // neither handles nor a second status thread are left behind.
        QVERIFY(QMetaObject::invokeMethod(w.get(), "slotWarnClose"));
        QCOMPARE(MouseSim::instance().openHandleCount(), handles);
        QVERIFY(w->statusThreads().currentThread());
        QCOMPARE(w->currentTab(), int(MousecfgWidget::TabLighting));
        QCOMPARE(w.session->devicePresence(), DevicePresence::Present);
    }

    void lostAndReturned()
    {
        AppDirCopy dir;
        auto w = makeWindow(dir);
        // The path of the system's notifications: something changed, look again.
        MouseSim::instance().plug(Identity::Receiver, false);
        w.session->rescanDevices();
        QCOMPARE(MouseSim::instance().openHandleCount(), 0);
        QVERIFY(!w->statusThreads().currentThread());
        QVERIFY(w->isWarningOpen());
        m_Answerer.stop(); // the box must close by itself once the mouse is back
        // The box runs its own event loop: the mouse comes back from inside it.
        bool boxSeen = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (boxSeen || !qobject_cast<TarnMessageBox *>(QApplication::activeModalWidget()))
                return;
            boxSeen = true;
            MouseSim::instance().plug(Identity::Receiver, true);
            w.session->rescanDevices();
        });
        poll.start(20);
        QTRY_VERIFY(boxSeen);
        QTRY_VERIFY(!w->isWarningOpen());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(w->isVisible());
        QVERIFY(MouseSim::instance().openHandleCount() > 0);
        QVERIFY(w->statusThreads().currentThread());
        QCOMPARE(w->currentTab(), int(MousecfgWidget::TabLighting));
    }

    void theMouseOwnSwitchesReachTheOsd()
    {
        AppDirCopy dir;
        auto w = makeWindow(dir);
        w.session->workingConfig().profiles[2].pollrate = 1;
        const ProfileData &slot2 = w->workingConfig().profiles[2];
        w.session->handleStatus(2, slot2.dpi, slot2.pollrate, 1);
        w.session->handleStatus(2, slot2.dpi, 8, 1);
        w.session->handleStatus(2, slot2.dpi, 3, 1);
        QCOMPARE(m_Osd.texts, QStringList({"Profile 3", "125 HZ", ""}));
    }
};

QTEST_MAIN(TestWindowCommands)
#include "tst_windowcommands.moc"
