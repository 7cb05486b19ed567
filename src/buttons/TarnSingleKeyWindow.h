#pragma once
// "Single Key": the key pressed last while the dialog is open. Keys still
// reach the program that has the focus.

#include "KeyTables.h"
#include "TarnKeyCaptureDialog.h"

class TarnSingleKeyWindow : public TarnKeyCaptureDialog
{
    Q_OBJECT
public:
    explicit TarnSingleKeyWindow(QWidget *parent = nullptr);

    // Shows code as if it had been pressed.
    void setPreset(InternalKeyCode code);
    InternalKeyCode key() const { return m_Key; }

protected:
    bool hookEvent(std::uint32_t &scanCode, std::uint32_t flags) override;

private:
    void showKey(InternalKeyCode code);

    TarnPushButton *m_pCaption = nullptr;
    InternalKeyCode m_Key = 0;
    InternalKeyCode m_LastCode = 0;
    std::uint32_t m_uLastFlags = 0;
};
