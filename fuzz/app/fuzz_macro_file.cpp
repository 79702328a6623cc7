// Any bytes load as a macro file (.zrm or profile/Macros), or are refused,
// and everything the program then does with the macros stays inside them.

#include <cstddef>
#include <cstdint>

#include "ModelWalk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pelmo::app;
    static auto store = SettingsStore::create();
    const std::uint8_t seed = size > 0 ? data[size - 1] : 0;
    const std::uint8_t language = seed % 4;
    MacroLibrary library(*store, "/nonexistent/pelmo/Macros");
    if (pelmo::fuzz::isPatchList(data, size)) {
        // Only the count decides whether the file loads; the patches then
        // land in the store as the file's bytes would.
        std::uint8_t count[4] = {};
        pelmo::fuzz::applyPatches(data, size, kMacroFileSize, count);
        if (library.loadMacroFile(count) != ReadResult::Ok)
            return 0;
        pelmo::fuzz::applyPatches(data, size, kMacroFileSize, macroFileBytes(*store));
    } else if (library.loadMacroFile({data, size}) != ReadResult::Ok) {
        return 0;
    }
    pelmo::fuzz::readEveryField(*store, library, language);
    pelmo::fuzz::editMacros(library, seed);
    pelmo::fuzz::readEveryField(*store, library, language);
    return 0;
}
