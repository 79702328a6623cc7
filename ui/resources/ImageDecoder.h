#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "ui/resources/LoadedImage.h"

namespace pelmo::ui {

// Turns image files (PNG, baseline JPEG, BMP, GIF, PSD, PIC) into premultiplied
// 32-bit bitmaps. Pixels are premultiplied; a pixel whose premultiplied value
// 0xAARRGGBB equals `mask` becomes fully transparent. Anything that is not a
// decodable image of sane size yields none: the size is read from the header
// and checked before any pixel is decoded.
class ImageDecoder {
public:
    // The largest side and the most pixels accepted; skins are window-sized.
    static constexpr int maxSide = 8192;
    static constexpr long long maxPixels = 16LL * 1024 * 1024;

    static std::unique_ptr<LoadedImage> decode(std::span<const std::uint8_t> bytes, std::uint32_t mask);
};

// Reads the resource `name` (of resource type `type`, or a file when the type
// is empty; see ResourceReader) and decodes it. None on any failure.
std::unique_ptr<LoadedImage> DecodeImageFile(std::string_view name, std::string_view type, std::uint32_t mask);

} // namespace pelmo::ui
