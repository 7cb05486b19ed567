// How the configuration reaches the disk: the profile file text QSettings
// itself would write, files rewritten only when their bytes change, links
// replaced instead of written through, and a save that fails leaving every
// file as it was.
#include "ConfigFile.h"
#include "ModelDescription.h"
#include "ProfileFile.h"
#include "ProfileModel.h"
#include "StorageTestDirs.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QDateTime modified(const QString &path)
{
    return QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
}

void setModified(const QString &path, const QDateTime &time)
{
    QFile f(path);
    if (f.open(QIODevice::ReadWrite))
        f.setFileTime(time, QFileDevice::FileModificationTime);
}

AppConfig sampleConfig(const StorageDirs &dirs)
{
    AppConfig c;
    resetAllProfiles(dirs, c);
    c.Count = 5;
    return c;
}

} // namespace

class TestStoredFiles : public QObject
{
    Q_OBJECT

private slots:
    void profileTextIsWhatQSettingsWrites_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QStringLiteral("Profile 1");
        QTest::newRow("empty") << QString();
        QTest::newRow("comma, semicolon, equals") << QStringLiteral("a,b;c=d");
        QTest::newRow("spaces at both ends") << QStringLiteral(" padded ");
        QTest::newRow("quote and backslash") << QStringLiteral("say \"hi\" \\ bye");
        QTest::newRow("leading at sign") << QStringLiteral("@Variant(1)");
        QTest::newRow("control then hex digit") << QStringLiteral("a\x01"
                                                                  "bc\tf");
        QTest::newRow("nul") << (QString(QChar(0)) + QStringLiteral("1f"));
        QTest::newRow("beyond ASCII") << QStringLiteral("Profil \u00e9t\u00e9 \u4e2d\u6587 \U0001F600");
    }

    // QSettings parses the text and, made to write, writes it out again
    // unchanged: the text is its own canonical form, and reads back as the record.
    void profileTextIsWhatQSettingsWrites()
    {
        QFETCH(QString, text);
        StorageTestDirs t;
        ProfileData p;
        makeDefaultProfile(t.dirs, p);
        p.ProfileName = text;
        p.ProfilePath = text + QStringLiteral("/x");
        p.buttons[7].macroname = text;
        p.buttons[3].Fun = -5;
        p.buttons[41].keyInfo[62] = {255, 254, 253};
        p.dpiLevels[7].x = 4000000000u;
        p.ledModes[2].RGB = QColor(1, 2, 3);
        p.ledModes[5].RGB = QColor(); // invalid
        p.ledModes[6].RGB = QColor::fromHsv(200, 100, 50);
        QVERIFY(writeProfileFile(t.dirs, p, QStringLiteral("x")));
        const QString path = t.dirs.profileDir() + QStringLiteral("/x.prof");
        const QByteArray ours = readAll(path);
        QCOMPARE(ours, profileFileBytes(p));

        ProfileData back;
        QVERIFY(readProfileFile(t.dirs, back, QStringLiteral("x")));
        QVERIFY(back == p);

        {
            QSettings s(path, QSettings::IniFormat);
            s.setValue(QStringLiteral("PROFILE/pollrate"), s.value(QStringLiteral("PROFILE/pollrate")));
        }
        QCOMPARE(readAll(path), ours);
    }

    // A save writes only the files whose bytes change; the rest keep their time.
    void unchangedFilesAreNotRewritten()
    {
        StorageTestDirs t;
        AppConfig c = sampleConfig(t.dirs);
        QVERIFY(saveWorkingConfig(t.dirs, c).ok);
        const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
        QStringList files{t.dirs.configIni()};
        for (int i = 1; i <= kProfileCount; ++i)
            files << t.dirs.profileDir() + QStringLiteral("/Profile %1.prof").arg(i);
        for (const QString &f : files)
            setModified(f, old);

        c.profiles[2].dpi = 6;
        QVERIFY(saveWorkingConfig(t.dirs, c).ok);
        for (const QString &f : files) {
            const bool changed = f.endsWith(QLatin1String("Profile 3.prof"));
            QVERIFY2((modified(f) != old) == changed, qPrintable(f));
        }
        AppConfig back;
        ButtonPositions positions{};
        loadSavedConfig(t.dirs, back, positions);
        QVERIFY(back == c);
    }

    void linksAreReplacedNotFollowed_data()
    {
        QTest::addColumn<bool>("dangling");
        QTest::newRow("to a file elsewhere") << false;
        QTest::newRow("dangling") << true;
    }

    void linksAreReplacedNotFollowed()
    {
        QFETCH(bool, dangling);
        StorageTestDirs t;
        QTemporaryDir elsewhere;
        const QString outside = elsewhere.path() + QStringLiteral("/precious.txt");
        if (!dangling)
            StorageTestDirs::writeText(outside, "[Keep]\nme=1\n");
        const QString slot = t.dirs.profileDir() + QStringLiteral("/Profile 1.prof");
        const QString config = t.dirs.configIni();
        QVERIFY(QFile::link(outside, slot));
        QVERIFY(QFile::link(outside, config));

        const AppConfig c = sampleConfig(t.dirs);
        QVERIFY(saveWorkingConfig(t.dirs, c).ok);
        QVERIFY(QFile::link(outside, t.dirs.profileDir() + QStringLiteral("/DefaultProfile.prof")));
        QVERIFY(writeDefaultProfileFile(t.dirs));

        QCOMPARE(QFileInfo::exists(outside), !dangling);
        if (!dangling)
            QCOMPARE(readAll(outside), QByteArray("[Keep]\nme=1\n"));
        for (const QString &f : {slot, config, t.dirs.profileDir() + QStringLiteral("/DefaultProfile.prof")})
            QVERIFY2(QFileInfo(f).isFile() && !QFileInfo(f).isSymLink(), qPrintable(f));
        QCOMPARE(readAll(slot), profileFileBytes(c.profiles[0]));
    }

    // One file that cannot be replaced fails the whole save, and says why;
    // the other files keep their old bytes.
    void failedSaveChangesNothing()
    {
        StorageTestDirs t;
        AppConfig c = sampleConfig(t.dirs);
        QVERIFY(saveWorkingConfig(t.dirs, c).ok);
        const QString blocked = t.dirs.profileDir() + QStringLiteral("/Profile 4.prof");
        QVERIFY(QFile::remove(blocked));
        QVERIFY(QDir().mkpath(blocked + QStringLiteral("/in the way")));
        QStringList files{t.dirs.configIni()};
        for (int i : {1, 2, 3, 5})
            files << t.dirs.profileDir() + QStringLiteral("/Profile %1.prof").arg(i);
        QList<QByteArray> before;
        for (const QString &f : files)
            before << readAll(f);

        for (ProfileData &p : c.profiles)
            p.pollrate = 4;
        c.LiftHigh = 3;
        const StoreResult result = saveWorkingConfig(t.dirs, c, 1);
        QVERIFY(!result.ok);
        QCOMPARE(result.file, blocked);
        QVERIFY(!result.reason.isEmpty());
        QVERIFY(result.message().startsWith(QStringLiteral("cannot write ") + blocked + QStringLiteral(": ")));
        for (int i = 0; i < files.size(); ++i)
            QVERIFY2(readAll(files[i]) == before[i], qPrintable(files[i]));
        QCOMPARE(QDir(t.dirs.profileDir()).entryList(QDir::Files | QDir::Hidden).size(), 4); // no leftovers
        QCOMPARE(readDiff(t.dirs), 0);
    }
};

QTEST_GUILESS_MAIN(TestStoredFiles)
#include "tst_storedfiles.moc"
