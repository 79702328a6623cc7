#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace pelmo::ui {

enum class ResourceError {
    None,
    CannotOpen,   // no such file, module resource or archive
    Empty,
    TooLarge,
    CannotRead,
    NotInArchive,
    CannotUnzip,
};

struct ResourceBytes {
    std::vector<std::uint8_t> bytes;
    ResourceError error = ResourceError::None;

    explicit operator bool() const { return error == ResourceError::None; }
};

// Reads the bytes of a named resource from where the process-wide settings
// (UIResources) say resources are: with a resource type, the layout module's
// resource whose id is the name's leading digits; otherwise the file of that
// name in the skin folder, or the item of that name in the skin archive when
// one is set.
class ResourceReader {
public:
    // Layout texts larger than this are refused.
    static constexpr std::size_t layoutLimit = 4194304;
    // No skin image comes near this; it keeps a hostile file from taking
    // the memory.
    static constexpr std::size_t imageLimit = 64u << 20;
    // The largest skin archive opened.
    static constexpr std::size_t archiveLimit = 256u << 20;

    static ResourceBytes read(std::string_view name, std::string_view type, std::size_t limit);

    // The message a layout load reports for an error: "Error opening file",
    // "File is empty", "File too large", "Could not read file", "Could not
    // find ziped file" or "Could not unzip file"; empty for None.
    static std::string_view errorText(ResourceError error);
};

} // namespace pelmo::ui
