// The speed page's 1..20 against the X server's two acceleration settings.

#include "PointerSpeedScale.h"

#include <QtTest>

class TestPointerSpeedScale : public QObject
{
    Q_OBJECT
private slots:
    void bothWays_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<double>("accel");  // libinput Accel Speed
        QTest::addColumn<int>("numerator"); // core pointer, over 10
        QTest::newRow("slowest") << 1 << -0.9 << 1;
        QTest::newRow("neutral") << 10 << 0.0 << 10;
        QTest::newRow("one above") << 11 << 0.1 << 11;
        QTest::newRow("fastest") << 20 << 1.0 << 20;
        QTest::newRow("below the scale") << 0 << -0.9 << 1;
        QTest::newRow("above the scale") << 25 << 1.0 << 20;
    }
    void bothWays()
    {
        QFETCH(int, speed);
        QFETCH(double, accel);
        QFETCH(int, numerator);
        QCOMPARE(libinputAccelFromSpeed(speed), accel);
        int num = 0, den = 0;
        coreAccelFromSpeed(speed, &num, &den);
        QCOMPARE(num, numerator);
        QCOMPARE(den, 10);
        const int onScale = clampPointerSpeed(speed);
        QCOMPARE(speedFromLibinputAccel(accel), onScale);
        QCOMPARE(speedFromCoreAccel(num, den), onScale);
    }

    void readingsOffTheSteps_data()
    {
        QTest::addColumn<double>("accel");
        QTest::addColumn<int>("libinputSpeed");
        QTest::addColumn<int>("numerator");
        QTest::addColumn<int>("denominator");
        QTest::addColumn<int>("coreSpeed");
        QTest::newRow("slowest both") << -1.0 << 1 << 1 << 1 << 10;
        QTest::newRow("between steps") << 0.26 << 13 << 3 << 2 << 15;
        QTest::newRow("almost neutral, slowed") << 0.04 << 10 << 1 << 20 << 1;
        QTest::newRow("top") << 0.99 << 20 << 2 << 1 << 20;
    }
    void readingsOffTheSteps()
    {
        QFETCH(double, accel);
        QFETCH(int, libinputSpeed);
        QFETCH(int, numerator);
        QFETCH(int, denominator);
        QFETCH(int, coreSpeed);
        QCOMPARE(speedFromLibinputAccel(accel), libinputSpeed);
        QCOMPARE(speedFromCoreAccel(numerator, denominator), coreSpeed);
    }

    void nothingToRead() { QCOMPARE(speedFromCoreAccel(1, 0), 0); }
};

QTEST_MAIN(TestPointerSpeedScale)
#include "tst_pointerspeedscale.moc"
