#include "app/settings/StoreDefaults.h"

#include <cstdio>
#include <cstring>

#include "app/settings/StoredText.h"

namespace pelmo::app {

namespace {

void setProfileDefaults(AppProfile& profile)
{
    profile.enabled = 1;
    for (std::size_t button = 0; button < kButtonCount; ++button)
        profile.buttonFunction[button] = code(ButtonDefaultTable[button]);
    profile.pollingRateHz = 500;
    profile.wheelLevel = 1;
    profile.doubleClickLevel = 5;
    profile.pointerSpeedLevel = 5;
    profile.powerSaveSeconds = 0;
    profile.liftOffLevel = 5;
    profile.angleSnapLevel = 5;
    profile.opticalChosen = 1;
    profile.duvoChosen = 0;
    profile.laserChosen = 0;

    constexpr std::int32_t kOpticalDpi[4] = {400, 800, 1600, 3200};
    constexpr std::int32_t kDuvoDpi[4] = {400, 800, 1600, 4800};
    constexpr std::int32_t kLaserDpi[4] = {810, 1620, 3600, 6030};
    for (std::size_t level = 0; level < 4; ++level) {
        profile.opticalDpi[level] = kOpticalDpi[level];
        profile.duvoDpi[level] = kDuvoDpi[level];
        profile.laserDpi[level][0] = kLaserDpi[level];
        profile.laserDpi[level][1] = kLaserDpi[level];
    }
}

} // namespace

std::string firmwareVersionText(std::uint16_t version)
{
    char text[16];
    std::snprintf(text, sizeof text, "V%d.%2.2d", version / 100, version % 100);
    return text;
}

void restoreDefaults(SettingsStore& store, IFirmwareSource& firmware)
{
    // Zeroing first leaves every field the defaults do not name at zero:
    // file names, button parameters, macro play options, the reserved byte.
    std::memset(static_cast<void*>(store.profiles), 0, sizeof store.profiles);
    store.activeProfile = 1;
    store.lightsOn = 1;
    storeFieldText(store.firmwareVersion, firmwareVersionText(firmware.readFirmwareVersion()));
    storeFieldText(store.appVersion, kAppVersionText);
    for (AppProfile& profile : store.profiles)
        setProfileDefaults(profile);
}

} // namespace pelmo::app
