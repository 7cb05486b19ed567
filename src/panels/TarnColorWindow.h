#pragma once
// The lighting page: the effect, its brightness, speed and colour, the sleep
// time and whether the lights go out while the mouse moves. It edits the
// session's working copy at once (Apply has nothing to collect); which slots
// it shows and writes is LightingSlots' rule. A mode beyond the 14 effects
// (from a file or an old profile) is shown by its number and nothing is
// edited for it until the user picks an effect.

#include "LightingSlots.h"
#include "TarnPage.h"

#include <array>
#include <functional>

class DefaultColorArea;
class MouseSession;
class QCheckBox;
class TarnAction;
class TarnLabel;
class TarnMenu;
class TarnPushButton;
class TarnSlider;

class TarnColorWindow : public TarnPage
{
    Q_OBJECT
public:
    explicit TarnColorWindow(MouseSession &session, QWidget *parent = nullptr);

    // Shows the session's lighting slots; the window hands the active slot.
    void load(const ProfileData &profile) override;
    void retranslate() override;
    void relayout() override;

    // The effect shown (the lighting slot's LedMode).
    int effect() const;
    LightingSlots lightingSlots() const { return m_Slots; }

    TarnPushButton *effectButton() const { return m_pEffectBtn; }
    TarnMenu *effectMenu() const { return m_pEffectMenu; }
    TarnAction *effectAction(int mode) const { return m_Actions[std::size_t(mode)]; }
    TarnSlider *brightnessSlider() const { return m_pBrightSlider; }
    TarnSlider *speedSlider() const { return m_pSpeedSlider; }
    TarnSlider *sleepSlider() const { return m_pSleepSlider; }
    TarnLabel *sleepLabel() const { return m_pSleepValue; }
    DefaultColorArea *colorSwatch() const { return m_pSwatch; }
    QCheckBox *moveOffBox() const { return m_pMoveOff; }

public slots:
    // The mouse switched the effect by itself.
    void setEffect(int mode);
    void slotSliderMouseChange(int value);
    void slotSendLedState(const QColor &color);
    void slotApplyColor();
    void color_clicked();
    void checkbtn_clicked(bool ticked);

private slots:
    void EffectMenuFunction();

private:
    void buildEffectMenu();
    void showEffect(int mode);
    void showEffectText(int mode);
    void showValues();
    void applyStyles();
    ProfileData &slot(int index);
    // Runs edit on the shown slot and on the mirror, if any.
    void writeShown(const std::function<void(ProfileData &)> &edit);

    MouseSession &m_Session;
    LightingSlots m_Slots;
    bool m_bShowSleep = true;

    TarnLabel *m_pEffectTitle = nullptr;
    TarnPushButton *m_pEffectBtn = nullptr;
    TarnMenu *m_pEffectMenu = nullptr;
    std::array<TarnAction *, kLedModeCount> m_Actions{};
    TarnLabel *m_pBrightTitle = nullptr;
    TarnSlider *m_pBrightSlider = nullptr;
    TarnLabel *m_pSpeedTitle = nullptr;
    TarnSlider *m_pSpeedSlider = nullptr;
    TarnLabel *m_pColorTitle = nullptr;
    DefaultColorArea *m_pSwatch = nullptr;
    TarnLabel *m_pSleepTitle = nullptr;
    TarnSlider *m_pSleepSlider = nullptr;
    TarnLabel *m_pSleepValue = nullptr;
    QCheckBox *m_pMoveOff = nullptr;
};
