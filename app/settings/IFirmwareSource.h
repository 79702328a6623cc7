#pragma once

#include <cstdint>

namespace pelmo::app {

// Where the settings model learns the mouse's firmware version. The device
// link implements it on pelmo_api; tests give a fake.
class IFirmwareSource {
public:
    virtual ~IFirmwareSource() = default;

    // Asks the mouse for its version when it can be opened, and returns the
    // version last read: the previous one when the mouse is absent, 0 when
    // none was ever read.
    virtual std::uint16_t readFirmwareVersion() = 0;
};

} // namespace pelmo::app
