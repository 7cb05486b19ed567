// The macro page: recording with its delays and limits, the rows a stored
// macro opens to and saves back, the row commands, the file commands with
// their name rules, the edit panels, the gun set, and pictures of each mode.

#include "AccessibilityCheck.h"
#include "AppDirCopy.h"
#include "ConfigFile.h"
#include "GunSet.h"
#include "MacroDialog.h"
#include "MacroRecorder.h"
#include "MouseSession.h"
#include "TarnGunsetDialog.h"
#include "TarnItemModel.h"
#include "TarnLabel.h"
#include "TarnPushButton.h"
#include "TarnTheme.h"
#include "TarnTreeWidget.h"
#include "TarnUi.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {
using Rows = std::vector<MacroAction>;

// "132,0,4; 6,0,10" -> rows
Rows rows(const QString &text)
{
    Rows out;
    for (const QString &row : text.split(';', Qt::SkipEmptyParts)) {
        const QStringList v = row.trimmed().split(',');
        out.push_back({std::uint8_t(v[0].toInt()), std::uint8_t(v[1].toInt()), std::uint8_t(v[2].toInt())});
    }
    return out;
}

QString text(const Rows &r)
{
    QStringList parts;
    for (const MacroAction &a : r)
        parts << QStringLiteral("%1,%2,%3").arg(a.map).arg(a.dataH).arg(a.dataL);
    return parts.join(QStringLiteral("; "));
}

// "1E d 0" = scan code (hex), d(own)/u(p), time; an optional fourth field gives the flags (hex).
RawKeyEvent keyEvent(const QString &text)
{
    const QStringList f = text.trimmed().split(' ');
    RawKeyEvent e;
    e.scanCode = f[0].toUInt(nullptr, 16);
    e.flags = f.size() > 3 ? f[3].toUInt(nullptr, 16) : (f[1] == QLatin1String("u") ? kKeyFlagUp : 0);
    e.timeMs = f[2].toLongLong();
    return e;
}

struct Fixture
{
    AppDirCopy dir;
    StorageDirs dirs = StorageDirs::fromAppDir(dir.path());
    TarnUi ui{dirs};
    MouseSession session{dirs};
    std::unique_ptr<MacroDialog> page;
    QStringList messages;

    void store(const QString &name, const Rows &actions, int delayType = 1, bool registered = true)
    {
        MacroRecord m;
        m.DelayType = delayType;
        m.DefaultDelay = 10;
        m.LoopTime = 1;
        m.actions = actions;
        saveMacro(dirs, name, m);
        if (registered)
            addMacroName(dirs, name);
    }
    MacroDialog &open()
    {
        page = std::make_unique<MacroDialog>(session);
        MacroDialog::Dialogs d;
        d.message = [this](QWidget *, const QString &, const QString &text) { messages << text; };
        page->setDialogs(d);
        return *page;
    }
    QString shown() const
    {
        Rows r;
        for (int i = 0; i < page->actionModel()->rowCount(); ++i) {
            const MacroRowValues v = page->actionModel()->shownAction(i);
            r.push_back({std::uint8_t(v.map), std::uint8_t(v.dataH), std::uint8_t(v.dataL)});
        }
        return text(r);
    }
    QString macroFile(const QString &name) const { return dirs.macroDir() + "/" + name + ".MSMACRO"; }
};
} // namespace

class TstMacroEditor : public QObject
{
    Q_OBJECT
private slots:
    void recorder_data();
    void recorder();
    void recordingLimits_data();
    void recordingLimits();
    void newMacroTakesFirstFreeName();
    void openAndSaveKeepStoredRows();
    void rowCommands_data();
    void rowCommands();
    void insertsStopAtTheLimit();
    void rename_data();
    void rename();
    void importAndExport();
    void recordingThroughThePage();
    void pauseIsElapsedTime();
    void editPanels();
    void validators_data();
    void validators();
    void gunSet();
    void pictures_data();
    void pictures();
};

void TstMacroEditor::recorder_data()
{
    QTest::addColumn<int>("delayType");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("expected");
    QTest::newRow("auto-repeat held A") << 1 << "1E d 0; 1E d 30; 1E d 60; 1E u 105"
                                        << "132,0,4; 6,0,10; 4,0,4";
    QTest::newRow("5 ms becomes 10 ms") << 1 << "1E d 0; 1E u 5"
                                        << "132,0,4; 6,0,1; 4,0,4";
    QTest::newRow("150 ms pause") << 1 << "1E d 7000; 1E u 7150"
                                  << "132,0,4; 6,0,15; 4,0,4";
    QTest::newRow("no delay before the first, default delay") << 2 << "1E d 900; 1E u 901"
                                                              << "132,0,4; 6,0,25; 4,0,4";
    QTest::newRow("delay type 0 records keys only") << 0 << "1E d 0; 1E u 400"
                                                    << "132,0,4; 4,0,4";
    QTest::newRow("keypad 7 against Home") << 0 << "47 d 0; 47 u 1; 47 d 2 1; 47 u 3 81"
                                           << "132,0,95; 4,0,95; 132,0,74; 4,0,74";
    QTest::newRow("injected key-down is a press") << 0 << "1E d 0 10; 1E u 1 90"
                                                  << "132,0,4; 4,0,4";
    QTest::newRow("pause over 655 s capped") << 1 << "1E d 0; 1E u 700000"
                                             << "132,0,4; 6,255,255; 4,0,4";
}

void TstMacroEditor::recorder()
{
    QFETCH(int, delayType);
    QFETCH(QString, events);
    QFETCH(QString, expected);
    MacroRecorder recorder;
    recorder.setDelay(delayType, 250);
    recorder.start();
    Rows table;
    for (const QString &event : events.split(';')) {
        const Rows added = recorder.record(keyEvent(event), int(table.size()));
        table.insert(table.end(), added.begin(), added.end());
    }
    QCOMPARE(text(table), expected);
    QVERIFY(recorder.heldKeys().empty());
}

void TstMacroEditor::recordingLimits_data()
{
    QTest::addColumn<int>("delayType");
    QTest::addColumn<int>("rowsBefore");
    QTest::addColumn<int>("rowsAdded");
    QTest::newRow("no delays: 40th event taken") << 0 << 39 << 1;
    QTest::newRow("no delays: 41st event ignored") << 0 << 40 << 0;
    QTest::newRow("delays: 61 rows grow to 63") << 1 << 61 << 2;
    QTest::newRow("delays: event at 62 rows ignored") << 2 << 62 << 0;
}

void TstMacroEditor::recordingLimits()
{
    QFETCH(int, delayType);
    QFETCH(int, rowsBefore);
    QFETCH(int, rowsAdded);
    MacroRecorder recorder;
    recorder.setDelay(delayType, 10);
    recorder.start();
    QCOMPARE(int(recorder.record(keyEvent("1E d 0"), 0).size()), 1);
    QCOMPARE(int(recorder.record(keyEvent("30 d 50"), rowsBefore).size()), rowsAdded);
}

void TstMacroEditor::newMacroTakesFirstFreeName()
{
    Fixture f;
    f.store("name_1", {}, 1, false);
    f.store("name_2", {}, 1, false);
    f.store("kept", rows("132,0,4"), 1);
    MacroDialog &page = f.open();
    page.loopRadio(2)->activate();
    page.runCommand(MacroDialog::CmdNew);
    QCOMPARE(page.currentMacro(), QString("name_3"));
    QCOMPARE(listMacroNames(f.dirs), QStringList({"kept", "name_3"}));
    QCOMPARE(page.actionModel()->rowCount(), 0);
    const MacroRecord saved = loadMacro(f.dirs, "name_3");
    QCOMPARE(saved.DefaultDelay, 10);
    QCOMPARE(saved.LoopTime, 1);
    QCOMPARE(saved.LoopType, 0);
    QCOMPARE(page.defaultDelayEdit()->text(), QString("10"));
    QVERIFY(!page.loopRadio(2)->isChecked());
}

void TstMacroEditor::openAndSaveKeepStoredRows()
{
    Fixture f;
    // Saved without delays, yet holding a delay, an unknown action, a move with
    // two steps and a key press with a stray high byte.
    const Rows stored = rows("132,0,4; 6,0,15; 4,0,4; 129,0,1; 1,0,1; 3,7,9; 2,5,5; 132,9,4");
    f.store("m", stored, 0);
    MacroDialog &page = f.open();
    QCOMPARE(f.shown(), QString("132,0,4; 0,0,0; 4,0,4; 129,0,1; 1,0,1; 0,0,0; 2,0,0; 132,0,4"));
    QVERIFY(page.actionModel()->isShownEmpty(1));
    QVERIFY(page.actionModel()->isShownEmpty(5));
    QCOMPARE(page.actionView()->currentIndex().row(), 7);

    clearWriteSign(f.dirs, "m");
    page.runCommand(MacroDialog::CmdSave);
    QCOMPARE(text(loadMacro(f.dirs, "m").actions), text(stored));
    QCOMPARE(readWriteSign(f.dirs, "m"), 1);
}

void TstMacroEditor::rowCommands_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("order"); // key usages 4..8 as A..E, '_' for a delay
    QTest::addColumn<int>("current");
    QTest::newRow("move up on the first") << int(MacroDialog::CmdMoveUp) << 0 << "ABCDE" << 0;
    QTest::newRow("move down on the last") << int(MacroDialog::CmdMoveDown) << 4 << "ABCDE" << 4;
    QTest::newRow("move down") << int(MacroDialog::CmdMoveDown) << 1 << "ACBDE" << 2;
    QTest::newRow("delete the last of five") << int(MacroDialog::CmdDeleteAction) << 4 << "ABCD" << 3;
    QTest::newRow("delete in the middle") << int(MacroDialog::CmdDeleteAction) << 2 << "ABDE" << 2;
    QTest::newRow("top") << int(MacroDialog::CmdTop) << 3 << "DABCE" << 0;
    QTest::newRow("bottom") << int(MacroDialog::CmdBottom) << 1 << "ACDEB" << 4;
    QTest::newRow("insert delay") << int(MacroDialog::CmdInsertDelay) << 1 << "AB_CDE" << 2;
    QTest::newRow("clear") << int(MacroDialog::CmdClear) << 2 << "" << -1;
}

void TstMacroEditor::rowCommands()
{
    QFETCH(int, command);
    QFETCH(int, row);
    QFETCH(QString, order);
    QFETCH(int, current);
    Fixture f;
    f.store("m", rows("132,0,4; 132,0,5; 132,0,6; 132,0,7; 132,0,8"));
    MacroDialog &page = f.open();
    page.actionView()->setCurrentIndex(page.actionModel()->index(row, 0));
    page.runCommand(MacroDialog::Command(command));
    QString got;
    for (int i = 0; i < page.actionModel()->rowCount(); ++i) {
        const MacroRowValues v = page.actionModel()->action(i);
        got += v.map == 6 ? QChar('_') : QChar('A' + v.dataL - 4);
    }
    QCOMPARE(got, order);
    QCOMPARE(page.actionView()->currentIndex().row(), current);
}

void TstMacroEditor::insertsStopAtTheLimit()
{
    Fixture f;
    f.store("m", Rows(62, macroKeyAction(4, true)), 1);
    f.store("n", rows("132,0,4; 4,0,4"), 1);
    MacroDialog &page = f.open();
    TarnTreeWidget *tree = page.actionTree();
    // A click with its delays needs four rows, a move and its delay two.
    page.TreeitemClick(tree->topLevelItem(0), 0); // opens LEFT CLICK
    page.TreeitemClick(tree->topLevelItem(0), 0);
    page.TreeitemClick(tree->topLevelItem(6), 0); // MOVE RIGHT
    QCOMPARE(page.actionModel()->rowCount(), 62);
    QCOMPARE(f.messages.size(), 2);
    page.runCommand(MacroDialog::CmdInsertDelay);
    page.runCommand(MacroDialog::CmdInsertDelay);
    QCOMPARE(page.actionModel()->rowCount(), 63);
    QCOMPARE(f.messages.size(), 3);

    // Below the limit the tree inserts after the current row: a middle click
    // (bit 4) with 10 ms delays under delay type 1.
    page.macroList()->setCurrentRow(1);
    page.actionView()->setCurrentIndex(page.actionModel()->index(0, 0));
    page.TreeitemClick(tree->topLevelItem(1), 0);
    page.TreeitemClick(tree->topLevelItem(1), 0);
    page.TreeitemClick(tree->topLevelItem(1)->child(1), 0); // BOUNCE UP
    QCOMPARE(f.shown(), QString("132,0,4; 129,0,4; 6,0,1; 1,0,4; 6,0,1; 1,0,4; 6,0,1; 4,0,4"));
}

void TstMacroEditor::rename_data()
{
    QTest::addColumn<QStringList>("files"); // besides "a"
    QTest::addColumn<bool>("loseOldFile");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<int>("messages");
    QTest::newRow("b becomes b_2") << QStringList{"b", "b_1"} << false << "b"
                                   << "b_2" << 0;
    QTest::newRow("empty name refused") << QStringList() << false << ""
                                        << "a" << 1;
    QTest::newRow("path refused") << QStringList() << false << "../x"
                                  << "a" << 1;
    QTest::newRow("failed rename keeps the list") << QStringList() << true << "c"
                                                  << "a" << 1;
}

void TstMacroEditor::rename()
{
    QFETCH(QStringList, files);
    QFETCH(bool, loseOldFile);
    QFETCH(QString, typed);
    QFETCH(QString, listed);
    QFETCH(int, messages);
    Fixture f;
    f.store("a", rows("132,0,4"));
    for (const QString &name : files)
        f.store(name, {}, 1, false);
    MacroDialog &page = f.open();
    if (loseOldFile)
        QFile::remove(f.macroFile("a"));
    page.nameEdit()->setText(typed);
    page.runCommand(MacroDialog::CmdChangeName);
    QCOMPARE(listMacroNames(f.dirs), QStringList{listed});
    QCOMPARE(page.currentMacro(), listed);
    QCOMPARE(f.messages.size(), messages);
    QCOMPARE(QFileInfo::exists(f.macroFile(listed)), !loseOldFile);
    QCOMPARE(QDir(f.dirs.configDir).exists("x.MSMACRO"), false);
}

void TstMacroEditor::importAndExport()
{
    Fixture f;
    QTemporaryDir outside;
    const QString dotted = outside.filePath("x.y.msmacro");
    f.store("tmp", rows("132,0,4"), 1, false);
    QVERIFY(QFile::copy(f.macroFile("tmp"), dotted));
    QVERIFY(QFile::remove(f.macroFile("tmp")));
    MacroDialog &page = f.open();
    QStringList chosen;
    QString target;
    MacroDialog::Dialogs d;
    d.message = [&f](QWidget *, const QString &, const QString &text) { f.messages << text; };
    d.openFiles = [&chosen](QWidget *, bool) { return chosen; };
    d.saveFile = [&target](QWidget *, const QString &) { return target; };
    page.setDialogs(d);

    // The complete base name, also for a lower-case extension.
    chosen = QStringList{dotted};
    page.runCommand(MacroDialog::CmdImport);
    QCOMPARE(listMacroNames(f.dirs), QStringList{"x.y"});
    QVERIFY(QFileInfo::exists(f.macroFile("x.y")));
    QCOMPARE(page.actionModel()->rowCount(), 1);
    page.runCommand(MacroDialog::CmdImport);
    QCOMPARE(f.messages, QStringList{"Macro Exist!"});

    // The confirmed export target is replaced.
    target = outside.filePath("out.MSMACRO");
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    page.runCommand(MacroDialog::CmdExport);
    QFile exported(target);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QVERIFY(exported.readAll().contains("Map_0=132"));

    // A full registry takes no file, not even a copy in MacroDB.
    for (int i = 1; i < kMacroSlotCount; ++i)
        addMacroName(f.dirs, QStringLiteral("m%1").arg(i));
    QVERIFY(QFile::copy(dotted, outside.filePath("z.MSMACRO")));
    chosen = QStringList{outside.filePath("z.MSMACRO")};
    page.runCommand(MacroDialog::CmdImport);
    QCOMPARE(f.messages.last(), QString("TOO MANY MACROS TO BE CREATE!"));
    QVERIFY(!QFileInfo::exists(f.macroFile("z")));

    // Batch: a listed name is not registered again, nor copied over.
    replaceMacroName(f.dirs, "m1", QString());
    page.runCommand(MacroDialog::CmdBatch);
    chosen = QStringList{dotted, outside.filePath("z.MSMACRO")};
    page.runCommand(MacroDialog::CmdImport);
    const QStringList names = listMacroNames(f.dirs);
    QCOMPARE(names.count("x.y"), 1);
    QCOMPARE(names.count("z"), 1);
    QVERIFY(f.messages.last().contains("x.y.msmacro"));
}

void TstMacroEditor::recordingThroughThePage()
{
    Fixture f;
    f.store("m", rows("132,0,9"), 0);
    MacroDialog &page = f.open();
    QSignalSpy enable(&page, &MacroDialog::EnableButtonsSignal);
    page.delayBox(1)->activate();
    QCOMPARE(page.delayType(), 1);
    page.runCommand(MacroDialog::CmdStart);
    QVERIFY(page.isRecording() && page.holdsKeyboard());
    QCOMPARE(page.actionModel()->rowCount(), 0);
    QVERIFY(!page.commandButton(MacroDialog::CmdNew)->isEnabled());
    // Shift, then A, and only A released.
    for (const char *event : {"2A d 100", "1E d 180", "1E u 250"})
        page.handleKeyEvent(keyEvent(event));
    page.runCommand(MacroDialog::CmdStop);
    QCOMPARE(f.messages, QStringList{"ONE OR MORE KEYS HAS NOT BEEN RELEASED."});
    QCOMPARE(text(loadMacro(f.dirs, "m").actions), QString("132,0,225; 6,0,8; 132,0,4; 6,0,7; 4,0,4"));
    QCOMPARE(loadMacro(f.dirs, "m").DelayType, 1);
    QVERIFY(!page.isRecording() && !page.holdsKeyboard());
    QCOMPARE(enable.size(), 2);
    QCOMPARE(enable.at(0).at(0).toBool(), false);
    QCOMPARE(enable.at(1).at(0).toBool(), true);
}

void TstMacroEditor::pauseIsElapsedTime()
{
    // Key events as the window system delivers them, with a real pause: the
    // delay row measures wall-clock time, not processor time.
    Fixture f;
    f.store("m", {}, 1);
    MacroDialog &page = f.open();
    page.show();
    page.runCommand(MacroDialog::CmdStart);
#ifdef Q_OS_WIN
    const quint32 nativeA = 0x1E;
#else
    const quint32 nativeA = 30 + 8;
#endif
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, nativeA, 'a', 0, "a");
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, nativeA, 'a', 0, "a");
    // They arrive at the window, where the keyboard hook watches.
    QWindow *window = page.window()->windowHandle();
    QVERIFY(window);
    QApplication::sendEvent(window, &press);
    QTest::qWait(200);
    QApplication::sendEvent(window, &release);
    page.runCommand(MacroDialog::CmdStop);
    const Rows saved = loadMacro(f.dirs, "m").actions;
    QCOMPARE(saved.size(), std::size_t(3));
    QCOMPARE(int(saved[0].map), 132);
    QCOMPARE(int(saved[0].dataL), 4);
    QVERIFY2(macroDelayMs(saved[1]) >= 150, qPrintable(text(saved)));
}

void TstMacroEditor::editPanels()
{
    Fixture f;
    f.store("m", rows("132,0,4; 6,0,10; 2,0,251; 4,0,4"), 1);
    MacroDialog &page = f.open();
    QSignalSpy enable(&page, &MacroDialog::EnableButtonsSignal);
    page.actionView()->setCurrentIndex(page.actionModel()->index(0, 0));
    page.runCommand(MacroDialog::CmdEdit);
    QVERIFY(page.isEditing() && page.holdsKeyboard());
    QVERIFY(page.optionsPanel()->isHidden() && !page.editPanel()->isHidden());
    QVERIFY(!page.commandButton(MacroDialog::CmdStart)->isEnabled());
    QVERIFY(page.commandButton(MacroDialog::CmdSave)->isEnabled());
    // Keypad 7 replaces A; its release passes with the same result.
    page.handleKeyEvent(keyEvent("47 d 0"));
    page.handleKeyEvent(keyEvent("47 u 5"));
    QCOMPARE(page.editKeyLabel()->text(), QString("Num 7"));

    page.actionView()->setCurrentIndex(page.actionModel()->index(1, 0));
    QVERIFY(!page.holdsKeyboard());
    QCOMPARE(page.editDelayEdit()->text(), QString("100"));
    page.editDelayEdit()->setText("3000");
    page.actionView()->setCurrentIndex(page.actionModel()->index(2, 0));
    QCOMPARE(page.editMoveEdit()->text(), QString("5"));
    page.editMoveEdit()->setText("120");
    page.runCommand(MacroDialog::CmdSave);
    QCOMPARE(text(loadMacro(f.dirs, "m").actions), QString("132,0,95; 6,1,44; 2,0,136; 4,0,4"));
    QVERIFY(!page.isEditing() && !page.holdsKeyboard());

    page.runCommand(MacroDialog::CmdEdit);
    page.editMoveEdit()->setText("7");
    page.runCommand(MacroDialog::CmdCancel);
    QCOMPARE(f.shown(), QString("132,0,95; 6,1,44; 2,0,136; 4,0,4"));
    QCOMPARE(enable.size(), 4);
    QCOMPARE(enable.at(2).at(0).toBool(), false);
}

void TstMacroEditor::validators_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("default delay over 655350 ms") << "defaultDelayEdit"
                                                  << "700000"
                                                  << "70000";
    QTest::newRow("default delay at the top") << "defaultDelayEdit"
                                              << "655350"
                                              << "655350";
    QTest::newRow("loop time over 255") << "loopTimeEdit"
                                        << "256"
                                        << "25";
    QTest::newRow("loop time letters") << "loopTimeEdit"
                                       << "x9"
                                       << "9";
    QTest::newRow("distance over 120") << "moveDistance0"
                                       << "121"
                                       << "12";
}

void TstMacroEditor::validators()
{
    QFETCH(QString, edit);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    Fixture f;
    f.store("m", {});
    MacroDialog &page = f.open();
    auto *line = page.findChild<QLineEdit *>(edit);
    QVERIFY(line);
    line->clear();
    QTest::keyClicks(line, typed);
    QCOMPARE(line->text(), kept);
}

void TstMacroEditor::gunSet()
{
    // Defaults: press, release and a 100 ms delay, five times.
    QCOMPARE(text(gunSetActions(std::vector<GunBullet>(5))),
             QString("129,0,1; 1,0,1; 6,0,10; 129,0,1; 1,0,1; 6,0,10; 129,0,1; 1,0,1; 6,0,10; 129,0,1; 1,0,1; 6,0,10; "
                     "129,0,1; 1,0,1; 6,0,10"));

    Fixture f;
    TarnGunsetDialog dialog;
    QStringList warnings;
    dialog.setMessageShower([&warnings](QWidget *, const QString &t) { warnings << t; });
    dialog.OnYesClick();
    QCOMPARE(warnings, QStringList{"Please input file name."});
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    dialog.setBulletCount(2);
    dialog.yBox(0)->setValue(-3);
    dialog.delayBox(1)->setValue(5);
    dialog.xBox(2)->setValue(40); // hidden column, ignored
    QVERIFY(dialog.xBox(2)->isHidden() && !dialog.xBox(1)->isHidden());
    dialog.nameEdit()->setText("g");
    dialog.OnYesClick();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(text(dialog.actions()), QString("129,0,1; 1,0,1; 2,253,0; 6,0,10; 129,0,1; 1,0,1; 6,0,0"));

    // Never overwritten: g, g_2, g_3; the page registers and opens each.
    MacroDialog &page = f.open();
    MacroDialog::Dialogs d;
    d.gunSet = [&dialog](QWidget *, QString &name, std::vector<MacroAction> &actions) {
        name = dialog.fileName();
        actions = dialog.actions();
        return true;
    };
    page.setDialogs(d);
    for (int i = 0; i < 3; ++i)
        page.runCommand(MacroDialog::CmdGunSet);
    QCOMPARE(listMacroNames(f.dirs), QStringList({"g", "g_2", "g_3"}));
    QCOMPARE(page.currentMacro(), QString("g_3"));
    QCOMPARE(page.actionModel()->rowCount(), 7);
    const MacroRecord g = loadMacro(f.dirs, "g_3");
    QCOMPARE(g.DelayType, 1);
    QCOMPARE(readWriteSign(f.dirs, "g_3"), 0);
    QCOMPARE(writeGunFile(f.dirs, "../g", dialog.actions()), QString());
}

void TstMacroEditor::pictures_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("mode");
    for (double scale : {1.0, 1.5}) {
        for (const char *mode : {"idle", "recording", "edit-key", "edit-delay", "edit-move", "batch", "gunset"})
            QTest::addRow("%s %.1f", mode, scale) << scale << QString(mode);
    }
}

void TstMacroEditor::pictures()
{
    QFETCH(double, scale);
    QFETCH(QString, mode);
    Fixture f;
    f.ui.setScale(scale);
    f.store("combo", rows("132,0,225; 6,0,8; 132,0,4; 6,0,7; 4,0,4; 6,0,12; 4,0,225; 2,0,251; 129,0,4; 1,0,4; 3,0,0"),
            1);
    f.store("recoil", rows("129,0,1; 1,0,1; 2,253,0; 6,0,10"), 1);
    MacroDialog &page = f.open();
    page.resize(tarnScaled(665, scale), tarnScaled(467, scale));
    page.relayout();
    page.show();
    const QMap<QString, int> editRow{{"edit-key", 2}, {"edit-delay", 1}, {"edit-move", 7}};
    if (mode == "recording") {
        page.runCommand(MacroDialog::CmdStart);
        for (const char *event : {"1D d 0", "2E d 90", "2E u 160"})
            page.handleKeyEvent(keyEvent(event));
    } else if (editRow.contains(mode)) {
        page.actionView()->setCurrentIndex(page.actionModel()->index(editRow[mode], 0));
        page.runCommand(MacroDialog::CmdEdit);
    } else if (mode == "batch") {
        page.runCommand(MacroDialog::CmdBatch);
        page.macroList()->item(0)->setCheckState(Qt::Checked);
    }
    page.actionTree()->topLevelItem(0)->setExpanded(true);
    QVERIFY_ACCESSIBLE(&page);

    QWidget *shown = &page;
    TarnGunsetDialog gun;
    if (mode == "gunset") {
        gun.setBulletCount(3);
        gun.nameEdit()->setText("recoil");
        gun.show();
        shown = &gun;
        QVERIFY_ACCESSIBLE(&gun);
        QCOMPARE(gun.size(), QSize(tarnScaled(478, scale), tarnScaled(309, scale)));
    }
    QTest::qWait(20);
    const QImage image = shown->grab().toImage();
    const QString dir = QStringLiteral(MOUSECFG_APPDIR "/../screenshots/macro");
    QVERIFY(QDir().mkpath(dir));
    QVERIFY(image.save(QStringLiteral("%1/%2-%3.png").arg(dir, mode).arg(scale, 0, 'f', 1)));
    QCOMPARE(image.size(), shown->size());
}

QTEST_MAIN(TstMacroEditor)
#include "tst_macroeditor.moc"
