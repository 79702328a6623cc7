#include "app/settings/DeviceLink.h"

#include <cstring>

#include "app/macros/MacroLibrary.h"
#include "app/settings/DeviceLibrary.h"
#include "app/settings/LevelTables.h"
#include "app/settings/SettingsFiles.h"
#include "app/settings/StoreDefaults.h"
#include "app/settings/StoredText.h"
#include "platform/session/PointerSettings.h"
#include "platform/time/Clock.h"

namespace pelmo::app {

namespace {

// The version the firmware reports while it is not ready yet.
constexpr std::uint16_t kFirmwareNotReady = 0xCCCC;

constexpr std::uint32_t kPauseAfterProfileWriteMs = 250;
constexpr std::uint32_t kPauseBeforeProfileSelectMs = 100;

} // namespace

DeviceLink::DeviceLink(SettingsStore& store, const DeviceLibrary& library, SettingsFiles& files,
                       MacroLibrary& macros, platform::PointerSettings& pointer, platform::Clock& clock)
    : store_(store)
    , library_(library)
    , files_(files)
    , macros_(macros)
    , pointer_(pointer)
    , clock_(clock)
    , deviceProfiles_(std::make_unique<DeviceProfiles>())
{
}

DeviceLink::~DeviceLink() = default;

void DeviceLink::connectMouse(IDeviceLinkView& view)
{
    if (files_.readAllProfiles() != ReadResult::Ok) {
        readMouseOrDefaults(view);
    } else {
        if (library_.open()) {
            library_.getFirmwareInfo(&firmwareVersionValue_, &infoA_, &infoB_);
            library_.close();
        }
        // A mouse whose firmware was not ready when the file was written
        // left no trustworthy settings behind: take them from the mouse.
        if (firmwareVersionValue_ == kFirmwareNotReady
            && fieldText(store_.firmwareVersion) != firmwareVersionText(kFirmwareNotReady))
            readMouseOrDefaults(view);
    }

    if (macros_.readMacroStore() != ReadResult::Ok && store_.macroCount > 0)
        macros_.notifyReplaced();

    int profile = view.currentProfile();
    if (profile < 0 || profile > 4)
        profile = 0;
    view.selectProfileTab(profile);

    if (view.checkLightingBox()) {
        if (library_.open()) {
            library_.lightsOn();
            library_.close();
        }
        store_.lightsOn = 1;
    }
    view.applyLayoutForLanguage();
}

void DeviceLink::readMouseOrDefaults(IDeviceLinkView& view)
{
    if (readAllFromMouse(view) == 0)
        restoreDefaults(store_, *this);
}

int DeviceLink::readAllFromMouse(IDeviceLinkView& view)
{
    if (!library_.open())
        return 0;
    std::memset(deviceProfiles_->data(), 0, sizeof(DeviceProfiles));
    ApiResult result = ApiResult::TransferFailed;
    for (int p = 0; p < static_cast<int>(kProfileCount); ++p)
        result = library_.readProfile(p, &(*deviceProfiles_)[static_cast<std::size_t>(p)]);

    // A mouse that cannot say which profile is active, or names one it
    // cannot have, is taken to be on its first profile.
    std::uint8_t id = 0;
    if (library_.getCurrentProfile(&id) != ApiResult::Ok || id >= kProfileCount)
        id = 0;
    currentProfileNumber_ = static_cast<std::uint8_t>(id + 1);

    profilesFromDevice();
    library_.close();
    view.refreshProfileView(id);
    return static_cast<int>(result);
}

int DeviceLink::applyAllToMouse(IDeviceLinkView& view)
{
    if (!library_.open())
        return 0;
    profilesToDevice();
    ApiResult result = ApiResult::TransferFailed;
    for (int p = 0; p < static_cast<int>(kProfileCount); ++p) {
        result = library_.writeProfile(p, &(*deviceProfiles_)[static_cast<std::size_t>(p)]);
        clock_.sleepMs(kPauseAfterProfileWriteMs);
    }
    int index = currentProfileNumber_ == 0 ? 0 : currentProfileNumber_ - 1;
    if (index >= static_cast<int>(kProfileCount))
        index = 0;
    clock_.sleepMs(kPauseBeforeProfileSelectMs);
    library_.setCurrentProfile(index);
    library_.close();

    applyPointerSettings(store_.profiles[index]);
    view.refreshProfileView(index);
    return static_cast<int>(result);
}

void DeviceLink::applyPointerSettings(const AppProfile& profile)
{
    platform::PointerValues values;
    values.doubleClickTimeMs = static_cast<std::uint32_t>(kDoubleClickTimeMs[clampLevel(profile.doubleClickLevel)]);
    values.wheelScrollLines = static_cast<std::uint32_t>(kWheelScrollLines[clampLevel(profile.wheelLevel)]);
    values.pointerSpeed = static_cast<std::uint32_t>(kPointerSpeed[clampLevel(profile.pointerSpeedLevel)]);
    pointer_.write(values);
}

void DeviceLink::profilesToDevice()
{
    currentProfileNumber_ = static_cast<std::uint8_t>(app::profilesToDevice(store_, *deviceProfiles_));
}

void DeviceLink::profilesFromDevice()
{
    app::profilesFromDevice(store_, *deviceProfiles_, currentProfileNumber_, pointer_.read());
    readFirmwareVersion();
    storeFieldText(store_.firmwareVersion, firmwareVersionText(firmwareVersionValue_));
    storeFieldText(store_.appVersion, kAppVersionText);
    compactMacros(store_);
}

int DeviceLink::setLights(bool on)
{
    const ApiResult result = on ? library_.lightsOn() : library_.lightsOff();
    library_.close();
    return result == ApiResult::Ok ? 1 : 0;
}

ApiResult DeviceLink::readFirmwareInfo()
{
    const ApiResult result = library_.getFirmwareInfo(&firmwareVersionValue_, &infoA_, &infoB_);
    library_.close();
    return result;
}

int DeviceLink::reconnectMouse()
{
    library_.close();
    return library_.open() ? 1 : 0;
}

std::uint16_t DeviceLink::readFirmwareVersion()
{
    if (library_.open()) {
        library_.getFirmwareInfo(&firmwareVersionValue_, &infoA_, &infoB_);
        library_.close();
    }
    return firmwareVersionValue_;
}

} // namespace pelmo::app
