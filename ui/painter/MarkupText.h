#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Font.h"
#include "platform/graphics/Rect.h"
#include "platform/graphics/Surface.h"

namespace pelmo::ui {

class UIPaintResources;
struct LoadedImage;

// Markup text laid out in a rectangle: ordinary UTF-8 text with tags in
// braces or angle brackets. {b} {i} {u} style the font, {s} selects, {c
// #AARRGGBB} colours, {f n} or {f face size [bold] [underline] [italic]}
// changes the font, {a target} links, {i file [frames] [frame]} places an
// image, {n} breaks the line, {p [spacing]} starts a paragraph, {x n} moves the
// pen, {y n} sets the line height, {r} ... {/r} is raw text; <{> <}> {<} {>}
// are literal brackets. A tag is one only when the character after the
// bracket (and an optional "/") is a letter a-z followed by a blank, "}" or
// ">"; anything else, and any unknown tag, is text.
//
// The layout is measured first (line heights are the tallest font or image on
// each line) and drawn afterwards. Text items sit on the bottom of their line.
// Alignment (text styles: centre, right, vertical centre, bottom) applies
// only when the text takes one line.
class MarkupText {
public:
    struct Link {
        platform::Rect rect;   // the union of the link's pieces
        std::string target;    // the text after "a " in the tag
    };

    MarkupText(UIPaintResources& resources, std::string_view text, const platform::Rect& rect, std::uint32_t colour,
               unsigned style);
    ~MarkupText();

    // Where the text lands: the widest line and the height of all lines,
    // alignment applied.
    platform::Rect extent() const { return extent_; }
    const std::vector<Link>& links() const { return links_; }
    std::size_t lineCount() const { return lines_.size(); }

    // Draws within clip and the layout rectangle; links containing the
    // resources' mouse position take the hovered link colour.
    void draw(platform::Surface& target, const platform::Rect& clip) const;

private:
    struct Item;
    struct Line {
        int top = 0;
        int height = 0;
        int width = 0;
        int forcedHeight = -1;
        int spacing = 0;
        int emptyHeight = 0;
    };
    struct Style;
    class Builder;

    UIPaintResources& resources_;
    platform::Rect rect_;
    unsigned style_;
    std::vector<Item> items_;
    std::vector<Line> lines_;
    std::vector<Link> links_;
    std::vector<std::shared_ptr<platform::Font>> fonts_; // keeps derived fonts alive
    platform::Rect extent_;
};

} // namespace pelmo::ui
