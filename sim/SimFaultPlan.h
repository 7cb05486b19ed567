#pragma once

#include "MouseSim.h"

#include <array>
#include <vector>

namespace mousesim {

// The faults still to come. Each counts down as it strikes and then the mouse
// behaves normally again; setting one again replaces its count. A value: no
// handles, no locks.
class SimFaultPlan
{
public:
    void dropAnswers(int n);
    void corruptDataEcho(int n);
    void foreignReportsBeforeEcho(int n, int perAnswer);
    void zeroAnswers(int n);
    void failWrites(int n);
    void failReads(int n);
    void pullAfterPackets(Identity identity, int n); // n > 0; MouseSim pulls at once for less
    void clear() { *this = SimFaultPlan(); }

    // What reaches the host for one answer, in order: any foreign reports
    // (copies of foreign), then the answer itself, zeroed or with a spoilt
    // data byte; nothing when the answer is dropped.
    std::vector<Report> deliver(Report answer, bool dataEcho, const Report &foreign);

    // True, and counted, when this write or read is to fail.
    bool takeWriteFailure();
    bool takeReadFailure();

    // The identity's pull is due: the next write finds it gone.
    bool pullDue(Identity identity) const;
    // A write went through to the identity.
    void countPacket(Identity identity);
    // The identity left the bus; its pending pull is void.
    void cancelPull(Identity identity);

private:
    static std::size_t indexOf(Identity identity) { return static_cast<std::size_t>(identity); }

    int m_drop = 0;
    int m_corrupt = 0;
    int m_foreign = 0;
    int m_foreignPerAnswer = 1;
    int m_zero = 0;
    int m_failWrites = 0;
    int m_failReads = 0;
    std::array<int, kIdentityCount> m_pullAfter = {-1, -1, -1}; // writes left before the pull; -1 none planned
};

} // namespace mousesim
