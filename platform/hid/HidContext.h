#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid/HidBackend.h"
#include "platform/hid/HidTrace.h"
#include "platform/time/Clock.h"

namespace pelmo::platform {

// Everything the device library reaches the mouse through: a HID backend, the
// clock for the protocol's pauses, the optional protocol trace and the last
// diagnostic. Every transfer and pause goes through here so the trace sees
// them all. The context owns its backend, clock and trace.
class HidContext {
public:
    HidContext(std::unique_ptr<HidBackend> backend, std::unique_ptr<Clock> clock,
               std::unique_ptr<HidTrace> trace = nullptr);

    // The context a process gets from its environment:
    //   PELMO_DEVICE=emulated[:STATE_FILE]  the emulated mouse instead of hidraw
    //   PELMO_TRACE=FILE                    the protocol trace
    static std::unique_ptr<HidContext> fromEnvironment();

    HidBackend& backend() { return *backend_; }
    Clock& clock() { return *clock_; }

    std::vector<HidInterfaceInfo> enumerate();
    // Null when the interface cannot be opened; the reason becomes the last diagnostic.
    std::unique_ptr<HidHandle> open(const std::string& path);
    void close(std::unique_ptr<HidHandle>& handle);
    bool setFeature(HidHandle& handle, const std::uint8_t* report, std::size_t length);
    bool getFeature(HidHandle& handle, std::uint8_t* report, std::size_t length);
    void sleepMs(std::uint32_t milliseconds);

    // Records a line for callers such as pelmoctl and prints it when PELMO_DEBUG is set.
    void diagnose(std::string line);
    const std::string& lastDiagnostic() const { return lastDiagnostic_; }
    void clearDiagnostic() { lastDiagnostic_.clear(); }

private:
    void trace(std::string_view line);

    std::unique_ptr<HidBackend> backend_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<HidTrace> trace_;
    std::string lastDiagnostic_;
};

} // namespace pelmo::platform
