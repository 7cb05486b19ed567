// The language menu against the shipped translations: each choice sets the
// window's and the pages' texts and fonts again and is stored; a translation
// that does not load keeps the texts that are shown.

#include "AppDirCopy.h"
#include "MouseSim.h"
#include "MousecfgWidget.h"
#include "TarnBtnWindow.h"
#include "TarnFireKeyWindow.h"
#include "TarnLabel.h"
#include "TarnMenu.h"
#include "TarnMessageBox.h"
#include "TarnPushButton.h"
#include "VirtualDeviceClock.h"
#include "WindowUnderTest.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <QtTest>

class TestLanguage : public QObject
{
    Q_OBJECT

private:
    static void choose(MousecfgWidget &window, int lang)
    {
        auto *menu = window.findChild<QMenu *>(QStringLiteral("languageMenu"));
        QVERIFY(menu);
        QVERIFY(lang < menu->actions().size());
        menu->actions().at(lang)->trigger();
    }
    static QString tabText(MousecfgWidget &window)
    {
        return window.findChild<TarnPushButton *>(QStringLiteral("tab1"))->text();
    }
    static QStringList speedTitles(MousecfgWidget &window)
    {
        QStringList texts;
        for (TarnLabel *label : window.findChild<QWidget *>(QStringLiteral("speedPanel"))->findChildren<TarnLabel *>())
            texts << label->text();
        return texts;
    }
    static int storedLangId(const AppDirCopy &dir)
    {
        return QSettings(dir.path() + QStringLiteral("/Configs/LangConfig.ini"), QSettings::IniFormat)
            .value(QStringLiteral("Config/LangID"))
            .toInt();
    }

    VirtualDeviceClock m_Clock{20};

private slots:
    void init() { mousesim::MouseSim::instance().reset(); }

    void choosingALanguage_data()
    {
        QTest::addColumn<int>("lang");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("speedTitle");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixels");
        // Each language's font differs from the others' in the copied Config.ini.
        QTest::newRow("English") << 0 << "English"
                                 << "CUSTOMIZE"
                                 << "POINTER SPEED"
                                 << "DejaVu Serif" << 11;
        QTest::newRow("Chinese") << 1 << QString::fromUtf8("简体中文") << QString::fromUtf8("自定义")
                                 << QString::fromUtf8("指针速度") << "WenQuanYi Micro Hei" << 13;
        QTest::newRow("German") << 2 << "Deutsch"
                                << "TASTEN"
                                << "ZEIGERTEMPO"
                                << "DejaVu Sans" << 12;
    }
    void choosingALanguage()
    {
        QFETCH(int, lang);
        AppDirCopy dir;
        dir.setConfigKey(QStringLiteral("FONT_LIST/FONT_0"), QStringLiteral("DejaVu Serif"));
        dir.setConfigKey(QStringLiteral("FONT_LIST/FONT_SIZE_0"), 11);
        dir.setConfigKey(QStringLiteral("FONT_LIST/FONT_SIZE_1"), 13);
        // Start in another language, so that every row changes the texts.
        QSettings(dir.path() + QStringLiteral("/Configs/LangConfig.ini"), QSettings::IniFormat)
            .setValue(QStringLiteral("Config/LangID"), lang == 2 ? 1 : 2);
        WindowUnderTest window(dir, &m_Clock);
        QFETCH(QString, tab);
        QVERIFY(tabText(*window) != tab);

        choose(*window, lang);
        QCoreApplication::processEvents();

        QTEST(window->findChild<TarnPushButton *>(QStringLiteral("languageButton"))->text(), "button");
        QCOMPARE(tabText(*window), tab);
        QFETCH(QString, speedTitle);
        QVERIFY2(speedTitles(*window).contains(speedTitle), qPrintable(speedTitles(*window).join(QLatin1Char('|'))));
        const QFont font = window->findChild<TarnPushButton *>(QStringLiteral("tab1"))->font();
        QTEST(font.family(), "family");
        QTEST(font.pixelSize(), "pixels");
        auto *menu = window->findChild<QMenu *>(QStringLiteral("languageMenu"));
        QTEST(menu->font().family(), "family");
        QTEST(menu->actions().at(0)->font().family(), "family");
        QCOMPARE(storedLangId(dir), lang);
    }

    void aMissingTranslationKeepsTheShownTexts()
    {
        AppDirCopy dir;
        QVERIFY(QFile::remove(dir.path() + QStringLiteral("/lang/mousecfg_de.qm")));
        WindowUnderTest window(dir, &m_Clock);
        QCOMPARE(tabText(*window), QStringLiteral("CUSTOMIZE"));

        choose(*window, 2);
        QCOMPARE(window->findChild<TarnPushButton *>(QStringLiteral("languageButton"))->text(),
                 QStringLiteral("Deutsch"));
        QCOMPARE(storedLangId(dir), 2);
        QCOMPARE(tabText(*window), QStringLiteral("CUSTOMIZE"));

        // Over a translation in use, the failed load leaves that one whole:
        // texts set afterwards still come out in it.
        choose(*window, 1);
        QCOMPARE(tabText(*window), QString::fromUtf8("自定义"));
        choose(*window, 2);
        QCOMPARE(storedLangId(dir), 2);
        QCOMPARE(QCoreApplication::translate("MousecfgWidget", "CUSTOMIZE"), QString::fromUtf8("自定义"));
        QCOMPARE(tabText(*window), QString::fromUtf8("自定义"));
        choose(*window, 0);
    }

    // Pictures for review: the window and a dialog in each language, at two scales.
    void screenshots_data()
    {
        QTest::addColumn<int>("lang");
        QTest::addColumn<double>("dpi");
        for (int lang : {0, 1, 2}) {
            QTest::addRow("language %d scale 1.0", lang) << lang << 96.0;
            QTest::addRow("language %d scale 1.5", lang) << lang << 144.0;
        }
    }
    void screenshots()
    {
        QFETCH(int, lang);
        QFETCH(double, dpi);
        AppDirCopy dir;
        MousecfgOptions options;
        options.logicalDpi = [dpi](const QScreen *) { return dpi; };
        WindowUnderTest window(dir, &m_Clock, options);
        choose(*window, lang);

        TarnFireKeyWindow dialog(window.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QImage shot = window->grab().toImage();
        QPainter painter(&shot);
        painter.drawPixmap((shot.width() - dialog.width()) / 2, (shot.height() - dialog.height()) / 2, dialog.grab());
        painter.end();
        const QString shots = QDir::cleanPath(QStringLiteral(MOUSECFG_APPDIR "/../screenshots"));
        QDir().mkpath(shots);
        const QString suffix = QStringLiteral("%1-%2.png").arg(lang).arg(dpi / 96.0, 0, 'f', 1);
        QVERIFY(shot.save(shots + QStringLiteral("/language-") + suffix));
        dialog.close();

        // The button page's menu with its longest submenu open, where they pop up.
        auto *page = window->findChild<TarnBtnWindow *>();
        TarnMenu *menu = page->mainMenu();
        menu->popup(page->button(2)->mapToGlobal(QPoint(0, page->button(2)->height())));
        QAction *advance = menu->actions().at(7);
        menu->setActiveAction(advance);
        advance->menu()->popup(menu->mapToGlobal(QPoint(menu->width(), menu->actionGeometry(advance).top())));
        QTRY_VERIFY(advance->menu()->isVisible());
        QImage menus = window->grab().toImage();
        painter.begin(&menus);
        for (QMenu *shown : {static_cast<QMenu *>(menu), advance->menu()})
            painter.drawPixmap(shown->pos() - window->pos(), shown->grab());
        painter.end();
        QVERIFY(menus.save(shots + QStringLiteral("/language-menu-") + suffix));
        advance->menu()->close();
        menu->close();
        for (int tab : {2, 3}) {
            QTest::mouseClick(window->findChild<TarnPushButton *>(QStringLiteral("tab%1").arg(tab)), Qt::LeftButton);
            QVERIFY(window->grab().save(shots + QStringLiteral("/language-tab%1-").arg(tab) + suffix));
        }

        // The lighting tab, then the longest message box the window shows.
        window->selectTab(MousecfgWidget::TabLighting);
        QVERIFY(window->grab().save(shots + QStringLiteral("/language-tab0-") + suffix));
        TarnMessageBox box(TarnMessageBox::Warning, QString(), MousecfgWidget::tr("Warning"),
                           MousecfgWidget::tr("AT LEAST ONE CLICK FUNCTION TO BE RETAINED."), window.get());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QImage boxed = window->grab().toImage();
        painter.begin(&boxed);
        painter.drawPixmap(box.pos() - window->pos(), box.grab());
        painter.end();
        QVERIFY(boxed.save(shots + QStringLiteral("/language-box-") + suffix));
    }

    void theMenuHoldsAtMostTenLanguages()
    {
        AppDirCopy dir;
        dir.setConfigKey(QStringLiteral("FONT_LIST/LANGNUM"), 99);
        WindowUnderTest window(dir, &m_Clock);
        QCOMPARE(window->findChild<QMenu *>(QStringLiteral("languageMenu"))->actions().size(), 10);
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
