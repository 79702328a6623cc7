#include "platform/x11/X11PointerControl.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <algorithm>
#include <cstring>
#include <memory>

namespace pelmo::platform {

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayConnection = std::unique_ptr<Display, DisplayCloser>;

bool hasInput2(Display* display)
{
    int opcode = 0, event = 0, error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error))
        return false;
    int major = 2, minor = 0;
    return XIQueryVersion(display, &major, &minor) == Success;
}

// Sets the property on every pointer device that carries it as one 32-bit
// float; devices driven otherwise do not have it and are left alone.
void setLibinputAccelSpeed(Display* display, float value)
{
    const Atom property = XInternAtom(display, "libinput Accel Speed", True);
    const Atom floatType = XInternAtom(display, "FLOAT", True);
    if (property == None || floatType == None || !hasInput2(display))
        return;

    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].use != XISlavePointer)
            continue;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, remaining = 0;
        unsigned char* data = nullptr;
        if (XIGetProperty(display, devices[i].deviceid, property, 0, 1, False, AnyPropertyType, &type, &format, &items,
                          &remaining, &data) == Success) {
            if (type == floatType && format == 32 && items == 1) {
                // Format 32 properties travel as longs on the client side.
                long raw = 0;
                static_assert(sizeof(float) <= sizeof(long));
                std::memcpy(&raw, &value, sizeof value);
                XIChangeProperty(display, devices[i].deviceid, property, floatType, 32, XIPropModeReplace,
                                 reinterpret_cast<unsigned char*>(&raw), 1);
            }
            XFree(data);
        }
    }
    XIFreeDeviceInfo(devices);
}

} // namespace

float X11PointerControl::libinputAccelSpeed(std::uint32_t speed)
{
    const auto clamped = static_cast<float>(std::clamp<std::uint32_t>(speed, 1, 20));
    return std::clamp((clamped - 10.0f) / 10.0f, -1.0f, 1.0f);
}

bool X11PointerControl::writeSpeed(std::uint32_t speed) const
{
    DisplayConnection display(XOpenDisplay(display_.empty() ? nullptr : display_.c_str()));
    if (!display)
        return false;
    const int clamped = static_cast<int>(std::clamp<std::uint32_t>(speed, 1, 20));
    XChangePointerControl(display.get(), True, False, clamped, 10, 0);
    setLibinputAccelSpeed(display.get(), libinputAccelSpeed(speed));
    XSync(display.get(), False);
    return true;
}

} // namespace pelmo::platform
