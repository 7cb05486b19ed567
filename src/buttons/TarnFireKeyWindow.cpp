#include "TarnFireKeyWindow.h"

#include "CountValidator.h"
#include "KeyEvents.h"
#include "TarnLabel.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {
constexpr std::uint32_t kScanAlt = 56;

QString optionStyleSheet(const QString &off, const QString &on, int side)
{
    // Paths last, so that a '%' in them is never taken for a place-holder.
    return QStringLiteral("QRadioButton{color:white;background:transparent;spacing:%1px;}"
                          "QRadioButton::indicator{width:%2px;height:%2px;}"
                          "QRadioButton::indicator:unchecked{image:url(\"%3\");}"
                          "QRadioButton::indicator:checked{image:url(\"%4\");}"
                          "QRadioButton:focus{color:rgb(255,255,160);}")
        .arg(side / 2)
        .arg(side)
        .arg(off, on);
}
} // namespace

TarnFireKeyWindow::TarnFireKeyWindow(QWidget *parent)
    : TarnKeyCaptureDialog(tr("FireKey Setting"), parent)
{
    auto s = [](int design) { return TarnUi::currentScaled(design); };
    const QString style = optionStyleSheet(TarnUi::currentImagePath(QStringLiteral("skin/checkbox1-1.png")),
                                           TarnUi::currentImagePath(QStringLiteral("skin/checkbox1-2.png")), s(16));
    const char *const texts[4] = {QT_TR_NOOP("Left"), QT_TR_NOOP("Right"), QT_TR_NOOP("Middle"),
                                  QT_TR_NOOP("Keyboard Key")};
    const QRect places[4] = {{40, 58, 100, 26}, {150, 58, 100, 26}, {260, 58, 100, 26}, {40, 96, 140, 26}};
    for (int m = 0; m < 4; ++m) {
        auto *option = new QRadioButton(tr(texts[m]), this);
        option->setObjectName(QStringLiteral("fireMode%1").arg(m));
        option->setFont(TarnUi::currentFont());
        option->setStyleSheet(style);
        option->setGeometry(s(places[m].x()), s(places[m].y()), s(places[m].width()), s(places[m].height()));
        connect(option, &QRadioButton::clicked, this, &TarnFireKeyWindow::checkbtn_clicked);
        m_aModes[size_t(m)] = option;
    }
    m_pKeyCaption = makeCaptionButton(QStringLiteral("fireKeyCaption"));
    m_pKeyCaption->setGeometry(s(190), s(94), s(170), s(30));

    QPalette white = palette();
    white.setColor(QPalette::WindowText, Qt::white);
    auto *timesLabel = new TarnLabel(tr("Times:"), this);
    auto *delayLabel = new TarnLabel(tr("Delay:"), this);
    for (TarnLabel *label : {timesLabel, delayLabel})
        label->setPalette(white);
    m_pTimes = makeNumberEdit(QStringLiteral("fireTimesEdit"), QStringLiteral("3"));
    m_pDelay = makeNumberEdit(QStringLiteral("fireDelayEdit"), QStringLiteral("100"));
    m_pTimes->setAccessibleName(tr("Times:"));
    m_pDelay->setAccessibleName(tr("Delay:"));
    timesLabel->setGeometry(s(40), s(138), s(70), s(26));
    m_pTimes->setGeometry(s(110), s(138), s(60), s(26));
    delayLabel->setGeometry(s(200), s(138), s(70), s(26));
    m_pDelay->setGeometry(s(270), s(138), s(60), s(26));
    placeAnswerButtons(192);

    setTabOrder(m_aModes[0], m_aModes[1]);
    setTabOrder(m_aModes[1], m_aModes[2]);
    setTabOrder(m_aModes[2], m_aModes[3]);
    setTabOrder(m_aModes[3], m_pKeyCaption);
    setTabOrder(m_pKeyCaption, m_pTimes);
    setTabOrder(m_pTimes, m_pDelay);
    setTabOrder(m_pDelay, m_pYesBtn);
    setTabOrder(m_pYesBtn, m_pNoBtn);
    applyMode();
    m_aModes[0]->setFocus();
}

QLineEdit *TarnFireKeyWindow::makeNumberEdit(const QString &objectName, const QString &text)
{
    auto *edit = new QLineEdit(text, this);
    edit->setObjectName(objectName);
    edit->setValidator(new CountValidator(1, 255, edit));
    edit->setMaxLength(3);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFont(TarnUi::currentFont());
    edit->setStyleSheet(QStringLiteral("border:1px;background:rgb(30,30,30);color:white"));
    connect(edit, &QLineEdit::returnPressed, this, &TarnFireKeyWindow::onEditReturn);
    connect(edit, &QLineEdit::textChanged, this, &TarnFireKeyWindow::OnEditDataChanged);
    return edit;
}

int TarnFireKeyWindow::times() const
{
    return m_pTimes->text().toInt(nullptr, 10);
}

int TarnFireKeyWindow::delay() const
{
    return m_pDelay->text().toInt(nullptr, 10);
}

void TarnFireKeyWindow::setPreset(const ButtonEntry &entry)
{
    switch (entry.Res1) {
    case 0:
    case 0x81:
        m_iMode = LeftClick;
        break;
    case 0x82:
        m_iMode = RightClick;
        break;
    case 0x84:
        m_iMode = MiddleClick;
        break;
    default: {
        m_iMode = KeyboardKey;
        InternalKeyCode code = 0;
        hidToScan(entry.Res1, code);
        m_Key = code;
        showOnCaption(m_pKeyCaption, QString::fromLatin1(keyName(code)));
        break;
    }
    }
    m_pDelay->setText(QString::number(entry.KeyNumber == 0 ? 10 : entry.KeyNumber));
    m_pTimes->setText(QString::number(entry.LoopNumber == 0 ? 3 : entry.LoopNumber));
    applyMode();
}

void TarnFireKeyWindow::applyMode()
{
    for (int m = 0; m < 4; ++m)
        m_aModes[size_t(m)]->setChecked(m == m_iMode);
    m_bCapture = m_iMode == KeyboardKey;
    if (!m_bCapture) {
        m_Key = 0;
        showOnCaption(m_pKeyCaption, QString());
    }
}

void TarnFireKeyWindow::checkbtn_clicked()
{
    for (int m = 0; m < 4; ++m) {
        if (sender() == m_aModes[size_t(m)])
            m_iMode = m;
    }
    applyMode();
    announce();
    m_pKeyCaption->setFocus();
}

void TarnFireKeyWindow::onEditReturn()
{
    // The release of this Return still comes; it is not a key to capture.
    m_bSkipNext = true;
    m_pKeyCaption->setFocus();
}

void TarnFireKeyWindow::OnEditDataChanged()
{
    announce();
}

void TarnFireKeyWindow::announce()
{
    emit SetFireKeyValue(quint8(m_Key), quint8(m_iMode), quint8(times()), quint8(delay()));
}

bool TarnFireKeyWindow::hookEvent(std::uint32_t &scanCode, std::uint32_t flags)
{
    // Right Alt is taken as the left one: a fire key is one usage, and the
    // mouse repeats Alt the same from either side.
    const InternalKeyCode code = scanCode == kScanAlt ? InternalKeyCode(kScanAlt) : captureKeyCode(scanCode, flags);
    scanCode = code;
    if (m_pTimes->hasFocus() || m_pDelay->hasFocus())
        return false;
    if (m_bSkipNext) {
        m_bSkipNext = false;
        return false;
    }
    if (m_bSeen && code == m_LastCode && flags == m_uLastFlags)
        return false;
    m_bSeen = true;
    m_LastCode = code;
    m_uLastFlags = flags;
    m_Key = code;
    showOnCaption(m_pKeyCaption, QString::fromLatin1(keyName(code)));
    return false;
}
