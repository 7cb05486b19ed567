#include "TarnSlider.h"

#include "TarnTheme.h"
#include "TarnUi.h"

#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

TarnSlider::TarnSlider(QWidget *parent)
    : QSlider(parent)
{
    init();
}

TarnSlider::TarnSlider(Qt::Orientation orientation, QWidget *parent)
    : QSlider(orientation, parent)
{
    init();
}

void TarnSlider::init()
{
    connect(this, SIGNAL(valueChanged(int)), this, SLOT(slotValueChanged(int)));
}

void TarnSlider::setValueTipEnabled(bool enabled)
{
    m_bTip = enabled;
    if (enabled && !m_pTip) {
        // A tool-tip window so the tip may stand outside the slider.
        m_pTip = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
        m_pTip->setAlignment(Qt::AlignCenter);
        m_pTip->setFont(TarnUi::currentFont());
        m_pTip->setStyleSheet(QStringLiteral("QLabel{background-color:rgb(50,50,50);color:white;border:1px solid %1;"
                                             "padding:1px 4px;}")
                                  .arg(tarnRgb(TarnUi::currentThemeColor())));
        m_pTip->hide();
    }
    if (!enabled && m_pTip)
        m_pTip->hide();
}

bool TarnSlider::isValueTipShown() const
{
    return m_pTip && m_pTip->isVisible();
}

void TarnSlider::showTip()
{
    if (!m_bTip || !m_pTip)
        return;
    m_pTip->setText(QString::number(value()));
    m_pTip->adjustSize();
    placeTip();
    m_pTip->show();
}

void TarnSlider::placeTip()
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    QPoint anchor;
    if (orientation() == Qt::Horizontal)
        anchor = QPoint(handle.center().x() - m_pTip->width() / 2, handle.top() - m_pTip->height() - 2);
    else
        anchor = QPoint(handle.right() + 4, handle.center().y() - m_pTip->height() / 2);
    m_pTip->move(mapToGlobal(anchor));
}

void TarnSlider::mousePressEvent(QMouseEvent *event)
{
    QSlider::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        m_bHeld = true;
        showTip();
    }
}

void TarnSlider::mouseMoveEvent(QMouseEvent *event)
{
    QSlider::mouseMoveEvent(event);
    if (m_bHeld)
        showTip();
}

void TarnSlider::mouseReleaseEvent(QMouseEvent *event)
{
    QSlider::mouseReleaseEvent(event);
    m_bHeld = false;
    if (m_pTip)
        m_pTip->hide();
    emit MouseChange();
}

void TarnSlider::hideEvent(QHideEvent *event)
{
    QSlider::hideEvent(event);
    m_bHeld = false;
    if (m_pTip)
        m_pTip->hide();
}

void TarnSlider::slotValueChanged(int)
{
    if (m_bHeld || isSliderDown())
        showTip();
}
