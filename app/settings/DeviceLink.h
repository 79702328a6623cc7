#pragma once

#include <cstdint>
#include <memory>

#include "app/settings/IFirmwareSource.h"
#include "app/settings/ProfileConversion.h"
#include "app/settings/SettingsStore.h"
#include "pelmo_api.h"

namespace pelmo::platform {
class Clock;
class PointerSettings;
}

namespace pelmo::app {

class DeviceLibrary;
class MacroLibrary;
class SettingsFiles;

// What the device link asks of the window that shows the settings. The
// desktop program's main window, pelmoctl and the tests each supply one.
class IDeviceLinkView {
public:
    virtual ~IDeviceLinkView() = default;
    // Shows profile `profile` (0..4) on every page.
    virtual void refreshProfileView(int profile) = 0;
    // The profile tab shown (0..4 when valid), and selecting one as a click would.
    virtual int currentProfile() const = 0;
    virtual void selectProfileTab(int profile) = 0;
    // Ticks the lighting check box; false when the window has none.
    virtual bool checkLightingBox() = 0;
    virtual void applyLayoutForLanguage() = 0;
};

// The program's connection to the mouse: where the profiles come from at
// connect time, reading and writing all five, the lighting, and the
// session's pointer settings that go with the active profile. Every exchange
// opens the mouse, runs its commands and closes it again; no handle is kept
// between user actions.
class DeviceLink final : public IFirmwareSource {
public:
    DeviceLink(SettingsStore& store, const DeviceLibrary& library, SettingsFiles& files, MacroLibrary& macros,
               platform::PointerSettings& pointer, platform::Clock& clock);
    ~DeviceLink() override;

    // Takes the settings file, else the mouse, else the factory defaults, then
    // the macro file, and shows the result.
    void connectMouse(IDeviceLinkView& view);
    // 0 when the mouse cannot be opened, else the last profile read's result.
    int readAllFromMouse(IDeviceLinkView& view);
    // 0 when the mouse cannot be opened, else the last profile write's result.
    int applyAllToMouse(IDeviceLinkView& view);

    void profilesToDevice();
    void profilesFromDevice();

    // With the mouse already opened by the caller; both close it.
    int setLights(bool on);
    ApiResult readFirmwareInfo();
    // 1 when the mouse could be opened again.
    int reconnectMouse();

    // IFirmwareSource: opens the mouse, reads its version and closes it.
    std::uint16_t readFirmwareVersion() override;

    std::uint16_t firmwareVersionValue() const { return firmwareVersionValue_; }
    std::uint8_t currentProfileNumber() const { return currentProfileNumber_; }
    void setCurrentProfileNumber(std::uint8_t number) { currentProfileNumber_ = number; }
    DeviceProfiles& deviceProfiles() { return *deviceProfiles_; }

private:
    // The fallback of connecting: read the mouse, else the factory settings.
    void readMouseOrDefaults(IDeviceLinkView& view);
    void applyPointerSettings(const AppProfile& profile);

    SettingsStore& store_;
    const DeviceLibrary& library_;
    SettingsFiles& files_;
    MacroLibrary& macros_;
    platform::PointerSettings& pointer_;
    platform::Clock& clock_;

    std::unique_ptr<DeviceProfiles> deviceProfiles_;
    std::uint16_t firmwareVersionValue_ = 0;
    std::uint8_t infoA_ = 0;
    std::uint8_t infoB_ = 0;
    std::uint8_t currentProfileNumber_ = 0;
};

} // namespace pelmo::app
