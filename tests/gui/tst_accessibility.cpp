// What screen readers and automation get of the widget kit: the role, states
// and actions of each button kind, names, keyboard and accessible presses that
// do what a click does, the focus mark, the roles of the other pieces, the
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
#include "TarnSlider.h"
#include "TarnTreeItem.h"
#include "TarnUi.h"
#include "TestSkinDir.h"

#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

using Kind = TarnPushButton::Kind;

namespace {
const QColor kImage(200, 0, 0);
const QColor kTheme(0, 0, 255); // colour id 2 of TestSkinDir

// Every signal a click gives, in order.
void record(TarnPushButton *button, QStringList *log)
{
    QObject::connect(button, &QAbstractButton::toggled,
                     [log](bool on) { *log << QStringLiteral("toggled %1").arg(on); });
    QObject::connect(button, &TarnPushButton::EnterSignal, [log] { *log << QStringLiteral("EnterSignal"); });
    QObject::connect(button, &QAbstractButton::pressed, [log] { *log << QStringLiteral("pressed"); });
    QObject::connect(button, &QAbstractButton::released, [log] { *log << QStringLiteral("released"); });
    QObject::connect(button, &QAbstractButton::clicked, [log] { *log << QStringLiteral("clicked"); });
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
private slots:
    void init();
    void cleanup();

    void buttonKinds_data();
    void buttonKinds();
    void buttonNames_data();
    void buttonNames();
    void pressLikeAClick_data();
    void pressLikeAClick();
    void menuButtonOpensMenu();
    void tabFocusAndMark_data();
    void tabFocusAndMark();
    void pieceRoles_data();
    void pieceRoles();
    void dialogKeys_data();
    void dialogKeys();
    void decorativeLeftOut_data();
    void decorativeLeftOut();
    void checkerFindsFaults_data();
    void checkerFindsFaults();
    void composedPanelPassesChecker();

private:
    std::unique_ptr<TestSkinDir> m_pDir;
    std::unique_ptr<TarnUi> m_pUi;
};

void TstAccessibility::init()
{
    m_pDir = std::make_unique<TestSkinDir>();
    m_pDir->addImage(QStringLiteral("n.png"), kImage, 40, 20);
    m_pUi = std::make_unique<TarnUi>(m_pDir->dirs(), 1.0);
}

void TstAccessibility::cleanup()
{
    m_pUi.reset();
    m_pDir.reset();
}

void TstAccessibility::buttonKinds_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QStringList>("actions");
    const QString press = QAccessibleActionInterface::pressAction();
    const QString focus = QAccessibleActionInterface::setFocusAction();
    QTest::newRow("command (the default)") << Kind::Command << QAccessible::Button << QStringList{press, focus};
    QTest::newRow("tab") << Kind::Tab << QAccessible::PageTab << QStringList{press, focus};
    QTest::newRow("toggle") << Kind::Toggle << QAccessible::CheckBox
                            << QStringList{press, QAccessibleActionInterface::toggleAction(), focus};
    QTest::newRow("menu button") << Kind::MenuButton << QAccessible::ButtonMenu
                                 << QStringList{press, QAccessibleActionInterface::showMenuAction(), focus};
}

void TstAccessibility::buttonKinds()
{
    QFETCH(Kind, kind);
    QFETCH(QAccessible::Role, role);
    QFETCH(QStringList, actions);
    QWidget window;
    auto *button = new TarnPushButton({"/skin/n.png"}, QString(), &window);
    button->setText(QStringLiteral("DPI"));
    if (kind != Kind::Command)
        button->setKind(kind);
    QMenu menu;
    if (kind == Kind::MenuButton)
        button->setMenu(&menu);
    window.show();
    QAccessibleInterface *iface = accessible(button);
    QCOMPARE(button->kind(), kind);
    QCOMPARE(iface->role(), role);
    QCOMPARE(iface->actionInterface()->actionNames(), actions);

    // The checked flag a press sets for drawing shows only on a toggle.
    button->setChecked(true);
    QCOMPARE(iface->role(), role);
    QCOMPARE(bool(iface->state().checked), kind == Kind::Toggle);
    QCOMPARE(bool(iface->state().checkable), kind == Kind::Toggle);
    QCOMPARE(bool(iface->state().selectable), kind == Kind::Tab);
    QVERIFY(!iface->state().selected);
    // A tab is selected while its owner marks it.
    button->setSelected(true);
    QCOMPARE(bool(iface->state().selected), kind == Kind::Tab);
    button->setSelected(false);
    button->setChecked(true);
    QVERIFY(!iface->state().selected);
}

void TstAccessibility::buttonNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("warnings");
    QTest::newRow("visible text") << "Reset All"
                                  << ""
                                  << "Reset All" << 0;
    QTest::newRow("mnemonic marks removed") << "&Load && Save"
                                            << ""
                                            << "Load & Save" << 0;
    QTest::newRow("accessible name over text") << "EN"
                                               << "Language"
                                               << "Language" << 0;
    QTest::newRow("image only, named") << ""
                                       << "Close"
                                       << "Close" << 0;
    QTest::newRow("image only, unnamed: one warning") << ""
                                                      << ""
                                                      << "" << 1;
    QTest::newRow("blank text counts as none") << "  "
                                               << ""
                                               << "  " << 1;
}

void TstAccessibility::buttonNames()
{
    QFETCH(QString, text);
    QFETCH(QString, accessibleName);
    QFETCH(QString, name);
    QFETCH(int, warnings);
    QWidget window;
    auto *button = new TarnPushButton({"/skin/n.png"}, QString(), &window);
    button->setObjectName(QStringLiteral("closeButton"));
    button->setText(text);
    button->setAccessibleName(accessibleName);
    g_kitWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureKitWarnings);
    window.show();
    const QString first = accessible(button)->text(QAccessible::Name);
    const QString second = accessible(button)->text(QAccessible::Name);
    qInstallMessageHandler(previous);
    QCOMPARE(first, name);
    QCOMPARE(second, name);
    QCOMPARE(g_kitWarnings.size(), warnings);
    if (warnings)
        QVERIFY2(g_kitWarnings.first().contains(QLatin1String("\"closeButton\"")), qPrintable(g_kitWarnings.first()));
}

void TstAccessibility::pressLikeAClick_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("key"); // 0: the accessible action below
    QTest::addColumn<QString>("action");
    const QString press = QAccessibleActionInterface::pressAction();
    QTest::newRow("Space") << Kind::Command << true << int(Qt::Key_Space) << QString();
    QTest::newRow("Return") << Kind::Command << true << int(Qt::Key_Return) << QString();
    QTest::newRow("keypad Enter") << Kind::Command << true << int(Qt::Key_Enter) << QString();
    QTest::newRow("Space on a toggle") << Kind::Toggle << true << int(Qt::Key_Space) << QString();
    QTest::newRow("accessible Press") << Kind::Command << true << 0 << press;
    QTest::newRow("accessible Toggle") << Kind::Toggle << true << 0 << QAccessibleActionInterface::toggleAction();
    QTest::newRow("accessible Press, disabled") << Kind::Command << false << 0 << press;
}

void TstAccessibility::pressLikeAClick()
{
    QFETCH(Kind, kind);
    QFETCH(bool, enabled);
    QFETCH(int, key);
    QFETCH(QString, action);
    QWidget window;
    auto *reference = new TarnPushButton({"/skin/n.png"}, QString(), &window);
    auto *button = new TarnPushButton({"/skin/n.png"}, QString(), &window);
    for (TarnPushButton *b : {reference, button}) {
        b->setText(QStringLiteral("Apply"));
        b->setKind(kind);
        b->setEnabled(enabled);
    }
    button->move(0, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList clicked;
    QStringList got;
    record(reference, &clicked);
    record(button, &got);
    QTest::mouseClick(reference, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.isEmpty(), !enabled);

    if (key) {
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    } else {
        accessible(button)->actionInterface()->doAction(action);
        // The click runs once the tool's call has returned.
        QVERIFY(got.isEmpty());
        QCoreApplication::processEvents();
    }
    QCOMPARE(got, clicked);
    QCOMPARE(button->isChecked(), reference->isChecked());
}

void TstAccessibility::menuButtonOpensMenu()
{
    QWidget window;
    auto *button = new TarnPushButton({"/skin/n.png"}, QString(), &window);
    button->setText(QStringLiteral("English"));
    button->setKind(Kind::MenuButton);
    QMenu menu;
    menu.addAction(QStringLiteral("Deutsch"));
    button->setMenu(&menu);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy enter(button, &TarnPushButton::EnterSignal);
    int opened = 0;
    auto closeWhenOpen = [&] {
        QTimer::singleShot(50, &menu, [&] {
            opened += menu.isVisible() ? 1 : 0;
            menu.close();
        });
    };
    closeWhenOpen();
    button->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button, Qt::Key_Space); // returns when the menu is closed
    closeWhenOpen();
    accessible(button)->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    QTRY_COMPARE(opened, 2);
    QCOMPARE(enter.count(), 2);
    QVERIFY(!button->isPressedDown());
}

void TstAccessibility::tabFocusAndMark_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("markWidth");
    QTest::newRow("scale 1.0: 1 px") << 1.0 << 1;
    QTest::newRow("scale 1.5: 2 px") << 1.5 << 2;
}

void TstAccessibility::tabFocusAndMark()
{
    QFETCH(double, scale);
    QFETCH(int, markWidth);
    m_pUi->setScale(scale);
    QWidget window;
    auto *edit = new QLineEdit(&window);
    auto *first = new TarnPushButton({"/skin/n.png"}, QString(), &window);
    auto *second = new TarnPushButton({"/skin/n.png"}, QString(), &window);
    first->setGeometry(0, 30, 60, 24);
    second->setGeometry(0, 60, 60, 24);
    first->setAccessibleName(QStringLiteral("First"));
    second->setAccessibleName(QStringLiteral("Second"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus(Qt::OtherFocusReason);
    // A click runs the button and leaves the focus where the user types.
    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(QApplication::focusWidget(), edit);

    QTest::keyClick(edit, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), first);
    QTest::keyClick(first, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), second);
    const QImage marked = second->grab().toImage();
    const int midY = marked.height() / 2;
    const int midX = marked.width() / 2;
    for (int i = 0; i < markWidth; ++i) {
        QCOMPARE(marked.pixelColor(i, midY), kTheme);
        QCOMPARE(marked.pixelColor(marked.width() - 1 - i, midY), kTheme);
        QCOMPARE(marked.pixelColor(midX, i), kTheme);
        QCOMPARE(marked.pixelColor(midX, marked.height() - 1 - i), kTheme);
    }
    QCOMPARE(marked.pixelColor(markWidth, midY), kImage);
    QCOMPARE(pixelOf(first, 0, midY), kImage);
    if (qEnvironmentVariableIsSet("MOUSECFG_A11Y_SHOTS"))
        marked.save(QStringLiteral("/tmp/focus-mark-%1.png").arg(scale));
}

void TstAccessibility::pieceRoles_data()
{
    // Sliders, trees and menus keep the roles Qt gives them.
    QTest::addColumn<QString>("piece");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("description");
    const QString mouseOff = QStringLiteral("MOUSE OFF");
    const QString message = QStringLiteral("Plug the receiver in.");
    QTest::newRow("battery at 57") << "%p%" << QAccessible::ProgressBar << "Battery"
                                   << "57%"
                                   << "57%";
    QTest::newRow("battery, MOUSE OFF") << mouseOff << QAccessible::ProgressBar << "Battery" << mouseOff << mouseOff;
    QTest::newRow("battery, own description") << "described" << QAccessible::ProgressBar << "Battery"
                                              << "57%"
                                              << "Charge";
    QTest::newRow("list row") << "list" << QAccessible::ListItem << "Macro 1"
                              << ""
                              << "";
    QTest::newRow("tree row") << "tree" << QAccessible::TreeItem << "Left button"
                              << ""
                              << "";
    QTest::newRow("message box, no title: the heading") << "box" << QAccessible::AlertMessage << "Dongle Disconnect!"
                                                        << "" << message;
    QTest::newRow("message box with a title") << "titled box" << QAccessible::AlertMessage << "mousecfg"
                                              << "" << message;
    QTest::newRow("name box") << "name box" << QAccessible::Dialog << "Macro name"
                              << ""
                              << "";
    QTest::newRow("progress dialog") << "progress" << QAccessible::Dialog << "Please wait"
                                     << ""
                                     << "";
}

void TstAccessibility::pieceRoles()
{
    QFETCH(QString, piece);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, description);
    std::unique_ptr<QWidget> widget;
    if (piece.endsWith(QLatin1String("box")) && piece != QLatin1String("name box")) {
        const QString title = piece == QLatin1String("titled box") ? name : QString();
        widget = std::make_unique<TarnMessageBox>(4, title, QStringLiteral("Dongle Disconnect!"), description);
    } else if (piece == QLatin1String("name box")) {
        widget = std::make_unique<TarnPopBox>(name);
    } else if (piece == QLatin1String("progress")) {
        widget = std::make_unique<TarnProcessDialog>();
    } else if (piece == QLatin1String("list")) {
        widget = std::make_unique<TarnListItem>(name);
    } else if (piece == QLatin1String("tree")) {
        widget = std::make_unique<TarnTreeItem>(name);
    } else {
        auto bar = std::make_unique<TarnProcessbar>();
        bar->setValue(57);
        bar->setAccessibleName(QStringLiteral("Battery"));
        bar->setTextVisible(piece == QLatin1String("%p%"));
        if (piece != QLatin1String("described"))
            bar->setFormat(piece);
        else
            bar->setAccessibleDescription(description);
        widget = std::move(bar);
    }
    widget->show();
    QAccessibleInterface *iface = accessible(widget.get());
    QCOMPARE(iface->role(), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Value), value);
    QCOMPARE(iface->text(QAccessible::Description), description);
    QCOMPARE(bool(iface->state().busy), piece == QLatin1String("progress"));
    if (role == QAccessible::AlertMessage || piece == QLatin1String("name box"))
        QCOMPARE(widget->windowTitle(), name);
    if (role == QAccessible::ProgressBar)
        QCOMPARE(iface->valueInterface()->currentValue().toInt(), 57);
}

void TstAccessibility::dialogKeys_data()
{
    QTest::addColumn<int>("kind"); // 0: the name box
    QTest::addColumn<int>("tabs");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("question, Enter: Yes") << 1 << 0 << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("question, Tab, Enter: No") << 1 << 1 << int(Qt::Key_Return) << int(QDialog::Rejected);
    QTest::newRow("question, Tab, Space: No") << 1 << 1 << int(Qt::Key_Space) << int(QDialog::Rejected);
    QTest::newRow("question, Tab twice, Enter: Yes") << 1 << 2 << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("question, Escape: No") << 1 << 0 << int(Qt::Key_Escape) << int(QDialog::Rejected);
    QTest::newRow("warning, keypad Enter: Ok") << 2 << 0 << int(Qt::Key_Enter) << int(QDialog::Accepted);
    QTest::newRow("name box, Enter in the edit: Yes") << 0 << 0 << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("name box, Tab twice, Enter: No") << 0 << 2 << int(Qt::Key_Return) << int(QDialog::Rejected);
}

void TstAccessibility::dialogKeys()
{
    QFETCH(int, kind);
    QFETCH(int, tabs);
    QFETCH(int, key);
    QFETCH(int, result);
    std::unique_ptr<QDialog> box;
    if (kind)
        box = std::make_unique<TarnMessageBox>(kind, QString(), QStringLiteral("Reset"), QStringLiteral("Reset all?"));
    else
        box = std::make_unique<TarnPopBox>(QStringLiteral("Macro name"));
    box->show();
    QVERIFY(QTest::qWaitForWindowActive(box.get()));
    QVERIFY(box->focusWidget());
    for (int i = 0; i < tabs; ++i)
        QTest::keyClick(box->focusWidget(), Qt::Key_Tab);
    if (tabs)
        QVERIFY(qobject_cast<QToolButton *>(box->focusWidget()));
    if (!kind && !tabs)
        QTest::keyClicks(box->focusWidget(), QStringLiteral("Macro 2"));
    QTest::keyClick(box->focusWidget(), Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QVERIFY(!box->isVisible());
    QCOMPARE(box->result(), result);
    if (!kind && !tabs)
        QCOMPARE(static_cast<TarnPopBox *>(box.get())->name(), QStringLiteral("Macro 2"));
}

void TstAccessibility::decorativeLeftOut_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QAccessible::Role>("parentRole");
    QTest::newRow("plain widget") << "widget" << QAccessible::Client;
    QTest::newRow("frame") << "frame" << QAccessible::Border;
    QTest::newRow("dialog") << "dialog" << QAccessible::Dialog;
    QTest::newRow("message box icon") << "message box" << QAccessible::AlertMessage;
}

void TstAccessibility::decorativeLeftOut()
{
    QFETCH(QString, parent);
    QFETCH(QAccessible::Role, parentRole);
    std::unique_ptr<QWidget> window;
    QLabel *picture = nullptr;
    if (parent == QLatin1String("message box")) {
        window = std::make_unique<TarnMessageBox>(2, QString(), QStringLiteral("Warning"), QStringLiteral("text"));
        picture = window->findChild<QLabel *>(QStringLiteral("msgBoxIcon"));
    } else {
        if (parent == QLatin1String("frame"))
            window = std::make_unique<QFrame>();
        else if (parent == QLatin1String("dialog"))
            window = std::make_unique<QDialog>();
        else
            window = std::make_unique<QWidget>();
        new TarnLabel(QStringLiteral("before"), window.get());
        picture = new QLabel(window.get());
        picture->setPixmap(QPixmap(QSize(8, 8)));
        new TarnPushButton(QStringList(), QString(), window.get());
        // An interface made before the mark is replaced: Qt's would say visible below.
        QVERIFY(accessible(picture));
        tarnMarkDecorative(picture);
    }
    QVERIFY(picture && tarnIsDecorative(picture));
    window->show();
    QAccessibleInterface *iface = accessible(window.get());
    QCOMPARE(iface->role(), parentRole);
    QVERIFY(iface->childCount() >= 2);
    for (int i = 0; i < iface->childCount(); ++i) {
        QVERIFY(iface->child(i)->object() != picture);
        QCOMPARE(iface->indexOfChild(iface->child(i)), i);
    }
    QCOMPARE(iface->indexOfChild(accessible(picture)), -1);
    QCOMPARE(accessible(picture)->role(), QAccessible::Graphic);
    QVERIFY(accessible(picture)->state().invisible);
}

void TstAccessibility::checkerFindsFaults_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("fault"); // empty: none
    QTest::addColumn<QString>("object");
    QTest::newRow("image-only button, unnamed") << "unnamed"
                                                << "no name"
                                                << "closeButton";
    QTest::newRow("image-only button, named") << "named"
                                              << ""
                                              << "";
    QTest::newRow("image-only button, unnamed, disabled") << "unnamed disabled"
                                                          << ""
                                                          << "";
    QTest::newRow("image-only button, unnamed, hidden") << "unnamed hidden"
                                                        << ""
                                                        << "";
    QTest::newRow("checkable push button") << "checkable"
                                           << "command reported as a check box"
                                           << "applyButton";
    QTest::newRow("slider, unnamed") << "slider"
                                     << "no name"
                                     << "speedSlider";
    QTest::newRow("progress bar, unnamed") << "bar"
                                           << "no name"
                                           << "batteryBar";
}

void TstAccessibility::checkerFindsFaults()
{
    QFETCH(QString, control);
    QFETCH(QString, fault);
    QFETCH(QString, object);
    QWidget window;
    auto *panel = new QWidget(&window); // the fault one level down
    panel->resize(200, 100);
    QWidget *widget = nullptr;
    if (control.startsWith(QLatin1String("unnamed")) || control == QLatin1String("named")) {
        widget = new TarnPushButton({"/skin/n.png"}, QString(), panel);
        widget->setObjectName(QStringLiteral("closeButton"));
        if (control == QLatin1String("named"))
            widget->setAccessibleName(QStringLiteral("Close"));
        widget->setEnabled(!control.endsWith(QLatin1String("disabled")));
        widget->setHidden(control.endsWith(QLatin1String("hidden")));
        if (!control.endsWith(QLatin1String("hidden")) && control != QLatin1String("named"))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("closeButton")));
    } else if (control == QLatin1String("checkable")) {
        auto *button = new QPushButton(QStringLiteral("Apply"), panel);
        button->setCheckable(true);
        widget = button;
        widget->setObjectName(QStringLiteral("applyButton"));
    } else if (control == QLatin1String("slider")) {
        widget = new TarnSlider(Qt::Horizontal, panel);
        widget->setObjectName(QStringLiteral("speedSlider"));
    } else {
        widget = new TarnProcessbar(panel);
        widget->setObjectName(QStringLiteral("batteryBar"));
    }
    window.show();
    const QStringList problems = accessibilityProblems(&window);
    QCOMPARE(problems.size(), fault.isEmpty() ? 0 : 1);
    if (!fault.isEmpty())
        QVERIFY2(problems.first().startsWith(fault + QStringLiteral(": ")) &&
                     problems.first().contains(QStringLiteral(" > %1 (").arg(object)),
                 qPrintable(problems.first()));
}

void TstAccessibility::composedPanelPassesChecker()
{
    QWidget panel;
    panel.resize(400, 300);
    auto button = [&](const QString &text, Kind kind) {
        auto *b = new TarnPushButton({"/skin/n.png"}, QString(), &panel);
        b->setText(text);
        b->setKind(kind);
        return b;
    };
    button(QStringLiteral("Apply"), Kind::Command);
    button(QStringLiteral("DPI"), Kind::Tab)->setSelected(true);
    button(QStringLiteral("Sniper"), Kind::Toggle);
    TarnPushButton *close = button(QString(), Kind::Command);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAccessibleName(QStringLiteral("Close"));
    auto *logo = new QLabel(&panel);
    logo->setPixmap(QPixmap(QSize(20, 10)));
    tarnMarkDecorative(logo);
    // A slider named by the label beside it.
    auto *caption = new TarnLabel(QStringLiteral("Speed"), &panel);
    auto *slider = new TarnSlider(Qt::Horizontal, &panel);
    caption->setBuddy(slider);
    for (const QString &format : {QStringLiteral("%p%"), QStringLiteral("MOUSE OFF")}) {
        auto *bar = new TarnProcessbar(&panel);
        bar->setValue(57);
        bar->setFormat(format);
        bar->setAccessibleName(QStringLiteral("Battery"));
    }
    panel.show();
    QVERIFY_ACCESSIBLE(&panel);
    QCOMPARE(accessible(slider)->text(QAccessible::Name), QStringLiteral("Speed"));
    // The walk reached the image-only button.
    close->setAccessibleName(QString());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("closeButton")));
    const QStringList problems = accessibilityProblems(&panel);
    QCOMPARE(problems.size(), 1);
    QVERIFY2(problems.first().startsWith(QLatin1String("no name: ")) &&
                 problems.first().contains(QLatin1String(" > closeButton (")),
             qPrintable(problems.first()));

    TarnMessageBox box(1, QString(), QStringLiteral("Reset"), QStringLiteral("Reset all settings?"));
    box.show();
    QVERIFY_ACCESSIBLE(&box);
}

QTEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
