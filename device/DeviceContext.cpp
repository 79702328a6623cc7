#include "device/DeviceContext.h"

#include "device/HidTransport.h"

namespace pelmo::device {

namespace {

std::unique_ptr<platform::HidContext>& contextSlot()
{
    static std::unique_ptr<platform::HidContext> context;
    return context;
}

} // namespace

platform::HidContext& hidContext()
{
    auto& context = contextSlot();
    if (!context)
        context = platform::HidContext::fromEnvironment();
    return *context;
}

void replaceHidContext(std::unique_ptr<platform::HidContext> context)
{
    closeFeatureInterface();
    contextSlot() = std::move(context);
}

} // namespace pelmo::device
