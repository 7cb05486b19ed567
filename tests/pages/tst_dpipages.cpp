// The DPI and report-rate pages on the page contract: what each sensor lets a
// row show and keep, the rows a model has, linking, choosing the active level,
// and the report rate with its hidden lift-off choice.

#include "AccessibilityCheck.h"
#include "AppDirCopy.h"
#include "MouseSession.h"
#include "TarnDPIWindow.h"
#include "TarnLabel.h"
#include "TarnMenu.h"
#include "TarnPushButton.h"
#include "TarnReportRate.h"
#include "TarnSingleDPI.h"
#include "TarnSlider.h"
#include "TarnTwoBarSlider.h"
#include "TarnUi.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QSignalSpy>
#include <QtTest>

namespace {
// A page's surroundings in a private application directory.
struct PageRig
{
    AppDirCopy dir;
    StorageDirs dirs = StorageDirs::fromAppDir(dir.path());
    std::unique_ptr<TarnUi> ui;
    std::unique_ptr<MouseSession> session;

    void start()
    {
        ui = std::make_unique<TarnUi>(dirs);
        session = std::make_unique<MouseSession>(dirs);
        session->loadConfiguration();
    }
    ProfileData &profile() { return session->currentProfile(); }
};

QColor textColor(const TarnLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}
} // namespace

class TestDpiPages : public QObject
{
    Q_OBJECT

private slots:
    void sensorBandOfARow_data()
    {
        QTest::addColumn<int>("sensor");
        QTest::addColumn<QString>("product");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("kept");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("maxText");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<bool>("linkShown");
        // clang-format off
        QTest::newRow("3325 top")          << 3325  << "TarnX8"   << 50  << 50  << "X:5000"  << "5000"  << 1  << false;
        QTest::newRow("3325 past its top") << 3325  << "TarnX8"   << 51  << 50  << "X:5000"  << "5000"  << 1  << false;
        QTest::newRow("3327 short model")  << 3327  << "Q508-RGB" << 106 << 92  << "X:12400" << "12400" << 1  << false;
        QTest::newRow("3327 other model")  << 3327  << "TarnX8"   << 106 << 106 << "X:16400" << "16400" << 1  << false;
        QTest::newRow("3104 bottom")       << 3104  << "TarnX8"   << 14  << 14  << "X:500"   << "4200"  << 14 << true;
        QTest::newRow("31042 upper band")  << 31042 << "TarnX8"   << 107 << 107 << "X:4320"  << "8400"  << 14 << true;
        QTest::newRow("3212 rounded")      << 3212  << "TarnX8"   << 21  << 21  << "X:800"   << "7200"  << 16 << false;
        QTest::newRow("33352 capped")      << 33352 << "TarnX8"   << 240 << 200 << "X:24000" << "24000" << 1  << false;
        // An unknown sensor keeps the band the row had and converts to 0.
        QTest::newRow("unknown sensor")    << 4242  << "TarnX8"   << 60  << 50  << "X:0"     << "5000"  << 1  << false;
        // clang-format on
    }
    void sensorBandOfARow()
    {
        QFETCH(int, sensor);
        QFETCH(QString, product);
        QFETCH(int, stored);
        QFETCH(int, kept);
        QFETCH(QString, shown);
        QFETCH(QString, maxText);
        QFETCH(int, lowest);
        QFETCH(bool, linkShown);
        PageRig rig;
        rig.dir.setConfigKey("MouseSenSor/1", sensor);
        rig.dir.setConfigKey("Config/CurrentProductName", product);
        rig.start();
        DpiLevel &level = rig.profile().dpiLevels[2];
        level.link = 0;
        level.x = std::uint32_t(stored);
        level.y = std::uint32_t(stored);
        TarnDPIWindow page(*rig.session);
        page.show();
        QSignalSpy edited(&page, &TarnPage::profileEdited);

        page.load(rig.profile());
        TarnSingleDPI *row = page.row(2);
        QCOMPARE(row->xLabel()->text(), shown);
        QCOMPARE(row->dpiLabel()->text(), "DPI : " + shown.mid(2));
        QCOMPARE(row->maxLabel()->text(), maxText);
        QCOMPARE(row->lowest(), lowest);
        QCOMPARE(row->twoBarSlider()->xSlider()->value(), kept);
        QCOMPARE(row->linkBox()->isVisible(), linkShown);
        // What Apply collects is what the row shows, without any edit.
        ProfileData collected = rig.profile();
        page.store(collected);
        QCOMPARE(int(collected.dpiLevels[2].x), kept);
        QCOMPARE(int(collected.dpiLevels[2].y), kept);
        QCOMPARE(edited.count(), 0);
    }

    void rowsOfTheModel_data()
    {
        QTest::addColumn<int>("modelCount");
        QTest::addColumn<int>("rows");
        QTest::newRow("four") << 4 << 4;
        QTest::newRow("none given") << 0 << 8;
        QTest::newRow("nine") << 9 << 8;
    }
    void rowsOfTheModel()
    {
        QFETCH(int, modelCount);
        QFETCH(int, rows);
        PageRig rig;
        // The count is ButtonCount ^ MouseDpi ^ DPICount.
        rig.dir.setModelKey("PROFILE/ButtonCount", 0);
        rig.dir.setModelKey("PROFILE/MouseDpi", 0);
        rig.dir.setModelKey("PROFILE/DPICount", modelCount);
        rig.start();
        TarnDPIWindow page(*rig.session);
        page.show();
        int shown = 0;
        for (int level = 0; level < kDpiLevelCount; ++level) {
            if (page.row(level)->isVisible() && !page.row(level)->size().isEmpty())
                ++shown;
        }
        QCOMPARE(shown, rows);
        QCOMPARE(page.row(rows - 1)->geometry(), QRect(15, 43 + 50 * (rows - 1), 440, 48));
        QVERIFY_ACCESSIBLE(&page);
        rig.ui->setScale(1.5);
        page.relayout();
        QCOMPARE(page.row(1)->geometry(), QRect(22, 139, 660, 72));
    }

    void linkedSlidersStayEqual()
    {
        PageRig rig;
        rig.dir.setConfigKey("MouseSenSor/1", 3360);
        rig.start();
        DpiLevel &level = rig.profile().dpiLevels[1];
        level.link = 0;
        level.x = 10;
        level.y = 20;
        TarnDPIWindow page(*rig.session);
        page.show();
        page.load(rig.profile());
        TarnSingleDPI *row = page.row(1);
        TarnTwoBarSlider *bars = row->twoBarSlider();
        QVERIFY(bars->xSlider()->isVisible() && !bars->linkedSlider()->isVisible());

        // Linking makes Y what X is, at once, so the mouse gets what is shown.
        QSignalSpy edited(&page, &TarnPage::profileEdited);
        row->linkBox()->click();
        QVERIFY(!bars->ySlider()->isVisible() && bars->linkedSlider()->isVisible());
        QVERIFY(edited.count() > 0);
        ProfileData collected;
        page.store(collected);
        QCOMPARE(int(collected.dpiLevels[1].link), 1);
        QCOMPARE(int(collected.dpiLevels[1].y), 10);
        QCOMPARE(row->yLabel()->text(), QStringLiteral("Y:1000"));

        bars->linkedSlider()->setValue(40);
        page.store(collected);
        QCOMPARE(int(collected.dpiLevels[1].x), 40);
        QCOMPARE(int(collected.dpiLevels[1].y), 40);
    }

    void clickingARowChoosesTheActiveLevel()
    {
        PageRig rig;
        rig.start();
        rig.profile().dpi = 1;
        TarnDPIWindow page(*rig.session);
        page.show();
        page.load(rig.profile());
        const QColor theme = TarnUi::currentThemeColor();
        QCOMPARE(textColor(page.row(1)->xLabel()), theme);

        QSignalSpy edited(&page, &TarnPage::profileEdited);
        QTest::mouseClick(page.row(4)->dpiLabel(), Qt::LeftButton);
        QCOMPARE(edited.count(), 1);
        ProfileData collected;
        page.store(collected);
        QCOMPARE(int(collected.dpi), 4);
        for (int level = 0; level < kDpiLevelCount; ++level)
            QCOMPARE(textColor(page.row(level)->xLabel()), level == 4 ? theme : QColor(Qt::white));

        // Space on a slider the row holds chooses its level too.
        page.row(6)->twoBarSlider()->linkedSlider()->setFocus();
        QTest::keyClick(page.row(6)->twoBarSlider()->linkedSlider(), Qt::Key_Space);
        page.store(collected);
        QCOMPARE(int(collected.dpi), 6);
    }

    void activeLevelPastTheRows()
    {
        PageRig rig;
        rig.start();
        rig.profile().dpi = 200; // a damaged file
        TarnDPIWindow page(*rig.session);
        page.load(rig.profile());
        for (int level = 0; level < kDpiLevelCount; ++level)
            QVERIFY(!page.row(level)->isChosen());
        ProfileData collected;
        page.store(collected);
        QCOMPARE(int(collected.dpi), 200);

        // The mouse's own button moves the mark, without dropping unapplied edits.
        page.row(0)->twoBarSlider()->linkedSlider()->setValue(33);
        rig.session->handleStatus(rig.session->workingConfig().ProfileID, 3, rig.profile().pollrate, 0);
        QTRY_VERIFY(page.row(3)->isChosen());
        page.store(collected);
        QCOMPARE(int(collected.dpi), 3);
        QCOMPARE(int(collected.dpiLevels[0].x), 33);
    }

    void rateChosenIsCollectedOrLost()
    {
        PageRig rig;
        rig.start();
        rig.profile().pollrate = 1;
        TarnReportRate page(*rig.session);
        page.load(rig.profile());
        QCOMPARE(page.rateButton()->text(), QStringLiteral("1000 HZ"));
        QSignalSpy edited(&page, &TarnPage::profileEdited);
        page.rateMenu()->actions().at(2)->trigger();
        QCOMPARE(page.rateButton()->text(), QStringLiteral("500 HZ"));
        QCOMPARE(edited.count(), 1);
        ProfileData collected = rig.profile();
        page.store(collected);
        QCOMPARE(int(collected.pollrate), 2);
        QCOMPARE(int(rig.profile().pollrate), 1); // nothing reaches the working copy before Apply

        // A reload before Apply drops the choice.
        page.load(rig.profile());
        page.store(collected);
        QCOMPARE(int(collected.pollrate), 1);
        QCOMPARE(page.rateButton()->text(), QStringLiteral("1000 HZ"));

        // A code the menu does not have keeps the text.
        rig.profile().pollrate = 3;
        page.load(rig.profile());
        QCOMPARE(page.rateButton()->text(), QStringLiteral("1000 HZ"));
    }

    void liftOffValue_data()
    {
        QTest::addColumn<int>("given");
        QTest::addColumn<int>("lift");
        QTest::newRow("none") << 0 << 2;
        QTest::newRow("1 mm") << 1 << 1;
        QTest::newRow("out of range") << 7 << 2;
    }
    void liftOffValue()
    {
        QFETCH(int, given);
        QFETCH(int, lift);
        PageRig rig;
        rig.start();
        TarnReportRate page(*rig.session);
        page.setLiftSource([given] { return given; });
        page.load(rig.profile());
        QCOMPARE(int(page.lift()), lift);
        QCOMPARE(page.liftGroup()->checkedId(), lift - 1);

        QSignalSpy reported(&page, &TarnReportRate::RefreshLift);
        page.liftGroup()->button(2 - lift)->click();
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.at(0).at(0).toInt(), 3 - lift);
    }
};

QTEST_MAIN(TestDpiPages)
#include "tst_dpipages.moc"
