#include "TarnTwoBarSlider.h"

#include "TarnSlider.h"
#include "TarnTheme.h"
#include "TarnUi.h"

#include <QSignalBlocker>

TarnTwoBarSlider::TarnTwoBarSlider(QWidget *parent)
    : QWidget(parent)
{
    m_pX = new TarnSlider(Qt::Horizontal, this);
    m_pX->setObjectName(QStringLiteral("xSlider"));
    m_pY = new TarnSlider(Qt::Horizontal, this);
    m_pY->setObjectName(QStringLiteral("ySlider"));
    m_pBoth = new TarnSlider(Qt::Horizontal, this);
    m_pBoth->setObjectName(QStringLiteral("xySlider"));
    for (TarnSlider *slider : {m_pX, m_pY, m_pBoth}) {
        slider->setSingleStep(1);
        slider->setPageStep(1);
        slider->setCursor(Qt::PointingHandCursor);
    }
    connect(m_pX, &QSlider::valueChanged, this, [this](int x) { emit SliderChangedSignal(x, m_pY->value()); });
    connect(m_pY, &QSlider::valueChanged, this, [this](int y) { emit SliderChangedSignal(m_pX->value(), y); });
    connect(m_pBoth, &QSlider::valueChanged, this, [this](int v) { emit SliderChangedSignal(v, v); });
    setLinked(false);
    refreshStyle();
}

void TarnTwoBarSlider::setRange(int lowest, int highest)
{
    // A narrower range moves the handles; that is showing, not editing.
    for (TarnSlider *slider : {m_pX, m_pY, m_pBoth}) {
        const QSignalBlocker block(slider);
        slider->setRange(lowest, highest);
    }
}

void TarnTwoBarSlider::setLinked(bool linked)
{
    m_bLinked = linked;
    m_pBoth->setVisible(linked);
    m_pX->setVisible(!linked);
    m_pY->setVisible(!linked);
    placeSliders();
}

void TarnTwoBarSlider::setValues(int x, int y)
{
    const QSignalBlocker blockX(m_pX);
    const QSignalBlocker blockY(m_pY);
    const QSignalBlocker blockBoth(m_pBoth);
    m_pX->setValue(x);
    m_pY->setValue(y);
    m_pBoth->setValue(x);
}

void TarnTwoBarSlider::setAccessibleNames(const QString &x, const QString &y, const QString &both)
{
    m_pX->setAccessibleName(x);
    m_pY->setAccessibleName(y);
    m_pBoth->setAccessibleName(both);
}

void TarnTwoBarSlider::refreshStyle()
{
    const QColor theme = TarnUi::currentThemeColor();
    const int groove = TarnUi::currentScaled(4);
    const int handle = TarnUi::currentScaled(10);
    const int overhang = TarnUi::currentScaled(4);
    const QString style =
        QStringLiteral("QSlider{background:transparent;}"
                       "QSlider::groove:horizontal{height:%1px;background:%2;border-radius:%3px;}"
                       "QSlider::add-page:horizontal{height:%1px;background:rgb(150,150,150);border-radius:%3px;}"
                       "QSlider::handle:horizontal{width:%4px;background:%2;margin:-%5px 0px -%5px 0px;"
                       "border-radius:%3px;}"
                       "QSlider::handle:horizontal:focus{background:white;}")
            .arg(groove)
            .arg(tarnRgb(theme))
            .arg(qMax(1, groove / 2))
            .arg(handle)
            .arg(overhang);
    for (TarnSlider *slider : {m_pX, m_pY, m_pBoth})
        slider->setStyleSheet(style);
}

void TarnTwoBarSlider::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeSliders();
}

void TarnTwoBarSlider::placeSliders()
{
    // X over Y in the two halves; the combined slider in the middle.
    const int half = height() / 2;
    m_pX->setGeometry(0, 0, width(), half);
    m_pY->setGeometry(0, half, width(), height() - half);
    m_pBoth->setGeometry(0, height() / 4, width(), half);
}
