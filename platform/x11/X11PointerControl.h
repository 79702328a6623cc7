#pragma once

#include <cstdint>
#include <string>

namespace pelmo::platform {

// Sets the pointer speed of an X display for as long as the server runs, on
// the 1-20 scale where 10 leaves motion as it is. Servers reach pointers two
// ways, and both are set: the core pointer acceleration (s/10), which the
// older input drivers follow, and the "libinput Accel Speed" property of
// every pointer device that has one ((s - 10) / 10, within -1..1), which is
// what libinput-driven desktops use. Each call opens its own connection.
class X11PointerControl {
public:
    explicit X11PointerControl(std::string display) : display_(std::move(display)) {}

    // False when the display cannot be reached.
    bool writeSpeed(std::uint32_t speed) const;

    // The libinput value for a speed, exposed for tests.
    static float libinputAccelSpeed(std::uint32_t speed);

private:
    std::string display_;
};

} // namespace pelmo::platform
