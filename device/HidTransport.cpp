// Finding, opening and closing the mouse's configuration interface, and the
// two raw feature-report exports.

#include "device/HidTransport.h"

#include <algorithm>
#include <cstring>

#include "device/DeviceContext.h"
#include "pelmo_api.h"
#include "platform/debug/DebugOutput.h"

namespace pelmo::device {

namespace {

// The process-wide configuration interface; null while closed. It belongs
// to the context it was opened through.
std::unique_ptr<platform::HidHandle> featureHandle;

} // namespace

bool isConfigurationInterface(const platform::HidInterfaceInfo& info)
{
    return info.vendorId == kMouseVendorId && info.productId == kMouseProductId
        && info.hasCollection(kConfigurationCollection);
}

bool sendFeature(const std::uint8_t* report, std::size_t length)
{
    return featureHandle && hidContext().setFeature(*featureHandle, report, length);
}

bool receiveFeature(std::uint8_t* report, std::size_t length)
{
    return featureHandle && hidContext().getFeature(*featureHandle, report, length);
}

void closeFeatureInterface()
{
    if (featureHandle)
        hidContext().close(featureHandle);
}

namespace {

int openConfigurationInterface()
{
    platform::HidContext& context = hidContext();
    context.clearDiagnostic();

    // Opening again while open replaces the interface; closing the old one
    // first keeps its descriptor from leaking.
    closeFeatureInterface();

    bool sawMouse = false;
    for (const platform::HidInterfaceInfo& info : context.enumerate()) {
        if (!isConfigurationInterface(info))
            continue;
        sawMouse = true;
        if (auto handle = context.open(info.path)) {
            platform::debugOutput("OpenFeatureDevice Success");
            featureHandle = std::move(handle);
            context.clearDiagnostic();
            return 1;
        }
    }
    if (!sawMouse)
        context.diagnose("no Pelmo mouse (USB 251f:1002) is connected");
    return 0;
}

} // namespace

} // namespace pelmo::device

using namespace pelmo::device;

extern "C" {

PELMO_API int Open_ZR_device(void)
{
    return openConfigurationInterface();
}

PELMO_API int Open_FeatureDevice(void) __attribute__((alias("Open_ZR_device")));

PELMO_API int Close_ZR_device(void)
{
    closeFeatureInterface();
    return 1;
}

PELMO_API int Close_FeatureDevice(void) __attribute__((alias("Close_ZR_device")));

PELMO_API int SetFeature(unsigned char* report, unsigned int length)
{
    if (report == nullptr || length == 0)
        return 0;
    return sendFeature(report, length) ? 1 : 0;
}

PELMO_API int GetFeature(unsigned char* report, unsigned int length)
{
    if (report == nullptr || length == 0)
        return 0;
    return receiveFeature(report, length) ? 1 : 0;
}

PELMO_API int Get_last_diagnostic(char* buffer, int size)
{
    const std::string& line = hidContext().lastDiagnostic();
    if (buffer != nullptr && size > 0) {
        std::size_t copied = std::min(line.size(), static_cast<std::size_t>(size - 1));
        std::memcpy(buffer, line.data(), copied);
        buffer[copied] = '\0';
    }
    return static_cast<int>(line.size());
}

} // extern "C"
