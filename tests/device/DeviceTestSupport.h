#pragma once
// Shared fixture pieces of the device tests: a temporary configuration
// directory, a capture of the debug output, and a simulated mouse reset to a
// known state with its time virtual.

#include "CommandReport.h"
#include "DeviceLink.h"
#include "MouseSim.h"
#include "StorageDirs.h"
#include "VirtualDeviceClock.h"

#include <QDir>
#include <QMutex>
#include <QMutexLocker>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

constexpr const char *kTestModel = "Tarn Test Mouse";

// Collects every qDebug/qWarning line while alive, from any thread.
class MessageCapture
{
public:
    MessageCapture()
    {
        current() = this;
        m_previous = qInstallMessageHandler(&MessageCapture::handler);
    }
    ~MessageCapture()
    {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }

    QStringList messages() const
    {
        QMutexLocker lock(&m_mutex);
        return m_messages;
    }
    int count(const QString &text) const
    {
        const QStringList all = messages();
        return int(std::count(all.begin(), all.end(), text));
    }
    int countStartingWith(const QString &prefix) const
    {
        int n = 0;
        for (const QString &m : messages())
            n += m.startsWith(prefix) ? 1 : 0;
        return n;
    }
    void clear()
    {
        QMutexLocker lock(&m_mutex);
        m_messages.clear();
    }

private:
    static MessageCapture *&current()
    {
        static MessageCapture *instance = nullptr;
        return instance;
    }
    static void handler(QtMsgType, const QMessageLogContext &, const QString &text)
    {
        if (MessageCapture *self = current()) {
            QMutexLocker lock(&self->m_mutex);
            self->m_messages.append(text);
        }
    }

    mutable QMutex m_mutex;
    QStringList m_messages;
    QtMessageHandler m_previous = nullptr;
};

// A configuration directory of its own with Mouse_List/0 and the current product name.
class TestConfigDir
{
public:
    explicit TestConfigDir(const QString &mouseList = QString::fromLatin1(kTestModel))
    {
        m_dirs = StorageDirs::fromAppDir(m_tmp.path());
        QDir().mkpath(m_dirs.configDir);
        QSettings ini(m_dirs.configIni(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Mouse_List/0"), mouseList);
        ini.setValue(QStringLiteral("Config/CurrentProductName"), mouseList);
    }
    const StorageDirs &dirs() const { return m_dirs; }

private:
    QTemporaryDir m_tmp;
    StorageDirs m_dirs;
};

inline mousesim::MouseSim &sim()
{
    return mousesim::MouseSim::instance();
}

// The simulated mouse with the receiver only, virtual time, nothing logged yet.
inline void resetSim()
{
    sim().reset();
    sim().setVirtualTime(true);
}

// A link to the simulated mouse, discovered and opened like the program does it.
struct OpenLink
{
    explicit OpenLink(VirtualDeviceClock *clock)
        : link(config.dirs(), clock)
    {
        link.LoadDeviceTable();
        link.EnumerateDevices();
        link.OpenDevice(kTestModel);
    }
    ~OpenLink() { link.CloseDevice(); }

    TestConfigDir config;
    DeviceLink link;
};

inline std::vector<mousesim::TrafficEntry> trafficOut()
{
    std::vector<mousesim::TrafficEntry> out;
    for (const mousesim::TrafficEntry &e : sim().traffic())
        if (e.direction == mousesim::Direction::Out)
            out.push_back(e);
    return out;
}

// The recorded pauses and read timeouts as text: "p10 r150 ...".
inline QString eventText(const QVector<DeviceClockEvent> &events)
{
    QStringList parts;
    for (const DeviceClockEvent &e : events)
        parts << QStringLiteral("%1%2").arg(e.kind == DeviceClockEvent::Pause ? 'p' : 'r').arg(e.ms);
    return parts.join(QLatin1Char(' '));
}

// what, n times, separated by spaces.
inline QString times(const QString &what, int n)
{
    QStringList parts;
    for (int i = 0; i < n; ++i)
        parts << what;
    return parts.join(QLatin1Char(' '));
}

// An unframed command report: the link adds the checksum.
inline std::vector<std::uint8_t> command(std::uint8_t code, std::uint8_t p1 = 0, std::uint8_t p2 = 0,
                                         std::vector<std::uint8_t> data = {}, std::uint8_t tag = 0)
{
    std::vector<std::uint8_t> r(kReportLength, 0);
    r[0] = 0x05;
    r[2] = 0xFA;
    r[3] = code;
    r[4] = p1;
    r[5] = p2;
    r[6] = std::uint8_t(data.size());
    r[7] = tag;
    std::copy(data.begin(), data.end(), r.begin() + 8);
    return r;
}
