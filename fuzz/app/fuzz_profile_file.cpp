// Any bytes load as a .zrp profile file into any of the five profiles, and
// the profile then reads without leaving its record.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "ModelWalk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pelmo::app;
    static auto store = SettingsStore::create();
    const std::uint8_t language = size > 0 ? data[size - 1] % 4 : 0;
    MacroLibrary library(*store, "/nonexistent/pelmo/Macros");
    std::memset(static_cast<void*>(store->profiles), 0, sizeof store->profiles);
    const std::size_t profile = size > 0 ? data[0] % kProfileCount : 0;
    loadFileImage(profileBytes(store->profiles[profile]), {data, size});
    pelmo::fuzz::readEveryField(*store, library, language);
    return 0;
}
