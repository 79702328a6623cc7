#pragma once

#include <span>
#include <vector>

#include "platform/graphics/Rect.h"

namespace pelmo::platform {

// An area made of pixels: a union of rectangles, kept as horizontal bands of
// disjoint spans (the form X11's shape extension and most windowing systems
// accept). The window layer applies one as a window outline; the painter uses
// one to clip.
class Region {
public:
    Region() = default;
    explicit Region(const Rect& rect);

    // The union of any rectangles; empty ones add nothing.
    static Region fromRects(std::span<const Rect> rects);
    // A rectangle with corners cut to quarter ellipses of the given width and
    // height, as a rounded-rectangle window outline.
    static Region roundRect(const Rect& rect, int ellipseWidth, int ellipseHeight);
    // The columns [left, right) of row y that belong to roundRect(rect, w, h);
    // an empty pair when y lies outside the rectangle.
    static std::pair<int, int> roundRectRow(const Rect& rect, int ellipseWidth, int ellipseHeight, int y);

    // OR: this region becomes the union of both.
    Region& unite(const Region& other);
    Region intersected(const Rect& rect) const;

    bool isEmpty() const { return rects_.empty(); }
    bool contains(int x, int y) const;
    Rect bounds() const;
    // Disjoint rectangles sorted by top, then left; bands with equal spans
    // next to each other are merged into one rectangle.
    const std::vector<Rect>& rects() const { return rects_; }

    friend bool operator==(const Region&, const Region&) = default;

private:
    std::vector<Rect> rects_;
};

} // namespace pelmo::platform
