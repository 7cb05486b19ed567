#include "TarnReportRate.h"

#include "MouseSession.h"
#include "TarnAction.h"
#include "TarnLabel.h"
#include "TarnMenu.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

#include <QButtonGroup>
#include <QDebug>
#include <QRadioButton>

namespace {
struct RateEntry
{
    const char *text;
    int code; // pollrate
};
const RateEntry kRates[] = {
    {QT_TRANSLATE_NOOP("TarnReportRate", "125 HZ"), 8},
    {QT_TRANSLATE_NOOP("TarnReportRate", "250 HZ"), 4},
    {QT_TRANSLATE_NOOP("TarnReportRate", "500 HZ"), 2},
    {QT_TRANSLATE_NOOP("TarnReportRate", "1000 HZ"), 1},
};
constexpr int kMenuWidth = 150;

const RateEntry *rateEntry(int code)
{
    for (const RateEntry &entry : kRates) {
        if (entry.code == code)
            return &entry;
    }
    return nullptr;
}
} // namespace

TarnReportRate::TarnReportRate(MouseSession &session, QWidget *parent)
    : TarnPage(parent)
    , m_Session(session)
    , m_ProfileData(session.workingConfig().activeProfile())
{
    setObjectName(QStringLiteral("ratePanel"));
    m_pTitle = new TarnLabel(this);
    m_pTitle->setStyleSheet(QStringLiteral("background: transparent"));
    QPalette palette = m_pTitle->palette();
    palette.setColor(QPalette::WindowText, QColor(225, 225, 225));
    m_pTitle->setPalette(palette);

    const QString image = QStringLiteral("/skin/rate.png");
    m_pRateBtn = new TarnPushButton({image, image, image}, QString(), this);
    m_pRateBtn->setObjectName(QStringLiteral("rateButton"));
    m_pRateBtn->setKind(TarnPushButton::Kind::MenuButton);
    m_pMenu = new TarnMenu(m_pRateBtn);
    m_pMenu->setObjectName(QStringLiteral("rateMenu"));
    for (const RateEntry &entry : kRates) {
        auto *action = new TarnAction(m_pMenu);
        action->setData(entry.code);
        m_pMenu->addAction(action);
        m_Actions << action;
    }
    connect(m_pMenu, &QMenu::triggered, this, [this](QAction *action) {
        if (chooseRate(action->data().toInt()))
            emit profileEdited();
    });
    m_pRateBtn->setMenu(m_pMenu);

    // Kept for the window's lift value; never shown nor reached with Tab.
    m_pLiftTitle = new TarnLabel(this);
    m_pLift1 = new QRadioButton(this);
    m_pLift2 = new QRadioButton(this);
    m_pLiftGroup = new QButtonGroup(this);
    m_pLiftGroup->setExclusive(true);
    m_pLiftGroup->addButton(m_pLift1, 0);
    m_pLiftGroup->addButton(m_pLift2, 1);
    for (QRadioButton *radio : {m_pLift1, m_pLift2}) {
        radio->setFocusPolicy(Qt::NoFocus);
        connect(radio, &QRadioButton::clicked, this, &TarnReportRate::onRadioChanged);
    }
    m_pLift2->setChecked(true);

    designLayout().place(m_pTitle, 20, 20, 170, 20);
    designLayout().place(m_pRateBtn, 20, 40, 152, 28);
    for (QWidget *hidden : std::initializer_list<QWidget *>{m_pLiftTitle, m_pLift1, m_pLift2})
        designLayout().place(hidden, 0, 0, 0, 0);

    // The mouse's own rate button: reload from the working copy, which the
    // session has already updated.
    connect(&session, &MouseSession::rateReported, this, &TarnReportRate::reloadFromMouse);

    retranslate();
    relayout();
}

void TarnReportRate::load(const ProfileData &profile)
{
    m_ProfileData = profile;
    showRate(profile.pollrate);
    const int lift = m_LiftSource ? m_LiftSource() : 2;
    m_iLift = quint8(lift == 1 || lift == 2 ? lift : 2);
    m_pLiftGroup->button(m_iLift - 1)->setChecked(true);
}

void TarnReportRate::store(ProfileData &profile) const
{
    profile.pollrate = m_ProfileData.pollrate;
}

bool TarnReportRate::chooseRate(int code)
{
    if (!rateEntry(code))
        return false;
    m_ProfileData.pollrate = std::uint8_t(code);
    showRate(code);
    return true;
}

void TarnReportRate::showRate(int code)
{
    // A code the menu does not have leaves the text as it is.
    const RateEntry *entry = rateEntry(code);
    if (!entry)
        return;
    m_iShownRate = code;
    m_pRateBtn->setText(tr(entry->text));
    m_pRateBtn->setAccessibleDescription(tr(entry->text));
}

void TarnReportRate::reloadFromMouse()
{
    load(m_Session.workingConfig().activeProfile());
}

void TarnReportRate::retranslate()
{
    m_pTitle->setText(tr("REPORT RATE"));
    m_pRateBtn->setAccessibleName(tr("REPORT RATE"));
    for (int i = 0; i < m_Actions.size(); ++i)
        m_Actions[i]->setText(tr(kRates[i].text));
    m_pLiftTitle->setText(tr("Lift off Distance"));
    m_pLift1->setText(tr("1 mm"));
    m_pLift2->setText(tr("2 mm"));
    if (const RateEntry *entry = rateEntry(m_iShownRate))
        showRate(entry->code);
}

void TarnReportRate::relayout()
{
    TarnPage::relayout();
    m_pTitle->refreshFont();
    m_pRateBtn->refreshFont();
    m_pMenu->refreshStyle();
    m_pMenu->setFixedWidth(TarnUi::currentScaled(kMenuWidth));
    for (TarnAction *action : m_Actions)
        action->refreshFont();
}

void TarnReportRate::onRadioChanged()
{
    m_iLift = quint8(m_pLiftGroup->checkedId() + 1);
    qDebug("m_iLift = %d", m_iLift);
    emit RefreshLift(m_iLift);
}
