// Linux: the X server's pointer acceleration. Under Wayland the compositor
// owns the pointer and offers no common way to set it; there nothing is read
// or set.
#include "PointerSpeed.h"
#include "PointerSpeedScale.h"

#include <QDebug>
#include <QtGlobal>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <cstring>
#include <vector>

namespace {

const char kAccelSpeedProperty[] = "libinput Accel Speed";

// The pointer devices that carry libinput's speed property.
std::vector<int> accelDevices(Display *display, Atom property)
{
    std::vector<int> ids;
    int opcode = 0, event = 0, error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error))
        return ids;
    int major = 2, minor = 0;
    if (XIQueryVersion(display, &major, &minor) != Success)
        return ids;
    int count = 0;
    XIDeviceInfo *devices = XIQueryDevice(display, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].use != XISlavePointer || !devices[i].enabled)
            continue;
        int propertyCount = 0;
        Atom *properties = XIListProperties(display, devices[i].deviceid, &propertyCount);
        for (int p = 0; p < propertyCount; ++p) {
            if (properties[p] == property) {
                ids.push_back(devices[i].deviceid);
                break;
            }
        }
        XFree(properties);
    }
    XIFreeDeviceInfo(devices);
    return ids;
}

bool readAccel(Display *display, int device, Atom property, Atom floatType, double *accel)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    if (XIGetProperty(display, device, property, 0, 1, False, floatType, &type, &format, &items, &after, &data) !=
            Success ||
        !data)
        return false;
    const bool ok = type == floatType && format == 32 && items == 1;
    if (ok) {
        float value = 0;
        std::memcpy(&value, data, sizeof value);
        *accel = value;
    }
    XFree(data);
    return ok;
}

class X11PointerSpeed : public PointerSpeed
{
public:
    int GetPointerSpeed() override
    {
        Display *display = openDisplay();
        if (!display)
            return 0;
        int speed = 0;
        const Atom property = XInternAtom(display, kAccelSpeedProperty, True);
        const Atom floatType = XInternAtom(display, "FLOAT", True);
        double accel = 0;
        if (property != None && floatType != None) {
            for (int device : accelDevices(display, property)) {
                if (readAccel(display, device, property, floatType, &accel)) {
                    speed = speedFromLibinputAccel(accel);
                    break;
                }
            }
        }
        if (speed == 0) {
            int numerator = 0, denominator = 0, threshold = 0;
            XGetPointerControl(display, &numerator, &denominator, &threshold);
            speed = speedFromCoreAccel(numerator, denominator);
        }
        XCloseDisplay(display);
        qDebug("pointer speed read: %d", speed);
        return speed;
    }

    void SetPointerSpeed(int speed) override
    {
        Display *display = openDisplay();
        if (!display)
            return;
        speed = clampPointerSpeed(speed);
        const Atom property = XInternAtom(display, kAccelSpeedProperty, True);
        const Atom floatType = XInternAtom(display, "FLOAT", True);
        int devices = 0;
        if (property != None && floatType != None) {
            float accel = float(libinputAccelFromSpeed(speed));
            for (int device : accelDevices(display, property)) {
                XIChangeProperty(display, device, property, floatType, 32, PropModeReplace,
                                 reinterpret_cast<unsigned char *>(&accel), 1);
                ++devices;
            }
        }
        if (devices == 0) {
            int numerator = 0, denominator = 0;
            coreAccelFromSpeed(speed, &numerator, &denominator);
            XChangePointerControl(display, True, False, numerator, denominator, 0);
        }
        XSync(display, False);
        XCloseDisplay(display);
        qDebug("pointer speed set to %d (%s)", speed, devices ? "libinput" : "core pointer");
    }

private:
    Display *openDisplay()
    {
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
            qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")) {
            logOnce("pointer speed: a Wayland session; not read or set");
            return nullptr;
        }
        Display *display = XOpenDisplay(nullptr);
        if (!display)
            logOnce("pointer speed: no X server; not read or set");
        return display;
    }

    void logOnce(const char *text)
    {
        if (!m_bLogged)
            qDebug("%s", text);
        m_bLogged = true;
    }

    bool m_bLogged = false;
};

} // namespace

std::unique_ptr<PointerSpeed> createSystemPointerSpeed()
{
    return std::make_unique<X11PointerSpeed>();
}
