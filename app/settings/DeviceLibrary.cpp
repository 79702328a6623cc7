#include "app/settings/DeviceLibrary.h"

#include <string>

#include "platform/dialogs/MessageBox.h"
#include "platform/system/SharedLibrary.h"

namespace pelmo::app {

DeviceLibrary::DeviceLibrary() = default;
DeviceLibrary::~DeviceLibrary() = default;

namespace {

template <typename Function>
void bindEntry(const DeviceLibrary::Resolver& resolve, const char* name, Function& entry,
               platform::MessageBox& messages, std::string_view programTitle)
{
    entry = reinterpret_cast<Function>(resolve(name));
    if (!entry)
        messages.show(programTitle, std::string("Load ") + name + " Fail !\n", platform::MessageIcon::Information);
}

} // namespace

int DeviceLibrary::bindDeviceLibrary(platform::MessageBox& messages, std::string_view fileName,
                                     std::string_view programTitle)
{
    library_ = platform::SharedLibrary::load(fileName);
    entries_ = {};
    if (!library_) {
        messages.show("Notice by App", "load ZR api failed !\n", platform::MessageIcon::Information);
        return 0;
    }
    const platform::SharedLibrary& library = *library_;
    bindEntryPoints([&library](const char* name) { return library.symbol(name); }, messages, programTitle);
    return 1;
}

void DeviceLibrary::bindEntryPoints(const Resolver& resolve, platform::MessageBox& messages,
                                    std::string_view programTitle)
{
    entries_ = {};
    bindEntry(resolve, "Open_ZR_device", entries_.openDevice, messages, programTitle);
    bindEntry(resolve, "Close_ZR_device", entries_.closeDevice, messages, programTitle);
    bindEntry(resolve, "Get_fw_info", entries_.getFwInfo, messages, programTitle);
    bindEntry(resolve, "Get_fw_version", entries_.getFwVersion, messages, programTitle);
    bindEntry(resolve, "Get_current_profile_id", entries_.getCurrentProfileId, messages, programTitle);
    bindEntry(resolve, "Set_current_profile_id", entries_.setCurrentProfileId, messages, programTitle);
    bindEntry(resolve, "Read_profile", entries_.readProfileEntry, messages, programTitle);
    bindEntry(resolve, "Write_profile", entries_.writeProfileEntry, messages, programTitle);
    bindEntry(resolve, "Set_LED_black_out", entries_.ledBlackOut, messages, programTitle);
    bindEntry(resolve, "Set_LED_black_out_off", entries_.ledBlackOutOff, messages, programTitle);
    entries_.lastDiagnostic = reinterpret_cast<int (*)(char*, int)>(resolve("Get_last_diagnostic"));
}

int DeviceLibrary::open() const
{
    return entries_.openDevice ? entries_.openDevice() : 0;
}

int DeviceLibrary::close() const
{
    return entries_.closeDevice ? entries_.closeDevice() : 1;
}

ApiResult DeviceLibrary::getFirmwareInfo(std::uint16_t* version, std::uint8_t* infoA, std::uint8_t* infoB) const
{
    return entries_.getFwInfo ? entries_.getFwInfo(version, infoA, infoB) : ApiResult::TransferFailed;
}

ApiResult DeviceLibrary::getFirmwareVersion(std::uint16_t* version) const
{
    return entries_.getFwVersion ? entries_.getFwVersion(version) : ApiResult::TransferFailed;
}

ApiResult DeviceLibrary::getCurrentProfile(std::uint8_t* profile) const
{
    return entries_.getCurrentProfileId ? entries_.getCurrentProfileId(profile) : ApiResult::TransferFailed;
}

ApiResult DeviceLibrary::setCurrentProfile(int profile) const
{
    return entries_.setCurrentProfileId ? entries_.setCurrentProfileId(profile) : ApiResult::TransferFailed;
}

ApiResult DeviceLibrary::readProfile(int profile, DeviceProfile* record) const
{
    return entries_.readProfileEntry ? entries_.readProfileEntry(profile, record) : ApiResult::TransferFailed;
}

ApiResult DeviceLibrary::writeProfile(int profile, DeviceProfile* record) const
{
    return entries_.writeProfileEntry ? entries_.writeProfileEntry(profile, record) : ApiResult::TransferFailed;
}

ApiResult DeviceLibrary::lightsOff() const
{
    return entries_.ledBlackOut ? entries_.ledBlackOut() : ApiResult::TransferFailed;
}

ApiResult DeviceLibrary::lightsOn() const
{
    return entries_.ledBlackOutOff ? entries_.ledBlackOutOff() : ApiResult::TransferFailed;
}

} // namespace pelmo::app

namespace pelmo::app {

std::string DeviceLibrary::lastDiagnostic() const
{
    if (!entries_.lastDiagnostic)
        return {};
    char line[1024];
    entries_.lastDiagnostic(line, sizeof line);
    return line;
}

} // namespace pelmo::app
