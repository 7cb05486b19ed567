// The "Virtual mouse" window: every control reaches the simulated mouse, and
// the window follows changes made elsewhere, from any thread.

#include "SimTestSupport.h"
#include "VirtualMouseWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include <atomic>
#include <memory>
#include <thread>

using namespace simtest;
using mousesim::Identity;
using mousesim::makeCommand;

Q_DECLARE_METATYPE(Identity)

namespace {

struct Outcome
{
    int written = 0;
    int firstRead = 0;
    std::vector<Report> reports;
};

// One table write and everything the host can read after it.
Outcome tableExchange(hid_device *dev, std::uint8_t value)
{
    Outcome o;
    o.written = send(dev, makeCommand(0x04, 0, 0, {value, 2, 3}, 0xD1));
    for (int i = 0; i < 16; ++i) {
        Report a{};
        const int n = hid_read_timeout(dev, a.data(), a.size(), 150);
        if (i == 0)
            o.firstRead = n;
        if (n <= 0)
            break;
        o.reports.push_back(a);
    }
    return o;
}

bool isCleanEcho(const Outcome &o, std::uint8_t value)
{
    return o.written == 33 && o.reports.size() == 1 && o.reports[0][3] == 0x04 && o.reports[0][8] == value &&
           o.reports[0][9] == 2;
}

// The hex of a report as the log shows it.
QString hexOf(const Report &r)
{
    return QString::fromLatin1(bytes(r).toHex(' ').toUpper());
}

Report statusAnswer(hid_device *dev)
{
    Report a{};
    if (send(dev, makeCommand(0x48)) != 33)
        return a;
    for (const Report &r : drain(dev))
        if (r[3] == 0x48 || r == Report{})
            a = r;
    return a;
}

} // namespace

class TestVirtualMouse : public QObject
{
    Q_OBJECT
    std::unique_ptr<VirtualMouseWindow> m_pWindow;
    hid_device *m_pDev = nullptr;

    template <typename T> T *find(const char *name)
    {
        T *w = m_pWindow->findChild<T *>(QLatin1String(name));
        if (!w)
            qWarning("no control named %s", name);
        return w;
    }

    QStringList logLines()
    {
        const QString text = find<QPlainTextEdit>("packetLog")->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }

private slots:
    void init()
    {
        MouseSim::instance().reset();
        MouseSim::instance().setVirtualTime(true);
        m_pDev = openCommand();
        QVERIFY(m_pDev);
        m_pWindow.reset(new VirtualMouseWindow);
    }

    void cleanup()
    {
        m_pWindow.reset();
        hid_close(m_pDev);
        m_pDev = nullptr;
    }

    void startsFromTheModel()
    {
        QCOMPARE(m_pWindow->windowTitle(), QStringLiteral("Virtual mouse"));
        QVERIFY(find<QCheckBox>("receiverPlugged")->isChecked());
        QVERIFY(!find<QCheckBox>("cablePlugged")->isChecked());
        QVERIFY(find<QCheckBox>("charging")->isChecked());
        QVERIFY(!find<QCheckBox>("asleep")->isChecked());
        QCOMPARE(find<QSpinBox>("faultCount")->value(), 1);
        QVERIFY(find<QLabel>("firmwareState")->text().startsWith(QStringLiteral("Profile 1 ")));
        // Constructing the window changes nothing in the model.
        QCOMPARE(MouseSim::instance().traffic().size(), std::size_t(0));
        QCOMPARE(statusAnswer(m_pDev)[4], std::uint8_t(0x2C));
    }

    void mouseButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("profile");
        QTest::addColumn<int>("dpiLevel"); // of the reported profile
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("effect");
        QTest::addColumn<QString>("shown");
        QTest::newRow("profile once") << "profileButton" << 1 << 1 << 0 << 1 << 1 << "Profile 2 ";
        QTest::newRow("profile wraps") << "profileButton" << 5 << 0 << 0 << 1 << 1 << "Profile 1 ";
        QTest::newRow("dpi once") << "dpiButton" << 1 << 0 << 1 << 1 << 1 << "DPI level 2 ";
        QTest::newRow("dpi wraps") << "dpiButton" << 8 << 0 << 0 << 1 << 1 << "DPI level 1 ";
        QTest::newRow("rate once") << "rateButton" << 1 << 0 << 0 << 2 << 1 << "(500 Hz)";
        QTest::newRow("rate three") << "rateButton" << 3 << 0 << 0 << 8 << 1 << "(125 Hz)";
        QTest::newRow("rate wraps") << "rateButton" << 4 << 0 << 0 << 1 << 1 << "(1000 Hz)";
        QTest::newRow("effect once") << "effectButton" << 1 << 0 << 0 << 1 << 2 << "effect 2";
        QTest::newRow("effect wraps") << "effectButton" << 10 << 0 << 0 << 1 << 1 << "effect 1";
    }

    void mouseButtons()
    {
        QFETCH(QString, button);
        QFETCH(int, presses);
        QFETCH(int, profile);
        QFETCH(int, dpiLevel);
        QFETCH(int, rate);
        QFETCH(int, effect);
        QFETCH(QString, shown);
        auto *b = find<QPushButton>(button.toLatin1().constData());
        QVERIFY(b);
        for (int i = 0; i < presses; ++i)
            QTest::mouseClick(b, Qt::LeftButton);

        const mousesim::FirmwareState fw = MouseSim::instance().firmwareState();
        QCOMPARE(int(fw.profile), profile);
        QCOMPARE(int(fw.dpiLevel[std::size_t(profile)]), dpiLevel);
        QCOMPARE(int(fw.rate[std::size_t(profile)]), rate);
        QCOMPARE(int(fw.effect), effect);

        const std::vector<Report> queued = drain(m_pDev);
        QCOMPARE(int(queued.size()), presses);
        const Report &last = queued.back();
        QCOMPARE(int(last[3]), 0x49);
        QCOMPARE(bytes(last).mid(4, 4), bytes({profile, dpiLevel, rate, effect}));

        QTRY_VERIFY(find<QLabel>("firmwareState")->text().contains(shown));
    }

    void stateFollowsTheModel()
    {
        MouseSim &sim = MouseSim::instance();
        sim.pressRateButton();
        sim.pressProfileButton();
        QTRY_VERIFY(find<QLabel>("firmwareState")->text().startsWith(QStringLiteral("Profile 2 ")));
        sim.setAsleep(true);
        QTRY_VERIFY(find<QCheckBox>("asleep")->isChecked());
        sim.pressEffectButton(); // a press wakes the mouse
        QTRY_VERIFY(!find<QCheckBox>("asleep")->isChecked());
        QVERIFY(!sim.isAsleep());
    }

    void plugBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<Identity>("identity");
        QTest::newRow("receiver") << "receiverPlugged" << Identity::Receiver;
        QTest::newRow("cable") << "cablePlugged" << Identity::Cable;
    }

    void plugBoxes()
    {
        QFETCH(QString, box);
        QFETCH(Identity, identity);
        auto *b = find<QCheckBox>(box.toLatin1().constData());
        QVERIFY(b);
        const bool before = MouseSim::instance().isPlugged(identity);
        QCOMPARE(b->isChecked(), before);
        b->click();
        QCOMPARE(MouseSim::instance().isPlugged(identity), !before);
        b->click();
        QCOMPARE(MouseSim::instance().isPlugged(identity), before);
    }

    void plugFollowsTheModel_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<Identity>("identity");
        QTest::addColumn<bool>("plugged");
        QTest::newRow("receiver pulled") << "receiverPlugged" << Identity::Receiver << false;
        QTest::newRow("cable plugged") << "cablePlugged" << Identity::Cable << true;
    }

    void plugFollowsTheModel()
    {
        QFETCH(QString, box);
        QFETCH(Identity, identity);
        QFETCH(bool, plugged);
        MouseSim &sim = MouseSim::instance();
        std::atomic<int> plugChanges{0};
        const int listener = sim.addListener([&plugChanges](unsigned changes) {
            if (changes & mousesim::ChangePlug)
                ++plugChanges;
        });
        auto *b = find<QCheckBox>(box.toLatin1().constData());
        sim.plug(identity, plugged);
        QTRY_COMPARE(b->isChecked(), plugged);
        // Following the model must not plug or pull anything itself.
        QTest::qWait(3 * VirtualMouseWindow::kRefreshIntervalMs);
        sim.removeListener(listener);
        QCOMPARE(plugChanges.load(), 1);

        sim.reset();
        QTRY_COMPARE(b->isChecked(), identity == Identity::Receiver);
    }

    void batteryAndCharging_data()
    {
        QTest::addColumn<int>("reading");
        QTest::addColumn<bool>("charging");
        QTest::addColumn<QString>("shown");
        QTest::newRow("full, charging") << 1019 << true << "1019 · 4203 mV · 100 %";
        QTest::newRow("just below full") << 1018 << false << "1018 · 4199 mV · 90 %";
        QTest::newRow("lowest 20") << 776 << false << "776 · 3201 mV · 20 %";
        QTest::newRow("below 20") << 775 << true << "775 · 3196 mV · 10 %";
        QTest::newRow("slider bottom") << 600 << false << "600 · 2475 mV · 10 %";
    }

    void batteryAndCharging()
    {
        QFETCH(int, reading);
        QFETCH(bool, charging);
        QFETCH(QString, shown);
        auto *slider = find<QSlider>("batterySlider");
        auto *box = find<QCheckBox>("charging");
        slider->setValue(reading);
        if (box->isChecked() != charging)
            box->click();
        QCOMPARE(find<QLabel>("batteryValue")->text(), shown);
        const Report a = statusAnswer(m_pDev);
        QCOMPARE(int(a[3]), 0x48);
        QCOMPARE(int(a[4] | (a[5] << 8)), reading);
        QCOMPARE(int(a[6]), charging ? 1 : 0);
    }

    void asleepBoxSilencesTheMouse()
    {
        find<QCheckBox>("asleep")->click();
        QVERIFY(MouseSim::instance().isAsleep());
        const Report a = statusAnswer(m_pDev);
        QCOMPARE(int(a[3]), 0x48);
        QCOMPARE(bytes(a).mid(4, 4), bytes({0, 0, 0, 0}));
        QVERIFY(tableExchange(m_pDev, 7).reports.empty());
        find<QCheckBox>("asleep")->click();
        QVERIFY(isCleanEcho(tableExchange(m_pDev, 7), 7));
    }

    void resetRestoresBatteryControls()
    {
        find<QSlider>("batterySlider")->setValue(700);
        find<QCheckBox>("charging")->click();
        QVERIFY(!find<QCheckBox>("charging")->isChecked());
        MouseSim::instance().reset();
        QTRY_VERIFY(find<QCheckBox>("charging")->isChecked());
        QVERIFY(find<QLabel>("batteryValue")->text().startsWith(QStringLiteral("4140 ")));
        // Showing the reset state must not write it back.
        const Report a = statusAnswer(m_pDev);
        QCOMPARE(int(a[4] | (a[5] << 8)), 0x102C);
    }

    void faults_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("count");
        QTest::newRow("drop answers") << "dropAnswers" << 2;
        QTest::newRow("corrupt echo") << "corruptDataEcho" << 1;
        QTest::newRow("foreign first") << "foreignReports" << 3;
        QTest::newRow("zero answers") << "zeroAnswers" << 2;
        QTest::newRow("fail writes") << "failWrites" << 2;
        QTest::newRow("fail reads") << "failReads" << 1;
    }

    void faults()
    {
        QFETCH(QString, button);
        QFETCH(int, count);
        find<QSpinBox>("faultCount")->setValue(count);
        QTest::mouseClick(find<QPushButton>(button.toLatin1().constData()), Qt::LeftButton);

        for (int i = 0; i < count; ++i) {
            const std::uint8_t value = std::uint8_t(0x10 + i);
            const Outcome o = tableExchange(m_pDev, value);
            if (button == "dropAnswers") {
                QCOMPARE(o.written, 33);
                QVERIFY(o.reports.empty());
            } else if (button == "corruptDataEcho") {
                QCOMPARE(int(o.reports.size()), 1);
                QVERIFY(o.reports[0][8] != value);
            } else if (button == "foreignReports") {
                QCOMPARE(int(o.reports.size()), 2);
                QCOMPARE(int(o.reports[0][3]), 0x49);
                QCOMPARE(int(o.reports[1][8]), int(value));
            } else if (button == "zeroAnswers") {
                QCOMPARE(int(o.reports.size()), 1);
                QCOMPARE(o.reports[0], Report{});
            } else if (button == "failWrites") {
                QCOMPARE(o.written, -1);
                QVERIFY(o.reports.empty());
            } else if (button == "failReads") {
                QCOMPARE(o.written, 33);
                QCOMPARE(o.firstRead, -1);
            } else {
                QFAIL("row without an expectation");
            }
        }
        drain(m_pDev); // answers held back by failed reads
        QVERIFY(isCleanEcho(tableExchange(m_pDev, 0x55), 0x55));
    }

    void clearFaults()
    {
        find<QSpinBox>("faultCount")->setValue(5);
        find<QPushButton>("dropAnswers")->click();
        find<QPushButton>("failWrites")->click();
        find<QPushButton>("pullReceiver")->click();
        find<QPushButton>("clearFaults")->click();
        for (int i = 0; i < 7; ++i)
            QVERIFY(isCleanEcho(tableExchange(m_pDev, std::uint8_t(i)), std::uint8_t(i)));
        QVERIFY(MouseSim::instance().isPlugged(Identity::Receiver));
    }

    void pullAfterPackets_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<Identity>("identity");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("count");
        QTest::newRow("receiver after 2") << "pullReceiver" << Identity::Receiver << "receiverPlugged" << 2;
        QTest::newRow("receiver at once") << "pullReceiver" << Identity::Receiver << "receiverPlugged" << 0;
        QTest::newRow("cable after 1") << "pullCable" << Identity::Cable << "cablePlugged" << 1;
    }

    void pullAfterPackets()
    {
        QFETCH(QString, button);
        QFETCH(Identity, identity);
        QFETCH(QString, box);
        QFETCH(int, count);
        MouseSim &sim = MouseSim::instance();
        sim.plug(identity, true);
        auto *b = find<QCheckBox>(box.toLatin1().constData());
        QTRY_VERIFY(b->isChecked());
        hid_device *dev = openCommand(identity);
        QVERIFY(dev);
        find<QSpinBox>("faultCount")->setValue(count);
        find<QPushButton>(button.toLatin1().constData())->click();

        for (int i = 0; i < count; ++i)
            QVERIFY(isCleanEcho(tableExchange(dev, std::uint8_t(i)), std::uint8_t(i)));
        QCOMPARE(tableExchange(dev, 9).written, -1);
        QVERIFY(!sim.isPlugged(identity));
        QTRY_VERIFY(!b->isChecked());
        hid_close(dev);
    }

    void logShowsTraffic()
    {
        const Report command = makeCommand(0x48);
        QCOMPARE(send(m_pDev, command), 33);
        const Report answer = drain(m_pDev).at(0);
        QTRY_COMPARE(logLines().size(), 2);
        const QStringList lines = logLines();
        QVERIFY(lines[0].startsWith(QChar(0x2192)));
        QVERIFY(lines[0].contains(QStringLiteral(" rcv ")));
        QVERIFY(lines[0].endsWith(hexOf(command)));
        QVERIFY(lines[1].startsWith(QChar(0x2190)));
        QVERIFY(lines[1].endsWith(hexOf(answer)));

        MouseSim::instance().failWrites(1);
        QCOMPARE(send(m_pDev, command), -1);
        QTRY_COMPARE(logLines().size(), 3);
        QVERIFY(logLines()[2].endsWith(hexOf(command) + QStringLiteral(" failed")));

        find<QPushButton>("clearLog")->click();
        QVERIFY(logLines().isEmpty());
        // New traffic still arrives, and only the new.
        const Report next = makeCommand(0x46, 1);
        QCOMPARE(send(m_pDev, next), 33);
        QTRY_COMPARE(logLines().size(), 1);
        QVERIFY(logLines()[0].endsWith(hexOf(next)));
    }

    void logFollowsAShrinkingModelLog_data()
    {
        QTest::addColumn<bool>("fullReset");
        QTest::newRow("traffic cleared") << false;
        QTest::newRow("model reset") << true;
    }

    void logFollowsAShrinkingModelLog()
    {
        QFETCH(bool, fullReset);
        MouseSim &sim = MouseSim::instance();
        for (int i = 0; i < 3; ++i)
            QCOMPARE(send(m_pDev, makeCommand(0x04, 0, 0, {std::uint8_t(i)}, 0xD1)), 33);
        QTRY_COMPARE(logLines().size(), 3);
        if (fullReset) {
            sim.reset();
            sim.setVirtualTime(true);
        } else {
            sim.clearTraffic();
        }
        m_pWindow->refresh();
        QCOMPARE(logLines().size(), 3);
        const Report next = makeCommand(0x04, 0, 0, {0x77}, 0xD1);
        QCOMPARE(send(m_pDev, next), 33);
        QTRY_COMPARE(logLines().size(), 4);
        QVERIFY(logLines()[3].endsWith(hexOf(next)));
    }

    void logFollowsTheTrimmedModelLog()
    {
        // The model keeps 100000 entries and then drops the oldest tenth.
        MouseSim &sim = MouseSim::instance();
        sim.failWrites(200000); // failed writes are logged but get no answers
        auto numbered = [](int i) {
            return makeCommand(0x04, 0, 0,
                               {std::uint8_t(i & 0xFF), std::uint8_t((i >> 8) & 0xFF), std::uint8_t(i >> 16)}, 0xD1);
        };
        for (int i = 0; i < 100000; ++i)
            send(m_pDev, numbered(i));
        QCOMPARE(sim.traffic().size(), std::size_t(100000));
        m_pWindow->refresh();
        QCOMPARE(logLines().size(), VirtualMouseWindow::kMaxLogLines);
        QVERIFY(logLines().last().contains(hexOf(numbered(99999))));

        send(m_pDev, numbered(100000));
        QVERIFY(sim.traffic().size() < std::size_t(100000));
        m_pWindow->refresh();
        const QStringList lines = logLines();
        QCOMPARE(lines.size(), VirtualMouseWindow::kMaxLogLines);
        // Only the new entry was added; nothing shown before came again.
        QVERIFY(lines.first().contains(hexOf(numbered(100000 - VirtualMouseWindow::kMaxLogLines + 1))));
        QVERIFY(lines[lines.size() - 2].contains(hexOf(numbered(99999))));
        QVERIFY(lines.last().contains(hexOf(numbered(100000))));
    }

    void writesFromAnotherThread()
    {
        MouseSim &sim = MouseSim::instance();
        sim.setVirtualTime(false);
        // The writer's button presses would fill this handle's queue.
        hid_close(m_pDev);
        m_pDev = nullptr;
        std::atomic<bool> stop{false};
        std::atomic<int> rounds{0};
        std::thread writer([&] {
            hid_device *dev = openCommand();
            while (!stop) {
                send(dev, makeCommand(0x48));
                Report a{};
                hid_read_timeout(dev, a.data(), a.size(), 5);
                sim.pressProfileButton();
                hid_read_timeout(dev, a.data(), a.size(), 5);
                sim.setCharging(std::uint8_t(rounds & 1));
                ++rounds;
            }
            hid_close(dev);
        });
        QTRY_VERIFY_WITH_TIMEOUT(rounds > 200 && logLines().size() > 100, 10000);
        // A window going away while the writer keeps writing.
        m_pWindow.reset();
        const int after = rounds;
        QTRY_VERIFY(rounds > after + 50);
        m_pWindow.reset(new VirtualMouseWindow);
        QTRY_VERIFY(!logLines().isEmpty());
        stop = true;
        writer.join();
        m_pDev = openCommand();
        m_pWindow->refresh();
        const QString state = find<QLabel>("firmwareState")->text();
        QVERIFY(state.startsWith(QStringLiteral("Profile %1 ").arg(sim.firmwareState().profile + 1)));
    }

    void compactLayoutAndScreenshot()
    {
        for (int i = 0; i < 3; ++i) {
            send(m_pDev, makeCommand(0x48));
            drain(m_pDev);
        }
        find<QPushButton>("rateButton")->click();
        drain(m_pDev);
        find<QSlider>("batterySlider")->setValue(930);
        m_pWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pWindow.get()));
        QTRY_COMPARE(logLines().size(), 7);
        const QString path = QDir(QStringLiteral(MOUSECFG_APPDIR "/..")).absoluteFilePath("virtualmouse.png");
        QVERIFY(m_pWindow->grab().save(path));
        const QSize minimum = m_pWindow->minimumSizeHint();
        QVERIFY2(minimum.width() <= 460 && minimum.height() <= 640,
                 qPrintable(QStringLiteral("%1 x %2").arg(minimum.width()).arg(minimum.height())));
        QVERIFY(m_pWindow->width() <= 460 && m_pWindow->height() <= 640);
    }
};

QTEST_MAIN(TestVirtualMouse)
#include "tst_virtualmouse.moc"
