#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/Rect.h"
#include "platform/graphics/Region.h"
#include "platform/graphics/Surface.h"
#include "platform/window/WindowTypes.h"

namespace pelmo::platform {

class WindowSystem;

// How a top-level window should appear natively.
struct NativeWindowInfo {
    Rect rect;                   // screen coordinates
    std::string title;
    std::string className;
    WindowHandle owner = NoWindow;
    bool popup = false;          // no frame of the window manager's own
    bool transient = false;      // menus, tooltips, drop-downs: placed by us, never managed
    bool topmost = false;
};

// What a display offers the window layer: native top-level windows that
// mirror the layer's windows, a way to show their pixels and outlines, a
// clock, and the source of input. Child windows never reach the backend: the
// layer composes them into their top-level window's frame. All calls but
// wakeUp come from the thread that owns the WindowSystem.
class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;

    // Called once by the WindowSystem that takes this backend; input goes
    // there.
    virtual void attach(WindowSystem& system) = 0;

    virtual Rect screenRect() const = 0;
    virtual Rect workArea() const = 0;
    // Milliseconds of a monotonic clock (virtual for the headless display).
    virtual std::uint64_t nowMs() const = 0;

    virtual void createNative(WindowHandle window, const NativeWindowInfo& info) = 0;
    virtual void destroyNative(WindowHandle window) = 0;
    virtual void showNative(WindowHandle window, bool visible, bool activate) = 0;
    virtual void moveNative(WindowHandle window, const Rect& screenRect) = 0;
    // The visible top-level windows from the top of the stack down.
    virtual void restackNative(const std::vector<WindowHandle>& topToBottom) = 0;
    virtual void setTitleNative(WindowHandle window, const std::string& title) = 0;
    // The outline; none gives the window back its rectangle.
    virtual void setShapeNative(WindowHandle window, const Region* outline) = 0;
    // Shows `area` (window coordinates) of the window's composed frame.
    virtual void present(WindowHandle window, const Surface& frame, const Rect& area) = 0;
    virtual void setCursorNative(WindowHandle window, CursorShape shape) = 0;
    virtual void focusNative(WindowHandle window) = 0;
    // Keeps the pointer's events coming while a window holds the capture.
    virtual void captureNative(WindowHandle window) = 0;

    // The desktop clipboard as UTF-8 text: what it holds now (empty when it
    // holds no text), and taking it over with new text.
    virtual std::string clipboardText() = 0;
    virtual void setClipboardText(const std::string& text) = 0;

    // Hands every native event that is already waiting to the system;
    // never blocks.
    virtual void pumpEvents() = 0;
    // Blocks until a native event or a wakeUp arrives, or `timeoutMs` passes
    // (negative: no limit). The headless display lets virtual time pass.
    virtual void waitForEvents(int timeoutMs) = 0;
    // Thread-safe: ends a waitForEvents early (a message was posted).
    virtual void wakeUp() = 0;
};

} // namespace pelmo::platform
