// Linux: a udev monitor on the hidraw subsystem, read from the event loop.
#include "DeviceNotifier.h"

#include <QDebug>
#include <QSocketNotifier>

#include <libudev.h>

namespace {

class UdevDeviceNotifier : public DeviceNotifier
{
public:
    explicit UdevDeviceNotifier(QObject *parent)
        : DeviceNotifier(parent)
    {
        m_pUdev = udev_new();
        if (m_pUdev)
            m_pMonitor = udev_monitor_new_from_netlink(m_pUdev, "udev");
        if (!m_pMonitor || udev_monitor_filter_add_match_subsystem_devtype(m_pMonitor, "hidraw", nullptr) < 0 ||
            udev_monitor_enable_receiving(m_pMonitor) < 0) {
            qDebug("注册失败");
            return;
        }
        m_pNotifier = new QSocketNotifier(udev_monitor_get_fd(m_pMonitor), QSocketNotifier::Read, this);
        connect(m_pNotifier, &QSocketNotifier::activated, this, &UdevDeviceNotifier::readEvents);
    }

    ~UdevDeviceNotifier() override
    {
        delete m_pNotifier;
        if (m_pMonitor)
            udev_monitor_unref(m_pMonitor);
        if (m_pUdev)
            udev_unref(m_pUdev);
    }

    bool isRegistered() const override { return m_pNotifier != nullptr; }
    bool handleNativeEvent(const QByteArray &, void *) override { return false; }

private:
    void readEvents()
    {
        // A plug brings one event per node; drain them all, then look once.
        bool changed = false;
        while (udev_device *device = udev_monitor_receive_device(m_pMonitor)) {
            const char *action = udev_device_get_action(device);
            const char *node = udev_device_get_devnode(device);
            qDebug("udev %s %s", action ? action : "?", node ? node : "?");
            changed = true;
            udev_device_unref(device);
        }
        if (changed)
            emit devicesChanged();
    }

    udev *m_pUdev = nullptr;
    udev_monitor *m_pMonitor = nullptr;
    QSocketNotifier *m_pNotifier = nullptr;
};

} // namespace

std::unique_ptr<DeviceNotifier> createDeviceNotifier(quintptr, QObject *parent)
{
    return std::make_unique<UdevDeviceNotifier>(parent);
}
