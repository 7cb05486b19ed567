#include "TarnSkinWindow.h"

#include "TarnTheme.h"
#include "TarnUi.h"

#include <QBitmap>
#include <QDebug>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

TarnSkinWindow::TarnSkinWindow(TarnUi &ui, const QString &background, const QSize &designSize, LogicalDpi logicalDpi,
                               QWidget *parent)
    : QWidget(parent)
    , m_Ui(ui)
    , m_DesignSize(designSize)
    , m_LogicalDpi(std::move(logicalDpi))
{
    m_aBackground[0].load(ui.imagePath(background));

    const QScreen *screen = QGuiApplication::primaryScreen();
    m_iDpiVal = scaleStepForRatio(logicalDpiOf(screen) / 96.0);
    m_Ui.setScale(scaleOfStep(m_iDpiVal));

    setBaseSize(designSize);
    setMinimumSize(designSize);
    m_iLastWidth = m_Ui.scaled(designSize.width());
    m_iLastHeight = m_Ui.scaled(designSize.height());
    m_iLastDpiVal = m_iDpiVal;
    resize(m_iLastWidth, m_iLastHeight);
    if (screen) {
        const QRect full = screen->geometry();
        move(full.x() + (full.width() - m_iLastWidth) / 2, full.y() + (full.height() - m_iLastHeight) / 2);
    }
    applyWindowMask();
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
}

double TarnSkinWindow::displayScale() const
{
    return m_Ui.scale();
}

double TarnSkinWindow::logicalDpiOf(const QScreen *screen) const
{
    if (m_LogicalDpi)
        return m_LogicalDpi(screen);
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

const QPixmap &TarnSkinWindow::backgroundFor(int step, const QSize &size)
{
    QPixmap &entry = m_aBackground[std::size_t(std::max(0, std::min(step, kScaleSteps - 1)))];
    if (entry.isNull() && !m_aBackground[0].isNull())
        entry = m_aBackground[0].scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return entry;
}

void TarnSkinWindow::applyWindowMask()
{
    const QPixmap &background = backgroundFor(m_iDpiVal, QSize(m_iLastWidth, m_iLastHeight));
    if (background.isNull()) {
        qDebug("no window background; the window stays rectangular");
        return;
    }
    // The opaque part of the background is the window's outline.
    QBitmap mask = background.mask();
    if (mask.size() != QSize(m_iLastWidth, m_iLastHeight))
        mask = QBitmap(mask.scaled(m_iLastWidth, m_iLastHeight));
    if (!mask.isNull())
        setMask(mask);
}

void TarnSkinWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_bDragging = true;
        m_PressPoint = event->globalPos();
        m_WindowOrigin = frameGeometry().topLeft();
    }
    QWidget::mousePressEvent(event);
}

void TarnSkinWindow::mouseReleaseEvent(QMouseEvent *event)
{
    m_bDragging = false;
    QWidget::mouseReleaseEvent(event);
}

void TarnSkinWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging) {
        const QPointF delta = event->screenPos() - QPointF(m_PressPoint);
        // A press that wanders a little is still a click, not a drag.
        if (std::abs(delta.x()) + std::abs(delta.y()) > 4.0)
            move(m_WindowOrigin + QPoint(int(std::lround(delta.x())), int(std::lround(delta.y()))));
    }
    QWidget::mouseMoveEvent(event);
}

void TarnSkinWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap &background = backgroundFor(m_iDpiVal, size());
    if (background.isNull())
        return;
    const QPixmap fitted = background.size() == size()
                               ? background
                               : background.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawPixmap(0, 0, fitted);
}

void TarnSkinWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QScreen *screen = QGuiApplication::screenAt(geometry().center());
    if (!screen)
        screen = this->screen();
    int step = scaleStepForRatio(logicalDpiOf(screen) / 96.0);
    if (step == m_iLastDpiVal) {
        if (width() == m_iLastWidth && height() == m_iLastHeight) {
            qDebug("width = %d, height = %d m_iDpiVal = %d", width(), height(), m_iDpiVal);
            return;
        }
        qDebug("singleShot");
        const int byWidth = scaleStepForWidth(width(), m_DesignSize.width());
        step = byWidth >= 0 ? byWidth : m_iDpiVal;
        m_iLastWidth = width();
        m_iLastHeight = height();
    } else {
        // Moved to a screen of another DPI: take that screen's size.
        m_iLastWidth = tarnScaled(m_DesignSize.width(), scaleOfStep(step));
        m_iLastHeight = tarnScaled(m_DesignSize.height(), scaleOfStep(step));
        resize(m_iLastWidth, m_iLastHeight);
    }
    m_iDpiVal = step;
    m_iLastDpiVal = step;
    m_Ui.setScale(scaleOfStep(step));
    // Fills the step's background at the size the window now has.
    applyWindowMask();
    scaleChanged();
    qDebug("width = %d, height = %d m_iDpiVal = %d", m_iLastWidth, m_iLastHeight, m_iDpiVal);
}
