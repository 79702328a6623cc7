#pragma once

// Support for tests that drive the device library in-process: an emulated
// mouse and a virtual clock behind the library's HID context, the protocol
// trace read back as records, and a guard that fails any test reaching for a
// real device.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "device/DeviceContext.h"
#include "platform/hid/EmulatedHidBackend.h"
#include "platform/hid/HidContext.h"

namespace pelmo::test {

struct TraceRecord {
    std::string verb; // OPEN, CLOSE, SET, GET, SLEEP, FAIL
    std::string argument; // the length, the pause, the path or what failed
    std::vector<std::uint8_t> bytes;
};

std::vector<TraceRecord> readTrace(const std::string& path);

// A command report as the library sends it: id 0x60, the code, argument 1 in
// byte 5, argument 2 in byte 6, zero elsewhere.
std::vector<std::uint8_t> commandRequest(std::uint8_t code, std::uint8_t argument1 = 0, std::uint8_t argument2 = 0);

// A HID context that fails the running test on any use. It stands in whenever
// no test has installed a context of its own, so nothing can reach hidraw.
std::unique_ptr<platform::HidContext> guardContext();

// Puts an in-memory emulated mouse, a virtual clock and a trace file behind
// the library for the duration of a test.
class EmulatedMouseTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    emulator::MouseState& mouseState() { return backend_->mouse().state(); }
    emulator::MouseFaults& faults() { return mouseState().faults; }
    const std::vector<std::uint32_t>& pauses() const { return clock_->pauses(); }
    std::vector<TraceRecord> trace() const { return readTrace(tracePath_); }
    // The trace without OPEN and CLOSE lines, from the last call to `resetTrace` on.
    std::vector<TraceRecord> transfers() const;
    void resetTrace();

    platform::EmulatedHidBackend* backend_ = nullptr;
    platform::VirtualClock* clock_ = nullptr;
    std::string tracePath_;
};

} // namespace pelmo::test
