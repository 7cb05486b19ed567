#pragma once
// The pointer and scroll speed of the current profile, on the "DPI" tab. It
// keeps no copy: a change is written into the session's working copy at once,
// so Apply has nothing to collect from it. The pointer speed reaches the
// system only when the mouse switches to the profile.

#include "TarnPage.h"

class MouseSession;
class QSpinBox;
class TarnLabel;
class TarnSlider;

class TarnPointSpeed : public TarnPage
{
    Q_OBJECT
public:
    explicit TarnPointSpeed(MouseSession &session, QWidget *parent = nullptr);

    void load(const ProfileData &profile) override;
    void retranslate() override;
    void relayout() override;

    TarnSlider *pointerSlider() const { return m_pPointerSlider; }
    QSpinBox *scrollBox() const { return m_pScrollBox; }

public slots:
    void sValueChangedSlot(int s);

private:
    void pointerChanged(int value);
    void applySliderStyle();

    MouseSession &m_Session;
    TarnLabel *m_pPointerTitle = nullptr;
    TarnSlider *m_pPointerSlider = nullptr;
    TarnLabel *m_pScrollTitle = nullptr;
    QSpinBox *m_pScrollBox = nullptr;
};
