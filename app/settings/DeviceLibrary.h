#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "pelmo_api.h"

namespace pelmo::platform {
class MessageBox;
class SharedLibrary;
}

namespace pelmo::app {

// The program's binding to pelmo_api: the library loaded by name and the ten
// entry points it uses. An entry point that failed to bind is never called;
// its guard answers as the mouse being unreachable would (0 from the open,
// TransferFailed from a command), so every caller already handles it.
class DeviceLibrary {
public:
    DeviceLibrary();
    ~DeviceLibrary();
    DeviceLibrary(const DeviceLibrary&) = delete;
    DeviceLibrary& operator=(const DeviceLibrary&) = delete;

    // Loads the library and binds its entry points, telling the user through
    // `messages` about a missing library or entry point. 1 when the library
    // was loaded (perhaps with entries missing), 0 when it was not found.
    int bindDeviceLibrary(platform::MessageBox& messages, std::string_view fileName = "pelmo_api.dll",
                          std::string_view programTitle = "PelmoMice");

    // Binds the entry points through `resolve` (name to address, null when
    // missing) instead of a loaded file; tests bind the library in-process.
    using Resolver = std::function<void*(const char* name)>;
    void bindEntryPoints(const Resolver& resolve, platform::MessageBox& messages,
                         std::string_view programTitle = "PelmoMice");

    bool loaded() const { return library_ != nullptr; }

    int open() const;
    int close() const;
    ApiResult getFirmwareInfo(std::uint16_t* version, std::uint8_t* infoA, std::uint8_t* infoB) const;
    ApiResult getFirmwareVersion(std::uint16_t* version) const;
    ApiResult getCurrentProfile(std::uint8_t* profile) const;
    ApiResult setCurrentProfile(int profile) const;
    ApiResult readProfile(int profile, DeviceProfile* record) const;
    ApiResult writeProfile(int profile, DeviceProfile* record) const;
    ApiResult lightsOff() const;
    ApiResult lightsOn() const;
    // Why the last open found no usable mouse; empty when the library cannot
    // say (this entry point is optional and its absence is not reported).
    std::string lastDiagnostic() const;

private:
    struct EntryPoints {
        int (*openDevice)() = nullptr;
        int (*closeDevice)() = nullptr;
        ApiResult (*getFwInfo)(std::uint16_t*, std::uint8_t*, std::uint8_t*) = nullptr;
        ApiResult (*getFwVersion)(std::uint16_t*) = nullptr;
        ApiResult (*getCurrentProfileId)(std::uint8_t*) = nullptr;
        ApiResult (*setCurrentProfileId)(int) = nullptr;
        ApiResult (*readProfileEntry)(int, DeviceProfile*) = nullptr;
        ApiResult (*writeProfileEntry)(int, DeviceProfile*) = nullptr;
        ApiResult (*ledBlackOut)() = nullptr;
        ApiResult (*ledBlackOutOff)() = nullptr;
        int (*lastDiagnostic)(char*, int) = nullptr;
    };

    std::unique_ptr<platform::SharedLibrary> library_;
    EntryPoints entries_;
};

} // namespace pelmo::app
