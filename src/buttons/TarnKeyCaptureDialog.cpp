#include "TarnKeyCaptureDialog.h"

#include "KeyboardHook.h"
#include "TarnLabel.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

#include <QDebug>
#include <QToolButton>

namespace {
constexpr int kDesignWidth = 400;
constexpr int kDesignHeight = 258;
} // namespace

TarnKeyCaptureDialog::TarnKeyCaptureDialog(const QString &title, QWidget *parent)
    : TarnSkinDialog(QStringLiteral("/skin/dlg.png"), parent)
{
    auto s = [](int design) { return TarnUi::currentScaled(design); };
    setFixedSize(s(kDesignWidth), s(kDesignHeight));
    setWindowTitle(title);
    setModal(true);

    QPalette white = palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_pTitle = new TarnLabel(title, this);
    m_pTitle->setObjectName(QStringLiteral("captureTitleLabel"));
    m_pTitle->setGeometry(s(30), s(8), s(340), s(34));
    m_pTitle->setAlignment(Qt::AlignCenter);
    m_pTitle->setPalette(white);
    QFont titleFont = m_pTitle->font();
    titleFont.setBold(true);
    m_pTitle->setFont(titleFont);

    const QColor theme = frameColor();
    m_pYesBtn = makeToolButton(QStringLiteral("msgBoxYesBtn"), QStringLiteral(":/yes_Btn"), tr("OK"), theme);
    m_pNoBtn = makeToolButton(QStringLiteral("msgBoxNoBtn"), QStringLiteral(":/no_Btn"), tr("Cancel"), theme);
    connect(m_pYesBtn, SIGNAL(released()), this, SLOT(accept()));
    connect(m_pNoBtn, SIGNAL(released()), this, SLOT(reject()));

    m_pHook = KeyboardHook::install([this](std::uint32_t &scanCode, std::uint32_t flags, std::int64_t) {
        return m_bCapture && hookEvent(scanCode, flags);
    });
    if (!m_pHook)
        qDebug("%s: no keyboard hook, no key is captured", qPrintable(title));
}

TarnKeyCaptureDialog::~TarnKeyCaptureDialog() = default;

TarnPushButton *TarnKeyCaptureDialog::makeCaptionButton(const QString &objectName)
{
    auto *caption = new TarnPushButton(
        {QStringLiteral("/skin/tabbutton-1.png"), QStringLiteral("/skin/tabbutton-3.png")}, QString(), this);
    caption->setObjectName(objectName);
    // Pressing it must not toggle a look: it only shows keys.
    caption->setCheckable(false);
    showOnCaption(caption, QString());
    return caption;
}

void TarnKeyCaptureDialog::showOnCaption(TarnPushButton *caption, const QString &text)
{
    if (caption->text() != text)
        qDebug("%s shows \"%s\"", qPrintable(caption->window()->windowTitle()), qPrintable(text));
    caption->setText(text);
    caption->setAccessibleName(text.isEmpty() ? tr("No key pressed") : tr("Keys: %1").arg(text));
}

void TarnKeyCaptureDialog::placeAnswerButtons(int designY)
{
    auto s = [](int design) { return TarnUi::currentScaled(design); };
    placeToolButton(m_pYesBtn, s(130), s(designY), s(34));
    placeToolButton(m_pNoBtn, s(270), s(designY), s(34));
}
