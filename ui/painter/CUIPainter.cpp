#include "ui/painter/CUIPainter.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/graphics/Raster.h"
#include "platform/graphics/Region.h"
#include "platform/graphics/TextLayout.h"
#include "ui/painter/ImageDescription.h"
#include "ui/painter/MarkupText.h"
#include "ui/painter/UIPaintResources.h"

namespace pelmo::ui {

namespace raster = platform::raster;
using platform::Region;
using platform::TextLayout;
using platform::TextStyle;

namespace {

// The rectangles `area` may be drawn in: the context's clip, cut further by
// its clip region when it has one.
std::vector<Rect> clipRects(const UIDC& dc, const Rect& area)
{
    std::vector<Rect> result;
    if (!dc.surface)
        return result;
    Rect clipped = area.intersected(dc.clip).intersected(dc.surface->bounds());
    if (clipped.isEmpty())
        return result;
    if (!dc.clipRegion) {
        result.push_back(clipped);
        return result;
    }
    for (const Rect& part : dc.clipRegion->rects()) {
        Rect piece = part.intersected(clipped);
        if (!piece.isEmpty())
            result.push_back(piece);
    }
    return result;
}

std::uint32_t opaque(std::uint32_t colour)
{
    return 0xFF000000u | (colour & 0x00FFFFFFu);
}

std::uint32_t mix(std::uint32_t from, std::uint32_t to, int step, int steps)
{
    if (steps <= 1)
        return from;
    auto channel = [&](int shift) {
        int a = static_cast<int>((from >> shift) & 0xFF);
        int b = static_cast<int>((to >> shift) & 0xFF);
        return static_cast<std::uint32_t>(a + (b - a) * step / (steps - 1)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

void blitPart(UIDC& dc, const platform::Surface& bitmap, const Rect& destination, const Rect& paintRect,
              const Rect& source, bool blend, std::uint8_t fade)
{
    if (destination.isEmpty() || source.isEmpty() || !destination.intersects(paintRect))
        return;
    for (const Rect& clip : clipRects(dc, paintRect.intersected(destination)))
        raster::blit(*dc.surface, destination, clip, bitmap, source, blend, fade);
}

} // namespace

void CUIPainter::FillColour(UIDC& dc, const Rect& rect, std::uint32_t colour)
{
    std::uint32_t alpha = colour >> 24;
    if (alpha == 0)
        return;
    std::uint32_t pixel = platform::premultiply(colour);
    for (const Rect& clip : clipRects(dc, rect))
        raster::blendFill(*dc.surface, rect, clip, pixel);
}

void CUIPainter::FillGradient(UIDC& dc, const Rect& rect, std::uint32_t colour1, std::uint32_t colour2,
                              bool vertical, int /*steps*/)
{
    std::uint32_t alpha = ((colour1 >> 24) + (colour2 >> 24)) / 2;
    if (alpha == 0 || rect.isEmpty())
        return;
    std::vector<Rect> clips = clipRects(dc, rect);
    if (clips.empty())
        return;
    const int length = vertical ? rect.height() : rect.width();
    for (int i = 0; i < length; ++i) {
        std::uint32_t pixel = platform::premultiply(alpha << 24 | mix(colour1, colour2, i, length));
        Rect band = vertical ? Rect{rect.left, rect.top + i, rect.right, rect.top + i + 1}
                             : Rect{rect.left + i, rect.top, rect.left + i + 1, rect.bottom};
        for (const Rect& clip : clips)
            raster::blendFill(*dc.surface, band, clip, pixel);
    }
}

void CUIPainter::StrokeLine(UIDC& dc, int x0, int y0, int x1, int y1, int width, std::uint32_t colour)
{
    width = std::max(1, width);
    std::uint32_t pixel = opaque(colour);
    Rect bounds{std::min(x0, x1) - width, std::min(y0, y1) - width, std::max(x0, x1) + width,
                std::max(y0, y1) + width};
    std::vector<Rect> clips = clipRects(dc, bounds);
    if (clips.empty())
        return;
    auto paint = [&](const Rect& area) {
        for (const Rect& clip : clips)
            raster::fill(*dc.surface, area, clip, pixel);
    };
    // Straight lines are one rectangle; others are stepped (Bresenham) with a
    // square pen.
    if (y0 == y1) {
        int left = x1 > x0 ? x0 : x1 + 1;
        paint(Rect{left, y0 - width / 2, left + std::abs(x1 - x0), y0 - width / 2 + width});
        return;
    }
    if (x0 == x1) {
        int top = y1 > y0 ? y0 : y1 + 1;
        paint(Rect{x0 - width / 2, top, x0 - width / 2 + width, top + std::abs(y1 - y0)});
        return;
    }
    int dx = std::abs(x1 - x0);
    int dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1;
    int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        paint(Rect{x - width / 2, y - width / 2, x - width / 2 + width, y - width / 2 + width});
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void CUIPainter::StrokeRect(UIDC& dc, const Rect& rect, int width, std::uint32_t colour)
{
    width = std::max(1, width);
    std::uint32_t pixel = opaque(colour);
    const Rect sides[] = {
        {rect.left, rect.top, rect.right, std::min(rect.bottom, rect.top + width)},
        {rect.left, std::max(rect.top, rect.bottom - width), rect.right, rect.bottom},
        {rect.left, rect.top + width, std::min(rect.right, rect.left + width), rect.bottom - width},
        {std::max(rect.left, rect.right - width), rect.top + width, rect.right, rect.bottom - width},
    };
    for (const Rect& clip : clipRects(dc, rect))
        for (const Rect& side : sides)
            raster::fill(*dc.surface, side, clip, pixel);
}

void CUIPainter::StrokeRoundRect(UIDC& dc, const Rect& rect, int width, int cx, int cy, std::uint32_t colour)
{
    width = std::max(1, width);
    std::uint32_t pixel = opaque(colour);
    std::vector<Rect> clips = clipRects(dc, rect);
    if (clips.empty())
        return;
    const Rect inner{rect.left + width, rect.top + width, rect.right - width, rect.bottom - width};
    for (int y = rect.top; y < rect.bottom; ++y) {
        auto [outerLeft, outerRight] = Region::roundRectRow(rect, cx, cy, y);
        if (outerRight <= outerLeft)
            continue;
        auto [innerLeft, innerRight] = Region::roundRectRow(inner, cx - 2 * width, cy - 2 * width, y);
        std::vector<Rect> spans;
        if (innerRight <= innerLeft) {
            spans.push_back(Rect{outerLeft, y, outerRight, y + 1});
        } else {
            spans.push_back(Rect{outerLeft, y, innerLeft, y + 1});
            spans.push_back(Rect{innerRight, y, outerRight, y + 1});
        }
        for (const Rect& clip : clips)
            for (const Rect& span : spans)
                raster::fill(*dc.surface, span, clip, pixel);
    }
}

void CUIPainter::DrawText(UIDC& dc, Rect& rect, std::string_view text, std::uint32_t colour, int fontIndex,
                          unsigned style)
{
    if (!dc.resources)
        return;
    TextLayout layout(dc.resources->GetFont(fontIndex), text, rect, style | TextStyle::NoPrefix);
    if (style & TextStyle::CalcRect) {
        rect = layout.extent();
        return;
    }
    for (const Rect& clip : clipRects(dc, rect))
        layout.draw(*dc.surface, clip, colour);
}

void CUIPainter::DrawMarkupText(UIDC& dc, Rect& rect, std::string_view text, std::uint32_t colour, Rect* linkRects,
                                std::string* linkTexts, int& linkCount, unsigned style)
{
    const int capacity = std::max(0, linkCount);
    linkCount = 0;
    if (!dc.resources)
        return;
    MarkupText markup(*dc.resources, text, rect, colour, style);
    if (style & TextStyle::CalcRect) {
        rect = markup.extent();
    } else {
        for (const Rect& clip : clipRects(dc, rect))
            markup.draw(*dc.surface, clip);
    }
    for (const MarkupText::Link& link : markup.links()) {
        if (linkCount >= capacity)
            break;
        if (linkRects)
            linkRects[linkCount] = link.rect;
        if (linkTexts)
            linkTexts[linkCount] = link.target;
        ++linkCount;
    }
}

bool CUIPainter::DrawImageDescription(UIDC& dc, const Rect& controlRect, const Rect& paintRect,
                                      std::string_view description, std::string_view modifier)
{
    if (!dc.surface || !dc.resources)
        return false;
    for (const ImageDrawItem& item : ImageDescription::parse(description, modifier)) {
        const LoadedImage* image = dc.resources->images().FindOrLoadImage(item.name, item.resourceType, item.mask);
        if (!image)
            continue;
        Rect source = item.source;
        if (source == Rect{})
            source = Rect{0, 0, image->width, image->height};
        source = source.intersected(Rect{0, 0, image->width, image->height});
        if (source.isEmpty())
            continue;
        Rect destination = controlRect;
        if (item.hasDest) {
            destination = item.dest.offset(controlRect.left, controlRect.top);
            destination.right = std::min(destination.right, controlRect.right);
            destination.bottom = std::min(destination.bottom, controlRect.bottom);
        }
        if (!destination.intersects(paintRect) || !destination.intersects(controlRect))
            continue;
        BlitImage(dc, image->bitmap, destination, paintRect, source, item.corner, image->hasAlpha, item.fade,
                  item.hole, item.xtiled, item.ytiled);
    }
    return true;
}

void CUIPainter::BlitImage(UIDC& dc, const platform::Surface& bitmap, const Rect& destination, const Rect& paintRect,
                           const Rect& source, const Rect& corners, bool hasAlpha, std::uint8_t fade, bool hole,
                           bool xtiled, bool ytiled)
{
    if (!dc.surface || destination.isEmpty() || fade == 0)
        return;
    Rect s = source.intersected(bitmap.bounds());
    if (s.isEmpty())
        return;
    const bool blend = hasAlpha || fade < 255;
    const Rect& d = destination;
    // Edge widths larger than the source would take pixels from outside it.
    const int l = std::clamp(corners.left, 0, s.width());
    const int r = std::clamp(corners.right, 0, s.width() - l);
    const int t = std::clamp(corners.top, 0, s.height());
    const int b = std::clamp(corners.bottom, 0, s.height() - t);

    auto part = [&](const Rect& to, const Rect& from) { blitPart(dc, bitmap, to, paintRect, from, blend, fade); };

    const Rect centreFrom{s.left + l, s.top + t, s.right - r, s.bottom - b};
    const Rect centreTo{d.left + l, d.top + t, d.right - r, d.bottom - b};
    if (!hole && !centreFrom.isEmpty() && !centreTo.isEmpty()) {
        if (!xtiled && !ytiled) {
            part(centreTo, centreFrom);
        } else {
            // Tiles at the natural size along a tiled axis, the last one cut;
            // stretched along the other.
            const int tileWidth = xtiled ? centreFrom.width() : centreTo.width();
            const int tileHeight = ytiled ? centreFrom.height() : centreTo.height();
            for (int y = centreTo.top; y < centreTo.bottom; y += tileHeight) {
                if (!Rect{centreTo.left, y, centreTo.right, y + tileHeight}.intersects(paintRect))
                    continue;
                for (int x = centreTo.left; x < centreTo.right; x += tileWidth) {
                    Rect to{x, y, std::min(x + tileWidth, centreTo.right), std::min(y + tileHeight, centreTo.bottom)};
                    Rect from = centreFrom;
                    if (xtiled)
                        from.right = from.left + to.width();
                    if (ytiled)
                        from.bottom = from.top + to.height();
                    part(to, from);
                }
            }
        }
    }
    if (l > 0 && t > 0)
        part(Rect{d.left, d.top, d.left + l, d.top + t}, Rect{s.left, s.top, s.left + l, s.top + t});
    if (t > 0)
        part(Rect{d.left + l, d.top, d.right - r, d.top + t}, Rect{s.left + l, s.top, s.right - r, s.top + t});
    if (r > 0 && t > 0)
        part(Rect{d.right - r, d.top, d.right, d.top + t}, Rect{s.right - r, s.top, s.right, s.top + t});
    if (l > 0)
        part(Rect{d.left, d.top + t, d.left + l, d.bottom - b}, Rect{s.left, s.top + t, s.left + l, s.bottom - b});
    if (r > 0)
        part(Rect{d.right - r, d.top + t, d.right, d.bottom - b}, Rect{s.right - r, s.top + t, s.right, s.bottom - b});
    if (l > 0 && b > 0)
        part(Rect{d.left, d.bottom - b, d.left + l, d.bottom}, Rect{s.left, s.bottom - b, s.left + l, s.bottom});
    if (b > 0)
        part(Rect{d.left + l, d.bottom - b, d.right - r, d.bottom}, Rect{s.left + l, s.bottom - b, s.right - r, s.bottom});
    if (r > 0 && b > 0)
        part(Rect{d.right - r, d.bottom - b, d.right, d.bottom}, Rect{s.right - r, s.bottom - b, s.right, s.bottom});
}

void CUIPainter::PaintBackgroundColour(UIDC& dc, const Rect& controlRect, const Rect& paintRect,
                                       std::uint32_t colour1, std::uint32_t colour2, std::uint32_t colour3)
{
    if (colour2 == 0) {
        // An opaque colour is limited to the paint area; a blended one is
        // given the whole control and left to the context's clip.
        FillColour(dc, (colour1 >> 24) == 0xFF ? controlRect.intersected(paintRect) : controlRect, colour1);
        return;
    }
    if (colour3 == 0) {
        FillGradient(dc, controlRect, colour1, colour2, true, 16);
        return;
    }
    const int middle = controlRect.top + controlRect.height() / 2;
    FillGradient(dc, Rect{controlRect.left, controlRect.top, controlRect.right, middle}, colour1, colour2, true, 8);
    FillGradient(dc, Rect{controlRect.left, middle, controlRect.right, controlRect.bottom}, colour2, colour3, true, 8);
}

void CUIPainter::PaintBorder(UIDC& dc, const Rect& controlRect, int size, int roundX, int roundY,
                             std::uint32_t borderColour, std::uint32_t focusBorderColour, bool focused)
{
    if (size <= 0)
        return;
    std::uint32_t colour = focused && focusBorderColour != 0 ? focusBorderColour : borderColour;
    if (roundX > 0 || roundY > 0) {
        StrokeRoundRect(dc, controlRect, size, roundX, roundY, colour);
        return;
    }
    if (colour != 0)
        StrokeRect(dc, controlRect, size, colour);
}

} // namespace pelmo::ui
