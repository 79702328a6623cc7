// Any bytes load as profile/AllProfile, and everything the program then does
// with the store stays inside it.

#include <cstddef>
#include <cstdint>

#include "ModelWalk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pelmo::app;
    static auto store = SettingsStore::create();
    if (pelmo::fuzz::isPatchList(data, size)) {
        loadFileImage(storeBytes(*store), {});
        pelmo::fuzz::applyPatches(data, size, sizeof(SettingsStore), storeBytes(*store));
    } else {
        loadFileImage(storeBytes(*store), {data, size});
    }
    const std::uint8_t seed = size > 0 ? data[size - 1] : 0;
    const std::uint8_t language = seed % 4;
    MacroLibrary library(*store, "/nonexistent/pelmo/Macros");
    pelmo::fuzz::readEveryField(*store, library, language);
    pelmo::fuzz::editMacros(library, seed);
    pelmo::fuzz::readEveryField(*store, library, language);
    return 0;
}
