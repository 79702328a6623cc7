// Any bytes given as a skin archive open and extract, or fail, without
// reading outside the archive or writing past an item's stated size.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/resources/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto archive = pelmo::ui::ZipArchive::open(std::vector<std::uint8_t>(data, data + size));
    if (!archive)
        return 0;
    for (std::size_t i = 0; i < archive->itemCount() && i < 8; ++i) {
        std::vector<std::uint8_t> out;
        if (archive->extract(archive->itemName(i), 1u << 20, out) == pelmo::ui::ZipArchive::Status::Ok && out.empty())
            __builtin_trap();
    }
    return 0;
}
