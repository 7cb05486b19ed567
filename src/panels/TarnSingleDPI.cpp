#include "TarnSingleDPI.h"

#include "DpiSensorRange.h"
#include "ProfileModel.h"
#include "TarnLabel.h"
#include "TarnSlider.h"
#include "TarnTheme.h"
#include "TarnTwoBarSlider.h"
#include "TarnUi.h"

#include <QCheckBox>
#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace {
const QColor kTextColor(255, 255, 255);

QString checkBoxStyle()
{
    const int side = TarnUi::currentScaled(18);
    return QStringLiteral("QCheckBox{background: qrgb(0,0,0,0%);color:rgb(225,225,225);}"
                          "QCheckBox::indicator{width:%1px;height:%1px;}"
                          "QCheckBox::indicator:unchecked{image:url(\"%2\");}"
                          "QCheckBox::indicator:checked{image:url(\"%3\");}")
        .arg(side)
        .arg(TarnUi::currentImagePath(QStringLiteral("/skin/checkbox1-1.png")),
             TarnUi::currentImagePath(QStringLiteral("/skin/checkbox1-2.png")));
}
} // namespace

TarnSingleDPI::TarnSingleDPI(quint8 level, QWidget *parent)
    : QWidget(parent)
    , m_iLevel(level)
{
    setObjectName(QStringLiteral("dpiRow%1").arg(level));
    TarnUi::applyPanelBackground(this);

    m_pEnableBox = new QCheckBox(this);
    m_pEnableBox->setObjectName(QStringLiteral("enableBox"));
    m_pDpiLabel = new TarnLabel(this);
    m_pLinkBox = new QCheckBox(this);
    m_pLinkBox->setObjectName(QStringLiteral("linkBox"));
    m_pMinLabel = new TarnLabel(this);
    m_pMinLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pSlider = new TarnTwoBarSlider(this);
    m_pMaxLabel = new TarnLabel(this);
    m_pXLabel = new TarnLabel(this);
    m_pYLabel = new TarnLabel(this);

    m_Layout.place(m_pEnableBox, 8, 15, 18, 18);
    m_Layout.place(m_pDpiLabel, 32, 4, 100, 20);
    m_Layout.place(m_pLinkBox, 32, 26, 100, 18);
    m_Layout.place(m_pMinLabel, 134, 14, 46, 20);
    m_Layout.place(m_pSlider, 184, 2, 140, 44);
    m_Layout.place(m_pMaxLabel, 330, 14, 48, 20);
    m_Layout.place(m_pXLabel, 380, 4, 58, 20);
    m_Layout.place(m_pYLabel, 380, 24, 58, 20);

    connect(m_pSlider, &TarnTwoBarSlider::SliderChangedSignal, this, &TarnSingleDPI::onSliderChanged);
    connect(m_pLinkBox, &QCheckBox::stateChanged, this, &TarnSingleDPI::onStateChanged);
    connect(m_pEnableBox, &QCheckBox::stateChanged, this, &TarnSingleDPI::onStateChanged);
    for (TarnLabel *label : labels())
        connect(label, &TarnLabel::EnterSignal, this, &TarnSingleDPI::slotLabelClick);

    setSensor(m_iSensor, QString());
    applyStyles();
    setChosen(false);
    retranslate();
    showValues();
}

QList<TarnLabel *> TarnSingleDPI::labels() const
{
    return {m_pDpiLabel, m_pMinLabel, m_pMaxLabel, m_pXLabel, m_pYLabel};
}

void TarnSingleDPI::setSensor(int sensor, const QString &productName)
{
    m_iSensor = sensor;
    if (const std::optional<DpiSensorRange> range = dpiSensorRange(sensor, productName)) {
        m_pMinLabel->setText(range->minDpi);
        m_pMaxLabel->setText(range->maxDpi);
        m_pSlider->setRange(range->lowest, range->highest);
        m_pLinkBox->setVisible(range->linkShown);
    }
    showValues();
}

int TarnSingleDPI::lowest() const
{
    return m_pSlider->xSlider()->minimum();
}

int TarnSingleDPI::highest() const
{
    return m_pSlider->xSlider()->maximum();
}

void TarnSingleDPI::setValues(int x, int y)
{
    m_iX = x;
    m_iY = y;
    m_pSlider->setValues(x, y);
    showValues();
}

void TarnSingleDPI::setLink(quint8 link)
{
    m_iLink = link ? 1 : 0;
    const QSignalBlocker block(m_pLinkBox);
    m_pLinkBox->setChecked(m_iLink != 0);
    m_pSlider->setLinked(m_iLink != 0);
}

void TarnSingleDPI::setUsed(quint8 used)
{
    m_iUsed = used ? 1 : 0;
    const QSignalBlocker block(m_pEnableBox);
    m_pEnableBox->setChecked(m_iUsed != 0);
}

void TarnSingleDPI::setChosen(bool chosen)
{
    m_bChosen = chosen;
    applyLabelStyle();
}

void TarnSingleDPI::applyLabelStyle()
{
    // The colour goes in the style sheet: a palette set beside one is lost at
    // the next polish.
    const QColor color = m_bChosen ? TarnUi::currentThemeColor() : kTextColor;
    const QString style = QStringLiteral("background: transparent; color: %1").arg(tarnRgb(color));
    for (TarnLabel *label : labels())
        label->setStyleSheet(style);
}

void TarnSingleDPI::retranslate()
{
    m_pLinkBox->setText(tr("Link XY"));
    const int n = m_iLevel + 1;
    m_pEnableBox->setAccessibleName(tr("DPI level %1 on").arg(n));
    m_pSlider->setAccessibleNames(tr("DPI level %1 X").arg(n), tr("DPI level %1 Y").arg(n), tr("DPI level %1").arg(n));
    setAccessibleName(tr("DPI level %1").arg(n));
    setAccessibleDescription(tr("Click, or press Space, to make this level the active one"));
}

void TarnSingleDPI::relayout()
{
    m_Layout.apply();
    applyStyles();
    for (TarnLabel *label : labels())
        label->refreshFont();
    m_pLinkBox->setFont(TarnUi::currentFont());
}

void TarnSingleDPI::applyStyles()
{
    applyLabelStyle();
    m_pLinkBox->setStyleSheet(checkBoxStyle());
    m_pEnableBox->setStyleSheet(checkBoxStyle());
    m_pSlider->refreshStyle();
}

void TarnSingleDPI::showValues()
{
    const int x = dpiCodeToValue(m_iX, m_iSensor);
    const int y = dpiCodeToValue(m_iY, m_iSensor);
    m_pXLabel->setText(QString::asprintf("X:%d", x));
    m_pYLabel->setText(QString::asprintf("Y:%d", y));
    m_pDpiLabel->setText(QString::asprintf("DPI : %d", y));
}

void TarnSingleDPI::onStateChanged(int state)
{
    const quint8 on = state == Qt::Checked ? 1 : 0;
    if (sender() == m_pLinkBox) {
        m_iLink = on;
        m_pSlider->setLinked(on != 0);
        emit LinkSignal(m_iLink, m_iLevel);
        // Linked levels have one value: without this the mouse would keep a
        // Y the row no longer shows.
        if (on && m_iY != m_iX) {
            setValues(m_iX, m_iX);
            emit DPISignal(m_iX, m_iY, m_iLevel);
        }
    } else if (sender() == m_pEnableBox) {
        m_iUsed = on;
        emit EnableSignal(m_iUsed, m_iLevel);
    }
}

void TarnSingleDPI::onSliderChanged(int x, int y)
{
    qDebug("ix = %d", x);
    m_iX = x;
    m_iY = y;
    // The hidden sliders follow, so unlinking shows the same values.
    m_pSlider->setValues(x, y);
    showValues();
    emit DPISignal(x, y, m_iLevel);
}

void TarnSingleDPI::slotLabelClick(TarnLabel *)
{
    emit MouseinSignal(m_iLevel);
}

void TarnSingleDPI::mousePressEvent(QMouseEvent *event)
{
    // A press on a label has been answered by slotLabelClick already.
    if (!qobject_cast<TarnLabel *>(childAt(event->pos())))
        emit MouseinSignal(m_iLevel);
    QWidget::mousePressEvent(event);
}

void TarnSingleDPI::keyPressEvent(QKeyEvent *event)
{
    // Keys the sliders leave alone reach the row.
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit MouseinSignal(m_iLevel);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
