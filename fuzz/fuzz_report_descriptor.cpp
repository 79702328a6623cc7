#include <cstddef>
#include <cstdint>

#include "platform/hid/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto collections = pelmo::platform::topLevelCollections({data, size});
    // A collection needs at least two bytes of descriptor.
    if (collections.size() > size / 2 + 1)
        __builtin_trap();
    return 0;
}
