// What screen readers and automation get of the widget kit: the role and
// states of each button kind, names, keys and accessible actions that do what
// a click does, the focus mark, the battery bar, rows and dialogs, the
// dialogs' keys, decorative pictures left out, and the reusable checker.

#include "AccessibilityCheck.h"
#include "TarnAccessible.h"
#include "TarnLabel.h"
#include "TarnListItem.h"
#include "TarnMessageBox.h"
#include "TarnPopBox.h"
#include "TarnProcessDialog.h"
#include "TarnProcessbar.h"
#include "TarnPushButton.h"
#include "TarnTreeItem.h"
#include "TarnUi.h"
#include "TestSkinDir.h"

#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include <memory>

using Kind = TarnPushButton::Kind;

namespace {
const QColor kImage(200, 0, 0);
const QColor kTheme(0, 0, 255); // colour id 2 of TestSkinDir

TarnPushButton *button(QWidget *parent, const QString &text, Kind kind = Kind::Command)
{
    auto *b = new TarnPushButton({"/skin/n.png"}, QString(), parent);
    b->setText(text);
    b->setKind(kind);
    return b;
}

// Every signal a click gives, in order.
void record(TarnPushButton *b, QStringList *log)
{
    QObject::connect(b, &QAbstractButton::toggled, [log](bool on) { *log << QStringLiteral("toggled %1").arg(on); });
    QObject::connect(b, &TarnPushButton::EnterSignal, [log] { *log << QStringLiteral("EnterSignal"); });
    QObject::connect(b, &QAbstractButton::pressed, [log] { *log << QStringLiteral("pressed"); });
    QObject::connect(b, &QAbstractButton::released, [log] { *log << QStringLiteral("released"); });
    QObject::connect(b, &QAbstractButton::clicked, [log] { *log << QStringLiteral("clicked"); });
}

QStringList g_kitWarnings;
void captureKitWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("TarnPushButton")))
        g_kitWarnings << message;
}

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}
} // namespace

class TstAccessibility : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestSkinDir> m_pDir;
    std::unique_ptr<TarnUi> m_pUi;

private slots:
    void init()
    {
        m_pDir = std::make_unique<TestSkinDir>();
        m_pDir->addImage(QStringLiteral("n.png"), kImage, 40, 20);
        m_pUi = std::make_unique<TarnUi>(m_pDir->dirs(), 1.0);
    }

    void cleanup()
    {
        m_pUi.reset();
        m_pDir.reset();
    }

    void buttonKinds_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QStringList>("actions");
        const QString press = QAccessibleActionInterface::pressAction();
        const QString focus = QAccessibleActionInterface::setFocusAction();
        QTest::newRow("command") << Kind::Command << QAccessible::Button << QStringList{press, focus};
        QTest::newRow("tab") << Kind::Tab << QAccessible::PageTab << QStringList{press, focus};
        QTest::newRow("toggle") << Kind::Toggle << QAccessible::CheckBox
                                << QStringList{press, QAccessibleActionInterface::toggleAction(), focus};
        QTest::newRow("menu button") << Kind::MenuButton << QAccessible::ButtonMenu
                                     << QStringList{press, QAccessibleActionInterface::showMenuAction(), focus};
    }

    void buttonKinds()
    {
        QFETCH(Kind, kind);
        QFETCH(QAccessible::Role, role);
        QFETCH(QStringList, actions);
        QWidget window;
        TarnPushButton *b = button(&window, QStringLiteral("DPI"), kind);
        QMenu menu;
        if (kind == Kind::MenuButton)
            b->setMenu(&menu);
        window.show();
        QAccessibleInterface *iface = accessible(b);
        QCOMPARE(iface->role(), role);
        QCOMPARE(iface->actionInterface()->actionNames(), actions);
        // The checked flag every press sets for drawing shows only on a toggle; a
        // tab is selected while its owner marks it, not while it is checked.
        b->setChecked(true);
        QCOMPARE(bool(iface->state().checked), kind == Kind::Toggle);
        QCOMPARE(bool(iface->state().checkable), kind == Kind::Toggle);
        QCOMPARE(bool(iface->state().selectable), kind == Kind::Tab);
        QVERIFY(!iface->state().selected);
        b->setSelected(true);
        QCOMPARE(bool(iface->state().selected), kind == Kind::Tab);
        if (kind == Kind::MenuButton) { // its own action opens the menu
            bool shown = false;
            connect(&menu, &QMenu::aboutToShow, &menu, [&] {
                shown = true;
                QTimer::singleShot(0, &menu, &QMenu::close);
            });
            iface->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
            QTRY_VERIFY(shown);
        }
    }

    void buttonNames()
    {
        QWidget window;
        TarnPushButton *text = button(&window, "&Load && Save");
        TarnPushButton *language = button(&window, "EN");
        language->setAccessibleName("Language");
        button(&window, QString())->setObjectName("closeButton");
        button(&window, "  ")->setObjectName("blankButton");
        g_kitWarnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(captureKitWarnings);
        window.show();
        for (TarnPushButton *b : window.findChildren<TarnPushButton *>())
            accessible(b)->text(QAccessible::Name);
        qInstallMessageHandler(previous);
        QCOMPARE(accessible(text)->text(QAccessible::Name), QStringLiteral("Load & Save"));
        QCOMPARE(accessible(language)->text(QAccessible::Name), QStringLiteral("Language"));
        // Without text or name: one warning each, when shown, naming the object.
        QCOMPARE(g_kitWarnings.size(), 2);
        QVERIFY2(g_kitWarnings.join(QString()).contains(QRegularExpression(QStringLiteral("closeButton.*blankButton"))),
                 qPrintable(g_kitWarnings.join(QLatin1Char('\n'))));
    }

    void pressLikeAClick_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("key"); // 0: the accessible action below
        QTest::addColumn<QString>("action");
        QTest::newRow("Space") << Kind::Command << int(Qt::Key_Space) << QString();
        QTest::newRow("Return") << Kind::Command << int(Qt::Key_Return) << QString();
        QTest::newRow("keypad Enter") << Kind::Command << int(Qt::Key_Enter) << QString();
        QTest::newRow("accessible Press") << Kind::Command << 0 << QAccessibleActionInterface::pressAction();
        QTest::newRow("accessible Toggle") << Kind::Toggle << 0 << QAccessibleActionInterface::toggleAction();
    }

    void pressLikeAClick()
    {
        QFETCH(Kind, kind);
        QFETCH(int, key);
        QFETCH(QString, action);
        QWidget window;
        TarnPushButton *reference = button(&window, QStringLiteral("Apply"), kind);
        TarnPushButton *b = button(&window, QStringLiteral("Apply"), kind);
        b->move(0, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList clicked, got;
        record(reference, &clicked);
        record(b, &got);
        QTest::mouseClick(reference, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!clicked.isEmpty());
        if (key) {
            b->setFocus(Qt::TabFocusReason);
            QTest::keyClick(b, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        } else {
            accessible(b)->actionInterface()->doAction(action);
            // The click runs once the tool's call has returned.
            QVERIFY(got.isEmpty());
            QCoreApplication::processEvents();
        }
        QCOMPARE(got, clicked);
    }

    void focusMark_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("markWidth");
        QTest::newRow("scale 1.0: 1 px") << 1.0 << 1;
        QTest::newRow("scale 1.5: 2 px") << 1.5 << 2;
    }

    void focusMark()
    {
        QFETCH(double, scale);
        QFETCH(int, markWidth);
        m_pUi->setScale(scale);
        QWidget window;
        auto *edit = new QLineEdit(&window);
        TarnPushButton *first = button(&window, "First");
        TarnPushButton *second = button(&window, "Second");
        first->setGeometry(0, 30, 60, 24);
        second->setGeometry(0, 60, 60, 24);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus(Qt::OtherFocusReason);
        // A click leaves the focus where the user types; Tab reaches the button
        // and marks it, and only it.
        QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), first);
        const QImage marked = first->grab().toImage();
        const int midY = marked.height() / 2;
        const int midX = marked.width() / 2;
        for (int i = 0; i < markWidth; ++i) {
            QCOMPARE(marked.pixelColor(i, midY), kTheme);
            QCOMPARE(marked.pixelColor(marked.width() - 1 - i, midY), kTheme);
            QCOMPARE(marked.pixelColor(midX, i), kTheme);
            QCOMPARE(marked.pixelColor(midX, marked.height() - 1 - i), kTheme);
        }
        QCOMPARE(marked.pixelColor(markWidth, midY), kImage);
        QCOMPARE(pixelOf(second, 0, midY), kImage);
    }

    void barRowsAndDialogs()
    {
        // The battery bar says what it shows, as its description too (AT-SPI
        // carries no value text) unless it has a description of its own.
        TarnProcessbar bar;
        bar.setValue(57);
        QAccessibleInterface *iface = accessible(&bar);
        QCOMPARE(iface->valueInterface()->currentValue().toInt(), 57);
        QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("57%"));
        bar.setFormat(QStringLiteral("MOUSE OFF"));
        QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("MOUSE OFF"));
        bar.setAccessibleDescription(QStringLiteral("Charge"));
        QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Charge"));

        // Rows are named by their text, a message box without a title by its
        // heading; only the progress dialog is busy.
        TarnListItem listRow("Macro 1");
        TarnTreeItem treeRow("Left button");
        TarnMessageBox box(4, QString(), "Dongle Disconnect!", "Plug the receiver in.");
        TarnPopBox nameBox("Macro name");
        TarnProcessDialog progress;
        const std::vector<std::tuple<QWidget *, QAccessible::Role, QString>> pieces{
            {&bar, QAccessible::ProgressBar, QString()},      {&listRow, QAccessible::ListItem, "Macro 1"},
            {&treeRow, QAccessible::TreeItem, "Left button"}, {&box, QAccessible::AlertMessage, "Dongle Disconnect!"},
            {&nameBox, QAccessible::Dialog, "Macro name"},    {&progress, QAccessible::Dialog, "Please wait"}};
        for (const auto &[widget, role, name] : pieces) {
            QCOMPARE(accessible(widget)->role(), role);
            QCOMPARE(accessible(widget)->text(QAccessible::Name), name);
            QCOMPARE(bool(accessible(widget)->state().busy), widget == &progress);
        }
        QCOMPARE(accessible(&box)->text(QAccessible::Description), QStringLiteral("Plug the receiver in."));
    }

    void dialogKeys_data()
    {
        QTest::addColumn<bool>("question"); // else the name box, the focus in its edit
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("result");
        QTest::newRow("Tab, Return on the focused No") << true << QList<int>{Qt::Key_Tab, Qt::Key_Return} << 0;
        QTest::newRow("Escape") << true << QList<int>{Qt::Key_Escape} << 0;
        QTest::newRow("keypad Enter in the edit: the default Yes") << false << QList<int>{Qt::Key_Enter} << 1;
    }

    void dialogKeys()
    {
        QFETCH(bool, question);
        QFETCH(QList<int>, keys);
        QFETCH(int, result);
        std::unique_ptr<QDialog> box;
        if (question)
            box = std::make_unique<TarnMessageBox>(1, QString(), "Reset", "Reset all?");
        else
            box = std::make_unique<TarnPopBox>("Macro name");
        box->show();
        QVERIFY(QTest::qWaitForWindowActive(box.get()));
        for (int key : keys) {
            QVERIFY(box->focusWidget());
            QTest::keyClick(box->focusWidget(), Qt::Key(key),
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        }
        QVERIFY(!box->isVisible());
        QCOMPARE(box->result(), result); // 1 accepted, 0 rejected
    }

    void decorativeLeftOut_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QAccessible::Role>("parentRole");
        QTest::newRow("plain widget") << "widget" << QAccessible::Client;
        QTest::newRow("frame") << "frame" << QAccessible::Border;
        QTest::newRow("dialog") << "dialog" << QAccessible::Dialog;
        QTest::newRow("message box icon") << "message box" << QAccessible::AlertMessage;
    }

    void decorativeLeftOut()
    {
        QFETCH(QString, parent);
        QFETCH(QAccessible::Role, parentRole);
        std::unique_ptr<QWidget> window;
        QLabel *picture = nullptr;
        if (parent == QLatin1String("message box")) {
            window = std::make_unique<TarnMessageBox>(2, QString(), "Warning", "text");
            picture = window->findChild<QLabel *>("msgBoxIcon");
        } else {
            window.reset(parent == QLatin1String("frame")    ? new QFrame
                         : parent == QLatin1String("dialog") ? new QDialog
                                                             : new QWidget);
            new TarnLabel(QStringLiteral("before"), window.get());
            picture = new QLabel(window.get());
            button(window.get(), QStringLiteral("after"));
            // An interface made before the mark is replaced: Qt's would be listed.
            QVERIFY(accessible(picture));
            tarnMarkDecorative(picture);
        }
        window->show();
        QAccessibleInterface *iface = accessible(window.get());
        QCOMPARE(iface->role(), parentRole);
        QVERIFY(picture && iface->childCount() >= 2);
        for (int i = 0; i < iface->childCount(); ++i) {
            QVERIFY(iface->child(i)->object() != picture);
            QCOMPARE(iface->indexOfChild(iface->child(i)), i);
        }
        QCOMPARE(iface->indexOfChild(accessible(picture)), -1);
        QVERIFY(accessible(picture)->state().invisible);
    }

    void checker()
    {
        QWidget panel;
        button(&panel, QStringLiteral("Apply"));
        button(&panel, QStringLiteral("Sniper"), Kind::Toggle);
        TarnPushButton *close = button(&panel, QString());
        close->setObjectName(QStringLiteral("closeButton"));
        close->setAccessibleName(QStringLiteral("Close"));
        button(&panel, QString())->setHidden(true); // out of reach: not asked about
        auto *bar = new TarnProcessbar(&panel);
        bar->setObjectName(QStringLiteral("batteryBar"));
        bar->setAccessibleName(QStringLiteral("Battery"));
        panel.show();
        QVERIFY_ACCESSIBLE(&panel);

        // Both kinds of fault: controls without a name (one with actions, one
        // with only a value) and, one level down, a command as a check box.
        close->setAccessibleName(QString());
        bar->setAccessibleName(QString());
        auto *apply = new QPushButton(QStringLiteral("Apply"), new QWidget(&panel));
        apply->setObjectName(QStringLiteral("applyButton"));
        apply->setCheckable(true);
        apply->parentWidget()->show();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("closeButton")));
        QStringList faults; // "<fault>: <path> > <object> (<role> "<name>")" as "<fault> <object>"
        for (const QString &problem : accessibilityProblems(&panel))
            faults << problem.section(": ", 0, 0) + ' ' + problem.section(" > ", -1).section(' ', 0, 0);
        QCOMPARE(faults, (QStringList{"no name closeButton", "no name batteryBar",
                                      "command reported as a check box applyButton"}));
    }
};

QTEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
