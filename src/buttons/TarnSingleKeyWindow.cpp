#include "TarnSingleKeyWindow.h"

#include "KeyEvents.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

#include <QToolButton>

TarnSingleKeyWindow::TarnSingleKeyWindow(QWidget *parent)
    : TarnKeyCaptureDialog(tr("Single Key"), parent)
{
    auto s = [](int design) { return TarnUi::currentScaled(design); };
    m_pCaption = makeCaptionButton(QStringLiteral("singleKeyCaption"));
    m_pCaption->setGeometry(s(70), s(90), s(260), s(40));
    placeAnswerButtons(184);
    setTabOrder(m_pCaption, m_pYesBtn);
    setTabOrder(m_pYesBtn, m_pNoBtn);
    m_pCaption->setFocus();
}

void TarnSingleKeyWindow::setPreset(InternalKeyCode code)
{
    showKey(code);
}

bool TarnSingleKeyWindow::hookEvent(std::uint32_t &scanCode, std::uint32_t flags)
{
    const InternalKeyCode code = captureKeyCode(scanCode, flags);
    scanCode = code;
    // A press and the release of the same key differ in their flags: both
    // count, and the key stays the same.
    if (code != m_LastCode || flags != m_uLastFlags) {
        m_LastCode = code;
        m_uLastFlags = flags;
        showKey(code);
    }
    return false;
}

void TarnSingleKeyWindow::showKey(InternalKeyCode code)
{
    m_Key = code;
    showOnCaption(m_pCaption, QString::fromLatin1(keyName(code)));
}
