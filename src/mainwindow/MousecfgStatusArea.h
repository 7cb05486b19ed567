#pragma once
// The status corner of the main window: the battery bar on its painted frame,
// the charge and receiver icons, and how each battery report shows there.

#include "MouseList.h"

#include <QObject>
#include <QPixmap>

class MouseSession;
class QLabel;
class QWidget;
class TarnDesignLayout;
class TarnProcessbar;
class TarnUi;
struct BatteryReading;

class MousecfgStatusArea : public QObject
{
    Q_OBJECT
public:
    // Loads the frame pictures. window: parent of this object and of the
    // widgets, which stay its direct children.
    MousecfgStatusArea(MouseSession &session, TarnUi &ui, QWidget *window);

    void buildWidgets();
    // Hands the design rectangles to the window's layout.
    void place(TarnDesignLayout &layout) const;
    void retranslate();
    void refreshFont();
    ConnectionMode connectionMode() const { return m_ConnectionMode; }
    // Takes the session's connection mode: which icons show, which frame is painted.
    void showConnectionIcons();
    // Draws the battery frame under the bar; called from the window's paint event.
    void paintFrame() const;
    void showBattery(const BatteryReading &reading, int level);

private:
    MouseSession &m_Session;
    TarnUi &m_Ui;
    QWidget *m_pWindow = nullptr;
    QPixmap m_BatteryImage1;
    QPixmap m_BatteryImage2;
    ConnectionMode m_ConnectionMode = ConnectionMode::None;
    TarnProcessbar *m_pBatteryBar = nullptr;
    QLabel *m_pChargeIcon = nullptr;
    QLabel *m_pReceiverIcon = nullptr;
};
