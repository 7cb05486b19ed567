// Message box, name box and progress dialog: sizes, buttons per kind, the
// results of exec(), the frame, and the box that closes itself once the mouse
// is back.

#include "TarnLineEdit.h"
#include "TarnMessageBox.h"
#include "TarnPopBox.h"
#include "TarnProcessDialog.h"
#include "TarnUi.h"
#include "TestSkinDir.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

class TstTarnDialogs : public QObject
{
    Q_OBJECT
private slots:
    void messageBoxSize_data();
    void messageBoxSize();
    void buttonsOfKind_data();
    void buttonsOfKind();
    void iconOfKind_data();
    void iconOfKind();
    void releaseDecides_data();
    void releaseDecides();
    void framePaintedInTheme();
    void headingAboveTitleRule_data();
    void headingAboveTitleRule();
    void closesWhenDeviceReturns_data();
    void closesWhenDeviceReturns();
    void staysOpenWhileDeviceAbsent();
    void noWatchingWithoutFlag();
    void popBoxKeepsName();
    void processDialogEndsOnSignal_data();
    void processDialogEndsOnSignal();
};

void TstTarnDialogs::messageBoxSize_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QSize>("size");
    QTest::newRow("1.00") << 1.0 << QSize(478, 309);
    QTest::newRow("1.25") << 1.25 << QSize(597, 386);
    QTest::newRow("1.50") << 1.5 << QSize(717, 463);
    QTest::newRow("2.00") << 2.0 << QSize(956, 618);
}

void TstTarnDialogs::messageBoxSize()
{
    QFETCH(double, scale);
    QFETCH(QSize, size);
    TestSkinDir dir;
    TarnUi ui(dir.dirs(), scale);
    TarnMessageBox box(2, QString(), QStringLiteral("Warning"), QStringLiteral("Dongle Disconnect!"), nullptr, false,
                       Qt::FramelessWindowHint);
    QCOMPARE(box.size(), size);
    QCOMPARE(box.minimumSize(), size);
    QCOMPARE(box.maximumSize(), size);
    QVERIFY(box.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(box.windowFlags() & Qt::FramelessWindowHint);
}

void TstTarnDialogs::buttonsOfKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("yesText");
    QTest::addColumn<bool>("hasNo");
    QTest::newRow("1 question") << 1 << "Yes" << true;
    QTest::newRow("2 warning") << 2 << "Ok" << false;
    QTest::newRow("3") << 3 << "Ok" << false;
    QTest::newRow("4 disconnect") << 4 << "Ok" << false;
}

void TstTarnDialogs::buttonsOfKind()
{
    QFETCH(int, kind);
    QFETCH(QString, yesText);
    QFETCH(bool, hasNo);
    TestSkinDir dir;
    TarnUi ui(dir.dirs(), 1.0);
    TarnMessageBox box(kind, QString(), QStringLiteral("Warning"),
                       QStringLiteral("Send data failed, please try again."));
    box.show();
    auto *yes = box.findChild<QToolButton *>(QStringLiteral("msgBoxYesBtn"));
    auto *no = box.findChild<QToolButton *>(QStringLiteral("msgBoxNoBtn"));
    QVERIFY(yes);
    QCOMPARE(yes->text(), yesText);
    QVERIFY(yes->isVisible());
    QCOMPARE(no != nullptr && no->isVisible(), hasNo);
    if (hasNo)
        QCOMPARE(no->text(), QStringLiteral("No"));
    QVERIFY(yes->styleSheet().contains(QStringLiteral("rgb(0,0,255)"))); // theme 2
    auto *heading = box.findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel1"));
    auto *message = box.findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2"));
    QVERIFY(heading && message);
    QCOMPARE(heading->text(), QStringLiteral("Warning"));
    QCOMPARE(message->text(), QStringLiteral("Send data failed, please try again."));
    QCOMPARE(box.windowTitle(), QStringLiteral("Warning")); // the heading, as no title was given
    // Buttons sit inside the dialog.
    QVERIFY(box.rect().contains(yes->geometry()));
}

void TstTarnDialogs::iconOfKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QColor>("icon");
    const QColor warn(250, 200, 0);
    const QColor dongle(0, 180, 250);
    QTest::newRow("1 warn") << 1 << warn;
    QTest::newRow("2 warn") << 2 << warn;
    QTest::newRow("3 warn") << 3 << warn;
    QTest::newRow("4 dongle") << 4 << dongle;
}

void TstTarnDialogs::iconOfKind()
{
    QFETCH(int, kind);
    QFETCH(QColor, icon);
    TestSkinDir dir;
    dir.addImage(QStringLiteral("warn.png"), QColor(250, 200, 0), 32, 32);
    dir.addImage(QStringLiteral("dongle2.png"), QColor(0, 180, 250), 32, 32);
    TarnUi ui(dir.dirs(), 1.0);
    TarnMessageBox box(kind, QString(), QStringLiteral("Warning"), QStringLiteral("text"));
    auto *label = box.findChild<QLabel *>(QStringLiteral("msgBoxIcon"));
    QVERIFY(label);
    const QPixmap pixmap = label->pixmap(Qt::ReturnByValue);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.toImage().pixelColor(pixmap.width() / 2, pixmap.height() / 2), icon);
}

void TstTarnDialogs::releaseDecides_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("question yes") << 1 << "msgBoxYesBtn" << 1;
    QTest::newRow("question no") << 1 << "msgBoxNoBtn" << 0;
    QTest::newRow("warning ok") << 2 << "msgBoxYesBtn" << 1;
}

void TstTarnDialogs::releaseDecides()
{
    QFETCH(int, kind);
    QFETCH(QString, button);
    QFETCH(int, result);
    TestSkinDir dir;
    TarnUi ui(dir.dirs(), 1.0);
    TarnMessageBox box(kind, QString(), QStringLiteral("Warning"), QStringLiteral("Are you sure?"));
    QTimer::singleShot(0, &box, [&] {
        auto *target = box.findChild<QToolButton *>(button);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton);
    });
    QTimer::singleShot(2000, &box, [&] { box.done(42); }); // safety net
    QCOMPARE(box.exec(), result);
}

void TstTarnDialogs::framePaintedInTheme()
{
    TestSkinOptions options;
    options.colorId = 6;
    TestSkinDir dir(options);
    dir.addImage(QStringLiteral("dlg.png"), QColor(20, 20, 20), 40, 40);
    TarnUi ui(dir.dirs(), 1.0);
    TarnMessageBox box(2, QString(), QStringLiteral("Warning"), QStringLiteral("text"));
    const QImage image = box.grab().toImage();
    const QColor theme(255, 125, 0);
    const int midY = image.height() / 2;
    const int midX = image.width() / 2;
    // Frame 2 px wide, one pixel in from every edge; picture outside and inside.
    QCOMPARE(image.pixelColor(0, midY), QColor(20, 20, 20));
    QCOMPARE(image.pixelColor(1, midY), theme);
    QCOMPARE(image.pixelColor(2, midY), theme);
    QCOMPARE(image.pixelColor(3, midY), QColor(20, 20, 20));
    QCOMPARE(image.pixelColor(image.width() - 1, midY), QColor(20, 20, 20));
    QCOMPARE(image.pixelColor(image.width() - 2, midY), theme);
    QCOMPARE(image.pixelColor(image.width() - 3, midY), theme);
    QCOMPARE(image.pixelColor(midX, 1), theme);
    QCOMPARE(image.pixelColor(midX, image.height() - 2), theme);
    QCOMPARE(image.pixelColor(midX, image.height() - 1), QColor(20, 20, 20));
}

void TstTarnDialogs::headingAboveTitleRule_data()
{
    QTest::addColumn<bool>("popBox");
    QTest::addColumn<double>("scale");
    QTest::newRow("message box 1.00") << false << 1.0;
    QTest::newRow("message box 1.50") << false << 1.5;
    QTest::newRow("name box 1.00") << true << 1.0;
    QTest::newRow("name box 1.50") << true << 1.5;
}

void TstTarnDialogs::headingAboveTitleRule()
{
    QFETCH(bool, popBox);
    QFETCH(double, scale);
    TestSkinOptions options;
    options.fontSize = 12;
    TestSkinDir dir(options);
    TarnUi ui(dir.dirs(), scale);
    QScopedPointer<QDialog> box;
    if (popBox)
        box.reset(new TarnPopBox(QStringLiteral("NAME"), QStringLiteral("Profile 1")));
    else
        box.reset(new TarnMessageBox(1, QString(), QStringLiteral("Warning"), QStringLiteral("text")));
    auto *heading =
        box->findChild<QLabel *>(popBox ? QStringLiteral("popBoxHeading") : QStringLiteral("msgBoxInfoLabel1"));
    QVERIFY(heading);
    // The language font at its own size, like every other text.
    QCOMPARE(heading->font().pixelSize(), ui.languageFont().pixelSize());
    QCOMPARE(heading->font().family(), ui.languageFont().family());
    // dlg.png, stretched over the dialog, draws a title rule at 56/309 of its
    // height; the heading must not run into it or into the frame.
    const int rule = box->height() * 56 / 309;
    QVERIFY2(heading->geometry().bottom() < rule,
             qPrintable(QStringLiteral("heading ends at %1, rule at %2").arg(heading->geometry().bottom()).arg(rule)));
    QVERIFY(heading->geometry().top() > 3);
    QVERIFY(heading->height() >= QFontMetrics(heading->font()).height());
}

void TstTarnDialogs::closesWhenDeviceReturns_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("returnsAfterMs");
    QTest::newRow("early") << 1.0 << 30;
    QTest::newRow("later, scale 1.5") << 1.5 << 250;
}

void TstTarnDialogs::closesWhenDeviceReturns()
{
    QFETCH(double, scale);
    QFETCH(int, returnsAfterMs);
    TestSkinDir dir;
    TarnUi ui(dir.dirs(), scale);
    bool present = false;
    int queries = 0;
    TarnMessageBox box(4, QString(), QStringLiteral("Warning"), QStringLiteral("Dongle Disconnect!"), nullptr, true,
                       Qt::FramelessWindowHint, [&] {
                           ++queries;
                           return present;
                       });
    QVERIFY(box.isWatchingPlugIn());
    QElapsedTimer sincePresent;
    QTimer::singleShot(returnsAfterMs, &box, [&] {
        present = true;
        sincePresent.start();
    });
    QTimer::singleShot(3000, &box, [&] { box.done(42); }); // safety net
    const int result = box.exec();
    QCOMPARE(result, 1);
    QVERIFY(sincePresent.isValid());
    const qint64 waited = sincePresent.elapsed();
    QVERIFY2(waited <= 100 + 40, qPrintable(QString::number(waited)));
    QVERIFY(queries >= 1);
    QVERIFY(!box.isWatchingPlugIn());
}

void TstTarnDialogs::staysOpenWhileDeviceAbsent()
{
    TestSkinDir dir;
    TarnUi ui(dir.dirs(), 1.0);
    int queries = 0;
    TarnMessageBox box(4, QString(), QStringLiteral("Warning"), QStringLiteral("Dongle Disconnect!"), nullptr, true,
                       Qt::FramelessWindowHint, [&] {
                           ++queries;
                           return false;
                       });
    bool openAfterWait = false;
    QTimer::singleShot(450, &box, [&] {
        openAfterWait = box.isVisible();
        box.reject();
    });
    QCOMPARE(box.exec(), 0);
    QVERIFY(openAfterWait);
    // Asked about every 100 ms: four times in 450 ms, allow for a slow machine.
    QVERIFY2(queries >= 3 && queries <= 5, qPrintable(QString::number(queries)));
}

void TstTarnDialogs::noWatchingWithoutFlag()
{
    TestSkinDir dir;
    TarnUi ui(dir.dirs(), 1.0);
    int queries = 0;
    TarnMessageBox box(4, QString(), QStringLiteral("Warning"), QStringLiteral("Dongle Disconnect!"), nullptr, false,
                       Qt::FramelessWindowHint, [&] {
                           ++queries;
                           return true;
                       });
    QVERIFY(!box.isWatchingPlugIn());
    QTimer::singleShot(300, &box, [&] { box.reject(); });
    QCOMPARE(box.exec(), 0);
    QCOMPARE(queries, 0);
    // Watching without a query never closes the box and does not crash.
    TarnMessageBox blind(4, QString(), QStringLiteral("Warning"), QStringLiteral("Dongle Disconnect!"), nullptr, true);
    QTimer::singleShot(250, &blind, [&] { blind.reject(); });
    QCOMPARE(blind.exec(), 0);
}

void TstTarnDialogs::popBoxKeepsName()
{
    TestSkinDir dir;
    TarnUi ui(dir.dirs(), 1.0);
    TarnPopBox box(QStringLiteral("NAME"), QStringLiteral("Profile 1"));
    QCOMPARE(box.name(), QStringLiteral("Profile 1"));
    QTest::keyClick(box.nameEdit(), Qt::Key_End);
    QTest::keyClicks(box.nameEdit(), QStringLiteral("x"));
    QCOMPARE(box.name(), QStringLiteral("Profile 1x"));
    auto *yes = box.findChild<QToolButton *>(QStringLiteral("msgBoxYesBtn"));
    auto *no = box.findChild<QToolButton *>(QStringLiteral("msgBoxNoBtn"));
    QVERIFY(yes && no);
    QVERIFY(yes->styleSheet().contains(QStringLiteral("rgb(255,0,0)")));
    QTimer::singleShot(0, &box, [&] { QTest::mouseClick(no, Qt::LeftButton); });
    QCOMPARE(box.exec(), 0);
    QCOMPARE(box.name(), QStringLiteral("Profile 1x"));
}

void TstTarnDialogs::processDialogEndsOnSignal_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("side");
    QTest::newRow("1.00") << 1.0 << 128;
    QTest::newRow("1.50") << 1.5 << 192;
}

void TstTarnDialogs::processDialogEndsOnSignal()
{
    QFETCH(double, scale);
    QFETCH(int, side);
    TestSkinDir dir;
    TarnUi ui(dir.dirs(), scale);
    QWidget window;
    window.setGeometry(100, 100, 600, 400);
    TarnProcessDialog dialog;
    QVERIFY(dialog.parentWidget() == nullptr);
    QCOMPARE(dialog.size(), QSize(side, side));
    QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
    dialog.centerOn(&window);
    const QPoint offset = dialog.geometry().center() - window.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    if (QFile::exists(QStringLiteral(":/skin/loading.gif"))) {
        QVERIFY(dialog.movie()->isValid());
        QCOMPARE(dialog.movie()->state(), QMovie::Running);
    }
    // Escape and close do not end it while the worker runs: a second send
    // could start and a failure would go unreported.
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.close();
        QVERIFY(dialog.isVisible());
        dialog.slotProcessDlg();
    });
    QTimer::singleShot(2000, &dialog, [&] { dialog.done(42); }); // safety net
    QCOMPARE(dialog.exec(), 1);
    // The worker's signal may also arrive before exec() runs; the dialog still ends.
    dialog.slotProcessDlg();
    QCOMPARE(dialog.exec(), 1);
}

QTEST_MAIN(TstTarnDialogs)
#include "tst_tarndialogs.moc"
