#include "IniAgreement.h"
#include "IniReader.h"
#include "SafeIni.h"

#include <QDirIterator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// IniReader must read every key as QSettings reads the (sanitised) text.
class TestIniReader : public QObject
{
    Q_OBJECT

private slots:
    void readsAsQSettings_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("damaged"); // else the sanitiser must leave the text as it is
        const QByteArray red = "@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\xff\\xff\\0\\0\\0\\0\\0\\0)";
        const struct
        {
            const char *name;
            QByteArray text;
            bool damaged;
        } rows[] = {
            {"escapes", "[g]\nk=a\\tb\\x41\\101\\\"q\\\\ \\x4g\\0\\x10041\\q\\\n", false},
            {"quotes and spaces", "[g]\na = \"a, b\" \nb=  \"  x  \"  \nc=\"a\"b\"c\"\nd=a \"b\" c  \ne=\"\"", false},
            {"lists", "[g]\na=a, b ,c\nb=,\nc=a,\nd=\"a\",  \"b\"\ne=x\\t,y \\t ,", false},
            {"percent keys", "[g%2Fh]\n%C3%A9t%U00e9=1\na%2Fb=2\nbad%zz=3\n%=4\nx%U12=5\n%-1y=6\n%U+0041=7", false},
            {"markers",
             "[g]\na=@ByteArray(\\x1\\0ab)\nb=@String(x)\nc=@@at\nd=@Invalid()\ne=@Rect(1 2 3 4)\n"
             "f=@Size(1)2)\ng=@Point(1 2)\nh=@ByteArray(a), b\ni=@@a, b\nj=@Nope(1)\nk=@Size(1 2 3)\nl=" +
                 red + "\nm=@",
             false},
            {"empty values", "[g]\na=\nb=   \nc=\"\"\n=5", false},
            {"duplicate keys and groups", "[g]\nk=1\nk=2\n[h]\nk=3\n[g]\nj=4\nk=5", false},
            {"keys outside groups", "top=1\ng\\a=0\n[General]\nx=2\n[g]\na=3\n[%General]\ny=4\n[general]\nz=5", false},
            {"group key beside a nested group", "[g]\na=1\n[g\\h]\nb=2\n[a]\nc=3\n[G]\nd=4", false},
            {"comments and continuations", "; c\n[g] ; c\nk=v ; trailing\nl=a\\\nb\nm=\"x;y\"\n  ;x=1\n", false},
            {"line ends", "[g]\r\n\fz=0\r\na=1\r\nb=2\rc=3\n\rd=\"4\"\r\n", false},
            {"byte order mark before a group", "\xef\xbb\xbf[g]\nk=v\n", false},
            {"byte order mark before a key", "\xef\xbb\xbf  k=\xc3\xa9, \xc3\n[g]\nj=\"\xe2\x82\xac\"", false},
            {"byte order mark on its own line", "\xef\xbb\xbf\nk=1", false},
            {"latin-1 bytes", "[g]\nk=\xe9\xff\nl\xe9=1", false},
            {"header without bracket", "[g\nk=v\n[h] x\nj=1", false},
            {"open quote", "[g]\nk=\"abc\nj=2\n[h]\nl=3", true},
            {"dangerous variant and a line without '='", "[g]\nk=@Variant(\\0\\0\\0\\v43)\nj=1\njunk\nl=2", true},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name) << row.text << row.damaged;
        // The committed seeds and the sample installation: what QSettings wrote.
        for (const char *dir : {MOUSECFG_SOURCE_DIR "/fuzz/corpus", MOUSECFG_DATA_DIR}) {
            const QStringList kinds{"*.ini", "*.prof", "*.bin", "*.conf", "*.MSMACRO"};
            QDirIterator it(QString::fromUtf8(dir), kinds, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile f(it.next());
                if (!f.open(QIODevice::ReadOnly))
                    continue;
                const QByteArray text = f.readAll();
                int dropped = 0;
                sanitizeIniText(text, &dropped);
                QTest::newRow(qPrintable(f.fileName())) << text << (dropped > 0);
            }
        }
    }

    void readsAsQSettings()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, damaged);
        int dropped = 0;
        const QByteArray clean = sanitizeIniText(text, &dropped);
        QCOMPARE(dropped > 0, damaged);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(damaged ? clean : text) >= 0);
        f.close();

        const QSettings qt(path, QSettings::IniFormat);
        const IniReader ours = IniReader::fromText(text);
        QCOMPARE(ours.droppedLines(), dropped);
        QVERIFY(!qt.allKeys().isEmpty());
        const QString disagreement = iniDisagreement(qt, ours);
        QVERIFY2(disagreement.isEmpty(), qPrintable(disagreement));
    }
};

QTEST_MAIN(TestIniReader)
#include "tst_inireader.moc"
