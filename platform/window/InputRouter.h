#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/window/WindowTypes.h"

namespace pelmo::platform {

class WindowSystem;

enum class MouseButton { Left, Right, Middle, X1, X2 };

// Turns raw pointer and keyboard input (from X11 or injected by tests) into
// the window messages of the window under the pointer, the capture window or
// the focus window: moves, presses, releases and double clicks, the wheel,
// keys with their virtual-key codes and text, hover and leave tracking, and
// dragging a window by its caption. Keeps the key and button state that
// keyState answers.
class InputRouter {
public:
    explicit InputRouter(WindowSystem& system) : system_(system) {}

    // The pointer is at `screen`. `nativeWindow`, when given, is the
    // top-level window the display says the pointer is over.
    void pointerMoved(Point screen, WindowHandle nativeWindow = NoWindow);
    void buttonChanged(MouseButton button, bool pressed);
    // One notch is WHEEL_DELTA; positive turns away from the user.
    void wheelTurned(int delta);
    // `virtualKey` may be a side-specific modifier (VK_LSHIFT ... VK_RMENU):
    // the message then carries the generic code and both states are kept.
    // `character` is the text the key produces (0 for none).
    void keyChanged(unsigned virtualKey, bool pressed, bool extended = false, char32_t character = 0,
                    unsigned scanCode = 0);
    // The display lost the keyboard: every key and button counts as released.
    void releaseAll();

    Point pointer() const { return pointer_; }
    // High bit: down; low bit: toggled (Caps Lock and friends).
    std::int16_t keyState(unsigned virtualKey) const;
    // The MK_ bits of the buttons and modifiers held now.
    unsigned mouseKeyFlags() const;

    bool trackMouseEvent(WindowHandle window, unsigned flags, unsigned hoverMs);
    // A hover that is due at `now` becomes a WM_MOUSEHOVER; milliseconds
    // until the next one otherwise.
    bool deliverDueHover(std::uint64_t now);
    std::optional<std::uint64_t> untilHover(std::uint64_t now) const;
    // A window went away or was hidden: forget it.
    void forgetWindow(WindowHandle window);

private:
    struct Tracking {
        WindowHandle window = NoWindow;
        bool hover = false;
        bool leave = false;
        unsigned hoverMs = 400;
        std::uint64_t hoverStart = 0;
        Point anchor;
    };
    struct LastPress {
        WindowHandle window = NoWindow;
        MouseButton button = MouseButton::Left;
        std::uint64_t time = 0;
        Point point;
        bool valid = false;
    };

    WindowHandle target(WindowHandle nativeWindow) const;
    void post(WindowHandle window, unsigned message, WParam wParam, LParam lParam, char32_t character = 0);
    void leaveIfOutside(WindowHandle target);
    bool startDrag(WindowHandle window);
    void setDown(unsigned virtualKey, bool down);

    WindowSystem& system_;
    Point pointer_{-1, -1};
    std::array<std::uint8_t, 256> keys_{};  // bit 0x80 down, bit 0x01 toggled
    Tracking tracking_;
    LastPress lastPress_;
    WindowHandle dragWindow_ = NoWindow;
    Point dragOffset_;
};

} // namespace pelmo::platform
