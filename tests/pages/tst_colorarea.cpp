// The colour editor: the strip and square pixels as hue, saturation and
// value, the hex field's completion, one announcement per finished change,
// and greys that keep the hue.

#include "AccessibilityCheck.h"
#include "AppDirCopy.h"
#include "DefaultColorArea.h"
#include "HColorArea.h"
#include "PreviewColorArea.h"
#include "SVColorArea.h"
#include "TarnColorArea.h"
#include "TarnUi.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

class TestColorArea : public QObject
{
    Q_OBJECT

    AppDirCopy m_Dir;

private slots:
    void topOfTheHueStripIsHueZero_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("y");
        QTest::newRow("top edge") << 1.0 << 0;
        QTest::newRow("top of the gradient") << 1.0 << 7;
        QTest::newRow("top of the gradient at 1.5") << 1.5 << 10;
    }
    void topOfTheHueStripIsHueZero()
    {
        QFETCH(double, scale);
        QFETCH(int, y);
        TarnUi ui(StorageDirs::fromAppDir(m_Dir.path()), scale);
        TarnColorArea dialog;
        dialog.setColor(QColor(0, 0, 255)); // hue 240
        QSignalSpy changed(&dialog, &TarnColorArea::TarnChangeColor);
        QSignalSpy applied(&dialog, &TarnColorArea::ApplyColor);
        QTest::mouseClick(dialog.hueStrip(), Qt::LeftButton, {}, QPoint(10, y));
        QCOMPARE(dialog.hueBox()->value(), 0);
        QCOMPARE(dialog.color(), QColor(255, 0, 0));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(applied.count(), 1);
    }

    void squarePixelsGiveSaturation_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("saturation");
        QTest::newRow("right edge") << 1.0 << 128 << 255;
        QTest::newRow("x 100") << 1.0 << 100 << 200;
        QTest::newRow("x 1") << 1.0 << 1 << 2;
        QTest::newRow("right edge at 1.5") << 1.5 << 192 << 255;
        QTest::newRow("x 150 at 1.5") << 1.5 << 150 << 200;
    }
    void squarePixelsGiveSaturation()
    {
        QFETCH(double, scale);
        QFETCH(int, x);
        QFETCH(int, saturation);
        TarnUi ui(StorageDirs::fromAppDir(m_Dir.path()), scale);
        TarnColorArea dialog;
        QTest::mouseClick(dialog.svSquare(), Qt::LeftButton, {}, QPoint(x, 0));
        QCOMPARE(dialog.saturationBox()->value(), saturation);
        QCOMPARE(dialog.valueBox()->value(), 255);
        QCOMPARE(dialog.preview()->color().hsvSaturation(), saturation);
    }

    void hexFieldCompletesWhenLeft_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("completed");
        QTest::newRow("three digits doubled") << "f80"
                                              << "ff8800";
        QTest::newRow("empty") << ""
                               << "000000";
        QTest::newRow("two digits") << "7f"
                                    << "00007f";
        QTest::newRow("five digits") << "12345"
                                     << "012345";
        QTest::newRow("six digits") << "A0B1C2"
                                    << "a0b1c2";
    }
    void hexFieldCompletesWhenLeft()
    {
        QFETCH(QString, typed);
        QFETCH(QString, completed);
        TarnUi ui(StorageDirs::fromAppDir(m_Dir.path()));
        TarnColorArea dialog;
        dialog.setColor(QColor(1, 2, 3));
        QSignalSpy applied(&dialog, &TarnColorArea::ApplyColor);
        dialog.hexEdit()->selectAll();
        QTest::keyClick(dialog.hexEdit(), Qt::Key_Backspace);
        QTest::keyClicks(dialog.hexEdit(), typed);
        QTest::keyClick(dialog.hexEdit(), Qt::Key_Return);
        QCOMPARE(dialog.hexEdit()->text(), completed);
        QCOMPARE(dialog.color(), QColor(QLatin1Char('#') + completed));
        QCOMPARE(applied.count(), 1);
    }

    void redBoxAnnouncesOnce()
    {
        TarnUi ui(StorageDirs::fromAppDir(m_Dir.path()));
        TarnColorArea dialog;
        dialog.setColor(QColor(0, 128, 255));
        QSignalSpy changed(&dialog, &TarnColorArea::TarnChangeColor);
        QSignalSpy applied(&dialog, &TarnColorArea::ApplyColor);
        dialog.redBox()->setValue(255);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(applied.count(), 1);
        QCOMPARE(changed.first().first().value<QColor>(), QColor(255, 128, 255));
        // The others follow without starting a change of their own.
        QCOMPARE(dialog.hexEdit()->text(), QString("ff80ff"));
        QCOMPARE(dialog.hueBox()->value(), QColor(255, 128, 255).hsvHue());
        QCOMPARE(dialog.preview()->color(), QColor(255, 128, 255));
    }

    void greysKeepTheHue()
    {
        TarnUi ui(StorageDirs::fromAppDir(m_Dir.path()));
        TarnColorArea dialog;
        dialog.show();
        QVERIFY_ACCESSIBLE(&dialog);
        dialog.setColor(QColor(0, 255, 0)); // hue 120
        QSignalSpy changed(&dialog, &TarnColorArea::TarnChangeColor);
        QSignalSpy applied(&dialog, &TarnColorArea::ApplyColor);
        QTest::mouseClick(dialog.preset(6), Qt::LeftButton); // white
        QCOMPARE(dialog.color(), QColor(255, 255, 255));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(applied.count(), 1);
        QCOMPARE(dialog.hueBox()->value(), 120);
        QCOMPARE(dialog.hueStrip()->hue(), 120);
        QCOMPARE(dialog.svSquare()->hue(), 120);
        dialog.blueBox()->setValue(0); // yellow: a hue again
        QCOMPARE(dialog.hueBox()->value(), 60);
    }
};

QTEST_MAIN(TestColorArea)
#include "tst_colorarea.moc"
