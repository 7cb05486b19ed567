// The Qt-facing side of the Windows device notifications; the Win32 calls live in win/.
#include "DeviceNotificationWin.h"
#include "DeviceNotifier.h"

#include <QDebug>

namespace {

class WinDeviceNotifier : public DeviceNotifier
{
public:
    WinDeviceNotifier(quintptr window, QObject *parent)
        : DeviceNotifier(parent)
    {
        unsigned long error = 0;
        m_pHandle = platformwin::registerHidNotifications(reinterpret_cast<void *>(window), &error);
        if (!m_pHandle)
            qDebug("注册失败");
    }
    ~WinDeviceNotifier() override { platformwin::unregisterHidNotifications(m_pHandle); }

    bool isRegistered() const override { return m_pHandle != nullptr; }

    bool handleNativeEvent(const QByteArray &eventType, void *message) override
    {
        if (eventType != "windows_generic_MSG" || !message)
            return false;
        std::wstring name;
        const platformwin::DeviceChangeKind kind = platformwin::decodeDeviceChange(message, &name);
        if (kind == platformwin::DeviceChangeKind::None)
            return false;
        const QString text = QString::fromStdWString(name);
        if (kind == platformwin::DeviceChangeKind::Arrival) {
            qDebug("DBT_DEVICEARRIVAL\n");
            qDebug("%s", qPrintable(text));
            emit interfaceChanged(text, true);
        } else {
            emit interfaceChanged(text, false);
            qDebug("DBT_DEVICEREMOVECOMPLETE\n");
        }
        return false; // other handlers may want the message too
    }

private:
    void *m_pHandle = nullptr;
};

} // namespace

std::unique_ptr<DeviceNotifier> createDeviceNotifier(quintptr window, QObject *parent)
{
    return std::make_unique<WinDeviceNotifier>(window, parent);
}
