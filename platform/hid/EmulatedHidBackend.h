#pragma once

#include <memory>
#include <optional>
#include <string>

#include "emulator/EmulatedMouse.h"
#include "platform/hid/HidBackend.h"

namespace pelmo::platform {

// The emulated mouse as a HID backend. It lists the two interfaces a real
// mouse of this model shows (its pointer collection and its vendor-defined
// configuration collection) while the mouse is plugged in.
//
// With a state file the mouse outlives the process: opening an interface
// takes an exclusive lock on STATE_FILE.lock, loads the state (a factory
// mouse when the file is missing) and every transfer that changes the state
// writes it back atomically; closing releases the lock.
class EmulatedHidBackend final : public HidBackend {
public:
    static constexpr const char* kPointerPath = "emulated/pointer";
    static constexpr const char* kConfigurationPath = "emulated/configuration";

    EmulatedHidBackend();
    explicit EmulatedHidBackend(std::string stateFile);
    ~EmulatedHidBackend() override;

    std::vector<HidInterfaceInfo> enumerate() override;
    std::unique_ptr<HidHandle> open(const std::string& path, HidOpenError& error) override;

    // The in-process mouse. With a state file it holds what was last loaded
    // or written; tests use it to arm faults and inspect the images.
    emulator::EmulatedMouse& mouse() { return *mouse_; }

    // Reads and writes a state file outside any open bracket, for tools and
    // tests that set a shared mouse up.
    static std::optional<emulator::MouseState> loadState(const std::string& stateFile);
    static bool saveState(const std::string& stateFile, const emulator::MouseState& state, std::string* error = nullptr);

private:
    class Handle;
    void reload();

    std::unique_ptr<emulator::EmulatedMouse> mouse_;
    std::optional<std::string> stateFile_;
};

} // namespace pelmo::platform
