#include "ui/resources/ImageDecoder.h"

#include <limits>

#include "ui/resources/ResourceReader.h"
#include "ui/resources/StbImage.h"

namespace pelmo::ui {

namespace {

// Whether a JPEG file may be handed to stb_image. Only baseline JPEG is a
// skin format, so progressive and other non-baseline frames (SOF2, SOF6,
// SOF10, SOF14) are refused. The version of stb_image we build with also
// writes past its Huffman size table when a DHT segment declares more than
// 256 codes in one table (found by fuzzing), so every DHT segment, also one
// between scans, is checked first. Markers are walked by their lengths; the
// entropy-coded data after a start-of-scan is skipped up to the next marker.
bool isAcceptableJpeg(std::span<const std::uint8_t> bytes, std::size_t at)
{
    while (at + 1 < bytes.size()) {
        if (bytes[at] != 0xFF) {
            ++at; // entropy-coded data
            continue;
        }
        std::uint8_t marker = bytes[at + 1];
        if (marker == 0xFF || marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            at += marker == 0xFF ? 1 : 2; // fill byte, stuffed zero, restart marker
            continue;
        }
        if (marker == 0xD9)
            return true;
        if (at + 4 > bytes.size())
            return true; // truncated: stb_image refuses it
        std::size_t length = static_cast<std::size_t>(bytes[at + 2] << 8 | bytes[at + 3]);
        if (marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE)
            return false;
        if (marker == 0xC4) {
            // Follow stb_image's reading: tables are read while the declared
            // length lasts, each 17 bytes plus its codes, even past the end
            // of the segment, and past the end of the file as zeros.
            long remaining = static_cast<long>(length) - 2;
            std::size_t table = at + 4;
            while (remaining > 0 && table < bytes.size()) {
                unsigned codes = 0;
                for (std::size_t i = 1; i <= 16 && table + i < bytes.size(); ++i)
                    codes += bytes[table + i];
                if (codes > 256)
                    return false;
                table += 17 + codes;
                remaining -= 17 + static_cast<long>(codes);
            }
        }
        at += 2 + length;
    }
    return true;
}

// Where the markers after a JPEG start-of-image begin, or 0 when the bytes
// are not a JPEG file to stb_image, which takes any number of 0xFF fill
// bytes before the SOI marker's 0xD8.
std::size_t jpegStart(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty() || bytes[0] != 0xFF)
        return 0;
    std::size_t at = 1;
    while (at < bytes.size() && bytes[at] == 0xFF)
        ++at;
    return at < bytes.size() && bytes[at] == 0xD8 ? at + 1 : 0;
}

} // namespace

std::unique_ptr<LoadedImage> ImageDecoder::decode(std::span<const std::uint8_t> bytes, std::uint32_t mask)
{
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return nullptr;
    if (std::size_t start = jpegStart(bytes); start != 0 && !isAcceptableJpeg(bytes, start))
        return nullptr;
    const int length = static_cast<int>(bytes.size());
    int width = 0;
    int height = 0;
    if (!stb::info(bytes.data(), length, &width, &height))
        return nullptr;
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide ||
        static_cast<long long>(width) * height > maxPixels)
        return nullptr;

    int decodedWidth = 0;
    int decodedHeight = 0;
    std::uint8_t* rgba = stb::loadRgba(bytes.data(), length, &decodedWidth, &decodedHeight);
    if (!rgba)
        return nullptr;
    if (decodedWidth != width || decodedHeight != height) {
        stb::release(rgba);
        return nullptr;
    }

    auto image = std::make_unique<LoadedImage>();
    image->bitmap = platform::Surface(width, height);
    image->width = width;
    image->height = height;
    image->mask = mask;
    const std::uint8_t* source = rgba;
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = image->bitmap.row(y);
        for (int x = 0; x < width; ++x, source += 4) {
            std::uint32_t alpha = source[3];
            std::uint32_t red = source[0];
            std::uint32_t green = source[1];
            std::uint32_t blue = source[2];
            if (alpha != 255) {
                red = red * alpha / 255;
                green = green * alpha / 255;
                blue = blue * alpha / 255;
                image->hasAlpha = true;
            }
            std::uint32_t pixel = alpha << 24 | red << 16 | green << 8 | blue;
            if (pixel == mask) {
                pixel = 0;
                image->hasAlpha = true;
            }
            row[x] = pixel;
        }
    }
    stb::release(rgba);
    return image;
}

std::unique_ptr<LoadedImage> DecodeImageFile(std::string_view name, std::string_view type, std::uint32_t mask)
{
    ResourceBytes bytes = ResourceReader::read(name, type, ResourceReader::imageLimit);
    if (!bytes)
        return nullptr;
    std::unique_ptr<LoadedImage> image = ImageDecoder::decode(bytes.bytes, mask);
    if (image)
        image->resourceType = std::string(type);
    return image;
}

} // namespace pelmo::ui
