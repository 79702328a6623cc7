#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/graphics/Rect.h"
#include "platform/graphics/Surface.h"
#include "platform/window/WindowRecord.h"

namespace pelmo::platform {

// Puts windows' pixels together: a top-level window's frame with its shown
// child windows on top (each clipped to its parent), and the whole screen
// from the shown top-level windows within their outlines.
class WindowCompositor {
public:
    using Lookup = std::function<const WindowRecord*(WindowHandle)>;

    // The pixels to present for `area` of a top-level window: its own
    // surface when no child window shows, else its frame, composed anew
    // over `area`.
    static const Surface& frame(WindowRecord& top, const Rect& area, const Lookup& lookup);
    // The screen from the top-level windows, the top of the stack first.
    static Surface screen(const std::vector<WindowRecord*>& topToBottom, const Rect& screenRect,
                          std::uint32_t desktopColour, const Lookup& lookup);
};

} // namespace pelmo::platform
