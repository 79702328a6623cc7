#pragma once

#include <string>

#include "platform/hid/HidBackend.h"

namespace pelmo::platform {

// HID interfaces through the kernel's hidraw driver: the nodes listed under
// /sys/class/hidraw, opened as /dev/hidrawN, feature reports through the
// HIDIOCSFEATURE and HIDIOCGFEATURE ioctls. Both roots can be pointed at a
// fixture tree.
class HidrawBackend final : public HidBackend {
public:
    explicit HidrawBackend(std::string sysfsRoot = "/sys/class/hidraw", std::string deviceRoot = "/dev");

    // Ordered by hidraw number; nodes whose identity cannot be read are left out.
    std::vector<HidInterfaceInfo> enumerate() override;
    std::unique_ptr<HidHandle> open(const std::string& path, HidOpenError& error) override;

private:
    std::string sysfsRoot_;
    std::string deviceRoot_;
};

// The diagnostic line for a node that could not be opened, naming the node
// and what the user can do about it.
std::string describeHidrawOpenFailure(const std::string& path, int errorNumber);

} // namespace pelmo::platform
