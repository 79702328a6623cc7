#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Rect.h"

namespace pelmo::ui {

// One image of an image description string and how to draw it.
struct ImageDrawItem {
    std::string name;            // file name, or resource id with a type
    std::string resourceType;    // empty: a file
    bool hasDest = false;
    platform::Rect dest;         // relative to the control's top-left corner
    platform::Rect source;       // all zero: the whole image
    platform::Rect corner;       // nine-slice edge widths (left, top, right, bottom)
    std::uint32_t mask = 0;
    std::uint8_t fade = 255;
    bool hole = false;
    bool xtiled = false;
    bool ytiled = false;

    friend bool operator==(const ImageDrawItem&, const ImageDrawItem&) = default;
};

// The image description strings of skins: either a bare file name, or pairs
// name='value' separated by blanks, with the keys file, res, restype, dest,
// source, corner, mask, fade, hole, xtiled and ytiled. A pair with an empty
// value is skipped; unknown keys are ignored; parsing stops at the first text
// that is not such a pair, keeping what came before. A second file (or res)
// ends the image described so far and starts a new one with default settings.
// The modifier string (for example a dest a slider computes) is read after the
// description and overrides the keys of its last image.
class ImageDescription {
public:
    static std::vector<ImageDrawItem> parse(std::string_view description, std::string_view modifier = {});
};

} // namespace pelmo::ui
