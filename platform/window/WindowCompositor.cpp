#include "platform/window/WindowCompositor.h"

#include <algorithm>

namespace pelmo::platform {

namespace {

void composeChildren(Surface& frame, const WindowRecord& parent, Point origin, const Rect& clip,
                     const WindowCompositor::Lookup& lookup)
{
    // From the bottom of the sibling stack up.
    for (auto it = parent.children.rbegin(); it != parent.children.rend(); ++it) {
        const WindowRecord* child = lookup(*it);
        if (!child || !child->visible)
            continue;
        const Rect placed = child->rect.offset(origin.x, origin.y);
        const Rect visible = placed.intersected(clip);
        if (visible.isEmpty())
            continue;
        frame.copyFrom(child->surface, visible.offset(-placed.left, -placed.top), visible.left, visible.top);
        composeChildren(frame, *child, Point{placed.left, placed.top}, visible, lookup);
    }
}

} // namespace

const Surface& WindowCompositor::frame(WindowRecord& top, const Rect& area, const Lookup& lookup)
{
    const bool childShown = std::any_of(top.children.begin(), top.children.end(), [&](WindowHandle child) {
        const WindowRecord* record = lookup(child);
        return record && record->visible;
    });
    if (!childShown)
        return top.surface;
    if (top.frame.width() != top.surface.width() || top.frame.height() != top.surface.height())
        top.frame = Surface(top.surface.width(), top.surface.height());
    top.frame.copyFrom(top.surface, area, area.left, area.top);
    composeChildren(top.frame, top, Point{0, 0}, area, lookup);
    return top.frame;
}

Surface WindowCompositor::screen(const std::vector<WindowRecord*>& topToBottom, const Rect& screenRect,
                                 std::uint32_t desktopColour, const Lookup& lookup)
{
    Surface result(screenRect.width(), screenRect.height());
    result.clear(premultiply(desktopColour));
    for (auto it = topToBottom.rbegin(); it != topToBottom.rend(); ++it) {
        WindowRecord* window = *it;
        if (!window || !window->visible)
            continue;
        const Rect all{0, 0, window->width(), window->height()};
        const Surface& pixels = frame(*window, all, lookup);
        const std::vector<Rect> parts = window->region ? window->region->rects() : std::vector<Rect>{all};
        for (const Rect& part : parts) {
            const Rect clipped = part.intersected(all);
            result.copyFrom(pixels, clipped, window->rect.left + clipped.left - screenRect.left,
                            window->rect.top + clipped.top - screenRect.top);
        }
    }
    return result;
}

} // namespace pelmo::platform
