#include "IniText.h"
#include "ProfileFile.h"
#include "StorageTestDirs.h"

#include <QColor>
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// The direct INI reader and writer against QSettings itself.
class TestIniText : public QObject
{
    Q_OBJECT

private slots:
    void readsWhatQSettingsReads_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("plain") << QByteArray("k=hello world");
        QTest::newRow("number") << QByteArray("k=-42");
        QTest::newRow("spaces around") << QByteArray("k  =   padded value   ");
        QTest::newRow("quoted spaces") << QByteArray("k=\"  kept  \"");
        QTest::newRow("quoted separators") << QByteArray("k=\"a,b;c=d\"");
        QTest::newRow("list") << QByteArray("k=a, b ,c");
        QTest::newRow("list with escaped at") << QByteArray("k=@@a,b");
        QTest::newRow("escapes") << QByteArray("k=tab\\there\\nnew\\\\slash\\\"q\\'\\?");
        QTest::newRow("unicode escapes") << QByteArray("k=\\x7b80\\x4f53\\x4e2d\\x6587");
        QTest::newRow("octal") << QByteArray("k=\\101\\102");
        QTest::newRow("hex then digit") << QByteArray("k=\\x41\\x31x");
        QTest::newRow("hex at end") << QByteArray("k=ab\\x41");
        QTest::newRow("backslash at end") << QByteArray("k=ab  \\");
        QTest::newRow("unknown escape") << QByteArray("k=a\\qb");
        QTest::newRow("escaped space kept") << QByteArray("k=ab\\x20");
        QTest::newRow("continued line") << QByteArray("k=first\\\nsecond");
        QTest::newRow("comment after value") << QByteArray("k=value;comment");
        QTest::newRow("escaped text at") << QByteArray("k=@@Variant(x)");
        QTest::newRow("byte array") << QByteArray("k=@ByteArray(raw)");
        QTest::newRow("at without parenthesis") << QByteArray("k=@word");
        QTest::newRow("colour") << QByteArray("k=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\0\\0\\xff\\xff\\0\\0\\0\\0)");
        QTest::newRow("quoted colour") << QByteArray("k=\"@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff,,;;==\\0\\0)\"");
        QTest::newRow("invalid colour") << QByteArray("k=@Variant(\\0\\0\\0\\x43\\0\\xff\\xff\\0\\0\\0\\0\\0\\0\\0\\0)");
        QTest::newRow("escaped key") << QByteArray("%6B=percent");
        QTest::newRow("empty") << QByteArray("k=");
        QTest::newRow("repeated key") << QByteArray("k=first\nk=second");
        QTest::newRow("latin1 byte") << QByteArray("k=caf\xe9");
    }

    void readsWhatQSettingsReads()
    {
        QFETCH(QByteArray, line);
        QTemporaryDir tmp;
        const QString path = tmp.filePath(QStringLiteral("t.ini"));
        const QByteArray text = "[Sec]\n" + line + "\nother=1\n[General]\ntop=2\n";
        StorageTestDirs::writeText(path, text);
        QSettings qt(path, QSettings::IniFormat);
        const IniReader ours = IniReader::fromText(text);
        for (const QString &key : {QStringLiteral("Sec/k"), QStringLiteral("Sec/other"), QStringLiteral("top")}) {
            const QVariant expected = qt.value(key);
            const QVariant actual = ours.value(key);
            QCOMPARE(actual.isValid(), expected.isValid());
            QCOMPARE(actual.userType(), expected.userType());
            QCOMPARE(actual, expected);
        }
    }

    // A profile written by us equals byte for byte what QSettings writes for the
    // same keys and values into a new file.
    void writesWhatQSettingsWrites()
    {
        StorageTestDirs t;
        ProfileData p;
        for (int i = 0; i < kButtonEntryCount; ++i) {
            p.buttons[size_t(i)].Fun = i * 7;
            p.buttons[size_t(i)].LoopNumber = -i;
            p.buttons[size_t(i)].keyInfo[size_t(i)] = {std::uint8_t(i), 255, 1};
        }
        p.buttons[3].macroname = QString::fromUtf8("M\xc3\xbc, \"x\"; =\t @y ");
        p.buttons[4].macroname = QStringLiteral("@lead");
        p.buttons[5].macroname = QStringLiteral(" lead and trail ");
        p.ProfileName = QString::fromUtf8("\xe7\xae\x80\xe4\xbd\x93 0a");
        p.ProfilePath = QStringLiteral("C:\\dir\\file.prof");
        for (int m = 0; m < kLedModeCount; ++m)
            p.ledModes[size_t(m)].RGB = QColor(m * 19, 44, 59 + m);
        p.ledModes[2].RGB = QColor();
        p.ledModes[3].RGB = QColor::fromHsv(100, 200, 50);
        p.dpiLevels[1].x = 4000000000u;
        QVERIFY(writeProfileFile(t.dirs, p, QStringLiteral("ours")));

        const QString oursPath = t.dirs.profileDir() + QStringLiteral("/ours.prof");
        const QString qtPath = t.tmp.filePath(QStringLiteral("qt.ini"));
        {
            QSettings from(oursPath, QSettings::IniFormat);
            QSettings to(qtPath, QSettings::IniFormat);
            const QStringList keys = from.allKeys();
            QCOMPARE(keys.size(), 8 * 5 + 42 * 198 + 14 * 6 + 13);
            for (const QString &k : keys)
                to.setValue(k, from.value(k));
        }
        QCOMPARE(readAll(oursPath), readAll(qtPath));

        ProfileData back;
        QVERIFY(readProfileFile(t.dirs, back, QStringLiteral("ours")));
        QVERIFY(back == p);
    }

    void writerKeepsOtherKeysAndSections()
    {
        QTemporaryDir tmp;
        const QString path = tmp.filePath(QStringLiteral("mixed.ini"));
        {
            QSettings s(path, QSettings::IniFormat);
            s.setValue(QStringLiteral("Other/name"), QString::fromUtf8("\xe4\xb8\xad"));
            s.setValue(QStringLiteral("PROFILE/foreign"), QStringLiteral("keep, me"));
            s.setValue(QStringLiteral("PROFILE/dpi"), 1);
            s.setValue(QStringLiteral("top"), 5);
        }
        IniWriter w(path);
        w.setValue(QStringLiteral("PROFILE/dpi"), 4);
        w.setValue(QStringLiteral("PROFILE/added"), QColor(1, 2, 3));
        w.setValue(QStringLiteral("New/key"), QStringLiteral("v"));
        w.setValue(QStringLiteral("New/key"), QStringLiteral("last"));
        QVERIFY(w.commit());

        QSettings s(path, QSettings::IniFormat);
        QCOMPARE(s.value(QStringLiteral("Other/name")).toString(), QString::fromUtf8("\xe4\xb8\xad"));
        QCOMPARE(s.value(QStringLiteral("PROFILE/foreign")).toString(), QStringLiteral("keep, me"));
        QCOMPARE(s.value(QStringLiteral("PROFILE/dpi")).toInt(), 4);
        QCOMPARE(s.value(QStringLiteral("PROFILE/added")).value<QColor>(), QColor(1, 2, 3));
        QCOMPARE(s.value(QStringLiteral("New/key")).toString(), QStringLiteral("last"));
        QCOMPARE(s.value(QStringLiteral("top")).toInt(), 5);
        QCOMPARE(s.allKeys().size(), 6);
    }

    void unchangedFileIsNotRewritten()
    {
        StorageTestDirs t;
        ProfileData p;
        p.dpi = 2;
        QVERIFY(writeProfileFile(t.dirs, p, QStringLiteral("same")));
        const QString path = t.dirs.profileDir() + QStringLiteral("/same.prof");
        const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
        }
        QVERIFY(writeProfileFile(t.dirs, p, QStringLiteral("same")));
        QCOMPARE(QFileInfo(path).lastModified(), old);
        p.dpi = 3;
        QVERIFY(writeProfileFile(t.dirs, p, QStringLiteral("same")));
        QVERIFY(QFileInfo(path).lastModified() > old);
    }

    void textWithNulGoesThroughQSettings()
    {
        StorageTestDirs t;
        ProfileData p;
        p.ProfileName = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
        QVERIFY(writeProfileFile(t.dirs, p, QStringLiteral("nul")));
        ProfileData back;
        QVERIFY(readProfileFile(t.dirs, back, QStringLiteral("nul")));
        QCOMPARE(back.ProfileName, p.ProfileName);
    }

    void missingDirectoryFails()
    {
        QTemporaryDir tmp;
        IniWriter w(tmp.filePath(QStringLiteral("no/such/dir.ini")));
        w.setValue(QStringLiteral("a/b"), 1);
        QVERIFY(!w.commit());
    }
};

QTEST_GUILESS_MAIN(TestIniText)
#include "tst_initext.moc"
