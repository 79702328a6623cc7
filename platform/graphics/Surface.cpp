#include "platform/graphics/Surface.h"

#include <algorithm>
#include <cstring>

namespace pelmo::platform {

Surface::Surface(int width, int height)
{
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide)
        return;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0u);
}

void Surface::clear(std::uint32_t value)
{
    std::fill(pixels_.begin(), pixels_.end(), value);
}

void Surface::copyFrom(const Surface& source, Rect sourceRect, int x, int y)
{
    sourceRect = sourceRect.intersected(source.bounds());
    Rect target = Rect{x, y, x + sourceRect.width(), y + sourceRect.height()}.intersected(bounds());
    if (target.isEmpty())
        return;
    int sx = sourceRect.left + (target.left - x);
    int sy = sourceRect.top + (target.top - y);
    for (int row = 0; row < target.height(); ++row)
        std::memcpy(this->row(target.top + row) + target.left, source.row(sy + row) + sx,
                    static_cast<std::size_t>(target.width()) * sizeof(std::uint32_t));
}

std::uint32_t premultiply(std::uint32_t colour)
{
    std::uint32_t alpha = colour >> 24;
    if (alpha == 255)
        return colour;
    auto scale = [alpha](std::uint32_t channel) { return (channel * alpha + 127) / 255; };
    return (alpha << 24) | (scale((colour >> 16) & 0xFF) << 16) | (scale((colour >> 8) & 0xFF) << 8) |
           scale(colour & 0xFF);
}

std::uint32_t unpremultiply(std::uint32_t pixel)
{
    std::uint32_t alpha = pixel >> 24;
    if (alpha == 255)
        return pixel;
    if (alpha == 0)
        return 0;
    auto scale = [alpha](std::uint32_t channel) { return std::min<std::uint32_t>(255, (channel * 255 + alpha / 2) / alpha); };
    return (alpha << 24) | (scale((pixel >> 16) & 0xFF) << 16) | (scale((pixel >> 8) & 0xFF) << 8) |
           scale(pixel & 0xFF);
}

} // namespace pelmo::platform
