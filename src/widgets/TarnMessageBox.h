#pragma once
// Every warning and question of the program. Kind 1 asks (Yes / No), the other
// kinds inform (Ok); kind 4 is the receiver-missing box, which can watch for
// the mouse coming back and close itself. An empty title takes the heading, so
// the window and assistive tools name the box by what it says; tools hear it
// as an alert with the message as its description. Enter presses the focused
// button (Yes / Ok when none has the focus), Escape answers No.

#include "TarnSkinDialog.h"

#include <functional>

class QLabel;
class QTimer;
class QToolButton;
class TarnLabel;

class TarnMessageBox : public TarnSkinDialog
{
    Q_OBJECT
public:
    using DevicePresentQuery = std::function<bool()>;

    enum Kind { Question = 1, Warning = 2, Notice = 3, Disconnected = 4 };

    TarnMessageBox(int kind, const QString &title, const QString &heading, const QString &message,
                   QWidget *parent = nullptr, bool watchPlugIn = false, Qt::WindowFlags flags = Qt::FramelessWindowHint,
                   DevicePresentQuery devicePresent = DevicePresentQuery());

    int kind() const { return m_iKind; }
    QString heading() const;
    QString message() const;
    // Asked every 100 ms while the box watches for the device.
    void setDevicePresentQuery(DevicePresentQuery query) { m_DevicePresent = std::move(query); }
    bool isWatchingPlugIn() const;

public slots:
    void GetPlugInSignal();

protected:
    void showEvent(QShowEvent *event) override;

private:
    int m_iKind;
    DevicePresentQuery m_DevicePresent;
    QTimer *m_pPlugInTimer = nullptr;
    QLabel *m_pIcon = nullptr;
    TarnLabel *m_pHeading = nullptr;
    TarnLabel *m_pMessage = nullptr;
    QToolButton *m_pYesBtn = nullptr;
    QToolButton *m_pNoBtn = nullptr;
    bool m_bWatch = false;
    bool m_bLoggedNoQuery = false;
};
