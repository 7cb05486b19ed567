#include "SimFaultPlan.h"

#include <algorithm>

namespace mousesim {

void SimFaultPlan::dropAnswers(int n)
{
    m_drop = std::max(0, n);
}

void SimFaultPlan::corruptDataEcho(int n)
{
    m_corrupt = std::max(0, n);
}

void SimFaultPlan::foreignReportsBeforeEcho(int n, int perAnswer)
{
    m_foreign = std::max(0, n);
    m_foreignPerAnswer = std::max(1, perAnswer);
}

void SimFaultPlan::zeroAnswers(int n)
{
    m_zero = std::max(0, n);
}

void SimFaultPlan::failWrites(int n)
{
    m_failWrites = std::max(0, n);
}

void SimFaultPlan::failReads(int n)
{
    m_failReads = std::max(0, n);
}

void SimFaultPlan::pullAfterPackets(Identity identity, int n)
{
    m_pullAfter[indexOf(identity)] = n;
}

std::vector<Report> SimFaultPlan::deliver(Report answer, bool dataEcho, const Report &foreign)
{
    if (m_drop > 0) {
        --m_drop;
        return {};
    }
    std::vector<Report> out;
    if (m_foreign > 0) {
        --m_foreign;
        out.assign(std::size_t(m_foreignPerAnswer), foreign);
    }
    if (m_zero > 0) {
        --m_zero;
        answer.fill(0);
    } else if (dataEcho && answer[6] > 0 && m_corrupt > 0) {
        --m_corrupt;
        answer[8] = std::uint8_t(answer[8] ^ 0x5A);
    }
    out.push_back(answer);
    return out;
}

bool SimFaultPlan::takeWriteFailure()
{
    if (m_failWrites <= 0)
        return false;
    --m_failWrites;
    return true;
}

bool SimFaultPlan::takeReadFailure()
{
    if (m_failReads <= 0)
        return false;
    --m_failReads;
    return true;
}

bool SimFaultPlan::pullDue(Identity identity) const
{
    return m_pullAfter[indexOf(identity)] == 0;
}

void SimFaultPlan::countPacket(Identity identity)
{
    int &left = m_pullAfter[indexOf(identity)];
    if (left > 0)
        --left;
}

void SimFaultPlan::cancelPull(Identity identity)
{
    m_pullAfter[indexOf(identity)] = -1;
}

} // namespace mousesim
