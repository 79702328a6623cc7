#pragma once

#include <optional>
#include <string>

#include "platform/graphics/Region.h"
#include "platform/graphics/Surface.h"

namespace pelmo::ui {

// The two ways a window gets its outline: rounded corners, or the non-white
// pixels of a mask bitmap.
class WindowShape {
public:
    // The region a window of that size with round-corner size (cx, cy) gets:
    // the rounded rectangle from (0, 0) to (width + 1, height + 1).
    static platform::Region roundCornerRegion(int width, int height, int cx, int cy);

    // Every pixel of the mask that is not pure white (red, green and blue all
    // 255; alpha is not looked at) belongs to the window: the union of each
    // row's maximal runs of such pixels, collected in batches of 2,000 runs
    // that are OR-ed into the result. An all-white mask gives an empty region.
    static platform::Region buildMaskRegion(const platform::Surface& mask);

    // buildMaskRegion of the image file at `path` (any decodable format; the
    // program uses a BMP); none when it cannot be read or decoded, and the
    // window then keeps its rectangle.
    static std::optional<platform::Region> loadMaskRegion(const std::string& path);
};

} // namespace pelmo::ui
