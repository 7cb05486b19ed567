#include "TarnPointSpeed.h"

#include "MouseSession.h"
#include "TarnLabel.h"
#include "TarnSlider.h"
#include "TarnUi.h"

#include <QDebug>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {
constexpr int kMinSpeed = 1;
constexpr int kMaxSpeed = 20;
} // namespace

TarnPointSpeed::TarnPointSpeed(MouseSession &session, QWidget *parent)
    : TarnPage(parent)
    , m_Session(session)
{
    setObjectName(QStringLiteral("speedPanel"));
    m_pPointerTitle = new TarnLabel(this);
    m_pPointerSlider = new TarnSlider(Qt::Horizontal, this);
    m_pPointerSlider->setObjectName(QStringLiteral("pointerSpeedSlider"));
    m_pPointerSlider->setRange(kMinSpeed, kMaxSpeed);
    m_pPointerSlider->setSingleStep(1);
    m_pPointerSlider->setPageStep(1);
    m_pPointerSlider->setTickPosition(QSlider::NoTicks);
    m_pScrollTitle = new TarnLabel(this);
    m_pScrollBox = new QSpinBox(this);
    m_pScrollBox->setObjectName(QStringLiteral("scrollSpeedBox"));
    m_pScrollBox->setRange(kMinSpeed, kMaxSpeed);
    m_pScrollBox->setStyleSheet(QStringLiteral("color: rgb(225,225,225)"));

    // Light titles straight on the panel, not in boxes of the panel's own shade.
    for (TarnLabel *title : {m_pPointerTitle, m_pScrollTitle}) {
        title->setStyleSheet(QStringLiteral("background: transparent"));
        QPalette palette = title->palette();
        palette.setColor(QPalette::WindowText, QColor(225, 225, 225));
        title->setPalette(palette);
    }

    connect(m_pPointerSlider, &QSlider::valueChanged, this, &TarnPointSpeed::pointerChanged);
    connect(m_pScrollBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &TarnPointSpeed::sValueChangedSlot);

    designLayout().place(m_pPointerTitle, 20, 10, 200, 20);
    designLayout().place(m_pPointerSlider, 20, 35, 200, 25);
    designLayout().place(m_pScrollTitle, 20, 100, 170, 20);
    designLayout().place(m_pScrollBox, 20, 130, 70, 20);
    retranslate();
    applySliderStyle();
}

void TarnPointSpeed::load(const ProfileData &profile)
{
    // Showing a profile is not editing it: a stored value outside 1..20 is
    // shown clamped but stays as it is until the user moves the control.
    const QSignalBlocker sliderBlock(m_pPointerSlider);
    const QSignalBlocker boxBlock(m_pScrollBox);
    m_pPointerSlider->setValue(profile.mousespeed);
    m_pScrollBox->setValue(profile.scrollspeed);
    m_pPointerTitle->refreshFont();
    m_pScrollTitle->refreshFont();
}

void TarnPointSpeed::retranslate()
{
    m_pPointerTitle->setText(tr("POINTER SPEED"));
    m_pScrollTitle->setText(tr("SCROLL SPEED"));
    m_pPointerSlider->setAccessibleName(tr("POINTER SPEED"));
    m_pScrollBox->setAccessibleName(tr("SCROLL SPEED"));
}

void TarnPointSpeed::relayout()
{
    TarnPage::relayout();
    applySliderStyle();
    m_pPointerTitle->refreshFont();
    m_pScrollTitle->refreshFont();
    m_pScrollBox->setFont(TarnUi::currentFont());
}

void TarnPointSpeed::pointerChanged(int value)
{
    qDebug("slider_clicked 1 = %d", value);
    m_Session.currentProfile().mousespeed = std::uint8_t(value);
    emit profileEdited();
}

void TarnPointSpeed::sValueChangedSlot(int s)
{
    qDebug("slider_clicked 1 = %d", s);
    m_Session.currentProfile().scrollspeed = std::uint8_t(s);
    emit profileEdited();
}

void TarnPointSpeed::applySliderStyle()
{
    const QColor theme = TarnUi::currentThemeColor();
    const int groove = TarnUi::currentScaled(4);
    const int radius = TarnUi::currentScaled(2);
    const int handle = TarnUi::currentScaled(12);
    const int margin = TarnUi::currentScaled(4);
    m_pPointerSlider->setStyleSheet(QString::asprintf(
        "QSlider{background: qrgb(0,0,0,0%%);}QSlider::groove:horizontal{height:%dpx;background:qlineargradient(x1:0, "
        "y1:0, x2:1, y2:0, stop:0 rgb(%d,%d,%d), stop:1 rgb(%d,%d,%d));;border-radius:%dpx;}QSlider::add-page:"
        "horizontal{height:%dpx;background:rgb(150,150,150);border-radius:%dpx;}QSlider::handle:horizontal{width:"
        "%dpx;background:rgba(%d,%d,%d,255);margin:-%dpx 0px -%dpx 0px;border-radius:%dpx;}",
        groove, theme.red(), theme.green(), theme.blue(), theme.red(), theme.green(), theme.blue(), radius, groove,
        radius, handle, theme.red(), theme.green(), theme.blue(), margin, margin, handle / 2));
}
