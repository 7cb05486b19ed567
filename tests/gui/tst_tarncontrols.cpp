// Slider tip and MouseChange, the action tree's hover/press states, the
// editable list row, the profile menu row and the language font of the
// remaining kit members.

#include "TarnAction.h"
#include "TarnLabel.h"
#include "TarnLineEdit.h"
#include "TarnListItem.h"
#include "TarnProcessbar.h"
#include "TarnProfileMenuItem.h"
#include "TarnSlider.h"
#include "TarnTreeItem.h"
#include "TarnTreeWidget.h"
#include "TarnUi.h"
#include "TestSkinDir.h"

#include <QLabel>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>

namespace {
QPoint handleCentre(TarnSlider &slider)
{
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.upsideDown = false;
    return slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider).center();
}

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

const char *const kRows[] = {"LEFT CLICK", "MIDDLE CLICK", "RIGHT CLICK", "FORWARD",  "BACKWARD",
                             "MOVE LEFT",  "MOVE RIGHT",   "MOVE UP",     "MOVE DOWN"};
} // namespace

class TstTarnControls : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void sliderTipFollowsDrag_data();
    void sliderTipFollowsDrag();
    void sliderReleaseWithoutTip();

    void treeStates_data();
    void treeStates();
    void treeChildStates();
    void treeLeaveClearsAll();
    void treeItemSignals();

    void listItemEditing();
    void lineEditReportsFocusLoss();
    void profileMenuItemReportsPress();
    void fontsOfTextWidgets();

private:
    void buildTree(TarnTreeWidget &tree);

    TestSkinDir *m_pDir = nullptr;
    TarnUi *m_pUi = nullptr;
};

void TstTarnControls::init()
{
    TestSkinOptions options;
    options.fontSize = 10;
    m_pDir = new TestSkinDir(options);
    m_pUi = new TarnUi(m_pDir->dirs(), 1.5);
}

void TstTarnControls::cleanup()
{
    delete m_pUi;
    m_pUi = nullptr;
    delete m_pDir;
    m_pDir = nullptr;
}

void TstTarnControls::sliderTipFollowsDrag_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("start");
    QTest::newRow("pointer speed 1..20") << 1 << 20 << 10;
    QTest::newRow("brightness 1..3") << 1 << 3 << 1;
    QTest::newRow("sleep 1..9 at the top") << 1 << 9 << 9;
}

void TstTarnControls::sliderTipFollowsDrag()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, start);
    TarnSlider slider(Qt::Horizontal);
    slider.setRange(minimum, maximum);
    slider.setValue(start);
    slider.resize(300, 24);
    slider.setValueTipEnabled(true);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    QSignalSpy mouseChange(&slider, SIGNAL(MouseChange()));

    QVERIFY(!slider.isValueTipShown());
    const QPoint grip = handleCentre(slider);
    QTest::mousePress(&slider, Qt::LeftButton, {}, grip);
    QVERIFY(slider.isValueTipShown());
    QCOMPARE(slider.valueTip()->text(), QString::number(start));
    QCOMPARE(mouseChange.count(), 0);

    // Drag to the far end opposite the start.
    const QPoint target = start == maximum ? QPoint(0, grip.y()) : QPoint(slider.width() - 1, grip.y());
    sendMouse(&slider, QEvent::MouseMove, target, Qt::NoButton, Qt::LeftButton);
    const int expected = start == maximum ? minimum : maximum;
    QCOMPARE(slider.value(), expected);
    QVERIFY(slider.isValueTipShown());
    QCOMPARE(slider.valueTip()->text(), QString::number(expected));

    QTest::mouseRelease(&slider, Qt::LeftButton, {}, target);
    QCOMPARE(mouseChange.count(), 1);
    QVERIFY(!slider.isValueTipShown());

    // A value set by the program shows no tip.
    slider.setValue(minimum + 1);
    QVERIFY(!slider.isValueTipShown());
}

void TstTarnControls::sliderReleaseWithoutTip()
{
    TarnSlider slider(Qt::Horizontal);
    slider.setRange(1, 20);
    slider.resize(200, 24);
    QSignalSpy mouseChange(&slider, SIGNAL(MouseChange()));
    QTest::mouseClick(&slider, Qt::LeftButton, {}, handleCentre(slider));
    QCOMPARE(mouseChange.count(), 1);
    QVERIFY(slider.valueTip() == nullptr);
    QVERIFY(!slider.isValueTipShown());
}

void TstTarnControls::buildTree(TarnTreeWidget &tree)
{
    tree.setHeaderHidden(true);
    tree.setColumnCount(1);
    tree.resize(200, 400);
    for (const char *name : kRows) {
        auto *top = new QTreeWidgetItem(&tree);
        auto *press = new QTreeWidgetItem(top);
        auto *release = new QTreeWidgetItem(top);
        tree.setItemWidget(top, 0, new TarnTreeItem(QString::fromLatin1(name)));
        tree.setItemWidget(press, 0, new TarnTreeItem(QStringLiteral("PRESS DOWN")));
        tree.setItemWidget(release, 0, new TarnTreeItem(QStringLiteral("BOUNCE UP")));
    }
    // A tenth row is beyond the tracked ones and must be harmless.
    new QTreeWidgetItem(&tree, QStringList{QStringLiteral("extra")});
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
}

void TstTarnControls::treeStates_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("first") << 0;
    QTest::newRow("middle") << 4;
    QTest::newRow("last tracked") << 8;
}

void TstTarnControls::treeStates()
{
    QFETCH(int, row);
    TarnTreeWidget tree;
    buildTree(tree);
    QTreeWidgetItem *item = tree.topLevelItem(row);
    auto *rowWidget = qobject_cast<TarnTreeItem *>(tree.itemWidget(item, 0));
    QVERIFY(rowWidget);
    const QPoint at = tree.visualItemRect(item).center();
    QWidget *viewport = tree.viewport();

    sendMouse(viewport, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    for (int i = 0; i < TarnTreeWidget::kTopLevelRows; ++i)
        QCOMPARE(tree.topLevelState(i), i == row ? 1 : 0);
    QCOMPARE(rowWidget->state(), 1);

    sendMouse(viewport, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(tree.topLevelState(row), 2);
    QCOMPARE(rowWidget->state(), 2);

    sendMouse(viewport, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(tree.topLevelState(row), 1);

    // Moving to another row moves the mark.
    const int other = row == 0 ? 1 : 0;
    sendMouse(viewport, QEvent::MouseMove, tree.visualItemRect(tree.topLevelItem(other)).center(), Qt::NoButton,
              Qt::NoButton);
    QCOMPARE(tree.topLevelState(row), 0);
    QCOMPARE(rowWidget->state(), 0);
    QCOMPARE(tree.topLevelState(other), 1);

    // The untracked tenth row clears everything and breaks nothing.
    sendMouse(viewport, QEvent::MouseMove, tree.visualItemRect(tree.topLevelItem(9)).center(), Qt::NoButton,
              Qt::NoButton);
    for (int i = 0; i < TarnTreeWidget::kTopLevelRows; ++i)
        QCOMPARE(tree.topLevelState(i), 0);
    QCOMPARE(tree.topLevelState(9), 0);
    QCOMPARE(tree.topLevelState(-1), 0);
}

void TstTarnControls::treeChildStates()
{
    TarnTreeWidget tree;
    buildTree(tree);
    QTreeWidgetItem *top = tree.topLevelItem(2);
    top->setExpanded(true);
    // A second entry opened by its expander: its rows must not mirror entry 2's.
    QTreeWidgetItem *otherTop = tree.topLevelItem(0);
    otherTop->setExpanded(true);
    QWidget *viewport = tree.viewport();
    for (int c = 0; c < TarnTreeWidget::kChildRows; ++c) {
        const QPoint at = tree.visualItemRect(top->child(c)).center();
        sendMouse(viewport, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        QCOMPARE(tree.childState(c), 1);
        QCOMPARE(tree.childState(1 - c), 0);
        QCOMPARE(tree.topLevelState(2), 0);
        auto *mirror = qobject_cast<TarnTreeItem *>(tree.itemWidget(otherTop->child(c), 0));
        QVERIFY(mirror);
        QCOMPARE(mirror->state(), 0);
        sendMouse(viewport, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(tree.childState(c), 2);
        auto *child = qobject_cast<TarnTreeItem *>(tree.itemWidget(top->child(c), 0));
        QVERIFY(child);
        QCOMPARE(child->state(), 2);
        // Dragging with the button held keeps the pressed look on the row under it.
        sendMouse(viewport, QEvent::MouseMove, at + QPoint(1, 0), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(tree.childState(c), 2);
        sendMouse(viewport, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(tree.childState(c), 1);
    }
}

void TstTarnControls::treeLeaveClearsAll()
{
    TarnTreeWidget tree;
    buildTree(tree);
    const QPoint at = tree.visualItemRect(tree.topLevelItem(3)).center();
    sendMouse(tree.viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(tree.topLevelState(3), 2);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&tree, &leave);
    for (int i = 0; i < TarnTreeWidget::kTopLevelRows; ++i)
        QCOMPARE(tree.topLevelState(i), 0);
    auto *rowWidget = qobject_cast<TarnTreeItem *>(tree.itemWidget(tree.topLevelItem(3), 0));
    QCOMPARE(rowWidget->state(), 0);
}

void TstTarnControls::treeItemSignals()
{
    TarnTreeItem item(QStringLiteral("LEFT CLICK"));
    QCOMPARE(item.size(), QSize(222, 36)); // 148 x 24 at 1.5
    QSignalSpy in(&item, SIGNAL(MouseInSignal()));
    QSignalSpy pressed(&item, SIGNAL(TarnMousePressed()));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&item, &enter);
    QCOMPARE(in.count(), 1);
    QTest::mousePress(&item, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(pressed.count(), 1);
    // A press on the text label reaches the row too, and counts once.
    item.show();
    QVERIFY(QTest::qWaitForWindowExposed(&item));
    auto *label = item.findChild<TarnLabel *>();
    QVERIFY(label);
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(pressed.count(), 2);
    QTest::mousePress(&item, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(pressed.count(), 3);
    item.setState(7);
    QCOMPARE(item.state(), 0);
    // The hover gradient starts in the theme colour (blue, theme 2).
    item.setState(1);
    const QColor left = pixelOf(&item, 0, item.height() - 1);
    QVERIFY2(left.blue() > left.red() + 80 && left.blue() > left.green() + 80, qPrintable(left.name()));
}

void TstTarnControls::listItemEditing()
{
    TarnListItem item(QStringLiteral("macro_1"));
    item.show();
    QVERIFY(QTest::qWaitForWindowExposed(&item));
    QVERIFY(!item.isEditing());
    QCOMPARE(item.lineEdit()->styleSheet(), QStringLiteral("color:black"));
    QTest::keyClicks(item.lineEdit(), QStringLiteral("zz"));
    QCOMPARE(item.text(), QStringLiteral("macro_1")); // read-only until editing starts
    item.startEdit();
    QVERIFY(item.isEditing());
    QTest::keyClick(item.lineEdit(), Qt::Key_End);
    QTest::keyClicks(item.lineEdit(), QStringLiteral("b"));
    QTest::keyClick(item.lineEdit(), Qt::Key_Return);
    QVERIFY(!item.isEditing());
    QCOMPARE(item.text(), QStringLiteral("macro_1b"));
}

void TstTarnControls::lineEditReportsFocusLoss()
{
    QWidget window;
    auto *edit = new TarnLineEdit(&window);
    auto *other = new TarnLineEdit(&window);
    other->move(0, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy lost(edit, SIGNAL(tarnLostFocus()));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QCOMPARE(lost.count(), 0);
    other->setFocus();
    QTRY_COMPARE(lost.count(), 1);
}

void TstTarnControls::profileMenuItemReportsPress()
{
    TarnProfileMenuItem item(QStringLiteral("Profile 3"), true);
    QCOMPARE(item.name(), QStringLiteral("Profile 3"));
    QVERIFY(item.isChecked());
    QCOMPARE(item.size(), QSize(228, 36));
    QSignalSpy check(&item, SIGNAL(CheckBtnSignal(QWidget *)));
    QTest::mousePress(&item, Qt::LeftButton, {}, QPoint(item.width() / 2, item.height() / 2));
    QCOMPARE(check.count(), 1);
    QCOMPARE(check.at(0).at(0).value<QWidget *>(), static_cast<QWidget *>(&item));
    item.setChecked(false);
    QVERIFY(!item.isChecked());
}

void TstTarnControls::fontsOfTextWidgets()
{
    TarnAction action(QStringLiteral("Left"));
    QCOMPARE(action.font().pixelSize(), 15); // 10 x 1.5
    QCOMPARE(action.font().family(), QStringLiteral("DejaVu Sans"));
    TarnProcessbar bar;
    QCOMPARE(bar.font().pixelSize(), 15);
    // After the scale changes the widgets take the new size when asked.
    m_pUi->setScale(1.25);
    action.refreshFont();
    bar.refreshFont();
    QCOMPARE(action.font().pixelSize(), 12);
    QCOMPARE(bar.font().pixelSize(), 12);
}

QTEST_MAIN(TstTarnControls)
#include "tst_tarncontrols.moc"
