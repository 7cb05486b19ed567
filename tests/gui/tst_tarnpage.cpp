// The page contract: what every page inherits (placing at design rectangles
// for the display scale, retranslation on a language change, store() leaving
// the profile alone unless the page keeps edits of its own).

#include "TarnPage.h"
#include "TarnUi.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A page that keeps the DPI level as a private edit, as the DPI page will.
class LevelPage : public TarnPage
{
public:
    LevelPage()
    {
        m_pBox = new QWidget(this);
        designLayout().place(m_pBox, 15, 43, 100, 50);
    }
    void load(const ProfileData &profile) override { m_iLevel = profile.dpi; }
    void store(ProfileData &profile) const override { profile.dpi = std::uint8_t(m_iLevel); }
    void retranslate() override { ++m_iRetranslations; }

    QWidget *m_pBox = nullptr;
    int m_iLevel = 0;
    int m_iRetranslations = 0;
};

class PlainPage : public TarnPage
{
public:
    void load(const ProfileData &) override {}
};
} // namespace

class TestTarnPage : public QObject
{
    Q_OBJECT

private slots:
    void placesAtTheScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("1.00") << 1.0 << QRect(15, 43, 100, 50);
        QTest::newRow("1.25 truncates") << 1.25 << QRect(18, 53, 125, 62);
        QTest::newRow("1.50") << 1.5 << QRect(22, 64, 150, 75);
    }
    void placesAtTheScale()
    {
        QFETCH(double, scale);
        QFETCH(QRect, placed);
        QTemporaryDir dir;
        TarnUi ui(StorageDirs::fromAppDir(dir.path()), 1.0);
        LevelPage page;
        ui.setScale(scale);
        page.relayout();
        QCOMPARE(page.m_pBox->geometry(), placed);
    }

    void storeHandsBackOnlyPrivateEdits()
    {
        ProfileData profile;
        profile.dpi = 2;
        profile.pollrate = 4;
        LevelPage page;
        page.load(profile);
        page.m_iLevel = 5;
        ProfileData target = profile;
        page.store(target);
        QCOMPARE(int(target.dpi), 5);
        QCOMPARE(int(target.pollrate), 4);

        const ProfileData before = profile;
        PlainPage().store(profile);
        QVERIFY(profile == before);
    }

    void languageChangeRetranslates()
    {
        LevelPage page;
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&page, &change);
        QCOMPARE(page.m_iRetranslations, 1);
    }
};

QTEST_MAIN(TestTarnPage)
#include "tst_tarnpage.moc"
