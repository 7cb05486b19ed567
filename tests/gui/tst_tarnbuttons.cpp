// Image button and label: which picture and text colour each state shows,
// and the hover / press signals the panels depend on.

#include "TarnLabel.h"
#include "TarnPushButton.h"
#include "TarnUi.h"
#include "TestSkinDir.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
const QColor kNormal(200, 0, 0);
const QColor kHover(0, 200, 0);
const QColor kPressed(0, 0, 200);

void sendEnter(QWidget *w)
{
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(w, &enter);
}

void sendLeave(QWidget *w)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
}
} // namespace

class TstTarnButtons : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pictureOfEachState_data();
    void pictureOfEachState();
    void hoverSignalsAndPictures();
    void leaveAfterPressStaysQuiet();
    void pressTogglesCheckedAndSignals();
    void selectedKeepsHighlightAfterLeave_data();
    void selectedKeepsHighlightAfterLeave();
    void disabledIgnoresMouse();
    void textColours();
    void moreThanThreeImagesUseFirstThree();
    void missingImageDrawsNothing();
    void buttonUsesLanguageFont();
    void pressedLookEndsWhenMenuCloses();

    void labelText_data();
    void labelText();
    void labelPressSignals();
    void labelPaintsPaletteColour();

private:
    TestSkinDir *m_pDir = nullptr;
    TarnUi *m_pUi = nullptr;
};

void TstTarnButtons::init()
{
    TestSkinOptions options;
    options.fontSize = 13;
    m_pDir = new TestSkinDir(options);
    m_pDir->addImage(QStringLiteral("n.png"), kNormal);
    m_pDir->addImage(QStringLiteral("h.png"), kHover);
    m_pDir->addImage(QStringLiteral("p.png"), kPressed);
    m_pUi = new TarnUi(m_pDir->dirs(), 1.25);
}

void TstTarnButtons::cleanup()
{
    delete m_pUi;
    m_pUi = nullptr;
    delete m_pDir;
    m_pDir = nullptr;
}

void TstTarnButtons::pictureOfEachState_data()
{
    QTest::addColumn<QStringList>("images");
    QTest::addColumn<QColor>("normal");
    QTest::addColumn<QColor>("hover");
    QTest::addColumn<QColor>("pressed");
    const QStringList one{"/skin/n.png"};
    const QStringList two{"/skin/n.png", "/skin/h.png"};
    const QStringList three{"./skin/n.png", "./skin/h.png", "./skin/p.png"};
    QTest::newRow("one image everywhere") << one << kNormal << kNormal << kNormal;
    QTest::newRow("two images, no pressed picture") << two << kNormal << kHover << kHover;
    QTest::newRow("three images") << three << kNormal << kHover << kPressed;
    QTest::newRow("same image three times")
        << QStringList{"/skin/h.png", "/skin/h.png", "/skin/h.png"} << kHover << kHover << kHover;
}

void TstTarnButtons::pictureOfEachState()
{
    QFETCH(QStringList, images);
    QFETCH(QColor, normal);
    QFETCH(QColor, hover);
    QFETCH(QColor, pressed);
    TarnPushButton button(images);
    button.resize(40, 20);
    QCOMPARE(pixelOf(&button, 3, 3), normal);
    sendEnter(&button);
    QCOMPARE(pixelOf(&button, 3, 3), hover);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(pixelOf(&button, 3, 3), pressed);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(pixelOf(&button, 3, 3), hover);
    sendLeave(&button);
    // Pressed once: checked but not selected, so back to the first picture.
    QCOMPARE(pixelOf(&button, 3, 3), normal);
}

void TstTarnButtons::hoverSignalsAndPictures()
{
    TarnPushButton button({"/skin/n.png", "/skin/h.png", "/skin/p.png"});
    button.resize(40, 20);
    QSignalSpy over(&button, SIGNAL(OverSignal(TarnPushButton *, bool)));
    sendEnter(&button);
    QCOMPARE(over.count(), 1);
    QCOMPARE(over.at(0).at(0).value<TarnPushButton *>(), &button);
    QCOMPARE(over.at(0).at(1).toBool(), true);
    QCOMPARE(button.currentImageIndex(), 1);
    sendLeave(&button);
    QCOMPARE(over.count(), 2);
    QCOMPARE(over.at(1).at(1).toBool(), false);
    QCOMPARE(button.currentImageIndex(), 0);
}

void TstTarnButtons::leaveAfterPressStaysQuiet()
{
    TarnPushButton button({"/skin/n.png", "/skin/h.png", "/skin/p.png"});
    button.resize(40, 20);
    QSignalSpy over(&button, SIGNAL(OverSignal(TarnPushButton *, bool)));
    sendEnter(&button);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    sendLeave(&button);
    QCOMPARE(over.count(), 1); // only the enter
    QCOMPARE(button.currentImageIndex(), 0);
    // The next visit without a press reports the leave again.
    sendEnter(&button);
    sendLeave(&button);
    QCOMPARE(over.count(), 3);
    QCOMPARE(over.at(2).at(1).toBool(), false);
}

void TstTarnButtons::pressTogglesCheckedAndSignals()
{
    TarnPushButton button({"/skin/n.png"});
    button.resize(40, 20);
    QSignalSpy enter(&button, SIGNAL(EnterSignal(TarnPushButton *)));
    QSignalSpy clicked(&button, SIGNAL(clicked()));
    QVERIFY(!button.isChecked());
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(enter.count(), 1);
    QCOMPARE(enter.at(0).at(0).value<TarnPushButton *>(), &button);
    QVERIFY(button.isChecked());
    QCOMPARE(clicked.count(), 0);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), 1);
    QVERIFY(button.isChecked()); // the release does not toggle again
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!button.isChecked());
    QCOMPARE(enter.count(), 2);
    // Right button: no toggle, no signal.
    QTest::mousePress(&button, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&button, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(enter.count(), 2);
    QVERIFY(!button.isChecked());
}

void TstTarnButtons::selectedKeepsHighlightAfterLeave_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QColor>("afterLeave");
    QTest::newRow("not selected") << false << 0 << kNormal;
    QTest::newRow("selected") << true << 0 << kHover;
    QTest::newRow("selected, pressed once (unchecked)") << true << 1 << kNormal;
    QTest::newRow("selected, pressed twice") << true << 2 << kHover;
}

void TstTarnButtons::selectedKeepsHighlightAfterLeave()
{
    QFETCH(bool, selected);
    QFETCH(int, presses);
    QFETCH(QColor, afterLeave);
    TarnPushButton button({"/skin/n.png", "/skin/h.png", "/skin/p.png"});
    button.resize(40, 20);
    button.setSelected(selected);
    QCOMPARE(button.isSelected(), selected);
    sendEnter(&button);
    for (int i = 0; i < presses; ++i)
        QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    sendLeave(&button);
    QCOMPARE(pixelOf(&button, 3, 3), afterLeave);
}

void TstTarnButtons::disabledIgnoresMouse()
{
    TarnPushButton button({"/skin/n.png", "/skin/h.png", "/skin/p.png"});
    button.resize(40, 20);
    button.setEnabled(false);
    QSignalSpy enter(&button, SIGNAL(EnterSignal(TarnPushButton *)));
    QSignalSpy over(&button, SIGNAL(OverSignal(TarnPushButton *, bool)));
    sendEnter(&button);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
    sendLeave(&button);
    QCOMPARE(enter.count(), 0);
    QCOMPARE(over.count(), 0);
    QVERIFY(!button.isChecked());
    QCOMPARE(pixelOf(&button, 3, 3), kNormal);
    QCOMPARE(button.currentTextColor(), QColor(100, 100, 100));
}

void TstTarnButtons::textColours()
{
    TarnPushButton button({"/skin/n.png", "/skin/h.png", "/skin/p.png"});
    button.resize(40, 20);
    QCOMPARE(button.currentTextColor(), QColor(200, 200, 200));
    sendEnter(&button);
    QCOMPARE(button.currentTextColor(), QColor(225, 225, 225));
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(button.currentTextColor(), QColor(255, 255, 255));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
    sendLeave(&button);
    QCOMPARE(button.currentTextColor(), QColor(200, 200, 200));
}

void TstTarnButtons::moreThanThreeImagesUseFirstThree()
{
    TarnPushButton button({"/skin/n.png", "/skin/h.png", "/skin/p.png", "/skin/n.png"});
    button.resize(40, 20);
    QCOMPARE(button.imageCount(), 3);
    sendEnter(&button);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(pixelOf(&button, 3, 3), kPressed);
}

void TstTarnButtons::missingImageDrawsNothing()
{
    QWidget backdrop;
    backdrop.setStyleSheet(QStringLiteral("background:rgb(10,20,30)"));
    backdrop.resize(40, 20);
    auto *button = new TarnPushButton({"/skin/absent.png"}, QString(), &backdrop);
    button->resize(40, 20);
    QCOMPARE(button->imageCount(), 1);
    QCOMPARE(backdrop.grab().toImage().pixelColor(3, 3), QColor(10, 20, 30));
}

void TstTarnButtons::buttonUsesLanguageFont()
{
    TarnPushButton button({"/skin/n.png"});
    QCOMPARE(button.font().family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(button.font().pixelSize(), 16); // 13 x 1.25, truncated
}

void TstTarnButtons::pressedLookEndsWhenMenuCloses()
{
    TarnPushButton button({"/skin/n.png", "/skin/h.png", "/skin/p.png"});
    button.resize(40, 20);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QMenu menu;
    menu.addAction(QStringLiteral("entry"));
    button.setMenu(&menu);
    QSignalSpy enter(&button, SIGNAL(EnterSignal(TarnPushButton *)));
    bool menuWasOpen = false;
    QTimer::singleShot(100, &menu, [&] {
        menuWasOpen = menu.isVisible();
        menu.close();
    });
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5)); // returns when the menu is closed
    QVERIFY(menuWasOpen);
    QCOMPARE(enter.count(), 1);
    QVERIFY(!button.isPressedDown());
    QVERIFY(button.currentImageIndex() != 2);
}

void TstTarnButtons::labelText_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("dpi") << 12000 << "12000";
    QTest::newRow("negative") << -35 << "-35";
}

void TstTarnButtons::labelText()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    TarnLabel label(QStringLiteral("before"));
    QCOMPARE(label.text(), QStringLiteral("before"));
    label.setText(value);
    QCOMPARE(label.text(), text);
    QCOMPARE(static_cast<QLabel &>(label).text(), text);
    QCOMPARE(label.font().pixelSize(), 16);
}

void TstTarnButtons::labelPressSignals()
{
    TarnLabel label(QStringLiteral("DPI"));
    label.resize(60, 20);
    QSignalSpy enter(&label, SIGNAL(EnterSignal(TarnLabel *)));
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(enter.count(), 1);
    QCOMPARE(enter.at(0).at(0).value<TarnLabel *>(), &label);
}

void TstTarnButtons::labelPaintsPaletteColour()
{
    TarnLabel label(QStringLiteral("\u2588\u2588\u2588\u2588"));
    label.setAlignment(Qt::AlignCenter);
    label.resize(120, 40);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, QColor(0, 255, 0));
    label.setPalette(palette);
    const QImage image = label.grab().toImage();
    bool found = false;
    for (int x = 0; x < image.width() && !found; ++x)
        found = image.pixelColor(x, image.height() / 2) == QColor(0, 255, 0);
    QVERIFY(found);
}

QTEST_MAIN(TstTarnButtons)
#include "tst_tarnbuttons.moc"
