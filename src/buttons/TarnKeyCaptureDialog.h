#pragma once
// Base of the dialogs that capture keyboard keys ("Single Key", "Combo Key",
// "FireKey Setting"): the skinned 400 x 258 dialog with its title, OK and
// Cancel, and the keyboard hook that lives exactly as long as the dialog and
// hands every key event to the dialog, whichever window has the focus.

#include "TarnSkinDialog.h"

#include <cstdint>
#include <memory>

class KeyboardHook;
class QToolButton;
class TarnLabel;
class TarnPushButton;

class TarnKeyCaptureDialog : public TarnSkinDialog
{
    Q_OBJECT
public:
    ~TarnKeyCaptureDialog() override;

    // False when the system refused the hook: then no key is captured.
    bool isHookInstalled() const { return m_pHook != nullptr; }
    bool isCapturing() const { return m_bCapture; }

protected:
    explicit TarnKeyCaptureDialog(const QString &title, QWidget *parent);

    // One key event as the hook reports it; the scan code may be replaced by
    // the converted key code. True swallows the event.
    virtual bool hookEvent(std::uint32_t &scanCode, std::uint32_t flags) = 0;

    // A skinned button that shows captured keys and does nothing when clicked.
    TarnPushButton *makeCaptionButton(const QString &objectName);
    static void showOnCaption(TarnPushButton *caption, const QString &text);
    void placeAnswerButtons(int designY);

    bool m_bCapture = true;
    TarnLabel *m_pTitle = nullptr;
    QToolButton *m_pYesBtn = nullptr;
    QToolButton *m_pNoBtn = nullptr;

private:
    std::unique_ptr<KeyboardHook> m_pHook;
};
