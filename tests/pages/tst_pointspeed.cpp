// The speed page on the page contract: it shows a profile without editing it,
// writes the user's changes into the session's current profile at once, and
// lays itself out for the display scale.

#include "AccessibilityCheck.h"
#include "AppDirCopy.h"
#include "MouseSession.h"
#include "TarnPointSpeed.h"
#include "TarnSlider.h"
#include "TarnUi.h"

#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

class TestPointSpeed : public QObject
{
    Q_OBJECT

private slots:
    void loadShowsWithoutEditing_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("in range") << 7 << 7;
        QTest::newRow("zero from an old file") << 0 << 1;
        QTest::newRow("above the range") << 30 << 20;
    }
    void loadShowsWithoutEditing()
    {
        QFETCH(int, stored);
        QFETCH(int, shown);
        AppDirCopy dir;
        const StorageDirs dirs = StorageDirs::fromAppDir(dir.path());
        TarnUi ui(dirs);
        MouseSession session(dirs);
        session.loadConfiguration();
        session.currentProfile().mousespeed = std::uint8_t(stored);
        session.currentProfile().scrollspeed = std::uint8_t(stored);
        TarnPointSpeed page(session);
        QSignalSpy edited(&page, &TarnPage::profileEdited);

        page.load(session.workingConfig().activeProfile());
        QCOMPARE(page.pointerSlider()->value(), shown);
        QCOMPARE(page.scrollBox()->value(), shown);
        QCOMPARE(edited.count(), 0);
        QCOMPARE(int(session.currentProfile().mousespeed), stored);
        QCOMPARE(int(session.currentProfile().scrollspeed), stored);
    }

    void changesReachTheCurrentProfileAtOnce()
    {
        AppDirCopy dir;
        const StorageDirs dirs = StorageDirs::fromAppDir(dir.path());
        TarnUi ui(dirs);
        MouseSession session(dirs);
        session.loadConfiguration();
        TarnPointSpeed page(session);
        QSignalSpy edited(&page, &TarnPage::profileEdited);

        page.pointerSlider()->setValue(20);
        page.scrollBox()->setValue(9);
        QCOMPARE(int(session.currentProfile().mousespeed), 20);
        QCOMPARE(int(session.currentProfile().scrollspeed), 9);
        QCOMPARE(edited.count(), 2);

        // After a slot switch the page edits the new current profile, not the old one.
        QVERIFY(session.switchProfile(3, false));
        page.load(session.workingConfig().activeProfile());
        page.pointerSlider()->setValue(4);
        QCOMPARE(int(session.workingConfig().profiles[3].mousespeed), 4);
        QCOMPARE(int(session.workingConfig().profiles[0].mousespeed), 20);
    }

    void layoutFollowsTheScale()
    {
        AppDirCopy dir;
        const StorageDirs dirs = StorageDirs::fromAppDir(dir.path());
        TarnUi ui(dirs, 1.0);
        MouseSession session(dirs);
        TarnPointSpeed page(session);
        QCOMPARE(page.pointerSlider()->geometry(), QRect(20, 35, 200, 25));
        page.show();
        QVERIFY_ACCESSIBLE(&page);
        ui.setScale(1.5);
        page.relayout();
        QCOMPARE(page.pointerSlider()->geometry(), QRect(30, 52, 300, 37));
        QCOMPARE(page.scrollBox()->geometry(), QRect(30, 195, 105, 30));
    }
};

QTEST_MAIN(TestPointSpeed)
#include "tst_pointspeed.moc"
