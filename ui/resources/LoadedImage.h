#pragma once

#include <cstdint>
#include <string>

#include "platform/graphics/Surface.h"

namespace pelmo::ui {

// A decoded image as windows keep it: a premultiplied top-down bitmap, and
// how it was loaded so that it can be loaded again the same way.
struct LoadedImage {
    platform::Surface bitmap;
    int width = 0;
    int height = 0;
    bool hasAlpha = false;       // some pixel is not fully opaque
    std::string resourceType;    // empty for files
    std::uint32_t mask = 0;      // colour key applied at decoding
};

} // namespace pelmo::ui
