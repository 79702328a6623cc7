#include "ui/resources/ZipArchive.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include <zlib.h>

namespace pelmo::ui {

namespace {

constexpr std::uint32_t endSignature = 0x06054b50;
constexpr std::uint32_t centralSignature = 0x02014b50;
constexpr std::uint32_t localSignature = 0x04034b50;
constexpr std::size_t endSize = 22;
constexpr std::size_t centralSize = 46;
constexpr std::size_t localSize = 30;

std::uint16_t read16(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::optional<ZipArchive> ZipArchive::open(std::vector<std::uint8_t> bytes)
{
    if (bytes.size() < endSize)
        return std::nullopt;
    // The end record sits at the very end, before a comment of at most 65,535 bytes.
    std::size_t lowest = bytes.size() > endSize + 0xFFFF ? bytes.size() - endSize - 0xFFFF : 0;
    std::size_t end = bytes.size() - endSize;
    while (read32(bytes, end) != endSignature) {
        if (end == lowest)
            return std::nullopt;
        --end;
    }
    std::uint16_t count = read16(bytes, end + 10);
    std::uint32_t directorySize = read32(bytes, end + 12);
    std::uint32_t directoryOffset = read32(bytes, end + 16);
    if (static_cast<std::uint64_t>(directoryOffset) + directorySize > end)
        return std::nullopt;

    ZipArchive archive;
    std::size_t at = directoryOffset;
    std::size_t directoryEnd = static_cast<std::size_t>(directoryOffset) + directorySize;
    for (std::uint16_t i = 0; i < count; ++i) {
        if (at + centralSize > directoryEnd || read32(bytes, at) != centralSignature)
            return std::nullopt;
        Item item;
        item.flags = read16(bytes, at + 8);
        item.method = read16(bytes, at + 10);
        item.crc = read32(bytes, at + 16);
        item.packedSize = read32(bytes, at + 20);
        item.size = read32(bytes, at + 24);
        std::size_t nameLength = read16(bytes, at + 28);
        std::size_t extraLength = read16(bytes, at + 30);
        std::size_t commentLength = read16(bytes, at + 32);
        item.localOffset = read32(bytes, at + 42);
        std::size_t next = at + centralSize + nameLength + extraLength + commentLength;
        if (next > directoryEnd)
            return std::nullopt;
        item.name.assign(reinterpret_cast<const char*>(bytes.data() + at + centralSize), nameLength);
        archive.items_.push_back(std::move(item));
        at = next;
    }
    archive.bytes_ = std::move(bytes);
    return archive;
}

ZipArchive::Status ZipArchive::extract(std::string_view name, std::size_t limit, std::vector<std::uint8_t>& out) const
{
    auto found = std::find_if(items_.begin(), items_.end(), [name](const Item& item) { return sameName(item.name, name); });
    if (found == items_.end())
        return Status::NotFound;
    const Item& item = *found;
    if (item.size == 0)
        return Status::Empty;
    if (item.size > limit)
        return Status::TooLarge;
    if (item.flags & 0x1) // encrypted
        return Status::Failed;

    std::size_t local = item.localOffset;
    if (local + localSize > bytes_.size() || read32(bytes_, local) != localSignature)
        return Status::Failed;
    std::size_t dataAt = local + localSize + read16(bytes_, local + 26) + read16(bytes_, local + 28);
    if (dataAt > bytes_.size() || item.packedSize > bytes_.size() - dataAt)
        return Status::Failed;
    const std::uint8_t* packed = bytes_.data() + dataAt;

    std::vector<std::uint8_t> result(item.size);
    if (item.method == 0) {
        if (item.packedSize < item.size)
            return Status::Failed;
        std::memcpy(result.data(), packed, item.size);
    } else if (item.method == 8) {
        z_stream stream{};
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
            return Status::Failed;
        stream.next_in = const_cast<Bytef*>(packed);
        stream.avail_in = item.packedSize;
        stream.next_out = result.data();
        stream.avail_out = item.size;
        int status = inflate(&stream, Z_FINISH);
        bool filled = stream.avail_out == 0;
        inflateEnd(&stream);
        if (!filled || (status != Z_STREAM_END && status != Z_OK && status != Z_BUF_ERROR))
            return Status::Failed;
    } else {
        return Status::Failed;
    }
    if (crc32(0L, result.data(), static_cast<uInt>(result.size())) != item.crc)
        return Status::Failed;
    out = std::move(result);
    return Status::Ok;
}

} // namespace pelmo::ui
