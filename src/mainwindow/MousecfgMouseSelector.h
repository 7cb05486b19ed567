#pragma once
// The mouse selector of the title bar: the menu of the mice the session found,
// the chosen one, and choosing another.

#include <QObject>

class MouseSession;
class QAction;
class QWidget;
class TarnMenu;
class TarnPushButton;
class TarnUi;

class MousecfgMouseSelector : public QObject
{
    Q_OBJECT
public:
    // button: the window's selector button, which gets the menu. window: parent
    // of this object and of the menu. session and ui must outlive it.
    MousecfgMouseSelector(MouseSession &session, TarnUi &ui, TarnPushButton *button, QWidget *window);

    // Asks the session for the list of mice again and shows it.
    void rebuild();
    // Shows the list and the choice the session holds.
    void showList();
    void relayout();

signals:
    // The device link now talks to another mouse, whose configuration is loaded.
    void mouseSwitched();

private:
    void onMouseChosen(QAction *action);

    MouseSession &m_Session;
    TarnUi &m_Ui;
    QWidget *m_pWindow = nullptr;
    TarnPushButton *m_pButton = nullptr;
    TarnMenu *m_pMenu = nullptr;
};
