// Sniper dialog: the start step, slider band and DPI shown per sensor, its
// size at a display scale, and how OK, Cancel and the keyboard end it.

#include "AccessibilityCheck.h"
#include "AppDirCopy.h"
#include "SniperRange.h"
#include "TarnLabel.h"
#include "TarnSniperWindow.h"
#include "TarnUi.h"

#include <QApplication>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

class TstSniperWindow : public QObject
{
    Q_OBJECT
private slots:
    void presetPerSensor_data();
    void presetPerSensor();
    void sizeAndAnswer_data();
    void sizeAndAnswer();
};

void TstSniperWindow::presetPerSensor_data()
{
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("tableStep"); // sniperPresetStep, before the slider clamps
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("range"); // of the slider
    QTest::addColumn<int>("dpi");       // shown beside the slider
    QTest::newRow("3212 16 kept") << 3212 << 16 << 16 << 16 << "16..32" << 600;
    QTest::newRow("3212 32 kept") << 3212 << 32 << 32 << 32 << "16..32" << 1200;
    QTest::newRow("3212 40 replaced") << 3212 << 40 << 16 << 16 << "16..32" << 600;
    QTest::newRow("3389 1 replaced") << 3389 << 1 << 6 << 6 << "2..20" << 300;
    QTest::newRow("3360 new assignment") << 3360 << 0 << 3 << 3 << "1..10" << 300;
    QTest::newRow("3327 11 replaced") << 3327 << 11 << 3 << 3 << "1..10" << 400;
    QTest::newRow("3333 1 kept, slider floor") << 3333 << 1 << 1 << 2 << "2..10" << 200;
    QTest::newRow("3104 27 replaced") << 3104 << 27 << 14 << 14 << "14..26" << 500;
    QTest::newRow("unknown sensor keeps") << 4000 << 7 << 7 << 7 << "1..10" << 0;
}

void TstSniperWindow::presetPerSensor()
{
    QFETCH(int, sensor);
    QFETCH(int, preset);
    QFETCH(int, tableStep);
    QFETCH(int, step);
    QFETCH(QString, range);
    QFETCH(int, dpi);
    QCOMPARE(sniperPresetStep(sensor, preset), tableStep);

    AppDirCopy app;
    app.setConfigKey(QStringLiteral("MouseSenSor/1"), sensor);
    TarnUi ui(StorageDirs::fromAppDir(app.path()), 1.0);
    TarnSniperWindow dlg;
    QSignalSpy announced(&dlg, &TarnSniperWindow::SetSniperValue);
    dlg.setPreset(preset);

    auto *slider = dlg.findChild<QSlider *>(QStringLiteral("sniperSlider"));
    auto *value = dlg.findChild<TarnLabel *>(QStringLiteral("sniperValueLabel"));
    QVERIFY(slider && value);
    QCOMPARE(int(dlg.step()), step);
    QCOMPARE(slider->value(), step);
    QCOMPARE(QStringLiteral("%1..%2").arg(slider->minimum()).arg(slider->maximum()), range);
    QCOMPARE(value->text(), QString::number(dpi));
    QCOMPARE(announced.count(), 1);
    QCOMPARE(int(announced.at(0).at(0).value<uchar>()), step);
}

void TstSniperWindow::sizeAndAnswer_data()
{
    using Keys = QList<int>;
    QTest::addColumn<double>("scale");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Keys>("keys");     // typed after the slider moved
    QTest::addColumn<QString>("click"); // then this button is clicked
    QTest::addColumn<int>("result");
    const QSize big(600, 387);
    QTest::newRow("1.0 Enter on slider") << 1.0 << QSize(400, 258) << Keys{Qt::Key_Return} << "" << 1;
    QTest::newRow("1.5 OK clicked") << 1.5 << big << Keys() << "msgBoxYesBtn" << 1;
    QTest::newRow("1.5 Cancel clicked") << 1.5 << big << Keys() << "msgBoxNoBtn" << 0;
    QTest::newRow("1.5 Tab, Enter on OK") << 1.5 << big << Keys{Qt::Key_Tab, Qt::Key_Enter} << "" << 1;
    QTest::newRow("1.5 Tab Tab, Enter on Cancel")
        << 1.5 << big << Keys{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return} << "" << 0;
}

void TstSniperWindow::sizeAndAnswer()
{
    QFETCH(double, scale);
    QFETCH(QSize, size);
    QFETCH(QList<int>, keys);
    QFETCH(QString, click);
    QFETCH(int, result);
    AppDirCopy app;
    app.setConfigKey(QStringLiteral("MouseSenSor/1"), 3389);
    TarnUi ui(StorageDirs::fromAppDir(app.path()), scale);
    TarnSniperWindow dlg;
    QCOMPARE(dlg.size(), size);

    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    auto *slider = dlg.findChild<QSlider *>(QStringLiteral("sniperSlider"));
    QVERIFY(slider);
    QCOMPARE(QApplication::focusWidget(), slider);
    QCOMPARE(slider->accessibleName(), QStringLiteral("Sniper DPI"));
    QVERIFY_ACCESSIBLE(&dlg);
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(dlg.findChild<TarnLabel *>(QStringLiteral("sniperValueLabel"))->text(), QStringLiteral("400"));

    for (int key : keys)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    if (!click.isEmpty()) {
        auto *button = dlg.findChild<QToolButton *>(click);
        QVERIFY(button && dlg.rect().contains(button->geometry()));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), result);
    if (result == QDialog::Accepted)
        QCOMPARE(int(dlg.step()), 8);
}

QTEST_MAIN(TstSniperWindow)
#include "tst_sniperwindow.moc"
