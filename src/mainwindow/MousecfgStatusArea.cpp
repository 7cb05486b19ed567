#include "MousecfgStatusArea.h"

#include "ConfigFile.h"
#include "MouseSession.h"
#include "StatusDecoding.h"
#include "TarnAccessible.h"
#include "TarnPage.h"
#include "TarnProcessbar.h"
#include "TarnUi.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>

#include <algorithm>

MousecfgStatusArea::MousecfgStatusArea(MouseSession &session, TarnUi &ui, QWidget *window)
    : QObject(window)
    , m_Session(session)
    , m_Ui(ui)
    , m_pWindow(window)
{
    m_BatteryImage1.load(ui.imagePath(QStringLiteral("/skin/bat1.png")));
    m_BatteryImage2.load(ui.imagePath(QStringLiteral("/skin/bat2.png")));
}

void MousecfgStatusArea::buildWidgets()
{
    m_pBatteryBar = new TarnProcessbar(m_pWindow);
    m_pBatteryBar->setObjectName(QStringLiteral("batteryBar"));
    m_pBatteryBar->setRange(0, 100);
    m_pBatteryBar->setValue(std::max(0, std::min(readBattery(m_Session.dirs()), 100)));
    m_pChargeIcon = new QLabel(m_pWindow);
    m_pChargeIcon->setObjectName(QStringLiteral("chargeIcon"));
    m_pChargeIcon->setScaledContents(true);
    m_pChargeIcon->setPixmap(QPixmap(m_Ui.imagePath(QStringLiteral("/skin/lightning.png"))));
    m_pChargeIcon->hide();
    tarnMarkDecorative(m_pChargeIcon); // the battery bar's name says the same
    m_pReceiverIcon = new QLabel(m_pWindow);
    m_pReceiverIcon->setObjectName(QStringLiteral("receiverIcon"));
    m_pReceiverIcon->setScaledContents(true);
    m_pReceiverIcon->setPixmap(QPixmap(m_Ui.imagePath(QStringLiteral("/skin/dongle.png"))));
}

void MousecfgStatusArea::place(TarnDesignLayout &layout) const
{
    layout.place(m_pBatteryBar, 75, 587, 71, 34);
    layout.place(m_pChargeIcon, 174, 584, 26, 40);
    layout.place(m_pReceiverIcon, 174, 581, 48, 48);
}

void MousecfgStatusArea::retranslate()
{
    // The bar shows a value and the icon only a picture: both need a name.
    m_pBatteryBar->setAccessibleName(tr("Battery"));
    m_pReceiverIcon->setAccessibleName(tr("Receiver connected"));
}

void MousecfgStatusArea::refreshFont()
{
    m_pBatteryBar->refreshFont();
}

void MousecfgStatusArea::showConnectionIcons()
{
    m_ConnectionMode = m_Session.connectionMode();
    m_pChargeIcon->hide();
    m_pReceiverIcon->setVisible(receiverIconShown(m_ConnectionMode));
    m_pBatteryBar->setVisible(batteryBarShown(m_ConnectionMode));
    m_pWindow->update();
}

void MousecfgStatusArea::paintFrame() const
{
    const QPixmap &frame = cablePresent(m_ConnectionMode) ? m_BatteryImage2 : m_BatteryImage1;
    if (frame.isNull())
        return;
    QPainter painter(m_pWindow);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(m_Ui.scaledRect(69, 581, 86, 47), frame);
}

void MousecfgStatusArea::showBattery(const BatteryReading &reading, int level)
{
    int fontPx = m_Ui.scaled(16);
    if (reading.mouseOff()) {
        // The text is wider than the bar in some languages: shrink it to fit.
        const QString off = tr("MOUSE OFF");
        QFont font = m_pBatteryBar->font();
        font.setBold(true);
        for (; fontPx > 6; --fontPx) {
            font.setPixelSize(fontPx);
            if (QFontMetrics(font).horizontalAdvance(off) <= m_pBatteryBar->width() - m_Ui.scaled(4))
                break;
        }
        m_pBatteryBar->setFormat(off);
        m_pBatteryBar->setTextVisible(true);
        m_pBatteryBar->setStyleSheet(
            QStringLiteral("QProgressBar{background-color:rgb(100,100,100);border:none;border-radius:2px;"
                           "text-align:center;font-weight:bold;color:white;font-size:%1px;}"
                           "QProgressBar::chunk{background-color:rgb(100,100,100);border-radius:2px;}")
                .arg(fontPx));
        m_pChargeIcon->hide();
        return;
    }
    const bool cable = cablePresent(m_Session.connectionMode());
    const QColor theme = m_Ui.themeColor();
    m_pBatteryBar->setTextVisible(true);
    m_pBatteryBar->setFormat(cable ? QString() : QStringLiteral("%p%"));
    m_pBatteryBar->setStyleSheet(
        QStringLiteral("QProgressBar{background-color:white;border:none;border-radius:2px;text-align:center;"
                       "font-weight:bold;color:black;font-size:%1px;}"
                       "QProgressBar::chunk{background-color:rgb(%2,%3,%4);border-radius:2px;}")
            .arg(fontPx)
            .arg(theme.red())
            .arg(theme.green())
            .arg(theme.blue()));
    m_pChargeIcon->setVisible(reading.charging());
    m_pBatteryBar->setValue(cable ? 100 : level);
}
