// Theme colour table, font rule, scaling and the shared style sheets, read
// through TarnUi from a temporary Config.ini.

#include "TarnMenu.h"
#include "TarnTheme.h"
#include "TarnUi.h"
#include "TestSkinDir.h"

#include <QApplication>
#include <QMenu>
#include <QtTest>

class TstTarnTheme : public QObject
{
    Q_OBJECT
private slots:
    void themeColorFromConfig_data();
    void themeColorFromConfig();
    void languageFontFromConfig_data();
    void languageFontFromConfig();
    void fontFollowsLanguage();
    void scaledRectTruncates_data();
    void scaledRectTruncates();
    void scaleOutsideRangeIsClamped_data();
    void scaleOutsideRangeIsClamped();
    void imagePath_data();
    void imagePath();
    void menuStyleCarriesTheme_data();
    void menuStyleCarriesTheme();
    void menuSeparatorPaintedInTheme();
    void checkedMenuEntryStaysWhite_data();
    void checkedMenuEntryStaysWhite();
    void panelBackground();
    void currentFollowsLifetime();
};

void TstTarnTheme::themeColorFromConfig_data()
{
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("id");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("0 red") << true << 0 << QColor(255, 0, 0);
    QTest::newRow("1 green") << true << 1 << QColor(0, 255, 0);
    QTest::newRow("2 blue") << true << 2 << QColor(0, 0, 255);
    QTest::newRow("3 sand") << true << 3 << QColor(219, 200, 182);
    QTest::newRow("4 magenta") << true << 4 << QColor(255, 0, 255);
    QTest::newRow("5 cyan") << true << 5 << QColor(0, 255, 255);
    QTest::newRow("6 orange") << true << 6 << QColor(255, 125, 0);
    QTest::newRow("7 past the end falls back") << true << 7 << QColor(255, 0, 0);
    QTest::newRow("negative falls back") << true << -1 << QColor(255, 0, 0);
    QTest::newRow("huge falls back") << true << 1000000 << QColor(255, 0, 0);
    QTest::newRow("missing key reads 0") << false << 0 << QColor(255, 0, 0);
}

void TstTarnTheme::themeColorFromConfig()
{
    QFETCH(bool, written);
    QFETCH(int, id);
    QFETCH(QColor, expected);
    TestSkinOptions options;
    options.colorId = id;
    options.writeColorId = written;
    TestSkinDir dir(options);
    QVERIFY(dir.isValid());
    TarnUi ui(dir.dirs(), 1.0);
    QCOMPARE(ui.themeColor(), expected);
    QCOMPARE(TarnUi::currentThemeColor(), expected);
    QCOMPARE(tarnThemeColor(id), written ? expected : QColor(255, 0, 0));
}

void TstTarnTheme::languageFontFromConfig_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("size");
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("pixels");
    QTest::newRow("12 at 1.00") << "DejaVu Serif" << 12 << 1.0 << 12;
    QTest::newRow("13 at 1.25 truncates 16.25") << "DejaVu Sans" << 13 << 1.25 << 16;
    QTest::newRow("13 at 1.50 truncates 19.5") << "DejaVu Sans" << 13 << 1.5 << 19;
    QTest::newRow("11 at 1.75 truncates 19.25") << "DejaVu Sans Mono" << 11 << 1.75 << 19;
    QTest::newRow("15 at 2.75 truncates 41.25") << "DejaVu Sans" << 15 << 2.75 << 41;
    QTest::newRow("9 at 5.00") << "DejaVu Sans" << 9 << 5.0 << 45;
    // Damaged values keep the application font's size (-1: given in points).
    const int fallback = QApplication::font().pixelSize();
    QTest::newRow("size 0 keeps default") << "DejaVu Sans" << 0 << 1.5 << fallback;
    QTest::newRow("negative size keeps default") << "DejaVu Sans" << -12 << 1.0 << fallback;
    QTest::newRow("absurd size keeps default") << "DejaVu Sans" << 2000000000 << 5.0 << fallback;
}

void TstTarnTheme::languageFontFromConfig()
{
    QFETCH(QString, family);
    QFETCH(int, size);
    QFETCH(double, scale);
    QFETCH(int, pixels);
    TestSkinOptions options;
    options.fontFamily = family;
    options.fontSize = size;
    TestSkinDir dir(options);
    TarnUi ui(dir.dirs(), scale);
    const QFont font = ui.languageFont();
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pixelSize(), pixels);
    QCOMPARE(TarnUi::currentFont().pixelSize(), pixels);
}

void TstTarnTheme::fontFollowsLanguage()
{
    // Language 1 chosen in LangConfig.ini: its own keys, not language 0's.
    TestSkinOptions options;
    options.langId = 1;
    options.fontFamily = QStringLiteral("DejaVu Serif");
    options.fontSize = 14;
    TestSkinDir dir(options);
    {
        QSettings ini(dir.dirs().configIni(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("FONT_LIST/FONT_0"), QStringLiteral("DejaVu Sans Mono"));
        ini.setValue(QStringLiteral("FONT_LIST/FONT_SIZE_0"), 20);
    }
    TarnUi ui(dir.dirs(), 1.5);
    QCOMPARE(ui.langId(), 1);
    QCOMPARE(ui.languageFont().family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(ui.languageFont().pixelSize(), 21);
    ui.setLangId(0);
    QCOMPARE(ui.languageFont().family(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(ui.languageFont().pixelSize(), 30);
    // A language without font keys keeps a usable font instead of size 0.
    ui.setLangId(5);
    QVERIFY(ui.languageFont().pixelSize() > 0 || ui.languageFont().pointSizeF() > 0);
}

void TstTarnTheme::scaledRectTruncates_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("1.00") << 1.0 << QRect(670, 33, 100, 19);
    QTest::newRow("1.25") << 1.25 << QRect(837, 41, 125, 23);
    QTest::newRow("1.75") << 1.75 << QRect(1172, 57, 175, 33);
}

void TstTarnTheme::scaledRectTruncates()
{
    QFETCH(double, scale);
    QFETCH(QRect, expected);
    TestSkinDir dir;
    TarnUi ui(dir.dirs(), scale);
    QCOMPARE(ui.scaledRect(670, 33, 100, 19), expected);
    QCOMPARE(TarnUi::currentScaled(19), expected.height());
}

void TstTarnTheme::scaleOutsideRangeIsClamped_data()
{
    QTest::addColumn<double>("given");
    QTest::addColumn<double>("used");
    QTest::newRow("zero") << 0.0 << 1.0;
    QTest::newRow("negative") << -2.0 << 1.0;
    QTest::newRow("too large") << 9.0 << 5.0;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 1.0;
    QTest::newRow("in range") << 2.25 << 2.25;
}

void TstTarnTheme::scaleOutsideRangeIsClamped()
{
    QFETCH(double, given);
    QFETCH(double, used);
    TestSkinDir dir;
    TarnUi ui(dir.dirs(), given);
    QCOMPARE(ui.scale(), used);
}

void TstTarnTheme::imagePath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("relative"); // to the application directory, or absolute when it starts with '!'
    QTest::newRow("slash skin") << "/skin/dlg.png"
                                << "/skin/dlg.png";
    QTest::newRow("dot skin") << "./skin/tabbutton-1.png"
                              << "/skin/tabbutton-1.png";
    QTest::newRow("bare skin") << "skin/pspeed.png"
                               << "/skin/pspeed.png";
    QTest::newRow("resource") << ":/yes_Btn"
                              << "!:/yes_Btn";
    QTest::newRow("other absolute") << "/tmp/x.png"
                                    << "!/tmp/x.png";
}

void TstTarnTheme::imagePath()
{
    QFETCH(QString, name);
    QFETCH(QString, relative);
    TestSkinDir dir;
    TarnUi ui(dir.dirs(), 1.0);
    const QString expected = relative.startsWith('!') ? relative.mid(1) : dir.path() + relative;
    QCOMPARE(ui.imagePath(name), expected);
}

void TstTarnTheme::menuStyleCarriesTheme_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("rgb");
    QTest::newRow("green") << 1 << "rgb(0,255,0)";
    QTest::newRow("sand") << 3 << "rgb(219,200,182)";
    QTest::newRow("orange") << 6 << "rgb(255,125,0)";
}

void TstTarnTheme::menuStyleCarriesTheme()
{
    QFETCH(int, id);
    QFETCH(QString, rgb);
    TestSkinOptions options;
    options.colorId = id;
    TestSkinDir dir(options);
    TarnUi ui(dir.dirs(), 1.0);

    QMenu menu;
    ui.applyMenuStyle(&menu);
    const QString style = menu.styleSheet();
    QVERIFY2(style.contains(rgb), qPrintable(style));
    QVERIFY(style.contains(QStringLiteral("background-color:rgb(50,50,50)")));
    QVERIFY(style.contains(QStringLiteral("selected{background-color:rgb(150,150,150)")));
    QVERIFY(style.contains(QStringLiteral("pressed{background-color:rgb(200,200,200)")));
    QVERIFY(style.contains(QStringLiteral("padding:0px 20px 0px 20px")));
    QCOMPARE(menu.font().pixelSize(), 12);

    TarnMenu own;
    QVERIFY(own.styleSheet().contains(rgb));
}

void TstTarnTheme::menuSeparatorPaintedInTheme()
{
    TestSkinOptions options;
    options.colorId = 6;
    TestSkinDir dir(options);
    TarnUi ui(dir.dirs(), 1.0);
    TarnMenu menu;
    menu.addAction(QStringLiteral("First"));
    QAction *separator = menu.addSeparator();
    menu.addAction(QStringLiteral("Second"));
    menu.setFixedWidth(150);
    menu.ensurePolished();
    menu.adjustSize();
    const QRect line = menu.actionGeometry(separator);
    QVERIFY(!line.isEmpty());
    QCOMPARE(pixelOf(&menu, line.center().x(), line.center().y()), QColor(255, 125, 0));
    QCOMPARE(pixelOf(&menu, line.center().x(), 1), QColor(50, 50, 50));
}

void TstTarnTheme::checkedMenuEntryStaysWhite_data()
{
    QTest::addColumn<bool>("ownMenu");
    QTest::addColumn<int>("id");
    QTest::addColumn<QColor>("theme");
    QTest::newRow("TarnMenu, blue") << true << 2 << QColor(0, 0, 255);
    QTest::newRow("TarnMenu, orange") << true << 6 << QColor(255, 125, 0);
    QTest::newRow("styled QMenu, blue") << false << 2 << QColor(0, 0, 255);
}

void TstTarnTheme::checkedMenuEntryStaysWhite()
{
    QFETCH(bool, ownMenu);
    QFETCH(int, id);
    QFETCH(QColor, theme);
    TestSkinOptions options;
    options.colorId = id;
    TestSkinDir dir(options);
    TarnUi ui(dir.dirs(), 1.0);
    QScopedPointer<QMenu> menu(ownMenu ? new TarnMenu : new QMenu);
    if (!ownMenu)
        ui.applyMenuStyle(menu.data());
    menu->addAction(QStringLiteral("125 HZ"));
    QAction *checked = menu->addAction(QStringLiteral("\u2588\u2588\u2588 1000 HZ"));
    checked->setCheckable(true);
    checked->setChecked(true);
    menu->setFixedWidth(150);
    menu->ensurePolished();
    menu->adjustSize();
    const QRect box = menu->actionGeometry(checked);
    QVERIFY(!box.isEmpty());
    const QImage image = menu->grab().toImage();
    int white = 0;
    int marked = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            white += c == QColor(255, 255, 255) ? 1 : 0;
            marked += c == theme ? 1 : 0;
        }
    // The text of the checked entry is white like every other entry, readable
    // on the dark menu whatever the theme.
    QVERIFY2(white > 20, qPrintable(QString::number(white)));
    if (ownMenu)
        QVERIFY2(marked > 0, "the checked entry carries no theme mark");
}

void TstTarnTheme::panelBackground()
{
    QWidget panel;
    TarnUi::applyPanelBackground(&panel);
    QVERIFY(panel.testAttribute(Qt::WA_StyledBackground));
    QCOMPARE(panel.styleSheet(), QStringLiteral("background-color: rgba(33,35,35,0.5)"));
}

void TstTarnTheme::currentFollowsLifetime()
{
    TestSkinDir dir;
    QVERIFY(TarnUi::current() == nullptr);
    {
        TarnUi ui(dir.dirs(), 1.5);
        QCOMPARE(TarnUi::current(), &ui);
        QCOMPARE(TarnUi::currentScale(), 1.5);
    }
    QVERIFY(TarnUi::current() == nullptr);
    QCOMPARE(TarnUi::currentScale(), 1.0);
    QCOMPARE(TarnUi::currentThemeColor(), QColor(255, 0, 0));
}

QTEST_MAIN(TstTarnTheme)
#include "tst_tarntheme.moc"
