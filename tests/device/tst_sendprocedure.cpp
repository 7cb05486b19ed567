// The send procedure (store, compare, Config/Diff, apply, saved copy) and the
// configuration file import with its product-tag check and export.
#include "tst_applysupport.h"

#include "ApplySequence.h"
#include "ConfigExchange.h"
#include "ConfigFile.h"
#include "SendProcedure.h"

#include <QtTest>

namespace {

enum Edit { NoEdit, ActiveLightingColour, DpiLinkOnly, SendAll, MacroSavedAgain, ReportRate };

struct Stored
{
    explicit Stored(ApplyRig &rig)
        : dirs(rig.dirs())
    {
        rig.saveMacroActions(QStringLiteral("m"), {macroKeyAction(4, true)});
        clearWriteSign(dirs, QStringLiteral("m"));
        saved = sampleConfig();
        saved.profiles[0].buttons[2] = macroEntry(QStringLiteral("m"));
        saveWorkingConfig(dirs, saved);
        writeDiff(dirs, 0);
        working = saved;
    }
    StorageDirs dirs;
    AppConfig saved;
    AppConfig working;
};

} // namespace

class TestSendProcedure : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void changeMask_data();
    void changeMask();
    void twoAppliesInARow();
    void failureForcesAllNextTime();
    void asleep_data();
    void asleep();
    void importChecksProductTag_data();
    void importChecksProductTag();
    void exportThenApplySendsNothing();
    void exportRefusesDirectory();
};

void TestSendProcedure::init()
{
    resetSim();
}

void TestSendProcedure::changeMask_data()
{
    QTest::addColumn<int>("edit");
    QTest::addColumn<int>("mask");
    QTest::addColumn<QByteArray>("codes");

    QTest::newRow("nothing changed") << int(NoEdit) << 0 << QByteArray();
    QTest::newRow("active lighting colour of profile 3")
        << int(ActiveLightingColour) << 8 << QByteArray("46 04 04 04 04 04 40 40 40 40 40 46");
    QTest::newRow("DPI xy and link only") << int(DpiLinkOnly) << 0 << QByteArray();
    QTest::newRow("report rate") << int(ReportRate) << 1 << QByteArray("46 01 01 40 40 40 40 40 46");
    QTest::newRow("macro saved again")
        << int(MacroSavedAgain) << 4
        << QByteArray("46 03 03 03 03 03 03 03 40 40 40 40 40 05 05 05 05 05 05 05 05 05 05 05 46");
}

void TestSendProcedure::changeMask()
{
    QFETCH(int, edit);
    QFETCH(int, mask);
    QFETCH(QByteArray, codes);

    ApplyRig rig;
    Stored s(rig);
    switch (Edit(edit)) {
    case ActiveLightingColour:
        s.working.ProfileID = 3;
        s.saved.ProfileID = 3;
        s.working.profiles[3].ledModes[s.working.profiles[3].LedMode].RGB = QColor(1, 2, 3);
        break;
    case DpiLinkOnly:
        s.working.profiles[1].dpiLevels[2].link = 0;
        s.working.profiles[1].dpiLevels[2].xy = 99;
        break;
    case ReportRate:
        s.working.profiles[4].pollrate = 8;
        break;
    case MacroSavedAgain:
        rig.saveMacroActions(QStringLiteral("m"), {macroKeyAction(5, true)});
        break;
    default:
        break;
    }
    ApplySequence apply(rig.link.link);
    const SendOutcome outcome = runSendProcedure(s.dirs, apply, s.working, s.saved, false, false);
    QCOMPARE(int(outcome.result), 0);
    QCOMPARE(outcome.mask, mask);
    QCOMPARE(codesOf(delivered()), codes);
    QCOMPARE(readDiff(s.dirs), 0);
    if (mask == 0)
        return; // nothing sent, the saved copy stays as it was

    // The saved copy now matches: a second run sends nothing.
    sim().clearTraffic();
    QCOMPARE(runSendProcedure(s.dirs, apply, s.working, s.saved, false, false).mask, 0);
    QVERIFY(delivered().empty());
}

void TestSendProcedure::twoAppliesInARow()
{
    ApplyRig rig;
    Stored s(rig);
    s.working.profiles[2].scrollspeed = 9;
    ApplySequence apply(rig.link.link);
    QCOMPARE(runSendProcedure(s.dirs, apply, s.working, s.saved, false, false).mask, kChangeGeneral);
    QCOMPARE(int(sim().generalSettings().scrollSpeed[2]), 9);

    // The working copy went to disk: what the utility loads next is what was sent.
    AppConfig loaded;
    ButtonPositions positions{};
    loadSavedConfig(s.dirs, loaded, positions);
    QCOMPARE(int(loaded.profiles[2].scrollspeed), 9);
    QCOMPARE(loaded.profileNames, s.working.profileNames);

    sim().clearTraffic();
    const SendOutcome second = runSendProcedure(s.dirs, apply, s.working, s.saved, false, false);
    QCOMPARE(int(second.result), 0);
    QCOMPARE(second.mask, 0);
    QVERIFY(sim().traffic().empty());
}

void TestSendProcedure::failureForcesAllNextTime()
{
    ApplyRig rig;
    Stored s(rig);
    s.working.profiles[0].ledModes[s.working.profiles[0].LedMode].bright = 1;
    ApplySequence apply(rig.link.link);
    sim().failWrites(1);
    const SendOutcome failed = runSendProcedure(s.dirs, apply, s.working, s.saved, false, false);
    QCOMPARE(int(failed.result), int(kResultWriteFailed));
    QCOMPARE(failed.mask, kChangeLighting);
    QCOMPARE(readDiff(s.dirs), 1);
    QCOMPARE(s.saved, s.working); // copied also after a failure

    sim().clearTraffic();
    const SendOutcome next = runSendProcedure(s.dirs, apply, s.working, s.saved, false, false);
    QCOMPARE(int(next.result), 0);
    QCOMPARE(next.mask, kChangeAll);
    QCOMPARE(readDiff(s.dirs), 0);
    for (std::uint8_t code : {0x01, 0x02, 0x03, 0x04})
        QVERIFY(sim().tableClosed(code));

    sim().clearTraffic();
    QCOMPARE(runSendProcedure(s.dirs, apply, s.working, s.saved, true, false).mask, kChangeAll); // send-all flag
    QVERIFY(!delivered().empty());
}

void TestSendProcedure::asleep_data()
{
    QTest::addColumn<int>("diff");
    QTest::newRow("Diff 0") << 0;
    QTest::newRow("Diff 1") << 1;
}

void TestSendProcedure::asleep()
{
    QFETCH(int, diff);
    ApplyRig rig;
    Stored s(rig);
    writeDiff(s.dirs, diff);
    s.working.ProfileID = 2;
    s.working.profiles[1].pollrate = 4;
    const AppConfig savedBefore = s.saved;
    ApplySequence apply(rig.link.link);
    const SendOutcome outcome = runSendProcedure(s.dirs, apply, s.working, s.saved, true, true);
    QCOMPARE(int(outcome.result), int(kResultAsleep));
    QCOMPARE(outcome.mask, 0);
    QVERIFY(sim().traffic().empty());
    QCOMPARE(readDiff(s.dirs), 1); // whatever it was: the stored copy never reached the mouse
    QCOMPARE(s.saved, savedBefore);
    // The header of the working copy is stored all the same.
    QCOMPARE(QSettings(s.dirs.configIni(), QSettings::IniFormat).value("Config/ProfileID").toInt(), 2);
}

void TestSendProcedure::importChecksProductTag_data()
{
    QTest::addColumn<QString>("tag"); // "<none>": no tag key; "<missing>": no file; "<dir>": a directory
    QTest::addColumn<int>("status");

    QTest::newRow("same product") << QString::fromLatin1(kTestModel) << int(ImportStatus::Imported);
    QTest::newRow("other product") << QStringLiteral("Other Mouse") << int(ImportStatus::WrongProduct);
    QTest::newRow("letter case differs") << QString::fromLatin1(kTestModel).toLower()
                                         << int(ImportStatus::WrongProduct);
    QTest::newRow("no tag") << QStringLiteral("<none>") << int(ImportStatus::WrongProduct);
    QTest::newRow("no file") << QStringLiteral("<missing>") << int(ImportStatus::Unreadable);
    QTest::newRow("a directory") << QStringLiteral("<dir>") << int(ImportStatus::Unreadable);
}

void TestSendProcedure::importChecksProductTag()
{
    QFETCH(QString, tag);
    QFETCH(int, status);

    ApplyRig rig;
    Stored s(rig);
    AppConfig other = sampleConfig();
    other.ProfileID = 4;
    other.profiles[1].pollrate = 8;
    other.profiles[1].LedMoveOFF = 7;
    QString path = rig.dirs().appDir + QStringLiteral("/file.conf");
    if (tag == QLatin1String("<dir>")) {
        QDir().mkpath(path);
    } else if (tag != QLatin1String("<missing>")) {
        QVERIFY(exportConfigFile(s.dirs, path, other));
        QSettings file(path, QSettings::IniFormat);
        if (tag == QLatin1String("<none>"))
            file.remove(QStringLiteral("MouseName"));
        else
            file.setValue(QStringLiteral("MouseName/Name"), tag);
    }

    const AppConfig before = s.working;
    QCOMPARE(int(importConfigFile(s.dirs, path, s.working)), status);
    if (status == int(ImportStatus::Imported)) {
        QCOMPARE(int(s.working.ProfileID), 4);
        QCOMPARE(int(s.working.profiles[1].pollrate), 8);
        QCOMPARE(s.working.profiles[1].LedMoveOFF, before.profiles[1].LedMoveOFF); // kept
    } else {
        QCOMPARE(s.working, before);
    }
}

void TestSendProcedure::exportThenApplySendsNothing()
{
    ApplyRig rig;
    Stored s(rig);
    const QString path = rig.dirs().appDir + QStringLiteral("/saved.conf");
    QVERIFY(exportConfigFile(s.dirs, path, s.saved));
    QCOMPARE(QSettings(path, QSettings::IniFormat).value("MouseName/Name").toString(), QString::fromLatin1(kTestModel));

    QCOMPARE(importConfigFile(s.dirs, path, s.working), ImportStatus::Imported);
    QCOMPARE(s.working, s.saved);
    ApplySequence apply(rig.link.link);
    const SendOutcome outcome = runSendProcedure(s.dirs, apply, s.working, s.saved, false, false);
    QCOMPARE(int(outcome.result), 0);
    QCOMPARE(outcome.mask, 0);
    QVERIFY(sim().traffic().empty());

    // Exporting over an older file leaves none of its keys behind.
    QSettings(path, QSettings::IniFormat).setValue(QStringLiteral("Stale/Key"), 1);
    QVERIFY(exportConfigFile(s.dirs, path, s.saved));
    QVERIFY(!QSettings(path, QSettings::IniFormat).contains(QStringLiteral("Stale/Key")));
}

void TestSendProcedure::exportRefusesDirectory()
{
    ApplyRig rig;
    QVERIFY(!exportConfigFile(rig.dirs(), rig.dirs().configDir, sampleConfig()));
    QVERIFY(!exportConfigFile(rig.dirs(), rig.dirs().modelDescription() + QStringLiteral("/x.conf"), sampleConfig()));
}

QTEST_GUILESS_MAIN(TestSendProcedure)
#include "tst_sendprocedure.moc"
