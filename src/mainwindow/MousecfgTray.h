#pragma once
// The tray icon and its menu: "&Load Config" brings the window back, "&Quit"
// ends the program, a click on the icon shows or hides the window.

#include <QObject>
#include <QSystemTrayIcon>

class QAction;
class QWidget;
class TarnMenu;

class MousecfgTray : public QObject
{
    Q_OBJECT
public:
    // window: parent of the menu and of this object.
    MousecfgTray(const QIcon &icon, const QString &toolTip, QWidget *window);

    QSystemTrayIcon *icon() const { return m_pIcon; }
    TarnMenu *menu() const { return m_pMenu; }
    void retranslate();

signals:
    void loadConfigRequested();
    // A single or double click on the icon.
    void clicked();

private:
    TarnMenu *m_pMenu = nullptr;
    QAction *m_pLoadConfigAction = nullptr;
    QAction *m_pQuitAction = nullptr;
    QSystemTrayIcon *m_pIcon = nullptr;
};
