#pragma once
// The picture of the current mouse beside the pages; while a button of the
// button page is hovered it shows where that button sits on the mouse.

#include <QObject>

class MouseSession;
class QLabel;
class QWidget;
class TarnPushButton;
class TarnUi;

class MousecfgMousePicture : public QObject
{
    Q_OBJECT
public:
    // Creates the label, a direct child of window. session and ui must outlive it.
    MousecfgMousePicture(MouseSession &session, TarnUi &ui, QWidget *window);

    QLabel *label() const { return m_pLabel; }
    // A file of skin/mouse/<current product>/; a missing one leaves the label as it is.
    void showFile(const QString &file);
    // The picture of btn's row while bType holds, else the whole mouse.
    void showButton(TarnPushButton *btn, bool bType);

private:
    MouseSession &m_Session;
    TarnUi &m_Ui;
    QLabel *m_pLabel = nullptr;
};
