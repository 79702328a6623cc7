// Any image the mouse could send decodes without reaching outside the image
// or the record, and a decoded record encodes again.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "device/ProfileImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::array<std::uint8_t, 2048> image{};
    std::memcpy(image.data(), data, size < image.size() ? size : image.size());
    auto record = std::make_unique<DeviceProfile>();
    pelmo::device::decodeProfileImage(image, *record);
    for (const DeviceMacro& macro : record->macros)
        if (macro.eventCount > PELMO_MAX_MACRO_EVENTS)
            __builtin_trap();
    std::array<std::uint8_t, 2048> rebuilt;
    pelmo::device::encodeProfileImage(*record, rebuilt);
    return 0;
}
