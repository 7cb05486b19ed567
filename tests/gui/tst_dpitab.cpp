// The "DPI" tab end to end: edits made on its pages reach the simulated mouse
// with Apply, byte for byte; and the tab's pages at their places for the
// display scale (a picture of each goes to the build's screenshots folder).

#include "AccessibilityCheck.h"
#include "AppDirCopy.h"
#include "MouseSim.h"
#include "TarnDPIWindow.h"
#include "TarnLabel.h"
#include "TarnMenu.h"
#include "TarnPushButton.h"
#include "TarnReportRate.h"
#include "TarnSingleDPI.h"
#include "TarnSlider.h"
#include "TarnTwoBarSlider.h"
#include "VirtualDeviceClock.h"
#include "WindowUnderTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QtTest>

using mousesim::MouseSim;

class TestDpiTab : public QObject
{
    Q_OBJECT

    VirtualDeviceClock m_Clock{20};

    void pressApply(const WindowUnderTest &w)
    {
        QTest::mouseClick(w->findChild<TarnPushButton *>(QStringLiteral("applyButton")), Qt::LeftButton);
        QTRY_VERIFY(!w.session->isSending() && !QApplication::activeModalWidget());
        QCOMPARE(w.session->lastOutcome().result, kResultOk);
    }

private slots:
    void pagesAtTheirPlaces_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<double>("scale");
        QTest::newRow("1.0") << 96.0 << 1.0;
        QTest::newRow("1.5") << 144.0 << 1.5;
    }
    void pagesAtTheirPlaces()
    {
        QFETCH(double, dpi);
        QFETCH(double, scale);
        MouseSim::instance().reset();
        AppDirCopy dir;
        MousecfgOptions options;
        options.trayAvailable = [] { return true; };
        options.logicalDpi = [dpi](const QScreen *) { return dpi; };
        WindowUnderTest w(dir, &m_Clock, options);
        w->show();
        w->selectTab(MousecfgWidget::TabDpi);
        const auto at = [scale](int x, int y, int width, int height) {
            return QRect(int(x * scale), int(y * scale), int(width * scale), int(height * scale));
        };
        QTRY_COMPARE(w->findChild<TarnDPIWindow *>()->geometry(), at(285, 90, 456, 460));
        QCOMPARE(w->findChild<TarnReportRate *>()->geometry(), at(746, 90, 229, 150));
        QCOMPARE(w->findChild<TarnDPIWindow *>()->row(7)->geometry(), at(15, 393, 440, 48));
        // The active level keeps its mark through the window's layout passes.
        const TarnDPIWindow *page = w->findChild<TarnDPIWindow *>();
        const int active = w.session->workingConfig().activeProfile().dpi;
        QCOMPARE(page->row(active)->xLabel()->palette().color(QPalette::WindowText), TarnUi::currentThemeColor());
        QCOMPARE(page->row((active + 1) % kDpiLevelCount)->xLabel()->palette().color(QPalette::WindowText),
                 QColor(Qt::white));
        QVERIFY_ACCESSIBLE(w.get());
        QDir().mkpath(QStringLiteral(MOUSECFG_SCREENSHOT_DIR));
        QVERIFY(w->grab().save(QStringLiteral(MOUSECFG_SCREENSHOT_DIR "/dpi-tab-%1.png").arg(scale, 0, 'f', 1)));
    }

    void appliedLevelsReachTheMouse()
    {
        MouseSim::instance().reset();
        AppDirCopy dir;
        dir.setConfigKey("Config/Diff", 0);
        // Codes of this sensor go out as plain 16-bit words, X first.
        dir.setConfigKey("MouseSenSor/1", 3389);
        MousecfgOptions options;
        options.trayAvailable = [] { return true; };
        WindowUnderTest w(dir, &m_Clock, options);
        w->show();
        QTRY_VERIFY(!w.session->isStatusRestartPending());
        w->selectTab(MousecfgWidget::TabDpi);
        const int slot = w.session->workingConfig().ProfileID;

        auto *dpi = w->findChild<TarnDPIWindow *>();
        auto *rate = w->findChild<TarnReportRate *>();
        QVERIFY(dpi && rate);
        TarnSingleDPI *row = dpi->row(2);
        if (row->linkBox()->isChecked())
            row->linkBox()->click();
        row->twoBarSlider()->xSlider()->setValue(300);
        row->twoBarSlider()->ySlider()->setValue(200);
        QTest::mouseClick(dpi->row(5)->xLabel(), Qt::LeftButton);
        for (QAction *action : rate->rateMenu()->actions()) {
            if (action->text() == QLatin1String("500 HZ"))
                action->trigger();
        }
        pressApply(w);

        mousesim::DpiTable table = MouseSim::instance().dpiTable(slot);
        QCOMPARE(int(table.levels[2].xWord()), 300);
        QCOMPARE(int(table.levels[2].yWord()), 200);
        QCOMPARE(int(MouseSim::instance().generalSettings().dpi), 5);
        QCOMPARE(int(MouseSim::instance().generalSettings().pollRate[std::size_t(slot)]), 2);

        // Linking again sends one value for both axes.
        row->linkBox()->click();
        pressApply(w);
        table = MouseSim::instance().dpiTable(slot);
        QCOMPARE(int(table.levels[2].xWord()), 300);
        QCOMPARE(int(table.levels[2].yWord()), 300);
    }
};

QTEST_MAIN(TestDpiTab)
#include "tst_dpitab.moc"
