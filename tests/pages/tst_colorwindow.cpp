// The lighting page on the session's working copy: the rows each effect
// shows, the effects never offered, the slots it writes, showing a profile
// without editing it, and the colour editor's preview undone by Cancel.

#include "AccessibilityCheck.h"
#include "AppDirCopy.h"
#include "DefaultColorArea.h"
#include "MouseSession.h"
#include "TarnAction.h"
#include "TarnColorArea.h"
#include "TarnColorWindow.h"
#include "TarnLabel.h"
#include "TarnMenu.h"
#include "TarnPushButton.h"
#include "TarnSlider.h"
#include "TarnUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include <memory>

namespace {
// A page on a session of its own, in its own copy of the application directory.
struct PageUnderTest
{
    AppDirCopy dir;
    StorageDirs dirs;
    std::unique_ptr<TarnUi> ui;
    std::unique_ptr<MouseSession> session;
    std::unique_ptr<TarnColorWindow> page;

    explicit PageUnderTest(const QString &product = QString(), int activeSlot = 0)
        : dirs(StorageDirs::fromAppDir(dir.path()))
    {
        if (!product.isEmpty()) {
            // The simulated mouse is the only one, so it becomes the current product.
            dir.setConfigKey("Mouse_List/0", product);
            dir.setConfigKey("Config/CurrentProductName", product);
        }
        dir.setConfigKey("Config/ProfileID", activeSlot);
        ui = std::make_unique<TarnUi>(dirs);
        session = std::make_unique<MouseSession>(dirs);
        if (!product.isEmpty()) {
            session->findDevices();
            session->buildMouseList();
        }
        session->loadConfiguration();
        page = std::make_unique<TarnColorWindow>(*session);
        page->load(session->workingConfig().activeProfile());
    }
    ProfileData &slot(int i) { return session->workingConfig().profiles[std::size_t(i)]; }
    void choose(int mode) { page->effectAction(mode)->trigger(); }
};

bool shown(QWidget *w)
{
    return w->isVisibleTo(w->parentWidget());
}
} // namespace

class TestColorWindow : public QObject
{
    Q_OBJECT

private slots:
    void effectShowsItsRows_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("brightness");
        QTest::addColumn<bool>("speed");
        QTest::addColumn<bool>("colour");
        QTest::newRow("REACTIVE") << 11 << true << false << false;
        QTest::newRow("OFF") << 0 << false << false << false;
        QTest::newRow("FULL LIGHTED") << 1 << true << false << true;
        QTest::newRow("BREATHING") << 2 << false << true << true;
        QTest::newRow("7 COLOR BREATHING") << 3 << false << true << false;
        QTest::newRow("WAVE") << 9 << true << true << false;
    }
    void effectShowsItsRows()
    {
        QFETCH(int, mode);
        QFETCH(bool, brightness);
        QFETCH(bool, speed);
        QFETCH(bool, colour);
        PageUnderTest t;
        QSignalSpy edited(t.page.get(), &TarnPage::profileEdited);
        t.choose(mode);
        QCOMPARE(int(t.slot(0).LedMode), mode);
        QCOMPARE(edited.count(), 1);
        QCOMPARE(shown(t.page->brightnessSlider()), brightness);
        QCOMPARE(shown(t.page->speedSlider()), speed);
        QCOMPARE(shown(t.page->colorSwatch()), colour);
        // The effect button and the sleep and move-off rows stay.
        QVERIFY(shown(t.page->effectButton()) && shown(t.page->sleepSlider()) && shown(t.page->moveOffBox()));
        // Without the brightness row the speed row takes its place.
        if (speed)
            QCOMPARE(t.page->speedSlider()->y() == t.page->brightnessSlider()->y(), !brightness);
    }

    void hiddenEffectsAreShownButNeverOffered()
    {
        PageUnderTest t;
        QStringList offered;
        for (QAction *action : t.page->effectMenu()->actions())
            offered << action->text();
        QCOMPARE(offered, QStringList({"FULL LIGHTED", "BREATHING", "7 COLOR BREATHING", "RAINBOW", "WAVE", "REACTIVE",
                                       "GO WITHOUT TRACE", "yo-yo", "Marbles", "OFF"}));
        const QStringList hidden = {"FLASH", "Horizontal WAVE", "Horizontal GO WITHOUT TRACE", "Raindrop"};
        for (int mode = 5; mode <= 8; ++mode) {
            t.slot(0).LedMode = std::uint8_t(mode);
            t.page->load(t.slot(0));
            QCOMPARE(t.page->effectButton()->text(), hidden[mode - 5]);
            QVERIFY(shown(t.page->brightnessSlider()) && shown(t.page->speedSlider()));
        }
    }

    void modeBeyondTheEffectsEditsNothing()
    {
        PageUnderTest t;
        t.slot(0).LedMode = 200;
        t.page->load(t.slot(0));
        const AppConfig before = t.session->workingConfig();
        QCOMPARE(t.page->effectButton()->text(), QString("200"));
        QVERIFY(!shown(t.page->brightnessSlider()) && !shown(t.page->speedSlider()) && !shown(t.page->colorSwatch()));
        // Whatever reaches the hidden controls is not written anywhere.
        t.page->brightnessSlider()->setValue(1);
        t.page->speedSlider()->setValue(5);
        t.page->slotSendLedState(Qt::blue);
        t.page->setEffect(14);
        QVERIFY(t.session->workingConfig() == before);
        // Picking an effect ends it.
        t.choose(4);
        t.page->brightnessSlider()->setValue(2);
        QCOMPARE(int(t.slot(0).ledModes[4].bright), 2);
    }

    void sleepAndMoveOff()
    {
        PageUnderTest t;
        QSignalSpy edited(t.page.get(), &TarnPage::profileEdited);
        t.page->sleepSlider()->setValue(5);
        QCOMPARE(t.page->sleepLabel()->text(), QString("5 MINUTE"));
        QCOMPARE(int(t.slot(0).LedSleepTime), 5);
        t.page->moveOffBox()->setChecked(true);
        t.page->moveOffBox()->click();
        QCOMPARE(int(t.slot(0).LedMoveOFF), 255);
        t.page->moveOffBox()->click();
        QCOMPARE(int(t.slot(0).LedMoveOFF), 0);
        QCOMPARE(edited.count(), 3);
    }

    // Where the page writes: "KX50" keeps everything in slot 0; other
    // products write the effect into the active slot and every value into
    // slot 0, which the mouse's tables carry, and into the active slot, which
    // the comparison before Apply looks at.
    void slotsWritten_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<int>("active");
        QTest::addColumn<int>("effectSlot");
        QTest::addColumn<bool>("activeWritten");
        QTest::newRow("KX50, slot 3") << "KX50" << 3 << 0 << false;
        QTest::newRow("other, slot 3") << "TarnX8" << 3 << 3 << true;
        QTest::newRow("other, slot 0") << "TarnX8" << 0 << 0 << true;
    }
    void slotsWritten()
    {
        QFETCH(QString, product);
        QFETCH(int, active);
        QFETCH(int, effectSlot);
        QFETCH(bool, activeWritten);
        PageUnderTest t(product, active);
        QCOMPARE(t.session->currentProductName(), product);
        QCOMPARE(int(t.session->workingConfig().ProfileID), active);
        t.slot(0).LedMode = 9;
        t.slot(active).LedMode = 9;
        t.choose(11);
        t.page->brightnessSlider()->setValue(1);
        t.page->sleepSlider()->setValue(7);
        t.page->moveOffBox()->click();
        const std::uint8_t moveOff = t.page->moveOffBox()->isChecked() ? 0 : 255;

        QCOMPARE(int(t.slot(effectSlot).LedMode), 11);
        QCOMPARE(int(t.slot(0).ledModes[11].bright), 1);
        QCOMPARE(int(t.slot(0).LedSleepTime), 7);
        QCOMPARE(t.slot(0).LedMoveOFF, moveOff);
        if (active != 0) {
            QCOMPARE(int(t.slot(active).ledModes[11].bright) == 1, activeWritten);
            QCOMPARE(int(t.slot(active).LedSleepTime) == 7, activeWritten);
            QCOMPARE(t.slot(active).LedMoveOFF == moveOff, activeWritten);
            QCOMPARE(int(t.slot(effectSlot == 0 ? active : 0).LedMode), 9);
        }
    }

    void showingAProfileEditsNothing()
    {
        PageUnderTest t;
        // Values the sliders cannot show, as an old or hand-edited file holds them.
        t.slot(0).LedMode = 4;
        t.slot(0).ledModes[4].bright = 0;
        t.slot(0).ledModes[4].breath = 9;
        t.slot(0).ledModes[9].bright = 2;
        t.slot(0).ledModes[9].breath = 0;
        t.slot(0).LedSleepTime = 0;
        const AppConfig before = t.session->workingConfig();
        QSignalSpy edited(t.page.get(), &TarnPage::profileEdited);
        t.page->load(t.slot(0));
        QCOMPARE(t.page->brightnessSlider()->value(), 1);
        QVERIFY(t.session->workingConfig() == before);
        QCOMPARE(edited.count(), 0);
        // Picking an effect sets its LedMode and nothing else.
        t.choose(9);
        t.slot(0).LedMode = 4;
        QVERIFY(t.session->workingConfig() == before);
    }

    void colourEditorPreviewsAndCancelRestores_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QColor>("opened");
        QTest::newRow("APPLY") << true << QColor(10, 20, 30);
        QTest::newRow("Cancel") << false << QColor(10, 20, 30);
        QTest::newRow("Cancel, colour never set") << false << QColor();
    }
    void colourEditorPreviewsAndCancelRestores()
    {
        QFETCH(bool, accept);
        QFETCH(QColor, opened);
        PageUnderTest t;
        t.choose(1);
        t.slot(0).ledModes[1].RGB = opened;
        t.page->load(t.slot(0));
        t.page->show();
        QVERIFY_ACCESSIBLE(t.page.get());
        QSignalSpy edited(t.page.get(), &TarnPage::profileEdited);
        QColor previewed;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<TarnColorArea *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QString("Color Edit"));
            dialog->redBox()->setValue(200);
            previewed = t.slot(0).ledModes[1].RGB;
            QTest::mouseClick(accept ? dialog->applyButton() : dialog->cancelButton(), Qt::LeftButton);
        });
        QTest::mouseClick(t.page->colorSwatch(), Qt::LeftButton);
        QCOMPARE(previewed.red(), 200);
        const QColor kept = t.slot(0).ledModes[1].RGB;
        if (accept) {
            QCOMPARE(kept, previewed);
            QCOMPARE(edited.count(), 1);
        } else {
            QCOMPARE(kept, opened);
            QCOMPARE(kept.isValid(), opened.isValid());
            QCOMPARE(edited.count(), 0);
        }
        QCOMPARE(t.page->colorSwatch()->color(), kept);
    }

    void layoutFollowsTheScale()
    {
        PageUnderTest t;
        QCOMPARE(t.page->effectButton()->geometry(), QRect(30, 55, 200, 30));
        t.ui->setScale(1.5);
        t.page->relayout();
        QCOMPARE(t.page->effectButton()->geometry(), QRect(45, 82, 300, 45));
        QCOMPARE(t.page->sleepSlider()->geometry(), QRect(45, 495, 300, 37));
    }
};

QTEST_MAIN(TestColorWindow)
#include "tst_colorwindow.moc"
