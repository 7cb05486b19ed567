#pragma once
// The worker behind the progress dialog: runs the send procedure once, off the
// GUI thread, and says so with DoProcessDlg() when it is done.

#include "SendProcedure.h"

#include <QThread>

#include <functional>

class TarnProcessThread : public QThread
{
    Q_OBJECT
public:
    using Procedure = std::function<SendOutcome(bool sendAll)>;

    TarnProcessThread(Procedure procedure, bool sendAll, QObject *parent = nullptr);

    bool sendAll() const { return m_bSendAll; }
    // Valid once DoProcessDlg() was emitted.
    SendOutcome outcome() const { return m_Outcome; }
    DeviceResult result() const { return m_Outcome.result; }

signals:
    void DoProcessDlg();

protected:
    void run() override;

private:
    Procedure m_Procedure;
    bool m_bSendAll = false;
    SendOutcome m_Outcome;
};
