#include "TarnColorWindow.h"

#include "DefaultColorArea.h"
#include "LightingEffects.h"
#include "ModelDescription.h"
#include "MouseSession.h"
#include "TarnAction.h"
#include "TarnColorArea.h"
#include "TarnLabel.h"
#include "TarnMenu.h"
#include "TarnPushButton.h"
#include "TarnSlider.h"
#include "TarnUi.h"

#include <QCheckBox>
#include <QDebug>
#include <QSignalBlocker>

#include <algorithm>

namespace {
const QStringList kButtonImages = {QStringLiteral("/skin/tabbutton-1.png"), QStringLiteral("/skin/tabbutton-3.png"),
                                   QStringLiteral("/skin/tabbutton-2.png")};
// Design rectangles of the rows; the speed row takes the brightness row's
// place when brightness is not shown.
const QRect kBrightTitle(30, 105, 200, 20);
const QRect kBrightSlider(30, 130, 200, 25);
const QRect kSpeedTitle(30, 170, 200, 20);
const QRect kSpeedSlider(30, 195, 200, 25);
} // namespace

TarnColorWindow::TarnColorWindow(MouseSession &session, QWidget *parent)
    : TarnPage(parent)
    , m_Session(session)
{
    setObjectName(QStringLiteral("lightingPanel"));
    auto title = [this](const char *name) {
        auto *label = new TarnLabel(this);
        label->setObjectName(QLatin1String(name));
        label->setStyleSheet(QStringLiteral("background: transparent"));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(225, 225, 225));
        label->setPalette(palette);
        return label;
    };
    auto slider = [this](const char *name, int minimum, int maximum) {
        auto *s = new TarnSlider(Qt::Horizontal, this);
        s->setObjectName(QLatin1String(name));
        s->setRange(minimum, maximum);
        s->setSingleStep(1);
        s->setPageStep(1);
        s->setValueTipEnabled(true);
        connect(s, &QSlider::valueChanged, this, &TarnColorWindow::slotSliderMouseChange);
        return s;
    };

    m_pEffectTitle = title("effectTitle");
    m_pEffectBtn = new TarnPushButton(kButtonImages, QString(), this);
    m_pEffectBtn->setObjectName(QStringLiteral("effectButton"));
    m_pEffectBtn->setKind(TarnPushButton::Kind::MenuButton);
    m_pEffectMenu = new TarnMenu(this);
    m_pEffectMenu->setObjectName(QStringLiteral("effectMenu"));
    buildEffectMenu();

    m_pBrightTitle = title("brightnessTitle");
    m_pBrightSlider = slider("brightnessSlider", kBrightnessMin, kBrightnessMax);
    m_pSpeedTitle = title("speedTitle");
    m_pSpeedSlider = slider("speedSlider", kSpeedMin, kSpeedMax);
    m_pColorTitle = title("colorTitle");
    m_pSwatch = new DefaultColorArea(QColor(), this);
    m_pSwatch->setObjectName(QStringLiteral("colorSwatch"));
    connect(m_pSwatch, &DefaultColorArea::ClickedSignal, this, &TarnColorWindow::color_clicked);
    m_pSleepTitle = title("sleepTitle");
    m_pSleepSlider = slider("sleepSlider", kSleepMin, kSleepMax);
    m_pSleepValue = title("sleepValue");
    m_pMoveOff = new QCheckBox(this);
    m_pMoveOff->setObjectName(QStringLiteral("moveOffBox"));
    connect(m_pMoveOff, &QCheckBox::clicked, this, &TarnColorWindow::checkbtn_clicked);

    m_pBrightTitle->setBuddy(m_pBrightSlider);
    m_pSpeedTitle->setBuddy(m_pSpeedSlider);
    m_pSleepTitle->setBuddy(m_pSleepSlider);

    designLayout().place(m_pEffectTitle, 30, 30, 200, 20);
    designLayout().place(m_pEffectBtn, 30, 55, 200, 30);
    designLayout().place(m_pBrightTitle, kBrightTitle);
    designLayout().place(m_pBrightSlider, kBrightSlider);
    designLayout().place(m_pSpeedTitle, kSpeedTitle);
    designLayout().place(m_pSpeedSlider, kSpeedSlider);
    designLayout().place(m_pColorTitle, 30, 235, 200, 20);
    designLayout().place(m_pSwatch, 30, 260, 60, 24);
    designLayout().place(m_pSleepTitle, 30, 305, 200, 20);
    designLayout().place(m_pSleepSlider, 30, 330, 200, 25);
    designLayout().place(m_pSleepValue, 240, 330, 90, 25);
    designLayout().place(m_pMoveOff, 30, 380, 280, 25);

    retranslate();
    applyStyles();
    showEffect(0);
}

void TarnColorWindow::buildEffectMenu()
{
    m_pEffectMenu->clear();
    for (int mode = 0; mode < kLedModeCount; ++mode) {
        auto *action = new TarnAction(m_pEffectMenu);
        connect(action, &QAction::triggered, this, &TarnColorWindow::EffectMenuFunction);
        m_Actions[std::size_t(mode)] = action;
    }
    // Effects 5..8 keep their actions (and texts) but are never offered.
    for (int mode : kEffectMenuOrder)
        m_pEffectMenu->addAction(m_Actions[std::size_t(mode)]);
    m_pEffectBtn->setMenu(m_pEffectMenu);
}

ProfileData &TarnColorWindow::slot(int index)
{
    return m_Session.workingConfig().profiles[std::size_t(index)];
}

int TarnColorWindow::effect() const
{
    return m_Session.workingConfig().profiles[std::size_t(m_Slots.effect)].LedMode;
}

void TarnColorWindow::writeShown(const std::function<void(ProfileData &)> &edit)
{
    edit(slot(m_Slots.shown));
    if (m_Slots.mirror >= 0)
        edit(slot(m_Slots.mirror));
}

void TarnColorWindow::load(const ProfileData &)
{
    m_Slots = ::lightingSlots(m_Session.currentProductName(), m_Session.workingConfig().ProfileID);
    m_bShowSleep = readShowSleep(m_Session.dirs()) != 0;
    showValues();
    showEffect(effect());
}

void TarnColorWindow::showValues()
{
    // Showing values is no edit: the sliders clamp what they are given, and
    // their change handlers would write the clamped values back.
    const QSignalBlocker bright(m_pBrightSlider);
    const QSignalBlocker speed(m_pSpeedSlider);
    const QSignalBlocker sleep(m_pSleepSlider);
    const QSignalBlocker moveOff(m_pMoveOff);
    const ProfileData &shown = slot(m_Slots.shown);
    const int mode = effect();
    if (isLightingEffect(mode)) {
        const LedModeSetting &setting = shown.ledModes[std::size_t(mode)];
        m_pBrightSlider->setValue(int(setting.bright));
        m_pSpeedSlider->setValue(int(setting.breath));
        m_pSwatch->setColor(setting.RGB);
    }
    m_pSleepSlider->setValue(shown.LedSleepTime);
    m_pSleepValue->setText(QString::number(m_pSleepSlider->value()) + tr(" MINUTE"));
    m_pMoveOff->setChecked(shown.LedMoveOFF == kMoveOffTicked);
}

void TarnColorWindow::showEffect(int mode)
{
    const bool known = isLightingEffect(mode);
    showEffectText(mode);
    const LightingEffect none{nullptr, false, false, false};
    const LightingEffect &rows = known ? kLightingEffects[std::size_t(mode)] : none;
    m_pBrightTitle->setVisible(rows.brightness);
    m_pBrightSlider->setVisible(rows.brightness);
    m_pSpeedTitle->setVisible(rows.speed);
    m_pSpeedSlider->setVisible(rows.speed);
    m_pColorTitle->setVisible(rows.colour);
    m_pSwatch->setVisible(rows.colour);
    designLayout().place(m_pSpeedTitle, rows.brightness ? kSpeedTitle : kBrightTitle);
    designLayout().place(m_pSpeedSlider, rows.brightness ? kSpeedSlider : kBrightSlider);
    m_pSleepTitle->setVisible(m_bShowSleep);
    m_pSleepSlider->setVisible(m_bShowSleep);
    m_pSleepValue->setVisible(m_bShowSleep);
}

void TarnColorWindow::EffectMenuFunction()
{
    const auto found = std::find(m_Actions.begin(), m_Actions.end(), sender());
    if (found == m_Actions.end())
        return;
    const int mode = int(found - m_Actions.begin());
    slot(m_Slots.effect).LedMode = std::uint8_t(mode);
    showValues();
    showEffect(mode);
    const QColor rgb = slot(m_Slots.shown).ledModes[std::size_t(mode)].RGB;
    qDebug("EffectMenuFunction iProfile=%d i=%d r=%d g=%d b=%d", m_Slots.effect, mode, rgb.red(), rgb.green(),
           rgb.blue());
    emit profileEdited();
}

void TarnColorWindow::setEffect(int mode)
{
    if (!isLightingEffect(mode)) {
        qWarning("lighting effect %d does not exist; ignored", mode);
        return;
    }
    slot(m_Slots.effect).LedMode = std::uint8_t(mode);
    showValues();
    showEffect(mode);
}

void TarnColorWindow::slotSliderMouseChange(int value)
{
    QObject *from = sender();
    if (from == m_pSleepSlider) {
        writeShown([value](ProfileData &p) { p.LedSleepTime = std::uint8_t(value); });
        m_pSleepValue->setText(QString::number(value) + tr(" MINUTE"));
        emit profileEdited();
        return;
    }
    const int mode = effect();
    if (!isLightingEffect(mode))
        return;
    if (from == m_pBrightSlider)
        writeShown([mode, value](ProfileData &p) { p.ledModes[std::size_t(mode)].bright = std::uint32_t(value); });
    else if (from == m_pSpeedSlider)
        writeShown([mode, value](ProfileData &p) { p.ledModes[std::size_t(mode)].breath = std::uint32_t(value); });
    else
        return;
    emit profileEdited();
}

void TarnColorWindow::slotSendLedState(const QColor &color)
{
    const int mode = effect();
    qDebug("slotSendLedState iProfile=%d i=%d r=%d g=%d b=%d", m_Slots.shown, mode, color.red(), color.green(),
           color.blue());
    if (!isLightingEffect(mode))
        return;
    writeShown([mode, color](ProfileData &p) { p.ledModes[std::size_t(mode)].RGB = color; });
    m_pSwatch->setColor(color);
}

void TarnColorWindow::slotApplyColor()
{
    m_pSwatch->update();
}

void TarnColorWindow::color_clicked()
{
    const int mode = effect();
    if (!isLightingEffect(mode))
        return;
    // The editor previews every change into the profile; Cancel puts back
    // what each written slot held, an unset colour included.
    const auto index = std::size_t(mode);
    const QColor openedShown = slot(m_Slots.shown).ledModes[index].RGB;
    const QColor openedMirror = m_Slots.mirror >= 0 ? slot(m_Slots.mirror).ledModes[index].RGB : QColor();

    TarnColorArea dialog(this);
    dialog.setColor(openedShown);
    connect(&dialog, &TarnColorArea::TarnChangeColor, this, &TarnColorWindow::slotSendLedState);
    connect(&dialog, &TarnColorArea::ApplyColor, this, &TarnColorWindow::slotApplyColor);
    if (dialog.exec() == QDialog::Accepted) {
        slotSendLedState(dialog.color());
        if (dialog.color() != openedShown || (m_Slots.mirror >= 0 && dialog.color() != openedMirror))
            emit profileEdited();
        return;
    }
    slot(m_Slots.shown).ledModes[index].RGB = openedShown;
    if (m_Slots.mirror >= 0)
        slot(m_Slots.mirror).ledModes[index].RGB = openedMirror;
    m_pSwatch->setColor(openedShown);
}

void TarnColorWindow::checkbtn_clicked(bool ticked)
{
    const std::uint8_t value = ticked ? kMoveOffTicked : kMoveOffClear;
    writeShown([value](ProfileData &p) { p.LedMoveOFF = value; });
    emit profileEdited();
}

void TarnColorWindow::retranslate()
{
    m_pEffectTitle->setText(tr("EFFECT"));
    m_pBrightTitle->setText(tr("BRIGHTNESS"));
    m_pSpeedTitle->setText(tr("SPEED"));
    m_pColorTitle->setText(tr("COLOR"));
    m_pSleepTitle->setText(tr("SLEEP TIME"));
    m_pMoveOff->setText(tr("MOVE TO LIGHT OFF"));
    m_pSleepValue->setText(QString::number(m_pSleepSlider->value()) + tr(" MINUTE"));
    m_pBrightSlider->setAccessibleName(tr("BRIGHTNESS"));
    m_pSpeedSlider->setAccessibleName(tr("SPEED"));
    m_pSleepSlider->setAccessibleName(tr("SLEEP TIME"));
    m_pSwatch->setAccessibleName(tr("COLOR"));
    for (int mode = 0; mode < kLedModeCount; ++mode)
        m_Actions[std::size_t(mode)]->setText(tr(kLightingEffects[std::size_t(mode)].text));
    showEffectText(effect());
}

void TarnColorWindow::showEffectText(int mode)
{
    // A mode the page does not know shows its number, so the user sees that
    // the profile holds something else.
    const QString text = isLightingEffect(mode) ? tr(kLightingEffects[std::size_t(mode)].text) : QString::number(mode);
    m_pEffectBtn->setText(text);
    m_pEffectBtn->setAccessibleName(tr("EFFECT"));
    m_pEffectBtn->setAccessibleDescription(text);
}

void TarnColorWindow::relayout()
{
    TarnPage::relayout();
    applyStyles();
}

void TarnColorWindow::applyStyles()
{
    const QColor theme = TarnUi::currentThemeColor();
    const int groove = TarnUi::currentScaled(4);
    const int handle = TarnUi::currentScaled(12);
    const int margin = TarnUi::currentScaled(4);
    const QString sliderStyle =
        QStringLiteral("QSlider{background:transparent;}"
                       "QSlider::groove:horizontal{height:%1px;background:%2;border-radius:%3px;}"
                       "QSlider::add-page:horizontal{height:%1px;background:rgb(150,150,150);border-radius:%3px;}"
                       "QSlider::handle:horizontal{width:%4px;background:%2;margin:-%5px 0px;border-radius:%6px;}"
                       "QSlider::handle:horizontal:focus{border:1px solid white;}")
            .arg(groove)
            .arg(theme.name())
            .arg(TarnUi::currentScaled(2))
            .arg(handle)
            .arg(margin)
            .arg(handle / 2);
    for (TarnSlider *s : {m_pBrightSlider, m_pSpeedSlider, m_pSleepSlider})
        s->setStyleSheet(sliderStyle);

    const int box = TarnUi::currentScaled(18);
    // The paths go in last, so a '%' in them is never taken for a place-holder.
    m_pMoveOff->setStyleSheet(QStringLiteral("QCheckBox{color:rgb(225,225,225);background:transparent;spacing:%1px;}"
                                             "QCheckBox::indicator{width:%2px;height:%2px;}"
                                             "QCheckBox:focus{border:1px solid %3;}"
                                             "QCheckBox::indicator:unchecked{image:url(\"%4\");}"
                                             "QCheckBox::indicator:checked{image:url(\"%5\");}")
                                  .arg(TarnUi::currentScaled(8))
                                  .arg(box)
                                  .arg(theme.name())
                                  .arg(TarnUi::currentImagePath(QStringLiteral("/skin/checkbox1-1.png")))
                                  .arg(TarnUi::currentImagePath(QStringLiteral("/skin/checkbox1-2.png"))));
    m_pMoveOff->setFont(TarnUi::currentFont());
    TarnUi::applyCurrentMenuStyle(m_pEffectMenu);
    for (TarnLabel *label :
         {m_pEffectTitle, m_pBrightTitle, m_pSpeedTitle, m_pColorTitle, m_pSleepTitle, m_pSleepValue})
        label->refreshFont();
    m_pEffectBtn->refreshFont();
    for (TarnAction *action : m_Actions)
        action->refreshFont();
}
