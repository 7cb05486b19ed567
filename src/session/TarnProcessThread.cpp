#include "TarnProcessThread.h"

TarnProcessThread::TarnProcessThread(Procedure procedure, bool sendAll, QObject *parent)
    : QThread(parent)
    , m_Procedure(std::move(procedure))
    , m_bSendAll(sendAll)
{
}

void TarnProcessThread::run()
{
    m_Outcome = m_Procedure(m_bSendAll);
    emit DoProcessDlg();
}
