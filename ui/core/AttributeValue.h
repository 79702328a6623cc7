#pragma once

#include <cstdint>
#include <string_view>

#include "platform/graphics/Rect.h"

namespace pelmo::ui {

// The value syntax of layout attributes. Numbers are read as C's leading
// number conversion reads them: optional blanks and sign, then digits,
// anything after ignored, nothing readable giving 0. Separators in pairs and
// rectangles are one character of any kind.
class AttributeValue {
public:
    // A leading decimal number; `rest` (optional) gets what follows it.
    static int Integer(std::string_view text, std::string_view* rest = nullptr);
    // Exactly "true" is true.
    static bool Boolean(std::string_view text) { return text == "true"; }
    struct Pair {
        int cx = 0;
        int cy = 0;
    };
    static Pair ReadPair(std::string_view text);
    // l,t,r,b (the right and bottom as written, not sizes).
    static platform::Rect ReadRect(std::string_view text);
    // #AARRGGBB, 0xAARRGGBB or bare hexadecimal; the leading "#" is skipped.
    static std::uint32_t Colour(std::string_view text);
};

} // namespace pelmo::ui
