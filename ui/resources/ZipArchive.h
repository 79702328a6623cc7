#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelmo::ui {

// A zip archive held in memory, read through its central directory (PKWARE
// APPNOTE 6.3: end-of-central-directory record, central file headers, local
// file headers). Items are stored or deflated; ZIP64, encryption and
// multi-disk archives are not supported. Every offset and size is checked
// against the archive, so a damaged or hostile file only fails.
class ZipArchive {
public:
    enum class Status { Ok, NotFound, Empty, TooLarge, Failed };

    // None when the bytes are not a zip archive this reader understands.
    static std::optional<ZipArchive> open(std::vector<std::uint8_t> bytes);

    // Extracts the item whose name matches `name` without regard to ASCII
    // case. An item larger than `limit` bytes is TooLarge; a deflate stream
    // that fills the item's stated size counts as complete even if it goes on.
    Status extract(std::string_view name, std::size_t limit, std::vector<std::uint8_t>& out) const;

    std::size_t itemCount() const { return items_.size(); }
    const std::string& itemName(std::size_t index) const { return items_[index].name; }

private:
    struct Item {
        std::string name;
        std::uint16_t flags = 0;
        std::uint16_t method = 0;
        std::uint32_t crc = 0;
        std::uint32_t packedSize = 0;
        std::uint32_t size = 0;
        std::uint32_t localOffset = 0;
    };

    std::vector<std::uint8_t> bytes_;
    std::vector<Item> items_;
};

} // namespace pelmo::ui
