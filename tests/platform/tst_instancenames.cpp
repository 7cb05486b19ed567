#include "InstanceNames.h"

#include <QtTest>

namespace {

const QString kProduct = QStringLiteral("TarnX8 Wireless Gaming Mouse Mutex1");

QString withNul(const QString &a, const QString &b)
{
    return a + QChar(0) + b;
}

// Lone surrogates do not survive a UTF-8 round trip.
bool wholeCharacters(const QString &s)
{
    return QString::fromUtf8(s.toUtf8()) == s;
}

} // namespace

class TestInstanceNames : public QObject
{
    Q_OBJECT

private slots:
    void mutexNameKeptWhenValid_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("product") << kProduct;
        QTest::newRow("no product name") << QStringLiteral(" Wireless Gaming Mouse Mutex1");
        QTest::newRow("chinese") << QStringLiteral("鼠标 Wireless Gaming Mouse Mutex1");
        QTest::newRow("slash") << QStringLiteral("a/b Wireless Gaming Mouse Mutex1");
        QTest::newRow("exactly MAX_PATH") << QString(260, QLatin1Char('m'));
    }

    void mutexNameKeptWhenValid()
    {
        QFETCH(QString, name);
        QCOMPARE(instanceMutexName(name), name);
    }

    void mutexNameMadeValid_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("other"); // a name that must not end up the same
        QTest::newRow("namespace prefix") << QStringLiteral("Global\\TarnX8") << QStringLiteral("Global_TarnX8");
        QTest::newRow("backslashes") << QStringLiteral("a\\b\\c") << QStringLiteral("a\\b/c");
        QTest::newRow("NUL") << withNul(QStringLiteral("Tarn"), QStringLiteral("X8"))
                             << withNul(QStringLiteral("Tarn"), QStringLiteral("X9"));
        QTest::newRow("one over MAX_PATH") << QString(261, QLatin1Char('m')) << QString(262, QLatin1Char('m'));
        QTest::newRow("5000 characters") << QString(5000, QLatin1Char('m')) + QLatin1Char('1')
                                         << QString(5000, QLatin1Char('m')) + QLatin1Char('2');
        // 199 + 2 * 40 code units: the cut at 200 falls inside the first emoji
        QTest::newRow("emoji across the cut")
            << QString(199, QLatin1Char('m')) + QStringLiteral("\U0001F5B1").repeated(40)
            << QString(199, QLatin1Char('m')) + QStringLiteral("\\");
    }

    void mutexNameMadeValid()
    {
        QFETCH(QString, name);
        QFETCH(QString, other);
        const QString result = instanceMutexName(name);
        QVERIFY(result != name);
        QVERIFY(!result.contains(QLatin1Char('\\')));
        QVERIFY(!result.contains(QChar(0)));
        QVERIFY(result.size() <= 260);
        QVERIFY(wholeCharacters(result));
        QCOMPARE(instanceMutexName(name), result);
        QVERIFY(instanceMutexName(other) != result);
    }
};

QTEST_GUILESS_MAIN(TestInstanceNames)
#include "tst_instancenames.moc"
