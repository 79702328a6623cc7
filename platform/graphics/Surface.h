#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/graphics/Rect.h"

namespace pelmo::platform {

// A 32-bit top-down pixel buffer with premultiplied alpha. Each pixel is the
// little-endian value 0xAARRGGBB, so its bytes in memory are blue, green, red,
// alpha: the layout of a 32-bit device-independent bitmap and of an X11
// ZPixmap of depth 32. Rows are packed (the stride is the width).
class Surface {
public:
    // Large enough for any window or skin image, small enough that width x
    // height x 4 never overflows.
    static constexpr int maxSide = 16384;

    Surface() = default;
    // A transparent surface; sides outside 0..maxSide give an empty surface.
    Surface(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool isEmpty() const { return width_ == 0 || height_ == 0; }
    Rect bounds() const { return Rect{0, 0, width_, height_}; }

    std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
    const std::uint32_t* row(int y) const
    {
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    std::uint32_t pixel(int x, int y) const { return row(y)[x]; }
    void setPixel(int x, int y, std::uint32_t value) { row(y)[x] = value; }
    std::span<std::uint32_t> pixels() { return pixels_; }
    std::span<const std::uint32_t> pixels() const { return pixels_; }

    // Sets every pixel to one premultiplied value.
    void clear(std::uint32_t value = 0);
    // Copies `sourceRect` of `source` unchanged so that its top-left corner
    // lands at (x, y); both sides are clipped.
    void copyFrom(const Surface& source, Rect sourceRect, int x, int y);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// The premultiplied pixel of a colour 0xAARRGGBB.
std::uint32_t premultiply(std::uint32_t colour);
// The colour 0xAARRGGBB of a premultiplied pixel (rounded).
std::uint32_t unpremultiply(std::uint32_t pixel);

} // namespace pelmo::platform
