#include "TarnSniperWindow.h"

#include "ConfigFile.h"
#include "ProfileModel.h"
#include "SniperRange.h"
#include "TarnLabel.h"
#include "TarnSlider.h"
#include "TarnTheme.h"
#include "TarnUi.h"

#include <QDebug>
#include <QKeyEvent>
#include <QToolButton>

namespace {
constexpr int kDesignWidth = 400;
constexpr int kDesignHeight = 258;
constexpr int kGrooveHeight = 10;
constexpr int kHandleOverhang = 6; // above and below the groove
constexpr int kHandleWidth = 16;

QString sliderStyleSheet(const QString &groove, const QColor &theme)
{
    // The path goes in last, so a '%' in it is never taken for a place-holder.
    return QStringLiteral("QSlider{background:transparent;}"
                          "QSlider::groove:horizontal{border-image:url(\"%5\") 0 0 0 0 stretch stretch;height:%1px;}"
                          "QSlider::handle:horizontal{background:%2;width:%3px;margin:-%4px 0px;border-radius:2px;}"
                          "QSlider::handle:horizontal:hover{background:rgb(200,200,200);}"
                          "QSlider::handle:horizontal:focus{border:1px solid white;}")
        .arg(TarnUi::currentScaled(kGrooveHeight))
        .arg(tarnRgb(theme))
        .arg(kHandleWidth)
        .arg(TarnUi::currentScaled(kHandleOverhang))
        .arg(groove);
}
} // namespace

TarnSniperWindow::TarnSniperWindow(QWidget *parent)
    : TarnSkinDialog(QStringLiteral("/skin/dlg.png"), parent)
{
    if (const TarnUi *ui = TarnUi::current())
        m_iSensor = readSensor(ui->dirs());
    else
        qDebug("Sniper Setting opened without the user interface state, sensor unknown");

    auto s = [](int design) { return TarnUi::currentScaled(design); };
    setFixedSize(s(kDesignWidth), s(kDesignHeight));
    setWindowTitle(tr("Sniper Setting"));
    setModal(true);

    QPalette white = palette();
    white.setColor(QPalette::WindowText, Qt::white);

    // In the title band of dlg.png, above its rule.
    m_pTitle = new TarnLabel(tr("Sniper Setting"), this);
    m_pTitle->setObjectName(QStringLiteral("sniperTitleLabel"));
    m_pTitle->setGeometry(s(30), s(8), s(340), s(34));
    m_pTitle->setAlignment(Qt::AlignCenter);
    m_pTitle->setPalette(white);
    QFont titleFont = m_pTitle->font();
    titleFont.setBold(true);
    m_pTitle->setFont(titleFont);

    m_pSlider = new TarnSlider(Qt::Horizontal, this);
    m_pSlider->setObjectName(QStringLiteral("sniperSlider"));
    m_pSlider->setAccessibleName(tr("Sniper DPI"));
    m_pSlider->setRange(1, 10);
    m_pSlider->setSingleStep(1);
    m_pSlider->setPageStep(1);
    m_pSlider->setGeometry(s(40), s(102), s(240), s(26));
    m_pSlider->setStyleSheet(
        sliderStyleSheet(TarnUi::currentImagePath(QStringLiteral("skin/pspeed.png")), frameColor()));
    m_pSlider->setCursor(Qt::PointingHandCursor);

    m_pValue = new TarnLabel(this);
    m_pValue->setObjectName(QStringLiteral("sniperValueLabel"));
    m_pValue->setGeometry(s(294), s(102), s(76), s(26));
    m_pValue->setPalette(white);

    const QColor theme = frameColor();
    m_pYesBtn = makeToolButton(QStringLiteral("msgBoxYesBtn"), QStringLiteral(":/yes_Btn"), tr("OK"), theme);
    m_pYesBtn->setAccessibleName(tr("OK"));
    m_pNoBtn = makeToolButton(QStringLiteral("msgBoxNoBtn"), QStringLiteral(":/no_Btn"), tr("Cancel"), theme);
    m_pNoBtn->setAccessibleName(tr("Cancel"));
    connect(m_pYesBtn, SIGNAL(released()), this, SLOT(accept()));
    connect(m_pNoBtn, SIGNAL(released()), this, SLOT(reject()));
    placeToolButton(m_pYesBtn, s(130), s(184), s(34));
    placeToolButton(m_pNoBtn, s(270), s(184), s(34));

    setTabOrder(m_pSlider, m_pYesBtn);
    setTabOrder(m_pYesBtn, m_pNoBtn);
    m_pSlider->setFocus();

    connect(m_pSlider, &QSlider::valueChanged, this, &TarnSniperWindow::onSliderChanged);
    setPreset(0);
}

void TarnSniperWindow::setPreset(int step)
{
    const SniperRange range = sniperRangeFor(m_iSensor);
    m_pSlider->setRange(range.minimum, range.maximum);
    // A step the slider cannot show is clamped by it; the step follows.
    m_pSlider->setValue(sniperPresetStep(m_iSensor, step));
    showStep(m_pSlider->value());
    emit SetSniperValue(this->step());
}

void TarnSniperWindow::onSliderChanged(int value)
{
    showStep(value);
}

void TarnSniperWindow::showStep(int step)
{
    m_iStep = step;
    m_pValue->setText(dpiCodeToValue(step, m_iSensor));
}

void TarnSniperWindow::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (enter && plain) {
        // Tool buttons are no default buttons, so Enter is ours: it answers
        // for Cancel when Cancel has the focus and for OK everywhere else.
        if (focusWidget() == m_pNoBtn)
            reject();
        else
            accept();
        return;
    }
    TarnSkinDialog::keyPressEvent(event);
}
