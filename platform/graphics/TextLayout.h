#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Font.h"
#include "platform/graphics/Rect.h"
#include "platform/graphics/Surface.h"

namespace pelmo::platform {

// Text styles, with the values of the Windows text-drawing flags that the
// layouts and controls store.
struct TextStyle {
    static constexpr unsigned Left = 0x0;
    static constexpr unsigned Center = 0x1;
    static constexpr unsigned Right = 0x2;
    static constexpr unsigned VCenter = 0x4;
    static constexpr unsigned Bottom = 0x8;
    static constexpr unsigned WordBreak = 0x10;
    static constexpr unsigned SingleLine = 0x20;
    static constexpr unsigned NoClip = 0x100;
    static constexpr unsigned CalcRect = 0x400;
    static constexpr unsigned NoPrefix = 0x800;
    static constexpr unsigned EndEllipsis = 0x8000;
};

// Plain UTF-8 text laid out in a rectangle with the styles above: lines
// break at "\n" unless single-line; word break wraps at blanks (and between
// Chinese characters), cutting a word only when it alone is too wide; end
// ellipsis shortens each line that does not fit to end in "..."; vertical
// centring and bottom alignment apply to single-line text only. Ampersands
// are ordinary characters. Drawing clips to the rectangle.
class TextLayout {
public:
    struct Line {
        std::string text;
        int width = 0;
    };

    TextLayout(const Font& font, std::string_view text, const Rect& rect, unsigned style);

    const std::vector<Line>& lines() const { return lines_; }
    // Where the text lands: the rectangle's left and top, the widest line's
    // width and the lines' height (what a measuring caller wants).
    Rect extent() const;
    void draw(Surface& target, const Rect& clip, std::uint32_t colour) const;

    // Draws one line of text with its left end at x on the given baseline,
    // underlined when the font is; returns the pen position after it.
    static int drawString(Surface& target, const Rect& clip, const Font& font, int x, int baseline,
                          std::string_view text, std::uint32_t colour);
    // The length in bytes of the longest prefix of whole characters that is
    // at most `width` pixels wide.
    static std::size_t fit(const Font& font, std::string_view text, int width);
    // The text shortened to end in "..." within `width` pixels.
    static std::string ellipsize(const Font& font, std::string_view text, int width);

private:
    void wrap(std::string_view paragraph, int width);

    const Font& font_;
    Rect rect_;
    unsigned style_;
    std::vector<Line> lines_;
};

} // namespace pelmo::platform
