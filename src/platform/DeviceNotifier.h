#pragma once
#include <QObject>
#include <QString>

#include <memory>

// Tells when HID devices come and go. Windows names the interface that
// changed (interfaceChanged); Linux only says that the hidraw devices changed
// (devicesChanged), and the receiver enumerates again to find out what.
class DeviceNotifier : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // False when the registration failed ("注册失败" was logged): changes are
    // then not noticed until the next start.
    virtual bool isRegistered() const = 0;

    // Windows: decodes a WM_DEVICECHANGE message of the window registered in
    // createDeviceNotifier and emits interfaceChanged. Other systems: false.
    virtual bool handleNativeEvent(const QByteArray &eventType, void *message) = 0;

signals:
    // name: the interface name after "\\?\" ("HID#VID_248A&PID_FA02&MI_00&Col04#...").
    void interfaceChanged(const QString &name, bool arrived);
    void devicesChanged();
};

// Registers for HID device notifications on window (a native window handle;
// Windows only, ignored elsewhere). Never null.
std::unique_ptr<DeviceNotifier> createDeviceNotifier(quintptr window, QObject *parent = nullptr);
