#include "ConfigFile.h"
#include "MacroFile.h"
#include "ModelDescription.h"
#include "ProfileFile.h"
#include "ProfileModel.h"
#include "SafeIni.h"
#include "StorageTestDirs.h"

#include <QFile>
#include <QtTest>

namespace {

// Qt's own text for QColor(255, 0, 0).
const QByteArray kRed = "@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\xff\\xff\\0\\0\\0\\0\\0\\0)";

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestSafeIni : public QObject
{
    Q_OBJECT

private slots:
    // A stray quote would make Qt read the rest of the file as one value, and
    // the next write would drop every group after it.
    void openQuoteIsClosedAtTheLineEnd()
    {
        StorageTestDirs t;
        StorageTestDirs::writeText(t.dirs.configIni(), "[Config]\nCurrentProductName=TarnX8\nProfile1=\"Profile 1\n"
                                                       "Profile2=Profile 2\n\n[FONT_LIST]\nFONT_0=DejaVu Sans\n\n"
                                                       "[MouseSenSor]\n1=3389\n");
        AppConfig c;
        ButtonPositions positions{};
        loadSavedConfig(t.dirs, c, positions);
        QCOMPARE(c.profileNames[0], QStringLiteral("Profile 1"));
        QCOMPARE(c.profileNames[1], QStringLiteral("Profile 2"));
        QVERIFY(writeDiff(t.dirs, 1));
        QCOMPARE(readCurrentProductName(t.dirs), QStringLiteral("TarnX8"));
        QCOMPARE(readFontFamily(t.dirs, 0), QStringLiteral("DejaVu Sans"));
        QCOMPARE(readSensor(t.dirs), 3389);
        QCOMPARE(readDiff(t.dirs), 1);
        QVERIFY(readAll(t.dirs.configIni()).contains("Profile1=Profile 1\n"));
    }

    void damagedValues_data()
    {
        QTest::addColumn<QByteArray>("line");
        // this exact line makes Qt's variant reader abort
        QTest::newRow("string list with huge count") << QByteArray("k=@Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)");
        QTest::newRow("as the colour key")
            << QByteArray("LedMode\\LED_MODE_0_RGB=@Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)");
        QTest::newRow("byte array with huge size")
            << QByteArray("LedMode\\LED_MODE_0_RGB=@Variant(\\0\\0\\0\\f\\x7f\\xff\\xff\\xff)");
        QTest::newRow("user type") << QByteArray(
            "LedMode\\LED_MODE_0_RGB=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x5garbage)");
        QTest::newRow("map") << QByteArray("LedMode\\LED_MODE_0_RGB=@Variant(\\0\\0\\0\\b\\x7f\\xff\\xff\\xff)");
        QTest::newRow("truncated colour") << QByteArray("LedMode\\LED_MODE_0_RGB=@Variant(\\0\\0\\0\\x43\\x1\\xff)");
        QTest::newRow("colour with unknown model")
            << QByteArray("LedMode\\LED_MODE_0_RGB=@Variant(\\0\\0\\0\\x43\\x9\\xff\\xff\\0\\0\\0\\0\\0\\0\\0\\0)");
        QTest::newRow("extended colour that is not a number")
            << QByteArray("LedMode\\LED_MODE_0_RGB=@Variant(\\0\\0\\0\\x43\\x5\\xff\\xff\\0\\0\\0\\0\\0\\0\\0\\0)");
        QTest::newRow("colour with raw bytes, whose meaning the encoding decides") << QByteArray(
            "LedMode\\LED_MODE_0_RGB=@Variant(\\0\\0\\0\\x43\\x1\xcf\xa3\xcf\xa3\xcf\xa3\xcf\xa3\xcf\xa3)");
        QTest::newRow("colour with trailing bytes")
            << QByteArray("LedMode\\LED_MODE_0_RGB=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\0\\0\\0\\0\\0\\0\\0\\0\\0)");
        QTest::newRow("escaped at sign") << QByteArray("k=\\x40Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)");
        QTest::newRow("octal at sign") << QByteArray("k=\\100Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)");
        QTest::newRow("long hex at sign") << QByteArray("k=\\x10040Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)");
        QTest::newRow("in a list") << QByteArray("k=red, @Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)");
        QTest::newRow("quoted") << QByteArray("k=\"@Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)\"");
        QTest::newRow("continued line") << QByteArray("k=\\\n@Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)");
        QTest::newRow("good colour then damaged")
            << QByteArray("k=" + kRed + ",@Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)");
        QTest::newRow("unterminated") << QByteArray("k=@Variant(\\0\\0\\0\\v43\\x1\\xff\\xff");
        QTest::newRow("after a closed quote and a comma")
            << QByteArray("k=\"a\",@Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)");
        QTest::newRow("after an empty quote") << QByteArray("k=\"\"@Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)");
    }

    void damagedValues()
    {
        QFETCH(QByteArray, line);
        StorageTestDirs t;
        const QString path = t.dirs.profileDir() + QStringLiteral("/Bad.prof");
        const QByteArray text = "[PROFILE]\ndpi=3\n" + line + "\nLedMode\\LED_MODE_1_RGB=" + kRed + "\npollrate=2\n";
        StorageTestDirs::writeText(path, text);

        ProfileData p;
        QVERIFY(readProfileFile(t.dirs, p, QStringLiteral("Bad")));
        QCOMPARE(int(p.dpi), 3);
        QCOMPARE(int(p.pollrate), 2);
        QVERIFY(!p.ledModes[0].RGB.isValid());
        QCOMPARE(p.ledModes[1].RGB, QColor(255, 0, 0));
        QCOMPARE(readAll(path), text); // reading never changes the file

        // a writer removes the damaged line and keeps the rest
        QVERIFY(saveProfileDpi(t.dirs, QStringLiteral("Bad"), 5));
        ProfileData after;
        readProfileFile(t.dirs, after, QStringLiteral("Bad"));
        QCOMPARE(int(after.dpi), 5);
        QCOMPARE(int(after.pollrate), 2);
        QCOMPARE(after.ledModes[1].RGB, QColor(255, 0, 0));
        QVERIFY(!readAll(path).contains("\\v43"));
    }

    void legitimateValuesAreKept_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("colour") << QByteArray("[PROFILE]\nk=" + kRed + "\n");
        QTest::newRow("quoted colour") << QByteArray(
            "[PROFILE]\nk=\"@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff,,;;==\\0\\0)\"\n");
        QTest::newRow("escaped text") << QByteArray("[PROFILE]\nk=@@Variant(abc)\n");
        QTest::newRow("text in the middle") << QByteArray("[PROFILE]\nk=see @Variant(x)\n");
        QTest::newRow("escapes") << QByteArray("[FONT_LIST]\nLangName_1=\\x7b80\\x4f53\\x4e2d\\x6587\n");
        QTest::newRow("comment") << QByteArray("; @Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)\n[PROFILE]\nk=1\n");
        // a comma inside quotes does not start a list element
        QTest::newRow("quoted comma") << QByteArray("[Config]\nProfile1=\"Mine, @Variant(\\0\\0\\0\\v43)\"\n");
        QTest::newRow("quoted semicolon") << QByteArray("[Config]\nProfile1=\"x; @DateTime(1)\"\n");
    }

    // Texts as QSettings itself writes them (quoted when they hold a comma)
    // read back unchanged and survive the next write.
    void textsReadBackAsWritten_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("comma then variant marker") << QStringLiteral("Mine, @Variant(1)");
        QTest::newRow("semicolon then date marker") << QStringLiteral("x; @DateTime(1)");
        QTest::newRow("escaped comma") << QStringLiteral("a\\,@Variant(");
        QTest::newRow("leading marker") << QStringLiteral("@Variant(\\0\\0\\0\\v43)");
    }

    void textsReadBackAsWritten()
    {
        QFETCH(QString, text);
        StorageTestDirs t;
        ProfileData p;
        p.ProfileName = text;
        p.buttons[3].macroname = text;
        QVERIFY(writeProfileFile(t.dirs, p, QStringLiteral("P")));
        QVERIFY(saveProfileDpi(t.dirs, QStringLiteral("P"), 2));
        ProfileData back;
        QVERIFY(readProfileFile(t.dirs, back, QStringLiteral("P")));
        QCOMPARE(back.ProfileName, text);
        QCOMPARE(back.buttons[3].macroname, text);

        AppConfig c;
        c.profileNames[0] = text;
        saveWorkingConfig(t.dirs, c);
        AppConfig loaded;
        ButtonPositions pos{};
        loadSavedConfig(t.dirs, loaded, pos);
        QCOMPARE(loaded.profileNames[0], text);
    }

    void legitimateValuesAreKept()
    {
        QFETCH(QByteArray, text);
        int dropped = -1;
        QCOMPARE(sanitizeIniText(text, &dropped), text);
        QCOMPARE(dropped, 0);
    }

    void everyReaderSurvivesDamagedFiles()
    {
        StorageTestDirs t;
        const QByteArray bad = "k=@Variant(\\0\\0\\0\\v43\\x1\\xff\\xff)\n";
        StorageTestDirs::writeText(t.dirs.configIni(),
                                   "[Config]\n" + bad + "ProfileID=2\nProfile3=Three\n[MACRO_LIST]\n" + bad + "0=m\n");
        StorageTestDirs::writeText(t.dirs.modelDescription(),
                                   "[PROFILE]\n" + bad + "ButtonCount=9\nLedMode\\LED_MODE_2_RGB=" + bad);
        StorageTestDirs::writeText(t.dirs.macroDir() + QStringLiteral("/m.MSMACRO"),
                                   "[Setting]\n" + bad + "Count=1\nMap_0=132\nWriteSign=1\n");
        StorageTestDirs::writeText(t.dirs.langConfigIni(), "[Config]\n" + bad + "LangID=1\n");

        AppConfig c;
        ButtonPositions pos{};
        loadSavedConfig(t.dirs, c, pos);
        QCOMPARE(int(c.ProfileID), 2);
        QCOMPARE(c.profileNames[2], QStringLiteral("Three"));
        QCOMPARE(readButtonCount(t.dirs), 9);
        ProfileData def;
        makeDefaultProfile(t.dirs, def);
        QVERIFY(!def.ledModes[2].RGB.isValid());
        QCOMPARE(countMacros(t.dirs), 1);
        QCOMPARE(readLangId(t.dirs), 1);
        QCOMPARE(int(loadMacro(t.dirs, QStringLiteral("m")).actions.at(0).map), 132);
        clearWriteSign(t.dirs, QStringLiteral("m"));
        QCOMPARE(readWriteSign(t.dirs, QStringLiteral("m")), 0);
        writeLangId(t.dirs, 2);
        QCOMPARE(readLangId(t.dirs), 2);

        const QString conf = t.tmp.filePath(QStringLiteral("x.conf"));
        StorageTestDirs::writeText(conf, "[MouseName]\n" + bad + "Name=TarnX8\n[PROFILE_0]\n" + bad + "dpi=4\n");
        QCOMPARE(readProductTag(t.dirs, conf), QStringLiteral("TarnX8"));
        QVERIFY(!importAllProfiles(t.dirs, c, conf).isEmpty()); // four slots missing
    }
};

QTEST_GUILESS_MAIN(TestSafeIni)
#include "tst_safeini.moc"
