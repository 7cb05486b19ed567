// Checks the committed skin: every picture the program loads is there, has the
// size the widgets are laid out for, and carries the details they rely on
// (window outline, distinct button states, the lit button of each mouse
// picture, a playable spinner, a multi-size icon).

#include <QBitmap>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QMovie>
#include <QPixmap>
#include <QRegion>
#include <QSet>
#include <QtTest>

#include <algorithm>

namespace {

QString skinPath(const QString &rel)
{
    return QDir(QStringLiteral(MOUSECFG_SOURCE_DIR "/skin")).filePath(rel);
}

QImage loadSkin(const QString &rel)
{
    QImage img(skinPath(rel));
    return img.isNull() ? img : img.convertToFormat(QImage::Format_ARGB32);
}

// Sum of per-channel differences; the images must have the same size.
qint64 difference(const QImage &a, const QImage &b)
{
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb *pa = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const QRgb *pb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            sum += qAbs(qRed(pa[x]) - qRed(pb[x])) + qAbs(qGreen(pa[x]) - qGreen(pb[x])) +
                   qAbs(qBlue(pa[x]) - qBlue(pb[x])) + qAbs(qAlpha(pa[x]) - qAlpha(pb[x]));
    }
    return sum;
}

} // namespace

class TestSkinFiles : public QObject
{
    Q_OBJECT

private slots:
    void pictureSizes_data();
    void pictureSizes();
    void statesDiffer_data();
    void statesDiffer();
    void backgroundShapesTheWindow();
    void mouseButtonLit_data();
    void mouseButtonLit();
    void spinnerPlaysOverTile();
    void appIconHoldsAllSizes();
    void themeIconSizes_data();
    void themeIconSizes();
};

void TestSkinFiles::pictureSizes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    // Drawn at twice the design size where the widgets scale the picture to a
    // design rectangle; at the exact size where it is used pixel for pixel.
    const struct
    {
        const char *path;
        int w, h;
    } rows[] = {
        {"cfgMainback.png", 999, 640},
        {"tabbutton-1.png", 308, 58},
        {"tabbutton-2.png", 308, 58},
        {"tabbutton-3.png", 308, 58},
        {"close-1.png", 38, 38},
        {"close-2.png", 38, 38},
        {"close-3.png", 38, 38},
        {"min-1.png", 38, 38},
        {"min-2.png", 38, 38},
        {"min-3.png", 38, 38},
        {"lang.png", 210, 40},
        {"rate.png", 304, 56},
        {"mouselogo.png", 400, 100},
        {"bat1.png", 172, 94},
        {"bat2.png", 172, 94},
        {"lightning.png", 52, 80},
        {"dongle.png", 96, 96},
        {"dongle2.png", 168, 168},
        {"warn.png", 168, 168},
        {"dlg.png", 956, 618},
        {"dlg_gun.png", 956, 618},
        {"process.png", 256, 256},
        {"checkbox1-1.png", 36, 36},
        {"checkbox1-2.png", 36, 36},
        {"checkbox2-1.png", 36, 36},
        {"checkbox2-2.png", 36, 36},
        {"pspeed.png", 400, 20},
        {"profilesel.png", 320, 52},
        {"bulletsel.png", 140, 44},
        {"gunset_slider.png", 628, 28},
        {"gunset_bullet.png", 28, 72},
        {"keybo.png", 40, 40},
        {"keydown.png", 40, 40},
        {"keyup.png", 40, 40},
        {"mouse_move.png", 40, 40},
        {"delay.png", 40, 40},
        {"icondelay.png", 40, 40},
        {"resources/yes_Btn.png", 48, 48},
        {"resources/no_Btn.png", 48, 48},
        {"mouse/TarnX8/Mouse.png", 600, 800},
    };
    for (const auto &r : rows)
        QTest::newRow(r.path) << QString::fromLatin1(r.path) << QSize(r.w, r.h);
    for (int n = 1; n <= 8; ++n) {
        const QString p = QStringLiteral("mouse/TarnX8/mouse_%1.png").arg(n);
        QTest::newRow(qPrintable(p)) << p << QSize(600, 800);
    }
}

void TestSkinFiles::pictureSizes()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage img = loadSkin(path);
    QVERIFY2(!img.isNull(), qPrintable(QStringLiteral("cannot load ") + skinPath(path)));
    QCOMPARE(img.size(), size);
    QVERIFY(img.hasAlphaChannel());
}

void TestSkinFiles::statesDiffer_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("tab normal/hover") << "tabbutton-1.png"
                                      << "tabbutton-3.png";
    QTest::newRow("tab hover/pressed") << "tabbutton-3.png"
                                       << "tabbutton-2.png";
    QTest::newRow("close normal/hover") << "close-1.png"
                                        << "close-2.png";
    QTest::newRow("close hover/pressed") << "close-2.png"
                                         << "close-3.png";
    QTest::newRow("min normal/hover") << "min-1.png"
                                      << "min-2.png";
    QTest::newRow("min hover/pressed") << "min-2.png"
                                       << "min-3.png";
    QTest::newRow("close/min") << "close-1.png"
                               << "min-1.png";
    QTest::newRow("checkbox1 off/on") << "checkbox1-1.png"
                                      << "checkbox1-2.png";
    QTest::newRow("checkbox2 off/on") << "checkbox2-1.png"
                                      << "checkbox2-2.png";
    QTest::newRow("battery/cable") << "bat1.png"
                                   << "bat2.png";
    QTest::newRow("key down/up") << "keydown.png"
                                 << "keyup.png";
    QTest::newRow("yes/no") << "resources/yes_Btn.png"
                            << "resources/no_Btn.png";
    QTest::newRow("delay/icondelay") << "delay.png"
                                     << "icondelay.png";
}

void TestSkinFiles::statesDiffer()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    const QImage a = loadSkin(first), b = loadSkin(second);
    QVERIFY(!a.isNull() && !b.isNull());
    QCOMPARE(a.size(), b.size());
    // Clearly visible: on average more than 2 levels per pixel and channel.
    QVERIFY2(difference(a, b) > qint64(a.width()) * a.height() * 2, "the two states look the same");
}

void TestSkinFiles::backgroundShapesTheWindow()
{
    const QImage bg = loadSkin(QStringLiteral("cfgMainback.png"));
    QCOMPARE(bg.size(), QSize(999, 640));

    // The window mask is a one-bit copy of the alpha: no half-transparent rim.
    QSet<int> alphas;
    for (int y = 0; y < bg.height(); ++y)
        for (int x = 0; x < bg.width(); ++x)
            alphas.insert(qAlpha(bg.pixel(x, y)));
    QCOMPARE(alphas, (QSet<int>{0, 255}));

    const QRegion window(QPixmap::fromImage(bg).mask());
    const QPoint outside[] = {{0, 0}, {998, 0}, {0, 639}, {998, 639}, {5, 5}, {993, 634}};
    for (const QPoint &pt : outside)
        QVERIFY2(!window.contains(pt), qPrintable(QStringLiteral("corner %1,%2 is opaque").arg(pt.x()).arg(pt.y())));
    const QPoint inside[] = {{499, 320}, {499, 0}, {499, 639}, {0, 320}, {998, 320}, {69, 20}, {924, 33}};
    for (const QPoint &pt : inside)
        QVERIFY2(window.contains(pt), qPrintable(QStringLiteral("%1,%2 is cut away").arg(pt.x()).arg(pt.y())));
}

void TestSkinFiles::mouseButtonLit_data()
{
    // Where the lit button lies in the 600 x 800 picture: the centre of the
    // changed pixels must fall into this rectangle.
    QTest::addColumn<int>("button");
    QTest::addColumn<QRect>("area");
    QTest::newRow("1 left") << 1 << QRect(100, 40, 190, 320);
    QTest::newRow("2 right") << 2 << QRect(310, 40, 190, 320);
    QTest::newRow("3 wheel") << 3 << QRect(270, 80, 60, 160);
    QTest::newRow("4 forward") << 4 << QRect(60, 320, 80, 100);
    QTest::newRow("5 back") << 5 << QRect(60, 420, 80, 100);
    QTest::newRow("6 dpi up") << 6 << QRect(270, 230, 60, 90);
    QTest::newRow("7 dpi down") << 7 << QRect(270, 310, 60, 90);
    QTest::newRow("8 profile") << 8 << QRect(250, 420, 100, 60);
}

void TestSkinFiles::mouseButtonLit()
{
    QFETCH(int, button);
    QFETCH(QRect, area);
    const QImage base = loadSkin(QStringLiteral("mouse/TarnX8/Mouse.png"));
    const QImage lit = loadSkin(QStringLiteral("mouse/TarnX8/mouse_%1.png").arg(button));
    QVERIFY(!base.isNull() && !lit.isNull());
    QCOMPARE(lit.size(), base.size());

    double sx = 0, sy = 0, weight = 0;
    for (int y = 0; y < base.height(); ++y)
        for (int x = 0; x < base.width(); ++x) {
            const QRgb a = base.pixel(x, y), b = lit.pixel(x, y);
            const int d = qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
            if (d > 30) {
                sx += double(x) * d;
                sy += double(y) * d;
                weight += d;
            }
        }
    QVERIFY2(weight > 0, "the picture shows no lit button");
    const QPoint centre(int(sx / weight), int(sy / weight));
    QVERIFY2(area.contains(centre),
             qPrintable(QStringLiteral("lit area centred at %1,%2").arg(centre.x()).arg(centre.y())));
}

void TestSkinFiles::spinnerPlaysOverTile()
{
    QMovie movie(skinPath(QStringLiteral("resources/loading.gif")));
    QVERIFY(movie.isValid());
    QCOMPARE(movie.frameCount(), 12);
    QCOMPARE(movie.loopCount(), -1); // plays until the dialog closes

    const QSize tile = loadSkin(QStringLiteral("process.png")).size();
    QImage previous;
    QVector<int> lit;
    for (int i = 0; i < movie.frameCount(); ++i) {
        QVERIFY(movie.jumpToFrame(i));
        const QImage frame = movie.currentImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(frame.size(), tile);
        QCOMPARE(qAlpha(frame.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(frame.pixel(tile.width() / 2, tile.height() / 2)), 0);
        if (!previous.isNull())
            QVERIFY2(difference(previous, frame) > 0, qPrintable(QStringLiteral("frame %1 repeats").arg(i)));
        previous = frame;
        int accent = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                const QRgb px = frame.pixel(x, y);
                accent += (qAlpha(px) == 255 && qBlue(px) > qRed(px) + 60) ? 1 : 0;
            }
        lit.push_back(accent);
    }
    // Every frame shows one comet of the same length: a frame that kept the
    // previous frame's pixels (wrong disposal) would show a longer one.
    const auto [least, most] = std::minmax_element(lit.cbegin(), lit.cend());
    QVERIFY(*least > 0);
    QVERIFY2(*most < *least * 3 / 2, qPrintable(QStringLiteral("lit pixels range %1..%2").arg(*least).arg(*most)));
}

void TestSkinFiles::appIconHoldsAllSizes()
{
    QImageReader reader(skinPath(QStringLiteral("icon.ico")));
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QCOMPARE(reader.imageCount(), 4);
    QSet<int> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage img = reader.read();
        QVERIFY2(!img.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(img.width(), img.height());
        QVERIFY(img.hasAlphaChannel());
        QCOMPARE(qAlpha(img.pixel(0, 0)), 0); // the cut corner
        sizes.insert(img.width());
    }
    QCOMPARE(sizes, (QSet<int>{16, 32, 48, 256}));
}

// The desktop icon in the hicolor theme: one picture per size a desktop asks for.
void TestSkinFiles::themeIconSizes_data()
{
    QTest::addColumn<int>("px");
    for (int px : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(QString::number(px))) << px;
}

void TestSkinFiles::themeIconSizes()
{
    QFETCH(int, px);
    const QString path =
        QStringLiteral(MOUSECFG_SOURCE_DIR "/data/linux/icons/hicolor/%1x%1/apps/mousecfg.png").arg(px);
    const QImage img = QImage(path).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!img.isNull(), qPrintable(path));
    QCOMPARE(img.size(), QSize(px, px));
    QCOMPARE(qAlpha(img.pixel(0, 0)), 0);                 // the cut corner
    QCOMPARE(qAlpha(img.pixel(px / 2, px * 3 / 4)), 255); // the mouse's body
}

QTEST_MAIN(TestSkinFiles)
#include "tst_skinfiles.moc"
