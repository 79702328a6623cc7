// Any bytes given as an image file decode to a properly premultiplied bitmap
// of the size the header stated, or to nothing; never to a read or write
// outside the buffers.

#include <cstddef>
#include <cstdint>

#include "ui/resources/ImageDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto image = pelmo::ui::ImageDecoder::decode({data, size}, 0xFFFFFFFF);
    if (image) {
        if (image->bitmap.width() != image->width || image->bitmap.height() != image->height ||
            image->width > pelmo::ui::ImageDecoder::maxSide || image->height > pelmo::ui::ImageDecoder::maxSide)
            __builtin_trap();
        // Every pixel is read, so a short buffer would show, and no colour
        // channel may exceed its alpha (the blenders rely on it).
        for (std::uint32_t pixel : image->bitmap.pixels()) {
            std::uint32_t alpha = pixel >> 24;
            if (((pixel >> 16) & 0xFF) > alpha || ((pixel >> 8) & 0xFF) > alpha || (pixel & 0xFF) > alpha)
                __builtin_trap();
        }
    }
    return 0;
}
