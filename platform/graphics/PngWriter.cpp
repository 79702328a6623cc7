#include "platform/graphics/PngWriter.h"

#include <zlib.h>

#include "platform/files/AtomicFile.h"

namespace pelmo::platform {

namespace {

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

// A PNG chunk: length, type, data, and the CRC-32 of type and data.
void putChunk(std::vector<std::uint8_t>& out, const char (&type)[5], const std::vector<std::uint8_t>& data)
{
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    putBigEndian(out, static_cast<std::uint32_t>(crc));
}

} // namespace

std::vector<std::uint8_t> PngWriter::encode(const Surface& surface)
{
    const int width = surface.width();
    const int height = surface.height();

    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + static_cast<std::size_t>(width) * 4));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // filter: none
        const std::uint32_t* row = surface.row(y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t colour = unpremultiply(row[x]);
            raw.push_back(static_cast<std::uint8_t>(colour >> 16));
            raw.push_back(static_cast<std::uint8_t>(colour >> 8));
            raw.push_back(static_cast<std::uint8_t>(colour));
            raw.push_back(static_cast<std::uint8_t>(colour >> 24));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) !=
        Z_OK)
        return {};
    packed.resize(packedSize);

    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBigEndian(header, static_cast<std::uint32_t>(width));
    putBigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, filter 0, no interlace
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", packed);
    putChunk(out, "IEND", {});
    return out;
}

bool PngWriter::write(const Surface& surface, const std::string& path, std::string* error)
{
    if (surface.isEmpty()) {
        if (error)
            *error = "cannot write an empty picture to " + path;
        return false;
    }
    std::vector<std::uint8_t> bytes = encode(surface);
    if (bytes.empty()) {
        if (error)
            *error = "cannot compress the picture for " + path;
        return false;
    }
    return writeFileAtomically(path, bytes, error, Durability::Unsynced);
}

} // namespace pelmo::platform
