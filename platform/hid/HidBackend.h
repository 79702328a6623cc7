#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pelmo::platform {

// Usage page and usage of one top-level collection of a report descriptor.
struct HidUsage {
    std::uint16_t page = 0;
    std::uint16_t usage = 0;
    friend bool operator==(const HidUsage&, const HidUsage&) = default;
};

// One HID interface as the system lists it. On Linux one hidraw node stands
// for one interface, and its report descriptor may hold several top-level
// collections; all of them are listed.
struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::vector<HidUsage> topLevelCollections;

    bool hasCollection(HidUsage wanted) const;
};

// An opened interface. Buffers include the report-id byte at index 0, as the
// kernel's feature-report calls expect.
class HidHandle {
public:
    virtual ~HidHandle() = default;
    virtual bool setFeature(const std::uint8_t* report, std::size_t length) = 0;
    virtual bool getFeature(std::uint8_t* report, std::size_t length) = 0;
};

// Why an open failed, for the caller's diagnostics.
struct HidOpenError {
    int errorNumber = 0;  // errno, 0 when the failure has no system cause
    std::string message;  // one line naming the node and, where there is one, the fix
};

// One way of reaching HID interfaces: the kernel's hidraw nodes, or the
// emulated mouse. State lives on the backend object, never in globals.
class HidBackend {
public:
    virtual ~HidBackend() = default;

    // Every present interface, in a stable order.
    virtual std::vector<HidInterfaceInfo> enumerate() = 0;

    // Opens an interface for reading and writing; null with `error` filled on failure.
    virtual std::unique_ptr<HidHandle> open(const std::string& path, HidOpenError& error) = 0;
};

} // namespace pelmo::platform
