// The lighting page in the window against the simulated mouse: a colour
// changed in the editor while slot 3 is active reaches the mouse's lighting
// table and nothing else is sent; the mouse's own effect button is followed.

#include "AppDirCopy.h"
#include "DefaultColorArea.h"
#include "MouseSim.h"
#include "TarnAction.h"
#include "TarnColorArea.h"
#include "TarnColorWindow.h"
#include "TarnPushButton.h"
#include "VirtualDeviceClock.h"
#include "WindowUnderTest.h"

#include <QApplication>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include <set>

using mousesim::EventKind;
using mousesim::MouseSim;

namespace {
std::set<int> groupsSent()
{
    std::set<int> codes;
    for (const auto &event : MouseSim::instance().events()) {
        if (event.kind == EventKind::TableClosed && event.command <= 0x04)
            codes.insert(event.command);
    }
    return codes;
}

void press(const WindowUnderTest &w, const char *button)
{
    QTest::mouseClick(w->findChild<TarnPushButton *>(QLatin1String(button)), Qt::LeftButton);
    QTRY_VERIFY(!w.session->isSending() && !QApplication::activeModalWidget());
}
} // namespace

class TestLightingApply : public QObject
{
    Q_OBJECT

    VirtualDeviceClock m_Clock{20};

private slots:
    void init()
    {
        MouseSim::instance().reset();
        MouseSim::instance().clearEvents();
    }

    void colourOfSlot3SendsTheLightingTableOnly()
    {
        AppDirCopy dir;
        dir.setConfigKey("Config/Diff", 0);
        dir.setConfigKey("Config/ProfileID", 3);
        MousecfgOptions options;
        options.trayAvailable = [] { return true; };
        WindowUnderTest w(dir, &m_Clock, options);
        w->show();
        QTRY_VERIFY(!w.session->isStatusRestartPending());
        w->selectTab(MousecfgWidget::TabLighting);
        auto *page = w->findChild<TarnColorWindow *>();
        QVERIFY(page && page->isVisible());

        page->effectAction(2)->trigger(); // BREATHING, with a colour
        press(w, "applyButton");
        QCOMPARE(MouseSim::instance().firmwareState().effect, std::uint8_t(3));
        MouseSim::instance().clearEvents();

        QTimer::singleShot(0, [] {
            auto *dialog = qobject_cast<TarnColorArea *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->redBox()->setValue(17);
            dialog->greenBox()->setValue(34);
            dialog->blueBox()->setValue(51);
            QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
        });
        QTest::mouseClick(page->colorSwatch(), Qt::LeftButton);
        press(w, "applyButton");
        QCOMPARE(groupsSent(), std::set<int>({0x04}));
        // Record 2 is BREATHING: 0x80, R, G, B, ...
        const auto record = MouseSim::instance().lighting()[2].bytes;
        QCOMPARE(std::vector<int>(record.begin(), record.begin() + 4), std::vector<int>({0x80, 17, 34, 51}));

        // The mouse's effect button, heard once the status thread that
        // follows the send listens: code 3 (BREATHING) becomes 4, 7 COLOR BREATHING.
        QSignalSpy answered(w.session.get(), &MouseSession::batteryReported);
        QTRY_VERIFY_WITH_TIMEOUT(answered.count() >= 2, 15000);
        MouseSim::instance().pressEffectButton();
        QTRY_COMPARE(page->effect(), 3);
        QCOMPARE(int(w->workingConfig().profiles[3].LedMode), 3);
        QCOMPARE(page->effectButton()->text(), QString("7 COLOR BREATHING"));
    }
};

QTEST_MAIN(TestLightingApply)
#include "tst_lightingapply.moc"
