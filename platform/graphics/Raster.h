#pragma once

#include <cstdint>

#include "platform/graphics/Rect.h"
#include "platform/graphics/Surface.h"

namespace pelmo::platform {

// The pixel operations everything else draws with. All of them work on
// premultiplied pixels and clip to `clip` and to the target surface.
namespace raster {

// Writes `pixel` unchanged over rect.
void fill(Surface& target, const Rect& rect, const Rect& clip, std::uint32_t pixel);
// Source-over of one premultiplied pixel over rect.
void blendFill(Surface& target, const Rect& rect, const Rect& clip, std::uint32_t pixel);

// Draws `sourceRect` of `source` into `destRect`, stretching by nearest
// neighbour when the sizes differ. With `blend` the source is composited
// source-over with its per-pixel alpha scaled by `constantAlpha`; without it
// the pixels are copied.
void blit(Surface& target, const Rect& destRect, const Rect& clip, const Surface& source, const Rect& sourceRect,
          bool blend, std::uint8_t constantAlpha = 255);

// Lays one glyph's coverage mask (8 bits per pixel, `pitch` bytes a row) at
// (x, y) in an opaque colour 0x..RRGGBB.
void blendMask(Surface& target, int x, int y, const Rect& clip, const std::uint8_t* mask, int width, int height,
               int pitch, std::uint32_t colour);

// Source-over of one premultiplied pixel onto another.
std::uint32_t over(std::uint32_t source, std::uint32_t destination);

} // namespace raster

} // namespace pelmo::platform
