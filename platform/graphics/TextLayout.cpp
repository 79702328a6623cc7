#include "platform/graphics/TextLayout.h"

#include <algorithm>

#include "platform/graphics/Raster.h"
#include "platform/graphics/Utf8.h"

namespace pelmo::platform {

namespace {

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == 0x3000;
}

// Chinese, Japanese and Korean text has no blanks; a line may break before
// any of its characters.
bool isIdeographic(char32_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF);
}

std::string_view trimRight(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

} // namespace

TextLayout::TextLayout(const Font& font, std::string_view text, const Rect& rect, unsigned style)
    : font_(font), rect_(rect), style_(style)
{
    if (style & TextStyle::SingleLine) {
        lines_.push_back(Line{std::string(text), 0});
    } else {
        std::size_t start = 0;
        while (true) {
            std::size_t end = text.find('\n', start);
            std::string_view paragraph = text.substr(start, end == std::string_view::npos ? end : end - start);
            if (!paragraph.empty() && paragraph.back() == '\r')
                paragraph.remove_suffix(1);
            if (style & TextStyle::WordBreak)
                wrap(paragraph, rect.width());
            else
                lines_.push_back(Line{std::string(paragraph), 0});
            if (end == std::string_view::npos)
                break;
            start = end + 1;
        }
    }
    for (Line& line : lines_) {
        line.width = font_.measure(line.text);
        if ((style & TextStyle::EndEllipsis) && line.width > rect.width()) {
            line.text = ellipsize(font_, line.text, rect.width());
            line.width = font_.measure(line.text);
        }
    }
}

void TextLayout::wrap(std::string_view paragraph, int width)
{
    if (paragraph.empty()) {
        lines_.push_back(Line{});
        return;
    }
    std::size_t lineStart = 0;
    while (lineStart < paragraph.size()) {
        int lineWidth = 0;
        std::size_t offset = lineStart;
        std::size_t breakAt = std::string_view::npos; // a line may end before this offset
        std::size_t end = paragraph.size();
        while (offset < paragraph.size()) {
            std::size_t characterStart = offset;
            char32_t c = Utf8::next(paragraph, offset);
            if (isBlank(c)) {
                breakAt = offset;
            } else if (isIdeographic(c) && characterStart > lineStart) {
                breakAt = characterStart;
            }
            lineWidth += font_.advance(c);
            if (lineWidth > width && !isBlank(c) && characterStart > lineStart) {
                if (isIdeographic(c))
                    breakAt = characterStart;
                end = breakAt != std::string_view::npos ? breakAt : characterStart;
                break;
            }
        }
        lines_.push_back(Line{std::string(trimRight(paragraph.substr(lineStart, end - lineStart))), 0});
        lineStart = end;
        // The blanks a line broke at belong to neither line.
        while (lineStart < paragraph.size() && (paragraph[lineStart] == ' ' || paragraph[lineStart] == '\t'))
            ++lineStart;
    }
}

Rect TextLayout::extent() const
{
    int width = 0;
    for (const Line& line : lines_)
        width = std::max(width, line.width);
    int height = static_cast<int>(lines_.size()) * font_.metrics().height;
    return Rect{rect_.left, rect_.top, rect_.left + width, rect_.top + height};
}

void TextLayout::draw(Surface& target, const Rect& clip, std::uint32_t colour) const
{
    Rect area = (style_ & TextStyle::NoClip) ? clip : clip.intersected(rect_);
    if (area.isEmpty())
        return;
    const int lineHeight = font_.metrics().height;
    int top = rect_.top;
    if (style_ & TextStyle::SingleLine) {
        if (style_ & TextStyle::Bottom)
            top = rect_.bottom - lineHeight;
        else if (style_ & TextStyle::VCenter)
            top = rect_.top + (rect_.height() - lineHeight) / 2;
    }
    for (const Line& line : lines_) {
        if (top >= area.bottom)
            break;
        int left = rect_.left;
        if (style_ & TextStyle::Center)
            left = rect_.left + (rect_.width() - line.width) / 2;
        else if (style_ & TextStyle::Right)
            left = rect_.right - line.width;
        if (top + lineHeight > area.top)
            drawString(target, area, font_, left, top + font_.metrics().ascent, line.text, colour);
        top += lineHeight;
    }
}

int TextLayout::drawString(Surface& target, const Rect& clip, const Font& font, int x, int baseline,
                           std::string_view text, std::uint32_t colour)
{
    const int start = x;
    for (std::size_t offset = 0; offset < text.size();) {
        const Glyph& glyph = font.glyph(Utf8::next(text, offset));
        if (!glyph.coverage.empty())
            raster::blendMask(target, x + glyph.left, baseline - glyph.top, clip, glyph.coverage.data(), glyph.width,
                              glyph.height, glyph.width, colour);
        x += glyph.advance;
    }
    if (font.description().underline && x > start) {
        const FontMetrics& metrics = font.metrics();
        int top = baseline + metrics.underlineOffset;
        raster::fill(target, Rect{start, top, x, top + metrics.underlineThickness}, clip, 0xFF000000u | (colour & 0x00FFFFFFu));
    }
    return x;
}

std::size_t TextLayout::fit(const Font& font, std::string_view text, int width)
{
    int used = 0;
    std::size_t offset = 0;
    while (offset < text.size()) {
        std::size_t next = offset;
        used += font.advance(Utf8::next(text, next));
        if (used > width)
            break;
        offset = next;
    }
    return offset;
}

std::string TextLayout::ellipsize(const Font& font, std::string_view text, int width)
{
    static constexpr std::string_view dots = "...";
    int room = std::max(0, width - font.measure(dots));
    std::string result(text.substr(0, fit(font, text, room)));
    result += dots;
    return result;
}

} // namespace pelmo::platform
