#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Rect.h"
#include "platform/graphics/Region.h"
#include "platform/graphics/Surface.h"
#include "platform/window/WindowTypes.h"

namespace pelmo::platform {

// Everything the window layer knows about one window. Owned by the
// WindowSystem; the other parts of the layer read and change it there.
struct WindowRecord {
    WindowHandle handle = NoWindow;
    WindowClass windowClass;      // a copy: the class may be registered again later
    std::string title;
    unsigned style = 0;
    unsigned exStyle = 0;
    std::uintptr_t menu = 0;
    WindowHandle parent = NoWindow;  // child windows only
    WindowHandle owner = NoWindow;   // top-level windows only
    std::vector<WindowHandle> children;  // top of the sibling stack first

    // A top-level window's rectangle is in screen coordinates, a child's in
    // its parent's client coordinates. The whole window is client area.
    Rect rect;
    bool visible = false;
    bool enabled = true;
    bool destroying = false;
    std::optional<Region> region;   // window coordinates; none = the rectangle

    WindowProc procedure = nullptr;
    std::intptr_t userData = 0;
    std::map<std::string, std::intptr_t> properties;

    // The offscreen surface the window paints into (its client size), the
    // part still to be painted, and whether it should be erased first.
    Surface surface;
    Region dirty;
    bool erase = false;
    // Top-level windows with child windows: the surface with the children
    // composed on top, which is what gets presented.
    Surface frame;

    bool isChild() const { return (style & 0x40000000u) != 0; }
    int width() const { return rect.width(); }
    int height() const { return rect.height(); }
};

} // namespace pelmo::platform
