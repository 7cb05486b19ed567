#include "TarnGetBatteryThread.h"

#include "CommandReport.h"
#include "DeviceLink.h"
#include "PacketLog.h"
#include "StatusDecoding.h"

#include <cstring>

namespace {

constexpr int kQueryReadTimeoutMs = 50;
constexpr int kListenReadTimeoutMs = 50;
constexpr int kPauseAfterQueryMs = 10;
constexpr int kPauseAfterFailedReadMs = 450;
constexpr int kPauseAfterReadMs = 400;
constexpr int kPauseAfterQueryCycleMs = 450;
constexpr int kListenCyclesPerQuery = 57; // k runs 2..56 after a query, then a new query

} // namespace

TarnGetBatteryThread::TarnGetBatteryThread(DeviceLink &link, QObject *parent)
    : QThread(parent)
    , m_link(link)
{
}

void TarnGetBatteryThread::stop()
{
    m_bStop.store(true);
}

void TarnGetBatteryThread::SendStatusQuery(hid_device *handle)
{
    std::uint8_t query[kReportBufferSize] = {};
    query[0] = kReportId;
    query[2] = kReportMarker;
    query[3] = kCmdStatusQuery;
    query[1] = CommandChecksum(query);
    LogPacket("write", query, kReportLength);
    if (hid_write(handle, query, kReportLength) < 0)
        qDebug("Unable to send a feature report.\n");
}

void TarnGetBatteryThread::HandleStatusInput(const std::uint8_t *report)
{
    const StatusInput input = decodeStatusInput(report);
    if (input.kind == StatusInput::Report)
        emit RefreshStatus(input.report.profile, input.report.dpiLevel, input.report.rate, input.report.effect);
    else if (input.kind == StatusInput::Answer)
        handleStatusAnswer(input.answer);
}

void TarnGetBatteryThread::handleStatusAnswer(const StatusAnswer &answer)
{
    m_link.setStatusVariant(answer.variant);
    emit RefreshBatteryStatus(answer.battery.charge, answer.battery.lowByte, answer.battery.highByte);
    if (answer.hasWriteStatus())
        emit RefreshWriteStatus(answer.writeStatus);
}

void TarnGetBatteryThread::run()
{
    qDebug("TarnGetBatteryThread.\n");
    DeviceClock &clock = m_link.clock();
    int k = 0;
    while (!m_bStop.load()) {
        m_iCycles.fetch_add(1);
        std::uint8_t readBuffer[kReportBufferSize] = {};

        if (k == 0) {
            // Query cycle: a status query and its answer, under one lock.
            int got = -1;
            {
                const DeviceLink::CommandLock lock = m_link.lockCommandHandle();
                if (!lock)
                    return;
                SendStatusQuery(lock.handle());
                clock.pause(kPauseAfterQueryMs);
                got =
                    hid_read_timeout(lock.handle(), readBuffer, kReportLength, clock.readTimeout(kQueryReadTimeoutMs));
            }
            // The answer to our own query is due at once: no data is as much a
            // silent mouse as a read error, and must show as one.
            if (got <= 0) {
                emit RefreshBatteryStatus(0, 0, 0);
            } else {
                LogPacket("read", readBuffer, got);
                qDebug("Threadread bat - %x %x %x %x %x %x %x %x\n", readBuffer[0], readBuffer[1], readBuffer[2],
                       readBuffer[3], readBuffer[4], readBuffer[5], readBuffer[6], readBuffer[7]);
                // Only the answer counts here; a 0x49 report read now is dropped.
                const StatusInput input = decodeStatusInput(readBuffer);
                if (input.kind == StatusInput::Answer)
                    handleStatusAnswer(input.answer);
            }
            k = 2;
            clock.pause(kPauseAfterQueryCycleMs);
            // A stop during this pause must not cost one more read.
            if (m_bStop.load())
                break;
        } else {
            k = k + 1;
        }

        // Listen. The buffer is cleared first so that a read without data is
        // not taken for the answer read above.
        std::memset(readBuffer, 0, sizeof readBuffer);
        readBuffer[0] = 4;
        int got = -1;
        {
            const DeviceLink::CommandLock lock = m_link.lockCommandHandle();
            if (!lock)
                return; // the handles were closed under us: end as if none had been open
            got = hid_read_timeout(lock.handle(), readBuffer, kReportLength, clock.readTimeout(kListenReadTimeoutMs));
        }
        if (got < 0) {
            qDebug("Unable to read a feature report 1.\n");
            clock.pause(kPauseAfterFailedReadMs);
        } else {
            if (got > 0)
                LogPacket("read", readBuffer, got);
            HandleStatusInput(readBuffer);
            clock.pause(kPauseAfterReadMs);
        }

        if (k == kListenCyclesPerQuery)
            k = 0;
    }
    qDebug("TarnGetBatteryThread Stop.\n");
}
