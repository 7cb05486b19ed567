#pragma once
// Base of the program's skinned top-level windows: frameless, shaped by the
// opaque part of its background picture, sized design size x display scale,
// dragged by any point of its background, and scaled again in whole steps when
// it lands on a screen of another DPI or is resized to another step's width.

#include "DisplayScale.h"

#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QWidget>

#include <array>
#include <functional>

class QScreen;
class TarnUi;

class TarnSkinWindow : public QWidget
{
    Q_OBJECT
public:
    using LogicalDpi = std::function<double(const QScreen *)>;

    // background: a skin image name such as "/skin/cfgMainback.png". The scale
    // step comes from the primary screen's logical DPI (logicalDpi, or the
    // screen's own when null) and is published through ui. The window is
    // centred on the primary screen.
    TarnSkinWindow(TarnUi &ui, const QString &background, const QSize &designSize, LogicalDpi logicalDpi = {},
                   QWidget *parent = nullptr);

    int dpiStep() const { return m_iDpiVal; }
    double displayScale() const;

protected:
    TarnUi &ui() const { return m_Ui; }
    // The scale step changed: place and size the contents again.
    virtual void scaleChanged() {}

    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override; // the background
    void resizeEvent(QResizeEvent *event) override;

private:
    double logicalDpiOf(const QScreen *screen) const;
    const QPixmap &backgroundFor(int step, const QSize &size);
    void applyWindowMask();

    TarnUi &m_Ui;
    QSize m_DesignSize;
    LogicalDpi m_LogicalDpi;
    std::array<QPixmap, kScaleSteps> m_aBackground;
    int m_iDpiVal = 0;
    int m_iLastDpiVal = 0;
    int m_iLastWidth = 0;
    int m_iLastHeight = 0;

    bool m_bDragging = false;
    QPoint m_PressPoint;
    QPoint m_WindowOrigin;
};
