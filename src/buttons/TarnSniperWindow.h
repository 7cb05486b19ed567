#pragma once
// "Sniper Setting": picks the DPI step the mouse uses for a button assigned to
// SNIPER. The step is a DPI code of the sensor named in Config.ini; the label
// beside the slider shows it as DPI. The assignment panel presets it from the
// button's entry and reads step() after OK.

#include "TarnSkinDialog.h"

class QKeyEvent;
class QToolButton;
class TarnLabel;
class TarnSlider;

class TarnSniperWindow : public TarnSkinDialog
{
    Q_OBJECT
public:
    explicit TarnSniperWindow(QWidget *parent = nullptr);

    int sensor() const { return m_iSensor; }
    // Starts at step, or at the sensor's usual step when step is out of its
    // band. The step is always what the slider shows.
    void setPreset(int step);
    uchar step() const { return uchar(m_iStep); }

signals:
    void SetSniperValue(uchar step);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void onSliderChanged(int value);

private:
    void showStep(int step);

    int m_iSensor = 0;
    int m_iStep = 0;
    TarnLabel *m_pTitle = nullptr;
    TarnSlider *m_pSlider = nullptr;
    TarnLabel *m_pValue = nullptr;
    QToolButton *m_pYesBtn = nullptr;
    QToolButton *m_pNoBtn = nullptr;
};
