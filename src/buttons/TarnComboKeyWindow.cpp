#include "TarnComboKeyWindow.h"

#include "KeyEvents.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

#include <QDebug>
#include <QToolButton>

TarnComboKeyWindow::TarnComboKeyWindow(QWidget *parent)
    : TarnKeyCaptureDialog(tr("Combo Key"), parent)
{
    auto s = [](int design) { return TarnUi::currentScaled(design); };
    m_pCaption = makeCaptionButton(QStringLiteral("comboKeyCaption"));
    m_pCaption->setGeometry(s(40), s(90), s(320), s(40));
    placeAnswerButtons(184);
    setTabOrder(m_pCaption, m_pYesBtn);
    setTabOrder(m_pYesBtn, m_pNoBtn);
    m_pCaption->setFocus();
}

void TarnComboKeyWindow::setPreset(const KeyInfoBlock &keyInfo)
{
    m_Capture.preset(keyInfo);
    showOnCaption(m_pCaption, displayText());
}

QString TarnComboKeyWindow::displayText() const
{
    return QString::fromLatin1(m_Capture.displayText().c_str());
}

bool TarnComboKeyWindow::hookEvent(std::uint32_t &scanCode, std::uint32_t flags)
{
    const InternalKeyCode code = captureKeyCode(scanCode, flags);
    scanCode = code;
    qDebug("TarnComboKeyWindow dwVCode = %x dwFlag = %x", unsigned(code), unsigned(flags));
    if (m_Capture.onKey(code, flags))
        showOnCaption(m_pCaption, displayText());
    return true;
}
