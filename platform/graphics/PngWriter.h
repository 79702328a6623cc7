#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/Surface.h"

namespace pelmo::platform {

// Writes a surface as an 8-bit RGBA PNG (colours un-premultiplied), for
// screen snapshots and visual review. The encoder is a plain one: filter
// type 0 on every row, zlib's default compression.
class PngWriter {
public:
    static std::vector<std::uint8_t> encode(const Surface& surface);
    // Replaces `path` atomically; false with `error` set when it cannot.
    static bool write(const Surface& surface, const std::string& path, std::string* error = nullptr);
};

} // namespace pelmo::platform
