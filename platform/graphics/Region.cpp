#include "platform/graphics/Region.h"

#include <algorithm>
#include <cmath>

namespace pelmo::platform {

namespace {

struct Span {
    int left;
    int right;
    friend bool operator==(const Span&, const Span&) = default;
};

// Sorts and merges overlapping or touching spans in place.
void normalise(std::vector<Span>& spans)
{
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
    std::size_t out = 0;
    for (const Span& span : spans) {
        if (out > 0 && span.left <= spans[out - 1].right)
            spans[out - 1].right = std::max(spans[out - 1].right, span.right);
        else
            spans[out++] = span;
    }
    spans.resize(out);
}

} // namespace

Region::Region(const Rect& rect)
{
    if (!rect.isEmpty())
        rects_.push_back(rect);
}

Region Region::fromRects(std::span<const Rect> rects)
{
    // Cut the plane into elementary bands at every top and bottom edge, give
    // each band the spans of the rectangles that cover it, then merge
    // neighbouring bands whose spans are equal. Each rectangle touches only
    // the bands it covers, so a mask of one-row runs costs linear time.
    std::vector<int> edges;
    edges.reserve(rects.size() * 2);
    for (const Rect& rect : rects) {
        if (rect.isEmpty())
            continue;
        edges.push_back(rect.top);
        edges.push_back(rect.bottom);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    Region region;
    if (edges.size() < 2)
        return region;
    std::vector<std::vector<Span>> bands(edges.size() - 1);
    for (const Rect& rect : rects) {
        if (rect.isEmpty())
            continue;
        auto first = std::lower_bound(edges.begin(), edges.end(), rect.top) - edges.begin();
        auto last = std::lower_bound(edges.begin(), edges.end(), rect.bottom) - edges.begin();
        for (auto band = first; band < last; ++band)
            bands[static_cast<std::size_t>(band)].push_back(Span{rect.left, rect.right});
    }

    std::size_t previousStart = 0; // first rectangle of the previous band in rects_
    std::vector<Span> previous;
    int previousBottom = edges.front();
    for (std::size_t band = 0; band < bands.size(); ++band) {
        std::vector<Span>& spans = bands[band];
        normalise(spans);
        int top = edges[band];
        int bottom = edges[band + 1];
        if (!spans.empty() && spans == previous && previousBottom == top) {
            for (std::size_t i = previousStart; i < region.rects_.size(); ++i)
                region.rects_[i].bottom = bottom;
        } else {
            previousStart = region.rects_.size();
            for (const Span& span : spans)
                region.rects_.push_back(Rect{span.left, top, span.right, bottom});
        }
        if (!spans.empty())
            previousBottom = bottom;
        previous = std::move(spans);
    }
    return region;
}

std::pair<int, int> Region::roundRectRow(const Rect& rect, int ellipseWidth, int ellipseHeight, int y)
{
    if (rect.isEmpty() || y < rect.top || y >= rect.bottom)
        return {0, 0};
    int w = std::min(ellipseWidth, rect.width());
    int h = std::min(ellipseHeight, rect.height());
    if (w < 2 || h < 2)
        return {rect.left, rect.right};
    const double rx = w / 2.0;
    const double ry = h / 2.0;
    const double centre = y + 0.5;
    double dy;
    if (centre < rect.top + ry)
        dy = rect.top + ry - centre;
    else if (centre > rect.bottom - ry)
        dy = centre - (rect.bottom - ry);
    else
        return {rect.left, rect.right};
    // A pixel belongs to a corner when its centre lies inside the corner's
    // ellipse shrunk by half a pixel, so that even a 3 x 3 corner cuts the
    // corner pixel, as window systems' rounded regions do.
    const double innerX = rx - 0.5;
    const double innerY = ry - 0.5;
    double ratio = innerY > 0 ? std::min(1.0, dy / innerY) : 1.0;
    double dx = innerX * std::sqrt(1.0 - ratio * ratio);
    int left = static_cast<int>(std::ceil(rect.left + rx - dx - 0.5));
    int right = static_cast<int>(std::floor(rect.right - rx + dx - 0.5)) + 1;
    if (right <= left)
        return {0, 0};
    return {left, right};
}

Region Region::roundRect(const Rect& rect, int ellipseWidth, int ellipseHeight)
{
    std::vector<Rect> rows;
    if (rect.isEmpty())
        return Region{};
    rows.reserve(static_cast<std::size_t>(rect.height()));
    for (int y = rect.top; y < rect.bottom; ++y) {
        auto [left, right] = roundRectRow(rect, ellipseWidth, ellipseHeight, y);
        if (right > left)
            rows.push_back(Rect{left, y, right, y + 1});
    }
    return fromRects(rows);
}

Region& Region::unite(const Region& other)
{
    if (other.isEmpty())
        return *this;
    if (isEmpty()) {
        rects_ = other.rects_;
        return *this;
    }
    std::vector<Rect> all = rects_;
    all.insert(all.end(), other.rects_.begin(), other.rects_.end());
    *this = fromRects(all);
    return *this;
}

Region Region::intersected(const Rect& rect) const
{
    std::vector<Rect> parts;
    for (const Rect& own : rects_) {
        Rect part = own.intersected(rect);
        if (!part.isEmpty())
            parts.push_back(part);
    }
    return fromRects(parts);
}

bool Region::contains(int x, int y) const
{
    return std::any_of(rects_.begin(), rects_.end(), [x, y](const Rect& rect) { return rect.contains(x, y); });
}

Rect Region::bounds() const
{
    Rect result;
    for (const Rect& rect : rects_)
        result = result.united(rect);
    return result;
}

} // namespace pelmo::platform
