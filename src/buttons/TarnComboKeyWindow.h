#pragma once
// "Combo Key": the modifiers and the key held together at the last key
// press, shown as "LShift + LCtr + A". While it captures, typed keys reach
// no program.

#include "ComboKeyCapture.h"
#include "TarnKeyCaptureDialog.h"

class TarnComboKeyWindow : public TarnKeyCaptureDialog
{
    Q_OBJECT
public:
    explicit TarnComboKeyWindow(QWidget *parent = nullptr);

    // Shows a stored combination (an entry's event list).
    void setPreset(const KeyInfoBlock &keyInfo);
    const ComboKeyCapture &capture() const { return m_Capture; }
    QString displayText() const;

protected:
    bool hookEvent(std::uint32_t &scanCode, std::uint32_t flags) override;

private:
    TarnPushButton *m_pCaption = nullptr;
    ComboKeyCapture m_Capture;
};
